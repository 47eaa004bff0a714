#include "data/data_provider.h"

#include "data/data_controller.h"
#include "data/variant_utils.h"
#include "platform/rtl/scope.h"

TlxCustomDataProvider::TlxCustomDataProvider(TlxCustomDataController* controller) : controller_(*controller) {}

TlxCustomDataProvider::~TlxCustomDataProvider() {
  ClearSavedRecord();
  if (custom_data_source_)
    custom_data_source_->SetCurrentProvider(nullptr);
}

void TlxCustomDataProvider::CustomSort() {
  if (custom_data_source_) {
    custom_data_source_->SetCurrentProvider(this);
    custom_data_source_->CustomSort();
  }
}

bool TlxCustomDataProvider::IsCustomSorting() const {
  return custom_data_source_ && custom_data_source_->IsCustomSorting();
}

bool TlxCustomDataProvider::IsRecordIdSupported() const {
  return custom_data_source_ && custom_data_source_->SuppliesRecordIds();
}

bool TlxCustomDataProvider::CanDelete() const { return controller_.GetRecordCount() > 0; }

bool TlxCustomDataProvider::CanInitEditing(int32_t record_index) {
  controller_.CheckRecordRange(record_index);
  if (!IsEditing())
    StartEditing();
  if (IsEditing())
    SetChanging();
  return true;
}

void TlxCustomDataProvider::DoEdit() {
  if (controller_.UseNewItemRowForEditing() && controller_.IsNewItemRowFocused() && !IsInserting()) {
    Insert();
    return;
  }
  edited_record_index_ = controller_.GetFocusedRecordIndexForEdit();
  if (edited_record_index_ >= 0) {
    prev_neighbour_ = kLxNoEditedRecord;
    next_neighbour_ = kLxNoEditedRecord;
    const int32_t row = controller_.FocusedRowIndex();
    if (row >= 0) {
      if (row < controller_.GetRowCount() - 1)
        next_neighbour_ = controller_.GetRowInfo(row + 1).RecordIndex;
      else
        prev_neighbour_ = controller_.GetRowInfo(row > 0 ? row - 1 : row).RecordIndex;
    }
  }
  if (edited_record_index_ == kLxNoEditedRecord)
    return;
  if ((!IsActive() || controller_.IsSmartRefresh()) && !inserting_)
    CreateSavedRecord(edited_record_index_);
  controller_.Change(dccUpdateRecord);
}

void TlxCustomDataProvider::DoInsert(bool append) {
  if (!IsActive() && IsInserting() && !IsChanging() && !IsModified())
    return;  // an untouched insert is already open
  if (IsEditing() && (IsChanging() || IsModified()) && !IsActive()) {
    if (IsChanging())
      PostEditingData();
    Post(false);
  }
  controller_.DoBeforeInsert();
  {
    TUpdateScope update(controller_);
    std::vector<Variant> grouping_values;
    if (controller_.UseNewItemRowForEditing()) {
      int32_t anchor = controller_.FocusedRecordIndex();
      if (anchor < 0 && controller_.GetRowCount() > 0)
        anchor = controller_.GetRowInfo(0).RecordIndex;
      edited_record_index_ = controller_.GetNewItemRecordIndex();
      controller_.SetNewItemRowFocused(true);
      grouping_values = controller_.GetGroupingValues(anchor);
    } else {
      if (!append)
        controller_.ClearSelection();
      if (IsGridMode()) {
        edited_record_index_ = controller_.GetCurrentRecordIndex();
        grouping_values = controller_.GetGroupingValues(edited_record_index_);
      } else if (append) {
        const int32_t anchor = controller_.GetLastRowRecordIndex();
        grouping_values = controller_.GetGroupingValues(anchor);
        edited_record_index_ = controller_.AppendRecord();
        prev_neighbour_ = anchor;
      } else {
        int32_t anchor = controller_.FocusedRecordIndex();
        if (anchor < 0)
          anchor = 0;
        grouping_values = controller_.GetGroupingValues(anchor);
        edited_record_index_ = controller_.InsertRecord(anchor);
        // The anchor moved one on when it lay at or after the new record;
        // the neighbour follows it while it is still a record.
        int32_t next = anchor;
        if (anchor >= edited_record_index_ && anchor + 1 < controller_.GetRecordCount())
          next = anchor + 1;
        next_neighbour_ = next;
      }
    }
    InitInsertingRecord(edited_record_index_, grouping_values);
    ResetChanging();
    inserting_ = true;
  }
  controller_.ChangeFocusedRecordIndex(edited_record_index_);
  controller_.DoAfterInsert();
}

void TlxCustomDataProvider::InitInsertingRecord(int32_t record_index, const std::vector<Variant>& grouping_values) {
  TlxCustomDataControllerInfo& info = controller_.ControllerInfo();
  if (info.IsGrouped() && controller_.HasOption(dcoAssignGroupingValues)) {
    TlxGroupingFieldList& grouping = info.GroupingFieldList();
    for (int32_t level = 0; level < grouping.Count() && level < static_cast<int32_t>(grouping_values.size()); ++level)
      AssignItemValue(record_index, *grouping.GetEntry(level).Field, grouping_values[static_cast<size_t>(level)]);
  }
  controller_.DoNewRecord(record_index);
}

void TlxCustomDataProvider::AssignItemValue(int32_t record_index, TlxCustomDataField& field, const Variant& value) {
  const int32_t item = controller_.ItemIndexOfField(&field);
  if (item >= 0)
    controller_.SetValue(record_index, item, value);
}

void TlxCustomDataProvider::Post(bool force) {
  TAliveToken alive = controller_.AliveToken();
  int32_t result_record = -1;
  bool posted = false;
  {
    controller_.BeginUpdateWithOwner();
    TScopeExit close([&] {
      if (alive.Alive())
        controller_.EndUpdateWithOwner();
    });
    PullEditorValue();
    if (!alive.Alive())
      return;
    if (!IsInserting() || IsModified() || force) {
      controller_.DoBeforePost();
      if (!alive.Alive())
        return;
      result_record = edited_record_index_;
      if (IsInserting() && controller_.UseNewItemRowForEditing() &&
          edited_record_index_ == controller_.GetNewItemRecordIndex()) {
        TStateScope locked(data_changed_locked_, custom_data_source_ != nullptr);
        const int32_t real = controller_.AppendRecord();
        inserted_record_index_ = real;
        controller_.CopyRecord(edited_record_index_, real);
        result_record = real;
      }
      ResetEditing();
      posted = true;
    } else {
      Cancel();
      result_record = -1;
    }
    if (!alive.Alive())
      return;
    controller_.DataChanged(dckRecord, -1, result_record);
  }
  if (posted && alive.Alive())
    controller_.DoAfterPost();
}

void TlxCustomDataProvider::Cancel() {
  TAliveToken alive = controller_.AliveToken();
  controller_.DoBeforeCancel();
  if (!alive.Alive())
    return;
  {
    TUpdateScope update(controller_);
    const int32_t edited = edited_record_index_;
    const bool real_or_new_item =
        edited != kLxNoEditedRecord && (edited >= 0 || edited == controller_.GetNewItemRecordIndex());
    if (IsEditing() && real_or_new_item) {
      if (IsInserting()) {
        const int32_t focused = controller_.FocusedRecordIndex();
        {
          controller_.SetSmartLoad(controller_.CreatesRecordsThroughReader());
          TScopeExit smart([&] { controller_.SetSmartLoad(false); });
          if (edited >= 0)
            controller_.DeleteRecord(edited);
        }
        if (focused >= controller_.GetRecordCount() && !controller_.InCancel() && focused > 0)
          controller_.ChangeFocusedRecordIndex(focused - 1);
      } else if (saved_record_index_ < 0) {
        controller_.CopyRecord(saved_record_index_, edited);
      }
    }
    ResetEditing();
  }
  controller_.DoAfterCancel();
}

void TlxCustomDataProvider::ResetEditing() {
  const int32_t edited = edited_record_index_;
  edited_record_index_ = kLxNoEditedRecord;
  prev_neighbour_ = kLxNoEditedRecord;
  next_neighbour_ = kLxNoEditedRecord;
  if (edited < 0 && edited != kLxNoEditedRecord && edited == controller_.GetNewItemRecordIndex())
    controller_.DeleteRecord(edited);
  inserting_ = false;
  ResetChanging();
  ResetModified();
  ClearSavedRecord();
}

void TlxCustomDataProvider::PullEditorValue() {
  if (in_update_data_)
    return;
  TStateScope updating(in_update_data_, true);
  if (changing_)
    controller_.UpdateEditorValue();
}

void TlxCustomDataProvider::PostEditingData() {
  PullEditorValue();
  ResetChanging();
}

void TlxCustomDataProvider::GetEditingValue(int32_t record_index, TlxCustomDataField& field, Variant& value) {
  if (record_index == kLxNoEditedRecord) {
    value = Variant::Null();
    lxDataControllerError(lxSDataRecordIndexError);
  }
  value = controller_.GetFieldValue(record_index, field);
}

bool TlxCustomDataProvider::SetEditingValue(int32_t record_index, TlxCustomDataField& field, const Variant& value,
                                            int32_t empty_as_null) {
  const int32_t item = controller_.ItemIndexOfField(&field);
  if (empty_as_null == 1 && VarToStr(value).empty())
    controller_.SetValue(record_index, item, Variant::Null());
  else
    controller_.SetValue(record_index, item, value);
  SetModified();
  return true;
}

void TlxCustomDataProvider::BeginDeleting() {
  if (IsGridMode())
    return;
  const int32_t row = controller_.FocusedRowIndex();
  if (row < 0)
    return;
  int32_t target = row;
  if (controller_.IsSingleSelect() || controller_.IsRowSelected(row) || controller_.GetSelectedCount() == 0)
    target = controller_.GetNearestRowIndex(row);
  if (target >= 0)
    controller_.SetNearestRecordIndex(controller_.GetRowInfo(target).RecordIndex);
}

void TlxCustomDataProvider::EndDeleting() { controller_.SetNearestRecordIndex(-1); }

namespace {

// In provider mode records may be renumbered under the view while they are
// deleted: expanded details and selection are kept by record key until the
// returned scope ends.
auto KeepStateInProviderMode(TlxCustomDataController& controller) {
  const bool keep_state = controller.IsProviderMode();
  if (keep_state)
    controller.BeginKeepState();
  return TScopeExit([&controller, keep_state] {
    if (keep_state)
      controller.EndKeepState();
  });
}

}  // namespace

void TlxCustomDataProvider::DeleteFocused() {
  const int32_t record = controller_.FocusedRecordIndex();
  if (record < 0)
    return;
  controller_.DoBeforeDelete(record);
  {
    auto keep = KeepStateInProviderMode(controller_);
    controller_.DeleteRecord(record);
    controller_.FocusNearestRecord();
  }
  controller_.DoAfterDelete();
}

void TlxCustomDataProvider::DeleteRecords(const std::vector<int32_t>& records) {
  auto keep = KeepStateInProviderMode(controller_);
  {
    TUpdateScope update(controller_);
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
      controller_.DoBeforeDelete(*it);
      controller_.DeleteRecord(*it);
      controller_.DoAfterDelete();
    }
    if (controller_.InDeleteSelection())
      controller_.ClearSelection();
  }
  controller_.FocusNearestRecord();
}

void TlxCustomDataProvider::DeleteSelection() {
  std::vector<int32_t> records;
  const int32_t levels = controller_.Groups().GroupedItemCount();
  for (int32_t i = 0; i < controller_.GetSelectedCount(); ++i) {
    const int32_t row = controller_.GetSelectedRowIndex(i);
    const TlxRowInfo info = controller_.GetRowInfo(row);
    if (info.Level < levels)
      controller_.Groups().CollectRecordIndexesOfRow(records, row);
    else
      records.push_back(info.RecordIndex);
  }
  controller_.DeleteRecords(std::move(records));
}

int32_t TlxCustomDataProvider::AppendRecord() {
  if (!custom_data_source_)
    return -1;
  custom_data_source_->SetCurrentProvider(this);
  return AppendRecordHandle(custom_data_source_->AppendRecord());
}

int32_t TlxCustomDataProvider::InsertRecord(int32_t record_index) {
  if (!custom_data_source_)
    return -1;
  custom_data_source_->SetCurrentProvider(this);
  if (!custom_data_source_->CanInsert() || record_index >= controller_.GetRecordCount())
    return AppendRecordHandle(custom_data_source_->AppendRecord());
  const TlxExternalDataSource::THandle handle = custom_data_source_->InsertRecord(HandleOf(record_index));
  controller_.DataStorage().InsertRecordAt(record_index);
  controller_.DataStorage().StoreValue(record_index, *controller_.RecordHandlesField()->ValueDef(),
                                       Variant(static_cast<int64_t>(handle)));
  return record_index;
}

void TlxCustomDataProvider::DeleteRecord(int32_t record_index) {
  if (!custom_data_source_)
    return;
  custom_data_source_->SetCurrentProvider(this);
  custom_data_source_->DeleteRecord(HandleOf(record_index));
}

bool TlxCustomDataProvider::GetDetailHasChildren(int32_t record_index, int32_t relation_index) {
  if (!custom_data_source_)
    return false;
  custom_data_source_->SetCurrentProvider(this);
  return custom_data_source_->GetDetailHasChildren(HandleOf(record_index), relation_index);
}

std::string TlxCustomDataProvider::GetDisplayText(int32_t record_index, TlxCustomDataField& field) {
  if (!custom_data_source_)
    return {};
  custom_data_source_->SetCurrentProvider(this);
  return custom_data_source_->GetDisplayText(HandleOf(record_index), controller_.ItemIndexOfField(&field));
}

Variant TlxCustomDataProvider::GetRecordId(int32_t record_index) {
  if (!custom_data_source_)
    return Variant::Null();
  custom_data_source_->SetCurrentProvider(this);
  return custom_data_source_->GetRecordId(HandleOf(record_index));
}

Variant TlxCustomDataProvider::GetValue(int32_t record_index, TlxCustomDataField& field) {
  if (!custom_data_source_)
    return Variant::Null();
  custom_data_source_->SetCurrentProvider(this);
  return custom_data_source_->GetValue(HandleOf(record_index), controller_.ItemIndexOfField(&field));
}

int32_t TlxCustomDataProvider::CompareValues(int32_t record1, int32_t record2, TlxCustomDataField& field) {
  if (record1 < 0 && record2 < 0) {
    const TlxValueDef* def = field.ValueDef();
    return def ? controller_.DataStorage().CompareRecordValues(record1, record2, *def) : 0;
  }
  if (custom_data_source_ && custom_data_source_->ComparesValues() && record1 >= 0 && record2 >= 0)
    return CustomCompare(record1, record2, field);
  return lxVariantCompare(controller_.GetFieldValue(record1, field), controller_.GetFieldValue(record2, field));
}

int32_t TlxCustomDataProvider::CustomCompare(int32_t record1, int32_t record2, TlxCustomDataField& field) {
  custom_data_source_->SetCurrentProvider(this);
  return custom_data_source_->CompareValues(HandleOf(record1), HandleOf(record2),
                                            controller_.ItemIndexOfField(&field));
}

void TlxCustomDataProvider::SetRecordCount(int32_t count) {
  if (!custom_data_source_)
    return;
  custom_data_source_->SetCurrentProvider(this);
  custom_data_source_->SetRecordCount(count);
}

void TlxCustomDataProvider::SetValue(int32_t record_index, TlxCustomDataField& field, const Variant& value) {
  if (!custom_data_source_)
    return;
  custom_data_source_->SetCurrentProvider(this);
  custom_data_source_->SetValue(HandleOf(record_index), controller_.ItemIndexOfField(&field), value);
}

void TlxCustomDataProvider::ActiveChanged(bool active) {
  controller_.SetActive(active);
  ResetEditing();
}

void TlxCustomDataProvider::DataChanged(TlxDataChangeKind kind, int32_t item_index, int32_t record_index) {
  if (notification_lock_count_ == 0)
    controller_.DataChanged(kind, item_index, record_index);
  if (data_changed_locked_)
    ResetChanging();
  else
    ResetEditing();
}

void TlxCustomDataProvider::DataScrolled(int32_t distance) {
  controller_.SourceScrolled(distance);
  ResetChanging();
}

void TlxCustomDataProvider::LayoutChanged(int32_t) { controller_.StructureChanged(); }

void TlxCustomDataProvider::ClearSavedRecord() {
  if (saved_record_index_ == 0)
    return;
  const int32_t saved = std::exchange(saved_record_index_, 0);
  controller_.DataStorage().FreeInternalRecord(saved);
}

void TlxCustomDataProvider::CreateSavedRecord(int32_t record_index) {
  if (saved_record_index_ == 0)
    saved_record_index_ = controller_.DataStorage().NewInternalRecord();
  controller_.CopyRecord(record_index, saved_record_index_);
}

TlxExternalDataSource::THandle TlxCustomDataProvider::HandleOf(int32_t record_index) const {
  TlxCustomDataField* handles = controller_.RecordHandlesField();
  if (!handles || !handles->ValueDef())
    return 0;
  const Variant value = controller_.DataStorage().ValueOf(record_index, *handles->ValueDef());
  return value.IsNull() ? 0 : value.AsInt64();
}

int32_t TlxCustomDataProvider::RecordIndexOfHandle(TlxExternalDataSource::THandle handle) const {
  for (int32_t record = 0; record < controller_.GetRecordCount(); ++record)
    if (HandleOf(record) == handle)
      return record;
  return -1;
}

int32_t TlxCustomDataProvider::AppendRecordHandle(TlxExternalDataSource::THandle handle) {
  TlxDataStorage& storage = controller_.DataStorage();
  const int32_t record = storage.AddRecord();
  storage.StoreValue(record, *controller_.RecordHandlesField()->ValueDef(), Variant(static_cast<int64_t>(handle)));
  return record;
}

void TlxCustomDataProvider::LoadRecordHandles() {
  if (!custom_data_source_)
    return;
  custom_data_source_->SetCurrentProvider(this);
  custom_data_source_->LoadRecordHandles();
}

void TlxCustomDataProvider::SetCustomDataSource(TlxExternalDataSource* source) {
  if (!IsCustomDataSourceSupported() || source == custom_data_source_)
    return;
  if (custom_data_source_)
    custom_data_source_->SetCurrentProvider(nullptr);
  custom_data_source_ = source;
  if (custom_data_source_)
    custom_data_source_->SetCurrentProvider(this);
  if (!controller_.Destroying())
    controller_.RebuildStructure();
}
