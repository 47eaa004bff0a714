#pragma once
// The dataset-bound data controller: a data controller that shows a
// platform dataset through a data source. Its provider and data link
// follow the dataset (outside grid mode every change reloads the storage
// from the first dataset record to the last); its data fields are bound to
// dataset fields by name; records are identified by their position or,
// with KeyFieldNames, by key values.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/data_controller.h"
#include "data/db_data_field.h"
#include "data/db_data_mode_controller.h"
#include "data/db_data_provider.h"
#include "data/db_data_selection.h"

class TDataSet;
class TDataSource;
class TField;
class TlxDBDataFilterCriteria;

using TlxDBDataDetailHasChildrenEvent =
    std::function<void(TlxCustomDataController* Sender, int32_t ARecordIndex, int32_t ARelationIndex,
                       const std::string& AMasterDetailKeyFieldNames, const Variant& AMasterDetailKeyValues,
                       bool& HasChildren)>;
// Fills the list of data fields whose values make a key.
using TlxDBKeyFieldsProc = std::function<void(std::vector<TlxDBDataField*>& list)>;

class TlxDBDataController : public TlxCustomDataController {
 public:
  static constexpr TClass kClass{"TlxDBDataController", &TlxCustomDataController::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxDBDataController(TComponent* owner);
  ~TlxDBDataController() override;

  void CopyFrom(const TPersistent* source) override;

  // Class-returning operations.
  const TClass* GetProviderClass() const override { return &TlxDBDataProvider::kClass; }
  const TClass* GetFieldClass() const override { return &TlxDBDataField::kClass; }
  const TClass* GetFilterCriteriaClass() const override;
  const TClass* GetRelationClass() const override;
  const TClass* GetSummaryItemClass() const override;

  TlxDBDataProvider& DBProvider() const { return static_cast<TlxDBDataProvider&>(Provider()); }
  TlxDBDataModeController& DataModeController() const { return *mode_controller_; }
  void SetDataModeController(const TlxDBDataModeController& value) { mode_controller_->Assign(&value); }
  TlxDBDataFilterCriteria& DBFilter() const;

  // Properties.
  TDataSource* DataSource() const;
  void SetDataSource(TDataSource* source);
  const std::string& KeyFieldNames() const { return key_field_names_; }
  void SetKeyFieldNames(const std::string& names);
  const std::string& DetailKeyFieldNames() const { return detail_key_field_names_; }
  void SetDetailKeyFieldNames(const std::string& names);
  const std::string& MasterKeyFieldNames() const { return master_key_field_names_; }
  void SetMasterKeyFieldNames(const std::string& names);
  // The master record's key values this detail shows (empty: none).
  const Variant& MasterDetailKeyValues() const { return master_detail_key_values_; }
  void SetMasterDetailKeyValues(const Variant& values) { master_detail_key_values_ = values; }
  TlxDBDataDetailHasChildrenEvent OnDetailHasChildren;

  // Dataset access.
  TDataSet* GetDataSet() const;
  int32_t GetDataSetRecordCount() const;
  int32_t GetDataSetRecNo() const;
  void SetDataSetRecNo(int32_t number);

  // Items by field.
  std::string GetItemFieldName(int32_t item_index) const;
  TField* GetItemField(int32_t item_index) const;
  TObject* GetItemByFieldName(const std::string& name) const;
  void ChangeFieldName(int32_t item_index, const std::string& name);
  TlxDBDataField* ItemDBField(int32_t item_index) const;

  // Keys.
  TlxDBDataField* KeyField() const { return key_field_; }
  std::vector<TlxDBDataField*> KeyFieldList() const;
  void GetKeyFieldList(std::vector<TlxCustomDataField*>& list) const override;
  // A record's key: the value of one key field, a Variant array for
  // several; Null without keys.
  Variant GetRecordKeyValue(int32_t record_index) override;
  // The dataset's current record's key ("Key Field not found" for a key
  // name that is no dataset field).
  Variant GetDataSetKeyValue() const;
  int32_t FindRecordIndexByKey(const Variant& key_value);
  bool LocateByKey(const Variant& key_value);
  virtual int32_t LocateByKeyFields(const TlxDBKeyFieldsProc& fill);
  virtual bool SyncDataSetToRecord(int32_t record_index);
  bool UsesRecordKeys() const override;

  // New virtual operations.
  virtual void DataSetCurrentChanged(bool) {}
  virtual void DataSourceChanged() {}
  virtual void NewRecordValuesAssigned(int32_t) {}
  virtual int32_t GetDefaultGridModeBufferCount() const { return 100; }
  virtual void AfterSequencedScroll() {}

  // Overrides of the base controller.
  bool CanFocusRecord(int32_t record) override;
  int32_t GetCurrentRecordIndex() const override;
  bool CanAccessFieldValue(const TlxCustomDataField& field) const override;
  bool SyncsFieldsWithSource() const override { return true; }
  bool IsSmartRefresh() const override;
  void ReloadStorage() override;
  void RebuildStructure() override;
  void BeginStorageLoad() override;
  void UpdateFields() override;
  void CheckFocusing() override;
  void RecordDeleted(int32_t record_index) override;
  bool IsDataChangedLocked() const override;
  void SetItemValueTypeClass(int32_t item_index, TlxValueTypeClass value_type) override;
  Variant GetGroupingFieldValue(int32_t record_index, TlxCustomDataField& field) override;
  Variant GetFilterValue(int32_t record_index, TlxCustomDataField& field) override;
  std::string GetItemFilterFieldName(int32_t item_index) const override;
  void FinishEditing() override;
  void RefreshSource() override;
  void DetailDataChanged(TlxCustomDataRelation* relation) override;
  void SetMasterRelation(TlxCustomDataRelation* relation, int32_t master_record) override;
  void SyncDetailWithMaster() override;
  void SyncSourceToFocusedRecord() override;
  bool FinishMasterEditing() override;
  bool CanChangeDetailExpanding(int32_t record, bool expand) override;

  // Dataset details: a controller whose master relation is a dataset
  // relation. Its detail key field names count only with master key field
  // names.
  bool IsDBDetail() const;
  std::string DetailKeyNamesInUse() const;
  // The current values of the named fields of the dataset (a Variant array
  // for several); Null when a name is no field.
  static Variant DataSetValues(const TDataSet* dataset, const std::string& names);
  // In SQL mode a detail whose query does not hold its master's keys is
  // reopened for them.
  void CheckCurrentQuery();
  bool InCheckCurrentQuery() const { return in_check_current_query_; }
  bool InResetDataSetCurrent() const { return in_reset_dataset_current_; }
  // Marks this detail's dataset as the one the shared cursor serves; the
  // other details of the dataset lose the mark and their focus.
  void MarkDataSetCurrent();
  // Whether the shared dataset serves this controller now.
  bool IsDataSetCurrent() const;
  // A detail template moves its master chain to the master record of the
  // detail dataset's cursor; the answer is the detail controller that
  // shows those keys (this one when nothing is positioned).
  TlxDBDataController* PositionMasterChain();
  // Whether the dataset says this master record has detail records.
  bool DetailDataSetHasChildren(int32_t master_record, TlxCustomDataRelation& relation);
  // False for a currency field asked about with the flag set.
  bool UsesItemDisplayText(int32_t item_index, bool flag) const;

  // Binds a data field to `names` ("A;B" gives one sub-field per name);
  // with `lookup_keys` the field's lookup key fields get sub-fields.
  void SetFieldNameBinding(TlxDBDataField& field, const std::string& names, bool lookup_keys);
  // Binds one data field to its dataset field (all fields, or with
  // `lookup_only` only sub-fields of lookup fields).
  void BindDataField(TlxDBDataField& field, bool lookup_only);
  void UpdateField(TlxCustomDataField& field) override;
  // Re-reads the edited record from the dataset's current record.
  void UpdateEditingRecord();
  void ReadRecordFromDataSet(int32_t record_index);

  // Grid mode: the storage is the data link's window, and the selection
  // is held as dataset bookmarks.
  void UpdateGridModeBufferCount();
  // In grid mode the dataset navigates and answers the ends.
  void GotoFirst() override;
  void GotoLast() override;
  void GotoNext() override;
  void GotoPrev() override;
  void MoveBy(int32_t distance) override;
  bool IsBOF() const override;
  bool IsEOF() const override;
  void ScrollInGridMode(int32_t distance);
  virtual void GridModeRecordsScrolled() { Change(dccItemsChanged); }
  // The dataset bookmark of a row of the window.
  std::string GetRowBookmark(int32_t row);
  TlxDBDataSelection& BookmarkSelection() const { return *bookmark_selection_; }
  // "DataController not in GridMode" outside grid mode.
  std::string GetSelectedBookmark(int32_t position) const;
  int32_t GetSelectedBookmarkCount() const;
  std::string GetSelectionAnchorBookmark() const;
  bool IsRowSelectedByBookmark(int32_t row);
  bool InGridModeBufferUpdate() const { return in_grid_mode_buffer_update_; }
  void ChangeRowSelection(int32_t row, bool select) override;
  int32_t GetSelectedRowIndex(int32_t position) const override;
  int32_t GetSelectionAnchorRowIndex() const override;
  bool HasSelectionAnchor() const override;
  void SetSelectionAnchor(int32_t row) override;
  void SelectAll() override;
  void SelectFromAnchor(int32_t row, bool keep_selection) override;
  void DeleteSelection() override;

  // For the fields: free notifications of dataset fields come here.
  void WatchComponent(TComponent* component);
  bool InUnboundCopy() const { return in_unbound_copy_; }
  bool& UnboundCopyFlag() { return in_unbound_copy_; }
  // Gives the item's control the focus (the grid answers); false here.
  virtual bool FocusItem(int32_t) { return false; }
  bool InCheckBrowseMode() const { return in_check_browse_mode_; }
  bool ResettingDataSetFields() const { return reset_dataset_fields_; }
  void ResetDataSetFields();
  void ForgetVanishedFocus();

 private:
  class TFieldNotifier;
  void BindKeyField();
  // The master relation hears that the key field names changed.
  void KeyFieldNamesChanged();
  void CheckGridMode() const;
  // Walks the dataset from one bookmark to another, adding each record.
  void SelectBookmarkRange(const std::string& low, const std::string& high);
  bool TrySelectOneStep(const std::string& low, const std::string& high, bool after_anchor);
  void FollowSourceRecord();
  // Finds the record whose key fields hold what the reader gives them,
  // through a key locate object.
  int32_t FindRecordThroughReader(const std::vector<TlxDBDataField*>& keys, TlxValueDefReader& reader);
  bool IsKeyFieldReady() const;

  std::unique_ptr<TlxDBDataModeController> mode_controller_;
  std::string detail_key_field_names_;
  bool in_check_browse_mode_ = false;
  bool in_check_current_query_ = false;
  bool in_reset_dataset_current_ = false;
  bool update_dataset_position_ = false;
  bool in_unbound_copy_ = false;
  TlxDBDataField* key_field_ = nullptr;
  std::string key_field_names_;
  bool loaded_ = false;
  std::string master_key_field_names_;
  Variant master_detail_key_values_;
  bool reset_dataset_fields_ = false;
  std::unique_ptr<TFieldNotifier> notifier_;
  std::unique_ptr<TlxDBDataSelection> bookmark_selection_;
  bool in_grid_mode_buffer_update_ = false;
};
