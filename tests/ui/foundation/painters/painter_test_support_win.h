#pragma once
// What the painter tests share: the 3-D system colours made distinct for
// the length of a test (so that a swapped edge shows), and a white 32-bit
// memory bitmap with a TlxCanvas over it.

#include <windows.h>

#include <memory>
#include <vector>

#include "platform/toolkit/bitmap.h"
#include "tests/support/system_colors.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/colors/office11_colors_win.h"
#include "ui/foundation/themes/theme_manager_win.h"
#include "ui/foundation/themes/visual_styles_win.h"

namespace painter_test {

// Visual styles off for the painters for the length of a test: the theme
// cache opens nothing until the next style change, which puts it back.
// (Switching the system's theming off and on under the test environment does
// not bring the style back, so the cache's own switch is used.)
class ThemingOff {
 public:
  ThemingOff() {
    lxUxThemeStartup();
    lxThemeManager().SwitchThemesOff();
  }
  ~ThemingOff() { lxThemeManager().ThemeChanged(); }
};

class DistinctSystemColors {
 public:
  DistinctSystemColors() {
    const std::pair<int, COLORREF> colors[] = {
        {COLOR_BTNFACE, RGB(190, 180, 170)},      {COLOR_BTNSHADOW, RGB(110, 100, 90)},
        {COLOR_BTNHIGHLIGHT, RGB(250, 240, 230)}, {COLOR_3DDKSHADOW, RGB(40, 30, 20)},
        {COLOR_3DLIGHT, RGB(220, 210, 200)},      {COLOR_BTNTEXT, RGB(10, 60, 10)},
        {COLOR_WINDOWFRAME, RGB(60, 10, 60)},     {COLOR_HIGHLIGHT, RGB(20, 40, 200)},
        {COLOR_WINDOW, RGB(255, 255, 240)},       {COLOR_GRAYTEXT, RGB(130, 130, 60)},
        {COLOR_WINDOWTEXT, RGB(5, 5, 80)},        {COLOR_HIGHLIGHTTEXT, RGB(240, 250, 10)},
    };
    for (const auto& [element, color] : colors)
      scopes_.push_back(std::make_unique<test_support::ScopedSystemColor>(element, color, lxReloadOffice11Palette));
    lxReloadOffice11Palette();
  }

 private:
  std::vector<std::unique_ptr<test_support::ScopedSystemColor>> scopes_;
};

// A white surface to paint on.
class Surface {
 public:
  explicit Surface(int32_t width = 60, int32_t height = 40)
      : bitmap_(width, height, pf32bit), canvas_(bitmap_.Canvas()) {
    Clear();
  }
  // Also lifts any clipping a painter left (expand buttons exclude
  // themselves from it).
  void Clear(TColor color = clWhite) {
    SelectClipRgn(canvas_.Handle(), nullptr);
    bitmap_.Canvas().Brush().SetColor(color);
    bitmap_.Canvas().FillRect(TRect(0, 0, bitmap_.Width(), bitmap_.Height()));
  }
  TlxCanvas& canvas() { return canvas_; }
  COLORREF At(int32_t x, int32_t y) { return GetPixel(canvas_.Handle(), x, y); }
  int32_t Width() const { return bitmap_.Width(); }
  int32_t Height() const { return bitmap_.Height(); }

 private:
  TBitmap bitmap_;
  TlxCanvas canvas_;
};

}  // namespace painter_test
