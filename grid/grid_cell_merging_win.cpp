// Cell merging: a cell of a merging column covers the cells below it that
// show an equal value, for the rows that are laid out. The covered cells
// are not painted but still answer hit tests in their own rows, so that a
// click focuses the row it lands in.
#include <algorithm>

#include "editors/edit_properties.h"
#include "grid/grid_data_rows_win.h"
#include "grid/grid_rows_win.h"
#include "grid/grid_table_layout_win.h"
#include "grid/grid_table_view_win.h"

TlxGridDataCellViewInfo::~TlxGridDataCellViewInfo() { ClearMerging(); }

bool TlxGridDataCellViewInfo::CanMergeDownwards() {
  if (column_ == nullptr || !column_->CanCellMerging())
    return false;
  if (row_->Expanded())
    return false;
  return !row_->TableViewInfo()->IsInternalUse();
}

Variant TlxGridDataCellViewInfo::MergeValue() {
  Variant value;
  GetDisplayValue(value);
  return value;
}

void TlxGridDataCellViewInfo::ClearMerging() {
  for (TlxGridDataCellViewInfo* covered : merged_cells_)
    covered->merging_cell_ = nullptr;
  merged_cells_.clear();
  if (merging_cell_ != nullptr) {
    std::vector<TlxGridDataCellViewInfo*>& list = merging_cell_->merged_cells_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    merging_cell_ = nullptr;
  }
}

void TlxGridDataCellViewInfo::MergeCells() {
  if (!IsMerged() && CanMergeDownwards()) {
    TlxGridRowsViewInfo* rows = row_->RowsViewInfo();
    auto* record = dynamic_cast<TlxGridDataRow*>(row_->GridRecord());
    const Variant value = MergeValue();
    for (int32_t index = row_->Index() + 1; record != nullptr && index < rows->Count(); ++index) {
      auto* next_row = dynamic_cast<TlxGridDataRowViewInfo*>(rows->ExistingItem(index));
      if (next_row == nullptr || !next_row->IsCalculated())
        break;
      TlxGridDataCellViewInfo* next = next_row->ExistingCell(visible_index_);
      auto* next_record = dynamic_cast<TlxGridDataRow*>(next_row->GridRecord());
      if (next == nullptr || !next->IsCalculated() || next_record == nullptr || next->IsMerged())
        break;
      if (!column_->DoCompareValuesForCellMerging(record, Properties(), value, next_record, next->Properties(),
                                                  next->MergeValue()))
        break;
      merged_cells_.push_back(next);
      next->merging_cell_ = this;
      // An expanded record shows its details below: the merge ends there.
      if (next_row->Expanded())
        break;
    }
  }
  int32_t bottom = BoundsRect.Bottom;
  if (IsMerging())
    bottom = merged_cells_.back()->OwnBounds.Bottom;
  else if (BoundsRect.Height() != OwnHeight)
    bottom = BoundsRect.Top + OwnHeight;
  if (bottom == BoundsRect.Bottom)
    return;
  TlxGridTableDataCellViewInfo::Calculate(BoundsRect.Left, BoundsRect.Top, BoundsRect.Width(),
                                          std::max(bottom - BoundsRect.Top, 0));
}

bool TlxGridDataCellViewInfo::HasHitTestPoint(const TPoint& point) {
  if (IsMerging())
    return OwnBounds.Contains(point);
  return TlxGridTableDataCellViewInfo::HasHitTestPoint(point);
}

void TlxGridRowsViewInfo::MergeRowCells() {
  for (int32_t index = 0; index < Count(); ++index)
    if (auto* row = dynamic_cast<TlxCustomGridRowViewInfo*>(ExistingItem(index)))
      row->ClearCellMerging();
  for (int32_t index = 0; index < Count(); ++index)
    if (auto* row = dynamic_cast<TlxCustomGridRowViewInfo*>(ExistingItem(index)); row != nullptr && row->IsCalculated())
      row->AfterCalculateCells();
}
