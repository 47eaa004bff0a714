#include "editors/kinds/radio_group_win.h"

#include <algorithm>

#include "platform/rtl/scope.h"
#include "platform/toolkit/messages.h"

namespace {

TlxLookAndFeelKind KindOfButtonStyle(TlxEditButtonStyle style) {
  switch (style) {
    case btsFlat:
      return lfFlat;
    case btsUltraFlat:
      return lfUltraFlat;
    case btsOffice11:
      return lfOffice11;
    default:
      return lfStandard;
  }
}

}  // namespace

// --- TlxCustomRadioGroupProperties (the control class) --------------------------------------------

const TClass* TlxCustomRadioGroupProperties::GetEditControlClass() const { return &TlxRadioGroup::kClass; }

// --- TlxCustomRadioGroupButton -------------------------------------------------------------------

TlxCustomRadioGroupButton::TlxCustomRadioGroupButton(TlxCustomRadioGroup* group)
    : TlxRadioButton(group), group_(group) {
  group_->AddButton(this);
  SetTabStop(false);
  LookAndFeel().SetMaster(group_->GetStyle()->LookAndFeel());
}

TlxCustomRadioGroupButton::~TlxCustomRadioGroupButton() { group_->RemoveButton(this); }

TlxContainer* TlxCustomRadioGroupButton::GetControlContainer() { return group_; }

void TlxCustomRadioGroupButton::SetChecked(bool value) {
  if (value == Checked())
    return;
  {
    TStateScope<bool> quiet(suppress_click_, true);
    TRadioButton::SetChecked(value);
  }
  group_->RefreshTabStops();
  if (value && !checked_by_group_)
    group_->ButtonChecked(this);
}

void TlxCustomRadioGroupButton::SetCheckedByGroup(bool value) {
  TStateScope<bool> by_group(checked_by_group_, true);
  SetChecked(value);
}

bool TlxCustomRadioGroupButton::IsInplace() const { return group_->IsInplace(); }

bool TlxCustomRadioGroupButton::UsesParentBackground() { return group_->ChildUsesParentBackground(); }

bool TlxCustomRadioGroupButton::IsNativeStyle() {
  return TlxButtonGroupViewData::IsButtonNativeStyle(group_->GetStyle()->LookAndFeel());
}

bool TlxCustomRadioGroupButton::IsTransparent() const { return group_->IsTransparentNow(); }

bool TlxCustomRadioGroupButton::HasTransparentBackground() { return TlxRadioButton::HasTransparentBackground(); }

void TlxCustomRadioGroupButton::DrawBackground() {
  if (!HasTransparentBackground())
    TlxRadioButton::DrawBackground();
}

bool TlxCustomRadioGroupButton::CanFocus() const { return TlxRadioButton::CanFocus() && group_->CanFocus(); }

void TlxCustomRadioGroupButton::Click() {
  if (suppress_click_)
    return;
  TlxRadioButton::Click();
  if (!group_->IsLoadingOrUpdating())
    group_->ChildClicked();
}

bool TlxCustomRadioGroupButton::MayTakeClick() {
  return Checked() || (group_->IsValueModifiable() && group_->TryStartEditing());
}

void TlxCustomRadioGroupButton::ButtonClicked() {
  if (in_command_)
    return;
  TStateScope<bool> in_command(in_command_, true);
  if (MayTakeClick())
    SetChecked(true);
}

void TlxCustomRadioGroupButton::AccelPressed() {
  SetFocus();
  if (Focused() && MayTakeClick())
    SetChecked(true);
}

void TlxCustomRadioGroupButton::DoEnter() {
  // No toolkit handling: the group decides whether entering checks.
  if (OnEnter)
    OnEnter(this);
  group_->RefreshFromCursor(false);
  if (!Checked() && !group_->IsInplace() && !left_press_ && group_->TryStartEditing())
    SetChecked(true);
}

void TlxCustomRadioGroupButton::DoExit() {
  TlxRadioButton::DoExit();
  group_->RefreshFromCursor(false);
}

void TlxCustomRadioGroupButton::KeyPress(char16_t& key) {
  if ((key == u'\b' || key == u' ') && !group_->IsValueModifiable())
    key = 0;
  TlxRadioButton::KeyPress(key);
}

void TlxCustomRadioGroupButton::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_GETDLGCODE:
      TlxRadioButton::WndProc(message);
      if (group_->WantsTabKey() && GetKeyState(VK_CONTROL) >= 0)
        message.Result |= DLGC_WANTTAB;
      if (group_->IsInplace())
        message.Result |= DLGC_WANTARROWS;
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const HWND other = reinterpret_cast<HWND>(message.WParam);
      const TAliveToken alive = AliveToken();
      TlxRadioButton::WndProc(message);
      if (alive.Alive() && !group_->IsBeingDestroyed() &&
          (!group_->HandleAllocated() || other != group_->Handle()))
        group_->ChildFocusChanged();
      return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (group_->DragMode() == dmAutomatic && !group_->IsDesigningGroup()) {
        group_->BeginDrag(false);
        return;
      }
      TStateScope<bool> pressing(left_press_, true);
      TlxRadioButton::WndProc(message);
      return;
    }
    default:
      break;
  }
  TlxRadioButton::WndProc(message);
}

// --- TlxCustomRadioGroup -------------------------------------------------------------------------

TlxCustomRadioGroup::TlxCustomRadioGroup(TComponent* owner, const TClass& properties_class)
    : TlxCustomButtonGroup(owner, properties_class) {
  const bool parent_background = ControlStyle().Contains(csParentBackground);
  ControlStyle() = TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csReplicatable};
  if (parent_background)
    ControlStyle().Include(csParentBackground);
  stored_item_index_ = -1;
  SetBounds(Left(), Top(), 185, 105);
}

int32_t TlxCustomRadioGroup::GetCheckedButtonIndex() const {
  for (int32_t i = 0; i < ButtonCount(); ++i)
    if (RadioButton(i).Checked())
      return i;
  return -1;
}

bool TlxCustomRadioGroup::IsLoadingOrUpdating() const {
  const TComponentState state = ComponentState();
  return state.Contains(csLoading) || state.Contains(csReading) || state.Contains(csUpdating);
}

int32_t TlxCustomRadioGroup::GetItemIndex() const {
  if (IsLoadingOrUpdating() || IsDesigningGroup())
    return stored_item_index_;
  return GetCheckedButtonIndex();
}

void TlxCustomRadioGroup::SetItemIndex(int32_t value) {
  if (!IsLoadingOrUpdating()) {
    const int32_t index = std::clamp(value, -1, std::max(ButtonCount() - 1, -1));
    Variant edit_value;
    ConvertDisplayToEditValue(Variant(index), edit_value, false);
    StoreValueAndSelect(edit_value, true, false);
  }
  if (IsLoadingOrUpdating() || IsDesigningGroup())
    stored_item_index_ = value;
}

void TlxCustomRadioGroup::ConvertDisplayToEditValue(const Variant& display_value, Variant& edit_value,
                                                    bool /*edit_focused*/) {
  const int32_t index = display_value.IsNull() || display_value.IsEmpty() ? -1 : display_value.AsInteger();
  edit_value = RadioProperties().GetItemValue(index);
}

void TlxCustomRadioGroup::StoreEditValue(const Variant& value, bool is_user_action) {
  StoreValueAndSelect(value, is_user_action, false);
}

void TlxCustomRadioGroup::StoreValueAndSelect(const Variant& value, bool is_user_action, bool from_button) {
  const TAliveToken alive = AliveToken();
  LockChangeEvents(true);
  {
    TScopeExit unlock([this, &alive] {
      if (alive.Alive())
        LockChangeEvents(false, true);
    });
    TlxCustomButtonGroup::StoreEditValue(value, is_user_action);
    if (!alive.Alive())
      return;
    const int32_t index = RadioProperties().GetItemIndexOfValue(value);
    if (from_button || index != GetCheckedButtonIndex()) {
      SelectButton(index, from_button);
      // What loading brings in step is no change of the user's.
      if (synchronizing_after_load_)
        return;
      SetModifiedByUser();
      if (!alive.Alive())
        return;
      FireChange();
    } else if (!IsUserChange()) {
      SetModifiedAfterEnter(false);
    }
  }
  if (alive.Alive())
    RefreshFromCursor(false);
}

void TlxCustomRadioGroup::SelectButton(int32_t index, bool from_button) {
  const bool in_range = index >= 0 && index < ButtonCount();
  if (!from_button) {
    if (index < 0) {
      const int32_t checked = GetCheckedButtonIndex();
      if (checked >= 0)
        RadioButton(checked).SetCheckedByGroup(false);
    } else if (in_range) {
      RadioButton(index).SetCheckedByGroup(true);
    }
  }
  if (in_range && CountsAsFocused() && (!HandleAllocated() || GetFocus() != Handle()) &&
      RadioButton(index).CanFocus() && !RadioButton(index).Focused())
    RadioButton(index).SetFocus();
  if (IsLoadingOrUpdating() || IsDesigningGroup())
    stored_item_index_ = index;
}

void TlxCustomRadioGroup::ButtonChecked(TlxCustomRadioGroupButton* button) {
  const TAliveToken alive = AliveToken();
  LockChangeEvents(true);
  TScopeExit unlock([this, &alive] {
    if (alive.Alive())
      LockChangeEvents(false, true);
  });
  {
    SetUserChange(CountsAsFocused());
    TScopeExit end_user_change([this, &alive] {
      if (alive.Alive())
        SetUserChange(false);
    });
    if (!IsLoadingOrUpdating()) {
      Variant edit_value;
      ConvertDisplayToEditValue(Variant(IndexOfButton(button)), edit_value, IsFocusedForFormatting());
      StoreValueAndSelect(edit_value, true, true);
    }
  }
  if (!alive.Alive())
    return;
  if (CountsAsFocused() && RadioProperties().ImmediatePost() && CanPostEditValue() && ValidateEdit(true))
    PostEditValue(false);
}

void TlxCustomRadioGroup::SynchronizeAfterLoad() {
  LockChangeEvents(true);
  TScopeExit unlock([this] { LockChangeEvents(false, false); });
  LockClick(true);
  TScopeExit unlock_click([this] { LockClick(false); });
  TStateScope<bool> synchronizing(synchronizing_after_load_, true);
  if (!IsDataAware())
    SetEditValueField(RadioProperties().DefaultValue());
  SetItemIndex(stored_item_index_);
  UpdateButtons();
}

bool TlxCustomRadioGroup::CountsAsFocused() { return TlxCustomButtonGroup::Focused(); }

void TlxCustomRadioGroup::RefreshTabStops() {
  // Only the checked child is a tab stop; the group itself is one while
  // no child is checked, so that Tab and Shift+Tab never circle back.
  const int32_t checked = GetCheckedButtonIndex();
  for (int32_t i = 0; i < ButtonCount(); ++i)
    RadioButton(i).SetTabStop(i == checked);
  SetTabStop(checked < 0);
}

void TlxCustomRadioGroup::Activate(std::unique_ptr<TlxCustomEditData>& edit_data) {
  TlxCustomButtonGroup::Activate(edit_data);
  if (ButtonCount() == 0)
    return;
  const int32_t index = std::max(GetItemIndex(), 0);
  if (index < ButtonCount() && RadioButton(index).CanFocus())
    RadioButton(index).SetFocus();
}

void TlxCustomRadioGroup::SetFocus() {
  const int32_t checked = GetCheckedButtonIndex();
  if (checked >= 0 && RadioButton(checked).CanFocus()) {
    RadioButton(checked).SetFocus();
    return;
  }
  TlxCustomButtonGroup::SetFocus();
}

bool TlxCustomRadioGroup::IsFocusedNow() {
  if (GetFocusedButtonIndex() >= 0)
    return false;
  return TlxCustomButtonGroup::IsFocusedNow();
}

HDC TlxCustomRadioGroup::GetButtonDC(int32_t index) { return RadioButton(index).PaintDC(); }

TWinControl* TlxCustomRadioGroup::CreateButton() { return new TlxCustomRadioGroupButton(this); }

void TlxCustomRadioGroup::UpdateButtonStyles() {
  TlxCustomButtonGroup::UpdateButtonStyles();
  const TlxButtonGroupViewInfo& info = ButtonGroupViewInfo();
  if (info.ButtonCount() == 0)
    return;
  const TlxLookAndFeelKind kind = KindOfButtonStyle(info.Button(0).Style);
  TFont* disabled_font = GetStyleDisabled()->GetTextFont();
  for (int32_t i = 0; i < ButtonCount(); ++i) {
    TlxCustomRadioGroupButton& button = RadioButton(i);
    button.LookAndFeel().SetKind(kind);
    if (!button.Enabled() && disabled_font != nullptr)
      button.Font().SetColor(disabled_font->Color());
    button.SetTransparent(Transparent());
  }
}

void TlxCustomRadioGroup::UpdateButtons() {
  const int32_t remembered = GetItemIndex();
  TlxCustomButtonGroup::UpdateButtons();
  const TlxButtonGroupItems& items = GroupProperties().Items();
  if (IsLoadingOrUpdating() || (items.Notifying() && items.ChangeKind() == TlxButtonGroupChange::kRemoved))
    return;
  if (GetCheckedButtonIndex() != remembered)
    SetItemIndex(remembered);
  const int32_t count = std::min(ButtonCount(), items.Count());
  for (int32_t i = 0; i < count; ++i) {
    RadioButton(i).SetCaption(items.GetItem(i)->Caption());
    RadioButton(i).SetWordWrap(GroupProperties().WordWrap());
  }
  RefreshTabStops();
}

void TlxCustomRadioGroup::GetChildren(const TGetChildProc& /*proc*/, TComponent* /*root*/) {
  // The children follow the items: they are never stored with the form.
}

void TlxCustomRadioGroup::Loaded() {
  TlxCustomButtonGroup::Loaded();
  SynchronizeAfterLoad();
}

bool TlxCustomRadioGroup::FocusFirstChildByAccelerator() {
  const int32_t checked = GetCheckedButtonIndex();
  const int32_t first = checked >= 0 ? checked : 0;
  if (first >= ButtonCount() || !RadioButton(first).CanFocus())
    return false;
  RadioButton(first).SetFocus();
  return true;
}

void TlxCustomRadioGroup::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CM_DIALOGCHAR:
      if (IsAccel(static_cast<char16_t>(message.WParam), Caption()) && CanFocus() && FocusFirstChildByAccelerator()) {
        message.Result = 1;
        return;
      }
      break;
    case CM_CTL3DCHANGED:
      TlxCustomButtonGroup::WndProc(message);
      RefreshFromCursor(false);
      return;
    default:
      break;
  }
  TlxCustomButtonGroup::WndProc(message);
}

// --- TlxRadioGroup -------------------------------------------------------------------------------

void TlxRadioGroup::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxRadioGroup>();
  p.Enumeration("Alignment", &TlxRadioGroup::Alignment, &TlxRadioGroup::SetAlignment,
                {"alTopLeft", "alTopCenter", "alTopRight", "alBottomLeft", "alBottomCenter", "alBottomRight",
                 "alLeftTop", "alLeftCenter", "alLeftBottom", "alRightTop", "alRightCenter", "alRightBottom",
                 "alCenterCenter"},
                std::optional<TlxCaptionAlignment>(alTopLeft));
  p.Integer("ItemIndex", &TlxRadioGroup::GetItemIndex, &TlxRadioGroup::SetItemIndex, -1);
  p.Persistent("Properties", TlxRadioGroupProperties::kClass,
               [](const TlxRadioGroup& self) { return &self.GetProperties(); });
  p.Boolean("Transparent", &TlxRadioGroup::Transparent, &TlxRadioGroup::SetTransparent, false);
}
