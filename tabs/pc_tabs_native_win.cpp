// The themed side of the "Tabs" style: tabs, page pane and navigator
// buttons drawn by the visual styles ("Tab", "Spin" and "Window" themes).
// The theme only knows tabs standing on top of their page, so every tab is
// drawn upright into a bitmap and turned to its side.

#include <windows.h>

#include <algorithm>

#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/control.h"
#include "tabs/pc_image_list_win.h"
#include "tabs/pc_painters_win.h"
#include "tabs/pc_standard_metrics.h"
#include "tabs/tab.h"
#include "tabs/tab_control_win.h"
#include "tabs/tabs.h"
#include "tabs/visible_tab_list.h"
#include "ui/foundation/bitmaps/image_drawing_win.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/canvas/draw_helpers_win.h"
#include "ui/foundation/themes/theme_manager_win.h"
#include "ui/foundation/themes/visual_styles_win.h"

namespace {

constexpr int32_t kTabPanePart = 9;
constexpr int32_t kWindowCloseButtonPart = 19;

// A turn of lxRotateBitmap.
struct TTurn {
  int32_t Index;
  bool Mirror;
};

// The first turn by drawing variant: the upright themed tab onto its side,
// its caption still lying along the bitmap's width.
TTurn FirstTurn(int32_t variant) {
  switch (variant) {
    case 2:
    case 9: return {2, false};
    case 3: return {1, false};
    case 4: return {3, true};
    case 5:
    case 10: return {0, true};
    case 6:
    case 11: return {1, true};
    case 7: return {3, false};
    case 12: return {2, true};
    default: return {0, false};
  }
}

// The second turn, after the content: stands a vertical caption up.
int32_t SecondTurn(int32_t variant) {
  switch (variant) {
    case 2:
    case 4:
    case 7:
    case 11: return 1;
    case 3:
    case 5:
    case 8:
    case 12: return 2;
    default: return 0;
  }
}

bool IsTurned(const TTurn& turn) { return turn.Index != 0 || turn.Mirror; }

// The main tab reaches one pixel into the page.
TRect NativeTabRect(TlxTab& tab) {
  TRect r = tab.FullRect();
  if (!tab.IsMainTab())
    return r;
  switch (tab.Side()) {
    case tpTop: ++r.Bottom; break;
    case tpBottom: --r.Top; break;
    case tpLeft: ++r.Right; break;
    case tpRight: --r.Left; break;
  }
  return r;
}

// Margins from screen orientation into the top orientation of `position`:
// the inverse turn, which for the sides is the turn of the opposite side.
TRect UnturnMargins(const TRect& m, TlxTabPosition position) {
  if (position == tpLeft)
    return lxPCTurnMargins(m, tpRight);
  if (position == tpRight)
    return lxPCTurnMargins(m, tpLeft);
  return lxPCTurnMargins(m, position);
}

int32_t NavigatorThemeState(TlxPCNavigatorButtonState state) {
  switch (state) {
    case nbsPressed: return 3;
    case nbsHot: return 2;
    case nbsDisabled: return 4;
    default: return 1;
  }
}

}  // namespace

bool TlxPCTabsPainter::UsesNativeLook() const {
  TlxCustomTabControl& control = Control();
  return !control.IsDestroying() && control.LookAndFeel().NativeStyle() && lxUxIsThemeActive() &&
         lxOpenThemeHandle(totTab) != nullptr;
}

void TlxPCTabsPainter::GetNativeTabPartAndState(int32_t visible_index, int32_t& part, int32_t& state) const {
  enum TPlace { kStart, kMiddle, kEnd };
  TlxCustomTabControl& control = Control();
  const TlxTab* tab = control.Tabs().GetVisibleTab(visible_index);
  const int32_t last = control.VisibleTabs().Count() - 1;
  const bool first_of_row =
      visible_index == 0 || control.Tabs().GetVisibleTab(visible_index - 1)->RowIndex() != tab->RowIndex();
  const bool last_of_row =
      visible_index == last || control.Tabs().GetVisibleTab(visible_index + 1)->RowIndex() != tab->RowIndex();
  TPlace place = kMiddle;
  if (control.TabsContainerMode()) {
    place = kMiddle;
  } else if (!control.MultiLine() || control.RaggedRight()) {
    if (first_of_row)
      place = kStart;
    else if (visible_index == last && !tab->IsMainTab())
      place = kEnd;
  } else if (last_of_row) {
    place = kEnd;
  } else if (first_of_row) {
    place = kStart;
  }
  static constexpr int32_t kParts[2][3] = {{2, 1, 3}, {6, 5, 7}};
  part = kParts[tab->IsMainTab() ? 1 : 0][place];
  state = GetTabThemeState(visible_index);
}

TRect TlxPCTabsPainter::GetThemedPaneMargins() const {
  const HTHEME theme = lxOpenThemeHandle(totTab);
  RECT content{0, 0, 100, 100};
  lxUxGetThemeBackgroundContentRect(theme, nullptr, kTabPanePart, 0, RECT{0, 0, 100, 100}, content);
  TRect margins{content.left, content.top, 100 - content.right, 100 - content.bottom};
  if (lxIsStockVisualStyle()) {
    const int32_t n = Control().TabsContainerMode() ? 3 : std::max(margins.Left, margins.Top);
    margins = {n, n, 2 * n, 2 * n};
  }
  return margins;
}

TRect TlxPCTabsPainter::GetPageClientRectOffset() const {
  const TRect offset = TlxPCStandardPainter::GetPageClientRectOffset();
  if (!UsesNativeLook())
    return offset;
  const TRect pane = UnturnMargins(GetThemedPaneMargins(), Control().TabPosition());
  return {offset.Left - 2 + pane.Left, offset.Top - 2 + pane.Top, offset.Right - 2 + pane.Right,
          offset.Bottom - 2 + pane.Bottom};
}

TlxPCNavigatorMetrics TlxPCTabsPainter::NavigatorMetrics() const {
  TlxPCNavigatorMetrics metrics = TlxPCStandardPainter::NavigatorMetrics();
  if (!UsesNativeLook())
    return metrics;
  metrics.ButtonHeight = 17;
  for (int32_t& width : metrics.ButtonWidths)
    width = 17;
  // The go-dialog button is the spin control's down part.
  SIZE down{};
  if (lxUxGetThemePartSizeNoRect(lxOpenThemeHandle(totSpin), nullptr, 2, 1, TS_TRUE, down) == S_OK && down.cx > 0)
    metrics.ButtonWidths[nbGoDialog] = down.cx;
  return metrics;
}

void TlxPCTabsPainter::PaintTabFace(TlxCanvas& canvas, TlxTab& tab, int32_t visible_index) {
  if (UsesNativeLook()) {
    PaintNativeTab(canvas, tab, visible_index);
    return;
  }
  TlxPCStandardPainter::PaintTabFace(canvas, tab, visible_index);
}

void TlxPCTabsPainter::PaintNativeTab(TlxCanvas& canvas, TlxTab& tab, int32_t visible_index) {
  const TRect rect = NativeTabRect(tab);
  TSize upright{rect.Width(), rect.Height()};
  if (!lxPCIsRowAxisX(tab.Side()))
    std::swap(upright.cx, upright.cy);
  if (upright.cx <= 0 || upright.cy <= 0)
    return;
  TBitmap bitmap(upright.cx, upright.cy, pf32bit);
  FillTabBitmapBackground(bitmap, rect);
  {
    int32_t part = 0;
    int32_t state = 0;
    GetNativeTabPartAndState(visible_index, part, state);
    lxUxDrawThemeBackground(lxOpenThemeHandle(totTab), bitmap.Canvas().Handle(), part, state,
                            RECT{0, 0, upright.cx, upright.cy});
  }
  const int32_t variant = tab.DrawingVariant();
  if (const TTurn turn = FirstTurn(variant); IsTurned(turn))
    lxRotateBitmap(nullptr, bitmap, turn.Index, turn.Mirror);
  {
    TlxCanvas content_canvas(bitmap.Canvas());
    PaintTabImageAndText(content_canvas, tab, visible_index);
  }
  if (const int32_t turn = SecondTurn(variant); turn != 0)
    lxRotateBitmap(nullptr, bitmap, turn, false);
  canvas.DrawGraphic(rect.Left, rect.Top, &bitmap);
  if (tab.IsMainTab() && Control().Focused() && tab.IsEnabledForUse())
    canvas.DrawFocusFrame(rect.Inflate(-2, -2));
}

void TlxPCTabsPainter::PaintPageArea(TlxCanvas& canvas) {
  if (UsesNativeLook()) {
    PaintNativeFrame(canvas);
    return;
  }
  TlxPCStandardPainter::PaintPageArea(canvas);
}

void TlxPCTabsPainter::PaintNativeFrame(TlxCanvas& canvas) {
  TRect r = GetPageFrameRect();
  if (r.IsEmpty())
    return;
  const TRect margins = GetThemedPaneMargins();
  r.Right = std::max(r.Right, r.Left + margins.Left + margins.Right);
  r.Bottom = std::max(r.Bottom, r.Top + margins.Top + margins.Bottom);
  const bool own_canvas = &canvas == &Control().Canvas();
  FillUnderThemePart(canvas, totTab, kTabPanePart, 0, r, own_canvas);
  lxUxDrawThemeBackground(lxOpenThemeHandle(totTab), canvas.Handle(), kTabPanePart, 0, r);
  if (own_canvas)
    canvas.ExcludeFromClip(r);
}

void TlxPCTabsPainter::FillTabBitmapBackground(TBitmap& bitmap, const TRect& rect) {
  TlxCanvas bitmap_canvas(bitmap.Canvas());
  if (!ShowsParentBackground()) {
    bitmap_canvas.FillRectColor(Bounds(0, 0, bitmap.Width(), bitmap.Height()), Control().Color());
    return;
  }
  // The parent's image at the tab's place lands on the bitmap's corner.
  const HDC dc = bitmap.Canvas().Handle();
  POINT previous_origin{};
  SetWindowOrgEx(dc, rect.Left, rect.Top, &previous_origin);
  lxPaintParentImageOnCanvas(&Control(), bitmap.Canvas(), rect, false);
  SetWindowOrgEx(dc, previous_origin.x, previous_origin.y, nullptr);
}

void TlxPCTabsPainter::FillUnderThemePart(TlxCanvas& canvas, TlxThemedObjectType object, int32_t part, int32_t state,
                                          const TRect& rect, bool own_canvas) {
  // Only a part the theme leaves partly transparent shows what lies under it.
  if (own_canvas && ShowsParentBackground() &&
      lxUxIsThemeBackgroundPartiallyTransparent(lxOpenThemeHandle(object), part, state)) {
    lxDrawParentBackground(&Control(), canvas, rect);
    return;
  }
  canvas.FillRectColor(rect, Control().Color());
}

void TlxPCTabsPainter::PaintNativePageBackground(HDC dc, const TControl& page) {
  const TRect pane = GetPageFrameRect().Inflate(2, 2).Offset(-page.Left(), -page.Top());
  lxUxDrawThemeBackground(lxOpenThemeHandle(totTab), dc, kTabPanePart, 0, pane);
}

void TlxPCTabsPainter::PaintButton(TlxCanvas& canvas, TlxPCNavigatorButton button, const TRect& rect) {
  if (UsesNativeLook()) {
    PaintNativeButton(canvas, button, rect);
    return;
  }
  TlxPCStandardPainter::PaintButton(canvas, button, rect);
}

void TlxPCTabsPainter::PaintNativeButton(TlxCanvas& canvas, TlxPCNavigatorButton button, const TRect& rect) {
  const int32_t state = NavigatorThemeState(Control().NavigatorButtonState(button));
  const bool own_canvas = &canvas == &Control().Canvas();
  if (button == nbClose) {
    FillUnderThemePart(canvas, totWindow, kWindowCloseButtonPart, state, rect, own_canvas);
    lxUxDrawThemeBackground(lxOpenThemeHandle(totWindow), canvas.Handle(), kWindowCloseButtonPart, state, rect);
    return;
  }
  // Spin parts: up 1, down 2, right 3, left 4.
  const bool sideways = !lxPCIsRowAxisX(Control().TabPosition());
  int32_t part = 2;
  if (button == nbTopLeft)
    part = sideways ? 1 : 4;
  else if (button == nbBottomRight)
    part = sideways ? 2 : 3;
  FillUnderThemePart(canvas, totSpin, part, state, rect, own_canvas);
  lxUxDrawThemeBackground(lxOpenThemeHandle(totSpin), canvas.Handle(), part, state, rect);
}
