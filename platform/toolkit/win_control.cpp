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
        const TPoint screen(static_cast<int16_t>(LOWORD(message.LParam)),
                            static_cast<int16_t>(HIWORD(message.LParam)));
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
  // The point is on the screen; (-1, -1) when the keyboard asked.
  const TPoint screen = message.Pos();
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

// --- children -------------------------------------------------------------------------

int32_t TWinControl::ControlCount() const {
  return static_cast<int32_t>(graphic_controls_.size() + win_controls_.size());
}

TControl* TWinControl::Controls(int32_t index) const {
  if (index < 0 || index >= ControlCount())
    throw EListError::IndexOutOfBounds(index);
  const auto graphic_count = static_cast<int32_t>(graphic_controls_.size());
  if (index < graphic_count)
    return graphic_controls_[static_cast<size_t>(index)];
  return win_controls_[static_cast<size_t>(index - graphic_count)];
}

void TWinControl::InsertControl(TControl* control) {
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 1);
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
    win_controls_.push_back(windowed);
    tab_list_.push_back(windowed);
  } else {
    graphic_controls_.push_back(control);
  }
  control->parent_ = this;
  if (ComponentState().Contains(csReading))
    return;
  control->Perform(CM_PARENTCOLORCHANGED);
  control->Perform(CM_PARENTFONTCHANGED);
  if (auto* windowed = dynamic_cast<TWinControl*>(control))
    windowed->UpdateControlState();
  else if (handle_ != nullptr)
    control->Invalidate();
  AlignControl(control);
}

void TWinControl::RemoveControl(TControl* control) {
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
    windowed->RemoveFocus(true);
    // Out of the lists first: whatever the window's destruction sets off
    // (focus moves, parent notifications) must not reach it through them.
    win_controls_.erase(std::remove(win_controls_.begin(), win_controls_.end(), windowed), win_controls_.end());
    tab_list_.erase(std::remove(tab_list_.begin(), tab_list_.end(), windowed), tab_list_.end());
    windowed->DestroyHandle();
  } else {
    if (handle_ != nullptr)
      control->InvalidateControl(control->Visible(), false);
    graphic_controls_.erase(std::remove(graphic_controls_.begin(), graphic_controls_.end(), control),
                            graphic_controls_.end());
  }
  control->parent_ = nullptr;
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), 0);
  if (!ComponentState().Contains(csDestroying))
    Realign();
}

bool TWinControl::ContainsControl(TControl* control) const {
  while (control != nullptr && control != this)
    control = control->Parent();
  return control != nullptr;
}

void TWinControl::MoveToZEnd(TControl* control, bool front) {
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
    win_controls_.erase(std::remove(win_controls_.begin(), win_controls_.end(), windowed), win_controls_.end());
    if (front)
      win_controls_.push_back(windowed);
    else
      win_controls_.insert(win_controls_.begin(), windowed);
    if (windowed->handle_ != nullptr)
      SetWindowPos(windowed->handle_, front ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  } else {
    graphic_controls_.erase(std::remove(graphic_controls_.begin(), graphic_controls_.end(), control),
                            graphic_controls_.end());
    if (front)
      graphic_controls_.push_back(control);
    else
      graphic_controls_.insert(graphic_controls_.begin(), control);
    control->Invalidate();
  }
}

TControl* TWinControl::ControlAtPos(TPoint point, bool allow_disabled, bool allow_windowed) {
  auto hit = [&](TControl* control) {
    if (!control->Visible() || (!control->Enabled() && !allow_disabled))
      return false;
    if (!control->BoundsRect().Contains(point))
      return false;
    const TPoint local = point - TPoint(control->Left(), control->Top());
    return control->Perform(CM_HITTEST, 0, PointToLParam(local)) != 0;
  };
  if (allow_windowed)
    for (auto it = win_controls_.rbegin(); it != win_controls_.rend(); ++it)
      if (hit(*it))
        return *it;
  for (auto it = graphic_controls_.rbegin(); it != graphic_controls_.rend(); ++it)
    if (hit(*it))
      return *it;
  return nullptr;
}

void TWinControl::Broadcast(TMessage& message) {
  const int32_t count = ControlCount();
  std::vector<TWeakRef<TControl>> children;
  children.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i)
    children.emplace_back(Controls(i));
  for (const TWeakRef<TControl>& child : children) {
    TControl* control = child.Get();
    if (control == nullptr)
      continue;
    control->WindowProc(message);
    if (message.Result != 0)
      return;
  }
}

void TWinControl::NotifyControls(UINT message) {
  TMessage record{message, 0, 0, 0};
  Broadcast(record);
}

// --- tab order and focus ----------------------------------------------------------

void TWinControl::SetTabStop(bool value) {
  if (value == tab_stop_)
    return;
  tab_stop_ = value;
  if (handle_ != nullptr) {
    LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
    style = value ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowLongPtrW(handle_, GWL_STYLE, style);
  }
}

int32_t TWinControl::TabOrder() const {
  if (Parent() == nullptr)
    return -1;
  const auto& list = Parent()->tab_list_;
  const auto found = std::find(list.begin(), list.end(), this);
  return found == list.end() ? -1 : static_cast<int32_t>(found - list.begin());
}

void TWinControl::SetTabOrder(int32_t order) {
  if (Parent() == nullptr)
    return;
  auto& list = Parent()->tab_list_;
  const int32_t current = TabOrder();
  if (current < 0)
    return;
  const int32_t last = static_cast<int32_t>(list.size()) - 1;
  const int32_t target = order < 0 || order > last ? last : order;
  if (target == current)
    return;
  list.erase(list.begin() + current);
  list.insert(list.begin() + target, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
  for (TWinControl* control : tab_list_) {
    list.push_back(control);
    control->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool go_forward, bool check_tab_stop,
                                          bool check_parent) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty())
    return nullptr;
  const auto count = static_cast<int32_t>(list.size());
  const auto found = std::find(list.begin(), list.end(), current);
  int32_t start = found == list.end() ? (go_forward ? count - 1 : 0) : static_cast<int32_t>(found - list.begin());
  int32_t index = start;
  do {
    index = go_forward ? (index + 1) % count : (index + count - 1) % count;
    TWinControl* candidate = list[static_cast<size_t>(index)];
    if (candidate->CanFocus() && (!check_tab_stop || candidate->TabStop()) &&
        (!check_parent || candidate->Parent() == this))
      return candidate;
  } while (index != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool go_forward, bool check_tab_stop) {
  if (TWinControl* next = FindNextControl(current, go_forward, check_tab_stop, !check_tab_stop))
    next->SetFocus();
}

bool TWinControl::Focused() const { return handle_ != nullptr && GetFocus() == handle_; }

bool TWinControl::CanFocus() const {
  const TCustomForm* form = GetParentForm(const_cast<TWinControl*>(this));
  const TControl* control = this;
  while (control != nullptr && control != form) {
    if (!control->Visible() || !control->Enabled())
      return false;
    control = control->Parent();
  }
  return form == nullptr || (form->Visible() && form->Enabled());
}

void TWinControl::SetFocus() {
  if (TCustomForm* form = GetParentForm(this)) {
    form->FocusControl(this);
    return;
  }
  if (parent_window_ != nullptr) {
    ::SetFocus(Handle());
    return;
  }
  throw EInvalidOperation("Control '" + Name() + "' has no parent window");
}

void TWinControl::WMSetFocus(TMessage& message) {
  TCustomForm* form = GetParentForm(this);
  const TAliveToken alive = AliveToken();
  if (form != nullptr && !form->SetFocusedControl(this))
    return;
  if (!alive.Alive())
    return;
  DefaultHandler(message);
}

void TWinControl::WMKillFocus(TMessage& message) { DefaultHandler(message); }

void TWinControl::CMEnter(TMessage&) { DoEnter(); }

void TWinControl::CMFocusChanged(TMessage& message) { Broadcast(message); }
void TWinControl::CMExit(TMessage&) { DoExit(); }

void TWinControl::DoEnter() {
  if (OnEnter)
    OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit)
    OnExit(this);
}

// --- keyboard ----------------------------------------------------------------------

void TWinControl::KeyDown(uint16_t& key, TShiftState shift) {
  if (OnKeyDown)
    OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(uint16_t& key, TShiftState shift) {
  if (OnKeyUp)
    OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char16_t& key) {
  if (OnKeyPress)
    OnKeyPress(this, key);
}

bool TWinControl::DoKeyDown(TMessage& message) { return DoKeyEvent(message, true); }

bool TWinControl::DoKeyUp(TMessage& message) { return DoKeyEvent(message, false); }

bool TWinControl::DoKeyEvent(TMessage& message, bool down) {
  TCustomForm* form = GetParentForm(this);
  const TAliveToken alive = AliveToken();
  if (form != nullptr && form != this && form->KeyPreview() && form->DoKeyEvent(message, down))
    return true;
  if (!alive.Alive())
    return true;
  if (ControlStyle().Contains(csNoStdEvents))
    return false;
  uint16_t key = message.CharCode();
  const TShiftState shift = KeyDataToShiftState(message.LParam);
  if (down)
    KeyDown(key, shift);
  else
    KeyUp(key, shift);
  if (!alive.Alive() || key == 0)
    return true;
  message.WParam = key;
  return false;
}

bool TWinControl::DoKeyPress(TMessage& message) {
  TCustomForm* form = GetParentForm(this);
  const TAliveToken alive = AliveToken();
  if (form != nullptr && form != this && form->KeyPreview() && form->DoKeyPress(message))
    return true;
  if (!alive.Alive())
    return true;
  if (ControlStyle().Contains(csNoStdEvents))
    return false;
  auto key = static_cast<char16_t>(message.WParam);
  KeyPress(key);
  if (!alive.Alive() || key == 0)
    return true;
  message.WParam = key;
  return false;
}

void TWinControl::WMKey(TMessage& message) {
  const bool down = message.Msg == WM_KEYDOWN || message.Msg == WM_SYSKEYDOWN;
  const bool handled = down ? DoKeyDown(message) : DoKeyUp(message);
  if (!handled)
    DefaultHandler(message);
}

void TWinControl::WMChar(TMessage& message) {
  if (message.Msg == WM_CHAR && DoKeyPress(message))
    return;
  DefaultHandler(message);
}

void TWinControl::CNKeyDown(TMessage& message) {
  message.Result = 1;
  const TAliveToken alive = AliveToken();
  if (Perform(CM_CHILDKEY, message.WParam, reinterpret_cast<LPARAM>(this)) != 0 || !alive.Alive())
    return;
  uint32_t mask = 0;
  switch (message.CharCode()) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: break;
  }
  if (mask != 0 && Perform(CM_WANTSPECIALKEY, message.WParam, message.LParam) == 0 &&
      (static_cast<uint32_t>(Perform(WM_GETDLGCODE)) & mask) == 0) {
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && form->Perform(CM_DIALOGKEY, message.WParam, message.LParam) != 0)
      return;
  }
  if (alive.Alive())
    message.Result = 0;
}

void TWinControl::CNChar(TMessage& message) {
  message.Result = 1;
  if ((static_cast<uint32_t>(Perform(WM_GETDLGCODE)) & DLGC_WANTCHARS) == 0) {
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && form->Perform(CM_DIALOGCHAR, message.WParam, message.LParam) != 0)
      return;
  }
  message.Result = 0;
}

void TWinControl::CNSysKeyDown(TMessage& message) { message.Result = 0; }

void TWinControl::CNSysChar(TMessage& message) {
  message.Result = 0;
  if (message.CharCode() == VK_SPACE)
    return;
  if (TCustomForm* form = GetParentForm(this))
    message.Result = form->Perform(CM_DIALOGCHAR, message.WParam, message.LParam);
}

void TWinControl::CMDialogKey(TMessage& message) { Broadcast(message); }
void TWinControl::CMDialogChar(TMessage& message) { Broadcast(message); }

void TWinControl::CMChildKey(TMessage& message) {
  if (Parent() != nullptr)
    message.Result = Parent()->Perform(CM_CHILDKEY, message.WParam, message.LParam);
}

// --- notifications to children ---------------------------------------------------------

bool TWinControl::ReflectToChild(HWND child, TMessage& message) {
  TWinControl* control = FindControl(child);
  if (control == nullptr || control == this)
    return false;
  message.Result = control->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
  return true;
}

void TWinControl::WMControlNotification(TMessage& message) {
  HWND child = nullptr;
  switch (message.Msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      child = reinterpret_cast<HWND>(message.LParam);
      break;
    case WM_NOTIFY:
      if (message.LParam != 0)
        child = reinterpret_cast<const NMHDR*>(message.LParam)->hwndFrom;
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
      if (item != nullptr && item->CtlType != ODT_MENU)
        child = item->hwndItem;
      break;
    }
    case WM_MEASUREITEM: {
      const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(message.LParam);
      if (item != nullptr && item->CtlType != ODT_MENU && handle_ != nullptr)
        child = GetDlgItem(handle_, static_cast<int>(item->CtlID));
      break;
    }
    case WM_DELETEITEM: {
      const auto* item = reinterpret_cast<const DELETEITEMSTRUCT*>(message.LParam);
      if (item != nullptr)
        child = item->hwndItem;
      break;
    }
    case WM_COMPAREITEM: {
      const auto* item = reinterpret_cast<const COMPAREITEMSTRUCT*>(message.LParam);
      if (item != nullptr)
        child = item->hwndItem;
      break;
    }
    default:
      break;
  }
  if (child != nullptr && ReflectToChild(child, message))
    return;
  DefaultHandler(message);
}

// --- looks and bounds ------------------------------------------------------------------

void TWinControl::CMColorChanged(TMessage& message) {
  brush_->SetColor(Color());
  NotifyControls(CM_PARENTCOLORCHANGED);
  TControl::CMColorChanged(message);
}

void TWinControl::CMFontChanged(TMessage& message) {
  if (handle_ != nullptr)
    Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), 0);
  NotifyControls(CM_PARENTFONTCHANGED);
  TControl::CMFontChanged(message);
}

void TWinControl::CMCursorChanged(TMessage&) {
  if (GetCapture() != nullptr || handle_ == nullptr)
    return;
  POINT point{};
  GetCursorPos(&point);
  if (FindDragTarget(point, false) == this)
    Perform(WM_SETCURSOR, reinterpret_cast<WPARAM>(handle_), HTCLIENT);
}

void TWinControl::CMTextChanged(TMessage& message) { DefaultHandler(message); }

void TWinControl::CMSysColorChange(TMessage& message) {
  // System colours may have new values: brushes built from them are stale.
  brush_->SetColor(clBlack);
  brush_->SetColor(Color());
  Broadcast(message);
}

void TWinControl::WMSysColorChange(TMessage& message) {
  Perform(CM_SYSCOLORCHANGE);
  DefaultHandler(message);
}

void TWinControl::SetBorderWidth(int32_t width) {
  if (width < 0 || width == border_width_)
    return;
  border_width_ = width;
  Realign();
  Invalidate();
}

void TWinControl::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (left == Left() && top == Top() && width == Width() && height == Height())
    return;
  if (handle_ != nullptr && !IsIconic(handle_)) {
    // The window reports its new place back (UpdateBounds).
    SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  UpdateBoundsFields(left, top, width, height);
}

void TWinControl::BoundsChanged() {
  const TRect client = ClientRect();
  if (client.Width() != aligned_client_size_.cx || client.Height() != aligned_client_size_.cy)
    Realign();
}

void TWinControl::UpdateBounds() {
  if (handle_ == nullptr)
    return;
  RECT rect{};
  GetWindowRect(handle_, &rect);
  HWND parent_window = GetParent(handle_);
  if ((GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD) != 0 && parent_window != nullptr)
    MapWindowPoints(HWND_DESKTOP, parent_window, reinterpret_cast<POINT*>(&rect), 2);
  const TRect bounds(rect);
  if (bounds == BoundsRect())
    return;
  UpdateBoundsFields(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
}

void TWinControl::WMWindowPosChanged(TMessage& message) {
  UpdateBounds();
  DefaultHandler(message);
}

void TWinControl::WMSize(TMessage& message) {
  DefaultHandler(message);
  BoundsChanged();
}

TRect TWinControl::ClientRectWithoutWindow() {
  if (handle_ != nullptr) {
    RECT rect{};
    GetClientRect(handle_, &rect);
    return rect;
  }
  const TRect margins = NonClientMargins();
  return Rect(0, 0, std::max(0, Width() - margins.Left - margins.Right),
              std::max(0, Height() - margins.Top - margins.Bottom));
}

TRect TWinControl::ClientRect() { return ClientRectWithoutWindow(); }

TPoint TWinControl::ClientOrigin() {
  if (handle_ != nullptr) {
    POINT origin{0, 0};
    ::ClientToScreen(handle_, &origin);
    return origin;
  }
  const TRect margins = NonClientMargins();
  const TPoint own(Left() + margins.Left, Top() + margins.Top);
  return Parent() != nullptr ? Parent()->ClientOrigin() + own : own;
}

void TWinControl::Invalidate() {
  if (handle_ != nullptr)
    InvalidateRect(handle_, nullptr, ControlStyle().Contains(csOpaque) ? FALSE : TRUE);
}

void TWinControl::Update() {
  if (handle_ != nullptr)
    UpdateWindow(handle_);
}

// --- alignment -------------------------------------------------------------------------

void TWinControl::EnableAlign() {
  if (align_level_ > 0)
    --align_level_;
  if (align_level_ == 0 && ControlState().Contains(csAlignmentNeeded))
    Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* control) {
  if (AlignDisabled()) {
    ControlState().Include(csAlignmentNeeded);
    return;
  }
  DisableAlign();
  TScopeExit enable_align([this] {
    ControlState().Exclude(csAlignmentNeeded);
    EnableAlign();
  });
  TRect rect = ClientRect();
  aligned_client_size_ = TSize{rect.Width(), rect.Height()};
  AlignControls(control, rect);
}

void TWinControl::AdjustClientRect(TRect& rect) { rect = rect.Inflate(-border_width_, -border_width_); }

void TWinControl::AlignControls(TControl* control, TRect& rect) {
  AdjustClientRect(rect);
  // Anchored controls follow the parent's new client size.
  const TRect client = ClientRect();
  for (int32_t i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    if (child->Align() == alNone)
      child->ApplyAnchors(client);
  }
  // Then the aligned ones take their strips, edge by edge. Within one edge
  // they go by position; the control that asked is placed by its new
  // position among them.
  auto goes_before = [](TControl* a, TControl* b, TAlign align) {
    switch (align) {
      case alTop: return a->Top() < b->Top();
      case alBottom: return a->Top() + a->Height() >= b->Top() + b->Height();
      case alLeft: return a->Left() < b->Left();
      case alRight: return a->Left() + a->Width() >= b->Left() + b->Width();
      default: return false;
    }
  };
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> list;
    if (control != nullptr && control->Align() == align && control->Visible())
      list.push_back(control);
    for (int32_t i = 0; i < ControlCount(); ++i) {
      TControl* child = Controls(i);
      if (child == control || child->Align() != align || !child->Visible())
        continue;
      size_t position = 0;
      while (position < list.size() && !goes_before(child, list[position], align))
        ++position;
      list.insert(list.begin() + static_cast<ptrdiff_t>(position), child);
    }
    for (TControl* child : list) {
      const int32_t width = rect.Width();
      const int32_t height = rect.Height();
      switch (align) {
        case alTop:
          child->SetBounds(rect.Left, rect.Top, width, child->Height());
          rect.Top += child->Height();
          break;
        case alBottom:
          child->SetBounds(rect.Left, rect.Bottom - child->Height(), width, child->Height());
          rect.Bottom -= child->Height();
          break;
        case alLeft:
          child->SetBounds(rect.Left, rect.Top, child->Width(), height);
          rect.Left += child->Width();
          break;
        case alRight:
          child->SetBounds(rect.Right - child->Width(), rect.Top, child->Width(), height);
          rect.Right -= child->Width();
          break;
        case alClient:
          child->SetBounds(rect.Left, rect.Top, std::max(width, 0), std::max(height, 0));
          break;
        default:
          break;
      }
    }
  }
}

// --- scaling ---------------------------------------------------------------------------

void TWinControl::ScaleControls(int32_t multiplier, int32_t divider) {
  for (int32_t i = 0; i < ControlCount(); ++i)
    Controls(i)->ChangeScale(multiplier, divider);
}

void TWinControl::ChangeScale(int32_t multiplier, int32_t divider) {
  DisableAlign();
  TScopeExit enable_align([this] { EnableAlign(); });
  ScaleControls(multiplier, divider);
  TControl::ChangeScale(multiplier, divider);
}

// --- text ------------------------------------------------------------------------------

std::string TWinControl::GetText() {
  if (handle_ == nullptr)
    return TControl::GetText();
  const int length = GetWindowTextLengthW(handle_);
  if (length <= 0)
    return {};
  std::u16string buffer(static_cast<size_t>(length) + 1, u'\0');
  const int copied = GetWindowTextW(handle_, reinterpret_cast<WCHAR*>(buffer.data()), length + 1);
  buffer.resize(static_cast<size_t>(std::max(copied, 0)));
  return Utf16ToUtf8(buffer);
}

void TWinControl::SetTextBuffer(const std::string& text) {
  if (handle_ == nullptr) {
    TControl::SetTextBuffer(text);
    return;
  }
  const std::u16string wide = Utf8ToUtf16(text);
  SetWindowTextW(handle_, reinterpret_cast<const WCHAR*>(wide.c_str()));
}

// --- cursor ----------------------------------------------------------------------------

void TWinControl::WMSetCursor(TMessage& message) {
  if (reinterpret_cast<HWND>(message.WParam) == handle_ && static_cast<int16_t>(LOWORD(message.LParam)) == HTCLIENT) {
    TCursor cursor = Screen->Cursor();
    if (cursor == crDefault) {
      POINT point{};
      GetCursorPos(&point);
      if (TControl* child = ControlAtPos(ScreenToClient(point), false))
        cursor = child->Cursor();
      if (cursor == crDefault)
        cursor = Cursor();
    }
    if (cursor != crDefault) {
      ::SetCursor(Screen->Cursors(cursor));
      message.Result = 1;
      return;
    }
  }
  DefaultHandler(message);
}

// --- painting ------------------------------------------------------------------------

void TWinControl::WMEraseBkgnd(TMessage& message) {
  const RECT client = ClientRect();
  ::FillRect(reinterpret_cast<HDC>(message.WParam), &client, brush_->Handle());
  message.Result = 1;
}

void TWinControl::WMPaint(TMessage& message) {
  if (double_buffered_ && message.WParam == 0) {
    DoubleBufferedPaint(message);
    return;
  }
  if (!ControlState().Contains(csCustomPaint) && graphic_controls_.empty()) {
    DefaultHandler(message);
    return;
  }
  PaintHandler(message);
}

void TWinControl::DoubleBufferedPaint(TMessage& message) {
  const TRect client = ClientRect();
  TPaintDC window_dc(handle_);
  TMemoryDC memory(window_dc.Handle());
  TOwnedBitmap bitmap(
      CreateCompatibleBitmap(window_dc.Handle(), std::max(client.Right, 1), std::max(client.Bottom, 1)));
  TSelectedObject selected(memory.Handle(), bitmap.Get());
  const auto memory_dc = reinterpret_cast<WPARAM>(memory.Handle());
  Perform(WM_ERASEBKGND, memory_dc, static_cast<LPARAM>(memory_dc));
  TMessage inner{WM_PAINT, memory_dc, 0, 0};
  WMPaint(inner);
  BitBlt(window_dc.Handle(), 0, 0, client.Right, client.Bottom, memory.Handle(), 0, 0, SRCCOPY);
  message.Result = 0;
}

void TWinControl::PaintHandler(TMessage& message) {
  HDC dc = reinterpret_cast<HDC>(message.WParam);
  std::optional<TPaintDC> own_paint;
  if (dc == nullptr)
    dc = own_paint.emplace(handle_).Handle();
  if (graphic_controls_.empty()) {
    PaintWindow(dc);
  } else {
    // Opaque graphic children cover their part: leave it out.
    TSavedDCState saved(dc);
    int clip = SIMPLEREGION;
    for (TControl* control : graphic_controls_) {
      if (control->Visible() && control->ControlStyle().Contains(csOpaque)) {
        clip = ExcludeClipRect(dc, control->Left(), control->Top(), control->Left() + control->Width(),
                               control->Top() + control->Height());
        if (clip == NULLREGION)
          break;
      }
    }
    if (clip != NULLREGION)
      PaintWindow(dc);
  }
  PaintControls(dc, nullptr);
}

void TWinControl::PaintWindow(HDC dc) {
  TMessage message{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
  DefaultHandler(message);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
  auto start = graphic_controls_.begin();
  if (first != nullptr) {
    start = std::find(graphic_controls_.begin(), graphic_controls_.end(), first);
    if (start == graphic_controls_.end())
      start = graphic_controls_.begin();
  }
  RECT clip_box{};
  GetClipBox(dc, &clip_box);
  const TRect clip(clip_box);
  // Each child draws with the origin moved to its corner and the clip cut
  // to its bounds; both are put back from what the context had before,
  // which is cheaper than saving the whole context per child.
  POINT origin{};
  GetViewportOrgEx(dc, &origin);
  TOwnedRegion saved_clip(CreateRectRgn(0, 0, 0, 0));
  const bool had_clip = GetClipRgn(dc, saved_clip.Get()) == 1;
  auto restore = [&] {
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    SelectClipRgn(dc, had_clip ? saved_clip.Get() : nullptr);
  };
  TScopeFail restore_after_failure(restore);
  // A handler may add or remove controls: walk a copy.
  const std::vector<TControl*> controls(start, graphic_controls_.end());
  for (TControl* control : controls) {
    if (!control->Visible())
      continue;
    const TRect bounds = control->BoundsRect();
    if (bounds.Intersect(clip).IsEmpty())
      continue;
    SetViewportOrgEx(dc, origin.x + bounds.Left, origin.y + bounds.Top, nullptr);
    IntersectClipRect(dc, 0, 0, bounds.Width(), bounds.Height());
    control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    restore();
  }
}

// --- TCustomControl ----------------------------------------------------------------------

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>()) {
  canvas_->SetControl(this);
}

TCustomControl::~TCustomControl() {
  Destroying();
  // The window goes while this class's parts still exist.
  if (WindowHandle() != nullptr)
    DestroyHandle();
}

void TCustomControl::WMPaint(TMessage& message) {
  TFlagScope custom_paint(ControlState(), csCustomPaint);
  TWinControl::WMPaint(message);
}

void TCustomControl::PaintWindow(HDC dc) {
  TCanvasHandleScope painting(*canvas_, dc);
  Paint();
}

void TCustomControl::DestroyWnd() {
  canvas_->FreeHandle();
  TWinControl::DestroyWnd();
}
