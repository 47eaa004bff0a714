// The integral-height walk with any metrics and row heights, zero and
// negative ones included: it ends, and its answer is the height of some
// number of rows, the request itself when that matches, and never above the
// request unless it is the one-row height.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "editors/list_box_integral_height.h"

namespace {

void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 7)
    return 0;
  const int32_t requested = static_cast<int32_t>(data[0]) * 8 - 40;
  TlxIntegralHeightMetrics metrics;
  metrics.VerticalBorders = data[1] % 12;
  metrics.HorizontalBorders = data[2] % 12;
  metrics.ControlWidth = data[3];
  metrics.ItemCount = data[4] % 40;
  metrics.HorizontalScrollBarHeight = data[5] % 20;
  metrics.VerticalScrollBarWidth = data[6] % 20;
  metrics.ScrollWidth = size > 7 ? data[7] : 0;
  std::vector<int32_t> heights;
  for (size_t i = 8; i < size && heights.size() < 64; ++i)
    heights.push_back(static_cast<int32_t>(data[i]) - 8);
  const int32_t past_items = heights.empty() ? 0 : heights.back();
  metrics.ItemHeight = [&heights, past_items](int32_t index) {
    return index < static_cast<int32_t>(heights.size()) ? heights[static_cast<size_t>(index)] : past_items;
  };
  const int32_t snapped = lxSnapToIntegralHeight(metrics, requested);

  // Walk the candidates again to see that the answer is one of them.
  bool found = false;
  int64_t rows_height = 0;
  const auto height_of = [&](int32_t index) { return std::max(metrics.ItemHeight(index), 0); };
  int32_t one_row = 0;
  for (int32_t rows = 1; rows <= metrics.ItemCount + 2100; ++rows) {
    rows_height += height_of(rows - 1);
    const int32_t candidate = lxIntegralHeightCandidate(metrics, rows, static_cast<int32_t>(rows_height));
    if (rows == 1)
      one_row = candidate;
    if (candidate == snapped)
      found = true;
  }
  if (!found)
    Fail("the answer is no row height");
  if (snapped > requested && snapped != one_row)
    Fail("above the request");
  return 0;
}
