#include "data/variant_utils.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/locale.h"

namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

struct CompareCase {
  const char* name;
  Variant left;
  Variant right;
  int expected;
};

// Every row is checked in both orders: the order must be antisymmetric.
TEST(VariantCompareTest, TableInBothOrders) {
  TScopedLocale locale("en-US");
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<CompareCase> cases = {
      {"empty vs null", Variant(), Variant::Null(), -1},
      {"null vs null", Variant::Null(), Variant::Null(), 0},
      {"empty vs empty", Variant(), Variant(), 0},
      {"null vs zero", Variant::Null(), Variant(0), -1},
      {"empty vs text", Variant(), Variant("a"), -1},
      {"1 vs 2", Variant(1), Variant(2), -1},
      {"int vs equal double", Variant(2), Variant(2.0), 0},
      {"texts by bytes", Variant("B"), Variant("a"), -1},
      {"text vs number converts", Variant("10"), Variant(9), 1},
      {"failed conversion: text sorts last", Variant("abc"), Variant(5), 1},
      {"NaN after every number", Variant(nan), Variant(1e308), 1},
      {"NaN equals NaN", Variant(nan), Variant(nan), 0},
      {"NaN after an integer", Variant(nan), Variant(int64_t{1} << 62), 1},
      {"shorter array first", VarArrayOf({1, 2}), VarArrayOf({1, 2, 3}), -1},
      {"arrays by elements", VarArrayOf({1, 3}), VarArrayOf({1, 2}), 1},
      {"equal arrays", VarArrayOf({1, "x"}), VarArrayOf({1, "x"}), 0},
      {"array after a scalar", VarArrayOf({1}), Variant(5), 1},
      {"array with incomparable elements", VarArrayOf({"abc"}), VarArrayOf({5}), 1},
  };
  for (const CompareCase& row : cases) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Sign(lxVariantCompare(row.left, row.right)), row.expected);
    EXPECT_EQ(Sign(lxVariantCompare(row.right, row.left)), -row.expected);
  }
}

TEST(VariantCompareTest, StrictFormPassesTheConversionErrorOn) {
  TScopedLocale locale("en-US");
  EXPECT_THROW(lxVariantCompareStrict(Variant("abc"), Variant(5)), EVariantTypeCastError);
  EXPECT_THROW(lxVariantCompareStrict(VarArrayOf({"abc"}), VarArrayOf({5})), EVariantTypeCastError);
  EXPECT_EQ(lxVariantCompareStrict(Variant::Null(), Variant(5)), -1);
}

TEST(VariantCompareTest, BoolAwareEquality) {
  TScopedLocale locale("en-US");
  EXPECT_TRUE(lxVariantEqualsBoolAware(Variant(true), Variant("True")));
  EXPECT_FALSE(lxVariantEqualsBoolAware(Variant(true), Variant("-1")));
  EXPECT_FALSE(lxVariantEqualsBoolAware(Variant(true), Variant::Null()));
  EXPECT_TRUE(lxVariantEqualsBoolAware(Variant::Null(), Variant::Null()));
  // Without a Boolean the plain order decides: 1 equals 1.0.
  EXPECT_TRUE(lxVariantEqualsBoolAware(Variant(1), Variant(1.0)));
  // An array has no text: unequal, no error.
  EXPECT_FALSE(lxVariantEqualsBoolAware(Variant(false), VarArrayOf({1})));
}

TEST(VariantCompareTest, TypeTests) {
  EXPECT_TRUE(lxVariantIsBlank(Variant::Null()));
  EXPECT_TRUE(lxVariantIsBlank(Variant("")));
  EXPECT_TRUE(lxVariantIsBlank(Variant(u"")));
  EXPECT_FALSE(lxVariantIsBlank(Variant(" ")));
  EXPECT_FALSE(lxVariantIsBlank(Variant()));
  EXPECT_TRUE(lxVariantIsNumeric(Variant::FromBcd(IntegerToBcd(5))));
  EXPECT_TRUE(lxVariantIsNumeric(Variant(Currency::FromInt64(5))));
  EXPECT_FALSE(lxVariantIsNumeric(Variant("5")));
  EXPECT_TRUE(lxVariantIsDateTime(Variant::FromDate(1.5)));
  EXPECT_TRUE(lxVariantIsDateTime(Variant::FromSQLTimeStamp(TSQLTimeStamp{2020, 1, 2, 0, 0, 0, 0})));
  EXPECT_FALSE(lxVariantIsDateTime(Variant(1.5)));
  EXPECT_TRUE(lxVarTypeIsCurrency(varCurrency));
  EXPECT_TRUE(lxVarTypeIsCurrency(VarFMTBcd()));
  EXPECT_FALSE(lxVarTypeIsCurrency(varDouble));
}

TEST(VariantArrayBuildersTest, PairSingleAndAppend) {
  Variant pair = lxMakeVariantPair(1, "b");
  EXPECT_EQ(VarArrayLowBound(pair), 0);
  EXPECT_EQ(VarArrayHighBound(pair), 1);
  EXPECT_EQ(pair.Array().Get(1), Variant("b"));
  Variant single = lxMakeSingleItemVariantArray(7);
  EXPECT_EQ(VarArrayHighBound(single), 0);
  lxAppendToVariantArray(single, 8);
  lxAppendToVariantArray(single, 9);
  EXPECT_EQ(lxVariantCompare(single, VarArrayOf({7, 8, 9})), 0);
  Variant not_array(5);
  EXPECT_THROW(lxAppendToVariantArray(not_array, 1), EVariantNotAnArrayError);
}

}  // namespace
