#include "data/filter_criteria.h"

#include <algorithm>

#include "data/filter_operators.h"
#include "data/filter_texts.h"
#include "data/filter_value_list.h"
#include "data/variant_utils.h"
#include "platform/rtl/date_text.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/property.h"
#include "platform/rtl/text.h"

// TlxCustomFilterCriteriaItem

void TlxCustomFilterCriteriaItem::Changed() {
  if (TlxFilterCriteria* criteria = OwningCriteria())
    criteria->MarkChanged();
}

TlxFilterCriteria* TlxCustomFilterCriteriaItem::OwningCriteria() const {
  return parent_ != nullptr ? parent_->OwningCriteria() : nullptr;
}

void TlxCustomFilterCriteriaItem::LoadFromStream(TStream&) {}

void TlxCustomFilterCriteriaItem::SaveToStream(TStream&) const {}

// TlxFilterCriteriaItemList

TlxFilterCriteriaItemList::TlxFilterCriteriaItemList(TlxFilterCriteriaItemList* parent)
    : TlxCustomFilterCriteriaItem(parent) {}

TlxFilterCriteriaItemList::~TlxFilterCriteriaItemList() {
  // Children go from the last to the first, without change reports.
  while (!items_.empty())
    items_.pop_back();
}

TlxFilterCriteria* TlxFilterCriteriaItemList::OwningCriteria() const {
  if (criteria_ != nullptr)
    return criteria_;
  return TlxCustomFilterCriteriaItem::OwningCriteria();
}

std::unique_ptr<TlxCustomFilterCriteriaItem> TlxFilterCriteriaItemList::RemoveChild(
    TlxCustomFilterCriteriaItem* node) {
  const int32_t index = IndexOf(node);
  if (index < 0)
    return nullptr;
  std::unique_ptr<TlxCustomFilterCriteriaItem> removed = std::move(items_[static_cast<size_t>(index)]);
  items_.erase(items_.begin() + index);
  Changed();
  return removed;
}

TlxFilterCriteriaItem* TlxFilterCriteriaItemList::AddCondition(TObject* item_link, TlxFilterOperatorKind kind,
                                                              const Variant& operand,
                                                              const std::string& display_value) {
  TlxFilterCriteria* criteria = OwningCriteria();
  auto condition = CreateUnowned<TlxFilterCriteriaItem>(
      criteria != nullptr ? criteria->ConditionItemClass() : nullptr);
  condition->parent_ = this;
  condition->Initialize(item_link, kind, operand, display_value);
  TlxFilterCriteriaItem* added = condition.get();
  items_.push_back(std::move(condition));
  Changed();
  return added;
}

TlxFilterCriteriaItemList* TlxFilterCriteriaItemList::AddSubList(TlxFilterBoolOperatorKind kind) {
  TlxFilterCriteria* criteria = OwningCriteria();
  const TClass* list_class = criteria != nullptr ? criteria->ItemListClass() : &TlxFilterCriteriaItemList::kClass;
  auto list = CreateUnowned<TlxFilterCriteriaItemList>(list_class);
  list->parent_ = this;
  list->bool_operator_kind_ = kind;
  TlxFilterCriteriaItemList* added = list.get();
  items_.push_back(std::move(list));
  Changed();
  return added;
}

void TlxFilterCriteriaItemList::AppendChild(std::unique_ptr<TlxCustomFilterCriteriaItem> node) {
  node->parent_ = this;
  items_.push_back(std::move(node));
  Changed();
}

void TlxFilterCriteriaItemList::FreeChild(TlxCustomFilterCriteriaItem* node) { RemoveChild(node).reset(); }

void TlxFilterCriteriaItemList::FreeAllChildren() {
  TlxFilterCriteria* criteria = OwningCriteria();
  if (criteria == nullptr) {
    items_.clear();
    return;
  }
  TlxFilterChangesScope changes(*criteria);
  while (!items_.empty())
    FreeChild(items_.back().get());
}

TlxCustomFilterCriteriaItem* TlxFilterCriteriaItemList::ItemAt(int32_t index) const {
  if (index < 0 || index >= ItemCount())
    return nullptr;
  return items_[static_cast<size_t>(index)].get();
}

int32_t TlxFilterCriteriaItemList::IndexOf(const TlxCustomFilterCriteriaItem* node) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == node)
      return static_cast<int32_t>(i);
  return -1;
}

void TlxFilterCriteriaItemList::SetBoolOperatorKind(TlxFilterBoolOperatorKind kind) {
  if (bool_operator_kind_ == kind)
    return;
  bool_operator_kind_ = kind;
  Changed();
}

// TlxFilterCriteriaItem

TlxFilterCriteriaItem::TlxFilterCriteriaItem(TlxFilterCriteriaItemList* parent)
    : TlxCustomFilterCriteriaItem(parent), value_(Variant::Null()) {}

TlxFilterCriteriaItem::~TlxFilterCriteriaItem() = default;

std::string TlxFilterCriteriaItem::GetValueCaption() const {
  std::string text = display_value_;
  operator_->AdjustDisplayValue(text);
  return text;
}

std::string TlxFilterCriteriaItem::GetValueText(bool caption_form) const {
  if (caption_form)
    return GetValueCaption();
  return operator_->ValueToFilterText(value_);
}

const TClass* TlxFilterCriteriaItem::OperatorClassForKind(TlxFilterOperatorKind kind) const {
  if ((kind == fokEqual || kind == fokLike) && ValueIsNull(value_))
    return &TlxFilterNullOperator::kClass;
  if ((kind == fokNotEqual || kind == fokNotLike) && ValueIsNull(value_))
    return &TlxFilterNotNullOperator::kClass;
  return lxFilterOperatorClassOfKind(kind);
}

void TlxFilterCriteriaItem::RebuildOperator() {
  const bool existed = operator_ != nullptr;
  operator_.reset();
  const TClass* operator_class = OperatorClassForKind(operator_kind_);
  if (operator_class == nullptr)
    throw EInvalidArgument("Invalid filter operator kind " + std::to_string(operator_kind_));
  operator_.reset(dynamic_cast<TlxFilterOperator*>(operator_class->CreateInstance(this)));
  if (existed)
    Changed();
}

void TlxFilterCriteriaItem::Initialize(TObject* item_link, TlxFilterOperatorKind kind, const Variant& operand,
                                       const std::string& display_value) {
  StoreItemLink(item_link);
  display_value_ = display_value;
  operator_kind_ = kind;
  value_ = operand;
  RebuildOperator();
  ApplyBlankDisplayValue();
}

bool TlxFilterCriteriaItem::ValueIsNull(const Variant& value) const {
  const TlxFilterCriteria* criteria = OwningCriteria();
  return criteria != nullptr ? criteria->IsNullValue(value) : value.IsNull();
}

// Through the link as the deriving criteria keeps it (a field, say).
bool TlxFilterCriteriaItem::IsEmptyNode() const { return ItemLink() == nullptr; }

void TlxFilterCriteriaItem::SetDisplayValue(const std::string& text) {
  if (display_value_ == text)
    return;
  display_value_ = text;
  Changed();
}

void TlxFilterCriteriaItem::SetOperatorKind(TlxFilterOperatorKind kind) {
  if (operator_kind_ == kind)
    return;
  if (kind > kLxLastFilterOperatorKind)
    throw EInvalidArgument("Invalid filter operator kind " + std::to_string(kind));
  operator_kind_ = kind;
  RebuildOperator();
}

void TlxFilterCriteriaItem::SetValue(const Variant& operand) {
  if (lxVariantCompare(value_, operand) == 0)
    return;
  value_ = operand;
  // Whether the operand is null decides the operator class.
  RebuildOperator();
}

void TlxFilterCriteriaItem::ApplyBlankDisplayValue() {
  if (display_value_.empty() && operator_->InheritsFrom(&TlxFilterNullOperator::kClass))
    display_value_ = lxGetFilterResString(lxSFilterBlankCaption);
}

// TlxFilterChangesScope

TlxFilterChangesScope::~TlxFilterChangesScope() noexcept(false) {
  if (cancelled_) {
    criteria_.CancelChanges();
    return;
  }
  if (std::uncaught_exceptions() == 0) {
    criteria_.EndChanges();
    return;
  }
  // The exception already unwinding is the one to report; the bracket
  // closes all the same, and a pending change stays pending.
  criteria_.CancelChanges();
}

// TlxFilterCriteria

void TlxFilterCriteria::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxFilterCriteria>();
  p.SetOf("Options", &TlxFilterCriteria::Options, &TlxFilterCriteria::SetOptions,
          {"fcoCaseInsensitive", "fcoShowOperatorDescription", "fcoSoftNull", "fcoSoftCompare", "fcoIgnoreNull"},
          0);
  p.Integer(
      "PercentWildcard", [](const TlxFilterCriteria& self) { return static_cast<unsigned char>(self.PercentWildcard()); },
      [](TlxFilterCriteria& self, int64_t value) { self.SetPercentWildcard(static_cast<char>(value)); }, 37);
  p.Integer(
      "UnderscoreWildcard",
      [](const TlxFilterCriteria& self) { return static_cast<unsigned char>(self.UnderscoreWildcard()); },
      [](TlxFilterCriteria& self, int64_t value) { self.SetUnderscoreWildcard(static_cast<char>(value)); }, 95);
  p.Integer("MaxValueListCount", &TlxFilterCriteria::MaxValueListCount, &TlxFilterCriteria::SetMaxValueListCount, 0);
}

TlxFilterCriteria::TlxFilterCriteria() : root_(std::make_unique<TlxFilterCriteriaItemList>(nullptr)) {
  root_->SetCriteria(this);
}

TlxFilterCriteria::~TlxFilterCriteria() = default;

void TlxFilterCriteria::CheckChanged() {
  if (!changed_ || lock_count_ != 0)
    return;
  changed_ = false;
  PrepareOperators();
  DoChanged();
}

std::string TlxFilterCriteria::ValueToText(const Variant& value) const { return VarToStr(value); }

std::string TlxFilterCriteria::DateValueToText(const Variant& value) const {
  if (!date_time_format_.empty())
    return FormatDateTime(date_time_format_, value.AsDateTime());
  return VarToStr(value);
}

void TlxFilterCriteria::DoFormatFilterTextValue(const TlxFilterCriteriaItem&, const Variant&, std::string&) const {}

const TClass* TlxFilterCriteria::ValueListClass() const { return &TlxFilterValueList::kClass; }

namespace {

template <class Visit>
void ForEachCondition(const TlxFilterCriteriaItemList& list, Visit visit) {
  for (int32_t i = 0; i < list.ItemCount(); ++i) {
    TlxCustomFilterCriteriaItem* node = list.ItemAt(i);
    if (node->IsList())
      ForEachCondition(static_cast<const TlxFilterCriteriaItemList&>(*node), visit);
    else
      visit(static_cast<TlxFilterCriteriaItem&>(*node));
  }
}

TlxFilterCriteriaItem* FirstConditionWithLink(const TlxFilterCriteriaItemList& list, TObject* link) {
  for (int32_t i = 0; i < list.ItemCount(); ++i) {
    TlxCustomFilterCriteriaItem* node = list.ItemAt(i);
    if (node->IsList()) {
      if (TlxFilterCriteriaItem* found = FirstConditionWithLink(static_cast<TlxFilterCriteriaItemList&>(*node), link))
        return found;
    } else if (static_cast<TlxFilterCriteriaItem*>(node)->ItemLink() == link) {
      return static_cast<TlxFilterCriteriaItem*>(node);
    }
  }
  return nullptr;
}

}  // namespace

void TlxFilterCriteria::PrepareOperators() {
  ForEachCondition(*root_, [](TlxFilterCriteriaItem& condition) { condition.Operator().Prepare(); });
}

Variant TlxFilterCriteria::NormalizeValue(const Variant& value) const {
  if (value.Type() == varCurrency)
    return Variant(value.AsDouble());
  if (value.IsText())
    return HasOption(fcoCaseInsensitive) ? Variant(AnsiUpperCase(value.AsString())) : value;
  if (value.IsArray()) {
    Variant copy = value;
    TVariantArray& items = copy.Array();
    for (int32_t i = items.LowBound(); i <= items.HighBound(); ++i)
      items.Put(i, NormalizeValue(items.Get(i)));
    return copy;
  }
  return value;
}

void TlxFilterCriteria::DoChanged() {
  if (OnChanged)
    OnChanged(this);
}

void TlxFilterCriteria::AssignFrom(const TPersistent* source, bool version2_only) {
  const auto* other = dynamic_cast<const TlxFilterCriteria*>(source);
  if (other == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this)
    return;
  TlxFilterChangesScope changes(*this);
  SetDateTimeFormat(other->date_time_format_);
  max_value_list_count_ = other->max_value_list_count_;
  SetOptions(other->options_);
  SetPercentWildcard(other->percent_wildcard_);
  translate_between_ = other->translate_between_;
  translate_like_ = other->translate_like_;
  translate_in_ = other->translate_in_;
  supported_like_ = other->supported_like_;
  SetUnderscoreWildcard(other->underscore_wildcard_);
  AssignItems(*other, version2_only);
  AssignEvents(*other);
}

void TlxFilterCriteria::AssignEvents(const TlxFilterCriteria& source) { OnChanged = source.OnChanged; }

TlxFilterCriteriaItem* TlxFilterCriteria::AddItem(TlxFilterCriteriaItemList* list, TObject* item_link,
                                                  TlxFilterOperatorKind kind, const Variant& operand,
                                                  const std::string& display_value) {
  return (list != nullptr ? list : root_.get())->AddCondition(item_link, kind, operand, display_value);
}

void TlxFilterCriteria::MarkChanged() {
  changed_ = true;
  CheckChanged();
}

TlxFilterCriteriaItem* TlxFilterCriteria::LocateItemByLink(TObject* link) const {
  return FirstConditionWithLink(*root_, link);
}

bool TlxFilterCriteria::HasNoItems() const { return root_->ItemCount() == 0; }

void TlxFilterCriteria::ResetToDefaults() {
  TlxFilterChangesScope changes(*this);
  SetOptions(0);
  SetPercentWildcard('%');
  supported_like_ = true;
  translate_between_ = false;
  translate_like_ = false;
  translate_in_ = false;
  SetUnderscoreWildcard('_');
}

bool TlxFilterCriteria::IsNullValue(const Variant& value) const {
  return HasOption(fcoSoftNull) ? lxVariantIsBlank(value) : value.IsNull();
}

void TlxFilterCriteria::EndChanges() {
  --lock_count_;
  CheckChanged();
}

void TlxFilterCriteria::RemoveAllItems() {
  TlxFilterChangesScope changes(*this);
  root_->FreeAllChildren();
  root_->SetBoolOperatorKind(fbkAnd);
}

void TlxFilterCriteria::TidyAfterRemoval(TlxFilterCriteriaItemList* list) {
  // Lists emptied by the removal go, up to the root.
  while (list != root_.get() && list->ItemCount() == 0) {
    TlxFilterCriteriaItemList* parent = list->Parent();
    parent->FreeChild(list);
    list = parent;
  }
  if (list == root_.get() || list->ItemCount() != 1)
    return;
  // A list left with one child gives way to it, unless the list negates:
  // then dissolving it would lose the NOT.
  const TlxFilterBoolOperatorKind kind = list->BoolOperatorKind();
  if (kind != fbkAnd && kind != fbkOr)
    return;
  TlxFilterCriteriaItemList* parent = list->Parent();
  std::unique_ptr<TlxCustomFilterCriteriaItem> child = list->RemoveChild(list->ItemAt(0));
  parent->AppendChild(std::move(child));
  parent->FreeChild(list);
}

void TlxFilterCriteria::RemoveItemsByLink(TObject* link) {
  TlxFilterChangesScope changes(*this);
  bool removed = false;
  while (TlxFilterCriteriaItem* condition = LocateItemByLink(link)) {
    TlxFilterCriteriaItemList* parent = condition->Parent();
    parent->FreeChild(condition);
    TidyAfterRemoval(parent);
    removed = true;
  }
  if (!removed)
    changes.Cancel();
}

bool TlxFilterCriteria::EvaluateRecord(int32_t record_index) { return EvaluateList(*root_, record_index); }

bool TlxFilterCriteria::EvaluateList(const TlxFilterCriteriaItemList& list, int32_t record_index) {
  bool result = true;
  for (int32_t i = 0; i < list.ItemCount(); ++i) {
    TlxCustomFilterCriteriaItem* node = list.ItemAt(i);
    // Every child is evaluated: no short-circuit.
    const bool value = node->IsList() ? EvaluateList(static_cast<TlxFilterCriteriaItemList&>(*node), record_index)
                                      : EvaluateCondition(static_cast<TlxFilterCriteriaItem&>(*node), record_index);
    const TlxFilterBoolOperatorKind kind = list.BoolOperatorKind();
    if (i == 0) {
      result = (kind == fbkAnd || kind == fbkOr) ? value : !value;
      continue;
    }
    switch (kind) {
      case fbkAnd: result = result && value; break;
      case fbkOr: result = result || value; break;
      case fbkNotAnd: result = result || !value; break;
      case fbkNotOr: result = result && !value; break;
    }
  }
  return result;
}

bool TlxFilterCriteria::EvaluateCondition(TlxFilterCriteriaItem& condition, int32_t record_index) {
  try {
    const Variant value = NormalizeValue(condition.GetRecordValue(record_index));
    const Variant operand = NormalizeValue(condition.Value());
    TlxFilterOperator& op = condition.Operator();
    if (HasOption(fcoIgnoreNull) && !op.TestsForNull() && IsNullValue(value))
      return false;
    return op.Evaluate(value, operand);
  } catch (const EVariantError&) {
    if (!HasOption(fcoSoftCompare))
      throw;
    return false;
  }
}

bool TlxFilterCriteria::IsStored() const {
  return saving_to_stream_ || root_->ItemCount() > 0 || root_->BoolOperatorKind() != fbkAnd;
}

void TlxFilterCriteria::SetDateTimeFormat(const std::string& format) {
  if (date_time_format_ == format)
    return;
  date_time_format_ = format;
  MarkChanged();
}

void TlxFilterCriteria::SetOptions(TlxFilterCriteriaOptions options) {
  if (options_ == options)
    return;
  options_ = options;
  MarkChanged();
}

void TlxFilterCriteria::SetPercentWildcard(char wildcard) {
  if (percent_wildcard_ == wildcard)
    return;
  percent_wildcard_ = wildcard;
  MarkChanged();
}

void TlxFilterCriteria::SetUnderscoreWildcard(char wildcard) {
  if (underscore_wildcard_ == wildcard)
    return;
  underscore_wildcard_ = wildcard;
  MarkChanged();
}
