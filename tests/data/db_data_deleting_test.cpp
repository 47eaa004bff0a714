#include <gtest/gtest.h>

#include "data/db_data_link.h"
#include "platform/db/db_errors.h"
#include "tests/data/db_data_test_grid.h"

namespace {

using db_data_test::TFileListGrid;
using Keys = std::vector<int32_t>;

struct TDeleteFocusedCase {
  const char* name;
  int32_t rows;
  int32_t focused_key;
  Keys left;
  int32_t focus_after;
};

class DBDataDeleteFocusedTest : public testing::TestWithParam<TDeleteFocusedCase> {};

TEST_P(DBDataDeleteFocusedTest, DeletesTheRightRecordAndFocusesTheNearestRow) {
  const TDeleteFocusedCase& test = GetParam();
  TFileListGrid fixture;
  fixture.files.AddRows(test.rows);
  fixture.Bind();
  fixture.grid.ChangeFocusedRecordIndex(test.focused_key - 1);
  ASSERT_EQ(fixture.CursorKey(), test.focused_key);

  fixture.grid.DeleteFocused();

  EXPECT_EQ(fixture.grid.TakeLoads(), 1);
  EXPECT_EQ(fixture.grid.FocusedKey(), test.focus_after);
  EXPECT_EQ(fixture.CursorKey(), test.focus_after);
  // (Reading the dataset's keys moves its cursor: last.)
  EXPECT_EQ(fixture.grid.Keys(), test.left);
  EXPECT_EQ(fixture.files.Keys(), test.left);
}

const TDeleteFocusedCase kDeleteFocusedCases[] = {
    {"First", 4, 1, {2, 3, 4}, 2},
    {"Middle", 4, 2, {1, 3, 4}, 3},
    {"Last", 4, 4, {1, 2, 3}, 3},
    {"Only", 1, 1, {}, -1},
};

INSTANTIATE_TEST_SUITE_P(Rows, DBDataDeleteFocusedTest, testing::ValuesIn(kDeleteFocusedCases),
                         [](const testing::TestParamInfo<TDeleteFocusedCase>& param) { return param.param.name; });

// Deleting by position walks the dataset from the last listed record to
// the first; a delete of the last record leaves the cursor one before.
struct TDeleteRecordsCase {
  const char* name;
  std::vector<int32_t> records;
  Keys left;
};

class DBDataDeleteRecordsTest : public testing::TestWithParam<TDeleteRecordsCase> {};

TEST_P(DBDataDeleteRecordsTest, ByPositionDeletesExactlyTheListedRecords) {
  const TDeleteRecordsCase& test = GetParam();
  TFileListGrid fixture;
  fixture.files.AddRows(5);
  fixture.Bind();

  fixture.grid.DeleteRecords(test.records);

  EXPECT_EQ(fixture.files.Keys(), test.left);
  EXPECT_EQ(fixture.grid.Keys(), test.left);
  // One batch of deletes, one reload.
  EXPECT_EQ(fixture.grid.TakeLoads(), 1);
  EXPECT_FALSE(fixture.files.cds->ControlsDisabled());
}

TEST_P(DBDataDeleteRecordsTest, ByKeyDeletesExactlyTheListedRecords) {
  const TDeleteRecordsCase& test = GetParam();
  TFileListGrid fixture;
  fixture.files.AddRows(5);
  fixture.grid.SetKeyFieldNames("Sortkey");
  fixture.Bind();

  fixture.grid.DeleteRecords(test.records);

  EXPECT_EQ(fixture.files.Keys(), test.left);
  EXPECT_EQ(fixture.grid.Keys(), test.left);
  EXPECT_EQ(fixture.grid.TakeLoads(), 1);
}

const TDeleteRecordsCase kDeleteRecordsCases[] = {
    {"OneAndThree", {1, 3}, {1, 3, 5}},
    {"TwoAndFour", {2, 4}, {1, 2, 4}},
    {"TwoThreeFour", {2, 3, 4}, {1, 2}},
    {"All", {0, 1, 2, 3, 4}, {}},
    {"Last", {4}, {1, 2, 3, 4}},
    {"First", {0}, {2, 3, 4, 5}},
};

INSTANTIATE_TEST_SUITE_P(Lists, DBDataDeleteRecordsTest, testing::ValuesIn(kDeleteRecordsCases),
                         [](const testing::TestParamInfo<TDeleteRecordsCase>& param) { return param.param.name; });

TEST(DBDataDeletingTest, AKeyedDeleteSkipsARecordTheDataSetNoLongerHas) {
  TFileListGrid fixture;
  fixture.files.AddRows(5);
  fixture.grid.SetKeyFieldNames("Sortkey");
  fixture.Bind();
  // The dataset loses key 3 behind the controller's back.
  fixture.files.cds->DisableControls();
  ASSERT_TRUE(fixture.files.cds->Locate("Sortkey", Variant(3), {}));
  fixture.files.cds->Delete();
  fixture.files.cds->EnableControls();
  fixture.grid.TakeLoads();
  fixture.grid.DataStorage().InsertRecordAt(2);
  fixture.grid.SetValue(2, fixture.grid.sortkey, Variant(3));

  fixture.grid.DeleteRecords({1, 2, 3});

  EXPECT_EQ(fixture.files.Keys(), (Keys{1, 5}));
}

TEST(DBDataDeletingTest, ADataSetErrorFromDeletePropagatesAndReleasesTheControls) {
  TFileListGrid fixture;
  fixture.files.AddRows(3);
  fixture.Bind();
  fixture.files.cds->BeforeDelete = [](TDataSet*) { DatabaseError("Löschen verweigert"); };

  EXPECT_THROW(fixture.grid.DeleteFocused(), EDatabaseError);
  EXPECT_THROW(fixture.grid.DeleteRecords({0, 2}), EDatabaseError);

  EXPECT_FALSE(fixture.files.cds->ControlsDisabled());
  EXPECT_EQ(fixture.grid.Provider().NotificationLockCount(), 0);
  EXPECT_FALSE(fixture.grid.DBProvider().DataLink().PreventLayoutChanged());
  EXPECT_EQ(fixture.files.Keys(), (Keys{1, 2, 3}));
  // The controller still follows the dataset.
  fixture.files.cds->BeforeDelete = nullptr;
  fixture.grid.DeleteRecords({0});
  EXPECT_EQ(fixture.grid.Keys(), (Keys{2, 3}));
}

}  // namespace
