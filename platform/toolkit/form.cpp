#include "platform/toolkit/form.h"

#include <vector>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/screen.h"

namespace {

constexpr const char* kCannotFocus = "Cannot focus a disabled or invisible window";

struct DisabledWindows {
  HWND keep = nullptr;
  std::vector<HWND> windows;
};

BOOL CALLBACK DisableThreadWindow(HWND window, LPARAM data) {
  auto* state = reinterpret_cast<DisabledWindows*>(data);
  if (window != state->keep && IsWindowVisible(window) && IsWindowEnabled(window)) {
    state->windows.push_back(window);
    EnableWindow(window, FALSE);
  }
  return TRUE;
}

}  // namespace

TCustomForm::TCustomForm(TComponent* owner) : TCustomControl(owner) {
  ControlStyle() = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 320, 240);
  TControl::SetVisible(false);
  SetColor(clBtnFace);
  SetParentFont(false);
  pixels_per_inch_ = Screen->PixelsPerInch();
  Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  Destroying();
  if (WindowHandle() != nullptr)
    DestroyHandle();
  Screen->RemoveForm(this);
}

void TCustomForm::AfterConstruction() {
  if (created_)
    return;
  created_ = true;
  if (OnCreate)
    OnCreate(this);
}

void TCustomForm::BeforeDestruction() {
  if (destroy_notified_)
    return;
  destroy_notified_ = true;
  Destroying();
  if (OnDestroy)
    OnDestroy(this);
}

void TCustomForm::Free() {
  BeforeDestruction();
  delete this;
}

void TCustomForm::Release() {
  if (WindowHandle() != nullptr)
    PostMessageW(WindowHandle(), CM_RELEASE, 0, 0);
  else
    Free();
}

void TCustomForm::CMRelease(TMessage&) { Free(); }

// --- window ------------------------------------------------------------------------

void TCustomForm::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.Style = WS_CLIPCHILDREN;
  params.ExStyle = WS_EX_CONTROLPARENT;
  params.WndParent = nullptr;
  switch (border_style_) {
    case bsNone:
      params.Style |= WS_POPUP;
      break;
    case bsSingle:
      params.Style |= WS_CAPTION | WS_BORDER;
      break;
    case bsSizeable:
      params.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case bsDialog:
      params.Style |= WS_POPUP | WS_CAPTION;
      params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
    case bsToolWindow:
      params.Style |= WS_CAPTION;
      params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      params.Style |= WS_CAPTION | WS_THICKFRAME;
      params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (border_style_ != bsNone && border_icons_.Contains(biSystemMenu)) {
    params.Style |= WS_SYSMENU;
    const bool boxes_allowed = border_style_ == bsSingle || border_style_ == bsSizeable;
    if (boxes_allowed && border_icons_.Contains(biMinimize))
      params.Style |= WS_MINIMIZEBOX;
    if (boxes_allowed && border_icons_.Contains(biMaximize))
      params.Style |= WS_MAXIMIZEBOX;
    if (border_icons_.Contains(biHelp) && (params.Style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) == 0)
      params.ExStyle |= WS_EX_CONTEXTHELP;
  }
  if (!Enabled())
    params.Style |= WS_DISABLED;
  if (form_style_ == fsStayOnTop)
    params.ExStyle |= WS_EX_TOPMOST;
  if (alpha_blend_ || transparent_color_)
    params.ExStyle |= WS_EX_LAYERED;
  // A form placed in another control (docked there) is a child window of it.
  if (Parent() != nullptr) {
    params.Style = (params.Style & (WS_CLIPCHILDREN | WS_DISABLED)) | WS_CHILD | WS_CLIPSIBLINGS;
    params.ExStyle &= WS_EX_CONTROLPARENT;
    params.WndParent = Parent()->Handle();
  }
}

void TCustomForm::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateLayeredAttributes();
}

TRect TCustomForm::NonClientMargins() {
  TCreateParams params;
  // Only the styles matter here; no window (or parent window) is made.
  params.Style = WS_CAPTION;
  TCustomForm::CreateParams(params);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, params.Style, FALSE, params.ExStyle);
  return Rect(-frame.left, -frame.top, frame.right, frame.bottom);
}

void TCustomForm::WMNCDestroy(TMessage& message) {
  active_ = false;
  TCustomControl::WMNCDestroy(message);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == border_style_)
    return;
  border_style_ = style;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
  if (icons == border_icons_)
    return;
  border_icons_ = icons;
  RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle style) {
  if (style == form_style_)
    return;
  form_style_ = style;
  if (WindowHandle() != nullptr)
    SetWindowPos(WindowHandle(), style == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TWindowState TCustomForm::WindowState() const {
  if (WindowHandle() != nullptr && IsWindowVisible(WindowHandle())) {
    if (IsIconic(WindowHandle()))
      return wsMinimized;
    if (IsZoomed(WindowHandle()))
      return wsMaximized;
    return wsNormal;
  }
  return window_state_;
}

void TCustomForm::SetWindowState(TWindowState state) {
  window_state_ = state;
  if (WindowHandle() == nullptr || !Showing())
    return;
  static constexpr int kShowCommands[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
  ShowWindow(WindowHandle(), kShowCommands[state]);
}

// --- layered windows ---------------------------------------------------------------

void TCustomForm::SetAlphaBlend(bool value) {
  if (value == alpha_blend_)
    return;
  alpha_blend_ = value;
  UpdateLayeredAttributes();
}

void TCustomForm::SetAlphaBlendValue(uint8_t value) {
  if (value == alpha_blend_value_)
    return;
  alpha_blend_value_ = value;
  UpdateLayeredAttributes();
}

void TCustomForm::SetTransparentColor(bool value) {
  if (value == transparent_color_)
    return;
  transparent_color_ = value;
  UpdateLayeredAttributes();
}

void TCustomForm::SetTransparentColorValue(TColor color) {
  if (color == transparent_color_value_)
    return;
  transparent_color_value_ = color;
  UpdateLayeredAttributes();
}

void TCustomForm::UpdateLayeredAttributes() {
  HWND window = WindowHandle();
  if (window == nullptr)
    return;
  const bool layered = alpha_blend_ || transparent_color_;
  LONG_PTR ex_style = GetWindowLongPtrW(window, GWL_EXSTYLE);
  if (!layered) {
    if ((ex_style & WS_EX_LAYERED) != 0) {
      SetWindowLongPtrW(window, GWL_EXSTYLE, ex_style & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
      RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    return;
  }
  if ((ex_style & WS_EX_LAYERED) == 0)
    SetWindowLongPtrW(window, GWL_EXSTYLE, ex_style | WS_EX_LAYERED);
  DWORD flags = 0;
  if (alpha_blend_)
    flags |= LWA_ALPHA;
  if (transparent_color_)
    flags |= LWA_COLORKEY;
  SetLayeredWindowAttributes(window, ColorToColorRef(transparent_color_value_), alpha_blend_value_, flags);
}

// --- showing -----------------------------------------------------------------------

void TCustomForm::Show() {
  SetVisible(true);
  if (WindowHandle() != nullptr)
    SetWindowPos(WindowHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TCustomForm::ApplyPosition() {
  TRect area;
  switch (position_) {
    case poScreenCenter:
      area = Rect(0, 0, Screen->Width(), Screen->Height());
      break;
    case poDesktopCenter:
      area = Screen->DesktopRect();
      break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TCustomForm* reference = position_ == poMainFormCenter ? Application->MainForm()
                                                             : dynamic_cast<TCustomForm*>(Owner());
      if (reference == nullptr || reference == this)
        area = Rect(0, 0, Screen->Width(), Screen->Height());
      else
        area = reference->BoundsRect();
      break;
    }
    default:
      return;
  }
  SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2, Width(), Height());
}

void TCustomForm::CMShowingChanged(TMessage&) {
  HWND window = WindowHandle();
  if (Showing()) {
    const TAliveToken alive = AliveToken();
    DoShow();
    if (!alive.Alive() || WindowHandle() == nullptr)
      return;
    ApplyPosition();
    static constexpr int kShowCommands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(window, kShowCommands[window_state_]);
    if (!active_ && GetActiveWindow() == window)
      SetActive(true);
    return;
  }
  ShowWindow(window, SW_HIDE);
  DoHide();
}

void TCustomForm::DoShow() {
  if (OnShow)
    OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide)
    OnHide(this);
}

void TCustomForm::Paint() {
  if (OnPaint)
    OnPaint(this);
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || !Enabled() || modal_)
    throw EInvalidOperation("Cannot make a visible window modal");
  if (HWND capture = GetCapture())
    SendMessageW(capture, WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  modal_ = true;
  HWND previous_active = GetActiveWindow();
  DisabledWindows disabled;
  const TAliveToken alive = AliveToken();
  TModalResult result = mrCancel;
  {
    // Declared first, run last: the windows are enabled again before a
    // failed modal loop hides the form.
    TScopeFail leave_modal([&] {
      if (alive.Alive()) {
        modal_ = false;
        Hide();
      }
    });
    TScopeExit enable_windows([&] {
      for (HWND window : disabled.windows)
        EnableWindow(window, TRUE);
    });
    modal_result_ = mrNone;
    Show();
    disabled.keep = WindowHandle();
    EnumThreadWindows(GetCurrentThreadId(), &DisableThreadWindow, reinterpret_cast<LPARAM>(&disabled));
    Perform(CM_ACTIVATE);
    while (alive.Alive()) {
      Application->HandleMessage();
      if (!alive.Alive())
        break;
      if (Application->Terminated())
        modal_result_ = mrCancel;
      else if (modal_result_ != mrNone)
        CloseModal();
      if (modal_result_ != mrNone)
        break;
    }
    if (alive.Alive()) {
      result = modal_result_;
      Perform(CM_DEACTIVATE);
      Hide();
    }
  }
  if (previous_active != nullptr && IsWindow(previous_active))
    SetActiveWindow(previous_active);
  if (alive.Alive())
    modal_ = false;
  return result;
}

void TCustomForm::CloseModal() {
  TCloseAction action = caHide;
  const TAliveToken alive = AliveToken();
  if (!CloseQuery()) {
    if (alive.Alive())
      modal_result_ = mrNone;
    return;
  }
  if (!alive.Alive())
    return;
  DoClose(action);
  if (!alive.Alive())
    return;
  if (action == caNone)
    modal_result_ = mrNone;
  else if (action == caFree)
    Release();
}

bool TCustomForm::CloseQuery() {
  bool can_close = true;
  if (OnCloseQuery)
    OnCloseQuery(this, can_close);
  return can_close;
}

void TCustomForm::DoClose(TCloseAction& action) {
  if (OnClose)
    OnClose(this, action);
}

void TCustomForm::Close() {
  if (modal_) {
    modal_result_ = mrCancel;
    return;
  }
  const TAliveToken alive = AliveToken();
  if (!CloseQuery() || !alive.Alive())
    return;
  TCloseAction action = caHide;
  DoClose(action);
  if (!alive.Alive() || action == caNone)
    return;
  if (Application->MainForm() == this) {
    Application->Terminate();
    return;
  }
  switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    case caNone: break;
  }
}

void TCustomForm::WMClose(TMessage&) { Close(); }

void TCustomForm::WMSysCommand(TMessage& message) {
  // Alt+F4 and the close box arrive as SC_CLOSE, which the system turns
  // into WM_CLOSE.
  DefaultHandler(message);
}

// --- activation and focus -------------------------------------------------------------

void TCustomForm::WMActivate(TMessage& message) {
  DefaultHandler(message);
  SetActive(LOWORD(message.WParam) != WA_INACTIVE);
}

void TCustomForm::SetActive(bool active) {
  if (active == active_)
    return;
  active_ = active;
  if (active) {
    if (ActiveControl() == nullptr)
      active_control_ = TWeakRef<TWinControl>(FindNextControl(nullptr, true, true, false));
    SetWindowFocus();
    Screen->SetFocusedForm(this, ActiveControl());
    Perform(CM_ACTIVATE);
  } else {
    Perform(CM_DEACTIVATE);
  }
}

void TCustomForm::CMActivate(TMessage&) { Activate(); }
void TCustomForm::CMDeactivate(TMessage&) { Deactivate(); }

void TCustomForm::Activate() {
  if (OnActivate)
    OnActivate(this);
}

void TCustomForm::Deactivate() {
  if (OnDeactivate)
    OnDeactivate(this);
}

void TCustomForm::SetWindowFocus() {
  TWinControl* control = ActiveControl();
  HWND target = control != nullptr ? control->Handle() : WindowHandle();
  if (target != nullptr)
    ::SetFocus(target);
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (control == ActiveControl())
    return;
  if (control != nullptr &&
      (control == this || GetParentForm(control) != this ||
       (!ComponentState().Contains(csLoading) && !control->CanFocus())))
    throw EInvalidOperation(kCannotFocus);
  active_control_ = TWeakRef<TWinControl>(control);
  if (!ComponentState().Contains(csLoading) && active_)
    SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* control) {
  if (!control->CanFocus())
    throw EInvalidOperation(kCannotFocus);
  const bool was_active = active_;
  SetActiveControl(control);
  if (!was_active)
    SetFocus();
}

void TCustomForm::SetFocus() {
  if (active_)
    return;
  if (!Visible() || !Enabled())
    throw EInvalidOperation(kCannotFocus);
  SetWindowFocus();
}

bool TCustomForm::SetFocusedControl(TWinControl* control) {
  if (ComponentState().Contains(csDestroying))
    return false;
  Screen->SetFocusedForm(this, control);
  if (control != this)
    active_control_ = TWeakRef<TWinControl>(control);
  TWinControl* old = focused_control_.Get();
  if (old == control)
    return true;
  focused_control_ = TWeakRef<TWinControl>(control);
  const TAliveToken alive = AliveToken();
  // Exit: from the control that had the focus up to, not including, the
  // first one that also holds the new control.
  for (TWinControl* leaving = old; leaving != nullptr && leaving != this && !leaving->ContainsControl(control);
       leaving = leaving->Parent()) {
    const TWeakRef<TWinControl> leaving_ref(leaving);
    leaving->Perform(CM_EXIT);
    if (!alive.Alive() || focused_control_.Get() != control)
      return false;
    if (leaving_ref.Get() == nullptr)
      break;
  }
  // Enter: from the outermost newly entered control down to the new one.
  std::vector<TWinControl*> innermost_first;
  for (TWinControl* c = control; c != nullptr && c != this && (old == nullptr || !c->ContainsControl(old));
       c = c->Parent())
    innermost_first.push_back(c);
  const std::vector<TWeakRef<TWinControl>> entering(innermost_first.rbegin(), innermost_first.rend());
  for (const TWeakRef<TWinControl>& ref : entering) {
    TWinControl* c = ref.Get();
    if (c == nullptr)
      continue;
    c->Perform(CM_ENTER);
    if (!alive.Alive() || focused_control_.Get() != control)
      return false;
  }
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
  return alive.Alive();
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing) {
  if (removing && control->ContainsControl(focused_control_.Get()))
    focused_control_ = TWeakRef<TWinControl>(control->Parent());
  if (control->ContainsControl(active_control_.Get()))
    active_control_.Reset();
}

void TCustomForm::WndProc(TMessage& message) {
  if (message.Msg == WM_NEXTDLGCTL && message.LParam == 0) {
    SelectNext(ActiveControl(), message.WParam == 0, true);
    message.Result = 0;
    return;
  }
  TCustomControl::WndProc(message);
}

void TCustomForm::CMDialogKey(TMessage& message) {
  if (GetKeyState(VK_MENU) >= 0) {
    switch (message.CharCode()) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(ActiveControl(), GetKeyState(VK_SHIFT) >= 0, true);
          message.Result = 1;
          return;
        }
        break;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN:
        if (TWinControl* current = ActiveControl()) {
          if (TWinControl* parent = current->Parent())
            parent->SelectNext(current, message.CharCode() == VK_RIGHT || message.CharCode() == VK_DOWN, false);
          message.Result = 1;
        }
        return;
      default:
        break;
    }
  }
  TCustomControl::CMDialogKey(message);
}
