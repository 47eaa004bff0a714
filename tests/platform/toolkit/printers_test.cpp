// The process's printer object against the private print server.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>

#include "platform/toolkit/printers.h"
#include "tests/support/message_pump.h"
#include "tests/support/test_paths.h"

namespace {

namespace fs = std::filesystem;

TEST(TPrinter, ListsThePrintServersPrintersAndSelectsByIndex) {
  TPrinter printer;
  const TStringList& names = printer.Printers();
  ASSERT_GE(names.Count(), 2);
  EXPECT_GE(names.IndexOf("PDF"), 0);
  EXPECT_GE(names.IndexOf("Datei"), 0);

  std::string device, driver, port;
  printer.SetPrinterIndex(-1);
  printer.GetPrinter(device, driver, port);
  EXPECT_EQ(device, "PDF") << "the print server's default printer";
  EXPECT_EQ(driver, "");
  EXPECT_EQ(port, "");

  const int32_t datei = names.IndexOf("Datei");
  printer.SetPrinterIndex(datei);
  printer.GetPrinter(device, driver, port);
  EXPECT_EQ(device, "Datei");

  for (const int32_t bad : {-2, names.Count()}) {
    try {
      printer.SetPrinterIndex(bad);
      ADD_FAILURE() << bad;
    } catch (const EPrinter& error) {
      EXPECT_EQ(error.Message(), "Druckerindex außerhalb des zulässigen Bereichs");
    }
  }
  EXPECT_EQ(printer.PrinterIndex(), datei);
}

TEST(TPrinter, GivesACopyOfTheDriversDeviceMode) {
  TPrinter printer;
  std::string device, driver, port;
  HGLOBAL mode = nullptr;
  printer.GetPrinter(device, driver, port, &mode);
  ASSERT_NE(mode, nullptr);
  const auto* devmode = static_cast<const DEVMODEW*>(GlobalLock(mode));
  EXPECT_GE(devmode->dmSize, offsetof(DEVMODEW, dmFields));
  GlobalUnlock(mode);
  GlobalFree(mode);
}

TEST(TPrinter, APrintJobReachesThePrintServer) {
  const std::string output = test_support::EnvironmentValue("LX_PRINT_OUTPUT");
  ASSERT_FALSE(output.empty());
  const fs::path folder = fs::path(test_support::WindowsPathOfUnixPath(output)) / "file";
  const std::string title = "tprinter-" + std::to_string(GetCurrentProcessId());

  TPrinter printer;
  printer.SetPrinterIndex(printer.Printers().IndexOf("Datei"));
  printer.SetTitle(title);
  EXPECT_THROW(printer.EndDoc(), EPrinter);
  printer.BeginDoc();
  EXPECT_TRUE(printer.Printing());
  EXPECT_GT(printer.PageWidth(), 0);
  TextOutA(printer.Handle(), 100, 100, "Seite 1", 7);
  EXPECT_THROW(printer.SetPrinterIndex(-1), EPrinter) << "no change of printer while printing";
  printer.NewPage();
  EXPECT_EQ(printer.PageNumber(), 2);
  printer.EndDoc();
  EXPECT_FALSE(printer.Printing());

  const auto job_arrived = [&] {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
      if (entry.path().filename().string().find(title) != std::string::npos && entry.file_size(error) > 0)
        return true;
    return false;
  };
  EXPECT_TRUE(test_support::PumpUntil(job_arrived, 60000));
}

TEST(Printer, IsOneObjectPerProcessAndCanBeReplaced) {
  TPrinter* first = Printer();
  EXPECT_EQ(Printer(), first);
  std::unique_ptr<TPrinter> old = SetPrinterObject(std::make_unique<TPrinter>());
  EXPECT_EQ(old.get(), first);
  EXPECT_NE(Printer(), first);
}

}  // namespace
