#include "data/controller_info.h"

#include <algorithm>
#include <optional>

#include "data/data_controller.h"
#include "data/data_filter_criteria.h"
#include "data/data_filter_scan.h"
#include "data/data_summary.h"
#include "data/variant_utils.h"
#include "platform/rtl/scope.h"

TlxCustomDataControllerInfo::TlxCustomDataControllerInfo(TlxCustomDataController& controller)
    : controller_(controller), focusing_info_(*this), prev_focusing_info_(*this) {
  grouping_fields_.OnChanged = [this] { GroupingFieldsChanged(); };
  sorting_fields_.OnChanged = [this] { SortingFieldsChanged(); };
  selection_ = lxCreatePart<TlxDataSelection>(controller.GetSelectionClass(), &controller);
  selection_->OnChanged = [this] { SelectionChanged(); };
}

TlxCustomDataControllerInfo::~TlxCustomDataControllerInfo() = default;

void TlxCustomDataControllerInfo::EndUpdate() {
  --lock_count_;
  CheckUpdate();
}

void TlxCustomDataControllerInfo::CheckUpdate() {
  if (lock_count_ == 0 && changes_ != 0 && !calculating_)
    RecalculateRows();
}

void TlxCustomDataControllerInfo::Refresh() {
  changes_ |= dcicLoad | dcicSummaryRecalc;
  if (sorting_fields_.Count() > 0)
    changes_ |= dcicSorting;
  if (grouping_fields_.Count() > 0)
    changes_ |= dcicGrouping;
  CheckUpdate();
}

void TlxCustomDataControllerInfo::ResetFocusToSource() {
  changes_ |= dcicResetFocusedRow;
  focusing_info_.ResetToSource();
  CheckUpdate();
}

void TlxCustomDataControllerInfo::SummaryChanged(bool values_only) {
  const bool sorting_by_summary = IsSortingBySummary();
  changes_ |= values_only && !sorting_by_summary ? dcicSummary : dcicSummaryRecalc;
  if (sorting_by_summary)
    changes_ |= dcicGrouping;
  CheckUpdate();
}

bool TlxCustomDataControllerInfo::SummaryUsesSelection() const { return controller_.Summary().UsesSelection(); }

bool TlxCustomDataControllerInfo::IsSortingBySummary() const {
  const TlxDataSummary& summary = controller_.Summary();
  if (summary.HasOption(soSelectedRecords) || summary.HasOption(soMultipleSelectedRecords))
    return false;
  for (int32_t level = 0; level < grouping_fields_.Count(); ++level) {
    const TlxCustomDataField* field = grouping_fields_.GetEntry(level).Field;
    const TlxDataSummaryGroup* group = field && field->Item() ? summary.SummaryGroups().GroupForItemLink(field->Item())
                                                              : nullptr;
    const TlxDataGroupSummaryItems& items = group ? group->SummaryItems() : summary.DefaultGroupSummaryItems();
    if (items.SortingSummaryItem() != nullptr)
      return true;
  }
  return false;
}

void TlxCustomDataControllerInfo::DoSortingBySummary() {
  const TClass* engine_class = controller_.GetSortingBySummaryEngineClass();
  if (engine_class == nullptr)
    return;
  lxCreatePart<TlxSortingBySummaryEngine>(engine_class, this)->SortGroups();
}

void TlxCustomDataControllerInfo::ExpandingChanged() {
  changes_ |= dcicExpanding;
  expanding_ = true;
}

void TlxCustomDataControllerInfo::FocusChanged(bool mark_previous_changed) {
  changes_ |= dcicFocusedRecord;
  if (mark_previous_changed)
    prev_focusing_info_.Changed = true;
}

void TlxCustomDataControllerInfo::GroupingFieldsChanged() { changes_ |= dcicGrouping | dcicSorting | dcicSummaryRecalc; }

void TlxCustomDataControllerInfo::SortingFieldsChanged() { changes_ |= dcicSorting; }

void TlxCustomDataControllerInfo::SelectionChanged() {
  changes_ |= dcicSelection;
  const TlxDataSummary& summary = controller_.Summary();
  if (summary.HasOption(soSelectedRecords) || summary.HasOption(soMultipleSelectedRecords))
    changes_ |= dcicSummaryRecalc;
}

void TlxCustomDataControllerInfo::ChangeSortOrder(TlxCustomDataField* field, TlxDataSortOrder order) {
  sorting_fields_.ApplySortOrder(field, order);
  grouping_fields_.SyncSortOrders(sorting_fields_);
  CheckUpdate();
}

void TlxCustomDataControllerInfo::ChangeSortIndex(TlxCustomDataField* field, int32_t position) {
  const int32_t current = sorting_fields_.Find(field);
  if (current < 0)
    return;
  position = std::clamp(position, 0, sorting_fields_.Count() - 1);
  if (position == current)
    return;
  sorting_fields_.Move(current, position);
  controller_.PostIfEditing();
  controller_.sorting_changed_ = true;
  CheckUpdate();
}

void TlxCustomDataControllerInfo::ClearSorting(bool keep_grouped) {
  const int32_t before = sorting_fields_.Count();
  if (keep_grouped) {
    for (int32_t i = sorting_fields_.Count() - 1; i >= 0; --i)
      if (grouping_fields_.Find(sorting_fields_.GetEntry(i).Field) < 0)
        sorting_fields_.Delete(i);
  } else {
    sorting_fields_.Clear();
    grouping_fields_.SyncSortOrders(sorting_fields_);
  }
  if (sorting_fields_.Count() != before) {
    controller_.PostIfEditing();
    controller_.sorting_changed_ = true;
  }
  CheckUpdate();
}

void TlxCustomDataControllerInfo::ChangeGroupIndex(TlxCustomDataField* field, int32_t level) {
  grouping_fields_.ChangeSortIndex(field, level);
  grouping_fields_.SyncSortOrders(sorting_fields_);
  CheckUpdate();
}

void TlxCustomDataControllerInfo::ClearGrouping() {
  grouping_fields_.Clear();
  CheckUpdate();
}

void TlxCustomDataControllerInfo::FieldRemoved(TlxCustomDataField* field) {
  sorting_fields_.RemoveField(field);
  if (grouping_fields_.Find(field) >= 0) {
    selection_->Clear();
    grouping_fields_.RemoveField(field);
  }
  grouping_fields_.SyncSortOrders(sorting_fields_);
  expanding_infos_.FieldRemoved(field);
  for (int32_t level = 0; level < groups_.LevelCount(); ++level)
    if (groups_.FieldAt(level) == field) {
      groups_.Clear();
      break;
    }
  total_sorting_fields_.RemoveField(field);
}

void TlxCustomDataControllerInfo::FieldChanged(TlxCustomDataField* field) {
  changes_ |= dcicSummary;
  sorting_fields_.NotifyIfListed(field);
  if (grouping_fields_.Find(field) >= 0)
    selection_->Clear();
  grouping_fields_.NotifyIfListed(field);
  expanding_infos_.FieldRemoved(field);
  CheckUpdate();
}

int32_t TlxCustomDataControllerInfo::RecordListIndexOf(int32_t record) const {
  if (record < 0 || record >= static_cast<int32_t>(record_positions_.size()))
    return -1;
  const int32_t position = record_positions_[static_cast<size_t>(record)];
  if (position < 0 || position >= RecordListCount() || record_list_[static_cast<size_t>(position)] != record)
    return -1;
  return position;
}

bool TlxCustomDataControllerInfo::GroupsAlwaysExpanded() const {
  return controller_.HasOption(dcoGroupsAlwaysExpanded);
}

void TlxCustomDataControllerInfo::CheckRowIndex(int32_t row) const {
  if (row < 0 || row >= GetRowCount())
    lxDataControllerError(lxSDataRowIndexError);
}

int32_t TlxCustomDataControllerInfo::GetRowCount() const {
  return IsGrouped() ? groups_.GetRowCount() : RecordListCount();
}

TlxRowInfo TlxCustomDataControllerInfo::GetRowInfo(int32_t row) const {
  CheckRowIndex(row);
  TlxRowInfo info;
  if (IsGrouped()) {
    groups_.GetRowInfo(row, info.Level, info.Expanded, info.RecordListIndex);
  } else {
    info.Level = 0;
    info.RecordListIndex = row;
  }
  info.RecordIndex = RecordIndexAt(info.RecordListIndex);
  return info;
}

int32_t TlxCustomDataControllerInfo::GetRowIndexByRecordIndex(int32_t record, bool make_visible) {
  const int32_t position = RecordListIndexOf(record);
  if (position < 0 || !IsGrouped())
    return position;
  const int32_t group = groups_.DeepestGroupOf(position);
  if (group < 0)
    return -1;
  const int32_t row = DataRowIndex(group, position, make_visible);
  if (make_visible && expanding_)
    CheckUpdate();
  return row;
}

int32_t TlxCustomDataControllerInfo::DataRowIndex(int32_t group, int32_t position, bool expand) {
  if (expand) {
    if (groups_.ExpandParents(group, true))
      ExpandingChanged();
  } else if (!groups_.IsVisible(group) || !groups_.ItemAt(group).Expanded) {
    return -1;
  }
  const TlxDataGroupInfo& info = groups_.ItemAt(group);
  return info.RowIndex + position - info.BeginIndex + 1;
}

int32_t TlxCustomDataControllerInfo::MakeGroupRowVisible(int32_t group, int32_t level) {
  while (level != groups_.ItemAt(group).Level) {
    const int32_t parent = groups_.ParentOf(group);
    if (parent < 0 || groups_.ItemAt(parent).BeginIndex != group)
      break;
    group = parent;
  }
  const int32_t parent = groups_.ParentOf(group);
  if (parent >= 0 && groups_.ExpandParents(parent, true))
    ExpandingChanged();
  return groups_.ItemAt(group).RowIndex;
}

int32_t TlxCustomDataControllerInfo::CompareRecords(int32_t a, int32_t b) const {
  if (a == b)
    return 0;
  const TlxCustomDataProvider& provider = controller_.Provider();
  if (provider.HasNeighbour()) {
    const int32_t edited = provider.EditedRecordIndex();
    const bool after_last = provider.PrevNeighbour() != kLxNoEditedRecord;
    if (a == edited) {
      if (after_last)
        return 1;
      if (b == provider.NextNeighbour())
        return -1;
      a = provider.NextNeighbour();
    } else if (b == edited) {
      if (after_last)
        return -1;
      if (a == provider.NextNeighbour())
        return 1;
      b = provider.NextNeighbour();
    }
  }
  for (const TlxSortingFieldEntry& entry : total_sorting_fields_.Entries()) {
    const int32_t result = controller_.CompareBySortingField(a, b, entry);
    if (result != 0)
      return result;
  }
  return controller_.CompareRecordIndexes(a, b);
}

int32_t TlxCustomDataControllerInfo::CompareRecordsAtLevel(int32_t r1, int32_t r2, int32_t level) const {
  if (r1 == r2)
    return 0;
  const TlxCustomDataProvider& provider = controller_.Provider();
  const int32_t edited = provider.EditedRecordIndex();
  if (provider.IsEditing() && (r1 == edited || r2 == edited)) {
    if (provider.SavedRecordIndex() < 0) {
      if (r1 == edited)
        r1 = provider.SavedRecordIndex();
      else
        r2 = provider.SavedRecordIndex();
    } else if (provider.HasNeighbour()) {
      const int32_t other = r1 == edited ? r2 : r1;
      if (other == provider.NextNeighbour() || provider.PrevNeighbour() != kLxNoEditedRecord)
        return 0;
      if (r1 == edited)
        r1 = provider.NextNeighbour();
      else
        r2 = provider.NextNeighbour();
    }
  }
  return controller_.CompareBySortingField(r1, r2, total_sorting_fields_.GetEntry(level));
}

void TlxCustomDataControllerInfo::RecalculateRows() {
  TStateScope calculating(calculating_, true);
  if (controller_.Provider().LoadAllNeeded() != (grouping_fields_.Count() > 0))
    controller_.Provider().SetLoadAllNeeded(grouping_fields_.Count() > 0);
  if (controller_.sorting_by_summary_changed_) {
    controller_.sorting_by_summary_changed_ = false;
    changes_ |= dcicSorting;
    if (!IsSortingBySummary())
      changes_ |= dcicGrouping | dcicSummaryRecalc;
  }
  const bool summaries_due = (changes_ & dcicSummaryRecalc) != 0 && !controller_.IsOwnerReading() &&
                             !controller_.IsOwnerDestroying();
  expanding_ = false;
  TScopeExit finish([&] {
    sort_keys_ready_ = false;
    ClearSavedExpanding();
    if (expanding_)
      UpdateSelectionRowIndexes();
    calculating_ = false;
    PassChangesToController();
  });
  CheckSaveExpanding();
  if (changes_ & dcicLoad) {
    BuildRecordList();
    DoFilter();
  }
  if (summaries_due && !SummaryUsesSelection())
    controller_.Summary().StartCalculation();
  if (changes_ & (dcicGrouping | dcicSorting))
    DoSorting();
  if (changes_ & dcicGrouping) {
    controller_.NotifyGroupingChanging();
    DoGrouping();
  }
  if (changes_ & (dcicGrouping | dcicSorting))
    CheckFocusTopRow();
  UpdateFocusAndSelection();
  if (summaries_due) {
    if (SummaryUsesSelection())
      controller_.Summary().Recalculate();
    else
      controller_.Summary().FinishCalculation();
  }
  if ((summaries_due || (changes_ & (dcicGrouping | dcicSorting))) && IsSortingBySummary()) {
    DoSortingBySummary();
    UpdateFocusAndSelection();
  }
}

void TlxCustomDataControllerInfo::BuildRecordList() {
  const int32_t count = controller_.GetRecordCount();
  record_list_.resize(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i)
    record_list_[static_cast<size_t>(i)] = i;
  record_positions_ = record_list_;
}

void TlxCustomDataControllerInfo::DoFilter() {
  const bool incremental = controller_.IsIncrementalFilterActive();
  const bool criteria = controller_.Filter().FiltersRecordsItself();
  const bool event = !controller_.IsGridMode() && controller_.HasFilterRecordHandler();
  if (!incremental && !criteria && !event)
    return;
  const int32_t edited = controller_.Provider().EditedRecordIndex();
  // A filter-record handler may change the criteria while they are being
  // applied; a prepared pass holds on to their conditions.
  std::optional<TlxDataFilterScan> scan;
  if (criteria && !event)
    scan.emplace(controller_.Filter());
  std::vector<int32_t> kept;
  kept.reserve(record_list_.size());
  for (int32_t record : record_list_) {
    if (record != edited) {
      if (event && !controller_.DoFilterRecord(record))
        continue;
      if (incremental && !controller_.MatchesIncrementalFilter(record))
        continue;
      if (criteria && !(scan ? scan->Accepts(record) : controller_.Filter().EvaluateRecord(record)))
        continue;
    }
    kept.push_back(record);
  }
  const bool removed = kept.size() != record_list_.size();
  record_list_ = std::move(kept);
  std::fill(record_positions_.begin(), record_positions_.end(), -1);
  for (size_t i = 0; i < record_list_.size(); ++i)
    record_positions_[static_cast<size_t>(record_list_[i])] = static_cast<int32_t>(i);
  if (!removed)
    return;
  selection_->DropVanishedRecords([this](int32_t record) { return RecordListIndexOf(record) >= 0; });
  if (controller_.check_focusing_after_filter_) {
    controller_.check_focusing_after_filter_ = false;
    controller_.filter_changed_ = true;
  }
}

void TlxCustomDataControllerInfo::PrepareCompare() {
  for (const TlxSortingFieldEntry& entry : total_sorting_fields_.Entries()) {
    TlxCustomDataField& field = *entry.Field;
    field.SetCompareMode(0);
    const bool by_value = controller_.NeedsVariantCompare(field);
    const bool by_text = controller_.ComparesByDisplayText(field);
    field.SetCompareMode(by_value ? (by_text ? 2 : 1) : -1);
  }
}

void TlxCustomDataControllerInfo::ResetCompare() {
  for (const TlxSortingFieldEntry& entry : total_sorting_fields_.Entries())
    entry.Field->SetCompareMode(0);
}

bool TlxCustomDataControllerInfo::PrepareSortKeys() {
  const TlxCustomDataProvider& provider = controller_.Provider();
  if (controller_.IsProviderMode() || provider.IsEditing() || provider.HasNeighbour() ||
      !controller_.ReadsStoredValuesDirectly())
    return false;
  for (const TlxSortingFieldEntry& entry : total_sorting_fields_.Entries()) {
    const TlxCustomDataField& field = *entry.Field;
    if (field.CompareMode() != -1 || (controller_.OnCompare && !field.IsInternal()) || field.ValueDef() == nullptr)
      return false;
  }
  sort_keys_.Begin(controller_.GetRecordCount());
  for (const TlxSortingFieldEntry& entry : total_sorting_fields_.Entries())
    sort_keys_.AddColumn(controller_.DataStorage(), *entry.Field->ValueDef(), entry.SortOrder == soDescending,
                         record_list_);
  return true;
}

void TlxCustomDataControllerInfo::DoSorting() {
  sort_keys_ready_ = false;
  total_sorting_fields_.Clear();
  total_sorting_fields_.AddMissingFrom(grouping_fields_);
  total_sorting_fields_.AddMissingFrom(sorting_fields_);
  if (controller_.IsGridMode() || record_list_.empty())
    return;
  PrepareCompare();
  TScopeExit reset([this] { ResetCompare(); });
  if (controller_.IsProviderMode() && controller_.Provider().IsCustomSorting()) {
    controller_.Provider().CustomSort();
  } else if ((sort_keys_ready_ = PrepareSortKeys())) {
    sort_keys_.Sort(record_list_);
  } else {
    // Also with no sorting field: the record-index tie-break brings back
    // the storage order.
    lxQuickSortPointers(record_list_.data(), 0, RecordListCount() - 1,
                        [this](int32_t a, int32_t b) { return CompareRecords(a, b); });
  }
  for (size_t i = 0; i < record_list_.size(); ++i)
    record_positions_[static_cast<size_t>(record_list_[i])] = static_cast<int32_t>(i);
}

void TlxCustomDataControllerInfo::DoGrouping() {
  groups_.Clear();
  for (const TlxSortingFieldEntry& entry : grouping_fields_.Entries())
    groups_.AddField(entry.Field);
  const int32_t levels = groups_.LevelCount();
  if (record_list_.empty() || levels == 0)
    return;
  if (total_sorting_fields_.Count() < levels) {
    sort_keys_ready_ = false;
    total_sorting_fields_.Clear();
    total_sorting_fields_.AddMissingFrom(grouping_fields_);
    total_sorting_fields_.AddMissingFrom(sorting_fields_);
  }
  PrepareCompare();
  TScopeExit reset([this] { ResetCompare(); });
  std::vector<int32_t> open_group(static_cast<size_t>(levels));
  std::vector<int32_t> opening_record(static_cast<size_t>(levels), record_list_[0]);
  int32_t level0_counter = 0;
  auto open_from = [&](int32_t from_level, int32_t position, int32_t record) {
    for (int32_t level = from_level; level < levels; ++level) {
      TlxDataGroupInfo info;
      info.RowIndex = level0_counter;
      info.Level = level;
      info.BeginIndex = level == levels - 1 ? position : groups_.Count() + 1;
      open_group[static_cast<size_t>(level)] = groups_.AddGroupInfo(info);
      opening_record[static_cast<size_t>(level)] = record;
    }
  };
  auto close_from = [&](int32_t from_level, int32_t last_position) {
    for (int32_t level = from_level; level < levels; ++level) {
      TlxDataGroupInfo& info = groups_.ItemAt(open_group[static_cast<size_t>(level)]);
      info.EndIndex = level == levels - 1 ? last_position : groups_.Count() - 1;
    }
  };
  open_from(0, 0, record_list_[0]);
  for (int32_t b = 1; b < RecordListCount(); ++b) {
    const int32_t record = record_list_[static_cast<size_t>(b)];
    for (int32_t level = 0; level < levels; ++level) {
      const int32_t opening = opening_record[static_cast<size_t>(level)];
      const int32_t order = sort_keys_ready_ ? sort_keys_.CompareAt(level, opening, record)
                                             : CompareRecordsAtLevel(opening, record, level);
      if (order == 0)
        continue;
      if (level == 0)
        ++level0_counter;
      close_from(level, b - 1);
      open_from(level, b, record);
      break;
    }
  }
  close_from(0, RecordListCount() - 1);
  if (GroupsAlwaysExpanded())
    groups_.SetAllExpanded(true);
  else
    groups_.RecalcRowIndexes();
}

void TlxCustomDataControllerInfo::PassChangesToController() {
  uint16_t bits = 0;
  if (changes_ & (dcicSorting | dcicSummary))
    bits |= dccItemsChanged;
  if (changes_ & (dcicLoad | dcicGrouping | dcicExpanding))
    bits |= dccDataChanged;
  if (changes_ & (dcicFocusedRow | dcicResetFocusedRow | dcicFocusedRecord))
    bits |= dccFocus;
  if (changes_ & dcicSelection)
    bits |= dccSelection;
  if (changes_ & dcicSummaryRecalc)
    bits |= dccSummaryLayout;
  if (controller_.grouping_changed_)
    bits |= dccGrouping;
  if (controller_.sorting_changed_)
    bits |= dccSorting;
  changes_ = 0;
  controller_.grouping_changed_ = false;
  controller_.sorting_changed_ = false;
  controller_.filter_changed_ = false;
  controller_.Change(bits);
  controller_.loaded_storage_ = false;
}

void TlxCustomDataControllerInfo::ChangeExpanding(int32_t row, bool expand, bool recursive) {
  CheckRowIndex(row);
  if (!IsGrouped() || GroupsAlwaysExpanded())
    return;
  int32_t nearest = -1;
  if (groups_.Find(row, nearest) < 0)
    return;
  DoChangeExpanding(row, expand, recursive);
}

void TlxCustomDataControllerInfo::DoChangeExpanding(int32_t row, bool expand, bool recursive) {
  if (!expand && FocusedRowIndex() >= 0 && controller_.Groups().CanFocusRowIn(FocusedRowIndex(), row))
    controller_.FinishEditing();
  groups_.ChangeExpanding(row, expand, recursive);
  ExpandingChanged();
  if (expand) {
    CheckUpdate();
    return;
  }
  BeginUpdate();
  TScopeExit end([this] { EndUpdate(); });
  RefocusAfterExpanding();
}

void TlxCustomDataControllerInfo::FullCollapse() {
  if (!IsGrouped() || GroupsAlwaysExpanded())
    return;
  groups_.SetAllExpanded(false);
  ExpandingChanged();
  BeginUpdate();
  TScopeExit end([this] { EndUpdate(); });
  RefocusAfterExpanding();
}

void TlxCustomDataControllerInfo::FullExpand() {
  if (!IsGrouped() || GroupsAlwaysExpanded())
    return;
  groups_.SetAllExpanded(true);
  ExpandingChanged();
  CheckUpdate();
}

void TlxCustomDataControllerInfo::ChangeFocusedRowIndex(int32_t row, bool skip_question) {
  row = std::clamp(row, -1, GetRowCount() - 1);
  if (row == FocusedRowIndex())
    return;
  TStateScope focusing(focusing_, true);
  if ((changes_ & dcicFocusedRow) == 0)
    prev_focusing_info_.CopyFrom(focusing_info_);
  bool allowed = false;
  {
    TScopeExit settle([&] {
      const int32_t rows = GetRowCount();
      if (focusing_info_.RowIndex >= rows)
        focusing_info_.RowIndex = -1;
      if (prev_focusing_info_.RowIndex >= rows)
        prev_focusing_info_.RowIndex = -1;
      if (prev_focusing_info_.RowIndex != -1 || allowed)
        focusing_info_.Refresh();
    });
    allowed = skip_question || CanFocusRow(row);
    if (allowed) {
      controller_.BeforeFocusedRowChange(row);
      focusing_info_.RowIndex = row;
    }
  }
  if (!focusing_info_.IsEqual(prev_focusing_info_)) {
    changes_ |= dcicFocusedRow | dcicFocusedRecord;
    if (controller_.IsSingleSelect() && controller_.Summary().HasOption(soSelectedRecords))
      changes_ |= dcicSummaryRecalc;
    controller_.ClearNewItemRowFocus();
    controller_.SyncSourceToFocusedRecord();
    controller_.SetFocusedSelected(true);
  }
}

void TlxCustomDataControllerInfo::ForceFocusedRowIndex(int32_t row) {
  focusing_info_.Clear();
  ChangeFocusedRowIndex(row, true);
}

void TlxCustomDataControllerInfo::FocusRowInUpdate(int32_t row) {
  BeginUpdate();
  TScopeExit end([this] { EndUpdate(); });
  ChangeFocusedRowIndex(row, false);
}

bool TlxCustomDataControllerInfo::CanFocusRow(int32_t row) {
  TStateScope asking(can_focus_changing_, true);
  const int32_t record = row >= 0 ? GetRowInfo(row).RecordIndex : -1;
  return controller_.CanFocusRecord(record);
}

int32_t TlxCustomDataControllerInfo::LocateFocusedRow(bool keep_group_row) {
  const int32_t record = focusing_info_.RecordIndex;
  const int32_t position = RecordListIndexOf(record);
  if (record == -1 || position < 0)
    return -1;
  if (!IsGrouped())
    return position;
  const int32_t g = groups_.DeepestGroupOf(position);
  if (g < 0)
    return -1;
  int32_t level = focusing_info_.Level;
  const int32_t levels = groups_.LevelCount();
  const bool first_of_g = groups_.ItemAt(g).BeginIndex == position;
  if (!keep_group_row) {
    if (level >= 0 && level < levels && first_of_g) {
      int32_t group = g;
      while (groups_.ItemAt(group).Level > level)
        group = groups_.ParentOf(group);
      return MakeGroupRowVisible(group, level);
    }
    if (level < 0 && first_of_g)
      return MakeGroupRowVisible(g, -1);
    return DataRowIndex(g, position, true);
  }
  const bool g_drawn = groups_.IsVisible(g);
  if (level == levels) {
    if (g_drawn && groups_.ItemAt(g).Expanded)
      return DataRowIndex(g, position, false);
    level = levels - 1;
  }
  if (level < 0 && g_drawn)
    return groups_.ItemAt(g).RowIndex;
  int32_t group = g;
  while (group >= 0 && groups_.ItemAt(group).Level > std::max(level, 0))
    group = groups_.ParentOf(group);
  return group >= 0 ? groups_.ItemAt(group).RowIndex : -1;
}

void TlxCustomDataControllerInfo::CheckFocusedRow() {
  const int32_t row = LocateFocusedRow(false);
  const int32_t focused = FocusedRowIndex();
  const bool stale = focused < 0 || focused >= GetRowCount() ||
                     GetRowInfo(focused).RecordIndex != focusing_info_.RecordIndex;
  if (row != focused && stale) {
    if (focused >= GetRowCount()) {
      // The old row is gone: the move starts from no row, so that the
      // clamp cannot mistake it for the target.
      if ((changes_ & dcicFocusedRow) == 0)
        prev_focusing_info_.CopyFrom(focusing_info_);
      changes_ |= dcicFocusedRow;
      focusing_info_.RowIndex = -1;
    }
    ChangeFocusedRowIndex(row, true);
  }
  if ((changes_ & dcicFocusedRow) && prev_focusing_info_.RowIndex >= GetRowCount())
    prev_focusing_info_.RowIndex = -1;
  if (controller_.filter_changed_)
    FocusFirstAfterFilter();
}

void TlxCustomDataControllerInfo::FocusFirstAfterFilter() {
  if (FocusedRowIndex() != -1 || controller_.IsNewItemRowFocused())
    return;
  controller_.filter_changed_ = false;
  if (controller_.Provider().LocateCount() == 0)
    ForceFocusedRowIndex(0);
}

void TlxCustomDataControllerInfo::RefocusAfterExpanding() {
  const int32_t row = LocateFocusedRow(true);
  if (row == FocusedRowIndex())
    return;
  if (controller_.IsSmartRefresh()) {
    ForceFocusedRowIndex(row);
    return;
  }
  // The focused record stays; only its row moves.
  const TlxDataFocusingInfo kept = focusing_info_;
  ChangeFocusedRowIndex(row, false);
  (void)kept;
}

void TlxCustomDataControllerInfo::CheckFocusTopRow() {
  if (!controller_.HasOption(dcoFocusTopRowAfterSorting))
    return;
  if (!controller_.grouping_changed_ && !controller_.sorting_changed_ && !controller_.loaded_storage_)
    return;
  controller_.loaded_storage_ = false;
  focusing_info_.Clear();
  ChangeFocusedRowIndex(0, false);
  if (selection_->Count() > 0)
    selection_->ClearAll();
}

void TlxCustomDataControllerInfo::UpdateFocusAndSelection() {
  RestoreExpanding();
  CheckFocusedRow();
  controller_.CheckBookmark(-1);
}

int32_t TlxCustomDataControllerInfo::GetNearestRowIndex(int32_t row) const {
  CheckRowIndex(row);
  const int32_t rows = GetRowCount();
  if (!IsGrouped()) {
    if (row + 1 < rows)
      return row + 1;
    return row - 1;
  }
  const int32_t level = GetRowInfo(row).Level;
  if (row + 1 < rows && GetRowInfo(row + 1).Level == level)
    return row + 1;
  if (row > 0 && GetRowInfo(row - 1).Level == level)
    return row - 1;
  if (row == rows - 1)
    return row > 0 ? row - 1 : row;
  return row + 1;
}

void TlxCustomDataControllerInfo::ChangeRowSelection(int32_t row, bool select) {
  CheckRowIndex(row);
  int32_t position = 0;
  const bool selected = selection_->FindByRowIndex(row, position);
  if (selected && !select) {
    selection_->Delete(position);
  } else if (!selected && select && controller_.CanSelectRow(row)) {
    const TlxRowInfo info = GetRowInfo(row);
    if (IsGrouped() && info.Level < groups_.LevelCount())
      selection_->Add(position, row, groups_.GroupIndexByRowIndex(row), -1);
    else
      selection_->Add(position, row, info.RecordIndex, info.Level);
  }
  CheckUpdate();
}

void TlxCustomDataControllerInfo::ClearSelection() {
  if (selection_->Count() > 0)
    selection_->Clear();
  CheckUpdate();
}

void TlxCustomDataControllerInfo::ClearSelectionAnchor() { selection_->ClearAnchor(); }

int32_t TlxCustomDataControllerInfo::GetSelectedCount() const { return selection_->Count(); }

int32_t TlxCustomDataControllerInfo::GetSelectedRowIndex(int32_t position) const {
  return selection_->EntryAt(position).RowIndex;
}

bool TlxCustomDataControllerInfo::IsRowSelected(int32_t row) const {
  CheckRowIndex(row);
  return selection_->IsRowSelected(row);
}

void TlxCustomDataControllerInfo::ValidateSelection() {
  if (selection_->Count() == 0)
    return;
  if (controller_.GetRecordCount() == 0) {
    selection_->Clear();
    return;
  }
  if (controller_.InDeleteSelection() && !controller_.in_storage_load_)
    return;
  bool dropped = false;
  for (int32_t i = selection_->Count() - 1; i >= 0; --i) {
    if (selection_->EntryAt(i).RecordIndex >= controller_.GetRecordCount()) {
      selection_->DeleteEntry(i);
      dropped = true;
    }
  }
  if (dropped)
    selection_->Changed();
}

void TlxCustomDataControllerInfo::UpdateSelectionRowIndexes() {
  for (int32_t i = 0; i < selection_->Count(); ++i) {
    TlxDataSelectionEntry& entry = selection_->EntryAt(i);
    if (entry.Level == -1)
      entry.RowIndex = entry.RecordIndex < groups_.Count() ? groups_.ItemAt(entry.RecordIndex).RowIndex : -1;
    else
      entry.RowIndex = GetRowIndexByRecordIndex(entry.RecordIndex, false);
  }
  for (int32_t i = selection_->Count() - 1; i >= 0; --i)
    if (selection_->EntryAt(i).RowIndex < 0)
      selection_->DeleteEntry(i);
  selection_->SortByRowIndex();
}

void TlxCustomDataControllerInfo::CheckSaveExpanding() {
  const bool save_expanding = controller_.HasOption(dcoSaveExpanding);
  const bool has_selection = selection_->Count() > 0;
  uint8_t states = 0;
  if (save_expanding && (changes_ & (dcicLoad | dcicGrouping)))
    states |= 1;
  if (has_selection && (changes_ & (dcicLoad | dcicGrouping | dcicSorting | dcicExpanding)))
    states |= 2;
  SaveExpanding(states);
}

bool TlxCustomDataControllerInfo::MatchesSavedFields() const {
  if (expanding_infos_.FieldCount() != groups_.LevelCount())
    return false;
  for (int32_t level = 0; level < groups_.LevelCount(); ++level)
    if (expanding_infos_.FieldAt(level) != groups_.FieldAt(level))
      return false;
  return true;
}

void TlxCustomDataControllerInfo::SaveExpanding(uint8_t states) {
  if (states == expanding_infos_.SaveStates())
    return;
  bool tree_matches = IsGrouped() && groups_.LevelCount() == grouping_fields_.Count();
  for (int32_t level = 0; tree_matches && level < groups_.LevelCount(); ++level)
    tree_matches = groups_.FieldAt(level) == grouping_fields_.GetEntry(level).Field;
  if (states == 0 || !tree_matches || controller_.GetRecordCount() == 0) {
    expanding_infos_.Clear();
    expanding_infos_.SetSaveStates(states);
    return;
  }
  expanding_infos_.Clear();
  expanding_infos_.SetSaveStates(states);
  for (int32_t level = 0; level < groups_.LevelCount(); ++level)
    expanding_infos_.AddField(groups_.FieldAt(level));
  const bool has_selection = selection_->Count() > 0;
  const bool save_expanded =
      (states & 1) != 0 && ((!has_selection && !GroupsAlwaysExpanded()) || has_selection);
  const bool save_selected = (states & 2) != 0;
  for (int32_t g = 0; g < groups_.Count();) {
    const TlxDataGroupInfo& info = groups_.ItemAt(g);
    uint8_t bits = 0;
    if (info.Expanded && save_expanded)
      bits |= 1;
    if (save_selected && selection_->FindGroupEntry(g) >= 0)
      bits |= 2;
    if (bits != 0 || info.Expanded) {
      const int32_t record = RecordIndexAt(groups_.FirstRecordListIndex(g));
      // A collapsed group is saved only with its selection; an expanded
      // one always, so that its children's values have their path.
      if (bits != 0 || (info.Expanded && save_selected))
        expanding_infos_.AddEntry(info.Level, controller_.GetComparisonValue(record, *groups_.FieldAt(info.Level)),
                                  bits);
    }
    if (info.Expanded || groups_.IsDeepest(g)) {
      ++g;
      continue;
    }
    // Skip the subtree of a collapsed group.
    const int32_t level = info.Level;
    ++g;
    while (g < groups_.Count() && groups_.ItemAt(g).Level > level)
      ++g;
  }
}

void TlxCustomDataControllerInfo::RestoreExpanding() {
  if (IsGrouped() && GroupsAlwaysExpanded())
    groups_.SetAllExpanded(true);
  const uint8_t states = expanding_infos_.SaveStates();
  if (states == 0)
    return;
  if (!MatchesSavedFields()) {
    if ((states & 2) && selection_->Count() > 0)
      selection_->Clear();
    return;
  }
  const int32_t levels = groups_.LevelCount();
  for (int32_t i = selection_->Count() - 1; i >= 0; --i) {
    const TlxDataSelectionEntry& entry = selection_->EntryAt(i);
    if (entry.Level == -1 || entry.Level != levels)
      selection_->DeleteEntry(i);
  }
  if (IsGrouped()) {
    // The saved paths of grouping values, then each new group's path.
    std::vector<std::pair<std::vector<Variant>, uint8_t>> saved;
    std::vector<Variant> path;
    for (int32_t i = 0; i < expanding_infos_.Count(); ++i) {
      const TlxDataExpandingInfo& entry = expanding_infos_.EntryAt(i);
      path.resize(static_cast<size_t>(entry.Level));
      path.push_back(entry.Value);
      if (entry.State != 0)
        saved.emplace_back(path, entry.State);
    }
    auto less = [](const std::vector<Variant>& a, const std::vector<Variant>& b) {
      for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const int c = lxVariantCompare(a[i], b[i]);
        if (c != 0)
          return c < 0;
      }
      return a.size() < b.size();
    };
    std::sort(saved.begin(), saved.end(), [&](const auto& x, const auto& y) { return less(x.first, y.first); });
    std::vector<Variant> group_path;
    for (int32_t g = 0; g < groups_.Count(); ++g) {
      const TlxDataGroupInfo& info = groups_.ItemAt(g);
      const int32_t record = RecordIndexAt(groups_.FirstRecordListIndex(g));
      group_path.resize(static_cast<size_t>(info.Level));
      group_path.push_back(controller_.GetComparisonValue(record, *groups_.FieldAt(info.Level)));
      const auto found = std::lower_bound(saved.begin(), saved.end(), group_path,
                                          [&](const auto& x, const std::vector<Variant>& p) { return less(x.first, p); });
      if (found == saved.end() || less(group_path, found->first))
        continue;
      if ((found->second & 1) && (states & 1))
        groups_.ItemAt(g).Expanded = true;
      if (found->second & 2)
        selection_->InsertEntry(-1, -1, g, -1);
    }
    if (!GroupsAlwaysExpanded() && (states & 1))
      groups_.RecalcRowIndexes();
    for (int32_t i = selection_->Count() - 1; i >= 0; --i) {
      TlxDataSelectionEntry& entry = selection_->EntryAt(i);
      if (entry.Level == -1) {
        entry.RowIndex = groups_.ItemAt(entry.RecordIndex).RowIndex;
        continue;
      }
      const int32_t row = GetRowIndexByRecordIndex(entry.RecordIndex, false);
      if (row < 0)
        selection_->DeleteEntry(i);
      else
        entry.RowIndex = row;
    }
    selection_->SortByRowIndex();
  } else if ((states & 2) && !controller_.IsGridMode()) {
    for (int32_t i = selection_->Count() - 1; i >= 0; --i) {
      TlxDataSelectionEntry& entry = selection_->EntryAt(i);
      entry.RowIndex = RecordListIndexOf(entry.RecordIndex);
      if (entry.RowIndex < 0)
        selection_->DeleteEntry(i);
    }
    selection_->SortByRowIndex();
  }
  if (selection_->AnchorRowIndex() != -1 && !selection_->IsRowSelected(selection_->AnchorRowIndex()))
    selection_->ClearAnchor();
}

void TlxCustomDataControllerInfo::ClearSavedExpanding() { expanding_infos_.Clear(); }
