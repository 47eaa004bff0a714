// TDataSet: inserting, editing, posting, cancelling and deleting records.

#include <algorithm>

#include "platform/db/data_set.h"
#include "platform/db/data_set_internal.h"
#include "platform/db/db_errors.h"
#include "platform/db/field.h"
#include "platform/db/record_store.h"
#include "platform/rtl/scope.h"

void TDataSet::Append() { BeginInsertAppend(true); }

void TDataSet::Insert() { BeginInsertAppend(false); }

void TDataSet::BeginInsertAppend(bool append) {
  CheckActive();
  CheckCanModify();
  CheckBrowseMode();
  DoBeforeInsert();
  DoBeforeScroll();
  const int32_t count = Records().Count();
  position_before_insert_ = position_;
  insert_position_ = append || position_ < 0 ? count : position_;
  layout_->ClearValues(edit_buffer_.Data());
  InternalInitRecord(edit_buffer_.Data());
  modified_ = false;
  bof_ = false;
  eof_ = append;
  SetState(dsInsert);
  {
    // A record that could not even be started is dropped again.
    TScopeFail drop_record([this] {
      position_ = position_before_insert_;
      bof_ = eof_ = Records().Count() == 0;
      SetState(dsBrowse);
      DataEvent(deDataSetChange, {});
    });
    DoOnNewRecord();
  }
  // Values that OnNewRecord gave are defaults, not changes by the user.
  modified_ = false;
  CalculateFields(edit_buffer_.Data());
  DataEvent(deDataSetChange, {});
  DoAfterInsert();
  DoAfterScroll();
}

void TDataSet::Edit() {
  CheckActive();
  if (IsEditState(state_))
    return;
  if (Records().Count() == 0) {
    Insert();
    return;
  }
  CheckCanModify();
  CheckBrowseMode();
  DoBeforeEdit();
  layout_->CopyValues(Records().At(position_), edit_buffer_.Data());
  modified_ = false;
  SetState(dsEdit);
  DataEvent(deRecordChange, {});
  DoAfterEdit();
}

void TDataSet::UpdateRecord() {
  if (!IsEditState(state_))
    DatabaseError(db_text::kNotEditing, this);
  DataEvent(deUpdateRecord, {});
}

void TDataSet::ClearFields() {
  if (!IsEditState(state_))
    DatabaseError(db_text::kNotEditing, this);
  for (TField* field : fields_) {
    if (field->FieldKind() == fkData)
      layout_->SetNull(edit_buffer_.Data(), field->Slot(), true);
  }
  modified_ = true;
  CalculateFields(edit_buffer_.Data());
  DataEvent(deRecordChange, {});
}

void TDataSet::Post() {
  CheckActive();
  UpdateRecord();
  DataEvent(deCheckBrowseMode, {});
  DoBeforePost();
  if (state_ == dsSetKey) {
    SetState(dsBrowse);
    DataEvent(deDataSetChange, {});
    DoAfterPost();
    return;
  }
  if (!IsEditState(state_))
    return;
  StorePendingRecord();
  modified_ = false;
  SetState(dsBrowse);
  DataEvent(deDataSetChange, {});
  DoAfterPost();
}

void TDataSet::CheckRequiredFields() const {
  for (TField* field : fields_) {
    if (field->Required() && !field->ReadOnly() && field->FieldKind() == fkData &&
        layout_->IsNull(edit_buffer_.Data(), field->Slot())) {
      field->FocusControl();
      DatabaseError(db_text::FieldRequired(field->DisplayName()), this);
    }
  }
}

void TDataSet::StorePendingRecord() {
  std::byte* values = edit_buffer_.Data();
  const bool inserting = state_ == dsInsert;
  InternalBeforeStore(values, inserting);
  CheckRequiredFields();
  const bool visible = !FilterActive() || RecordPassesFilter(values);
  TRecordStore& store = Records();
  int32_t position = 0;
  if (inserting) {
    // The working copy is dropped after the post, so its values move.
    if (insert_position_ >= store.Count())
      store.Append(values, visible);
    else
      store.InsertAt(insert_position_, values, visible);
    position = insert_position_;
  } else {
    layout_->MoveValues(values, store.At(position_));
    if (!visible)
      store.HideAt(position_);
    position = position_;
  }
  insert_position_ = -1;
  const int32_t count = store.Count();
  position_ = count == 0 ? -1 : std::min(position, count - 1);
  bof_ = eof_ = count == 0;
}

void TDataSet::Cancel() {
  CheckActive();
  if (!IsEditState(state_))
    return;
  DataEvent(deCheckBrowseMode, {});
  DoBeforeCancel();
  if (state_ == dsInsert) {
    const int32_t count = Records().Count();
    position_ = count == 0 ? -1 : std::clamp(position_before_insert_, 0, count - 1);
    insert_position_ = -1;
  }
  bof_ = eof_ = Records().Count() == 0;
  modified_ = false;
  SetState(dsBrowse);
  DataEvent(deDataSetChange, {});
  DoAfterCancel();
}

void TDataSet::Delete() {
  CheckActive();
  if (state_ == dsInsert || state_ == dsSetKey) {
    Cancel();
    return;
  }
  if (Records().Count() == 0)
    DatabaseError(db_text::kDataSetEmpty, this);
  CheckCanModify();
  DataEvent(deCheckBrowseMode, {});
  DoBeforeDelete();
  DoBeforeScroll();
  Records().DeleteAt(position_);
  const int32_t count = Records().Count();
  position_ = count == 0 ? -1 : std::min(position_, count - 1);
  bof_ = eof_ = count == 0;
  modified_ = false;
  if (state_ == dsEdit)
    SetState(dsBrowse);
  else
    ReadActiveRecord();
  DataEvent(deDataSetChange, {});
  DoAfterDelete();
  DoAfterScroll();
}

void TDataSet::CheckBrowseMode() {
  CheckActive();
  DataEvent(deCheckBrowseMode, {});
  switch (state_) {
    case dsEdit:
    case dsInsert:
      UpdateRecord();
      if (modified_)
        Post();
      else
        Cancel();
      break;
    case dsSetKey:
      Post();
      break;
    default:
      break;
  }
}

void TDataSet::Refresh() {
  CheckActive();
  CheckBrowseMode();
  std::byte* current = position_ >= 0 ? Records().At(position_) : nullptr;
  if (FilterActive())
    Records().ApplyFilter([this](std::byte* block) { return RecordPassesFilter(block); });
  const int32_t count = Records().Count();
  const int32_t kept = current != nullptr ? Records().PositionOf(current) : -1;
  position_ = count == 0 ? -1 : std::clamp(kept >= 0 ? kept : position_, 0, count - 1);
  bof_ = eof_ = count == 0;
  ReadActiveRecord();
  DataEvent(deDataSetChange, {});
}

void TDataSet::AfterStoreEmptied() {
  position_ = -1;
  bof_ = eof_ = true;
  ReadActiveRecord();
  DataEvent(deDataSetChange, {});
}
