#pragma once
// The size of a combo box's list: as many rows as DropDownRows allows, as
// wide as its widest item, with the scroll bars it then needs; and a size
// the user drags the list to, snapped to whole rows. Portable, so that the
// rules are checked natively.

#include <cstdint>
#include <functional>

#include "platform/rtl/geometry.h"

struct TlxComboBoxListMetrics {
  int32_t ItemCount = 0;
  int32_t DropDownRows = 8;
  // The widest item's text width; the list adds 4 for its inset.
  int32_t MaxItemWidth = 0;
  int32_t VerticalScrollBarWidth = 0;
  int32_t HorizontalScrollBarHeight = 0;
  // The height of item n (0 <= n < ItemCount).
  std::function<int32_t(int32_t index)> ItemHeight;
};

// The list's horizontal scroll extent: the widest item plus its inset.
int32_t lxComboBoxListScrollWidth(const TlxComboBoxListMetrics& metrics);

// The list's size for DropDownRows rows; a positive `available_height`
// smaller than the rows adds the vertical bar, a positive `width_limit`
// smaller than the width adds the horizontal bar's height.
TSize lxComboBoxListSize(const TlxComboBoxListMetrics& metrics, int32_t available_height, int32_t width_limit);

// A size the user dragged the list to, snapped to whole rows counted from
// the top: the largest row count whose height (with the horizontal bar when
// the width needs it) does not pass the requested or the available height,
// at least one row. The width grows to hold the vertical bar when rows
// remain below. `present` is the list's size before the drag: an unchanged
// size stays as it is. Zero available values mean no limit.
TSize lxSnapComboBoxListSize(const TlxComboBoxListMetrics& metrics, TSize requested, TSize present,
                             int32_t available_height, int32_t available_width);
