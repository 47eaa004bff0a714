#include "tabs/pc_flat_band_painters_win.h"

#include <algorithm>
#include <array>

#include "tabs/tab.h"
#include "tabs/tab_control_win.h"
#include "tabs/tabs.h"
#include "tabs/visible_tab_list.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/colors/gradient_win.h"
#include "ui/foundation/colors/office11_colors_win.h"

namespace {

TColor Resolve(TColor color) { return ColorToRGB(color); }

TColor PaletteColor(TlxRGB rgb) { return TColorOf(static_cast<uint32_t>(rgb)); }

TColor ComputeLightBtnFace() {
  const TColor face = Resolve(clBtnFace);
  auto raise = [](uint32_t channel) { return std::min<uint32_t>(channel + 20, 255); };
  const uint32_t value = static_cast<uint32_t>(face);
  return TColorOf(raise(value & 0xFF) | raise((value >> 8) & 0xFF) << 8 | raise((value >> 16) & 0xFF) << 16);
}

bool IsTopOrLeft(TlxTabPosition side) { return side == tpTop || side == tpLeft; }

// `r` moved outwards by `n` on the page side of tabs on `side` (inwards for
// negative `n`).
TRect GrowTowardsPage(TRect r, TlxTabPosition side, int32_t n) {
  switch (side) {
    case tpTop: r.Bottom += n; break;
    case tpBottom: r.Top -= n; break;
    case tpLeft: r.Right += n; break;
    case tpRight: r.Left -= n; break;
  }
  return r;
}

TRect GrowAwayFromPage(TRect r, TlxTabPosition side, int32_t n) {
  switch (side) {
    case tpTop: r.Top -= n; break;
    case tpBottom: r.Bottom += n; break;
    case tpLeft: r.Left -= n; break;
    case tpRight: r.Right += n; break;
  }
  return r;
}

// The one-pixel line of `r` on its page side for tabs on `side`.
TRect PageSideLine(const TRect& r, TlxTabPosition side) {
  switch (side) {
    case tpTop: return {r.Left, r.Bottom - 1, r.Right, r.Bottom};
    case tpBottom: return {r.Left, r.Top, r.Right, r.Top + 1};
    case tpLeft: return {r.Right - 1, r.Top, r.Right, r.Bottom};
    case tpRight: return {r.Left, r.Top, r.Left + 1, r.Bottom};
  }
  return r;
}

// A side of `r` as a one-pixel line; `r` shrinks by it.
enum class TSideLine { Left, Top, Right, Bottom };

void DrawSideLine(TlxCanvas& canvas, TRect& r, TSideLine line, TColor color) {
  switch (line) {
    case TSideLine::Left:
      canvas.FillRectColor({r.Left, r.Top, r.Left + 1, r.Bottom}, color);
      ++r.Left;
      break;
    case TSideLine::Top:
      canvas.FillRectColor({r.Left, r.Top, r.Right, r.Top + 1}, color);
      ++r.Top;
      break;
    case TSideLine::Right:
      canvas.FillRectColor({r.Right - 1, r.Top, r.Right, r.Bottom}, color);
      --r.Right;
      break;
    case TSideLine::Bottom:
      canvas.FillRectColor({r.Left, r.Bottom - 1, r.Right, r.Bottom}, color);
      --r.Bottom;
      break;
  }
}

}  // namespace

TColor lxPCLightBtnFace() {
  static const TColor light = ComputeLightBtnFace();
  return light;
}

// ---- TlxPCExtraFlatPainter ---------------------------------------------------

TRect TlxPCExtraFlatPainter::GetTabRectCorrection(int32_t visible_index) {
  if (visible_index == Control().MainVisibleIndex())
    return {-1, -1, 1, 1};
  return {};
}

int32_t TlxPCExtraFlatPainter::GetTabWidthAddition(int32_t visible_index) const {
  const TlxPCTabSizeInput input = SizeInput(visible_index);
  if (!input.HasImages || (visible_index != -1 && !input.TabHasImage && !input.Rotate))
    return 0;
  return input.ImageSize.cx + 2 * input.ImageBorder + 4;
}

int32_t TlxPCExtraFlatPainter::GetMinTabWidth(int32_t visible_index) { return GetTabWidthAddition(visible_index); }

int32_t TlxPCExtraFlatPainter::CalculateTabNormalWidth(TlxTab& tab) {
  const int32_t visible_index = tab.VisibleIndex();
  int32_t width = Control().TabWidth();
  if (width < 1) {
    const int32_t caption = tab.Caption().empty() ? 12 : CaptionWidth(tab) + 9;
    width = GetTabWidthAddition(visible_index) + caption;
  }
  return std::max(width, GetMinTabWidth(visible_index));
}

int32_t TlxPCExtraFlatPainter::GetTabContentHeight() { return TlxPCStandardPainter::GetTabContentHeight() - 3; }

int32_t TlxPCExtraFlatPainter::CalculateTabNormalHeight() {
  TlxPCTabSizeInput input = SizeInput(-1);
  // The control's tab height counts the band lines around the tab.
  input.TabHeight = input.TabHeight - 4 >= 17 ? input.TabHeight - 4 : 0;
  return lxPCStandardTabNormalHeight(input, GetTabContentHeight());
}

void TlxPCExtraFlatPainter::GetTabSpacing(int32_t& along, int32_t& across) {
  along = GetSeparatorWidth();
  across = GetBandPageExtension() + 3;
  if (Control().Rotate())
    std::swap(along, across);
}

void TlxPCExtraFlatPainter::CalculateTabsLayout(TlxPCNavigatorButtons buttons, TlxPCTabsLayout& layout) {
  // Places the navigator buttons first; the rows then take what is left.
  TlxPCStandardPainter::CalculateTabsLayout(buttons, layout);
  const TlxTabPosition position = Control().TabPosition();
  const TlxPCNavigatorPosition navigator = Control().NavigatorPosition();
  const int32_t n = lxPCButtonsRegionLength(lxPCOrderedButtons(buttons, navigator, position), NavigatorMetrics());
  TRect margins{6, 3, 6, 0};
  if (IsBandInsideFrame()) {
    margins.Top += GetFrameWidth();
    margins.Bottom += GetFrameWidth();
  }
  const bool along_x = lxPCIsRowAxisX(position);
  TRect rows = lxPCShrinkRect(Bounds(0, 0, Control().Width(), Control().Height()), lxPCTurnMargins(margins, position));
  const bool at_start = lxPCIsNavigatorAtRowStart(navigator, position);
  if (along_x)
    (at_start ? rows.Left : rows.Right) += at_start ? n : -n;
  else
    (at_start ? rows.Top : rows.Bottom) += at_start ? n : -n;
  layout.RowsArea = rows;
  layout.RowLength = (along_x ? Control().Width() : Control().Height()) - n - 12;
  layout.TabsArea = lxPCShrinkRect(rows, lxPCTurnMargins({-1, -1, -1, 0}, position));
  layout.TopOrLeftBorderShift = IsTopOrLeft(position) ? 1 : -1;
  layout.BottomOrRightBorderShift = 0;
  int32_t along = 0;
  int32_t across = 0;
  GetTabSpacing(along, across);
  layout.PartsGap = across - 1;
}

TRect TlxPCExtraFlatPainter::GetPageFrameRectOffset() const {
  TRect offset = TlxPCStandardPainter::GetPageFrameRectOffset();
  if (!Control().HideTabs() && Control().HasTabsOnBothSides())
    offset.Bottom += 3;
  return offset;
}

TRect TlxPCExtraFlatPainter::AdjustClientRectOffset(const TRect& offset) const {
  TRect adjusted = offset;
  if (IsFrameShown() && !Control().HideTabs() && Control().RowCount() > 0)
    --adjusted.Top;
  return adjusted;
}

TRect TlxPCExtraFlatPainter::GetPageClientRectOffset() const {
  TRect offset = TlxPCStandardPainter::GetPageClientRectOffset();
  if (!Control().HideTabs() && Control().RowCount() > 0)
    offset.Top += 2;
  return AdjustClientRectOffset(offset);
}

TColor TlxPCExtraFlatPainter::GetBandColor() const {
  return Control().TabsContainerMode() ? Control().Color() : lxPCLightBtnFace();
}

TColor TlxPCExtraFlatPainter::GetTabColor(int32_t visible_index) const {
  const TlxTab* tab = Control().Tabs().GetVisibleTab(visible_index);
  if (tab->Highlighted())
    return clHighlight;
  const TColor color = static_cast<TColor>(tab->Color());
  if (color != clDefault)
    return color;
  return tab->IsMainTab() ? clBtnFace : GetBandColor();
}

TRect TlxPCExtraFlatPainter::GetMainTabBoxRect(int32_t visible_index) {
  static constexpr TRect kCorrections[] = {{0, 0, -1, 1}, {1, -1, -1, -1}, {0, 0, 1, -1}, {-1, 1, -1, -1}};
  TlxTab* tab = Control().Tabs().GetVisibleTab(visible_index);
  const TRect c = kCorrections[tab->Side()];
  const TRect full = tab->FullRect();
  return {full.Left + c.Left, full.Top + c.Top, full.Right + c.Right, full.Bottom + c.Bottom};
}

TRect TlxPCExtraFlatPainter::GetPageStripRect() {
  if (Control().HideTabs() || Control().RowCount() == 0)
    return {};
  const TRect client = GetPageClientRect();
  const TlxTabPosition position = Control().TabPosition();
  const TRect grown = GrowAwayFromPage(client, position, 2);
  // The strip is the grown rectangle less the client rectangle.
  switch (position) {
    case tpTop: return {grown.Left, grown.Top, grown.Right, client.Top};
    case tpBottom: return {grown.Left, client.Bottom, grown.Right, grown.Bottom};
    case tpLeft: return {grown.Left, grown.Top, client.Left, grown.Bottom};
    case tpRight: return {client.Right, grown.Top, grown.Right, grown.Bottom};
  }
  return {};
}

TColor TlxPCExtraFlatPainter::GetPageStripColor() {
  const int32_t main = Control().MainVisibleIndex();
  if (main < 0)
    return clBtnFace;
  const TColor color = static_cast<TColor>(Control().Tabs().GetVisibleTab(main)->Color());
  return color == clDefault ? clBtnFace : color;
}

TRect TlxPCExtraFlatPainter::GetTabBandRect(int32_t visible_index) {
  TlxTab* tab = Control().Tabs().GetVisibleTab(visible_index);
  const TlxTabPosition side = tab->Side();
  return GrowTowardsPage(GrowAwayFromPage(tab->BaseRect(), side, 3), side, GetBandPageExtension());
}

void TlxPCExtraFlatPainter::FillTabArea(TlxCanvas& canvas, const TRect& rect, int32_t visible_index) {
  if (visible_index < 0) {
    canvas.FillRectColor(rect, GetBandColor());
    return;
  }
  if (visible_index == Control().MainVisibleIndex()) {
    canvas.FillRectColor(rect, GetTabColor(visible_index));
    return;
  }
  canvas.DrawTwoColorFrame(rect, GetBandColor(), GetBandColor(), lxAllBorders);
  canvas.FillRectColor(rect.Inflate(-1, -1), GetTabColor(visible_index));
}

void TlxPCExtraFlatPainter::FillContentInput(TlxPCTabContentInput& input, TlxTab& tab,
                                             int32_t visible_index) const {
  TlxPCCustomPainter::FillContentInput(input, tab, visible_index);
  const int32_t room = tab.IsMainTab() ? 3 : 2;
  input.ContentStart = input.CompactStart = room;
  input.ContentEnd = input.CompactEnd = room;
  const int32_t variant = tab.DrawingVariant();
  const bool low = variant == 5 || variant == 7 || variant == 10;
  input.ImageHOffsets = {0, 0, 0, 0};
  input.TextHOffsets = {0, low ? 0 : 2, 0, 0};
}

void TlxPCExtraFlatPainter::RepaintTab(int32_t visible_index, TlxPCTabChangeKind kind) {
  if (visible_index < 0 || visible_index >= Control().VisibleTabs().Count())
    return;
  TlxTab* tab = Control().Tabs().GetVisibleTab(visible_index);
  if (kind == tckMainTab && !tab->IsMainTab()) {
    // The former main tab leaves a gap in its band and separators to redraw.
    const TRect part = Control().TopOrLeftPartClip();
    InvalidateRect(part.Contains(tab->BaseRect().TopLeft()) ? part : Control().BottomOrRightPartClip());
  } else {
    InvalidateRect(tab->FullRect());
  }
  if (tab->IsMainTab())
    InvalidateRect(GetPageStripRect());
}

void TlxPCExtraFlatPainter::Paint(TlxCanvas& canvas) {
  // The page first: its strip joins the main tab, which then paints over
  // nothing of it.
  PaintPageStripAndArea(canvas);
  if (!Control().HideTabs()) {
    PaintButtons(canvas);
    PaintTabs(canvas);
  }
  canvas.FillRectColor(Bounds(0, 0, Control().Width(), Control().Height()), Control().Color());
}

void TlxPCExtraFlatPainter::PaintPageStripAndArea(TlxCanvas& canvas) {
  if (!Control().HideTabs() && Control().RowCount() > 0) {
    const TRect strip = GetPageStripRect();
    canvas.FillRectColor(strip, GetPageStripColor());
    canvas.ExcludeFromClip(strip);
  }
  PaintPageArea(canvas);
}

void TlxPCExtraFlatPainter::PaintFrame(TlxCanvas& canvas) {
  TRect r = GetPageFrameRect();
  const TColor light = FrameLightColor();
  const TColor shadow = FrameShadowColor();
  if (Control().HideTabs() || Control().RowCount() == 0) {
    canvas.DrawTwoColorFrame(r, light, shadow, lxAllBorders);
    return;
  }
  using S = TSideLine;
  struct TLine {
    S Side;
    bool Light;
  };
  static constexpr TLine kTop[] = {{S::Right, false}, {S::Bottom, false}, {S::Left, true}};
  static constexpr TLine kBottom[] = {{S::Right, false}, {S::Top, true}, {S::Left, true}};
  static constexpr TLine kLeft[] = {{S::Bottom, false}, {S::Right, false}, {S::Top, true}};
  static constexpr TLine kRight[] = {{S::Bottom, false}, {S::Left, true}, {S::Top, true}};
  const TLine* lines = kTop;
  switch (Control().TabPosition()) {
    case tpTop: lines = kTop; break;
    case tpBottom: lines = kBottom; break;
    case tpLeft: lines = kLeft; break;
    case tpRight: lines = kRight; break;
  }
  for (int32_t i = 0; i < 3; ++i)
    DrawSideLine(canvas, r, lines[i].Side, lines[i].Light ? light : shadow);
}

void TlxPCExtraFlatPainter::PaintTabs(TlxCanvas& canvas) {
  int32_t first = 0;
  int32_t last = -1;
  GetDisplayedRange(first, last);
  // Each row with its band, one after the other.
  int32_t row_start = first;
  for (int32_t i = first; i <= last; ++i) {
    const bool row_ends = i == last || Control().Tabs().GetVisibleTab(i + 1)->RowIndex() !=
                                           Control().Tabs().GetVisibleTab(i)->RowIndex();
    if (!row_ends)
      continue;
    PaintRow(canvas, row_start, i);
    row_start = i + 1;
  }
}

TRect TlxPCExtraFlatPainter::SeparatorRect(int32_t visible_index) {
  TlxTab* tab = Control().Tabs().GetVisibleTab(visible_index);
  const TRect r = tab->FullRect();
  const int32_t w = GetSeparatorWidth();
  const TPoint insets = GetSeparatorInsets();
  const TlxTabPosition side = tab->Side();
  const int32_t direction = Control().CaptionDirection();
  if (lxPCIsRowAxisX(side)) {
    // Rotated captions reading downwards run the row from the right.
    const bool before = Control().Rotate() && direction == 2;
    const int32_t x = before ? r.Left - w : r.Right;
    return {x, r.Top + insets.X, x + w, r.Bottom - insets.Y};
  }
  const bool before = direction == 1;
  const int32_t y = before ? r.Top - w : r.Bottom;
  return {r.Left + insets.X, y, r.Right - insets.Y, y + w};
}

void TlxPCExtraFlatPainter::PaintRow(TlxCanvas& canvas, int32_t first, int32_t last) {
  canvas.PushClipRegion();
  const int32_t main = Control().MainVisibleIndex();
  // The main tab overlaps its neighbours by a pixel: it goes first.
  if (main >= first && main <= last)
    PaintTab(canvas, main);
  for (int32_t i = first; i <= last; ++i) {
    if (i != main)
      PaintTab(canvas, i);
    if (i < last && i != main && i + 1 != main)
      PaintSeparator(canvas, SeparatorRect(i));
  }
  TlxTab* head = Control().Tabs().GetVisibleTab(first);
  TRect band = GetTabBandRect(first);
  const int32_t inside = IsBandInsideFrame() ? 1 : 0;
  if (lxPCIsRowAxisX(head->Side())) {
    band.Left = inside;
    band.Right = Control().Width() - inside;
  } else {
    band.Top = inside;
    band.Bottom = Control().Height() - inside;
  }
  const TRect whole_band = band;
  PaintRowBandBorder(canvas, band, head->RowIndex());
  FillTabArea(canvas, band, -1);
  canvas.PopClipRegion();
  // Transparent tabs show the band: their captions go on top of it.
  for (int32_t i = first; i <= last; ++i) {
    if (!IsTabTransparent(i))
      continue;
    TlxTab* tab = Control().Tabs().GetVisibleTab(i);
    canvas.PushClipRegion();
    canvas.IntersectClip(tab->DisplayRect());
    PaintTabImageAndText(canvas, *tab, i);
    canvas.PopClipRegion();
  }
  canvas.ExcludeFromClip(whole_band);
}

void TlxPCExtraFlatPainter::PaintTab(TlxCanvas& canvas, int32_t visible_index) {
  TlxTab* tab = Control().Tabs().GetVisibleTab(visible_index);
  const TRect shown = tab->DisplayRect();
  if (shown.IsEmpty())
    return;
  const bool transparent = IsTabTransparent(visible_index);
  canvas.PushClipRegion();
  canvas.IntersectClip(shown);
  PaintTabFrame(canvas, *tab, visible_index);
  if (!transparent)
    PaintTabImageAndText(canvas, *tab, visible_index);
  canvas.PopClipRegion();
  if (!transparent)
    canvas.ExcludeFromClip(shown);
}

void TlxPCExtraFlatPainter::PaintTabFrame(TlxCanvas& canvas, TlxTab& tab, int32_t visible_index) {
  TRect r = tab.FullRect();
  const bool main = tab.IsMainTab();
  if (main)
    PaintMainTabBorder(canvas, r, tab.Side());
  if (!IsTabTransparent(visible_index))
    FillTabArea(canvas, r, visible_index);
  if (main && Control().Focused() && tab.IsEnabledForUse())
    canvas.DrawFocusFrame(GetMainTabBoxRect(visible_index).Inflate(-2, -2));
}

void TlxPCExtraFlatPainter::PaintMainTabBorder(TlxCanvas& canvas, TRect& r, TlxTabPosition side) {
  const TColor light = MainTabLightColor();
  const TColor shadow = MainTabShadowColor();
  using S = TSideLine;
  switch (side) {
    case tpTop:
      DrawSideLine(canvas, r, S::Left, light);
      DrawSideLine(canvas, r, S::Top, light);
      DrawSideLine(canvas, r, S::Right, shadow);
      break;
    case tpBottom:
      canvas.PutPixel(r.Left - 1, r.Top, Resolve(shadow));
      DrawSideLine(canvas, r, S::Left, light);
      DrawSideLine(canvas, r, S::Bottom, shadow);
      DrawSideLine(canvas, r, S::Right, shadow);
      break;
    case tpLeft:
      DrawSideLine(canvas, r, S::Top, light);
      DrawSideLine(canvas, r, S::Left, light);
      DrawSideLine(canvas, r, S::Bottom, shadow);
      break;
    case tpRight:
      canvas.PutPixel(r.Left, r.Top - 1, Resolve(shadow));
      DrawSideLine(canvas, r, S::Top, light);
      DrawSideLine(canvas, r, S::Right, shadow);
      DrawSideLine(canvas, r, S::Bottom, shadow);
      break;
  }
}

void TlxPCExtraFlatPainter::PaintSeparator(TlxCanvas& canvas, const TRect& rect) {
  canvas.FillRectColor(rect, clBtnShadow);
  canvas.ExcludeFromClip(rect);
}

void TlxPCExtraFlatPainter::PaintBandLine(TlxCanvas& canvas, TRect& band, TColor color) {
  const TlxTabPosition position = Control().TabPosition();
  const TRect line = PageSideLine(band, position);
  canvas.FillRectColor(line, color);
  band = GrowTowardsPage(band, position, -1);
}

void TlxPCExtraFlatPainter::PaintRowBandBorder(TlxCanvas& canvas, TRect& band, int32_t /*row*/) {
  const bool top_or_left = IsTopOrLeft(Control().TabPosition());
  for (TColor color : {clBtnFace, clBtnFace, top_or_left ? clBtnHighlight : TColorOf(0)})
    PaintBandLine(canvas, band, color);
}

// ---- TlxPCUltraFlatPainter ---------------------------------------------------

TRect TlxPCUltraFlatPainter::GetMainTabBoxRect(int32_t visible_index) {
  TlxTab* tab = Control().Tabs().GetVisibleTab(visible_index);
  TRect r = GrowAwayFromPage(tab->FullRect(), tab->Side(), -1);
  if (lxPCIsRowAxisX(tab->Side()))
    return {r.Left + 1, r.Top, r.Right - 1, r.Bottom};
  return {r.Left, r.Top + 1, r.Right, r.Bottom - 1};
}

void TlxPCUltraFlatPainter::PaintRowBandBorder(TlxCanvas& canvas, TRect& band, int32_t row) {
  const int32_t main = Control().MainVisibleIndex();
  const bool main_row = main >= 0 && Control().Tabs().GetVisibleTab(main)->RowIndex() == row;
  const TColor black = TColorOf(0);
  const std::array<TColor, 3> colors = main_row ? std::array<TColor, 3>{clBtnFace, clBtnFace, black}
                                                : std::array<TColor, 3>{clBtnFace, black, clBtnFace};
  for (TColor color : colors)
    PaintBandLine(canvas, band, color);
}

// ---- navigator buttons of the band styles ------------------------------------------

TlxPCNavigatorMetrics TlxPCExtraFlatPainter::NavigatorMetrics() const {
  TlxPCNavigatorMetrics metrics;
  for (int32_t& width : metrics.ButtonWidths)
    width = 13;
  metrics.ButtonHeight = 13;
  metrics.ButtonGap = 3;
  metrics.CloseButtonGap = 3;
  metrics.GoDialogButtonGap = 0;
  metrics.EdgeOffset = 6;
  metrics.SideOffset = IsBandInsideFrame() ? GetFrameWidth() + 1 : 1;
  return metrics;
}

void TlxPCExtraFlatPainter::PaintButtonFrame(TlxCanvas& canvas, TRect& rect, TlxPCNavigatorButtonState state) {
  if (state == nbsHot)
    canvas.DrawTwoColorFrame(rect, cl3DLight, cl3DDkShadow, lxAllBorders);
  else if (state == nbsPressed)
    canvas.DrawTwoColorFrame(rect, cl3DDkShadow, cl3DLight, lxAllBorders);
  else
    return;
  rect = rect.Inflate(-1, -1);
}

TColor TlxPCExtraFlatPainter::GetButtonColor(TlxPCNavigatorButtonState state) const {
  return state == nbsHot || state == nbsPressed ? clBtnFace : GetBandColor();
}

TColor TlxPCExtraFlatPainter::GetButtonGlyphColor(TlxPCNavigatorButtonState state) const {
  if (!Control().Enabled() || state == nbsDisabled)
    return clBtnShadow;
  return state == nbsPressed ? clBtnHighlight : clBtnText;
}

TlxPCNavigatorGlyphInfo TlxPCExtraFlatPainter::GetButtonGlyphInfo(TlxPCNavigatorButton button) const {
  const TlxPCNavigatorButtonState state = Control().NavigatorButtonState(button);
  TlxPCNavigatorGlyphInfo info;
  info.PenColor = info.BrushColor = GetButtonGlyphColor(state);
  info.Enabled = true;
  info.CompactClose = button == nbClose;
  // A disabled glyph is an outline on the light face.
  if (!Control().Enabled() || state == nbsDisabled)
    info.BrushColor = lxPCLightBtnFace();
  return info;
}

TPoint TlxPCExtraFlatPainter::GetButtonGlyphPosition(TlxPCNavigatorButton button) const {
  const bool sideways = !lxPCIsRowAxisX(Control().TabPosition());
  const bool pressed = Control().NavigatorButtonState(button) == nbsPressed;
  switch (button) {
    case nbGoDialog: return {3, pressed ? 5 : 4};
    case nbClose: return sideways ? TPoint(3, 2) : TPoint(2, 3);
    case nbTopLeft: return sideways ? TPoint(2, 5) : TPoint(5, 2);
    case nbBottomRight: return sideways ? TPoint(2, 3) : TPoint(3, 2);
  }
  return {};
}

TlxPCNavigatorMetrics TlxPCUltraFlatPainter::NavigatorMetrics() const {
  TlxPCNavigatorMetrics metrics = TlxPCExtraFlatPainter::NavigatorMetrics();
  metrics.ButtonWidths[nbTopLeft] = 15;
  metrics.ButtonWidths[nbBottomRight] = 15;
  metrics.ButtonWidths[nbGoDialog] = 11;
  metrics.ButtonWidths[nbClose] = 14;
  metrics.ButtonHeight = 15;
  metrics.ButtonGap = 1;
  metrics.GoDialogButtonGap = 1;
  metrics.CloseButtonGap = 3;
  metrics.EdgeOffset = 3;
  return metrics;
}

void TlxPCUltraFlatPainter::PaintButtonFrame(TlxCanvas& canvas, TRect& rect, TlxPCNavigatorButtonState state) {
  const TColor frame = state == nbsHot || state == nbsPressed ? TColorOf(0) : Resolve(clBtnShadow);
  canvas.DrawTwoColorFrame(rect, frame, frame, lxAllBorders);
  rect = rect.Inflate(-1, -1);
}

TColor TlxPCUltraFlatPainter::GetButtonColor(TlxPCNavigatorButtonState state) const {
  if (state == nbsHot)
    return clBtnFace;
  return state == nbsPressed ? clBtnShadow : lxPCLightBtnFace();
}

TlxPCNavigatorGlyphInfo TlxPCUltraFlatPainter::GetButtonGlyphInfo(TlxPCNavigatorButton button) const {
  TlxPCNavigatorGlyphInfo info;
  info.PenColor = info.BrushColor = GetButtonGlyphColor(Control().NavigatorButtonState(button));
  info.Enabled = Control().Enabled();
  info.CompactClose = button == nbClose;
  return info;
}

// ---- TlxPCOffice11Painter ---------------------------------------------------

TColor TlxPCOffice11Painter::GetBorderColor() const { return PaletteColor(lxOffice11Palette().SelectedBorderColor); }

TPoint TlxPCOffice11Painter::GetSeparatorInsets() const {
  return IsTopOrLeft(Control().TabPosition()) ? TPoint{0, 2} : TPoint{3, -1};
}

TRect TlxPCOffice11Painter::GetMainTabBoxRect(int32_t visible_index) {
  return TlxPCUltraFlatPainter::GetMainTabBoxRect(visible_index);
}

TColor TlxPCOffice11Painter::GetTabColor(int32_t visible_index) const {
  const TlxTab* tab = Control().Tabs().GetVisibleTab(visible_index);
  return tab->Highlighted() ? clHighlight : static_cast<TColor>(tab->Color());
}

bool TlxPCOffice11Painter::IsTabTransparent(int32_t visible_index) const {
  const TlxTab* tab = Control().Tabs().GetVisibleTab(visible_index);
  return !tab->IsMainTab() && GetTabColor(visible_index) == clDefault;
}

bool TlxPCOffice11Painter::GradientRunsHorizontally() const { return !lxPCIsRowAxisX(Control().TabPosition()); }

void TlxPCOffice11Painter::GradientPair(int32_t visible_index, TColor& from, TColor& to) const {
  const TlxOffice11Palette& palette = lxOffice11Palette();
  const bool main = visible_index >= 0 && visible_index == Control().MainVisibleIndex();
  from = main ? PaletteColor(palette.HotColor1) : PaletteColor(palette.BarLightColor);
  to = main ? PaletteColor(palette.HotColor2) : PaletteColor(palette.BarDarkColor);
  if (!lxPCHasOption(Control().Options(), pcoGradient))
    from = to = lxMixRGB(from, to, 50);
}

void TlxPCOffice11Painter::FillTabArea(TlxCanvas& canvas, const TRect& rect, int32_t visible_index) {
  TColor from = clNone;
  TColor to = clNone;
  GradientPair(visible_index, from, to);
  if (visible_index < 0 || GetTabColor(visible_index) == clDefault) {
    lxPaintGradient(canvas.Handle(), rect, from, to, GradientRunsHorizontally());
    return;
  }
  TRect r = rect;
  if (visible_index != Control().MainVisibleIndex()) {
    // A coloured tab keeps a line of the band towards the page.
    const TlxTabPosition side = Control().Tabs().GetVisibleTab(visible_index)->Side();
    const bool second = side == tpTop || side == tpLeft;
    canvas.FillRectColor(PageSideLine(r, side), second ? to : from);
    r = GrowTowardsPage(r, side, -1);
  }
  canvas.FillRectColor(r, GetTabColor(visible_index));
}

TColor TlxPCOffice11Painter::GetPageStripColor() {
  const int32_t main = Control().MainVisibleIndex();
  if (main >= 0) {
    const TColor color = static_cast<TColor>(Control().Tabs().GetVisibleTab(main)->Color());
    if (color != clDefault)
      return color;
  }
  const TlxOffice11Palette& palette = lxOffice11Palette();
  if (!lxPCHasOption(Control().Options(), pcoGradient))
    return lxMixRGB(PaletteColor(palette.HotColor1), PaletteColor(palette.HotColor2), 50);
  return IsTopOrLeft(Control().TabPosition()) ? PaletteColor(palette.HotColor2) : PaletteColor(palette.HotColor1);
}

TRect TlxPCOffice11Painter::GetPageStripRect() {
  if (Control().HideTabs() || Control().RowCount() == 0)
    return {};
  const TRect frame = GetPageFrameRect();
  switch (Control().TabPosition()) {
    case tpTop: return {frame.Left, frame.Top, frame.Right, frame.Top + 2};
    case tpBottom: return {frame.Left, frame.Bottom - 2, frame.Right, frame.Bottom};
    case tpLeft: return {frame.Left, frame.Top, frame.Left + 2, frame.Bottom};
    case tpRight: return {frame.Right - 2, frame.Top, frame.Right, frame.Bottom};
  }
  return {};
}

TRect TlxPCOffice11Painter::GetPageClientRectOffset() const {
  TRect offset = TlxPCUltraFlatPainter::GetPageClientRectOffset();
  // Without a frame the far margin keeps room for the closing line.
  if (!IsFrameShown() && !Control().HideTabs() && Control().HasTabsOnBothSides())
    ++offset.Bottom;
  return offset;
}

void TlxPCOffice11Painter::PaintPageClientArea(TlxCanvas& canvas) {
  const TRect client = GetPageClientRect();
  TWinControl* page = Control().GetActivePageControl();
  if (page != nullptr && !page->ParentColor()) {
    canvas.FillRectColor(client, page->Color());
    return;
  }
  const TlxOffice11Palette& palette = lxOffice11Palette();
  const TlxPCOptions options = Control().Options();
  const TColor light = PaletteColor(palette.BarLightColor);
  const TColor dark = PaletteColor(palette.BarDarkColor);
  if (lxPCHasOption(options, pcoGradient) && lxPCHasOption(options, pcoGradientClientArea))
    lxPaintGradient(canvas.Handle(), client, light, dark, GradientRunsHorizontally());
  else
    canvas.FillRectColor(client, lxMixRGB(light, dark, 50));
}

void TlxPCOffice11Painter::PaintPageStripAndArea(TlxCanvas& canvas) {
  if (!IsFrameShown() && !Control().HideTabs() && Control().HasTabsOnBothSides()) {
    const TRect client = GetPageClientRect();
    TRect line;
    switch (Control().TabPosition()) {
      case tpTop: line = {client.Left, client.Bottom, client.Right, client.Bottom + 1}; break;
      case tpBottom: line = {client.Left, client.Top - 1, client.Right, client.Top}; break;
      case tpLeft: line = {client.Right, client.Top, client.Right + 1, client.Bottom}; break;
      case tpRight: line = {client.Left - 1, client.Top, client.Left, client.Bottom}; break;
    }
    canvas.FillRectColor(line, GetBorderColor());
    canvas.ExcludeFromClip(line);
  }
  TlxPCUltraFlatPainter::PaintPageStripAndArea(canvas);
}

void TlxPCOffice11Painter::PaintFrame(TlxCanvas& canvas) {
  canvas.DrawTwoColorFrame(GetPageClientRect().Inflate(1, 1), GetBorderColor(), GetBorderColor(), lxAllBorders);
}

void TlxPCOffice11Painter::PaintMainTabBorder(TlxCanvas& canvas, TRect& r, TlxTabPosition side) {
  const TColor border = GetBorderColor();
  using S = TSideLine;
  switch (side) {
    case tpTop:
      for (S line : {S::Left, S::Top, S::Right})
        DrawSideLine(canvas, r, line, border);
      break;
    case tpBottom:
      for (S line : {S::Left, S::Bottom, S::Right})
        DrawSideLine(canvas, r, line, border);
      break;
    case tpLeft:
      for (S line : {S::Top, S::Left, S::Bottom})
        DrawSideLine(canvas, r, line, border);
      break;
    case tpRight:
      for (S line : {S::Top, S::Right, S::Bottom})
        DrawSideLine(canvas, r, line, border);
      break;
  }
}

void TlxPCOffice11Painter::PaintSeparator(TlxCanvas& canvas, const TRect& rect) {
  // An etched line: dark, then light one pixel right and down.
  const TlxOffice11Palette& palette = lxOffice11Palette();
  const TRect dark{rect.Left, rect.Top, rect.Right - 1, rect.Bottom - 1};
  canvas.FillRectColor(dark, PaletteColor(palette.GripDarkColor));
  canvas.ExcludeFromClip(dark);
  const TRect light = dark.Offset(1, 1);
  canvas.FillRectColor(light, PaletteColor(palette.GripLightColor));
  canvas.ExcludeFromClip(light);
}

void TlxPCOffice11Painter::PaintRowBandBorder(TlxCanvas& canvas, TRect& band, int32_t /*row*/) {
  PaintBandLine(canvas, band, GetBorderColor());
}

// ---- classes -------------------------------------------------------------------

std::unique_ptr<IlxPCLayoutPainter> TlxPCExtraFlatPainterClass::CreatePainter(TlxTabControlModel& control) const {
  return std::make_unique<TlxPCExtraFlatPainter>(static_cast<TlxCustomTabControl&>(control), this);
}

std::unique_ptr<IlxPCLayoutPainter> TlxPCUltraFlatPainterClass::CreatePainter(TlxTabControlModel& control) const {
  return std::make_unique<TlxPCUltraFlatPainter>(static_cast<TlxCustomTabControl&>(control), this);
}

void TlxPCOffice11Painter::PaintButtonFrame(TlxCanvas& canvas, TRect& rect, TlxPCNavigatorButtonState state) {
  const bool enabled = Control().Enabled() && state != nbsDisabled;
  const TColor frame = Resolve(enabled ? GetBorderColor() : clGrayText);
  canvas.DrawTwoColorFrame(rect, frame, frame, lxAllBorders);
  rect = rect.Inflate(-1, -1);
}

void TlxPCOffice11Painter::PaintButtonBackground(TlxCanvas& canvas, const TRect& rect,
                                                 TlxPCNavigatorButtonState state) {
  if (rect.IsEmpty() || !canvas.IsRectVisible(rect))
    return;
  // The first row's band across the whole control, seen through the button.
  TRect band = rect;
  int32_t first = 0;
  int32_t last = -1;
  GetDisplayedRange(first, last);
  if (first <= last) {
    const TRect row = GetTabBandRect(first);
    if (lxPCIsRowAxisX(Control().TabPosition()))
      band = {0, row.Top, Control().Width(), row.Bottom};
    else
      band = {row.Left, 0, row.Right, Control().Height()};
  }
  canvas.PushClipRegion();
  canvas.IntersectClip(rect);
  if (state == nbsHot || state == nbsPressed) {
    const TlxOffice11Palette& palette = lxOffice11Palette();
    TColor from = PaletteColor(state == nbsHot ? palette.HotColor1 : palette.PressedColor1);
    TColor to = PaletteColor(state == nbsHot ? palette.HotColor2 : palette.PressedColor2);
    if (!lxPCHasOption(Control().Options(), pcoGradient))
      from = to = lxMixRGB(from, to, 50);
    lxPaintGradient(canvas.Handle(), band, from, to, GradientRunsHorizontally());
  } else {
    FillTabArea(canvas, band, -1);
  }
  canvas.PopClipRegion();
}

TColor TlxPCOffice11Painter::GetButtonGlyphColor(TlxPCNavigatorButtonState state) const {
  return Control().Enabled() && state != nbsDisabled ? clBtnText : clGrayText;
}

std::unique_ptr<IlxPCLayoutPainter> TlxPCOffice11PainterClass::CreatePainter(TlxTabControlModel& control) const {
  return std::make_unique<TlxPCOffice11Painter>(static_cast<TlxCustomTabControl&>(control), this);
}
