#include "editors/kinds/filter_rows.h"

#include <algorithm>

#include "data/data_controller_texts.h"
#include "data/filter_operators.h"
#include "data/filter_texts.h"
#include "editors/edit_properties.h"
#include "editors/filter_control_strings.h"
#include "editors/kinds/filter_builder.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/strings.h"
#include "platform/rtl/text.h"

namespace {

// The helper of items whose properties have none registered: operands are
// typed and shown as text.
TlxFilterEditHelperClass TextFallbackHelper() { return &StatelessInstance<TlxCustomFilterEditHelper>(); }

TlxFilterEditHelperClass HelperForProperties(const TlxCustomEditProperties* properties) {
  if (properties == nullptr || !lxFilterEditsControllerExists())
    return TextFallbackHelper();
  TlxFilterEditHelperClass helper = lxGetFilterEditsController().FindHelperClass(properties->ClassType());
  return helper != nullptr ? helper : TextFallbackHelper();
}

std::vector<std::string> SplitListTexts(std::string_view text) {
  std::vector<std::string> texts;
  size_t position = 0;
  while (position < text.size())
    texts.push_back(lxNextListToken(text, position));
  return texts;
}

std::string DisplayTextOf(const TlxCustomEditProperties* properties, const Variant& value) {
  std::string text;
  if (value.IsNull())
    return text;
  try {
    if (properties != nullptr)
      properties->FormatDisplayText(value, text, true);
    // Kinds that show no text of their own still have the value's.
    if (text.empty() && !value.IsArray())
      text = value.AsString();
  } catch (const Exception&) {
    // A value its kind cannot show (a list inside a list) has no text.
    text.clear();
  }
  // As the pieces of a split display text are.
  return std::string(TrimBlanks(text));
}

}  // namespace

int32_t lxFilterLinkIndexOf(IlxFilterControl* link, TObject* item_link) {
  if (link == nullptr || item_link == nullptr)
    return -1;
  const int32_t count = link->GetCount();
  for (int32_t i = 0; i < count; ++i)
    if (link->GetItemLink(i) == item_link)
      return i;
  return -1;
}

// --- TlxFilterControlCriteriaItem ---------------------------------------------

Variant TlxFilterControlCriteriaItem::GetRecordValue(int32_t /*record_index*/) { return Variant::Null(); }

int32_t TlxFilterControlCriteriaItem::ValidLinkIndex() const {
  const auto* criteria = dynamic_cast<const TlxFilterControlCriteria*>(OwningCriteria());
  if (criteria == nullptr)
    return -1;
  return lxFilterLinkIndexOf(criteria->Link(), ItemLink());
}

std::string TlxFilterControlCriteriaItem::GetFieldCaption() const {
  std::string caption;
  const int32_t index = ValidLinkIndex();
  if (index >= 0)
    static_cast<const TlxFilterControlCriteria*>(OwningCriteria())->Link()->GetCaption(index, caption);
  return caption;
}

std::string TlxFilterControlCriteriaItem::GetFieldName() const {
  std::string name;
  const int32_t index = ValidLinkIndex();
  if (index >= 0)
    static_cast<const TlxFilterControlCriteria*>(OwningCriteria())->Link()->GetFieldName(index, name);
  return name;
}

const TClass* TlxFilterControlCriteriaItem::OperatorClassForKind(TlxFilterOperatorKind kind) const {
  const TClass* operator_class = TlxFilterCriteriaItem::OperatorClassForKind(kind);
  const auto* criteria = dynamic_cast<const TlxFilterControlCriteria*>(OwningCriteria());
  if (criteria != nullptr && criteria->Control() != nullptr)
    criteria->Control()->AdjustOperatorClass(operator_class);
  return operator_class;
}

// --- TlxFilterControlCriteria -------------------------------------------------

TlxFilterControlCriteria::TlxFilterControlCriteria(TlxFilterBuilder* control) : control_(control) {
  SetVersion(lxFilterCurrentVersion);
}

IlxFilterControl* TlxFilterControlCriteria::Link() const { return control_ != nullptr ? control_->Link() : nullptr; }

int32_t TlxFilterControlCriteria::GetItemLinkId(TObject* link) const {
  IlxFilterControl* control_link = Link();
  if (control_link == nullptr)
    return -1;
  const int32_t index = lxFilterLinkIndexOf(control_link, link);
  return index >= 0 ? control_link->GetItemLinkID(index) : -1;
}

std::string TlxFilterControlCriteria::GetItemLinkName(TObject* link) const {
  std::string name;
  IlxFilterControl* control_link = Link();
  if (control_link == nullptr)
    return name;
  const int32_t index = lxFilterLinkIndexOf(control_link, link);
  if (index >= 0)
    control_link->GetItemLinkName(index, name);
  return name;
}

TObject* TlxFilterControlCriteria::FindItemLinkById(int32_t id) const {
  IlxFilterControl* link = Link();
  if (link == nullptr)
    return nullptr;
  const int32_t count = link->GetCount();
  for (int32_t i = 0; i < count; ++i)
    if (link->GetItemLinkID(i) == id)
      return link->GetItemLink(i);
  return nullptr;
}

TObject* TlxFilterControlCriteria::FindItemLinkByName(const std::string& name) const {
  IlxFilterControl* link = Link();
  if (link == nullptr)
    return nullptr;
  const int32_t count = link->GetCount();
  for (int32_t i = 0; i < count; ++i) {
    std::string item_name;
    link->GetItemLinkName(i, item_name);
    if (SameText(item_name, name))
      return link->GetItemLink(i);
  }
  return nullptr;
}

// --- values ---------------------------------------------------------------------

std::string lxValueDisplayText(const TlxValueInfo& value, bool blank_when_empty) {
  const bool empty_text = (value.Value.Type() == varString && value.Value.TextView().empty()) ||
                          (value.Value.Type() == varOleStr && value.Value.WideView().empty());
  if (value.Value.IsNull() || (blank_when_empty && empty_text))
    return lxGetFilterResString(lxSFilterBlankCaption);
  return value.OperandText;
}

TlxValueInfo* TlxValuesViewInfo::AddOperand() {
  list_.push_back(std::make_unique<TlxValueInfo>());
  return list_.back().get();
}

void TlxValuesViewInfo::DeleteOperand(int32_t index) {
  if (index < 0 || index >= Count())
    return;
  list_.erase(list_.begin() + index);
}

// --- rows -----------------------------------------------------------------------

TlxCustomRowViewInfo::TlxCustomRowViewInfo(TlxFilterBuilder* control, TlxCustomFilterCriteriaItem* criteria_item,
                                           TlxGroupViewInfo* parent)
    : control_(control), parent_(parent), criteria_item_(criteria_item) {
  ButtonText = parent == nullptr ? lxFilterControlResString(lxSFilterRootButtonCaption) : "...";
  Level = LevelOfTree();
}

bool TlxCustomRowViewInfo::IsLastChild() const {
  return parent_ == nullptr || parent_->RowCount() == 0 || parent_->Row(parent_->RowCount() - 1) == this;
}

int32_t TlxCustomRowViewInfo::LevelOfTree() const {
  int32_t level = 0;
  for (const TlxGroupViewInfo* group = parent_; group != nullptr; group = group->Parent())
    ++level;
  return level;
}

TlxGroupViewInfo::TlxGroupViewInfo(TlxFilterBuilder* control, TlxCustomFilterCriteriaItem* criteria_item,
                                   TlxGroupViewInfo* parent)
    : TlxCustomRowViewInfo(control, criteria_item, parent) {
  if (const auto* list = dynamic_cast<const TlxFilterCriteriaItemList*>(criteria_item))
    GroupOperator = list->BoolOperatorKind();
  Caption = lxFilterControlResString(parent == nullptr ? lxSFilterRootGroupCaption : lxSFilterGroupCaption);
}

TlxGroupViewInfo::~TlxGroupViewInfo() { FreeAllRows(); }

void TlxGroupViewInfo::FreeAllRows() {
  for (auto& row : rows_)
    row.reset();
  rows_.clear();
}

int32_t TlxGroupViewInfo::IndexOf(const TlxCustomRowViewInfo* row) const {
  for (size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i].get() == row)
      return static_cast<int32_t>(i);
  return -1;
}

TlxCustomRowViewInfo* TlxGroupViewInfo::AppendRow(std::unique_ptr<TlxCustomRowViewInfo> row) {
  rows_.push_back(std::move(row));
  return rows_.back().get();
}

void TlxGroupViewInfo::FreeRow(TlxCustomRowViewInfo* row) {
  const int32_t index = IndexOf(row);
  if (index >= 0)
    rows_.erase(rows_.begin() + index);
}

// --- conditions -----------------------------------------------------------------

TlxConditionViewInfo::TlxConditionViewInfo(TlxFilterBuilder* control, TlxCustomFilterCriteriaItem* criteria_item,
                                           TlxGroupViewInfo* parent)
    : TlxCustomRowViewInfo(control, criteria_item, parent), values_(std::make_unique<TlxValuesViewInfo>(this)) {
  if (const auto* condition = dynamic_cast<const TlxFilterCriteriaItem*>(criteria_item)) {
    ReadCriteriaCondition(*condition);
    return;
  }
  SelectItem(-1);
}

TlxConditionViewInfo::~TlxConditionViewInfo() = default;

void TlxConditionViewInfo::ReadCriteriaCondition(const TlxFilterCriteriaItem& condition) {
  IlxFilterControl* link = Control()->Link();
  LinkObject = condition.ItemLink();
  LinkIndex = lxFilterLinkIndexOf(link, LinkObject);
  if (link == nullptr || link->GetCount() <= 0 || LinkIndex < 0 || LinkIndex >= link->GetCount())
    lxRaiseFilterControlError(lxFilterControlResString(lxSFilterErrorBuilding));
  link->GetCaption(LinkIndex, ItemCaption);
  // The null kinds have no operator of their own: they read as the blank
  // operators.
  SetOperator(lxFilterKindToOperator(condition.OperatorKind(), condition.ValueIsNull(condition.Value())));
  PrepareOperandEditor();

  const Variant& operand = condition.Value();
  if (Operator < fcoBetween || Operator > fcoNotInList) {
    TlxValueInfo* value = values_->AddOperand();
    value->Value = operand;
    value->OperandText = condition.DisplayValue();
  } else {
    // A scalar stands for a list of one. A ";" inside one of the values
    // splits the display text into more pieces than there are values:
    // then every text comes from its value.
    std::vector<Variant> elements;
    if (operand.IsArray()) {
      for (int32_t i = VarArrayLowBound(operand); i <= VarArrayHighBound(operand); ++i)
        elements.push_back(VarArrayGet(operand, i));
    } else {
      elements.push_back(operand);
    }
    const std::vector<std::string> texts = SplitListTexts(condition.DisplayValue());
    const bool texts_fit = texts.size() == elements.size();
    for (size_t i = 0; i < elements.size(); ++i) {
      TlxValueInfo* value = values_->AddOperand();
      value->Value = elements[i];
      value->OperandText = texts_fit ? texts[i] : DisplayTextOf(OperandProperties(), value->Value);
    }
  }
  // Operands of the wrong number (a scalar for between, an empty list)
  // are completed, so that every operator finds what it writes.
  if (TakesOperands()) {
    const int32_t needed = IsRangeOperator() ? 2 : 1;
    while (values_->Count() < needed)
      values_->AddOperand();
    if (IsRangeOperator())
      while (values_->Count() > 2)
        values_->DeleteOperand(values_->Count() - 1);
  }
}

bool TlxConditionViewInfo::TakesOperands() const {
  if (Operator == fcoBlanks || Operator == fcoNonBlanks)
    return false;
  return Operator < fcoYesterday || Operator > fcoFuture;
}

TlxCustomEditProperties* TlxConditionViewInfo::ItemEditProperties() const {
  IlxFilterControl* link = Control()->Link();
  if (link != nullptr && LinkIndex >= 0 && LinkIndex < link->GetCount())
    if (TlxCustomEditProperties* properties = link->GetProperties(LinkIndex))
      return properties;
  return Control()->GetDefaultProperties();
}

void TlxConditionViewInfo::PrepareOperandEditor() {
  OperandEditData.reset();
  operand_properties_.reset();
  TlxCustomEditProperties* properties = ItemEditProperties();
  HelperClass = HelperForProperties(properties);
  IlxFilterControl* link = Control()->Link();
  ValueTypeClass = link != nullptr && LinkIndex >= 0 && LinkIndex < link->GetCount() ? link->GetValueType(LinkIndex)
                                                                                      : nullptr;
  TlxFilterConditionOperators operators;
  HelperClass->GetSupportedOperators(properties, ValueTypeClass, operators, true);
  Control()->AdjustSupportedOperators(operators);
  OfferedOperators = operators;
}

TlxCustomEditProperties* TlxConditionViewInfo::OperandProperties() const {
  if (operand_properties_ != nullptr)
    return operand_properties_.get();
  TlxCustomEditProperties* properties = ItemEditProperties();
  if (properties == nullptr)
    return nullptr;
  // The copy keeps the source's edit buttons.
  operand_properties_ = properties->CreateSameKind();
  HelperClass->InitValueEditorProperties(operand_properties_.get(), properties, true);
  return operand_properties_.get();
}

void TlxConditionViewInfo::SetOperator(TlxFilterConditionOperator op) {
  Operator = op;
  OperatorCaption = lxFilterOperatorCaption(op);
}

void TlxConditionViewInfo::SelectItem(int32_t index) {
  if (index >= 0 && index == LinkIndex)
    return;
  IlxFilterControl* link = Control()->Link();
  const int32_t count = link != nullptr ? link->GetCount() : 0;
  if (index < 0 && count > 0) {
    index = 0;
    if (Control()->SortItems()) {
      TStringList captions;
      captions.SetSorted(true);
      for (int32_t i = 0; i < count; ++i) {
        std::string caption;
        link->GetCaption(i, caption);
        captions.AddData(caption, i);
      }
      index = static_cast<int32_t>(captions.Data(0));
    }
  }
  if (index >= 0 && index < count) {
    LinkIndex = index;
    LinkObject = link->GetItemLink(index);
    ItemCaption.clear();
    link->GetCaption(index, ItemCaption);
  } else {
    LinkIndex = -1;
    LinkObject = nullptr;
    ItemCaption.clear();
  }
  PrepareOperandEditor();
  if (OfferedOperators.Contains(fcoLike)) {
    SetOperator(fcoLike);
  } else {
    for (int32_t op = fcoEqual; op <= kLxLastFilterConditionOperator; ++op) {
      if (OfferedOperators.Contains(static_cast<TlxFilterConditionOperator>(op))) {
        SetOperator(static_cast<TlxFilterConditionOperator>(op));
        break;
      }
    }
  }
  FitOperands(false);
  values_->Calculate();
  if (Control()->EditMode == femOperandEditor)
    Control()->Host().ForgetOperandEditor();
}

void TlxConditionViewInfo::FitOperands(bool keep) {
  if (keep && TakesOperands()) {
    int32_t limit = IsListOperator() ? values_->Count() : (IsRangeOperator() ? 2 : 1);
    while (values_->Count() > limit)
      values_->DeleteOperand(values_->Count() - 1);
    const int32_t needed = IsRangeOperator() ? 2 : 1;
    while (values_->Count() < needed)
      values_->AddOperand();
    return;
  }
  values_->Clear();
  values_->AddOperand();
  if (IsRangeOperator())
    values_->AddOperand();
}
