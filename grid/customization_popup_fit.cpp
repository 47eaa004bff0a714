#include "grid/customization_popup_fit.h"

#include <algorithm>
#include <cstdint>

namespace {

// A count of columns is at least one and at most one per entry.
int32_t ClampColumnCount(int32_t count, int32_t entry_count) {
  return std::clamp(count, 1, std::max(1, entry_count));
}

int32_t DivideRoundingUp(int64_t dividend, int64_t divisor) {
  if (dividend <= 0)
    return 0;
  return static_cast<int32_t>(std::min<int64_t>((dividend + divisor - 1) / divisor, INT32_MAX));
}

}  // namespace

int32_t lxFitPopupColumnsVertically(int32_t list_height, int32_t available_height, int32_t border_height,
                                    int32_t entry_count, const std::function<bool(int32_t column_count)>& fits) {
  // The room can be empty or negative when the owner sits at the edge of
  // the work area or the borders are thicker than the room.
  const int64_t room = std::max<int64_t>(1, static_cast<int64_t>(available_height) - border_height);
  const int32_t last = ClampColumnCount(entry_count, entry_count);
  for (int32_t count = ClampColumnCount(DivideRoundingUp(list_height, room), entry_count);; ++count) {
    if (fits(count) || count >= last)
      return count;
  }
}

int32_t lxFitPopupColumnsHorizontally(int32_t area_right, int32_t popup_left, int32_t border_width,
                                      int32_t column_width, int32_t entry_count) {
  const int64_t room = static_cast<int64_t>(area_right) - popup_left - border_width;
  const int64_t count = room / std::max(1, column_width);
  return ClampColumnCount(static_cast<int32_t>(std::clamp<int64_t>(count, 0, INT32_MAX)), entry_count);
}

int32_t lxCustomizationPopupRowCount(int32_t entry_count, int32_t column_count, int32_t drop_down_count) {
  entry_count = std::max(0, entry_count);
  if (column_count < 2)
    return drop_down_count > 0 ? std::min(drop_down_count, entry_count) : entry_count;
  return DivideRoundingUp(entry_count, column_count);
}
