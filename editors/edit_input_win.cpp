// TlxCustomEdit: keys, mouse and buttons.

#include "editors/edit_control_win.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/buttons.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/menus.h"
#include "platform/toolkit/messages.h"
#include "ui/foundation/system/control_unit_win.h"

namespace {

constexpr uint16_t kKeyTab = 9;
constexpr uint16_t kKeyEnter = 13;
constexpr uint16_t kKeyEsc = 27;
constexpr uint16_t kFirstNavigationKey = 33;  // page up
constexpr uint16_t kLastNavigationKey = 40;   // arrow down

UINT ButtonDownMessage(TMouseButton button) {
  switch (button) {
    case mbRight:
      return WM_RBUTTONDOWN;
    case mbMiddle:
      return WM_MBUTTONDOWN;
    case mbLeft:
      break;
  }
  return WM_LBUTTONDOWN;
}

}  // namespace

// --- keyboard -------------------------------------------------------------------

bool TlxCustomEdit::IsClickKey(uint16_t key, TShiftState shift) {
  const TlxShortCut click_key = GetActiveProperties()->ClickKey();
  return click_key != 0 && ShortCut(key, shift) == click_key && FindDefaultButton() >= 0;
}

bool TlxCustomEdit::IsClearOrClickKey(uint16_t key, TShiftState shift) {
  const TlxShortCut clear_key = GetActiveProperties()->ClearKey();
  return (clear_key != 0 && ShortCut(key, shift) == clear_key) || IsClickKey(key, shift);
}

void TlxCustomEdit::FireAfterKeyDown(uint16_t& key, TShiftState shift) {
  if (OnAfterKeyDown)
    OnAfterKeyDown(this, key, shift);
}

void TlxCustomEdit::KeyDown(uint16_t& key, TShiftState shift) {
  esc_consumed_ = false;
  TStateScope<bool> esc(esc_pressed_, key == kKeyEsc);
  TAliveToken alive = AliveToken();
  if (!IsClickKey(key, shift))
    TlxContainer::KeyDown(key, shift);
  if (!alive.Alive() || key == 0)
    return;
  ProcessEditKeyDown(key, shift);
  if (alive.Alive() && key != 0 && WantsAfterKeyDown())
    FireAfterKeyDown(key, shift);
}

bool TlxCustomEdit::AcceptsKeyDown(uint16_t key, TShiftState shift) {
  return data_binding_->IsModified() || !IsEditingKey(key, shift) || TryStartEditing();
}

void TlxCustomEdit::ProcessEditKeyDown(uint16_t& key, TShiftState shift) {
  TlxCustomEditProperties* properties = GetActiveProperties();
  const TlxShortCut shortcut = ShortCut(key, shift);
  if (properties->ClearKey() != 0 && shortcut == properties->ClearKey()) {
    // The events the clearing causes come once each, when the key is done.
    LockChangeEvents(true);
    TScopeExit unlock([this] { LockChangeEvents(false); });
    TStateScope<bool> by_user(user_change_, true);
    SetEditValueUnlocked(GetEmptyValue());
    validated_ = true;
    key = 0;
  } else if (IsClickKey(key, shift)) {
    RemovePendingChars();
    ClickDefaultButton();
    key = 0;
  } else if (!AcceptsKeyDown(key, shift)) {
    FireAfterKeyDown(key, shift);
    key = 0;
  } else if (key == kKeyTab && IsFocusWithin() && !shift.Contains(ssAlt) && !shift.Contains(ssCtrl) &&
             !properties->WantsTab()) {
    HandleTabKey(shift);
    FireAfterKeyDown(key, shift);
    if (key == 0)
      return;
    key = 0;
    if (TCustomForm* form = GetParentForm(this)) {
      form->SelectNext(this, !shift.Contains(ssShift), true);
      if (HandleAllocated() && GetFocus() == Handle())
        FocusInnerControl();
    }
  } else if (key == kKeyEnter && properties->ValidateOnEnter()) {
    key = 0;
    LockChangeEvents(true);
    TScopeExit unlock([this] { LockChangeEvents(false); });
    if (ValidateEdit(true) && CanPostEditValue())
      PostEditValue(false);
  } else if (key == kKeyEsc && modified_ && (IsDataAware() || properties->CanRestoreEditValue())) {
    LockChangeEvents(true);
    TScopeExit unlock([this] { LockChangeEvents(false); });
    data_binding_->CancelChanges();
    SetModifiedAfterEnter(true);
    esc_consumed_ = true;
    key = 0;
  }
  if (key >= kFirstNavigationKey && key <= kLastNavigationKey && !HandlesNavigationKeys()) {
    FireAfterKeyDown(key, shift);
    key = 0;
  }
}

void TlxCustomEdit::KeyPress(char16_t& key) {
  if (key == kKeyEsc && esc_consumed_) {
    key = 0;
    return;
  }
  TAliveToken alive = AliveToken();
  TlxContainer::KeyPress(key);
  if (alive.Alive() && key != 0)
    ProcessEditKeyPress(key);
}

bool TlxCustomEdit::IsValidDataChar(char16_t ch) {
  IlxEditDefaultValuesProvider* provider = data_binding_->GetValuesProviderIntf();
  return provider == nullptr || provider->AcceptsInputChar(ch) || provider->HasSetTextHandler();
}

void TlxCustomEdit::FilterKeyPress(char16_t& key) {
  if (key > 31 && !IsValidDataChar(key)) {
    key = 0;
    MessageBeep(0);
    return;
  }
  if (IsEditingChar(key) && !data_binding_->IsModified() && !TryStartEditing())
    key = 0;
}

void TlxCustomEdit::KeyUp(uint16_t& key, TShiftState shift) {
  TAliveToken alive = AliveToken();
  TlxContainer::KeyUp(key, shift);
  if (alive.Alive())
    ProcessEditKeyUp(key, shift);
}

bool TlxCustomEdit::AllowsMouseWheel(TShiftState shift) const {
  return !inplace_ || GetActiveProperties()->UseMouseWheel() || shift.Contains(ssCtrl);
}

void TlxCustomEdit::RemovePendingChars() {
  if (!HandleAllocated())
    return;
  MSG pending{};
  while (PeekMessageW(&pending, Handle(), WM_CHAR, WM_CHAR, PM_REMOVE)) {
  }
}

// --- buttons ----------------------------------------------------------------------

int32_t TlxCustomEdit::FindButtonAt(const TPoint& point) const {
  const TlxCustomEditViewInfo& view_info = GetViewInfo();
  for (int32_t i = 0; i < view_info.ButtonCount(); ++i)
    if (view_info.Button(i).Bounds.Contains(point))
      return i;
  return -1;
}

int32_t TlxCustomEdit::FindDefaultButton() const {
  const TlxEditButtons& buttons = *GetActiveProperties()->Buttons();
  for (int32_t i = 0; i < buttons.Count(); ++i)
    if (buttons.GetButton(i)->Default())
      return i;
  return -1;
}

void TlxCustomEdit::ClickDefaultButton() {
  const int32_t index = FindDefaultButton();
  if (index >= 0)
    FireButtonClick(index);
}

bool TlxCustomEdit::ClickButtonByAccelerator(char16_t char_code) {
  const TlxCustomEditViewInfo& view_info = GetViewInfo();
  const TlxEditButtons& buttons = *GetActiveProperties()->Buttons();
  for (int32_t i = 0; i < view_info.ButtonCount(); ++i) {
    const TlxEditButtonViewInfo& button = view_info.Button(i);
    if (button.State == kLxButtonStateDisabled || button.ButtonIndex >= buttons.Count())
      continue;
    if (IsAccel(char_code, buttons.GetButton(button.ButtonIndex)->Caption())) {
      FireButtonClick(button.ButtonIndex);
      return true;
    }
  }
  return false;
}

bool TlxCustomEdit::HandleDialogChar(char16_t ch) { return ClickButtonByAccelerator(ch); }

void TlxCustomEdit::ProcessButtonStateChange(const TlxCustomEditViewInfo& old_view_info) {
  const TlxCustomEditViewInfo& view_info = GetViewInfo();
  if (old_view_info.PressedButton == view_info.PressedButton && old_view_info.HotButton == view_info.HotButton)
    return;
  const int32_t was_pressed = old_view_info.PressedButton;
  if (was_pressed >= 0 && was_pressed < old_view_info.ButtonCount()) {
    // The copy keeps states, not the buttons' places in the properties;
    // those are the same in the new picture.
    const int32_t index = was_pressed < view_info.ButtonCount() ? view_info.Button(was_pressed).ButtonIndex
                                                                 : old_view_info.Button(was_pressed).ButtonIndex;
    TAliveToken alive = AliveToken();
    ButtonUp(index);
    // Released over itself: that is a click.
    if (alive.Alive() && GetViewInfo().HotButton == was_pressed)
      FireButtonClick(index);
    return;
  }
  if (view_info.PressedButton >= 0)
    ButtonDown(view_info.Button(view_info.PressedButton).ButtonIndex);
}

// --- mouse ------------------------------------------------------------------------

void TlxCustomEdit::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  const TPoint point(x, y);
  TAliveToken alive = AliveToken();
  if (button == mbLeft && ClickTimerRunning()) {
    StopClickTimer();
    if (FindButtonAt(point) < 0)
      DblClick();
    if (!alive.Alive())
      return;
  }
  TlxContainer::MouseDown(button, shift, x, y);
  if (!alive.Alive() || !HandleAllocated())
    return;
  const TPoint screen = ClientToScreen(point);
  if (WindowFromPoint(POINT{screen.X, screen.Y}) == Handle()) {
    TControl* child = ControlAtPos(point, false, true);
    if (child != nullptr && child != this) {
      const TPoint local = child->ScreenToClient(screen);
      child->Perform(ButtonDownMessage(button), lxShiftToMouseKeys(shift), MAKELPARAM(local.X, local.Y));
      if (!alive.Alive())
        return;
    }
  }
  if (button != mbLeft || GetCapture() != Handle())
    return;
  const int32_t index = FindButtonAt(point);
  if (index >= 0 && GetViewInfo().Button(index).State == kLxButtonStatePressed)
    captured_button_ = index;
}

void TlxCustomEdit::DblClick() {
  POINT cursor{};
  GetCursorPos(&cursor);
  const TPoint point = HandleAllocated() ? ScreenToClient(TPoint(cursor.x, cursor.y)) : TPoint(-1, -1);
  if (FindButtonAt(point) < 0) {
    TlxContainer::DblClick();
    return;
  }
  // A second press on a button counts as a press and a click of it.
  TAliveToken alive = AliveToken();
  TShiftState shift = KeyboardStateToShiftState();
  shift.Include(ssLeft);
  MouseDown(mbLeft, shift, point.X, point.Y);
  if (alive.Alive())
    Click();
}

void TlxCustomEdit::Click() {
  if (IsBeingDestroyed() || click_lock_ > 0)
    return;
  if (ComponentState().Contains(csLoading) && !ClickDuringLoad())
    return;
  TlxContainer::Click();
}
