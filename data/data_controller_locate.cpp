// Finding records by the values of a search record.

#include "data/controller_info.h"
#include "data/data_controller.h"

int32_t TlxCustomDataController::FindRecordInGroups(int32_t search_record, int32_t level_count) const {
  int32_t low = 0;
  int32_t high = GetFilteredRecordCount() - 1;
  while (low <= high) {
    const int32_t middle = low + (high - low) / 2;
    const int32_t record = GetFilteredRecordIndex(middle);
    int32_t compare = 0;
    for (int32_t level = 0; level < level_count && compare == 0; ++level)
      compare = info_->CompareRecordsAtLevel(record, search_record, level);
    if (compare == 0)
      return record;
    if (compare < 0)
      low = middle + 1;
    else
      high = middle - 1;
  }
  return -1;
}

void TlxCustomDataController::ComponentRemoved(TComponent* component) { Fields().NotifyComponentRemoval(component); }
