#include "platform/rtl/text.h"

#include <gtest/gtest.h>

#include "platform/rtl/locale.h"

namespace {

TEST(Utf8ToUtf16, ConvertsEveryPlaneBothWays) {
  const std::string utf8 = "A\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80";  // A ä € 😀
  const std::u16string utf16 = u"A\u00E4\u20AC\U0001F600";
  EXPECT_EQ(Utf8ToUtf16(utf8), utf16);
  EXPECT_EQ(Utf16ToUtf8(utf16), utf8);
  EXPECT_EQ(Utf8ToUtf16(""), u"");
}

TEST(Utf8ToUtf16, BrokenInputBecomesReplacementCharacters) {
  struct Case {
    std::string input;
    std::u16string expected;
  };
  const Case cases[] = {
      {"\x80", u"\uFFFD"},                          // stray continuation byte
      {"a\xC3", u"a\uFFFD"},                        // truncated at the end
      {"\xC3(", u"\uFFFD("},                        // the misfit byte is kept
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                // overlong form of '/'
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},      // encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
      {"\xE2\x82z", u"\uFFFDz"},                    // one U+FFFD for the broken prefix
      {"\xFF\xFE", u"\uFFFD\uFFFD"},
      {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Utf8ToUtf16(c.input), c.expected) << testing::PrintToString(c.input);
}

TEST(Utf16ToUtf8, UnpairedSurrogatesBecomeReplacementCharacters) {
  EXPECT_EQ(Utf16ToUtf8(u"\xD800"), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(u"\xDC00x"), "\xEF\xBF\xBDx");
  EXPECT_EQ(Utf16ToUtf8(u"\xD800\xD800\xDC00"), "\xEF\xBF\xBD\xF0\x90\x80\x80");
}

TEST(Utf8Helpers, ValidityAndLength) {
  EXPECT_TRUE(IsValidUtf8("Größe \xEF\xBF\xBD"));
  EXPECT_FALSE(IsValidUtf8("Gr\xF6\xDF" "e"));
  EXPECT_EQ(Utf8Length("Größe"), 5u);
  EXPECT_EQ(Utf8Length("\xC3"), 1u);
}

TEST(AsciiText, CasesAndComparesOnlyAsciiLetters) {
  EXPECT_EQ(UpperCase("größe abc"), "GRößE ABC");
  EXPECT_EQ(LowerCase("ÄRGER ABC"), "Ärger abc");
  EXPECT_EQ(CompareText("abc", "ABC"), 0);
  EXPECT_LT(CompareText("abc", "ABD"), 0);
  EXPECT_GT(CompareText("abcd", "ABC"), 0);
  EXPECT_LT(CompareText("a", "_"), 0);  // 'A' (65) before '_' (95) after upper-casing
  EXPECT_LT(CompareStr("B", "a"), 0);
  EXPECT_TRUE(SameText("Setting.Ini", "SETTING.INI"));
  EXPECT_FALSE(SameText("Größe", "GRÖSSE"));
}

class AnsiTextTest : public testing::Test {
 protected:
  TScopedLocale german_{"de-DE"};
};

TEST_F(AnsiTextTest, CasesLatin1AndLatinExtendedA) {
  EXPECT_EQ(AnsiUpperCase("größe"), "GRÖßE");
  EXPECT_EQ(AnsiLowerCase("GRÖßE"), "größe");
  EXPECT_EQ(AnsiUpperCase("ÿ łódź čšž œ"), "Ÿ ŁÓDŹ ČŠŽ Œ");
  EXPECT_EQ(AnsiLowerCase("Ÿ ŁÓDŹ ČŠŽ Œ"), "ÿ łódź čšž œ");
  EXPECT_EQ(AnsiUpperCase("x\xC3y"), "X\xEF\xBF\xBDY");
}

TEST_F(AnsiTextTest, ComparesLinguistically) {
  struct Case {
    const char* a;
    const char* b;
    int text;  // AnsiCompareText
    int str;   // AnsiCompareStr
  };
  const Case cases[] = {
      {"a", "B", -1, -1},            // letters before case
      {"apfel", "Äpfel", -1, -1},    // accent on the second level
      {"Äpfel", "azur", -1, -1},     // ... below the letters
      {"abc", "ABC", 0, -1},         // lower case first
      {"1", "a", -1, -1},            // digits before letters
      {" ", "1", -1, -1},            // symbols before digits
      {"co-op", "coop", 1, 1},       // hyphen ignored until the end
      {"coop", "cop", -1, -1},
      {"", "a", -1, -1},
      {"Zürich", "zurich", 1, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AnsiCompareText(c.a, c.b), c.text) << c.a << " / " << c.b;
    EXPECT_EQ(AnsiCompareText(c.b, c.a), -c.text) << c.b << " / " << c.a;
    EXPECT_EQ(AnsiCompareStr(c.a, c.b), c.str) << c.a << " / " << c.b;
    EXPECT_EQ(AnsiCompareStr(c.b, c.a), -c.str) << c.b << " / " << c.a;
  }
  EXPECT_TRUE(AnsiSameText("GRÖßE", "größe"));
  EXPECT_FALSE(AnsiSameStr("GRÖßE", "größe"));
  EXPECT_TRUE(AnsiSameStr("größe", "größe"));
}

}  // namespace
