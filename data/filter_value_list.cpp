#include "data/filter_value_list.h"

#include "data/filter_criteria.h"
#include "data/variant_utils.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/text.h"

TlxFilterValueList::~TlxFilterValueList() = default;

int TlxFilterValueList::CompareItem(int32_t index, const Variant& value, const std::string& display_text) const {
  const TlxFilterValueItem& entry = EntryAt(index);
  if (sort_by_display_text_) {
    const bool ignore_case = criteria_->HasOption(fcoCaseInsensitive);
    const std::string a = ignore_case ? AnsiUpperCase(entry.DisplayText) : entry.DisplayText;
    const std::string b = ignore_case ? AnsiUpperCase(display_text) : display_text;
    const int result = AnsiCompareStr(a, b);
    if (result != 0)
      return result;
  }
  return lxVariantCompare(criteria_->NormalizeValue(entry.Value), criteria_->NormalizeValue(value));
}

void TlxFilterValueList::InsertEntry(int32_t index, TlxFilterValueItemKind kind, const Variant& value,
                                     const std::string& text) {
  items_.insert(items_.begin() + index, std::make_unique<TlxFilterValueItem>(TlxFilterValueItem{kind, value, text}));
}

void TlxFilterValueList::Add(TlxFilterValueItemKind kind, const Variant& value, const std::string& display_text,
                             bool append) {
  if (kind == fvkLeading) {
    int32_t separator = SeparatorIndex();
    if (separator < 0) {
      InsertEntry(0, fvkSeparator, Variant::Null(), std::string());
      separator = 0;
    }
    InsertEntry(separator, kind, value, display_text);
    return;
  }
  if (kind == fvkValue) {
    if (append) {
      InsertEntry(Count(), kind, value, display_text);
      return;
    }
    if (MaxCount() != 0 && Count() >= MaxCount())
      return;
    int32_t index = 0;
    if (FindValue(value, display_text, index))
      return;
    InsertEntry(index, kind, value, display_text);
    return;
  }
  InsertEntry(FirstValueIndex(), kind, value, display_text);
}

void TlxFilterValueList::Clear() { items_.clear(); }

bool TlxFilterValueList::FindValue(const Variant& value, const std::string& display_text, int32_t& index) const {
  const int32_t separator = SeparatorIndex();
  for (int32_t i = 0; i < separator; ++i) {
    if (CompareItem(i, value, display_text) == 0) {
      index = i;
      return true;
    }
  }
  int32_t low = FirstValueIndex();
  int32_t high = Count() - 1;
  bool found = false;
  while (low <= high) {
    const int32_t middle = low + (high - low) / 2;
    const int result = CompareItem(middle, value, display_text);
    if (result < 0) {
      low = middle + 1;
    } else {
      if (result == 0)
        found = true;
      high = middle - 1;
    }
  }
  index = low;
  return found;
}

int32_t TlxFilterValueList::FindItemForCriteriaItem(const TlxFilterCriteriaItem* condition) const {
  if (condition == nullptr)
    return IndexOfKind(fvkAll);
  const TlxFilterOperatorKind kind = condition->OperatorKind();
  if ((kind == fokEqual || kind == fokNotEqual) && condition->ValueIsNull(condition->Value()))
    return IndexOfKind(kind == fokEqual ? fvkBlanks : fvkNonBlanks);
  int32_t index = -1;
  if (kind == fokEqual && FindValue(condition->Value(), condition->DisplayValue(), index))
    return index;
  return IndexOfKind(fvkCustom);
}

const TlxFilterValueItem& TlxFilterValueList::EntryAt(int32_t index) const {
  if (index < 0 || index >= Count())
    throw EListError::IndexOutOfBounds(index);
  return *items_[static_cast<size_t>(index)];
}

void TlxFilterValueList::Delete(int32_t index) {
  EntryAt(index);
  items_.erase(items_.begin() + index);
}

int32_t TlxFilterValueList::MaxCount() const { return criteria_->MaxValueListCount(); }

int32_t TlxFilterValueList::SeparatorIndex() const {
  for (int32_t i = 0; i < Count(); ++i) {
    if (items_[static_cast<size_t>(i)]->Kind == fvkSeparator)
      return i;
    if (items_[static_cast<size_t>(i)]->Kind != fvkLeading)
      return -1;
  }
  return -1;
}

int32_t TlxFilterValueList::FirstValueIndex() const {
  const int32_t found = IndexOfKind(fvkValue);
  return found < 0 ? Count() : found;
}

int32_t TlxFilterValueList::IndexOfKind(TlxFilterValueItemKind kind) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (items_[static_cast<size_t>(i)]->Kind == kind)
      return i;
  return -1;
}

int32_t TlxFilterValueList::IndexOfKindValue(TlxFilterValueItemKind kind, const Variant& value) const {
  for (int32_t i = 0; i < Count(); ++i) {
    const TlxFilterValueItem& entry = *items_[static_cast<size_t>(i)];
    if (entry.Kind == kind && (value.IsNull() || lxVariantEquals(entry.Value, value)))
      return i;
  }
  return -1;
}

int32_t TlxFilterValueList::IndexOfValue(const Variant& value) const {
  int32_t index = -1;
  return FindValue(value, VarToStr(value), index) ? index : -1;
}
