#include "editors/kinds/filter_inplace_editing_win.h"

#include <algorithm>

#include "editors/combo_box_win.h"
#include "editors/edit_inplace_list_win.h"
#include "editors/kinds/filter_value_edit_win.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/application.h"

TlxFilterInplaceEditing::TlxFilterInplaceEditing() : edits_(std::make_unique<TlxInplaceEditList>()) {}

TlxFilterInplaceEditing::~TlxFilterInplaceEditing() {
  edit_ = nullptr;
  edits_.reset();
}

bool TlxFilterInplaceEditing::ChooseFromList(TlxCustomFilterControl& control, uint8_t /*edit_mode*/, TStrings& items,
                                             const TRect& rect, const std::string& current, intptr_t& chosen) {
  if (items.Count() == 0 || list_ != nullptr)
    return false;
  auto combo = std::make_unique<TlxComboBox>(nullptr);
  TlxComboBoxProperties& properties = *combo->GetProperties();
  properties.SetDropDownListStyle(lsFixedList);
  TStringList texts;
  for (int32_t i = 0; i < items.Count(); ++i)
    texts.Add(items[i]);
  properties.SetItems(&texts);
  properties.SetDropDownRows(std::min(items.Count(), 12));
  properties.SetDropDownAutoWidth(true);
  bool closed = false;
  properties.OnCloseUp = [&closed](TObject*) { closed = true; };
  combo->SetParent(&control);
  combo->SetBounds(rect.Left, rect.Top, std::max(rect.Width() + 24, 80), combo->Height());
  combo->SetItemIndex(items.IndexOf(current));
  const int32_t start_index = combo->ItemIndex();
  combo->SetFocus();
  list_ = combo.get();
  TScopeExit forget([this] { list_ = nullptr; });
  combo->DropDown();
  TApplication* application = GetApplication();
  // The popup shows through a posted message.
  application->ProcessMessages();
  while (!closed && combo->GetDroppedDown() && !application->Terminated())
    application->HandleMessage();
  const bool accepted = lxCloseUpReasonAccepts(combo->CloseUpReason());
  const int32_t index = combo->ItemIndex();
  if (!accepted || index < 0 || index >= items.Count() || index == start_index)
    return false;
  chosen = items.Data(index);
  return true;
}

void TlxFilterInplaceEditing::OpenOperandEditor(TlxCustomFilterControl& control, TlxConditionViewInfo& condition,
                                                int32_t operand_index, uint8_t activation, char16_t key) {
  if (edit_ != nullptr)
    CloseOperandEditor(true);
  TlxCustomEditProperties* properties = condition.OperandProperties();
  if (properties == nullptr || operand_index < 0 || operand_index >= condition.Values().Count())
    return;
  TlxCustomEdit* edit = edits_->ObtainEdit(properties);
  control_ = &control;
  condition_ = &condition;
  operand_index_ = operand_index;
  const TlxValueInfo& value = condition.Values().Item(operand_index);
  lxSetEditFilterValue(condition.HelperClass, *edit, value.Value);
  lxAdjustFilterWildcardChars(*edit, control.Criteria(), condition.Operator);
  edit->OnKeyDown = [this](TObject*, uint16_t& pressed, TShiftState shift) { EditorKeyDown(pressed, shift); };
  edit->OnExit = [this](TObject*) { EditorExit(); };
  edit->SetParent(&control);
  const TRect& rect = value.OperandRect;
  edit->SetBounds(rect.Left, rect.Top, std::max(rect.Width() + 40, 80), std::max(rect.Height(), edit->GetHeight()));
  edit->SetVisible(true);
  edit_ = edit;
  edit->SetFocus();
  if (activation == lxFilterActivateByKey && key != 0 && edit->HandleAllocated()) {
    edit->SelectAll();
    PostMessageW(GetFocus(), WM_CHAR, key, 0);
  } else {
    edit->SelectAll();
  }
}

void TlxFilterInplaceEditing::CloseOperandEditor(bool apply) {
  if (edit_ == nullptr || closing_)
    return;
  TStateScope<bool> closing(closing_, true);
  if (apply && condition_ != nullptr && operand_index_ < condition_->Values().Count()) {
    edit_->ValidateEdit(true);
    Variant value;
    std::string text;
    TlxCustomEditProperties* properties = condition_->OperandProperties();
    lxGetFilterValue(condition_->HelperClass, *edit_, *properties, value, text);
    lxCheckFilterValue(*edit_, value, condition_->Operator, condition_->HelperClass, condition_->ValueTypeClass);
    TlxValueInfo& operand = condition_->Values().Item(operand_index_);
    operand.Value = value;
    operand.OperandText = text;
  }
  HideEditor();
}

void TlxFilterInplaceEditing::HideEditor() {
  TlxCustomEdit* edit = edit_;
  TlxCustomFilterControl* control = control_;
  edit_ = nullptr;
  condition_ = nullptr;
  operand_index_ = -1;
  edit->OnKeyDown = nullptr;
  edit->OnExit = nullptr;
  const bool had_focus = edit->Focused() || (GetFocus() != nullptr && edit->OwnsWindow(GetFocus()));
  // The editor stays the control's child: it may be hidden from inside its
  // own key handler, where taking its window away is not safe.
  edit->SetVisible(false);
  if (control != nullptr && !control->ComponentState().Contains(csDestroying)) {
    control->Builder().ViewInfo().Calculate();
    control->Invalidate();
    if (had_focus && control->CanFocus())
      control->SetFocus();
  }
}

bool TlxFilterInplaceEditing::OperandEditorFocused() {
  if (edit_ == nullptr)
    return false;
  HWND focus = GetFocus();
  return edit_->Focused() || (focus != nullptr && edit_->OwnsWindow(focus));
}

void TlxFilterInplaceEditing::ForgetOperandEditor() {
  if (edit_ != nullptr)
    HideEditor();
  edits_->Clear();
}

void TlxFilterInplaceEditing::EditorKeyDown(uint16_t& key, TShiftState shift) {
  if (control_ == nullptr)
    return;
  TlxCustomFilterControl& control = *control_;
  switch (key) {
    case VK_RETURN:
      key = 0;
      control.CloseOperandEditor(true);
      break;
    case VK_ESCAPE:
      key = 0;
      control.CloseOperandEditor(false);
      break;
    case VK_TAB:
      key = 0;
      control.CloseOperandEditor(true);
      if (shift.Contains(ssShift))
        control.Builder().FocusPrev(true);
      else
        control.Builder().FocusNext(true);
      break;
    default:
      break;
  }
}

void TlxFilterInplaceEditing::EditorExit() {
  // Leaving the editor for anything but the control's own closing keeps
  // what was typed, as Enter would.
  if (control_ != nullptr && !closing_)
    control_->CloseOperandEditor(true);
}
