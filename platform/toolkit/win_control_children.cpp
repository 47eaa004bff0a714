// TWinControl: its child controls, their z-order and tab order, the focus,
// the keyboard, and the notifications passed on to a child.

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
    win_controls_.push_back(windowed);
    if (!front)
      std::rotate(win_controls_.begin(), win_controls_.end() - 1, win_controls_.end());
    if (windowed->handle_ != nullptr)
      SetWindowPos(windowed->handle_, front ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  } else {
    graphic_controls_.erase(std::remove(graphic_controls_.begin(), graphic_controls_.end(), control),
                            graphic_controls_.end());
    graphic_controls_.push_back(control);
    if (!front)
      std::rotate(graphic_controls_.begin(), graphic_controls_.end() - 1, graphic_controls_.end());
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
  TKeyMessage key_message(message);
  uint16_t key = key_message.CharCode();
  const TShiftState shift = KeyDataToShiftState(key_message.KeyData());
  if (down)
    KeyDown(key, shift);
  else
    KeyUp(key, shift);
  if (!alive.Alive() || key == 0)
    return true;
  key_message.SetCharCode(key);
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
  TKeyMessage key_message(message);
  auto key = static_cast<char16_t>(key_message.CharCode());
  KeyPress(key);
  if (!alive.Alive() || key == 0)
    return true;
  key_message.SetCharCode(key);
  return false;
}

void TWinControl::WMKey(TMessage& message) {
  const UINT msg = TKeyMessage(message).Msg();
  const bool down = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
  const bool handled = down ? DoKeyDown(message) : DoKeyUp(message);
  if (!handled)
    DefaultHandler(message);
}

void TWinControl::WMChar(TMessage& message) {
  if (TKeyMessage(message).Msg() == WM_CHAR && DoKeyPress(message))
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
  HWND child = ChildOfNotification(message, handle_);
  if (child != nullptr && ReflectToChild(child, message))
    return;
  DefaultHandler(message);
}
