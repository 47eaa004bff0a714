#include <gtest/gtest.h>

#include "data/db_data_link.h"
#include "platform/db/db_errors.h"
#include "platform/db/numeric_fields.h"
#include "tests/data/db_data_test_grid.h"

namespace {

using db_data_test::TFileListGrid;
using Keys = std::vector<int32_t>;

TEST(DBDataKeysTest, ASingleKeyFieldFindsAndLocatesRecords) {
  TFileListGrid fixture;
  fixture.files.AddRows(5);
  fixture.grid.SetKeyFieldNames("Sortkey");
  fixture.Bind();
  ASSERT_TRUE(fixture.grid.UsesRecordKeys());

  EXPECT_EQ(fixture.grid.FindRecordIndexByKey(Variant(4)), 3);
  EXPECT_EQ(fixture.grid.FindRecordIndexByKey(Variant(9)), -1);
  EXPECT_EQ(fixture.grid.FindRecordIndexByKey(VarArrayOf({Variant(4)})), -1);
  EXPECT_EQ(fixture.grid.GetRecordKeyValue(1).AsInteger(), 2);

  EXPECT_TRUE(fixture.grid.LocateByKey(Variant(2)));
  EXPECT_EQ(fixture.grid.FocusedKey(), 2);
  EXPECT_EQ(fixture.CursorKey(), 2);
  // A key no record has clears the focus.
  EXPECT_FALSE(fixture.grid.LocateByKey(Variant(9)));
  EXPECT_EQ(fixture.grid.FocusedRowIndex(), -1);
}

TEST(DBDataKeysTest, TwoKeyNamesMakeOneKeyFieldWithTwoSubFields) {
  TFileListGrid fixture;
  fixture.files.AddRows(3);
  fixture.grid.SetKeyFieldNames("Datei;Sortkey");
  fixture.Bind();

  ASSERT_NE(fixture.grid.KeyField(), nullptr);
  EXPECT_EQ(fixture.grid.KeyField()->SubFieldCount(), 2);
  EXPECT_EQ(fixture.grid.KeyFieldList().size(), 2u);
  const Variant key = fixture.grid.GetRecordKeyValue(2);
  ASSERT_TRUE(key.IsArray());
  EXPECT_EQ(VarArrayHighBound(key) - VarArrayLowBound(key), 1);
  EXPECT_EQ(VarToStr(VarArrayGet(key, 0)), "C:\\f3.pdf");
  EXPECT_EQ(VarArrayGet(key, 1).AsInteger(), 3);
  EXPECT_EQ(fixture.grid.FindRecordIndexByKey(VarArrayOf({Variant("C:\\f2.pdf"), Variant(2)})), 1);
  // A key of too few parts, or a single value, finds nothing.
  EXPECT_EQ(fixture.grid.FindRecordIndexByKey(VarArrayOf({Variant("C:\\f2.pdf")})), -1);
  EXPECT_EQ(fixture.grid.FindRecordIndexByKey(Variant(2)), -1);

  // Focusing a row locates its key in the dataset.
  fixture.grid.ChangeFocusedRecordIndex(0);
  EXPECT_EQ(fixture.CursorKey(), 1);
}

TEST(DBDataKeysTest, SettingTheSameKeyNamesAgainDoesNothing) {
  TFileListGrid fixture;
  fixture.files.AddRows(2);
  fixture.grid.SetKeyFieldNames("Sortkey");
  fixture.Bind();
  TlxDBDataField* key = fixture.grid.KeyField();

  fixture.grid.SetKeyFieldNames("Sortkey");
  EXPECT_EQ(fixture.grid.KeyField(), key);
  EXPECT_EQ(fixture.grid.TakeLoads(), 0);
  EXPECT_TRUE(fixture.grid.TakeLog().empty());

  fixture.grid.SetKeyFieldNames("");
  EXPECT_EQ(fixture.grid.KeyField(), nullptr);
  EXPECT_FALSE(fixture.grid.UsesRecordKeys());
}

TEST(DBDataKeysTest, AKeyNameWithoutAFieldRaisesWhenTheCursorMustFollow) {
  TFileListGrid fixture;
  fixture.files.AddRows(3);
  fixture.grid.SetKeyFieldNames("Fehlt");
  fixture.Bind();

  try {
    fixture.grid.ChangeFocusedRecordIndex(0);
    FAIL() << "no error";
  } catch (const ElxInvalidDataControllerOperation& error) {
    EXPECT_STREQ(error.what(), "Key Field not found");
  }
  EXPECT_EQ(fixture.grid.Provider().LocateCount(), 0);
  EXPECT_EQ(fixture.grid.GetRecordCount(), 3);
}

// A dataset whose key the dataset itself assigns when a record is posted.
struct TAutoKeyList {
  TAutoKeyList() {
    files.cds->Close();
    id = new TAutoIncField(owner.get());
    id->SetFieldName("Id");
    id->SetDataSet(files.cds);
    files.cds->FieldDefs().Clear();
    files.cds->CreateDataSet();
  }
  std::unique_ptr<TComponent> owner = std::make_unique<TComponent>(nullptr);
  db_test::TFileList files;
  TAutoIncField* id = nullptr;
};

TEST(DBDataSmartRefreshTest, APostRereadsOnlyThePostedRecord) {
  TFileListGrid fixture;
  fixture.files.AddRows(4);
  fixture.grid.SetKeyFieldNames("Sortkey");
  fixture.grid.DataModeController().SetSmartRefresh(true);
  fixture.Bind();
  ASSERT_TRUE(fixture.grid.IsSmartRefresh());
  fixture.grid.ChangeFocusedRecordIndex(1);

  ASSERT_TRUE(fixture.grid.SetEditingValue(fixture.datei, Variant("C:\\anders.pdf")));
  fixture.grid.Post();

  EXPECT_EQ(fixture.grid.TakeLoads(), 0);
  EXPECT_EQ(fixture.grid.GetValue(1, fixture.datei).AsString(), "C:\\anders.pdf");
  EXPECT_EQ(fixture.grid.FocusedKey(), 2);
  EXPECT_EQ(fixture.files.datei->AsString(), "C:\\anders.pdf");
}

TEST(DBDataSmartRefreshTest, AnAutoIncrementKeyAssignedAtPostKeepsTheNewRecord) {
  TAutoKeyList list;
  db_data_test::TTestDBGrid grid;
  grid.sortkey = grid.AddColumn("Sortkey");
  const int32_t id = grid.AddColumn("Id");
  grid.SetKeyFieldNames("Id");
  grid.DataModeController().SetSmartRefresh(true);
  grid.SetDataSource(list.files.source);
  list.files.AddRows(2);
  grid.TakeLoads();
  ASSERT_EQ(grid.GetRecordCount(), 2);

  grid.Append();
  ASSERT_TRUE(grid.SetEditingValue(grid.sortkey, Variant(3)));
  EXPECT_TRUE(grid.GetValue(grid.Provider().EditedRecordIndex(), id).IsNull());
  grid.Post();

  EXPECT_EQ(grid.TakeLoads(), 0);
  ASSERT_EQ(grid.GetRecordCount(), 3);
  EXPECT_EQ(grid.GetValue(2, grid.sortkey).AsInteger(), 3);
  EXPECT_EQ(grid.GetValue(2, id).AsInteger(), list.id->AsInteger());
  EXPECT_FALSE(grid.GetValue(2, id).IsNull());
  grid.SetDataSource(nullptr);
}

TEST(DBDataEditingTest, ValuesWrittenThroughTheControllerReachTheDataSet) {
  TFileListGrid fixture;
  fixture.files.AddRows(3);
  fixture.Bind();
  fixture.grid.ChangeFocusedRecordIndex(0);

  ASSERT_TRUE(fixture.grid.SetEditingValue(fixture.datei, Variant("C:\\neu.pdf")));
  EXPECT_EQ(fixture.files.cds->State(), dsEdit);
  EXPECT_TRUE(fixture.grid.IsEditing());
  EXPECT_EQ(fixture.grid.GetEditingValue(fixture.datei).AsString(), "C:\\neu.pdf");
  // The edit text goes through the field's text.
  ASSERT_TRUE(fixture.grid.SetEditingValue(fixture.groesse, Variant("12,5"), 1));
  EXPECT_DOUBLE_EQ(fixture.files.groesse->AsFloat(), 12.5);
  fixture.grid.Post();

  EXPECT_EQ(fixture.files.cds->State(), dsBrowse);
  EXPECT_EQ(fixture.grid.Column(fixture.datei)[0], "C:\\neu.pdf");
  EXPECT_DOUBLE_EQ(fixture.grid.GetValue(0, fixture.groesse).AsDouble(), 12.5);
}

TEST(DBDataEditingTest, AppendThroughTheControllerCreatesOneRecord) {
  TFileListGrid fixture;
  fixture.files.AddRows(2);
  fixture.Bind();

  fixture.grid.Append();
  EXPECT_EQ(fixture.files.cds->State(), dsInsert);
  EXPECT_EQ(fixture.grid.GetRecordCount(), 3);
  ASSERT_TRUE(fixture.grid.SetEditingValue(fixture.grid.sortkey, Variant(3)));
  fixture.grid.Post();

  EXPECT_EQ(fixture.grid.Keys(), (Keys{1, 2, 3}));
  EXPECT_EQ(fixture.grid.FocusedKey(), 3);
}

TEST(DBDataEditingTest, ANewRecordHoldingOnlyTheAssignedMasterKeysIsNotModified) {
  TFileListGrid fixture;
  fixture.files.AddRows(2);
  fixture.grid.SetDetailKeyFieldNames("Sortkey");
  fixture.grid.SetMasterDetailKeyValues(Variant(7));
  fixture.Bind();

  fixture.grid.Append();
  EXPECT_EQ(fixture.files.sortkey->AsInteger(), 7);
  EXPECT_FALSE(fixture.grid.DBProvider().IsDataSetModified());
  // A non-forced post drops it.
  fixture.grid.Post();
  EXPECT_EQ(fixture.files.cds->State(), dsBrowse);
  EXPECT_EQ(fixture.grid.Keys(), (Keys{1, 2}));

  fixture.grid.Append();
  fixture.files.datei->SetAsString("C:\\neu.pdf");
  EXPECT_TRUE(fixture.grid.DBProvider().IsDataSetModified());
  fixture.grid.Post();
  EXPECT_EQ(fixture.grid.Keys(), (Keys{1, 2, 7}));
}

TEST(DBDataEditingTest, ADataSetErrorFromPostPropagatesAndReleasesEverything) {
  TFileListGrid fixture;
  fixture.files.AddRows(2);
  fixture.Bind();
  fixture.files.cds->BeforePost = [](TDataSet*) { DatabaseError("Speichern verweigert"); };
  ASSERT_TRUE(fixture.grid.SetEditingValue(fixture.datei, Variant("C:\\x.pdf")));

  EXPECT_THROW(fixture.grid.Post(), EDatabaseError);
  EXPECT_EQ(fixture.grid.GetLockCount(), 0);
  EXPECT_FALSE(fixture.files.cds->ControlsDisabled());
  EXPECT_THROW(fixture.grid.FinishEditing(), EDatabaseError);
  EXPECT_FALSE(fixture.files.cds->ControlsDisabled());
  EXPECT_EQ(fixture.grid.GetLockCount(), 0);

  fixture.grid.Cancel();
  EXPECT_EQ(fixture.files.cds->State(), dsBrowse);
  EXPECT_EQ(fixture.grid.Column(fixture.datei)[1], "C:\\f2.pdf");
}

TEST(DBDataEditingTest, EmptyingTheDataSetDuringAnEditLeavesAnEmptyController) {
  TFileListGrid fixture;
  fixture.files.AddRows(3);
  fixture.Bind();
  ASSERT_TRUE(fixture.grid.SetEditingValue(fixture.datei, Variant("C:\\x.pdf")));

  fixture.files.cds->EmptyDataSet();

  EXPECT_EQ(fixture.grid.GetRecordCount(), 0);
  EXPECT_EQ(fixture.grid.FocusedRowIndex(), -1);
  EXPECT_FALSE(fixture.grid.IsEditing());
}

// Data event 14 marks a layout change; one that meets an insert hands the
// data-set-changed handling to the layout handling, which must not hand it
// back for ever.
TEST(DBDataLinkTest, APendingLayoutChangeDuringAnInsertEnds) {
  TFileListGrid fixture;
  fixture.files.AddRows(2);
  fixture.Bind();
  fixture.files.cds->DataEvent(deDisabledStateChange, TDataEventInfo{});
  ASSERT_TRUE(fixture.grid.DBProvider().DataLink().LayoutChangedPending());

  fixture.files.cds->Append();
  // The insert is mirrored; the layout change waits for its end.
  EXPECT_EQ(fixture.files.cds->State(), dsInsert);
  EXPECT_EQ(fixture.grid.GetRecordCount(), 3);
  EXPECT_TRUE(fixture.grid.DBProvider().DataLink().LayoutChangedPending());
  fixture.files.sortkey->SetAsInteger(3);
  fixture.files.cds->Post();
  EXPECT_FALSE(fixture.grid.DBProvider().DataLink().LayoutChangedPending());
  EXPECT_EQ(fixture.grid.Keys(), (Keys{1, 2, 3}));
}

}  // namespace
