#include "platform/rtl/extended.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

namespace {

TExtended80 Bytes(std::initializer_list<int> values) {
  TExtended80 out{};
  size_t i = 0;
  for (const int v : values)
    out[i++] = static_cast<uint8_t>(v);
  return out;
}

TEST(Extended80, EncodesKnownValuesByteExact) {
  struct Case {
    double value;
    TExtended80 bytes;
  };
  const Case cases[] = {
      {1.0, Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F})},
      {-2.0, Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0})},
      {0.5, Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFE, 0x3F})},
      {3.0, Bytes({0, 0, 0, 0, 0, 0, 0, 0xC0, 0x00, 0x40})},
      {0.0, Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
      {-0.0, Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80})},
      {std::numeric_limits<double>::infinity(), Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F})},
      // The smallest subnormal double, 2^-1074, is a normal extended.
      {std::numeric_limits<double>::denorm_min(), Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xCD, 0x3B})},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DoubleToExtended80(c.value), c.bytes) << c.value;
    const double back = Extended80ToDouble(c.bytes);
    EXPECT_EQ(std::bit_cast<uint64_t>(back), std::bit_cast<uint64_t>(c.value)) << c.value;
  }
}

TEST(Extended80, EveryDoubleSurvivesTheRoundTrip) {
  const double values[] = {0.1, -1234.5678, 1e308, -1e-308, 2.2250738585072014e-308, 4.9e-322,
                           std::numeric_limits<double>::max(), 6.02214076e23, 1.0 / 3.0};
  for (const double value : values)
    EXPECT_EQ(Extended80ToDouble(DoubleToExtended80(value)), value) << value;
  EXPECT_TRUE(std::isnan(Extended80ToDouble(DoubleToExtended80(std::numeric_limits<double>::quiet_NaN()))));
}

TEST(Extended80, NarrowsWiderValuesCorrectly) {
  // 1 + 2^-63: the last bit is far below double precision: rounds to 1.
  EXPECT_EQ(Extended80ToDouble(Bytes({1, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F})), 1.0);
  // 1 + 2^-53 exactly half way: ties to even (1.0); 1 + 3*2^-53 rounds up.
  EXPECT_EQ(Extended80ToDouble(Bytes({0, 0x04, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F})), 1.0);
  EXPECT_EQ(Extended80ToDouble(Bytes({0, 0x0C, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F})), 1.0 + 4 * 0x1p-53);
  // 2^16000 overflows to infinity, 2^-16000 underflows to zero.
  EXPECT_EQ(Extended80ToDouble(Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0x7F, 0x7E})),
            std::numeric_limits<double>::infinity());
  EXPECT_EQ(Extended80ToDouble(Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0x7F, 0x01})), 0.0);
  // A NaN with a payload stays a NaN; an extended denormal is a tiny zero.
  EXPECT_TRUE(std::isnan(Extended80ToDouble(Bytes({1, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xFF}))));
  EXPECT_EQ(Extended80ToDouble(Bytes({0, 0, 0, 0, 0, 0, 0, 0x40, 0, 0})), 0.0);
}

}  // namespace
