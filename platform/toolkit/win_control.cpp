// TWinControl: the window procedure, the window's life and its showing.
// Its children, layout and painting follow in win_control_*.cpp.

#include "platform/toolkit/win_control.h"

#include <algorithm>
#include <optional>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/canvas_scopes.h"
#include "platform/toolkit/drag.h"
#include "platform/toolkit/errors.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/gdi_holders.h"
#include "platform/toolkit/screen.h"

namespace {

constexpr const wchar_t* kControlProperty = L"LxToolkitControl";

// The control whose window is being created: its window procedure is
// installed by the first message the new window receives.
thread_local TWinControl* g_creation_control = nullptr;

std::wstring WideText(const std::string& text) {
  const std::u16string wide = Utf8ToUtf16(text);
  return std::wstring(wide.begin(), wide.end());
}

HINSTANCE ProgramInstance() { return GetModuleHandleW(nullptr); }

// An id for a new child window of `parent` that none of its present
// children carries: notifications that name a child by its id alone
// (WM_MEASUREITEM) must find that child. Ids stay within the 16 bits that
// WM_COMMAND carries, and 0 and 0xFFFF (-1, the "no id" of dialogs) are
// left out.
UINT UnusedChildId(HWND parent) {
  constexpr UINT kFirstId = 1;
  constexpr UINT kLastId = 0xFFFE;
  thread_local UINT last_given = 0;
  for (UINT tries = kFirstId; tries <= kLastId; ++tries) {
    last_given = last_given >= kLastId ? kFirstId : last_given + 1;
    if (GetDlgItem(parent, static_cast<int>(last_given)) == nullptr)
      return last_given;
  }
  throw EOutOfResources("Too many child windows in one window");
}

}  // namespace

TWinControl* FindControl(HWND window) {
  if (window == nullptr)
    return nullptr;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId())
    return nullptr;
  return static_cast<TWinControl*>(GetPropW(window, kControlProperty));
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner), brush_(std::make_unique<TBrush>()) {
  brush_->SetColor(Color());
}

TWinControl::~TWinControl() {
  Destroying();
  // Leave the parent while this object is still a windowed control: from
  // the base destructor on, the parent could no longer tell which of its
  // lists holds it and would keep a dangling entry.
  SetParent(nullptr);
  RemoveFocus(true);
  if (handle_ != nullptr)
    DestroyWindowHandle();
  // Children belong to their owners: they only lose their parent here.
  const std::vector<TControl*> graphic = graphic_controls_;
  for (TControl* control : graphic)
    control->parent_ = nullptr;
  const std::vector<TWinControl*> windowed = win_controls_;
  for (TWinControl* control : windowed)
    control->parent_ = nullptr;
  graphic_controls_.clear();
  win_controls_.clear();
  tab_list_.clear();
}

// --- window procedure ---------------------------------------------------------

LRESULT CALLBACK TWinControl::InitWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  TWinControl* control = g_creation_control;
  if (control == nullptr)
    return DefWindowProcW(window, message, wparam, lparam);
  g_creation_control = nullptr;
  control->handle_ = window;
  SetPropW(window, kControlProperty, control);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWinControl::StandardWndProc));
  return StandardWndProc(window, message, wparam, lparam);
}

LRESULT CALLBACK TWinControl::StandardWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* control = reinterpret_cast<TWinControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (control == nullptr)
    return DefWindowProcW(window, message, wparam, lparam);
  TMessage record{message, wparam, lparam, 0};
  try {
    control->WindowProc(record);
  } catch (...) {
    // An exception must not unwind through the system's code.
    if (TApplication* application = CurrentApplication())
      application->HandleException(nullptr);
  }
  return record.Result;
}

void TWinControl::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_KILLFOCUS:
      if (ControlState().Contains(csFocusing))
        return;
      break;
    case WM_NCHITTEST: {
      TControl::WndProc(message);
      if (message.Result == HTTRANSPARENT) {
        const TPoint screen = TMouseMessage(message).ScreenPos();
        if (ControlAtPos(ScreenToClient(screen), false) != nullptr)
          message.Result = HTCLIENT;
      }
      return;
    }
    case WM_CANCELMODE: {
      TControl* capture = GetCaptureControl();
      if (GetCapture() == handle_ && capture != nullptr && capture != this && capture->Parent() == this)
        capture->Perform(WM_CANCELMODE);
      break;
    }
    default:
      break;
  }
  if (IsMouseMessage(message.Msg)) {
    if (message.Msg == WM_MOUSEMOVE) {
      TrackMouseLeave();
      TControl* under_mouse = this;
      if (GetCapture() != handle_) {
        if (TControl* child = ControlAtPos(message.Pos(), false))
          under_mouse = child;
      } else if (TControl* capture = GetCaptureControl()) {
        under_mouse = capture;
      }
      const TAliveToken alive = AliveToken();
      if (TApplication* application = CurrentApplication())
        application->SetMouseControl(under_mouse);
      if (!alive.Alive())
        return;
    }
    if (IsControlMouseMsg(message)) {
      // The system's default still runs (a right button up must still
      // produce WM_CONTEXTMENU), unless the child answered.
      if (message.Result == 0 && handle_ != nullptr)
        DefWindowProcW(handle_, message.Msg, message.WParam, message.LParam);
      return;
    }
  } else if (IsKeyMessage(message.Msg) && Dragging()) {
    return;
  }
  TControl::WndProc(message);
}

bool TWinControl::IsControlMouseMsg(TMessage& message) {
  TControl* control = nullptr;
  if (GetCapture() == handle_) {
    TControl* capture = GetCaptureControl();
    if (capture != nullptr && capture != this && capture->Parent() == this)
      control = capture;
  } else {
    control = ControlAtPos(message.Pos(), false);
  }
  if (control == nullptr)
    return false;
  const TPoint point = message.Pos() - TPoint(control->Left(), control->Top());
  message.Result = control->Perform(message.Msg, message.WParam, PointToLParam(point));
  return true;
}

void TWinControl::TrackMouseLeave() {
  if (tracking_mouse_leave_ || handle_ == nullptr)
    return;
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof(track);
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = handle_;
  tracking_mouse_leave_ = TrackMouseEvent(&track) != FALSE;
}

void TWinControl::WMContextMenu(TMessage& message) {
  if (message.Result != 0)
    return;
  // (-1, -1) when the keyboard asked.
  const TPoint screen = TMouseMessage(message).ScreenPos();
  if (screen != TPoint(-1, -1)) {
    if (TControl* child = ControlAtPos(ScreenToClient(screen), false)) {
      const TAliveToken alive = AliveToken();
      message.Result = child->Perform(WM_CONTEXTMENU, message.WParam, message.LParam);
      if (!alive.Alive() || message.Result != 0)
        return;
    }
  }
  TControl::WMContextMenu(message);
}

void TWinControl::WMMouseLeave(TMessage& message) {
  tracking_mouse_leave_ = false;
  DefaultHandler(message);
  if (TApplication* application = CurrentApplication())
    application->UpdateMouseControlFromCursor();
}

void TWinControl::DefaultHandler(TMessage& message) {
  if (handle_ == nullptr) {
    TControl::DefaultHandler(message);
    return;
  }
  switch (message.Msg) {
    case CN_CTLCOLORMSGBOX:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORDLG:
    case CN_CTLCOLORSCROLLBAR:
    case CN_CTLCOLORSTATIC: {
      auto dc = reinterpret_cast<HDC>(message.WParam);
      SetTextColor(dc, ColorToColorRef(Font().Color()));
      SetBkColor(dc, ColorToColorRef(brush_->Color()));
      message.Result = reinterpret_cast<LRESULT>(brush_->Handle());
      return;
    }
    default:
      break;
  }
  // The toolkit's own messages never reach the system.
  if (message.Msg >= CM_BASE && message.Msg < CN_BASE + WM_USER)
    return;
  message.Result = CallWindowProcW(def_wnd_proc_ != nullptr ? def_wnd_proc_ : &DefWindowProcW, handle_,
                                   message.Msg, message.WParam, message.LParam);
}

// --- window life ------------------------------------------------------------------

HWND TWinControl::Handle() {
  HandleNeeded();
  return handle_;
}

void TWinControl::HandleNeeded() {
  if (handle_ != nullptr)
    return;
  if (Parent() != nullptr)
    Parent()->HandleNeeded();
  CreateHandle();
}

void TWinControl::CreateHandle() {
  if (handle_ != nullptr)
    return;
  CreateWnd();
  SetZOrderPosition();
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.Caption = TControl::GetText();
  params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (ControlStyle().Contains(csAcceptsControls)) {
    params.Style |= WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CONTROLPARENT;
  }
  if (!Enabled())
    params.Style |= WS_DISABLED;
  if (tab_stop_)
    params.Style |= WS_TABSTOP;
  params.X = Left();
  params.Y = Top();
  params.Width = Width();
  params.Height = Height();
  params.WndParent = Parent() != nullptr ? Parent()->Handle() : parent_window_;
  params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  params.WindowClass.lpfnWndProc = &DefWindowProcW;
  params.WindowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  params.WindowClass.hbrBackground = nullptr;
  params.WindowClass.hInstance = ProgramInstance();
  params.WinClassName = std::string(ClassName());
}

void TWinControl::CreateSubClass(TCreateParams& params, const char* system_class) {
  const std::wstring name = WideText(system_class);
  WNDCLASSW window_class{};
  if (!GetClassInfoW(ProgramInstance(), name.c_str(), &window_class) &&
      !GetClassInfoW(nullptr, name.c_str(), &window_class))
    throw EInvalidOperation(std::string("Window class ") + system_class + " not found");
  window_class.hInstance = ProgramInstance();
  window_class.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
  window_class.lpszClassName = nullptr;
  params.WindowClass = window_class;
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if ((params.Style & WS_CHILD) != 0 && params.WndParent == nullptr)
    throw EInvalidOperation("Control '" + Name() + "' has no parent window");
  def_wnd_proc_ = params.WindowClass.lpfnWndProc;
  const std::wstring class_name = WideText(params.WinClassName);
  WNDCLASSW registered{};
  const bool exists = GetClassInfoW(params.WindowClass.hInstance, class_name.c_str(), &registered) != FALSE;
  if (!exists || registered.lpfnWndProc != &TWinControl::InitWndProc) {
    if (exists)
      UnregisterClassW(class_name.c_str(), params.WindowClass.hInstance);
    WNDCLASSW window_class = params.WindowClass;
    window_class.lpfnWndProc = &TWinControl::InitWndProc;
    window_class.lpszClassName = class_name.c_str();
    if (RegisterClassW(&window_class) == 0)
      throw EOSError(GetLastError(), "RegisterClass " + params.WinClassName);
  }
  {
    // Normally the window's first message has taken it already.
    g_creation_control = this;
    TScopeExit forget_creation([] { g_creation_control = nullptr; });
    CreateWindowHandle(params);
  }
  if (handle_ == nullptr)
    throw EOSError(GetLastError(), "CreateWindow " + params.WinClassName);
  Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), 0);
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
  const std::wstring class_name = WideText(params.WinClassName);
  const std::wstring caption = WideText(params.Caption);
  // For a child window the menu argument is its control id.
  HMENU child_id = nullptr;
  if ((params.Style & WS_CHILD) != 0)
    child_id = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(UnusedChildId(params.WndParent)));
  HWND window = CreateWindowExW(params.ExStyle, class_name.c_str(), caption.c_str(), params.Style, params.X,
                                params.Y, params.Width, params.Height, params.WndParent, child_id,
                                params.WindowClass.hInstance, params.Param);
  if (window != nullptr)
    handle_ = window;
}

void TWinControl::DestroyHandle() {
  if (handle_ == nullptr)
    return;
  for (TWinControl* child : win_controls_)
    child->DestroyHandle();
  DestroyWnd();
}

void TWinControl::DestroyWnd() {
  TControl::SetTextBuffer(GetText());
  FreeDeviceContextsOf(handle_);
  DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
  ControlState().Include(csDestroyingHandle);
  HWND window = handle_;
  DestroyWindow(window);
  ControlState().Exclude(csDestroyingHandle);
  handle_ = nullptr;
  showing_ = false;
}

void TWinControl::WMNCDestroy(TMessage& message) {
  DefaultHandler(message);
  if (handle_ != nullptr) {
    RemovePropW(handle_, kControlProperty);
    SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
  }
  FreeDeviceContextsOf(handle_);
  handle_ = nullptr;
  showing_ = false;
  tracking_mouse_leave_ = false;
}

void TWinControl::RecreateWnd() {
  if (handle_ != nullptr)
    Perform(CM_RECREATEWND);
}

void TWinControl::CMRecreateWnd(TMessage&) {
  const bool was_focused = Focused();
  {
    TStateScope recreating(recreating_, true);
    DestroyHandle();
  }
  UpdateControlState();
  if (was_focused && handle_ != nullptr)
    ::SetFocus(handle_);
}

void TWinControl::SetParentWindow(HWND window) {
  if (Parent() != nullptr || window == parent_window_)
    return;
  if (handle_ != nullptr && window != nullptr) {
    ::SetParent(handle_, window);
    if ((GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD) != 0)
      SetWindowLongPtrW(handle_, GWLP_ID, static_cast<LONG_PTR>(UnusedChildId(window)));
  }
  else if (handle_ != nullptr)
    DestroyHandle();
  parent_window_ = window;
  UpdateControlState();
}

void TWinControl::SetZOrderPosition() {
  if (handle_ == nullptr || Parent() == nullptr)
    return;
  // Windows later in the parent's list lie above this one.
  const auto& siblings = Parent()->win_controls_;
  auto position = std::find(siblings.begin(), siblings.end(), this);
  if (position == siblings.end())
    return;
  for (auto next = position + 1; next != siblings.end(); ++next) {
    if ((*next)->handle_ != nullptr) {
      // Insert below the next sibling: after the window that lies below it.
      HWND below = GetWindow((*next)->handle_, GW_HWNDNEXT);
      SetWindowPos(handle_, below != nullptr && below != handle_ ? below : HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      return;
    }
  }
  SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// --- showing --------------------------------------------------------------------------

void TWinControl::UpdateShowing() {
  const bool show = Visible() && !ControlState().Contains(csReadingState);
  if (show) {
    if (handle_ == nullptr)
      CreateHandle();
    const std::vector<TWinControl*> children = win_controls_;
    for (TWinControl* child : children)
      child->UpdateShowing();
  }
  if (handle_ != nullptr && showing_ != show) {
    showing_ = show;
    TScopeFail undo([&] { showing_ = !show; });
    Perform(CM_SHOWINGCHANGED);
  }
}

void TWinControl::UpdateControlState() {
  TWinControl* control = this;
  while (control->Parent() != nullptr) {
    control = control->Parent();
    if (!control->Showing())
      return;
  }
  if (dynamic_cast<TCustomForm*>(control) != nullptr || control->parent_window_ != nullptr)
    UpdateShowing();
}

void TWinControl::CMShowingChanged(TMessage&) {
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                   (showing_ ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::CMVisibleChanged(TMessage& message) {
  if (!Visible() && Parent() != nullptr)
    RemoveFocus(false);
  UpdateControlState();
  TControl::CMVisibleChanged(message);
}

void TWinControl::CMEnabledChanged(TMessage&) {
  if (!Enabled() && Parent() != nullptr)
    RemoveFocus(false);
  if (handle_ != nullptr)
    EnableWindow(handle_, Enabled() ? TRUE : FALSE);
  Invalidate();
}

void TWinControl::RemoveFocus(bool removing) {
  if (TCustomForm* form = GetParentForm(this))
    form->DefocusControl(this, removing);
}
