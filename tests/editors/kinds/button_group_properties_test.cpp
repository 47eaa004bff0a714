#include "editors/kinds/button_group_properties.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace button_group_properties_test {

TEST(ButtonGroupLayoutTest, ColumnsNeverOutnumberWhatTheRowsFill) {
  struct Case {
    int32_t columns;
    int32_t items;
    int32_t used_columns;
    int32_t rows;
  };
  const Case cases[] = {
      {3, 7, 3, 3},  // three full rows, the last column short
      {4, 5, 3, 2},  // the fourth column would stay empty
      {1, 4, 1, 4},  {5, 2, 2, 1}, {0, 3, 1, 3}, {-4, 3, 1, 3}, {2, 1, 1, 1},
  };
  for (const Case& c : cases) {
    const int32_t used = lxButtonGroupColumnCount(c.columns, c.items);
    EXPECT_EQ(used, c.used_columns) << c.columns << " columns, " << c.items << " items";
    EXPECT_EQ(lxButtonGroupRowCount(c.items, used), c.rows) << c.columns << " columns, " << c.items << " items";
  }
  EXPECT_EQ(lxButtonGroupColumnCount(3, 0), 0);
}

TEST(ButtonGroupLayoutTest, ButtonsRunDownEachColumnAndTheRemainderIsSplit) {
  TlxButtonGroupGrid grid;
  // 104 high in 3 rows: rows of 34, the 2 left over split 1 above.
  grid.Content = TRect(10, 20, 10 + 306, 20 + 104);
  grid.Columns = 3;
  grid.Rows = 2;
  grid.ColumnOffset = 6;
  grid.ColumnCorrection = -6;
  // Five items, Columns 4: three columns of two rows; the fifth stands at
  // the top of the third column.
  EXPECT_EQ(lxButtonGroupButtonBounds(grid, 0), TRect(16, 20, 16 + 100, 72));
  EXPECT_EQ(lxButtonGroupButtonBounds(grid, 1), TRect(16, 72, 16 + 100, 124));
  EXPECT_EQ(lxButtonGroupButtonBounds(grid, 4), TRect(216, 20, 316, 72));

  grid.Rows = 3;
  grid.Columns = 1;
  grid.ColumnSpacing = 0;
  const TRect first = lxButtonGroupButtonBounds(grid, 0);
  EXPECT_EQ(first.Top, 21);
  EXPECT_EQ(first.Height(), 34);
  EXPECT_EQ(lxButtonGroupButtonBounds(grid, 2).Bottom, 21 + 3 * 34);

  // Spacing comes out of the width before it is divided.
  grid.Columns = 2;
  grid.Rows = 1;
  grid.ColumnOffset = 0;
  grid.ColumnCorrection = 0;
  grid.ColumnSpacing = 6;
  EXPECT_EQ(lxButtonGroupButtonBounds(grid, 1).Left, 10 + 150 + 6);
  EXPECT_EQ(lxButtonGroupButtonBounds(grid, 1).Width(), 150);
}

TEST(ButtonGroupLayoutTest, ArrowsMoveByColumnsAndRowsAndStopAtTheEdges) {
  using M = TlxButtonGroupMove;
  struct Case {
    int32_t focused;
    M move;
    int32_t target;
  };
  // Seven items in three rows: columns {0,1,2}, {3,4,5}, {6}.
  const Case cases[] = {
      {0, M::kDown, 1},  {2, M::kDown, -1}, {1, M::kUp, 0},    {0, M::kUp, -1},
      {1, M::kRight, 4}, {4, M::kRight, -1}, {3, M::kRight, 6}, {6, M::kLeft, 3},
      {0, M::kLeft, -1}, {6, M::kDown, -1},  // the partial last column holds one
      {6, M::kUp, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxButtonGroupMoveFocus(c.focused, 7, 3, c.move), c.target) << c.focused << " " << int(c.move);
  EXPECT_EQ(lxButtonGroupMoveFocus(-1, 7, 3, M::kDown), -1);
  EXPECT_EQ(lxButtonGroupMoveFocus(0, 0, 1, M::kDown), -1);
}

// What the owner saw each time it was told of a change.
struct Report {
  bool notifying;
  int32_t index;
  TlxButtonGroupChange kind;
};

class RecordingFixture {
 public:
  RecordingFixture() {
    properties.SetOwnerChangedHandler([this](TlxCustomEditProperties*) {
      const TlxButtonGroupItems& items = properties.Items();
      reports.push_back({items.Notifying(), items.ChangedIndex(), items.ChangeKind()});
    });
  }
  std::vector<Report> SingleReports() const {
    std::vector<Report> single;
    for (const Report& report : reports)
      if (report.notifying)
        single.push_back(report);
    return single;
  }

  TlxCustomButtonGroupProperties properties{nullptr};
  std::vector<Report> reports;
};

TEST(ButtonGroupItemsTest, SingleItemChangesAreRecordedThenTheWholeCollectionFollows) {
  RecordingFixture fixture;
  TlxButtonGroupItems& items = fixture.properties.Items();
  for (const char* caption : {"A", "B", "C", "D"})
    items.Add()->SetCaption(caption);
  fixture.reports.clear();

  items.Delete(1);
  std::vector<Report> single = fixture.SingleReports();
  ASSERT_EQ(single.size(), 1u);
  EXPECT_EQ(single[0].index, 1);
  EXPECT_EQ(single[0].kind, TlxButtonGroupChange::kRemoved);
  // The collection's own notice, without a record, comes last.
  ASSERT_FALSE(fixture.reports.empty());
  EXPECT_FALSE(fixture.reports.back().notifying);
  EXPECT_FALSE(items.Notifying());

  fixture.reports.clear();
  items.GetItem(2)->SetEnabled(false);
  single = fixture.SingleReports();
  ASSERT_EQ(single.size(), 1u);
  EXPECT_EQ(single[0].index, 2);
  EXPECT_EQ(single[0].kind, TlxButtonGroupChange::kChanged);

  fixture.reports.clear();
  items.GetItem(2)->SetEnabled(false);  // unchanged: no report
  EXPECT_TRUE(fixture.reports.empty());

  fixture.reports.clear();
  items.Add();
  single = fixture.SingleReports();
  ASSERT_EQ(single.size(), 1u);
  EXPECT_EQ(single[0].index, 3);
  EXPECT_EQ(single[0].kind, TlxButtonGroupChange::kAdded);

  // Locked properties record nothing.
  fixture.reports.clear();
  fixture.properties.BeginUpdate();
  items.GetItem(0)->SetCaption("Z");
  fixture.properties.EndUpdate(true);
  EXPECT_TRUE(fixture.SingleReports().empty());
  EXPECT_EQ(fixture.reports.size(), 1u);
}

TEST(ButtonGroupPropertiesTest, SettingsCapabilitiesAndTheSample) {
  TlxCustomButtonGroupProperties properties(nullptr);
  properties.SetColumns(0);
  EXPECT_EQ(properties.Columns(), 1);
  properties.SetColumns(-3);
  EXPECT_EQ(properties.Columns(), 1);
  EXPECT_EQ(properties.GetEditCapabilities(), 1423u);
  properties.Items().Add()->SetCaption("A");
  EXPECT_EQ(properties.GetEditCapabilities(), 1455u);
  EXPECT_EQ(properties.GetEditorKindFlags() & 2u, 2u);

  const std::unique_ptr<TlxCustomEditProperties> sample = properties.CreateSameKind();
  const auto& group = dynamic_cast<const TlxCustomButtonGroupProperties&>(*sample);
  ASSERT_EQ(group.Items().Count(), 3);
  EXPECT_EQ(group.Items().GetItem(2)->Caption(), "C");
  EXPECT_EQ(group.Columns(), 3);

  properties.SetColumns(2);
  properties.SetWordWrap(true);
  properties.Items().GetItem(0)->SetTag(7);
  TlxCustomButtonGroupProperties copy(nullptr);
  copy.Assign(&properties);
  EXPECT_EQ(copy.Columns(), 2);
  EXPECT_TRUE(copy.WordWrap());
  ASSERT_EQ(copy.Items().Count(), 1);
  EXPECT_EQ(copy.Items().GetItem(0)->Tag(), 7);
  EXPECT_EQ(copy.Items().GetCheckItemCaption(0), "A");
}

}  // namespace button_group_properties_test
