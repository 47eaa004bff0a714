#include "editors/popup_window_win.h"

#include <algorithm>

#include "editors/popup_hooks_win.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/screen.h"
#include "ui/foundation/system/control_unit_win.h"
#include "ui/foundation/system/message_window_win.h"

namespace {

// Alt+Enter, Alt alone and Alt+Space would reach the owner form's system
// menu while the popup's own loop runs.
void DropPendingSystemKeys() {
  MSG message;
  while (PeekMessageW(&message, nullptr, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_NOREMOVE)) {
    const WPARAM key = message.wParam;
    if (key != VK_RETURN && key != VK_MENU && key != VK_SPACE)
      return;
    PeekMessageW(&message, nullptr, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_REMOVE);
  }
}

bool IsTopmostWindow(HWND window) {
  return window != nullptr && (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

bool SomeStayOnTopFormHidden() {
  for (int32_t index = 0; index < Screen->FormCount(); ++index) {
    TCustomForm* form = Screen->Forms(index);
    if (form->FormStyle() == fsStayOnTop && !form->Visible())
      return true;
  }
  return false;
}

}  // namespace

TWinControl* lxPickPopupFocusControl(TlxCustomPopupWindow* popup, TWinControl* requested) {
  if (requested != nullptr && requested->CanFocus() && requested->TabStop())
    return requested;
  if (TWinControl* first = popup->FindNextControl(nullptr, true, true, false))
    return first;
  return popup;
}

void lxPostPopupClose(TlxCustomPopupWindow* popup) {
  if (popup != nullptr && popup->HandleAllocated())
    PostMessageW(popup->WindowHandle(), LX_POPUP_CLOSE, 0, 0);
}

TlxCustomPopupWindow::TlxCustomPopupWindow(TControl* owner_control) : TlxPopupWindow(nullptr) {
  SetFormStyle(fsNormal);
  SetVisible(false);
  style_ = GetStyleItemClass().Create(this, false, nullptr, csNormal);
  style_->SetChangeHandler([this](TObject*) { HandleStyleChange(); });
  view_info_ = CreateUnowned<TlxContainerViewInfo>(GetViewInfoClass());
  SetOwnerControl(owner_control);
  SetKeyPreview(true);
}

TlxCustomPopupWindow::~TlxCustomPopupWindow() {
  destroying_ = true;
  lxRemoveShownPopup(this);
  style_->SetChangeHandler(nullptr);
}

void TlxCustomPopupWindow::FireClosed(int32_t reason) {
  if (OnClosed)
    OnClosed(this, reason);
}

void TlxCustomPopupWindow::FireClosing(int32_t reason) {
  if (OnClosing)
    OnClosing(this, reason);
}

void TlxCustomPopupWindow::FireShowed() {
  if (OnShowed)
    OnShowed(this);
}

void TlxCustomPopupWindow::FireShowing() {
  if (OnShowing)
    OnShowing(this);
}

bool TlxCustomPopupWindow::AllowsSysKey(uint16_t key) const {
  return (key >= VK_PRIOR && key <= VK_DOWN) || key == VK_F4;
}

bool TlxCustomPopupWindow::HandleOwnerMouseDown(HWND /*window*/, UINT /*message*/, const TPoint& /*screen_point*/,
                                                TShiftState /*shift*/) {
  return false;
}

void TlxCustomPopupWindow::FitToWorkArea(TPoint& point) {
  if (!AdjustsToWorkArea())
    return;
  const TRect area = lxWorkAreaAtPoint(point);
  int32_t width = Width();
  int32_t height = Height();
  if (point.X < area.Left) {
    width -= area.Left - point.X;
    point.X = area.Left;
  }
  if (point.Y < area.Top) {
    height -= area.Top - point.Y;
    point.Y = area.Top;
  }
  width = std::min(width, area.Right - point.X);
  height = std::min(height, area.Bottom - point.Y);
  SetBounds(Left(), Top(), width, height);
  // A window that keeps less than the requested height (its constraints)
  // and sits on the top edge moves down by the difference.
  if (Height() != height && point.Y == area.Top)
    point.Y += height - Height();
}

void TlxCustomPopupWindow::ShowPopupFocused(TWinControl* control) {
  if (lxIsShownPopup(this) || !IsOwnerControlVisible())
    return;
  const TAliveToken alive = AliveToken();
  InheritOwnerFont();
  CalcSize();
  TPoint point;
  CalcPosition(point);
  FitToWorkArea(point);
  {
    TlxPopupOperationScope operation(this, true);
    lxAddShownPopup(this);
    FireShowing();
    if (!alive.Alive())
      return;
    SetBounds(point.X, point.Y, Width(), Height());
    Show();
    if (!alive.Alive())
      return;
    TWinControl* focus = captures_focus_ ? lxPickPopupFocusControl(this, control) : control;
    focused_control_ = TWeakRef<TWinControl>(focus);
    if (focus != nullptr && focus->CanFocus())
      focus->SetFocus();
    if (!alive.Alive())
      return;
    TCustomForm* owner_form = OwnerControl() != nullptr ? GetParentForm(OwnerControl()) : nullptr;
    const bool topmost = owner_form == nullptr || IsTopmostWindow(owner_form->WindowHandle()) ||
                         !captures_focus_ || SomeStayOnTopFormHidden();
    if (HandleAllocated())
      SetWindowPos(WindowHandle(), topmost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                   SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
  }
  SetModalResult(mrNone);
  FireShowed();
  if (alive.Alive() && captures_focus_ && modal_loop_)
    RunLocalLoop();
}

void TlxCustomPopupWindow::RunLocalLoop() {
  // A popup freed inside its own loop ends the loop; nothing of it is
  // touched afterwards.
  const TAliveToken alive = AliveToken();
  while (alive.Alive() && Visible() && !Application->Terminated()) {
    DropPendingSystemKeys();
    if (ModalResult() != mrNone) {
      if (CloseQuery()) {
        if (!alive.Alive())
          return;
        CloseOnModalResult();
      } else if (alive.Alive()) {
        SetModalResult(mrNone);
      }
      if (!alive.Alive() || !Visible())
        return;
    }
    Application->HandleMessage();
  }
}

bool TlxCustomPopupWindow::SetFocusedControl(TWinControl* control) {
  lxChangePopupActivationLock(true);
  TScopeExit unlock([] { lxChangePopupActivationLock(false); });
  return TlxPopupWindow::SetFocusedControl(control);
}

void TlxCustomPopupWindow::ClosePopup() {
  if (!lxIsShownPopup(this))
    return;
  const TAliveToken alive = AliveToken();
  const TWeakRef<TControl> owner(OwnerControl());
  {
    lxChangePopupActivationLock(true);
    TScopeExit unlock([] { lxChangePopupActivationLock(false); });
    TlxPopupOperationScope operation(this, false);
    lxRemoveShownPopup(this);
    FireClosing(0);
    if (!alive.Alive())
      return;
    if (HandleAllocated())
      ShowWindow(WindowHandle(), SW_HIDE);
    Hide();
    if (!alive.Alive())
      return;
    FireClosed(0);
    if (!alive.Alive())
      return;
    const HWND capture = GetCapture();
    if (capture != nullptr && HandleAllocated() && (capture == WindowHandle() || IsChild(WindowHandle(), capture)))
      ReleaseCapture();
  }
  if (!lxShownPopups().empty() || owner.Get() == nullptr)
    return;
  // The owner form keeps its caption active only while a popup is open.
  TCustomForm* form = GetParentForm(owner.Get());
  if (form != nullptr && form->HandleAllocated() && form->FormStyle() != fsMDIForm && !form->Active())
    SendMessageW(form->WindowHandle(), WM_NCACTIVATE, FALSE, 0);
}

void TlxCustomPopupWindow::HandleAsyncClose() {
  const TAliveToken alive = AliveToken();
  const TWeakRef<TControl> owner(OwnerControl());
  ChangeCloseLock(true);
  {
    TScopeExit unlock([&] {
      if (alive.Alive())
        ChangeCloseLock(false);
    });
    ClosePopup();
  }
  if (auto* control = dynamic_cast<TWinControl*>(owner.Get()); control != nullptr && control->HandleAllocated())
    SendMessageW(control->WindowHandle(), WM_SETFOCUS, 0, 0);
}

void TlxCustomPopupWindow::GetOwnerScreenBounds(TRect& rect) {
  TControl* owner = OwnerControl();
  if (owner == nullptr) {
    TlxPopupWindow::GetOwnerScreenBounds(rect);
    return;
  }
  rect = owner->BoundsRect();
  auto* windowed = dynamic_cast<TWinControl*>(owner);
  const bool child_window = windowed != nullptr && windowed->HandleAllocated() &&
                            (GetWindowLongPtrW(windowed->WindowHandle(), GWL_STYLE) & WS_CHILD) != 0;
  const bool convert = windowed != nullptr ? child_window : owner->Parent() != nullptr;
  if (convert && owner->Parent() != nullptr) {
    const TPoint origin = owner->Parent()->ClientToScreen(TPoint(0, 0));
    rect = rect.Offset(origin.X, origin.Y);
  }
}

void TlxCustomPopupWindow::ChangeCloseLock(bool up) {
  if (up)
    ++close_lock_;
  else if (close_lock_ > 0)
    --close_lock_;
}

bool TlxCustomPopupWindow::IsMouseCaptured() const {
  return WindowHandle() != nullptr && GetCapture() == WindowHandle();
}

bool TlxCustomPopupWindow::IsOwnerControlVisible() const {
  auto* owner = dynamic_cast<TWinControl*>(OwnerControl());
  return owner != nullptr && owner->HandleAllocated() && IsWindowVisible(owner->WindowHandle());
}

bool TlxCustomPopupWindow::IsFocusWithin() {
  if (!lxIsShownPopup(this) || !captures_focus_)
    return false;
  return lxControlOwnsWindow(this, GetFocus(), true);
}

void TlxCustomPopupWindow::RecreateIfHandle() {
  if (HandleAllocated())
    RecreateWnd();
}

void TlxCustomPopupWindow::ChangeFocusCapture(bool value) { ChangeWindowMode(captures_focus_, value); }

void TlxCustomPopupWindow::ChangeTopmostMode(bool value) { ChangeWindowMode(topmost_, value); }

void TlxCustomPopupWindow::ChangeWindowMode(bool& mode, bool value) {
  if (value == mode)
    return;
  mode = value;
  // Both modes live in the window's styles: a new window, and a shown
  // popup opens again in it.
  RecreateIfHandle();
  if (!lxIsShownPopup(this))
    return;
  ClosePopup();
  ShowPopupFocused(focused_control_.Get());
}

void TlxCustomPopupWindow::HandleDeactivate() {
  if (IsCloseLocked())
    return;
  const TAliveToken alive = AliveToken();
  const HWND active = GetActiveWindow();
  const std::vector<TlxCustomPopupWindow*> shown = lxShownPopups();
  bool met_active = false;
  for (size_t index = shown.size(); index-- > 0;) {
    TlxCustomPopupWindow* popup = shown[index];
    if (!lxIsShownPopup(popup))
      continue;
    if (popup->WindowHandle() == active) {
      met_active = true;
      break;
    }
    if (popup->Enabled() && !popup->IsCloseLocked())
      popup->ClosePopup();
  }
  if (alive.Alive() && !met_active && !lxShownPopups().empty())
    ClosePopup();
}

void TlxCustomPopupWindow::Deactivate() {
  const TAliveToken alive = AliveToken();
  TForm::Deactivate();
  if (alive.Alive())
    HandleDeactivate();
}

void TlxCustomPopupWindow::VisibleChanged() {
  if (Visible() || !captures_focus_)
    return;
  auto* owner = dynamic_cast<TWinControl*>(OwnerControl());
  if (owner == nullptr)
    return;
  TCustomForm* form = GetParentForm(owner);
  if (form == nullptr || form->ComponentState().Contains(csDesigning))
    return;
  if (form->HandleAllocated() && GetFocus() == form->WindowHandle() && owner->CanFocus())
    owner->SetFocus();
}

void TlxCustomPopupWindow::KeyDown(uint16_t& key, TShiftState shift) {
  if (key == VK_ESCAPE && lxIsShownPopup(this) && IsMouseCaptured()) {
    ReleaseCapture();
    key = 0;
    return;
  }
  TlxPopupWindow::KeyDown(key, shift);
}

void TlxCustomPopupWindow::CreateParams(TCreateParams& params) {
  TlxPopupWindow::CreateParams(params);
  TCustomForm* owner_form = OwnerControl() != nullptr ? GetParentForm(OwnerControl()) : nullptr;
  if (captures_focus_) {
    if (owner_form != nullptr)
      params.WndParent = owner_form->Handle();
    params.Style = (params.Style | WS_POPUP) & ~static_cast<DWORD>(WS_CHILD);
    params.ExStyle &= ~static_cast<DWORD>(WS_EX_TOPMOST);
    if (topmost_ && (owner_form == nullptr || IsTopmostWindow(owner_form->WindowHandle())))
      params.ExStyle |= WS_EX_TOPMOST;
  } else {
    params.Style = WS_CHILD;
    params.ExStyle = (params.ExStyle | WS_EX_TOOLWINDOW) & ~static_cast<DWORD>(WS_EX_TOPMOST | WS_EX_APPWINDOW);
    if (params.WndParent == nullptr || owner_form == nullptr)
      if (TlxMessageWindow* shared = lxSharedMessageWindow())
        params.WndParent = shared->Handle();
  }
  params.Style |= WS_CLIPCHILDREN;
}

void TlxCustomPopupWindow::CreateWindowHandle(const TCreateParams& params) {
  // The creation messages count as a popup's for the hooks.
  const bool listed = lxIsShownPopup(this);
  if (!listed)
    lxAddShownPopup(this);
  TScopeExit unlist([this, listed] {
    if (!listed)
      lxRemoveShownPopup(this);
  });
  TlxPopupWindow::CreateWindowHandle(params);
}

void TlxCustomPopupWindow::CreateWnd() {
  TlxPopupWindow::CreateWnd();
  // A non-activating popup shows as a top-level window that keeps its
  // child style, so the system never activates it.
  if (!captures_focus_ && HandleAllocated())
    ::SetParent(WindowHandle(), nullptr);
}

void TlxCustomPopupWindow::AdjustClientRect(TRect& rect) {
  if (!view_info_->ClientRect.IsEmpty()) {
    rect = view_info_->ClientRect;
    return;
  }
  TlxPopupWindow::AdjustClientRect(rect);
}

void TlxCustomPopupWindow::Paint() {
  view_info_->Draw(LxCanvas());
  TlxPopupWindow::Paint();
}

void TlxCustomPopupWindow::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_ERASEBKGND:
      if (!ErasesBackground()) {
        message.Result = 1;
        return;
      }
      break;
    case WM_ACTIVATEAPP:
      // The hooks decide what closes; the base popup's own closing stays out.
      message.Result = 0;
      return;
    case LX_POPUP_CLOSE:
      HandleAsyncClose();
      return;
    case LX_POPUP_REOPEN:
      ShowPopupFocused(focused_control_.Get());
      return;
    case CM_CHILDKEY:
      HandleShortCut(message);
      return;
    default:
      break;
  }
  TlxPopupWindow::WndProc(message);
}

void TlxCustomPopupWindow::HandleShortCut(TMessage& message) {
  const TAliveToken alive = AliveToken();
  TlxPopupWindow::WndProc(message);
  if (message.Result != 0 || !alive.Alive())
    return;
  // The popup stands in for its owner while it is open: what the owner's
  // form would take as a shortcut (its menu's) still works from inside it.
  TControl* owner = OwnerControl();
  TCustomForm* owner_form = owner != nullptr ? GetParentForm(owner) : nullptr;
  if (owner_form == nullptr || owner_form == this)
    return;
  message.Result = owner_form->Perform(CM_CHILDKEY, message.WParam, message.LParam);
}
