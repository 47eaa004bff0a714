#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/data_summary.h"
#include "data/data_summary_items.h"
#include "grid/grid_summary_sorting.h"
#include "tests/data/data_controller_test_grid.h"

namespace grid_summary_sorting_test {

using data_controller_test::TTestGrid;

// Regions and cities with amounts: the grid groups by region, then city.
class TSalesGrid : public TTestGrid {
 public:
  TSalesGrid() {
    region = AddColumn("Region", lxValueTypeClass<TlxStringValueType>());
    city = AddColumn("Stadt", lxValueTypeClass<TlxStringValueType>());
    amount = AddColumn("Betrag", lxValueTypeClass<TlxIntegerValueType>());
  }

  const TClass* GetSortingBySummaryEngineClass() const override { return &TlxGridSortingBySummaryEngine::kClass; }

  // A sorted sum of the amounts for the groups of one grouping column.
  TlxDataSummaryItem* SortedSumFor(int32_t grouping_item) {
    TlxDataSummaryGroup* group = Summary().SummaryGroups().AddGroup();
    group->Links().AddLink()->SetLinkedItem(GetItem(grouping_item));
    TlxDataSummaryItem* item = group->SummaryItems().AddItem(GetItem(amount), spGroup, skSum, "");
    item->SetSorted(true);
    return item;
  }

  // Every group in list order as "level:value", with its row index when it
  // is shown.
  std::vector<std::string> GroupOrder() {
    const TlxDataGroups& groups = ControllerInfo().DataGroups();
    std::vector<std::string> order;
    for (int32_t g = 0; g < groups.Count(); ++g) {
      const TlxDataGroupInfo& info = groups.ItemAt(g);
      const int32_t record = ControllerInfo().RecordIndexAt(groups.FirstRecordListIndex(g));
      const int32_t item = Groups().GroupedItemIndex(info.Level);
      order.push_back(std::to_string(info.Level) + ":" + VarToStr(GetValue(record, item)));
    }
    return order;
  }

  int32_t region = 0;
  int32_t city = 0;
  int32_t amount = 0;
};

void AddSales(TSalesGrid& grid) {
  grid.AddRows({{"Nord", "Aachen", 5},
                {"Nord", "Bremen", 1},
                {"Sued", "Dachau", 10},
                {"Nord", "Celle", 3},
                {"Sued", "Erding", 10},
                {"Ost", "Gera", 2},
                {"Sued", "Dachau", 0}});
}

TEST(GridSummarySortingTest, OnlyTheLevelWithASortingSummaryIsReordered) {
  TSalesGrid grid;
  AddSales(grid);
  grid.SortedSumFor(grid.city);
  grid.Groups().ChangeGroupIndex(grid.region, 0);
  grid.Groups().ChangeGroupIndex(grid.city, 1);
  // Regions keep their ascending order; cities go by their sum, and the tie
  // of Dachau and Erding (10 each) falls back to the city names.
  EXPECT_EQ(grid.GroupOrder(), (std::vector<std::string>{"0:Nord", "1:Bremen", "1:Celle", "1:Aachen", "0:Ost",
                                                         "1:Gera", "0:Sued", "1:Dachau", "1:Erding"}));
}

TEST(GridSummarySortingTest, TiesFollowTheGroupingDirectionAndDescendingReversesOnlyTheSummary) {
  TSalesGrid grid;
  AddSales(grid);
  grid.SortedSumFor(grid.city);
  grid.Groups().ChangeGroupIndex(grid.region, 0);
  grid.Groups().ChangeGroupIndex(grid.city, 1);
  grid.ChangeSortOrder(grid.city, soDescending);
  // Cities now by descending sum; the tie goes by descending name.
  EXPECT_EQ(grid.GroupOrder(), (std::vector<std::string>{"0:Nord", "1:Aachen", "1:Celle", "1:Bremen", "0:Ost",
                                                         "1:Gera", "0:Sued", "1:Erding", "1:Dachau"}));
}

TEST(GridSummarySortingTest, FirstLevelByItsSumKeepsEachSubtreeWithItsGroup) {
  TSalesGrid grid;
  AddSales(grid);
  grid.SortedSumFor(grid.region);
  grid.Groups().ChangeGroupIndex(grid.region, 0);
  grid.Groups().ChangeGroupIndex(grid.city, 1);
  // Ost 2, Nord 9, Sued 20; the cities inside keep their name order.
  EXPECT_EQ(grid.GroupOrder(), (std::vector<std::string>{"0:Ost", "1:Gera", "0:Nord", "1:Aachen", "1:Bremen",
                                                         "1:Celle", "0:Sued", "1:Dachau", "1:Erding"}));
  // The moved subtrees still hold their own rows and children.
  const TlxDataGroups& groups = grid.ControllerInfo().DataGroups();
  EXPECT_EQ(groups.ChildCount(2), 3);
  EXPECT_EQ(groups.ItemAt(2).BeginIndex, 3);
  EXPECT_EQ(groups.ItemAt(2).EndIndex, 5);
}

TEST(GridSummarySortingTest, ControllerSortingItemOrdersEveryMatchingLevelInItsOwnDirection) {
  TSalesGrid grid;
  AddSales(grid);
  // One default group item for every level: the controller's sorting item
  // picks it on both levels, in the amount column's direction.
  grid.Summary().DefaultGroupSummaryItems().AddItem(grid.GetItem(grid.amount), spGroup, skSum, "");
  grid.Groups().ChangeGroupIndex(grid.region, 0);
  grid.Groups().ChangeGroupIndex(grid.city, 1);
  grid.SetSortingBySummaryItemIndex(grid.amount);
  grid.ChangeSortOrder(grid.amount, soDescending);
  EXPECT_EQ(grid.GroupOrder(), (std::vector<std::string>{"0:Sued", "1:Dachau", "1:Erding", "0:Nord", "1:Aachen",
                                                         "1:Celle", "1:Bremen", "0:Ost", "1:Gera"}));
}

TEST(GridSummarySortingTest, CollapsedGroupKeepsOneRowAfterTheSort) {
  TSalesGrid grid;
  AddSales(grid);
  grid.SortedSumFor(grid.region);
  grid.Groups().ChangeGroupIndex(grid.region, 0);
  grid.Groups().ChangeGroupIndex(grid.city, 1);
  grid.Groups().FullExpand();
  // Collapse Nord (now the second top group): its cities take no rows.
  const TlxDataGroups& groups = grid.ControllerInfo().DataGroups();
  grid.Groups().ChangeExpanding(groups.ItemAt(2).RowIndex, false, false);
  grid.ControllerInfo().SummaryChanged(false);
  grid.ControllerInfo().CheckUpdate();
  std::vector<std::string> shown;
  for (int32_t row = 0; row < grid.GetRowCount(); ++row) {
    const TlxRowInfo info = grid.GetRowInfo(row);
    shown.push_back(std::to_string(info.Level) + ":" +
                    VarToStr(grid.GetValue(info.RecordIndex, info.Level == 0 ? grid.region : grid.city)));
  }
  ASSERT_GE(shown.size(), 4u);
  EXPECT_EQ(shown[0], "0:Ost");
  EXPECT_EQ(shown[1], "1:Gera");
  EXPECT_EQ(shown[3], "0:Nord");
  EXPECT_EQ(groups.ItemAt(2).RowIndex, 3);
  EXPECT_EQ(shown[4], "0:Sued");
}

TEST(GridSummarySortingTest, EmptyListAndNullSummaries) {
  // Grouping without rows leaves an empty list that the sort must not touch.
  TSalesGrid grid;
  grid.SortedSumFor(grid.city);
  grid.Groups().ChangeGroupIndex(grid.city, 0);
  EXPECT_TRUE(grid.GroupOrder().empty());
  // A group whose values are all Null has a Null sum when nulls are ignored,
  // and a Null sorts before every number.
  grid.Summary().SetOptions(soNullIgnore);
  grid.AddRows({{"Nord", "Aachen", 7}, {"Nord", "Bremen", Variant::Null()}, {"Nord", "Celle", -4}});
  EXPECT_EQ(grid.GroupOrder(), (std::vector<std::string>{"0:Bremen", "0:Celle", "0:Aachen"}));
}

}  // namespace grid_summary_sorting_test
