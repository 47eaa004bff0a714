#pragma once
// The part of a data controller that edits, inserts, posts, cancels and
// deletes records, and where values come from when they do not live in the
// controller's own storage. It holds the editing state: the edited record
// (kLxNoEditedRecord when none), its neighbours at the start of the edit,
// the inserting, changing and modified flags and a saved copy of the record.

#include <cstdint>
#include <string>
#include <vector>

#include "data/data_controller_types.h"
#include "data/data_storage.h"
#include "platform/rtl/object.h"
#include "platform/rtl/variant.h"

class TlxCustomDataController;
class TlxCustomDataField;
class TlxCustomDataProvider;

// An outside record source that a provider may serve instead of the
// storage. It keeps its own record handles; the controller keeps each
// record's handle in an internal field.
class TlxExternalDataSource {
 public:
  using THandle = int64_t;
  virtual ~TlxExternalDataSource() = default;

  virtual void SetCurrentProvider(TlxCustomDataProvider* provider) = 0;
  virtual THandle AppendRecord() = 0;
  virtual bool CanInsert() const { return true; }
  virtual THandle InsertRecord(THandle before) = 0;
  virtual void DeleteRecord(THandle handle) = 0;
  virtual std::string GetDisplayText(THandle handle, int32_t item_index) = 0;
  virtual Variant GetValue(THandle handle, int32_t item_index) = 0;
  virtual void SetValue(THandle handle, int32_t item_index, const Variant& value) = 0;
  virtual Variant GetRecordId(THandle) { return Variant::Null(); }
  virtual bool SuppliesRecordIds() const { return false; }
  // Fills the controller through the provider's AppendRecordHandle.
  virtual void LoadRecordHandles() = 0;
  virtual void SetRecordCount(int32_t count) = 0;
  virtual bool IsCustomSorting() const { return false; }
  virtual void CustomSort() {}
  virtual bool ComparesValues() const { return false; }
  virtual int32_t CompareValues(THandle, THandle, int32_t) { return 0; }
  virtual bool GetDetailHasChildren(THandle, int32_t) { return false; }
};

class TlxCustomDataProvider : public TObject {
 public:
  using TOwnerType = TlxCustomDataController;
  static constexpr TClass kClass{"TlxCustomDataProvider", &TObject::kClass,
                                 &ConstructInstance<TlxCustomDataProvider>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomDataProvider(TlxCustomDataController* controller);
  ~TlxCustomDataProvider() override;

  // The virtual operations, in the order of their slots.
  virtual void CustomSort();
  virtual bool IsCustomDataSourceSupported() const { return true; }
  virtual bool IsCustomSorting() const;
  virtual bool IsGridMode() const { return false; }
  virtual bool IsActive() const { return false; }
  virtual bool IsOtherInsertingOnSource() const { return false; }
  virtual bool IsRecordIdSupported() const;
  virtual bool IsSyncMode() const { return false; }
  virtual bool IsDataAvailable() const { return custom_data_source_ != nullptr; }
  virtual bool HasSourceFields() const { return false; }
  virtual bool IsBOF() const { return true; }
  virtual bool IsChanging() const { return changing_; }
  virtual bool IsEditing() const { return edited_record_index_ != kLxNoEditedRecord; }
  virtual bool IsEOF() const { return true; }
  virtual bool IsGridModeUpdating() const { return false; }
  virtual bool IsInserting() const { return IsEditing() && inserting_; }
  virtual bool IsModified() const { return modified_; }
  virtual bool NeedsImmediatePost() const { return !CanModify(); }
  virtual void RecordLoaded(int32_t) {}
  virtual void First() { fields_recreated_ = false; }
  virtual void Prev() {}
  virtual void Next() {}
  virtual void Last() {}
  virtual void MoveBy(int32_t) {}
  virtual void Scroll(int32_t) {}
  virtual void SavePos() {}
  virtual void RestorePos() {}
  virtual bool CanAppend() const { return CanModify(); }
  virtual bool CanDelete() const;
  virtual bool CanInitEditing(int32_t record_index);
  virtual bool CanInsert() const { return CanModify(); }
  virtual bool CanModify() const { return true; }
  virtual void Append() { DoInsert(true); }
  virtual void Cancel();
  virtual void PullEditorValue();
  virtual void DeleteFocused();
  virtual void DeleteRecords(const std::vector<int32_t>& records);
  virtual void DeleteSelection();
  virtual void Edit() { StartEditing(); }
  virtual void GetEditingValue(int32_t record_index, TlxCustomDataField& field, Variant& value);
  virtual void Insert() { DoInsert(false); }
  virtual void Post(bool force);
  virtual void PostEditingData();
  virtual bool SetEditingValue(int32_t record_index, TlxCustomDataField& field, const Variant& value,
                               int32_t empty_as_null);
  virtual void BeginDeleting();
  virtual void EndDeleting();
  virtual void AssignItemValue(int32_t record_index, TlxCustomDataField& field, const Variant& value);
  virtual void InitInsertingRecord(int32_t record_index, const std::vector<Variant>& grouping_values);
  virtual void DoEdit();
  virtual void DoInsert(bool append);
  virtual void ResetChanging() { changing_ = false; }
  virtual void ResetEditing();
  virtual void ResetModified() { modified_ = false; }
  virtual void SetChanging() { changing_ = true; }
  virtual void StartEditing() { DoEdit(); }
  virtual void SetModified() { modified_ = true; }
  virtual void BeginLocate() { ++locate_count_; }
  virtual void EndLocate() { --locate_count_; }
  virtual void LockNotify() { ++notification_lock_count_; }
  virtual void UnlockNotify() { --notification_lock_count_; }
  virtual int32_t AppendRecord();
  virtual void DeleteRecord(int32_t record_index);
  virtual bool GetDetailHasChildren(int32_t record_index, int32_t relation_index);
  virtual std::string GetDisplayText(int32_t record_index, TlxCustomDataField& field);
  virtual std::string GetExternalDisplayText(int32_t, TlxCustomDataField&) { return {}; }
  virtual Variant GetExternalValue(int32_t, TlxCustomDataField&) { return Variant::Null(); }
  virtual Variant GetRecordId(int32_t record_index);
  virtual int32_t GetSourceRecordIndex() const { return -1; }
  virtual Variant GetValue(int32_t record_index, TlxCustomDataField& field);
  virtual int32_t InsertRecord(int32_t record_index);
  virtual void LoadGridModeBuffer() {}
  // The class of the reader that fills a storage record from the source's
  // current record.
  virtual const TClass* GetValueDefReaderClass() const { return &TlxValueDefReader::kClass; }
  virtual int32_t CompareValues(int32_t record1, int32_t record2, TlxCustomDataField& field);
  virtual int32_t CustomCompare(int32_t record1, int32_t record2, TlxCustomDataField& field);
  virtual void SetDisplayText(int32_t, TlxCustomDataField&, const std::string&) {}
  virtual void SetRecordCount(int32_t count);
  virtual void SetValue(int32_t record_index, TlxCustomDataField& field, const Variant& value);
  virtual void ActiveChanged(bool active);
  virtual void DataChanged(TlxDataChangeKind kind, int32_t item_index, int32_t record_index);
  virtual void DataScrolled(int32_t distance);
  virtual void LayoutChanged(int32_t flags);

  void ClearSavedRecord();
  void CreateSavedRecord(int32_t record_index);
  int32_t AppendRecordHandle(TlxExternalDataSource::THandle handle);
  void LoadRecordHandles();
  void SetCustomDataSource(TlxExternalDataSource* source);
  TlxExternalDataSource* CustomDataSource() const { return custom_data_source_; }
  TlxExternalDataSource::THandle HandleOf(int32_t record_index) const;
  int32_t RecordIndexOfHandle(TlxExternalDataSource::THandle handle) const;

  TlxCustomDataController& DataController() const { return controller_; }
  int32_t EditedRecordIndex() const { return edited_record_index_; }
  void SetEditedRecordIndex(int32_t record) { edited_record_index_ = record; }
  int32_t PrevNeighbour() const { return prev_neighbour_; }
  int32_t NextNeighbour() const { return next_neighbour_; }
  bool HasNeighbour() const { return prev_neighbour_ != kLxNoEditedRecord || next_neighbour_ != kLxNoEditedRecord; }
  int32_t InsertedRecordIndex() const { return inserted_record_index_; }
  void SetInsertedRecordIndex(int32_t record) { inserted_record_index_ = record; }
  int32_t SavedRecordIndex() const { return saved_record_index_; }
  // The storage dropped its internal records, the saved copy with them.
  void ClearSavedRecordIndex() { saved_record_index_ = 0; }
  int32_t LocateCount() const { return locate_count_; }
  int32_t NotificationLockCount() const { return notification_lock_count_; }
  bool LoadAllNeeded() const { return load_all_needed_; }
  void SetLoadAllNeeded(bool value) { load_all_needed_ = value; }
  bool InInserting() const { return in_inserting_; }
  void SetInInserting(bool value) { in_inserting_ = value; }
  bool FieldsRecreated() const { return fields_recreated_; }
  void SetFieldsRecreated(bool value) { fields_recreated_ = value; }
  bool ActiveChanging() const { return active_changing_; }
  void SetActiveChanging(bool value) { active_changing_ = value; }
  bool DataChangedLocked() const { return data_changed_locked_; }

 private:
  bool active_changing_ = false;
  bool changing_ = false;
  TlxExternalDataSource* custom_data_source_ = nullptr;
  bool data_changed_locked_ = false;
  TlxCustomDataController& controller_;
  int32_t edited_record_index_ = kLxNoEditedRecord;
  int32_t prev_neighbour_ = kLxNoEditedRecord;
  int32_t next_neighbour_ = kLxNoEditedRecord;
  int32_t inserted_record_index_ = -1;
  bool in_update_data_ = false;
  int32_t locate_count_ = 0;
  int32_t notification_lock_count_ = 0;
  bool modified_ = false;
  bool fields_recreated_ = false;
  int32_t saved_record_index_ = 0;
  bool in_inserting_ = false;
  bool inserting_ = false;
  bool load_all_needed_ = false;
};
