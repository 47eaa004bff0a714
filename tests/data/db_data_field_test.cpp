#include <gtest/gtest.h>

#include <functional>

#include "data/db_data_field.h"
#include "platform/db/blob_fields.h"
#include "platform/db/boolean_field.h"
#include "platform/db/numeric_fields.h"
#include "tests/data/db_data_test_grid.h"

namespace {

using db_data_test::TFileListGrid;
using db_data_test::TTestDBGrid;

struct TFieldTypeCase {
  std::function<TField*(TComponent*)> create;
  TlxValueTypeClass expected;
};

template <class Field>
TField* Make(TComponent* owner) {
  return new Field(owner);
}

void AppendRow(TDataSet& dataset, const std::vector<Variant>& values) {
  dataset.Append();
  for (size_t i = 0; i < values.size(); ++i)
    dataset.Fields().Fields(static_cast<int32_t>(i))->SetValue(values[i]);
  dataset.Post();
}

TEST(DBDataFieldTest, EachFieldTypeMapsToItsValueType) {
  TComponent owner(nullptr);
  const TFieldTypeCase cases[] = {
      {&Make<TStringField>, lxValueTypeClass<TlxStringValueType>()},
      {&Make<TSmallintField>, lxValueTypeClass<TlxSmallintValueType>()},
      {&Make<TIntegerField>, lxValueTypeClass<TlxIntegerValueType>()},
      {&Make<TAutoIncField>, lxValueTypeClass<TlxIntegerValueType>()},
      {&Make<TWordField>, lxValueTypeClass<TlxWordValueType>()},
      {&Make<TBooleanField>, lxValueTypeClass<TlxBooleanValueType>()},
      {&Make<TFloatField>, lxValueTypeClass<TlxFloatValueType>()},
      {&Make<TCurrencyField>, lxValueTypeClass<TlxFloatValueType>()},
      {&Make<TBCDField>, lxValueTypeClass<TlxCurrencyValueType>()},
      {&Make<TDateField>, lxValueTypeClass<TlxDateTimeValueType>()},
      {&Make<TTimeField>, lxValueTypeClass<TlxDateTimeValueType>()},
      {&Make<TDateTimeField>, lxValueTypeClass<TlxDateTimeValueType>()},
      {&Make<TWideStringField>, lxValueTypeClass<TlxWideStringValueType>()},
      {&Make<TLargeintField>, lxValueTypeClass<TlxLargeIntValueType>()},
      {&Make<TSQLTimeStampField>, lxValueTypeClass<TlxSQLTimeStampValueType>()},
      {&Make<TFMTBCDField>, lxValueTypeClass<TlxFMTBcdValueType>()},
      {&Make<TMemoField>, lxValueTypeClass<TlxVariantValueType>()},
      {&Make<TBlobField>, lxValueTypeClass<TlxVariantValueType>()},
  };
  for (const TFieldTypeCase& test : cases) {
    const TField* field = test.create(&owner);
    EXPECT_EQ(lxDBValueTypeClassOf(field), test.expected) << FieldTypeName(field->DataType());
  }
  EXPECT_EQ(lxDBValueTypeClassOf(nullptr), lxValueTypeClass<TlxStringValueType>());
}

// A price list: a currency field and a BCD field next to the file list's.
struct TPriceList {
  TPriceList() {
    files.cds->Close();
    price = new TCurrencyField(files.owner.get());
    price->SetFieldName("Preis");
    price->SetDataSet(files.cds);
    exact = new TBCDField(files.owner.get());
    exact->SetFieldName("Genau");
    exact->SetDataSet(files.cds);
    files.cds->FieldDefs().Clear();
    files.cds->CreateDataSet();
  }
  db_test::TFileList files;
  TCurrencyField* price = nullptr;
  TBCDField* exact = nullptr;
};

TEST(DBDataFieldTest, BindingTakesTheTypeAndTheCurrencyFlagFromTheDataSetField) {
  TPriceList list;
  TTestDBGrid grid;
  const int32_t price = grid.AddColumn("Preis");
  const int32_t exact = grid.AddColumn("Genau");
  const int32_t path = grid.AddColumn("Datei");
  grid.SetDataSource(list.files.source);

  EXPECT_EQ(grid.GetItemValueTypeClass(price), lxValueTypeClass<TlxFloatValueType>());
  EXPECT_TRUE(grid.ItemDBField(price)->IsCurrency());
  EXPECT_FALSE(grid.UsesItemDisplayText(price, true));
  EXPECT_EQ(grid.GetItemValueTypeClass(exact), lxValueTypeClass<TlxCurrencyValueType>());
  EXPECT_EQ(grid.GetItemValueTypeClass(path), lxValueTypeClass<TlxStringValueType>());
  EXPECT_FALSE(grid.ItemDBField(path)->IsCurrency());
  EXPECT_EQ(grid.GetItemField(price), list.price);
  EXPECT_EQ(grid.GetItemByFieldName("preis"), grid.GetItem(price));
  EXPECT_EQ(grid.GetItemByFieldName("Fehlt"), nullptr);
  // A bound item keeps its dataset field's type.
  grid.SetItemValueTypeClass(path, lxValueTypeClass<TlxIntegerValueType>());
  EXPECT_EQ(grid.GetItemValueTypeClass(path), lxValueTypeClass<TlxStringValueType>());
}

TEST(DBDataFieldTest, ASubFieldBelongsToOneParentOnly) {
  TFileListGrid fixture;
  fixture.grid.SetKeyFieldNames("Datei;Sortkey");
  TlxDBDataField* key = fixture.grid.KeyField();
  ASSERT_EQ(key->SubFieldCount(), 2);
  TlxDBDataField* sub = key->SubFields()[0];
  EXPECT_EQ(sub->ParentField(), key);
  // Adding it again to its own parent changes nothing.
  key->AddSubField(sub);
  EXPECT_EQ(key->SubFieldCount(), 2);

  auto* other = static_cast<TlxDBDataField*>(fixture.grid.CreateInternalField());
  try {
    other->AddSubField(sub);
    FAIL() << "no error";
  } catch (const ElxInvalidDataControllerOperation& error) {
    EXPECT_STREQ(error.what(), "ADataField.FParentField <> nil");
  }
  EXPECT_EQ(sub->ParentField(), key);
  EXPECT_EQ(other->SubFieldCount(), 0);
}

TEST(DBDataFieldTest, ClosingADataSetWithDefaultFieldsUnbindsAndReopeningBindsAgain) {
  TComponent owner(nullptr);
  auto* cds = new TClientDataSet(&owner);
  cds->FieldDefs().Add("Datei", ftString, 100, false);
  cds->FieldDefs().Add("Sortkey", ftInteger, 0, false);
  auto* source = new TDataSource(&owner);
  source->SetDataSet(cds);
  cds->CreateDataSet();
  ASSERT_TRUE(cds->DefaultFields());
  AppendRow(*cds, {Variant("C:\\a.pdf"), Variant(1)});
  TTestDBGrid grid;
  const int32_t path = grid.AddColumn("Datei");
  grid.sortkey = grid.AddColumn("Sortkey");
  grid.SetDataSource(source);
  ASSERT_NE(grid.GetItemField(path), nullptr);
  EXPECT_EQ(grid.Column(path), (std::vector<std::string>{"C:\\a.pdf"}));

  cds->Close();
  EXPECT_EQ(grid.GetItemField(path), nullptr);
  EXPECT_EQ(grid.GetItemField(grid.sortkey), nullptr);

  cds->CreateDataSet();
  EXPECT_EQ(grid.GetItemField(path), cds->FindField("Datei"));
  EXPECT_EQ(grid.GetItemValueTypeClass(grid.sortkey), lxValueTypeClass<TlxIntegerValueType>());
  grid.SetDataSource(nullptr);
}

TEST(DBDataFieldTest, KeyValuesAreLocatableOnlyWhenTheyFitTheFields) {
  TComponent owner(nullptr);
  auto* cds = new TClientDataSet(&owner);
  auto* id = new TAutoIncField(&owner);
  id->SetFieldName("Id");
  id->SetDataSet(cds);
  auto* name = new TStringField(&owner);
  name->SetFieldName("Name");
  name->SetDataSet(cds);
  cds->CreateDataSet();
  struct TCase {
    const char* names;
    Variant values;
    bool locatable;
  };
  const TCase cases[] = {
      {"Id", Variant(1), true},
      {"Name", Variant::Null(), true},
      {"Id", Variant::Null(), false},
      {"Fehlt", Variant(1), false},
      {"Id;Name", Variant(1), false},
      {"Id;Name", VarArrayOf({Variant(1), Variant("a")}), true},
      {"Id;Name", VarArrayOf({Variant(1), Variant::Null()}), true},
      {"Id;Name", VarArrayOf({Variant::Null(), Variant("a")}), false},
      {"Id;Name", VarArrayOf({Variant(1), Variant("a"), Variant(3)}), false},
      {"Id;Fehlt", VarArrayOf({Variant(1), Variant("a")}), false},
  };
  for (const TCase& test : cases)
    EXPECT_EQ(lxDBCanLocateKeyValues(cds, test.names, test.values), test.locatable) << test.names;
  EXPECT_FALSE(lxDBCanLocateKeyValues(nullptr, "Id", Variant(1)));
}

// "Art" shows the name of a file's kind, looked up by the kind's key.
struct TKindList {
  explicit TKindList(const std::string& key_fields = "Sortkey", const std::string& lookup_key_fields = "Id") {
    kinds = new TClientDataSet(files.owner.get());
    auto* kind_id = new TIntegerField(files.owner.get());
    kind_id->SetFieldName("Id");
    kind_id->SetDataSet(kinds);
    auto* kind_name = new TStringField(files.owner.get());
    kind_name->SetFieldName("Name");
    kind_name->SetDataSet(kinds);
    kinds->CreateDataSet();
    AppendRow(*kinds, {Variant(1), Variant("Rechnung")});
    AppendRow(*kinds, {Variant(2), Variant("Brief")});
    files.cds->Close();
    art = new TStringField(files.owner.get());
    art->SetFieldName("Art");
    art->SetFieldKind(fkLookup);
    art->SetLookupDataSet(kinds);
    art->SetKeyFields(key_fields);
    art->SetLookupKeyFields(lookup_key_fields);
    art->SetLookupResultField("Name");
    art->SetDataSet(files.cds);
    files.cds->FieldDefs().Clear();
    files.cds->CreateDataSet();
    files.AddRows(2);
  }
  db_test::TFileList files;
  TClientDataSet* kinds = nullptr;
  TStringField* art = nullptr;
};

TEST(DBDataFieldTest, ALookupFieldGetsOneSubFieldPerKeyFieldAndFiltersByThem) {
  TKindList list;
  TTestDBGrid grid;
  const int32_t art = grid.AddColumn("Art");
  grid.SetDataSource(list.files.source);

  TlxDBDataField* field = grid.ItemDBField(art);
  ASSERT_TRUE(field->IsLookup());
  ASSERT_EQ(field->SubFieldCount(), 1);
  EXPECT_EQ(field->SubFields()[0]->Field(), list.files.sortkey);
  EXPECT_EQ(grid.Column(art), (std::vector<std::string>{"Rechnung", "Brief"}));
  EXPECT_EQ(grid.GetFilterValue(1, *field).AsInteger(), 2);
  EXPECT_EQ(grid.GetGroupingFieldValue(0, *field).AsInteger(), 1);
  EXPECT_EQ(grid.GetItemFilterFieldName(art), "Sortkey");
  // Writing goes through the key fields only.
  EXPECT_FALSE(field->CanModifyKind(0));
  EXPECT_TRUE(field->CanModifyKind(2));
  grid.SetDataSource(nullptr);
}

TEST(DBDataFieldTest, ALookupOverTwoKeyFieldsGivesArraysOfTheirValues) {
  TKindList list("Sortkey;Datei", "Id;Name");
  TTestDBGrid grid;
  const int32_t art = grid.AddColumn("Art");
  grid.SetDataSource(list.files.source);

  TlxDBDataField* field = grid.ItemDBField(art);
  ASSERT_EQ(field->SubFieldCount(), 2);
  const Variant filter = grid.GetFilterValue(0, *field);
  ASSERT_TRUE(filter.IsArray());
  EXPECT_EQ(VarArrayGet(filter, 0).AsInteger(), 1);
  EXPECT_EQ(VarToStr(VarArrayGet(filter, 1)), "C:\\f1.pdf");
  EXPECT_EQ(grid.GetItemFilterFieldName(art), "Sortkey;Datei");
  grid.SetDataSource(nullptr);
}

// A dataset field freed under the controller leaves its data field
// unbound, and the controller keeps working with the fields that remain.
TEST(DBDataFieldTest, AFieldFreedUnderTheControllerIsForgotten) {
  TFileListGrid fixture;
  fixture.files.AddRows(2);
  fixture.Bind();
  ASSERT_EQ(fixture.grid.GetItemField(fixture.groesse), fixture.files.groesse);

  fixture.files.cds->Close();
  delete fixture.files.groesse;
  fixture.files.groesse = nullptr;
  EXPECT_EQ(fixture.grid.GetItemField(fixture.groesse), nullptr);

  fixture.files.cds->FieldDefs().Clear();
  fixture.files.cds->CreateDataSet();
  fixture.files.cds->Append();
  fixture.files.datei->SetAsString("C:\\neu.pdf");
  fixture.files.sortkey->SetAsInteger(7);
  fixture.files.cds->Post();
  EXPECT_EQ(fixture.grid.GetItemField(fixture.groesse), nullptr);
  EXPECT_EQ(fixture.grid.Keys(), (std::vector<int32_t>{7}));
  EXPECT_TRUE(fixture.grid.GetValue(0, fixture.groesse).IsNull());
}

}  // namespace
