#include "data/data_storage.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/typed_stream.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/memory_stream.h"

namespace {

// The file list's four columns.
class DataStorageTest : public testing::Test {
 protected:
  DataStorageTest() {
    datei = storage.ValueDefs().AddValueDef(lxValueTypeClass<TlxStringValueType>(), true, false, nullptr);
    groesse = storage.ValueDefs().AddValueDef(lxValueTypeClass<TlxFloatValueType>(), true, false, nullptr);
    datum = storage.ValueDefs().AddValueDef(lxValueTypeClass<TlxDateTimeValueType>(), true, false, nullptr);
    sortkey = storage.ValueDefs().AddValueDef(lxValueTypeClass<TlxIntegerValueType>(), true, false, nullptr);
  }

  int32_t AddFile(const std::string& name, double size, int32_t key) {
    const int32_t index = storage.AddRecord();
    storage.StoreValue(index, *datei, Variant(name));
    storage.StoreValue(index, *groesse, Variant(size));
    storage.StoreValue(index, *datum, Variant::FromDate(45000 + key));
    storage.StoreValue(index, *sortkey, Variant(key));
    return index;
  }

  std::vector<uint8_t> Saved(int32_t index) {
    TMemoryStream stream;
    storage.SaveRecord(index, stream);
    return stream.Bytes();
  }

  void Load(int32_t index, const std::vector<uint8_t>& bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream.SetPosition(0);
    storage.LoadRecord(index, stream);
  }

  TScopedLocale locale{"en-US"};
  TlxDataStorage storage;
  TlxValueDef* datei = nullptr;
  TlxValueDef* groesse = nullptr;
  TlxValueDef* datum = nullptr;
  TlxValueDef* sortkey = nullptr;
};

TEST_F(DataStorageTest, LayoutOfTheFourColumns) {
  const int32_t pointer = static_cast<int32_t>(sizeof(void*));
  EXPECT_EQ(datei->Offset(), 1);
  EXPECT_EQ(groesse->Offset(), 1 + 1 + pointer);
  EXPECT_EQ(datum->Offset(), groesse->Offset() + 9);
  EXPECT_EQ(sortkey->Offset(), datum->Offset() + 9);
  EXPECT_EQ(storage.ValueDefs().RecordSize(), sortkey->Offset() + 5);
  EXPECT_EQ(storage.InternalValueDefs().Count(), 4);
  EXPECT_EQ(storage.InternalValueDefs().FindMirrorOf(*groesse)->ValueTypeClass(), groesse->ValueTypeClass());
}

TEST_F(DataStorageTest, NewRecordHasNoBufferAndSavesOneByte) {
  const int32_t index = storage.AddRecord();
  EXPECT_FALSE(storage.HasBuffer(index));
  EXPECT_TRUE(storage.ValueOf(index, *datei).IsNull());
  EXPECT_EQ(storage.DisplayTextOf(index, *groesse), "");
  EXPECT_EQ(Saved(index), std::vector<uint8_t>{1});
}

TEST_F(DataStorageTest, ValuesAndDisplayTexts) {
  const int32_t index = AddFile("C:\\a.pdf", 1500.5, 3);
  EXPECT_EQ(storage.ValueOf(index, *datei).AsString(), "C:\\a.pdf");
  EXPECT_EQ(storage.ValueOf(index, *groesse).AsDouble(), 1500.5);
  EXPECT_EQ(storage.ValueOf(index, *sortkey).AsInteger(), 3);
  EXPECT_EQ(storage.DisplayTextOf(index, *groesse), "1500.5");
  // Without TextStored, storing a text does nothing.
  storage.StoreDisplayText(index, *groesse, "1,5 KB");
  EXPECT_EQ(storage.DisplayTextOf(index, *groesse), "1500.5");
  storage.StoreValue(index, *datei, Variant::Null());
  EXPECT_TRUE(storage.ValueOf(index, *datei).IsNull());
  EXPECT_EQ(storage.DisplayTextOf(index, *datei), "");
}

TEST_F(DataStorageTest, TextStoredDefKeepsItsOwnText) {
  TlxValueDef* shown = storage.ValueDefs().AddValueDef(lxValueTypeClass<TlxIntegerValueType>(), true, true, nullptr);
  const int32_t index = AddFile("x", 1, 1);
  EXPECT_EQ(storage.DisplayTextOf(index, *shown), "");
  storage.StoreValue(index, *shown, Variant(5));
  EXPECT_EQ(storage.DisplayTextOf(index, *shown), "");
  storage.StoreDisplayText(index, *shown, "fünf");
  EXPECT_EQ(storage.DisplayTextOf(index, *shown), "fünf");
  EXPECT_EQ(storage.ValueOf(index, *shown).AsInteger(), 5);
}

TEST_F(DataStorageTest, FailedStoreKeepsValueAndNullFlag) {
  const int32_t index = storage.AddRecord();
  EXPECT_THROW(storage.StoreValue(index, *sortkey, Variant("not a number")), EVariantTypeCastError);
  EXPECT_TRUE(storage.ValueOf(index, *sortkey).IsNull());
  EXPECT_FALSE(storage.HasBuffer(index));
  storage.StoreValue(index, *sortkey, Variant(4));
  EXPECT_THROW(storage.StoreValue(index, *sortkey, Variant("x")), EVariantTypeCastError);
  EXPECT_EQ(storage.ValueOf(index, *sortkey).AsInteger(), 4);
}

TEST_F(DataStorageTest, RecordIdsAreNotReused) {
  storage.SetUsesRecordIds(true);
  EXPECT_EQ(storage.ValueDefs().RecordOffset(), 5);
  storage.AddRecord();
  storage.AddRecord();
  storage.AddRecord();
  EXPECT_EQ(storage.RecordIdOf(0), 1);
  EXPECT_EQ(storage.RecordIdOf(1), 2);
  EXPECT_EQ(storage.RecordIdOf(2), 3);
  storage.RemoveRecord(1);
  const int32_t appended = storage.AddRecord();
  EXPECT_EQ(storage.RecordIdOf(appended), 4);
  storage.InsertRecordAt(0);
  EXPECT_EQ(storage.RecordIdOf(0), 5);
  storage.SetRecordCount(0);
  EXPECT_EQ(storage.RecordIdOf(storage.AddRecord()), 1);
  // Loading a record with ID 10 raises the counter past it.
  storage.StoreValue(0, *sortkey, Variant(7));
  storage.StoreRecordId(0, 10);
  const std::vector<uint8_t> saved = Saved(0);
  storage.StoreRecordId(0, 1);
  Load(0, saved);
  EXPECT_EQ(storage.RecordIdOf(0), 10);
  EXPECT_EQ(storage.RecordIdOf(storage.AddRecord()), 11);
}

TEST_F(DataStorageTest, SwitchingRecordIdsOnDropsValues) {
  AddFile("a", 1, 1);
  storage.SetUsesRecordIds(true);
  EXPECT_FALSE(storage.HasBuffer(0));
  storage.DropRecords(false);
  EXPECT_EQ(storage.RecordIdOf(0), 1);
}

TEST_F(DataStorageTest, InternalRecordsReuseFreeSlots) {
  EXPECT_EQ(storage.NewInternalRecord(), -1);
  EXPECT_EQ(storage.NewInternalRecord(), -2);
  storage.FreeInternalRecord(-1);
  EXPECT_EQ(storage.NewInternalRecord(), -1);
  EXPECT_EQ(storage.NewInternalRecord(), -3);
  // A normal def reaches an internal record through its mirror.
  storage.StoreValue(-2, *datei, Variant("scratch"));
  EXPECT_EQ(storage.ValueOf(-2, *datei).AsString(), "scratch");
  int cleared = 0;
  storage.OnInternalRecordsCleared = [&cleared](TObject*) { ++cleared; };
  storage.DropInternalRecords();
  EXPECT_EQ(cleared, 1);
  EXPECT_EQ(storage.NewInternalRecord(), -1);
  // The storage fires the event once more when it goes.
  storage.OnInternalRecordsCleared = nullptr;
}

TEST_F(DataStorageTest, AddingAndRemovingDefsReshapesRecords) {
  AddFile("a", 1.5, 1);
  AddFile("b", 2.5, 2);
  storage.AddRecord();
  TlxValueDef* extra = storage.ValueDefs().AddValueDef(lxValueTypeClass<TlxVariantValueType>(), true, false, nullptr);
  EXPECT_TRUE(storage.ValueOf(0, *extra).IsNull());
  EXPECT_TRUE(storage.ValueOf(1, *extra).IsNull());
  storage.StoreValue(1, *extra, Variant("v"));
  // Removing a def in the middle keeps the others' values.
  storage.ValueDefs().FreeValueDef(groesse);
  EXPECT_EQ(storage.ValueOf(1, *datei).AsString(), "b");
  EXPECT_EQ(storage.ValueOf(1, *sortkey).AsInteger(), 2);
  EXPECT_EQ(storage.ValueOf(1, *extra).AsString(), "v");
  EXPECT_EQ(storage.InternalValueDefs().Count(), 4);
  // Removing the defs down to the last stored one leaves records without buffers.
  storage.ValueDefs().FreeValueDef(datei);
  storage.ValueDefs().FreeValueDef(datum);
  storage.ValueDefs().FreeValueDef(extra);
  EXPECT_TRUE(storage.HasBuffer(0));
  storage.ValueDefs().FreeValueDef(sortkey);
  EXPECT_FALSE(storage.HasBuffer(0));
  EXPECT_FALSE(storage.HasBuffer(1));
  EXPECT_EQ(storage.RecordCount(), 3);
  EXPECT_EQ(storage.InternalValueDefs().Count(), 0);
}

TEST_F(DataStorageTest, OnlyStoredValuesSkipsUnstoredDefs) {
  TlxValueDef* calculated = storage.ValueDefs().AddValueDef(lxValueTypeClass<TlxIntegerValueType>(), false, false, nullptr);
  const int32_t before = storage.ValueDefs().RecordSize();
  storage.SetOnlyStoredValues(true);
  EXPECT_EQ(calculated->BufferSize(), 0);
  EXPECT_EQ(storage.ValueDefs().RecordSize(), before - 5);
  const int32_t index = storage.AddRecord();
  storage.StoreValue(index, *calculated, Variant(3));
  EXPECT_TRUE(storage.ValueOf(index, *calculated).IsNull());
  // Internal records still hold the mirror's value.
  const int32_t scratch = storage.NewInternalRecord();
  storage.StoreValue(scratch, *calculated, Variant(3));
  EXPECT_EQ(storage.ValueOf(scratch, *calculated).AsInteger(), 3);
}

TEST_F(DataStorageTest, ChangingAFlagLaterReshapesTheLayout) {
  const int32_t index = AddFile("a", 1, 1);
  const int32_t size_before = storage.ValueDefs().RecordSize();
  groesse->SetTextStored(true);
  EXPECT_EQ(storage.ValueDefs().RecordSize(), size_before + static_cast<int32_t>(sizeof(void*)));
  EXPECT_FALSE(storage.HasBuffer(index));
  storage.StoreValue(index, *sortkey, Variant(5));
  storage.StoreDisplayText(index, *groesse, "text");
  EXPECT_EQ(storage.DisplayTextOf(index, *groesse), "text");
  EXPECT_EQ(storage.ValueOf(index, *sortkey).AsInteger(), 5);
}

TEST_F(DataStorageTest, CompareRecordValuesPutsNullsFirst) {
  AddFile("b", 2, 2);
  AddFile("a", 1, 1);
  storage.AddRecord();
  EXPECT_GT(storage.CompareRecordValues(0, 1, *datei), 0);
  EXPECT_LT(storage.CompareRecordValues(2, 1, *datei), 0);
  EXPECT_EQ(storage.CompareRecordValues(2, 2, *groesse), 0);
  const void* value = nullptr;
  EXPECT_TRUE(storage.ValueForCompare(2, *datei, value));
  ASSERT_FALSE(storage.ValueForCompare(1, *datei, value));
  EXPECT_EQ(*static_cast<const std::string*>(value), "a");
}

TEST_F(DataStorageTest, SaveAndLoadRecordRoundTrip) {
  TlxValueDef* note = storage.ValueDefs().AddValueDef(lxValueTypeClass<TlxStringValueType>(), true, true, nullptr);
  const int32_t index = AddFile("C:\\f1.pdf", 100, 1);
  storage.StoreDisplayText(index, *note, "shown");
  const std::vector<uint8_t> bytes = Saved(index);
  // flag 0, then per def: null flag and value; the note is null but has its text.
  EXPECT_EQ(bytes[0], 0);
  EXPECT_EQ(bytes[1], 0);
  const int32_t copy = storage.AddRecord();
  Load(copy, bytes);
  EXPECT_EQ(storage.ValueOf(copy, *datei).AsString(), "C:\\f1.pdf");
  EXPECT_EQ(storage.ValueOf(copy, *groesse).AsDouble(), 100.0);
  EXPECT_EQ(storage.ValueOf(copy, *datum).AsDateTime(), 45001.0);
  EXPECT_EQ(storage.ValueOf(copy, *sortkey).AsInteger(), 1);
  EXPECT_TRUE(storage.ValueOf(copy, *note).IsNull());
  EXPECT_EQ(storage.DisplayTextOf(copy, *note), "shown");
  EXPECT_EQ(Saved(copy), bytes);
  // A record saved without buffer frees the target's buffer.
  Load(copy, {1});
  EXPECT_FALSE(storage.HasBuffer(copy));
}

TEST_F(DataStorageTest, StreamOrderChangesTheSequence) {
  const int32_t index = AddFile("a", 1, 2);
  storage.BeginStreamOrder([this](const TlxValueDef& a, const TlxValueDef& b) {
    // The integer column first.
    return (&b == sortkey) - (&a == sortkey);
  });
  EXPECT_EQ(storage.ValueDefs().ItemAt(0), sortkey);
  const std::vector<uint8_t> bytes = Saved(index);
  storage.EndStreamOrder();
  EXPECT_EQ(storage.ValueDefs().ItemAt(0), datei);
  // null flag 0, then the four raw bytes of 2.
  ASSERT_GE(bytes.size(), 6u);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 1, bytes.begin() + 6), (std::vector<uint8_t>{0, 2, 0, 0, 0}));
}

TEST_F(DataStorageTest, FailedLoadKeepsThePreviousRecord) {
  const int32_t index = AddFile("keep me", 5, 9);
  std::vector<uint8_t> bytes = Saved(AddFile("new", 6, 10));
  // Cut inside the date value, after the string and float were read.
  bytes.resize(bytes.size() - 8);
  EXPECT_THROW(Load(index, bytes), EReadError);
  EXPECT_EQ(storage.ValueOf(index, *datei).AsString(), "keep me");
  EXPECT_EQ(storage.ValueOf(index, *sortkey).AsInteger(), 9);
  // A null flag other than 0 and 1 is refused too.
  std::vector<uint8_t> bad_flag = Saved(index);
  bad_flag[1] = 7;
  EXPECT_THROW(Load(index, bad_flag), EReadError);
  EXPECT_EQ(storage.ValueOf(index, *datei).AsString(), "keep me");
  // A string length past the end fails before allocating.
  const std::vector<uint8_t> huge = {0, 0, 0xFF, 0xFF, 0xFF, 0x7F};
  EXPECT_THROW(Load(index, huge), EReadError);
}

TEST_F(DataStorageTest, FillRecordFromReaderSkipsWhatTheReaderSkips) {
  class Reader : public TlxValueDefReader {
   public:
    explicit Reader(const TlxValueDef* skipped) : skipped_(skipped) {}
    Variant ValueFor(const TlxValueDef& def) override { return def.HoldsText() ? Variant("t") : Variant(1); }
    bool SkipsDef(const TlxValueDef& def) override { return &def == skipped_; }

   private:
    const TlxValueDef* skipped_;
  };
  Reader reader(datum);
  const int32_t index = storage.AddRecord();
  storage.FillRecordFromReader(index, reader);
  EXPECT_EQ(storage.ValueOf(index, *datei).AsString(), "t");
  EXPECT_EQ(storage.ValueOf(index, *sortkey).AsInteger(), 1);
  EXPECT_TRUE(storage.ValueOf(index, *datum).IsNull());
  int visited = 0;
  storage.ForEachValueDefOfRecord(index, [&visited](TlxValueDef&, int32_t) { ++visited; });
  EXPECT_EQ(visited, 4);
}

}  // namespace
