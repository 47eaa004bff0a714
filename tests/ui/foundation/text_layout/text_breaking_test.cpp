#include "ui/foundation/text_layout/text_breaking.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/foundation/text_layout/fixed_width_measurer.h"

namespace text_breaking_test {

TlxTextLayoutParams ParamsFor(TlxTextOutFlags flags) {
  TlxTextFontMetrics metrics;
  metrics.Height = FixedWidthMeasurer::kHeight;
  metrics.EllipsisWidth = 30;
  return lxMakeTextParams(metrics, flags);
}

// The rows' texts for a rectangle `width` wide and `height` high.
std::vector<std::u16string> RowsOf(const std::u16string& text, TlxTextOutFlags flags, int32_t width,
                                   int32_t height = 1000, bool* fitted = nullptr) {
  FixedWidthMeasurer measurer;
  TlxTextRows rows;
  int32_t count = 0;
  const bool all = lxMakeTextRows(measurer, text.data(), static_cast<int32_t>(text.size()), TRect(0, 0, width, height),
                                  ParamsFor(flags), rows, count);
  if (fitted != nullptr)
    *fitted = all;
  std::vector<std::u16string> result;
  for (int32_t i = 0; i < count; ++i) {
    const TlxTextRowInfo& row = lxGetTextRow(rows, i);
    result.emplace_back(row.Text, static_cast<size_t>(row.Length));
  }
  return result;
}

using Rows = std::vector<std::u16string>;

TEST(TextBreakingTest, TheSpaceBetweenWrappedWordsNeverStartsTheNextRow) {
  struct Case {
    int32_t alignment;
    int32_t width;
    Rows rows;
  };
  // 75 pixels hold "aaa bbb" but not its space; 80 hold the space too.
  const Case cases[] = {
      {lxtoAlignLeft, 75, {u"aaa bbb", u"ccc"}},   {lxtoAlignLeft, 80, {u"aaa bbb ", u"ccc"}},
      {lxtoAlignCenter, 75, {u"aaa bbb", u"ccc"}}, {lxtoAlignCenter, 80, {u"aaa bbb", u"ccc"}},
      {lxtoAlignRight, 80, {u"aaa bbb", u"ccc"}},  {lxtoAlignJustify, 80, {u"aaa bbb", u"ccc"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RowsOf(u"aaa bbb ccc", lxtoWordBreak | static_cast<TlxTextOutFlags>(c.alignment), c.width), c.rows)
        << "alignment " << c.alignment << " width " << c.width;
}

TEST(TextBreakingTest, AWordWiderThanTheRectangleStaysWholeUnlessCharacterBreakingIsOn) {
  EXPECT_EQ(RowsOf(u"abcdefgh ij", lxtoWordBreak, 45), (Rows{u"abcdefgh", u"ij"}));
  EXPECT_EQ(RowsOf(u"abcdefgh ij", lxtoWordBreak | lxtoCharBreak, 45), (Rows{u"abcd", u"efgh", u"ij"}));
  // Not even one character fits: one is taken all the same, so the layout moves on.
  EXPECT_EQ(RowsOf(u"abc", lxtoWordBreak | lxtoCharBreak, 5), (Rows{u"a", u"b", u"c"}));
}

TEST(TextBreakingTest, EachKindOfLineBreakEndsARowOnce) {
  const std::u16string texts[] = {u"ab\r\ncd", u"ab\n\rcd", u"ab\rcd", u"ab\ncd"};
  for (const std::u16string& text : texts) {
    EXPECT_EQ(RowsOf(text, lxtoWordBreak, 200), (Rows{u"ab", u"cd"}));
    EXPECT_EQ(RowsOf(text, 0, 200), (Rows{u"ab", u"cd"}));
  }
  EXPECT_EQ(RowsOf(u"ab\r\n\r\ncd", lxtoWordBreak, 200), (Rows{u"ab", u"", u"cd"}));
  EXPECT_EQ(RowsOf(u"ab\n\ncd", 0, 200), (Rows{u"ab", u"", u"cd"}));
  EXPECT_EQ(RowsOf(u"ab\r\n", 0, 200), (Rows{u"ab"}));
}

TEST(TextBreakingTest, WithoutWrappingOnlyLineBreaksEndRows) {
  EXPECT_EQ(RowsOf(u"aaa bbb ccc", 0, 30), (Rows{u"aaa bbb ccc"}));
  EXPECT_EQ(RowsOf(u"aaa\nbbb", lxtoWordBreak | lxtoSingleLine, 30), (Rows{u"aaa"}));
}

TEST(TextBreakingTest, EastAsianCharactersBreakAnywhereButKeepClosingPunctuation) {
  // U+65E5 U+672C U+3002 U+8A9E: the ideographic full stop may not start a row.
  const std::u16string text = u"\u65E5\u672C\u3002\u8A9E";
  EXPECT_EQ(RowsOf(text, lxtoWordBreak, 20), (Rows{u"\u65E5", u"\u672C\u3002", u"\u8A9E"}));
  EXPECT_EQ(RowsOf(text, lxtoWordBreak, 30), (Rows{u"\u65E5\u672C\u3002", u"\u8A9E"}));
  EXPECT_TRUE(lxIsLineStartProhibited(u'!'));
  EXPECT_TRUE(lxIsLineStartProhibited(0xFFF0));
  EXPECT_FALSE(lxIsLineStartProhibited(u'a'));
}

TEST(TextBreakingTest, AccentedLettersDoNotBreakAWord) {
  EXPECT_EQ(RowsOf(u"Gr\u00F6\u00DFe Gr\u00F6\u00DFe", lxtoWordBreak, 55),
            (Rows{u"Gr\u00F6\u00DFe", u"Gr\u00F6\u00DFe"}));
}

TEST(TextBreakingTest, JustifiedRowsCountTheirBreaksAndDropTrailingBlanks) {
  FixedWidthMeasurer measurer;
  const std::u16string text = u"aa bb cc dd\nee ff";
  struct Case {
    int32_t alignment;
    std::vector<int32_t> break_counts;
  };
  // Rows "aa bb" (wrapped), "cc dd" (ends its paragraph), "ee ff" (last).
  const Case cases[] = {{lxtoAlignJustify, {1, 0, 0}}, {lxtoAlignJustifyAll, {1, 1, 1}}};
  for (const Case& c : cases) {
    TlxTextRows rows;
    int32_t count = 0;
    lxMakeTextRows(measurer, text.data(), static_cast<int32_t>(text.size()), TRect(0, 0, 55, 1000),
                   ParamsFor(static_cast<TlxTextOutFlags>(c.alignment)), rows, count);
    ASSERT_EQ(count, 3);
    for (int32_t i = 0; i < count; ++i) {
      EXPECT_EQ(lxGetTextRow(rows, i).BreakCount, c.break_counts[i]) << c.alignment << " row " << i;
      EXPECT_EQ(lxGetTextRow(rows, i).Length, 5);
    }
  }
}

TEST(TextBreakingTest, EditControlRowsShowOnlyRowsThatFitCompletely) {
  bool fitted = true;
  EXPECT_EQ(RowsOf(u"aa\nbb\ncc", lxtoEditControlRows, 100, 2 * 16 - 1, &fitted).size(), 1u);
  EXPECT_FALSE(fitted);
  EXPECT_EQ(RowsOf(u"aa\nbb\ncc", 0, 100, 2 * 16 - 1, &fitted).size(), 2u);
  EXPECT_FALSE(fitted);
  EXPECT_EQ(RowsOf(u"aa\nbb\ncc", 0, 100, 3 * 16, &fitted).size(), 3u);
  EXPECT_TRUE(fitted);
}

TEST(TextBreakingTest, TheEllipsisRowTakesTheWordThatOverflows) {
  // Less than a row high: the only row is the last, and it keeps the word
  // that does not fit so that the drawing can end it with "...".
  bool fitted = true;
  EXPECT_EQ(RowsOf(u"aaa bbbbbbbb\nddd", lxtoWordBreak | lxtoEndEllipsis, 75, 15, &fitted),
            (Rows{u"aaa bbbbbbbb"}));
  EXPECT_FALSE(fitted);
  // Without the ellipsis the same row wraps before the long word.
  EXPECT_EQ(RowsOf(u"aaa bbbbbbbb\nddd", lxtoWordBreak, 75, 15), (Rows{u"aaa "}));
}

TEST(TextBreakingTest, RowsPastTheInlineOnesGrowTheStorage) {
  std::u16string text;
  for (int32_t i = 0; i < 40; ++i)
    text += static_cast<char16_t>(u'a' + i % 26) + std::u16string(u"\n");
  FixedWidthMeasurer measurer;
  TlxTextRows rows;
  int32_t count = 0;
  EXPECT_TRUE(lxMakeTextRows(measurer, text.data(), static_cast<int32_t>(text.size()), TRect(0, 0, 100, 10000),
                             ParamsFor(lxtoWordBreak), rows, count));
  ASSERT_EQ(count, 40);
  EXPECT_EQ(lxGetTextRowCount(rows), 40);
  EXPECT_GE(rows.DynamicRows.size(), 8u);
  EXPECT_EQ(lxGetTextRow(rows, 35).StartOffset, 70);
  EXPECT_EQ(lxGetTextRow(rows, 35).Text[0], u'j');
  lxClearTextRows(rows);
  EXPECT_EQ(lxGetTextRowCount(rows), 0);
  EXPECT_TRUE(rows.DynamicRows.empty());
}

TEST(TextBreakingTest, AMaximalRowCountStopsTheRows) {
  FixedWidthMeasurer measurer;
  const std::u16string text = u"a\nb\nc\nd";
  TlxTextRows rows;
  int32_t count = 0;
  EXPECT_FALSE(lxMakeTextRows(measurer, text.data(), 7, TRect(0, 0, 100, 1000), ParamsFor(0), rows, count, 2));
  EXPECT_EQ(count, 2);
}

TEST(TextBreakingTest, DegenerateInputStillEnds) {
  FixedWidthMeasurer measurer;
  TlxTextRows rows;
  int32_t count = -1;
  EXPECT_TRUE(lxMakeTextRows(measurer, nullptr, 5, TRect(), ParamsFor(lxtoWordBreak), rows, count));
  EXPECT_EQ(count, 0);
  // A font without height and a rectangle without size: rows still advance.
  TlxTextLayoutParams params = ParamsFor(lxtoWordBreak | lxtoCharBreak);
  params.RowHeight = 0;
  const std::u16string text = u"\xD800\xDC00 x\xDFFF\r\r\n\t";
  lxMakeTextRows(measurer, text.data(), static_cast<int32_t>(text.size()), TRect(5, 5, 5, 5), params, rows, count);
  EXPECT_GT(count, 0);
  EXPECT_LE(count, static_cast<int32_t>(text.size()));
}

TEST(TextParamsTest, FlagsAndMetricsMakeTheParameters) {
  TlxTextFontMetrics metrics;
  metrics.Height = 13;
  metrics.ExternalLeading = 2;
  metrics.Weight = 700;
  metrics.EllipsisWidth = 9;
  metrics.SixPixels = 6;
  TlxTextLayoutParams params = lxMakeTextParams(metrics, lxtoExternalLeading | 0x21 | lxtoPlaceholderBars, 1.5);
  EXPECT_EQ(params.RowHeight, 23);  // (13 + 2) x 1.5 = 22.5, rounded
  EXPECT_EQ(params.HorzAlignment, lxtoAlignCenter);
  EXPECT_EQ(params.VertAlignment, lxtoAlignBottom);
  EXPECT_TRUE(params.Bold);
  EXPECT_EQ(params.EllipsisWidth, 0);
  EXPECT_FALSE(params.PlaceholderBars);  // 13 is not below six device pixels
  EXPECT_FALSE(params.CharBreak);

  metrics.Height = 5;
  metrics.EastAsianLocale = true;
  params = lxMakeTextParams(metrics, lxtoEndEllipsis | lxtoPlaceholderBars);
  EXPECT_EQ(params.RowHeight, 5);
  EXPECT_EQ(params.EllipsisWidth, 9);
  EXPECT_TRUE(params.PlaceholderBars);
  EXPECT_TRUE(params.CharBreak);
}

}  // namespace text_breaking_test
