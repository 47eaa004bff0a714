#include <gtest/gtest.h>

#include "data/data_summary.h"
#include "data/db_data_relation.h"
#include "data/db_data_summary_item.h"
#include "data/variant_utils.h"
#include "tests/data/db_data_test_grid.h"

namespace db_data_relation_test {

using db_data_test::TFileListGrid;
using db_data_test::TTestDBGrid;

// A master grid over the file list with one detail level whose template
// controller is `detail`.
struct TFileListMaster {
  TFileListMaster() {
    master.files.AddRows(3);
    master.Bind();
    relation = static_cast<TlxDBDataRelation*>(master.grid.RelationList().NewRelation(&level));
    detail.AttachToMasterRelation(relation, true);
  }
  ~TFileListMaster() { detail.AttachToMasterRelation(nullptr, false); }

  TFileListGrid master;
  data_controller_test::TColumn level{"Level"};
  TTestDBGrid detail;
  TlxDBDataRelation* relation = nullptr;
};

TEST(DBDataRelationTest, TheMasterKeyFieldFollowsTheDetailsMasterKeyFieldNames) {
  TFileListMaster fixture;
  TlxDBDataRelation& relation = *fixture.relation;
  const int32_t fields = fixture.master.grid.Fields().Count();
  EXPECT_EQ(relation.MasterKeyField(), nullptr);
  EXPECT_FALSE(relation.IsLinked());
  EXPECT_TRUE(relation.GetMasterKeyValues(0).IsEmpty());

  fixture.detail.SetMasterKeyFieldNames("Sortkey");
  ASSERT_NE(relation.MasterKeyField(), nullptr);
  EXPECT_EQ(relation.MasterKeyField()->Field(), fixture.master.files.sortkey);
  EXPECT_EQ(fixture.master.grid.Fields().Count(), fields + 1);
  // Without detail key field names the relation links nothing yet.
  EXPECT_FALSE(relation.IsLinked());
  EXPECT_TRUE(relation.GetMasterKeyValues(1).IsEmpty());

  fixture.detail.SetDetailKeyFieldNames("Sortkey");
  EXPECT_TRUE(relation.IsLinked());
  EXPECT_EQ(relation.DetailKeyFieldNames(), "Sortkey");
  EXPECT_EQ(relation.GetMasterKeyValues(1).AsInteger(), 2);

  fixture.detail.SetMasterKeyFieldNames("Sortkey;Datei");
  const Variant pair = relation.GetMasterKeyValues(2);
  ASSERT_TRUE(pair.IsArray());
  EXPECT_EQ(VarArrayGet(pair, 0).AsInteger(), 3);
  EXPECT_EQ(VarToStr(VarArrayGet(pair, 1)), "C:\\f3.pdf");

  fixture.detail.SetMasterKeyFieldNames("");
  EXPECT_EQ(relation.MasterKeyField(), nullptr);
  EXPECT_EQ(fixture.master.grid.Fields().Count(), fields);
  EXPECT_FALSE(relation.IsLinked());
}

TEST(DBDataRelationTest, MasterKeyValuesOfARecordOutOfRangeRaise) {
  TFileListMaster fixture;
  fixture.detail.SetMasterKeyFieldNames("Sortkey");
  fixture.detail.SetDetailKeyFieldNames("Sortkey");
  EXPECT_THROW(fixture.relation->GetMasterKeyValues(3), ElxInvalidDataControllerOperation);
  EXPECT_THROW(fixture.relation->GetMasterKeyValues(-1), ElxInvalidDataControllerOperation);
}

TEST(DBDataRelationTest, ACloneTakesItsMasterRecordsKeyValues) {
  TFileListMaster fixture;
  fixture.detail.SetMasterKeyFieldNames("Sortkey");
  fixture.detail.SetDetailKeyFieldNames("Sortkey");
  TTestDBGrid clone;
  clone.SetMasterKeyFieldNames("Sortkey");
  clone.SetMasterRelation(fixture.relation, 2);
  EXPECT_EQ(clone.GetDetailMode(), 2);
  EXPECT_EQ(clone.MasterDetailKeyValues().AsInteger(), 3);
  clone.SetMasterRelation(nullptr, -1);
}

// --- Summary items bound to a dataset field by name

TEST(DBDataSummaryItemTest, AnItemNamingADataSetFieldSumsItWithoutAColumn) {
  db_data_test::TTestDBGrid grid;
  db_test::TFileList files;
  files.AddRows(4);
  grid.AddColumn("Datei");
  auto* item = static_cast<TlxDBDataSummaryItem*>(grid.Summary().FooterSummaryItems().Add());
  ASSERT_EQ(item->ClassType(), &TlxDBDataSummaryItem::kClass);
  item->SetKind(skSum);
  const int32_t fields = grid.Fields().Count();
  item->SetFieldName("Groesse");
  EXPECT_EQ(grid.Fields().Count(), fields + 1);

  grid.SetDataSource(files.source);
  ASSERT_NE(item->DataField(), nullptr);
  EXPECT_EQ(item->DataField()->Field(), files.groesse);
  EXPECT_EQ(item->GetValueField(), item->DataField());
  EXPECT_DOUBLE_EQ(grid.Summary().GetFooterSummaryValue(0).AsDouble(), 1000.0);

  // A posted drop reloads the storage and the sum follows.
  files.Add("C:\\neu.pdf", 50.0, EncodeDate(2024, 2, 1), 9);
  EXPECT_DOUBLE_EQ(grid.Summary().GetFooterSummaryValue(0).AsDouble(), 1050.0);

  item->SetFieldName("");
  EXPECT_EQ(item->DataField(), nullptr);
  EXPECT_EQ(grid.Fields().Count(), fields);
  grid.SetDataSource(nullptr);
}

TEST(DBDataSummaryItemTest, TheCurrencyFlagComesFromTheBoundDataSetField) {
  db_data_test::TTestDBGrid grid;
  db_test::TFileList files;
  files.AddRows(1);
  auto* item = static_cast<TlxDBDataSummaryItem*>(grid.Summary().FooterSummaryItems().Add());
  // Unbound: the value's own type decides.
  EXPECT_TRUE(item->IsCurrencyType(varCurrency));
  item->SetFieldName("Groesse");
  grid.SetDataSource(files.source);
  EXPECT_FALSE(item->IsCurrencyType(varCurrency));
  EXPECT_EQ(item->ValueFormatKind(varDouble), 0);
  files.cds->Close();
  files.groesse->SetCurrency(true);
  files.cds->CreateDataSet();
  EXPECT_TRUE(item->IsCurrencyType(varDouble));
  EXPECT_EQ(item->ValueFormatKind(varDouble), 1);
  grid.SetDataSource(nullptr);
}

TEST(DBDataSummaryItemTest, AssigningCopiesTheFieldName) {
  db_data_test::TTestDBGrid grid;
  TlxDataFooterSummaryItems& items = grid.Summary().FooterSummaryItems();
  auto* source = static_cast<TlxDBDataSummaryItem*>(items.Add());
  source->SetKind(skMax);
  source->SetFieldName("Datum");
  auto* copy = static_cast<TlxDBDataSummaryItem*>(items.Add());
  copy->Assign(source);
  EXPECT_EQ(copy->FieldName(), "Datum");
  EXPECT_EQ(copy->Kind(), skMax);
  ASSERT_NE(copy->DataField(), nullptr);
  EXPECT_NE(copy->DataField(), source->DataField());
}

}  // namespace db_data_relation_test
