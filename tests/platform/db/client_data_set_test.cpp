#include "platform/db/client_data_set.h"

#include <gtest/gtest.h>

#include "platform/db/db_errors.h"
#include "platform/rtl/file_utils.h"
#include "tests/platform/db/file_list.h"

namespace {

using db_test::TFileList;

// A dataset class of the query kind: some code asks for "Query" in the
// class name.
class TTestQuery : public TClientDataSet {
 public:
  static constexpr TClass kClass{"TTestQuery", &TClientDataSet::kClass, &ConstructInstance<TTestQuery>};
  const TClass* ClassType() const override { return &kClass; }
  using TClientDataSet::TClientDataSet;
};

TEST(ClientDataSet, ClassesAreKnownByNameAndAncestry) {
  TScopedLocale locale("de-DE");
  TClientDataSet cds(nullptr);
  TTestQuery query(nullptr);
  EXPECT_EQ(cds.ClassName(), "TClientDataSet");
  EXPECT_TRUE(cds.InheritsFrom(&TDataSet::kClass));
  EXPECT_EQ(query.ClassName().find("Query"), 5u);
  EXPECT_TRUE(query.InheritsFrom(&TDataSet::kClass));
  std::unique_ptr<TObject> made(TClientDataSet::kClass.CreateInstance(nullptr));
  EXPECT_NE(dynamic_cast<TClientDataSet*>(made.get()), nullptr);
}

TEST(ClientDataSet, CreateDataSetTakesTheDefinitionsFromPersistentFields) {
  TFileList list;
  const TFieldDefs& defs = list.cds->FieldDefs();
  ASSERT_EQ(defs.Count(), 4);
  EXPECT_EQ(defs[0]->Name(), "Datei");
  EXPECT_EQ(defs[0]->DataType(), ftString);
  EXPECT_EQ(defs[0]->Size(), 500);
  EXPECT_EQ(defs[1]->DataType(), ftFloat);
  EXPECT_EQ(defs[2]->DataType(), ftDateTime);
  EXPECT_EQ(defs[3]->DataType(), ftInteger);
  EXPECT_FALSE(list.cds->DefaultFields());
  EXPECT_THROW(list.cds->CreateDataSet(), EDatabaseError);

  // A full path of 260 characters fits the 500 of "Datei".
  const std::string path = "C:\\" + std::string(252, 'a') + ".pdf";
  list.Add(path, 1, 0, 1);
  EXPECT_EQ(list.datei->AsString(), path);
}

TEST(ClientDataSet, WithoutFieldsCannotBeCreated) {
  TScopedLocale locale("de-DE");
  TClientDataSet cds(nullptr);
  cds.SetName("cdsLeer");
  try {
    cds.CreateDataSet();
    FAIL() << "created a dataset without fields";
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.Message(), "cdsLeer: No fields defined. Cannot create dataset");
  }
  EXPECT_THROW(cds.Open(), EDatabaseError);
  EXPECT_FALSE(cds.Active());
}

TEST(ClientDataSet, EmptyDataSetDropsEverythingAndCancelsAPendingInsert) {
  TFileList list;
  list.AddRows(4);
  list.cds->Append();
  list.sortkey->SetAsInteger(5);
  list.cds->EmptyDataSet();
  EXPECT_EQ(list.cds->State(), dsBrowse);
  EXPECT_TRUE(list.cds->IsEmpty());
  EXPECT_TRUE(list.cds->Bof());
  EXPECT_TRUE(list.cds->Eof());
  list.AddRows(2);
  EXPECT_EQ(list.Keys(), (std::vector<int32_t>{1, 2}));
}

TEST(ClientDataSet, AutoIncrementFieldsNumberNewRecords) {
  TScopedLocale locale("de-DE");
  TClientDataSet cds(nullptr);
  cds.FieldDefs().Add("Id", ftAutoInc);
  cds.FieldDefs().Add("Name", ftString, 10);
  cds.CreateDataSet();
  TField* id = cds.FieldByName("Id");
  TField* name = cds.FieldByName("Name");
  for (const char* text : {"a", "b"}) {
    cds.Append();
    name->SetAsString(text);
    cds.Post();
  }
  EXPECT_EQ(id->AsInteger(), 2);
  cds.Append();
  id->SetAsInteger(10);
  cds.Post();
  cds.Append();
  name->SetAsString("c");
  cds.Post();
  EXPECT_EQ(id->AsInteger(), 11);
  // Editing keeps the number.
  cds.First();
  cds.Edit();
  name->SetAsString("A");
  cds.Post();
  EXPECT_EQ(id->AsInteger(), 1);
}

TEST(ClientDataSet, FieldsFreedWithTheDatasetOrBeforeIt) {
  TScopedLocale locale("de-DE");
  auto owner = std::make_unique<TComponent>(nullptr);
  auto* cds = new TClientDataSet(owner.get());
  auto* name = new TStringField(owner.get());
  name->SetFieldName("Name");
  name->SetDataSet(cds);
  auto* size = new TFloatField(owner.get());
  size->SetFieldName("Size");
  size->SetDataSet(cds);
  cds->CreateDataSet();
  TWeakRef<TField> size_ref(size);
  // A field freed by its owner while the dataset is open closes it.
  delete name;
  EXPECT_FALSE(cds->Active());
  EXPECT_EQ(cds->FieldCount(), 1);
  delete cds;
  EXPECT_FALSE(size_ref);
  EXPECT_EQ(owner->ComponentCount(), 0);
}

TEST(ClientDataSet, FileListRoundTripThroughASelection) {
  // The load of a saved selection: inside a display bracket, empty the
  // list, add the rows, move to the first one.
  TFileList list;
  list.AddRows(3);
  db_test::TRecordingLink link;
  link.SetDataSource(list.source);
  link.Take();
  list.cds->DisableControls();
  try {
    list.cds->EmptyDataSet();
    int32_t next_key = 1;
    for (const char* path : {"C:\\x.pdf", "C:\\y.pdf"})
      list.Add(path, 10, EncodeDate(2024, 6, 1), next_key++);
    list.cds->First();
  } catch (...) {
    list.cds->EnableControls();
    throw;
  }
  list.cds->EnableControls();
  EXPECT_EQ(link.Take(), std::vector<std::string>{"changed"});
  EXPECT_EQ(list.cds->RecordCount(), 2);
  EXPECT_EQ(list.datei->AsString(), "C:\\x.pdf");
}

}  // namespace
