#include "ui/foundation/colors/gradient_win.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/ui/foundation/themes/theme_test_surface_win.h"
#include "ui/foundation/colors/office11_colors_win.h"

namespace {

using theme_test::PaintSurface;

constexpr COLORREF kBackground = RGB(255, 0, 255);

bool Near(COLORREF a, COLORREF b, int tolerance) {
  const auto near_channel = [tolerance](int x, int y) { return x - y <= tolerance && y - x <= tolerance; };
  return near_channel(GetRValue(a), GetRValue(b)) && near_channel(GetGValue(a), GetGValue(b)) &&
         near_channel(GetBValue(a), GetBValue(b));
}

// The number of runs of equal colour along row `y`.
int ColorRunsInRow(const PaintSurface& surface, int y) {
  int runs = 0;
  COLORREF previous = CLR_INVALID;
  for (int x = 0; x < surface.width(); ++x) {
    if (surface.At(x, y) != previous)
      ++runs;
    previous = surface.At(x, y);
  }
  return runs;
}

TEST(GradientPaintTest, TheSystemGradientRunsFromOneColourToTheOther) {
  ASSERT_TRUE(lxGradientFillBound());
  PaintSurface surface(200, 40, kBackground);
  lxPaintGradient(surface.dc(), TRect{0, 0, 200, 20}, clBlack, clWhite, true);
  lxPaintGradient(surface.dc(), TRect{0, 20, 200, 40}, clRed, clBlue, false);
  EXPECT_TRUE(Near(surface.At(0, 5), RGB(0, 0, 0), 3));
  EXPECT_TRUE(Near(surface.At(100, 5), RGB(128, 128, 128), 4));
  EXPECT_TRUE(Near(surface.At(199, 5), RGB(255, 255, 255), 3));
  // Vertical: the rows change, the columns do not.
  EXPECT_TRUE(Near(surface.At(0, 20), RGB(255, 0, 0), 15));
  EXPECT_TRUE(Near(surface.At(150, 39), RGB(0, 0, 255), 15));
  EXPECT_EQ(surface.At(10, 30), surface.At(190, 30));
  EXPECT_EQ(surface.CountOtherThan(kBackground), 200 * 40);
}

TEST(GradientPaintTest, AWideBandedGradientHas256BandsAndEndsAtTheRightEdge) {
  PaintSurface surface(1010, 4, kBackground);
  lxPaintGradientInBands(surface.dc(), TRect{5, 0, 1005, 4}, clBlack, clRed, true);
  EXPECT_EQ(surface.At(4, 1), kBackground);
  EXPECT_EQ(surface.At(5, 1), RGB(0, 0, 0));
  EXPECT_EQ(surface.At(1004, 1), RGB(255, 0, 0));
  EXPECT_EQ(surface.At(1005, 1), kBackground);
  // The background on both sides makes two more runs.
  EXPECT_EQ(ColorRunsInRow(surface, 1), 256 + 2);
}

TEST(GradientPaintTest, AOnePixelHighGradientIsTheFromColour) {
  PaintSurface surface(30, 3, kBackground);
  lxPaintGradientInBands(surface.dc(), TRect{0, 1, 30, 2}, RGB(10, 20, 30), RGB(200, 100, 0), false);
  lxPaintGradient(surface.dc(), TRect{0, 2, 30, 3}, RGB(10, 20, 30), RGB(200, 100, 0), false);
  for (int x : {0, 15, 29}) {
    EXPECT_EQ(surface.At(x, 0), kBackground);
    EXPECT_EQ(surface.At(x, 1), RGB(10, 20, 30));
    EXPECT_TRUE(Near(surface.At(x, 2), RGB(10, 20, 30), 1));
  }
}

TEST(GradientPaintTest, EqualColoursFillSolidAndEmptyRectanglesStayUntouched) {
  PaintSurface surface(20, 20, kBackground);
  lxPaintGradient(surface.dc(), TRect{0, 0, 10, 10}, clBtnFace, ColorToRGB(clBtnFace), true);
  EXPECT_EQ(surface.CountOtherThan(kBackground), 100);
  EXPECT_EQ(surface.At(9, 9), static_cast<COLORREF>(ColorToRGB(clBtnFace)));

  surface.Fill(kBackground);
  for (const TRect& empty : {TRect{5, 5, 5, 15}, TRect{15, 15, 5, 5}, TRect{0, 10, 20, 9}}) {
    lxPaintGradient(surface.dc(), empty, clBlack, clWhite, true);
    lxPaintGradientInBands(surface.dc(), empty, clBlack, clWhite, false);
  }
  EXPECT_EQ(surface.CountOtherThan(kBackground), 0);
}

TEST(GradientPaintTest, SolidFillsCoverExactlyTheRectangle) {
  PaintSurface surface(10, 10, kBackground);
  lxFillRectSolid(surface.dc(), TRect{2, 3, 6, 5}, clGreen);
  EXPECT_EQ(surface.CountOtherThan(kBackground), 8);
  EXPECT_EQ(surface.At(2, 3), RGB(0, 128, 0));
  EXPECT_EQ(surface.At(5, 4), RGB(0, 128, 0));
}

TEST(GripPaintTest, EachDotIsADarkSquareOverALightOne) {
  PaintSurface surface(8, 16, kBackground);
  const HBRUSH light = CreateSolidBrush(RGB(255, 255, 255));
  const HBRUSH dark = CreateSolidBrush(RGB(0, 0, 128));
  lxOffice11PaintGripDots(surface.dc(), TRect{0, 0, 4, 12}, true, light, dark);
  DeleteObject(light);
  DeleteObject(dark);
  for (int cell_top : {0, 4, 8}) {
    EXPECT_EQ(surface.At(0, cell_top), RGB(0, 0, 128)) << cell_top;
    EXPECT_EQ(surface.At(1, cell_top + 1), RGB(0, 0, 128));
    EXPECT_EQ(surface.At(2, cell_top + 2), RGB(255, 255, 255));
    EXPECT_EQ(surface.At(2, cell_top), kBackground);
    EXPECT_EQ(surface.At(3, cell_top + 3), kBackground);
  }
  EXPECT_EQ(surface.CountOtherThan(kBackground), 3 * 7);
}

TEST(GripPaintTest, WithoutBrushesTheDotsTakeThePalettesGripColours) {
  const TlxOffice11Palette& palette = lxOffice11Palette();
  for (bool acquired : {false, true}) {
    if (acquired)
      lxAcquireOffice11Palette();
    PaintSurface surface(12, 4, kBackground);
    lxOffice11PaintGripDots(surface.dc(), TRect{0, 0, 12, 4}, false);
    EXPECT_EQ(surface.At(4, 0), static_cast<COLORREF>(palette.GripDarkColor)) << acquired;
    EXPECT_EQ(surface.At(6, 2), static_cast<COLORREF>(palette.GripLightColor)) << acquired;
    if (acquired)
      lxReleaseOffice11Palette();
  }
}

TEST(GripPaintTest, ASizeGripIsAStaircaseInTheCorner) {
  PaintSurface surface(40, 30, kBackground);
  lxOffice11PaintSizeGrip(surface.dc(), TRect{0, 0, 40, 30}, clNavy, clWhite);
  const COLORREF navy = RGB(0, 0, 128);
  // Bottom row: three dots; above it two; then one, each row further right.
  for (int x : {28, 32, 36})
    EXPECT_EQ(surface.At(x, 27), navy) << x;
  for (int x : {32, 36})
    EXPECT_EQ(surface.At(x, 23), navy) << x;
  EXPECT_EQ(surface.At(36, 19), navy);
  EXPECT_EQ(surface.At(38, 21), RGB(255, 255, 255));
  EXPECT_EQ(surface.At(28, 23), kBackground);
  EXPECT_EQ(surface.At(32, 19), kBackground);
  EXPECT_EQ(surface.CountOtherThan(kBackground), 6 * 7);
}

}  // namespace
