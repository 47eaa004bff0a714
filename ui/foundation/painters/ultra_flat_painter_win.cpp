#include "ui/foundation/painters/ultra_flat_painter_win.h"

#include "ui/foundation/colors/color_mix_win.h"
#include "ui/foundation/geometry/rect_functions.h"
#include "ui/foundation/painters/standard_painters_win.h"

TColor TlxUltraFlatLookAndFeelPainter::GetFilterButtonFrameColor(TlxButtonState state) const {
  return state == lxbsNormal ? clBtnShadow : clHighlight;
}

TColor TlxUltraFlatLookAndFeelPainter::GetButtonColor(TlxButtonState state) const {
  switch (state) {
    case lxbsHot:
      return lxHotHighlightColor();
    case lxbsPressed:
      return lxPressedHighlightColor();
    default:
      return clBtnFace;
  }
}

TRect TlxUltraFlatLookAndFeelPainter::GetButtonFocusRect(TlxCanvas& /*canvas*/, const TRect& rect) const {
  const TRect focus = lxInflated(rect, -3);
  return focus.IsEmpty() ? rect : focus;
}

TlxMargins TlxUltraFlatLookAndFeelPainter::GetButtonGroupBorderSizes(int32_t button_count, int32_t button_index) const {
  TlxMargins sizes(1, 2, 1, 2);
  if (button_index == 0)
    sizes.Left = 2;
  else if (button_index == button_count - 1)
    sizes.Right = 2;
  return sizes;
}

TColor TlxUltraFlatLookAndFeelPainter::GetButtonSymbolColor(TlxButtonState state, TColor default_color) const {
  if (state == lxbsPressed) return clHighlightText;
  return TlxCustomLookAndFeelPainter::GetButtonSymbolColor(state, default_color);
}

TlxBorders TlxUltraFlatLookAndFeelPainter::GetHeaderBorders(TlxHeaderNeighbors neighbors) const {
  TlxBorders borders = lxAllBorders;
  if (neighbors.Contains(bLeft)) borders.Exclude(bLeft);
  if (neighbors.Contains(bTop)) borders.Exclude(bTop);
  return borders;
}

void TlxUltraFlatLookAndFeelPainter::PaintBorder(TlxCanvas& canvas, const TRect& rect) const {
  lxFrame1(canvas, rect, clBtnShadow);
}

void TlxUltraFlatLookAndFeelPainter::PaintButtonBorder(TlxCanvas& canvas, const TRect& rect,
                                                       TlxButtonState state) const {
  switch (state) {
    case lxbsDefault:
      lxFrame1(canvas, rect, clWindowFrame);
      lxFrame1(canvas, lxInflated(rect, -1), clWindowFrame);
      return;
    case lxbsNormal:
      lxFrame1(canvas, rect, clBtnText);
      return;
    case lxbsDisabled:
      lxFrame1(canvas, rect, clBtnShadow);
      return;
    default:
      lxFrame1(canvas, rect, clHighlight);
      return;
  }
}

void TlxUltraFlatLookAndFeelPainter::PaintButtonInGroup(TlxCanvas& canvas, const TRect& rect, TlxButtonState state,
                                                        int32_t button_count, int32_t button_index,
                                                        TColor background_color) const {
  const bool first = button_index == 0;
  const bool last = button_index == button_count - 1;
  TRect r(rect.Left + (first ? 1 : 0), rect.Top + 1, rect.Right - (last ? 1 : 0), rect.Bottom - 1);
  if (state == lxbsHot || state == lxbsPressed) {
    const TColor line = GetFrameLightColor();
    if (!first) {
      canvas.FillRectColor(TRect(r.Left, r.Top, r.Left + 1, r.Bottom), line);
      ++r.Left;
    }
    if (!last) {
      canvas.FillRectColor(TRect(r.Right - 1, r.Top, r.Right, r.Bottom), line);
      --r.Right;
    }
  } else {
    lxFrame1(canvas, r, background_color);
    r = lxInflated(r, -1);
  }
  canvas.FillRectColor(r, GetButtonColor(state));
}

void TlxUltraFlatLookAndFeelPainter::PaintButtonGroupBorder(TlxCanvas& canvas, const TRect& rect, bool first,
                                                            bool second) const {
  lxFrame1(canvas, rect, first ? clBtnText : second ? GetFrameLightColor() : clBtnShadow);
}

void TlxUltraFlatLookAndFeelPainter::PaintExpandButton(TlxCanvas& canvas, const TRect& rect, bool expanded,
                                                       TColor color) const {
  lxFrame1(canvas, rect, clBtnShadow);
  canvas.FillRectColor(lxInflated(rect, -1), color == clDefault ? clBtnFace : color);
  PaintExpandCross(canvas, rect, expanded, clBtnText);
  canvas.ExcludeFromClip(rect);
}

void TlxUltraFlatLookAndFeelPainter::PaintCheckBorder(TlxCanvas& canvas, const TRect& rect,
                                                      TlxButtonState state) const {
  lxFrame1(canvas, rect, clBtnText);
  lxFrame1(canvas, lxInflated(rect, -1), GetCheckButtonColor(state));
}

void TlxUltraFlatLookAndFeelPainter::PaintHeaderBorder(TlxCanvas& canvas, const TRect& rect,
                                                       TlxHeaderNeighbors /*neighbors*/, TlxBorders borders) const {
  TlxBorders sides{bRight, bBottom};
  if (borders.Contains(bLeft)) sides.Include(bLeft);
  if (borders.Contains(bTop)) sides.Include(bTop);
  lxFrame1(canvas, rect, clBtnText, sides);
}

void TlxUltraFlatLookAndFeelPainter::PaintHeaderWithNeighbors(
    TlxCanvas& canvas, const TRect& bounds, const TRect& text_bounds, TlxHeaderNeighbors neighbors, TlxBorders borders,
    TlxButtonState state, TAlignment align_horz, TlxAlignmentVert align_vert, bool multi_line, bool show_end_ellipsis,
    std::string_view text, const TFont* font, TColor text_color, TColor background_color,
    const TlxBackgroundCallback& on_draw_background) const {
  PaintContent(canvas, bounds, lxInflated(text_bounds, -1), state, align_horz, align_vert, multi_line,
               show_end_ellipsis, text, font, text_color, background_color, on_draw_background, false);
  PaintHeaderBorder(canvas, lxInflated(bounds, -1), neighbors, borders);
}

void TlxUltraFlatLookAndFeelPainter::PaintHeaderControlSectionBorder(TlxCanvas& canvas, const TRect& rect,
                                                                     TlxBorders borders, TlxButtonState state) const {
  lxFrame1(canvas, rect, state == lxbsDisabled ? clBtnShadow : clBlack, borders);
}

void TlxUltraFlatLookAndFeelPainter::PaintHeaderControlSectionContent(
    TlxCanvas& canvas, const TRect& bounds, const TRect& text_bounds, TlxButtonState state, TAlignment align_horz,
    TlxAlignmentVert align_vert, bool multi_line, bool show_end_ellipsis, std::string_view text, const TFont* font,
    TColor text_color, TColor background_color) const {
  const bool lit = state == lxbsHot || state == lxbsPressed || state == lxbsDisabled;
  canvas.FillRectColor(bounds, lit ? GetButtonColor(state) : background_color);
  PaintHeaderControlSectionText(canvas, text_bounds, state, align_horz, align_vert, multi_line, show_end_ellipsis, text,
                                font, text_color);
}

void TlxUltraFlatLookAndFeelPainter::PaintSortingMark(TlxCanvas& canvas, const TRect& rect, bool ascending) const {
  PaintSortArrow(canvas, rect, clBtnShadow, clBtnShadow, ascending);
}

void TlxUltraFlatLookAndFeelPainter::PaintFooterBorder(TlxCanvas& canvas, const TRect& rect) const {
  lxFrame1(canvas, rect, GetFooterSeparatorColor(), TlxBorders{bRight, bBottom});
}

void TlxUltraFlatLookAndFeelPainter::PaintFooterCellBorder(TlxCanvas& canvas, const TRect& rect) const {
  lxFrame1(canvas, rect, GetFooterSeparatorColor());
}

void TlxUltraFlatLookAndFeelPainter::PaintFilterDropDownButton(TlxCanvas& canvas, const TRect& rect,
                                                               TlxButtonState state, bool filter_active) const {
  lxFrame1(canvas, rect, GetFilterButtonFrameColor(state));
  const TRect inside = lxInflated(rect, -1);
  canvas.FillRectColor(inside, GetButtonColor(state));
  PaintButtonArrow(canvas, inside, filter_active ? clBlue : GetButtonSymbolColor(state));
}

void TlxUltraFlatLookAndFeelPainter::PaintTabBorder(TlxCanvas& canvas, const TRect& rect, TlxBorder side,
                                                    TlxBorders /*borders*/, bool vertical) const {
  const bool dark = vertical ? side == bBottom : side == bRight;
  TRect strip = rect;
  if (!vertical && side == bRight) strip.Bottom -= GetTabBorderSize(vertical);
  canvas.FillRectColor(strip, dark ? GetTabFrameDarkColor() : GetTabFrameLightColor());
}

void TlxUltraFlatLookAndFeelPainter::PaintTabsRoot(TlxCanvas& canvas, const TRect& rect, TlxBorders borders,
                                                   bool vertical) const {
  uint8_t sides = 0;
  if (borders.Contains(bLeft)) sides |= lxFrameSideLeft;
  if (borders.Contains(bTop)) sides |= lxFrameSideTop;
  if (borders.Contains(bRight)) sides |= lxFrameSideRight;
  if (borders.Contains(bBottom)) sides |= lxFrameSideBottom;
  canvas.FrameRectSides(rect, GetTabFrameLightColor(), GetTabBorderSize(vertical), sides);
}

void TlxUltraFlatLookAndFeelPainter::PaintScrollBarPart(TlxCanvas& canvas, bool horizontal, const TRect& rect,
                                                        TlxScrollBarPart part, TlxButtonState state) const {
  if (rect.IsEmpty() || part == sbpNone || (part == sbpThumbnail && state == lxbsDisabled)) return;
  if (part == sbpPageUp || part == sbpPageDown) {
    lxPaintScrollBarPage(canvas, rect, state == lxbsPressed);
    return;
  }
  PaintButton(canvas, rect, "", state);
  if (part != sbpThumbnail) PaintScrollBarArrow(canvas, rect, state, lxScrollBarArrowDirection(horizontal, part));
}

void TlxUltraFlatLookAndFeelPainter::PaintSchedulerNavButtonFace(TlxCanvas& canvas, const TRect& bounds,
                                                                 const TRect& arrow_rect, bool next_button,
                                                                 TlxButtonState state) const {
  canvas.FillRectColor(bounds, clBtnFace);
  lxFrame1(canvas, bounds, state == lxbsHot ? GetTabFrameLightColor() : GetTabFrameDarkColor(),
           lxSchedulerNavButtonSides(next_button));
  PaintSchedulerNavButtonArrow(canvas, arrow_rect, next_button, GetButtonSymbolColor(state));
}

void TlxUltraFlatLookAndFeelPainter::PaintSchedulerNavigatorButton(TlxCanvas& canvas, const TRect& rect,
                                                                   TlxButtonState state) const {
  PaintButton(canvas, rect, "", state, state == lxbsHot || state == lxbsPressed);
}

void TlxUltraFlatLookAndFeelPainter::PaintSchedulerSplitterBorder(TlxCanvas& canvas, const TRect& rect,
                                                                  const TlxPaintParams& view_params,
                                                                  bool horizontal) const {
  const TColor line = GetDefaultSchedulerBorderColor();
  const TRect r = lxSplitterLines(canvas, rect, horizontal, line, line);
  canvas.FillRectWithFrame(r, view_params, 0, clDefault, 0);
}
