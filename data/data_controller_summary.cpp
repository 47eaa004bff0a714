// The controller's side of the summaries: the item whose group summary
// orders the groups.

#include "data/data_controller.h"
#include "data/data_summary.h"

int32_t TlxCustomDataController::GetSortingBySummaryItemIndex() const {
  return sorting_by_summary_field_ ? ItemIndexOfField(sorting_by_summary_field_) : -1;
}

void TlxCustomDataController::SetSortingBySummaryItemIndex(int32_t item_index) {
  if (item_index == GetSortingBySummaryItemIndex())
    return;
  if (item_index == -1) {
    sorting_by_summary_field_ = nullptr;
  } else {
    CheckItemRange(item_index);
    sorting_by_summary_field_ = ItemField(item_index);
  }
  if (IsOwnerDestroying())
    return;
  sorting_by_summary_changed_ = true;
  Change(dccSorting);
}
