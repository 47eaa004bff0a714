#include "editors/kinds/lookup_grid_layout.h"

#include <algorithm>
#include <limits>

namespace {

// Coordinates stay inside 32 bits whatever a caller passes as heights.
int32_t AddClamped(int32_t a, int32_t b) {
  const int64_t sum = static_cast<int64_t>(a) + b;
  return static_cast<int32_t>(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

}  // namespace

bool lxGridLinesHaveHorizontal(TlxGridLines lines) { return lines == glBoth || lines == glHorizontal; }

bool lxGridLinesHaveVertical(TlxGridLines lines) { return lines == glBoth || lines == glVertical; }

bool lxLookupGridCellHasRightLine(TlxGridLines lines, int32_t column_index, int32_t column_count) {
  if (lxGridLinesHaveVertical(lines))
    return true;
  return lines == glHorizontal && column_index == column_count - 1;
}

int32_t lxLookupGridRowHeight(int32_t row_min_height, int32_t line_width, TlxGridLines lines) {
  return lxGridLinesHaveHorizontal(lines) ? AddClamped(row_min_height, line_width) : row_min_height;
}

TlxLookupGridRowsLayout lxLayOutLookupGridRows(const TlxLookupGridRowsInput& input) {
  TlxLookupGridRowsLayout layout;
  layout.RowsBottom = input.RowsTop;
  layout.VisibleRowsBottom = input.RowsTop;
  if (input.RowCount <= 0)
    return layout;
  // A row without height would never pass the bottom: one pixel at least
  // keeps the loop bounded by the client height.
  const int32_t row_min_height = std::max(input.RowMinHeight, 1);
  const int32_t last = input.Backward ? 0 : input.RowCount - 1;
  const int32_t step = input.Backward ? -1 : 1;
  const int32_t first = std::clamp(input.TopRow, 0, input.RowCount - 1);
  int32_t y = input.RowsTop;
  for (int32_t row = first;; row += step) {
    TlxLookupGridRowPlace place;
    place.RowIndex = row;
    place.Top = y;
    place.Bottom = AddClamped(y, row_min_height);
    const bool last_of_data = row == input.RowCount - 1;
    if (lxGridLinesHaveHorizontal(input.GridLines)) {
      place.BottomLine = true;
    } else if (input.GridLines == glVertical && last_of_data && !input.InTopRowCalculation) {
      place.BottomLine = place.Bottom != input.ClientBottom;
    }
    if (place.BottomLine)
      place.Bottom = AddClamped(place.Bottom, input.LineWidth);
    layout.Rows.push_back(place);
    y = place.Bottom;
    layout.RowsBottom = y;
    ++layout.PartVisibleRowCount;
    if (input.ClientBottom < layout.RowsBottom)
      break;
    ++layout.VisibleRowCount;
    layout.VisibleRowsBottom = layout.RowsBottom;
    // At the end of the coordinate range rows no longer move down.
    if (row == last || place.Bottom <= place.Top)
      break;
  }
  if (layout.VisibleRowCount == 0 && layout.PartVisibleRowCount > 0)
    layout.VisibleRowCount = 1;
  return layout;
}

int32_t lxCheckLookupGridTopRow(TlxLookupGridRowsInput input, int32_t requested) {
  input.InTopRowCalculation = true;
  input.Backward = false;
  input.TopRow = requested;
  const TlxLookupGridRowsLayout forward = lxLayOutLookupGridRows(input);
  if (forward.RowsBottom >= input.ClientBottom)
    return requested;
  const int32_t last_row = std::min(requested + forward.VisibleRowCount - 1, input.RowCount - 1);
  input.Backward = true;
  input.TopRow = last_row;
  const TlxLookupGridRowsLayout backward = lxLayOutLookupGridRows(input);
  return last_row - backward.VisibleRowCount + 1;
}

int32_t lxClampLookupGridTopRow(int32_t top_row, int32_t row_count) {
  return std::max(std::min(top_row, row_count - 1), 0);
}

int32_t lxLookupGridTopRowShowing(int32_t row, int32_t top_row, int32_t visible_row_count) {
  if (visible_row_count < 1)
    return top_row;
  if (row < top_row)
    return row;
  if (row > top_row + visible_row_count - 1)
    return row - visible_row_count + 1;
  return top_row;
}

int32_t lxLookupGridPageRowCount(int32_t visible_row_count) {
  return visible_row_count < 2 ? 1 : visible_row_count - 1;
}

int32_t lxLookupGridAutoScrollRow(TlxLookupGridAutoScroll direction, int32_t top_row, int32_t visible_row_count,
                                  int32_t row_count) {
  int32_t row = top_row;
  if (direction == lgasUp)
    row = top_row - 1;
  else if (direction == lgasDown)
    // The row just below the last visible one (top + count - 1); one more
    // would skip a row on every step.
    row = top_row + visible_row_count;
  return std::max(std::min(row, row_count - 1), 0);
}

int32_t lxLookupGridNearestPopupHeight(int32_t height, int32_t header_height, int32_t row_height,
                                       int32_t row_count) {
  int32_t rows = row_height > 0 ? (height - header_height) / row_height : 1;
  rows = std::min(rows, std::max(row_count, 1));
  rows = std::max(rows, 1);
  return AddClamped(header_height, static_cast<int32_t>(std::min<int64_t>(
                                       static_cast<int64_t>(rows) * row_height, std::numeric_limits<int32_t>::max())));
}

TlxLookupGridSortClick lxLookupGridHeaderClickSort(TlxDataSortOrder current, bool ctrl, bool shift) {
  TlxLookupGridSortClick click;
  if (ctrl)
    return click;
  click.ClearOthers = !shift;
  click.NewOrder = current == soAscending ? soDescending : soAscending;
  return click;
}

TlxLookupGridScrollBar lxLookupGridRowsScrollBar(int32_t row_count, int32_t top_row, int32_t visible_row_count,
                                                 int32_t top_extra, int32_t bottom_extra) {
  TlxLookupGridScrollBar bar;
  bar.Max = top_extra + row_count - 1 + bottom_extra;
  bar.Page = visible_row_count;
  bar.Position = top_extra + top_row;
  return bar;
}

TlxLookupGridScrollBar lxLookupGridRecordsScrollBar(int32_t record_count, int32_t record_number,
                                                    int32_t visible_row_count) {
  TlxLookupGridScrollBar bar;
  bar.Max = AddClamped(record_count, visible_row_count - 2);
  bar.Page = visible_row_count;
  bar.Position = record_number - 1;
  return bar;
}

int32_t lxLookupDBGridColumnWidth(int32_t digit_width, int32_t display_width, int32_t header_width,
                                  int32_t min_width) {
  const int64_t text = static_cast<int64_t>(digit_width) * display_width + 4;
  int64_t width = std::max<int64_t>(text, header_width);
  width = std::max<int64_t>(width, min_width);
  return static_cast<int32_t>(std::min<int64_t>(width, std::numeric_limits<int32_t>::max()));
}

std::vector<int32_t> lxLookupGridColumnLefts(int32_t left, const std::vector<int32_t>& widths, int32_t& right) {
  std::vector<int32_t> lefts;
  lefts.reserve(widths.size());
  int32_t x = left;
  for (int32_t width : widths) {
    lefts.push_back(x);
    x = AddClamped(x, width);
  }
  right = x;
  return lefts;
}
