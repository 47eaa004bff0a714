// The table layout's arithmetic with the file list's own numbers: the four
// stored widths scaled into the grid's width, sizing the second column, the
// header and group-by box heights, counting visible rows against the content
// height, the paging heights before the first calculation, the order of the
// parts around the rows, header areas, grid-line borders and the scroll
// rectangles; and every routine fed the largest option values.
#include <gtest/gtest.h>

#include <climits>
#include <numeric>
#include <vector>

#include "grid/table_layout_math.h"

namespace table_layout_math_test {

std::vector<TlxGridAutoWidthColumn> FileListColumns(int32_t min_width = 20) {
  return {{46, min_width, false}, {389, min_width, false}, {114, min_width, false}, {107, min_width, false}};
}

struct AutoWidthCase {
  int32_t available;
  std::vector<int32_t> widths;
};

TEST(TableLayoutMathTest, FileListWidthsFillTheGridOrStopAtTheirMinimums) {
  const AutoWidthCase cases[] = {
      {600, {42, 356, 104, 98}},
      {400, {28, 237, 70, 65}},
      {100, {20, 40, 20, 20}},  // two passes: three columns pinned, the second takes the rest
      {60, {20, 20, 20, 20}},   // minimums force a header wider than the view
      {656, {46, 389, 114, 107}},
  };
  for (const AutoWidthCase& test : cases) {
    SCOPED_TRACE(test.available);
    const std::vector<int32_t> widths = lxGridAutoWidths(FileListColumns(), test.available);
    EXPECT_EQ(widths, test.widths);
  }
}

TEST(TableLayoutMathTest, SizingTheSecondOfFourColumnsMovesOnlyTheColumnsRightOfIt) {
  // The user widens column 1 by 100 pixels in a 600-pixel view.
  std::vector<TlxGridAutoWidthColumn> columns = {{42, 20, false}, {456, 20, false}, {104, 20, false}, {98, 20, false}};
  for (int32_t index = 0; index < 4; ++index)
    columns[static_cast<size_t>(index)].Fixed = lxGridAutoWidthIsFixed(index, true, 1, 3);
  EXPECT_TRUE(columns[0].Fixed);
  EXPECT_TRUE(columns[1].Fixed);
  EXPECT_FALSE(columns[2].Fixed);
  EXPECT_FALSE(columns[3].Fixed);

  const std::vector<int32_t> widths = lxGridAutoWidths(columns, 600);
  EXPECT_EQ(widths[0], 42);
  EXPECT_EQ(widths[1], 456);
  EXPECT_EQ(widths[2] + widths[3], 102);
  EXPECT_EQ(widths, (std::vector<int32_t>{42, 456, 53, 49}));

  // Sizing the last column lets every other column give or take.
  EXPECT_FALSE(lxGridAutoWidthIsFixed(0, true, 3, 3));
  EXPECT_TRUE(lxGridAutoWidthIsFixed(3, true, 3, 3));
  // A column that cannot be sized never moves; with no sizing all share.
  EXPECT_TRUE(lxGridAutoWidthIsFixed(2, false, -1, 3));
  EXPECT_FALSE(lxGridAutoWidthIsFixed(2, true, -1, 3));

  // While sizing, column 1 may grow until the columns right of it sit at
  // their minimums; the last column may take all but the others' minimums.
  const std::vector<int32_t> current = {42, 356, 104, 98};
  const std::vector<int32_t> minimums = {20, 20, 20, 20};
  EXPECT_EQ(lxGridColumnMaxWidth(current, minimums, 1, 600, true), 600 - 42 - 20 - 20);
  EXPECT_EQ(lxGridColumnMaxWidth(current, minimums, 3, 600, true), 600 - 60);
  EXPECT_EQ(lxGridColumnMaxWidth(current, minimums, 1, 50, true), 20);
  EXPECT_EQ(lxGridColumnMaxWidth(current, minimums, 1, 600, false), INT32_MAX);
}

TEST(TableLayoutMathTest, HeaderAndGroupByBoxHeights) {
  EXPECT_EQ(lxGridHeaderItemHeight(13, 1), 19);
  EXPECT_EQ(lxGridHeaderItemHeight(0, 0), 4);
  // Three grouped columns with cells of 19: 9 x 4 + 1 + 16.
  EXPECT_EQ(lxGridGroupByBoxHeight(19, 3, 13), 53);
  EXPECT_EQ(lxGridGroupByBoxHeight(19, 0, 13), 13 + 22);

  const std::vector<TPoint> origins = lxGridGroupByBoxCellOrigins(Rect(0, 100, 500, 153), 19, {50, 60, 70});
  ASSERT_EQ(origins.size(), 3u);
  EXPECT_EQ(origins[0], Point(6, 108));
  EXPECT_EQ(origins[1], Point(6 + 50 + 4, 117));
  EXPECT_EQ(origins[2], Point(60 + 60 + 4, 126));
}

struct VisibleCase {
  const char* name;
  int32_t content_height;
  int32_t records;
  int32_t visible;
  int32_t part_visible;
  bool first_fully_visible;
};

TEST(TableLayoutMathTest, VisibleRowsCountWholeRowsAndTheCutOffOne) {
  const int32_t row_height = 20;
  const VisibleCase cases[] = {
      {"exactly five rows", 100, 50, 5, 5, true},
      {"one pixel more", 101, 50, 5, 6, true},
      {"lower than one row", 7, 50, 1, 1, false},
      {"fewer records than room", 100, 3, 3, 3, true},
      {"no records", 100, 0, 0, 0, true},
  };
  for (const VisibleCase& test : cases) {
    SCOPED_TRACE(test.name);
    TlxGridVisibleRowsInput input;
    input.ContentTop = 19;
    input.ContentBottom = 19 + test.content_height;
    input.RecordCount = test.records;
    input.TopRecordIndex = test.records > 0 ? 0 : -1;
    input.RowHeight = [&](int32_t) { return row_height; };
    const TlxGridVisibleRows rows = lxGridCountVisibleRows(input);
    EXPECT_EQ(rows.VisibleCount, test.visible);
    EXPECT_EQ(rows.PartVisibleCount, test.part_visible);
    EXPECT_EQ(rows.IsFirstRowFullyVisible, test.first_fully_visible);
  }
}

TEST(TableLayoutMathTest, VisibleRowsFromTheTopRecordAndUpwardsAndAMasterRowCutShort) {
  TlxGridVisibleRowsInput input;
  input.ContentTop = 0;
  input.ContentBottom = 100;
  input.RecordCount = 10;
  input.TopRecordIndex = 8;  // two records left
  input.RowHeight = [](int32_t) { return 20; };
  EXPECT_EQ(lxGridCountVisibleRows(input).VisibleCount, 2);
  EXPECT_EQ(lxGridCountVisibleRows(input).RestHeight, 80);

  input.CalculateDown = false;  // upwards: records 8 down to 0 are candidates
  EXPECT_EQ(lxGridCountVisibleRows(input).VisibleCount, 5);

  // The last row that fits exactly says it is not entirely visible (a master
  // row whose details site is cut): it no longer counts.
  input.CalculateDown = true;
  input.TopRecordIndex = 0;
  input.IsRowFullyVisible = [](int32_t index) { return index != 4; };
  const TlxGridVisibleRows rows = lxGridCountVisibleRows(input);
  EXPECT_EQ(rows.VisibleCount, 4);
  EXPECT_EQ(rows.PartVisibleCount, 5);
}

TEST(TableLayoutMathTest, RowHeightIsTheTallestEditorCellPlusTheGridLine) {
  EXPECT_EQ(lxGridDefaultRowHeight({17, 19, 18, 17}, 13, glkBoth), 20);
  EXPECT_EQ(lxGridDefaultRowHeight({17, 19, 18, 17}, 13, glkHorizontal), 20);
  EXPECT_EQ(lxGridDefaultRowHeight({17, 19, 18, 17}, 13, glkVertical), 19);
  EXPECT_EQ(lxGridDefaultRowHeight({}, 13, glkNone), 17);
  EXPECT_EQ(lxGridDataRowHeight(40, 20), 40);
  EXPECT_EQ(lxGridDataRowHeight(0, 20), 20);
  // Group rows: the expand button's 11 against text 13; Office 11 doubles.
  EXPECT_EQ(lxGridTextRowHeight(13, 11, false, false, glkBoth), 18);
  EXPECT_EQ(lxGridTextRowHeight(13, 11, true, false, glkBoth), 36);
  EXPECT_EQ(lxGridTextRowHeight(13, 11, true, true, glkBoth), 19);
  EXPECT_EQ(lxGridTextRowHeight(5, 11, false, false, glkNone), 15);
}

TEST(TableLayoutMathTest, PagingHeightsBeforeTheFirstCalculationDoNotDivideByZero) {
  EXPECT_EQ(lxGridVisibleRowCountEstimate(400, 19, 0, 0), 0);
  EXPECT_EQ(lxGridVisibleRowCountEstimate(400, 19, 20, 0), 19);
  EXPECT_EQ(lxGridVisibleRowCountEstimate(400, 19, 20, 1), 18);
  EXPECT_EQ(lxGridMaxVisibleRowCount(1024, 0), 0);
  EXPECT_EQ(lxGridMaxVisibleRowCount(1024, 20), 53);
  // With no row height known yet, one row is taken.
  EXPECT_EQ(lxGridHeightForRows(400, 19, 0, 100, false), 19);
  EXPECT_EQ(lxGridHeightForRows(400, 19, 20, 100, false), 19 + 19 * 20);
  EXPECT_EQ(lxGridHeightForRows(400, 19, 20, 3, false), 19 + 3 * 20);
  EXPECT_EQ(lxGridHeightForRows(400, 19, 20, 3, true), 19 + 4 * 20);
  EXPECT_EQ(lxGridHeightForRows(10, 19, 20, 3, false), 19 + 20);
  EXPECT_EQ(lxGridRowsHeight(19, 3, 20, glkBoth), 79);
  EXPECT_EQ(lxGridRowsHeight(19, 3, 20, glkVertical), 80);
}

TEST(TableLayoutMathTest, PartsStackOutwardsFromTheRows) {
  // List order after moving the filter box to the header's place: group-by
  // box, filter box (top), header, footer.
  const std::vector<TlxGridPartSlot> parts = {
      {gppTop, true, 53, 0, true},
      {gppTop, true, 24, 0, true},
      {gppTop, false, 19, 300, true},
      {gppBottom, false, 21, 300, true},
  };
  const TRect client = Rect(0, 0, 400, 300);
  const std::vector<TRect> rects = lxGridPartRects(client, 12, parts);
  EXPECT_EQ(rects[0], Rect(0, 0, 400, 53));
  EXPECT_EQ(rects[1], Rect(0, 53, 400, 77));
  EXPECT_EQ(rects[2], Rect(12, 77, 312, 96));
  EXPECT_EQ(rects[3], Rect(12, 279, 312, 300));
  EXPECT_EQ(lxGridTableClientBounds(client, 12, parts), Rect(12, 96, 400, 279));

  // A filter box at the bottom lies below the footer; a hidden part is empty.
  const std::vector<TlxGridPartSlot> bottom_filter = {
      {gppTop, true, 53, 0, false},
      {gppTop, false, 19, 300, true},
      {gppBottom, true, 24, 0, true},
      {gppBottom, false, 21, 300, true},
  };
  const std::vector<TRect> lower = lxGridPartRects(client, 0, bottom_filter);
  EXPECT_TRUE(lower[0].IsEmpty());
  EXPECT_EQ(lower[1], Rect(0, 0, 300, 19));
  EXPECT_EQ(lower[3], Rect(0, 255, 300, 276));
  EXPECT_EQ(lower[2], Rect(0, 276, 400, 300));
}

TEST(TableLayoutMathTest, SortingMarkTakesSixteenBySevenAtTheRightOfTheTextArea) {
  // Flat header cell of 19 with one-pixel borders: content 1..18.
  const TRect cell = Rect(0, 0, 100, 19);
  const TRect content = Rect(1, 1, 99, 18);
  const TlxGridHeaderArea sizing_edge{8, 0, gaaRight, gavCenter, false, false, true};
  const TlxGridHeaderArea sorting_mark{16, 7, gaaRight, gavCenter, true, true, false};

  const TlxGridHeaderLayout sorted = lxGridLayoutHeaderAreas(cell, content, {sizing_edge, sorting_mark}, false, false, 30);
  EXPECT_EQ(sorted.Areas[0], Rect(96, 0, 104, 19));  // 4 pixels either side of the right edge
  EXPECT_EQ(sorted.Areas[1].Width(), 16);
  EXPECT_EQ(sorted.Areas[1].Height(), 7);
  EXPECT_EQ(sorted.Areas[1].Right, 97);  // the text area's right end, 2 inside the content
  EXPECT_EQ(sorted.Areas[1].Top, 3 + (13 - 7) / 2);
  EXPECT_EQ(sorted.TextArea, Rect(3, 3, 81 - 2, 16));

  const TlxGridHeaderLayout unsorted = lxGridLayoutHeaderAreas(cell, content, {sizing_edge}, false, false, 30);
  EXPECT_EQ(unsorted.TextArea, Rect(3, 3, 97, 16));

  // A centred area forms one block with a centred caption when both fit.
  const TlxGridHeaderArea glyph{10, 0, gaaCenter, gavCenter, true, true, false};
  const TlxGridHeaderLayout centred = lxGridLayoutHeaderAreas(cell, content, {glyph}, false, true, 20);
  const int32_t block_left = 3 + (94 - 10 - 24) / 2;
  EXPECT_EQ(centred.Areas[0].Left, block_left);
  EXPECT_EQ(centred.TextArea.Left, block_left + 10);
  EXPECT_EQ(centred.TextArea.Right, block_left + 10 + 24);
}

TEST(TableLayoutMathTest, CellBordersAndGridLineSegmentsPerGridLines) {
  struct Case {
    TlxGridLineKinds lines;
    bool rightmost;
    TlxGridCellLineBorders borders;
  };
  const Case cases[] = {
      {glkBoth, false, {true, true}},       {glkBoth, true, {true, true}},
      {glkNone, false, {false, false}},     {glkNone, true, {false, false}},
      {glkVertical, false, {true, false}},  {glkVertical, true, {true, false}},
      {glkHorizontal, false, {false, true}}, {glkHorizontal, true, {true, true}},
  };
  for (const Case& test : cases)
    EXPECT_EQ(lxGridCellLineBorders(test.lines, test.rightmost), test.borders)
        << int(test.lines) << " " << test.rightmost;

  // A bottom border one pixel high runs along its top; a right border down its left.
  EXPECT_EQ(lxGridLineSegment(Rect(10, 39, 60, 40)), (TlxGridLineSegment{{10, 39}, {60, 39}}));
  EXPECT_EQ(lxGridLineSegment(Rect(59, 20, 60, 40)), (TlxGridLineSegment{{59, 20}, {59, 40}}));
  // A one-pixel square is horizontal: it covers its single pixel either way.
  EXPECT_EQ(lxGridLineSegment(Rect(5, 5, 6, 6)), (TlxGridLineSegment{{5, 5}, {6, 5}}));
}

TEST(TableLayoutMathTest, ScrollRectanglesMoveWhatStaysAndRepaintTheUncoveredStrip) {
  TlxGridVScrollInput up;
  up.DataArea = Rect(0, 19, 400, 219);
  up.Delta = -20;
  up.VisibleCount = 10;
  up.PartVisibleCount = 10;
  up.SecondLastVisibleBottom = 199;
  const TlxGridScrollRects moved_up = lxGridVScrollRects(up);
  EXPECT_EQ(moved_up.Moved, Rect(0, 39, 400, 199));
  EXPECT_EQ(moved_up.Repaint, Rect(0, 179, 400, 219));

  TlxGridVScrollInput down = up;
  down.Delta = 20;
  down.SecondRowTop = 39;
  const TlxGridScrollRects moved_down = lxGridVScrollRects(down);
  EXPECT_EQ(moved_down.Moved, Rect(0, 39, 400, 199));
  EXPECT_EQ(moved_down.Repaint, Rect(0, 19, 400, 59));

  const TlxGridScrollRects left = lxGridHScrollRects(Rect(0, 0, 400, 300), -30);
  EXPECT_EQ(left.Moved, Rect(30, 0, 400, 300));
  EXPECT_EQ(left.Repaint, Rect(370, 0, 400, 300));
  const TlxGridScrollRects right = lxGridHScrollRects(Rect(0, 0, 400, 300), 30);
  EXPECT_EQ(right.Moved, Rect(0, 0, 370, 300));
  EXPECT_EQ(right.Repaint, Rect(0, 0, 30, 300));
  // A scroll wider than the area repaints it all and moves nothing.
  const TlxGridScrollRects far = lxGridHScrollRects(Rect(0, 0, 400, 300), -1000);
  EXPECT_EQ(far.Repaint, Rect(0, 0, 400, 300));
  EXPECT_TRUE(far.Moved.IsEmpty());
}

TEST(TableLayoutMathTest, DropZonesCutAtTheCellCentres) {
  const std::vector<TlxGridCellSpan> cells = {{0, 40}, {40, 100}, {100, 120}};
  EXPECT_EQ(lxGridDropZone(0, 400, cells, 0), 0);
  EXPECT_EQ(lxGridDropZone(0, 400, cells, 19), 0);
  EXPECT_EQ(lxGridDropZone(0, 400, cells, 20), 1);
  EXPECT_EQ(lxGridDropZone(0, 400, cells, 69), 1);
  EXPECT_EQ(lxGridDropZone(0, 400, cells, 70), 2);
  EXPECT_EQ(lxGridDropZone(0, 400, cells, 399), 3);
  EXPECT_EQ(lxGridDropZone(0, 400, cells, 400), -1);
  EXPECT_EQ(lxGridDropZone(0, 400, {}, 10), 0);
}

TEST(TableLayoutMathTest, OptionValuesAtTheirLimitsNeitherOverflowNorHang) {
  constexpr int32_t kMax = INT32_MAX;
  // A fixed row height as large as it gets, in a 30,000-pixel site.
  TlxGridVisibleRowsInput input;
  input.ContentTop = 30000;
  input.ContentBottom = 60000;
  input.RecordCount = kMax;
  input.TopRecordIndex = 0;
  input.RowHeight = [](int32_t) { return kMax; };
  TlxGridVisibleRows rows = lxGridCountVisibleRows(input);
  EXPECT_EQ(rows.VisibleCount, 1);
  EXPECT_EQ(rows.PartVisibleCount, 1);
  EXPECT_FALSE(rows.IsFirstRowFullyVisible);

  // An empty site with 1-pixel rows ends at once; rows without height count
  // as one pixel each instead of running through every record.
  input.ContentTop = input.ContentBottom = 0;
  input.RowHeight = [](int32_t) { return 1; };
  EXPECT_EQ(lxGridCountVisibleRows(input).PartVisibleCount, 1);
  input.ContentBottom = 10;
  input.RecordCount = 1000;
  input.RowHeight = [](int32_t) { return 0; };
  EXPECT_EQ(lxGridCountVisibleRows(input).VisibleCount, 10);

  EXPECT_EQ(lxGridHeaderItemHeight(kMax, kMax), kMax);
  EXPECT_EQ(lxGridGroupByBoxHeight(kMax, kMax, kMax), kMax);
  EXPECT_EQ(lxGridTextRowHeight(kMax, kMax, true, false, glkBoth), kMax);
  EXPECT_EQ(lxGridDefaultRowHeight({kMax}, kMax, glkBoth), kMax);
  EXPECT_EQ(lxGridHeightForRows(kMax, 0, kMax, kMax, true), kMax);
  EXPECT_EQ(lxGridHeightForRows(0, kMax, 1, kMax, true), kMax);
  EXPECT_EQ(lxGridRowsHeight(kMax, kMax, kMax, glkNone), kMax);
  EXPECT_EQ(lxGridVisibleRowCountEstimate(kMax, 0, kMax, kMax), 0);
  EXPECT_EQ(lxGridFooterHeight(kMax, kMax, kMax, kMax, kMax), kMax);

  // Columns of the largest width share a 30,000-pixel view exactly.
  std::vector<TlxGridAutoWidthColumn> wide(1000, {kMax, 0, false});
  const std::vector<int32_t> widths = lxGridAutoWidths(wide, 30000);
  EXPECT_EQ(std::accumulate(widths.begin(), widths.end(), int64_t{0}), 30000);
  EXPECT_TRUE(lxGridAutoWidths({}, 30000).empty());

  // Parts taller than the view leave an empty band between them.
  const std::vector<TlxGridPartSlot> parts = {{gppTop, false, kMax, kMax, true}, {gppBottom, false, kMax, kMax, true}};
  const TRect client = lxGridTableClientBounds(Rect(0, 0, 0, 0), kMax, parts);
  EXPECT_LE(client.Top, client.Bottom);
  EXPECT_LE(client.Left, client.Right);
  const std::vector<TRect> rects = lxGridPartRects(Rect(0, 0, 30000, 30000), 0, parts);
  EXPECT_EQ(rects[0].Top, 0);
  EXPECT_EQ(rects[0].Bottom, kMax);
  EXPECT_EQ(lxGridDropZone(kMax - 1, kMax, {{kMax - 1, kMax}}, kMax - 1), 1);
}

}  // namespace table_layout_math_test
