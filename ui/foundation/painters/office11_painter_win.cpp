#include "ui/foundation/painters/office11_painter_win.h"

#include <algorithm>
#include <array>

#include "ui/foundation/canvas/draw_helpers_win.h"
#include "ui/foundation/colors/gradient_win.h"
#include "ui/foundation/colors/office11_colors_win.h"
#include "ui/foundation/geometry/rect_functions.h"
#include "ui/foundation/painters/native_painter_win.h"
#include "ui/foundation/themes/theme_manager_win.h"

namespace {

const TlxOffice11Palette& Palette() { return lxOffice11Palette(); }

constexpr int32_t kExpandGlyphSize = 11;

// lxMixRGB ends with the screen's nearest colour, which asks the display on
// every call; a grid frame mixes the same few pairs for every cell, so the
// last mixes are kept (a new palette brings new pairs).
TColor Mixed(TColor c1, TColor c2, int32_t percent) {
  struct Mix {
    TColor C1;
    TColor C2;
    int32_t Percent;
    TColor Result;
  };
  static std::array<Mix, 8> mixes{};
  static size_t next = 0;
  static size_t used = 0;
  for (size_t i = 0; i < used; ++i)
    if (mixes[i].C1 == c1 && mixes[i].C2 == c2 && mixes[i].Percent == percent)
      return mixes[i].Result;
  const TColor result = lxMixRGB(c1, c2, percent);
  mixes[next] = {c1, c2, percent, result};
  next = (next + 1) % mixes.size();
  used = std::max(used, next == 0 ? mixes.size() : next);
  return result;
}

// The expand button glyph: the program's bitmap when it carries one, else
// the same 11 x 11 figure drawn here (frame, light face, plus or minus).
void DrawExpandGlyph(TCanvas& target, bool expanded) {
  if (HBITMAP resource = lxOffice11ExpandButtonBitmap(expanded)) {
    HDC source = CreateCompatibleDC(target.Handle());
    HGDIOBJ old = SelectObject(source, resource);
    BitBlt(target.Handle(), 0, 0, kExpandGlyphSize, kExpandGlyphSize, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    return;
  }
  const TRect all(0, 0, kExpandGlyphSize, kExpandGlyphSize);
  target.Brush().SetColor(RGBColor(120, 152, 181));
  target.FillRect(all);
  lxPaintGradient(target.Handle(), lxRectExpand(all, -1, -1), clWhite, RGBColor(198, 212, 223), false);
  target.Brush().SetColor(clBlack);
  target.FillRect(TRect(3, 5, 8, 6));
  if (!expanded) target.FillRect(TRect(5, 3, 6, 8));
}

}  // namespace

TColor TlxOffice11LookAndFeelPainter::GetHeaderBottomShade() const { return Palette().BarDarkColor; }
TColor TlxOffice11LookAndFeelPainter::GetHeaderShadowEdgeColor() const { return Palette().HeaderDarkEdgeColor; }
TColor TlxOffice11LookAndFeelPainter::GetHeaderLightEdgeColor() const { return Palette().HeaderLightEdgeColor; }
TColor TlxOffice11LookAndFeelPainter::GetHeaderTopShade() const {
  return Mixed(Palette().BarLightColor, Palette().BarDarkColor, 50);
}

TColor TlxOffice11LookAndFeelPainter::GetFilterButtonFrameColor(TlxButtonState state) const {
  return state == lxbsNormal ? GetHeaderShadowEdgeColor() : Palette().SelectedBorderColor;
}
TColor TlxOffice11LookAndFeelPainter::GetFrameLightColor() const { return Palette().SelectedBorderColor; }

TColor TlxOffice11LookAndFeelPainter::GetDefaultDateNavigatorHeaderColor() const { return Palette().FaceColor; }
TColor TlxOffice11LookAndFeelPainter::GetDefaultDateNavigatorSelectionColor() const { return Palette().SelectionColor; }
TColor TlxOffice11LookAndFeelPainter::GetDefaultFilterBoxColor() const { return Palette().FilterBoxColor; }
TColor TlxOffice11LookAndFeelPainter::GetDefaultFilterBoxTextColor() const { return Palette().FilterBoxTextColor; }
TColor TlxOffice11LookAndFeelPainter::GetDefaultFooterColor() const { return Palette().FaceColor; }
TColor TlxOffice11LookAndFeelPainter::GetDefaultGroupColor() const { return Palette().GroupColor; }
TColor TlxOffice11LookAndFeelPainter::GetDefaultGroupByBoxColor() const { return Palette().GroupByBoxColor; }
TColor TlxOffice11LookAndFeelPainter::GetDefaultGroupByBoxTextColor() const { return Palette().BarLightColor; }
TColor TlxOffice11LookAndFeelPainter::GetDefaultSchedulerBorderColor() const { return Palette().SchedulerBorderColor; }
TColor TlxOffice11LookAndFeelPainter::GetDefaultSchedulerControlColor() const {
  return Palette().SchedulerControlColor;
}
TColor TlxOffice11LookAndFeelPainter::GetDefaultTabColor() const { return Palette().LightFaceColor; }
TColor TlxOffice11LookAndFeelPainter::GetDefaultTimeGridMinorScaleColor() const { return Palette().FaceColor; }

TColor TlxOffice11LookAndFeelPainter::GetButtonColor(TlxButtonState state) const {
  switch (state) {
    case lxbsHot:
      return Palette().HotColor1;
    case lxbsPressed:
      return Palette().PressedColor1;
    case lxbsDisabled:
      return clBtnFace;
    default:
      return Palette().FaceColor;
  }
}

TColor TlxOffice11LookAndFeelPainter::GetButtonSymbolColor(TlxButtonState state, TColor /*default_color*/) const {
  if (state == lxbsPressed && !lxOffice11UsesSchemeColors()) return clHighlightText;
  if (state == lxbsDisabled) return Palette().DisabledTextColor;
  return Palette().TextColor;
}

TColor TlxOffice11LookAndFeelPainter::GetCheckButtonColor(TlxButtonState state) const {
  if (state == lxbsHot || state == lxbsPressed || state == lxbsDisabled) return GetButtonColor(state);
  return TlxUltraFlatLookAndFeelPainter::GetCheckButtonColor(state);
}

void TlxOffice11LookAndFeelPainter::PaintBorder(TlxCanvas& canvas, const TRect& rect) const {
  lxFrame1(canvas, rect, Palette().BorderColor);
}

void TlxOffice11LookAndFeelPainter::PaintButtonBorder(TlxCanvas& canvas, const TRect& rect,
                                                      TlxButtonState state) const {
  switch (state) {
    case lxbsDefault:
      TlxUltraFlatLookAndFeelPainter::PaintButtonBorder(canvas, rect, state);
      return;
    case lxbsNormal:
      lxFrame1(canvas, rect, clBtnText);
      return;
    case lxbsDisabled:
      lxFrame1(canvas, rect, Palette().DisabledTextColor);
      return;
    default:
      lxFrame1(canvas, rect, Palette().SelectedBorderColor);
      return;
  }
}

void TlxOffice11LookAndFeelPainter::PaintExpandButton(TlxCanvas& canvas, const TRect& rect, bool expanded,
                                                      TColor /*color*/) const {
  TBitmap glyph(kExpandGlyphSize, kExpandGlyphSize, pf32bit);
  DrawExpandGlyph(glyph.Canvas(), expanded);
  const TColor top_left = canvas.Canvas().Pixel(rect.Left, rect.Top);
  const TColor bottom_right = canvas.Canvas().Pixel(rect.Right - 1, rect.Bottom - 1);
  const TColor light_corner = lxMixRGB(lxOffice11ExpandButtonCornerColor1, top_left, 25);
  const TColor dark_corner = lxMixRGB(lxOffice11ExpandButtonCornerColor2, bottom_right, 25);
  constexpr int32_t last = kExpandGlyphSize - 1;
  glyph.Canvas().SetPixel(0, 0, light_corner);
  glyph.Canvas().SetPixel(last, last, dark_corner);
  glyph.Canvas().SetPixel(0, last, dark_corner);
  glyph.Canvas().SetPixel(last, 0, dark_corner);
  BitBlt(canvas.Handle(), rect.Left, rect.Top, kExpandGlyphSize, kExpandGlyphSize, glyph.Canvas().Handle(), 0, 0,
         SRCCOPY);
}

void TlxOffice11LookAndFeelPainter::PaintSmallExpandButton(TlxCanvas& canvas, const TRect& rect, bool expanded,
                                                           TColor /*frame_color*/, TColor fill_color) const {
  PaintExpandButton(canvas, rect, expanded, fill_color);
}

void TlxOffice11LookAndFeelPainter::PaintHeader(TlxCanvas& canvas, const TRect& bounds, const TRect& text_bounds,
                                                TlxHeaderNeighbors neighbors, TlxBorders borders, TlxButtonState state,
                                                TAlignment align_horz, TlxAlignmentVert align_vert, bool multi_line,
                                                bool show_end_ellipsis, std::string_view text, const TFont* font,
                                                TColor text_color, TColor background_color,
                                                const TlxBackgroundCallback& /*on_draw_background*/, bool is_last,
                                                bool /*reserved*/) const {
  TlxUltraFlatLookAndFeelPainter::PaintHeader(canvas, bounds, text_bounds, neighbors, borders, state, align_horz,
                                              align_vert, multi_line, show_end_ellipsis, text, font, text_color,
                                              background_color, nullptr, is_last, false);
}

void TlxOffice11LookAndFeelPainter::PaintHeaderBorder(TlxCanvas& canvas, const TRect& rect,
                                                      TlxHeaderNeighbors neighbors, TlxBorders borders) const {
  const TColor top = GetHeaderTopShade();
  const TColor bottom = GetHeaderBottomShade();
  const TColor dark = GetHeaderShadowEdgeColor();
  const TColor light = GetHeaderLightEdgeColor();
  if (borders.Contains(bTop)) canvas.FillRectColor(TRect(rect.Left, rect.Top, rect.Right, rect.Top + 1), top);
  if (borders.Contains(bBottom)) canvas.FillRectColor(TRect(rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom), dark);
  if (borders.Contains(bLeft)) {
    const int32_t x = rect.Left;
    canvas.PutPixel(x, rect.Top + 1, top);
    if (neighbors.Contains(bLeft)) {
      canvas.PutPixel(x, rect.Top + 2, top);
      canvas.PutPixel(x, rect.Bottom - 3, Mixed(top, bottom, 25));
      canvas.PutPixel(x, rect.Bottom - 2, bottom);
      canvas.FillRectColor(TRect(x, rect.Top + 2, x + 1, rect.Bottom - 3), light);
    } else {
      canvas.PutPixel(x, rect.Bottom - 2, bottom);
      canvas.FillRectColor(TRect(x, rect.Top + 1, x + 1, rect.Bottom - 2), light);
    }
  }
  if (borders.Contains(bRight)) {
    const int32_t x = rect.Right - 1;
    if (neighbors.Contains(bRight)) {
      canvas.PutPixel(x, rect.Top + 1, top);
      canvas.PutPixel(x, rect.Top + 2, top);
      canvas.PutPixel(x, rect.Bottom - 3, Mixed(top, bottom, 25));
      canvas.PutPixel(x, rect.Bottom - 2, bottom);
      canvas.FillRectColor(TRect(x, rect.Top + 2, x + 1, rect.Bottom - 3), dark);
    } else {
      canvas.PutPixel(x, rect.Top, Mixed(top, dark, 50));
      canvas.PutPixel(x, rect.Bottom - 2, Mixed(bottom, dark, 50));
      canvas.FillRectColor(TRect(x, rect.Top + 1, x + 1, rect.Bottom - 2), dark);
    }
  }
}

void TlxOffice11LookAndFeelPainter::PaintHeaderControlSection(
    TlxCanvas& canvas, const TRect& bounds, const TRect& text_bounds, TlxHeaderNeighbors neighbors, TlxBorders borders,
    TlxButtonState state, TAlignment align_horz, TlxAlignmentVert align_vert, bool multi_line, bool show_end_ellipsis,
    std::string_view text, const TFont* font, TColor text_color, TColor background_color) const {
  PaintHeader(canvas, bounds, text_bounds, neighbors, borders, state, align_horz, align_vert, multi_line,
              show_end_ellipsis, text, font, text_color, background_color, nullptr, false, false);
  if (state == lxbsPressed) PaintHeaderPressedEffect(canvas, bounds);
}

void TlxOffice11LookAndFeelPainter::PaintSortingMark(TlxCanvas& canvas, const TRect& rect, bool ascending) const {
  PaintSortArrow(canvas, rect, GetHeaderShadowEdgeColor(), GetHeaderLightEdgeColor(), ascending);
}

void TlxOffice11LookAndFeelPainter::PaintContent(TlxCanvas& canvas, const TRect& bounds, const TRect& text_bounds,
                                                 TlxButtonState state, TAlignment align_horz,
                                                 TlxAlignmentVert align_vert, bool multi_line, bool show_end_ellipsis,
                                                 std::string_view text, const TFont* font, TColor text_color,
                                                 TColor /*background_color*/,
                                                 const TlxBackgroundCallback& on_draw_background,
                                                 bool is_footer) const {
  const bool hot = state == lxbsHot;
  if (!on_draw_background || !on_draw_background(canvas, bounds)) {
    const TColor top = hot ? Palette().BarLightColor : GetHeaderTopShade();
    const TColor bottom = hot ? Palette().BarLightColor : GetHeaderBottomShade();
    if (is_footer) {
      canvas.FillRectColor(bounds, top);
    } else {
      canvas.FillRectColor(TRect(bounds.Left, bounds.Top, bounds.Right, bounds.Bottom - 3), top);
      lxPaintGradient(canvas.Handle(), TRect(bounds.Left, bounds.Bottom - 4, bounds.Right, bounds.Bottom), top, bottom,
                      false);
    }
  }
  lxDrawCellText(canvas, text_bounds, align_horz, align_vert, multi_line, show_end_ellipsis, text, font, text_color);
  if (hot)
    lxPaintGradient(canvas.Handle(), TRect(bounds.Left - 1, bounds.Bottom - 2, bounds.Right, bounds.Bottom + 1),
                    Palette().HotColor1, Palette().HotColor2, false);
}

void TlxOffice11LookAndFeelPainter::PaintScrollBarPart(TlxCanvas& canvas, bool horizontal, const TRect& rect,
                                                       TlxScrollBarPart part, TlxButtonState state) const {
  if (lxThemeAvailableFor(totScrollBar))
    lxPainter<TlxWinXPLookAndFeelPainter>().PaintScrollBarPart(canvas, horizontal, rect, part, state);
  else
    lxPainter<TlxStandardLookAndFeelPainter>().PaintScrollBarPart(canvas, horizontal, rect, part, state);
}

void TlxOffice11LookAndFeelPainter::PaintSizeGrip(TlxCanvas& canvas, const TRect& rect, TColor background_color) const {
  canvas.FillRectColor(rect, background_color);
  lxOffice11PaintSizeGrip(canvas.Handle(), rect, Palette().GripDarkColor, Palette().GripLightColor);
}

void TlxOffice11LookAndFeelPainter::PaintMonthHeader(TlxCanvas& canvas, const TRect& bounds, std::string_view text,
                                                     TlxHeaderNeighbors /*neighbors*/,
                                                     const TlxPaintParams& view_params, int32_t arrows,
                                                     int32_t side_width,
                                                     const TlxBackgroundCallback& on_draw_background) const {
  const TRect inner = lxInflated(bounds, -1);
  if (!on_draw_background || !on_draw_background(canvas, inner))
    canvas.FillRectWithFrame(inner, view_params, 0, clDefault, 0);
  lxDrawCellText(canvas, inner, taCenter, vaCenter, false, false, text, view_params.Font, view_params.TextColor);
  PaintMonthHeaderArrows(canvas, bounds, arrows, side_width, clWindowText);
}

void TlxOffice11LookAndFeelPainter::PaintSchedulerNavButtonFace(TlxCanvas& canvas, const TRect& bounds,
                                                                const TRect& arrow_rect, bool next_button,
                                                                TlxButtonState state) const {
  const TColor face = state == lxbsHot       ? Palette().HotColor1
                      : state == lxbsPressed ? Palette().PressedColor1
                                             : Palette().FaceColor;
  canvas.FillRectColor(bounds, face);
  lxFrame1(canvas, bounds, Palette().SchedulerBorderColor, lxSchedulerNavButtonSides(next_button));
  PaintSchedulerNavButtonArrow(canvas, arrow_rect, next_button, GetButtonSymbolColor(state));
}

void TlxOffice11LookAndFeelPainter::PaintSchedulerNavigatorButton(TlxCanvas& canvas, const TRect& rect,
                                                                  TlxButtonState state) const {
  lxPainter<TlxWinXPLookAndFeelPainter>().PaintSchedulerNavigatorButton(canvas, rect, state);
}

void TlxOffice11LookAndFeelPainter::PaintSchedulerBorder(TlxCanvas& canvas, const TRect& rect) const {
  lxFrame1(canvas, rect, GetDefaultSchedulerBorderColor());
}

void TlxOffice11LookAndFeelPainter::PaintPanelBackground(TlxCanvas& canvas, TControl* control, TColor color_from,
                                                         TColor color_to, const TRect& bounds) const {
  if (color_from == clDefault) {
    if (control != nullptr) lxDrawParentBackground(control, canvas, bounds);
    return;
  }
  if (color_to == clDefault) {
    canvas.FillRectColor(bounds, color_from);
    return;
  }
  lxPaintGradient(canvas.Handle(), bounds, color_from, color_to, false);
}
