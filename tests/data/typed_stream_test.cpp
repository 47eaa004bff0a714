#include "data/typed_stream.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/variant_utils.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/memory_stream.h"

namespace {

std::vector<uint8_t> Written(const Variant& value) {
  TMemoryStream stream;
  lxWriteVariant(stream, value);
  return stream.Bytes();
}

Variant ReadBack(const std::vector<uint8_t>& bytes) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream.SetPosition(0);
  Variant value = lxReadVariant(stream);
  EXPECT_EQ(stream.Remaining(), 0);
  return value;
}

struct CodeCase {
  const char* name;
  Variant value;
  uint8_t code;
  size_t size;        // bytes written, code included
  TVarType read_type;  // type of the value read back
};

TEST(TypedStreamTest, CodesSizesAndTypesReadBack) {
  const std::vector<CodeCase> cases = {
      {"null", Variant::Null(), 0, 1, varNull},
      {"empty", Variant(), 13, 1, varEmpty},
      {"127", Variant(127), 2, 2, varShortInt},
      {"-128", Variant(-128), 2, 2, varShortInt},
      {"128", Variant(128), 3, 3, varSmallint},
      {"-32769", Variant(-32769), 4, 5, varInteger},
      {"40000", Variant(40000), 4, 5, varInteger},
      {"2^31", Variant(int64_t{1} << 31), 19, 9, varInt64},
      {"word keeps its value", Variant::FromWord(65535), 4, 5, varInteger},
      {"double", Variant(1.25), 5, 11, varDouble},
      {"single", Variant::FromSingle(0.5f), 15, 5, varSingle},
      {"currency", Variant(Currency::FromRaw(12345)), 16, 9, varCurrency},
      {"date", Variant::FromDate(45000.5), 17, 9, varDate},
      {"true", Variant(true), 9, 1, varBoolean},
      {"false", Variant(false), 8, 1, varBoolean},
      {"255 characters", Variant(std::string(255, 'x')), 6, 257, varString},
      {"256 characters", Variant(std::string(256, 'x')), 12, 261, varString},
      {"wide", Variant(u"\u00e4b"), 18, 9, varOleStr},
      {"time stamp as date", Variant::FromSQLTimeStamp(TSQLTimeStamp{2020, 2, 3, 4, 5, 6, 0}), 17, 9, varDate},
      {"decimal as text", Variant::FromBcd(StrToBcd("12.5", EnglishFormatSettings())), 6, 2 + 4, varString},
  };
  for (const CodeCase& row : cases) {
    SCOPED_TRACE(row.name);
    const std::vector<uint8_t> bytes = Written(row.value);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes[0], row.code);
    EXPECT_EQ(bytes.size(), row.size);
    const Variant back = ReadBack(bytes);
    EXPECT_EQ(back.Type(), row.read_type);
    if (row.code != 6 || row.value.Type() == varString) {
      EXPECT_EQ(lxVariantCompare(back, VarAsType(row.value, row.read_type)), 0);
    }
  }
}

TEST(TypedStreamTest, DoublesSurviveByteExactThroughTheExtendedForm) {
  const double values[] = {0.1, -0.0, 1e-310, std::numeric_limits<double>::max(),
                           std::numeric_limits<double>::infinity(), 3.141592653589793};
  for (double value : values) {
    const Variant back = ReadBack(Written(Variant(value)));
    const double read = back.RealBits();
    EXPECT_EQ(std::memcmp(&read, &value, sizeof value), 0) << value;
  }
  // 1.0 as x87 extended: significand 0x8000000000000000, exponent 0x3FFF.
  const std::vector<uint8_t> one = Written(Variant(1.0));
  const std::vector<uint8_t> expected = {5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
  EXPECT_EQ(one, expected);
}

TEST(TypedStreamTest, ArraysNestAndReadBackAsVariantArrays) {
  const Variant nested = VarArrayOf({1, VarArrayOf({"a", Variant::Null()}), 2.5});
  const std::vector<uint8_t> bytes = Written(nested);
  EXPECT_EQ(bytes[0], 1);
  EXPECT_EQ(bytes[1], 2);  // the count as a compact integer
  EXPECT_EQ(bytes[2], 3);
  const Variant back = ReadBack(bytes);
  EXPECT_EQ(VarArrayLowBound(back), 0);
  EXPECT_EQ(VarArrayHighBound(back), 2);
  EXPECT_EQ(lxVariantCompare(back, nested), 0);
  const Variant empty = ReadBack(Written(VarArrayCreate(0, -1, varVariant)));
  EXPECT_TRUE(empty.IsArray());
  EXPECT_EQ(empty.Array().Count(), 0u);
}

struct BadInput {
  const char* name;
  std::vector<uint8_t> bytes;
};

TEST(TypedStreamTest, BadInputFailsWithTheReadErrorBeforeAllocating) {
  const std::vector<BadInput> cases = {
      {"unknown code 7", {7}},
      {"unknown code 200", {200}},
      {"long string longer than the stream", {12, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}},
      {"negative long string", {12, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"wide string longer than the stream", {18, 0x00, 0x00, 0x00, 0x40, 'a', 0}},
      {"short string cut off", {6, 5, 'a', 'b'}},
      {"array count bigger than the rest", {1, 4, 0xFF, 0xFF, 0xFF, 0x7F, 0}},
      {"array count negative", {1, 2, 0xFF}},
      {"array count of a bad kind", {1, 6, 0}},
      {"array element cut off", {1, 2, 2, 2}},
      {"integer cut off", {4, 1, 2}},
      {"extended cut off", {5, 1, 2, 3}},
      {"empty stream", {}},
  };
  for (const BadInput& row : cases) {
    SCOPED_TRACE(row.name);
    TMemoryStream stream;
    stream.WriteBuffer(row.bytes.data(), static_cast<int64_t>(row.bytes.size()));
    stream.SetPosition(0);
    try {
      lxReadVariant(stream);
      ADD_FAILURE() << "no error";
    } catch (const EReadError& error) {
      EXPECT_EQ(error.Message(), "Stream read error");
    }
  }
}

TEST(TypedStreamTest, NestingIsBounded) {
  std::vector<uint8_t> bytes;
  for (int i = 0; i < kLxMaxVariantNesting + 1; ++i)
    bytes.insert(bytes.end(), {1, 2, 1});
  bytes.push_back(0);
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream.SetPosition(0);
  EXPECT_THROW(lxReadVariant(stream), EReadError);
}

TEST(TypedStreamTest, PrimitivesHaveTheirFixedSizes) {
  TMemoryStream stream;
  lxWriteAnsiString(stream, "abc");
  lxWriteWideString(stream, u"xy");
  lxWriteBoolean(stream, true);
  lxWriteSmallInt(stream, -2);
  lxWriteWord(stream, 65000);
  lxWriteInteger(stream, -7);
  lxWriteLargeInt(stream, int64_t{1} << 40);
  lxWriteCurrency(stream, Currency::FromRaw(-5));
  lxWriteDateTime(stream, 2.5);
  lxWriteFloat(stream, 0.1);
  EXPECT_EQ(stream.Size(), 7 + 8 + 1 + 2 + 2 + 4 + 8 + 8 + 8 + 10);
  stream.SetPosition(0);
  EXPECT_EQ(lxReadAnsiString(stream), "abc");
  EXPECT_EQ(lxReadWideString(stream), u"xy");
  EXPECT_TRUE(lxReadBoolean(stream));
  EXPECT_EQ(lxReadSmallInt(stream), -2);
  EXPECT_EQ(lxReadWord(stream), 65000);
  EXPECT_EQ(lxReadInteger(stream), -7);
  EXPECT_EQ(lxReadLargeInt(stream), int64_t{1} << 40);
  EXPECT_EQ(lxReadCurrency(stream), Currency::FromRaw(-5));
  EXPECT_EQ(lxReadDateTime(stream), 2.5);
  EXPECT_EQ(lxReadFloat(stream), 0.1);
}

TEST(TypedStreamTest, FilersFindTheWideMark) {
  TMemoryStream marked;
  marked.WriteBuffer("LXUFMT", 6);
  lxWriteInteger(marked, 42);
  marked.SetPosition(0);
  TlxReader wide(marked);
  EXPECT_TRUE(wide.IsWideText());
  EXPECT_EQ(wide.ReadInteger(), 42);

  TMemoryStream plain;
  TlxWriter writer(plain);
  EXPECT_FALSE(writer.IsWideText());
  writer.WriteAnsiString("DataController1");
  writer.WriteInteger(3);
  plain.SetPosition(0);
  TlxReader reader(plain);
  EXPECT_FALSE(reader.IsWideText());
  EXPECT_EQ(reader.ReadAnsiString(), "DataController1");
  EXPECT_EQ(reader.ReadInteger(), 3);
}

}  // namespace
