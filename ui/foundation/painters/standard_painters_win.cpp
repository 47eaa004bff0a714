#include "ui/foundation/painters/standard_painters_win.h"

#include "ui/foundation/geometry/rect_functions.h"
#include "ui/foundation/painters/painter_glyphs_win.h"

// --- shared classic drawing ---------------------------------------------------

void lxPaintRaisedHeaderBorder(TlxCanvas& canvas, const TRect& rect, TlxHeaderNeighbors neighbors) {
  lxFrame(canvas, rect, clBtnHighlight, clBtnShadow);
  if (neighbors.Contains(bLeft)) {
    canvas.PutPixel(rect.Left, rect.Top + 1, clBtnFace);
    canvas.PutPixel(rect.Left, rect.Bottom - 2, clBtnFace);
  }
  if (neighbors.Contains(bRight)) {
    canvas.PutPixel(rect.Right - 1, rect.Top, clBtnHighlight);
    canvas.PutPixel(rect.Right - 1, rect.Top + 1, clBtnFace);
    canvas.PutPixel(rect.Right - 1, rect.Bottom - 2, clBtnFace);
  }
}

void lxPaintClassicTabBorder(TlxCanvas& canvas, const TRect& rect, TlxBorder side, TlxBorders borders, bool vertical) {
  TRect strip = rect;
  bool shadow = false;
  if (vertical) {
    if (side == bLeft) {
      strip.Top += borders.Contains(bTop) ? 2 : 1;
      strip.Bottom -= borders.Contains(bBottom) ? 2 : 1;
      canvas.PutPixel(strip.Left + 1, strip.Top - 1, clBtnHighlight);
      canvas.PutPixel(strip.Left + 1, strip.Bottom, clBtnHighlight);
    } else if ((side == bTop || side == bBottom) && borders.Contains(bLeft)) {
      ++strip.Left;
    }
    shadow = side == bBottom;
  } else {
    if (side == bLeft || side == bRight) {
      if (borders.Contains(bTop)) strip.Top += 2;
      if (borders.Contains(bBottom)) --strip.Bottom;
    } else if (side == bTop) {
      ++strip.Left;
      --strip.Right;
      canvas.PutPixel(strip.Left - 1, strip.Top + 1, clBtnHighlight);
      canvas.PutPixel(strip.Right, strip.Top + 1, clBtnHighlight);
    }
    shadow = side == bRight;
  }
  canvas.FillRectColor(strip, shadow ? clBtnShadow : clBtnHighlight);
}

void lxPaintScrollBarPage(TlxCanvas& canvas, const TRect& rect, bool pressed) {
  canvas.Brush().SetBitmap(&lxStdScrollBarBitmap(pressed));
  canvas.Canvas().FillRect(rect);
  canvas.Brush().SetBitmap(nullptr);
  canvas.Brush().SetStyle(bsSolid);
}

TlxArrowDirection lxScrollBarArrowDirection(bool horizontal, TlxScrollBarPart part) {
  if (horizontal) return part == sbpLineUp ? adLeft : adRight;
  return part == sbpLineUp ? adUp : adDown;
}

void lxPaintClassicFilterDropDownButton(const TlxCustomLookAndFeelPainter& painter, TlxCanvas& canvas,
                                        const TRect& rect, TlxButtonState state, bool filter_active) {
  if (state == lxbsPressed)
    lxFrame(canvas, rect, clBtnShadow, clBtnHighlight);
  else
    lxFrame(canvas, rect, clBtnHighlight, clBtnShadow);
  const TRect inside = lxInflated(rect, -1);
  canvas.FillRectColor(inside, clBtnFace);
  painter.PaintButtonArrow(canvas, inside, filter_active ? clBlue : clBtnText);
}

TRect lxSplitterLines(TlxCanvas& canvas, const TRect& rect, bool horizontal, TColor first, TColor second) {
  if (horizontal) {
    canvas.FillRectColor(TRect(rect.Left, rect.Top, rect.Right, rect.Top + 1), first);
    canvas.FillRectColor(TRect(rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom), second);
    return TRect(rect.Left - 1, rect.Top + 1, rect.Right + 1, rect.Bottom - 1);
  }
  canvas.FillRectColor(TRect(rect.Left, rect.Top, rect.Left + 1, rect.Bottom), first);
  canvas.FillRectColor(TRect(rect.Right - 1, rect.Top, rect.Right, rect.Bottom), second);
  return TRect(rect.Left + 1, rect.Top - 1, rect.Right - 1, rect.Bottom + 1);
}

namespace {

// The standard look's frame of scroll-bar arrows and thumbs.
void PaintScrollButtonFrame(TlxCanvas& canvas, const TRect& rect, bool pressed_arrow) {
  if (pressed_arrow) {
    lxFrame1(canvas, rect, clBtnShadow);
    lxFrame1(canvas, lxInflated(rect, -1), clBtnFace);
    return;
  }
  lxFrame(canvas, rect, clBtnFace, cl3DDkShadow);
  lxFrame(canvas, lxInflated(rect, -1), clBtnHighlight, clBtnShadow);
}

UINT ScrollArrowFrameState(bool horizontal, TlxScrollBarPart part) {
  if (horizontal) return part == sbpLineUp ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT;
  return part == sbpLineUp ? DFCS_SCROLLUP : DFCS_SCROLLDOWN;
}

bool SkipsScrollBarPart(const TRect& rect, TlxScrollBarPart part, TlxButtonState state) {
  return rect.IsEmpty() || part == sbpNone || (part == sbpThumbnail && state == lxbsDisabled);
}

}  // namespace

// --- standard ----------------------------------------------------------------------

void TlxStandardLookAndFeelPainter::PaintBorder(TlxCanvas& canvas, const TRect& rect) const {
  lxFrame(canvas, rect, clBtnShadow, clBtnHighlight);
  lxFrame(canvas, lxInflated(rect, -1), cl3DDkShadow, cl3DLight);
}

void TlxStandardLookAndFeelPainter::PaintButtonBorder(TlxCanvas& canvas, const TRect& rect,
                                                      TlxButtonState state) const {
  TRect r = rect;
  if (state == lxbsPressed) {
    lxFrame1(canvas, r, clBlack);
    lxFrame1(canvas, lxInflated(r, -1), clBtnShadow);
    return;
  }
  if (state == lxbsDefault) {
    lxFrame1(canvas, r, clBlack);
    r = lxInflated(r, -1);
  }
  lxFrame(canvas, r, clBtnHighlight, cl3DDkShadow);
  lxFrame(canvas, lxInflated(r, -1), cl3DLight, clBtnShadow);
}

void TlxStandardLookAndFeelPainter::PaintExpandButton(TlxCanvas& canvas, const TRect& rect, bool expanded,
                                                      TColor color) const {
  lxFrame(canvas, rect, clBtnHighlight, cl3DDkShadow);
  lxFrame1(canvas, lxInflated(rect, -1), clBtnShadow, TlxBorders{bRight, bBottom});
  const TRect inside(rect.Left + 1, rect.Top + 1, rect.Right - 2, rect.Bottom - 2);
  canvas.FillRectColor(inside, color == clDefault ? clBtnFace : color);
  PaintExpandCross(canvas, inside, expanded, clBtnText);
  canvas.ExcludeFromClip(rect);
}

void TlxStandardLookAndFeelPainter::PaintGroupExpandButton(TlxCanvas& canvas, const TRect& rect, bool expanded,
                                                           TlxButtonState state) const {
  const TlxCustomLookAndFeelPainter& flat = lxPainter<TlxFlatLookAndFeelPainter>();
  flat.TlxCustomLookAndFeelPainter::PaintGroupExpandButton(canvas, rect, expanded, state);
}

void TlxStandardLookAndFeelPainter::PaintCheckBorder(TlxCanvas& canvas, const TRect& rect,
                                                     TlxButtonState /*state*/) const {
  lxFrame(canvas, rect, cl3DDkShadow, cl3DLight);
  lxFrame(canvas, lxInflated(rect, -1), clBtnShadow, clBtnHighlight);
}

void TlxStandardLookAndFeelPainter::PaintHeaderBorder(TlxCanvas& canvas, const TRect& rect,
                                                      TlxHeaderNeighbors neighbors, TlxBorders /*borders*/) const {
  lxPaintRaisedHeaderBorder(canvas, rect, neighbors);
}

void TlxStandardLookAndFeelPainter::PaintHeaderControlSectionBorder(TlxCanvas& canvas, const TRect& rect,
                                                                    TlxBorders borders, TlxButtonState state) const {
  if (state == lxbsPressed) {
    lxFrame1(canvas, rect, clBtnShadow, borders);
    return;
  }
  lxFrame(canvas, rect, clBtnHighlight, cl3DDkShadow, borders);
  lxFrame(canvas, lxInflated(rect, -1), cl3DLight, clBtnShadow, borders);
}

void TlxStandardLookAndFeelPainter::PaintSortingMark(TlxCanvas& canvas, const TRect& rect, bool ascending) const {
  PaintSortArrow(canvas, rect, clBtnShadow, clBtnHighlight, ascending);
}

void TlxStandardLookAndFeelPainter::PaintFooterBorder(TlxCanvas& canvas, const TRect& rect) const {
  lxFrame(canvas, rect, clBtnHighlight, clBtnShadow);
}

void TlxStandardLookAndFeelPainter::PaintFooterCellBorder(TlxCanvas& canvas, const TRect& rect) const {
  lxFrame(canvas, rect, clBtnShadow, clBtnHighlight);
}

void TlxStandardLookAndFeelPainter::PaintFilterDropDownButton(TlxCanvas& canvas, const TRect& rect,
                                                              TlxButtonState state, bool filter_active) const {
  lxPaintClassicFilterDropDownButton(*this, canvas, rect, state, filter_active);
}

void TlxStandardLookAndFeelPainter::PaintTabBorder(TlxCanvas& canvas, const TRect& rect, TlxBorder side,
                                                   TlxBorders borders, bool vertical) const {
  lxPaintClassicTabBorder(canvas, rect, side, borders, vertical);
}

void TlxStandardLookAndFeelPainter::PaintTabsRoot(TlxCanvas& canvas, const TRect& rect, TlxBorders borders,
                                                  bool /*vertical*/) const {
  lxFrame(canvas, rect, clBtnHighlight, clBtnShadow, borders);
}

void TlxStandardLookAndFeelPainter::PaintScrollBarPart(TlxCanvas& canvas, bool horizontal, const TRect& rect,
                                                       TlxScrollBarPart part, TlxButtonState state) const {
  if (SkipsScrollBarPart(rect, part, state)) return;
  if (state == lxbsHot) state = lxbsNormal;
  const bool pressed = state == lxbsPressed;
  if (part == sbpPageUp || part == sbpPageDown) {
    lxPaintScrollBarPage(canvas, rect, pressed);
    return;
  }
  if (part == sbpThumbnail) {
    PaintScrollButtonFrame(canvas, rect, false);
    canvas.FillRectColor(lxInflated(rect, -GetButtonBorderSize(lxbsNormal)), clBtnFace);
    return;
  }
  RECT frame = pressed ? lxRectShifted(rect, 1, 1) : rect;
  UINT frame_state = ScrollArrowFrameState(horizontal, part);
  if (state == lxbsDisabled) frame_state |= DFCS_INACTIVE;
  if (pressed) frame_state |= DFCS_FLAT;
  DrawFrameControl(canvas.Handle(), &frame, DFC_SCROLL, frame_state);
  PaintScrollButtonFrame(canvas, rect, pressed);
}

void TlxStandardLookAndFeelPainter::PaintMonthHeader(TlxCanvas& canvas, const TRect& bounds, std::string_view text,
                                                     TlxHeaderNeighbors neighbors, const TlxPaintParams& view_params,
                                                     int32_t arrows, int32_t side_width,
                                                     const TlxBackgroundCallback& on_draw_background) const {
  TlxBorders sides = lxAllBorders;
  if (neighbors.Contains(bLeft)) sides.Exclude(bLeft);
  if (neighbors.Contains(bRight)) sides.Exclude(bRight);
  lxFrame1(canvas, bounds, clBlack, sides);
  const TRect content = GetHeaderContentBounds(bounds, sides);
  PaintHeader(canvas, content, content, neighbors, lxAllBorders, lxbsNormal, taCenter, vaCenter, false, false, text,
              view_params.Font, view_params.TextColor, view_params.Color, on_draw_background);
  PaintMonthHeaderArrows(canvas, bounds, arrows, side_width, clWindowText);
}

void TlxStandardLookAndFeelPainter::PaintSchedulerSplitterBorder(TlxCanvas& canvas, const TRect& rect,
                                                                 const TlxPaintParams& view_params,
                                                                 bool horizontal) const {
  TRect r = lxSplitterLines(canvas, rect, horizontal, clBtnFace, cl3DDkShadow);
  r = lxSplitterLines(canvas, r, horizontal, clBtnHighlight, clBtnShadow);
  canvas.FillRectWithFrame(r, view_params, 0, clDefault, 0);
}

// --- flat ----------------------------------------------------------------------------

void TlxFlatLookAndFeelPainter::PaintBorder(TlxCanvas& canvas, const TRect& rect) const {
  lxFrame(canvas, rect, clBtnShadow, clBtnHighlight);
}

void TlxFlatLookAndFeelPainter::PaintButtonBorder(TlxCanvas& canvas, const TRect& rect, TlxButtonState state) const {
  if (state == lxbsPressed) {
    lxFrame(canvas, rect, clBtnShadow, clBtnHighlight);
    return;
  }
  TRect r = rect;
  if (state == lxbsDefault) {
    lxFrame1(canvas, r, clBlack);
    r = lxInflated(r, -1);
  }
  lxFrame(canvas, r, clBtnHighlight, clBtnShadow);
}

void TlxFlatLookAndFeelPainter::PaintExpandButton(TlxCanvas& canvas, const TRect& rect, bool expanded,
                                                  TColor color) const {
  PaintButton(canvas, rect, "", lxbsNormal, true, color, clDefault);
  PaintExpandCross(canvas, lxInflated(rect, -1), expanded, clBtnText);
  canvas.ExcludeFromClip(rect);
}

void TlxFlatLookAndFeelPainter::PaintCheckBorder(TlxCanvas& canvas, const TRect& rect, TlxButtonState state) const {
  lxFrame(canvas, rect, clBtnShadow, clBtnHighlight);
  lxFrame1(canvas, lxInflated(rect, -1), GetCheckButtonColor(state));
}

void TlxFlatLookAndFeelPainter::PaintHeaderBorder(TlxCanvas& canvas, const TRect& rect, TlxHeaderNeighbors neighbors,
                                                  TlxBorders /*borders*/) const {
  lxPaintRaisedHeaderBorder(canvas, rect, neighbors);
}

void TlxFlatLookAndFeelPainter::PaintHeaderControlSectionBorder(TlxCanvas& canvas, const TRect& rect,
                                                                TlxBorders borders, TlxButtonState state) const {
  if (state == lxbsPressed)
    lxFrame(canvas, rect, clBtnShadow, clBtnHighlight, borders);
  else
    lxFrame(canvas, rect, clBtnHighlight, clBtnShadow, borders);
}

void TlxFlatLookAndFeelPainter::PaintSortingMark(TlxCanvas& canvas, const TRect& rect, bool ascending) const {
  PaintSortArrow(canvas, rect, clBtnShadow, clBtnHighlight, ascending);
}

void TlxFlatLookAndFeelPainter::PaintFooterBorder(TlxCanvas& canvas, const TRect& rect) const {
  lxFrame(canvas, rect, clBtnHighlight, clBtnShadow);
}

void TlxFlatLookAndFeelPainter::PaintFooterCellBorder(TlxCanvas& canvas, const TRect& rect) const {
  lxFrame(canvas, rect, clBtnShadow, clBtnHighlight);
}

void TlxFlatLookAndFeelPainter::PaintFilterDropDownButton(TlxCanvas& canvas, const TRect& rect, TlxButtonState state,
                                                          bool filter_active) const {
  lxPaintClassicFilterDropDownButton(*this, canvas, rect, state, filter_active);
}

void TlxFlatLookAndFeelPainter::PaintTabBorder(TlxCanvas& canvas, const TRect& rect, TlxBorder side, TlxBorders borders,
                                               bool vertical) const {
  lxPaintClassicTabBorder(canvas, rect, side, borders, vertical);
}

void TlxFlatLookAndFeelPainter::PaintTabsRoot(TlxCanvas& canvas, const TRect& rect, TlxBorders borders,
                                              bool /*vertical*/) const {
  lxFrame(canvas, rect, clBtnHighlight, clBtnShadow, borders);
}

void TlxFlatLookAndFeelPainter::PaintScrollBarPart(TlxCanvas& canvas, bool horizontal, const TRect& rect,
                                                   TlxScrollBarPart part, TlxButtonState state) const {
  if (SkipsScrollBarPart(rect, part, state)) return;
  if (state == lxbsHot) state = lxbsNormal;
  if (part == sbpPageUp || part == sbpPageDown) {
    lxPaintScrollBarPage(canvas, rect, state == lxbsPressed);
    return;
  }
  PaintButton(canvas, rect, "", state);
  if (part == sbpThumbnail) return;
  PaintScrollBarArrow(canvas, lxInflated(rect, -GetButtonBorderSize(lxbsNormal)), state,
                      lxScrollBarArrowDirection(horizontal, part));
}

void TlxFlatLookAndFeelPainter::PaintSchedulerSplitterBorder(TlxCanvas& canvas, const TRect& rect,
                                                             const TlxPaintParams& view_params, bool horizontal) const {
  const TRect r = lxSplitterLines(canvas, rect, horizontal, clBtnHighlight, clBtnShadow);
  canvas.FillRectWithFrame(r, view_params, 0, clDefault, 0);
}
