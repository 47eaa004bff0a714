// The printer object and its setup against the real print system: under
// Wine, the private print server's "PDF" (default) and "Datei" printers.
#ifdef _WIN32

#include <gtest/gtest.h>

#include "platform/rtl/locale.h"
#include "printers/printer.h"
#include "printers/printer_module.h"
#include "printers/report_helpers.h"
#include "tests/printers/listed_print_system.h"
#include "tests/support/test_paths.h"

namespace {

class WinspoolPrinter : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(test_support::EnvironmentValue("CUPS_SERVER").empty())
        << "the printer tests need the print server of scripts/test or scripts/dev-env";
    prUsePrintSystem(nullptr);
  }
  void TearDown() override { prUsePrintSystem(nullptr); }

  // The device mode the printer holds now, field by field.
  static TprDeviceModeRequest DeviceModeOf(TprCustomPrinter& printer) {
    std::optional<TprDeviceModeRequest> fields = prdevice::ReadDeviceModeFields(printer.CopyDevMode());
    EXPECT_TRUE(fields.has_value());
    return fields.value_or(TprDeviceModeRequest());
  }

  TScopedLocale german_{"de-DE"};
};

TEST_F(WinspoolPrinter, DriverDeviceModeAndContext) {
  TprCustomPrinter printer;
  printer.SetPrinterName("Default");
  EXPECT_EQ(printer.PrinterName(), "PDF");
  EXPECT_NE(printer.GetPrinterHandle(), 0u);
  TprDeviceModeRequest mode = DeviceModeOf(printer);
  EXPECT_NE(mode.fields & kprDmPaperSize, 0u);
  EXPECT_NE(printer.GetDC(), 0u);
  EXPECT_EQ(printer.PrinterName(), "PDF");
  const prdevice::Metrics& metrics = printer.DeviceMetrics();
  EXPECT_GT(metrics.physical_width, metrics.printable_width - 1);
  TprPixelsPerInch resolution = printer.GetPixelsPerInch();
  EXPECT_GT(resolution.x, prScreenPixelsPerInch());
  EXPECT_EQ(resolution.x, metrics.pixels_per_inch_x);
  EXPECT_GE(printer.RightMargin(), 0);
  EXPECT_GE(printer.BottomMargin(), 0);
  // Freed resources are made again on request.
  printer.FreeResources();
  EXPECT_EQ(printer.PixelsPerInch().x, resolution.x);
}

TEST_F(WinspoolPrinter, SetupIsAppliedToTheDeviceMode) {
  TprPrinter printer;
  TprPrinterSetup& setup = printer.PrinterSetup();
  setup.SetUnits(prutMillimeters);
  setup.SetPrinterName("Datei");
  setup.SetPaperName("A5");
  setup.SetOrientation(poLandscape);
  setup.SetBinName("Tray 1");
  ASSERT_EQ(printer.PrinterName(), "Datei");
  TprDeviceModeRequest mode = DeviceModeOf(printer);
  EXPECT_EQ(mode.paper_size, 11);
  EXPECT_EQ(mode.orientation, 2);
  EXPECT_EQ(mode.default_source, 257);

  // The driver's first paper, chosen by name.
  setup.SetOrientation(poPortrait);
  setup.SetPaperName("Letter");
  EXPECT_EQ(DeviceModeOf(printer).paper_size, 1);
  EXPECT_TRUE(setup.NotifyEnabled());
}

TEST_F(WinspoolPrinter, ACustomPaperGoesToTheDriverWithItsForm) {
  TprPrinter printer;
  TprPrinterSetup& setup = printer.PrinterSetup();
  setup.SetUnits(prutMillimeters);
  setup.SetPrinterName("PDF");
  setup.SetPaperWidth(100);
  setup.SetPaperHeight(150);
  ASSERT_EQ(setup.PaperName(), "Custom");
  // The driver numbers its own extra papers from 256: the custom size goes
  // by form name and size, not by that id.
  TprDeviceModeRequest mode = DeviceModeOf(printer);
  EXPECT_EQ(mode.form_name, "Custom");
  EXPECT_NE(mode.fields & kprDmFormName, 0u);
  EXPECT_EQ(mode.paper_width, 1000);
  EXPECT_EQ(mode.paper_length, 1500);
  EXPECT_TRUE(printer.EnsureForm({"Custom", 100000, 150000}));

  // Back to a listed paper: its id, not the form.
  setup.SetPaperName("A4");
  mode = DeviceModeOf(printer);
  EXPECT_EQ(mode.paper_size, 9);
  EXPECT_EQ(mode.paper_length, 2970);
}

TEST_F(WinspoolPrinter, PrinterPixelsAreTheDevicesPixels) {
  TprPrinter printer;
  TprPrinterSetup& setup = printer.PrinterSetup();
  setup.SetPrinterName("PDF");
  setup.SetUnits(prutMillimeters);
  setup.SetPaperName("A4");
  setup.SetUnits(prutPrinterPixels);
  TprPixelsPerInch resolution = printer.GetPixelsPerInch();
  ASSERT_GT(resolution.x, 0);
  // A4 is 8.27 inches wide.
  EXPECT_NEAR(setup.PaperWidth(), 8.27 * resolution.x, 2.0);
}

TEST_F(WinspoolPrinter, APrinterThatVanishedFallsBackToTheScreen) {
  printers_test::TListedPrintSystem system;
  system.printers = {{"Vanished", {}, 0}};
  system.default_device_profile = "Vanished,winspool,Ne00:";
  prUsePrintSystem(&system);
  TprCustomPrinter printer;
  printer.SetPrinterName("Vanished");
  EXPECT_NE(printer.GetDC(), 0u);  // the screen's
  EXPECT_EQ(printer.PrinterName(), "Screen");
  EXPECT_FALSE(prGetPrinterList().GetPrinterInfo("Vanished")->Valid());
  EXPECT_EQ(printer.GetPixelsPerInch().x, prScreenPixelsPerInch());
  prUsePrintSystem(nullptr);
}

}  // namespace

#endif  // _WIN32
