#include "data/data_controller.h"

#include <algorithm>

#include "platform/rtl/scope.h"

int32_t TlxCustomDataController::GetRowIndexByRecordIndex(int32_t record, bool make_visible) {
  CheckRecordRange(record);
  return info_->GetRowIndexByRecordIndex(record, make_visible);
}

namespace {

// A group row reads its level's grouping item. 0 means "no new-item record
// yet", so it must not exempt the group row whose first record is 0.
bool IsGroupRowOf(const TlxRowInfo& row_info, int32_t grouped_item_count, int32_t new_item_record_index) {
  const bool new_item_row = new_item_record_index != 0 && row_info.RecordIndex == new_item_record_index;
  return row_info.Level < grouped_item_count && !new_item_row;
}

}  // namespace

Variant TlxCustomDataController::GetRowValue(const TlxRowInfo& row_info, int32_t item_index) {
  if (IsGroupRowOf(row_info, groups_->GroupedItemCount(), new_item_record_index_))
    item_index = groups_->GroupedItemIndex(row_info.Level);
  return GetValue(row_info.RecordIndex, item_index);
}

std::string TlxCustomDataController::GetRowDisplayText(const TlxRowInfo& row_info, int32_t item_index) {
  if (IsGroupRowOf(row_info, groups_->GroupedItemCount(), new_item_record_index_))
    item_index = groups_->GroupedItemIndex(row_info.Level);
  return GetDisplayText(row_info.RecordIndex, item_index);
}

void TlxCustomDataController::ForEachRow(bool selected_only, const TlxForEachRowProc& procedure) {
  if (selected_only) {
    for (int32_t i = 0; i < GetSelectedCount(); ++i) {
      const int32_t row = GetSelectedRowIndex(i);
      procedure(row, GetRowInfo(row));
    }
    return;
  }
  for (int32_t row = 0; row < GetRowCount(); ++row)
    procedure(row, GetRowInfo(row));
}

int32_t TlxCustomDataController::GetSourceCurrentRecordIndex() const {
  if (provider_->IsActive() && provider_->IsSyncMode())
    return provider_->GetSourceRecordIndex();
  return FocusedRecordIndex();
}

int32_t TlxCustomDataController::GetLastRowRecordIndex() const {
  const int32_t rows = GetRowCount();
  return rows > 0 ? GetRowInfo(rows - 1).RecordIndex : -1;
}

bool TlxCustomDataController::ChangeFocusedRowIndex(int32_t row) {
  if (provider_->IsSyncMode() && !provider_->InInserting() && row != FocusedRowIndex() && !FinishMasterEditing())
    return false;
  if (row != FocusedRowIndex())
    FinishDetailsEditing();
  info_->ChangeFocusedRowIndex(row, false);
  info_->CheckUpdate();
  CheckChanges();
  return true;
}

void TlxCustomDataController::ChangeFocusedRecordIndex(int32_t record) {
  const int32_t row = record >= 0 && record < GetRecordCount() ? info_->GetRowIndexByRecordIndex(record, true) : -1;
  ChangeFocusedRowIndex(row);
}

bool TlxCustomDataController::CanFocusRecord(int32_t record) {
  if (!provider_->IsActive() && record != provider_->EditedRecordIndex())
    Post(false);
  return true;
}

void TlxCustomDataController::FocusFirstRowIfNone() {
  if (FocusedRowIndex() == -1 && !IsNewItemRowFocused())
    ChangeFocusedRowIndex(0);
}

bool TlxCustomDataController::FocusSelectedRow(int32_t position) {
  const int32_t row = GetSelectedRowIndex(position);
  ChangeFocusedRowIndex(row);
  return FocusedRowIndex() == row;
}

void TlxCustomDataController::GotoFirst() { ChangeFocusedRowIndex(0); }

void TlxCustomDataController::GotoLast() { ChangeFocusedRowIndex(GetRowCount() - 1); }

void TlxCustomDataController::GotoNext() { ChangeFocusedRowIndex(FocusedRowIndex() + 1); }

void TlxCustomDataController::GotoPrev() { ChangeFocusedRowIndex(std::max(FocusedRowIndex() - 1, 0)); }

void TlxCustomDataController::MoveBy(int32_t distance) {
  ChangeFocusedRowIndex(std::max(FocusedRowIndex() + distance, 0));
}

void TlxCustomDataController::SetMultiSelect(bool value) {
  if (multi_select_ == value)
    return;
  multi_select_ = value;
  focused_selected_ = true;
  TUpdateScope update(*this);
  if (!value)
    info_->ClearSelection();
  else if (FocusedRowIndex() >= 0)
    info_->ChangeRowSelection(FocusedRowIndex(), true);
}

void TlxCustomDataController::SetFocusedSelected(bool value) {
  if (!IsSingleSelect() || focused_selected_ == value)
    return;
  focused_selected_ = value;
  if (FocusedRowIndex() >= 0) {
    prev_selected_count_ = 1;
    prev_selected_row_ = FocusedRowIndex();
    Change(dccSelection);
  }
}

void TlxCustomDataController::ChangeRowSelection(int32_t row, bool select) {
  if (IsSingleSelect())
    return;
  info_->ChangeRowSelection(row, select);
}

void TlxCustomDataController::ClearSelection() { info_->ClearSelection(); }

int32_t TlxCustomDataController::GetSelectedCount() const {
  if (!IsSingleSelect())
    return info_->GetSelectedCount();
  return focused_selected_ && FocusedRowIndex() >= 0 ? 1 : 0;
}

int32_t TlxCustomDataController::GetSelectedRowIndex(int32_t position) const {
  if (!IsSingleSelect())
    return info_->GetSelectedRowIndex(position);
  return position == 0 && focused_selected_ ? FocusedRowIndex() : -1;
}

bool TlxCustomDataController::IsRowSelected(int32_t row) const {
  if (!IsSingleSelect())
    return info_->IsRowSelected(row);
  return row == FocusedRowIndex() && focused_selected_;
}

void TlxCustomDataController::SetSelectionAnchor(int32_t row) {
  info_->CheckRowIndex(row);
  info_->Selection().SetAnchorRowIndex(row);
}

void TlxCustomDataController::SelectRange(int32_t from, int32_t to) {
  if (IsSingleSelect())
    return;
  if (from > to)
    std::swap(from, to);
  TUpdateScope update(*this);
  for (int32_t row = from; row <= to; ++row)
    info_->ChangeRowSelection(row, true);
}

void TlxCustomDataController::SelectAll() {
  if (GetRowCount() > 0)
    SelectRange(0, GetRowCount() - 1);
}

void TlxCustomDataController::SelectFromAnchor(int32_t row, bool keep_selection) {
  if (!HasSelectionAnchor())
    return;
  TUpdateScope update(*this);
  if (!keep_selection)
    info_->ClearSelection();
  SelectRange(GetSelectionAnchorRowIndex(), row);
}

void TlxCustomDataController::SelectFocusedRow() {
  if (FocusedRowIndex() < 0) {
    ClearSelection();
    return;
  }
  SetSelectionAnchor(FocusedRowIndex());
  SelectFromAnchor(FocusedRowIndex(), false);
}

void TlxCustomDataController::SelectOnlyFocusedRow() {
  if (IsSingleSelect())
    return;
  TUpdateScope update(*this);
  info_->ClearSelection();
  if (FocusedRowIndex() >= 0)
    info_->ChangeRowSelection(FocusedRowIndex(), true);
}

void TlxCustomDataController::RefreshPrevSelectionInfo() {
  if (prev_selected_count_ != 1)
    return;
  prev_selected_count_ = GetSelectedCount();
  prev_selected_row_ = prev_selected_count_ == 1 ? GetSelectedRowIndex(0) : -1;
}

bool TlxCustomDataController::SaveBookmark() {
  if (FocusedRecordIndex() == bookmark_record_index_)
    return false;
  bookmark_record_index_ = FocusedRecordIndex();
  return true;
}

void TlxCustomDataController::ClearBookmark() { bookmark_record_index_ = -1; }

void TlxCustomDataController::ClearBookmarkAndNotify() {
  const bool was_available = IsBookmarkAvailable();
  ClearBookmark();
  if (was_available)
    Change(dccBookmark);
}

bool TlxCustomDataController::GotoBookmark() {
  const int32_t before = FocusedRowIndex();
  ChangeFocusedRecordIndex(bookmark_record_index_);
  return FocusedRowIndex() != before;
}

bool TlxCustomDataController::IsBookmarkRow(int32_t row) const {
  return IsBookmarkAvailable() && GetRowInfo(row).RecordIndex == bookmark_record_index_;
}

bool TlxCustomDataController::IsBookmarkInvalidatedBy(int32_t record) const {
  if (record != -1 && record == bookmark_record_index_)
    return true;
  return GetFilteredIndexByRecordIndex(bookmark_record_index_) == -1;
}

void TlxCustomDataController::CheckBookmark(int32_t record) {
  if (IsBookmarkAvailable() && IsBookmarkInvalidatedBy(record)) {
    ClearBookmark();
    changes_ |= dccBookmark;
  }
}
