#pragma once
// The data controller: the object through which every data-aware view
// reaches its data. It owns the record storage, one data field per view
// item, the provider (editing and outside sources), the row engine
// (filtered, sorted, grouped rows with focus and selection), the filter and
// the grouping facade. Every change funnels into change bits that become
// notifications, in a fixed order, when the outermost update bracket closes.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/controller_info.h"
#include "data/data_controller_types.h"
#include "data/data_fields.h"
#include "data/data_provider.h"
#include "data/data_storage.h"
#include "data/update_control_info.h"
#include "platform/rtl/component.h"
#include "platform/rtl/persistent.h"
#include "platform/rtl/stream.h"

class TlxCustomDataController;
class TlxDataControllerGroups;
class TlxDataFilterCriteria;
class TlxDataFilterList;
class TlxDataSummary;
class TlxCustomDataRelation;
class TlxCustomDataRelationList;
class TlxDetailObject;
class TlxSaveObject;
class TlxDataControllerSearch;
class TlxDataControllerNotifier;

using TlxDataControllerNotifyEvent = std::function<void(TlxCustomDataController* ADataController)>;
using TlxDataDetailExpandedEvent = std::function<void(TlxCustomDataController* ADataController, int32_t ARecordIndex)>;
using TlxDataDetailExpandingEvent =
    std::function<void(TlxCustomDataController* ADataController, int32_t ARecordIndex, bool& AAllow)>;
using TlxDataFilterRecordEvent =
    std::function<void(TlxCustomDataController* ADataController, int32_t ARecordIndex, bool& Accept)>;
using TlxDataControllerCompareEvent =
    std::function<void(TlxCustomDataController* ADataController, int32_t ARecordIndex1, int32_t ARecordIndex2,
                       int32_t AItemIndex, const Variant& V1, const Variant& V2, int32_t& Compare)>;
using TlxDataRecordChangedEvent =
    std::function<void(TlxCustomDataController* ADataController, int32_t ARecordIndex, int32_t AItemIndex)>;
using TlxUpdateControlEvent = std::function<void(TlxUpdateControlInfo& info)>;
using TlxForEachRowProc = std::function<void(int32_t row_index, const TlxRowInfo& row_info)>;

// The controller's change bits.
enum TlxDataControllerChange : uint16_t {
  dccItemsChanged = 1,
  dccDataChanged = 2,
  dccFocus = 4,
  dccSelection = 8,
  dccDetailLayout = 16,
  dccSummaryLayout = 32,
  dccSearch = 64,
  dccSorting = 128,
  dccGrouping = 256,
  dccDetailData = 512,
  dccBookmark = 1024,
  dccUpdateRecord = 2048,
};

// The edit state bits of GetEditState.
enum TlxDataControllerEditState : uint8_t { dceInsert = 1, dceEdit = 2, dceChanging = 4, dceModified = 8 };

class TlxCustomDataController : public TPersistent {
 public:
  using TOwnerType = TComponent;
  static constexpr TClass kClass{"TlxCustomDataController", &TPersistent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomDataController(TComponent* owner);
  ~TlxCustomDataController() override;

  TPersistent* GetOwner() const override { return owner_; }
  // Options, filter and event handlers from another controller.
  virtual void CopyFrom(const TPersistent* source);
  void Assign(const TPersistent* source) override { CopyFrom(source); }

  // Items and fields.
  virtual TlxCustomDataField* CreateInternalField();
  virtual TlxCustomDataField* CreateField();
  virtual TObject* GetItem(int32_t index) const = 0;
  virtual int32_t GetItemCount() const { return fields_->ItemCount(); }
  virtual int32_t GetItemID(TObject* item) const;
  virtual std::string GetItemName(TObject* item) const;
  virtual TObject* FindItemByID(int32_t id) const;
  virtual TObject* FindItemByName(const std::string& name) const;
  virtual TlxCustomDataField* AddItem(TObject* item);
  virtual void RemoveItem(TObject* item);
  virtual void UpdateItemIndexes();
  void CheckItemRange(int32_t item_index) const;
  TlxCustomDataField* ItemField(int32_t item_index) const;
  int32_t ItemIndexOfField(const TlxCustomDataField* field) const;
  virtual void SetItemValueTypeClass(int32_t item_index, TlxValueTypeClass value_type);
  TlxValueTypeClass GetItemValueTypeClass(int32_t item_index) const;
  virtual void SetItemTextStored(int32_t item_index, bool stored);
  virtual bool GetItemTextStored(int32_t item_index) const;
  virtual void SetItemVariantCompare(int32_t item_index, bool value);
  virtual bool GetItemVariantCompare(int32_t item_index) const;
  virtual void ItemValueTypeClassChanged(int32_t) {}

  // Class-returning operations.
  virtual const TClass* GetProviderClass() const { return &TlxCustomDataProvider::kClass; }
  virtual const TClass* GetSelectionClass() const { return &TlxDataSelection::kClass; }
  virtual const TClass* GetFieldClass() const { return &TlxCustomDataField::kClass; }
  virtual const TClass* GetFilterCriteriaClass() const;
  virtual const TClass* GetSummaryClass() const;
  virtual const TClass* GetSummaryItemClass() const;
  virtual const TClass* GetSummaryGroupItemLinkClass() const;
  virtual const TClass* GetSearchClass() const;
  // Null: the base controller cannot order groups by their summaries.
  virtual const TClass* GetSortingBySummaryEngineClass() const { return nullptr; }

  // Owner and state.
  TComponent* OwnerComponent() const { return owner_; }
  virtual bool IsOwnerLoading() const;
  virtual bool IsOwnerDestroying() const;
  bool IsOwnerReading() const;
  virtual bool IsProviderMode() const { return provider_->CustomDataSource() != nullptr; }
  bool IsGridMode() const { return provider_->IsGridMode(); }
  TlxDataControllerOptions GetOptions() const { return options_; }
  void SetOptions(TlxDataControllerOptions options);
  bool HasOption(TlxDataControllerOption option) const { return (options_ & option) != 0; }
  bool Active() const { return active_; }
  bool Destroying() const { return destroying_; }
  TlxDataStorage& DataStorage() const { return *storage_; }
  TlxCustomDataProvider& Provider() const { return *provider_; }
  TlxCustomDataControllerInfo& ControllerInfo() const { return *info_; }
  TlxCustomDataFieldList& Fields() const { return *fields_; }
  TlxDataControllerGroups& Groups() const { return *groups_; }
  TlxDataFilterCriteria& Filter() const { return *filter_; }
  void SetFilter(const TlxDataFilterCriteria& filter);
  TlxDataFilterList& FilterList() const { return *filter_list_; }
  TlxDataFilterCriteria* CreateFilterCriteria();
  void SetOnFilterRecord(TlxDataFilterRecordEvent handler);
  // Built on first use, so that a descendant's class takes part.
  TlxDataControllerSearch& Search() const;
  // In grid mode the source searches itself; the base finds nothing.
  virtual bool SearchInDataSource(const std::string&, bool, bool) { return false; }
  // Built on first use, so that a descendant's summary classes take part.
  TlxDataSummary& Summary() const;
  void SetSummary(const TlxDataSummary& summary);
  bool IsRelationTemplate() const { return IsTemplateController(); }
  virtual bool IsGridModeStructureChanged() const { return IsGridMode() && structure_changed_; }
  const TlxDataFilterRecordEvent& OnFilterRecord() const { return on_filter_record_; }

  // Update brackets, changes and notifications.
  void BeginUpdate();
  void EndUpdate();
  int32_t GetLockCount() const { return info_->LockCount(); }
  virtual void BeginUpdateWithOwner() { BeginUpdate(); }
  virtual void EndUpdateWithOwner() { EndUpdate(); }
  void Change(uint16_t bits);
  void CheckChanges();
  virtual void BeforeCheckUpdate() {}
  virtual void DataChanged(TlxDataChangeKind kind, int32_t item_index, int32_t record_index);
  virtual void Refresh();
  void RefreshData() { Refresh(); }
  virtual bool RefreshIfItemSorted(int32_t item_index);
  virtual void RefreshSource() {}
  virtual void NotifyControl(TlxUpdateControlInfo& info);
  void NotifyGroupingChanging();
  virtual void DoDataChanged();
  int32_t AddDataChangedListener(TObject* object, TNotifyEvent method);
  void RemoveDataChangedListener(TObject* object);
  void LockDataChanged() { ++data_changed_lock_count_; }
  void UnlockDataChanged() { --data_changed_lock_count_; }
  virtual bool IsDataChangedLocked() const { return data_changed_lock_count_ > 0; }
  bool IsNotCalculatingInfo() const { return !info_->Calculating(); }
  bool IsProviderLocked() const { return provider_->NotificationLockCount() != 0; }
  void BeginLocate();
  void EndLocate();
  virtual void StructureChanged();
  virtual void SetActive(bool value);
  virtual void SourceScrolled(int32_t) { CheckFocusing(); }
  virtual void CheckFocusing();
  virtual void FilterChanged();
  virtual void FieldDestroyed(TlxCustomDataField* field);
  // A component that was being watched is going away.
  virtual void ComponentRemoved(TComponent* component);
  TlxDataControllerNotifier& Notifier() const { return *notifier_; }
  virtual void ReloadStorage();
  // Fields and storage again, after a custom data source came or went.
  virtual void RebuildStructure();
  // Field-structure lock: while held, re-synchronising the fields with the
  // source is only marked; the last close runs StructureChanged.
  void BeginUpdateFields() { ++fields_lock_count_; }
  void EndUpdateFields();
  virtual bool SyncsFieldsWithSource() const { return IsProviderMode() || structure_recreated_; }
  // Lets every field follow the source once (UpdateField), even when doing
  // so destroys fields on the way.
  virtual void UpdateFields();
  virtual void UpdateField(TlxCustomDataField&) {}
  virtual void NotifyRecordLoaded(int32_t record_index) { provider_->RecordLoaded(record_index); }
  virtual void NotifyStorageLoaded() {}
  virtual void BeginStorageLoad() { storage_->BeforeBulkLoad(); }
  virtual void EndStorageLoad() { storage_->AfterBulkLoad(); }
  // The internal field of 64-bit source handles while a custom data source
  // is assigned; null otherwise.
  TlxCustomDataField* RecordHandlesField() const { return record_handles_field_; }
  virtual void AfterStorageLoaded() {}
  virtual void SummaryChanged(bool values_only) { info_->SummaryChanged(values_only); }
  void OwnerLoaded();

  // Records, values and the stream.
  void CheckRecordRange(int32_t record_index) const;
  virtual int32_t GetRecordCount() const { return storage_->RecordCount(); }
  virtual void SetRecordCount(int32_t count);
  virtual Variant GetValue(int32_t record_index, int32_t item_index);
  virtual void SetValue(int32_t record_index, int32_t item_index, const Variant& value);
  virtual std::string GetDisplayText(int32_t record_index, int32_t item_index);
  virtual void SetDisplayText(int32_t record_index, int32_t item_index, const std::string& text);
  virtual Variant GetFieldValue(int32_t record_index, TlxCustomDataField& field);
  virtual std::string GetFieldDisplayText(int32_t record_index, TlxCustomDataField& field);
  virtual bool CanAccessFieldValue(const TlxCustomDataField& field) const;
  int32_t AppendRecord();
  int32_t InsertRecord(int32_t record_index);
  void DeleteRecord(int32_t record_index);
  virtual void CopyRecord(int32_t source_record, int32_t destination_record);
  virtual void RecordInserted(int32_t record_index);
  virtual void RecordDeleted(int32_t record_index);
  std::vector<Variant> GetGroupingValues(int32_t record_index);
  virtual Variant GetGroupingFieldValue(int32_t record_index, TlxCustomDataField& field) {
    return GetFieldValue(record_index, field);
  }
  int32_t GetNewItemRecordIndex();
  virtual void InternalRecordsCleared();
  Variant GetRecordIdentity(int32_t record_index) const { return Variant(record_index); }

  // Keys: records identified by key values, and the state kept by them.
  virtual void GetKeyFieldList(std::vector<TlxCustomDataField*>&) const {}
  virtual Variant GetKeyValue(int32_t record_index, const std::vector<TlxCustomDataField*>& key_fields);
  virtual bool UsesRecordKeys() const;
  virtual Variant GetRecordKeyValue(int32_t record_index);
  // Saves expanded details and selected records by key on the first open;
  // the last close restores them.
  void BeginKeepState();
  void EndKeepState();
  int32_t KeepStateCount() const { return keep_state_count_; }
  void CheckSelectionAndBookmark(int32_t record_index);
  void SaveStorageToStream(TStream& stream);
  void LoadStorageFromStream(TStream& stream);

  // Editing and deleting.
  virtual void Append();
  virtual void Insert();
  virtual void Edit();
  virtual void Post(bool force = false);
  virtual void PostIfEditing();
  virtual void Cancel();
  virtual bool StartItemEdit(int32_t item_index);
  virtual bool IsItemEditable(int32_t) const { return true; }
  virtual bool SetEditingValue(int32_t item_index, const Variant& value, int32_t kind = 0);
  virtual Variant GetEditingValue(int32_t item_index, int32_t kind = 0);
  virtual void UpdateData();
  virtual void UpdateEditorValue() {}
  virtual void FinishEditing() {}
  bool IsEditing() const;
  virtual uint8_t GetEditState() const;
  virtual uint8_t GetEditOperations() const;
  virtual bool IsImmediatePost() const;
  virtual int32_t GetEditingOrFocusedRecordIndex();
  virtual int32_t GetFocusedRecordIndexForEdit();
  bool IsNewItemRowFocused() const;
  void SetNewItemRowFocused(bool value);
  void ClearNewItemRowFocus();
  bool UseNewItemRowForEditing() const { return use_new_item_row_for_editing_; }
  void SetUseNewItemRowForEditing(bool value);
  virtual void ResetEditingIfAffected(int32_t record_index);
  virtual void DeleteFocused();
  virtual void DeleteSelection();
  // Sorts, drops duplicates, lowers the nearest record, and lets the
  // provider delete the list.
  void DeleteRecords(std::vector<int32_t> records);
  int32_t NearestRecordIndex() const { return nearest_record_index_; }
  void SetNearestRecordIndex(int32_t record) { nearest_record_index_ = record; }
  void FocusNearestRecord();
  bool InDeleteSelection() const { return in_delete_selection_; }
  bool InCancel() const { return in_cancel_; }
  void SetSmartLoad(bool value) { in_smart_load_ = value; }
  virtual bool CreatesRecordsThroughReader() const { return false; }
  virtual bool IsSmartRefresh() const { return false; }
  virtual void DoAfterCancel();
  virtual void DoAfterDelete();
  virtual void DoAfterInsert();
  virtual void DoAfterPost();
  virtual void DoBeforeCancel();
  virtual void DoBeforeDelete(int32_t record_index);
  virtual void DoBeforeInsert();
  virtual void DoBeforePost();
  virtual void DoNewRecord(int32_t record_index);

  // Rows, focus, selection, navigation and the bookmark.
  int32_t GetRowCount() const { return info_->GetRowCount(); }
  TlxRowInfo GetRowInfo(int32_t row) const { return info_->GetRowInfo(row); }
  int32_t GetRowIndexByRecordIndex(int32_t record, bool make_visible);
  Variant GetRowValue(const TlxRowInfo& row_info, int32_t item_index);
  std::string GetRowDisplayText(const TlxRowInfo& row_info, int32_t item_index);
  virtual void ForEachRow(bool selected_only, const TlxForEachRowProc& procedure);
  int32_t FocusedRowIndex() const { return info_->FocusedRowIndex(); }
  int32_t FocusedRecordIndex() const { return info_->FocusedRecordIndex(); }
  virtual int32_t GetCurrentRecordIndex() const { return FocusedRecordIndex(); }
  virtual int32_t GetSourceCurrentRecordIndex() const;
  int32_t GetLastRowRecordIndex() const;
  int32_t GetNearestRowIndex(int32_t row) const { return info_->GetNearestRowIndex(row); }
  bool ChangeFocusedRowIndex(int32_t row);
  bool SetFocusedRowIndex(int32_t row) { return ChangeFocusedRowIndex(row); }
  void ChangeFocusedRecordIndex(int32_t record);
  virtual bool CanFocusRecord(int32_t record);
  virtual void BeforeFocusedRowChange(int32_t) {}
  virtual void SyncSourceToFocusedRecord() {}
  void FocusFirstRowIfNone();
  virtual bool FocusSelectedRow(int32_t position);
  virtual void GotoFirst();
  virtual void GotoLast();
  virtual void GotoNext();
  virtual void GotoPrev();
  virtual void MoveBy(int32_t distance);
  virtual bool IsBOF() const { return GetRowCount() == 0 || FocusedRowIndex() == 0; }
  virtual bool IsEOF() const { return GetRowCount() == 0 || FocusedRowIndex() == GetRowCount() - 1; }
  bool MultiSelect() const { return multi_select_; }
  void SetMultiSelect(bool value);
  virtual bool IsSingleSelect() const { return !multi_select_; }
  virtual bool CanSelectRow(int32_t) { return true; }
  bool FocusedSelected() const { return focused_selected_; }
  void SetFocusedSelected(bool value);
  virtual void ChangeRowSelection(int32_t row, bool select);
  virtual void ClearSelectionAnchor() { info_->ClearSelectionAnchor(); }
  void ClearSelection();
  int32_t GetSelectedCount() const;
  virtual int32_t GetSelectedRowIndex(int32_t position) const;
  bool IsRowSelected(int32_t row) const;
  virtual int32_t GetSelectionAnchorRowIndex() const { return info_->Selection().AnchorRowIndex(); }
  virtual bool HasSelectionAnchor() const { return GetSelectionAnchorRowIndex() != -1; }
  virtual void SetSelectionAnchor(int32_t row);
  virtual void SelectAll();
  virtual void SelectFromAnchor(int32_t row, bool keep_selection);
  void SelectRange(int32_t from, int32_t to);
  virtual void SelectFocusedRow();
  void SelectOnlyFocusedRow();
  void RefreshPrevSelectionInfo();
  virtual bool SaveBookmark();
  virtual void ClearBookmark();
  void ClearBookmarkAndNotify();
  virtual bool GotoBookmark();
  virtual bool IsBookmarkAvailable() const { return bookmark_record_index_ != -1; }
  virtual bool IsBookmarkRow(int32_t row) const;
  virtual bool IsBookmarkInvalidatedBy(int32_t record) const;
  virtual void CheckBookmark(int32_t record);
  int32_t BookmarkRecordIndex() const { return bookmark_record_index_; }

  // Comparison, sorting and filtering.
  virtual int32_t CompareByField(int32_t record1, int32_t record2, TlxCustomDataField& field);
  virtual int32_t CompareRecordIndexes(int32_t record1, int32_t record2) const;
  virtual int32_t CompareBySortingField(int32_t record1, int32_t record2, const TlxSortingFieldEntry& entry);
  virtual Variant GetComparisonValue(int32_t record, TlxCustomDataField& field);
  // Whether sorting, grouping and filtering may read stored values straight
  // from the storage where a field compares by them, instead of calling the
  // comparisons above and GetFilterValue record by record. A descendant that
  // overrides those returns false.
  virtual bool ReadsStoredValuesDirectly() const { return true; }
  virtual bool NeedsVariantCompare(const TlxCustomDataField& field) const;
  virtual bool IsItemComparedAsText(int32_t item_index) const;
  virtual bool NeedsStringConversionCompare(const TlxCustomDataField& field) const;
  virtual bool ComparesByDisplayText(const TlxCustomDataField& field) const;
  virtual bool IsItemSortedByDisplayText(int32_t, bool) const { return false; }
  int32_t CompareStrings(const std::string& s1, const std::string& s2) const;
  int32_t FindRecordByFieldValues(int32_t search_record, const std::vector<TlxCustomDataField*>& fields);
  // Binary search of the sorted record list for a record equal to the
  // search record on grouping levels 0 .. level_count - 1.
  int32_t FindRecordInGroups(int32_t search_record, int32_t level_count) const;
  // Hooks around a locate object's filling of its search record.
  virtual void BeginInternalRecordCopy() {}
  virtual void EndInternalRecordCopy() {}
  TlxDataSortOrder GetItemSortOrder(int32_t item_index) const;
  int32_t GetItemSortIndex(int32_t item_index) const;
  int32_t GetSortingItemCount() const;
  int32_t GetSortingItemIndex(int32_t position) const;
  void ChangeSortOrder(int32_t item_index, TlxDataSortOrder order);
  void ChangeSortIndex(int32_t item_index, int32_t position);
  void ClearSorting(bool keep_grouped_orders);
  int32_t GetSortingBySummaryItemIndex() const;
  void SetSortingBySummaryItemIndex(int32_t item_index);
  void SortingBySummaryChanged() { sorting_by_summary_changed_ = true; }
  virtual bool DoFilterRecord(int32_t record);
  virtual bool HasFilterRecordHandler() const { return static_cast<bool>(on_filter_record_); }
  virtual Variant GetFilterValue(int32_t record, TlxCustomDataField& field) { return GetFieldValue(record, field); }
  virtual std::string GetFilterDisplayText(int32_t record, int32_t item_index) {
    return GetDisplayText(record, item_index);
  }
  virtual std::string GetIncrementalSearchText(int32_t record, int32_t item_index) {
    return GetDisplayText(record, item_index);
  }
  virtual std::string GetItemDisplayName(int32_t) const { return {}; }
  virtual std::string GetItemFilterFieldName(int32_t item_index) const { return GetItemDisplayName(item_index); }
  int32_t GetFilteredRecordCount() const { return info_->RecordListCount(); }
  int32_t GetFilteredRecordIndex(int32_t position) const { return info_->RecordIndexAt(position); }
  int32_t GetFilteredIndexByRecordIndex(int32_t record) const { return info_->RecordListIndexOf(record); }
  virtual int32_t SetIncrementalFilter(int32_t item_index, const std::string& text);
  virtual void ResetIncrementalFilter();
  bool ChangeIncrementalFilterText(const std::string& text);
  virtual std::string GetIncrementalFilterText() const { return incremental_filter_text_; }
  virtual bool IsIncrementalFilterActive() const;
  virtual bool MatchesIncrementalFilter(int32_t record);
  virtual int32_t FindRowByItemText(int32_t start, int32_t item_index, const std::string& text, bool partial,
                                    bool wrap, bool forward);

  // Master-detail: relations, detail modes, link objects and expansion.
  virtual const TClass* GetRelationClass() const;
  // Built on first use.
  TlxCustomDataRelationList& RelationList() const;
  bool HasRelations() const;
  // 0 plain, 1 relation template, 2 detail clone.
  int32_t GetDetailMode() const;
  bool IsTemplateController() const { return GetDetailMode() == 1; }
  virtual void SetMasterRelation(TlxCustomDataRelation* relation, int32_t master_record);
  void AttachToMasterRelation(TlxCustomDataRelation* relation, bool as_template);
  void SetTemplateMark(bool value);
  virtual TlxCustomDataRelation* GetMasterRelation() const { return master_relation_; }
  virtual bool HasMasterRelation() const { return master_relation_ != nullptr; }
  virtual int32_t GetMasterRecordIndex() const { return master_record_index_; }
  void SetMasterRecordIndex(int32_t record) { master_record_index_ = record; }
  virtual TlxCustomDataController* GetMasterDataController() const;
  const TlxCustomDataController* GetRootMasterController() const;
  TlxCustomDataController* GetRootMasterController();
  const TlxCustomDataController* GetTemplateController() const;
  // The owner object of a detail clone for the record; the caller owns it.
  virtual std::unique_ptr<TObject> CreateDetailLinkObject(TlxCustomDataRelation*, int32_t) { return nullptr; }
  virtual TlxCustomDataController* GetDetailLinkDataController(TObject*) const { return nullptr; }
  TObject* GetDetailLinkObject(int32_t record, int32_t relation_index);
  bool IsDetailLinkObjectCreated(int32_t record, int32_t relation_index) const;
  TlxCustomDataController* GetDetailDataController(int32_t record, int32_t relation_index);
  bool IsCreatingLinkObject() const { return creating_link_object_; }
  TlxCustomDataController* CreatingDetailController() const { return creating_detail_controller_; }
  void ForEachDetailController(TlxCustomDataRelation* relation,
                               const std::function<void(TlxCustomDataController& detail)>& procedure);
  void DetachDetailControllers(TlxCustomDataRelation* relation);
  bool GetDetailExpanded(int32_t record) const;
  int32_t GetDetailActiveRelationIndex(int32_t record);
  virtual int32_t GetDefaultActiveRelationIndex() const { return 0; }
  bool ChangeDetailExpanding(int32_t record, bool expand);
  virtual bool CanChangeDetailExpanding(int32_t record, bool expand);
  virtual void DoDetailExpanded(int32_t record);
  virtual void DoDetailCollapsed(int32_t record);
  void ChangeDetailActiveRelation(int32_t record, int32_t relation_index);
  bool DetailHasChildren(int32_t record, int32_t relation_index);
  void ClearDetailsHasChildren();
  void ResetDetailObject(int32_t record, int32_t relation_index);
  void ResetDetails();
  void ResetAllDetails();
  virtual void ResetDetailsOfRelation(TObject* item);
  virtual void DetailDataChanged(TlxCustomDataRelation* relation);
  virtual void FinishDetailsEditing();
  virtual bool FinishMasterEditing() { return true; }
  virtual bool FollowsMasterFocus() const { return false; }
  virtual void SyncDetailWithMaster() {}
  bool InDetailExpanding() const { return detail_expanding_; }

  // Marks the row engine reads and clears.
  bool check_focusing_after_filter_ = false;
  bool filter_changed_ = false;
  bool grouping_changed_ = false;
  bool sorting_changed_ = false;
  bool loaded_storage_ = false;
  bool in_storage_load_ = false;
  bool after_summary_pending_ = false;
  // The incremental search state, kept for the search object.
  TlxCustomDataField* incremental_search_field_ = nullptr;
  bool incremental_searching_ = false;
  std::string incremental_search_text_;
  bool sorting_by_summary_changed_ = false;

  // Events.
  TlxDataControllerNotifyEvent OnAfterCancel;
  TlxDataControllerNotifyEvent OnAfterDelete;
  TlxDataControllerNotifyEvent OnAfterInsert;
  TlxDataControllerNotifyEvent OnAfterPost;
  TlxDataControllerNotifyEvent OnBeforeCancel;
  TlxDataDetailExpandedEvent OnBeforeDelete;
  TlxDataControllerNotifyEvent OnBeforeInsert;
  TlxDataControllerNotifyEvent OnBeforePost;
  TlxDataDetailExpandedEvent OnNewRecord;
  TlxDataControllerCompareEvent OnCompare;
  TNotifyEvent OnDataChanged;
  TlxDataDetailExpandingEvent OnDetailCollapsing;
  TlxDataDetailExpandedEvent OnDetailCollapsed;
  TlxDataDetailExpandingEvent OnDetailExpanding;
  TlxDataDetailExpandedEvent OnDetailExpanded;
  TNotifyEvent OnGroupingChanged;
  TlxDataRecordChangedEvent OnRecordChanged;
  TNotifyEvent OnSortingChanged;
  TlxUpdateControlEvent OnUpdateControl;

 protected:
  // The class-returning operations answer for a descendant only once its
  // constructor runs: it calls this to swap the provider and the filter
  // for its own classes.
  void CreateDescendantParts();

 private:
  struct TListener {
    TObject* Object;
    TNotifyEvent Method;
  };

  void ResetDataChange();
  void NotifyDataChanged();
  void NotifyFocus();
  void NotifySelection();
  void SendInfo(TlxUpdateControlInfo& info);
  void UpdateStructure(bool force);
  void LoadStorage();
  void ForgetMasterHasChildren();
  void SelectFocusedAsSingle();
  void ShiftDetailMasterIndexes(int32_t first, int32_t delta);
  // Frees every record's detail object (and with it the clones) while the
  // relations they point to still exist.
  void FreeDetailObjects();
  void DetachFromMasterRelation();

  bool active_ = false;
  bool data_changed_pending_ = false;
  int32_t bookmark_record_index_ = -1;
  int32_t data_changed_lock_count_ = 0;
  uint16_t changes_ = 0;
  std::vector<TListener> listeners_;
  std::unique_ptr<TlxDataStorage> storage_;
  bool destroying_ = false;
  std::unique_ptr<TlxDataControllerGroups> groups_;
  std::unique_ptr<TlxCustomDataFieldList> fields_;
  std::unique_ptr<TlxDataFilterCriteria> filter_;
  std::unique_ptr<TlxDataFilterList> filter_list_;
  bool focused_selected_ = true;
  TlxCustomDataField* incremental_filter_field_ = nullptr;
  std::string incremental_filter_text_;
  bool in_cancel_ = false;
  bool in_control_notification_ = false;
  bool in_sorting_changed_event_ = false;
  bool in_smart_load_ = false;
  bool internal_record_search_ = false;
  bool items_updating_ = false;
  int32_t grid_mode_lock_count_ = 0;
  int32_t new_item_record_index_ = 0;
  bool new_item_row_focused_ = false;
  bool multi_select_ = false;
  TlxDataControllerOptions options_ = kLxDefaultDataControllerOptions;
  TComponent* owner_ = nullptr;
  int32_t prev_selected_count_ = 0;
  int32_t prev_selected_row_ = -1;
  std::unique_ptr<TlxCustomDataProvider> provider_;
  bool structure_changed_ = false;
  bool structure_recreated_ = false;
  int32_t fields_lock_count_ = 0;
  bool fields_update_pending_ = false;
  TlxCustomDataField* record_handles_field_ = nullptr;
  bool use_new_item_row_for_editing_ = false;
  TlxDataFilterRecordEvent on_filter_record_;
  TlxDataChangeKind pending_kind_ = dckAll;
  int32_t pending_item_ = -1;
  int32_t pending_record_ = -1;
  // The pending change is the reset state (nothing merged since the last
  // notification), apart from a merged dckAll.
  bool pending_reset_ = true;
  bool in_delete_selection_ = false;
  int32_t nearest_record_index_ = -1;
  TlxCustomDataField* sorting_by_summary_field_ = nullptr;
  TlxCustomDataRelation* master_relation_ = nullptr;
  int32_t master_record_index_ = -1;
  bool template_mark_ = false;
  bool creating_link_object_ = false;
  bool recreating_link_object_ = false;
  bool detail_expanding_ = false;
  TlxCustomDataController* creating_detail_controller_ = nullptr;
  mutable std::unique_ptr<TlxCustomDataRelationList> relations_;
  std::unique_ptr<TlxSaveObject> keep_state_;
  int32_t keep_state_count_ = 0;
  mutable std::unique_ptr<TlxDataSummary> summary_;
  mutable std::unique_ptr<TlxDataControllerSearch> search_;
  std::unique_ptr<TlxDataControllerNotifier> notifier_;
  // Last in the list: freed first, while the parts it works on still exist.
  std::unique_ptr<TlxCustomDataControllerInfo> info_;
};

// A controller that is active from its construction; its items are the
// items of its fields.
class TlxDataController : public TlxCustomDataController {
 public:
  static constexpr TClass kClass{"TlxDataController", &TlxCustomDataController::kClass,
                                 &ConstructInstance<TlxDataController>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxDataController(TComponent* owner);

  TObject* GetItem(int32_t index) const override;
};

// The controller's public grouping object.
class TlxDataControllerGroups {
 public:
  explicit TlxDataControllerGroups(TlxCustomDataController& controller) : controller_(controller) {}

  void ChangeExpanding(int32_t row, bool expanded, bool recursive);
  void ChangeGroupIndex(int32_t item_index, int32_t level);
  void ClearGrouping();
  void FullCollapse();
  void FullExpand();
  int32_t GroupedItemCount() const;
  int32_t GroupedItemIndex(int32_t level) const;
  int32_t GroupIndexOfItem(int32_t item_index) const;
  int32_t GroupingLevelOf(const TlxCustomDataField* field) const;
  int32_t DataGroupIndexByRowIndex(int32_t row) const;
  int32_t LevelOfGroup(int32_t group) const;
  int32_t ChildCount(int32_t group) const;
  int32_t ChildDataGroupIndex(int32_t group, int32_t n) const;
  int32_t NthChildRecordIndex(int32_t group, int32_t n) const;
  void CollectRecordIndexes(std::vector<int32_t>& list, int32_t group) const;
  void CollectRecordIndexesOfRow(std::vector<int32_t>& list, int32_t row) const;
  bool CanFocusRowIn(int32_t row, int32_t group_row) const;
  TlxDataGroups& GroupTree() const;
  TlxCustomDataControllerInfo& ControllerInfo() const { return controller_.ControllerInfo(); }

 private:
  TlxCustomDataController& controller_;
};
