#include <gtest/gtest.h>

#include <functional>

#include "data/data_controller_texts.h"
#include "platform/db/db_errors.h"
#include "tests/data/db_data_test_grid.h"

namespace {

using db_data_test::TFileListGrid;
using Strings = std::vector<std::string>;
using Keys = std::vector<int32_t>;

TEST(DBDataControllerTest, OpeningLoadsEveryRecordInDataSetOrderWithTheFocusOnTheCursor) {
  TFileListGrid fixture;
  fixture.files.AddRows(5);
  fixture.files.cds->SetRecNo(3);
  fixture.recorder.Take();
  fixture.grid.TakeLog();
  fixture.grid.SetDataSource(fixture.files.source);

  EXPECT_EQ(fixture.grid.TakeLoads(), 1);
  EXPECT_EQ(fixture.grid.GetRecordCount(), 5);
  EXPECT_EQ(fixture.grid.Keys(), (Keys{1, 2, 3, 4, 5}));
  EXPECT_EQ(fixture.grid.Column(fixture.datei)[1], "C:\\f2.pdf");
  EXPECT_EQ(fixture.grid.FocusedRecordIndex(), 2);
  EXPECT_EQ(fixture.CursorKey(), 3);
  // The load walked the dataset with its controls disabled: the other link
  // sees only the one notification that enabling them sends.
  EXPECT_EQ(fixture.recorder.Take(), (Strings{"changed"}));
  EXPECT_EQ(fixture.grid.TakeLog(), (Strings{"data 4 -1 -1", "row -1>2", "record 2>2"}));
}

TEST(DBDataControllerTest, OpeningAClosedDataSetLoadsItAndClosingEmptiesTheController) {
  TFileListGrid fixture;
  fixture.files.cds->Close();
  fixture.Bind();
  EXPECT_FALSE(fixture.grid.Active());
  EXPECT_EQ(fixture.grid.GetRecordCount(), 0);

  fixture.files.cds->CreateDataSet();
  EXPECT_TRUE(fixture.grid.Active());
  EXPECT_EQ(fixture.grid.TakeLoads(), 1);
  fixture.files.AddRows(3);
  EXPECT_EQ(fixture.grid.TakeLoads(), 3);
  EXPECT_EQ(fixture.grid.Keys(), (Keys{1, 2, 3}));
  EXPECT_EQ(fixture.grid.FocusedKey(), 3);

  fixture.files.cds->Close();
  EXPECT_FALSE(fixture.grid.Active());
  EXPECT_EQ(fixture.grid.GetRecordCount(), 0);
  EXPECT_EQ(fixture.grid.GetRowCount(), 0);
  EXPECT_EQ(fixture.grid.TakeLoads(), 0);
}

// What each dataset operation sends to a plain link on the same source,
// how often the controller reloads, and where the focus ends.
struct TNotificationCase {
  const char* name;
  std::function<void(TFileListGrid&)> act;
  Strings link;
  int32_t loads;
  int32_t rows;
  int32_t focused_key;
};

class DBDataControllerNotificationTest : public testing::TestWithParam<TNotificationCase> {};

TEST_P(DBDataControllerNotificationTest, FollowsTheDataSet) {
  const TNotificationCase& test = GetParam();
  TFileListGrid fixture;
  fixture.files.AddRows(5);
  fixture.files.cds->SetRecNo(3);
  fixture.Bind();

  test.act(fixture);

  EXPECT_EQ(fixture.recorder.Take(), test.link);
  EXPECT_EQ(fixture.grid.TakeLoads(), test.loads);
  EXPECT_EQ(fixture.grid.GetRecordCount(), test.rows);
  EXPECT_EQ(fixture.grid.GetRowCount(), test.rows);
  EXPECT_EQ(fixture.grid.FocusedKey(), test.focused_key);
  EXPECT_EQ(fixture.grid.FocusedKey(), fixture.CursorKey());
}

// Every reload is followed by the "changed" of the controller's own walk,
// which enables the controls again and reloads nothing.
const TNotificationCase kNotificationCases[] = {
    {"AppendAndPost",
     [](TFileListGrid& f) { f.files.Add("C:\\neu.pdf", 600, 45000, 6); },
     {"check", "editing", "changed", "record Datei", "record Groesse", "record Datum", "record Sortkey", "update",
      "check", "browsing", "changed", "changed"},
     1, 6, 6},
    {"TenAppendsWithDisabledControls",
     [](TFileListGrid& f) {
       f.files.cds->DisableControls();
       for (int32_t key = 10; key < 20; ++key)
         f.files.Add("C:\\x.pdf", 1, 45000, key);
       f.files.cds->EnableControls();
     },
     {"changed", "changed"}, 1, 15, 19},
    {"EditAndPost",
     [](TFileListGrid& f) {
       f.files.cds->Edit();
       f.files.datei->SetAsString("C:\\anders.pdf");
       f.files.cds->Post();
     },
     {"check", "editing", "record", "record Datei", "update", "check", "browsing", "changed", "changed"}, 1, 5, 3},
    {"EditAndCancel",
     [](TFileListGrid& f) {
       f.files.cds->Edit();
       f.files.datei->SetAsString("C:\\nie.pdf");
       f.files.cds->Cancel();
     },
     {"check", "editing", "record", "record Datei", "check", "browsing", "changed", "changed"}, 1, 5, 3},
    {"Delete", [](TFileListGrid& f) { f.files.cds->Delete(); }, {"check", "changed", "changed"}, 1, 4, 4},
    {"EmptyDataSet", [](TFileListGrid& f) { f.files.cds->EmptyDataSet(); }, {"changed", "changed"}, 1, 0, -1},
    {"First", [](TFileListGrid& f) { f.files.cds->First(); }, {"check", "scrolled -2"}, 0, 5, 1},
    {"Last", [](TFileListGrid& f) { f.files.cds->Last(); }, {"check", "scrolled 2"}, 0, 5, 5},
    {"MoveBy", [](TFileListGrid& f) { f.files.cds->MoveBy(-1); }, {"check", "scrolled -1"}, 0, 5, 2},
    {"Locate",
     [](TFileListGrid& f) { EXPECT_TRUE(f.files.cds->Locate("Sortkey", Variant(5), {})); },
     {"check", "scrolled 2"}, 0, 5, 5},
    {"Refresh", [](TFileListGrid& f) { f.files.cds->Refresh(); }, {"check", "changed", "changed"}, 1, 5, 3},
    {"Close", [](TFileListGrid& f) { f.files.cds->Close(); }, {"inactive"}, 0, 0, -1},
};

INSTANTIATE_TEST_SUITE_P(Operations, DBDataControllerNotificationTest, testing::ValuesIn(kNotificationCases),
                         [](const testing::TestParamInfo<TNotificationCase>& param) { return param.param.name; });

TEST(DBDataControllerTest, AnAppendIsMirroredThenReloadedWithoutADuplicate) {
  TFileListGrid fixture;
  fixture.files.AddRows(3);
  fixture.Bind();

  fixture.files.cds->Append();
  // The controller shows the dataset's new record at once, as its own
  // inserted record, and follows the values written into it.
  EXPECT_EQ(fixture.grid.GetRecordCount(), 4);
  EXPECT_TRUE(fixture.grid.Provider().IsInserting());
  EXPECT_EQ(fixture.grid.Provider().EditedRecordIndex(), 3);
  EXPECT_EQ(fixture.grid.FocusedRecordIndex(), 3);
  fixture.files.datei->SetAsString("C:\\neu.pdf");
  fixture.files.sortkey->SetAsInteger(4);
  EXPECT_EQ(fixture.grid.GetValue(3, fixture.datei).AsString(), "C:\\neu.pdf");
  EXPECT_EQ(fixture.grid.TakeLoads(), 0);

  fixture.files.cds->Post();
  EXPECT_EQ(fixture.grid.TakeLoads(), 1);
  EXPECT_EQ(fixture.grid.Keys(), (Keys{1, 2, 3, 4}));
  EXPECT_EQ(fixture.grid.FocusedKey(), 4);
  EXPECT_FALSE(fixture.grid.IsEditing());
}

TEST(DBDataControllerTest, AnAppendIntoAnEmptyDataSetIsMirroredAndKept) {
  TFileListGrid fixture;
  fixture.Bind();
  EXPECT_EQ(fixture.grid.GetRecordCount(), 0);

  fixture.files.Add("C:\\erste.pdf", 1, 45000, 1);
  EXPECT_EQ(fixture.grid.Keys(), (Keys{1}));
  EXPECT_EQ(fixture.grid.FocusedKey(), 1);
}

TEST(DBDataControllerTest, SortingKeepsTheFocusedRecordAndTheCursor) {
  TFileListGrid fixture;
  fixture.files.AddRows(5);
  fixture.files.cds->SetRecNo(2);
  fixture.Bind();
  ASSERT_EQ(fixture.grid.FocusedKey(), 2);

  fixture.grid.ChangeSortOrder(fixture.grid.sortkey, soDescending);
  EXPECT_EQ(fixture.grid.Keys(), (Keys{5, 4, 3, 2, 1}));
  EXPECT_EQ(fixture.grid.FocusedKey(), 2);
  EXPECT_EQ(fixture.grid.FocusedRowIndex(), 3);
  EXPECT_EQ(fixture.CursorKey(), 2);

  // Focusing a row moves the dataset's cursor to its record.
  fixture.grid.ChangeFocusedRowIndex(0);
  EXPECT_EQ(fixture.CursorKey(), 5);
  EXPECT_EQ(fixture.grid.TakeLoads(), 0);
}

// The provider's walks hold the controls and their own lock, so the
// notification they end with is a mere scroll for every provider of the
// dataset: a second controller on the same source loads once as well.
TEST(DBDataControllerTest, TheProvidersOwnWalksNeverReloadThemselves) {
  TFileListGrid fixture;
  fixture.files.AddRows(4);
  fixture.Bind();
  db_data_test::TTestDBGrid second;
  second.sortkey = second.AddColumn("Sortkey");
  second.SetDataSource(fixture.files.source);
  EXPECT_EQ(second.TakeLoads(), 1);
  EXPECT_EQ(fixture.grid.TakeLoads(), 0);
  fixture.recorder.Take();

  fixture.grid.StructureChanged();
  EXPECT_EQ(fixture.grid.TakeLoads(), 1);
  EXPECT_EQ(second.TakeLoads(), 0);
  EXPECT_EQ(fixture.recorder.Take(), (Strings{"changed"}));

  fixture.files.Add("C:\\neu.pdf", 1, 45000, 5);
  EXPECT_EQ(fixture.grid.TakeLoads(), 1);
  EXPECT_EQ(second.TakeLoads(), 1);
  EXPECT_EQ(second.Keys(), (Keys{1, 2, 3, 4, 5}));
}

// The print run reads the record count and the rows inside one bracket.
TEST(DBDataControllerTest, ThePrintRunBracketNotifiesOnce) {
  TFileListGrid fixture;
  fixture.files.AddRows(3);
  fixture.Bind();
  std::vector<std::string> paths;
  int32_t changes = 0;
  fixture.grid.OnDataChanged = [&](TObject*) { ++changes; };
  {
    TUpdateScope bracket(fixture.grid);
    for (int32_t row = 0; row < fixture.grid.GetRecordCount(); ++row)
      paths.push_back(fixture.grid.GetRowDisplayText(fixture.grid.GetRowInfo(row), fixture.datei));
    fixture.grid.Change(dccDataChanged);
  }
  EXPECT_EQ(paths, (Strings{"C:\\f1.pdf", "C:\\f2.pdf", "C:\\f3.pdf"}));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(fixture.grid.TakeLoads(), 0);
}

}  // namespace
