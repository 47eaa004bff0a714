#include "data/data_controller.h"

#include "data/data_utils.h"
#include "data/variant_utils.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"

int32_t TlxCustomDataController::CompareByField(int32_t record1, int32_t record2, TlxCustomDataField& field) {
  bool by_value = false;
  switch (field.CompareMode()) {
    case -1:
      break;
    case 1:
    case 2:
      by_value = true;
      break;
    default:
      by_value = NeedsVariantCompare(field);
      break;
  }
  if ((OnCompare && !field.IsInternal()) || by_value) {
    if (!OnCompare && IsProviderMode() && provider_->CustomDataSource()->ComparesValues() && record1 >= 0 &&
        record2 >= 0)
      return provider_->CustomCompare(record1, record2, field);
    const Variant v1 = GetComparisonValue(record1, field);
    const Variant v2 = GetComparisonValue(record2, field);
    if (OnCompare) {
      int32_t compare = 0;
      OnCompare(this, record1, record2, ItemIndexOfField(&field), v1, v2, compare);
      return compare;
    }
    if (v1.IsText() && v2.IsText())
      return CompareStrings(v1.AsString(), v2.AsString());
    return lxVariantCompare(v1, v2);
  }
  const TlxValueDef* def = field.ValueDef();
  if (!def)
    return 0;
  if (IsProviderMode())
    return provider_->CompareValues(record1, record2, field);
  return storage_->CompareRecordValues(record1, record2, *def);
}

int32_t TlxCustomDataController::CompareStrings(const std::string& s1, const std::string& s2) const {
  const bool ansi = HasOption(dcoAnsiSort);
  const bool ignore_case = HasOption(dcoCaseInsensitive);
  if (ansi && ignore_case)
    return AnsiCompareText(s1, s2);
  if (ansi)
    return AnsiCompareStr(s1, s2);
  if (ignore_case) {
    const int c = AnsiUpperCase(s1).compare(AnsiUpperCase(s2));
    return (c > 0) - (c < 0);
  }
  return lxVariantCompare(Variant(s1), Variant(s2));
}

int32_t TlxCustomDataController::CompareRecordIndexes(int32_t record1, int32_t record2) const {
  return (record1 > record2) - (record1 < record2);
}

int32_t TlxCustomDataController::CompareBySortingField(int32_t record1, int32_t record2,
                                                       const TlxSortingFieldEntry& entry) {
  const int32_t result = CompareByField(record1, record2, *entry.Field);
  // Negating with a clamp: a handler's INT32_MIN must not overflow.
  if (entry.SortOrder == soDescending)
    return (result < 0) - (result > 0);
  return result;
}

Variant TlxCustomDataController::GetComparisonValue(int32_t record, TlxCustomDataField& field) {
  if (field.CompareMode() == 2)
    return Variant(GetFieldDisplayText(record, field));
  return GetFieldValue(record, field);
}

bool TlxCustomDataController::NeedsVariantCompare(const TlxCustomDataField& field) const {
  if (field.CompareMode() != 0)
    return field.CompareMode() > 0;
  if (field.ValueCompare() || NeedsStringConversionCompare(field) || ComparesByDisplayText(field))
    return true;
  return IsProviderMode() && !provider_->CustomDataSource()->ComparesValues();
}

bool TlxCustomDataController::NeedsStringConversionCompare(const TlxCustomDataField& field) const {
  if (!HasOption(dcoAnsiSort) && !HasOption(dcoCaseInsensitive))
    return false;
  const TlxValueTypeClass type = field.ValueTypeClass();
  return type && type->IsTextType();
}

bool TlxCustomDataController::ComparesByDisplayText(const TlxCustomDataField& field) const {
  if (internal_record_search_ || field.IsInternal())
    return false;
  const int32_t item = ItemIndexOfField(&field);
  return item >= 0 && IsItemSortedByDisplayText(item, HasOption(dcoSortByDisplayText));
}

bool TlxCustomDataController::IsItemComparedAsText(int32_t item_index) const {
  if (IsItemSortedByDisplayText(item_index, true))
    return true;
  const TlxValueTypeClass type = ItemField(item_index)->ValueTypeClass();
  return HasOption(dcoAnsiSort) && type && type->IsTextType();
}

int32_t TlxCustomDataController::FindRecordByFieldValues(int32_t search_record,
                                                        const std::vector<TlxCustomDataField*>& fields) {
  if (fields.empty())
    return -1;
  TStateScope searching(internal_record_search_, true);
  for (int32_t record = 0; record < GetRecordCount(); ++record) {
    bool equal = true;
    for (TlxCustomDataField* field : fields)
      if (CompareByField(search_record, record, *field) != 0) {
        equal = false;
        break;
      }
    if (equal)
      return record;
  }
  return -1;
}

TlxDataSortOrder TlxCustomDataController::GetItemSortOrder(int32_t item_index) const {
  const TlxCustomDataField* field = ItemField(item_index);
  const TlxDataSortOrder order = info_->SortingFieldList().SortOrderOf(field);
  if (order != soNone)
    return order;
  return info_->GroupingFieldList().SortOrderOf(field);
}

int32_t TlxCustomDataController::GetItemSortIndex(int32_t item_index) const {
  return info_->SortingFieldList().SortIndexOf(ItemField(item_index));
}

int32_t TlxCustomDataController::GetSortingItemCount() const { return info_->SortingFieldList().Count(); }

int32_t TlxCustomDataController::GetSortingItemIndex(int32_t position) const {
  return ItemIndexOfField(info_->SortingFieldList().GetEntry(position).Field);
}

void TlxCustomDataController::ChangeSortOrder(int32_t item_index, TlxDataSortOrder order) {
  TlxCustomDataField* field = ItemField(item_index);
  if (info_->SortingFieldList().SortOrderOf(field) == order)
    return;
  PostIfEditing();
  sorting_changed_ = true;
  TUpdateScope update(*this);
  info_->ChangeSortOrder(field, order);
}

void TlxCustomDataController::ChangeSortIndex(int32_t item_index, int32_t position) {
  TlxCustomDataField* field = ItemField(item_index);
  if (info_->SortingFieldList().Find(field) == position)
    return;
  TUpdateScope update(*this);
  const bool grouped = info_->GroupingFieldList().Find(field) >= 0;
  if (grouped && position == -1 && GetItemSortOrder(item_index) == soAscending) {
    ChangeSortOrder(item_index, soNone);
    return;
  }
  if (info_->SortingFieldList().Find(field) < 0)
    ChangeSortOrder(item_index, GetItemSortOrder(item_index));
  if (GetItemSortOrder(item_index) != soNone)
    info_->ChangeSortIndex(field, position);
}

void TlxCustomDataController::ClearSorting(bool keep_grouped_orders) {
  TUpdateScope update(*this);
  info_->ClearSorting(keep_grouped_orders);
}

bool TlxCustomDataController::DoFilterRecord(int32_t record) {
  bool accept = true;
  if (on_filter_record_)
    on_filter_record_(this, record, accept);
  return accept;
}

int32_t TlxCustomDataController::SetIncrementalFilter(int32_t item_index, const std::string& text) {
  incremental_filter_field_ = ItemField(item_index);
  incremental_filter_text_ = text;
  Refresh();
  return GetFilteredRecordCount() > 0 ? GetFilteredRecordIndex(0) : -1;
}

void TlxCustomDataController::ResetIncrementalFilter() {
  const bool was_active = IsIncrementalFilterActive();
  incremental_filter_field_ = nullptr;
  incremental_filter_text_.clear();
  if (was_active && !IsOwnerDestroying())
    Refresh();
}

bool TlxCustomDataController::ChangeIncrementalFilterText(const std::string& text) {
  if (!incremental_filter_field_ || text == incremental_filter_text_)
    return false;
  SetIncrementalFilter(ItemIndexOfField(incremental_filter_field_), text);
  return true;
}

bool TlxCustomDataController::IsIncrementalFilterActive() const {
  return incremental_filter_field_ && !incremental_filter_text_.empty();
}

bool TlxCustomDataController::MatchesIncrementalFilter(int32_t record) {
  return lxTextEqualsOrStartsWith(GetFieldDisplayText(record, *incremental_filter_field_), incremental_filter_text_,
                                  true);
}

int32_t TlxCustomDataController::FindRowByItemText(int32_t start, int32_t item_index, const std::string& text,
                                                   bool partial, bool wrap, bool forward) {
  TlxCustomDataField& field = *ItemField(item_index);
  const int32_t count = GetFilteredRecordCount();
  if (start < 0 || start >= count)
    return -1;
  auto matches = [&](int32_t position) {
    return lxTextEqualsOrStartsWith(GetFieldDisplayText(GetFilteredRecordIndex(position), field), text, partial);
  };
  const int32_t step = forward ? 1 : -1;
  for (int32_t position = start; position >= 0 && position < count; position += step)
    if (matches(position))
      return GetFilteredRecordIndex(position);
  if (start == 0 || !wrap)
    return -1;
  if (forward) {
    for (int32_t position = 0; position < start; ++position)
      if (matches(position))
        return GetFilteredRecordIndex(position);
  } else {
    for (int32_t position = count - 1; position > start; --position)
      if (matches(position))
        return GetFilteredRecordIndex(position);
  }
  return -1;
}
