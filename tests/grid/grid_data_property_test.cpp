// The "Data" property of a grid data controller: the round trip through
// the property's framing, and damaged descriptions that must fail with the
// stream read error before anything is allocated or changed.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "data/data_controller.h"
#include "data/typed_stream.h"
#include "grid/grid_data_property.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/memory_stream.h"

namespace {

class TColumn : public TObject {};

// A data controller with a text and an integer item, as a table view's.
class TestController : public TlxDataController {
 public:
  TestController() : TlxDataController(nullptr) {
    for (TlxValueTypeClass type : {lxValueTypeClass<TlxStringValueType>(), lxValueTypeClass<TlxIntegerValueType>()}) {
      columns_.push_back(std::make_unique<TColumn>());
      AddItem(columns_.back().get());
      SetItemValueTypeClass(GetItemCount() - 1, type);
    }
  }
  void Add(const std::string& name, int32_t size) {
    const int32_t record = AppendRecord();
    SetValue(record, 0, Variant(name));
    SetValue(record, 1, Variant(size));
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int32_t i = 0; i < GetRecordCount(); ++i)
      names.push_back(GetDisplayText(i, 0));
    return names;
  }

 private:
  std::vector<std::unique_ptr<TColumn>> columns_;
};

// The property bytes as the form writer stores them.
std::vector<uint8_t> PropertyOf(TestController& controller) {
  TMemoryStream storage;
  controller.SaveStorageToStream(storage);
  TMemoryStream property;
  lxWriteGridDataProperty(property, storage);
  return property.Bytes();
}

void Fill(TMemoryStream& stream, const std::vector<uint8_t>& bytes) {
  if (!bytes.empty())
    stream.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream.SetPosition(0);
}

TEST(GridDataProperty, RoundTripLoadsTheRecordsAtTheEndOfLoading) {
  TestController source;
  source.Add("a.pdf", 1);
  source.Add("b.pdf", 22);
  TMemoryStream property;
  Fill(property, PropertyOf(source));
  TMemoryStream pending;
  lxReadGridDataProperty(property, pending);
  EXPECT_EQ(property.Remaining(), 0);

  TestController target;
  target.Add("old.pdf", 5);
  lxLoadGridDataBuffer(target, pending);
  EXPECT_EQ(target.Names(), (std::vector<std::string>{"a.pdf", "b.pdf"}));
  EXPECT_EQ(target.GetValue(1, 1).AsInteger(), 22);
}

TEST(GridDataProperty, DamagedLengthsFailBeforeAnythingIsRead) {
  TestController source;
  source.Add("a.pdf", 1);
  const std::vector<uint8_t> good = PropertyOf(source);
  struct Case {
    const char* what;
    int32_t length;
  };
  const Case cases[] = {
      {"negative length", -1},
      {"most negative length", INT32_MIN},
      {"length beyond the bytes left", static_cast<int32_t>(good.size())},
      {"length of 2147483647", INT32_MAX},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = good;
    std::memcpy(bytes.data(), &c.length, 4);
    TMemoryStream property;
    Fill(property, bytes);
    TMemoryStream pending;
    pending.Write("keep", 4);
    EXPECT_THROW(lxReadGridDataProperty(property, pending), EReadError) << c.what;
    EXPECT_EQ(pending.Size(), 4) << c.what << ": the pending buffer was touched";
  }
}

// A storage stream whose header claims the given counts.
std::vector<uint8_t> StorageWithCounts(int32_t definition_count, int32_t record_count) {
  TMemoryStream storage;
  lxWriteAnsiString(storage, "DataController1");
  lxWriteInteger(storage, definition_count);
  if (definition_count > 0 && definition_count < 3) {
    lxWriteAnsiString(storage, "TlxStringValueType");
    lxWriteAnsiString(storage, "TlxIntegerValueType");
  }
  lxWriteInteger(storage, record_count);
  return storage.Bytes();
}

TEST(GridDataProperty, ImpossibleCountsAreTheReadErrorAndChangeNothing) {
  struct Case {
    const char* what;
    int32_t definitions;
    int32_t records;
  };
  const Case cases[] = {
      {"negative record count", 2, -1},
      {"records the bytes left cannot hold", 2, 1000000},
      {"record count of 2147483647", 2, INT32_MAX},
      {"negative definition count", -5, 0},
      {"definition count beyond the bytes left", 100000000, 0},
  };
  for (const Case& c : cases) {
    TestController target;
    target.Add("kept.pdf", 3);
    TMemoryStream buffer;
    Fill(buffer, StorageWithCounts(c.definitions, c.records));
    EXPECT_THROW(lxLoadGridDataBuffer(target, buffer), EReadError) << c.what;
    EXPECT_EQ(target.Names(), std::vector<std::string>{"kept.pdf"}) << c.what;
  }
}

TEST(GridDataProperty, RecordsBrokenOffLeaveTheStorageAsItWas) {
  TestController source;
  source.Add("a.pdf", 1);
  source.Add("b.pdf", 2);
  TMemoryStream storage;
  source.SaveStorageToStream(storage);
  std::vector<uint8_t> bytes = storage.Bytes();
  bytes.resize(bytes.size() - 3);
  TestController target;
  target.Add("kept.pdf", 3);
  TMemoryStream buffer;
  Fill(buffer, bytes);
  EXPECT_ANY_THROW(lxLoadGridDataBuffer(target, buffer));
  EXPECT_EQ(target.Names(), std::vector<std::string>{"kept.pdf"});
}

}  // namespace
