// The column arithmetic of the quick-customization popup: the divisors come
// from the screen and the fonts and may be zero or negative, and a list that
// does not fit even with one entry per column must still end the search.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "grid/customization_popup_fit.h"

namespace customization_popup_fit_test {

// A popup whose height in n columns is the rows times the row height plus
// the borders, against an available height.
struct TColumnLayout {
  int32_t entry_count;
  int32_t row_height;
  int32_t border_height;
  int32_t available_height;
  std::vector<int32_t> tried;

  bool Fits(int32_t columns) {
    tried.push_back(columns);
    const int32_t rows = lxCustomizationPopupRowCount(entry_count, columns, 0);
    return rows * row_height + border_height <= available_height;
  }
};

TEST(CustomizationPopupFitTest, VerticalSearchStartsAtTheEstimateAndGrowsUntilItFits) {
  // 40 entries of 20 pixels: 800 pixels in one column, 300 available with
  // 4 pixels of borders -> starts at ceil(800 / 296) = 3; 14 rows (284)
  // fit with 3 columns.
  TColumnLayout layout{40, 20, 4, 300, {}};
  EXPECT_EQ(3, lxFitPopupColumnsVertically(800, 300, 4, 40, [&](int32_t n) { return layout.Fits(n); }));
  EXPECT_EQ((std::vector<int32_t>{3}), layout.tried);

  // The estimate is too low once the rows round up: 10 entries of 30
  // pixels, 99 available with 10 of borders -> starts at ceil(300 / 89) =
  // 4, whose 3 rows need 100; 5 columns of 2 rows fit.
  TColumnLayout tight{10, 30, 10, 99, {}};
  EXPECT_EQ(5, lxFitPopupColumnsVertically(300, 99, 10, 10, [&](int32_t n) { return tight.Fits(n); }));
  EXPECT_EQ((std::vector<int32_t>{4, 5}), tight.tried);
}

TEST(CustomizationPopupFitTest, VerticalSearchStopsAtOneEntryPerColumnWhenNothingFits) {
  // Rows higher than the whole room: no column count can fit, and the
  // search ends at the entry count instead of running on.
  struct TCase {
    int32_t available_height;
    int32_t border_height;
    int32_t entry_count;
  } cases[] = {
      {50, 4, 7},         // rows of 80 in a room of 46
      {0, 4, 7},          // no room at all: the divisor would be -4
      {4, 4, 7},          // room exactly the borders: the divisor would be 0
      {-30, 2, 3},        // the owner lies outside the work area
      {INT_MIN, 0, 2},    // an absurd room does not overflow the divisor
  };
  for (const TCase& c : cases) {
    TColumnLayout layout{c.entry_count, 80, c.border_height, c.available_height, {}};
    const int32_t columns = lxFitPopupColumnsVertically(c.entry_count * 80, c.available_height, c.border_height,
                                                        c.entry_count, [&](int32_t n) { return layout.Fits(n); });
    EXPECT_EQ(c.entry_count, columns) << c.available_height << " " << c.border_height;
    ASSERT_FALSE(layout.tried.empty());
    EXPECT_LE(layout.tried.back(), c.entry_count);
    EXPECT_LE(layout.tried.size(), static_cast<size_t>(c.entry_count));
  }
}

TEST(CustomizationPopupFitTest, VerticalSearchWithoutEntriesTriesOneColumn) {
  std::vector<int32_t> tried;
  EXPECT_EQ(1, lxFitPopupColumnsVertically(0, 0, 0, 0, [&](int32_t n) {
              tried.push_back(n);
              return false;
            }));
  EXPECT_EQ((std::vector<int32_t>{1}), tried);
}

TEST(CustomizationPopupFitTest, HorizontalFitCountsWholeColumnsWithinOneAndTheEntries) {
  struct TCase {
    int32_t area_right, popup_left, border_width, column_width, entry_count, expected;
  } cases[] = {
      {1000, 100, 4, 100, 20, 8},   // 896 / 100
      {1000, 100, 4, 0, 20, 20},    // zero width: divisor 1, capped at the entries
      {1000, 100, 4, -50, 20, 20},  // negative width likewise
      {1000, 100, 4, 100, 3, 3},    // more room than entries
      {100, 400, 4, 100, 20, 1},    // the popup starts right of the area
      {1000, 990, 4, 100, 20, 1},   // less than one column of room
      {1000, 100, 4, 100, 0, 1},    // no entries still leaves one column
  };
  for (const TCase& c : cases)
    EXPECT_EQ(c.expected,
              lxFitPopupColumnsHorizontally(c.area_right, c.popup_left, c.border_width, c.column_width, c.entry_count))
        << c.area_right << " " << c.popup_left << " " << c.column_width << " " << c.entry_count;
}

TEST(CustomizationPopupFitTest, RowCountFollowsTheDropDownCountOnlyInOneColumn) {
  struct TCase {
    int32_t entries, columns, drop_down_count, expected;
  } cases[] = {
      {10, 0, 0, 10}, {10, 1, 4, 4}, {3, 1, 4, 3}, {10, 3, 4, 4}, {9, 3, 0, 3}, {0, 3, 0, 0}, {-5, 0, 0, 0},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(c.expected, lxCustomizationPopupRowCount(c.entries, c.columns, c.drop_down_count))
        << c.entries << " " << c.columns << " " << c.drop_down_count;
}

}  // namespace customization_popup_fit_test
