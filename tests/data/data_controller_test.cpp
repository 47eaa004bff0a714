#include "data/data_controller.h"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/data_filter_criteria.h"
#include "tests/data/data_controller_test_grid.h"

namespace {

using data_controller_test::TFileGrid;
using data_controller_test::TTestGrid;

using Rows = std::vector<std::vector<Variant>>;
using Texts = std::vector<std::string>;
using Records = std::vector<int32_t>;

class DataControllerTest : public testing::Test {
 protected:
  DataControllerTest() {
    grid.AddRows({{"c", 3}, {"a", 1}, {"b", 2}, {"a", 1}, {"d", 4}});
    grid.log.clear();
  }

  void AddFilter(int32_t item, TlxFilterOperatorKind kind, const Variant& value) {
    TlxDataFilterCriteria& filter = grid.Filter();
    TlxFilterChangesScope changes(filter);
    filter.AddItem(&filter.Root(), grid.columns[static_cast<size_t>(item)].get(), kind, value, VarToStr(value));
    filter.SetActive(true);
  }

  TFileGrid grid;
};

TEST_F(DataControllerTest, PrintRunReadsEveryRowInViewOrderWithOneNotificationSet) {
  int32_t filter_calls = 0;
  grid.SetOnFilterRecord([&](TlxCustomDataController*, int32_t, bool& accept) {
    ++filter_calls;
    accept = true;
  });
  filter_calls = 0;
  grid.log.clear();
  grid.BeginUpdate();
  grid.BeginUpdate();
  grid.ChangeSortOrder(grid.datei, soAscending);
  grid.SetValue(4, grid.groesse, Variant(40));
  grid.EndUpdate();  // inner: nothing happens yet
  EXPECT_TRUE(grid.log.empty());
  EXPECT_EQ(filter_calls, 0);
  const int32_t count = grid.GetRecordCount();
  std::vector<std::string> names;
  grid.ForEachRow(false, [&](int32_t, const TlxRowInfo& info) {
    names.push_back(VarToStr(grid.GetRowValue(info, grid.datei)));
  });
  grid.EndUpdate();
  EXPECT_EQ(count, 5);
  // One pipeline pass: every record filtered once.
  EXPECT_EQ(filter_calls, 5);
  EXPECT_EQ(grid.Column(grid.datei), (Texts{"a", "a", "b", "c", "d"}));
  EXPECT_EQ(grid.log, (Texts{"data 0 1 4", "OnDataChanged", "OnSortingChanged"}));
}

TEST_F(DataControllerTest, SortingAndUnsortingKeepStorageOrderForEqualRecords) {
  struct Case {
    TlxDataSortOrder order;
    Records records;
  };
  const Case cases[] = {
      {soAscending, {1, 3, 2, 0, 4}},
      {soDescending, {4, 0, 2, 1, 3}},  // the record-index tie-break is not negated
      {soNone, {0, 1, 2, 3, 4}},
  };
  for (const Case& c : cases) {
    grid.ChangeSortOrder(grid.groesse, c.order);
    EXPECT_EQ(grid.RecordOrder(), c.records) << int(c.order);
  }
}

TEST_F(DataControllerTest, ChangeSortOrderWithTheSameOrderDoesNothing) {
  grid.ChangeSortOrder(grid.datei, soAscending);
  grid.log.clear();
  grid.ChangeFocusedRowIndex(1);
  grid.Edit();
  grid.SetEditingValue(grid.groesse, Variant(9));
  grid.log.clear();
  grid.ChangeSortOrder(grid.datei, soAscending);
  EXPECT_TRUE(grid.log.empty());
  EXPECT_TRUE(grid.IsEditing());  // the pending edit was not posted
}

TEST_F(DataControllerTest, FocusFollowsItsRecordThroughSortAndFilter) {
  grid.ChangeFocusedRowIndex(4);  // "d", record 4
  ASSERT_EQ(grid.FocusedRecordIndex(), 4);
  grid.ChangeSortOrder(grid.datei, soDescending);
  EXPECT_EQ(grid.FocusedRowIndex(), 0);
  EXPECT_EQ(grid.FocusedRecordIndex(), 4);
  grid.log.clear();
  AddFilter(grid.groesse, fokLess, Variant(3));  // hides "d"
  EXPECT_EQ(grid.RecordOrder(), (Records{2, 1, 3}));
  // The focused record went away: the filter change focuses row 0.
  EXPECT_EQ(grid.FocusedRowIndex(), 0);
  EXPECT_EQ(grid.FocusedRecordIndex(), 2);
}

TEST_F(DataControllerTest, EditedRecordIsNeverFilteredOutAndKeepsItsPlace) {
  grid.ChangeSortOrder(grid.groesse, soAscending);
  AddFilter(grid.groesse, fokLess, Variant(4));
  ASSERT_EQ(grid.RecordOrder(), (Records{1, 3, 2, 0}));
  grid.ChangeFocusedRowIndex(1);  // record 3
  grid.Edit();
  ASSERT_TRUE(grid.SetEditingValue(grid.groesse, Variant(100)));
  grid.Refresh();
  EXPECT_EQ(grid.RecordOrder(), (Records{1, 3, 2, 0}));
  grid.Post();
  EXPECT_EQ(grid.RecordOrder(), (Records{1, 2, 0}));
}

TEST_F(DataControllerTest, EditingTheLastRowKeepsItLast) {
  grid.ChangeSortOrder(grid.groesse, soAscending);
  grid.ChangeFocusedRowIndex(4);  // record 4, the last row
  grid.Edit();
  EXPECT_EQ(grid.Provider().PrevNeighbour(), 0);
  grid.SetEditingValue(grid.groesse, Variant(-5));
  grid.Refresh();
  EXPECT_EQ(grid.GetLastRowRecordIndex(), 4);
  grid.Post();
  EXPECT_EQ(grid.RecordOrder().front(), 4);
}

TEST_F(DataControllerTest, InsertingBeforeTheLastRecordKeepsTheNewRowInPlace) {
  grid.ChangeSortOrder(grid.datei, soAscending);
  grid.ChangeFocusedRowIndex(4);  // "d", record 4
  grid.Insert();
  // The new record took index 4; "d" moved on to 5 and is the neighbour.
  EXPECT_EQ(grid.Provider().NextNeighbour(), 5);
  EXPECT_EQ(grid.FocusedRecordIndex(), 4);
  EXPECT_EQ(grid.FocusedRowIndex(), 4);
  grid.SetEditingValue(grid.datei, Variant("zz"));
  grid.Refresh();
  EXPECT_EQ(grid.GetRowInfo(4).RecordIndex, 4);
}

TEST_F(DataControllerTest, InsertPostAndCancel) {
  grid.ChangeFocusedRowIndex(2);
  grid.Insert();
  grid.Insert();  // untouched: still one new record
  EXPECT_EQ(grid.GetRecordCount(), 6);
  grid.log.clear();
  grid.Post();  // untouched and not forced: cancelled
  EXPECT_EQ(grid.GetRecordCount(), 5);
  ASSERT_FALSE(grid.log.empty());
  EXPECT_EQ(grid.log.front(), "data 4 -1 -1");

  grid.ChangeFocusedRowIndex(0);
  grid.Edit();
  grid.SetEditingValue(grid.datei, Variant("changed"));
  EXPECT_EQ(VarToStr(grid.GetValue(0, grid.datei)), "changed");
  grid.Cancel();
  EXPECT_EQ(VarToStr(grid.GetValue(0, grid.datei)), "c");
  EXPECT_FALSE(grid.IsEditing());
}

TEST_F(DataControllerTest, CancellingAnAppendedRecordFocusesTheNewLastRow) {
  grid.ChangeFocusedRowIndex(4);
  grid.Append();
  ASSERT_EQ(grid.FocusedRecordIndex(), 5);
  grid.Cancel();
  EXPECT_EQ(grid.GetRecordCount(), 5);
  EXPECT_EQ(grid.FocusedRowIndex(), 4);
}

TEST_F(DataControllerTest, ImmediatePostPostsAtOnce) {
  grid.ChangeFocusedRowIndex(0);
  grid.SetEditingValue(grid.groesse, Variant(7));
  EXPECT_TRUE(grid.IsEditing());
  grid.Post();
  grid.SetOptions(grid.GetOptions() | dcoImmediatePost);
  grid.SetEditingValue(grid.groesse, Variant(8));
  EXPECT_FALSE(grid.IsEditing());
  EXPECT_EQ(grid.GetValue(0, grid.groesse).AsInteger(), 8);
}

TEST_F(DataControllerTest, DeleteFocusedDeletesTheRecordAndFocusesTheNextOne) {
  std::vector<std::string> events;
  grid.OnBeforeDelete = [&](TlxCustomDataController*, int32_t record) {
    events.push_back("before " + std::to_string(record));
  };
  grid.OnAfterDelete = [&](TlxCustomDataController*) { events.push_back("after"); };
  grid.ChangeSortOrder(grid.datei, soAscending);  // a(1) a(3) b(2) c(0) d(4)
  grid.ChangeFocusedRowIndex(2);                  // "b", record 2
  grid.DeleteFocused();
  EXPECT_EQ(events, (Texts{"before 2", "after"}));
  EXPECT_EQ(grid.Column(grid.datei), (Texts{"a", "a", "c", "d"}));
  EXPECT_EQ(VarToStr(grid.GetValue(grid.FocusedRecordIndex(), grid.datei)), "c");
  EXPECT_EQ(grid.FocusedRowIndex(), 2);
  EXPECT_EQ(grid.NearestRecordIndex(), -1);

  grid.ChangeFocusedRowIndex(3);  // the last row: the previous one takes over
  grid.DeleteFocused();
  EXPECT_EQ(VarToStr(grid.GetValue(grid.FocusedRecordIndex(), grid.datei)), "c");
}

TEST_F(DataControllerTest, DeleteWithoutFocusOrSelectionDoesNothing) {
  int32_t events = 0;
  grid.OnBeforeDelete = [&](TlxCustomDataController*, int32_t) { ++events; };
  grid.DeleteFocused();
  grid.SetMultiSelect(true);
  grid.DeleteSelection();
  EXPECT_EQ(events, 0);
  EXPECT_EQ(grid.GetRecordCount(), 5);
}

TEST_F(DataControllerTest, DeletingAListLowersTheNearestRecordByTheRecordsNotAboveIt) {
  int32_t nearest_seen = -100;
  grid.OnBeforeDelete = [&](TlxCustomDataController* controller, int32_t) {
    if (nearest_seen == -100)
      nearest_seen = controller->NearestRecordIndex();
  };
  grid.AddRows({{"e", 5}, {"f", 6}});
  grid.SetNearestRecordIndex(6);
  grid.DeleteRecords({3, 5, 5});
  EXPECT_EQ(nearest_seen, 4);
  EXPECT_EQ(grid.GetRecordCount(), 5);
  EXPECT_EQ(grid.Column(grid.datei), (Texts{"c", "a", "b", "d", "f"}));
}

TEST_F(DataControllerTest, DeleteSelectionDeletesEverySelectedRecord) {
  grid.SetMultiSelect(true);
  grid.SelectRange(3, 1);
  EXPECT_EQ(grid.GetSelectedCount(), 3);
  grid.ChangeFocusedRowIndex(1);
  grid.DeleteSelection();
  EXPECT_EQ(grid.Column(grid.datei), (Texts{"c", "d"}));
  EXPECT_EQ(grid.GetSelectedCount(), 0);
}

TEST_F(DataControllerTest, SingleSelectCountsTheFocusedRow) {
  grid.ChangeFocusedRowIndex(2);
  EXPECT_EQ(grid.GetSelectedCount(), 1);
  grid.log.clear();
  grid.SetFocusedSelected(false);
  EXPECT_EQ(grid.GetSelectedCount(), 0);
  EXPECT_EQ(grid.log, (Texts{"selection 2"}));
}

TEST_F(DataControllerTest, NavigationClampsToTheRows) {
  grid.GotoPrev();
  EXPECT_EQ(grid.FocusedRowIndex(), 0);
  grid.ChangeFocusedRowIndex(3);
  grid.MoveBy(-10);
  EXPECT_EQ(grid.FocusedRowIndex(), 0);
  grid.GotoLast();
  grid.GotoNext();
  EXPECT_EQ(grid.FocusedRowIndex(), 4);
  EXPECT_TRUE(grid.IsEOF());
}

TEST_F(DataControllerTest, FocusChangeNotifiesRowAndRecord) {
  grid.ChangeFocusedRowIndex(1);
  EXPECT_EQ(grid.log, (Texts{"row -1>1", "record -1>1"}));
}

TEST_F(DataControllerTest, BookmarkIsSavedOnceAndClearedByTheFilter) {
  grid.ChangeFocusedRowIndex(4);
  EXPECT_TRUE(grid.SaveBookmark());
  EXPECT_FALSE(grid.SaveBookmark());
  AddFilter(grid.groesse, fokLess, Variant(4));
  EXPECT_FALSE(grid.IsBookmarkAvailable());
}

TEST_F(DataControllerTest, BadIndexesRaiseTheirTexts) {
  struct Case {
    std::function<void()> call;
    std::string text;
  };
  const Case cases[] = {
      {[&] { grid.GetValue(5, 0); }, "RecordIndex out of range"},
      {[&] { grid.GetValue(-1, 0); }, "RecordIndex out of range"},
      {[&] { grid.GetValue(0, 2); }, "ItemIndex out of range"},
      {[&] { grid.GetRowInfo(5); }, "RowIndex out of range"},
      {[&] { grid.SetSelectionAnchor(-1); }, "RowIndex out of range"},
      {[&] { grid.InsertRecord(6); }, "RecordIndex out of range"},
      {[&] { grid.ChangeSortOrder(7, soAscending); }, "ItemIndex out of range"},
  };
  for (const Case& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << c.text;
    } catch (const ElxInvalidDataControllerOperation& error) {
      EXPECT_EQ(error.Message(), c.text);
    }
  }
}

TEST_F(DataControllerTest, RecordCountChanges) {
  grid.SetRecordCount(-5);
  EXPECT_EQ(grid.GetRecordCount(), 0);
  EXPECT_EQ(grid.log.front(), "data 3 -1 -1");
  grid.log.clear();
  grid.SetRecordCount(0);
  EXPECT_TRUE(grid.log.empty());
  EXPECT_EQ(grid.InsertRecord(0), 0);
  EXPECT_EQ(grid.GetRecordCount(), 1);
}

// The pending change never reports less than what happened.
TEST(DataControllerMergeTest, ChangesInOneBracketMergeUpwards) {
  struct Change {
    TlxDataChangeKind kind;
    int32_t item;
    int32_t record;
  };
  struct Case {
    std::vector<Change> changes;
    std::string report;
  };
  const Case cases[] = {
      {{{dckValue, 0, 1}, {dckValue, 0, 1}}, "data 0 0 1"},
      {{{dckValue, 0, 1}, {dckValue, 1, 1}}, "data 1 -1 1"},
      {{{dckValue, 0, 1}, {dckValue, 0, 2}}, "data 4 -1 -1"},
      {{{dckValue, -1, 1}}, "data 1 -1 1"},
      {{{dckRecord, -1, -1}}, "data 4 -1 -1"},
      {{{dckAll, -1, -1}, {dckValue, 0, 1}}, "data 4 -1 -1"},
      {{{dckRecord, -1, 1}, {dckValue, 0, 1}, {dckValue, 1, 1}}, "data 1 -1 1"},
      {{{dckValue, 0, 1}, {dckValue, 0, 2}, {dckValue, 1, 2}}, "data 4 -1 -1"},
      {{{dckValue, 0, 1}, {dckValue, 1, 1}, {dckValue, 0, 1}}, "data 1 -1 1"},
      {{{dckAdded, -1, -1}, {dckDeleted, -1, -1}}, "data 4 -1 -1"},
  };
  for (const Case& c : cases) {
    TFileGrid grid;
    grid.AddRows({{"a", 1}, {"b", 2}, {"c", 3}});
    grid.log.clear();
    {
      TUpdateScope update(grid);
      for (const Change& change : c.changes)
        grid.DataChanged(change.kind, change.item, change.record);
    }
    ASSERT_FALSE(grid.log.empty());
    EXPECT_EQ(grid.log.front(), c.report) << c.report;
  }
}

TEST(DataControllerEventsTest, RecordChangedFiresOnlyForValueAndRecordChanges) {
  TFileGrid grid;
  grid.AddRows({{"a", 1}});
  std::vector<std::string> events;
  grid.OnRecordChanged = [&](TlxCustomDataController*, int32_t record, int32_t item) {
    events.push_back(std::to_string(record) + "/" + std::to_string(item));
  };
  grid.SetValue(0, 1, Variant(5));
  grid.AppendRecord();
  grid.DeleteRecord(1);
  EXPECT_EQ(events, (Texts{"0/1"}));
}

TEST(DataControllerCompareTest, TextOptionsDecideHowStringsCompare) {
  struct Case {
    TlxDataControllerOptions options;
    bool equal;
  };
  const Case cases[] = {{dcoCaseInsensitive, true}, {dcoAnsiSort | dcoCaseInsensitive, true}, {0, false}};
  for (const Case& c : cases) {
    TFileGrid grid;
    grid.SetOptions(c.options);
    grid.AddRows({{"ABC", 1}, {"abc", 2}});
    EXPECT_EQ(grid.CompareByField(0, 1, *grid.ItemField(grid.datei)) == 0, c.equal) << c.options;
  }
}

TEST(DataControllerCompareTest, OnCompareLeavingZeroKeepsStorageOrder) {
  TFileGrid grid;
  grid.AddRows({{"c", 1}, {"a", 2}, {"b", 3}});
  grid.OnCompare = [](TlxCustomDataController*, int32_t, int32_t, int32_t, const Variant&, const Variant&,
                      int32_t&) {};
  grid.ChangeSortOrder(grid.datei, soAscending);
  EXPECT_EQ(grid.RecordOrder(), (Records{0, 1, 2}));
}

TEST(DataControllerCompareTest, ASelfContradictingOnCompareStaysInsideTheRecords) {
  TFileGrid grid;
  std::vector<std::vector<Variant>> rows;
  for (int i = 0; i < 200; ++i)
    rows.push_back({Variant(std::to_string(i % 7)), Variant(i)});
  grid.AddRows(rows);
  uint32_t state = 12345;
  grid.OnCompare = [&](TlxCustomDataController*, int32_t, int32_t, int32_t, const Variant&, const Variant&,
                       int32_t& compare) {
    state = state * 1103515245u + 12345u;
    compare = static_cast<int32_t>((state >> 16) % 3) - 1;
  };
  grid.ChangeSortOrder(grid.datei, soAscending);
  Records order = grid.RecordOrder();
  std::sort(order.begin(), order.end());
  Records expected(200);
  for (int32_t i = 0; i < 200; ++i)
    expected[static_cast<size_t>(i)] = i;
  EXPECT_EQ(order, expected);  // still every record once
}

TEST(DataControllerQuickSortTest, InconsistentComparisonsNeverLeaveTheRange) {
  for (int32_t size : {1, 2, 3, 17, 1000}) {
    std::vector<int32_t> items(static_cast<size_t>(size));
    for (int32_t i = 0; i < size; ++i)
      items[static_cast<size_t>(i)] = size - i;
    uint32_t state = static_cast<uint32_t>(size);
    // Always "less": an unbounded scan would run off the end.
    lxQuickSortPointers(items.data(), 0, size - 1, [](int32_t, int32_t) { return -1; });
    lxQuickSortPointers(items.data(), 0, size - 1, [](int32_t, int32_t) { return 1; });
    lxQuickSortPointers(items.data(), 0, size - 1, [&](int32_t, int32_t) {
      state = state * 1664525u + 1013904223u;
      return static_cast<int32_t>(state >> 30) - 1;
    });
    std::vector<int32_t> sorted = items;
    std::sort(sorted.begin(), sorted.end());
    for (int32_t i = 0; i < size; ++i)
      EXPECT_EQ(sorted[static_cast<size_t>(i)], i + 1);
    lxQuickSortPointers(items.data(), 0, size - 1, [](int32_t a, int32_t b) { return (a > b) - (a < b); });
    EXPECT_EQ(items, sorted);
  }
}

TEST(DataControllerSearchTest, FindRowByItemTextScansInTheStatedOrder) {
  struct Case {
    int32_t start;
    bool wrap;
    bool forward;
    std::string text;
    Records scanned;
    int32_t found;
  };
  const Case cases[] = {
      {3, true, true, "x1", {3, 4, 0, 1}, 1},
      {0, true, false, "none", {0}, -1},
      {0, false, false, "none", {0}, -1},
      {2, true, false, "none", {2, 1, 0, 4, 3}, -1},
      {2, false, true, "x0", {2, 3, 4}, -1},
      {5, true, true, "x0", {}, -1},
  };
  for (const Case& c : cases) {
    TFileGrid grid;
    grid.AddRows({{"x0", 0}, {"x1", 1}, {"x2", 2}, {"x3", 3}, {"x4", 4}});
    grid.read_texts.clear();
    EXPECT_EQ(grid.FindRowByItemText(c.start, grid.datei, c.text, false, c.wrap, c.forward), c.found);
    EXPECT_EQ(grid.read_texts, c.scanned) << c.start << c.text;
  }
}

TEST(DataControllerSearchTest, IncrementalFilterKeepsMatchingRecords) {
  TFileGrid grid;
  grid.AddRows({{"Alpha", 0}, {"beta", 1}, {"alps", 2}});
  EXPECT_EQ(grid.SetIncrementalFilter(grid.datei, "AL"), 0);
  EXPECT_EQ(grid.RecordOrder(), (Records{0, 2}));
  EXPECT_EQ(grid.SetIncrementalFilter(grid.datei, "zz"), -1);
  grid.ResetIncrementalFilter();
  EXPECT_EQ(grid.GetRowCount(), 3);
}

TEST(DataControllerLifetimeTest, AHandlerThatFreesTheControllerDuringPost) {
  auto grid = std::make_unique<TFileGrid>();
  grid->AddRows({{"a", 1}});
  grid->ChangeFocusedRowIndex(0);
  grid->SetEditingValue(grid->datei, Variant("b"));
  grid->OnBeforePost = [&](TlxCustomDataController*) { grid.reset(); };
  TFileGrid* raw = grid.get();
  raw->Post();
  EXPECT_EQ(grid, nullptr);
}

}  // namespace
