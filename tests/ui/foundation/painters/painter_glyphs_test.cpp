#include "ui/foundation/painters/painter_glyphs.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/rtl/exceptions.h"

namespace {

TEST(RadioGlyphKeyTest, KeysFollowTheFlagWeights) {
  struct Case {
    TlxLookAndFeelKind kind;
    TlxButtonState state;
    bool checked, designing, focused;
    int32_t key;
  };
  for (const Case& c : {Case{lfFlat, lxbsNormal, false, false, false, 0},
                        Case{lfUltraFlat, lxbsHot, true, false, true, 85},
                        Case{lfStandard, lxbsDisabled, false, true, false, 3 + 8 + 32},
                        Case{lfOffice11, lxbsDisabled, true, true, true, 127}}) {
    EXPECT_EQ(lxRadioGlyphKey(c.kind, c.state, c.checked, c.designing, c.focused), c.key);
  }
}

TEST(RadioGlyphKeyTest, EveryCombinationHasItsOwnKey) {
  std::set<int32_t> keys;
  for (int kind = lfFlat; kind <= lfOffice11; ++kind)
    for (int state = lxbsNormal; state <= lxbsDisabled; ++state)
      for (int flags = 0; flags < 8; ++flags)
        keys.insert(lxRadioGlyphKey(static_cast<TlxLookAndFeelKind>(kind), static_cast<TlxButtonState>(state),
                                    (flags & 1) != 0, (flags & 2) != 0, (flags & 4) != 0));
  EXPECT_EQ(static_cast<int32_t>(keys.size()), lxRadioGlyphKeyCount);
  EXPECT_EQ(*keys.begin(), 0);
  EXPECT_EQ(*keys.rbegin(), lxRadioGlyphKeyCount - 1);
}

TEST(RadioGlyphKeyTest, StatesAndKindsOutOfRangeAreRefused) {
  EXPECT_THROW(lxRadioGlyphKey(lfFlat, lxbsDefault, false, false, false), EInvalidArgument);
  EXPECT_THROW(lxRadioGlyphKey(lfFlat, static_cast<TlxButtonState>(5), false, false, false), EInvalidArgument);
  EXPECT_THROW(lxRadioGlyphKey(static_cast<TlxLookAndFeelKind>(4), lxbsNormal, false, false, false),
               EInvalidArgument);
}

TlxMonoRaster SquareOutline(int32_t size) {
  TlxMonoRaster raster(size, size);
  for (int32_t i = 0; i < size; ++i) {
    raster.Set(i, 0, true);
    raster.Set(i, size - 1, true);
    raster.Set(0, i, true);
    raster.Set(size - 1, i, true);
  }
  return raster;
}

TEST(RadioPatternTest, SquareRingIsClassifiedCellByCell) {
  TlxMonoRaster dot(5, 5);
  dot.Set(2, 2, true);
  const TlxRadioPattern pattern = lxBuildRadioPattern(SquareOutline(5), dot);
  const int expected[5][5] = {
      {1, 1, 1, 1, 1}, {1, 3, 3, 4, 2}, {1, 3, 6, 4, 2}, {1, 3, 4, 4, 2}, {1, 2, 2, 2, 2},
  };
  for (int32_t y = 0; y < 5; ++y)
    for (int32_t x = 0; x < 5; ++x) EXPECT_EQ(pattern.At(x, y), expected[y][x]) << x << "," << y;
}

TEST(RadioPatternTest, WideRingKeepsItsBodyInsideTheInnerRing) {
  TlxMonoRaster dot(8, 8);
  const TlxRadioPattern pattern = lxBuildRadioPattern(SquareOutline(8), dot);
  for (int32_t y = 2; y <= 5; ++y)
    for (int32_t x = 2; x <= 5; ++x) EXPECT_EQ(pattern.At(x, y), lxrpBody) << x << "," << y;
  EXPECT_EQ(pattern.At(1, 1), lxrpInnerUpperLeft);
  EXPECT_EQ(pattern.At(6, 6), lxrpInnerLowerRight);
  EXPECT_EQ(pattern.At(7, 0), lxrpOuterUpperLeft);
  EXPECT_EQ(pattern.At(7, 1), lxrpOuterLowerRight);
}

TEST(RadioPatternTest, RastersOfDifferentSizesAreRefused) {
  EXPECT_THROW(lxBuildRadioPattern(TlxMonoRaster(5, 5), TlxMonoRaster(5, 4)), EInvalidArgument);
  EXPECT_THROW(TlxMonoRaster(-1, 3), EInvalidArgument);
  const TlxRadioPattern empty = lxBuildRadioPattern(TlxMonoRaster(0, 0), TlxMonoRaster(0, 0));
  EXPECT_EQ(empty.Width(), 0);
  EXPECT_THROW(empty.At(0, 0), EInvalidArgument);
}

TEST(RadioMeasureTest, SpansAndDotRectangle) {
  TlxMonoRaster ring(16, 14);
  ring.Set(2, 5, true);
  ring.Set(13, 1, true);
  ring.Set(7, 12, true);
  const TlxRasterSpan columns = lxBlackColumns(ring);
  const TlxRasterSpan rows = lxBlackRows(ring);
  EXPECT_EQ(columns.First, 2);
  EXPECT_EQ(columns.Count, 3);
  EXPECT_EQ(rows.First, 1);
  EXPECT_EQ(rows.Count, 3);
  EXPECT_EQ(lxBlackColumns(TlxMonoRaster(4, 4)).Count, 0);

  TlxMonoRaster dot(12, 12);
  for (int32_t y = 4; y < 8; ++y)
    for (int32_t x = 4; x < 8; ++x) dot.Set(x, y, true);
  EXPECT_EQ(lxMeasureRadioDot(dot, {0, 12}, {0, 12}), TRect(4, 4, 8, 8));
  EXPECT_TRUE(lxMeasureRadioDot(TlxMonoRaster(12, 12), {0, 12}, {0, 12}).IsEmpty());

  TlxMonoRaster centred(12, 12);
  for (int32_t y = 5; y < 9; ++y)
    for (int32_t x = 5; x < 9; ++x) centred.Set(x, y, true);
  EXPECT_EQ(lxMeasureRadioDot(centred, {0, 12}, {0, 12}), TRect(5, 5, 9, 9));

  TlxMonoRaster all_black(6, 6);
  all_black.Black.assign(all_black.Black.size(), true);
  EXPECT_EQ(lxMeasureRadioDot(all_black, {0, 6}, {0, 6}), TRect(0, 0, 6, 6));
  EXPECT_TRUE(lxMeasureRadioDot(TlxMonoRaster(0, 0), {0, 0}, {0, 0}).IsEmpty());
}

TlxRadioGlyphColors DistinctColors() {
  TlxRadioGlyphColors c;
  c.Window = 1;
  c.WindowText = 2;
  c.BtnFace = 3;
  c.BtnShadow = 4;
  c.BtnHighlight = 5;
  c.BtnText = 6;
  c.Light3D = 7;
  c.DkShadow3D = 8;
  c.Highlight = 9;
  c.UltraFlatHot = 10;
  c.UltraFlatPressed = 11;
  c.Office11Hot = 13;
  c.Office11Pressed = 14;
  c.Office11DisabledText = 15;
  c.Office11SelectedBorder = 16;
  return c;
}

TEST(RadioColorMapTest, RingBodyAndDotColours) {
  const TlxRadioGlyphColors c = DistinctColors();
  struct Case {
    TlxLookAndFeelKind kind;
    TlxButtonState state;
    bool checked, designing, focused;
    TlxRadioColorMap map;
  };
  const Case cases[] = {
      {lfFlat, lxbsNormal, true, false, false, {0, 4, 5, 7, 7, 1, 2}},
      {lfFlat, lxbsPressed, false, false, false, {0, 4, 5, 7, 7, 3, 3}},
      {lfStandard, lxbsDisabled, true, false, false, {0, 4, 5, 8, 7, 3, 4}},
      {lfUltraFlat, lxbsDisabled, true, true, false, {0, 4, 4, 3, 3, 3, 4}},
      {lfUltraFlat, lxbsDisabled, false, false, true, {0, 9, 9, 3, 3, 3, 3}},
      {lfUltraFlat, lxbsHot, true, false, false, {0, 9, 9, 10, 10, 10, 2}},
      {lfUltraFlat, lxbsPressed, false, false, false, {0, 9, 9, 11, 11, 11, 11}},
      {lfUltraFlat, lxbsNormal, false, true, false, {0, 9, 9, 1, 1, 1, 1}},
      {lfUltraFlat, lxbsNormal, false, false, false, {0, 4, 4, 1, 1, 1, 1}},
      {lfOffice11, lxbsNormal, true, false, false, {0, 6, 6, 1, 1, 1, 2}},
      {lfOffice11, lxbsHot, false, false, false, {0, 16, 16, 13, 13, 13, 13}},
      {lfOffice11, lxbsPressed, true, false, false, {0, 16, 16, 14, 14, 14, 2}},
      {lfOffice11, lxbsDisabled, true, true, true, {0, 15, 15, 3, 3, 3, 15}},
      {lfOffice11, lxbsNormal, false, true, false, {0, 16, 16, 1, 1, 1, 1}},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(lxRadioGlyphColorMap(k.kind, k.state, k.checked, k.designing, k.focused, c), k.map)
        << int(k.kind) << " " << int(k.state) << " " << k.checked << k.designing << k.focused;
  }
}

}  // namespace
