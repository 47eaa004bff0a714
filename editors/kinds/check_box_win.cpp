#include "editors/kinds/check_box_win.h"

#include "platform/rtl/scope.h"
#include "platform/toolkit/buttons.h"

TlxCustomCheckBox::TlxCustomCheckBox(TComponent* owner, const TClass& properties_class)
    : TlxCustomEdit(owner, properties_class) {
  ControlStyle().Exclude(csDoubleClicks);
  SetWidth(121);
  StoreEditValue(CheckProperties().ValueUnchecked(), false);
}

TlxCustomCheckBoxProperties& TlxCustomCheckBox::CheckProperties() const {
  return static_cast<TlxCustomCheckBoxProperties&>(*GetActiveProperties());
}

TlxCheckBoxState TlxCustomCheckBox::State() const { return CheckProperties().GetCheckState(GetEditValue()); }

void TlxCustomCheckBox::SetState(TlxCheckBoxState value) {
  if (ComponentState().Contains(csLoading)) {
    state_assigned_while_loading_ = true;
    loading_state_ = value;
    return;
  }
  if (value == State())
    return;
  Variant edit_value;
  ConvertDisplayToEditValue(Variant(static_cast<int32_t>(value)), edit_value, IsFocusedForFormatting());
  SetEditValueUnlocked(edit_value);
}

void TlxCustomCheckBox::ConvertDisplayToEditValue(const Variant& display_value, Variant& edit_value,
                                                  bool /*edit_focused*/) {
  edit_value = CheckProperties().GetEditValueOfState(display_value.IsNull() ? -1 : display_value.AsInteger());
}

void TlxCustomCheckBox::Toggle() {
  {
    LockChangeEvents(true);
    TScopeExit unlock([this] { LockChangeEvents(false, true); });
    const bool was_user_change = IsUserChange();
    SetUserChange(true);
    TScopeExit end_user_change([this, was_user_change] { SetUserChange(was_user_change); });
    SetState(lxNextCheckState(State(), CheckProperties().AllowGrayed()));
  }
  if (CheckProperties().ImmediatePost() && CanPostEditValue() && ValidateEdit(true))
    PostEditValue(false);
}

void TlxCustomCheckBox::SetAction(TBasicAction* action) {
  if (action == nullptr) {
    action_link_.reset();  // also a link whose action has gone
    return;
  }
  if (action == Action())
    return;
  if (!action_link_)
    action_link_ = CreateActionLink();
  action_link_->SetAction(action);
  action_link_->ApplyAction();
  const bool loading = ComponentState().Contains(csLoading) || loading_;
  if (state_assigned_while_loading_ && loading)
    return;
  if (const auto* custom = dynamic_cast<const TCustomAction*>(action))
    action_link_->SetCheckedLocked(custom->Checked());
}

bool TlxCustomCheckBox::StateNeedsStoring() const {
  const auto* action = dynamic_cast<const TCustomAction*>(Action());
  return action == nullptr || State() != (action->Checked() ? cbsChecked : cbsUnchecked);
}

void TlxCustomCheckBox::StoreEditValue(const Variant& value, bool is_user_action) {
  const TlxCheckBoxState before = State();
  const TAliveToken alive = AliveToken();
  TlxCustomEdit::StoreEditValue(value, is_user_action);
  if (!alive.Alive())
    return;
  const TlxCheckBoxState after = State();
  if (after != before) {
    CheckViewInfo().CheckState = after;
    if (!ClickAndFireChange())
      return;
  }
  RefreshCheck();
}

bool TlxCustomCheckBox::ClickAndFireChange() {
  const TAliveToken alive = AliveToken();
  Click();
  if (!alive.Alive())
    return false;
  FireChange();
  return alive.Alive();
}

void TlxCustomCheckBox::RefreshCheck() {
  if (HandleAllocated())
    RecalculateAtCursor();
  Invalidate();
}

bool TlxCustomCheckBox::UsesParentBackground() const {
  return GetViewInfo().NativeStyle && ControlStyle().Contains(csParentBackground) && !IsInplace() &&
         !Transparent();
}

void TlxCustomCheckBox::ProcessButtonStateChange(const TlxCustomEditViewInfo& old_view_info) {
  const auto& old_check = static_cast<const TlxCustomCheckBoxViewInfo&>(old_view_info);
  if (old_check.CheckButtonState == cbnPressed && CheckViewInfo().CheckButtonState == cbnHot)
    Toggle();
}

void TlxCustomCheckBox::PropertiesChanged(TlxCustomEditProperties* properties) {
  TlxCustomCheckBoxProperties& check = CheckProperties();
  if (check.IsCaptionAssigned()) {
    SetCaption(check.Caption());
    check.ClearCaptionAssigned();
  }
  const TlxCheckBoxState state = State();
  if (CheckViewInfo().CheckState != state) {
    CheckViewInfo().CheckState = state;
    Invalidate();
    if (!AreChangeEventsLocked() && !ClickAndFireChange())
      return;
  }
  TlxCustomEdit::PropertiesChanged(properties);
}

void TlxCustomCheckBox::ProcessEditKeyDown(uint16_t& key, TShiftState shift) {
  const TlxCheckButtonState button = CheckViewInfo().CheckButtonState;
  if (key == VK_SPACE && !IsInplace() && (button == cbnNormal || button == cbnHot)) {
    keyboard_press_ = true;
    CheckViewInfo().CheckButtonState = cbnPressed;
    RefreshCheck();
    key = 0;
    return;
  }
  TlxCustomEdit::ProcessEditKeyDown(key, shift);
}

void TlxCustomCheckBox::ProcessEditKeyPress(char16_t& key) {
  if (key == u' ' && IsInplace() && CheckViewInfo().CheckButtonState != cbnDisabled) {
    Toggle();
    key = 0;
    return;
  }
  TlxCustomEdit::ProcessEditKeyPress(key);
}

void TlxCustomCheckBox::ProcessEditKeyUp(uint16_t& key, TShiftState shift) {
  if (key == VK_SPACE && keyboard_press_) {
    keyboard_press_ = false;
    CheckViewInfo().CheckButtonState = cbnNormal;
    RefreshCheck();
    Toggle();
    key = 0;
    return;
  }
  TlxCustomEdit::ProcessEditKeyUp(key, shift);
}

void TlxCustomCheckBox::PrepareViewData(TlxCustomEditViewData& view_data) {
  TlxCustomEdit::PrepareViewData(view_data);
  auto& check_data = static_cast<TlxCustomCheckBoxViewData&>(view_data);
  check_data.KeyboardPressed = keyboard_press_;
  check_data.ControlCaption = IsInplace() ? std::string() : const_cast<TlxCustomCheckBox*>(this)->Caption();
}

void TlxCustomCheckBox::DoExit() {
  if (keyboard_press_) {
    keyboard_press_ = false;
    RefreshCheck();
  }
  TlxCustomEdit::DoExit();
}

void TlxCustomCheckBox::Loaded() {
  TStateScope<bool> loading(loading_, true);
  LockChangeEvents(true);
  LockClick(true);
  TScopeExit unlock([this] {
    LockClick(false);
    LockChangeEvents(false);
  });
  TlxCustomEdit::Loaded();
  if (state_assigned_while_loading_) {
    state_assigned_while_loading_ = false;
    SetState(loading_state_);
  } else if (!IsDataAware()) {
    SetState(cbsUnchecked);
  }
}

void TlxCustomCheckBox::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_LBUTTONUP:
      // The toggle comes from the check; the control raises no click of its own.
      ControlState().Exclude(csClicked);
      break;
    case CM_TEXTCHANGED:
      TlxCustomEdit::WndProc(message);
      RefreshCheck();
      return;
    case CM_DIALOGCHAR:
      if (IsAccel(static_cast<char16_t>(message.WParam), Caption()) && CanFocus()) {
        SetFocus();
        if (Focused())
          Toggle();
        message.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TlxCustomEdit::WndProc(message);
}

// --- TlxCheckBox ------------------------------------------------------------------------------------

void TlxCheckBox::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxCheckBox>();
  p.Reference<TBasicAction>("Action", &TlxCheckBox::Action, &TlxCheckBox::SetAction);
  p.Enumeration("State", &TlxCheckBox::State, &TlxCheckBox::SetState, {"cbsUnchecked", "cbsChecked", "cbsGrayed"},
                std::optional<TlxCheckBoxState>(cbsUnchecked))
      .Stored = [](const TPersistent& self) { return static_cast<const TlxCheckBox&>(self).StateNeedsStoring(); };
  p.Persistent("Properties", TlxCheckBoxProperties::kClass,
               [](const TlxCheckBox& self) { return &self.CheckProperties(); });
}
