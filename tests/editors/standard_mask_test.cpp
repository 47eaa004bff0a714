#include "editors/standard_mask.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/rtl/locale.h"

namespace {

TEST(StandardMaskTest, CompilesPositionsFlagsAndBlank) {
  struct Case {
    const char* mask;
    const char16_t* empty_text;
    bool save_literals;
    bool leading;
  };
  const Case cases[] = {
      {"00;0", u"__", false, false},
      {"00;1;*", u"**", true, false},
      {"00;2;_", u"__;2;_", true, false},
      {"!000-0000;1;_", u"___-____", true, true},
      {"\\\\0", u"\\_", true, false},
      {"0\\", u"_", true, false},
      {">LL<ll<>C", u"_____", true, false},
      {"a!", u"_!", true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mask);
    TlxStandardMask mask;
    mask.Compile(c.mask);
    EXPECT_EQ(mask.GetEmptyText(), c.empty_text);
    EXPECT_EQ(mask.SaveLiterals(), c.save_literals);
    EXPECT_EQ(mask.Leading(), c.leading);
  }
}

TEST(StandardMaskTest, LaysTextOverTheMask) {
  struct Case {
    const char* mask;
    const char16_t* text;
    bool use_converted_case;
    bool holds_literals;
    const char16_t* formatted;
  };
  const Case cases[] = {
      {"00-00", u"1234", false, false, u"12-34"},
      {"00-00", u"12-34", false, false, u"12-34"},
      {"!99", u"5", false, false, u"_5"},
      {"99", u"5", false, false, u"5_"},
      {">LL<ll", u"abCD", true, false, u"ABcd"},
      {">LL<ll", u"abCD", false, false, u"abCD"},
      {"00", u"x1y2z3", false, false, u"12"},
      {"0_0", u" 5", false, false, u"__5"},
      {"00-00;0", u"1234", false, false, u"12-34"},
      {"!00-00", u"1234", false, false, u"12-34"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mask);
    TlxStandardMask mask;
    mask.Compile(c.mask);
    std::u16string text = c.text;
    mask.Format(text, c.use_converted_case, c.holds_literals);
    EXPECT_EQ(text, c.formatted);
  }
}

TEST(StandardMaskTest, ValueTextAndFullMatch) {
  TlxStandardMask mask;
  mask.Compile("00-00;0");
  std::u16string value = u"1_-34";
  mask.GetValueText(value);
  EXPECT_EQ(value, u"1 34");
  EXPECT_EQ(mask.GetEmptyValueText(), u"    ");
  mask.Compile("00-00");
  EXPECT_EQ(mask.GetEmptyValueText(), u"  -  ");

  struct Case {
    const char* mask;
    const char16_t* text;
    bool full;
  };
  const Case cases[] = {
      {"0#", u"5-", true},  {"0#", u"5 ", true},   {"0#", u" 5", false}, {"0#", u"5", false},
      {"0#", u"5-1", false}, {"LL", u"ab", true},  {"L0", u"a_", false}, {"l0", u"_1", true},
      {"00-00", u"12x34", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mask);
    mask.Compile(c.mask);
    std::u16string text = c.text;
    EXPECT_EQ(mask.IsFullMatch(text), c.full);
  }
  mask.Compile(">LL");
  std::u16string text = u"ab";
  ASSERT_TRUE(mask.IsFullMatch(text));
  EXPECT_EQ(text, u"AB");
}

TEST(StandardMaskTest, SeparatorsAreTakenAtCompileTime) {
  TlxStandardMask mask;
  {
    TScopedLocale german("de-DE");
    mask.Compile("00/00 00:00");
  }
  TScopedLocale english("en-US");
  EXPECT_EQ(mask.GetEmptyText(), u"__.__ __:__");
  std::u16string text = u"31.12 23:59";
  EXPECT_TRUE(mask.IsFullMatch(text));
}

}  // namespace
