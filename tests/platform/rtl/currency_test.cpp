#include "platform/rtl/currency.h"

#include <gtest/gtest.h>

#include "platform/rtl/exceptions.h"

namespace {

Currency C(int64_t raw) { return Currency::FromRaw(raw); }

TEST(Currency, ConvertsFromDoubleWithBankersRounding) {
  struct Case {
    double value;
    int64_t raw;
  };
  const Case cases[] = {
      {1.5, 15000},      {0.00005, 0},       {0.00015, 2},      {-0.00025, -2},
      {0.00035, 4},      {123.456789, 1234568}, {-7, -70000},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Currency::FromDouble(c.value).Raw(), c.raw) << c.value;
  EXPECT_THROW(Currency::FromDouble(1e15), EOverflow);
  EXPECT_THROW(Currency::FromDouble(std::numeric_limits<double>::quiet_NaN()), EOverflow);
}

TEST(Currency, ArithmeticIsExactAndChecked) {
  EXPECT_EQ((C(15000) + C(25000)).Raw(), 40000);
  EXPECT_EQ((C(15000) - C(25000)).Raw(), -10000);
  EXPECT_EQ((C(15000) * C(15000)).Raw(), 22500);       // 1.5 * 1.5 = 2.25
  EXPECT_EQ((C(1) * C(5000)).Raw(), 0);                // 0.00005 -> even 0
  EXPECT_EQ((C(3) * C(5000)).Raw(), 2);                // 0.00015 -> even 0.0002
  EXPECT_EQ((C(10000) / C(30000)).Raw(), 3333);
  EXPECT_EQ((C(-20000) / C(30000)).Raw(), -6667);
  EXPECT_EQ((C(5) / C(-20000)).Raw(), -2);             // -0.00025 -> even -0.0002
  EXPECT_THROW(C(INT64_MAX) + C(1), EOverflow);
  EXPECT_THROW(-C(INT64_MIN), EOverflow);
  EXPECT_THROW(C(INT64_MAX) * C(20000), EOverflow);
  EXPECT_THROW(C(1) / C(0), EZeroDivide);
  EXPECT_THROW(Currency::FromInt64(INT64_MAX / 1000), EOverflow);
}

TEST(Currency, RoundsToWholeAmountsHalfToEven) {
  EXPECT_EQ(C(25000).RoundToInt64(), 2);
  EXPECT_EQ(C(35000).RoundToInt64(), 4);
  EXPECT_EQ(C(-25000).RoundToInt64(), -2);
  EXPECT_EQ(C(25001).RoundToInt64(), 3);
  EXPECT_LT(C(1), C(2));
  EXPECT_EQ(C(7).ToDouble(), 0.0007);
}

}  // namespace
