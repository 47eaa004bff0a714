#pragma once
// The arithmetic of the lookup list grid, apart from any window: where its
// rows lie below the header, which top row leaves no space under the data,
// how far a page or an auto-scroll step moves, what a header click does to
// a column's sort order and what the vertical scroll bar reports. The
// window classes feed it sizes and counts and draw what it answers.

#include <cstdint>
#include <vector>

#include "data/data_controller_types.h"
#include "editors/kinds/grid_lines.h"

// Whether cells are separated by horizontal (row) or vertical (column)
// lines under the setting.
bool lxGridLinesHaveHorizontal(TlxGridLines lines);
bool lxGridLinesHaveVertical(TlxGridLines lines);

// Whether the cell at `column_index` of `column_count` gets a line on its
// right: every cell with vertical lines, only the last one with horizontal
// lines alone (it closes the row), none without lines.
bool lxLookupGridCellHasRightLine(TlxGridLines lines, int32_t column_index, int32_t column_count);

// The height of one row with its line: the line counts only where rows
// are separated by horizontal lines.
int32_t lxLookupGridRowHeight(int32_t row_min_height, int32_t line_width, TlxGridLines lines);

// What the rows calculation needs to know.
struct TlxLookupGridRowsInput {
  int32_t RowsTop = 0;       // the bottom of the header row
  int32_t ClientBottom = 0;  // the bottom of the client area
  int32_t RowMinHeight = 0;  // a row without its lines
  int32_t LineWidth = 1;
  TlxGridLines GridLines = glBoth;
  int32_t RowCount = 0;  // rows of the data
  int32_t TopRow = 0;    // the first row built
  // Built from TopRow back to row 0 (still placed downwards), to learn how
  // many rows end at the bottom.
  bool Backward = false;
  // A top row is being validated: the rows' places are only measured.
  bool InTopRowCalculation = false;
};

struct TlxLookupGridRowPlace {
  int32_t RowIndex = 0;
  int32_t Top = 0;
  int32_t Bottom = 0;  // the line included
  bool BottomLine = false;
};

struct TlxLookupGridRowsLayout {
  std::vector<TlxLookupGridRowPlace> Rows;
  int32_t RowsBottom = 0;
  int32_t VisibleRowsBottom = 0;
  // Fully visible rows; a single row cut off by the bottom counts as one.
  int32_t VisibleRowCount = 0;
  // Rows built, the cut-off one included.
  int32_t PartVisibleRowCount = 0;
};

// Builds rows downwards from RowsTop until one passes the client bottom;
// it never walks more of the data than fits.
TlxLookupGridRowsLayout lxLayOutLookupGridRows(const TlxLookupGridRowsInput& input);

// The top row to use for `requested` so that, when the rows from there do
// not reach the bottom, the last row of the data ends at the bottom.
int32_t lxCheckLookupGridTopRow(TlxLookupGridRowsInput input, int32_t requested);

// The top row limited to the rows of the data (0 without rows).
int32_t lxClampLookupGridTopRow(int32_t top_row, int32_t row_count);

// The top row that shows `row`: a row above the top becomes the top, one
// below the last visible row becomes the last visible one; unchanged
// without a visible row.
int32_t lxLookupGridTopRowShowing(int32_t row, int32_t top_row, int32_t visible_row_count);

// The rows a page moves: one less than the visible rows, at least one.
int32_t lxLookupGridPageRowCount(int32_t visible_row_count);

// Auto-scroll directions while the mouse is held beyond the rows.
enum TlxLookupGridAutoScroll : uint8_t { lgasNone = 0, lgasUp = 1, lgasDown = 2 };

// The row one auto-scroll step focuses: the row above the top, or the row
// just below the last visible one; limited to the rows of the data.
int32_t lxLookupGridAutoScrollRow(TlxLookupGridAutoScroll direction, int32_t top_row, int32_t visible_row_count,
                                  int32_t row_count);

// The popup height for the nearest whole number of rows to `height`: at
// least one row and at most the data's rows (one without rows).
int32_t lxLookupGridNearestPopupHeight(int32_t height, int32_t header_height, int32_t row_height, int32_t row_count);

// A header click on a sortable column.
struct TlxLookupGridSortClick {
  TlxDataSortOrder NewOrder = soNone;
  // The other columns lose their order (grouped orders stay).
  bool ClearOthers = false;
};
// Ctrl removes the column's order only; otherwise the order turns from
// ascending to descending and else to ascending, and without Shift every
// other order goes.
TlxLookupGridSortClick lxLookupGridHeaderClickSort(TlxDataSortOrder current, bool ctrl, bool shift);

// The vertical scroll bar's range and position.
struct TlxLookupGridScrollBar {
  int32_t Min = 0;
  int32_t Max = 0;
  int32_t Page = 0;
  int32_t Position = 0;
};
// Over the loaded rows; in grid mode one extra row stands for the records
// before and one for those after the loaded window.
TlxLookupGridScrollBar lxLookupGridRowsScrollBar(int32_t row_count, int32_t top_row, int32_t visible_row_count,
                                                 int32_t top_extra, int32_t bottom_extra);
// Over a dataset that numbers its records (record numbers from 1).
TlxLookupGridScrollBar lxLookupGridRecordsScrollBar(int32_t record_count, int32_t record_number,
                                                    int32_t visible_row_count);

// The default width of a dataset column: a "0" as wide as `digit_width`
// times the field's display width plus 4, widened for the header caption
// when headers are shown, and never below the minimum width.
int32_t lxLookupDBGridColumnWidth(int32_t digit_width, int32_t display_width, int32_t header_width,
                                  int32_t min_width);

// The left edges of the columns from `left` for their widths, and the
// right edge of the last one (== left without columns).
std::vector<int32_t> lxLookupGridColumnLefts(int32_t left, const std::vector<int32_t>& widths, int32_t& right);
