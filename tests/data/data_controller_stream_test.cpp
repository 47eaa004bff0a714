#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/data_controller.h"
#include "data/typed_stream.h"
#include "platform/rtl/memory_stream.h"
#include "tests/data/data_controller_test_grid.h"

namespace {

using data_controller_test::TTestGrid;
using Texts = std::vector<std::string>;

void AddColumns(TTestGrid& grid, const std::vector<TlxValueTypeClass>& types) {
  for (TlxValueTypeClass type : types)
    grid.AddColumn(std::string(type->ClassName()), type);
}

const std::vector<TlxValueTypeClass> kTypes = {lxValueTypeClass<TlxStringValueType>(),
                                               lxValueTypeClass<TlxIntegerValueType>(),
                                               lxValueTypeClass<TlxDateTimeValueType>()};

TEST(DataControllerStreamTest, RoundTripKeepsEveryValue) {
  TTestGrid source;
  AddColumns(source, kTypes);
  source.AddRows({{"eins", 1, Variant::FromDate(45000)}, {Variant::Null(), 2, Variant::FromDate(45001.5)}});
  TMemoryStream stream;
  source.SaveStorageToStream(stream);
  TTestGrid target;
  AddColumns(target, kTypes);
  target.AddRows({{"old", 9, Variant::FromDate(1)}});
  stream.SetPosition(0);
  target.log.clear();
  target.LoadStorageFromStream(stream);
  ASSERT_EQ(target.GetRecordCount(), 2);
  EXPECT_EQ(target.Column(0), (Texts{"eins", ""}));
  EXPECT_TRUE(target.GetValue(1, 0).IsNull());
  EXPECT_EQ(target.GetValue(1, 2).AsDateTime(), 45001.5);
  EXPECT_EQ(target.log.front(), "data 4 -1 -1");
}

// Every broken stream leaves the controller with the records it had.
TEST(DataControllerStreamTest, BrokenStreamsFailAndKeepThePreviousRecords) {
  TTestGrid source;
  AddColumns(source, kTypes);
  source.AddRows({{"eins", 1, Variant::FromDate(45000)}, {"zwei", 2, Variant::FromDate(45001)}});
  TMemoryStream good;
  source.SaveStorageToStream(good);
  const std::vector<uint8_t> bytes = good.Bytes();

  struct Case {
    std::string name;
    std::vector<TlxValueTypeClass> types;
    std::function<std::vector<uint8_t>()> make;
  };
  const auto truncated = [&](size_t cut) { return [&bytes, cut] { return std::vector<uint8_t>(bytes.begin(), bytes.end() - static_cast<ptrdiff_t>(cut)); }; };
  const auto with_count = [&](int32_t count) {
    return [&bytes, count] {
      TMemoryStream stream;
      lxWriteAnsiString(stream, "DataController1");
      lxWriteInteger(stream, 3);
      for (const char* name : {"TlxStringValueType", "TlxIntegerValueType", "TlxDateTimeValueType"})
        lxWriteAnsiString(stream, name);
      lxWriteInteger(stream, count);
      (void)bytes;
      return stream.Bytes();
    };
  };
  const Case cases[] = {
      {"header", kTypes,
       [&] {
         std::vector<uint8_t> copy = bytes;
         copy[4] = 'X';
         return copy;
       }},
      {"empty", kTypes, [] { return std::vector<uint8_t>(); }},
      {"fewer items", {kTypes[0], kTypes[1]}, [&] { return bytes; }},
      {"other order", {kTypes[1], kTypes[0], kTypes[2]}, [&] { return bytes; }},
      {"truncated record", kTypes, truncated(3)},
      {"truncated count", kTypes, truncated(bytes.size() - 60)},
      {"huge count", kTypes, with_count(1000000000)},
      {"negative count", kTypes, with_count(-1)},
  };
  for (const Case& c : cases) {
    TTestGrid target;
    AddColumns(target, c.types);
    target.AddRows({{"9", 9}});
    TMemoryStream stream;
    const std::vector<uint8_t> input = c.make();
    stream.Write(input.data(), static_cast<int64_t>(input.size()));
    stream.SetPosition(0);
    try {
      target.LoadStorageFromStream(stream);
      ADD_FAILURE() << c.name;
    } catch (const ElxInvalidDataControllerOperation& error) {
      EXPECT_EQ(error.Message(), "Invalid stream format") << c.name;
    }
    ASSERT_EQ(target.GetRecordCount(), 1) << c.name;
    EXPECT_EQ(VarToStr(target.GetValue(0, 0)), "9") << c.name;
    EXPECT_EQ(target.GetRowCount(), 1) << c.name;
  }
}

}  // namespace
