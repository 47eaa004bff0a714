#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/db_adapters.h"
#include "data/db_field_helpers.h"
#include "platform/db/client_data_set.h"
#include "platform/rtl/strings.h"
#include "tests/data/filter_test_criteria.h"
#include "tests/platform/db/file_list.h"

namespace {

class TTestQuery : public TClientDataSet {
 public:
  static constexpr TClass kClass{"TSqlQuery", &TClientDataSet::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TClientDataSet::TClientDataSet;
};

class TDerivedQuery : public TTestQuery {
 public:
  static constexpr TClass kClass{"TDerivedQuery", &TTestQuery::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TTestQuery::TTestQuery;
};

class TOtherAdapter : public TlxDBAdapterItem {
 public:
  static constexpr TClass kClass{"TOtherAdapter", &TlxDBAdapterItem::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxDBAdapterItem::TlxDBAdapterItem;
};

TEST(DBAdapterListTest, DescendantAdaptersStandAfterTheirAncestors) {
  TlxDBAdapterList list;
  list.RegisterAdapter(&TTestQuery::kClass, &TOtherAdapter::kClass, &lxCreateDBAdapter<TOtherAdapter>);
  list.RegisterAdapter(&TDataSet::kClass, &TOtherAdapter::kClass, &lxCreateDBAdapter<TOtherAdapter>);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.ItemAt(0)->DataSetClass(), &TDataSet::kClass);
  int32_t index = -1;
  EXPECT_TRUE(list.FindAdapter(&TDerivedQuery::kClass, index));
  EXPECT_EQ(index, 1);
  EXPECT_TRUE(list.FindAdapter(&TClientDataSet::kClass, index));
  EXPECT_EQ(index, 0);
  list.UnregisterAdapter(&TDataSet::kClass, &TOtherAdapter::kClass);
  // Not found: the index says where an adapter for the class would go,
  // before the adapter of its descendant; -1 when no descendant is listed.
  EXPECT_FALSE(list.FindAdapter(&TDataSet::kClass, index));
  EXPECT_EQ(index, 0);
  EXPECT_FALSE(list.FindAdapter(&TDerivedQuery::kClass, index) && index != 0);
  list.UnregisterAdapter(&TTestQuery::kClass, &TOtherAdapter::kClass);
  EXPECT_FALSE(list.FindAdapter(&TDataSet::kClass, index));
  EXPECT_EQ(index, -1);
}

TEST(DBAdapterListTest, QueryDatasetsWriteSqlNullTests) {
  filter_test::TTestCriteria criteria;
  filter_test::TColumn* column = criteria.AddColumn(1, "F", "C");
  TlxFilterCriteriaItem* condition = criteria.AddItem(nullptr, column, fokEqual, Variant::Null(), "");
  TComponent owner(nullptr);
  TTestQuery query(&owner);
  TClientDataSet table(&owner);
  TlxDBFilterOperatorAdapter* adapter = lxDBGetFilterOperatorAdapter(&query);
  ASSERT_NE(adapter, nullptr);
  EXPECT_EQ(lxDBGetFilterOperatorAdapter(nullptr), nullptr);
  const TClass* operator_class = &TlxFilterNullOperator::kClass;
  adapter->PrepareFilterOperatorClass(*condition, &query, operator_class);
  EXPECT_EQ(operator_class, &TlxFilterSQLNullOperator::kClass);
  operator_class = &TlxFilterNotNullOperator::kClass;
  adapter->PrepareFilterOperatorClass(*condition, &query, operator_class);
  EXPECT_EQ(operator_class, &TlxFilterSQLNotNullOperator::kClass);
  operator_class = &TlxFilterNullOperator::kClass;
  lxDBGetFilterOperatorAdapter(&table)->PrepareFilterOperatorClass(*condition, &table, operator_class);
  EXPECT_EQ(operator_class, &TlxFilterNullOperator::kClass);
  operator_class = &TlxFilterEqualOperator::kClass;
  adapter->PrepareFilterOperatorClass(*condition, &query, operator_class);
  EXPECT_EQ(operator_class, &TlxFilterEqualOperator::kClass);
  // The SQL operators read "F IS NULL" and "F IS NOT NULL".
  TlxFilterSQLNullOperator is_null(condition);
  TlxFilterSQLNotNullOperator is_not_null(condition);
  EXPECT_EQ(is_null.OperatorText() + " " + is_null.ValueToFilterText(Variant::Null()), "IS NULL");
  EXPECT_EQ(is_not_null.OperatorText(), "IS NOT");
}

TEST(DBFieldHelpersTest, FilterFieldNames) {
  TComponent owner(nullptr);
  auto* field = new TStringField(&owner);
  EXPECT_EQ(lxDBFilterFieldName(nullptr, false), "");
  field->SetFieldName("Datei");
  EXPECT_EQ(lxDBFilterFieldName(field, false), "Datei");
  field->SetFieldName("Order Date");
  EXPECT_EQ(lxDBFilterFieldName(field, false), "[Order Date]");
  field->SetOrigin("T.Order Date");
  EXPECT_EQ(lxDBFilterFieldName(field, false), "T.Order Date");
  EXPECT_EQ(lxDBFilterFieldName(field, true), "[Order Date]");
  std::string digit = "1st";
  lxDBQuoteFieldName(digit);
  EXPECT_EQ(digit, "[1st]");
}

TEST(DBFieldHelpersTest, ValuesOfSeveralFields) {
  db_test::TFileList files;
  files.AddRows(1);
  files.cds->Edit();
  const std::vector<TField*> keys = {files.datei, files.groesse, files.sortkey};
  lxDBSetFieldValues(files.cds, keys, VarArrayOf({"x.pdf", 2.5, 7}));
  files.cds->Post();
  EXPECT_EQ(files.datei->AsString(), "x.pdf");
  EXPECT_EQ(files.sortkey->AsInteger(), 7);
  const Variant values = lxDBGetFieldValues(files.cds, keys);
  EXPECT_EQ(VarArrayHighBound(values), 2);
  EXPECT_EQ(values.Array().Get(1).AsDouble(), 2.5);
  EXPECT_TRUE(lxDBGetFieldValues(files.cds, {}).IsNull());
  EXPECT_EQ(lxDBGetFieldValues(files.cds, {files.sortkey}).AsInteger(), 7);
  files.cds->Edit();
  lxDBSetFieldValue(*files.datum, Variant(45000.25));
  files.cds->Post();
  EXPECT_EQ(files.datum->AsDateTime(), 45000.25);
  EXPECT_EQ(lxDBFieldValue(*files.datum).AsDateTime(), 45000.25);
}

TEST(DBFieldHelpersTest, FormatsAndEditing) {
  db_test::TFileList files;
  EXPECT_TRUE(lxDBFieldCanEditAsText(*files.datei, false));
  EXPECT_FALSE(lxDBFieldHasOwnFormat(*files.groesse, false));
  files.groesse->SetCurrency(true);
  EXPECT_TRUE(lxDBFieldHasOwnFormat(*files.groesse, false));
  EXPECT_TRUE(lxDBIsCurrencyField(*files.groesse));
  files.groesse->SetDisplayFormat("0.00");
  EXPECT_FALSE(lxDBIsCurrencyField(*files.groesse));
  EXPECT_FALSE(lxDBFieldHasOwnFormat(*files.datum, false));
  files.datum->SetDisplayFormat("dd.mm.yyyy");
  EXPECT_TRUE(lxDBFieldHasOwnFormat(*files.datum, false));
  EXPECT_FALSE(lxDBFieldHasOwnFormat(*files.sortkey, true));
  files.sortkey->OnGetText = [](TField*, std::string&, bool) {};
  EXPECT_TRUE(lxDBFieldHasOwnFormat(*files.sortkey, false));
  files.datei->SetReadOnly(true);
  EXPECT_FALSE(lxDBFieldCanEditAsText(*files.datei, true));
}

TEST(DBFieldHelpersTest, FieldNameLists) {
  EXPECT_TRUE(lxDBHasMultipleFieldNames("A;B"));
  EXPECT_FALSE(lxDBHasMultipleFieldNames("A"));
  EXPECT_EQ(lxDBFieldNameCount("A; B ;C"), 3);
  EXPECT_EQ(lxDBFieldNameCount(""), 0);
  TStringList names;
  names.Add("old");
  lxDBSplitFieldNames("Datei; Sortkey", names);
  ASSERT_EQ(names.Count(), 2);
  EXPECT_EQ(names[1], "Sortkey");
  EXPECT_TRUE(lxDBSameTextIgnoreCase("Datei", "DATEI"));
}

TEST(DBFieldHelpersTest, LookupKeyFields) {
  db_test::TFileList files;
  TStringField lookup(files.owner.get());
  EXPECT_FALSE(lxDBLookupKeyFieldsModifiable(lookup));
}

}  // namespace
