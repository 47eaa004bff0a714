#include "data/data_controller.h"

#include <algorithm>

#include "data/data_filter_criteria.h"
#include "data/data_keys.h"
#include "data/data_locate.h"
#include "data/data_relations.h"
#include "data/data_search.h"
#include "data/data_summary.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"

void lxDataControllerError(const TlxResourceString& text) { lxRaiseDataControllerError(lxDataControllerText(text)); }

void lxRaiseDataControllerError(const std::string& message) { throw ElxInvalidDataControllerOperation(message); }

TlxCustomDataController::TlxCustomDataController(TComponent* owner) : owner_(owner) {
  storage_ = std::make_unique<TlxDataStorage>();
  groups_ = std::make_unique<TlxDataControllerGroups>(*this);
  fields_ = std::make_unique<TlxCustomDataFieldList>(*this);
  filter_list_ = std::make_unique<TlxDataFilterList>();
  filter_ = lxCreatePart<TlxDataFilterCriteria>(GetFilterCriteriaClass(), this);
  provider_ = lxCreatePart<TlxCustomDataProvider>(GetProviderClass(), this);
  info_ = std::make_unique<TlxCustomDataControllerInfo>(*this);
  ResetDataChange();
  notifier_ = std::make_unique<TlxDataControllerNotifier>(nullptr, *this);
  storage_->OnInternalRecordsCleared = [this](TObject*) { InternalRecordsCleared(); };
}

void TlxCustomDataController::CreateDescendantParts() {
  filter_ = lxCreatePart<TlxDataFilterCriteria>(GetFilterCriteriaClass(), this);
  provider_ = lxCreatePart<TlxCustomDataProvider>(GetProviderClass(), this);
}

TlxCustomDataController::~TlxCustomDataController() {
  destroying_ = true;
  notifier_.reset();
  FreeDetailObjects();
  DetachFromMasterRelation();
  relations_.reset();
  info_.reset();
  summary_.reset();
  filter_.reset();
  filter_list_->Clear();
  filter_list_.reset();
  storage_->ClearAll(false);
  storage_->OnInternalRecordsCleared = nullptr;
  groups_.reset();
  fields_.reset();
  provider_.reset();
  storage_.reset();
  search_.reset();
  listeners_.clear();
}

void TlxCustomDataController::CopyFrom(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomDataController*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  SetOptions(other->options_);
  filter_->AssignFrom(other->filter_.get(), true);
  Summary().CopyFrom(other->Summary());
  OnAfterCancel = other->OnAfterCancel;
  OnAfterDelete = other->OnAfterDelete;
  OnAfterInsert = other->OnAfterInsert;
  OnAfterPost = other->OnAfterPost;
  OnBeforeCancel = other->OnBeforeCancel;
  OnBeforeDelete = other->OnBeforeDelete;
  OnBeforeInsert = other->OnBeforeInsert;
  OnBeforePost = other->OnBeforePost;
  SetOnFilterRecord(other->on_filter_record_);
  OnNewRecord = other->OnNewRecord;
  OnCompare = other->OnCompare;
  OnDataChanged = other->OnDataChanged;
  OnGroupingChanged = other->OnGroupingChanged;
  OnRecordChanged = other->OnRecordChanged;
  OnSortingChanged = other->OnSortingChanged;
}

const TClass* TlxCustomDataController::GetFilterCriteriaClass() const { return &TlxDataFilterCriteria::kClass; }

const TClass* TlxCustomDataController::GetSearchClass() const { return &TlxDataControllerSearch::kClass; }

TlxDataControllerSearch& TlxCustomDataController::Search() const {
  if (!search_)
    search_ = lxCreatePart<TlxDataControllerSearch>(GetSearchClass(), const_cast<TlxCustomDataController*>(this));
  return *search_;
}

const TClass* TlxCustomDataController::GetSummaryClass() const { return &TlxDataSummary::kClass; }

const TClass* TlxCustomDataController::GetSummaryItemClass() const { return &TlxDataSummaryItem::kClass; }

const TClass* TlxCustomDataController::GetSummaryGroupItemLinkClass() const {
  return &TlxDataSummaryGroupItemLink::kClass;
}

TlxDataSummary& TlxCustomDataController::Summary() const {
  if (!summary_)
    summary_ = lxCreatePart<TlxDataSummary>(GetSummaryClass(), const_cast<TlxCustomDataController*>(this));
  return *summary_;
}

void TlxCustomDataController::SetSummary(const TlxDataSummary& summary) { Summary().Assign(&summary); }

TlxCustomDataField* TlxCustomDataController::CreateField() {
  return fields_->Add(lxCreatePart<TlxCustomDataField>(GetFieldClass(), fields_.get()));
}

TlxCustomDataField* TlxCustomDataController::CreateInternalField() {
  std::unique_ptr<TlxCustomDataField> field = lxCreatePart<TlxCustomDataField>(GetFieldClass(), fields_.get());
  field->MarkInternal(true);
  return fields_->Add(std::move(field));
}

int32_t TlxCustomDataController::GetItemID(TObject*) const { return -1; }

std::string TlxCustomDataController::GetItemName(TObject* item) const {
  if (auto* component = dynamic_cast<TComponent*>(item))
    return component->Name();
  return {};
}

TObject* TlxCustomDataController::FindItemByID(int32_t id) const {
  for (int32_t i = 0; i < GetItemCount(); ++i)
    if (GetItemID(GetItem(i)) == id)
      return GetItem(i);
  return nullptr;
}

TObject* TlxCustomDataController::FindItemByName(const std::string& name) const {
  for (int32_t i = 0; i < GetItemCount(); ++i)
    if (CompareText(GetItemName(GetItem(i)), name) == 0)
      return GetItem(i);
  return nullptr;
}

TlxCustomDataField* TlxCustomDataController::AddItem(TObject* item) {
  if (fields_->FieldByItem(item))
    lxDataControllerError(lxSDataItemExistError);
  TlxCustomDataField* field = CreateField();
  field->SetItem(item);
  return field;
}

void TlxCustomDataController::RemoveItem(TObject* item) {
  TlxCustomDataField* field = fields_->FieldByItem(item);
  if (!field)
    return;
  TUpdateScope update(*this);
  fields_->Remove(field);
}

void TlxCustomDataController::UpdateItemIndexes() {
  for (int32_t i = 0; i < GetItemCount(); ++i)
    if (TlxCustomDataField* field = fields_->FieldByItem(GetItem(i)))
      field->SetIndex(i);
  Change(dccItemsChanged);
}

void TlxCustomDataController::CheckItemRange(int32_t item_index) const {
  if (item_index < 0 || item_index >= GetItemCount())
    lxDataControllerError(lxSDataItemIndexError);
}

TlxCustomDataField* TlxCustomDataController::ItemField(int32_t item_index) const {
  CheckItemRange(item_index);
  return fields_->FieldAt(item_index);
}

int32_t TlxCustomDataController::ItemIndexOfField(const TlxCustomDataField* field) const {
  if (!field || field->IsInternal())
    return -1;
  return fields_->IndexOf(field);
}

void TlxCustomDataController::SetItemValueTypeClass(int32_t item_index, TlxValueTypeClass value_type) {
  TlxCustomDataField* field = ItemField(item_index);
  if (field->ValueTypeClass() == value_type)
    return;
  field->ChangeValueTypeClass(value_type);
  info_->FieldChanged(field);
  if (IsProviderMode())
    RebuildStructure();
  ItemValueTypeClassChanged(item_index);
}

TlxValueTypeClass TlxCustomDataController::GetItemValueTypeClass(int32_t item_index) const {
  return ItemField(item_index)->ValueTypeClass();
}

void TlxCustomDataController::SetItemTextStored(int32_t item_index, bool stored) {
  TlxCustomDataField* field = ItemField(item_index);
  if (field->TextStored() == stored)
    return;
  field->SetStoresText(stored);
  info_->FieldChanged(field);
}

bool TlxCustomDataController::GetItemTextStored(int32_t item_index) const { return ItemField(item_index)->TextStored(); }

void TlxCustomDataController::SetItemVariantCompare(int32_t item_index, bool value) {
  TlxCustomDataField* field = ItemField(item_index);
  if (field->ValueCompare() == value)
    return;
  field->SetValueCompare(value);
  info_->FieldChanged(field);
}

bool TlxCustomDataController::GetItemVariantCompare(int32_t item_index) const {
  return ItemField(item_index)->ValueCompare();
}

bool TlxCustomDataController::IsOwnerLoading() const {
  return owner_ && owner_->ComponentState().Contains(csLoading);
}

bool TlxCustomDataController::IsOwnerDestroying() const {
  return destroying_ || (owner_ && owner_->ComponentState().Contains(csDestroying));
}

bool TlxCustomDataController::IsOwnerReading() const {
  return owner_ && owner_->ComponentState().Contains(csReading);
}

void TlxCustomDataController::SetOptions(TlxDataControllerOptions options) {
  if (options_ == options)
    return;
  options_ = options;
  Refresh();
}

void TlxCustomDataController::SetFilter(const TlxDataFilterCriteria& filter) { filter_->AssignFrom(&filter, false); }

TlxDataFilterCriteria* TlxCustomDataController::CreateFilterCriteria() {
  return filter_list_->Add(lxCreatePart<TlxDataFilterCriteria>(GetFilterCriteriaClass(), this));
}

void TlxCustomDataController::SetOnFilterRecord(TlxDataFilterRecordEvent handler) {
  const bool had = static_cast<bool>(on_filter_record_);
  on_filter_record_ = std::move(handler);
  if (had || on_filter_record_)
    filter_->MarkChanged();
}

void TlxCustomDataController::BeginUpdate() { info_->BeginUpdate(); }

void TlxCustomDataController::EndUpdate() {
  info_->EndUpdate();
  CheckChanges();
}

void TlxCustomDataController::Change(uint16_t bits) {
  changes_ |= bits;
  CheckChanges();
}

void TlxCustomDataController::SendInfo(TlxUpdateControlInfo& info) {
  // A focus that moves, or a record that changes, for any other reason
  // ends a running incremental search.
  if (incremental_searching_ && (dynamic_cast<TlxFocusedRecordChangedInfo*>(&info) != nullptr ||
                                 dynamic_cast<TlxUpdateRecordInfo*>(&info) != nullptr))
    Search().Cancel();
  TStateScope notifying(in_control_notification_, true);
  NotifyControl(info);
}

void TlxCustomDataController::CheckChanges() {
  if (GetLockCount() != 0 || info_->Calculating())
    return;
  BeforeCheckUpdate();
  if (changes_ == 0)
    return;
  if (structure_changed_) {
    structure_changed_ = false;
    StructureChanged();
  }
  const uint16_t bits = std::exchange(changes_, 0);
  TAliveToken alive = AliveToken();
  if (bits & dccDataChanged) {
    NotifyDataChanged();
  } else if (bits & (dccItemsChanged | dccDetailLayout | dccSummaryLayout)) {
    TlxLayoutChangedInfo info;
    SendInfo(info);
  } else if (bits & dccUpdateRecord) {
    TlxUpdateRecordInfo info(FocusedRecordIndex());
    SendInfo(info);
  }
  if (!alive.Alive())
    return;
  if (bits & dccFocus)
    NotifyFocus();
  if (bits & dccSelection)
    NotifySelection();
  if (bits & dccSearch) {
    TlxSearchChangedInfo info;
    SendInfo(info);
  }
  if (bits & dccBookmark) {
    TlxBookmarkChangedInfo info;
    SendInfo(info);
  }
  if (!alive.Alive())
    return;
  if ((bits & dccGrouping) && !IsOwnerReading() && OnGroupingChanged)
    OnGroupingChanged(this);
  if (!alive.Alive())
    return;
  if ((bits & dccSorting) && !IsOwnerReading() && !in_sorting_changed_event_ && OnSortingChanged) {
    TStateScope running(in_sorting_changed_event_, true);
    OnSortingChanged(this);
  }
  if (!alive.Alive())
    return;
  // A clone's reload may move the focus its template shows.
  if ((bits & dccDetailData) && GetDetailMode() == 2)
    if (auto* template_controller = const_cast<TlxCustomDataController*>(GetTemplateController()))
      template_controller->CheckFocusing();
}

void TlxCustomDataController::ResetDataChange() {
  pending_kind_ = dckAll;
  pending_item_ = -1;
  pending_record_ = -1;
  pending_reset_ = true;
}

void TlxCustomDataController::DataChanged(TlxDataChangeKind kind, int32_t item_index, int32_t record_index) {
  // Merge so that the report never says less than what happened: one item
  // of one record, one record, added or deleted records, or everything.
  if (pending_reset_) {
    pending_kind_ = kind;
    pending_item_ = item_index;
    pending_record_ = record_index;
    pending_reset_ = false;
  } else if (pending_kind_ == dckAll || kind == dckAll || record_index != pending_record_) {
    pending_kind_ = dckAll;
    pending_item_ = -1;
    pending_record_ = -1;
  } else if (kind == pending_kind_ && (kind != dckValue || item_index == pending_item_)) {
    // The same change again.
  } else if ((kind == dckValue || kind == dckRecord) && (pending_kind_ == dckValue || pending_kind_ == dckRecord)) {
    pending_kind_ = dckRecord;
    pending_item_ = -1;
  } else {
    pending_kind_ = dckAll;
    pending_item_ = -1;
    pending_record_ = -1;
  }
  if (kind == dckAll) {
    UpdateStructure(false);
    ForgetMasterHasChildren();
    return;
  }
  if (kind == dckAdded || kind == dckDeleted)
    info_->FocusChanged(false);
  info_->Refresh();
  CheckChanges();
  ForgetMasterHasChildren();
}

void TlxCustomDataController::ForgetMasterHasChildren() {
  // The master's cached answer whether this detail has records may be stale.
  if (!(IsProviderMode() || provider_->IsActive()) || provider_->IsEditing() || provider_->IsInserting())
    return;
  if (TlxCustomDataController* master = GetMasterDataController())
    master->ClearDetailsHasChildren();
}

void TlxCustomDataController::NotifyDataChanged() {
  TScopeExit reset([this] { ResetDataChange(); });
  if (pending_kind_ == dckValue && pending_item_ == -1)
    pending_kind_ = dckRecord;
  const bool new_item = pending_record_ == new_item_record_index_ && new_item_record_index_ != 0 &&
                        use_new_item_row_for_editing_;
  if ((pending_kind_ == dckValue || pending_kind_ == dckRecord) && pending_record_ == -1 && !new_item)
    pending_kind_ = dckAll;
  TlxDataChangedInfo info(pending_kind_, pending_item_, pending_record_);
  SendInfo(info);
  DoDataChanged();
}

void TlxCustomDataController::DoDataChanged() {
  if (IsOwnerDestroying())
    return;
  if (!OnDataChanged && !OnRecordChanged && listeners_.empty())
    return;
  if (IsOwnerLoading()) {
    data_changed_pending_ = true;
    return;
  }
  data_changed_pending_ = false;
  TAliveToken alive = AliveToken();
  if ((pending_kind_ == dckValue || pending_kind_ == dckRecord) && pending_record_ != -1 && OnRecordChanged)
    OnRecordChanged(this, pending_record_, pending_item_);
  if (!alive.Alive())
    return;
  if (OnDataChanged)
    OnDataChanged(this);
  if (!alive.Alive() || (IsGridMode() && provider_->LocateCount() > 0))
    return;
  const std::vector<TListener> listeners = listeners_;
  for (const TListener& listener : listeners) {
    listener.Method(this);
    if (!alive.Alive())
      return;
  }
}

void TlxCustomDataController::OwnerLoaded() {
  if (data_changed_pending_)
    DoDataChanged();
  if (after_summary_pending_)
    Summary().DoAfterSummary();
}

void TlxCustomDataController::NotifyFocus() {
  const int32_t prev_row = info_->PrevFocusedRowIndex();
  const int32_t row = info_->FocusedRowIndex();
  if (prev_row != row) {
    TlxFocusedRowChangedInfo info(prev_row, row);
    SendInfo(info);
  }
  const int32_t prev_record = info_->PrevFocusedRecordIndex();
  const int32_t record = info_->FocusedRecordIndex();
  if (prev_record >= 0 || record >= 0 || info_->PrevFocusChanged()) {
    TlxFocusedRecordChangedInfo info(prev_record, record, row, prev_row, info_->PrevFocusChanged());
    SendInfo(info);
  }
  info_->StorePrevFocus();
}

void TlxCustomDataController::NotifySelection() {
  const int32_t count = GetSelectedCount();
  const int32_t row = count == 1 ? GetSelectedRowIndex(0) : -1;
  const bool many = count > 1 || prev_selected_count_ > 1;
  TlxSelectionChangedInfo info(many ? -1 : prev_selected_row_, many ? -1 : row);
  prev_selected_count_ = count;
  prev_selected_row_ = row;
  SendInfo(info);
}

void TlxCustomDataController::NotifyControl(TlxUpdateControlInfo& info) {
  if (OnUpdateControl)
    OnUpdateControl(info);
}

void TlxCustomDataController::NotifyGroupingChanging() {
  TlxGroupingChangingInfo info;
  SendInfo(info);
}

int32_t TlxCustomDataController::AddDataChangedListener(TObject* object, TNotifyEvent method) {
  listeners_.push_back({object, std::move(method)});
  return static_cast<int32_t>(listeners_.size()) - 1;
}

void TlxCustomDataController::RemoveDataChangedListener(TObject* object) {
  const auto found =
      std::find_if(listeners_.begin(), listeners_.end(), [&](const TListener& l) { return l.Object == object; });
  if (found != listeners_.end())
    listeners_.erase(found);
}

void TlxCustomDataController::BeginLocate() {
  ++grid_mode_lock_count_;
  provider_->BeginLocate();
}

void TlxCustomDataController::EndLocate() {
  provider_->EndLocate();
  --grid_mode_lock_count_;
}

void TlxCustomDataController::Refresh() {
  TUpdateScope update(*this);
  info_->Refresh();
}

bool TlxCustomDataController::RefreshIfItemSorted(int32_t item_index) {
  bool sorted = item_index == -1;
  if (!sorted) {
    TlxCustomDataField* field = ItemField(item_index);
    sorted = info_->SortingFieldList().Find(field) >= 0 || info_->GroupingFieldList().Find(field) >= 0;
  }
  if (sorted)
    Refresh();
  return sorted;
}

void TlxCustomDataController::UpdateStructure(bool force) {
  BeginUpdateWithOwner();
  TScopeExit end([this] { EndUpdateWithOwner(); });
  if (SyncsFieldsWithSource() && (force || provider_->HasSourceFields())) {
    if (fields_lock_count_ > 0)
      fields_update_pending_ = true;
    else if (!(provider_->IsGridModeUpdating() && provider_->IsInserting()) && !fields_->FieldDestroyed())
      UpdateFields();
  }
  if (!structure_changed_)
    ReloadStorage();
  info_->Refresh();
  items_updating_ = false;
  structure_recreated_ = false;
}

void TlxCustomDataController::StructureChanged() {
  if (items_updating_)
    return;
  TStateScope updating(items_updating_, true);
  if (GetLockCount() > 0) {
    structure_changed_ = true;
    return;
  }
  if (SyncsFieldsWithSource())
    UpdateStructure(true);
}

void TlxCustomDataController::EndUpdateFields() {
  if (fields_lock_count_ == 0 || --fields_lock_count_ > 0)
    return;
  fields_update_pending_ = false;
  StructureChanged();
}

void TlxCustomDataController::UpdateFields() {
  for (int32_t i = 0; i < fields_->Count(); ++i)
    fields_->FieldAt(i)->SetUpdatedInPass(false);
  bool all_updated = false;
  while (!all_updated) {
    fields_->SetFieldDestroyed(false);
    all_updated = true;
    for (int32_t i = 0; i < fields_->Count() && !fields_->FieldDestroyed(); ++i) {
      TlxCustomDataField* field = fields_->FieldAt(i);
      if (field->UpdatedInPass())
        continue;
      field->SetUpdatedInPass(true);
      UpdateField(*field);
    }
    for (int32_t i = 0; i < fields_->Count(); ++i)
      all_updated = all_updated && fields_->FieldAt(i)->UpdatedInPass();
  }
}

void TlxCustomDataController::SetActive(bool value) {
  active_ = value;
  StructureChanged();
  ForgetMasterHasChildren();
}

void TlxCustomDataController::ReloadStorage() {
  // Records of the controller's own (no outside source) are never thrown
  // away here: only a source can deliver them again.
  if (!IsProviderMode() && !provider_->IsActive() && !SyncsFieldsWithSource())
    return;
  const bool through_reader = CreatesRecordsThroughReader();
  if (!(through_reader && in_smart_load_))
    storage_->ClearAll(provider_->DataChangedLocked());
  if (!through_reader) {
    if (!IsTemplateController())
      LoadStorage();
    TStateScope loading(in_storage_load_, true);
    info_->ValidateSelection();
    info_->Refresh();
    CheckBookmark(-1);
  }
  CheckFocusing();
  Change(dccDataChanged);
  AfterStorageLoaded();
  if (GetDetailMode() == 2)
    Change(dccDetailData);
  NotifyStorageLoaded();
}

void TlxCustomDataController::LoadStorage() {
  if (IsProviderMode()) {
    BeginStorageLoad();
    TScopeExit end_load([this] { EndStorageLoad(); });
    provider_->LoadRecordHandles();
    loaded_storage_ = true;
    return;
  }
  if (provider_->IsGridMode()) {
    BeginStorageLoad();
    TScopeExit end_load([this] { EndStorageLoad(); });
    provider_->LoadGridModeBuffer();
    return;
  }
  provider_->LockNotify();
  TScopeExit unlock([this] { provider_->UnlockNotify(); });
  provider_->SavePos();
  TScopeExit restore([this] { provider_->RestorePos(); });
  provider_->First();
  if (provider_->FieldsRecreated())
    UpdateFields();
  {
    BeginStorageLoad();
    TScopeExit end_load([this] { EndStorageLoad(); });
    std::unique_ptr<TlxValueDefReader> reader =
        lxCreatePart<TlxValueDefReader>(provider_->GetValueDefReaderClass(), provider_.get());
    while (!provider_->IsEOF()) {
      const int32_t record = storage_->AddRecord();
      storage_->FillRecordFromReader(record, *reader);
      NotifyRecordLoaded(record);
      provider_->Next();
    }
  }
  loaded_storage_ = provider_->ActiveChanging();
}

void TlxCustomDataController::RebuildStructure() {
  BeginUpdateWithOwner();
  TScopeExit end([this] { EndUpdateWithOwner(); });
  provider_->ResetEditing();
  storage_->ClearAll(true);
  ClearBookmark();
  info_->Refresh();
  storage_->SetOnlyStoredValues(IsProviderMode() || IsGridMode());
  if (!IsProviderMode() && record_handles_field_) {
    TlxCustomDataField* field = std::exchange(record_handles_field_, nullptr);
    fields_->Remove(field);
  } else if (IsProviderMode() && !record_handles_field_) {
    record_handles_field_ = CreateInternalField();
    // Source handles may be pointers: a 64-bit field keeps them whole.
    record_handles_field_->ChangeValueTypeClass(lxValueTypeClass<TlxLargeIntValueType>());
  }
  structure_recreated_ = true;
  StructureChanged();
}

void TlxCustomDataController::CheckFocusing() {
  if (provider_->LocateCount() > 0 && info_->Focusing())
    return;
  info_->CheckFocusedRow();
  info_->CheckUpdate();
}

void TlxCustomDataController::FilterChanged() {
  check_focusing_after_filter_ = true;
  Cancel();
  Refresh();
  CheckBookmark(-1);
}

void TlxCustomDataController::FieldDestroyed(TlxCustomDataField* field) {
  if (field == record_handles_field_)
    record_handles_field_ = nullptr;
  if (relations_)
    relations_->RemoveDataField(field);
  if (destroying_)
    return;
  filter_list_->RemoveItemsByField(field);
  filter_->RemoveItemsByField(field);
  if (summary_)
    summary_->RemoveFieldItems(field);
  if (field == sorting_by_summary_field_)
    sorting_by_summary_field_ = nullptr;
  if (field == incremental_search_field_) {
    Search().Cancel();
    incremental_search_field_ = nullptr;
  }
  if (field == incremental_filter_field_)
    ResetIncrementalFilter();
  info_->FieldRemoved(field);
}

TObject* TlxDataController::GetItem(int32_t index) const {
  CheckItemRange(index);
  return Fields().FieldAt(index)->Item();
}

TlxDataController::TlxDataController(TComponent* owner) : TlxCustomDataController(owner) { SetActive(true); }
