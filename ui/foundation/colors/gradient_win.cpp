#include "ui/foundation/colors/gradient_win.h"

#include <bit>
#include <optional>
#include <vector>

#include "ui/foundation/colors/gradient_bands.h"
#include "ui/foundation/colors/office11_colors_win.h"

namespace {

using GradientFillFunction = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

// "msimg32.dll" and its GradientFill, bound on first use and freed at exit.
class GradientLibrary {
 public:
  GradientLibrary() {
    module_ = LoadLibraryA("msimg32.dll");
    if (module_ != nullptr)
      gradient_fill_ = std::bit_cast<GradientFillFunction>(GetProcAddress(module_, "GradientFill"));
  }
  ~GradientLibrary() {
    if (module_ != nullptr)
      FreeLibrary(module_);
  }
  GradientLibrary(const GradientLibrary&) = delete;
  GradientLibrary& operator=(const GradientLibrary&) = delete;

  GradientFillFunction gradient_fill() const { return gradient_fill_; }

 private:
  HMODULE module_ = nullptr;
  GradientFillFunction gradient_fill_ = nullptr;
};

const GradientLibrary& Library() {
  static const GradientLibrary library;
  return library;
}

// A solid brush that lives for one painting call.
class TemporaryBrush {
 public:
  explicit TemporaryBrush(TColor color) : brush_(CreateSolidBrush(ColorToColorRef(color))) {}
  ~TemporaryBrush() {
    if (brush_ != nullptr)
      DeleteObject(brush_);
  }
  TemporaryBrush(const TemporaryBrush&) = delete;
  TemporaryBrush& operator=(const TemporaryBrush&) = delete;

  HBRUSH get() const { return brush_; }

 private:
  HBRUSH brush_;
};

RECT SystemRect(const TRect& rect) { return RECT{rect.Left, rect.Top, rect.Right, rect.Bottom}; }

void FillWithBrush(HDC dc, const TRect& rect, HBRUSH brush) {
  const RECT system_rect = SystemRect(rect);
  FillRect(dc, &system_rect, brush);
}

COLOR16 VertexChannel(uint8_t channel) { return static_cast<COLOR16>(channel << 8); }

TRIVERTEX Vertex(int32_t x, int32_t y, TColor color) {
  return TRIVERTEX{x, y, VertexChannel(GetRValue32(color)), VertexChannel(GetGValue32(color)),
                   VertexChannel(GetBValue32(color)), 0};
}

// The brush to paint with: the one given, else the palette's, else a
// temporary one of the palette's colour.
HBRUSH GripBrush(HBRUSH given, HBRUSH palette_brush, TColor palette_color, std::optional<TemporaryBrush>& temporary) {
  if (given != nullptr)
    return given;
  if (palette_brush != nullptr)
    return palette_brush;
  temporary.emplace(palette_color);
  return temporary->get();
}

}  // namespace

bool lxGradientFillBound() { return Library().gradient_fill() != nullptr; }

void lxPaintGradient(HDC dc, const TRect& rect, TColor from, TColor to, bool horizontal) {
  if (rect.Width() <= 0 || rect.Height() <= 0)
    return;
  const TColor from_rgb = ColorToRGB(from);
  const TColor to_rgb = ColorToRGB(to);
  if (from_rgb == to_rgb) {
    lxFillRectSolid(dc, rect, from_rgb);
    return;
  }
  const GradientFillFunction gradient_fill = Library().gradient_fill();
  if (gradient_fill == nullptr) {
    lxPaintGradientInBands(dc, rect, from_rgb, to_rgb, horizontal);
    return;
  }
  TRIVERTEX vertices[2] = {Vertex(rect.Left, rect.Top, from_rgb), Vertex(rect.Right, rect.Bottom, to_rgb)};
  GRADIENT_RECT corners{0, 1};
  gradient_fill(dc, vertices, 2, &corners, 1, horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

void lxPaintGradientInBands(HDC dc, const TRect& rect, TColor from, TColor to, bool horizontal) {
  if (rect.Width() <= 0 || rect.Height() <= 0)
    return;
  const int32_t origin = horizontal ? rect.Left : rect.Top;
  const int32_t extent = horizontal ? rect.Width() : rect.Height();
  for (const TlxGradientBand& band : lxGradientBands(origin, extent, ColorToRGB(from), ColorToRGB(to))) {
    const TRect band_rect = horizontal ? TRect{band.Start, rect.Top, band.End, rect.Bottom}
                                       : TRect{rect.Left, band.Start, rect.Right, band.End};
    lxFillRectSolid(dc, band_rect, band.Color);
  }
}

void lxFillRectSolid(HDC dc, const TRect& rect, TColor color) {
  const TemporaryBrush brush(color);
  FillWithBrush(dc, rect, brush.get());
}

void lxOffice11PaintGripDots(HDC dc, const TRect& rect, bool horizontal, HBRUSH light_brush, HBRUSH dark_brush) {
  const std::vector<TPoint> cells = lxGripDotCells(rect, horizontal);
  if (cells.empty())
    return;
  const TlxOffice11Palette& palette = lxOffice11Palette();
  std::optional<TemporaryBrush> temporary_light;
  std::optional<TemporaryBrush> temporary_dark;
  const HBRUSH light = GripBrush(light_brush, lxOffice11GripLightBrush(), palette.GripLightColor, temporary_light);
  const HBRUSH dark = GripBrush(dark_brush, lxOffice11GripDarkBrush(), palette.GripDarkColor, temporary_dark);
  for (const TPoint cell : cells) {
    FillWithBrush(dc, lxGripDotLightSquare(cell), light);
    FillWithBrush(dc, lxGripDotDarkSquare(cell), dark);
  }
}

void lxOffice11PaintSizeGrip(HDC dc, const TRect& rect, TColor dark_color, TColor light_color) {
  std::optional<TemporaryBrush> dark;
  std::optional<TemporaryBrush> light;
  if (dark_color != clDefault)
    dark.emplace(dark_color);
  if (light_color != clDefault)
    light.emplace(light_color);
  for (const TRect& row : lxSizeGripRows(rect))
    lxOffice11PaintGripDots(dc, row, false, light ? light->get() : nullptr, dark ? dark->get() : nullptr);
}
