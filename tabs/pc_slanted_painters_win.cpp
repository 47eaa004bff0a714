#include "tabs/pc_slanted_painters_win.h"

#include <algorithm>
#include <bit>
#include <utility>
#include <vector>

#include "platform/toolkit/bitmap.h"
#include "tabs/tab.h"
#include "tabs/tab_control_win.h"
#include "tabs/tabs.h"
#include "tabs/visible_tab_list.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/canvas/region_win.h"
#include "ui/foundation/colors/gradient_win.h"
#include "ui/foundation/colors/office11_colors_win.h"
#include "ui/foundation/look_and_feel/system_palette_win.h"

namespace {

TColor Resolve(TColor color) { return ColorToRGB(color); }

constexpr TColor kBlack = TColorOf(0x000000);
constexpr TColor kWhite = TColorOf(0xFFFFFF);

bool IsBottomOrRight(TlxTabPosition side) { return side == tpBottom || side == tpRight; }

// Edges of a row rectangle, named for the row of tabs on `side`.
enum class TEdge { RowStart, RowEnd, PageSide };

// The one-pixel line of `r` on `edge`; `r` loses it.

TRect TakeLine(TRect& r, TEdge edge, TlxTabPosition side) {
  const bool along_x = lxPCIsRowAxisX(side);
  TRect line = r;
  switch (edge) {
    case TEdge::RowStart:
      if (along_x) {
        line.Right = r.Left + 1;
        ++r.Left;
      } else {
        line.Top = r.Bottom - 1;
        --r.Bottom;
      }
      break;
    case TEdge::RowEnd:
      if (along_x) {
        line.Left = r.Right - 1;
        --r.Right;
      } else {
        line.Bottom = r.Top + 1;
        ++r.Top;
      }
      break;
    case TEdge::PageSide:
      switch (side) {
        case tpTop: line.Top = r.Bottom - 1; --r.Bottom; break;
        case tpBottom: line.Bottom = r.Top + 1; ++r.Top; break;
        case tpLeft: line.Left = r.Right - 1; --r.Right; break;
        case tpRight: line.Right = r.Left + 1; ++r.Left; break;
      }
      break;
  }
  return line;
}

}  // namespace

std::unique_ptr<TlxRegion> lxPCRegionFromPixels(const TlxPCPixelRegion& pixels) {
  auto region = std::make_unique<TlxRegion>();
  for (const TRect& run : pixels.Runs())
    region->CombineWith(std::make_unique<TlxRegion>(run), roAdd);
  return region;
}

// ---- TlxPCSlantedPainter ------------------------------------------------------

void TlxPCSlantedPainter::PrepareLayout() { cut_value_ = CalculateCutValue(); }

int32_t TlxPCSlantedPainter::CalculateCutValue() {
  return Control().TabSlantKind() == skSlant ? CalculateTabNormalHeight() - 1 : 6;
}

TlxTabSlantPositions TlxPCSlantedPainter::GetSlantPositions() const {
  return lxPCSlantedEndsInUse(Control().TabSlantKind(), Control().TabSlantPositions(), Control().Rotate());
}

bool TlxPCSlantedPainter::HasImagesInUse() const { return SizeInput(-1).HasImages; }

int32_t TlxPCSlantedPainter::GetMinShapeWidth() const {
  if (Control().Rotate())
    return 0;
  const TlxTabSlantPositions positions = Control().TabSlantPositions() & (kPCSlantLeft | kPCSlantRight);
  if (positions == 0)
    return 8;
  const int32_t m = std::popcount(static_cast<unsigned>(positions));
  const int32_t plain_end = Control().TabSlantKind() == skSlant ? 2 : GetFrameWidth();
  return cut_value_ * m + plain_end * (2 - m) + 4;
}

void TlxPCSlantedPainter::GetContentWOffsets(int32_t visible_index, int32_t& start, int32_t& end) const {
  const int32_t fw = GetFrameWidth();
  const TlxTabSlantPositions positions = Control().TabSlantPositions();
  const bool cut = Control().TabSlantKind() == skCutCorner;
  const int32_t direction = Control().CaptionDirection();
  if (!Control().Rotate()) {
    const int32_t slant = cut ? 6 : cut_value_;
    start = (positions & kPCSlantLeft) != 0 ? slant : fw + 2;
    end = (positions & kPCSlantRight) != 0 ? slant : fw + 2;
    if (direction == 2)
      std::swap(start, end);
    return;
  }
  start = 2;
  end = fw + 5 + (cut && positions != 0 ? 1 : 0);
  const TlxTabPosition side =
      visible_index >= 0 ? Control().Tabs().GetVisibleTab(visible_index)->Side() : Control().TabPosition();
  if ((side == tpTop && direction == 2) || (side == tpBottom && direction == 1) || side == tpLeft)
    std::swap(start, end);
}

void TlxPCSlantedPainter::GetImageHOffsets(int32_t& top, int32_t& bottom) const {
  const int32_t fw = GetFrameWidth();
  if (!Control().Rotate()) {
    top = fw + 3;
    bottom = 1;
    return;
  }
  const bool cut_ends = Control().TabSlantKind() == skCutCorner && Control().TabSlantPositions() != 0;
  top = bottom = fw + (cut_ends ? 2 : 1);
}

void TlxPCSlantedPainter::GetTextHOffsets(int32_t& top, int32_t& bottom) const {
  const int32_t fw = GetFrameWidth();
  top = fw + (Control().Rotate() ? 3 : 4);
  bottom = Control().Rotate() ? fw + 1 : 1;
}

int32_t TlxPCSlantedPainter::GetTabWidthAddition(int32_t visible_index) const {
  int32_t start = 0;
  int32_t end = 0;
  GetContentWOffsets(visible_index, start, end);
  int32_t width = start + end;
  const TlxPCTabSizeInput input = SizeInput(visible_index);
  if (input.HasImages && (visible_index == -1 || input.TabHasImage || input.Rotate))
    width += input.ImageSize.cx + (input.ImageBorder > 0 ? 2 * input.ImageBorder : 0);
  return std::max(width, GetMinShapeWidth());
}

int32_t TlxPCSlantedPainter::GetMinTabWidth(int32_t visible_index) { return GetTabWidthAddition(visible_index); }

int32_t TlxPCSlantedPainter::CalculateTabNormalWidth(TlxTab& tab) {
  if (!tab.Visible())
    return 0;
  const int32_t visible_index = tab.VisibleIndex();
  int32_t width = Control().TabWidth();
  if (width < 1) {
    const TlxPCTabSizeInput input = SizeInput(visible_index);
    width = GetTabWidthAddition(visible_index);
    if (!tab.Caption().empty())
      width += CaptionWidth(tab);
    if (input.TabHasImage || (input.HasImages && input.Rotate))
      width += 3;
  }
  return std::max(width, GetMinTabWidth(visible_index));
}

int32_t TlxPCSlantedPainter::GetTabContentHeight() {
  TlxCanvas& canvas = Control().CurrentCanvas();
  canvas.AssignFont(Control().Font());
  int32_t text_top = 0;
  int32_t text_bottom = 0;
  GetTextHOffsets(text_top, text_bottom);
  int32_t height = canvas.MeasureTextHeight("Zg") + text_top + text_bottom;
  const TlxPCTabSizeInput input = SizeInput(-1);
  if (input.HasImages) {
    int32_t image_top = 0;
    int32_t image_bottom = 0;
    GetImageHOffsets(image_top, image_bottom);
    const int32_t box = input.ImageSize.cy + (input.ImageBorder > 0 ? 2 * input.ImageBorder : 0);
    height = std::max(height, box + image_top + image_bottom);
  }
  return height;
}

void TlxPCSlantedPainter::GetTabSpacing(int32_t& along, int32_t& across) {
  const int32_t n = std::popcount(static_cast<unsigned>(GetSlantPositions() & (kPCSlantLeft | kPCSlantRight)));
  along = n > 0 ? -(cut_value_ / 2) * n : 1;
  across = -3;
  if (Control().Rotate())
    std::swap(along, across);
}

TRect TlxPCSlantedPainter::GetTabsAreaMargins() const {
  const TlxTabSlantPositions in_use = GetSlantPositions();
  const int32_t start = (in_use & kPCSlantLeft) != 0 ? 1 : 0;
  const int32_t end = (in_use & kPCSlantRight) != 0 ? 1 : 0;
  if (lxPCIsRowAxisX(Control().TabPosition()))
    return {start, 0, end, 0};
  return {0, end, 0, start};
}

TRect TlxPCSlantedPainter::GetTabsContainerOffsets() const {
  if (!Control().TabsContainerMode())
    return {};
  const TlxTabSlantPositions in_use = GetSlantPositions();
  const int32_t at_start = (in_use & kPCSlantLeft) != 0 ? 1 : 2;
  const int32_t at_end = (in_use & kPCSlantRight) != 0 ? 1 : 2;
  const TlxTabPosition position = Control().TabPosition();
  if (position == tpTop || position == tpLeft)
    return {at_start, 2, at_end, 0};
  return {at_end, 2, at_start, 0};
}

TRect TlxPCSlantedPainter::GetPageClientRectOffset() const {
  TRect offset = TlxPCCustomPainter::GetPageClientRectOffset();
  if (Control().HideTabs() || Control().RowCount() < 1)
    return offset;
  if (Control().TabsContainerMode())
    offset.Top += 2;
  if (!IsFrameShown()) {
    offset.Top += 1;
    if (Control().HasTabsOnBothSides())
      offset.Bottom += 1;
  }
  return offset;
}

TlxPCNavigatorMetrics TlxPCSlantedPainter::NavigatorMetrics() const {
  TlxPCNavigatorMetrics metrics;
  metrics.ButtonWidths[nbTopLeft] = 17;
  metrics.ButtonWidths[nbBottomRight] = 17;
  metrics.ButtonWidths[nbGoDialog] = 13;
  metrics.ButtonWidths[nbClose] = 16;
  metrics.ButtonHeight = 17;
  metrics.ButtonGap = 1;
  metrics.GoDialogButtonGap = 1;
  metrics.CloseButtonGap = 3;
  metrics.ButtonsTabsGap = 1;
  const bool container = Control().TabsContainerMode();
  metrics.EdgeOffset = container ? 2 : 1;
  metrics.SideOffset = container ? 2 : 0;
  return metrics;
}

bool TlxPCSlantedPainter::IsDisplayedIndex(int32_t visible_index) const {
  const int32_t count = Control().VisibleTabs().Count();
  if (visible_index < 0 || visible_index >= count)
    return false;
  if (Control().MultiLine())
    return true;
  return visible_index >= Control().FirstDisplayedTab() && visible_index <= Control().LastDisplayedTab();
}

TlxPCOutline TlxPCSlantedPainter::GetTabOutline(int32_t visible_index) const {
  TlxTab* tab = Control().Tabs().GetVisibleTab(visible_index);
  return lxPCSlantedTabOutline(tab->FullRect(), tab->Side(),
                               {Control().TabSlantKind(), Control().TabSlantPositions(), Control().Rotate()});
}

TlxPCPixelRegion TlxPCSlantedPainter::GetTabShapeRegion(int32_t visible_index, bool inner) const {
  TlxTab* tab = Control().Tabs().GetVisibleTab(visible_index);
  return lxPCFillPolygon(lxPCOutlineRegionPolygon(GetTabOutline(visible_index), tab->FullRect(), tab->Side(), inner));
}

TRect TlxPCSlantedPainter::GetPageSideStrip(int32_t visible_index) const {
  TlxTab* tab = Control().Tabs().GetVisibleTab(visible_index);
  const TRect r = tab->DisplayRect();
  if (r.IsEmpty())
    return {};
  switch (tab->Side()) {
    case tpTop: return {r.Left, r.Bottom, r.Right, r.Bottom + 1};
    case tpBottom: return {r.Left, r.Top - 1, r.Right, r.Top};
    case tpLeft: return {r.Right, r.Top, r.Right + 1, r.Bottom};
    case tpRight: return {r.Left - 1, r.Top, r.Left, r.Bottom};
  }
  return {};
}

TlxPCPixelRegion TlxPCSlantedPainter::GetTabPixelRegion(int32_t visible_index) const {
  TlxTab* tab = Control().Tabs().GetVisibleTab(visible_index);
  const TRect shown = tab->DisplayRect();
  if (shown.IsEmpty())
    return {};
  TlxPCPixelRegion region = GetTabShapeRegion(visible_index, false).Intersected(shown);
  if (tab->IsMainTab())
    region = region.United(TlxPCPixelRegion(GetPageSideStrip(visible_index)));
  return region;
}

bool TlxPCSlantedPainter::IsPointInTab(int32_t visible_index, int32_t x, int32_t y) {
  if (!GetTabPixelRegion(visible_index).Contains(x, y))
    return false;
  // The main tab lies in front of the tab before it.
  const int32_t next = visible_index + 1;
  if (IsDisplayedIndex(next) && next == Control().MainVisibleIndex())
    return !GetTabPixelRegion(next).Contains(x, y);
  return true;
}

TColor TlxPCSlantedPainter::GetTabColor(int32_t visible_index) const {
  if (Control().Tabs().GetVisibleTab(visible_index)->Highlighted())
    return clHighlight;
  const TColor color = GetTabBaseColor(visible_index);
  if (color != clDefault)
    return color;
  return Control().TabsContainerMode() ? clBtnFace : Control().Color();
}

TColor TlxPCSlantedPainter::GetClientColor() const {
  const int32_t main = Control().MainVisibleIndex();
  if (!Control().TabsContainerMode() || main < 0 || main >= Control().VisibleTabs().Count())
    return TlxPCStandardPainter::GetClientColor();
  const TColor color = GetTabBaseColor(main);
  return color == clDefault ? clBtnFace : color;
}

void TlxPCSlantedPainter::GetTabGradientColors(int32_t visible_index, TColor& first, TColor& second) const {
  const TColor c = Resolve(GetTabColor(visible_index));
  if (Control().Tabs().GetVisibleTab(visible_index)->IsHot()) {
    first = static_cast<TColor>(lxPCLightenColor(c, 20));
    second = c;
    return;
  }
  first = static_cast<TColor>(lxPCLightenColor(c, 13));
  second = lxScaleRGB(c, 90);
}

void TlxPCSlantedPainter::FillTabBackground(TlxCanvas& canvas, const TRect& rect, bool flip, bool horizontal,
                                            int32_t visible_index) {
  TlxTab* tab = Control().Tabs().GetVisibleTab(visible_index);
  const bool main = tab->IsMainTab();
  const bool hot_main = main && tab->IsHot() && UseGradientForHotMainTab();
  if (main && !hot_main) {
    canvas.FillRectColor(rect, GetTabColor(visible_index));
    return;
  }
  TColor first = GetTabColor(visible_index);
  TColor second = first;
  if (lxPCHasOption(Control().Options(), pcoGradient))
    GetTabGradientColors(visible_index, first, second);
  if (hot_main && IsBottomOrRight(tab->Side()))
    std::swap(first, second);
  if (flip)
    std::swap(first, second);
  lxPaintGradient(canvas.Handle(), rect, first, second, horizontal);
}

void TlxPCSlantedPainter::DrawRotatedPolyline(TlxCanvas& canvas, const TRect& rect, const TPoints& points,
                                              TColor color, TlxTabPosition side) {
  if (points.empty())
    return;
  const TPoints turned = lxPCRotatePolyline(rect, points, side);
  const TColor resolved = Resolve(color);
  canvas.Canvas().Pen().SetColor(resolved);
  canvas.Polyline(turned);
  canvas.PutPixel(turned.back().X, turned.back().Y, resolved);
}

void TlxPCSlantedPainter::PaintTabOutline(TlxCanvas& canvas, int32_t visible_index, const TRect& rect) {
  TlxTab* tab = Control().Tabs().GetVisibleTab(visible_index);
  DrawRotatedPolyline(canvas, rect, GetTabOutline(visible_index).Points, GetBorderColor(), tab->Side());
}

void TlxPCSlantedPainter::PaintTabMark(TlxCanvas& canvas, int32_t visible_index) {
  TlxTab* tab = Control().Tabs().GetVisibleTab(visible_index);
  if (!tab->IsHot() && !tab->IsMainTab())
    return;
  const TRect full = tab->FullRect();
  const int32_t depth = GetFrameWidth() + 3;
  TRect band = full;
  switch (tab->Side()) {
    case tpTop: band.Bottom = full.Top + depth; break;
    case tpBottom: band.Top = full.Bottom - depth; break;
    case tpLeft: band.Right = full.Left + depth; break;
    case tpRight: band.Left = full.Right - depth; break;
  }
  canvas.FillRectColor(band, clHighlight);
  canvas.ExcludeFromClip(band);
}

void TlxPCSlantedPainter::JoinMainTabToPage(TlxCanvas& canvas, int32_t visible_index) {
  TlxTab* tab = Control().Tabs().GetVisibleTab(visible_index);
  canvas.FillRectColor(GetPageSideStrip(visible_index), GetTabColor(visible_index));
  const TRect r = tab->FullRect();
  const TlxTabPosition side = tab->Side();
  const int32_t w = lxPCGetOrientedSize(r, side).cx;
  const TlxTabSlantPositions in_use = GetSlantPositions();
  const TColor border = Resolve(GetBorderColor());
  if ((in_use & kPCSlantLeft) == 0) {
    const TPoint p = lxPCRotatePoint(r, {r.Left, r.Bottom}, side);
    canvas.PutPixel(p.X, p.Y, border);
  }
  if ((in_use & kPCSlantRight) == 0) {
    const TPoint p = lxPCRotatePoint(r, {r.Left + w - 1, r.Bottom}, side);
    canvas.PutPixel(p.X, p.Y, border);
  }
}

void TlxPCSlantedPainter::PaintTabFrame(TlxCanvas& canvas, TlxTab& tab, int32_t visible_index) {
  const TRect full = tab.FullRect();
  canvas.PushClipRegion();
  PaintTabOutline(canvas, visible_index, full);
  canvas.ApplyClipRegion(lxPCRegionFromPixels(GetTabShapeRegion(visible_index, true)), roIntersect);
  PaintTabMark(canvas, visible_index);
  FillTabBackground(canvas, full, false, !lxPCIsRowAxisX(tab.Side()), visible_index);
  canvas.PopClipRegion();
  if (tab.IsMainTab())
    JoinMainTabToPage(canvas, visible_index);
}

void TlxPCSlantedPainter::PaintTab(TlxCanvas& canvas, int32_t visible_index) {
  const TlxPCPixelRegion region = GetTabPixelRegion(visible_index);
  if (region.IsEmpty())
    return;
  TlxTab& tab = *Control().Tabs().GetVisibleTab(visible_index);
  canvas.PushClipRegion();
  canvas.ApplyClipRegion(lxPCRegionFromPixels(region), roIntersect);
  if (IsCustomDraw() && DoCustomDrawTab(visible_index)) {
    canvas.PopClipRegion();
    canvas.ApplyClipRegion(lxPCRegionFromPixels(region), roSubtract);
    return;
  }
  // The shape first: captions lie on its gradient.
  PaintTabFrame(canvas, tab, visible_index);
  const TlxPCTabContentRects rects = PaintTabImageAndText(canvas, tab, visible_index);
  if (!rects.Caption.IsEmpty() && tab.IsMainTab() && Control().Focused() && tab.IsEnabledForUse()) {
    const bool vertical = Control().IsTabTextVertical();
    const TRect focus = rects.Caption.Inflate(vertical ? 2 : 3, vertical ? 3 : 2);
    canvas.IntersectClip(tab.DisplayRect());
    canvas.DrawFocusFrame(focus.Inflate(-1, -1));
  }
  canvas.PopClipRegion();
  canvas.ApplyClipRegion(lxPCRegionFromPixels(region), roSubtract);
}

void TlxPCSlantedPainter::PaintRowLines(TlxCanvas& canvas, int32_t first, int32_t last, bool to_edges,
                                        bool no_ends) {
  TlxTab* first_tab = Control().Tabs().GetVisibleTab(first);
  const TRect a = first_tab->DisplayRect();
  const TRect b = Control().Tabs().GetVisibleTab(last)->DisplayRect();
  const TlxTabPosition side = first_tab->Side();
  const TlxTabSlantPositions in_use = GetSlantPositions();
  const bool slant_start = (in_use & kPCSlantLeft) != 0;
  const bool slant_end = (in_use & kPCSlantRight) != 0;
  TRect r = a;
  if (lxPCIsRowAxisX(side)) {
    r.Left = to_edges || slant_start ? 0 : std::min(a.Left, b.Left);
    r.Right = to_edges || slant_end ? Control().Width() : std::max(a.Right, b.Right);
  } else {
    r.Top = to_edges || slant_end ? 0 : std::min(a.Top, b.Top);
    r.Bottom = to_edges || slant_start ? Control().Height() : std::max(a.Bottom, b.Bottom);
  }
  int32_t along = 0;
  int32_t across = 0;
  GetTabSpacing(along, across);
  r = lxPCShrinkRect(r, lxPCTurnMargins({0, -across, 0, -1}, side));
  const TColor border = GetBorderColor();
  auto draw = [&](TEdge edge) {
    const TRect line = TakeLine(r, edge, side);
    canvas.FillRectColor(line, border);
    canvas.ExcludeFromClip(line);
  };
  if (!no_ends && slant_start)
    draw(TEdge::RowStart);
  if (!no_ends && slant_end)
    draw(TEdge::RowEnd);
  draw(TEdge::PageSide);
}

void TlxPCSlantedPainter::PaintTabs(TlxCanvas& canvas) {
  int32_t first = 0;
  int32_t last = -1;
  GetDisplayedRange(first, last);
  if (first > last)
    return;
  const int32_t main = Control().MainVisibleIndex();
  if (main >= first && main <= last)
    PaintTab(canvas, main);
  const int32_t rows = Control().RowCount();
  std::vector<std::pair<int32_t, int32_t>> bounds(static_cast<size_t>(std::max(rows, 0)), {-1, -1});
  for (int32_t i = first; i <= last; ++i) {
    const int32_t row = Control().Tabs().GetVisibleTab(i)->DisplayRowIndex();
    if (row < 0 || row >= rows)
      continue;
    auto& [row_first, row_last] = bounds[static_cast<size_t>(row)];
    row_first = row_first == -1 ? i : std::min(row_first, i);
    row_last = std::max(row_last, i);
  }
  const int32_t near_part = Control().TopOrLeftPartRowCount();
  std::vector<int32_t> order;
  for (int32_t row = near_part - 1; row >= 0; --row)
    order.push_back(row);
  for (int32_t row = near_part; row < rows; ++row)
    order.push_back(row);
  for (int32_t row : order) {
    const auto [row_first, row_last] = bounds[static_cast<size_t>(row)];
    if (row_first == -1)
      continue;
    for (int32_t i = row_first; i <= row_last; ++i)
      if (i != main && Control().Tabs().GetVisibleTab(i)->DisplayRowIndex() == row)
        PaintTab(canvas, i);
    const bool to_edges = row == near_part - 1 || row == near_part;
    // The outermost row of its part: row 0 above or left of the page, the
    // last row below or right of it.
    const bool no_ends = row < near_part ? row == 0 : row == rows - 1;
    PaintRowLines(canvas, row_first, row_last, to_edges, no_ends);
  }
}

void TlxPCSlantedPainter::PaintFrame(TlxCanvas& canvas) {
  TRect r = GetPageClientRect().Inflate(1, 1);
  if (Control().TabsContainerMode())
    r = lxPCShrinkRect(r, lxPCTurnMargins({0, -2, 0, 0}, Control().TabPosition()));
  canvas.DrawTwoColorFrame(r, GetBorderColor(), GetBorderColor(), lxAllBorders);
}

void TlxPCSlantedPainter::PaintPageClientArea(TlxCanvas& canvas) {
  TRect r = GetPageClientRect();
  if (Control().TabsContainerMode())
    r = lxPCShrinkRect(r, lxPCTurnMargins({0, -2, 0, 0}, Control().TabPosition()));
  canvas.FillRectColor(r, GetClientColor());
}

TColor TlxPCSlantedPainter::GetButtonColor(TlxPCNavigatorButtonState state) const {
  const TColor face = Resolve(clBtnFace);
  if (state == nbsHot)
    return lxMixRGB(face, kWhite, 35);
  if (state == nbsPressed)
    return lxMixRGB(face, kBlack, 90);
  return face;
}

TColor TlxPCSlantedPainter::GetButtonGlyphColor(TlxPCNavigatorButtonState state) const {
  if (state == nbsDisabled || !Control().Enabled())
    return clBtnShadow;
  if (state == nbsPressed)
    return lxMixRGB(Resolve(Control().Color()), kWhite, 10);
  return clBtnText;
}

TlxPCNavigatorGlyphInfo TlxPCSlantedPainter::GetButtonGlyphInfo(TlxPCNavigatorButton button) const {
  // A disabled glyph is drawn flat in the shadow colour, never embossed.
  TlxPCNavigatorGlyphInfo info = TlxPCStandardPainter::GetButtonGlyphInfo(button);
  info.Enabled = true;
  info.CompactClose = button == nbClose;
  return info;
}

void TlxPCSlantedPainter::PaintButtonFrame(TlxCanvas& canvas, TRect& rect, TlxPCNavigatorButtonState state) {
  const TColor frame = state == nbsPressed || state == nbsHot ? kBlack : Resolve(clBtnShadow);
  canvas.DrawTwoColorFrame(rect, frame, frame, lxAllBorders);
  rect = rect.Inflate(-1, -1);
}

void TlxPCSlantedPainter::FillContentInput(TlxPCTabContentInput& input, TlxTab& tab, int32_t visible_index) const {
  TlxPCCustomPainter::FillContentInput(input, tab, visible_index);
  GetContentWOffsets(visible_index, input.ContentStart, input.ContentEnd);
  input.CompactStart = input.ContentStart;
  input.CompactEnd = input.ContentEnd;
  input.Pressed = false;
  int32_t top = 0;
  int32_t bottom = 0;
  GetImageHOffsets(top, bottom);
  input.ImageHOffsets = {0, top, 0, bottom};
  GetTextHOffsets(top, bottom);
  input.TextHOffsets = {0, top, 0, bottom};
  input.ImageTextDistance = 3;
}

void TlxPCSlantedPainter::PaintTabBackgroundOnBitmap(TBitmap& bitmap, const TRect& caption, int32_t visible_index) {
  // The part of the tab's gradient that lies under the caption, in the
  // bitmap's lying-down coordinates.
  TRect r = Control().Tabs().GetVisibleTab(visible_index)->FullRect().Offset(-caption.Left, -caption.Top);
  const int32_t direction = Control().CaptionDirection();
  if (direction != 0)
    r = {r.Top, r.Left, r.Bottom, r.Right};
  const bool rotate = Control().Rotate();
  if (rotate && direction == 1)
    r = {bitmap.Width() - r.Right, r.Top, bitmap.Width() - r.Left, r.Bottom};
  if (!rotate && direction == 2)
    r = {r.Left, bitmap.Height() - r.Bottom, r.Right, bitmap.Height() - r.Top};
  TlxCanvas canvas(bitmap.Canvas());
  const bool flip = (!rotate && direction == 2) || (rotate && direction == 1);
  FillTabBackground(canvas, r, flip, rotate, visible_index);
}

// ---- OneNote colours ----------------------------------------------------------

namespace {

// Six colours per scheme (none, blue, olive, silver); entries 2 and 4 are
// unused and white.
struct TOneNoteColors {
  TColor Entries[6];
};

TOneNoteColors& CurrentOneNoteColors() {
  static TOneNoteColors colors = {{clBtnShadow, clBtnShadow, kWhite, TColorOf(0x006A240A), kWhite, clBtnFace}};
  return colors;
}

}  // namespace

void lxPCUpdateOneNoteColors() {
  static const TOneNoteColors kSchemes[] = {
      {{clBtnShadow, clBtnShadow, kWhite, TColorOf(0x006A240A), kWhite, clBtnFace}},
      {{TColorOf(0x009C613B), TColorOf(0x009A3500), kWhite, TColorOf(0x00800000), kWhite, TColorOf(0x00F1A675)}},
      {{TColorOf(0x00588060), TColorOf(0x006B7760), kWhite, TColorOf(0x00385D3F), kWhite, TColorOf(0x008CC2B0)}},
      {{TColorOf(0x00947C7C), TColorOf(0x00927476), kWhite, TColorOf(0x006F4B4B), kWhite, TColorOf(0x00CEB9BA)}}};
  const TlxOffice11Scheme scheme = lxDetectOffice11Scheme();
  const size_t index = static_cast<size_t>(scheme) < std::size(kSchemes) ? static_cast<size_t>(scheme) : 0;
  CurrentOneNoteColors() = kSchemes[index];
}

namespace {

// Recomputes the notebook colours when the system palette changes.
class TlxPaletteChangedNotifier : public TlxSystemPaletteChangedNotifier {
 public:
  TlxPaletteChangedNotifier() : TlxSystemPaletteChangedNotifier(true) {}
  void NotifyPaletteChanged() override {
    lxPCUpdateOneNoteColors();
    TlxSystemPaletteChangedNotifier::NotifyPaletteChanged();
  }
};

std::unique_ptr<TlxPaletteChangedNotifier>& PaletteNotifier() {
  static std::unique_ptr<TlxPaletteChangedNotifier> notifier;
  return notifier;
}

}  // namespace

void lxPCStartOneNoteColors() {
  lxPCUpdateOneNoteColors();
  if (PaletteNotifier() == nullptr)
    PaletteNotifier() = std::make_unique<TlxPaletteChangedNotifier>();
}

void lxPCStopOneNoteColors() { PaletteNotifier().reset(); }

TColor lxPCOneNoteColor(int32_t index) {
  if (index < 0 || index >= 6)
    return kWhite;
  return CurrentOneNoteColors().Entries[index];
}

// ---- TlxPCOneNotePainter --------------------------------------------------------

int32_t TlxPCOneNotePainter::CalculateCutValue() { return CalculateTabNormalHeight() + 2; }

TColor TlxPCOneNotePainter::GetBorderColor() const { return lxPCOneNoteColor(0); }

TlxPCNavigatorMetrics TlxPCOneNotePainter::NavigatorMetrics() const {
  TlxPCNavigatorMetrics metrics = TlxPCSlantedPainter::NavigatorMetrics();
  metrics.EdgeOffset = Control().TabsContainerMode() ? 2 : 0;
  return metrics;
}

void TlxPCOneNotePainter::GetContentWOffsets(int32_t /*visible_index*/, int32_t& start, int32_t& end) const {
  start = CutValue();
  end = 4;
  if (Control().CaptionDirection() == 2)
    std::swap(start, end);
}

void TlxPCOneNotePainter::GetImageHOffsets(int32_t& top, int32_t& bottom) const {
  top = 3;
  bottom = 1;
}

void TlxPCOneNotePainter::GetTextHOffsets(int32_t& top, int32_t& bottom) const {
  top = 4;
  bottom = 1;
}

TRect TlxPCOneNotePainter::GetTabsContainerOffsets() const {
  return Control().TabsContainerMode() ? TRect{0, 2, 0, 0} : TRect{};
}

void TlxPCOneNotePainter::GetTabSpacing(int32_t& along, int32_t& across) {
  along = 5 - CutValue();
  across = -3;
}

TRect TlxPCOneNotePainter::GetTabsAreaMargins() const { return lxPCTurnMargins({4, 0, 4, 0}, Control().TabPosition()); }

TlxPCPixelRegion TlxPCOneNotePainter::GetTabShapeRegion(int32_t visible_index, bool inner) const {
  TlxTab* tab = Control().Tabs().GetVisibleTab(visible_index);
  return lxPCFillPolygon(lxPCOneNoteShapePoints(tab->FullRect(), tab->Side(), inner));
}

void TlxPCOneNotePainter::GetOutlineColors(int32_t visible_index, TColor& outer, TColor& light, TColor& dark) const {
  TlxTab* tab = Control().Tabs().GetVisibleTab(visible_index);
  if (tab->IsHot()) {
    outer = light = dark = lxPCOneNoteColor(3);
    return;
  }
  const TColor t = Resolve(GetTabColor(visible_index));
  if (tab->IsMainTab()) {
    outer = lxPCOneNoteColor(0);
    light = lxMixRGB(kWhite, t, 60);
    dark = lxMixRGB(light, t, 70);
    return;
  }
  const TColor tint = Resolve(lxPCOneNoteColor(5));
  outer = lxPCOneNoteColor(1);
  light = lxMixRGB(lxMixRGB(kWhite, tint, 50), t, 50);
  dark = lxMixRGB(tint, t, 50);
}

TColor TlxPCOneNotePainter::GetColorAt(const TRect& rect, TPoint point, TlxTabPosition side) {
  const TPoint p = lxPCRotatePoint(rect, point, side);
  const int32_t index = Control().GetVisibleTabIndexAt(p.X, p.Y);
  return Resolve(index >= 0 ? GetTabColor(index) : Control().Color());
}

void TlxPCOneNotePainter::PaintTabOutline(TlxCanvas& canvas, int32_t visible_index, const TRect& r) {
  const TlxTabPosition side = Control().Tabs().GetVisibleTab(visible_index)->Side();
  const TSize size = lxPCGetOrientedSize(r, side);
  const int32_t w = size.cx;
  const int32_t h = size.cy;
  const int32_t l = r.Left;
  const int32_t b = r.Bottom;
  TColor outer;
  TColor light;
  TColor dark;
  GetOutlineColors(visible_index, outer, light, dark);
  outer = Resolve(outer);
  auto put = [&](TPoint p, TColor color) {
    const TPoint turned = lxPCRotatePoint(r, p, side);
    canvas.PutPixel(turned.X, turned.Y, color);
  };
  put({l, b - 1}, lxMixRGB(outer, GetColorAt(r, {l - 1, b - 1}, side), 25));
  DrawRotatedPolyline(canvas, r,
                      {{l + 1, b - 1}, {l + 1, b - 1}, {l + h - 3, b - h + 3}, {l + h + 2, b - h}, {l + w - 3, b - h},
                       {l + w - 1, b - h + 2}, {l + w - 1, b - 1}},
                      outer, side);
  put({l + h + 2, b - h}, lxMixRGB(outer, GetColorAt(r, {l + h + 1, b - h}, side), 60));
  DrawRotatedPolyline(canvas, r, {{l + 2, b - 1}, {l + h - 3, b - h + 4}, {l + h + 2, b - h + 1}, {l + w - 4, b - h + 1}},
                      light, side);
  DrawRotatedPolyline(canvas, r, {{l + w - 3, b - h + 1}, {l + w - 2, b - h + 2}, {l + w - 2, b - 1}}, dark, side);
}

void TlxPCOneNotePainter::JoinMainTabToPage(TlxCanvas& canvas, int32_t visible_index) {
  TlxTab* tab = Control().Tabs().GetVisibleTab(visible_index);
  const TRect r = tab->FullRect();
  const TlxTabPosition side = tab->Side();
  const int32_t w = lxPCGetOrientedSize(r, side).cx;
  const TColor t = Resolve(GetTabColor(visible_index));
  const TPoint corner = lxPCRotatePoint(r, {r.Left, r.Bottom}, side);
  canvas.PutPixel(corner.X, corner.Y, lxMixRGB(Resolve(lxPCOneNoteColor(0)), t, 50));
  DrawRotatedPolyline(canvas, r, {{r.Left + 1, r.Bottom}, {r.Left + w - 1, r.Bottom}}, t, side);
}

std::unique_ptr<IlxPCLayoutPainter> TlxPCSlantedPainterClass::CreatePainter(TlxTabControlModel& control) const {
  return std::make_unique<TlxPCSlantedPainter>(static_cast<TlxCustomTabControl&>(control), this);
}

std::unique_ptr<IlxPCLayoutPainter> TlxPCOneNotePainterClass::CreatePainter(TlxTabControlModel& control) const {
  return std::make_unique<TlxPCOneNotePainter>(static_cast<TlxCustomTabControl&>(control), this);
}
