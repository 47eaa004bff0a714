// The write side of the dataset provider: edit, insert and append, value
// writes, a new record's first values, deletes, cancels, and the smart
// refresh that brings only the posted record up to date.

#include <algorithm>

#include "data/controller_info.h"
#include "data/db_data_controller.h"
#include "data/db_data_field.h"
#include "data/db_data_link.h"
#include "data/db_data_provider.h"
#include "data/db_field_helpers.h"
#include "data/variant_utils.h"
#include "platform/db/controls_disabled_scope.h"
#include "platform/db/data_set.h"
#include "platform/db/field.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"

namespace {

bool IsNullValue(const Variant& value) { return value.IsNull() || value.IsEmpty(); }

// The lookup's key fields in the dataset.
std::vector<TField*> LookupKeyFields(const TField& field) {
  std::vector<TField*> fields;
  if (field.DataSet() != nullptr)
    lxDBFindFields(field.DataSet(), field.KeyFields(), fields);
  return fields;
}

}  // namespace

// --- Starting an edit

bool TlxDBDataProvider::CanInitEditing(int32_t record_index) {
  TStateScope initialising(in_can_init_editing_, true);
  TlxCustomDataController& controller = DataController();
  if (controller.UseNewItemRowForEditing() && controller.IsNewItemRowFocused() &&
      !TlxCustomDataProvider::IsInserting()) {
    Insert();
    return true;
  }
  (void)record_index;
  const bool editing = DataLink().Edit();
  if (editing) {
    SetChanging();
    if (controller.IsNewItemRowFocused())
      controller.Change(dccUpdateRecord);
  }
  return editing;
}

void TlxDBDataProvider::Edit() {
  if (TDataSet* dataset = DataSet())
    dataset->Edit();
}

// --- Insert and append

void TlxDBDataProvider::Append() { InsertOrAppend(true); }

void TlxDBDataProvider::Insert() { InsertOrAppend(false); }

void TlxDBDataProvider::InsertOrAppend(bool append) {
  TDataSet* dataset = DataSet();
  if (dataset == nullptr)
    return;
  TStateScope inserting(in_insert_, true);
  TStateScope operation(insert_operation_, !append);
  const auto start = [&] {
    if (append)
      dataset->Append();
    else
      dataset->Insert();
  };
  if (!IsEditState(dataset->State())) {
    start();
    return;
  }
  if (!IsSmartRefresh() && dataset->State() == dsInsert)
    DBController().FinishEditing();
  if (IsEditState(dataset->State()))
    DataLink().UpdateRecord();
  if (IsSmartRefresh()) {
    TControlsDisabledScope disabled(*dataset);
    dataset->CheckBrowseMode();
    SmartRefreshEditedRecord();
    ResetSmartRefreshState();
    ResetEditing();
  }
  start();
}

// An insert the controller did not start gets its mirror record: at the
// end when the dataset appends, else at the focused place.
void TlxDBDataProvider::SynchronizeInsert() {
  TStateScope syncing(in_insert_sync_, true);
  SetInInserting(true);
  TScopeExit inserted([this] { SetInInserting(false); });
  DoInsert(IsEOF() && !insert_operation_);
  RememberUpdatingRecord(true);
}

// The record a smart refresh brings up to date once the dataset posted.
void TlxDBDataProvider::RememberUpdatingRecord(bool inserting) {
  if (!IsSmartRefresh() || EditedRecordIndex() == kLxNoEditedRecord)
    return;
  updating_record_ = EditedRecordIndex();
  updating_record_is_inserting_ = inserting;
}

// --- Values

Variant TlxDBDataProvider::EditingValueOfKind(int32_t record_index, TlxCustomDataField& field, int32_t kind) {
  auto* db_field = dynamic_cast<TlxDBDataField*>(&field);
  TField* bound = db_field != nullptr ? db_field->Field() : nullptr;
  if (bound == nullptr) {
    if (db_field != nullptr && db_field->IsUnbound()) {
      Variant value;
      TlxCustomDataProvider::GetEditingValue(record_index, field, value);
      return value;
    }
    return Variant::Null();
  }
  if (kind == 1)
    return bound->Text().empty() && bound->IsNull() ? Variant::Null() : Variant(bound->Text());
  if (kind == 2 && bound->Lookup())
    return lxDBGetFieldValues(bound->DataSet(), LookupKeyFields(*bound));
  return bound->IsNull() ? Variant::Null() : lxDBFieldValue(*bound);
}

void TlxDBDataProvider::GetEditingValue(int32_t record_index, TlxCustomDataField& field, Variant& value) {
  value = EditingValueOfKind(record_index, field, 0);
}

bool TlxDBDataProvider::SetEditingValue(int32_t record_index, TlxCustomDataField& field, const Variant& value,
                                        int32_t kind) {
  auto* db_field = dynamic_cast<TlxDBDataField*>(&field);
  TField* bound = db_field != nullptr ? db_field->Field() : nullptr;
  if (bound == nullptr) {
    if (db_field != nullptr && db_field->IsUnbound())
      return TlxCustomDataProvider::SetEditingValue(record_index, field, value, 0);
    return false;
  }
  if (kind == 1)
    bound->SetText(IsNullValue(value) ? std::string() : VarToStr(value));
  else if (kind == 2 && bound->Lookup())
    lxDBSetFieldValues(bound->DataSet(), LookupKeyFields(*bound), value);
  else
    lxDBSetFieldValue(*bound, value);
  return true;
}

void TlxDBDataProvider::AssignItemValue(int32_t record_index, TlxCustomDataField& field, const Variant& value) {
  auto* db_field = dynamic_cast<TlxDBDataField*>(&field);
  TField* bound = db_field != nullptr ? db_field->Field() : nullptr;
  if (bound == nullptr) {
    TlxCustomDataProvider::AssignItemValue(record_index, field, value);
    return;
  }
  if (bound->Lookup()) {
    const std::vector<TField*> keys = LookupKeyFields(*bound);
    lxDBSetFieldValues(bound->DataSet(), keys, value);
    assigned_fields_.AddFields(keys);
    return;
  }
  lxDBSetFieldValue(*bound, value);
  assigned_fields_.Add(bound);
}

void TlxDBDataProvider::InitInsertingRecord(int32_t record_index, const std::vector<Variant>& grouping_values) {
  TlxDBDataController& controller = DBController();
  if (in_insert_ || in_can_init_editing_ || IsOtherInsertingOnSource() || in_insert_sync_) {
    assigned_fields_.Clear();
    TlxCustomDataProvider::InitInsertingRecord(record_index, grouping_values);
    if (controller.HasOption(dcoAssignMasterDetailKeys) && !controller.DetailKeyFieldNames().empty() &&
        !controller.MasterDetailKeyValues().IsEmpty()) {
      std::vector<TField*> keys;
      if (lxDBFindFields(DataSet(), controller.DetailKeyFieldNames(), keys)) {
        lxDBSetFieldValues(DataSet(), keys, controller.MasterDetailKeyValues());
        assigned_fields_.AddFields(keys);
      }
    }
    controller.NewRecordValuesAssigned(record_index);
  }
  controller.UpdateEditingRecord();
}

bool TlxDBDataProvider::IsDataSetModified() const {
  const TDataSet* dataset = DataSet();
  if (dataset != nullptr && dataset->Active() && dataset->Modified()) {
    if (assigned_fields_.IsEmpty())
      return true;
    for (int32_t i = 0; i < dataset->FieldCount(); ++i) {
      const TField* field = dataset->Fields().Fields(i);
      if (!assigned_fields_.Contains(field) && !field->IsNull())
        return true;
    }
  }
  if (!TlxCustomDataProvider::IsModified())
    return false;
  const TlxDBDataController& controller = DBController();
  const int32_t record = EditedRecordIndex();
  if (record == kLxNoEditedRecord)
    return false;
  for (int32_t item = 0; item < controller.GetItemCount(); ++item) {
    TlxDBDataField* field = controller.ItemDBField(item);
    if (field != nullptr && field->IsUnbound() &&
        !IsNullValue(const_cast<TlxDBDataController&>(controller).GetFieldValue(record, *field)))
      return true;
  }
  return false;
}

// --- Post and cancel

void TlxDBDataProvider::Post(bool force) {
  TDataSet* dataset = DataSet();
  if (dataset == nullptr)
    return;
  TlxDBDataController& controller = DBController();
  controller.BeginUpdateWithOwner();
  TScopeExit close([&] { controller.EndUpdateWithOwner(); });
  if (force) {
    dataset->Post();
    return;
  }
  // A new record that holds only what the provider put there itself is
  // no record the user made: a non-forced post drops it.
  if (dataset->State() == dsInsert && !IsModified()) {
    CancelDataSet();
    return;
  }
  dataset->CheckBrowseMode();
}

void TlxDBDataProvider::Cancel() {
  if (IsSmartRefresh()) {
    TStateScope<bool> copying(DBController().UnboundCopyFlag(), true);
    TlxCustomDataProvider::Cancel();
  }
  CancelDataSet();
}

void TlxDBDataProvider::CancelDataSet() {
  if (TDataSet* dataset = DataSet())
    dataset->Cancel();
}

void TlxDBDataProvider::PostEditingData() {
  if (DataLink().Active())
    DataLink().UpdateRecord();
}

// --- Deleting

void TlxDBDataProvider::DeleteFocused() {
  TDataSet* dataset = DataSet();
  TlxDBDataController& controller = DBController();
  const int32_t focused = controller.FocusedRecordIndex();
  if (dataset == nullptr || focused < 0)
    return;
  if (IsSmartRefresh())
    updating_prev_focused_record_ = focused;
  {
    TControlsDisabledScope disabled(*dataset);
    TScopeExit allow([this] { DataLink().SetPreventLayoutChanged(false); });
    dataset->Delete();
    DataLink().SetPreventLayoutChanged(true);
    // The cursor is now on the record that followed (or, after the last
    // one, on the one before): that is where the moves below start.
    ResyncCurrentRecordFromCursor();
    if (controller.NearestRecordIndex() != -1)
      controller.SyncDataSetToRecord(controller.NearestRecordIndex());
  }
  if (IsSmartRefresh() && updating_prev_focused_record_ >= 0 &&
      updating_prev_focused_record_ < controller.GetRecordCount()) {
    controller.DeleteRecord(updating_prev_focused_record_);
    controller.CheckFocusing();
  }
}

void TlxDBDataProvider::DeleteRecords(const std::vector<int32_t>& records) {
  TDataSet* dataset = DataSet();
  if (dataset == nullptr || records.empty())
    return;
  TlxDBDataController& controller = DBController();
  TControlsDisabledScope disabled(*dataset);
  const bool smart = IsSmartRefresh();
  if (smart)
    controller.BeginUpdateWithOwner();
  TScopeExit finish([&] {
    if (smart) {
      if (controller.InDeleteSelection())
        controller.ClearSelection();
      controller.EndUpdateWithOwner();
    } else if (!controller.UsesRecordKeys()) {
      controller.ClearSelection();
    }
  });
  if (controller.UsesRecordKeys())
    DeleteByKeys(records);
  else
    DeleteByPosition(records);
}

void TlxDBDataProvider::DeleteByKeys(const std::vector<int32_t>& records) {
  TDataSet* dataset = DataSet();
  TlxDBDataController& controller = DBController();
  const bool smart = IsSmartRefresh();
  std::vector<Variant> keys;
  keys.reserve(records.size());
  for (int32_t record : records)
    keys.push_back(controller.GetRecordKeyValue(record));
  for (size_t i = keys.size(); i-- > 0;) {
    if (!dataset->Locate(controller.KeyFieldNames(), keys[i], {}))
      continue;
    if (!smart) {
      dataset->Delete();
      continue;
    }
    const int32_t stored = controller.LocateByKeyFields(
        [&](std::vector<TlxDBDataField*>& list) { lxDBGetKeyFields(controller.KeyField(), list); });
    if (stored == -1)
      continue;
    dataset->Delete();
    controller.DeleteRecord(stored);
  }
  if (smart)
    controller.CheckFocusing();
}

// From the last listed record to the first: each delete leaves the cursor
// on the record that followed, or, when the deleted one was the last, on
// the one before. Whether it was the last is judged by the records left,
// which the deletes made so far have lowered (the controller's own count
// stands still until the reload that follows the enabled controls).
void TlxDBDataProvider::DeleteByPosition(const std::vector<int32_t>& records) {
  TDataSet* dataset = DataSet();
  TlxDBDataController& controller = DBController();
  if (!controller.CanFocusRecord(records.back()))
    return;
  int32_t records_left = controller.GetRecordCount();
  int32_t previous = records.back();
  int32_t correction = 0;
  for (size_t i = records.size(); i-- > 0;) {
    const int32_t record = records[i];
    dataset->MoveBy(record - previous + correction);
    dataset->Delete();
    correction = record + 1 == records_left ? 1 : 0;
    --records_left;
    previous = record;
  }
}

void TlxDBDataProvider::DeleteSelection() {
  TlxDBDataController& controller = DBController();
  if (!IsGridMode()) {
    TlxCustomDataProvider::DeleteSelection();
    return;
  }
  TDataSet* dataset = DataSet();
  TlxDBDataSelection& selection = controller.BookmarkSelection();
  TControlsDisabledScope disabled(*dataset);
  for (int32_t i = selection.Count() - 1; i >= 0; --i) {
    dataset->GotoBookmark(selection.At(i));
    dataset->Delete();
    selection.RemoveAt(i);
  }
}

void TlxDBDataProvider::EndDeleting() {
  TlxCustomDataController& controller = DataController();
  const int32_t nearest = controller.NearestRecordIndex();
  if (nearest != -1 && nearest < controller.GetRecordCount())
    controller.ChangeFocusedRecordIndex(nearest);
  TlxCustomDataProvider::EndDeleting();
}

// --- Smart refresh

void TlxDBDataProvider::ResetSmartRefreshState() {
  updating_record_ = kLxNoEditedRecord;
  updating_new_record_ = -1;
  updating_record_is_inserting_ = false;
}

void TlxDBDataProvider::ForgetRecord(int32_t record_index) {
  if (updating_record_ == record_index)
    updating_record_ = kLxNoEditedRecord;
  if (updating_prev_focused_record_ == record_index)
    updating_prev_focused_record_ = -1;
}

void TlxDBDataProvider::SmartRefreshEditedRecord() {
  TlxDBDataController& controller = DBController();
  TDataSet* dataset = DataSet();
  int32_t record = -1;
  if (updating_record_ != kLxNoEditedRecord && dataset != nullptr) {
    record = controller.FocusedRecordIndex();
    if (record == updating_record_) {
      if (record < 0 && updating_new_record_ != -1)
        record = updating_new_record_;
      const Variant own_key = record >= 0 ? controller.GetRecordKeyValue(record) : Variant::Null();
      const Variant current_key = controller.GetDataSetKeyValue();
      const std::vector<TlxDBDataField*> keys = controller.KeyFieldList();
      const bool single_auto_increment = keys.size() == 1 && keys[0]->Field() != nullptr &&
                                         keys[0]->Field()->DataType() == ftAutoInc;
      if (record >= 0 && lxVariantEquals(own_key, current_key)) {
        controller.ReadRecordFromDataSet(record);
      } else if (updating_record_is_inserting_ && IsNullValue(own_key) && single_auto_increment &&
                 controller.FindRecordIndexByKey(current_key) == -1) {
        if (record < 0) {
          const int32_t real = controller.AppendRecord();
          if (record != -1)
            controller.CopyRecord(record, real);
          record = real;
        }
        controller.ReadRecordFromDataSet(record);
      } else {
        const int32_t found = record >= 0 ? controller.FindRecordIndexByKey(own_key) : -1;
        if ((found == -1 || found == record) && record >= 0) {
          controller.DeleteRecord(record);
          controller.CheckFocusing();
          record = std::min(record, controller.GetRecordCount() - 1);
        }
      }
    }
    if (record != -1)
      controller.DataChanged(dckRecord, -1, record);
  }
  controller.FilterChanged();
  controller.SummaryChanged(false);
  ClearPostLocateMark();
}
