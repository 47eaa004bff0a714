// Checks the comparison table of docs/variants.md, row by row.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "platform/rtl/clock.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/variant.h"

namespace {

class VariantCompareTest : public testing::Test {
 protected:
  TScopedLocale german_{"de-DE"};
  TScopedClock clock_{EncodeDate(2024, 6, 1)};
};

struct Row {
  const char* rule;
  Variant left;
  Variant right;
  int expected;
};

Variant Bcd(const char* text) { return Variant::FromBcd(StrToBcd(text, GermanFormatSettings())); }
Variant Curr(int64_t raw) { return Variant(Currency::FromRaw(raw)); }

TEST_F(VariantCompareTest, FollowsTheTable) {
  TSQLTimeStamp stamp;
  stamp.Year = 2024;
  stamp.Month = 3;
  stamp.Day = 5;
  const int64_t big = (int64_t{1} << 53) + 1;  // not representable as a double
  const Row rows[] = {
      {"empty = empty", Variant(), Variant(), 0},
      {"empty < null", Variant(), Variant::Null(), -1},
      {"empty < 0", Variant(), Variant(0), -1},
      {"empty < ''", Variant(), Variant(""), -1},
      {"null = null", Variant::Null(), Variant::Null(), 0},
      {"null < 0", Variant::Null(), Variant(0), -1},
      {"null < ''", Variant::Null(), Variant(""), -1},
      {"null < False", Variant::Null(), Variant(false), -1},
      {"integer kinds", Variant::FromByte(200), Variant::FromSmallint(-5), 1},
      {"int64 exact", Variant(int64_t{1} << 62), Variant((int64_t{1} << 62) + 1), -1},
      {"True = -1", Variant(true), Variant(-1), 0},
      {"True < False", Variant(true), Variant(false), -1},
      {"int vs double", Variant(2), Variant(2.5), -1},
      {"int = double", Variant(3), Variant(3.0), 0},
      {"int64 vs double exact", Variant(big), Variant(static_cast<double>(big)), 1},
      {"single vs double", Variant::FromSingle(0.5f), Variant(0.5), 0},
      {"date = its double", Variant::FromDate(45366.5), Variant(45366.5), 0},
      {"date vs int", Variant::FromDate(45366.5), Variant(45366), 1},
      {"NaN after numbers", Variant(std::numeric_limits<double>::quiet_NaN()), Variant(1e308), 1},
      {"NaN = NaN", Variant(std::numeric_limits<double>::quiet_NaN()),
       Variant(std::numeric_limits<double>::quiet_NaN()), 0},
      {"currency vs currency", Curr(1), Curr(2), -1},
      {"currency = integer", Curr(30000), Variant(3), 0},
      {"currency vs integer exact", Curr(INT64_MAX), Variant(int64_t{922337203685477}), 1},
      {"currency vs double", Curr(15000), Variant(1.5), 0},
      {"bcd vs bcd", Bcd("0,1"), Bcd("0,10000"), 0},
      {"bcd vs integer", Bcd("123456789012345678901234567890"), Variant(INT64_MAX), 1},
      {"bcd vs currency", Bcd("-1,2345"), Curr(-12345), 0},
      {"bcd vs double", Bcd("0,5"), Variant(0.25), 1},
      {"time stamp as date", Variant::FromSQLTimeStamp(stamp), Variant::FromDate(EncodeDate(2024, 3, 5)), 0},
      {"time stamp vs text", Variant::FromSQLTimeStamp(stamp), Variant("04.03.2024"), 1},
      {"8-bit bytes", Variant("B"), Variant("a"), -1},
      {"8-bit case-sensitive", Variant("abc"), Variant("ABC"), 1},
      {"8-bit UTF-8 order", Variant("z"), Variant("ä"), -1},
      {"8-bit = wide", Variant("Größe"), Variant(u"Größe"), 0},
      {"wide code points", Variant(u"\uFFFD"), Variant(u"\U0001F600"), -1},
      {"8-bit vs wide, long", Variant(std::string(40, 'a')), Variant(std::u16string(40, u'b')), -1},
      {"text vs number", Variant("10"), Variant(9), 1},
      {"text vs number, decimal", Variant("2,5"), Variant(2.5), 0},
      {"text vs currency", Variant("1,5"), Curr(15000), 0},
      {"text vs Boolean", Variant("True"), Variant(true), 0},
      {"text 0 vs Boolean", Variant("0"), Variant(false), 0},
      {"text vs date", Variant("05.03.2024"), Variant::FromDate(EncodeDate(2024, 3, 5)), 0},
      {"text vs date, month name", Variant("6. März 2024"), Variant::FromDate(EncodeDate(2024, 3, 5)), 1},
      {"text vs bcd exact", Variant("0,30000000000000000001"), Bcd("0,3"), 1},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(VarCompare(row.left, row.right), row.expected) << row.rule;
    EXPECT_EQ(VarCompare(row.right, row.left), -row.expected) << row.rule << " (swapped)";
    EXPECT_EQ(row.left == row.right, row.expected == 0) << row.rule;
  }
}

TEST_F(VariantCompareTest, FailedStringConversionsRaiseTypeCastErrors) {
  const Row rows[] = {
      {"text vs number", Variant("abc"), Variant(5), 0},
      {"wide text vs number", Variant(u"abc"), Variant(5.5), 0},
      {"text vs Boolean", Variant("vielleicht"), Variant(true), 0},
      {"text vs date", Variant("31.02.2024"), Variant::FromDate(1), 0},
      {"text vs bcd", Variant("1e"), Bcd("1"), 0},
  };
  for (const Row& row : rows) {
    EXPECT_THROW(VarCompare(row.left, row.right), EVariantTypeCastError) << row.rule;
    EXPECT_THROW(VarCompare(row.right, row.left), EVariantTypeCastError) << row.rule;
  }
  try {
    VarCompare(Variant("abc"), Variant(5));
    ADD_FAILURE();
  } catch (const EVariantTypeCastError& error) {
    EXPECT_EQ(error.Message(), "Could not convert variant of type (String) into type (Double)");
  }
  EXPECT_THROW(VarCompare(VarArrayOf({1}), Variant(1)), EVariantInvalidOpError);
  EXPECT_THROW(VarCompare(VarArrayOf({1}), VarArrayOf({1})), EVariantInvalidOpError);
}

TEST_F(VariantCompareTest, SortingMixedValuesGivesOneConsistentOrder) {
  std::vector<Variant> values = {Variant(3),          Variant(2.5),  Variant::Null(), Variant(),
                                 Variant(true),       Curr(25000),   Variant::FromDate(1.5), Bcd("1,75"),
                                 Variant::FromByte(0), Variant(-1e9), Variant(false)};
  std::sort(values.begin(), values.end(), [](const Variant& a, const Variant& b) { return a < b; });
  for (size_t i = 0; i + 1 < values.size(); ++i)
    EXPECT_LE(VarCompare(values[i], values[i + 1]), 0) << i;
  // False and the byte 0 are equal, so their order between themselves is open.
  const Variant expected[] = {Variant(),  Variant::Null(), Variant(-1e9), Variant(true),
                              Variant(false), Variant::FromByte(0), Variant::FromDate(1.5),
                              Bcd("1,75"), Variant(2.5), Curr(25000), Variant(3)};
  ASSERT_EQ(values.size(), std::size(expected));
  for (size_t i = 0; i < values.size(); ++i)
    EXPECT_EQ(VarCompare(values[i], expected[i]), 0) << i;
  EXPECT_TRUE(values[0].IsEmpty());
  EXPECT_TRUE(values[1].IsNull());
}

}  // namespace
