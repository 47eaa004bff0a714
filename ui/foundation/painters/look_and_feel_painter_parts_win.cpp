// The base painter: headers, footers, filter buttons, tabs, the indicator,
// size grip, calendar and scheduler parts, the clock and the panel group.
#include <cmath>

#include "ui/foundation/geometry/rect_functions.h"
#include "ui/foundation/painters/look_and_feel_painter_win.h"
#include "ui/foundation/painters/painter_glyphs_win.h"

namespace {

constexpr TColor kProgressFrameColor = RGBColor(128, 128, 128);
constexpr TColor kClockHandColor = RGBColor(0, 128, 128);
constexpr TColor kClockDotLightColor = RGBColor(0, 255, 255);

}  // namespace

// --- headers ----------------------------------------------------------------

void TlxCustomLookAndFeelPainter::PaintHeader(TlxCanvas& canvas, const TRect& bounds, const TRect& text_bounds,
                                              TlxHeaderNeighbors neighbors, TlxBorders borders, TlxButtonState state,
                                              TAlignment align_horz, TlxAlignmentVert align_vert, bool multi_line,
                                              bool show_end_ellipsis, std::string_view text, const TFont* font,
                                              TColor text_color, TColor background_color,
                                              const TlxBackgroundCallback& on_draw_background, bool /*is_last*/,
                                              bool /*reserved*/) const {
  PaintHeaderBorder(canvas, bounds, neighbors, borders);
  PaintContent(canvas, GetHeaderContentBounds(bounds, borders), text_bounds, state, align_horz, align_vert, multi_line,
               show_end_ellipsis, text, font, text_color, background_color, on_draw_background, false);
}

void TlxCustomLookAndFeelPainter::PaintHeaderWithNeighbors(
    TlxCanvas& canvas, const TRect& bounds, const TRect& text_bounds, TlxHeaderNeighbors neighbors, TlxBorders borders,
    TlxButtonState state, TAlignment align_horz, TlxAlignmentVert align_vert, bool multi_line, bool show_end_ellipsis,
    std::string_view text, const TFont* font, TColor text_color, TColor background_color,
    const TlxBackgroundCallback& on_draw_background) const {
  PaintHeader(canvas, bounds, text_bounds, neighbors, borders, state, align_horz, align_vert, multi_line,
              show_end_ellipsis, text, font, text_color, background_color, on_draw_background, false, false);
}

void TlxCustomLookAndFeelPainter::PaintHeaderPressedEffect(TlxCanvas& canvas, const TRect& bounds) const {
  canvas.InvertRect(bounds);
}

void TlxCustomLookAndFeelPainter::PaintHeaderControlSection(TlxCanvas& canvas, const TRect& bounds,
                                                            const TRect& text_bounds, TlxHeaderNeighbors /*neighbors*/,
                                                            TlxBorders borders, TlxButtonState state,
                                                            TAlignment align_horz, TlxAlignmentVert align_vert,
                                                            bool multi_line, bool show_end_ellipsis,
                                                            std::string_view text, const TFont* font, TColor text_color,
                                                            TColor background_color) const {
  PaintHeaderControlSectionBorder(canvas, bounds, borders, state);
  PaintHeaderControlSectionContent(canvas, GetHeaderControlSectionContentBounds(bounds, state), text_bounds, state,
                                   align_horz, align_vert, multi_line, show_end_ellipsis, text, font, text_color,
                                   background_color);
}

void TlxCustomLookAndFeelPainter::PaintHeaderControlSectionContent(TlxCanvas& canvas, const TRect& bounds,
                                                                   const TRect& text_bounds, TlxButtonState state,
                                                                   TAlignment align_horz, TlxAlignmentVert align_vert,
                                                                   bool multi_line, bool show_end_ellipsis,
                                                                   std::string_view text, const TFont* font,
                                                                   TColor text_color, TColor background_color) const {
  canvas.FillRectColor(bounds, background_color);
  PaintHeaderControlSectionText(canvas, GetHeaderControlSectionTextBounds(text_bounds, state), state, align_horz,
                                align_vert, multi_line, show_end_ellipsis, text, font, text_color);
}

void TlxCustomLookAndFeelPainter::PaintHeaderControlSectionText(TlxCanvas& canvas, const TRect& text_bounds,
                                                                TlxButtonState state, TAlignment align_horz,
                                                                TlxAlignmentVert align_vert, bool multi_line,
                                                                bool show_end_ellipsis, std::string_view text,
                                                                const TFont* font, TColor text_color) const {
  if (text.empty()) return;
  if (state != lxbsDisabled) {
    lxDrawCellText(canvas, text_bounds, align_horz, align_vert, multi_line, show_end_ellipsis, text, font, text_color);
    return;
  }
  lxDrawCellText(canvas, lxRectShifted(text_bounds, 1, 1), align_horz, align_vert, multi_line, show_end_ellipsis, text,
                 font, clBtnHighlight);
  lxDrawCellText(canvas, text_bounds, align_horz, align_vert, multi_line, show_end_ellipsis, text, font, clBtnShadow);
}

void TlxCustomLookAndFeelPainter::PaintHeaderSeparator(TlxCanvas& canvas, const TRect& bounds, int32_t indent_size,
                                                       TColor color, const TlxPaintParams& view_params) const {
  const TRect left(bounds.Left, bounds.Top, bounds.Left + indent_size, bounds.Bottom);
  const TRect right(bounds.Right - indent_size, bounds.Top, bounds.Right, bounds.Bottom);
  canvas.FillRectWithFrame(left, view_params, 0, clDefault, 0);
  canvas.FillRectWithFrame(right, view_params, 0, clDefault, 0);
  canvas.FillRectColor(lxRectExpand(bounds, -indent_size, 0), color);
}

TRect TlxCustomLookAndFeelPainter::GetHeaderBoundsForNeighbors(const TRect& bounds, TlxHeaderNeighbors neighbors,
                                                               TlxBorders borders) const {
  const TlxBorders pushed = borders - GetHeaderBorders(neighbors);
  const int32_t size = GetHeaderBorderSize();
  TRect r = bounds;
  if (pushed.Contains(bLeft)) r.Left -= size;
  if (pushed.Contains(bTop)) r.Top -= size;
  if (pushed.Contains(bRight)) r.Right += size;
  if (pushed.Contains(bBottom)) r.Bottom += size;
  return r;
}

TRect TlxCustomLookAndFeelPainter::GetHeaderContentBounds(const TRect& bounds, TlxBorders borders) const {
  const int32_t size = GetHeaderBorderSize();
  TRect r = bounds;
  if (borders.Contains(bLeft)) r.Left += size;
  if (borders.Contains(bTop)) r.Top += size;
  if (borders.Contains(bRight)) r.Right -= size;
  if (borders.Contains(bBottom)) r.Bottom -= size;
  return r;
}

TRect TlxCustomLookAndFeelPainter::GetHeaderControlSectionTextBounds(const TRect& bounds, TlxButtonState state) const {
  return state == lxbsPressed ? lxRectShifted(bounds, 1, 1) : bounds;
}

TRect TlxCustomLookAndFeelPainter::GetHeaderControlSectionContentBounds(const TRect& bounds,
                                                                        TlxButtonState state) const {
  return lxInflated(bounds, -GetHeaderControlSectionBorderSize(state));
}

int32_t TlxCustomLookAndFeelPainter::GetHeaderWidth(TlxCanvas& canvas, TlxBorders borders, std::string_view text,
                                                    const TFont* font) const {
  if (font != nullptr) canvas.AssignFont(*font);
  int32_t width = canvas.MeasureTextWidth(text) + 4;
  if (borders.Contains(bLeft)) width += GetHeaderBorderSize();
  if (borders.Contains(bRight)) width -= GetHeaderBorderSize();
  return width;
}

void TlxCustomLookAndFeelPainter::PaintSortArrow(TlxCanvas& canvas, const TRect& rect, TColor shadow_color,
                                                 TColor light_color, bool ascending) const {
  const TlxSortArrowPath path = lxSortArrowPath(rect, GetSortingMarkSize(), ascending);
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetWidth(1);
  canvas.MoveTo(path.Start.X, path.Start.Y);
  for (const TlxSortArrowSegment& segment : path.Segments) {
    canvas.Pen().SetColor(segment.Light ? light_color : shadow_color);
    canvas.LineTo(segment.To.X, segment.To.Y);
  }
}

// --- footer, filter and window ------------------------------------------------------

void TlxCustomLookAndFeelPainter::PaintGroupByBox(TlxCanvas& canvas, const TRect& rect, bool transparent,
                                                  TColor background_color, TBitmap* background_bitmap) const {
  PaintBackground(canvas, rect, transparent, background_color, background_bitmap);
}

void TlxCustomLookAndFeelPainter::PaintFooterCell(TlxCanvas& canvas, const TRect& bounds, TAlignment align_horz,
                                                  TlxAlignmentVert align_vert, bool multi_line, std::string_view text,
                                                  const TFont* font, TColor text_color, TColor background_color,
                                                  const TlxBackgroundCallback& on_draw_background) const {
  PaintFooterCellBorder(canvas, bounds);
  PaintContent(canvas, GetFooterCellContentBounds(bounds), GetFooterCellTextBounds(bounds), lxbsDefault, align_horz,
               align_vert, multi_line, false, text, font, text_color, background_color, on_draw_background, true);
}

void TlxCustomLookAndFeelPainter::PaintFooterContent(TlxCanvas& canvas, const TRect& rect,
                                                     const TlxPaintParams& view_params) const {
  if (rect.IsEmpty()) return;
  canvas.FillRectWithFrame(rect, view_params, 0, clDefault, 0);
}

void TlxCustomLookAndFeelPainter::PaintFooterSeparator(TlxCanvas& canvas, const TRect& rect) const {
  canvas.FillRectColor(rect, GetFooterSeparatorColor());
}

void TlxCustomLookAndFeelPainter::PaintFilterActivateButton(TlxCanvas& canvas, const TRect& rect, TlxButtonState state,
                                                            bool checked) const {
  PaintCheckButtonByCheckState(canvas, rect, state, checked);
}

void TlxCustomLookAndFeelPainter::PaintFilterCloseButton(TlxCanvas& canvas, const TRect& rect,
                                                         TlxButtonState state) const {
  PaintButtonBorder(canvas, rect, state);
  const TRect inside = lxInflated(rect, -GetButtonBorderSize(lxbsNormal));
  canvas.FillRectColor(inside, GetButtonColor(state));
  PaintButtonCross(canvas, inside, GetButtonSymbolColor(state), GetButtonSymbolState(state));
}

void TlxCustomLookAndFeelPainter::PaintButtonCross(TlxCanvas& canvas, const TRect& rect, TColor color,
                                                   TlxButtonState state) const {
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetColor(color);
  for (const auto& line : lxButtonCrossLines(rect, GetFilterCloseButtonSize().cx, state == lxbsPressed)) {
    canvas.MoveTo(line[0].X, line[0].Y);
    canvas.LineTo(line[1].X, line[1].Y);
  }
}

void TlxCustomLookAndFeelPainter::PaintFilterPanel(TlxCanvas& canvas, const TRect& rect, bool transparent,
                                                   TColor background_color, TBitmap* background_bitmap) const {
  PaintBackground(canvas, rect, transparent, background_color, background_bitmap);
}

void TlxCustomLookAndFeelPainter::PaintWindowContent(TlxCanvas& canvas, const TRect& rect) const {
  canvas.FillRectColor(rect, clBtnFace);
}

// --- indicator ------------------------------------------------------------------------

void TlxCustomLookAndFeelPainter::PaintIndicatorCustomizationMark(TlxCanvas& canvas, const TRect& rect,
                                                                  TColor color) const {
  const TlxCustomizationMark mark = lxCustomizationMark(rect);
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetColor(color);
  for (const auto& line : mark.Lines) {
    canvas.MoveTo(line[0].X, line[0].Y);
    canvas.LineTo(line[1].X, line[1].Y);
  }
  for (const TPoint& bullet : mark.Bullets) canvas.PutPixel(bullet.X, bullet.Y, color);
}

void TlxCustomLookAndFeelPainter::PaintIndicatorImage(TlxCanvas& canvas, const TRect& rect,
                                                      TlxIndicatorKind kind) const {
  if (kind == ikNone || kind > ikFilter) return;
  TCustomImageList& images = lxIndicatorImages();
  images.Draw(canvas.Canvas(), (rect.Left + rect.Right - images.Width()) / 2,
              (rect.Top + rect.Bottom - images.Height()) / 2, kind - 1, true);
}

void TlxCustomLookAndFeelPainter::PaintIndicatorItem(TlxCanvas& canvas, const TRect& bounds, TlxIndicatorKind kind,
                                                     TColor background_color,
                                                     const TlxBackgroundCallback& on_draw_background) const {
  PaintHeader(canvas, bounds, bounds, TlxHeaderNeighbors{}, GetHeaderBorders(TlxHeaderNeighbors{bTop, bBottom}),
              lxbsNormal, taLeftJustify, vaTop, false, false, "", nullptr, clNone, background_color, on_draw_background,
              false, false);
  PaintIndicatorImage(canvas, bounds, kind);
}

void TlxCustomLookAndFeelPainter::PaintIndicatorItemWithNeighbors(
    TlxCanvas& canvas, const TRect& bounds, TlxIndicatorKind kind, TColor background_color,
    const TlxBackgroundCallback& on_draw_background) const {
  PaintHeaderWithNeighbors(canvas, bounds, bounds, TlxHeaderNeighbors{}, lxAllBorders, lxbsNormal, taLeftJustify, vaTop,
                           false, false, "", nullptr, clNone, background_color, on_draw_background);
  PaintIndicatorImage(canvas, bounds, kind);
}

// --- size grip, calendar, scheduler, clock ---------------------------------------------------

TSize TlxCustomLookAndFeelPainter::GetSizeGripSize() const {
  return TSize{GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
}

void TlxCustomLookAndFeelPainter::PaintSizeGrip(TlxCanvas& canvas, const TRect& rect, TColor background_color) const {
  canvas.FillRectColor(rect, background_color);
  RECT r = rect;
  DrawFrameControl(canvas.Handle(), &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

void TlxCustomLookAndFeelPainter::ComputeSchedulerNavButtonRects(bool next_button, bool collapsed, TSize caption_size1,
                                                                 TSize caption_size2, TRect& bounds, TRect& text_rect,
                                                                 TRect& arrow_rect) const {
  TlxSchedulerNavButtonSizes sizes;
  GetSchedulerNavButtonSizes(next_button, sizes.Margins, sizes.ArrowSize);
  lxComputeSchedulerNavButtonRects(sizes, collapsed, caption_size1.cx, caption_size2.cx, bounds, text_rect, arrow_rect);
}

void TlxCustomLookAndFeelPainter::GetSchedulerNavButtonSizes(bool next_button, TlxMargins& border_sizes,
                                                             TSize& arrow_size) const {
  const TlxSchedulerNavButtonSizes sizes = lxBaseSchedulerNavButtonSizes(next_button);
  border_sizes = sizes.Margins;
  arrow_size = sizes.ArrowSize;
}

void TlxCustomLookAndFeelPainter::PaintMonthHeader(TlxCanvas& canvas, const TRect& bounds, std::string_view text,
                                                   TlxHeaderNeighbors neighbors, const TlxPaintParams& view_params,
                                                   int32_t arrows, int32_t side_width,
                                                   const TlxBackgroundCallback& on_draw_background) const {
  PaintHeader(canvas, bounds, bounds, neighbors, GetHeaderBorders(neighbors), lxbsNormal, taCenter, vaCenter, false,
              false, text, view_params.Font, view_params.TextColor, view_params.Color, on_draw_background);
  PaintMonthHeaderArrows(canvas, bounds, arrows, side_width, clWindowText);
}

void TlxCustomLookAndFeelPainter::PaintMonthHeaderArrows(TlxCanvas& canvas, const TRect& bounds, int32_t arrows,
                                                         int32_t side_width, TColor color) const {
  TRect r = bounds;
  r.Top += GetBorderSize();
  for (const TlxTriangle& arrow : lxMonthHeaderArrows(r, arrows, side_width)) lxFillTriangle(canvas, arrow, color);
}

void TlxCustomLookAndFeelPainter::PaintSchedulerEventProgress(TlxCanvas& canvas, const TRect& bounds,
                                                              const TRect& progress, const TlxPaintParams& view_params,
                                                              bool frame_only) const {
  if (frame_only)
    lxFrame1(canvas, bounds, kProgressFrameColor);
  else
    canvas.FillRectWithFrame(bounds, view_params,
                             lxFrameSideLeft | lxFrameSideTop | lxFrameSideRight | lxFrameSideBottom,
                             kProgressFrameColor, 1);
  canvas.FillRectColor(progress, clNavy);
}

void TlxCustomLookAndFeelPainter::PaintSchedulerNavButton(TlxCanvas& canvas, const TRect& bounds, bool next_button,
                                                          TlxButtonState state, std::string_view caption,
                                                          const TRect& text_rect, const TRect& arrow_rect) const {
  PaintSchedulerNavButtonFace(canvas, bounds, arrow_rect, next_button, state);
  if (text_rect.IsEmpty() || caption.empty()) return;
  // The caption reads from bottom to top: a font turned a quarter counter-
  // clockwise, its extent centred in the text rectangle.
  canvas.PushState();
  canvas.RotateFont(90);
  canvas.Font().SetColor(GetButtonSymbolColor(state, canvas.Font().Color()));
  canvas.Brush().SetStyle(bsClear);
  const TSize extent = canvas.MeasureTextExtent(caption);
  const int32_t x = (text_rect.Left + text_rect.Right - extent.cy) / 2;
  const int32_t y = (text_rect.Top + text_rect.Bottom + extent.cx) / 2;
  canvas.IntersectClip(text_rect);
  canvas.Canvas().TextOut(x, y, caption);
  canvas.PopState();
  canvas.Brush().SetStyle(bsSolid);
}

void TlxCustomLookAndFeelPainter::PaintSchedulerNavButtonFace(TlxCanvas& canvas, const TRect& bounds,
                                                              const TRect& arrow_rect, bool next_button,
                                                              TlxButtonState state) const {
  canvas.FillRectColor(bounds, clBtnFace);
  const TlxBorders sides = lxSchedulerNavButtonSides(next_button);
  lxFrame1(canvas, bounds, clBtnShadow, sides);
  TRect inner(bounds.Left, bounds.Top + 1, bounds.Right, bounds.Bottom - 1);
  if (next_button)
    ++inner.Left;
  else
    --inner.Right;
  const bool pressed = state == lxbsPressed;
  lxFrame(canvas, inner, pressed ? clBtnShadow : clBtnHighlight, pressed ? clBtnHighlight : clBtnFace, sides);
  PaintSchedulerNavButtonArrow(canvas, arrow_rect, next_button, GetButtonSymbolColor(state));
}

void TlxCustomLookAndFeelPainter::PaintSchedulerNavButtonArrow(TlxCanvas& canvas, const TRect& rect, bool next_button,
                                                               TColor color) const {
  for (const TRect& strip : lxSchedulerNavArrowStrips(rect, next_button)) canvas.FillRectColor(strip, color);
}

void TlxCustomLookAndFeelPainter::PaintSchedulerNavigatorButton(TlxCanvas& canvas, const TRect& rect,
                                                                TlxButtonState state) const {
  PaintButton(canvas, rect, "", state);
}

void TlxCustomLookAndFeelPainter::PaintClock(TlxCanvas& canvas, const TRect& bounds, int32_t hour, int32_t minute,
                                             int32_t second, TColor background_color) const {
  const TlxClockGeometry clock = lxClockGeometry(bounds);
  canvas.PushClipRegion();
  for (int32_t i = 0; i < 60; i += 5) {
    const TPoint p = lxClockDialPoint(clock, i);
    canvas.PutPixel(p.X, p.Y, kClockHandColor);
    canvas.FillRectColor(TRect(p.X - 1, p.Y - 1, p.X + 1, p.Y), kClockDotLightColor);
    canvas.FillRectColor(TRect(p.X - 1, p.Y, p.X, p.Y + 1), kClockDotLightColor);
    canvas.FillRectColor(TRect(p.X + 1, p.Y - 1, p.X + 2, p.Y + 2), clBtnText);
    canvas.FillRectColor(TRect(p.X - 1, p.Y + 1, p.X + 1, p.Y + 2), clBtnText);
    canvas.ExcludeFromClip(TRect(p.X - 1, p.Y - 1, p.X + 2, p.Y + 2));
  }
  canvas.FillRectColor(bounds, background_color);
  struct Hand {
    double angle;
    int32_t width;
    double tip;
    double tail;
  };
  const Hand hands[] = {{lxClockHourAngle(hour, minute, second), 9, 0.75, 0.15},
                        {lxClockMinuteAngle(minute, second), 7, 0.85, 0.2}};
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(kClockHandColor);
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetColor(kClockHandColor);
  for (const Hand& hand : hands) {
    const auto corners = lxClockHandCorners(clock, hand.angle, hand.width, hand.tip, hand.tail);
    canvas.Polygon({corners.begin(), corners.end()});
  }
  const TPoint tip = lxClockSecondHandTip(clock, lxClockSecondAngle(second));
  canvas.Pen().SetColor(clRed);
  canvas.MoveTo(static_cast<int32_t>(clock.CentreX), static_cast<int32_t>(clock.CentreY));
  canvas.LineTo(tip.X, tip.Y);
  canvas.PopClipRegion();
}

// --- panel group --------------------------------------------------------------------------

void TlxCustomLookAndFeelPainter::PaintNavigatorGlyph(TlxCanvas& canvas, TCustomImageList* images, int32_t image_index,
                                                      const TRect& button_rect, bool enabled, bool /*user_glyphs*/,
                                                      int32_t /*button*/) const {
  if (images == nullptr) return;
  images->Draw(canvas.Canvas(), button_rect.Left, button_rect.Top, image_index, enabled);
}

void TlxCustomLookAndFeelPainter::PaintPanelBackground(TlxCanvas& canvas, TControl* /*control*/, TColor /*color_from*/,
                                                       TColor /*color_to*/, const TRect& bounds) const {
  PaintGroupBoxBackground(canvas, bounds, bounds);
}
