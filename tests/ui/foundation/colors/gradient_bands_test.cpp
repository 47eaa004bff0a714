#include "ui/foundation/colors/gradient_bands.h"

#include <gtest/gtest.h>

namespace gradient_bands_test {

constexpr TlxRGB RGB3(int32_t red, int32_t green, int32_t blue) { return red | (green << 8) | (blue << 16); }

// Bands must tile [origin, origin + extent) without gaps or overlaps.
void ExpectBandsTile(const std::vector<TlxGradientBand>& bands, int32_t origin, int32_t extent) {
  ASSERT_FALSE(bands.empty());
  EXPECT_EQ(bands.front().Start, origin);
  EXPECT_EQ(bands.back().End, origin + extent);
  for (size_t i = 1; i < bands.size(); ++i)
    EXPECT_EQ(bands[i].Start, bands[i - 1].End) << i;
  for (const TlxGradientBand& band : bands)
    EXPECT_LT(band.Start, band.End);
}

TEST(GradientBandsTest, AWideGradientUsesAtMost256BandsEndingAtTheFarEdge) {
  const auto bands = lxGradientBands(10, 1000, RGB3(0, 0, 0), RGB3(255, 255, 255));
  EXPECT_EQ(bands.size(), 256u);
  ExpectBandsTile(bands, 10, 1000);
  EXPECT_EQ(bands.front().Color, RGB3(0, 0, 0));
  EXPECT_EQ(bands.back().Color, RGB3(255, 255, 255));
}

TEST(GradientBandsTest, ANarrowGradientHasOneBandPerPixel) {
  const auto bands = lxGradientBands(-3, 5, RGB3(0, 100, 200), RGB3(200, 100, 0));
  ASSERT_EQ(bands.size(), 5u);
  ExpectBandsTile(bands, -3, 5);
  const TlxRGB expected[] = {RGB3(0, 100, 200), RGB3(50, 100, 150), RGB3(100, 100, 100), RGB3(150, 100, 50),
                             RGB3(200, 100, 0)};
  for (size_t i = 0; i < bands.size(); ++i)
    EXPECT_EQ(bands[i].Color, expected[i]) << i;
}

TEST(GradientBandsTest, OnePixelIsOneBandInTheFromColour) {
  const auto bands = lxGradientBands(4, 1, RGB3(1, 2, 3), RGB3(250, 250, 250));
  ASSERT_EQ(bands.size(), 1u);
  EXPECT_EQ(bands[0], (TlxGradientBand{4, 5, RGB3(1, 2, 3)}));
}

TEST(GradientBandsTest, NoBandsForAnEmptyOrInvertedExtent) {
  EXPECT_TRUE(lxGradientBands(0, 0, 0, 0xFFFFFF).empty());
  EXPECT_TRUE(lxGradientBands(0, -20, 0, 0xFFFFFF).empty());
}

TEST(GradientBandsTest, ColoursMoveMonotonicallyFromOneEndToTheOther) {
  const auto bands = lxGradientBands(0, 300, RGB3(255, 0, 10), RGB3(0, 255, 10));
  ExpectBandsTile(bands, 0, 300);
  for (size_t i = 1; i < bands.size(); ++i) {
    EXPECT_LE(bands[i].Color & 0xFF, bands[i - 1].Color & 0xFF);
    EXPECT_GE((bands[i].Color >> 8) & 0xFF, (bands[i - 1].Color >> 8) & 0xFF);
    EXPECT_EQ((bands[i].Color >> 16) & 0xFF, 10);
  }
}

TEST(GripDotsTest, CellsStepAlongTheGripAndShareOutTheRemainder) {
  struct Case {
    TRect rect;
    bool horizontal;
    std::vector<TPoint> expected;
  };
  const Case cases[] = {
      // Horizontal grips step down; 12 rows leave no remainder.
      {TRect{0, 0, 3, 12}, true, {{0, 0}, {0, 4}, {0, 8}}},
      // Remainder 1 moves the first cell by 1; remainder 2 and 3 by 1.
      {TRect{0, 0, 3, 13}, true, {{0, 1}, {0, 5}, {0, 9}}},
      {TRect{0, 0, 3, 14}, true, {{0, 1}, {0, 5}, {0, 9}}},
      {TRect{0, 0, 3, 15}, true, {{0, 1}, {0, 5}, {0, 9}}},
      // Other grips step right from the rectangle's corner.
      {TRect{5, 7, 13, 10}, false, {{5, 7}, {9, 7}}},
      {TRect{5, 7, 14, 10}, false, {{6, 7}, {10, 7}}},
      // Shorter than one cell: nothing.
      {TRect{0, 0, 3, 3}, true, {}},
      {TRect{0, 0, 20, -5}, true, {}},
  };
  for (const Case& c : cases) {
    const auto cells = lxGripDotCells(c.rect, c.horizontal);
    ASSERT_EQ(cells.size(), c.expected.size()) << c.rect.Width() << "x" << c.rect.Height();
    for (size_t i = 0; i < cells.size(); ++i) {
      EXPECT_EQ(cells[i].X, c.expected[i].X) << i;
      EXPECT_EQ(cells[i].Y, c.expected[i].Y) << i;
    }
  }
}

TEST(GripDotsTest, ADotIsALightSquareUnderADarkOneUpAndLeft) {
  EXPECT_EQ(lxGripDotLightSquare(TPoint{4, 8}), (TRect{5, 9, 7, 11}));
  EXPECT_EQ(lxGripDotDarkSquare(TPoint{4, 8}), (TRect{4, 8, 6, 10}));
}

TEST(GripDotsTest, ASizeGripIsAStaircaseOfThreeTwoAndOneDots) {
  const auto rows = lxSizeGripRows(TRect{0, 0, 40, 30});
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (TRect{28, 27, 40, 30}));
  EXPECT_EQ(rows[1], (TRect{32, 23, 40, 26}));
  EXPECT_EQ(rows[2], (TRect{36, 19, 40, 22}));
  EXPECT_EQ(lxGripDotCells(rows[0], false).size(), 3u);
  EXPECT_EQ(lxGripDotCells(rows[1], false).size(), 2u);
  EXPECT_EQ(lxGripDotCells(rows[2], false).size(), 1u);
}

}  // namespace gradient_bands_test
