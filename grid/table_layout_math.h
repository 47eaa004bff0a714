#pragma once
// The arithmetic of a table view's layout, kept apart from the view infos so
// that it is checked natively with hostile numbers: row heights, visible row
// counting, the heights that paging asks for, part stacking, header and
// group-by box heights, column auto width and its sizing limits, drop zones,
// header area placement, footer height, grid-line borders and segments, and
// the rectangles of scrolling by moving pixels. Every option value reaches
// here unchecked (heights and widths up to the largest 32-bit integer, empty
// and 30,000-pixel sites), so sums are formed in 64 bits and clamped back.
// Portable.

#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

#include "platform/rtl/geometry.h"

// ---------------------------------------------------------------------------
// Saturating helpers: a layout value that would leave 32 bits sticks at the
// nearest limit instead of wrapping into a negative rectangle.

inline int32_t lxClampToInt32(int64_t value) {
  if (value > std::numeric_limits<int32_t>::max())
    return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min())
    return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}
inline int32_t lxSaturatingAdd(int32_t a, int32_t b) { return lxClampToInt32(int64_t{a} + b); }
inline int32_t lxSaturatingSub(int32_t a, int32_t b) { return lxClampToInt32(int64_t{a} - b); }
inline int32_t lxSaturatingMul(int32_t a, int32_t b) { return lxClampToInt32(int64_t{a} * b); }

// ---------------------------------------------------------------------------
// Grid lines.

// The view option's values in its order (the option's own enumeration lives
// with the Windows option classes; a static_cast converts).
enum TlxGridLineKinds : uint8_t { glkBoth = 0, glkNone = 1, glkVertical = 2, glkHorizontal = 3 };

struct TlxGridCellLineBorders {
  bool Right = false;
  bool Bottom = false;
  constexpr bool operator==(const TlxGridCellLineBorders&) const = default;
};

// The grid lines a data cell draws inside its own bounds.
TlxGridCellLineBorders lxGridCellLineBorders(TlxGridLineKinds grid_lines, bool is_rightmost);
// Whether rows carry a horizontal grid line in their height.
inline bool lxGridLinesHaveHorizontal(TlxGridLineKinds grid_lines) {
  return grid_lines == glkBoth || grid_lines == glkHorizontal;
}

// The segment that covers a border rectangle's pixels when drawn without its
// end point: a one-pixel-high rectangle becomes a horizontal segment along
// its top, any other a vertical segment along its left edge.
struct TlxGridLineSegment {
  TPoint From;
  TPoint To;
  constexpr bool operator==(const TlxGridLineSegment&) const = default;
};
TlxGridLineSegment lxGridLineSegment(const TRect& border);

// ---------------------------------------------------------------------------
// Row heights.

// A text row (group rows): max(text height, expand button) + 4; the Office
// 11 group row style doubles it (unless single) and adds 2, otherwise the
// horizontal grid line is added.
int32_t lxGridTextRowHeight(int32_t text_height, int32_t expand_button_size, bool office11, bool single,
                            TlxGridLineKinds grid_lines);

// The default data row height: the tallest default cell height among the
// header's columns (the editors' edit height + 2), or without columns the
// content font's text height + 4; plus the horizontal grid line.
int32_t lxGridDefaultRowHeight(const std::vector<int32_t>& column_cell_heights, int32_t content_text_height,
                               TlxGridLineKinds grid_lines);

// A fixed data row height is used as it is (no grid line added); 0 means
// the default row height.
inline int32_t lxGridDataRowHeight(int32_t fixed_row_height, int32_t default_row_height) {
  return fixed_row_height != 0 ? fixed_row_height : default_row_height;
}

// ---------------------------------------------------------------------------
// Visible rows.

struct TlxGridVisibleRows {
  int32_t VisibleCount = 0;
  int32_t PartVisibleCount = 0;
  bool IsFirstRowFullyVisible = true;
  // Height from the top of the last row examined down to the content bottom.
  int32_t RestHeight = 0;
};

struct TlxGridVisibleRowsInput {
  int32_t ContentTop = 0;
  int32_t ContentBottom = 0;
  int32_t RecordCount = 0;
  // -1: no top record.
  int32_t TopRecordIndex = -1;
  bool CalculateDown = true;
  // Height of the i-th row counted from the top record (downwards) or
  // from the bottom record (upwards).
  std::function<int32_t(int32_t)> RowHeight;
  // Whether the row at a position of the count is entirely visible (only a
  // master row with a cut details site says no); null: every row is.
  std::function<bool(int32_t)> IsRowFullyVisible;
};

// Counts the rows that fit: VisibleCount the fully visible ones (at least
// one when there are records), PartVisibleCount also the row cut off at the
// bottom. Never divides; a row lower than one pixel counts as one pixel, so
// the count ends within the content height whatever the record count.
TlxGridVisibleRows lxGridCountVisibleRows(const TlxGridVisibleRowsInput& input);

// (client height - non-record heights) div (row height + separator); 0
// while no data row height is known (before the first calculation).
int32_t lxGridVisibleRowCountEstimate(int32_t client_height, int32_t non_records_height, int32_t data_row_height,
                                      int32_t row_separator_width);

// screen height div row height + 2; 0 without a row height.
int32_t lxGridMaxVisibleRowCount(int32_t screen_height, int32_t data_row_height);

// The height of as many whole rows as fit in `height`: n = (height -
// non-record heights) div row height, at least 1, at most the record count
// (+ 1 for a spare row); with no row height known n is 1. Returns
// non-record heights + n x row height.
int32_t lxGridHeightForRows(int32_t height, int32_t non_records_height, int32_t data_row_height,
                            int32_t record_count, bool spare_row);

// non-record heights + count x row height, plus one grid line when the rows
// carry no horizontal line of their own.
int32_t lxGridRowsHeight(int32_t non_records_height, int32_t count, int32_t data_row_height,
                         TlxGridLineKinds grid_lines);

// ---------------------------------------------------------------------------
// Part stacking around the rows.

enum TlxGridPartPlace : uint8_t { gppTop, gppBottom };

struct TlxGridPartSlot {
  TlxGridPartPlace Place = gppTop;
  bool WholeWidth = false;
  // 0 for a hidden part.
  int32_t Height = 0;
  // Used by a part that is not whole-width (header and footer: the data
  // width).
  int32_t Width = 0;
  bool Visible = true;
};

// The rectangle of every part in list order. Top parts stack upwards from the
// rows in reverse list order, bottom parts downwards; a whole-width part
// spans the view's client rectangle, any other starts at the client left
// (right of the indicator) with its own width. A hidden part gets an empty
// rectangle. `scroll_left` is not applied here (the caller shifts the parts
// that scroll with the data).
std::vector<TRect> lxGridPartRects(const TRect& view_client, int32_t indicator_width,
                                   const std::vector<TlxGridPartSlot>& parts);

// The client bounds of the rows: the view's client rectangle less the
// heights of all top and bottom parts, left of it the indicator.
TRect lxGridTableClientBounds(const TRect& view_client, int32_t indicator_width,
                              const std::vector<TlxGridPartSlot>& parts);

// ---------------------------------------------------------------------------
// Column header and group-by box.

// Text height + 4 + 2 x border: 19 for text height 13 and border 1.
int32_t lxGridHeaderItemHeight(int32_t text_height, int32_t border_size);

// Without grouped columns: text height + 22. With n: (item height div 2) x
// (n + 1) + item height mod 2 + 16.
int32_t lxGridGroupByBoxHeight(int32_t item_height, int32_t grouped_count, int32_t text_height);

// The top-left corners of the group-by box's cells: the first at (left + 6,
// top + 8), each next one 4 pixels right of the previous cell's right edge
// and half an item lower.
std::vector<TPoint> lxGridGroupByBoxCellOrigins(const TRect& box, int32_t item_height,
                                                const std::vector<int32_t>& cell_widths);

// One column of the header for the auto-width distribution.
struct TlxGridAutoWidthColumn {
  int32_t Width = 0;
  int32_t MinWidth = 0;
  bool Fixed = false;
};

// Whether a column keeps its width during the distribution: it cannot be
// sized, it is being sized, or a column that is not the last is being sized
// and this one lies left of it. `sizing_index` -1: no column is sized.
bool lxGridAutoWidthIsFixed(int32_t index, bool can_size, int32_t sizing_index, int32_t last_index);

// The widths the header shows: unfixed shares add up to the available width
// less the fixed widths, unless minimum widths force more.
std::vector<int32_t> lxGridAutoWidths(const std::vector<TlxGridAutoWidthColumn>& columns,
                                      int32_t available_width);

// The largest width a column may take while it is sized: unlimited
// without auto width; with it the client width less (for the last column)
// every other column's minimum, else less the current widths of the columns
// left of it and the minimums of those right of it; never below its own
// minimum.
int32_t lxGridColumnMaxWidth(const std::vector<int32_t>& widths, const std::vector<int32_t>& min_widths,
                             int32_t index, int32_t client_width, bool auto_width);

// The drop zone under x: cells are cut at their horizontal centres; zone i
// inserts before cell i, zone n after the last. -1 when x is outside.
struct TlxGridCellSpan {
  int32_t Left = 0;
  int32_t Right = 0;
};
int32_t lxGridDropZone(int32_t area_left, int32_t area_right, const std::vector<TlxGridCellSpan>& cells, int32_t x);

// ---------------------------------------------------------------------------
// Header cell areas (sizing edge, filter button, sorting mark, glyph).

enum TlxGridAreaAlignHorz : uint8_t { gaaLeft, gaaRight, gaaCenter };
enum TlxGridAreaAlignVert : uint8_t { gavTop, gavBottom, gavCenter };

struct TlxGridHeaderArea {
  int32_t Width = 0;   // 0: the full width of the place
  int32_t Height = 0;  // 0: the full height of the place
  TlxGridAreaAlignHorz AlignHorz = gaaRight;
  TlxGridAreaAlignVert AlignVert = gavCenter;
  bool InsideTextArea = true;
  bool TakesCaptionSpace = true;
  // The sizing edge straddles the cell's right border.
  bool StraddlesRightEdge = false;
};

struct TlxGridHeaderLayout {
  TRect TextArea;
  std::vector<TRect> Areas;
};

// Places the areas in order inside a header cell and narrows the caption's
// text area (content bounds inset by 2, and 2 more beside a space-taking
// area). `caption_centered` and `caption_width` serve centred areas, which
// form one centred block with the caption when both fit.
TlxGridHeaderLayout lxGridLayoutHeaderAreas(const TRect& cell_bounds, const TRect& content_bounds,
                                            const std::vector<TlxGridHeaderArea>& areas, bool caption_empty,
                                            bool caption_centered, int32_t caption_width);

// ---------------------------------------------------------------------------
// Footer.

// top border + rows x line height + bottom border + separator.
int32_t lxGridFooterHeight(int32_t top_border, int32_t row_count, int32_t line_height, int32_t bottom_border,
                           int32_t separator_height);

// ---------------------------------------------------------------------------
// Scrolling by moving pixels.

struct TlxGridScrollRects {
  // What is moved on the screen, and the strip left to repaint.
  TRect Moved;
  TRect Repaint;
};

struct TlxGridVScrollInput {
  TRect DataArea;
  int32_t Delta = 0;  // < 0: content moves up
  int32_t VisibleCount = 0;
  int32_t PartVisibleCount = 0;
  // Bottom of the second-last fully visible row (used when VisibleCount > 1).
  int32_t SecondLastVisibleBottom = 0;
  // Top of row 1 (used when PartVisibleCount > 1).
  int32_t SecondRowTop = 0;
};
TlxGridScrollRects lxGridVScrollRects(const TlxGridVScrollInput& input);
// Horizontal scrolling over the rows area (header and footer included).
TlxGridScrollRects lxGridHScrollRects(const TRect& rows_area, int32_t delta);
