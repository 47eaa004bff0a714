#include "editors/kinds/filter_dialog_win.h"

#include <algorithm>
#include <vector>

#include "data/filter_texts.h"
#include "editors/combo_box_win.h"
#include "editors/edit_control_win.h"
#include "editors/filter_control_strings.h"
#include "editors/kinds/button_win.h"
#include "editors/kinds/filter_value_edit_win.h"
#include "editors/kinds/radio_button_win.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/bevel.h"
#include "platform/toolkit/label.h"
#include "ui/foundation/controls/control_interfaces_win.h"
#include "ui/foundation/look_and_feel/look_and_feel_win.h"
#include "ui/foundation/system/control_unit_win.h"

namespace {

TLabel* MakeLabel(TForm& form, int32_t left, int32_t top) {
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  label->SetBounds(left, top, label->Width(), label->Height());
  return label;
}

TlxComboBox* MakeOperatorCombo(TForm& form, int32_t top) {
  auto* combo = new TlxComboBox(&form);
  combo->GetProperties()->SetDropDownListStyle(lsFixedList);
  combo->SetParent(&form);
  combo->SetBounds(8, top, 193, combo->Height());
  return combo;
}

TlxButton* MakeButton(TForm& form, int32_t left, TModalResult result) {
  auto* button = new TlxButton(&form);
  button->SetParent(&form);
  button->SetBounds(left, 176, 75, 23);
  button->SetModalResult(result);
  return button;
}

bool IsLikeOperator(TlxFilterConditionOperator op) { return op == fcoLike || op == fcoNotLike; }

// The kinds the dialog's operator lists can show.
bool IsDialogKind(TlxFilterOperatorKind kind) { return kind <= fokNotLike; }

}  // namespace

TlxFilterDialog::TlxFilterDialog(TlxFilterCriteria& criteria, const TFont* font, TlxLookAndFeel* look_and_feel,
                                 TlxValueTypeClass value_type, const std::string& item_caption,
                                 TlxCustomEditProperties* properties, TObject* item_link)
    : TForm(GetApplication()),
      criteria_(criteria),
      item_link_(item_link),
      properties_(properties),
      helper_(properties != nullptr ? lxGetFilterEditsController().FindHelperClass(properties->ClassType()) : nullptr),
      value_type_(value_type) {
  if (helper_ == nullptr)
    throw EInvalidOperation("The column's editor kind offers no filter helper");
  BuildControls();
  SetCaption(lxFilterControlResString(lxSFilterDialogCaption));
  InitControls(item_caption);
  if (look_and_feel != nullptr)
    SetDialogLookAndFeel(*look_and_feel);
  if (font != nullptr)
    lxScaleFormToFont(this, *font);
  InitFromCriteria();
}

TlxFilterDialog::~TlxFilterDialog() {
  delete edit1_;
  delete edit2_;
}

void TlxFilterDialog::BuildControls() {
  SetBorderStyle(bsDialog);
  SetBorderIcons({biSystemMenu});
  SetPosition(poScreenCenter);
  Font().SetName("MS Sans Serif");
  Font().SetSize(8);
  SetClientSize(414, 206);
  lbl_title_ = MakeLabel(*this, 8, 8);
  lbl_column_caption_ = MakeLabel(*this, 8, 27);
  bvl_line_ = new TBevel(this);
  bvl_line_->SetShape(bsTopLine);
  bvl_line_->SetParent(this);
  bvl_line_->SetBounds(8, 34, 396, 4);
  cb_operator1_ = MakeOperatorCombo(*this, 46);
  lbl_edit1_place_holder_ = MakeLabel(*this, 208, 46);
  lbl_edit1_place_holder_->SetAutoSize(false);
  lbl_edit1_place_holder_->SetBounds(208, 46, 193, 21);
  lbl_edit1_place_holder_->SetVisible(false);
  rb_and_ = new TlxRadioButton(this);
  rb_and_->SetParent(this);
  rb_and_->SetBounds(56, 74, 60, 17);
  rb_and_->SetChecked(true);
  rb_or_ = new TlxRadioButton(this);
  rb_or_->SetParent(this);
  rb_or_->SetBounds(120, 74, 65, 17);
  cb_operator2_ = MakeOperatorCombo(*this, 96);
  lbl_edit2_place_holder_ = MakeLabel(*this, 208, 96);
  lbl_edit2_place_holder_->SetAutoSize(false);
  lbl_edit2_place_holder_->SetBounds(208, 96, 193, 21);
  lbl_edit2_place_holder_->SetVisible(false);
  lbl_single_ = MakeLabel(*this, 8, 134);
  lbl_series_ = MakeLabel(*this, 8, 153);
  btn_ok_ = MakeButton(*this, 248, mrOk);
  btn_ok_->SetDefault(true);
  btn_cancel_ = MakeButton(*this, 330, mrCancel);
  btn_cancel_->SetCancel(true);
  cb_operator1_->SetTabOrder(0);
  rb_and_->SetTabOrder(1);
  rb_or_->SetTabOrder(2);
  cb_operator2_->SetTabOrder(3);
  btn_ok_->SetTabOrder(4);
  btn_cancel_->SetTabOrder(5);
  cb_operator1_->GetProperties()->OnChange = [this](TObject*) { UpdateWildcards(); };
  cb_operator2_->GetProperties()->OnChange = [this](TObject*) { UpdateWildcards(); };
  OnCloseQuery = [this](TObject*, bool& can_close) { FormCloseQuery(can_close); };
}

TlxComboBox& TlxFilterDialog::GetOperatorCombo(const TlxCustomEdit* edit) const {
  return edit == edit1_ ? *cb_operator1_ : *cb_operator2_;
}

void TlxFilterDialog::GetDialogOperators(TlxFilterConditionOperators& operators) const {
  helper_->GetSupportedOperators(properties_, value_type_, operators, false);
  if (!criteria_.SupportedLike()) {
    operators.Exclude(fcoLike);
    operators.Exclude(fcoNotLike);
  }
}

void TlxFilterDialog::InitControls(const std::string& item_caption) {
  lbl_title_->SetCaption(lxFilterControlResString(lxSFilterDialogRows));
  lbl_column_caption_->SetCaption(item_caption + " ");
  const int32_t line_right = bvl_line_->Left() + bvl_line_->Width();
  const int32_t line_left = lbl_column_caption_->Left() + lbl_column_caption_->Width();
  bvl_line_->SetBounds(line_left, bvl_line_->Top(), std::max(line_right - line_left, 0), bvl_line_->Height());
  rb_and_->SetCaption(lxFilterControlResString(lxSFilterDialogOperationAnd));
  rb_or_->SetCaption(lxFilterControlResString(lxSFilterDialogOperationOr));
  const std::string use = lxFilterControlResString(lxSFilterDialogUse);
  lbl_single_->SetCaption(use + " " + std::string(1, criteria_.UnderscoreWildcard()) + " " +
                          lxFilterControlResString(lxSFilterDialogSingleCharacter));
  lbl_series_->SetCaption(use + " " + std::string(1, criteria_.PercentWildcard()) + " " +
                          lxFilterControlResString(lxSFilterDialogCharactersSeries));
  btn_ok_->SetCaption(lxFilterControlResString(lxSFilterControlDialogActionOkCaption));
  btn_cancel_->SetCaption(lxFilterControlResString(lxSFilterControlDialogActionCancelCaption));
  FillOperatorCombos();
  edit1_ = CreateOperandEdit(*lbl_edit1_place_holder_);
  edit1_->SetTabOrder(cb_operator1_->TabOrder() + 1);
  rb_and_->SetTabOrder(edit1_->TabOrder() + 1);
  edit2_ = CreateOperandEdit(*lbl_edit2_place_holder_);
  edit2_->SetTabOrder(cb_operator2_->TabOrder() + 1);
}

void TlxFilterDialog::FillOperatorCombos() {
  TlxFilterConditionOperators operators;
  GetDialogOperators(operators);
  TStringList entries;
  for (int32_t op = fcoNone; op <= kLxLastFilterConditionOperator; ++op) {
    const auto condition_operator = static_cast<TlxFilterConditionOperator>(op);
    if (operators.Contains(condition_operator))
      entries.AddData(lxFilterOperatorText(condition_operator), op);
  }
  TlxComboBoxProperties& first = *cb_operator1_->GetProperties();
  first.SetItems(&entries);
  first.SetDropDownRows(entries.Count());
  entries.Insert(0, "");
  entries.PutData(0, fcoNone);
  TlxComboBoxProperties& second = *cb_operator2_->GetProperties();
  second.SetItems(&entries);
  second.SetDropDownRows(entries.Count());
}

TlxCustomEdit* TlxFilterDialog::CreateOperandEdit(const TLabel& place_holder) {
  TlxCustomEdit* edit = lxCreateFilterValueEdit(helper_, properties_, nullptr);
  TScopeFail free_edit([edit] { delete edit; });
  edit->SetParent(this);
  edit->SetBounds(place_holder.Left(), place_holder.Top(), place_holder.Width(), place_holder.Height());
  return edit;
}

void TlxFilterDialog::SelectOperator(TlxComboBox& combo, TlxFilterConditionOperator op) {
  const TStringList& items = *combo.GetProperties()->Items();
  for (int32_t i = 0; i < items.Count(); ++i) {
    if (items.Data(i) == op && !(op == fcoNone && !items[i].empty())) {
      combo.SetItemIndex(i);
      return;
    }
  }
}

void TlxFilterDialog::ShowCondition(const TlxFilterCriteriaItem& condition, TlxComboBox& combo, TlxCustomEdit& edit) {
  SelectOperator(combo, lxFilterKindToOperator(condition.OperatorKind(), criteria_.IsNullValue(condition.Value())));
  lxSetEditFilterValue(helper_, edit, condition.Value());
}

void TlxFilterDialog::InitFromCriteria() {
  TlxFilterConditionOperators operators;
  GetDialogOperators(operators);
  if (operators.Contains(fcoLike) && value_type_ != nullptr && value_type_->IsTextType())
    SelectOperator(*cb_operator1_, fcoLike);
  else if (operators.Contains(fcoEqual))
    SelectOperator(*cb_operator1_, fcoEqual);
  else if (cb_operator1_->GetProperties()->Items()->Count() > 0)
    cb_operator1_->SetItemIndex(0);
  cb_operator2_->SetItemIndex(0);
  if (const TlxFilterCriteriaItem* condition = criteria_.LocateItemByLink(item_link_)) {
    ShowCondition(*condition, *cb_operator1_, *edit1_);
    const TlxFilterCriteriaItemList* list = condition->Parent();
    if (list != nullptr && list != &criteria_.Root() && list->ItemCount() > 1) {
      const bool is_and = list->BoolOperatorKind() == fbkAnd;
      rb_and_->SetChecked(is_and);
      rb_or_->SetChecked(!is_and);
      if (const auto* second = dynamic_cast<const TlxFilterCriteriaItem*>(list->ItemAt(1)))
        ShowCondition(*second, *cb_operator2_, *edit2_);
    }
  }
  UpdateWildcards();
}

void TlxFilterDialog::SetDialogLookAndFeel(TlxLookAndFeel& look_and_feel) {
  const std::vector<TControl*> controls{cb_operator1_, edit1_,  rb_and_, rb_or_,
                                        cb_operator2_, edit2_, btn_ok_, btn_cancel_};
  for (TControl* control : controls)
    if (auto* container = dynamic_cast<IlxLookAndFeelContainer*>(control))
      if (TlxLookAndFeel* own = container->GetLookAndFeel())
        own->SetMaster(&look_and_feel);
}

void TlxFilterDialog::UpdateWildcards() {
  if (lbl_single_ == nullptr || cb_operator1_ == nullptr || cb_operator2_ == nullptr)
    return;
  const bool visible =
      IsLikeOperator(lxDialogComboOperator(*cb_operator1_)) || IsLikeOperator(lxDialogComboOperator(*cb_operator2_));
  lbl_single_->SetVisible(visible);
  lbl_series_->SetVisible(visible);
  if (edit1_ != nullptr)
    lxAdjustFilterWildcardChars(*edit1_, criteria_, lxDialogComboOperator(*cb_operator1_));
  if (edit2_ != nullptr)
    lxAdjustFilterWildcardChars(*edit2_, criteria_, lxDialogComboOperator(*cb_operator2_));
}

void TlxFilterDialog::ReadOperand(TlxComboBox& combo, TlxCustomEdit& edit, Variant& value, std::string& text) {
  value = Variant::Null();
  text.clear();
  if (combo.ItemIndex() < 0)
    return;
  const TlxCustomEditProperties* properties = properties_ != nullptr ? properties_ : edit.GetActiveProperties();
  lxGetFilterValue(helper_, edit, *properties, value, text);
  lxCheckFilterValue(edit, value, lxDialogComboOperator(combo), helper_, value_type_);
}

void TlxFilterDialog::FormCloseQuery(bool& can_close) {
  if (ModalResult() != mrOk)
    return;
  can_close = false;
  try {
    edit1_->ValidateEdit(true);
    edit2_->ValidateEdit(true);
    if (btn_ok_->CanFocus())
      btn_ok_->SetFocus();
    ReadOperand(*cb_operator1_, *edit1_, Value1, Text1);
    ReadOperand(*cb_operator2_, *edit2_, Value2, Text2);
  } catch (const Exception&) {
    // The dialog stays open and tells why.
    GetApplication()->HandleException(this);
    return;
  }
  can_close = true;
}

void TlxFilterDialog::AddRow(TlxFilterCriteriaItemList& list, TlxComboBox& combo, const Variant& value,
                             const std::string& text) {
  TlxFilterConditionOperator op = lxDialogComboOperator(combo);
  if (op == fcoNone)
    return;
  Variant operand = value;
  std::string display_text = text;
  if (op == fcoBlanks || op == fcoNonBlanks) {
    operand = Variant::Null();
    op = op == fcoBlanks ? fcoEqual : fcoNotEqual;
  }
  const bool empty_text = (operand.Type() == varString && operand.TextView().empty()) ||
                          (operand.Type() == varOleStr && operand.WideView().empty());
  if (operand.IsNull() || empty_text)
    display_text = lxGetFilterResString(lxSFilterBlankCaption);
  criteria_.AddItem(&list, item_link_, lxFilterOperatorToKind(op), operand, display_text);
}

void TlxFilterDialog::ApplyChanges() {
  TlxFilterChangesScope changes(criteria_);
  TlxFilterCriteriaItemList& root = criteria_.Root();
  root.SetBoolOperatorKind(fbkAnd);
  criteria_.RemoveItemsByLink(item_link_);
  if (cb_operator2_->ItemIndex() > 0) {
    TlxFilterCriteriaItemList* list = root.AddSubList(rb_or_->Checked() ? fbkOr : fbkAnd);
    AddRow(*list, *cb_operator1_, Value1, Text1);
    AddRow(*list, *cb_operator2_, Value2, Text2);
    return;
  }
  AddRow(root, *cb_operator1_, Value1, Text1);
}

TlxFilterConditionOperator lxDialogComboOperator(TlxComboBox& combo) {
  const int32_t index = combo.ItemIndex();
  const TStringList& items = *combo.GetProperties()->Items();
  if (index < 0 || index >= items.Count())
    return fcoNone;
  if (index == 0 && items[0].empty())
    return fcoNone;
  return static_cast<TlxFilterConditionOperator>(items.Data(index));
}

bool lxShowCustomFilterDialog(TlxFilterCriteria& criteria, TObject* item_link, TlxCustomEditProperties* properties,
                              const TFont* font, TlxLookAndFeel* look_and_feel, TlxValueTypeClass value_type,
                              const std::string& item_caption) {
  if (properties == nullptr || lxGetFilterEditsController().FindHelperClass(properties->ClassType()) == nullptr)
    return false;
  std::unique_ptr<TlxFilterDialog> dialog = std::make_unique<TlxFilterDialog>(
      criteria, font, look_and_feel, value_type, item_caption, properties, item_link);
  if (dialog->ShowModal() != mrOk)
    return false;
  dialog->ApplyChanges();
  return true;
}

bool lxFilterNeedsFilterBuilder(const TlxFilterCriteria& criteria) {
  const TlxFilterCriteriaItemList& root = criteria.Root();
  if (root.BoolOperatorKind() != fbkAnd)
    return true;
  std::vector<TObject*> used;
  auto take_link = [&used](TObject* link) {
    if (std::find(used.begin(), used.end(), link) != used.end())
      return false;
    used.push_back(link);
    return true;
  };
  for (int32_t i = 0; i < root.ItemCount(); ++i) {
    const TlxCustomFilterCriteriaItem* node = root.ItemAt(i);
    if (const auto* condition = dynamic_cast<const TlxFilterCriteriaItem*>(node)) {
      if (!IsDialogKind(condition->OperatorKind()) || !take_link(condition->ItemLink()))
        return true;
      continue;
    }
    const auto* list = dynamic_cast<const TlxFilterCriteriaItemList*>(node);
    if (list == nullptr || list->ItemCount() != 2)
      return true;
    if (list->BoolOperatorKind() != fbkAnd && list->BoolOperatorKind() != fbkOr)
      return true;
    const auto* first = dynamic_cast<const TlxFilterCriteriaItem*>(list->ItemAt(0));
    const auto* second = dynamic_cast<const TlxFilterCriteriaItem*>(list->ItemAt(1));
    if (first == nullptr || second == nullptr || !IsDialogKind(first->OperatorKind()) ||
        !IsDialogKind(second->OperatorKind()) || first->ItemLink() != second->ItemLink() ||
        !take_link(first->ItemLink()))
      return true;
  }
  return false;
}
