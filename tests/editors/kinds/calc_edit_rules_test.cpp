#include "editors/kinds/calc_edit_rules.h"

#include <gtest/gtest.h>

#include "platform/rtl/locale.h"

namespace calc_edit_rules_test {

class CalcEditRulesTest : public ::testing::Test {
 protected:
  TScopedLocale german_{"de-DE"};
};

TEST_F(CalcEditRulesTest, PrecisionZeroAndAboveFifteenMeanFifteen) {
  const struct {
    int32_t precision;
    int32_t effective;
  } cases[] = {{0, 15}, {-3, 15}, {1, 1}, {2, 2}, {15, 15}, {16, 15}, {20, 15}};
  for (const auto& c : cases)
    EXPECT_EQ(lxCalcEditEffectivePrecision(c.precision), c.effective) << c.precision;
}

TEST_F(CalcEditRulesTest, FocusedTextIsGeneralOrShortenedExponentForm) {
  const struct {
    double value;
    int32_t precision;
    bool scientific;
    bool thousands;
    const char* text;
  } cases[] = {
      {1500, 15, false, false, "1500"},
      {0.05, 15, false, false, "0,05"},
      {2.0 / 3.0, 15, false, false, "0,666666666666667"},
      {2.0 / 3.0, 0, false, false, "0,666666666666667"},  // 0 formats with 15 digits
      {2.0 / 3.0, 4, false, false, "0,6667"},
      {1234567.25, 15, false, true, "1.234.567,25"},
      {1500, 15, true, false, "1,5E+3"},
      {-0.25, 15, true, false, "-2,5E-1"},
      {1, 15, true, false, "1E+0"},
      {123456, 3, true, false, "1,23E+5"},
      {1500, 15, true, true, "1,5E+3"},  // no separators in the exponent form
  };
  for (const auto& c : cases)
    EXPECT_EQ(lxCalcEditValueText(c.value, c.precision, c.scientific, c.thousands), c.text) << c.value;
}

TEST_F(CalcEditRulesTest, TypedTextBecomesADoubleOrNull) {
  EXPECT_TRUE(lxCalcEditTextToValue("", false).IsNull());
  EXPECT_TRUE(lxCalcEditTextToValue("   ", false).IsNull());
  EXPECT_TRUE(lxCalcEditTextToValue("abc", false).IsNull());
  EXPECT_TRUE(lxCalcEditTextToValue("1e400", false).IsNull());
  EXPECT_DOUBLE_EQ(lxCalcEditTextToValue(" 1,5 ", false).AsDouble(), 1.5);
  EXPECT_DOUBLE_EQ(lxCalcEditTextToValue("-2,5E-1", false).AsDouble(), -0.25);
  EXPECT_TRUE(lxCalcEditTextToValue("1.234,5", false).IsNull());
  EXPECT_DOUBLE_EQ(lxCalcEditTextToValue("1.234,5", true).AsDouble(), 1234.5);
}

TEST_F(CalcEditRulesTest, TypedCharactersMustKeepANumber) {
  const struct {
    const char* text;
    size_t start;
    size_t length;
    char16_t ch;
    bool accepted;
  } cases[] = {
      {"", 0, 0, u'-', true},      {"", 0, 0, u'5', true},     {"", 0, 0, u'a', false},
      {"12", 2, 0, u',', true},    {"1,2", 3, 0, u',', false}, {"12", 2, 0, u'e', false},
      {"1e", 2, 0, u'5', true},    {"1e40", 4, 0, u'0', false}, {"1e400", 1, 4, u'5', true},
      {"1e30", 4, 0, u'0', true},  {"1e30", 4, 0, u'9', false},  // 1e300 fits, 1e309 and 1e400 do not
      {"5", 0, 1, u'x', false},    {"-", 1, 0, u'-', false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(lxCalcEditAcceptsChar(c.text, c.start, c.length, c.ch), c.accepted) << c.text << " + " << char(c.ch);
}

TEST_F(CalcEditRulesTest, NumbersOfEditValues) {
  EXPECT_EQ(lxCalcEditNumberOf(Variant::Null()), 0);
  EXPECT_EQ(lxCalcEditNumberOf(Variant(std::string())), 0);
  EXPECT_EQ(lxCalcEditNumberOf(Variant(std::string("abc"))), 0);
  EXPECT_DOUBLE_EQ(lxCalcEditNumberOf(Variant(std::string("2,5"))), 2.5);
  EXPECT_DOUBLE_EQ(lxCalcEditNumberOf(Variant(7.25)), 7.25);
  EXPECT_EQ(lxCalcEditMapKey(u'.'), u',');
  EXPECT_EQ(lxCalcEditMapKey(u','), u',');
  EXPECT_EQ(lxCalcEditMapKey(u'7'), u'7');
}

}  // namespace calc_edit_rules_test
