#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/data_controller.h"
#include "data/data_search.h"
#include "platform/rtl/locale.h"
#include "tests/data/data_controller_test_grid.h"

namespace {

using data_controller_test::TFileGrid;

// Abc, xyz, abd in this order, with the focus on `focused_row`.
struct TSearchGrid {
  explicit TSearchGrid(int32_t focused_row) {
    grid.AddRows({{"Abc", 1}, {"xyz", 2}, {"abd", 3}});
    grid.ChangeFocusedRowIndex(focused_row);
    grid.log.clear();
  }
  std::string FocusedText() { return VarToStr(grid.GetValue(grid.FocusedRecordIndex(), grid.datei)); }
  TFileGrid grid;
};

TEST(DataSearchTest, StartSearchScansFromTheFocusedRowAndWraps) {
  TScopedLocale locale("de-DE");
  struct Case {
    int32_t focused_row;
    const char* text;
    bool found;
    const char* focused;
  };
  const std::vector<Case> cases = {
      {1, "ab", true, "abd"},   // the scan goes down from xyz
      {2, "ab", true, "abd"},   // the focused row itself matches
      {0, "ab", true, "Abc"},   // case does not matter
      {2, "x", true, "xyz"},    // a match only above the focus: wrap around
      {0, "q", false, "Abc"},   // nothing matches: the focus stays
      {0, "", false, "Abc"},    // an empty text never searches
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.focused_row) + " " + c.text);
    TSearchGrid setup(c.focused_row);
    TlxDataControllerSearch& search = setup.grid.Search();
    EXPECT_EQ(search.StartSearch(setup.grid.datei, c.text), c.found);
    EXPECT_EQ(setup.FocusedText(), c.focused);
    EXPECT_EQ(search.IsSearching(), c.found);
    EXPECT_EQ(search.SearchText(), c.found ? c.text : "");
  }
}

TEST(DataSearchTest, SearchNextDoesNotWrap) {
  TScopedLocale locale("de-DE");
  TSearchGrid setup(2);
  TlxDataControllerSearch& search = setup.grid.Search();
  EXPECT_FALSE(search.SearchNext(true));  // not searching yet
  ASSERT_TRUE(search.StartSearch(setup.grid.datei, "ab"));
  EXPECT_FALSE(search.SearchNext(true));
  EXPECT_EQ(setup.FocusedText(), "abd");
  EXPECT_TRUE(search.SearchNext(false));
  EXPECT_EQ(setup.FocusedText(), "Abc");
  EXPECT_FALSE(search.SearchNext(false));
  EXPECT_TRUE(search.SearchNext(true));
  EXPECT_EQ(setup.FocusedText(), "abd");
  EXPECT_TRUE(search.IsSearching());
}

TEST(DataSearchTest, FailedStartKeepsTheRunningSearchButTakesTheField) {
  TScopedLocale locale("de-DE");
  TSearchGrid setup(0);
  TlxDataControllerSearch& search = setup.grid.Search();
  ASSERT_TRUE(search.StartSearch(setup.grid.datei, "ab"));
  EXPECT_FALSE(search.StartSearch(setup.grid.groesse, "9"));
  EXPECT_TRUE(search.IsSearching());
  EXPECT_EQ(search.SearchText(), "ab");
  EXPECT_EQ(search.SearchItemIndex(), setup.grid.groesse);
  EXPECT_THROW(search.StartSearch(7, "a"), ElxInvalidDataControllerOperation);
}

TEST(DataSearchTest, StatusChangesAreReportedAndFocusMovesCancel) {
  TScopedLocale locale("de-DE");
  TSearchGrid setup(1);
  TlxDataControllerSearch& search = setup.grid.Search();
  ASSERT_TRUE(search.StartSearch(setup.grid.datei, "ab"));
  // The found row's focus change does not cancel the search it belongs to.
  EXPECT_TRUE(search.IsSearching());
  EXPECT_NE(std::find(setup.grid.log.begin(), setup.grid.log.end(), "TlxSearchChangedInfo"), setup.grid.log.end());
  setup.grid.log.clear();
  setup.grid.ChangeFocusedRowIndex(0);
  EXPECT_FALSE(search.IsSearching());
  EXPECT_EQ(search.SearchText(), "");
  EXPECT_NE(std::find(setup.grid.log.begin(), setup.grid.log.end(), "TlxSearchChangedInfo"), setup.grid.log.end());
  // A locked search ignores Cancel.
  ASSERT_TRUE(search.StartSearch(setup.grid.datei, "x"));
  search.Lock();
  search.Cancel();
  EXPECT_TRUE(search.IsSearching());
  search.Unlock();
  search.Cancel();
  EXPECT_FALSE(search.IsSearching());
}

TEST(DataSearchTest, NoFilteredRowsLeavesTheStateAlone) {
  TScopedLocale locale("de-DE");
  TSearchGrid setup(0);
  TlxDataControllerSearch& search = setup.grid.Search();
  ASSERT_TRUE(search.StartSearch(setup.grid.datei, "x"));
  setup.grid.SetOnFilterRecord([](TlxCustomDataController*, int32_t, bool& accept) { accept = false; });
  EXPECT_FALSE(search.StartSearch(setup.grid.groesse, "a"));
  EXPECT_EQ(search.SearchItemIndex(), setup.grid.datei);
  EXPECT_FALSE(search.SearchNext(true));
}

TEST(DataSearchTest, ScanOrders) {
  TScopedLocale locale("de-DE");
  TFileGrid grid;
  grid.AddRows({{"a1", 1}, {"b", 2}, {"a2", 3}, {"a3", 4}});
  TlxDataControllerSearch& search = grid.Search();
  search.SetSearchItem(grid.datei);
  EXPECT_EQ(search.ScanForText(1, -1, "a", true), 2);
  EXPECT_EQ(search.ScanForText(1, -1, "a", false), 0);
  EXPECT_EQ(search.ScanForText(3, 1, "a", false), 3);
  EXPECT_EQ(search.ScanForText(1, 1, "a", true), -1);
  EXPECT_EQ(search.ScanForText(9, -1, "a", true), -1);
}

}  // namespace
