#include "editors/edit_paint_utils_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/solid_brush_cache_win.h"
#include "tests/ui/foundation/painters/painter_test_support_win.h"

namespace edit_paint_utils_win_test {

using painter_test::Surface;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

// The rows of an arrow as text: '#' painted, '.' not.
std::string Rows(Surface& surface, const TRect& area) {
  std::string rows;
  for (int32_t y = area.Top; y < area.Bottom; ++y) {
    for (int32_t x = area.Left; x < area.Right; ++x)
      rows += surface.At(x, y) == kRed ? '#' : '.';
    rows += '\n';
  }
  return rows;
}

TEST(EditPaintUtilsTest, ArrowsAreBandsGrowingFromTheTip) {
  Surface surface(20, 20);
  lxDrawArrowGlyph(surface.canvas(), 3, TRect(0, 0, 9, 7), 0x0000FF, false, false, adDown);
  // A 5 by 3 box centred in 9 by 7: from (2, 2).
  EXPECT_EQ(Rows(surface, TRect(1, 1, 8, 6)),
            ".......\n"
            ".#####.\n"
            "..###..\n"
            "...#...\n"
            ".......\n");

  surface.Clear();
  lxDrawArrowGlyph(surface.canvas(), 3, TRect(0, 0, 9, 7), 0x0000FF, true, false, adUp);
  EXPECT_EQ(Rows(surface, TRect(2, 2, 9, 7)),
            ".......\n"
            "...#...\n"
            "..###..\n"
            ".#####.\n"
            ".......\n");

  surface.Clear();
  lxDrawArrowGlyph(surface.canvas(), 2, TRect(0, 0, 6, 5), 0x0000FF, false, true, adRight);
  // Two arrows of two columns side by side, 4 by 3, from (1, 1).
  EXPECT_EQ(Rows(surface, TRect(0, 0, 6, 5)),
            "......\n"
            ".#.#..\n"
            ".####.\n"
            ".#.#..\n"
            "......\n");
}

TEST(EditPaintUtilsTest, EdgeLinesDrawTheirSidesAndNarrowTheRectangle) {
  Surface surface(20, 20);
  TRect rect(2, 2, 12, 10);
  lxDrawEdgeLines(surface.canvas(), rect, kLxEdgeLeft | kLxEdgeRight, 0x0000FF);
  EXPECT_EQ(rect, TRect(3, 2, 11, 10));
  EXPECT_EQ(surface.At(2, 2), kRed);
  EXPECT_EQ(surface.At(2, 9), kRed);
  EXPECT_EQ(surface.At(11, 5), kRed);
  EXPECT_EQ(surface.At(12, 5), kWhite);
  EXPECT_EQ(surface.At(5, 2), kWhite);

  TRect framed(0, 0, 6, 6);
  lxDrawTwoColorFrameAndShrink(surface.canvas(), framed, 0x0000FF, 0x00FF00);
  EXPECT_EQ(framed, TRect(1, 1, 5, 5));
  EXPECT_EQ(surface.At(0, 0), kRed);
  EXPECT_EQ(surface.At(4, 0), kRed);
  EXPECT_EQ(surface.At(5, 0), RGB(0, 255, 0));
  EXPECT_EQ(surface.At(0, 5), RGB(0, 255, 0));
  EXPECT_EQ(surface.At(1, 1), kWhite);
}

TEST(EditPaintUtilsTest, FillingAroundAHoleLeavesTheHole) {
  Surface surface(20, 20);
  const HBRUSH red = lxGetSolidBrush(0x0000FF);
  lxFillRectAroundHoleWithBrush(surface.canvas(), TRect(0, 0, 10, 10), TRect(3, 3, 7, 7), red);
  EXPECT_EQ(surface.At(0, 0), kRed);
  EXPECT_EQ(surface.At(5, 2), kRed);
  EXPECT_EQ(surface.At(5, 7), kRed);
  EXPECT_EQ(surface.At(9, 9), kRed);
  EXPECT_EQ(surface.At(3, 3), kWhite);
  EXPECT_EQ(surface.At(6, 6), kWhite);
  EXPECT_EQ(surface.At(10, 5), kWhite);

  surface.Clear();
  lxFillRectAroundHoleWithBrush(surface.canvas(), TRect(0, 0, 4, 4), TRect(0, 0, 4, 4), red);
  EXPECT_EQ(surface.At(1, 1), kWhite);
  lxFillRectAroundHoleWithBrush(surface.canvas(), TRect(0, 0, 4, 4), TRect(), red);
  EXPECT_EQ(surface.At(1, 1), kRed);
  lxFreeSolidBrushCache();
}

TEST(EditPaintUtilsTest, HotTrackTextIsTheSystemHotLightColour) {
  EXPECT_EQ(lxGetHotTrackTextColor(), clHotLight);
}

TEST(EditPaintUtilsTest, SolidPolyLinesCoverTheirEndPointsWithPenOrBrush) {
  // An L: down from (1, 1) to (1, 4), then right to (4, 4).
  const std::vector<TPoint> points{TPoint(1, 1), TPoint(1, 4), TPoint(4, 4)};
  const std::string expected =
      ".....\n"
      ".#...\n"
      ".#...\n"
      ".#...\n"
      ".####\n"
      ".....\n";
  for (const bool use_brush : {false, true}) {
    Surface surface(8, 8);
    lxDrawPolyLineSolid(surface.canvas(), points, use_brush, 0x0000FF);
    EXPECT_EQ(Rows(surface, TRect(0, 0, 5, 6)), expected) << (use_brush ? "brush" : "pen");
  }
  // Backwards, the brush covers the same pixels.
  Surface backwards(8, 8);
  lxDrawPolyLineSolid(backwards.canvas(), {TPoint(4, 4), TPoint(1, 4), TPoint(1, 1)}, true, 0x0000FF);
  EXPECT_EQ(Rows(backwards, TRect(0, 0, 5, 6)), expected);
}

TEST(EditPaintUtilsTest, RegionsUniteAndReportEmptiness) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_TRUE(lxIsRegionEmpty(region));
  HRGN other = CreateRectRgn(10, 10, 20, 20);
  lxUniteRegion(region, other);
  EXPECT_FALSE(lxIsRegionEmpty(region));
  EXPECT_TRUE(PtInRegion(region, 15, 15));
  DeleteObject(other);
  DeleteObject(region);
}

TEST(EditPaintUtilsTest, ImageListImagesAreCopiedOverTheBackground) {
  TImageList images(4, 4);
  TBitmap image(4, 4, pf24bit);
  image.Canvas().Brush().SetColor(static_cast<TColor>(kRed));
  image.Canvas().FillRect(TRect(0, 0, 4, 4));
  image.Canvas().SetPixel(0, 3, 0);  // black is see-through
  images.AddMasked(image, 0);
  EXPECT_TRUE(lxIsImageListSized(&images));
  EXPECT_FALSE(lxIsImageListSized(nullptr));

  Surface surface(10, 10);
  lxDrawImageListImage(surface.canvas(), images, 0, nullptr, true, 0x00FF00, TRect(3, 3, 9, 9));
  EXPECT_EQ(surface.At(4, 4), kRed);
  EXPECT_EQ(surface.At(3, 6), RGB(0, 255, 0)) << "the see-through pixel shows the background";
  EXPECT_EQ(surface.At(7, 7), kWhite) << "only the list's size is copied";
}

}  // namespace edit_paint_utils_win_test
