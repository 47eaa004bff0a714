#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "tabs/tab.h"
#include "tabs/tab_rows.h"
#include "tabs/tabs.h"
#include "tabs/visible_tab_list.h"
#include "tests/tabs/fixed_width_painter.h"

namespace {

void AddTabs(TlxTabControlModel& control, const std::vector<int32_t>& widths) {
  for (int32_t width : widths)
    control.Tabs().Add(std::to_string(width));
}

// Per visible tab: its row and its width.
std::vector<std::pair<int32_t, int32_t>> RowsAndWidths(TlxTabControlModel& control) {
  std::vector<std::pair<int32_t, int32_t>> result;
  for (int32_t i = 0; i < control.VisibleTabs().Count(); ++i) {
    TlxTab* tab = control.VisibleTabs().GetTab(i);
    result.emplace_back(tab->RowIndex(), tab->LayoutWidth());
  }
  return result;
}

TEST(TabRowsTest, BalanceAndJustifyTheWorkedExamples) {
  TFixedTabControl control;
  control.SetControlSize(170, 200);
  control.SetMultiLine(true);
  AddTabs(control, {30, 80, 30, 80, 30, 80});
  using Rows = std::vector<std::pair<int32_t, int32_t>>;
  EXPECT_EQ(RowsAndWidths(control), (Rows{{0, 46}, {0, 124}, {1, 46}, {1, 124}, {2, 46}, {2, 124}}));
  EXPECT_EQ(control.RowCount(), 3);
  // Asking for the length that fits all tabs leaves the rows as they are.
  EXPECT_EQ(control.CalculateLengthToFitAllTabs(), 330);
  EXPECT_EQ(RowsAndWidths(control), (Rows{{0, 46}, {0, 124}, {1, 46}, {1, 124}, {2, 46}, {2, 124}}));

  control.SetRaggedRight(true);
  EXPECT_EQ(RowsAndWidths(control), (Rows{{0, 30}, {0, 80}, {1, 30}, {1, 80}, {2, 30}, {2, 80}}));

  TFixedTabControl sevens;
  sevens.SetControlSize(130, 200);
  sevens.SetMultiLine(true);
  sevens.SetRaggedRight(true);
  AddTabs(sevens, {40, 40, 40, 40, 40, 40, 40});
  std::vector<int32_t> rows;
  for (const auto& [row, width] : RowsAndWidths(sevens))
    rows.push_back(row);
  EXPECT_EQ(rows, (std::vector<int32_t>{0, 0, 0, 1, 1, 2, 2}));
}

TEST(TabRowsTest, RotatedRaggedRowsAreNotBalanced) {
  const std::vector<int32_t> extents = {40, 40, 40, 40, 40, 40, 40};
  std::vector<TlxPCRowBounds> rows = {{0, 2}, {3, 5}, {6, 6}};
  lxPCBalanceRows(extents, rows, 0, 130);
  EXPECT_EQ(rows, (std::vector<TlxPCRowBounds>{{0, 2}, {3, 4}, {5, 6}}));

  TFixedTabControl control;
  control.SetControlSize(200, 200);
  control.SetTabPosition(tpLeft);
  control.SetRotate(true);
  control.SetRaggedRight(true);
  control.SetMultiLine(true);
  control.painter.tab_height = 40;
  AddTabs(control, {50, 50, 50, 50, 50, 50, 50});
  // Rotated tabs are all as long as the tab height: 200 holds five of 40.
  std::vector<int32_t> row_of;
  for (const auto& [row, width] : RowsAndWidths(control))
    row_of.push_back(row);
  EXPECT_EQ(row_of, (std::vector<int32_t>{0, 0, 0, 0, 0, 1, 1}));
}

TEST(TabRowsTest, JustifyGivesTheRestToTheLastTab) {
  EXPECT_EQ(lxPCJustifyRow(std::vector<int32_t>{30, 80}, 0, 170), (std::vector<int32_t>{46, 124}));
  EXPECT_EQ(lxPCJustifyRow(std::vector<int32_t>{10, 10, 10}, 5, 50), (std::vector<int32_t>{13, 13, 14}));
  EXPECT_EQ(lxPCJustifyRow(std::vector<int32_t>{100}, 0, 80), (std::vector<int32_t>{100}));
  EXPECT_EQ(lxPCJustifyRow(std::vector<int32_t>{0, 0}, 0, 80), (std::vector<int32_t>{0, 0}));
}

TEST(TabRowsTest, AWideTabGetsARowOfItsOwnNarrowedToTheRow) {
  TFixedTabControl control;
  control.SetControlSize(100, 200);
  control.SetMultiLine(true);
  control.SetRaggedRight(true);
  AddTabs(control, {30, 250, 30, 30});
  using Rows = std::vector<std::pair<int32_t, int32_t>>;
  EXPECT_EQ(RowsAndWidths(control), (Rows{{0, 30}, {1, 100}, {2, 30}, {2, 30}}));
  // A painter whose smallest tab is wider than the row keeps the width.
  control.painter.min_tab_width = 120;
  control.RecalculateLayout();
  EXPECT_EQ(control.Tabs().GetTab(1)->LayoutWidth(), 250);

  // A row holding only a tab of no width is still taken.
  TFixedTabControl zero;
  zero.SetControlSize(100, 200);
  zero.SetMultiLine(true);
  zero.SetRaggedRight(true);
  AddTabs(zero, {0, 250});
  EXPECT_EQ(RowsAndWidths(zero), (Rows{{0, 0}, {1, 100}}));
}

TEST(TabRowsTest, MultiLineShowsNoNavigatorButtons) {
  TFixedTabControl control;
  control.SetControlSize(100, 200);
  control.SetOptions(kPCDefaultOptions | lxPCOptionBit(pcoCloseButton) | lxPCOptionBit(pcoGoDialog));
  control.SetMultiLine(true);
  AddTabs(control, {60, 60, 60});
  EXPECT_EQ(control.NavigatorButtons(), 0);
  EXPECT_EQ(control.RowCount(), 3);
}

TEST(TabScrollingTest, ExactFitShowsNoArrowsOnePixelLessDoes) {
  TFixedTabControl control;
  control.SetOptions(kPCDefaultOptions | lxPCOptionBit(pcoGoDialog));
  control.SetOptions(control.Options() & ~lxPCOptionBit(pcoAlwaysShowGoDialogButton));
  control.painter.gap_along = 2;
  AddTabs(control, {50, 50, 50});
  control.SetControlSize(154, 100);
  EXPECT_EQ(control.NavigatorButtons(), 0);
  EXPECT_TRUE(control.LastTabFits());
  EXPECT_LE(control.CalculateLengthToFitAllTabs(), 154);

  control.SetControlSize(153, 100);
  EXPECT_EQ(control.NavigatorButtons(),
            lxPCButtonBit(nbTopLeft) | lxPCButtonBit(nbBottomRight) | lxPCButtonBit(nbGoDialog));
  EXPECT_EQ(control.CalculateLengthToFitAllTabs(), 154);
  EXPECT_EQ(control.NavigatorButtonState(nbTopLeft), nbsDisabled);
  EXPECT_EQ(control.NavigatorButtonState(nbBottomRight), nbsNormal);

  control.SetOptions(control.Options() & ~lxPCOptionBit(pcoGoDialog));
  EXPECT_EQ(control.NavigatorButtons(), lxPCButtonBit(nbTopLeft) | lxPCButtonBit(nbBottomRight));
  control.SetOptions(control.Options() | lxPCOptionBit(pcoNoArrows));
  EXPECT_EQ(control.NavigatorButtons(), 0);
}

TEST(TabScrollingTest, ArrowsScrollAndStopAtTheEnd) {
  TFixedTabControl control;
  AddTabs(control, {50, 50, 50, 50, 50});
  control.SetControlSize(140, 100);  // 100 left for tabs beside two arrows
  EXPECT_EQ(control.FirstDisplayedTab(), 0);
  EXPECT_EQ(control.LastDisplayedTab(), 1);  // the row is full after two
  EXPECT_FALSE(control.LastTabFits());
  control.ScrollBy(1);
  EXPECT_EQ(control.FirstDisplayedTab(), 1);
  EXPECT_EQ(control.NavigatorButtonState(nbTopLeft), nbsNormal);
  control.ScrollBy(10);
  EXPECT_EQ(control.FirstDisplayedTab(), 3);
  EXPECT_TRUE(control.LastTabFits());
  EXPECT_EQ(control.NavigatorButtonState(nbBottomRight), nbsDisabled);
  control.ScrollBy(-10);
  EXPECT_EQ(control.FirstDisplayedTab(), 0);
  EXPECT_EQ(control.NavigatorButtonState(nbTopLeft), nbsDisabled);
}

TEST(TabScrollingTest, WideningFillsTheRowFromTheLeft) {
  TFixedTabControl control;
  AddTabs(control, {50, 50, 50, 50, 50});
  control.SetControlSize(140, 100);
  control.ScrollBy(3);
  ASSERT_EQ(control.FirstDisplayedTab(), 3);
  control.SetControlSize(190, 100);  // 150 for tabs: three of them
  EXPECT_EQ(control.FirstDisplayedTab(), 2);
  EXPECT_EQ(control.LastDisplayedTab(), 4);
  EXPECT_TRUE(control.LastTabFits());
  control.SetControlSize(250, 100);  // everything fits: no arrows
  EXPECT_EQ(control.FirstDisplayedTab(), 0);
  EXPECT_EQ(control.NavigatorButtons(), 0);
}

TEST(TabScrollingTest, ChoosingATabScrollsItIntoView) {
  TFixedTabControl control;
  AddTabs(control, {50, 50, 50, 50, 50});
  control.SetControlSize(140, 100);
  control.SetTabIndex(4);
  EXPECT_EQ(control.LastDisplayedTab(), 4);
  EXPECT_EQ(control.FirstDisplayedTab(), 3);
  control.SetTabIndex(0);
  EXPECT_EQ(control.FirstDisplayedTab(), 0);
}

TEST(TabScrollingTest, ReversedRowsRunFromTheEnd) {
  TFixedTabControl control;
  control.SetTabPosition(tpLeft);
  AddTabs(control, {30, 40});
  control.SetControlSize(100, 200);
  // Left tabs read bottom to top: the first tab ends at the bottom.
  EXPECT_EQ(control.Tabs().GetTab(0)->BaseRect(), TRect(0, 170, 20, 200));
  EXPECT_EQ(control.Tabs().GetTab(1)->BaseRect(), TRect(0, 130, 20, 170));
}

TEST(TabScrollingTest, RowLengthBelowOneLaysOutNothing) {
  TFixedTabControl control;
  AddTabs(control, {50, 50});
  control.SetControlSize(0, 0);
  EXPECT_EQ(control.GetVisibleTabIndexAt(1, 1), -1);
  control.SetMultiLine(true);
  EXPECT_EQ(control.GetVisibleTabIndexAt(1, 1), -1);
  EXPECT_EQ(control.Tabs().GetTab(0)->DisplayRect(), TRect());
}

TEST(TabLayoutTest, TabIndexBeyondTheTabsIsLoweredSilently) {
  TFixedTabControl control;
  AddTabs(control, {50, 50, 50});
  control.SetTabIndex(2);
  int32_t events = 0;
  control.OnChange = [&](TObject*) { ++events; };
  control.OnChanging = [&](TObject*, bool&) { ++events; };
  control.SetLoading(true);
  control.Tabs().Delete(2);
  control.SetLoading(false);
  control.RecalculateLayout();
  EXPECT_EQ(control.TabIndex(), 1);
  EXPECT_EQ(events, 0);
}

// Tabs of three rows; the main tab's row and the side decide the order.
struct DisplayCase {
  TlxTabPosition position;
  bool rotate;
  bool top_to_bottom;
  // Without a main tab: whether the first row lies next to the page.
  bool first_row_near_page;
};

class TabDisplayRowsTest : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(TabDisplayRowsTest, RowsArePlacedAroundThePage) {
  const DisplayCase c = GetParam();
  for (bool scroll_opposite : {false, true}) {
    for (int32_t main_row = -1; main_row < 3; ++main_row) {
      TFixedTabControl control;
      control.painter.tab_height = 20;
      control.SetControlSize(300, 300);
      control.SetTabPosition(c.position);
      control.SetRotate(c.rotate);
      if (c.top_to_bottom)
        control.SetOptions(control.Options() | lxPCOptionBit(pcoTopToBottomText));
      control.SetMultiLine(true);
      control.SetScrollOpposite(scroll_opposite);
      const int32_t width = c.rotate ? 50 : 150;
      AddTabs(control, {width, width, width, width, width, width});
      if (c.rotate) {
        // Rotated tabs are as long as the tab height: make rows of two.
        control.painter.tab_height = 150;
        control.RecalculateLayout();
      }
      ASSERT_EQ(control.RowCount(), 3);
      control.SetTabIndex(main_row < 0 ? -1 : main_row * 2);
      const int32_t rows = control.RowCount();

      std::set<int32_t> display_rows;
      for (int32_t i = 0; i < 6; ++i)
        display_rows.insert(control.Tabs().GetTab(i)->DisplayRowIndex());
      EXPECT_EQ(display_rows, (std::set<int32_t>{0, 1, 2}));

      // The page side of the tab rows: where the rows meet the page.
      const bool axis_x = lxPCIsRowAxisX(c.position);
      const bool tabs_before_page = c.position == tpTop || c.position == tpLeft;
      auto across = [&](int32_t tab_index) {
        const TRect r = control.Tabs().GetTab(tab_index)->BaseRect();
        return axis_x ? r.Top : r.Left;
      };
      if (main_row < 0) {
        int32_t nearest = across(0);
        for (int32_t i = 0; i < 6; i += 2)
          nearest = tabs_before_page ? std::max(nearest, across(i)) : std::min(nearest, across(i));
        EXPECT_EQ(across(0) == nearest, c.first_row_near_page);
        continue;
      }
      const TlxTab* main = control.Tabs().GetTab(main_row * 2);
      const bool main_on_tab_side = (main->DisplayRowIndex() < control.TopOrLeftPartRowCount()) == tabs_before_page;
      EXPECT_TRUE(main_on_tab_side);
      int32_t tab_side_rows = 0;
      for (int32_t i = 0; i < 6; i += 2) {
        const bool top_part = control.Tabs().GetTab(i)->DisplayRowIndex() < control.TopOrLeftPartRowCount();
        tab_side_rows += top_part == tabs_before_page ? 1 : 0;
      }
      if (!scroll_opposite) {
        EXPECT_EQ(tab_side_rows, rows);
        // The main row lies next to the page.
        int32_t nearest = across(0);
        for (int32_t i = 0; i < 6; i += 2)
          nearest = tabs_before_page ? std::max(nearest, across(i)) : std::min(nearest, across(i));
        EXPECT_EQ(across(main_row * 2), nearest) << "main row " << main_row;
      } else {
        // The rows after the main row in reading order go to the far side.
        const bool reversed_rows = control.Tabs().GetTab(0)->DisplayRowIndex() !=
                                   (tabs_before_page ? 0 : rows - 1);
        const int32_t main_display = reversed_rows ? rows - 1 - main_row : main_row;
        EXPECT_EQ(tab_side_rows, main_display + 1) << "main row " << main_row;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(SidesAndDirections, TabDisplayRowsTest,
                         ::testing::Values(DisplayCase{tpTop, false, false, false}, DisplayCase{tpTop, false, true, false},
                                           DisplayCase{tpTop, true, false, true}, DisplayCase{tpTop, true, true, false},
                                           DisplayCase{tpBottom, false, false, true},
                                           DisplayCase{tpBottom, false, true, true},
                                           DisplayCase{tpBottom, true, false, false},
                                           DisplayCase{tpBottom, true, true, true},
                                           DisplayCase{tpLeft, false, false, false},
                                           DisplayCase{tpLeft, false, true, true}, DisplayCase{tpLeft, true, false, false},
                                           DisplayCase{tpLeft, true, true, false},
                                           DisplayCase{tpRight, false, false, true},
                                           DisplayCase{tpRight, false, true, false},
                                           DisplayCase{tpRight, true, false, true},
                                           DisplayCase{tpRight, true, true, true}));

TEST(TabLayoutTest, BottomTabsPutDisplayRowZeroNextToThePage) {
  TFixedTabControl control;
  control.SetControlSize(100, 300);
  control.SetTabPosition(tpBottom);
  control.SetMultiLine(true);
  control.SetRaggedRight(true);
  AddTabs(control, {60, 60, 60});
  TlxTab* row_zero = nullptr;
  int32_t highest_top = 300;
  for (int32_t i = 0; i < 3; ++i) {
    TlxTab* tab = control.Tabs().GetTab(i);
    highest_top = std::min(highest_top, tab->BaseRect().Top);
    if (tab->DisplayRowIndex() == 0)
      row_zero = tab;
  }
  ASSERT_NE(row_zero, nullptr);
  EXPECT_EQ(row_zero->BaseRect().Top, highest_top);
  EXPECT_EQ(control.TopOrLeftPartRowCount(), 0);
}

TEST(TabLayoutTest, PartsKeepTheirGapWhenRowsLieOnBothSides) {
  TFixedTabControl control;
  control.painter.parts_gap = 30;
  control.SetControlSize(100, 200);
  control.SetMultiLine(true);
  control.SetScrollOpposite(true);
  AddTabs(control, {60, 60, 60});
  control.SetTabIndex(0);
  ASSERT_EQ(control.TopOrLeftPartRowCount(), 1);
  EXPECT_TRUE(control.HasTabsOnBothSides());
  EXPECT_EQ(control.TopOrLeftPartClip(), TRect(0, 0, 100, 20));
  // Two rows at the bottom: 160..200; the gap needs only 50.
  EXPECT_EQ(control.BottomOrRightPartClip(), TRect(0, 160, 100, 200));
  control.painter.parts_gap = 150;
  control.RecalculateLayout();
  EXPECT_EQ(control.BottomOrRightPartClip().Top, 170);
}

TEST(TabLayoutTest, RotatedRowThicknessFollowsTheWidestTab) {
  TFixedTabControl control;
  control.SetControlSize(300, 300);
  control.SetTabPosition(tpLeft);
  control.SetRotate(true);
  AddTabs(control, {40, 90, 60});
  EXPECT_EQ(control.RowThickness(), 90);
  EXPECT_EQ(control.MaxCaptionWidth(), 90);
  control.SetMaxRotatedTabWidth(70);
  EXPECT_EQ(control.RowThickness(), 70);
  control.SetMaxRotatedTabWidth(-4);
  EXPECT_EQ(control.MaxRotatedTabWidth(), 0);
  control.painter.min_tab_width = 80;
  control.SetMaxRotatedTabWidth(30);
  EXPECT_EQ(control.MaxRotatedTabWidth(), 80);
  EXPECT_EQ(control.RowThickness(), 80);
}

TEST(TabLayoutTest, RotateIsRefusedByAStyleThatCannot) {
  TFixedTabControl control;
  control.painter.can_rotate = false;
  try {
    control.SetRotate(true);
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Fixed style does not support rotation of tabs");
  }
  EXPECT_FALSE(control.Rotate());
}

TEST(TabLayoutTest, HitTestFindsDisplayedTabsOnly) {
  TFixedTabControl control;
  AddTabs(control, {50, 50, 50, 50});
  control.SetControlSize(140, 100);
  EXPECT_EQ(control.GetVisibleTabIndexAt(10, 5), 0);
  EXPECT_EQ(control.GetVisibleTabIndexAt(60, 5), 1);
  EXPECT_EQ(control.GetVisibleTabIndexAt(60, 25), -1);  // below the row
  control.ScrollBy(2);
  EXPECT_EQ(control.GetVisibleTabIndexAt(10, 5), 2);
}

}  // namespace
