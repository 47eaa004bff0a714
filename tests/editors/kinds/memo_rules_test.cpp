#include "editors/kinds/memo_rules.h"

#include <gtest/gtest.h>


namespace memo_rules_test {

TEST(MemoRulesTest, TextWrapsOnlyWithWordWrapAndNoHorizontalBar) {
  constexpr TlxTextOutFlags kAlways = lxtoEditControlRows | lxtoExpandTabs | lxtoNotLeftOfRect;
  constexpr TlxTextOutFlags kWrap = lxtoWordBreak | lxtoCharBreak;
  struct Case {
    bool word_wrap;
    TScrollStyle bars;
    bool wraps;
  };
  const Case cases[] = {{true, ssNone, true},        {true, ssVertical, true}, {true, ssHorizontal, false},
                        {true, ssBoth, false},       {false, ssNone, false},   {false, ssVertical, false}};
  for (const Case& c : cases) {
    const TlxTextOutFlags flags = lxMemoDrawTextFlags(taLeftJustify, c.word_wrap, c.bars);
    EXPECT_EQ(flags & kAlways, kAlways);
    EXPECT_EQ((flags & kWrap) == kWrap, c.wraps) << c.word_wrap << " " << int(c.bars);
    // Never one line, never a vertical position: the text starts at the top.
    EXPECT_EQ(flags & (lxtoSingleLine | lxtoVertAlignMask), 0u);
  }
  EXPECT_EQ(lxMemoDrawTextFlags(taCenter, true, ssNone) & lxtoHorzAlignMask, TlxTextOutFlags(lxtoAlignCenter));
  EXPECT_EQ(lxMemoDrawTextFlags(taRightJustify, true, ssNone) & lxtoHorzAlignMask, TlxTextOutFlags(lxtoAlignRight));
  EXPECT_EQ(lxMemoDrawTextFlags(taLeftJustify, true, ssNone) & lxtoHorzAlignMask, 0u);
}

TEST(MemoRulesTest, EnterAndTabAreTypedAsTheSettingsSay) {
  constexpr uint16_t kEnter = 13;
  constexpr uint16_t kTab = 9;
  struct Case {
    uint16_t key;
    bool ctrl;
    bool allow_tab;
    bool want_returns;
    bool want_tabs;
    bool typed;
  };
  const Case cases[] = {
      {kEnter, false, false, true, false, true},   {kEnter, false, false, false, false, false},
      {kEnter, true, false, false, false, true},   {kTab, false, false, true, false, false},
      {kTab, false, true, false, false, true},     {kTab, false, false, false, true, true},
      {'A', true, true, true, true, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxIsMemoEditKey(c.key, c.ctrl, c.allow_tab, c.want_returns, c.want_tabs), c.typed)
        << c.key << " ctrl " << c.ctrl << " returns " << c.want_returns << " tabs " << c.want_tabs;
}

TEST(MemoRulesTest, InPlaceEnterTypesALineBreakExactlyOneWay) {
  // WantReturns: Enter types, Ctrl+Enter ends editing; without it the reverse.
  EXPECT_TRUE(lxMemoTypesEnterInPlace(false, true));
  EXPECT_FALSE(lxMemoTypesEnterInPlace(true, true));
  EXPECT_TRUE(lxMemoTypesEnterInPlace(true, false));
  EXPECT_FALSE(lxMemoTypesEnterInPlace(false, false));
}

TEST(MemoRulesTest, AReplacementIsCutToTheRoomMaxLengthLeaves) {
  struct Case {
    int32_t before;
    const char* text;
    int32_t max_length;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {8, "abcdef", 10, "ab"},
      {10, "abcdef", 10, std::nullopt},
      {12, "abcdef", 10, std::nullopt},
      {0, "abcdef", 0, "abcdef"},        // no limit
      {3, "abcdef", -1, "abcdef"},       // no limit either
      {4, "abcdef", 10, "abcdef"},       // fits exactly
      {0, "", 10, ""},
      // "\xC3\xA4" is one UTF-16 character, U+1F600 two.
      {8, "\xC3\xA4\xC3\xB6x", 10, "\xC3\xA4\xC3\xB6"},
      {9, "\xF0\x9F\x98\x80", 10, std::nullopt},   // half a pair is no character
      {8, "\xF0\x9F\x98\x80z", 10, "\xF0\x9F\x98\x80"},
      {2147483000, "abc", 2147483647, "abc"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxFitMemoInsertion(c.before, c.text, c.max_length), c.expected) << c.before << " " << c.text;
}

TEST(MemoRulesTest, TheCornerNeedsBothBars) {
  const TRect horizontal(2, 80, 160, 97);
  const TRect vertical(160, 2, 177, 80);
  EXPECT_EQ(lxMemoScrollBarCorner(horizontal, vertical), TRect(160, 80, 177, 97));
  EXPECT_TRUE(lxMemoScrollBarCorner(TRect(), vertical).IsEmpty());
  EXPECT_TRUE(lxMemoScrollBarCorner(horizontal, TRect()).IsEmpty());
}

}  // namespace memo_rules_test
