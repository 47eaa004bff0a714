#include "editors/edit_paint_utils_win.h"

#include <algorithm>
#include <memory>

#include "editors/edit_button_view_info_win.h"
#include "editors/solid_brush_cache_win.h"
#include "ui/foundation/colors/office11_colors_win.h"
#include "ui/foundation/painters/office11_painter_win.h"

namespace {

bool IsEmptyRect(const TRect& rect) { return rect.Right <= rect.Left || rect.Bottom <= rect.Top; }

void Band(TlxCanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom, HBRUSH brush) {
  lxFillRectWithBrush(canvas.Handle(), TRect(left, top, right, bottom), brush);
}

}  // namespace

void lxFillRectWithBrush(HDC dc, const TRect& rect, HBRUSH brush) {
  const RECT area{rect.Left, rect.Top, rect.Right, rect.Bottom};
  FillRect(dc, &area, brush);
}

void lxFillRectWithColor(TlxCanvas& canvas, const TRect& rect, TColor color) {
  lxFillRectWithBrush(canvas.Handle(), rect, lxGetSolidBrush(color));
}

void lxFillRectAroundHoleWithBrush(TlxCanvas& canvas, const TRect& rect, const TRect& hole, HBRUSH brush) {
  if (IsEmptyRect(rect) || rect == hole)
    return;
  if (IsEmptyRect(hole)) {
    lxFillRectWithBrush(canvas.Handle(), rect, brush);
    return;
  }
  Band(canvas, rect.Left, rect.Top, hole.Left, rect.Bottom, brush);
  Band(canvas, hole.Left, rect.Top, hole.Right, hole.Top, brush);
  Band(canvas, hole.Left, hole.Bottom, hole.Right, rect.Bottom, brush);
  Band(canvas, hole.Right, rect.Top, rect.Right, rect.Bottom, brush);
}

void lxDrawEdgeLines(TlxCanvas& canvas, TRect& rect, uint32_t edges, TColor color) {
  TlxBrushPaintScope paint;
  const HBRUSH brush = lxGetSolidBrush(color);
  if ((edges & kLxEdgeLeft) != 0) {
    Band(canvas, rect.Left, rect.Top, rect.Left + 1, rect.Bottom, brush);
    ++rect.Left;
  }
  if ((edges & kLxEdgeRight) != 0) {
    Band(canvas, rect.Right - 1, rect.Top, rect.Right, rect.Bottom, brush);
    --rect.Right;
  }
  if ((edges & kLxEdgeTop) != 0) {
    Band(canvas, rect.Left, rect.Top, rect.Right, rect.Top + 1, brush);
    ++rect.Top;
  }
  if ((edges & kLxEdgeBottom) != 0) {
    Band(canvas, rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom, brush);
    --rect.Bottom;
  }
}

void lxDrawTwoColorFrameAndShrink(TlxCanvas& canvas, TRect& rect, TColor top_left, TColor bottom_right) {
  TlxBrushPaintScope paint;
  const HBRUSH light = lxGetSolidBrush(top_left);
  const HBRUSH dark = lxGetSolidBrush(bottom_right);
  Band(canvas, rect.Left, rect.Top, rect.Right - 1, rect.Top + 1, light);
  Band(canvas, rect.Left, rect.Top, rect.Left + 1, rect.Bottom - 1, light);
  Band(canvas, rect.Right - 1, rect.Top, rect.Right, rect.Bottom, dark);
  Band(canvas, rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom, dark);
  rect = TRect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
}

void lxDrawFrameAndShrink(TlxCanvas& canvas, TRect& rect, TColor color) {
  lxDrawTwoColorFrameAndShrink(canvas, rect, color, color);
}

void lxDrawArrowGlyph(TlxCanvas& canvas, int32_t size, const TRect& rect, TColor color, bool pressed, bool twin,
                      TlxArrowDirection direction) {
  if (size <= 0)
    return;
  const int32_t count = twin ? 2 : 1;
  const bool vertical = direction == adUp || direction == adDown;
  const int32_t base = 2 * size - 1;
  const int32_t box_width = vertical ? base : count * size;
  const int32_t box_height = vertical ? count * size : base;
  int32_t x = rect.Left + (rect.Right - rect.Left - box_width) / 2;
  int32_t y = rect.Top + (rect.Bottom - rect.Top - box_height) / 2;
  if (pressed) {
    ++x;
    ++y;
  }
  TlxBrushPaintScope paint;
  const HBRUSH brush = lxGetSolidBrush(color);
  for (int32_t arrow = 0; arrow < count; ++arrow) {
    for (int32_t step = 0; step < size; ++step) {
      // Half the band's length beside the tip: the tip row is one pixel.
      const int32_t half = (direction == adUp || direction == adLeft) ? step : size - 1 - step;
      const int32_t from = size - 1 - half;
      const int32_t to = size + half;
      if (vertical)
        Band(canvas, x + from, y + step, x + to, y + step + 1, brush);
      else
        Band(canvas, x + step, y + from, x + step + 1, y + to, brush);
    }
    if (vertical)
      y += size;
    else
      x += size;
  }
}

bool lxIsBitmapUsable(const TBitmap* bitmap) {
  return bitmap != nullptr && !bitmap->Empty() && bitmap->Width() != 0 && bitmap->Height() != 0;
}

void lxDrawEditGlyph(TlxCanvas& canvas, int32_t x, int32_t y, TColor background, bool enabled, TBitmap& glyph) {
  canvas.DrawGlyphBitmap(x, y, glyph, enabled, background);
}

void lxDrawPolyLineSolid(TlxCanvas& canvas, const std::vector<TPoint>& points, bool use_brush, TColor color) {
  if (points.empty())
    return;
  if (!use_brush) {
    canvas.Pen().SetColor(color);
    canvas.Polyline(points);
    canvas.PutPixel(points.back().X, points.back().Y, color);
    return;
  }
  for (size_t i = 1; i < points.size(); ++i) {
    const TPoint& from = points[i - 1];
    const TPoint& to = points[i];
    // Diagonal segments have no rectangle; the routine draws the straight
    // lines of frames and marks.
    if (from.X != to.X && from.Y != to.Y)
      continue;
    lxFillRectWithColor(canvas,
                        TRect(std::min(from.X, to.X), std::min(from.Y, to.Y), std::max(from.X, to.X) + 1,
                              std::max(from.Y, to.Y) + 1),
                        color);
  }
  const TPoint& last = points.back();
  lxFillRectWithColor(canvas, TRect(last.X, last.Y, last.X + 1, last.Y + 1), color);
}

bool lxIsImageListSized(const TCustomImageList* images) {
  return images != nullptr && images->Width() > 0 && images->Height() > 0;
}

void lxDrawImageListImage(TlxCanvas& canvas, TCustomImageList& images, int32_t index, TBitmap* bitmap,
                          bool enabled, TColor background, const TRect& rect) {
  std::unique_ptr<TBitmap> own;
  if (bitmap == nullptr) {
    own = std::make_unique<TBitmap>(images.Width(), images.Height());
    own->Canvas().Brush().SetColor(background);
    own->Canvas().FillRect(TRect(0, 0, images.Width(), images.Height()));
    bitmap = own.get();
  }
  images.Draw(bitmap->Canvas(), 0, 0, index, enabled);
  canvas.Canvas().Draw(rect.Left, rect.Top, bitmap);
}

bool lxIsRegionEmpty(HRGN region) {
  RECT box;
  return GetRgnBox(region, &box) == NULLREGION;
}

void lxUniteRegion(HRGN region, HRGN other) { CombineRgn(region, region, other, RGN_OR); }

void lxSendKeyDown(TWinControl& edit, uint16_t key) { SendMessageW(edit.Handle(), WM_KEYDOWN, key, 0); }

void lxSendChar(TWinControl& edit, char16_t ch) { SendMessageW(edit.Handle(), WM_CHAR, ch, 0); }

TColor lxGetHotTrackTextColor() {
  // Every supported system has the hot-light colour.
  return clHotLight;
}

TColor lxGetHighlightBorderColor(bool office11) {
  return office11 ? TColor(lxOffice11Palette().SelectedBorderColor) : clHighlight;
}

TColor lxGetFlatButtonStateColor(bool pressed, bool office11) {
  const TlxButtonState state = pressed ? lxbsPressed : lxbsHot;
  if (office11)
    return lxPainter<TlxOffice11LookAndFeelPainter>().GetButtonColor(state);
  return lxPainter<TlxUltraFlatLookAndFeelPainter>().GetButtonColor(state);
}

TColor lxGetOffice11ButtonFaceColor() {
  return lxPainter<TlxOffice11LookAndFeelPainter>().GetButtonColor(lxbsNormal);
}

TlxGradientColors lxGetOffice11ButtonGradient(uint8_t state) {
  const TlxOffice11Palette& palette = lxOffice11Palette();
  switch (state) {
    case kLxButtonStatePressed:
      return {palette.PressedColor1, palette.PressedColor2};
    case kLxButtonStateHot:
      return {palette.HotColor1, palette.HotColor2};
    case kLxButtonStateNormal:
      return {palette.BarLightColor, palette.BarDarkColor};
    default:
      return {clBtnFace, clBtnFace};
  }
}
