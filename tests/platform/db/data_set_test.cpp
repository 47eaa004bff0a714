#include "platform/db/data_set.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/db/db_errors.h"
#include "tests/platform/db/file_list.h"

namespace {

using db_test::TFileList;

TEST(DataSetNavigation, WalksTheFileListWithBofAndEof) {
  TFileList list;
  EXPECT_EQ(list.cds->State(), dsBrowse);
  EXPECT_TRUE(list.cds->IsEmpty());
  EXPECT_TRUE(list.cds->Bof());
  EXPECT_TRUE(list.cds->Eof());
  EXPECT_EQ(list.cds->RecNo(), 0);
  EXPECT_EQ(list.cds->MoveBy(5), 0);

  list.AddRows(3);
  EXPECT_EQ(list.cds->RecordCount(), 3);
  EXPECT_FALSE(list.cds->IsEmpty());
  EXPECT_EQ(list.Keys(), (std::vector<int32_t>{1, 2, 3}));

  list.cds->First();
  EXPECT_TRUE(list.cds->Bof());
  EXPECT_FALSE(list.cds->Eof());
  EXPECT_EQ(list.cds->RecNo(), 1);
  list.cds->Prior();
  EXPECT_TRUE(list.cds->Bof());
  EXPECT_EQ(list.cds->RecNo(), 1);

  list.cds->Last();
  EXPECT_TRUE(list.cds->Eof());
  EXPECT_EQ(list.sortkey->AsInteger(), 3);
  // Reading past the end stays on the last record.
  list.cds->Next();
  EXPECT_TRUE(list.cds->Eof());
  EXPECT_EQ(list.sortkey->AsInteger(), 3);

  EXPECT_EQ(list.cds->MoveBy(-10), -2);
  EXPECT_TRUE(list.cds->Bof());
  EXPECT_EQ(list.cds->MoveBy(1), 1);
  EXPECT_EQ(list.datei->AsString(), "C:\\f2.pdf");
}

TEST(DataSetNavigation, RecNoMovesAndIsClampedToTheRecords) {
  TFileList list;
  list.AddRows(5);
  list.cds->SetRecNo(4);
  EXPECT_EQ(list.sortkey->AsInteger(), 4);
  list.cds->SetRecNo(1009);
  EXPECT_EQ(list.cds->RecNo(), 5);
  list.cds->SetRecNo(-3);
  EXPECT_EQ(list.cds->RecNo(), 1);
}

TEST(DataSetNavigation, ClosedDatasetRaisesInsteadOfReading) {
  TFileList list;
  list.AddRows(1);
  list.cds->Close();
  EXPECT_FALSE(list.cds->Active());
  EXPECT_THROW(list.cds->Next(), EDatabaseError);
  EXPECT_THROW(list.cds->RecordCount(), EDatabaseError);
  try {
    (void)list.datei->AsString();
    FAIL() << "a field of a closed dataset was read";
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.Message(), "cdsDateien: Cannot perform this operation on a closed dataset");
  }
  // The records went with the close; an open needs CreateDataSet again.
  EXPECT_THROW(list.cds->Open(), EDatabaseError);
  list.cds->CreateDataSet();
  EXPECT_TRUE(list.cds->IsEmpty());
}

TEST(DataSetEditing, AppendInsertEditPostCancelAndDelete) {
  TFileList list;
  list.AddRows(3);

  list.cds->SetRecNo(2);
  list.cds->Insert();
  EXPECT_EQ(list.cds->State(), dsInsert);
  EXPECT_TRUE(list.sortkey->IsNull());
  EXPECT_EQ(list.cds->RecNo(), -1);
  list.sortkey->SetAsInteger(10);
  list.cds->Post();
  EXPECT_EQ(list.cds->State(), dsBrowse);
  EXPECT_EQ(list.sortkey->AsInteger(), 10);
  EXPECT_EQ(list.cds->RecNo(), 2);
  EXPECT_EQ(list.Keys(), (std::vector<int32_t>{1, 10, 2, 3}));

  list.cds->Last();
  list.cds->Edit();
  EXPECT_EQ(list.cds->State(), dsEdit);
  list.groesse->SetAsFloat(1.5);
  EXPECT_TRUE(list.cds->Modified());
  list.cds->Cancel();
  EXPECT_DOUBLE_EQ(list.groesse->AsFloat(), 300.0);
  list.cds->Edit();
  list.groesse->SetAsFloat(1.5);
  list.cds->Post();
  EXPECT_DOUBLE_EQ(list.groesse->AsFloat(), 1.5);

  list.cds->SetRecNo(2);
  list.cds->Delete();
  EXPECT_EQ(list.sortkey->AsInteger(), 2);
  list.cds->Last();
  list.cds->Delete();
  EXPECT_EQ(list.sortkey->AsInteger(), 2);
  EXPECT_EQ(list.Keys(), (std::vector<int32_t>{1, 2}));
}

TEST(DataSetEditing, CancelledAppendLeavesNoHalfRecord) {
  TFileList list;
  list.AddRows(2);
  list.cds->Last();
  list.cds->Append();
  list.datei->SetAsString("C:\\half.pdf");
  // The size could not be read: the caller cancels the append.
  list.cds->Cancel();
  EXPECT_EQ(list.cds->RecordCount(), 2);
  EXPECT_EQ(list.sortkey->AsInteger(), 2);
  EXPECT_FALSE(list.cds->Locate("Datei", Variant("C:\\half.pdf"), {}));
}

TEST(DataSetEditing, FailedPostKeepsThePendingRecordForCancel) {
  TFileList list;
  list.sortkey->SetRequired(true);
  list.cds->Append();
  list.datei->SetAsString("C:\\a.pdf");
  try {
    list.cds->Post();
    FAIL() << "a record without its required value was posted";
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.Message(), "cdsDateien: Field 'Sortkey' must have a value");
  }
  EXPECT_EQ(list.cds->State(), dsInsert);
  EXPECT_EQ(list.cds->RecordCount(), 0);
  list.cds->Cancel();
  EXPECT_TRUE(list.cds->IsEmpty());
}

TEST(DataSetEditing, CheckBrowseModePostsChangesAndCancelsUntouchedInserts) {
  TFileList list;
  list.AddRows(1);
  list.cds->Append();
  list.cds->CheckBrowseMode();
  EXPECT_EQ(list.cds->RecordCount(), 1);

  list.cds->Append();
  list.sortkey->SetAsInteger(7);
  // Moving the cursor ends the insert by posting it.
  list.cds->First();
  EXPECT_EQ(list.cds->RecordCount(), 2);
  EXPECT_EQ(list.Keys(), (std::vector<int32_t>{1, 7}));
}

TEST(DataSetEditing, WritesOutsideEditingAndOnReadOnlyFieldsRaise) {
  TFileList list;
  list.AddRows(1);
  try {
    list.sortkey->SetAsInteger(3);
    FAIL() << "a field was written while browsing";
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.Message(), "cdsDateien: Dataset not in edit or insert mode");
  }
  list.datei->SetReadOnly(true);
  list.cds->Edit();
  EXPECT_THROW(list.datei->SetAsString("x"), EDatabaseError);
  EXPECT_FALSE(list.datei->CanModify());
  EXPECT_TRUE(list.sortkey->CanModify());
  list.cds->Cancel();

  list.cds->SetReadOnly(true);
  EXPECT_THROW(list.cds->Edit(), EDatabaseError);
  EXPECT_THROW(list.cds->Append(), EDatabaseError);
  EXPECT_THROW(list.cds->Delete(), EDatabaseError);
  EXPECT_FALSE(list.sortkey->CanModify());
}

TEST(DataSetEditing, DeleteOnAnEmptyDatasetRaisesAndEditStartsAnInsert) {
  TFileList list;
  EXPECT_THROW(list.cds->Delete(), EDatabaseError);
  list.cds->Edit();
  EXPECT_EQ(list.cds->State(), dsInsert);
  list.cds->Delete();
  EXPECT_EQ(list.cds->State(), dsBrowse);
  EXPECT_TRUE(list.cds->IsEmpty());
}

TEST(DataSetEvents, FireInThePlatformOrder) {
  TFileList list;
  std::vector<std::string> events;
  auto record = [&events](const char* name) { return [&events, name](TDataSet*) { events.push_back(name); }; };
  list.cds->BeforeInsert = record("BeforeInsert");
  list.cds->AfterInsert = record("AfterInsert");
  list.cds->OnNewRecord = [&](TDataSet*) {
    events.push_back("OnNewRecord");
    list.sortkey->SetAsInteger(99);
  };
  list.cds->BeforePost = record("BeforePost");
  list.cds->AfterPost = record("AfterPost");
  list.cds->BeforeScroll = record("BeforeScroll");
  list.cds->AfterScroll = record("AfterScroll");
  list.cds->BeforeDelete = record("BeforeDelete");
  list.cds->AfterDelete = record("AfterDelete");
  list.cds->BeforeEdit = record("BeforeEdit");
  list.cds->AfterEdit = record("AfterEdit");
  list.cds->BeforeCancel = record("BeforeCancel");
  list.cds->AfterCancel = record("AfterCancel");

  list.cds->Append();
  // Values given by OnNewRecord are defaults, not modifications.
  EXPECT_FALSE(list.cds->Modified());
  EXPECT_EQ(list.sortkey->AsInteger(), 99);
  list.cds->Post();
  list.cds->Edit();
  list.cds->Cancel();
  list.cds->Delete();
  EXPECT_EQ(events, (std::vector<std::string>{"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert",
                                              "AfterScroll", "BeforePost", "AfterPost", "BeforeEdit",
                                              "AfterEdit", "BeforeCancel", "AfterCancel", "BeforeDelete",
                                              "BeforeScroll", "AfterDelete", "AfterScroll"}));
}

TEST(DataSetEvents, FailingOnNewRecordDropsTheNewRecord) {
  TFileList list;
  list.AddRows(1);
  list.cds->OnNewRecord = [](TDataSet*) { throw EDatabaseError("no number left"); };
  EXPECT_THROW(list.cds->Append(), EDatabaseError);
  EXPECT_EQ(list.cds->State(), dsBrowse);
  EXPECT_EQ(list.cds->RecordCount(), 1);
  EXPECT_EQ(list.sortkey->AsInteger(), 1);
}

TEST(DataSetFields, FindFieldByNameIgnoresCaseAndListsSeveral) {
  TFileList list;
  EXPECT_EQ(list.cds->FindField("datei"), list.datei);
  EXPECT_EQ(list.cds->FindField("GRÖSSE"), nullptr);
  EXPECT_EQ(list.cds->FieldByName("SORTKEY"), list.sortkey);
  EXPECT_THROW(list.cds->FieldByName("Pfad"), EDatabaseError);
  EXPECT_EQ(list.cds->GetFieldList("Datei; Sortkey"), (std::vector<TField*>{list.datei, list.sortkey}));
  EXPECT_THROW(list.cds->GetFieldList("Datei;Pfad"), EDatabaseError);
  EXPECT_EQ(list.cds->FieldCount(), 4);
  EXPECT_EQ(list.sortkey->Index(), 3);
  EXPECT_EQ(list.datum->FieldNo(), 3);
}

TEST(DataSetFields, FieldListChangesOnlyWhileClosed) {
  TFileList list;
  auto* extra = new TStringField(list.owner.get());
  extra->SetFieldName("Extra");
  EXPECT_THROW(extra->SetDataSet(list.cds), EDatabaseError);
  EXPECT_THROW(list.datei->SetFieldName("Pfad"), EDatabaseError);
  list.cds->Close();
  extra->SetFieldName("datei");
  EXPECT_THROW(extra->SetDataSet(list.cds), EDatabaseError);
  delete extra;
}

TEST(DataSetFields, DefaultFieldsComeAndGoWithOpenAndClose) {
  TScopedLocale locale("de-DE");
  TClientDataSet cds(nullptr);
  cds.FieldDefs().Add("Datei", ftString, 500);
  cds.FieldDefs().Add("Groesse", ftFloat);
  cds.FieldDefs().Add("Datum", ftDateTime);
  cds.FieldDefs().Add("Sortkey", ftInteger);
  EXPECT_THROW(cds.FieldDefs().Add("DATEI", ftString, 10), EDatabaseError);
  cds.CreateDataSet();
  EXPECT_TRUE(cds.DefaultFields());
  ASSERT_EQ(cds.FieldCount(), 4);
  EXPECT_EQ(cds.Fields()[0]->ClassName(), "TStringField");
  EXPECT_EQ(cds.Fields()[0]->Size(), 500);
  EXPECT_EQ(cds.Fields()[1]->ClassName(), "TFloatField");
  EXPECT_EQ(cds.Fields()[2]->ClassName(), "TDateTimeField");
  EXPECT_EQ(cds.Fields()[3]->ClassName(), "TIntegerField");
  TWeakRef<TField> first(cds.Fields()[0]);
  cds.Close();
  EXPECT_FALSE(first);
  EXPECT_EQ(cds.FieldCount(), 0);
}

TEST(DataSetFields, PersistentFieldWithoutDefinitionOrOfAnotherTypeIsRefused) {
  TScopedLocale locale("de-DE");
  TClientDataSet cds(nullptr);
  cds.FieldDefs().Add("Sortkey", ftString, 10);
  auto* key = new TIntegerField(&cds);
  key->SetFieldName("Sortkey");
  key->SetDataSet(&cds);
  EXPECT_THROW(cds.CreateDataSet(), EDatabaseError);
  EXPECT_FALSE(cds.Active());
  EXPECT_EQ(key->Slot(), -1);
}

}  // namespace
