#include <gtest/gtest.h>

#include "data/db_data_mode_controller.h"
#include "tests/data/db_data_test_grid.h"
#include "tests/data/db_data_test_query.h"

namespace {

using db_data_test::TFileQuery;
using db_data_test::TTestDBGrid;

TEST(DBDataModeControllerTest, ANegativeBufferCountIsStoredAsZeroAndMeansTheDefault) {
  TTestDBGrid grid;
  TlxDBDataModeController& mode = grid.DataModeController();
  EXPECT_EQ(mode.EffectiveGridModeBufferCount(), 100);
  mode.SetGridModeBufferCount(-5);
  EXPECT_EQ(mode.GridModeBufferCount(), 0);
  EXPECT_EQ(mode.EffectiveGridModeBufferCount(), 100);
  mode.SetGridModeBufferCount(20);
  EXPECT_EQ(mode.EffectiveGridModeBufferCount(), 20);
}

TEST(DBDataModeControllerTest, AssigningCopiesEverySetting) {
  TTestDBGrid from;
  TTestDBGrid to;
  TlxDBDataModeController& source = from.DataModeController();
  source.SetDetailInSQLMode(true);
  source.SetDetailCursorSync(false);
  source.SetGridModeBufferCount(7);
  source.SetSmartRefresh(true);
  source.SetMirrorDataSetInserts(false);
  source.SetSyncMode(false);
  bool first_called = false;
  source.OnDetailFirst = [&](TlxDBDataModeController*, TDataSet*, const std::string&, const Variant&, bool&) {
    first_called = true;
  };

  to.SetDataModeController(source);
  const TlxDBDataModeController& copy = to.DataModeController();
  EXPECT_TRUE(copy.DetailInSQLMode());
  EXPECT_FALSE(copy.DetailCursorSync());
  EXPECT_EQ(copy.GridModeBufferCount(), 7);
  EXPECT_TRUE(copy.SmartRefresh());
  EXPECT_FALSE(copy.MirrorDataSetInserts());
  EXPECT_FALSE(copy.SyncMode());
  bool reopened = true;
  to.DataModeController().DoDetailFirst("Sortkey", Variant(1), reopened);
  EXPECT_TRUE(first_called);
  EXPECT_FALSE(reopened);
}

TEST(DBDataModeControllerTest, WithoutSyncModeTheCursorAndTheFocusGoTheirOwnWays) {
  db_data_test::TFileListGrid fixture;
  fixture.files.AddRows(3);
  fixture.grid.DataModeController().SetSyncMode(false);
  fixture.Bind();
  EXPECT_FALSE(fixture.grid.DBProvider().IsSyncMode());
  EXPECT_FALSE(fixture.grid.DBProvider().CanModify());

  fixture.grid.ChangeFocusedRecordIndex(0);
  EXPECT_EQ(fixture.grid.FocusedKey(), 1);
  EXPECT_EQ(fixture.CursorKey(), 3);
}

// The detail filter adapter runs a query dataset through its parameters.
class DetailFilterAdapterTest : public testing::Test {
 protected:
  DetailFilterAdapterTest() {
    query = new TFileQuery(&owner);
    query->Params()->ParamByName("Sortkey")->SetValue(Variant(4));
    query->Open();
    source = new TDataSource(&owner);
    source->SetDataSet(query);
    grid.sortkey = grid.AddColumn("Sortkey");
    grid.SetDataSource(source);
  }
  ~DetailFilterAdapterTest() override { grid.SetDataSource(nullptr); }

  TComponent owner{nullptr};
  TFileQuery* query = nullptr;
  TDataSource* source = nullptr;
  TTestDBGrid grid;
};

TEST_F(DetailFilterAdapterTest, TheCurrentQueryTestReadsTheParameters) {
  TlxDBProviderDetailFilterAdapter* adapter = lxDBGetDetailFilterAdapter(query);
  ASSERT_NE(adapter, nullptr);
  EXPECT_TRUE(adapter->IsCurrentQuery(query, "Sortkey", Variant(4)));
  EXPECT_FALSE(adapter->IsCurrentQuery(query, "Sortkey", Variant(5)));
  EXPECT_TRUE(grid.DataModeController().DoDetailIsCurrentQuery("Sortkey", Variant(4)));
  // A dataset without "Params" is never the current query.
  db_test::TFileList files;
  EXPECT_FALSE(adapter->IsCurrentQuery(files.cds, "Sortkey", Variant(4)));
  EXPECT_EQ(lxDBGetDetailFilterAdapter(nullptr), nullptr);
}

TEST_F(DetailFilterAdapterTest, InSqlModeOtherKeysReopenTheQueryAndTheSameKeysOnlyMoveToTheFirstRecord) {
  TlxDBDataModeController& mode = grid.DataModeController();
  mode.SetDetailInSQLMode(true);
  ASSERT_EQ(query->runs, 1);
  EXPECT_EQ(grid.GetRecordCount(), 3);
  query->Last();

  bool reopened = true;
  mode.DoDetailFirst("Sortkey", Variant(4), reopened);
  EXPECT_FALSE(reopened);
  EXPECT_EQ(query->runs, 1);
  EXPECT_EQ(query->RecNo(), 1);

  mode.DoDetailFirst("Sortkey", Variant(9), reopened);
  EXPECT_TRUE(reopened);
  EXPECT_EQ(query->runs, 2);
  EXPECT_EQ(query->Params()->ParamByName("Sortkey")->Value().AsInteger(), 9);
  EXPECT_FALSE(query->ControlsDisabled());
  EXPECT_EQ(grid.GetRecordCount(), 3);
  EXPECT_EQ(grid.Keys(), (std::vector<int32_t>{9, 9, 9}));
}

TEST_F(DetailFilterAdapterTest, OutsideSqlModeTheDataSetLocatesTheKeys) {
  query->Params()->ParamByName("Sortkey")->SetValue(Variant::Null());
  bool reopened = true;
  query->Last();
  grid.DataModeController().DoDetailFirst("Datei", Variant("C:\\4_2.pdf"), reopened);
  EXPECT_FALSE(reopened);
  EXPECT_EQ(query->RecNo(), 2);
  EXPECT_EQ(query->runs, 1);
}

}  // namespace
