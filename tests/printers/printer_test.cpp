#include "printers/printer.h"

#include <gtest/gtest.h>

#include "printers/device_mode.h"
#include "printers/printer_module.h"
#include "printers/display_format.h"
#include "printers/report_helpers.h"
#include "printers/rtti_registry.h"
#include "tests/printers/print_system_fixture.h"

namespace {

class DeviceModeRequest : public printers_test::OfficePrintSystemTest {
 protected:
  void SetUp() override {
    OfficePrintSystemTest::SetUp();
    setup_ = std::make_unique<TprPrinterSetup>();
    setup_->SetUnits(prutMillimeters);
  }
  std::unique_ptr<TprPrinterSetup> setup_;
};

TEST_F(DeviceModeRequest, ListedPaper) {
  setup_->SetPaperName("A4");
  TprDeviceModeRequest request = prBuildDeviceModeRequest(*setup_, true, 15);
  EXPECT_EQ(request.fields, kprDmOrientation | kprDmPaperSize | kprDmCopies | kprDmDuplex | kprDmDefaultSource);
  EXPECT_EQ(request.paper_size, 9);
  EXPECT_EQ(request.orientation, 1);
  EXPECT_EQ(request.copies, 1);
  EXPECT_EQ(request.duplex, 1);
  EXPECT_EQ(request.default_source, 15);  // the "Default" bin: the driver's own choice
  EXPECT_FALSE(request.form.has_value());
  EXPECT_EQ(request.form_name, "");
}

TEST_F(DeviceModeRequest, TheFirstPaperIsRequestedByItsId) {
  setup_->SetPaperName("Letter");
  TprDeviceModeRequest request = prBuildDeviceModeRequest(*setup_, true, 15);
  EXPECT_EQ(request.paper_size, 1);
  EXPECT_EQ(request.fields & (kprDmPaperLength | kprDmPaperWidth), 0u);
}

TEST_F(DeviceModeRequest, ACustomPaperSelectsItsForm) {
  setup_->SetPaperWidth(100);
  setup_->SetPaperHeight(150);
  setup_->SetOrientation(poLandscape);  // the page is 150 wide, the sheet 100
  ASSERT_EQ(setup_->PaperName(), "Custom");
  TprDeviceModeRequest request = prBuildDeviceModeRequest(*setup_, true, 15);
  ASSERT_TRUE(request.form.has_value());
  EXPECT_EQ(request.form->name, "Custom");
  EXPECT_EQ(request.form->width, 100000);
  EXPECT_EQ(request.form->height, 150000);
  EXPECT_EQ(request.form_name, "Custom");
  EXPECT_NE(request.fields & kprDmFormName, 0u);
  EXPECT_EQ(request.fields & kprDmPaperSize, 0u);
  EXPECT_NE(request.fields & kprDmPaperWidth, 0u);
  EXPECT_NE(request.fields & kprDmPaperLength, 0u);
  EXPECT_EQ(request.paper_width, 1000);
  EXPECT_EQ(request.paper_length, 1500);
  EXPECT_EQ(request.paper_size, 256);
  EXPECT_EQ(request.orientation, 2);

  // Without printer forms the size alone describes the paper.
  request = prBuildDeviceModeRequest(*setup_, false, 15);
  EXPECT_FALSE(request.form.has_value());
  EXPECT_EQ(request.fields & kprDmFormName, 0u);
  EXPECT_NE(request.fields & kprDmPaperSize, 0u);
  EXPECT_EQ(request.paper_width, 1000);
}

TEST_F(DeviceModeRequest, CopiesDuplexAndBins) {
  setup_->SetCopies(3);
  EXPECT_EQ(prBuildDeviceModeRequest(*setup_, true, 15).copies, 1);  // the report prints its copies itself
  setup_->SetDelegateCopies(true);
  EXPECT_EQ(prBuildDeviceModeRequest(*setup_, true, 15).copies, 1);  // collated: still itself
  setup_->SetCollation(false);
  EXPECT_EQ(prBuildDeviceModeRequest(*setup_, true, 15).copies, 3);
  setup_->SetCopies(-4);
  EXPECT_EQ(prBuildDeviceModeRequest(*setup_, true, 15).copies, 1);

  setup_->SetDuplex(dpVertical);
  EXPECT_EQ(prBuildDeviceModeRequest(*setup_, true, 15).duplex, 3);

  setup_->SetBinName("Lower");
  TprDeviceModeRequest request = prBuildDeviceModeRequest(*setup_, true, 15);
  EXPECT_EQ(request.default_source, 2);
  setup_->SetBinName("Nowhere");
  request = prBuildDeviceModeRequest(*setup_, true, 15);
  EXPECT_EQ(request.fields & kprDmDefaultSource, 0u);
}

// A printer whose print job a test opens and closes.
class TJobPrinter : public TprCustomPrinter {
 public:
  using TprCustomPrinter::SetPrinting;
};

class PrinterObject : public printers_test::OfficePrintSystemTest {};

TEST_F(PrinterObject, NamesResolveThroughTheList) {
  TprCustomPrinter printer;
  EXPECT_EQ(printer.PrinterName(), "Default");
  EXPECT_EQ(printer.GetPrinterInfo()->Name(), "Laser");
  printer.SetPrinterName("plotter");
  EXPECT_EQ(printer.PrinterName(), "Plotter");
  printer.SetPrinterName("Default");
  EXPECT_EQ(printer.PrinterName(), "Laser");
  ASSERT_NE(printer.GetCapabilities(), nullptr);
  EXPECT_EQ(printer.GetCapabilities()->PaperNames().Line(0), "Letter");
}

#ifndef _WIN32
// Natively no printer has a device: every printer falls back to the screen.
TEST_F(PrinterObject, APrinterWithoutContextFallsBackToTheScreen) {
  TprCustomPrinter printer;
  printer.SetPrinterName("Plotter");
  EXPECT_EQ(printer.GetDC(), 0u);
  EXPECT_EQ(printer.PrinterName(), "Screen");
  EXPECT_FALSE(prGetPrinterList().GetPrinterInfo("Plotter")->Valid());
  TprPixelsPerInch resolution = printer.GetPixelsPerInch();
  EXPECT_EQ(resolution.x, prScreenPixelsPerInch());
  EXPECT_TRUE(printer.GetDevMode().empty());
  // A printer marked not valid is not chosen again.
  printer.SetPrinterName("Plotter");
  EXPECT_EQ(printer.PrinterName(), "Screen");
}
#endif

TEST_F(PrinterObject, TheScreenCannotPrint) {
  TJobPrinter printer;
  printer.SetPrinterName("Screen");
  printer.SetPrinting(true);
  try {
    printer.GetDC();
    FAIL() << "no error";
  } catch (const EPrintError& error) {
    EXPECT_EQ(error.Message(), "Screen printer does not support printing.");
  }
  printer.SetPrinterName("Laser");  // ignored while printing
  EXPECT_EQ(printer.PrinterName(), "Screen");
  printer.SetDevMode({1, 2, 3});
  EXPECT_TRUE(printer.ResetPending());
  printer.SetPrinting(false);
}

TEST_F(PrinterObject, SetupChangesKeepTheSetupNotifying) {
  TprPrinter printer;
  TprPrinterSetup& setup = printer.PrinterSetup();
  setup.SetPrinterName("Plotter");
  setup.SetCopies(2);
  EXPECT_EQ(printer.PrinterName(), "Plotter");
  EXPECT_TRUE(setup.NotifyEnabled());
  setup.SetDocumentName("Invoices");
  EXPECT_EQ(printer.DocumentName(), "Invoices");
}

TEST_F(PrinterObject, ModuleObjects) {
  std::shared_ptr<TprPrinter> printer = prGetPrinter();
  EXPECT_EQ(prGetPrinter(), printer);
  // A refresh of the module's list starts the printer object afresh; the
  // old one lives on for whoever holds it.
  prGetPrinterList().Refresh();
  EXPECT_NE(prGetPrinter(), printer);
  EXPECT_EQ(printer->PrinterName(), "Default");

  // Other lists leave the module's printer alone.
  std::shared_ptr<TprPrinter> current = prGetPrinter();
  TprPrinterList own_list(&system_);
  own_list.Refresh();
  EXPECT_EQ(prGetPrinter(), current);

  std::shared_ptr<TprPrinterInfo> none = prCreateNoPrinterInfo();
  EXPECT_EQ(prNoPrinterInfo(), none);
  EXPECT_EQ(none->Name(), "No Printer Installed");
  EXPECT_EQ(none->Driver(), "None");
  EXPECT_EQ(none->Device(), "None");
  EXPECT_EQ(none->Port(), "");
}

TEST_F(PrinterObject, LibraryStartAndEnd) {
  prInitializePrinterLibrary();
  EXPECT_NE(prFindRTTI("TprPrinterSetup"), nullptr);
  EXPECT_NE(prFindRTTI("TprCommunicator"), nullptr);
  EXPECT_NE(prFindRTTI("TComponent"), nullptr);
  EXPECT_NE(prDisplayFormatClass(), nullptr);
  prInitializePrinterLibrary();  // again: no harm
  prFinalizePrinterLibrary();
  EXPECT_EQ(prFindRTTI("TprPrinterSetup"), nullptr);
  EXPECT_EQ(prFindRTTI("TObject"), nullptr);
  EXPECT_EQ(prDisplayFormatClass(), nullptr);
  prFinalizePrinterLibrary();
}

}  // namespace
