// The printer list against the real print system: under Wine, winspool
// lists the printers of the private print server that the test run starts,
// "PDF" (the default) and "Datei".
#ifdef _WIN32

#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "printers/printer_list.h"
#include "tests/support/test_paths.h"
#include "tests/printers/string_lines.h"

namespace {

using Names = std::vector<std::string>;
using printers_test::LinesOf;

Names EnumeratedPrinterNames() {
  DWORD needed = 0;
  DWORD count = 0;
  EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed);
  Names names;
  if (needed == 0 || !EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, buffer.data(), needed,
                                    &needed, &count))
    return names;
  const auto* records = reinterpret_cast<const PRINTER_INFO_4A*>(buffer.data());
  for (DWORD i = 0; i < count; ++i)
    names.emplace_back(records[i].pPrinterName);
  return names;
}

class WinspoolPrinterList : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(test_support::EnvironmentValue("CUPS_SERVER").empty())
        << "the printer tests need the print server of scripts/test or scripts/dev-env";
  }
};

TEST_F(WinspoolPrinterList, OrderAfterDefaultAndScreenIsTheSystemsOrder) {
  TprPrinterList list;
  Names names = list.Names();
  ASSERT_GE(names.size(), 4u);
  EXPECT_EQ(names[0], "Default");
  EXPECT_EQ(names[1], "Screen");
  Names installed(names.begin() + 2, names.end());
  EXPECT_EQ(installed, EnumeratedPrinterNames());
  EXPECT_NE(std::find(installed.begin(), installed.end(), "PDF"), installed.end());
  EXPECT_NE(std::find(installed.begin(), installed.end(), "Datei"), installed.end());
}

TEST_F(WinspoolPrinterList, DefaultIsThePdfPrinter) {
  TprPrinterList list;
  EXPECT_EQ(list.DefaultPrinterName(), "PDF");
  auto info = list.GetPrinterInfo("Default");
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(info->Name(), "PDF");
  EXPECT_EQ(list.PrinterNameForDevice("pdf"), "PDF");
}

TEST_F(WinspoolPrinterList, InfoObjectsCarryTheNames) {
  TprPrinterList list;
  for (const char* name : {"PDF", "Datei"}) {
    auto info = list.GetPrinterInfo(name);
    ASSERT_NE(info, nullptr) << name;
    EXPECT_EQ(info->Name(), name);
    EXPECT_EQ(info->Device(), name);
    EXPECT_FALSE(info->Driver().has_value());
    EXPECT_FALSE(info->Port().has_value());
    EXPECT_TRUE(info->Local());
    EXPECT_TRUE(info->Valid());
  }
  EXPECT_EQ(list.GetPrinterInfo("No such printer")->Name(), "PDF");
}

void ExpectLinedUp(const TprPrinterCapabilities& capabilities) {
  int32_t papers = capabilities.PaperNumbers().Count();
  EXPECT_GT(papers, 1);
  EXPECT_EQ(capabilities.PaperNames().Count(), papers);
  EXPECT_EQ(capabilities.PaperWidths().Count(), papers);
  EXPECT_EQ(capabilities.PaperHeights().Count(), papers);
  EXPECT_EQ(capabilities.PaperNames().Line(papers - 1), "Custom");
  EXPECT_EQ(capabilities.BinNames().Count(), capabilities.BinNumbers().Count());
  EXPECT_GE(capabilities.BinNames().IndexOf("Default"), 0);
  for (int32_t i = 0; i + 1 < papers; ++i) {
    EXPECT_GT(std::stoi(capabilities.PaperWidths().Line(i)), 0) << capabilities.PaperNames().Line(i);
    EXPECT_GT(std::stoi(capabilities.PaperHeights().Line(i)), 0) << capabilities.PaperNames().Line(i);
  }
}

TEST_F(WinspoolPrinterList, FilePrinterCapabilities) {
  TprPrinterList list;
  TprPrinterCapabilities& capabilities = list.GetPrinterInfo("Datei")->GetCapabilities();
  ExpectLinedUp(capabilities);
  EXPECT_EQ(capabilities.PrinterName(), "Datei");
  // The driver's own names and sizes, in its order.
  EXPECT_EQ(capabilities.PaperNames().Line(0), "Letter");
  EXPECT_EQ(capabilities.PaperNumbers().Line(0), "1");
  EXPECT_EQ(capabilities.PaperWidths().Line(0), "2159");
  EXPECT_EQ(capabilities.PaperHeights().Line(0), "2794");
  int32_t a4 = capabilities.IndexOfPaper("A4");
  ASSERT_GE(a4, 0);
  EXPECT_EQ(capabilities.PaperNumbers().Line(a4), "9");
  EXPECT_NEAR(std::stoi(capabilities.PaperWidths().Line(a4)), 2100, 1);
  EXPECT_EQ(capabilities.PaperHeights().Line(a4), "2970");
  // This driver offers trays and its own "Default" bin, so none is added.
  EXPECT_EQ(capabilities.BinNames().Line(0), "Automatically Select");
  int32_t tray = capabilities.BinNames().IndexOf("Tray 1");
  ASSERT_GE(tray, 0);
  EXPECT_EQ(capabilities.BinNumbers().Line(tray), "257");
  EXPECT_TRUE(capabilities.Copies());
}

TEST_F(WinspoolPrinterList, PdfPrinterCapabilities) {
  TprPrinterList list;
  TprPrinterCapabilities& capabilities = list.GetPrinterInfo("PDF")->GetCapabilities();
  ExpectLinedUp(capabilities);
  int32_t a4 = capabilities.IndexOfPaper("A4");
  ASSERT_GE(a4, 0);
  EXPECT_EQ(capabilities.PaperNumbers().Line(a4), "9");
  // One bin only, not called "Default": the default bin goes in front.
  EXPECT_EQ(LinesOf(capabilities.BinNames()), (Names{"Default", "Automatically Select"}));
  EXPECT_EQ(LinesOf(capabilities.BinNumbers()), (Names{"7", "15"}));
}

TEST_F(WinspoolPrinterList, APrinterThatIsGoneAnswersEmpty) {
  TprPrinterInfo gone("Vanished", true, std::nullopt, std::string("Vanished"), std::nullopt);
  TprPrinterCapabilities& capabilities = gone.GetCapabilities();
  EXPECT_EQ(LinesOf(capabilities.PaperNames()), (Names{"Custom"}));
  EXPECT_EQ(LinesOf(capabilities.BinNames()), (Names{"Default"}));
  EXPECT_FALSE(capabilities.Copies());
}

}  // namespace

#endif  // _WIN32
