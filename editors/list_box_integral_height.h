#pragma once
// The integral height of a list box: a requested height snapped to the
// height of whole rows, borders and the scroll bars the rows need
// included. Portable, so that the rule is checked natively.

#include <cstdint>
#include <functional>

struct TlxIntegralHeightMetrics {
  // Top plus bottom border extents, and left plus right.
  int32_t VerticalBorders = 0;
  int32_t HorizontalBorders = 0;
  int32_t ControlWidth = 0;
  int32_t ItemCount = 0;
  int32_t HorizontalScrollBarHeight = 0;
  int32_t VerticalScrollBarWidth = 0;
  // The list's scroll width; 0 without horizontal scrolling.
  int32_t ScrollWidth = 0;
  // The height of row n (also past the last item).
  std::function<int32_t(int32_t index)> ItemHeight;
};

// The height of n rows: borders, the rows, and the horizontal scroll bar
// when the rows' width (less the vertical bar, while not every item fits)
// is below the scroll width plus 4.
int32_t lxIntegralHeightCandidate(const TlxIntegralHeightMetrics& metrics, int32_t rows, int32_t rows_height);

// `requested` when it equals the height of some number of rows; else the
// largest such height below it, or the height of one row when there is
// none. The walk ends once the rows can grow no more (rows of height 0
// past the last item), so it ends for every input.
int32_t lxSnapToIntegralHeight(const TlxIntegralHeightMetrics& metrics, int32_t requested);
