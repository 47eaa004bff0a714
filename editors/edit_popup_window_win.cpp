#include "editors/edit_popup_window_win.h"

#include <algorithm>
#include <array>

#include "editors/container_routines_win.h"
#include "editors/popup_hooks_win.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/gdi_holders.h"
#include "ui/foundation/canvas/canvas_layout.h"
#include "ui/foundation/themes/theme_manager_win.h"
#include "ui/foundation/themes/visual_styles_win.h"
#include "platform/toolkit/screen.h"
#include "ui/foundation/system/control_unit_win.h"
#include "ui/foundation/system/desktop_composition_win.h"

namespace {

// Indexed by TlxEditPopupBorderStyle.
constexpr std::array<int32_t, 4> kFrameWidths{0, 1, 4, 2};
constexpr std::array<int32_t, 4> kClientEdgeWidths{0, 2, 2, 1};

// The window theme's small close button and the scroll bar's size box.
constexpr int kWindowPartSmallCloseButton = 19;
constexpr int kScrollBarPartSizeBox = 10;
constexpr int kSizeBoxRightAlign = 1;
constexpr int kSizeBoxLeftAlign = 2;
constexpr uint8_t kAllSides = lxFrameSideLeft | lxFrameSideTop | lxFrameSideRight | lxFrameSideBottom;

TSize ThemePartSize(TlxThemedObjectType type, int part, int state) {
  SIZE size{0, 0};
  HTHEME theme = lxOpenThemeHandle(type);
  if (theme == nullptr)
    return TSize{0, 0};
  const HDC dc = GetDC(nullptr);
  lxUxGetThemePartSizeNoRect(theme, dc, part, state, TS_TRUE, size);
  ReleaseDC(nullptr, dc);
  return TSize{size.cx, size.cy};
}

TRect Shrunk(const TRect& rect, const TRect& extent) {
  return TRect(rect.Left + extent.Left, rect.Top + extent.Top, rect.Right - extent.Right,
               rect.Bottom - extent.Bottom);
}

bool Contains(const TRect& rect, int32_t x, int32_t y) {
  return x >= rect.Left && x < rect.Right && y >= rect.Top && y < rect.Bottom;
}

}  // namespace

// --- view info -------------------------------------------------------------------------

int32_t TlxCustomEditPopupWindowViewInfo::FrameWidth() const {
  if (NativeStyle)
    return 1;
  return kFrameWidths[PopupBorderStyle];
}

int32_t TlxCustomEditPopupWindowViewInfo::ClientEdgeWidth() const {
  if (!ClientEdge)
    return 0;
  if (NativeStyle)
    return 2;
  return kClientEdgeWidths[PopupBorderStyle];
}

bool TlxCustomEditPopupWindowViewInfo::IsPanelThemed() const {
  return NativeStyle && lxThemeAvailableFor(totWindow) && lxThemeAvailableFor(totScrollBar);
}

TSize TlxCustomEditPopupWindowViewInfo::ThemedCloseButtonSize() const {
  return ThemePartSize(totWindow, kWindowPartSmallCloseButton, kLxPopupCloseButtonNormal);
}

TSize TlxCustomEditPopupWindowViewInfo::ThemedSizeBoxSize() const {
  return ThemePartSize(totScrollBar, kScrollBarPartSizeBox, kSizeBoxRightAlign);
}

int32_t TlxCustomEditPopupWindowViewInfo::GetSysPanelHeight() {
  int32_t height = std::max(GetSystemMetrics(SM_CYHSCROLL), GetSystemMetrics(SM_CYSIZE));
  if (IsPanelThemed()) {
    height = std::max(height, ThemedCloseButtonSize().cy);
    height = std::max(height, ThemedSizeBoxSize().cy);
  }
  if (MinSysPanelHeight > 0)
    height = std::max(height, MinSysPanelHeight);
  return height;
}

TRect TlxCustomEditPopupWindowViewInfo::CalcBorderExtent() {
  const int32_t width = FrameWidth() + ClientEdgeWidth();
  TRect extent(width, width, width, width);
  if (Shadow) {
    extent.Right += kLxPopupShadowWidth;
    extent.Bottom += kLxPopupShadowWidth;
  }
  if (SysPanel) {
    int32_t panel = GetSysPanelHeight();
    if (NativeStyle || PopupBorderStyle == epbsSingle)
      ++panel;  // the separating line
    if (SizingCornerIsTop())
      extent.Top += panel;
    else
      extent.Bottom += panel;
  }
  EdgeZoneWidth = std::max(GetSystemMetrics(SM_CYHSCROLL), GetSystemMetrics(SM_CYSIZE));
  return extent;
}

void TlxCustomEditPopupWindowViewInfo::Calculate() {
  const TRect bounds(0, 0, Bounds.Width(), Bounds.Height());
  ClientRect = Shrunk(bounds, GetBorderExtent());
  InnerRect = bounds.Inflate(-FrameWidth(), -FrameWidth());
  if (!SysPanel)
    InnerRect = InnerRect.Inflate(-ClientEdgeWidth(), -ClientEdgeWidth());
  if (Shadow) {
    InnerRect.Right -= kLxPopupShadowWidth;
    InnerRect.Bottom -= kLxPopupShadowWidth;
  }
  SizeGripArea = TRect();
  SizeGripRect = TRect();
  CloseButtonRect = TRect();
  SysPanelHeight = 0;
  if (!SysPanel)
    return;
  SysPanelHeight = GetSysPanelHeight();
  const bool themed = IsPanelThemed();
  const bool left = SizingCornerIsLeft();
  const bool top = SizingCornerIsTop();
  if (Sizeable) {
    int32_t grip = SysPanelHeight - 2;
    if (themed)
      grip = std::max(grip, ThemedSizeBoxSize().cx + 2);
    const int32_t grip_left = left ? InnerRect.Left : InnerRect.Right - grip;
    const int32_t grip_top = top ? InnerRect.Top : InnerRect.Bottom - grip;
    SizeGripArea = TRect(grip_left, grip_top, grip_left + grip, grip_top + grip);
    SizeGripRect = SizeGripArea;
    // Pulled in from the two outer sides only.
    if (left)
      SizeGripRect.Left += 2;
    else
      SizeGripRect.Right -= 2;
    if (top)
      SizeGripRect.Top += 2;
    else
      SizeGripRect.Bottom -= 2;
  }
  if (CloseButton) {
    TSize size{SysPanelHeight - 4, SysPanelHeight - 4};
    if (themed) {
      const TSize themed_size = ThemedCloseButtonSize();
      if (themed_size.cx > 0)
        size = themed_size;
    }
    // At the end of the panel opposite the grip.
    const int32_t button_left = left ? InnerRect.Right - 1 - size.cx : InnerRect.Left + 1;
    int32_t button_top;
    if (themed) {
      const int32_t panel_top = top ? InnerRect.Top : InnerRect.Bottom - SysPanelHeight;
      button_top = panel_top + (SysPanelHeight - size.cy) / 2;
    } else {
      button_top = top ? InnerRect.Top + 2 : InnerRect.Bottom - 2 - size.cy;
    }
    CloseButtonRect = TRect(button_left, button_top, button_left + size.cx, button_top + size.cy);
  }
}

bool TlxCustomEditPopupWindowViewInfo::GetSizingDirection(int32_t x, int32_t y, int32_t& horizontal,
                                                          int32_t& vertical) {
  horizontal = 0;
  vertical = 0;
  if (!Sizeable)
    return false;
  const TRect bounds(0, 0, Bounds.Width(), Bounds.Height());
  if (!Contains(bounds, x, y))
    return false;
  const bool left = SizingCornerIsLeft();
  const bool top = SizingCornerIsTop();
  if (Contains(SizeGripArea, x, y)) {
    horizontal = left ? -1 : 1;
    vertical = top ? -1 : 1;
    return true;
  }
  if (Contains(InnerRect, x, y))
    return false;
  if (left && x < bounds.Left + EdgeZoneWidth)
    horizontal = -1;
  if (!left && x >= bounds.Right - EdgeZoneWidth)
    horizontal = 1;
  if (top && y < bounds.Top + EdgeZoneWidth)
    vertical = -1;
  if (!top && y >= bounds.Bottom - EdgeZoneWidth)
    vertical = 1;
  const bool within_inner_columns = x >= InnerRect.Left && x < InnerRect.Right;
  const bool within_inner_rows = y >= InnerRect.Top && y < InnerRect.Bottom;
  // The side facing the editor never sizes.
  const bool on_editor_side = top ? y >= InnerRect.Bottom : y < InnerRect.Top;
  if (on_editor_side) {
    vertical = 0;
    if (within_inner_columns)
      horizontal = 0;
  }
  // Nor, with a panel, the side across from the grip.
  const bool across_from_grip = left ? x >= InnerRect.Right : x < InnerRect.Left;
  if (SysPanel && across_from_grip) {
    horizontal = 0;
    if (within_inner_rows)
      vertical = 0;
  }
  return horizontal != 0 || vertical != 0;
}

TCursor TlxCustomEditPopupWindowViewInfo::SizingCursor(int32_t horizontal, int32_t vertical) {
  if (horizontal != 0 && vertical != 0)
    return horizontal == vertical ? crSizeNWSE : crSizeNESW;
  if (horizontal != 0)
    return crSizeWE;
  if (vertical != 0)
    return crSizeNS;
  return crDefault;
}

void TlxCustomEditPopupWindowViewInfo::DrawBorder(TlxCanvas& canvas, TRect& rect) {
  if (OnCustomDrawBorder) {
    int32_t width = 0;
    bool handled = false;
    OnCustomDrawBorder(this, canvas, width, handled, rect);
    if (handled) {
      rect = rect.Inflate(-width, -width);
      return;
    }
  }
  if (NativeStyle) {
    HTHEME theme = lxIsDesktopCompositionOn() ? lxOpenThemeHandle(totListBox) : nullptr;
    if (theme != nullptr) {
      lxUxDrawThemeBackground(theme, canvas.Handle(), 3, 3, rect, nullptr);
    } else {
      canvas.FrameRectSides(rect, clBtnText, 1, kAllSides);
    }
    rect = rect.Inflate(-1, -1);
    return;
  }
  switch (PopupBorderStyle) {
    case epbsDefault:
      break;
    case epbsSingle:
      canvas.FrameRectSides(rect, clBtnText, 1, kAllSides);
      rect = rect.Inflate(-1, -1);
      break;
    case epbsFlat:
      canvas.Draw3DEdge(rect, false, true);
      rect = rect.Inflate(-1, -1);
      canvas.Draw3DEdge(rect, false, false);
      rect = rect.Inflate(-1, -1);
      break;
    case epbsFrame3D:
      canvas.Draw3DEdge(rect, false, true);
      rect = rect.Inflate(-1, -1);
      canvas.Draw3DEdge(rect, false, false);
      rect = rect.Inflate(-1, -1);
      canvas.FrameRectSides(rect, ClientEdge ? clInactiveBorder : clBtnFace, 1, kAllSides);
      rect = rect.Inflate(-1, -1);
      if (ClientEdge)
        canvas.FrameRectSides(rect, clBtnFace, 1, kAllSides);
      else
        canvas.Draw3DEdge(rect, true, false);
      rect = rect.Inflate(-1, -1);
      break;
  }
}

void TlxCustomEditPopupWindowViewInfo::DrawSizeGrip(TlxCanvas& canvas) {
  if (!Sizeable || SizeGripRect.IsEmpty())
    return;
  const TRect& grip = SizeGripRect;
  const bool left = SizingCornerIsLeft();
  const bool top = SizingCornerIsTop();
  HTHEME theme = IsPanelThemed() ? lxOpenThemeHandle(totScrollBar) : nullptr;
  if (theme != nullptr) {
    // The size box points to the bottom-right; other corners mirror it.
    TRect box(0, 0, grip.Width(), grip.Height());
    TMemoryDC memory(canvas.Handle());
    TOwnedBitmap bitmap(CreateCompatibleBitmap(canvas.Handle(), box.Width(), box.Height()));
    TSelectedObject selected(memory.Handle(), bitmap.Get());
    const RECT fill = box;
    FillRect(memory.Handle(), &fill, GetSysColorBrush(COLOR_BTNFACE));
    lxUxDrawThemeBackground(theme, memory.Handle(), kScrollBarPartSizeBox, left ? kSizeBoxLeftAlign : kSizeBoxRightAlign,
                            box, nullptr);
    StretchBlt(canvas.Handle(), left ? grip.Right - 1 : grip.Left, top ? grip.Bottom - 1 : grip.Top,
               left ? -grip.Width() : grip.Width(), top ? -grip.Height() : grip.Height(), memory.Handle(), 0, 0,
               box.Width(), box.Height(), SRCCOPY);
  } else {
    canvas.FillRectColor(grip, clBtnFace);
    // Diagonal lines across the corner: (height - 2) / 12 runs of a
    // highlight line followed by two shadow lines, repeated.
    const int32_t size = grip.Height();
    const int32_t runs = std::max(1, (size - 2) / 12);
    int32_t offset = 1;
    for (int32_t group = 0; group < 3 && offset < size; ++group) {
      for (int32_t line = 0; line < runs * 3 && offset < size; ++line, ++offset) {
        const TColor color = line % 3 == 0 ? clBtnHighlight : clBtnShadow;
        // A line from the corner's two outer sides, `offset` pixels in.
        const int32_t x0 = left ? grip.Left + offset : grip.Right - 1 - offset;
        const int32_t y0 = top ? grip.Top : grip.Bottom - 1;
        const int32_t x1 = left ? grip.Left : grip.Right - 1;
        const int32_t y1 = top ? grip.Top + offset : grip.Bottom - 1 - offset;
        canvas.Pen().SetColor(color);
        canvas.MoveTo(x0, y0);
        canvas.LineTo(x1, y1);
      }
      offset += runs;
    }
  }
  canvas.ExcludeFromClip(SizeGripArea);
}

void TlxCustomEditPopupWindowViewInfo::DrawCloseButton(TlxCanvas& canvas) {
  if (CloseButtonRect.IsEmpty())
    return;
  HTHEME theme = IsPanelThemed() ? lxOpenThemeHandle(totWindow) : nullptr;
  if (theme != nullptr) {
    if (lxUxIsThemeBackgroundPartiallyTransparent(theme, kWindowPartSmallCloseButton, CloseButtonState))
      canvas.FillRectColor(CloseButtonRect, clBtnFace);
    lxUxDrawThemeBackground(theme, canvas.Handle(), kWindowPartSmallCloseButton, CloseButtonState,
                            CloseButtonRect, nullptr);
  } else {
    UINT state = DFCS_CAPTIONCLOSE;
    if (CloseButtonState == kLxPopupCloseButtonPressed)
      state |= DFCS_PUSHED;
    if (CloseButtonState == kLxPopupCloseButtonHot)
      state |= DFCS_HOT;
    if (LookAndFeelKind != lfStandard)
      state |= DFCS_FLAT;
    RECT rect = CloseButtonRect;
    DrawFrameControl(canvas.Handle(), &rect, DFC_CAPTION, state);
  }
  canvas.ExcludeFromClip(CloseButtonRect);
}

void TlxCustomEditPopupWindowViewInfo::RenderFrame(TlxCanvas& canvas) {
  TRect rect(0, 0, Bounds.Width(), Bounds.Height());
  canvas.PushClipRegion();
  if (Shadow) {
    rect.Right -= kLxPopupShadowWidth;
    rect.Bottom -= kLxPopupShadowWidth;
    lxDrawShadowBand(canvas, rect);
  }
  DrawBorder(canvas, rect);
  const bool top = SizingCornerIsTop();
  TRect content = ClientRect;
  if (ClientEdge) {
    content = content.Inflate(ClientEdgeWidth(), ClientEdgeWidth());
  }
  if (SysPanel && (PopupBorderStyle == epbsSingle || (IsPanelThemed() && !CloseButtonRect.IsEmpty()))) {
    const int32_t line_y = top ? content.Top - 1 : content.Bottom;
    const TRect line(InnerRect.Left, line_y, InnerRect.Right, line_y + 1);
    canvas.FillRectColor(line, clBtnText);
    canvas.ExcludeFromClip(line);
  }
  if (ClientEdge) {
    canvas.Draw3DEdge(content, true, true);
    if (PopupBorderStyle != epbsFlat || NativeStyle)
      canvas.Draw3DEdge(content.Inflate(-1, -1), true, false);
    canvas.ExcludeFromClip(content);
  }
  DrawSizeGrip(canvas);
  DrawCloseButton(canvas);
  canvas.FillRectColor(ClientRect, clBtnFace);
  if (SysPanel) {
    const TRect panel = top ? TRect(InnerRect.Left, InnerRect.Top, InnerRect.Right, InnerRect.Top + SysPanelHeight)
                            : TRect(InnerRect.Left, InnerRect.Bottom - SysPanelHeight, InnerRect.Right,
                                    InnerRect.Bottom);
    canvas.FillRectColor(panel, clBtnFace);
  }
  canvas.PopClipRegion();
}

void TlxPopupEditPopupWindowViewInfo::DrawBorder(TlxCanvas& canvas, TRect& rect) {
  if (NativeStyle || PopupBorderStyle != epbsFrame3D || OnCustomDrawBorder) {
    TlxCustomEditPopupWindowViewInfo::DrawBorder(canvas, rect);
    return;
  }
  canvas.Draw3DEdge(rect, false, true);
  rect = rect.Inflate(-1, -1);
  canvas.Draw3DEdge(rect, false, false);
  rect = rect.Inflate(-1, -1);
  canvas.FrameRectSides(rect, clInactiveBorder, 1, kAllSides);
  rect = rect.Inflate(-1, -1);
  canvas.FrameRectSides(rect, clBtnFace, 1, kAllSides);
  rect = rect.Inflate(-1, -1);
}

// --- window ----------------------------------------------------------------------------

TlxCustomEditPopupWindow::TlxCustomEditPopupWindow(TControl* owner_control)
    : TlxCustomPopupWindow(owner_control),
      edit_view_info_(CreateUnowned<TlxCustomEditPopupWindowViewInfo>(&TlxCustomEditPopupWindowViewInfo::kClass)) {
  AutoSizeToChildren = false;
  edit_view_info_->CloseButtonState = kLxPopupCloseButtonNormal;
}

TlxCustomEditPopupWindow::~TlxCustomEditPopupWindow() { size_frame_.reset(); }

IlxEditPopupOwner* TlxCustomEditPopupWindow::GetEdit() const { return Supports<IlxEditPopupOwner>(OwnerControl()); }

void TlxCustomEditPopupWindow::CalculateViewInfo() {
  edit_view_info_->Bounds = TRect(0, 0, Width(), Height());
  edit_view_info_->Calculate();
}

void TlxCustomEditPopupWindow::ForwardKeyChar(char16_t ch) {
  const HWND focus = GetFocus();
  if (focus != nullptr)
    SendMessageW(focus, WM_CHAR, ch, 0);
}

TSize TlxCustomEditPopupWindow::GetFrameExtent() {
  const TRect extent = edit_view_info_->GetBorderExtent();
  TSize size{extent.Left + extent.Right, extent.Top + extent.Bottom};
  if (Sizeable() && SysPanelStyle()) {
    // Room for the close button and the grip side by side, whatever the size.
    CalculateViewInfo();
    const int32_t panel = edit_view_info_->GetSysPanelHeight();
    const int32_t grip = std::max(edit_view_info_->SizeGripArea.Width(), panel - 2);
    const int32_t close = CloseButton() ? std::max(edit_view_info_->CloseButtonRect.Width(), panel - 4) : 0;
    size.cx += close + grip + 10;
  }
  return size;
}

void TlxCustomEditPopupWindow::GetOwnerScreenBounds(TRect& rect) {
  IlxEditPopupOwner* edit = GetEdit();
  TControl* owner = OwnerControl();
  if (edit == nullptr || owner == nullptr) {
    TlxCustomPopupWindow::GetOwnerScreenBounds(rect);
    return;
  }
  rect = edit->GetPopupOwnerBounds();
  if (TWinControl* parent = owner->Parent()) {
    const TPoint origin = parent->ClientToScreen(TPoint(0, 0));
    rect = rect.Offset(origin.X, origin.Y);
  }
}

TRect TlxCustomEditPopupWindow::OwnerScreenRect() {
  TRect rect;
  GetOwnerScreenBounds(rect);
  return rect;
}

void TlxCustomEditPopupWindow::CalcPosition(TPoint& position) {
  TlxCustomPopupWindow::CalcPosition(position);
  const TRect owner = OwnerScreenRect();
  const TRect area = lxWorkAreaAtPoint(position);
  const int32_t x = position.X;
  const int32_t y = position.Y;
  const int32_t w = Width();
  const int32_t h = Height();
  const bool left = (HorzAlignment == phaRight && x + w == owner.Right && area.Left < x) || x + w == owner.Left ||
                    (x + w == area.Right && x < owner.Right);
  const bool above = (VertAlignment == pvaBottom && y + h == owner.Bottom && area.Top < y) || y + h == owner.Top ||
                     (y + h == area.Bottom && y < owner.Bottom);
  if (above)
    edit_view_info_->SizingCorner = left ? pscTopLeft : pscTopRight;
  else
    edit_view_info_->SizingCorner = left ? pscBottomLeft : pscBottomRight;
  if (Shadow() && above)
    position.Y += kLxPopupShadowWidth;
}

void TlxCustomEditPopupWindow::CalcSize() {
  TStateScope calculating(calculating_size_, true);
  edit_view_info_->SizingCorner = pscBottomRight;
  const TRect owner = OwnerScreenRect();
  const TRect extent = edit_view_info_->GetBorderExtent();
  const TSize frame = GetFrameExtent();
  IlxEditPopupOwner* edit = GetEdit();
  const TSize content = edit != nullptr ? edit->CalculatePopupContentSize() : TSize{0, 0};
  int32_t width;
  if (auto_size_)
    width = extent.Left + extent.Right + content.cx;
  else
    width = popup_width_ != 0 ? popup_width_ : owner.Width();
  int32_t height;
  if (auto_size_)
    height = extent.Top + extent.Bottom + content.cy;
  else
    height = popup_height_ > 0 ? popup_height_ : std::max(min_height_, frame.cy);
  if (Sizeable()) {
    if (min_width_ > 0)
      width = std::max(width, min_width_);
    if (min_height_ > 0)
      height = std::max(height, min_height_);
  }
  SetBounds(Left(), Top(), std::max(width, frame.cx), std::max(height, frame.cy));
}

bool TlxCustomEditPopupWindow::AdjustsToWorkArea() const {
  IlxEditPopupOwner* edit = GetEdit();
  return edit != nullptr && edit->PopupAdjustsToWorkArea();
}

void TlxCustomEditPopupWindow::FireClosed(int32_t reason) {
  resizing_ = false;
  sizing_cursor_shown_ = false;
  TlxCustomPopupWindow::FireClosed(reason);
}

void TlxCustomEditPopupWindow::FireClosing(int32_t reason) {
  const TAliveToken alive = AliveToken();
  TlxCustomPopupWindow::FireClosing(reason);
  if (alive.Alive() && size_frame_ != nullptr)
    size_frame_->Hide();
}

void TlxCustomEditPopupWindow::CloseOnModalResult() {
  IlxEditPopupOwner* edit = GetEdit();
  if (edit == nullptr) {
    TlxCustomPopupWindow::CloseOnModalResult();
    return;
  }
  int32_t reason = 0;
  if (ModalResult() == mrOk)
    reason = 4;
  else if (ModalResult() == mrCancel)
    reason = 3;
  edit->CloseUp(reason);
}

void TlxCustomEditPopupWindow::ShowPopupFocused(TWinControl* control) {
  IlxEditPopupOwner* edit = GetEdit();
  if (edit != nullptr && !IsOwnerControlVisible()) {
    // The editor went away before the posted show arrived: undo the
    // opening's initialization, as nothing will be closed.
    edit->DoFinalizePopup();
    return;
  }
  TlxCustomPopupWindow::ShowPopupFocused(control);
}

bool TlxCustomEditPopupWindow::HandleOwnerMouseDown(HWND window, UINT /*message*/, const TPoint& /*screen_point*/,
                                                    TShiftState /*shift*/) {
  // Presses elsewhere are not claimed: they close the popup and go on to
  // their target.
  auto* owner = dynamic_cast<TWinControl*>(OwnerControl());
  return GetEdit() != nullptr && owner != nullptr && lxControlOwnsWindow(owner, window, true);
}

bool TlxCustomEditPopupWindow::CanResize(int32_t& width, int32_t& height) {
  if (!Sizeable() || calculating_size_)
    return false;
  if (width == Width() && height == Height())
    return true;
  const TSize frame = GetFrameExtent();
  width = std::max({width, frame.cx, min_width_});
  height = std::max({height, frame.cy, min_height_});
  IlxEditPopupOwner* edit = GetEdit();
  if (edit == nullptr || !edit->UsesLookupListInPopup())
    return true;
  const TRect extent = edit_view_info_->GetBorderExtent();
  TSize content{width - extent.Left - extent.Right, height - extent.Top - extent.Bottom};
  if (edit->AdjustLookupListSize(content, GetAvailableContentSize())) {
    width = std::max(content.cx + extent.Left + extent.Right, frame.cx);
    height = std::max(content.cy + extent.Top + extent.Bottom, frame.cy);
  } else {
    width = Width();
    height = Height();
  }
  return true;
}

TSize TlxCustomEditPopupWindow::GetAvailableContentSize() {
  const TRect owner = OwnerScreenRect();
  const TRect area = lxWorkAreaAtPoint(owner.TopLeft());
  const TRect extent = edit_view_info_->GetBorderExtent();
  TSize size;
  if (OpenDirection == podVertical) {
    const int32_t above = owner.Top - area.Top + (Shadow() ? kLxPopupShadowWidth : 0);
    size = TSize{area.Width(), std::max(area.Bottom - owner.Bottom, above)};
  } else {
    size = TSize{std::max(area.Right - owner.Right, owner.Left - area.Left) + 1, area.Height()};
  }
  size.cx -= extent.Left + extent.Right;
  size.cy -= extent.Top + extent.Bottom;
  return size;
}

void TlxCustomEditPopupWindow::ShowSizeFrame(const TRect& rect) {
  if (size_frame_ == nullptr)
    size_frame_ = std::make_unique<TlxSizeFrame>(2);
  outline_ = rect;
  size_frame_->SetFrameBounds(rect);
  if (!size_frame_->IsShowing())
    size_frame_->Show();
}

void TlxCustomEditPopupWindow::RelayoutAfterResize() {
  CalculateViewInfo();
  if (IlxEditPopupOwner* edit = GetEdit())
    edit->PlacePopupContent(edit_view_info_->ClientRect);
  UpdateWindowRegion();
  Invalidate();
}

void TlxCustomEditPopupWindow::AdjustClientRect(TRect& rect) {
  CalculateViewInfo();
  rect = edit_view_info_->ClientRect;
}

void TlxCustomEditPopupWindow::Paint() {
  CalculateViewInfo();
  edit_view_info_->Draw(LxCanvas());
}

void TlxCustomEditPopupWindow::Resize() {
  TlxCustomPopupWindow::Resize();
  CalculateViewInfo();
  UpdateWindowRegion();
}

void TlxCustomEditPopupWindow::UpdateWindowRegion() {
  if (!HandleAllocated())
    return;
  TRect rect(0, 0, Width(), Height());
  const bool shadow = Shadow() && !NativeStyle();
  if (shadow) {
    rect.Right -= kLxPopupShadowWidth;
    rect.Bottom -= kLxPopupShadowWidth;
  }
  TRect exclusion;
  if (shadow && edit_view_info_->SizingCornerIsTop()) {
    // Opened above: the shadow under the popup's bottom edge would lie on
    // the editor.
    const TRect owner = OwnerScreenRect();
    exclusion = TRect(owner.Left - Left(), Height() - kLxPopupShadowWidth, owner.Right - kLxPopupShadowWidth - Left(),
                      Height());
  }
  lxSetFrameWindowRegion(WindowHandle(), rect, NativeStyle(), exclusion, shadow);
}

void TlxCustomEditPopupWindow::CreateParams(TCreateParams& params) {
  TlxCustomPopupWindow::CreateParams(params);
  if (NativeStyle() && lxIsDesktopCompositionOn())
    params.WindowClass.style |= CS_DROPSHADOW;
}

void TlxCustomEditPopupWindow::ChangeCloseButtonState(int32_t state) {
  if (edit_view_info_->CloseButtonState == state)
    return;
  edit_view_info_->CloseButtonState = state;
  if (HandleAllocated()) {
    const RECT rect = edit_view_info_->CloseButtonRect;
    InvalidateRect(WindowHandle(), &rect, FALSE);
  }
}

void TlxCustomEditPopupWindow::ShowSizingCursor(int32_t horizontal, int32_t vertical) {
  const TCursor cursor = TlxCustomEditPopupWindowViewInfo::SizingCursor(horizontal, vertical);
  sizing_cursor_shown_ = cursor != crDefault;
  SetCursor(cursor);
  ::SetCursor(Screen->Cursors(cursor));
}

void TlxCustomEditPopupWindow::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TlxCustomPopupWindow::MouseDown(button, shift, x, y);
  if (button != mbLeft)
    return;
  CalculateViewInfo();
  if (edit_view_info_->CloseButtonRect.Contains(TPoint(x, y)) &&
      edit_view_info_->CloseButtonState != kLxPopupCloseButtonPressed) {
    ChangeCloseButtonState(kLxPopupCloseButtonPressed);
    return;
  }
  int32_t horizontal = 0;
  int32_t vertical = 0;
  if (!edit_view_info_->GetSizingDirection(x, y, horizontal, vertical))
    return;
  if (!IsMouseCaptured())
    SetCapture(WindowHandle());
  resizing_ = true;
  horizontal_direction_ = horizontal;
  vertical_direction_ = vertical;
  grab_offset_ = TPoint(horizontal > 0 ? Width() - x : x, vertical > 0 ? Height() - y : y);
  ShowSizingCursor(horizontal, vertical);
  ShowSizeFrame(BoundsRect());
}

TRect TlxCustomEditPopupWindow::ResizedBounds(const TPoint& screen_point) {
  const TlxPopupSizingCorner corner = edit_view_info_->SizingCorner;
  const bool left = edit_view_info_->SizingCornerIsLeft();
  const bool top = edit_view_info_->SizingCornerIsTop();
  TRect rect = BoundsRect();
  // Only the sides away from the editor follow the pointer.
  if (horizontal_direction_ < 0 && left)
    rect.Left = screen_point.X - grab_offset_.X;
  if (horizontal_direction_ > 0 && !left)
    rect.Right = screen_point.X + grab_offset_.X;
  if (vertical_direction_ < 0 && top)
    rect.Top = screen_point.Y - grab_offset_.Y;
  if (vertical_direction_ > 0 && !top)
    rect.Bottom = screen_point.Y + grab_offset_.Y;
  (void)corner;
  int32_t width = rect.Width();
  int32_t height = rect.Height();
  if (!CanResize(width, height))
    return outline_;
  // Anchored on the editor's side.
  if (left)
    rect.Left = rect.Right - width;
  else
    rect.Right = rect.Left + width;
  if (top)
    rect.Top = rect.Bottom - height;
  else
    rect.Bottom = rect.Top + height;
  const TRect owner = OwnerScreenRect();
  if (rect.Left > owner.Right - 1)
    rect.Left = owner.Right - 1;
  if (rect.Right < owner.Left + 1)
    rect.Right = owner.Left + 1;
  const TRect area = lxWorkAreaAtPoint(owner.TopLeft());
  rect.Left = std::max(rect.Left, area.Left);
  rect.Top = std::max(rect.Top, area.Top);
  rect.Right = std::min(rect.Right, area.Right);
  rect.Bottom = std::min(rect.Bottom, area.Bottom);
  return rect;
}

void TlxCustomEditPopupWindow::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  TlxCustomPopupWindow::MouseMove(shift, x, y);
  if (!resizing_) {
    CalculateViewInfo();
    const bool over_close = edit_view_info_->CloseButtonRect.Contains(TPoint(x, y));
    const bool buttons_free = !shift.Contains(ssLeft) && !shift.Contains(ssRight) && !shift.Contains(ssMiddle);
    if (edit_view_info_->CloseButtonState != kLxPopupCloseButtonPressed)
      ChangeCloseButtonState(over_close && buttons_free ? kLxPopupCloseButtonHot : kLxPopupCloseButtonNormal);
    int32_t horizontal = 0;
    int32_t vertical = 0;
    edit_view_info_->GetSizingDirection(x, y, horizontal, vertical);
    ShowSizingCursor(horizontal, vertical);
    return;
  }
  const TRect rect = ResizedBounds(ClientToScreen(TPoint(x, y)));
  if (rect == outline_)
    return;
  if (rect != BoundsRect())
    if (IlxEditPopupOwner* edit = GetEdit())
      edit->NotePopupResizedByUser();
  ShowSizeFrame(rect);
}

void TlxCustomEditPopupWindow::FinishResizing() {
  resizing_ = false;
  if (IsMouseCaptured())
    ReleaseCapture();
  if (size_frame_ != nullptr)
    size_frame_->Hide();
  if (outline_ != BoundsRect())
    SetBounds(outline_.Left, outline_.Top, outline_.Width(), outline_.Height());
  RelayoutAfterResize();
}

void TlxCustomEditPopupWindow::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  const TAliveToken alive = AliveToken();
  TlxCustomPopupWindow::MouseUp(button, shift, x, y);
  if (!alive.Alive() || button != mbLeft)
    return;
  if (resizing_) {
    FinishResizing();
    int32_t horizontal = 0;
    int32_t vertical = 0;
    edit_view_info_->GetSizingDirection(x, y, horizontal, vertical);
    ShowSizingCursor(horizontal, vertical);
    return;
  }
  if (edit_view_info_->CloseButtonState != kLxPopupCloseButtonPressed)
    return;
  if (!edit_view_info_->CloseButtonRect.Contains(TPoint(x, y))) {
    ChangeCloseButtonState(kLxPopupCloseButtonNormal);
    return;
  }
  if (CloseQuery()) {
    if (!alive.Alive())
      return;
    if (IlxEditPopupOwner* edit = GetEdit())
      edit->CloseUp(0);
    else
      ClosePopup();
    if (!alive.Alive() || !lxIsShownPopup(this))
      return;
  }
  if (alive.Alive())
    ChangeCloseButtonState(kLxPopupCloseButtonHot);
}

void TlxCustomEditPopupWindow::MouseLeave() {
  TlxCustomPopupWindow::MouseLeave();
  if (edit_view_info_->CloseButtonState != kLxPopupCloseButtonPressed)
    ChangeCloseButtonState(kLxPopupCloseButtonNormal);
  if (!resizing_ && sizing_cursor_shown_)
    ShowSizingCursor(0, 0);
}

void TlxCustomEditPopupWindow::ShowPopupFocusedLater(TWinControl* control) {
  pending_focus_ = TWeakRef<TWinControl>(control);
  HandleNeeded();
  PostMessageW(WindowHandle(), LX_POPUP_REOPEN, 0, 0);
}

void TlxCustomEditPopupWindow::WndProc(TMessage& message) {
  if (message.Msg == LX_POPUP_FORWARD_CHAR) {
    if (lxIsShownPopup(this))
      ForwardKeyChar(static_cast<char16_t>(message.WParam));
    return;
  }
  if (message.Msg == LX_POPUP_REOPEN && pending_focus_.Get() != nullptr) {
    TWinControl* focus = pending_focus_.Get();
    pending_focus_ = TWeakRef<TWinControl>();
    ShowPopupFocused(focus);
    return;
  }
  TlxCustomPopupWindow::WndProc(message);
}

TlxPopupEditPopupWindow::TlxPopupEditPopupWindow(TControl* owner_control)
    : TlxCustomEditPopupWindow(owner_control) {
  edit_view_info_ = CreateUnowned<TlxCustomEditPopupWindowViewInfo>(&TlxPopupEditPopupWindowViewInfo::kClass);
}

std::unique_ptr<TlxCustomEditPopupWindow> lxCreateEditPopupWindow(const TClass* cls, TControl* edit) {
  std::unique_ptr<TObject> instance(cls->CreateInstance(edit));
  auto* popup = dynamic_cast<TlxCustomEditPopupWindow*>(instance.get());
  if (popup == nullptr)
    throw EInvalidOperation(std::string(cls->ClassName()) + " is no edit popup window class");
  instance.release();
  return std::unique_ptr<TlxCustomEditPopupWindow>(popup);
}
