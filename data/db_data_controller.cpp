#include "data/db_data_controller.h"

#include <algorithm>

#include "data/controller_info.h"
#include "data/data_controller_texts.h"
#include "data/db_data_filter_criteria.h"
#include "data/data_locate.h"
#include "data/db_data_link.h"
#include "data/db_data_relation.h"
#include "data/db_data_summary_item.h"
#include "data/db_field_helpers.h"
#include "data/variant_utils.h"
#include "platform/db/controls_disabled_scope.h"
#include "platform/db/data_set.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"

// Dataset fields tell this component when they go; the data fields then
// drop their binding.
class TlxDBDataController::TFieldNotifier : public TComponent {
 public:
  explicit TFieldNotifier(TlxDBDataController& controller) : TComponent(nullptr), controller_(controller) {}

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == opRemove && !controller_.Destroying())
      controller_.Fields().NotifyComponentRemoval(component);
  }

 private:
  TlxDBDataController& controller_;
};

namespace {

Variant ValuesOf(const std::vector<Variant>& values) {
  if (values.size() == 1)
    return values[0];
  Variant array = VarArrayCreate(0, static_cast<int32_t>(values.size()) - 1, varVariant);
  for (size_t i = 0; i < values.size(); ++i)
    VarArrayPut(array, values[i], static_cast<int32_t>(i));
  return array;
}

// The key's parts in key field order: the value itself for one field, the
// leading elements of an array for several; false when they do not fit.
bool SplitKey(const Variant& key, size_t field_count, std::vector<Variant>& parts) {
  if (field_count == 1) {
    if (key.IsArray())
      return false;
    parts.push_back(key);
    return true;
  }
  if (!key.IsArray())
    return false;
  const int32_t low = VarArrayLowBound(key);
  if (VarArrayHighBound(key) - low + 1 < static_cast<int32_t>(field_count))
    return false;
  for (size_t i = 0; i < field_count; ++i)
    parts.push_back(VarArrayGet(key, low + static_cast<int32_t>(i)));
  return true;
}

// Hands the locate object's search record the key values it is given;
// every other value stays empty.
class TKeyValuesReader : public TlxValueDefReader {
 public:
  void Put(const TlxValueDef& def, const Variant& value) { values_.emplace_back(&def, value); }
  Variant ValueFor(const TlxValueDef& def) override {
    const Variant* value = Find(def);
    return value != nullptr ? *value : Variant::Null();
  }
  bool SkipsDef(const TlxValueDef& def) override { return Find(def) == nullptr; }

 private:
  // The search record's defs mirror the storage's.
  const Variant* Find(const TlxValueDef& def) const {
    const TlxValueDef* own = &def;
    if (const auto* internal = dynamic_cast<const TlxInternalValueDef*>(&def))
      if (internal->Mirrored() != nullptr)
        own = internal->Mirrored();
    for (const auto& [key_def, value] : values_)
      if (key_def == own)
        return &value;
    return nullptr;
  }

  std::vector<std::pair<const TlxValueDef*, Variant>> values_;
};

}  // namespace

TlxDBDataController::TlxDBDataController(TComponent* owner) : TlxCustomDataController(owner) {
  notifier_ = std::make_unique<TFieldNotifier>(*this);
  CreateDescendantParts();
  mode_controller_ = std::make_unique<TlxDBDataModeController>(*this);
  bookmark_selection_ = std::make_unique<TlxDBDataSelection>(
      [this](const std::string& a, const std::string& b) { return DBProvider().CompareBookmarks(a, b); });
}

TlxDBDataController::~TlxDBDataController() {
  DBProvider().DataLink().SetDataSource(nullptr);
  key_field_ = nullptr;
  mode_controller_.reset();
}

const TClass* TlxDBDataController::GetFilterCriteriaClass() const { return &TlxDBDataFilterCriteria::kClass; }
const TClass* TlxDBDataController::GetRelationClass() const { return &TlxDBDataRelation::kClass; }
const TClass* TlxDBDataController::GetSummaryItemClass() const { return &TlxDBDataSummaryItem::kClass; }

TlxDBDataFilterCriteria& TlxDBDataController::DBFilter() const {
  return static_cast<TlxDBDataFilterCriteria&>(Filter());
}

void TlxDBDataController::CopyFrom(const TPersistent* source) {
  TlxCustomDataController::CopyFrom(source);
  const auto* other = dynamic_cast<const TlxDBDataController*>(source);
  if (other == nullptr)
    return;
  SetDataModeController(other->DataModeController());
  SetDataSource(other->DataSource());
  SetKeyFieldNames(other->KeyFieldNames());
  SetDetailKeyFieldNames(other->DetailKeyFieldNames());
  SetMasterKeyFieldNames(other->MasterKeyFieldNames());
  OnDetailHasChildren = other->OnDetailHasChildren;
}

// --- Properties

TDataSource* TlxDBDataController::DataSource() const { return DBProvider().DataLink().DataSource(); }

void TlxDBDataController::SetDataSource(TDataSource* source) {
  TlxDBDataLink& link = DBProvider().DataLink();
  if (source == link.DataSource())
    return;
  const bool was_active = link.Active();
  link.SetDataSource(source);
  if (link.Active() == was_active)
    UpdateFields();
  DataSourceChanged();
}

void TlxDBDataController::SetKeyFieldNames(const std::string& names) {
  if (names == key_field_names_)
    return;
  key_field_names_ = names;
  BindKeyField();
}

void TlxDBDataController::SetDetailKeyFieldNames(const std::string& names) {
  if (names == detail_key_field_names_)
    return;
  detail_key_field_names_ = names;
  KeyFieldNamesChanged();
}

void TlxDBDataController::SetMasterKeyFieldNames(const std::string& names) {
  if (names == master_key_field_names_)
    return;
  master_key_field_names_ = names;
  KeyFieldNamesChanged();
}

void TlxDBDataController::KeyFieldNamesChanged() {
  if (auto* relation = dynamic_cast<TlxDBDataRelation*>(GetMasterRelation()))
    relation->NotifyKeyFieldsChanged();
}

void TlxDBDataController::BindKeyField() {
  if (key_field_names_.empty()) {
    if (key_field_ != nullptr) {
      TlxCustomDataField* field = std::exchange(key_field_, nullptr);
      Fields().Remove(field);
    }
    Change(dccDataChanged);
    return;
  }
  if (key_field_ == nullptr)
    key_field_ = static_cast<TlxDBDataField*>(CreateInternalField());
  SetFieldNameBinding(*key_field_, key_field_names_, false);
}

// --- Dataset access

TDataSet* TlxDBDataController::GetDataSet() const { return DBProvider().DataSet(); }

int32_t TlxDBDataController::GetDataSetRecordCount() const {
  const TDataSet* dataset = GetDataSet();
  return dataset != nullptr && dataset->Active() ? dataset->RecordCount() : 0;
}

int32_t TlxDBDataController::GetDataSetRecNo() const {
  const TDataSet* dataset = GetDataSet();
  return dataset != nullptr && dataset->Active() ? dataset->RecNo() : -1;
}

void TlxDBDataController::SetDataSetRecNo(int32_t number) {
  if (TDataSet* dataset = GetDataSet())
    dataset->SetRecNo(number);
}

// --- Items by field

TlxDBDataField* TlxDBDataController::ItemDBField(int32_t item_index) const {
  return dynamic_cast<TlxDBDataField*>(ItemField(item_index));
}

std::string TlxDBDataController::GetItemFieldName(int32_t item_index) const {
  CheckItemRange(item_index);
  const TlxDBDataField* field = ItemDBField(item_index);
  return field != nullptr ? field->FieldName() : std::string();
}

TField* TlxDBDataController::GetItemField(int32_t item_index) const {
  const TlxDBDataField* field = ItemDBField(item_index);
  return field != nullptr ? field->Field() : nullptr;
}

TObject* TlxDBDataController::GetItemByFieldName(const std::string& name) const {
  for (int32_t item = 0; item < GetItemCount(); ++item) {
    const TlxDBDataField* field = ItemDBField(item);
    if (field != nullptr && AnsiCompareText(field->FieldName(), name) == 0)
      return GetItem(item);
  }
  return nullptr;
}

void TlxDBDataController::ChangeFieldName(int32_t item_index, const std::string& name) {
  TlxDBDataField* field = ItemDBField(item_index);
  if (field != nullptr && field->FieldName() != name)
    SetFieldNameBinding(*field, name, false);
}

// --- Field binding

void TlxDBDataController::SetFieldNameBinding(TlxDBDataField& field, const std::string& names, bool lookup_keys) {
  const TlxValueTypeClass old_type = field.ValueTypeClass();
  field.FreeSubFields();
  if (!lookup_keys)
    field.StoreFieldName(names);
  if (lxDBHasMultipleFieldNames(names) || (lookup_keys && !names.empty())) {
    TUpdateScope update(*this);
    if (!lookup_keys)
      field.SetField(nullptr);
    field.ReferTo(nullptr);
    size_t start = 0;
    for (;;) {
      const size_t end = names.find(';', start);
      const std::string name = names.substr(start, end == std::string::npos ? std::string::npos : end - start);
      auto* sub = static_cast<TlxDBDataField*>(CreateInternalField());
      field.AddSubField(sub);
      SetFieldNameBinding(*sub, name, false);
      if (end == std::string::npos)
        break;
      start = end + 1;
    }
  } else if (!lookup_keys) {
    field.ReferTo(nullptr);
    TlxDBDataField* same = nullptr;
    for (int32_t i = 0; !names.empty() && i < Fields().Count() && same == nullptr; ++i) {
      auto* other = dynamic_cast<TlxDBDataField*>(Fields().FieldAt(i));
      if (other != nullptr && other != &field && other->ParentField() == nullptr &&
          other->ReferenceField() == nullptr && AnsiCompareText(other->FieldName(), names) == 0)
        same = other;
    }
    if (same != nullptr) {
      field.ReferTo(same);
      Change(dccDataChanged);
    } else {
      if (names.empty()) {
        field.SetField(nullptr);
        field.ChangeValueTypeClass(nullptr);
      }
      StructureChanged();
    }
  }
  if (field.ValueTypeClass() != old_type && !field.IsInternal())
    ItemValueTypeClassChanged(ItemIndexOfField(&field));
}

void TlxDBDataController::BindDataField(TlxDBDataField& field, bool lookup_only) {
  if (field.ReferenceField() != nullptr)
    return;
  TDataSet* dataset = GetDataSet();
  if (dataset == nullptr)
    return;
  if (lookup_only && (field.ParentField() == nullptr || !field.ParentField()->IsLookup()))
    return;
  if (lxDBHasMultipleFieldNames(field.FieldName()))
    return;  // its sub-fields are bound one by one
  TField* old = field.Field();
  TField* found = nullptr;
  if (!reset_dataset_fields_ && !field.FieldName().empty()) {
    found = dataset->FindField(field.FieldName());
    if (found == nullptr)
      found = dataset->AggFields().FindField(field.FieldName());
  }
  field.SetField(found);
  if (found == nullptr) {
    field.NotifyValueTypeChanged();
    return;
  }
  field.BindToField(found, found != old);
  if (found->Lookup() && !lookup_only && field.SubFields().empty())
    SetFieldNameBinding(field, found->KeyFields(), true);
}

void TlxDBDataController::UpdateField(TlxCustomDataField& field) {
  if (auto* db_field = dynamic_cast<TlxDBDataField*>(&field))
    BindDataField(*db_field, false);
}

void TlxDBDataController::UpdateFields() {
  for (const bool lookup_only : {false, true}) {
    std::vector<TWeakRef<TlxDBDataField>> fields;
    for (int32_t i = 0; i < Fields().Count(); ++i)
      if (auto* field = dynamic_cast<TlxDBDataField*>(Fields().FieldAt(i)))
        fields.emplace_back(field);
    for (const TWeakRef<TlxDBDataField>& field : fields)
      if (TlxDBDataField* live = field.Get())
        BindDataField(*live, lookup_only);
  }
}

void TlxDBDataController::ResetDataSetFields() {
  TStateScope resetting(reset_dataset_fields_, true);
  UpdateFields();
}

void TlxDBDataController::WatchComponent(TComponent* component) { component->FreeNotification(notifier_.get()); }

// --- Keys

bool TlxDBDataController::UsesRecordKeys() const { return key_field_ != nullptr && !IsGridMode(); }

std::vector<TlxDBDataField*> TlxDBDataController::KeyFieldList() const {
  std::vector<TlxDBDataField*> list;
  lxDBGetKeyFields(key_field_, list);
  return list;
}

void TlxDBDataController::GetKeyFieldList(std::vector<TlxCustomDataField*>& list) const {
  for (TlxDBDataField* field : KeyFieldList())
    list.push_back(field);
}

Variant TlxDBDataController::GetRecordKeyValue(int32_t record_index) {
  CheckRecordRange(record_index);
  const std::vector<TlxDBDataField*> keys = KeyFieldList();
  if (keys.empty())
    return Variant::Null();
  std::vector<Variant> values;
  for (TlxDBDataField* key : keys)
    values.push_back(GetFieldValue(record_index, *key));
  return ValuesOf(values);
}

Variant TlxDBDataController::GetDataSetKeyValue() const {
  const std::vector<TlxDBDataField*> keys = KeyFieldList();
  if (keys.empty())
    return Variant::Null();
  std::vector<Variant> values;
  for (const TlxDBDataField* key : keys) {
    const TField* field = key->Field();
    if (field == nullptr)
      lxDataControllerError(lxSDBKeyFieldNotFound);
    values.push_back(field->IsNull() ? Variant::Null() : lxDBFieldValue(*field));
  }
  return ValuesOf(values);
}

int32_t TlxDBDataController::FindRecordIndexByKey(const Variant& key_value) {
  if (IsGridMode()) {
    std::vector<TlxCustomDataField*> keys;
    GetKeyFieldList(keys);
    for (int32_t record = 0; record < GetRecordCount(); ++record)
      if (lxVariantEquals(GetKeyValue(record, keys), key_value))
        return record;
    return -1;
  }
  const std::vector<TlxDBDataField*> keys = KeyFieldList();
  std::vector<Variant> parts;
  if (keys.empty() || !SplitKey(key_value, keys.size(), parts))
    return -1;
  TKeyValuesReader reader;
  for (size_t i = 0; i < keys.size(); ++i) {
    if (keys[i]->ValueDef() == nullptr)
      return -1;
    reader.Put(*keys[i]->ValueDef(), parts[i]);
  }
  return FindRecordThroughReader(keys, reader);
}

int32_t TlxDBDataController::FindRecordThroughReader(const std::vector<TlxDBDataField*>& keys,
                                                   TlxValueDefReader& reader) {
  TlxDataControllerKeyLocateObject locate(this);
  locate.KeyFields().assign(keys.begin(), keys.end());
  locate.ReadFrom(reader);
  return locate.FindRecordIndex();
}

bool TlxDBDataController::LocateByKey(const Variant& key_value) {
  const int32_t record = FindRecordIndexByKey(key_value);
  if (record == -1 && IsGridMode()) {
    TlxDBDataProvider& provider = DBProvider();
    TDataSet* dataset = GetDataSet();
    bool found = false;
    {
      provider.BeginLocate();
      TScopeExit end([&] { provider.EndLocate(); });
      found = dataset != nullptr && lxDBCanLocateKeyValues(dataset, key_field_names_, key_value) &&
              dataset->Locate(key_field_names_, key_value, {});
    }
    if (found)
      ChangeRowSelection(FocusedRowIndex(), true);
    return found;
  }
  const int32_t row = record >= 0 ? GetRowIndexByRecordIndex(record, true) : -1;
  ChangeFocusedRowIndex(row);
  return row != -1;
}

int32_t TlxDBDataController::LocateByKeyFields(const TlxDBKeyFieldsProc& fill) {
  std::vector<TlxDBDataField*> list;
  fill(list);
  if (list.empty())
    return -1;
  for (const TlxDBDataField* key : list)
    if (key->Field() == nullptr || key->ValueDef() == nullptr)
      return -1;
  TlxValueDefDBReader reader;
  return FindRecordThroughReader(list, reader);
}

bool TlxDBDataController::SyncDataSetToRecord(int32_t record_index) {
  if (record_index < 0)
    return false;
  TDataSet* dataset = GetDataSet();
  TlxDBDataProvider& provider = DBProvider();
  if (UsesRecordKeys()) {
    const Variant key = GetRecordKeyValue(record_index);
    const Variant current = GetDataSetKeyValue();
    if (lxVariantEquals(key, current) && record_index == provider.CurrentRecordIndex()) {
      FinishEditing();
      return true;
    }
    FinishEditing();
    return dataset != nullptr && dataset->Locate(key_field_names_, key, {});
  }
  FinishEditing();
  if (dataset != nullptr)
    dataset->MoveBy(record_index - provider.CurrentRecordIndex());
  return true;
}

// --- Overrides

bool TlxDBDataController::CanFocusRecord(int32_t record) {
  TlxDBDataProvider& provider = DBProvider();
  if (record < 0 && !UseNewItemRowForEditing())
    return TlxCustomDataController::CanFocusRecord(record);  // no record to move the cursor to
  if ((provider.IsInserting() && record == provider.EditedRecordIndex()) ||
      (UseNewItemRowForEditing() && record < 0)) {
    if (!provider.IsInserting() && record < 0)
      Post(false);
    return true;
  }
  bool answer = false;
  {
    BeginLocate();
    TScopeExit end([this] { EndLocate(); });
    const bool cursor_sync_detail = IsDBDetail() && DataModeController().DetailCursorSync();
    if (cursor_sync_detail && in_reset_dataset_current_) {
      answer = TlxCustomDataController::CanFocusRecord(record);
    } else {
      if (cursor_sync_detail)
        CheckCurrentQuery();
      answer = provider.IsSyncMode() ? SyncDataSetToRecord(record) : TlxCustomDataController::CanFocusRecord(record);
    }
  }
  AfterStorageLoaded();
  return answer;
}

int32_t TlxDBDataController::GetCurrentRecordIndex() const {
  if (IsGridMode())
    return DBProvider().DataLink().ActiveRecord();
  return TlxCustomDataController::GetCurrentRecordIndex();
}

bool TlxDBDataController::CanAccessFieldValue(const TlxCustomDataField& field) const {
  if (TlxCustomDataController::CanAccessFieldValue(field))
    return true;
  const auto* db_field = dynamic_cast<const TlxDBDataField*>(&field);
  return db_field != nullptr && db_field->Field() != nullptr;
}

bool TlxDBDataController::IsSmartRefresh() const { return DBProvider().IsSmartRefresh(); }

void TlxDBDataController::ReloadStorage() {
  {
    BeginKeepState();
    TScopeExit end([this] { EndKeepState(); });
    TlxCustomDataController::ReloadStorage();
  }
  ForgetVanishedFocus();
  DBProvider().ClearPostLocateMark();
  DBProvider().NotifyWaitingProviders();
}

// The walk finds the cursor's record again (RecordLoaded); until then the
// cursor is on no loaded record.
void TlxDBDataController::BeginStorageLoad() {
  if (!IsGridMode())
    DBProvider().SetCurrentRecordIndex(-1);
  TlxCustomDataController::BeginStorageLoad();
}

// Rows that vanished with a closed dataset leave no focused record behind.
void TlxDBDataController::ForgetVanishedFocus() {
  if (FocusedRowIndex() == -1 && FocusedRecordIndex() >= GetRecordCount())
    ControllerInfo().FocusingInfo().Clear();
}

void TlxDBDataController::RebuildStructure() {
  if (!IsGridMode())
    DBProvider().DataLink().SetBufferCount(1);
  TlxCustomDataController::RebuildStructure();
  if (DBProvider().IsActive())
    StructureChanged();
}

void TlxDBDataController::CheckFocusing() {
  TUpdateScope update(*this);
  TlxCustomDataController::CheckFocusing();
  TlxDBDataProvider& provider = DBProvider();
  if (!provider.IsSyncMode())
    return;
  if (IsRelationTemplate()) {
    if (!IsOwnerLoading() && !provider.ActiveChanging() && !provider.IsDataSetBusy())
      PositionMasterChain();
    return;
  }
  if (UsesRecordKeys()) {
    const int32_t record =
        LocateByKeyFields([this](std::vector<TlxDBDataField*>& list) { lxDBGetKeyFields(key_field_, list); });
    if (record != provider.CurrentRecordIndex()) {
      provider.SetCurrentRecordIndex(record);
      TlxCustomDataController::CheckFocusing();
    }
  }
  FollowSourceRecord();
}

// In sync mode the focus is on the record the dataset's cursor is on.
void TlxDBDataController::FollowSourceRecord() {
  if (Provider().LocateCount() > 0 && ControllerInfo().Focusing())
    return;
  const int32_t source = GetSourceCurrentRecordIndex();
  if (source != FocusedRecordIndex() && source < GetRecordCount() && !IsNewItemRowFocused())
    ControllerInfo().ResetFocusToSource();
}

void TlxDBDataController::RecordDeleted(int32_t record_index) {
  TlxCustomDataController::RecordDeleted(record_index);
  DBProvider().ForgetRecord(record_index);
}

bool TlxDBDataController::IsDataChangedLocked() const {
  if (TlxCustomDataController::IsDataChangedLocked())
    return true;
  const TDataSet* dataset = GetDataSet();
  return IsGridMode() && dataset != nullptr && dataset->State() == dsInsert;
}

void TlxDBDataController::SetItemValueTypeClass(int32_t item_index, TlxValueTypeClass value_type) {
  if (GetItemField(item_index) != nullptr)
    return;
  TlxCustomDataController::SetItemValueTypeClass(item_index, value_type);
}

bool TlxDBDataController::UsesItemDisplayText(int32_t item_index, bool flag) const {
  const TField* field = GetItemField(item_index);
  return !(flag && field != nullptr && lxDBIsCurrencyField(*field));
}

Variant TlxDBDataController::GetGroupingFieldValue(int32_t record_index, TlxCustomDataField& field) {
  auto* db_field = dynamic_cast<TlxDBDataField*>(&field);
  if (db_field == nullptr || !db_field->IsLookup())
    return TlxCustomDataController::GetGroupingFieldValue(record_index, field);
  const std::vector<TlxDBDataField*>& subs = db_field->SubFields();
  if (subs.empty())
    return Variant::Null();
  std::vector<Variant> values;
  for (TlxDBDataField* sub : subs)
    values.push_back(GetFieldValue(record_index, *sub));
  return ValuesOf(values);
}

Variant TlxDBDataController::GetFilterValue(int32_t record_index, TlxCustomDataField& field) {
  return GetGroupingFieldValue(record_index, field);
}

std::string TlxDBDataController::GetItemFilterFieldName(int32_t item_index) const {
  const TlxDBDataField* field = ItemDBField(item_index);
  if (field == nullptr)
    return TlxCustomDataController::GetItemFilterFieldName(item_index);
  const TField* bound = field->Field();
  if (bound == nullptr)
    return field->FieldName();
  if (!bound->Lookup())
    return lxDBFilterFieldName(bound, DBFilter().IgnoreOrigin());
  std::string names;
  for (const TlxDBDataField* sub : field->SubFields()) {
    if (!names.empty())
      names += ';';
    names += sub->Field() != nullptr ? lxDBFilterFieldName(sub->Field(), DBFilter().IgnoreOrigin()) : sub->FieldName();
  }
  return names;
}

void TlxDBDataController::FinishEditing() {
  TStateScope checking(in_check_browse_mode_, true);
  TDataSet* dataset = GetDataSet();
  if (dataset != nullptr && dataset->Active()) {
    dataset->DataEvent(deCheckBrowseMode, TDataEventInfo{});
    if (IsEditState(dataset->State())) {
      dataset->UpdateRecord();
      if (DBProvider().IsModified()) {
        if (!IsGridMode() && !IsSmartRefresh()) {
          TControlsDisabledScope disabled(*dataset);
          dataset->Post();
        } else {
          dataset->Post();
        }
      } else {
        Cancel();
      }
    }
  }
  FinishDetailsEditing();
}

void TlxDBDataController::RefreshSource() {
  if (TDataSet* dataset = GetDataSet())
    dataset->Refresh();
}

// --- Master-detail

void TlxDBDataController::DetailDataChanged(TlxCustomDataRelation* relation) {
  TlxCustomDataController::DetailDataChanged(relation);
  if (Destroying() || !HasRelations())
    return;
  TlxCustomDataRelationList& list = RelationList();
  for (int32_t i = 0; i < list.Count(); ++i)
    if (auto* db_relation = dynamic_cast<TlxDBDataRelation*>(list.RelationAt(i)))
      db_relation->BindMasterKeyField();
}

void TlxDBDataController::SetMasterRelation(TlxCustomDataRelation* relation, int32_t master_record) {
  TlxCustomDataController::SetMasterRelation(relation, master_record);
  auto* db_relation = dynamic_cast<TlxDBDataRelation*>(relation);
  if (db_relation == nullptr || master_record == -1)
    return;
  master_detail_key_values_ = db_relation->GetMasterKeyValues(master_record);
  StructureChanged();
}

// --- Reading records from the dataset

void TlxDBDataController::ReadRecordFromDataSet(int32_t record_index) {
  TDataSet* dataset = GetDataSet();
  if (dataset == nullptr || !dataset->Active() || record_index == kLxNoEditedRecord)
    return;
  TlxValueDefDBReader reader;
  DataStorage().FillRecordFromReader(record_index, reader);
}

void TlxDBDataController::UpdateEditingRecord() {
  const int32_t record = Provider().EditedRecordIndex();
  if (record == kLxNoEditedRecord || record >= GetRecordCount())
    return;
  ReadRecordFromDataSet(record);
  DataChanged(dckRecord, -1, record);
}

// --- Grid mode

void TlxDBDataController::CheckGridMode() const {
  if (!IsGridMode())
    lxDataControllerError(lxSDBNotInGridMode);
}

void TlxDBDataController::UpdateGridModeBufferCount() {
  if (!IsGridMode())
    return;
  TStateScope updating(in_grid_mode_buffer_update_, true);
  DBProvider().DataLink().NotifyDataSetChanged();
}

void TlxDBDataController::GotoFirst() {
  if (!IsGridMode())
    TlxCustomDataController::GotoFirst();
  else if (TDataSet* dataset = GetDataSet())
    dataset->First();
}

void TlxDBDataController::GotoLast() {
  if (!IsGridMode())
    TlxCustomDataController::GotoLast();
  else if (TDataSet* dataset = GetDataSet())
    dataset->Last();
}

void TlxDBDataController::GotoNext() {
  if (!IsGridMode())
    TlxCustomDataController::GotoNext();
  else if (TDataSet* dataset = GetDataSet())
    dataset->Next();
}

void TlxDBDataController::GotoPrev() {
  if (!IsGridMode())
    TlxCustomDataController::GotoPrev();
  else if (TDataSet* dataset = GetDataSet())
    dataset->Prior();
}

void TlxDBDataController::MoveBy(int32_t distance) {
  if (!IsGridMode())
    TlxCustomDataController::MoveBy(distance);
  else if (TDataSet* dataset = GetDataSet())
    dataset->MoveBy(distance);
}

bool TlxDBDataController::IsBOF() const {
  if (!IsGridMode())
    return TlxCustomDataController::IsBOF();
  const TDataSet* dataset = GetDataSet();
  return dataset == nullptr || dataset->Bof();
}

bool TlxDBDataController::IsEOF() const {
  if (!IsGridMode())
    return TlxCustomDataController::IsEOF();
  const TDataSet* dataset = GetDataSet();
  return dataset == nullptr || dataset->Eof();
}

void TlxDBDataController::ScrollInGridMode(int32_t distance) {
  TDataSet* dataset = GetDataSet();
  TlxDBDataLink& link = DBProvider().DataLink();
  if (!IsGridMode() || !DBProvider().IsDataAvailable() || distance == 0)
    return;
  if (distance < 0)
    distance -= link.ActiveRecord();
  else
    distance += link.RecordCount() - link.ActiveRecord() - 1;
  dataset->MoveBy(distance);
  RefreshPrevSelectionInfo();
}

std::string TlxDBDataController::GetRowBookmark(int32_t row) {
  TDataSet* dataset = GetDataSet();
  if (dataset == nullptr || !dataset->Active() || row < 0 || row >= GetRowCount())
    return {};
  const int32_t record = GetRowInfo(row).RecordIndex;
  const int32_t distance = record - DBProvider().DataLink().ActiveRecord();
  if (distance == 0)
    return dataset->GetBookmark();
  TlxDBDataProvider& provider = DBProvider();
  provider.LockNotify();
  TScopeExit unlock([&] { provider.UnlockNotify(); });
  const int32_t moved = dataset->MoveBy(distance);
  std::string bookmark = dataset->GetBookmark();
  dataset->MoveBy(-moved);
  return bookmark;
}

std::string TlxDBDataController::GetSelectedBookmark(int32_t position) const {
  CheckGridMode();
  if (IsSingleSelect())
    return const_cast<TlxDBDataController*>(this)->GetRowBookmark(FocusedRowIndex());
  return bookmark_selection_->At(position);
}

int32_t TlxDBDataController::GetSelectedBookmarkCount() const {
  CheckGridMode();
  return bookmark_selection_->Count();
}

std::string TlxDBDataController::GetSelectionAnchorBookmark() const {
  CheckGridMode();
  return bookmark_selection_->Anchor();
}

bool TlxDBDataController::IsRowSelectedByBookmark(int32_t row) {
  return bookmark_selection_->Contains(GetRowBookmark(row));
}

void TlxDBDataController::ChangeRowSelection(int32_t row, bool select) {
  if (!IsGridMode()) {
    TlxCustomDataController::ChangeRowSelection(row, select);
    return;
  }
  const std::string bookmark = GetRowBookmark(row);
  if (bookmark.empty())
    return;
  if (select)
    bookmark_selection_->Add(bookmark);
  else
    bookmark_selection_->Remove(bookmark);
  Change(dccSelection);
}

int32_t TlxDBDataController::GetSelectedRowIndex(int32_t position) const {
  if (!IsGridMode())
    return TlxCustomDataController::GetSelectedRowIndex(position);
  auto& self = const_cast<TlxDBDataController&>(*this);
  const std::string& wanted = bookmark_selection_->At(position);
  for (int32_t row = 0; row < GetRowCount(); ++row)
    if (self.GetRowBookmark(row) == wanted)
      return row;
  return -1;
}

int32_t TlxDBDataController::GetSelectionAnchorRowIndex() const {
  return IsGridMode() ? -1 : TlxCustomDataController::GetSelectionAnchorRowIndex();
}

bool TlxDBDataController::HasSelectionAnchor() const {
  return IsGridMode() ? !bookmark_selection_->Anchor().empty() : TlxCustomDataController::HasSelectionAnchor();
}

void TlxDBDataController::SetSelectionAnchor(int32_t row) {
  if (!IsGridMode()) {
    TlxCustomDataController::SetSelectionAnchor(row);
    return;
  }
  if (row < 0 || row >= GetRowCount())
    lxDataControllerError(lxSDataRowIndexError);
  bookmark_selection_->SetAnchor(GetRowBookmark(row));
}

void TlxDBDataController::SelectAll() {
  if (!IsGridMode()) {
    TlxCustomDataController::SelectAll();
    return;
  }
  TDataSet* dataset = GetDataSet();
  TlxDBDataProvider& provider = DBProvider();
  {
    provider.LockNotify();
    TScopeExit unlock([&] { provider.UnlockNotify(); });
    provider.SavePos();
    TScopeExit restore([&] { provider.RestorePos(); });
    TScopeFail forget([this] { bookmark_selection_->Clear(); });
    bookmark_selection_->Clear();
    for (dataset->First(); !dataset->Eof(); dataset->Next())
      if (CanSelectRow(-1))
        bookmark_selection_->Append(dataset->GetBookmark());
  }
  Change(dccSelection);
  AfterStorageLoaded();
}

// A range that differs from the listed one by one record at either end
// changes only that end.
bool TlxDBDataController::TrySelectOneStep(const std::string& low, const std::string& high, bool after_anchor) {
  TlxDBDataSelection& list = *bookmark_selection_;
  TDataSet* dataset = GetDataSet();
  const int32_t count = list.Count();
  if (count == 0)
    return false;
  if (DBProvider().CompareBookmarks(low, high) == 0) {
    list.Clear();
    if (CanSelectRow(-1))
      list.Append(low);
    return true;
  }
  const auto neighbour = [&](const std::string& bookmark, int32_t step) {
    dataset->GotoBookmark(bookmark);
    return dataset->MoveBy(step) == step ? dataset->GetBookmark() : std::string();
  };
  if (after_anchor) {
    if (list.At(0) != low)
      return false;
    if (count >= 2 && list.At(count - 2) == high) {
      list.RemoveAt(count - 1);
      return true;
    }
    if (neighbour(high, -1) == list.At(count - 1)) {
      if (CanSelectRow(-1))
        list.Append(high);
      return true;
    }
    return false;
  }
  if (list.At(count - 1) != high)
    return false;
  if (count >= 2 && list.At(1) == low) {
    list.RemoveAt(0);
    return true;
  }
  if (neighbour(low, 1) == list.At(0)) {
    if (CanSelectRow(-1))
      list.InsertFirst(low);
    return true;
  }
  return false;
}

void TlxDBDataController::SelectBookmarkRange(const std::string& low, const std::string& high) {
  TDataSet* dataset = GetDataSet();
  TScopeFail forget([this] { bookmark_selection_->Clear(); });
  dataset->GotoBookmark(low);
  while (!dataset->Eof()) {
    const std::string bookmark = dataset->GetBookmark();
    if (!bookmark_selection_->Contains(bookmark) && CanSelectRow(-1))
      bookmark_selection_->Add(bookmark);
    if (DBProvider().CompareBookmarks(bookmark, high) >= 0)
      break;
    dataset->Next();
  }
}

void TlxDBDataController::SelectFromAnchor(int32_t row, bool keep_selection) {
  if (!IsGridMode()) {
    TlxCustomDataController::SelectFromAnchor(row, keep_selection);
    return;
  }
  if (row < 0 || row >= GetRowCount())
    lxDataControllerError(lxSDataRowIndexError);
  TDataSet* dataset = GetDataSet();
  if (!HasSelectionAnchor() || (dataset->State() == dsInsert && dataset->Eof()))
    return;
  const std::string target = GetRowBookmark(row);
  TlxDBDataProvider& provider = DBProvider();
  {
    provider.LockNotify();
    TScopeExit unlock([&] { provider.UnlockNotify(); });
    provider.SavePos();
    TScopeExit restore([&] { provider.RestorePos(); });
    const std::string& anchor = bookmark_selection_->Anchor();
    const bool after_anchor = provider.CompareBookmarks(anchor, target) <= 0;
    const std::string low = after_anchor ? anchor : target;
    const std::string high = after_anchor ? target : anchor;
    if (keep_selection || !TrySelectOneStep(low, high, after_anchor)) {
      if (!keep_selection)
        bookmark_selection_->Clear();
      SelectBookmarkRange(low, high);
    }
  }
  Change(dccSelection);
  AfterStorageLoaded();
}

void TlxDBDataController::DeleteSelection() {
  if (!IsGridMode()) {
    TlxCustomDataController::DeleteSelection();
    return;
  }
  if (bookmark_selection_->Count() == 0 || !Provider().CanDelete())
    return;
  Provider().DeleteSelection();
}
