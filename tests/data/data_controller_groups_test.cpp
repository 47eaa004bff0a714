#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/data_controller.h"
#include "tests/data/data_controller_test_grid.h"

namespace {

using data_controller_test::TFileGrid;
using Records = std::vector<int32_t>;

std::vector<std::string> RowLevels(TFileGrid& grid) {
  std::vector<std::string> rows;
  for (int32_t row = 0; row < grid.GetRowCount(); ++row) {
    const TlxRowInfo info = grid.GetRowInfo(row);
    rows.push_back(std::to_string(info.Level) + ":" + std::to_string(info.RecordIndex));
  }
  return rows;
}

TEST(DataGroupsTest, RecordsAaBGiveTwoGroups) {
  TFileGrid grid;
  grid.AddRows({{"a", 1}, {"a", 2}, {"b", 3}});
  grid.log.clear();
  grid.Groups().ChangeGroupIndex(grid.datei, 0);
  const TlxDataGroups& tree = grid.Groups().GroupTree();
  ASSERT_EQ(tree.Count(), 2);
  EXPECT_EQ(tree.ItemAt(0).BeginIndex, 0);
  EXPECT_EQ(tree.ItemAt(0).EndIndex, 1);
  EXPECT_EQ(tree.ItemAt(1).BeginIndex, 2);
  EXPECT_EQ(tree.ItemAt(1).EndIndex, 2);
  EXPECT_EQ(grid.GetRowCount(), 2);
  EXPECT_EQ(tree.ItemAt(1).RowIndex, 1);
  EXPECT_EQ(tree.ChildCount(-1), 2);
  EXPECT_EQ(grid.log.front(), "grouping-changing");
  EXPECT_EQ(grid.log.back(), "OnGroupingChanged");

  grid.Groups().ChangeExpanding(0, true, false);
  EXPECT_EQ(RowLevels(grid), (std::vector<std::string>{"0:0", "1:0", "1:1", "0:2"}));
  // A data row does not expand or collapse.
  grid.Groups().ChangeExpanding(1, false, false);
  EXPECT_EQ(grid.GetRowCount(), 4);
}

TEST(DataGroupsTest, TwoLevelsCollapseUnderTheOuterGroup) {
  TFileGrid grid;
  grid.AddRows({{"a", 1}, {"a", 2}, {"b", 1}});
  grid.Groups().ChangeGroupIndex(grid.datei, 0);
  grid.Groups().ChangeGroupIndex(grid.groesse, 1);
  grid.Groups().FullExpand();
  const TlxDataGroups& tree = grid.Groups().GroupTree();
  ASSERT_EQ(tree.Count(), 5);  // a, a/1, a/2, b, b/1
  EXPECT_EQ(grid.GetRowCount(), 8);
  grid.Groups().ChangeExpanding(0, false, false);
  EXPECT_EQ(tree.ItemAt(1).RowIndex, 0);
  EXPECT_EQ(tree.ItemAt(2).RowIndex, 0);
  int32_t nearest = -1;
  EXPECT_EQ(tree.Find(0, nearest), 0);
  EXPECT_EQ(tree.ChildRecordListIndex(0, 0), -1);
  EXPECT_EQ(grid.GetRowInfo(1).RecordIndex, 2);  // the "b" group row's first record
}

TEST(DataGroupsTest, ChangeGroupIndexToTheSameLevelDoesNothing) {
  TFileGrid grid;
  grid.AddRows({{"a", 1}});
  grid.Groups().ChangeGroupIndex(grid.datei, 0);
  grid.ChangeFocusedRowIndex(0);
  grid.SetEditingValue(grid.groesse, Variant(5));
  grid.log.clear();
  grid.Groups().ChangeGroupIndex(grid.datei, 0);
  EXPECT_TRUE(grid.log.empty());
  EXPECT_TRUE(grid.IsEditing());
}

TEST(DataGroupsTest, FocusFollowsItsRecordThroughCollapseAndSaveExpanding) {
  TFileGrid grid;
  ASSERT_TRUE(grid.HasOption(dcoSaveExpanding));
  grid.AddRows({{"b", 1}, {"a", 2}, {"b", 3}, {"a", 4}});
  grid.Groups().ChangeGroupIndex(grid.datei, 0);  // a(1,3) b(0,2)
  grid.Groups().ChangeExpanding(1, true, false);  // expand "b"
  grid.ChangeFocusedRecordIndex(2);
  EXPECT_EQ(grid.FocusedRowIndex(), 3);
  // A refresh rebuilds the tree: "b" stays expanded, the focus on record 2.
  grid.Refresh();
  EXPECT_TRUE(grid.Groups().GroupTree().ItemAt(1).Expanded);
  EXPECT_EQ(grid.FocusedRowIndex(), 3);
  EXPECT_EQ(grid.FocusedRecordIndex(), 2);
  // Sorting the group column descending moves "b" first; still expanded.
  grid.ChangeSortOrder(grid.datei, soDescending);
  EXPECT_TRUE(grid.Groups().GroupTree().ItemAt(0).Expanded);
  EXPECT_EQ(grid.FocusedRowIndex(), 2);
  // Collapsing moves the focus to the group row.
  grid.Groups().ChangeExpanding(0, false, false);
  EXPECT_EQ(grid.FocusedRowIndex(), 0);
  EXPECT_EQ(grid.GetRowCount(), 2);
  // Expanding again does not move the focus back into the group.
  grid.Groups().ChangeExpanding(0, true, false);
  EXPECT_EQ(grid.FocusedRowIndex(), 0);
}

TEST(DataGroupsTest, SortingInsideGroupsKeepsTheirExpansion) {
  TFileGrid grid;
  grid.AddRows({{"a", 2}, {"b", 9}, {"a", 1}});
  grid.Groups().ChangeGroupIndex(grid.datei, 0);
  grid.Groups().ChangeExpanding(0, true, false);
  grid.ChangeSortOrder(grid.groesse, soAscending);
  EXPECT_TRUE(grid.Groups().GroupTree().ItemAt(0).Expanded);
  EXPECT_EQ(grid.RecordOrder(), (Records{2, 2, 0, 1}));  // a group row shows its first record
  grid.ChangeSortOrder(grid.groesse, soDescending);
  EXPECT_EQ(grid.RecordOrder(), (Records{0, 0, 2, 1}));
}

TEST(DataGroupsTest, GroupsAlwaysExpandedIgnoresCollapsing) {
  TFileGrid grid;
  grid.SetOptions(grid.GetOptions() | dcoGroupsAlwaysExpanded);
  grid.AddRows({{"a", 1}, {"b", 2}});
  grid.Groups().ChangeGroupIndex(grid.datei, 0);
  EXPECT_EQ(grid.GetRowCount(), 4);
  grid.Groups().ChangeExpanding(0, false, false);
  grid.Groups().FullCollapse();
  EXPECT_EQ(grid.GetRowCount(), 4);
}

TEST(DataGroupsTest, DeleteFocusedOnAGroupRowDeletesItsRecords) {
  TFileGrid grid;
  grid.AddRows({{"a", 1}, {"b", 2}, {"a", 3}});
  grid.Groups().ChangeGroupIndex(grid.datei, 0);
  grid.ChangeFocusedRowIndex(0);  // group "a"
  grid.DeleteFocused();
  EXPECT_EQ(grid.GetRecordCount(), 1);
  EXPECT_EQ(VarToStr(grid.GetValue(0, grid.datei)), "b");
}

TEST(DataGroupsTest, NearestRowPrefersTheSameLevel) {
  TFileGrid grid;
  grid.AddRows({{"a", 1}, {"a", 2}, {"b", 3}});
  grid.Groups().ChangeGroupIndex(grid.datei, 0);
  grid.Groups().FullExpand();  // rows: a, 0, 1, b, 2; only neighbours count
  struct Case {
    int32_t row;
    int32_t nearest;
  };
  for (const Case& c : {Case{0, 1}, Case{1, 2}, Case{2, 1}, Case{3, 4}, Case{4, 3}})
    EXPECT_EQ(grid.GetNearestRowIndex(c.row), c.nearest) << c.row;
}

TEST(DataGroupsTest, NewRecordTakesTheFocusedGroupsValues) {
  TFileGrid grid;
  grid.AddRows({{"a", 1}, {"b", 2}});
  grid.Groups().ChangeGroupIndex(grid.datei, 0);
  grid.Groups().FullExpand();
  grid.ChangeFocusedRowIndex(3);  // the record of "b"
  grid.Insert();
  EXPECT_EQ(VarToStr(grid.GetValue(grid.FocusedRecordIndex(), grid.datei)), "b");
}

}  // namespace
