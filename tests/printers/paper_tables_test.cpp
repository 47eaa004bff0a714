#include "printers/paper_tables.h"

#include <gtest/gtest.h>

namespace {

TEST(PaperTables, NamesAreTheStoredTextsExactly) {
  struct Case {
    int32_t id;
    const char* name;
  };
  const Case cases[] = {
      {1, "Letter 8 1/2 x 11 in"},
      {2, "Letter 8 1/2 x 11 in"},
      {5, "Legal 8 12 x 14 in"},
      {9, "A4 210 x 297 mm"},
      {12, "B4 (JIS) 250 x 354"},
      {27, "Envelope DL 110 x 220mm"},
      {29, " Envelope C3  324 x 458 mm"},
      {47, "Envelope Invite 220 x 220 mm"},
      {50, "Letter Extra 9 \\275 x 12 in"},
      {56, "Letter Extra Transverse 9\\275 x 12 in"},
      {68, "A3 Extra Transverse 322 x 445 mm"},
      {118, "DMPAPER_A3_EXTRA_TRANSVERSE"},
      {256, "Custom"},
      {0, "Unknown"},
      {48, "Unknown"},
      {49, "Unknown"},
      {69, "Unknown"},
      {257, "Unknown"},
      {-1, "Unknown"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(prPaperName(c.id), c.name) << c.id;
}

TEST(PaperTables, SizesInTenthsOfMillimetres) {
  const TprUnitConverter screen(96);
  struct Case {
    int32_t id;
    TprPaperSize size;
  };
  const Case cases[] = {
      {9, {2100, 2970}},  {10, {2100, 2970}}, {55, {2100, 2970}},  // the transverse paper is not turned
      {12, {2500, 3540}}, {35, {1760, 1250}}, {61, {1480, 2100}}, {67, {2970, 4200}},
      {1, {2159, 2794}},  {4, {4318, 2794}},  {19, {984, 2254}},  {39, {3778, 2794}},
      {50, {2354, 3048}},  // 9.275 inches, as stored, not 9.5
      {48, {0, 0}},       {49, {0, 0}},       {118, {0, 0}},      {256, {0, 0}},       {-5, {0, 0}},
  };
  for (const Case& c : cases) {
    TprPaperSize size = prPaperSize(c.id, screen);
    EXPECT_EQ(size.width, c.size.width) << c.id;
    EXPECT_EQ(size.height, c.size.height) << c.id;
  }
}

TEST(PaperTables, MetricSizesDoNotDependOnTheScreen) {
  EXPECT_EQ(prPaperSize(9, TprUnitConverter(72)), (TprPaperSize{2100, 2970}));
  EXPECT_EQ(prPaperSize(9), (TprPaperSize{2100, 2970}));
}

TEST(PaperTables, SizeText) {
  EXPECT_EQ(prPaperSizeText(2000, 3000), "200 x 300 mm");
  EXPECT_EQ(prPaperSizeText(2159, 2794), "215 x 279 mm");
  EXPECT_EQ(prPaperSizeText(0, 9), "0 x 0 mm");
}

}  // namespace
