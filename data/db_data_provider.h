#pragma once
// The provider of a dataset-bound controller. It owns the data link that
// follows the dataset and turns the dataset's notifications into
// controller changes (open and close, reload, scroll, edit state), and the
// controller's requests into dataset operations (moves, edit, insert,
// append, post, cancel, delete). Every provider of the process is listed,
// so that a provider that walks its dataset keeps the others of the same
// dataset from reloading meanwhile: they wait and get one data-set-changed
// notification when the walk ends.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/data_provider.h"
#include "data/data_storage.h"
#include "platform/db/db_types.h"

class TDataSet;
class TField;
class TlxDBDataController;
class TlxDBDataField;
class TlxDBDataLink;

// The dataset fields a provider filled itself while it created a record.
class TlxDBDataAssignedFields {
 public:
  void Add(TField* field);
  void AddFields(const std::vector<TField*>& fields);
  // The fields of `dataset` named in `names` ("A;B"); unknown names are
  // skipped.
  void AddFieldsByName(const TDataSet* dataset, std::string_view names);
  void Clear() { fields_.clear(); }
  bool IsEmpty() const { return fields_.empty(); }
  bool Contains(const TField* field) const;

 private:
  std::vector<TField*> fields_;
};

// Reads a record's values from the dataset's current record: each value
// definition from the dataset field its data field is bound to.
class TlxValueDefDBReader : public TlxValueDefReader {
 public:
  static constexpr TClass kClass{"TlxValueDefDBReader", &TlxValueDefReader::kClass,
                                 &ConstructInstance<TlxValueDefDBReader>};
  const TClass* ClassType() const override { return &kClass; }

  std::string DisplayTextFor(const TlxValueDef& def) override;
  Variant ValueFor(const TlxValueDef& def) override;
  bool SkipsDef(const TlxValueDef& def) override;

 private:
  static TField* BoundField(const TlxValueDef& def);
};

class TlxDBDataProvider : public TlxCustomDataProvider {
 public:
  static constexpr TClass kClass{"TlxDBDataProvider", &TlxCustomDataProvider::kClass,
                                 &ConstructInstance<TlxDBDataProvider>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxDBDataProvider(TlxCustomDataController* controller);
  ~TlxDBDataProvider() override;

  TlxDBDataController& DBController() const;
  TlxDBDataLink& DataLink() const { return *link_; }
  TDataSet* DataSet() const;
  TlxDBDataAssignedFields& AssignedFields() { return assigned_fields_; }

  // Overrides of the base provider.
  bool IsCustomDataSourceSupported() const override { return false; }
  const TClass* GetValueDefReaderClass() const override { return &TlxValueDefDBReader::kClass; }
  bool IsGridMode() const override;
  bool IsActive() const override;
  bool IsOtherInsertingOnSource() const override;
  bool IsSyncMode() const override;
  bool IsDataAvailable() const override;
  bool HasSourceFields() const override;
  bool IsBOF() const override;
  bool IsEOF() const override;
  bool IsEditing() const override;
  bool IsInserting() const override;
  bool IsModified() const override;
  void RecordLoaded(int32_t record_index) override;
  void First() override;
  void Prev() override;
  void Next() override;
  void Last() override;
  void MoveBy(int32_t distance) override;
  void SavePos() override;
  void RestorePos() override;
  bool CanDelete() const override;
  bool CanModify() const override;
  bool CanInitEditing(int32_t record_index) override;
  void Append() override;
  void Insert() override;
  void Edit() override;
  void Post(bool force) override;
  void Cancel() override;
  void PostEditingData() override;
  void GetEditingValue(int32_t record_index, TlxCustomDataField& field, Variant& value) override;
  bool SetEditingValue(int32_t record_index, TlxCustomDataField& field, const Variant& value, int32_t kind) override;
  void AssignItemValue(int32_t record_index, TlxCustomDataField& field, const Variant& value) override;
  void InitInsertingRecord(int32_t record_index, const std::vector<Variant>& grouping_values) override;
  void DeleteFocused() override;
  void DeleteRecords(const std::vector<int32_t>& records) override;
  void DeleteSelection() override;
  void LoadGridModeBuffer() override;
  Variant GetExternalValue(int32_t record_index, TlxCustomDataField& field) override;
  std::string GetExternalDisplayText(int32_t record_index, TlxCustomDataField& field) override;
  void EndDeleting() override;
  void BeginLocate() override;
  void LockNotify() override;
  void UnlockNotify() override;
  int32_t GetSourceRecordIndex() const override;
  void ActiveChanged(bool active) override;
  void DataScrolled(int32_t distance) override;
  void LayoutChanged(int32_t flags) override;
  bool GetDetailHasChildren(int32_t record_index, int32_t relation_index) override;

  // New virtual operations.
  virtual bool IsDataSetModified() const;
  virtual bool IsBookmarkValid(const std::string& bookmark) const;
  virtual int32_t CompareBookmarks(const std::string& a, const std::string& b) const;
  virtual void CancelDataSet();
  virtual void RecordChanged(TField* field);

  // The editing value by kind: 0 the value, 1 the edit text, 2 a lookup
  // field's key values.
  Variant EditingValueOfKind(int32_t record_index, TlxCustomDataField& field, int32_t kind);

  // What the data link hands over.
  void HandleActiveChanged();
  void HandleDataSetChanged();
  void HandleEditingChanged();
  void HandleFocusControl(TField*& field);
  void HandleLayoutChanged();
  void HandleUpdateData();
  // Whether the layout-changed notification goes to the data-set-changed
  // handling instead.
  bool LayoutChangeMeansDataChange() const;

  // The dataset is busy for this provider: some provider of it walks,
  // notifies its waiting providers or locates.
  bool IsDataSetBusy() const;
  bool PostLocateMark() const { return post_locate_mark_; }
  void ClearPostLocateMark() { post_locate_mark_ = false; }
  int32_t CurrentRecordIndex() const { return current_record_index_; }
  void SetCurrentRecordIndex(int32_t record) { current_record_index_ = record; }
  bool InInsert() const { return in_insert_; }
  bool InCanInitEditing() const { return in_can_init_editing_; }
  // Details that share a dataset: whether the cursor serves this one.
  bool DataSetIsCurrent() const { return dataset_is_current_; }
  void SetDataSetIsCurrent(bool value) { dataset_is_current_ = value; }
  // Sends the waiting providers a data-set-changed notification each, last
  // first.
  void NotifyWaitingProviders();
  // The smart refresh of the edited record after a post.
  void SmartRefreshEditedRecord();
  void ResetSmartRefreshState();
  bool IsSmartRefresh() const;
  int32_t UpdatingRecordIndex() const { return updating_record_; }
  void ForgetRecord(int32_t record_index);

  // The process-wide list of providers.
  static const std::vector<TlxDBDataProvider*>& Providers();

 private:
  void InsertOrAppend(bool append);
  void SynchronizeInsert();
  void RefreshGridModeWindow();
  // Reads a field of the window's record; the cursor does not move.
  template <class Read>
  auto ReadWindowRecord(int32_t record_index, TlxCustomDataField& field, Read read, decltype(read(nullptr)) none);
  void RememberUpdatingRecord(bool inserting);
  void DeleteByKeys(const std::vector<int32_t>& records);
  void DeleteByPosition(const std::vector<int32_t>& records);
  bool SameDataSet(const TlxDBDataProvider& other) const;
  void SetPostLocateMarks();
  // The dataset's position expressed as a storage record, without keys.
  void ResyncCurrentRecordFromCursor();
  // A detail outside grid mode: it loads only its master's records.
  bool IsDetailLoad() const;
  // A detail in SQL mode leaves a change alone that is not its own.
  bool IgnoresDataSetChange() const;

  TlxDBDataAssignedFields assigned_fields_;
  std::unique_ptr<TlxDBDataLink> link_;
  bool in_can_init_editing_ = false;
  bool in_set_data_source_ = false;
  bool in_insert_ = false;
  bool insert_operation_ = false;
  bool in_insert_sync_ = false;
  bool in_notify_ = false;
  bool in_update_grid_mode_ = false;
  bool dataset_is_current_ = false;
  std::vector<TlxDBDataProvider*> waiting_providers_;
  bool post_locate_mark_ = false;
  int32_t current_record_index_ = -1;
  struct TSavedPosition {
    std::string Bookmark;
    int32_t ActiveRecord = 0;
    bool Bof = false;
    bool Eof = false;
  } saved_;
  int32_t updating_prev_focused_record_ = -1;
  int32_t updating_record_ = kLxNoEditedRecord;
  bool updating_record_is_inserting_ = false;
  int32_t updating_new_record_ = -1;
};
