#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/db/db_errors.h"
#include "platform/rtl/text.h"
#include "tests/platform/db/file_list.h"

namespace {

using db_test::TFileList;

TEST(Locate, FindsByOneOrSeveralFieldsWithTheOptions) {
  TFileList list;
  list.AddRows(4);
  list.Add("C:\\Größe.PDF", 0, EncodeDate(2024, 2, 1), 5);
  list.cds->Edit();
  list.groesse->Clear();
  list.cds->Post();

  struct Case {
    const char* fields;
    Variant values;
    TLocateOptions options;
    int32_t found_key;  // 0: not found
  };
  const Case cases[] = {
      {"Datei", Variant("C:\\f3.pdf"), {}, 3},
      {"Datei", Variant("c:\\F3.PDF"), {}, 0},
      {"Datei", Variant("c:\\F3.PDF"), {loCaseInsensitive}, 3},
      {"Datei", Variant("C:\\f"), {}, 0},
      {"Datei", Variant("C:\\f"), {loPartialKey}, 1},
      {"datei", Variant("c:\\grö"), {loPartialKey, loCaseInsensitive}, 5},
      {"Sortkey", Variant(2), {}, 2},
      {"Sortkey", Variant("4"), {}, 4},
      {"Groesse", Variant(300.0), {}, 3},
      {"Groesse", Variant::Null(), {}, 5},
      {"Datum", Variant::FromDate(EncodeDate(2024, 1, 2)), {}, 2},
      {"Datei;Sortkey", VarArrayOf({Variant("C:\\f2.pdf"), Variant(2)}), {}, 2},
      {"Datei;Sortkey", VarArrayOf({Variant("C:\\f2.pdf"), Variant(3)}), {}, 0},
  };
  for (const Case& c : cases) {
    list.cds->Last();
    const bool found = list.cds->Locate(c.fields, c.values, c.options);
    EXPECT_EQ(found, c.found_key != 0) << c.fields << " " << VarToStr(c.values);
    if (c.found_key != 0)
      EXPECT_EQ(list.sortkey->AsInteger(), c.found_key) << c.fields;
    else
      EXPECT_EQ(list.sortkey->AsInteger(), 5) << "a failed locate moved the cursor";
  }
}

TEST(Locate, RefusesKeysOfTheWrongShapeOrType) {
  TFileList list;
  list.AddRows(2);
  EXPECT_THROW(list.cds->Locate("Datei;Sortkey", Variant("C:\\f1.pdf"), {}), EDatabaseError);
  EXPECT_THROW(list.cds->Locate("Pfad", Variant("x"), {}), EDatabaseError);
  EXPECT_THROW(list.cds->Locate("Sortkey", Variant("eins"), {}), EVariantError);
  EXPECT_EQ(list.cds->RecNo(), 2);
}

TEST(Locate, PostsAPendingEditFirstAndScrollsTheLinks) {
  TFileList list;
  list.AddRows(3);
  list.cds->First();
  list.cds->Edit();
  list.groesse->SetAsFloat(5);
  db_test::TRecordingLink link;
  link.SetDataSource(list.source);
  link.Take();
  ASSERT_TRUE(list.cds->Locate("Sortkey", Variant(3), {}));
  // Check browse mode asks the controls for their values, and so does the
  // post it leads to.
  EXPECT_EQ(link.Take(), (std::vector<std::string>{"check", "update", "update", "check", "browsing",
                                                    "changed", "scrolled 2"}));
  list.cds->First();
  EXPECT_DOUBLE_EQ(list.groesse->AsFloat(), 5.0);
}

TEST(Lookup, AnswersValuesWithoutMovingTheCursor) {
  TFileList list;
  list.AddRows(3);
  list.cds->SetRecNo(2);
  db_test::TRecordingLink link;
  link.SetDataSource(list.source);
  link.Take();
  EXPECT_EQ(list.cds->Lookup("Sortkey", Variant(3), "Datei").AsString(), "C:\\f3.pdf");
  const Variant both = list.cds->Lookup("Datei", Variant("C:\\f1.pdf"), "Sortkey;Groesse");
  ASSERT_TRUE(both.IsArray());
  EXPECT_EQ(VarArrayGet(both, 0).AsInteger(), 1);
  EXPECT_DOUBLE_EQ(VarArrayGet(both, 1).AsDouble(), 100.0);
  EXPECT_TRUE(list.cds->Lookup("Sortkey", Variant(9), "Datei").IsNull());
  EXPECT_EQ(list.cds->RecNo(), 2);
  EXPECT_TRUE(link.Take().empty());
}

// A dataset of file kinds that the file list refers to by a lookup field.
struct TKindsAndFiles {
  TKindsAndFiles() {
    kinds.FieldDefs().Add("Kind", ftInteger);
    kinds.FieldDefs().Add("Name", ftString, 20);
    kinds.CreateDataSet();
    const std::pair<int32_t, const char*> rows[] = {{1, "Rechnung"}, {2, "Brief"}};
    for (const auto& [kind, name] : rows) {
      kinds.Append();
      kinds.FieldByName("Kind")->SetAsInteger(kind);
      kinds.FieldByName("Name")->SetAsString(name);
      kinds.Post();
    }
    auto* path = new TStringField(&files);
    path->SetFieldName("Datei");
    path->SetDataSet(&files);
    auto* kind = new TIntegerField(&files);
    kind->SetFieldName("Kind");
    kind->SetDataSet(&files);
    kind_name = new TStringField(&files);
    kind_name->SetFieldName("KindName");
    kind_name->SetFieldKind(fkLookup);
    kind_name->SetLookupDataSet(&kinds);
    kind_name->SetKeyFields("Kind");
    kind_name->SetLookupKeyFields("Kind");
    kind_name->SetLookupResultField("Name");
    kind_name->SetDataSet(&files);
    upper_path = new TStringField(&files);
    upper_path->SetFieldName("UpperPath");
    upper_path->SetFieldKind(fkCalculated);
    upper_path->SetDataSet(&files);
    files.OnCalcFields = [this](TDataSet* dataset) {
      upper_path->SetAsString(AnsiUpperCase(dataset->FieldByName("Datei")->AsString()));
    };
    files.CreateDataSet();
  }

  void Add(const char* path, int32_t kind) {
    files.Append();
    files.FieldByName("Datei")->SetAsString(path);
    files.FieldByName("Kind")->SetAsInteger(kind);
    files.Post();
  }

  TScopedLocale locale{"de-DE"};
  TClientDataSet kinds{nullptr};
  TClientDataSet files{nullptr};
  TStringField* kind_name = nullptr;
  TStringField* upper_path = nullptr;
};

TEST(LookupFields, ReadTheLookupDatasetAndCalculatedFieldsFollowEveryRecord) {
  TKindsAndFiles data;
  data.Add("c:\\a.pdf", 2);
  data.Add("c:\\b.pdf", 1);
  data.Add("c:\\c.pdf", 7);
  EXPECT_FALSE(data.kind_name->CanModify());
  EXPECT_FALSE(data.upper_path->CanModify());
  const std::pair<const char*, const char*> expected[] = {{"Brief", "C:\\A.PDF"}, {"Rechnung", "C:\\B.PDF"},
                                                          {"", "C:\\C.PDF"}};
  int row = 0;
  for (data.files.First(); !data.files.Eof(); data.files.Next(), ++row) {
    EXPECT_EQ(data.kind_name->AsString(), expected[row].first);
    EXPECT_EQ(data.upper_path->AsString(), expected[row].second);
  }
  EXPECT_TRUE(data.files.Locate("KindName", Variant("Rechnung"), {}));
  EXPECT_EQ(data.files.FieldByName("Datei")->AsString(), "c:\\b.pdf");
  EXPECT_TRUE(data.files.Locate("UpperPath", Variant("C:\\C.PDF"), {}));

  // While editing, changing the key recalculates the lookup at once.
  data.files.First();
  data.files.Edit();
  data.files.FieldByName("Kind")->SetAsInteger(1);
  EXPECT_EQ(data.kind_name->AsString(), "Rechnung");
  EXPECT_THROW(data.kind_name->SetAsString("Brief"), EDatabaseError);
  data.files.Cancel();
  EXPECT_EQ(data.kind_name->AsString(), "Brief");
}

TEST(LookupFields, LoseTheirDatasetWhenItIsFreed) {
  TScopedLocale locale("de-DE");
  auto* kinds = new TClientDataSet(nullptr);
  TStringField field(nullptr);
  field.SetLookupDataSet(kinds);
  EXPECT_EQ(field.LookupDataSet(), kinds);
  delete kinds;
  EXPECT_EQ(field.LookupDataSet(), nullptr);
}

}  // namespace
