#pragma once
// How many columns the quick-customization popup spreads its entries over
// so that it fits on the screen. Kept apart from the window so that the
// arithmetic, whose divisors come from the screen and the fonts and can be
// zero or negative, is checked on its own.

#include <cstdint>
#include <functional>

// The first column count that fits vertically: it starts at the list's
// one-column height over the available height (less the borders) and
// grows by one while `fits(count)` (which lays the popup out with that
// many columns) says no. The count never exceeds the entry count: with one
// entry per column the popup cannot get any lower, so the search ends
// there even when it still does not fit.
int32_t lxFitPopupColumnsVertically(int32_t list_height, int32_t available_height, int32_t border_height,
                                    int32_t entry_count, const std::function<bool(int32_t column_count)>& fits);

// The column count that keeps a popup starting at `popup_left` inside
// `area_right`: whole columns of `column_width` in the room left, at least
// one and at most one per entry.
int32_t lxFitPopupColumnsHorizontally(int32_t area_right, int32_t popup_left, int32_t border_width,
                                      int32_t column_width, int32_t entry_count);

// The rows a list of `entry_count` entries needs in `column_count`
// columns (rounded up); with fewer than two columns, `drop_down_count`
// limited to the entries (0 = all).
int32_t lxCustomizationPopupRowCount(int32_t entry_count, int32_t column_count, int32_t drop_down_count);
