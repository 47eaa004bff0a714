#include "data/data_controller.h"

#include <algorithm>

#include "platform/rtl/scope.h"

void TlxCustomDataController::Append() {
  if (provider_->CanAppend())
    provider_->Append();
}

void TlxCustomDataController::Insert() {
  if (provider_->CanInsert())
    provider_->Insert();
}

void TlxCustomDataController::Edit() {
  if (provider_->CanModify())
    provider_->Edit();
}

void TlxCustomDataController::Post(bool force) {
  TAliveToken alive = AliveToken();
  check_focusing_after_filter_ = true;
  TScopeExit reset([&] {
    if (alive.Alive())
      provider_->SetInsertedRecordIndex(-1);
  });
  if (provider_->IsEditing())
    provider_->Post(force);
}

bool TlxCustomDataController::IsEditing() const {
  return (GetEditState() & (dceInsert | dceEdit)) != 0 && provider_->EditedRecordIndex() != kLxNoEditedRecord;
}

void TlxCustomDataController::PostIfEditing() {
  if (IsEditing())
    Post(false);
}

void TlxCustomDataController::Cancel() {
  if (in_cancel_)
    return;
  TStateScope cancelling(in_cancel_, true);
  int32_t row = FocusedRowIndex();
  if (provider_->IsEditing())
    provider_->Cancel();
  row = std::min(row, GetRowCount() - 1);
  if (!info_->Focusing())
    ChangeFocusedRowIndex(row);
}

bool TlxCustomDataController::StartItemEdit(int32_t item_index) {
  TlxCustomDataField& field = *ItemField(item_index);
  if (!provider_->CanModify() && !field.IsUnbound())
    return false;
  if (!IsItemEditable(item_index) || !field.CanModify(true))
    return false;
  return provider_->CanInitEditing(GetEditingOrFocusedRecordIndex());
}

bool TlxCustomDataController::SetEditingValue(int32_t item_index, const Variant& value, int32_t kind) {
  if (!StartItemEdit(item_index))
    return false;
  const bool written =
      provider_->SetEditingValue(GetEditingOrFocusedRecordIndex(), *ItemField(item_index), value, kind);
  if (written && IsImmediatePost())
    Post(false);
  return written;
}

Variant TlxCustomDataController::GetEditingValue(int32_t item_index, int32_t) {
  TlxCustomDataField& field = *ItemField(item_index);
  if (use_new_item_row_for_editing_ && IsNewItemRowFocused() && !provider_->IsEditing())
    return Variant::Null();
  Variant value;
  provider_->GetEditingValue(GetEditingOrFocusedRecordIndex(), field, value);
  return value;
}

void TlxCustomDataController::UpdateData() { provider_->PostEditingData(); }

uint8_t TlxCustomDataController::GetEditState() const {
  uint8_t state = 0;
  if (provider_->IsInserting())
    state = dceInsert;
  else if (provider_->IsEditing())
    state = dceEdit;
  if (state != 0) {
    if (provider_->IsChanging())
      state |= dceChanging;
    if (provider_->IsModified())
      state |= dceModified;
  }
  return state;
}

uint8_t TlxCustomDataController::GetEditOperations() const {
  uint8_t operations = 0;
  if (provider_->CanAppend())
    operations |= 1;
  if (provider_->CanDelete())
    operations |= 2;
  if (provider_->CanModify())
    operations |= 4;
  if (provider_->CanInsert())
    operations |= 8;
  if (!provider_->IsActive() || provider_->IsSyncMode())
    operations |= 16;
  return operations;
}

bool TlxCustomDataController::IsImmediatePost() const {
  return HasOption(dcoImmediatePost) || provider_->NeedsImmediatePost();
}

int32_t TlxCustomDataController::GetEditingOrFocusedRecordIndex() {
  if (provider_->IsEditing())
    return provider_->EditedRecordIndex();
  return GetFocusedRecordIndexForEdit();
}

int32_t TlxCustomDataController::GetFocusedRecordIndexForEdit() {
  if (IsNewItemRowFocused())
    return GetNewItemRecordIndex();
  if (FocusedRowIndex() < 0)
    return kLxNoEditedRecord;
  return FocusedRecordIndex();
}

bool TlxCustomDataController::IsNewItemRowFocused() const {
  return new_item_row_focused_ && use_new_item_row_for_editing_ && FocusedRecordIndex() < 0;
}

void TlxCustomDataController::SetNewItemRowFocused(bool value) {
  if (new_item_row_focused_ == value)
    return;
  {
    TUpdateScope update(*this);
    if (value)
      info_->ChangeFocusedRowIndex(-1, true);
    else if (!IsOwnerDestroying())
      PostIfEditing();
    info_->FocusChanged(true);
    new_item_row_focused_ = value;
  }
  if (HasOption(dcoInsertOnNewItemRowFocusing) && IsNewItemRowFocused() && !provider_->IsInserting())
    Insert();
}

void TlxCustomDataController::ClearNewItemRowFocus() {
  if (new_item_row_focused_)
    info_->FocusChanged(true);
  new_item_row_focused_ = false;
}

void TlxCustomDataController::SetUseNewItemRowForEditing(bool value) {
  if (use_new_item_row_for_editing_ == value)
    return;
  Cancel();
  ClearSelection();
  use_new_item_row_for_editing_ = value;
  Change(dccDataChanged);
}

void TlxCustomDataController::ResetEditingIfAffected(int32_t record_index) {
  const int32_t edited = provider_->EditedRecordIndex();
  if (edited == kLxNoEditedRecord || !provider_->IsEditing())
    return;
  if ((record_index >= 0 && edited >= record_index) || edited >= GetRecordCount())
    provider_->ResetEditing();
}

void TlxCustomDataController::DeleteFocused() {
  const int32_t row = FocusedRowIndex();
  if (row == -1 || !provider_->CanDelete())
    return;
  provider_->BeginDeleting();
  TScopeExit end([this] { provider_->EndDeleting(); });
  const TlxRowInfo info = GetRowInfo(row);
  TAliveToken alive = AliveToken();
  if (info.Level < groups_->GroupedItemCount()) {
    std::vector<int32_t> records;
    groups_->CollectRecordIndexesOfRow(records, row);
    DeleteRecords(std::move(records));
  } else {
    const int32_t focused = FocusedRecordIndex();
    if (nearest_record_index_ >= focused && nearest_record_index_ != -1)
      --nearest_record_index_;
    TScopeFail restore([&] {
      if (alive.Alive())
        nearest_record_index_ = focused;
    });
    provider_->DeleteFocused();
  }
  if (alive.Alive())
    ClearSelection();
  else
    end.Dismiss();
}

void TlxCustomDataController::DeleteSelection() {
  const bool any = IsSingleSelect() ? FocusedRowIndex() >= 0 && focused_selected_ : GetSelectedCount() > 0;
  if (!any || !provider_->CanDelete())
    return;
  provider_->BeginDeleting();
  TScopeExit end([this] { provider_->EndDeleting(); });
  if (IsSingleSelect()) {
    const int32_t focused = FocusedRecordIndex();
    if (nearest_record_index_ >= focused && nearest_record_index_ != -1)
      --nearest_record_index_;
    TScopeFail restore([&] { nearest_record_index_ = focused; });
    provider_->DeleteFocused();
    return;
  }
  TStateScope deleting(in_delete_selection_, true);
  provider_->DeleteSelection();
}

void TlxCustomDataController::DeleteRecords(std::vector<int32_t> records) {
  std::sort(records.begin(), records.end());
  records.erase(std::unique(records.begin(), records.end()), records.end());
  if (nearest_record_index_ != -1) {
    const auto not_above = std::upper_bound(records.begin(), records.end(), nearest_record_index_);
    nearest_record_index_ -= static_cast<int32_t>(not_above - records.begin());
  }
  const int32_t focused = FocusedRecordIndex();
  TScopeFail restore([&] { nearest_record_index_ = focused; });
  provider_->DeleteRecords(records);
}

void TlxCustomDataController::FocusNearestRecord() {
  if (nearest_record_index_ == -1) {
    if (GetLockCount() == 0 && FocusedRecordIndex() == -1 && GetRowCount() > 0)
      ChangeFocusedRecordIndex(GetLastRowRecordIndex());
    return;
  }
  if (nearest_record_index_ < GetRecordCount())
    ChangeFocusedRecordIndex(nearest_record_index_);
}

void TlxCustomDataController::DoAfterCancel() {
  if (OnAfterCancel)
    OnAfterCancel(this);
}

void TlxCustomDataController::DoAfterDelete() {
  if (OnAfterDelete)
    OnAfterDelete(this);
}

void TlxCustomDataController::DoAfterInsert() {
  if (OnAfterInsert)
    OnAfterInsert(this);
}

void TlxCustomDataController::DoAfterPost() {
  if (OnAfterPost)
    OnAfterPost(this);
}

void TlxCustomDataController::DoBeforeCancel() {
  if (OnBeforeCancel)
    OnBeforeCancel(this);
}

void TlxCustomDataController::DoBeforeDelete(int32_t record_index) {
  if (OnBeforeDelete)
    OnBeforeDelete(this, record_index);
}

void TlxCustomDataController::DoBeforeInsert() {
  if (OnBeforeInsert)
    OnBeforeInsert(this);
}

void TlxCustomDataController::DoBeforePost() {
  if (OnBeforePost)
    OnBeforePost(this);
}

void TlxCustomDataController::DoNewRecord(int32_t record_index) {
  if (OnNewRecord)
    OnNewRecord(this, record_index);
}
