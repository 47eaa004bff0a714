#include "data/data_focusing.h"

#include <algorithm>

#include "data/controller_info.h"
#include "data/data_controller.h"

void TlxDataFocusingInfo::CopyFrom(const TlxDataFocusingInfo& other) {
  Level = other.Level;
  PrevRecordIndex = other.PrevRecordIndex;
  RecordIndex = other.RecordIndex;
  RowIndex = other.RowIndex;
  Changed = false;
}

void TlxDataFocusingInfo::Clear() {
  Level = -1;
  RecordIndex = -1;
  RowIndex = -1;
}

bool TlxDataFocusingInfo::IsEqual(const TlxDataFocusingInfo& other) const {
  if (RecordIndex != other.RecordIndex || Level != other.Level)
    return false;
  return (info_.Changes() & dcicFocusedRow) == 0 || RowIndex == other.RowIndex;
}

void TlxDataFocusingInfo::ResetToSource() {
  Level = -1;
  RecordIndex = info_.DataController().GetSourceCurrentRecordIndex();
}

void TlxDataFocusingInfo::Refresh() {
  if (RowIndex == -1) {
    Level = -1;
    RecordIndex = -1;
  } else {
    const TlxRowInfo row = info_.GetRowInfo(RowIndex);
    Level = row.Level;
    RecordIndex = row.RecordIndex;
  }
  PrevRecordIndex = RecordIndex;
}

void TlxDataSelection::InsertEntry(int32_t position, int32_t row, int32_t record_or_group, int32_t level) {
  const TlxDataSelectionEntry entry{level, record_or_group, row};
  if (position < 0 || position >= Count())
    entries_.push_back(entry);
  else
    entries_.insert(entries_.begin() + position, entry);
}

void TlxDataSelection::ClearEntries() {
  entries_.clear();
  fields_.clear();
}

void TlxDataSelection::DeleteEntry(int32_t position) {
  if (EntryAt(position).RowIndex == anchor_row_index_)
    ClearAnchor();
  entries_.erase(entries_.begin() + position);
}

void TlxDataSelection::ResizeEntries(int32_t count) {
  if (count < Count()) {
    entries_.resize(static_cast<size_t>(std::max(count, 0)));
    return;
  }
  for (int32_t i = Count(); i < count; ++i)
    entries_.push_back({0, i, i});
}

void TlxDataSelection::Add(int32_t position, int32_t row, int32_t record_or_group, int32_t level) {
  InsertEntry(position, row, record_or_group, level);
  Changed();
}

bool TlxDataSelection::FindByRowIndex(int32_t row, int32_t& position) const {
  const auto it = std::lower_bound(entries_.begin(), entries_.end(), row,
                                   [](const TlxDataSelectionEntry& e, int32_t r) { return e.RowIndex < r; });
  position = static_cast<int32_t>(it - entries_.begin());
  return it != entries_.end() && it->RowIndex == row;
}

void TlxDataSelection::Clear() {
  ClearEntries();
  Changed();
}

void TlxDataSelection::ClearAll() {
  ClearAnchor();
  ClearEntries();
  Changed();
}

void TlxDataSelection::Delete(int32_t position) {
  DeleteEntry(position);
  Changed();
}

bool TlxDataSelection::IsRowSelected(int32_t row) const {
  int32_t position = 0;
  return FindByRowIndex(row, position);
}

int32_t TlxDataSelection::FindRecordEntry(int32_t record) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (entries_[static_cast<size_t>(i)].Level != -1 && entries_[static_cast<size_t>(i)].RecordIndex == record)
      return i;
  return -1;
}

int32_t TlxDataSelection::FindGroupEntry(int32_t group) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (entries_[static_cast<size_t>(i)].Level == -1 && entries_[static_cast<size_t>(i)].RecordIndex == group)
      return i;
  return -1;
}

void TlxDataSelection::SortByRowIndex() {
  std::stable_sort(entries_.begin(), entries_.end(),
                   [](const TlxDataSelectionEntry& a, const TlxDataSelectionEntry& b) { return a.RowIndex < b.RowIndex; });
}

void TlxDataSelection::DropVanishedRecords(const std::function<bool(int32_t record)>& kept) {
  bool dropped = false;
  for (int32_t i = Count() - 1; i >= 0; --i) {
    const TlxDataSelectionEntry& entry = EntryAt(i);
    if (entry.Level != -1 && !kept(entry.RecordIndex)) {
      DeleteEntry(i);
      dropped = true;
    }
  }
  if (dropped)
    Changed();
}

void TlxDataSelection::Changed() {
  if (OnChanged)
    OnChanged();
}

void TlxDataExpandingInfos::AddField(TlxCustomDataField* field) {
  if (std::find(fields_.begin(), fields_.end(), field) != fields_.end())
    lxDataControllerError(lxSDataItemExistError);
  fields_.push_back(field);
}

void TlxDataExpandingInfos::FieldRemoved(const TlxCustomDataField* field) {
  if (std::find(fields_.begin(), fields_.end(), field) != fields_.end())
    Clear();
}

void TlxDataExpandingInfos::Clear() {
  fields_.clear();
  entries_.clear();
  save_states_ = 0;
}
