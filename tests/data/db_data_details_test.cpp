#include <gtest/gtest.h>

#include "data/data_relations.h"
#include "data/db_data_relation.h"
#include "tests/data/db_data_test_grid.h"
#include "tests/data/db_data_test_query.h"

namespace db_data_details_test {

using db_data_test::TFileListGrid;
using db_data_test::TTestDBGrid;
using Keys = std::vector<int32_t>;

// Files of the master list by their "Sortkey": the detail dataset holds,
// in key order, two rows for key 1, three for key 2 and none for key 3.
void AddDetailRows(db_test::TFileList& details) {
  const std::vector<std::pair<std::string, int32_t>> rows = {
      {"a", 1}, {"b", 1}, {"c", 2}, {"d", 2}, {"e", 2}};
  for (const auto& [name, key] : rows)
    details.Add(name, 1.0, EncodeDate(2024, 1, 1), key);
}

// A master grid over three files whose detail level is the detail dataset
// tied by "Sortkey" to "Sortkey".
struct TMasterDetail {
  TMasterDetail() {
    master.files.AddRows(3);
    master.grid.SetKeyFieldNames("Sortkey");
    master.Bind();
    AddDetailRows(details);
    relation = static_cast<TlxDBDataRelation*>(master.grid.RelationList().NewRelation(&level));
    detail.AddColumn("Datei");
    detail.sortkey = detail.AddColumn("Sortkey");
    detail.SetDetailKeyFieldNames("Sortkey");
    detail.SetMasterKeyFieldNames("Sortkey");
    detail.AttachToMasterRelation(relation, true);
    detail.SetDataSource(details.source);
  }
  ~TMasterDetail() { detail.AttachToMasterRelation(nullptr, false); }

  // A clone of the detail for one master record.
  std::unique_ptr<TTestDBGrid> Clone(int32_t master_record) {
    auto clone = std::make_unique<TTestDBGrid>();
    clone->AddColumn("Datei");
    clone->sortkey = clone->AddColumn("Sortkey");
    clone->SetDetailKeyFieldNames("Sortkey");
    clone->SetMasterKeyFieldNames("Sortkey");
    clone->SetDataSource(details.source);
    clone->SetMasterRelation(relation, master_record);
    return clone;
  }

  TFileListGrid master;
  db_test::TFileList details;
  data_controller_test::TColumn level{"Dateien"};
  TTestDBGrid detail;
  TlxDBDataRelation* relation = nullptr;
};

TEST(DBDataDetailsTest, ADetailLoadsOnlyTheRecordsOfItsMasterRecord) {
  TMasterDetail fixture;
  // The template shows no master record and so holds no records.
  EXPECT_EQ(fixture.detail.GetRecordCount(), 0);

  struct TCase {
    int32_t master_record;
    std::vector<std::string> names;
  };
  const TCase cases[] = {{0, {"a", "b"}}, {1, {"c", "d", "e"}}, {2, {}}};
  for (const TCase& test : cases) {
    std::unique_ptr<TTestDBGrid> clone = fixture.Clone(test.master_record);
    EXPECT_EQ(clone->MasterDetailKeyValues().AsInteger(), test.master_record + 1);
    EXPECT_EQ(clone->Column(0), test.names) << test.master_record;
    EXPECT_TRUE(clone->DBProvider().DataSetIsCurrent());
    clone->SetDataSource(nullptr);
  }
}

TEST(DBDataDetailsTest, TheLastLoadedDetailHoldsTheSharedCursor) {
  TMasterDetail fixture;
  std::unique_ptr<TTestDBGrid> first = fixture.Clone(0);
  std::unique_ptr<TTestDBGrid> second = fixture.Clone(1);
  EXPECT_FALSE(first->DBProvider().DataSetIsCurrent());
  EXPECT_TRUE(second->DBProvider().DataSetIsCurrent());
  first->MarkDataSetCurrent();
  EXPECT_TRUE(first->DBProvider().DataSetIsCurrent());
  EXPECT_FALSE(second->DBProvider().DataSetIsCurrent());
  EXPECT_EQ(second->FocusedRecordIndex(), -1);
  first->SetDataSource(nullptr);
  second->SetDataSource(nullptr);
}

TEST(DBDataDetailsTest, HasChildrenAsksTheDetailDataSetOnceAndKeepsItsCursor) {
  TMasterDetail fixture;
  fixture.details.cds->Last();
  const int32_t cursor = fixture.details.cds->RecNo();
  EXPECT_TRUE(fixture.master.grid.DetailHasChildren(0, 0));
  EXPECT_TRUE(fixture.master.grid.DetailHasChildren(1, 0));
  EXPECT_FALSE(fixture.master.grid.DetailHasChildren(2, 0));
  EXPECT_EQ(fixture.details.cds->RecNo(), cursor);
  EXPECT_FALSE(fixture.details.cds->ControlsDisabled());

  // The handler decides when there is one; answers are kept until cleared.
  int32_t asked = 0;
  fixture.master.grid.OnDetailHasChildren = [&](TlxCustomDataController*, int32_t record, int32_t relation,
                                               const std::string& names, const Variant& keys, bool& has_children) {
    ++asked;
    EXPECT_EQ(relation, 0);
    EXPECT_EQ(names, "Sortkey");
    EXPECT_EQ(keys.AsInteger(), record + 1);
    has_children = record == 2;
  };
  EXPECT_TRUE(fixture.master.grid.DetailHasChildren(0, 0));
  EXPECT_EQ(asked, 0);
  fixture.master.grid.ClearDetailsHasChildren();
  EXPECT_FALSE(fixture.master.grid.DetailHasChildren(0, 0));
  EXPECT_TRUE(fixture.master.grid.DetailHasChildren(2, 0));
  EXPECT_EQ(asked, 2);
}

TEST(DBDataDetailsTest, TheTemplateMovesItsMasterToTheMasterRecordOfTheDetailCursor) {
  TMasterDetail fixture;
  fixture.detail.SetKeyFieldNames("Datei");
  ASSERT_TRUE(fixture.detail.DBProvider().IsSyncMode());
  fixture.master.grid.ChangeFocusedRecordIndex(2);
  ASSERT_EQ(fixture.master.CursorKey(), 3);

  // The detail cursor moves to "d", a row of master key 2.
  fixture.details.cds->Locate("Datei", Variant("d"), {});
  EXPECT_EQ(fixture.master.CursorKey(), 2);
  EXPECT_EQ(fixture.master.grid.FocusedKey(), 2);
  EXPECT_TRUE(fixture.master.grid.GetDetailExpanded(1));
  EXPECT_EQ(fixture.master.grid.GetDetailActiveRelationIndex(1), 0);

  // A row whose key no master record has leaves the master where it is.
  fixture.details.Add("x", 1.0, EncodeDate(2024, 1, 1), 9);
  fixture.details.cds->Last();
  EXPECT_EQ(fixture.master.CursorKey(), 2);
  EXPECT_EQ(fixture.master.grid.FocusedKey(), 2);
}

TEST(DBDataDetailsTest, ANewDetailRecordHoldingOnlyItsMasterKeysIsNotModified) {
  TMasterDetail fixture;
  std::unique_ptr<TTestDBGrid> clone = fixture.Clone(1);
  clone->SetKeyFieldNames("Datei");
  ASSERT_TRUE(clone->DBProvider().IsSyncMode());
  ASSERT_EQ(clone->Column(0), (std::vector<std::string>{"c", "d", "e"}));

  clone->Append();
  ASSERT_EQ(fixture.details.cds->State(), dsInsert);
  EXPECT_EQ(fixture.details.sortkey->AsInteger(), 2);
  EXPECT_FALSE(clone->DBProvider().IsDataSetModified());
  clone->Post();
  EXPECT_EQ(fixture.details.cds->State(), dsBrowse);
  EXPECT_EQ(clone->Column(0), (std::vector<std::string>{"c", "d", "e"}));

  clone->Append();
  fixture.details.datei->SetAsString("f");
  EXPECT_TRUE(clone->DBProvider().IsDataSetModified());
  clone->Post();
  EXPECT_EQ(clone->Column(0), (std::vector<std::string>{"c", "d", "e", "f"}));
  EXPECT_EQ(fixture.details.Keys(), (Keys{1, 1, 2, 2, 2, 2}));
  clone->SetDataSource(nullptr);
}

TEST(DBDataDetailsTest, MovingInADetailPostsThePendingEditOfItsMaster) {
  TMasterDetail fixture;
  std::unique_ptr<TTestDBGrid> clone = fixture.Clone(1);
  clone->SetKeyFieldNames("Datei");
  fixture.master.files.cds->SetRecNo(2);
  fixture.master.files.cds->Edit();
  fixture.master.files.datei->SetAsString("C:\\geändert.pdf");

  ASSERT_TRUE(clone->ChangeFocusedRowIndex(2));
  EXPECT_EQ(fixture.master.files.cds->State(), dsBrowse);
  EXPECT_EQ(fixture.master.grid.Column(fixture.master.datei)[1], "C:\\geändert.pdf");
  EXPECT_EQ(VarToStr(clone->GetValue(clone->FocusedRecordIndex(), 0)), "e");
  clone->SetDataSource(nullptr);
}

// A detail in SQL mode whose query runs on a parameter.
struct TQueryDetail {
  TQueryDetail() {
    master.files.AddRows(3);
    master.Bind();
    query = new db_data_test::TFileQuery(&owner);
    source = new TDataSource(&owner);
    source->SetDataSet(query);
    query->Open();
    relation = static_cast<TlxDBDataRelation*>(master.grid.RelationList().NewRelation(&level));
    detail.SetDetailKeyFieldNames("Sortkey");
    detail.SetMasterKeyFieldNames("Sortkey");
    detail.AttachToMasterRelation(relation, true);
    clone.sortkey = clone.AddColumn("Sortkey");
    clone.DataModeController().SetDetailInSQLMode(true);
    clone.SetDetailKeyFieldNames("Sortkey");
    clone.SetMasterKeyFieldNames("Sortkey");
    clone.SetDataSource(source);
    clone.SetMasterRelation(relation, 1);
  }
  ~TQueryDetail() {
    clone.SetMasterRelation(nullptr, -1);
    clone.SetDataSource(nullptr);
    detail.AttachToMasterRelation(nullptr, false);
  }

  TFileListGrid master;
  TComponent owner{nullptr};
  db_data_test::TFileQuery* query = nullptr;
  TDataSource* source = nullptr;
  data_controller_test::TColumn level{"Dateien"};
  TTestDBGrid detail;
  TTestDBGrid clone;
  TlxDBDataRelation* relation = nullptr;
};

TEST(DBDataDetailsTest, InSqlModeTheQueryRunsForTheMasterKeys) {
  TQueryDetail fixture;
  EXPECT_EQ(fixture.query->Params()->ParamByName("Sortkey")->Value().AsInteger(), 2);
  EXPECT_EQ(fixture.clone.Keys(), (Keys{2, 2, 2}));
}

TEST(DBDataDetailsTest, TheCurrentQueryCheckReopensOnlyAQueryForOtherKeys) {
  TQueryDetail fixture;
  const int32_t runs = fixture.query->runs;
  fixture.clone.SyncDetailWithMaster();
  EXPECT_EQ(fixture.query->runs, runs);

  // Someone changed the parameter without running the query again.
  fixture.query->Params()->ParamByName("Sortkey")->SetValue(Variant(5));
  fixture.clone.SyncDetailWithMaster();
  EXPECT_EQ(fixture.query->runs, runs + 1);
  EXPECT_EQ(fixture.query->Params()->ParamByName("Sortkey")->Value().AsInteger(), 2);
  EXPECT_FALSE(fixture.query->ControlsDisabled());
  EXPECT_FALSE(fixture.clone.InCheckCurrentQuery());
  EXPECT_EQ(fixture.clone.Keys(), (Keys{2, 2, 2}));

  // The handler answers instead of the parameters when it is set.
  bool asked = false;
  fixture.clone.DataModeController().OnDetailIsCurrentQuery =
      [&](TlxDBDataModeController*, TDataSet* dataset, const std::string& names, const Variant& values) {
        asked = dataset == fixture.query && names == "Sortkey" && values.AsInteger() == 2;
        return true;
      };
  fixture.query->Params()->ParamByName("Sortkey")->SetValue(Variant(6));
  fixture.clone.SyncDetailWithMaster();
  EXPECT_TRUE(asked);
  EXPECT_EQ(fixture.query->runs, runs + 1);
}

// Reloads run inside a keep-state bracket: records selected by key stay
// selected when the rows before them go.
TEST(DBDataDetailsTest, AReloadKeepsTheSelectionByKey) {
  TFileListGrid fixture;
  fixture.files.AddRows(5);
  fixture.grid.SetKeyFieldNames("Sortkey");
  fixture.Bind();
  fixture.grid.SetMultiSelect(true);
  fixture.grid.ChangeRowSelection(1, true);
  fixture.grid.ChangeRowSelection(3, true);

  fixture.files.cds->First();
  fixture.files.cds->Delete();
  ASSERT_EQ(fixture.grid.Keys(), (Keys{2, 3, 4, 5}));
  Keys selected;
  for (int32_t row = 0; row < fixture.grid.GetRowCount(); ++row)
    if (fixture.grid.IsRowSelected(row))
      selected.push_back(fixture.grid.Keys()[static_cast<size_t>(row)]);
  EXPECT_EQ(selected, (Keys{2, 4}));
}

}  // namespace db_data_details_test
