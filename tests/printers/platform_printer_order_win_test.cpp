// The print run selects the platform printer by the combo box index minus
// one, and the combo box is filled from the printer list: both must number
// the printers alike.
#include <gtest/gtest.h>

#include "platform/toolkit/printers.h"
#include "printers/printer_list.h"

namespace {

TEST(PrinterOrder, ThePlatformPrinterObjectNumbersPrintersLikeThePrinterList) {
  TprPrinterList list;
  const std::vector<std::string> names = list.Names();
  ASSERT_GE(names.size(), 4u);
  EXPECT_EQ(names[0], "Default");
  EXPECT_EQ(names[1], "Screen");

  TPrinter printer;
  const TStringList& platform_names = printer.Printers();
  ASSERT_EQ(static_cast<size_t>(platform_names.Count()), names.size() - 2);
  for (int32_t i = 0; i < platform_names.Count(); ++i) {
    EXPECT_EQ(platform_names.Get(i), names[static_cast<size_t>(i) + 2]) << i;
    // The combo box without "Screen": item i + 1 selects platform index i.
    printer.SetPrinterIndex(i);
    std::string device, driver, port;
    printer.GetPrinter(device, driver, port);
    EXPECT_EQ(device, names[static_cast<size_t>(i) + 2]);
  }
}

}  // namespace
