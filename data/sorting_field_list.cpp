#include "data/sorting_field_list.h"

#include <algorithm>

void TlxSortingFieldList::ApplySortOrder(TlxCustomDataField* field, TlxDataSortOrder order) {
  const int32_t position = Find(field);
  if (position >= 0) {
    if (order == soNone)
      Delete(position);
    else
      SetSortOrderAt(position, order);
    return;
  }
  if (order != soNone)
    Add(field, order);
}

void TlxSortingFieldList::Add(TlxCustomDataField* field, TlxDataSortOrder order) {
  entries_.push_back({field, order});
  Changed();
}

void TlxSortingFieldList::Insert(int32_t position, TlxCustomDataField* field, TlxDataSortOrder order) {
  position = std::clamp(position, 0, Count());
  entries_.insert(entries_.begin() + position, {field, order});
  Changed();
}

void TlxSortingFieldList::Delete(int32_t position) {
  entries_.erase(entries_.begin() + position);
  Changed();
}

void TlxSortingFieldList::Clear() {
  while (!entries_.empty())
    Delete(0);
}

void TlxSortingFieldList::Move(int32_t from, int32_t to) {
  if (from == to)
    return;
  const TlxSortingFieldEntry entry = entries_.at(static_cast<size_t>(from));
  entries_.erase(entries_.begin() + from);
  entries_.insert(entries_.begin() + to, entry);
  Changed();
}

void TlxSortingFieldList::SetSortOrderAt(int32_t position, TlxDataSortOrder order) {
  TlxSortingFieldEntry& entry = entries_.at(static_cast<size_t>(position));
  if (entry.SortOrder == order)
    return;
  entry.SortOrder = order;
  Changed();
}

void TlxSortingFieldList::RemoveField(TlxCustomDataField* field) {
  const int32_t position = Find(field);
  if (position >= 0)
    Delete(position);
}

int32_t TlxSortingFieldList::Find(const TlxCustomDataField* field) const {
  for (size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].Field == field)
      return static_cast<int32_t>(i);
  return -1;
}

TlxDataSortOrder TlxSortingFieldList::SortOrderOf(const TlxCustomDataField* field) const {
  const int32_t position = Find(field);
  return position >= 0 ? entries_[static_cast<size_t>(position)].SortOrder : soNone;
}

void TlxSortingFieldList::NotifyIfListed(const TlxCustomDataField* field) {
  if (Find(field) >= 0)
    Changed();
}

void TlxSortingFieldList::ChangeSortIndex(TlxCustomDataField* field, int32_t position) {
  if (position < 0) {
    RemoveField(field);
    return;
  }
  const int32_t current = Find(field);
  if (current < 0)
    Insert(std::min(position, Count()), field, soAscending);
  else
    Move(current, std::min(position, Count() - 1));
}

void TlxSortingFieldList::AddMissingFrom(const TlxSortingFieldList& other) {
  for (const TlxSortingFieldEntry& entry : other.entries_)
    if (Find(entry.Field) < 0)
      Add(entry.Field, entry.SortOrder);
}

void TlxSortingFieldList::Changed() {
  if (OnChanged)
    OnChanged();
}

void TlxGroupingFieldList::ApplySortOrder(TlxCustomDataField* field, TlxDataSortOrder order) {
  TlxSortingFieldList::ApplySortOrder(field, order == soNone ? soAscending : order);
}

void TlxGroupingFieldList::SyncSortOrders(const TlxSortingFieldList& sorting) {
  for (int32_t i = 0; i < Count(); ++i) {
    const TlxDataSortOrder order = sorting.SortOrderOf(GetEntry(i).Field);
    SetSortOrderAt(i, order == soNone ? soAscending : order);
  }
}
