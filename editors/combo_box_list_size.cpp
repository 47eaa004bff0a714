#include "editors/combo_box_list_size.h"

#include <algorithm>

int32_t lxComboBoxListScrollWidth(const TlxComboBoxListMetrics& metrics) { return metrics.MaxItemWidth + 4; }

TSize lxComboBoxListSize(const TlxComboBoxListMetrics& metrics, int32_t available_height, int32_t width_limit) {
  const int32_t rows = std::min(metrics.ItemCount, std::max(metrics.DropDownRows, 0));
  int32_t height = 0;
  for (int32_t i = 0; i < rows; ++i)
    height += std::max(metrics.ItemHeight(i), 0);
  int32_t width = lxComboBoxListScrollWidth(metrics);
  if (metrics.ItemCount > metrics.DropDownRows || (available_height > 0 && available_height < height))
    width += metrics.VerticalScrollBarWidth;
  if (width_limit > 0 && width_limit < width)
    height += metrics.HorizontalScrollBarHeight;
  return TSize{width, height};
}

TSize lxSnapComboBoxListSize(const TlxComboBoxListMetrics& metrics, TSize requested, TSize present,
                             int32_t available_height, int32_t available_width) {
  if (requested.cx == present.cx && requested.cy == present.cy)
    return requested;
  const int32_t scroll_width = lxComboBoxListScrollWidth(metrics);
  const auto exceeds = [&](int32_t height) {
    return height > requested.cy || (available_height > 0 && height > available_height);
  };
  // The height of the first `rows` rows with the horizontal bar when the
  // width left beside the vertical bar (while rows remain below) is too
  // small for the items or the width passes the available width.
  const auto list_height = [&](int32_t rows, int32_t rows_height, bool& vertical_bar, bool& horizontal_bar) {
    vertical_bar = rows < metrics.ItemCount;
    const int32_t text_width = requested.cx - (vertical_bar ? metrics.VerticalScrollBarWidth : 0);
    horizontal_bar = text_width < scroll_width || (available_width > 0 && requested.cx > available_width);
    return rows_height + (horizontal_bar ? metrics.HorizontalScrollBarHeight : 0);
  };
  int32_t rows_height = 0;
  int32_t chosen_height = -1;
  bool chosen_vertical = false;
  bool chosen_horizontal = false;
  // Bounded by the item count: every step adds one item.
  for (int32_t rows = 1; rows <= metrics.ItemCount; ++rows) {
    rows_height += std::max(metrics.ItemHeight(rows - 1), 0);
    bool vertical_bar = false;
    bool horizontal_bar = false;
    const int32_t height = list_height(rows, rows_height, vertical_bar, horizontal_bar);
    if (exceeds(height) && chosen_height >= 0)
      break;
    chosen_height = height;
    chosen_vertical = vertical_bar;
    chosen_horizontal = horizontal_bar;
    if (height >= requested.cy)
      break;
  }
  if (chosen_height < 0)
    return TSize{requested.cx, 0};
  TSize result{requested.cx, chosen_height};
  int32_t bars_width = chosen_vertical ? metrics.VerticalScrollBarWidth : 0;
  if (chosen_horizontal)
    bars_width = std::max(bars_width, metrics.VerticalScrollBarWidth);
  result.cx = std::max(result.cx, bars_width);
  return result;
}
