#include <gtest/gtest.h>

#include <cmath>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include "platform/rtl/locale.h"

namespace {

const TFormatSettings& En() { return EnglishFormatSettings(); }
const TFormatSettings& De() { return GermanFormatSettings(); }

TEST(StrToInt, AcceptsDecimalAndHexWithinRange) {
  struct Case {
    const char* text;
    int32_t value;
  };
  const Case cases[] = {
      {"0", 0},          {"  42", 42},          {"-42", -42},          {"+7", 7},
      {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN}, {"$FF", 255}, {"0x1f", 31},
      {"$FFFFFFFF", -1}, {"-$10", -16},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
  }
  EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
}

TEST(StrToInt, RejectsEverythingElseWithThePlatformText) {
  for (const char* text : {"", " ", "12 ", "1.5", "2147483648", "-2147483649", "$", "$1FFFFFFFF", "abc", "1e3",
                           "--1", "99999999999999999999999"}) {
    int32_t value = 99;
    EXPECT_FALSE(TryStrToInt(text, value)) << text;
    EXPECT_EQ(value, 99);
    EXPECT_EQ(StrToIntDef(text, -5), -5);
    try {
      StrToInt(text);
      ADD_FAILURE() << text;
    } catch (const EConvertError& error) {
      EXPECT_EQ(error.Message(), "'" + std::string(text) + "' is not a valid integer value");
    }
  }
}

TEST(IntToStr, DecimalAndHex) {
  EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(0xABCDEF, 2), "ABCDEF");
}

TEST(StrToFloat, ParsesWithTheDecimalSeparatorOfTheSettings) {
  struct Case {
    const char* text;
    const TFormatSettings* settings;
    double value;
  };
  const Case cases[] = {
      {"1.5", &En(), 1.5},       {"1,5", &De(), 1.5},       {" -2.25e3 ", &En(), -2250},
      {".5", &En(), 0.5},        {"5.", &En(), 5},          {"1E-400", &En(), 0},
      {"0.1", &En(), 0.1},       {"+3", &De(), 3},          {"1e+308", &En(), 1e308},
      {"4.9406564584124654e-324", &En(), 4.9406564584124654e-324},
  };
  for (const auto& c : cases)
    EXPECT_EQ(StrToFloat(c.text, *c.settings), c.value) << c.text;
}

TEST(StrToFloat, RejectsMalformedAndOverflowingText) {
  for (const char* text : {"", "1,5", "1.2.3", "1e", "e5", "1e+", "-", ".", "1.000,5", "1e400", "INF", "NAN",
                           "0x10", "1 5"}) {
    double value = 7;
    EXPECT_FALSE(TryStrToFloat(text, value, En())) << text;
    EXPECT_EQ(value, 7);
    try {
      StrToFloat(text, En());
      ADD_FAILURE() << text;
    } catch (const EConvertError& error) {
      EXPECT_EQ(error.Message(), "'" + std::string(text) + "' is not a valid floating point value");
    }
  }
  EXPECT_THROW(StrToFloat("1.5", De()), EConvertError);
}

TEST(StrToCurr, ParsesExactlyAndRoundsHalfToEven) {
  struct Case {
    const char* text;
    int64_t raw;
  };
  const Case cases[] = {
      {"1.23456", 12346},  {"0.00005", 0},     {"0.00015", 2},     {"0.000150001", 2},
      {"-0.00025", -2},    {"12.5e2", 12500000}, {"922337203685477.5807", INT64_MAX},
      {"-922337203685477.5808", INT64_MIN}, {"0.1", 1000}, {"1e-30", 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(StrToCurr(c.text, En()).Raw(), c.raw) << c.text;
  EXPECT_EQ(StrToCurr("1,5", De()).Raw(), 15000);
  for (const char* text : {"922337203685477.5808", "1e20", "abc", ""})
    EXPECT_THROW(StrToCurr(text, En()), EConvertError) << text;
}

TEST(BoolToStr, WordsAndNumbers) {
  EXPECT_EQ(BoolToStr(true), "-1");
  EXPECT_EQ(BoolToStr(false), "0");
  EXPECT_EQ(BoolToStr(true, true), "True");
  EXPECT_EQ(BoolToStr(false, true), "False");
  EXPECT_TRUE(StrToBool("true"));
  EXPECT_FALSE(StrToBool("FALSE"));
  EXPECT_TRUE(StrToBool("-1"));
  EXPECT_FALSE(StrToBool("0"));
  try {
    StrToBool("ja");
    ADD_FAILURE();
  } catch (const EConvertError& error) {
    EXPECT_EQ(error.Message(), "'ja' is not a valid boolean value");
  }
}

}  // namespace
