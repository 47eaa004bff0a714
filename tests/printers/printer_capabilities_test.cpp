#include "printers/printer_capabilities.h"
#include "tests/printers/string_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using printers_test::Fill;
using printers_test::Lines;
using printers_test::LinesOf;

// What a driver reported, list by list, and what the normalised lists must
// hold.
struct PaperCase {
  const char* what;
  Lines names, numbers, widths, heights;
  Lines expected_names, expected_numbers, expected_widths, expected_heights;
};

TEST(PrinterCapabilities, NormalizePapers) {
  const PaperCase cases[] = {
      {"numbers only: names and sizes from the tables",
       {}, {"9", "256"}, {}, {},
       {"A4 210 x 297 mm", "Custom"}, {"9", "256"}, {"2100", "0"}, {"2970", "0"}},
      {"a paper of size 0 by 0 that is not the custom paper is dropped",
       {"A4", "Odd", "Own"}, {"9", "300", "256"}, {"2100", "0", "0"}, {"2970", "0", "0"},
       {"A4", "Custom"}, {"9", "256"}, {"2100", "0"}, {"2970", "0"}},
      {"a paper named for the user (any case) becomes the custom paper and goes last",
       {"A4", "My uSeR paper", "Letter"}, {"9", "260", "1"}, {"2100", "1000", "2159"}, {"2970", "1500", "2794"},
       {"A4", "Letter", "Custom"}, {"9", "1", "260"}, {"2100", "2159", "1000"}, {"2970", "2794", "1500"}},
      {"a paper named custom is found when no number 256 exists",
       {"custom size", "A5"}, {"300", "11"}, {"500", "1480"}, {"600", "2100"},
       {"A5", "Custom"}, {"11", "300"}, {"1480", "500"}, {"2100", "600"}},
      {"the first paper with number 256 keeps its size as the custom paper",
       {"11x14", "A4"}, {"256", "9"}, {"2794", "2099"}, {"3556", "2970"},
       {"A4", "Custom"}, {"9", "256"}, {"2099", "2794"}, {"2970", "3556"}},
      {"without any custom paper one is appended",
       {"A4"}, {"9"}, {"2100"}, {"2970"},
       {"A4", "Custom"}, {"9", "256"}, {"2100", "0"}, {"2970", "0"}},
      {"an unknown paper without names is named by its size",
       {}, {"400", "9"}, {"2000", "2100"}, {"3000", "2970"},
       {"200 x 300 mm", "A4 210 x 297 mm", "Custom"}, {"400", "9", "256"}, {"2000", "2100", "0"},
       {"3000", "2970", "0"}},
      {"surplus names are dropped from the end",
       {"A4", "A5", "A3"}, {"9", "11"}, {"2100", "1480"}, {"2970", "2100"},
       {"A4", "A5", "Custom"}, {"9", "11", "256"}, {"2100", "1480", "0"}, {"2970", "2100", "0"}},
      {"fewer names than numbers: all names from the tables",
       {"Whatever"}, {"9", "11"}, {}, {},
       {"A4 210 x 297 mm", "A5 148 x 210 mm", "Custom"}, {"9", "11", "256"}, {"2100", "1480", "0"},
       {"2970", "2100", "0"}},
      {"missing heights are filled from the tables for the papers lacking them",
       {"A4", "A5"}, {"9", "11"}, {"2099", "1485"}, {"2970"},
       {"A4", "A5", "Custom"}, {"9", "11", "256"}, {"2099", "1480", "0"}, {"2970", "2100", "0"}},
      {"sizes beyond the last paper are discarded",
       {"A4"}, {"9"}, {"2100", "5", "6"}, {"2970", "7", "8"},
       {"A4", "Custom"}, {"9", "256"}, {"2100", "0"}, {"2970", "0"}},
      {"negative sizes from a confused driver drop the paper",
       {"A4", "Bad"}, {"9", "8"}, {"2100", "-5"}, {"2970", "4200"},
       {"A4", "Custom"}, {"9", "256"}, {"2100", "0"}, {"2970", "0"}},
      {"no papers at all leave the custom paper",
       {}, {}, {}, {},
       {"Custom"}, {"256"}, {"0"}, {"0"}},
  };
  for (const PaperCase& c : cases) {
    SCOPED_TRACE(c.what);
    TprPrinterCapabilities capabilities("Test");
    Fill(capabilities.PaperNames(), c.names);
    Fill(capabilities.PaperNumbers(), c.numbers);
    Fill(capabilities.PaperWidths(), c.widths);
    Fill(capabilities.PaperHeights(), c.heights);
    capabilities.NormalizePapers(TprUnitConverter(96));
    EXPECT_EQ(LinesOf(capabilities.PaperNames()), c.expected_names);
    EXPECT_EQ(LinesOf(capabilities.PaperNumbers()), c.expected_numbers);
    EXPECT_EQ(LinesOf(capabilities.PaperWidths()), c.expected_widths);
    EXPECT_EQ(LinesOf(capabilities.PaperHeights()), c.expected_heights);
  }
}

TEST(PrinterCapabilities, NormalizeBins) {
  struct BinCase {
    const char* what;
    Lines names, numbers, expected_names, expected_numbers;
  };
  const BinCase cases[] = {
      {"no bins: a default bin", {}, {}, {"Default"}, {"7"}},
      {"a default bin in front of the driver's", {"Upper", "Lower"}, {"1", "2"},
       {"Default", "Upper", "Lower"}, {"7", "1", "2"}},
      {"a driver's default bin stays where it is", {"Auto", "Default", "Tray 1"}, {"15", "256", "257"},
       {"Auto", "Default", "Tray 1"}, {"15", "256", "257"}},
      {"more names than numbers", {"Upper", "Lower", "Manual"}, {"1"}, {"Default", "Upper"}, {"7", "1"}},
      {"more numbers than names", {"Upper"}, {"1", "2", "3"}, {"Default", "Upper"}, {"7", "1"}},
  };
  for (const BinCase& c : cases) {
    SCOPED_TRACE(c.what);
    TprPrinterCapabilities capabilities("Test");
    Fill(capabilities.BinNames(), c.names);
    Fill(capabilities.BinNumbers(), c.numbers);
    capabilities.NormalizeBins();
    EXPECT_EQ(LinesOf(capabilities.BinNames()), c.expected_names);
    EXPECT_EQ(LinesOf(capabilities.BinNumbers()), c.expected_numbers);
  }
}

TEST(PrinterCapabilities, DecodeDriverArrays) {
  std::vector<uint8_t> names(3 * 4, 0);
  names[0] = 'A';
  names[1] = '4';
  for (int i = 4; i < 8; ++i)
    names[i] = 'X';  // fills its item: no terminating zero
  names[8] = 'B';
  EXPECT_EQ(prDecodeCapabilityTexts(names, 4), (Lines{"A4", "XXXX", "B"}));
  names.push_back('Z');  // a partial item is not a name
  EXPECT_EQ(prDecodeCapabilityTexts(names, 4).size(), 3u);
  EXPECT_TRUE(prDecodeCapabilityTexts(names, 0).empty());

  std::vector<uint8_t> words{9, 0, 0x00, 0x01, 0xFF, 0xFF, 7};
  EXPECT_EQ(prDecodeCapabilityWords(words), (Lines{"9", "256", "65535"}));

  std::vector<uint8_t> pairs{0x34, 0x08, 0, 0, 0x9A, 0x0B, 0, 0,  // 2100 x 2970
                             0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0};   // -1 x 1
  EXPECT_EQ(prDecodeCapabilityPairs(pairs, false), (Lines{"2100", "-1"}));
  EXPECT_EQ(prDecodeCapabilityPairs(pairs, true), (Lines{"2970", "1"}));
  pairs.resize(12);
  EXPECT_EQ(prDecodeCapabilityPairs(pairs, true), (Lines{"2970"}));
}

TEST(PrinterCapabilities, ScreenPrinter) {
  TprPrinterCapabilities capabilities("Screen");
  prFillScreenCapabilities(capabilities, TprUnitConverter(96));
  EXPECT_EQ(LinesOf(capabilities.BinNames()), (Lines{"Default"}));
  EXPECT_EQ(LinesOf(capabilities.BinNumbers()), (Lines{"7"}));
  EXPECT_FALSE(capabilities.Copies());
  EXPECT_EQ(LinesOf(capabilities.PaperNumbers()),
            (Lines{"256", "1", "5", "8", "9", "17", "39", "40", "19", "20", "21", "22", "23"}));
  ASSERT_EQ(capabilities.PaperNames().Count(), 13);
  EXPECT_EQ(capabilities.PaperNames().Line(0), "Custom");
  EXPECT_EQ(capabilities.PaperWidths().Line(0), "0");
  EXPECT_EQ(capabilities.PaperNames().Line(4), "A4 210 x 297 mm");
  EXPECT_EQ(capabilities.PaperHeights().Line(4), "2970");
  EXPECT_EQ(capabilities.PaperWidths().Line(1), "2159");
  EXPECT_EQ(capabilities.IndexOfPaper("a4 210 x 297 MM"), 4);
}

}  // namespace
