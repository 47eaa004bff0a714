#include "ui/foundation/painters/gradient_strips_win.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/ui/foundation/painters/painter_test_support_win.h"
#include "ui/foundation/colors/gradient_win.h"

namespace {

// Every pixel of both surfaces, the painted rectangle and what lies around it.
int32_t DifferingPixels(painter_test::Surface& a, painter_test::Surface& b) {
  int32_t differing = 0;
  for (int32_t y = 0; y < a.Height(); ++y)
    for (int32_t x = 0; x < a.Width(); ++x)
      differing += a.At(x, y) != b.At(x, y) ? 1 : 0;
  return differing;
}

// A copy must give exactly the pixels that GradientFill gives, wherever the
// rectangle stands, also once the strip comes from the cache and after the
// cache has dropped it.
TEST(GradientStripsWinTest, CopiesArePixelForPixelTheGradient) {
  struct Case {
    TRect rect;
    TColor from;
    TColor to;
  };
  const Case cases[] = {
      {TRect(0, 0, 40, 4), RGBColor(250, 250, 250), RGBColor(10, 20, 30)},
      {TRect(7, 13, 47, 17), RGBColor(250, 250, 250), RGBColor(10, 20, 30)},  // same strip, elsewhere
      {TRect(3, 2, 4, 30), clBtnFace, clBtnShadow},                             // system colours, one column
      {TRect(-5, -2, 20, 3), RGBColor(0, 0, 0), RGBColor(255, 255, 255)},      // partly outside
      {TRect(10, 10, 10, 20), clRed, clBlue},                                   // empty
      {TRect(2, 5, 30, 6), clRed, clRed},                                       // one colour
  };
  painter_test::Surface direct(64, 40);
  painter_test::Surface cached(64, 40);
  for (int pass = 0; pass < 2; ++pass) {
    for (const Case& c : cases) {
      direct.Clear();
      cached.Clear();
      lxPaintGradient(direct.canvas().Handle(), c.rect, c.from, c.to, false);
      lxPaintVerticalGradientCached(cached.canvas().Handle(), c.rect, c.from, c.to);
      EXPECT_EQ(DifferingPixels(direct, cached), 0)
          << "pass " << pass << " at " << c.rect.Left << "," << c.rect.Top << " size " << c.rect.Width() << "x"
          << c.rect.Height();
    }
    // Enough other strips to push the cases' strips out before the next pass.
    for (int32_t width = 1; width <= 40; ++width)
      lxPaintVerticalGradientCached(cached.canvas().Handle(), TRect(0, 0, width, 3), clWhite, clBlack);
  }
  // The comparison above must have seen a real gradient.
  cached.Clear();
  lxPaintVerticalGradientCached(cached.canvas().Handle(), cases[0].rect, cases[0].from, cases[0].to);
  EXPECT_NE(cached.At(1, 0), cached.At(1, 3));
  EXPECT_EQ(cached.At(0, 0), cached.At(39, 0));
}

}  // namespace
