// Dataset details of the dataset-bound controller: a detail is a controller
// whose master relation is a dataset relation. It is loaded by positioning
// (or, in SQL mode, reopening) its dataset on the master's key values;
// details that share one dataset take turns with the cursor through the
// dataset-current mark; and a detail template moves its master chain to
// the master record of the detail dataset's cursor.

#include <vector>

#include "data/controller_info.h"
#include "data/data_relations.h"
#include "data/db_data_controller.h"
#include "data/db_data_link.h"
#include "data/db_data_relation.h"
#include "data/db_field_helpers.h"
#include "data/variant_utils.h"
#include "platform/db/data_set.h"
#include "platform/rtl/scope.h"

bool TlxDBDataController::IsDBDetail() const { return dynamic_cast<TlxDBDataRelation*>(GetMasterRelation()) != nullptr; }

std::string TlxDBDataController::DetailKeyNamesInUse() const {
  return master_key_field_names_.empty() ? std::string() : detail_key_field_names_;
}

Variant TlxDBDataController::DataSetValues(const TDataSet* dataset, const std::string& names) {
  std::vector<TField*> fields;
  if (dataset == nullptr || !dataset->Active() || !lxDBFindFields(dataset, names, fields))
    return Variant::Null();
  return lxDBGetFieldValues(dataset, fields);
}

void TlxDBDataController::SyncDetailWithMaster() {
  if (IsDBDetail() && DataModeController().DetailCursorSync())
    CheckCurrentQuery();
}

void TlxDBDataController::CheckCurrentQuery() {
  if (!DataModeController().DetailInSQLMode() || in_check_current_query_)
    return;
  if (DataModeController().DoDetailIsCurrentQuery(DetailKeyNamesInUse(), master_detail_key_values_))
    return;
  TlxDBDataProvider& provider = DBProvider();
  TStateScope checking(in_check_current_query_, true);
  provider.LockNotify();
  TScopeExit unlock([&] { provider.UnlockNotify(); });
  provider.First();
  provider.SavePos();
  provider.RestorePos();
  provider.SetCurrentRecordIndex(0);
}

void TlxDBDataController::SyncSourceToFocusedRecord() {
  if (FocusedRecordIndex() < 0 || !IsDBDetail())
    return;
  TStateScope resetting(in_reset_dataset_current_, true);
  MarkDataSetCurrent();
}

void TlxDBDataController::MarkDataSetCurrent() {
  TlxDBDataProvider& own = DBProvider();
  for (TlxDBDataProvider* other : TlxDBDataProvider::Providers()) {
    if (other == &own || other->DataSet() != own.DataSet() || own.DataSet() == nullptr)
      continue;
    TlxDBDataController& controller = other->DBController();
    if (!controller.IsDBDetail() || controller.in_reset_dataset_current_ || !other->DataSetIsCurrent())
      continue;
    TStateScope resetting(controller.in_reset_dataset_current_, true);
    other->SetDataSetIsCurrent(false);
    controller.ControllerInfo().FocusingInfo().Clear();
    controller.Change(dccFocus);
    controller.DataSetCurrentChanged(false);
  }
  if (own.DataSetIsCurrent())
    return;
  own.SetDataSetIsCurrent(true);
  DataSetCurrentChanged(true);
}

bool TlxDBDataController::IsDataSetCurrent() const {
  const TlxDBDataProvider& provider = DBProvider();
  if (!IsDBDetail() || DataModeController().DetailInSQLMode() || !provider.IsSyncMode())
    return provider.DataSetIsCurrent();
  if (provider.InCanInitEditing())
    return true;
  for (const TlxDBDataProvider* other : TlxDBDataProvider::Providers())
    if (other != &provider && other->DataSet() == provider.DataSet() && other->InCanInitEditing())
      return false;
  if (!provider.InInsert()) {
    const bool unfocused = FocusedRecordIndex() == -1 && !provider.DataSetIsCurrent();
    const bool inserting_through_new_item_row = provider.IsInserting() && IsNewItemRowFocused();
    if ((unfocused || provider.IsOtherInsertingOnSource()) && !inserting_through_new_item_row)
      return false;
  }
  return true;
}

bool TlxDBDataController::FinishMasterEditing() {
  if (in_reset_dataset_current_ || !IsDBDetail())
    return true;
  TlxCustomDataController* master = GetMasterDataController();
  if (master == nullptr)
    return true;
  if (!master->FinishMasterEditing())
    return false;
  TWeakRef<TlxCustomDataController> self(this);
  TWeakRef<TlxCustomDataController> alive_master(master);
  master->FinishEditing();
  if (self)
    FinishEditing();
  return self && alive_master;
}

bool TlxDBDataController::CanChangeDetailExpanding(int32_t record, bool expand) {
  if (expand && IsGridMode()) {
    for (int32_t attempt = 0; attempt < 2 && FocusedRecordIndex() != record; ++attempt)
      ChangeFocusedRecordIndex(record);
    if (FocusedRecordIndex() != record)
      return false;
  }
  return TlxCustomDataController::CanChangeDetailExpanding(record, expand);
}

bool TlxDBDataController::DetailDataSetHasChildren(int32_t master_record, TlxCustomDataRelation& relation) {
  auto* db_relation = dynamic_cast<TlxDBDataRelation*>(&relation);
  auto* detail = dynamic_cast<TlxDBDataController*>(relation.DetailDataController());
  if (db_relation == nullptr || detail == nullptr)
    return false;
  const Variant keys = db_relation->GetMasterKeyValues(master_record);
  const std::string names = detail->DetailKeyNamesInUse();
  if (OnDetailHasChildren) {
    bool has_children = true;
    OnDetailHasChildren(this, master_record, relation.IndexInList(), names, keys, has_children);
    return has_children;
  }
  TDataSet* dataset = detail->GetDataSet();
  if (detail->IsGridMode() || dataset == nullptr || !dataset->Active() || names.empty())
    return false;
  TlxDBDataProvider& provider = detail->DBProvider();
  bool found = false;
  {
    provider.LockNotify();
    TScopeExit unlock([&] { provider.UnlockNotify(); });
    provider.SavePos();
    TScopeExit restore([&] { provider.RestorePos(); });
    found = dataset->Locate(names, keys, {});
  }
  if (found)
    detail->AfterStorageLoaded();
  return found;
}

TlxDBDataController* TlxDBDataController::PositionMasterChain() {
  if (update_dataset_position_ || in_check_browse_mode_)
    return this;
  auto* relation = dynamic_cast<TlxDBDataRelation*>(GetMasterRelation());
  const std::string detail_names = DetailKeyNamesInUse();
  if (relation == nullptr || relation->RelationList() == nullptr || detail_names.empty())
    return this;
  auto* master = dynamic_cast<TlxDBDataController*>(&relation->OwnerController());
  // A record being written has no master record yet.
  if (master == nullptr || !DBProvider().IsSyncMode() || DBProvider().IsEditing())
    return this;
  for (TlxDBDataController* up = master; up != nullptr;
       up = dynamic_cast<TlxDBDataController*>(up->GetMasterDataController())) {
    if (!up->DBProvider().IsSyncMode() || !up->UsesRecordKeys() || up->DBProvider().IsEditing())
      return this;
  }
  if (master->IsCreatingLinkObject())
    return this;
  TlxDBDataController* answer = this;
  {
    TStateScope positioning(master->update_dataset_position_, true);
    TDataSet* master_dataset = master->GetDataSet();
    const Variant detail_values = DataSetValues(GetDataSet(), detail_names);
    const Variant master_values = DataSetValues(master_dataset, master_key_field_names_);
    if (master_dataset != nullptr && !detail_values.IsNull() && !lxVariantEquals(detail_values, master_values)) {
      TlxDBDataProvider& master_provider = master->DBProvider();
      master_provider.BeginLocate();
      TScopeExit end([&] { master_provider.EndLocate(); });
      master_dataset->Locate(master_key_field_names_, detail_values, {});
    }
    if (lxVariantEquals(DataSetValues(master_dataset, master_key_field_names_), detail_values)) {
      master->PositionMasterChain();
      master->CheckFocusing();
      const int32_t record = master->FocusedRecordIndex();
      if (record >= 0) {
        const int32_t relation_index = relation->IndexInList();
        master->ChangeDetailExpanding(record, true);
        master->ChangeDetailActiveRelation(record, relation_index);
        if (auto* shown = dynamic_cast<TlxDBDataController*>(master->GetDetailDataController(record, relation_index)))
          answer = shown;
      }
    }
  }
  AfterStorageLoaded();
  return answer;
}
