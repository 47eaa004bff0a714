#pragma once
// The row engine of a data controller: builds the record list, filters it,
// sorts it, builds the group tree and keeps focus, selection and expansion
// on their records. Callers set change bits; the pipeline runs once when no
// update bracket is open.

#include <cstdint>
#include <memory>
#include <vector>

#include "data/data_controller_compare_keys.h"
#include "data/data_controller_types.h"
#include "data/data_focusing.h"
#include "data/data_groups.h"
#include "data/sorting_field_list.h"

class TlxCustomDataController;
class TlxCustomDataField;

// The engine's own change bits.
enum TlxDataControllerInfoChange : uint16_t {
  dcicLoad = 1,
  dcicGrouping = 2,
  dcicSorting = 4,
  dcicFocusedRow = 8,
  dcicSummary = 16,
  dcicExpanding = 32,
  dcicResetFocusedRow = 64,
  dcicSelection = 128,
  dcicSummaryRecalc = 256,
  dcicFocusedRecord = 512,
};

// Sorts items[lo..hi] by `compare`. The scans stop at the range's ends, so
// a comparison that contradicts itself never reads outside the array.
template <class Compare>
void lxQuickSortPointers(int32_t* items, int32_t lo, int32_t hi, Compare&& compare) {
  while (lo < hi) {
    int32_t i = lo;
    int32_t j = hi;
    const int32_t pivot = items[lo + (hi - lo) / 2];
    do {
      while (i < hi && compare(items[i], pivot) < 0)
        ++i;
      while (j > lo && compare(items[j], pivot) > 0)
        --j;
      if (i <= j) {
        std::swap(items[i], items[j]);
        ++i;
        --j;
      }
    } while (i <= j);
    // The smaller side by recursion, the larger by the loop: the depth
    // stays logarithmic whatever the input.
    if (j - lo < hi - i) {
      if (lo < j)
        lxQuickSortPointers(items, lo, j, compare);
      lo = i;
    } else {
      if (i < hi)
        lxQuickSortPointers(items, i, hi, compare);
      hi = j;
    }
  }
}

class TlxCustomDataControllerInfo : public TObject {
 public:
  static constexpr TClass kClass{"TlxCustomDataControllerInfo", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomDataControllerInfo(TlxCustomDataController& controller);
  ~TlxCustomDataControllerInfo() override;

  // The virtual operations, in the order of their slots.
  virtual void ValidateSelection();
  virtual void RecalculateRows();

  TlxCustomDataController& DataController() const { return controller_; }

  void BeginUpdate() { ++lock_count_; }
  void EndUpdate();
  void CheckUpdate();
  int32_t LockCount() const { return lock_count_; }
  uint16_t Changes() const { return changes_; }
  bool HasChanges() const { return changes_ != 0; }
  bool Calculating() const { return calculating_; }

  // Change requests.
  void Refresh();
  void ResetFocusToSource();
  void SummaryChanged(bool values_only);
  void ExpandingChanged();
  void FocusChanged(bool mark_previous_changed);
  void ChangeSortOrder(TlxCustomDataField* field, TlxDataSortOrder order);
  void ChangeSortIndex(TlxCustomDataField* field, int32_t position);
  void ClearSorting(bool keep_grouped);
  void ChangeGroupIndex(TlxCustomDataField* field, int32_t level);
  void ClearGrouping();
  void FieldRemoved(TlxCustomDataField* field);
  void FieldChanged(TlxCustomDataField* field);

  // The record list and the rows.
  int32_t RecordListCount() const { return static_cast<int32_t>(record_list_.size()); }
  int32_t RecordIndexAt(int32_t position) const { return record_list_.at(static_cast<size_t>(position)); }
  int32_t RecordListIndexOf(int32_t record) const;
  bool IsGrouped() const { return groups_.Count() > 0; }
  bool GroupsAlwaysExpanded() const;
  void CheckRowIndex(int32_t row) const;
  int32_t GetRowCount() const;
  TlxRowInfo GetRowInfo(int32_t row) const;
  int32_t GetRowIndexByRecordIndex(int32_t record, bool make_visible);
  int32_t DataRowIndex(int32_t group, int32_t position, bool expand);
  int32_t MakeGroupRowVisible(int32_t group, int32_t level);
  int32_t CompareRecords(int32_t a, int32_t b) const;
  bool SummaryUsesSelection() const;
  // Some grouping level has a group summary item that orders its groups.
  bool IsSortingBySummary() const;
  int32_t CompareRecordsAtLevel(int32_t r1, int32_t r2, int32_t level) const;

  // Expansion.
  void ChangeExpanding(int32_t row, bool expand, bool recursive);
  void FullCollapse();
  void FullExpand();

  // Focus.
  void ChangeFocusedRowIndex(int32_t row, bool skip_question);
  void ForceFocusedRowIndex(int32_t row);
  void FocusRowInUpdate(int32_t row);
  bool CanFocusRow(int32_t row);
  int32_t LocateFocusedRow(bool keep_group_row);
  void CheckFocusedRow();
  void FocusFirstAfterFilter();
  void RefocusAfterExpanding();
  void CheckFocusTopRow();
  void UpdateFocusAndSelection();
  int32_t GetNearestRowIndex(int32_t row) const;
  int32_t FocusedRecordIndex() const { return focusing_info_.RecordIndex; }
  int32_t FocusedRowIndex() const { return focusing_info_.RowIndex; }
  bool PrevFocusChanged() const { return prev_focusing_info_.Changed; }
  int32_t PrevFocusedRecordIndex() const { return prev_focusing_info_.RecordIndex; }
  int32_t PrevFocusedRowIndex() const { return prev_focusing_info_.RowIndex; }
  void StorePrevFocus() { prev_focusing_info_.CopyFrom(focusing_info_); }
  bool Focusing() const { return focusing_; }
  TlxDataFocusingInfo& FocusingInfo() { return focusing_info_; }

  // Selection.
  void ChangeRowSelection(int32_t row, bool select);
  void ClearSelection();
  void ClearSelectionAnchor();
  int32_t GetSelectedCount() const;
  int32_t GetSelectedRowIndex(int32_t position) const;
  bool IsRowSelected(int32_t row) const;
  void UpdateSelectionRowIndexes();
  void CheckSaveExpanding();
  void SaveExpanding(uint8_t states);
  void RestoreExpanding();
  void ClearSavedExpanding();

  TlxDataGroups& DataGroups() { return groups_; }
  const TlxDataGroups& DataGroups() const { return groups_; }
  TlxSortingFieldList& SortingFieldList() { return sorting_fields_; }
  TlxGroupingFieldList& GroupingFieldList() { return grouping_fields_; }
  const TlxSortingFieldList& TotalSortingFieldList() const { return total_sorting_fields_; }
  TlxDataSelection& Selection() const { return *selection_; }
  TlxDataExpandingInfos& ExpandingInfos() { return expanding_infos_; }

 private:
  void BuildRecordList();
  void DoFilter();
  void DoSorting();
  void DoGrouping();
  void DoSortingBySummary();
  void PrepareCompare();
  // Reads the keys of the total sorting fields when every one compares by
  // stored values (after PrepareCompare); false otherwise.
  bool PrepareSortKeys();
  void ResetCompare();
  void PassChangesToController();
  void GroupingFieldsChanged();
  void SortingFieldsChanged();
  void SelectionChanged();
  void DoChangeExpanding(int32_t row, bool expand, bool recursive);
  bool MatchesSavedFields() const;

  uint16_t changes_ = 0;
  TlxCustomDataController& controller_;
  TlxDataGroups groups_;
  TlxDataExpandingInfos expanding_infos_;
  bool expanding_ = false;
  bool focusing_ = false;
  TlxDataFocusingInfo focusing_info_;
  TlxGroupingFieldList grouping_fields_;
  bool can_focus_changing_ = false;
  bool calculating_ = false;
  int32_t lock_count_ = 0;
  TlxDataFocusingInfo prev_focusing_info_;
  std::vector<int32_t> record_list_;
  // Record -> record-list position, rebuilt with the list.
  std::vector<int32_t> record_positions_;
  std::unique_ptr<TlxDataSelection> selection_;
  TlxSortingFieldList sorting_fields_;
  TlxSortingFieldList total_sorting_fields_;
  // The keys the sort of this pass used (when ready), for its grouping.
  TlxSortKeys sort_keys_;
  bool sort_keys_ready_ = false;
};
