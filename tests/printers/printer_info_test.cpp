#include "printers/printer_info.h"

#include <gtest/gtest.h>

#include "tests/printers/listed_print_system.h"
#include "tests/printers/string_lines.h"

namespace {

using printers_test::TListedPrintSystem;
using printers_test::Lines;
using printers_test::LinesOf;

TEST(PrinterInfo, CapabilitiesAreAskedOnceAndNormalised) {
  TListedPrintSystem system;
  system.SetTexts("Laser", prdcPaperNames, 64, {"Letter", "A4", "User size"});
  system.SetWords("Laser", prdcPapers, {1, 9, 300});
  system.SetSizes("Laser", {{2159, 2794}, {2100, 2970}, {1000, 1000}});
  system.SetTexts("Laser", prdcBinNames, 24, {"Upper", "Manual Feed Tray Number 1"});
  system.SetWords("Laser", prdcBins, {1, 4});
  system.copies["Laser"] = 99;

  TprPrinterInfo info("Laser", true, std::string("LPT1:"), std::string("Laser"), std::nullopt, &system);
  TprPrinterCapabilities& capabilities = info.GetCapabilities();
  EXPECT_EQ(capabilities.PrinterName(), "Laser");
  EXPECT_EQ(LinesOf(capabilities.PaperNames()), (Lines{"Letter", "A4", "Custom"}));
  EXPECT_EQ(LinesOf(capabilities.PaperNumbers()), (Lines{"1", "9", "300"}));
  EXPECT_EQ(LinesOf(capabilities.PaperWidths()), (Lines{"2159", "2100", "1000"}));
  // A bin name that fills its 24 bytes is cut there.
  EXPECT_EQ(LinesOf(capabilities.BinNames()), (Lines{"Default", "Upper", "Manual Feed Tray Number "}));
  EXPECT_EQ(LinesOf(capabilities.BinNumbers()), (Lines{"7", "1", "4"}));
  EXPECT_TRUE(capabilities.Copies());

  EXPECT_EQ(&info.GetCapabilities(), &capabilities);
  EXPECT_EQ(system.queries, (Lines{"Laser|LPT1:|16", "Laser|LPT1:|2", "Laser|LPT1:|3", "Laser|LPT1:|3",
                                   "Laser|LPT1:|12", "Laser|LPT1:|6"}));
}

TEST(PrinterInfo, APrinterThatVanishedHasOnlyTheCustomPaper) {
  TListedPrintSystem system;
  TprPrinterInfo info("Gone", true, std::nullopt, std::string("Gone"), std::nullopt, &system);
  TprPrinterCapabilities& capabilities = info.GetCapabilities();
  EXPECT_EQ(LinesOf(capabilities.PaperNames()), (Lines{"Custom"}));
  EXPECT_EQ(LinesOf(capabilities.PaperNumbers()), (Lines{"256"}));
  EXPECT_EQ(LinesOf(capabilities.BinNames()), (Lines{"Default"}));
  EXPECT_FALSE(capabilities.Copies());
}

TEST(PrinterInfo, TheDevicelessEntryAsksNoDriver) {
  TListedPrintSystem system;
  TprPrinterInfo info("Default", true, std::nullopt, std::nullopt, std::nullopt, &system);
  EXPECT_EQ(info.GetCapabilities().PaperNames().Count(), 1);
  EXPECT_TRUE(system.queries.empty());
}

TEST(PrinterInfo, ScreenHasFixedCapabilities) {
  TListedPrintSystem system;
  TprScreenPrinterInfo screen(&system);
  EXPECT_EQ(screen.Name(), "Screen");
  EXPECT_TRUE(screen.Local());
  TprPrinterCapabilities& capabilities = screen.GetCapabilities();
  EXPECT_EQ(capabilities.PaperNames().Count(), 13);
  EXPECT_EQ(capabilities.PaperNames().Line(0), "Custom");
  EXPECT_TRUE(system.queries.empty());
}

TEST(PrinterInfo, NoPrinterInstalledDescription) {
  TprPrinterInfo info("No Printer Installed", true, std::string(), std::string("None"), std::string("None"));
  EXPECT_EQ(info.GetDeviceOnPort(), "None an ");
  info.SetValid(false);
  EXPECT_FALSE(info.Valid());
}

}  // namespace
