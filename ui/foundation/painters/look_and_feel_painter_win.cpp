// The base painter: bounds, colours, arrows, buttons, expand buttons, check
// boxes and radio buttons, plus the canvas helpers every painter uses.
#include "ui/foundation/painters/look_and_feel_painter_win.h"

#include "ui/foundation/geometry/rect_functions.h"
#include "ui/foundation/painters/painter_glyphs_win.h"

namespace {

constexpr TlxCanvasTextFlags kButtonCaptionFlags = lxtfCenterX | lxtfCenterY | lxtfSingleLine | lxtfShowPrefix;
constexpr TlxCanvasTextFlags kButtonWrappedCaptionFlags = lxtfCenterX | lxtfCenterY | lxtfShowPrefix | lxtfWordBreak;

}  // namespace

// --- shared canvas helpers ---------------------------------------------------

TRect lxInflated(const TRect& rect, int32_t amount) { return lxRectExpand(rect, amount, amount); }

TlxBorders lxSchedulerNavButtonSides(bool next_button) {
  return next_button ? TlxBorders{bLeft, bTop, bBottom} : TlxBorders{bTop, bRight, bBottom};
}

void lxFillTriangle(TlxCanvas& canvas, const TlxTriangle& triangle, TColor color) {
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(color);
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetColor(color);
  canvas.Polygon({triangle.begin(), triangle.end()});
}

void lxDrawStroke(TlxCanvas& canvas, const TlxStroke& stroke, TColor color) {
  if (stroke.empty()) return;
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetColor(color);
  canvas.Polyline(stroke);
}

TlxCanvasTextFlags lxCellTextFlags(TAlignment align_horz, TlxAlignmentVert align_vert, bool multi_line,
                                   bool show_end_ellipsis) {
  TlxCanvasTextFlags flags = 0;
  switch (align_horz) {
    case taRightJustify:
      flags |= lxtfRight;
      break;
    case taCenter:
      flags |= lxtfCenterX;
      break;
    default:
      flags |= lxtfLeft;
      break;
  }
  switch (align_vert) {
    case vaBottom:
      flags |= lxtfBottom;
      break;
    case vaCenter:
      flags |= lxtfCenterY;
      break;
    default:
      flags |= lxtfTop;
      break;
  }
  flags |= multi_line ? lxtfWordBreak : lxtfSingleLine;
  if (show_end_ellipsis) flags |= lxtfEndEllipsis;
  return flags;
}

void lxDrawCellText(TlxCanvas& canvas, const TRect& text_bounds, TAlignment align_horz, TlxAlignmentVert align_vert,
                    bool multi_line, bool show_end_ellipsis, std::string_view text, const TFont* font,
                    TColor text_color, bool enabled) {
  if (text.empty()) return;
  if (font != nullptr) canvas.AssignFont(*font);
  canvas.Font().SetColor(text_color);
  canvas.Brush().SetStyle(bsClear);
  canvas.DrawTextInRect(text, text_bounds, lxCellTextFlags(align_horz, align_vert, multi_line, show_end_ellipsis),
                        enabled);
  canvas.Brush().SetStyle(bsSolid);
}

void lxFrame(TlxCanvas& canvas, const TRect& rect, TColor left_top, TColor right_bottom, TlxBorders borders) {
  canvas.DrawTwoColorFrame(rect, left_top, right_bottom, borders, 1);
}

void lxFrame1(TlxCanvas& canvas, const TRect& rect, TColor color, TlxBorders borders) {
  canvas.DrawTwoColorFrame(rect, color, color, borders, 1);
}

// --- bounds and style ----------------------------------------------------------

void TlxCustomLookAndFeelPainter::PaintBackground(TlxCanvas& canvas, const TRect& rect, bool transparent,
                                                  TColor background_color, TBitmap* background_bitmap) const {
  if (!transparent) {
    canvas.FillRectColor(rect, background_color);
    return;
  }
  if (background_bitmap != nullptr && !background_bitmap->Empty()) canvas.FillRectTiled(rect, background_bitmap);
}

void TlxCustomLookAndFeelPainter::PaintButtonArrow(TlxCanvas& canvas, const TRect& rect, TColor color) const {
  lxFillTriangle(canvas, lxDropDownTriangle(rect), color);
}

void TlxCustomLookAndFeelPainter::PaintContent(TlxCanvas& canvas, const TRect& bounds, const TRect& text_bounds,
                                               TlxButtonState /*state*/, TAlignment align_horz,
                                               TlxAlignmentVert align_vert, bool multi_line, bool show_end_ellipsis,
                                               std::string_view text, const TFont* font, TColor text_color,
                                               TColor background_color, const TlxBackgroundCallback& on_draw_background,
                                               bool /*is_footer*/) const {
  if (!on_draw_background || !on_draw_background(canvas, bounds)) canvas.FillRectColor(bounds, background_color);
  lxDrawCellText(canvas, text_bounds, align_horz, align_vert, multi_line, show_end_ellipsis, text, font, text_color);
}

TRect TlxCustomLookAndFeelPainter::GetFooterCellContentBounds(const TRect& bounds) const {
  return lxInflated(bounds, -GetFooterCellBorderSize());
}

TRect TlxCustomLookAndFeelPainter::GetFooterCellTextBounds(const TRect& bounds) const {
  return lxInflated(GetFooterCellContentBounds(bounds), -2);
}

// --- arrows, borders and buttons ------------------------------------------------

void TlxCustomLookAndFeelPainter::PaintArrow(TlxCanvas& canvas, const TRect& rect, TlxArrowDirection direction,
                                             TColor color) const {
  lxFillTriangle(canvas, ComputeArrowTriangle(rect, direction, true), color);
}

void TlxCustomLookAndFeelPainter::PaintArrowButton(TlxCanvas& canvas, const TRect& rect, TlxButtonState state,
                                                   TlxArrowDirection direction, bool draw_border) const {
  if (draw_border)
    PaintArrowButtonBorder(canvas, rect, state);
  else
    canvas.FillRectColor(rect, GetButtonColor(state));
  lxFillTriangle(canvas, ComputeArrowTriangle(rect, direction, false), GetButtonSymbolColor(state));
}

void TlxCustomLookAndFeelPainter::PaintArrowButtonBorder(TlxCanvas& canvas, const TRect& rect,
                                                         TlxButtonState state) const {
  canvas.FillRectColor(rect, GetButtonColor(state));
  PaintButtonBorder(canvas, rect, state);
}

void TlxCustomLookAndFeelPainter::PaintScrollBarArrow(TlxCanvas& canvas, const TRect& rect, TlxButtonState state,
                                                      TlxArrowDirection direction) const {
  TRect r = rect;
  if (state == lxbsPressed) r = lxRectShifted(r, GetButtonTextShift(), GetButtonTextShift());
  const TlxTriangle triangle = ComputeArrowTriangle(r, direction, true);
  if (state != lxbsDisabled) {
    lxFillTriangle(canvas, triangle, GetButtonSymbolColor(state));
    return;
  }
  TlxTriangle embossed = triangle;
  for (TPoint& point : embossed) {
    ++point.X;
    ++point.Y;
  }
  lxFillTriangle(canvas, embossed, clBtnHighlight);
  lxFillTriangle(canvas, triangle, clBtnShadow);
}

TRect TlxCustomLookAndFeelPainter::GetButtonFocusRect(TlxCanvas& /*canvas*/, const TRect& rect) const {
  const TRect focus = lxInflated(rect, -4);
  return focus.IsEmpty() ? rect : focus;
}

TlxMargins TlxCustomLookAndFeelPainter::GetButtonGroupBorderSizes(int32_t /*button_count*/,
                                                                  int32_t /*button_index*/) const {
  const int32_t size = GetButtonBorderSize(lxbsNormal);
  return TlxMargins(size, size, size, size);
}

TColor TlxCustomLookAndFeelPainter::GetButtonSymbolColor(TlxButtonState state, TColor default_color) const {
  if (state == lxbsDisabled) return clBtnShadow;
  return default_color == clDefault ? clBtnText : default_color;
}

void TlxCustomLookAndFeelPainter::PaintButton(TlxCanvas& canvas, const TRect& rect, std::string_view caption,
                                              TlxButtonState state, bool draw_border, TColor background_color,
                                              TColor text_color, bool word_wrap) const {
  TRect r = rect;
  if (draw_border) {
    PaintButtonBorder(canvas, r, state);
    r = lxInflated(r, -GetButtonBorderSize(state));
  }
  if (background_color == clDefault) background_color = GetButtonColor(state);
  canvas.FillRectColor(r, background_color);
  if (text_color == clDefault) text_color = GetButtonSymbolColor(state);
  canvas.Font().SetColor(text_color);
  canvas.Brush().SetStyle(bsClear);
  TRect text_rect = lxButtonCaptionRect(r);
  if (state == lxbsPressed) text_rect = lxRectShifted(text_rect, GetButtonTextShift(), GetButtonTextShift());
  if (!caption.empty())
    canvas.DrawTextInRect(caption, text_rect, word_wrap ? kButtonWrappedCaptionFlags : kButtonCaptionFlags,
                          state != lxbsDisabled);
  canvas.Brush().SetStyle(bsSolid);
}

void TlxCustomLookAndFeelPainter::PaintButtonInGroup(TlxCanvas& canvas, const TRect& rect, TlxButtonState state,
                                                     int32_t /*button_count*/, int32_t /*button_index*/,
                                                     TColor /*background_color*/) const {
  PaintButton(canvas, rect, "", state);
}

// --- expand buttons ----------------------------------------------------------------

void TlxCustomLookAndFeelPainter::PaintGroupExpandButton(TlxCanvas& canvas, const TRect& rect, bool expanded,
                                                         TlxButtonState state) const {
  PaintButton(canvas, rect, "", state);
  PaintGroupExpandMark(canvas, rect, expanded, state);
}

void TlxCustomLookAndFeelPainter::PaintSmallExpandButton(TlxCanvas& canvas, const TRect& rect, bool expanded,
                                                         TColor frame_color, TColor fill_color) const {
  lxFrame1(canvas, rect, frame_color);
  if (fill_color != clDefault) canvas.FillRectColor(lxInflated(rect, -1), fill_color);
  PaintExpandCross(canvas, rect, expanded, clBtnText);
}

bool TlxCustomLookAndFeelPainter::HitTestGroupExpandButton(const TRect& rect, const TPoint& point) const {
  return point.X >= rect.Left && point.X < rect.Right && point.Y >= rect.Top && point.Y < rect.Bottom;
}

void TlxCustomLookAndFeelPainter::PaintExpandCross(TlxCanvas& canvas, const TRect& rect, bool expanded, TColor color) {
  const TlxExpandCross cross = lxExpandCross(rect, expanded);
  canvas.FillRectColor(cross.Horizontal, color);
  if (!cross.Vertical.IsEmpty()) canvas.FillRectColor(cross.Vertical, color);
}

void TlxCustomLookAndFeelPainter::PaintGroupExpandMark(TlxCanvas& canvas, const TRect& rect, bool expanded,
                                                       TlxButtonState state) const {
  const TColor color = GetButtonSymbolColor(state);
  for (const TlxStroke& stroke : lxGroupExpandMarkStrokes(rect, expanded)) lxDrawStroke(canvas, stroke, color);
}

// --- check boxes and radio buttons --------------------------------------------------

TColor TlxCustomLookAndFeelPainter::GetCheckButtonColor(TlxButtonState state) const {
  return state == lxbsPressed || state == lxbsDisabled ? clBtnFace : clWindow;
}

TSize TlxCustomLookAndFeelPainter::GetCheckButtonSize() const { return lxCheckButtonGlyphSize(); }

void TlxCustomLookAndFeelPainter::PaintCheckMark(TlxCanvas& canvas, const TRect& rect, TlxButtonState state,
                                                 bool checked, TColor color) const {
  if (canvas.Brush().Style() == bsSolid) canvas.FillRectColor(rect, GetCheckButtonColor(state));
  if (!checked) return;
  for (const TlxStroke& stroke : lxCheckMarkStrokes(rect)) lxDrawStroke(canvas, stroke, color);
}

void TlxCustomLookAndFeelPainter::PaintCheckButtonByCheckState(TlxCanvas& canvas, const TRect& rect,
                                                               TlxButtonState state, bool checked) const {
  PaintCheckButton(canvas, rect, state, checked ? cbsChecked : cbsUnchecked);
}

void TlxCustomLookAndFeelPainter::PaintCheckButton(TlxCanvas& canvas, const TRect& rect, TlxButtonState state,
                                                   TlxCheckBoxState check_state) const {
  PaintCheckBorder(canvas, rect, state);
  const TRect inside = lxInflated(rect, -GetCheckBorderSize());
  const bool dim = state == lxbsDisabled || check_state == cbsGrayed;
  PaintCheckMark(canvas, inside, state, check_state == cbsChecked, dim ? clGrayText : clBtnText);
}

void TlxCustomLookAndFeelPainter::PaintRadioButton(TlxCanvas& canvas, int32_t x, int32_t y, TlxButtonState state,
                                                   bool checked, bool focused, TColor background_color,
                                                   bool designing) const {
  lxRadioButtonGlyphs().PaintGlyph(canvas.Canvas(), x, y, lxStyleToLookAndFeelKind(GetLookAndFeelStyle()), state,
                                   checked, focused, designing, background_color);
}

TSize TlxCustomLookAndFeelPainter::GetRadioButtonSize() const { return lxRadioButtonGlyphs().GetGlyphSize(); }
