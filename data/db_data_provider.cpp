#include "data/db_data_provider.h"

#include <algorithm>

#include "data/db_data_controller.h"
#include "data/db_data_field.h"
#include "data/db_data_link.h"
#include "data/db_field_helpers.h"
#include "data/data_relations.h"
#include "data/variant_utils.h"
#include "platform/db/data_set.h"
#include "platform/db/data_source.h"
#include "platform/db/db_errors.h"
#include "platform/db/field.h"
#include "platform/rtl/scope.h"

namespace {

// Created with the first provider and freed with the last.
std::unique_ptr<std::vector<TlxDBDataProvider*>>& ProviderList() {
  static std::unique_ptr<std::vector<TlxDBDataProvider*>> list;
  return list;
}

}  // namespace

// --- TlxDBDataAssignedFields

void TlxDBDataAssignedFields::Add(TField* field) {
  if (field != nullptr && !Contains(field))
    fields_.push_back(field);
}

void TlxDBDataAssignedFields::AddFields(const std::vector<TField*>& fields) {
  for (TField* field : fields)
    Add(field);
}

void TlxDBDataAssignedFields::AddFieldsByName(const TDataSet* dataset, std::string_view names) {
  if (dataset == nullptr)
    return;
  size_t start = 0;
  for (;;) {
    const size_t end = names.find(';', start);
    Add(dataset->FindField(names.substr(start, end == std::string_view::npos ? names.npos : end - start)));
    if (end == std::string_view::npos)
      return;
    start = end + 1;
  }
}

bool TlxDBDataAssignedFields::Contains(const TField* field) const {
  return std::find(fields_.begin(), fields_.end(), field) != fields_.end();
}

// --- TlxValueDefDBReader

TField* TlxValueDefDBReader::BoundField(const TlxValueDef& def) {
  const auto* field = dynamic_cast<const TlxDBDataField*>(def.GetLink());
  return field != nullptr ? field->Field() : nullptr;
}

std::string TlxValueDefDBReader::DisplayTextFor(const TlxValueDef& def) {
  const TField* field = BoundField(def);
  return field != nullptr ? field->DisplayText() : TlxValueDefReader::DisplayTextFor(def);
}

Variant TlxValueDefDBReader::ValueFor(const TlxValueDef& def) {
  const TField* field = BoundField(def);
  if (field == nullptr)
    return TlxValueDefReader::ValueFor(def);
  return field->IsNull() ? Variant::Null() : lxDBFieldValue(*field);
}

bool TlxValueDefDBReader::SkipsDef(const TlxValueDef& def) {
  const auto* field = dynamic_cast<const TlxDBDataField*>(def.GetLink());
  return field == nullptr || field->IsInternalForSource();
}

// --- TlxDBDataProvider

TlxDBDataProvider::TlxDBDataProvider(TlxCustomDataController* controller) : TlxCustomDataProvider(controller) {
  link_ = std::make_unique<TlxDBDataLink>(*this);
  if (!ProviderList())
    ProviderList() = std::make_unique<std::vector<TlxDBDataProvider*>>();
  ProviderList()->push_back(this);
}

TlxDBDataProvider::~TlxDBDataProvider() {
  std::vector<TlxDBDataProvider*>& list = *ProviderList();
  for (TlxDBDataProvider* other : list) {
    std::vector<TlxDBDataProvider*>& waiting = other->waiting_providers_;
    waiting.erase(std::remove(waiting.begin(), waiting.end(), this), waiting.end());
  }
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if (list.empty())
    ProviderList().reset();
  link_.reset();
}

const std::vector<TlxDBDataProvider*>& TlxDBDataProvider::Providers() {
  static const std::vector<TlxDBDataProvider*> none;
  return ProviderList() ? *ProviderList() : none;
}

TlxDBDataController& TlxDBDataProvider::DBController() const {
  return static_cast<TlxDBDataController&>(DataController());
}

TDataSet* TlxDBDataProvider::DataSet() const { return link_ ? link_->DataSet() : nullptr; }

bool TlxDBDataProvider::SameDataSet(const TlxDBDataProvider& other) const {
  return DataSet() != nullptr && other.DataSet() == DataSet();
}

// --- Answers

bool TlxDBDataProvider::IsGridMode() const {
  const TDataSet* dataset = DataSet();
  return DBController().DataModeController().GridMode() && (dataset == nullptr || !dataset->IsUnidirectional()) &&
         !LoadAllNeeded();
}

bool TlxDBDataProvider::IsActive() const {
  const TDataSet* dataset = DataSet();
  return dataset != nullptr && dataset->State() != dsInactive;
}

bool TlxDBDataProvider::IsOtherInsertingOnSource() const {
  for (const TlxDBDataProvider* other : Providers())
    if (other != this && SameDataSet(*other) && other->in_insert_)
      return true;
  return false;
}

bool TlxDBDataProvider::IsSyncMode() const {
  const TDataSet* dataset = DataSet();
  if (dataset == nullptr || !dataset->Active() || dataset->IsUnidirectional())
    return false;
  const TlxDBDataController& controller = DBController();
  const TlxDBDataModeController& mode = controller.DataModeController();
  if (!mode.GridMode() && !mode.SyncMode())
    return false;
  if (!controller.IsDBDetail())
    return true;
  if (!mode.DetailCursorSync())
    return false;
  if (mode.DetailInSQLMode() && !controller.IsDataSetCurrent())
    return false;
  return controller.UsesRecordKeys() || IsGridMode();
}

bool TlxDBDataProvider::IsDataAvailable() const {
  const TDataSet* dataset = DataSet();
  return dataset != nullptr && dataset->Active() && !dataset->ControlsDisabled();
}

bool TlxDBDataProvider::HasSourceFields() const {
  const TDataSet* dataset = DataSet();
  return dataset != nullptr && dataset->FieldCount() > 0 && (dataset->Active() || !dataset->DefaultFields());
}

bool TlxDBDataProvider::IsBOF() const {
  const TDataSet* dataset = DataSet();
  return dataset == nullptr || dataset->Bof() || !link_->Active();
}

bool TlxDBDataProvider::IsDetailLoad() const { return DBController().IsDBDetail() && !IsGridMode(); }

bool TlxDBDataProvider::IsEOF() const {
  const TDataSet* dataset = DataSet();
  if (dataset == nullptr)
    return true;
  if (!IsDetailLoad())
    return dataset->Eof() || !link_->Active();
  const TlxDBDataController& controller = DBController();
  const Variant& keys = controller.MasterDetailKeyValues();
  if (keys.IsEmpty() || dataset->Eof())
    return true;
  if (IsEditState(dataset->State()))
    return false;
  return !lxVariantEquals(TlxDBDataController::DataSetValues(dataset, controller.DetailKeyNamesInUse()), keys);
}

bool TlxDBDataProvider::IsEditing() const {
  const TDataSet* dataset = DataSet();
  return dataset != nullptr && IsEditState(dataset->State());
}

bool TlxDBDataProvider::IsInserting() const {
  const TDataSet* dataset = DataSet();
  return dataset != nullptr && dataset->State() == dsInsert;
}

bool TlxDBDataProvider::IsModified() const { return TlxCustomDataProvider::IsModified() || IsDataSetModified(); }

bool TlxDBDataProvider::CanDelete() const {
  const TDataSet* dataset = DataSet();
  return CanModify() && dataset != nullptr && !dataset->IsEmpty();
}

bool TlxDBDataProvider::CanModify() const {
  const TDataSet* dataset = DataSet();
  return dataset != nullptr && dataset->Active() && dataset->CanModify() && IsSyncMode();
}

bool TlxDBDataProvider::IsSmartRefresh() const {
  return DBController().UsesRecordKeys() && !IsGridMode() && DBController().DataModeController().SmartRefresh();
}

bool TlxDBDataProvider::IsBookmarkValid(const std::string& bookmark) const {
  const TDataSet* dataset = DataSet();
  return dataset != nullptr && dataset->Active() && dataset->BookmarkValid(bookmark);
}

int32_t TlxDBDataProvider::CompareBookmarks(const std::string& a, const std::string& b) const {
  if (!link_->Active())
    return -1;
  return DataSet()->CompareBookmarks(a, b);
}

int32_t TlxDBDataProvider::GetSourceRecordIndex() const {
  if (TlxCustomDataProvider::IsEditing())
    return EditedRecordIndex();
  return current_record_index_;
}

// --- Moving the cursor

void TlxDBDataProvider::RecordLoaded(int32_t record_index) {
  if (DBController().UsesRecordKeys() || saved_.Bookmark.empty())
    return;
  if (DataSet()->GetBookmark() == saved_.Bookmark)
    current_record_index_ = record_index;
}

void TlxDBDataProvider::First() {
  TlxCustomDataProvider::First();
  TDataSet* dataset = DataSet();
  TlxDBDataController& controller = DBController();
  if (dataset == nullptr || !dataset->Active())
    return;
  if (!IsDetailLoad() || controller.MasterDetailKeyValues().IsEmpty()) {
    dataset->First();
    return;
  }
  bool reopened = false;
  controller.DataModeController().DoDetailFirst(controller.DetailKeyNamesInUse(), controller.MasterDetailKeyValues(),
                                                reopened);
  if (reopened)
    SavePos();
  controller.MarkDataSetCurrent();
}

void TlxDBDataProvider::Prev() {
  if (TDataSet* dataset = DataSet())
    dataset->Prior();
}

void TlxDBDataProvider::Next() {
  if (TDataSet* dataset = DataSet())
    dataset->Next();
}

void TlxDBDataProvider::Last() {
  TDataSet* dataset = DataSet();
  if (dataset != nullptr && dataset->Active())
    dataset->Last();
}

void TlxDBDataProvider::MoveBy(int32_t distance) {
  if (TDataSet* dataset = DataSet())
    dataset->MoveBy(distance);
}

void TlxDBDataProvider::SavePos() {
  TDataSet* dataset = DataSet();
  saved_ = {};
  if (dataset == nullptr || !dataset->Active())
    return;
  saved_.Bookmark = dataset->GetBookmark();
  saved_.ActiveRecord = link_->ActiveRecord();
  saved_.Bof = dataset->Bof();
  saved_.Eof = dataset->Eof();
}

// The pairs of moves return to the same record but put it back at its
// place in the data link's window.
void TlxDBDataProvider::RestorePos() {
  TDataSet* dataset = DataSet();
  if (dataset == nullptr || !dataset->Active())
    return;
  try {
    if (!saved_.Bookmark.empty() && dataset->BookmarkValid(saved_.Bookmark)) {
      dataset->GotoBookmark(saved_.Bookmark);
      const int32_t active = link_->ActiveRecord();
      const int32_t buffers = link_->BufferCount();
      if (saved_.ActiveRecord < active) {
        dataset->MoveBy(buffers - saved_.ActiveRecord - 1);
        dataset->MoveBy(saved_.ActiveRecord - buffers + 1);
      } else if (saved_.ActiveRecord > active) {
        dataset->MoveBy(-saved_.ActiveRecord);
        dataset->MoveBy(saved_.ActiveRecord);
      }
    }
    if (saved_.Bof && !dataset->Bof())
      dataset->Prior();
    if (saved_.Eof && !dataset->Eof())
      dataset->Next();
  } catch (const EDatabaseError&) {
    // A position that is gone is no reason to fail the load that ends here.
  }
}

// --- Locks and the busy test

void TlxDBDataProvider::SetPostLocateMarks() {
  for (TlxDBDataProvider* other : Providers())
    if (SameDataSet(*other))
      other->post_locate_mark_ = true;
}

void TlxDBDataProvider::BeginLocate() {
  TlxCustomDataProvider::BeginLocate();
  if (IsEditing())
    SetPostLocateMarks();
}

void TlxDBDataProvider::LockNotify() {
  TlxCustomDataProvider::LockNotify();
  TDataSet* dataset = DataSet();
  if (dataset == nullptr)
    return;
  dataset->DisableControls();
  if (dataset->Active() && IsEditState(dataset->State())) {
    SetPostLocateMarks();
    dataset->Cancel();
  }
}

// The controls come back while the lock still counts: the one notification
// that EnableControls sends then meets a busy dataset and is only a scroll.
void TlxDBDataProvider::UnlockNotify() {
  TScopeExit lower([this] { TlxCustomDataProvider::UnlockNotify(); });
  if (TDataSet* dataset = DataSet())
    dataset->EnableControls();
}

bool TlxDBDataProvider::IsDataSetBusy() const {
  const bool by_keys = DBController().UsesRecordKeys() || IsGridMode();
  for (const TlxDBDataProvider* other : Providers()) {
    if (!SameDataSet(*other))
      continue;
    if (other->in_notify_ && !post_locate_mark_)
      return true;
    const bool locked = other->NotificationLockCount() > 0 || (by_keys && other->LocateCount() > 0);
    if (locked && !post_locate_mark_)
      return true;
  }
  return false;
}

void TlxDBDataProvider::NotifyWaitingProviders() {
  if (in_notify_)
    return;
  TStateScope notifying(in_notify_, true);
  while (!waiting_providers_.empty()) {
    TlxDBDataProvider* waiting = waiting_providers_.back();
    waiting_providers_.pop_back();
    waiting->link_->NotifyDataSetChanged();
  }
}

// --- Notifications

void TlxDBDataProvider::HandleActiveChanged() {
  {
    SetActiveChanging(true);
    TScopeExit changed([this] { SetActiveChanging(false); });
    ActiveChanged(link_->Active());
  }
  const TDataSet* dataset = DataSet();
  in_set_data_source_ = dataset != nullptr && dataset->State() == dsInsert;
}

void TlxDBDataProvider::ActiveChanged(bool active) {
  TlxDBDataController& controller = DBController();
  const TDataSet* dataset = DataSet();
  if (!active && dataset != nullptr && dataset->DefaultFields())
    controller.ResetDataSetFields();
  TlxCustomDataProvider::ActiveChanged(active);
  if (!active)
    controller.ForgetVanishedFocus();
}

void TlxDBDataProvider::HandleDataSetChanged() {
  TDataSet* dataset = DataSet();
  if (dataset == nullptr)
    return;
  for (TlxDBDataProvider* other : Providers()) {
    if (other == this || !SameDataSet(*other))
      continue;
    const bool other_busy =
        other->NotificationLockCount() > 0 || (DBController().UsesRecordKeys() && other->LocateCount() > 0);
    if (other_busy) {
      std::vector<TlxDBDataProvider*>& waiting = other->waiting_providers_;
      if (std::find(waiting.begin(), waiting.end(), this) == waiting.end())
        waiting.push_back(this);
      return;
    }
  }
  if (IgnoresDataSetChange())
    return;
  if (IsDataSetBusy()) {
    DataScrolled(0);
    return;
  }
  if (IsGridMode()) {
    RefreshGridModeWindow();
    return;
  }
  const TDataSetState state = dataset->State();
  if (!IsEditState(state)) {
    if (IsSmartRefresh())
      SmartRefreshEditedRecord();
    else
      DataChanged(dckAll, -1, -1);
    DataScrolled(0);
    ResetSmartRefreshState();
    return;
  }
  if (state == dsInsert && !TlxCustomDataProvider::IsInserting() && !in_insert_sync_ &&
      DBController().DataModeController().MirrorDataSetInserts() && IsSyncMode())
    SynchronizeInsert();
}

bool TlxDBDataProvider::IgnoresDataSetChange() const {
  const TlxDBDataController& controller = DBController();
  const TlxDBDataModeController& mode = controller.DataModeController();
  if (!controller.IsDBDetail() || !mode.DetailInSQLMode())
    return false;
  if (!mode.DetailCursorSync())
    return true;
  const Variant& keys = controller.MasterDetailKeyValues();
  return !dataset_is_current_ && !keys.IsEmpty() &&
         !lxVariantEquals(TlxDBDataController::DataSetValues(DataSet(), controller.DetailKeyNamesInUse()), keys);
}

bool TlxDBDataProvider::GetDetailHasChildren(int32_t record_index, int32_t relation_index) {
  TlxCustomDataRelation* relation = DBController().RelationList().RelationAt(relation_index);
  if (relation == nullptr)
    return false;
  if (dynamic_cast<TlxDBDataController*>(relation->DetailDataController()) == nullptr)
    return TlxCustomDataProvider::GetDetailHasChildren(record_index, relation_index);
  return DBController().DetailDataSetHasChildren(record_index, *relation);
}

void TlxDBDataProvider::DataScrolled(int32_t distance) {
  if (!IsGridMode()) {
    if (current_record_index_ >= 0)
      current_record_index_ += distance;
    TlxCustomDataProvider::DataScrolled(distance);
    return;
  }
  TlxDBDataController& controller = DBController();
  current_record_index_ = link_->ActiveRecord();
  {
    TUpdateScope update(controller);
    if (distance != 0) {
      // The window shows other records now.
      controller.GridModeRecordsScrolled();
      controller.Refresh();
    }
    TlxCustomDataProvider::DataScrolled(distance);
  }
  const TDataSet* dataset = DataSet();
  if (dataset != nullptr && dataset->IsSequenced())
    controller.AfterSequencedScroll();
}

// --- Grid mode

void TlxDBDataProvider::LoadGridModeBuffer() {
  TlxDBDataController& controller = DBController();
  link_->SetBufferCount(controller.DataModeController().EffectiveGridModeBufferCount());
  TlxDataStorage& storage = controller.DataStorage();
  storage.ClearAll(false);
  storage.SetRecordCount(link_->RecordCount());
  current_record_index_ = link_->ActiveRecord();
}

void TlxDBDataProvider::RefreshGridModeWindow() {
  TlxDBDataController& controller = DBController();
  TDataSet* dataset = DataSet();
  TStateScope updating(in_update_grid_mode_, true);
  controller.BeginUpdateWithOwner();
  TScopeExit end([&] { controller.EndUpdateWithOwner(); });
  link_->SetBufferCount(controller.DataModeController().EffectiveGridModeBufferCount());
  current_record_index_ = link_->ActiveRecord();
  if (link_->RecordCount() != controller.GetRecordCount() || IsInserting()) {
    DataChanged(dckAll, -1, -1);
    if (controller.InGridModeBufferUpdate() && IsEditState(dataset->State()) && !link_->ReadOnly())
      link_->NotifyEditingChanged();
  } else if (!IsEditing()) {
    controller.Refresh();
  }
  controller.CheckFocusing();
  TlxDBDataSelection& selection = controller.BookmarkSelection();
  for (int32_t i = selection.Count() - 1; i >= 0; --i)
    if (selection.At(i).empty() || !IsBookmarkValid(selection.At(i)))
      selection.RemoveAt(i);
}

template <class Read>
auto TlxDBDataProvider::ReadWindowRecord(int32_t record_index, TlxCustomDataField& field, Read read,
                                         decltype(read(nullptr)) none) {
  auto* db_field = dynamic_cast<TlxDBDataField*>(&field);
  TField* bound = db_field != nullptr ? db_field->Field() : nullptr;
  if (bound == nullptr || !link_->Active())
    return none;
  if (record_index < 0 || record_index >= link_->RecordCount())
    return IsInserting() ? read(bound) : none;
  const int32_t active = link_->ActiveRecord();
  link_->SetActiveRecord(record_index);
  TScopeExit back([&] { link_->SetActiveRecord(active); });
  return read(bound);
}

Variant TlxDBDataProvider::GetExternalValue(int32_t record_index, TlxCustomDataField& field) {
  return ReadWindowRecord(
      record_index, field,
      [](const TField* bound) { return bound == nullptr || bound->IsNull() ? Variant::Null() : lxDBFieldValue(*bound); },
      Variant::Null());
}

std::string TlxDBDataProvider::GetExternalDisplayText(int32_t record_index, TlxCustomDataField& field) {
  return ReadWindowRecord(
      record_index, field, [](const TField* bound) { return bound == nullptr ? std::string() : bound->DisplayText(); },
      std::string());
}

void TlxDBDataProvider::HandleEditingChanged() {
  TScopeExit clear([this] { in_set_data_source_ = false; });
  const TDataSet* dataset = DataSet();
  if (link_->Active() && dataset != nullptr && IsEditState(dataset->State())) {
    if (!IsSyncMode())
      return;
    if (dataset->State() != dsInsert && EditedRecordIndex() == kLxNoEditedRecord) {
      TlxDBDataController& controller = DBController();
      TStateScope<bool> copying(controller.UnboundCopyFlag(), true);
      DoEdit();
      RememberUpdatingRecord(false);
    }
    return;
  }
  ResetEditing();
}

void TlxDBDataProvider::HandleFocusControl(TField*& field) {
  TlxDBDataController& controller = DBController();
  for (int32_t item = 0; item < controller.GetItemCount(); ++item) {
    TlxDBDataField* data_field = controller.ItemDBField(item);
    if (data_field == nullptr || data_field->IsInternal() || data_field->Field() != field)
      continue;
    if (controller.FocusItem(item))
      field = nullptr;
    return;
  }
}

bool TlxDBDataProvider::LayoutChangeMeansDataChange() const {
  const TDataSet* dataset = DataSet();
  return (dataset != nullptr && dataset->State() == dsInsert) ||
         (IsSmartRefresh() && link_->PreventLayoutChanged());
}

void TlxDBDataProvider::HandleLayoutChanged() { LayoutChanged(0); }

void TlxDBDataProvider::LayoutChanged(int32_t flags) {
  for (const TlxDBDataProvider* other : Providers())
    if (other != this && SameDataSet(*other) && other->NotificationLockCount() > 0) {
      if (IsDataAvailable())
        DBController().UpdateFields();
      return;
    }
  TlxCustomDataProvider::LayoutChanged(flags);
}

void TlxDBDataProvider::RecordChanged(TField*) {
  if (TlxCustomDataProvider::IsEditing() && EditedRecordIndex() != kLxNoEditedRecord)
    DBController().UpdateEditingRecord();
  ResetChanging();
}

void TlxDBDataProvider::HandleUpdateData() {
  PullEditorValue();
  RecordChanged(nullptr);
  ResetChanging();
}

void TlxDBDataProvider::ResyncCurrentRecordFromCursor() {
  const TDataSet* dataset = DataSet();
  if (dataset == nullptr || !dataset->Active() || DBController().UsesRecordKeys())
    return;
  current_record_index_ = dataset->IsEmpty() ? -1 : dataset->RecNo() - 1;
}
