#include "editors/list_box_integral_height.h"

#include <algorithm>

int32_t lxIntegralHeightCandidate(const TlxIntegralHeightMetrics& metrics, int32_t rows, int32_t rows_height) {
  const int32_t scroll_width = metrics.ScrollWidth == 0 ? 0 : metrics.ScrollWidth + 4;
  int32_t inner_width = metrics.ControlWidth - metrics.HorizontalBorders;
  if (rows < metrics.ItemCount)
    inner_width -= metrics.VerticalScrollBarWidth;
  int32_t height = metrics.VerticalBorders + rows_height;
  if (inner_width < scroll_width)
    height += metrics.HorizontalScrollBarHeight;
  return height;
}

int32_t lxSnapToIntegralHeight(const TlxIntegralHeightMetrics& metrics, int32_t requested) {
  const auto row_height = [&metrics](int32_t index) {
    return metrics.ItemHeight ? std::max(metrics.ItemHeight(index), 0) : 0;
  };
  int64_t rows_height = row_height(0);
  const int32_t one_row = lxIntegralHeightCandidate(metrics, 1, static_cast<int32_t>(rows_height));
  int32_t below = -1;
  // Past the last item every further row must add height, or the walk
  // could never reach the request: it ends there, and after at most as
  // many further rows as the request has pixels.
  const int64_t last_row = static_cast<int64_t>(std::max(metrics.ItemCount, 1)) + std::max(requested, 0);
  for (int32_t rows = 1;; ++rows) {
    const int32_t candidate =
        lxIntegralHeightCandidate(metrics, rows, static_cast<int32_t>(std::min<int64_t>(rows_height, INT32_MAX / 2)));
    if (candidate == requested)
      return requested;
    if (candidate > requested)
      break;
    below = candidate;
    if (rows >= last_row)
      break;
    const int32_t next = row_height(rows);
    if (next == 0 && rows >= metrics.ItemCount)
      break;
    rows_height += next;
  }
  return below >= 0 ? below : one_row;
}
