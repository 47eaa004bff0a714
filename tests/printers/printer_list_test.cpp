#include "printers/printer_list.h"

#include <gtest/gtest.h>

#include "tests/printers/listed_print_system.h"
#include "tests/printers/string_lines.h"

namespace {

using printers_test::TListedPrintSystem;
using Names = std::vector<std::string>;
using printers_test::LinesOf;

// Two local printers, a network connection and a shared local printer, the
// second one being the default.
TListedPrintSystem OfficePrintSystem() {
  TListedPrintSystem system;
  system.printers = {{"Datei", {}, 0}, {"PDF", {}, 0}, {"Net Laser", {}, 0x10}, {"Shared", {}, 0x10 | 0x08}};
  system.default_device_profile = "PDF,winspool,Ne00:";
  return system;
}

TEST(PrinterList, WithoutPrintersHoldsDefaultAndScreen) {
  TListedPrintSystem system;
  TprPrinterList list(&system);
  EXPECT_EQ(list.Names(), (Names{"Default", "Screen"}));
  EXPECT_EQ(list.DefaultPrinterName(), "Screen");
  auto info = list.GetPrinterInfo("Default");
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->Name(), "Screen");
  EXPECT_TRUE(info->Is(TprScreenPrinterInfo::kClass));
}

TEST(PrinterList, EntriesInEnumerationOrderWithTheirInfo) {
  TListedPrintSystem system = OfficePrintSystem();
  TprPrinterList list(&system);
  EXPECT_EQ(list.Names(), (Names{"Default", "Screen", "Datei", "PDF", "Net Laser", "Shared"}));

  auto placeholder = list.Info(0);
  EXPECT_FALSE(placeholder->Device().has_value());
  EXPECT_TRUE(placeholder->Local());
  auto screen = list.Info(1);
  EXPECT_EQ(screen->Device(), "Screen");
  EXPECT_FALSE(screen->Driver().has_value());
  EXPECT_FALSE(screen->Port().has_value());

  auto pdf = list.Info(3);
  EXPECT_EQ(pdf->Name(), "PDF");
  EXPECT_EQ(pdf->Device(), "PDF");
  EXPECT_FALSE(pdf->Driver().has_value());
  EXPECT_FALSE(pdf->Port().has_value());
  EXPECT_TRUE(pdf->Local());
  EXPECT_TRUE(pdf->Valid());
  EXPECT_FALSE(list.Info(4)->Local());  // the network attribute alone
  EXPECT_TRUE(list.Info(5)->Local());   // shared, but a local printer
  EXPECT_EQ(list.Info(6), nullptr);

  TStringList lines;
  list.GetNames(lines);
  EXPECT_EQ(LinesOf(lines), list.Names());
  EXPECT_EQ(lines.Objects(3), pdf.get());
}

TEST(PrinterList, DefaultPrinterComesFromTheProfile) {
  TListedPrintSystem system = OfficePrintSystem();
  TprPrinterList list(&system);
  EXPECT_EQ(list.DefaultPrinterName(), "PDF");

  system.default_device_profile = "  datei,winspool";
  EXPECT_EQ(list.GetDefaultPrinterName(), "Datei");
  system.default_device_profile = "Gone,winspool,LPT1:";
  EXPECT_EQ(list.GetDefaultPrinterName(), "Screen");
  system.default_device_profile = "";
  EXPECT_EQ(list.GetDefaultPrinterName(), "Screen");
}

TEST(PrinterList, GetPrinterInfoFallBacks) {
  TListedPrintSystem system = OfficePrintSystem();
  TprPrinterList list(&system);
  struct Case {
    const char* asked;
    const char* found;
    bool has_device;
  };
  const Case cases[] = {
      {"PDF", "PDF", true},
      {"datei", "Datei", true},    // letter case ignored
      {"Default", "PDF", true},    // the exact name: the default printer
      {"default", "Default", false},  // another case: the device-less entry itself
      {"DEFAULT", "Default", false},
      {"Screen", "Screen", true},
      {"Nowhere", "PDF", true},    // unknown: the default printer
      {"Canon", "PDF", true},      // contains "on" without " on": not the device-less entry either
      {"datei on LPT1:", "Datei", true},
      {"Net Laser on \\\\server", "Net Laser", true},
      {"Gone on LPT1:", "PDF", true},
      {"", "PDF", true},
  };
  for (const Case& c : cases) {
    auto info = list.GetPrinterInfo(c.asked);
    ASSERT_NE(info, nullptr) << c.asked;
    EXPECT_EQ(info->Name(), c.found) << c.asked;
    EXPECT_EQ(info->Device().has_value(), c.has_device) << c.asked;
  }
}

TEST(PrinterList, PrinterNameForDevice) {
  TListedPrintSystem system = OfficePrintSystem();
  TprPrinterList list(&system);
  EXPECT_EQ(list.PrinterNameForDevice("pdf"), "PDF");
  EXPECT_EQ(list.PrinterNameForDevice("SCREEN"), "Screen");
  EXPECT_EQ(list.PrinterNameForDevice("Gone"), "");
  // The "Default" entry has no device; no device name reaches it.
  EXPECT_EQ(list.PrinterNameForDevice(""), "");
}

TEST(PrinterList, OlderSystemsListEveryPortOfAPrinter) {
  TListedPrintSystem system;
  system.nt_family = false;
  system.major_version = 4;
  system.printers = {{"Laser", "LPT1:, FILE:", 0}, {"Remote", "\\\\srv\\q", 0x10}};
  system.default_device_profile = "Laser,laser.drv,FILE:";
  TprPrinterList list(&system);
  EXPECT_EQ(list.Names(), (Names{"Default", "Screen", "Laser", "Laser", "Remote"}));
  EXPECT_EQ(list.Info(2)->Port(), "LPT1:");
  EXPECT_EQ(list.Info(3)->Port(), "FILE:");
  EXPECT_EQ(list.Info(3)->GetDeviceOnPort(), "Laser an FILE:");
  EXPECT_EQ(list.Info(0)->GetDeviceOnPort(), "");
  EXPECT_FALSE(list.Info(4)->Local());

  // Device and port name one entry exactly.
  EXPECT_EQ(list.GetPrinterInfo("Laser an FILE:"), list.Info(3));
  EXPECT_EQ(list.GetPrinterInfo("Remote an \\\\srv\\q"), list.Info(4));
  // The profile names the device only: the first of its entries.
  EXPECT_EQ(list.GetPrinterInfo("Default"), list.Info(2));
}

TEST(PrinterList, AbsentNamesOnEarlyNtAreEmpty) {
  TListedPrintSystem system;
  system.major_version = 3;
  system.printers = {{"Old", {}, 0}};
  TprPrinterList list(&system);
  EXPECT_EQ(list.Info(0)->Device(), "");
  EXPECT_EQ(list.Info(2)->Driver(), "");
  EXPECT_EQ(list.Info(2)->Port(), "");
}

TEST(PrinterList, RefreshFollowsThePrintSystem) {
  TListedPrintSystem system = OfficePrintSystem();
  TprPrinterList list(&system);
  int discarded = 0;
  list.OnEntriesDiscarded = [&discarded] { ++discarded; };
  auto kept = list.GetPrinterInfo("Datei");

  system.printers = {{"PDF", {}, 0}};
  list.Refresh();
  EXPECT_EQ(discarded, 1);
  EXPECT_EQ(list.Names(), (Names{"Default", "Screen", "PDF"}));
  // A holder of a discarded entry still has a live object.
  EXPECT_EQ(kept->Name(), "Datei");
  EXPECT_EQ(list.GetPrinterInfo("Datei")->Name(), "PDF");

  // The default printer vanished: the list answers with the screen.
  system.printers.clear();
  list.Refresh();
  EXPECT_EQ(list.DefaultPrinterName(), "PDF");
  EXPECT_EQ(list.GetPrinterInfo("Default")->Name(), "Screen");
}

TEST(PrinterList, FreePrinterInfosKeepsTheNames) {
  TListedPrintSystem system = OfficePrintSystem();
  TprPrinterList list(&system);
  list.FreePrinterInfos();
  EXPECT_EQ(list.Count(), 6);
  EXPECT_EQ(list.Info(3), nullptr);
  EXPECT_EQ(list.GetPrinterInfo("PDF"), nullptr);
  EXPECT_EQ(list.PrinterNameForDevice("PDF"), "");
}

TEST(PrinterList, SplitCommaList) {
  struct Case {
    const char* text;
    Names elements;
  };
  const Case cases[] = {
      {"", {}},
      {"PDF", {"PDF"}},
      {"PDF,wineps.drv,CUPS:PDF", {"PDF", "wineps.drv", "CUPS:PDF"}},
      {"  a,   b ,c", {"a", "b ", "c"}},
      {"a,,b", {"a", "", "b"}},
      {",a", {"", "a"}},
      {"a,", {"a"}},
      {"   ", {""}},
  };
  for (const Case& c : cases) {
    TStringList list;
    list.Add("old");
    TprPrinterList::SplitCommaList(c.text, list);
    EXPECT_EQ(LinesOf(list), c.elements) << c.text;
  }
  TStringList list;
  TprPrinterList::SplitCommaList(std::string_view("a,b\0c,d", 7), list);
  EXPECT_EQ(LinesOf(list), (Names{"a", "b"}));
}

}  // namespace
