#include <gtest/gtest.h>

#include "data/db_data_link.h"
#include "platform/db/db_errors.h"
#include "tests/data/db_data_test_grid.h"

namespace {

using db_data_test::TFileListGrid;
using Keys = std::vector<int32_t>;

// One navigation step and where it leaves the cursor and the window.
struct TTestDBGridNavigation {
  const char* name;
  void (*move)(TlxDBDataController& grid);
  int32_t cursor;
  int32_t window_start;
  bool bof;
  bool eof;
};

// Twenty files in grid mode with a window of ten records.
class DBDataGridModeTest : public testing::Test {
 protected:
  DBDataGridModeTest() {
    fixture.files.AddRows(20);
    fixture.files.cds->First();
    fixture.grid.DataModeController().SetGridModeBufferCount(10);
    fixture.grid.DataModeController().SetGridMode(true);
    fixture.grid.SetMultiSelect(true);
    fixture.Bind();
  }

  TFileListGrid fixture;
};

TEST_F(DBDataGridModeTest, TheStorageHoldsTheWindowAndTheDataSetScrollsIt) {
  ASSERT_TRUE(fixture.grid.IsGridMode());
  EXPECT_EQ(fixture.grid.GetRecordCount(), 10);
  EXPECT_EQ(fixture.grid.Keys(), (Keys{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  EXPECT_EQ(fixture.grid.FocusedKey(), 1);

  fixture.files.cds->MoveBy(12);
  EXPECT_EQ(fixture.grid.Keys(), (Keys{4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
  EXPECT_EQ(fixture.grid.FocusedKey(), 13);

  // Focusing a row of the window moves the cursor there.
  fixture.grid.ChangeFocusedRowIndex(2);
  EXPECT_EQ(fixture.CursorKey(), 6);
  EXPECT_EQ(fixture.grid.FocusedKey(), 6);

  fixture.grid.ScrollInGridMode(1);
  EXPECT_EQ(fixture.CursorKey(), 14);
  EXPECT_EQ(fixture.grid.Keys().back(), 14);
}

TEST_F(DBDataGridModeTest, NavigationMovesTheDataSetBeyondTheWindow) {
  TTestDBGridNavigation steps[] = {
      {"last", [](TlxDBDataController& grid) { grid.GotoLast(); }, 20, 11, false, true},
      {"prior", [](TlxDBDataController& grid) { grid.GotoPrev(); }, 19, 11, false, false},
      {"back ten", [](TlxDBDataController& grid) { grid.MoveBy(-10); }, 9, 9, false, false},
      {"first", [](TlxDBDataController& grid) { grid.GotoFirst(); }, 1, 1, true, false},
      {"next", [](TlxDBDataController& grid) { grid.GotoNext(); }, 2, 1, false, false},
  };
  for (const TTestDBGridNavigation& step : steps) {
    step.move(fixture.grid);
    EXPECT_EQ(fixture.CursorKey(), step.cursor) << step.name;
    EXPECT_EQ(fixture.grid.FocusedKey(), step.cursor) << step.name;
    EXPECT_EQ(fixture.grid.Keys().front(), step.window_start) << step.name;
    EXPECT_EQ(fixture.grid.GetRecordCount(), 10) << step.name;
    EXPECT_EQ(fixture.grid.IsBOF(), step.bof) << step.name;
    EXPECT_EQ(fixture.grid.IsEOF(), step.eof) << step.name;
  }
}

TEST_F(DBDataGridModeTest, AKeyOutsideTheWindowIsLocatedByTheDataSet) {
  fixture.grid.SetKeyFieldNames("Sortkey");
  // Inside the window the key is found among the window's records.
  EXPECT_EQ(fixture.grid.FindRecordIndexByKey(Variant(4)), 3);
  EXPECT_EQ(fixture.grid.FindRecordIndexByKey(Variant(15)), -1);

  EXPECT_TRUE(fixture.grid.LocateByKey(Variant(15)));
  EXPECT_EQ(fixture.CursorKey(), 15);
  EXPECT_EQ(fixture.grid.FocusedKey(), 15);
  EXPECT_TRUE(fixture.grid.IsRowSelectedByBookmark(fixture.grid.FocusedRowIndex()));

  // Values the dataset cannot locate for the key answer false and stay put.
  EXPECT_FALSE(fixture.grid.LocateByKey(VarArrayOf({Variant(1), Variant(2)})));
  EXPECT_FALSE(fixture.grid.LocateByKey(Variant(99)));
  EXPECT_EQ(fixture.CursorKey(), 15);
  EXPECT_EQ(fixture.grid.Provider().LocateCount(), 0);
}

TEST_F(DBDataGridModeTest, BookmarksOfRowsAreTheDataSetsBookmarks) {
  fixture.files.cds->SetRecNo(5);
  const std::string bookmark = fixture.files.cds->GetBookmark();
  fixture.files.cds->First();
  EXPECT_EQ(fixture.grid.GetRowBookmark(4), bookmark);
  EXPECT_EQ(fixture.CursorKey(), 1);
  EXPECT_EQ(fixture.grid.GetRowBookmark(99), "");
}

TEST_F(DBDataGridModeTest, ASelectionFromTheAnchorSurvivesScrollingAndDeletesExactlyItsRows) {
  fixture.grid.SetSelectionAnchor(2);
  fixture.grid.SelectFromAnchor(6, false);
  ASSERT_EQ(fixture.grid.GetSelectedBookmarkCount(), 5);
  EXPECT_TRUE(fixture.grid.IsRowSelectedByBookmark(2));
  EXPECT_TRUE(fixture.grid.IsRowSelectedByBookmark(6));
  EXPECT_FALSE(fixture.grid.IsRowSelectedByBookmark(7));
  EXPECT_EQ(fixture.CursorKey(), 1);

  // One step further and one step back change only the end of the list.
  fixture.grid.SelectFromAnchor(7, false);
  EXPECT_EQ(fixture.grid.GetSelectedBookmarkCount(), 6);
  fixture.grid.SelectFromAnchor(6, false);
  EXPECT_EQ(fixture.grid.GetSelectedBookmarkCount(), 5);

  fixture.files.cds->MoveBy(15);
  EXPECT_EQ(fixture.grid.Keys().front(), 7);
  EXPECT_EQ(fixture.grid.GetSelectedBookmarkCount(), 5);
  EXPECT_EQ(fixture.grid.GetSelectedRowIndex(4), 0);
  EXPECT_EQ(fixture.grid.GetSelectedRowIndex(0), -1);

  fixture.grid.DeleteSelection();
  EXPECT_EQ(fixture.grid.GetSelectedBookmarkCount(), 0);
  EXPECT_FALSE(fixture.files.cds->ControlsDisabled());
  EXPECT_EQ(fixture.files.Keys(), (Keys{1, 2, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}));
}

TEST_F(DBDataGridModeTest, SelectingBeforeTheAnchorAndSelectingAll) {
  fixture.grid.SetSelectionAnchor(5);
  fixture.grid.SelectFromAnchor(3, false);
  EXPECT_EQ(fixture.grid.GetSelectedBookmarkCount(), 3);
  fixture.grid.SelectFromAnchor(2, false);
  EXPECT_EQ(fixture.grid.GetSelectedBookmarkCount(), 4);
  EXPECT_EQ(fixture.grid.GetSelectedBookmark(0), fixture.grid.GetRowBookmark(2));
  fixture.grid.SelectFromAnchor(5, false);
  EXPECT_EQ(fixture.grid.GetSelectedBookmarkCount(), 1);

  fixture.grid.SelectAll();
  EXPECT_EQ(fixture.grid.GetSelectedBookmarkCount(), 20);
  EXPECT_EQ(fixture.CursorKey(), 1);
}

TEST_F(DBDataGridModeTest, TheWindowFollowsAppendsAndDeletes) {
  fixture.files.cds->Last();
  fixture.files.Add("C:\\neu.pdf", 1, 45000, 21);
  EXPECT_EQ(fixture.grid.GetRecordCount(), 10);
  EXPECT_EQ(fixture.grid.Keys().back(), 21);
  EXPECT_EQ(fixture.grid.FocusedKey(), 21);
  fixture.files.cds->Delete();
  EXPECT_EQ(fixture.grid.Keys().back(), 20);
}

TEST(DBDataGridModeErrorsTest, BookmarkSelectionOutsideGridModeIsRefused) {
  TFileListGrid fixture;
  fixture.files.AddRows(3);
  fixture.Bind();
  for (int check = 0; check < 3; ++check) {
    try {
      if (check == 0)
        fixture.grid.GetSelectedBookmark(0);
      else if (check == 1)
        fixture.grid.GetSelectionAnchorBookmark();
      else
        fixture.grid.GetSelectedBookmarkCount();
      ADD_FAILURE() << "no error for check " << check;
    } catch (const ElxInvalidDataControllerOperation& error) {
      EXPECT_STREQ(error.what(), "DataController not in GridMode");
    }
  }
}

TEST(DBDataGridModeErrorsTest, AnInvalidBookmarkInTheSelectionIsDropped) {
  TFileListGrid fixture;
  fixture.files.AddRows(5);
  fixture.grid.DataModeController().SetGridMode(true);
  fixture.Bind();
  fixture.grid.BookmarkSelection().Append("kein Lesezeichen");
  fixture.files.cds->Refresh();
  EXPECT_EQ(fixture.grid.GetSelectedBookmarkCount(), 0);
}

}  // namespace
