#include "editors/kinds/lookup_grid_layout.h"

#include <gtest/gtest.h>

#include <limits>

namespace lookup_grid_layout_test {

// A header 20 high, rows of 16 plus a 1-pixel line, client bottom 200.
TlxLookupGridRowsInput Input(int32_t row_count, int32_t client_bottom = 200, TlxGridLines lines = glBoth) {
  TlxLookupGridRowsInput input;
  input.RowsTop = 20;
  input.ClientBottom = client_bottom;
  input.RowMinHeight = 16;
  input.LineWidth = 1;
  input.GridLines = lines;
  input.RowCount = row_count;
  return input;
}

TEST(LookupGridLayoutTest, RowsStopAtTheFirstOnePastTheBottom) {
  // 180 pixels for rows of 17: ten whole rows, the eleventh cut off.
  const TlxLookupGridRowsLayout layout = lxLayOutLookupGridRows(Input(1000));
  EXPECT_EQ(layout.VisibleRowCount, 10);
  EXPECT_EQ(layout.PartVisibleRowCount, 11);
  ASSERT_EQ(layout.Rows.size(), 11u) << "a thousand rows of data, but only what fits is built";
  EXPECT_EQ(layout.Rows[0].Top, 20);
  EXPECT_EQ(layout.Rows[0].Bottom, 37);
  EXPECT_EQ(layout.VisibleRowsBottom, 20 + 10 * 17);
  EXPECT_EQ(layout.RowsBottom, 20 + 11 * 17);
}

TEST(LookupGridLayoutTest, ACutOffSingleRowCountsAsVisible) {
  const TlxLookupGridRowsLayout layout = lxLayOutLookupGridRows(Input(5, 30));
  EXPECT_EQ(layout.PartVisibleRowCount, 1);
  EXPECT_EQ(layout.VisibleRowCount, 1);
  EXPECT_EQ(layout.VisibleRowsBottom, 20) << "the visible rows rectangle stays empty";
}

TEST(LookupGridLayoutTest, BottomLinesFollowTheGridLines) {
  // Three rows of 16 end at 68 without lines.
  struct Case {
    TlxGridLines lines;
    int32_t client_bottom;
    std::vector<bool> bottom_lines;
  };
  const Case cases[] = {
      {glBoth, 200, {true, true, true}},
      {glHorizontal, 200, {true, true, true}},
      {glNone, 200, {false, false, false}},
      {glVertical, 200, {false, false, true}},  // the last row of the data closes the grid
      {glVertical, 68, {false, false, false}},  // ... unless it ends exactly at the bottom
  };
  for (const Case& c : cases) {
    const TlxLookupGridRowsLayout layout = lxLayOutLookupGridRows(Input(3, c.client_bottom, c.lines));
    ASSERT_EQ(layout.Rows.size(), 3u) << static_cast<int>(c.lines);
    for (size_t i = 0; i < 3; ++i)
      EXPECT_EQ(layout.Rows[i].BottomLine, c.bottom_lines[i]) << static_cast<int>(c.lines) << " row " << i;
  }
}

TEST(LookupGridLayoutTest, RightLinesAndRowHeightFollowTheGridLines) {
  EXPECT_TRUE(lxLookupGridCellHasRightLine(glBoth, 0, 3));
  EXPECT_TRUE(lxLookupGridCellHasRightLine(glVertical, 1, 3));
  EXPECT_FALSE(lxLookupGridCellHasRightLine(glHorizontal, 1, 3));
  EXPECT_TRUE(lxLookupGridCellHasRightLine(glHorizontal, 2, 3)) << "the last cell closes the row";
  EXPECT_FALSE(lxLookupGridCellHasRightLine(glNone, 2, 3));
  EXPECT_EQ(lxLookupGridRowHeight(16, 1, glBoth), 17);
  EXPECT_EQ(lxLookupGridRowHeight(16, 1, glHorizontal), 17);
  EXPECT_EQ(lxLookupGridRowHeight(16, 1, glVertical), 16);
  EXPECT_EQ(lxLookupGridRowHeight(16, 1, glNone), 16);
}

TEST(LookupGridLayoutTest, TopRowLeavesNoSpaceBelowTheData) {
  // Room for ten rows.
  EXPECT_EQ(lxCheckLookupGridTopRow(Input(3), 2), 0) << "three rows: nothing may stay empty above them";
  EXPECT_EQ(lxCheckLookupGridTopRow(Input(100), 95), 90);
  EXPECT_EQ(lxCheckLookupGridTopRow(Input(100), 40), 40);
  EXPECT_EQ(lxCheckLookupGridTopRow(Input(0), 0), 0);
  EXPECT_EQ(lxClampLookupGridTopRow(7, 3), 2);
  EXPECT_EQ(lxClampLookupGridTopRow(-4, 3), 0);
  EXPECT_EQ(lxClampLookupGridTopRow(5, 0), 0);
}

TEST(LookupGridLayoutTest, ARowBecomesVisibleAtTheNearerEdge) {
  EXPECT_EQ(lxLookupGridTopRowShowing(3, 10, 5), 3);
  EXPECT_EQ(lxLookupGridTopRowShowing(12, 10, 5), 10);
  EXPECT_EQ(lxLookupGridTopRowShowing(20, 10, 5), 16) << "the row becomes the last visible one";
  EXPECT_EQ(lxLookupGridTopRowShowing(20, 10, 0), 10) << "nothing is visible to scroll against";
  EXPECT_EQ(lxLookupGridPageRowCount(10), 9);
  EXPECT_EQ(lxLookupGridPageRowCount(1), 1);
  EXPECT_EQ(lxLookupGridPageRowCount(0), 1);
}

TEST(LookupGridLayoutTest, AutoScrollStepsOneRowPastTheVisibleOnes) {
  // Top 10 with 5 visible rows: 10..14 show; the next rows are 9 and 15.
  EXPECT_EQ(lxLookupGridAutoScrollRow(lgasUp, 10, 5, 100), 9);
  EXPECT_EQ(lxLookupGridAutoScrollRow(lgasDown, 10, 5, 100), 15) << "no row is skipped";
  EXPECT_EQ(lxLookupGridAutoScrollRow(lgasUp, 0, 5, 100), 0);
  EXPECT_EQ(lxLookupGridAutoScrollRow(lgasDown, 95, 5, 100), 99);
}

TEST(LookupGridLayoutTest, NearestPopupHeightIsWholeRows) {
  // Header 20, rows 17, 50 rows of data.
  EXPECT_EQ(lxLookupGridNearestPopupHeight(200, 20, 17, 50), 20 + 10 * 17);
  EXPECT_EQ(lxLookupGridNearestPopupHeight(25, 20, 17, 50), 20 + 17) << "at least one row";
  EXPECT_EQ(lxLookupGridNearestPopupHeight(1000, 20, 17, 3), 20 + 3 * 17) << "at most the data's rows";
  EXPECT_EQ(lxLookupGridNearestPopupHeight(1000, 20, 17, 0), 20 + 17) << "one row without data";
  EXPECT_EQ(lxLookupGridNearestPopupHeight(1000, 20, 0, 10), 20) << "no row height: no division";
}

TEST(LookupGridLayoutTest, HeaderClickSortOrders) {
  struct Case {
    TlxDataSortOrder current;
    bool ctrl;
    bool shift;
    TlxDataSortOrder order;
    bool clear_others;
  };
  const Case cases[] = {
      {soNone, false, false, soAscending, true},     {soAscending, false, false, soDescending, true},
      {soDescending, false, false, soAscending, true}, {soNone, false, true, soAscending, false},
      {soAscending, true, false, soNone, false},     {soAscending, true, true, soNone, false},
  };
  for (const Case& c : cases) {
    const TlxLookupGridSortClick click = lxLookupGridHeaderClickSort(c.current, c.ctrl, c.shift);
    EXPECT_EQ(click.NewOrder, c.order) << c.current << c.ctrl << c.shift;
    EXPECT_EQ(click.ClearOthers, c.clear_others) << c.current << c.ctrl << c.shift;
  }
}

TEST(LookupGridLayoutTest, ScrollBarsOverRowsAndOverRecordNumbers) {
  TlxLookupGridScrollBar rows = lxLookupGridRowsScrollBar(100, 7, 10, 0, 0);
  EXPECT_EQ(rows.Max, 99);
  EXPECT_EQ(rows.Page, 10);
  EXPECT_EQ(rows.Position, 7);
  rows = lxLookupGridRowsScrollBar(100, 7, 10, 1, 1);
  EXPECT_EQ(rows.Max, 101) << "one extra row for the records on each side of the loaded window";
  EXPECT_EQ(rows.Position, 8);
  // Grid mode over 1000 numbered records with 10 visible rows.
  const TlxLookupGridScrollBar records = lxLookupGridRecordsScrollBar(1000, 1, 10);
  EXPECT_EQ(records.Min, 0);
  EXPECT_EQ(records.Max, 1008);
  EXPECT_EQ(records.Position, 0);
}

TEST(LookupGridLayoutTest, DatasetColumnWidths) {
  EXPECT_EQ(lxLookupDBGridColumnWidth(7, 10, 0, 20), 74);
  EXPECT_EQ(lxLookupDBGridColumnWidth(7, 10, 90, 20), 90) << "the caption needs more";
  EXPECT_EQ(lxLookupDBGridColumnWidth(7, 1, 0, 20), 20) << "never below the minimum";
  EXPECT_EQ(lxLookupDBGridColumnWidth(1000, std::numeric_limits<int32_t>::max(), 0, 20),
            std::numeric_limits<int32_t>::max());
  int32_t right = 0;
  EXPECT_EQ(lxLookupGridColumnLefts(5, {10, 20, 30}, right), (std::vector<int32_t>{5, 15, 35}));
  EXPECT_EQ(right, 65);
  EXPECT_TRUE(lxLookupGridColumnLefts(5, {}, right).empty());
  EXPECT_EQ(right, 5);
}

TEST(LookupGridLayoutTest, HugeSizesDoNotWrapOrHang) {
  TlxLookupGridRowsInput input = Input(std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max());
  input.RowMinHeight = std::numeric_limits<int32_t>::max();
  const TlxLookupGridRowsLayout layout = lxLayOutLookupGridRows(input);
  EXPECT_GE(layout.RowsBottom, input.RowsTop);
  EXPECT_LE(layout.Rows.size(), 2u);
  TlxLookupGridRowsInput zero = Input(1000);
  zero.RowMinHeight = 0;
  const TlxLookupGridRowsLayout zero_layout = lxLayOutLookupGridRows(zero);
  EXPECT_LE(zero_layout.Rows.size(), 200u) << "rows without height are bounded by the client height";
}

}  // namespace lookup_grid_layout_test
