#include "editors/combo_box_list_size.h"

#include <gtest/gtest.h>

namespace combo_box_list_size_test {

// Rows of 16 pixels, items 50 wide, bars 17 pixels.
TlxComboBoxListMetrics Metrics(int32_t items, int32_t rows = 8) {
  TlxComboBoxListMetrics metrics;
  metrics.ItemCount = items;
  metrics.DropDownRows = rows;
  metrics.MaxItemWidth = 50;
  metrics.VerticalScrollBarWidth = 17;
  metrics.HorizontalScrollBarHeight = 17;
  metrics.ItemHeight = [](int32_t) { return 16; };
  return metrics;
}

TEST(ComboBoxListSizeTest, RowsWidthAndScrollBars) {
  struct Case {
    const char* name;
    int32_t items;
    int32_t available_height;
    int32_t width_limit;
    TSize expected;
  };
  const Case cases[] = {
      {"fewer items than rows", 5, 0, 0, TSize{54, 80}},
      {"more items: eight rows and the vertical bar", 20, 0, 0, TSize{54 + 17, 128}},
      {"too little room adds the vertical bar", 5, 60, 0, TSize{54 + 17, 80}},
      {"a narrow limit adds the horizontal bar", 5, 0, 40, TSize{54, 80 + 17}},
      {"no items", 0, 0, 0, TSize{54, 0}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxComboBoxListSize(Metrics(c.items), c.available_height, c.width_limit), c.expected) << c.name;
}

TEST(ComboBoxListSizeTest, VariableRowsAddUp) {
  TlxComboBoxListMetrics metrics = Metrics(4, 3);
  metrics.ItemHeight = [](int32_t index) { return 10 + index; };
  EXPECT_EQ(lxComboBoxListSize(metrics, 0, 0).cy, 10 + 11 + 12);
}

TEST(ComboBoxListSizeTest, ADraggedSizeSnapsToWholeRows) {
  const TSize present{71, 128};
  struct Case {
    const char* name;
    TSize requested;
    int32_t available_height;
    TSize expected;
  };
  const Case cases[] = {
      {"between rows: the row above", TSize{71, 140}, 0, TSize{71, 128}},
      {"on a row", TSize{71, 160}, 0, TSize{71, 160}},
      {"smaller", TSize{71, 70}, 0, TSize{71, 64}},
      {"less than a row keeps one", TSize{71, 5}, 0, TSize{71, 16}},
      {"the available height limits", TSize{71, 400}, 100, TSize{71, 96}},
      {"more than all rows: all of them", TSize{71, 1000}, 0, TSize{71, 320}},
      {"too narrow for the items: the horizontal bar counts", TSize{40, 140}, 0, TSize{40, 112 + 17}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxSnapComboBoxListSize(Metrics(20), c.requested, present, c.available_height, 0), c.expected) << c.name;
  EXPECT_EQ(lxSnapComboBoxListSize(Metrics(20), TSize{71, 130}, TSize{71, 130}, 0, 0), (TSize{71, 130}))
      << "an unchanged size stays";
}

TEST(ComboBoxListSizeTest, RowsOfHeightZeroEndTheWalk) {
  TlxComboBoxListMetrics metrics = Metrics(1000000);
  metrics.ItemHeight = [](int32_t) { return 0; };
  EXPECT_EQ(lxSnapComboBoxListSize(metrics, TSize{71, 50}, TSize{71, 0}, 0, 0).cy, 0);
}

}  // namespace combo_box_list_size_test
