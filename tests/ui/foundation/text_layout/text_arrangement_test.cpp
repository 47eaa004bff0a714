#include "ui/foundation/text_layout/text_arrangement.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/foundation/text_layout/fixed_width_measurer.h"
#include "ui/foundation/text_layout/text_breaking.h"

namespace {

constexpr int32_t kRowHeight = FixedWidthMeasurer::kHeight;

TlxTextLayoutParams ParamsFor(TlxTextOutFlags flags, int32_t external_leading = 0) {
  TlxTextFontMetrics metrics;
  metrics.Height = kRowHeight;
  metrics.ExternalLeading = external_leading;
  metrics.EllipsisWidth = 30;
  return lxMakeTextParams(metrics, flags);
}

// Breaks and arranges `text` in `rect`.
struct Laid {
  TlxTextRows rows;
  int32_t count = 0;
  bool fitted = false;
};
void Lay(Laid& laid, const std::u16string& text, const TRect& rect, const TlxTextLayoutParams& params) {
  FixedWidthMeasurer measurer;
  laid.fitted =
      lxMakeTextRows(measurer, text.data(), static_cast<int32_t>(text.size()), rect, params, laid.rows, laid.count);
  lxArrangeTextRows(rect, params, laid.rows, laid.count);
}

TEST(TextArrangementTest, RowsArePlacedByAlignment) {
  struct Case {
    TlxTextOutFlags flags;
    std::vector<TPoint> places;
  };
  // "ab" (20) over "abcd" (40) in (10, 20, 110, 120): 100 x 100.
  const Case cases[] = {
      {0x00, {TPoint(10, 20), TPoint(10, 36)}},
      {0x01, {TPoint(50, 20), TPoint(40, 36)}},
      {0x02, {TPoint(90, 20), TPoint(70, 36)}},
      {0x10, {TPoint(10, 54), TPoint(10, 70)}},
      {0x20, {TPoint(10, 88), TPoint(10, 104)}},
  };
  for (const Case& c : cases) {
    Laid laid;
    Lay(laid, u"ab\nabcd", TRect(10, 20, 110, 120), ParamsFor(c.flags));
    ASSERT_EQ(laid.count, 2);
    for (int32_t i = 0; i < 2; ++i) {
      EXPECT_EQ(lxGetTextRow(laid.rows, i).X, c.places[i].X) << "flags " << c.flags << " row " << i;
      EXPECT_EQ(lxGetTextRow(laid.rows, i).Y, c.places[i].Y) << "flags " << c.flags << " row " << i;
    }
  }
}

TEST(TextArrangementTest, ABottomAlignedBlockAddsTheExternalLeading) {
  Laid laid;
  const TlxTextLayoutParams params = ParamsFor(0x20 | lxtoExternalLeading, 3);
  Lay(laid, u"a\nb", TRect(0, 0, 100, 100), params);
  EXPECT_EQ(params.RowHeight, 19);
  EXPECT_EQ(lxGetTextRow(laid.rows, 0).Y, 100 - 2 * 19 + 3);
}

TEST(TextArrangementTest, DistributedRowsSpreadOverTheHeight) {
  TlxTextFontMetrics metrics;
  metrics.Height = 10;
  const TlxTextLayoutParams params = lxMakeTextParams(metrics, 0x30);
  TlxTextRows rows;
  lxSetTextRowCount(rows, 3);
  lxArrangeTextRows(TRect(0, 0, 50, 100), params, rows, 3);
  EXPECT_EQ(lxGetTextRow(rows, 0).Y, 0);
  EXPECT_EQ(lxGetTextRow(rows, 1).Y, 45);
  EXPECT_EQ(lxGetTextRow(rows, 2).Y, 90);
  // 91 pixels of gap over 2 spaces: the first space takes the extra pixel.
  lxArrangeTextRows(TRect(0, 0, 50, 101), params, rows, 3);
  EXPECT_EQ(lxGetTextRow(rows, 1).Y, 46);
  EXPECT_EQ(lxGetTextRow(rows, 2).Y, 91);
}

TEST(TextArrangementTest, RowsNeverStartLeftOfOrAboveTheRectangleWhenAsked) {
  Laid laid;
  Lay(laid, u"abcdefghij", TRect(0, 0, 50, 10), ParamsFor(0x11 | lxtoNotLeftOfRect | lxtoNotAboveRect));
  EXPECT_EQ(lxGetTextRow(laid.rows, 0).X, 0);
  EXPECT_EQ(lxGetTextRow(laid.rows, 0).Y, 0);
  Lay(laid, u"abcdefghij", TRect(0, 0, 50, 10), ParamsFor(0x11));
  EXPECT_EQ(lxGetTextRow(laid.rows, 0).X, -25);
  EXPECT_EQ(lxGetTextRow(laid.rows, 0).Y, -3);
}

TEST(TextArrangementTest, IndentsComeOffAndBackExactly) {
  TlxTextLayoutParams params = ParamsFor(lxtoAutoIndents);
  params.OnePixel = 2;
  const TRect rect(10, 10, 200, 100);
  const TRect text_rect = lxApplyTextIndents(rect, params, 3, 5);
  EXPECT_EQ(text_rect, TRect(10 + 4 + 6, 14, 200 - 4 - 10, 96));
  EXPECT_EQ(lxRemoveTextIndents(text_rect, params, 3, 5), rect);
}

TEST(TextArrangementTest, AmpersandMarkersGo) {
  struct Case {
    std::u16string text;
    std::u16string result;
  };
  const Case cases[] = {{u"&File", u"File"}, {u"a&&b", u"a&b"}, {u"&", u""}, {u"x&", u"x"}, {u"&&&a", u"&a"}};
  for (const Case& c : cases)
    EXPECT_EQ(lxRemoveAmpersandMarkers(c.text), c.result);
}

// --- what each row draws ---------------------------------------------------------

std::vector<TlxTextRowDrawing> Plan(Laid& laid, const std::u16string& text, const TRect& rect,
                                    const TlxTextLayoutParams& params, int64_t highlight_start = 0,
                                    int64_t highlight_length = 0) {
  Lay(laid, text, rect, params);
  FixedWidthMeasurer measurer;
  return lxPlanTextRows(measurer, rect, params, laid.rows, laid.count, highlight_start, highlight_length,
                        !laid.fitted);
}

TEST(TextRowPlanTest, AHighlightCoversItsCharactersOnly) {
  Laid laid;
  const auto plan = Plan(laid, u"abcdefgh", TRect(5, 0, 200, 50), ParamsFor(0), 2, 3);
  ASSERT_EQ(plan.size(), 1u);
  EXPECT_EQ(plan[0].HighlightStart, 2);
  EXPECT_EQ(plan[0].HighlightLength, 3);
  EXPECT_EQ(plan[0].HighlightLeft, 25);
  EXPECT_EQ(plan[0].HighlightRight, 55);
}

TEST(TextRowPlanTest, HighlightsOutsideTheTextDrawNothing) {
  struct Case {
    int64_t start;
    int64_t length;
  };
  const Case cases[] = {{-1, 3}, {8, 3}, {100, 1}, {2, 0}, {2, -5}, {INT32_MAX, INT32_MAX}};
  for (const Case& c : cases) {
    Laid laid;
    const auto plan = Plan(laid, u"abcdefgh", TRect(0, 0, 200, 50), ParamsFor(0), c.start, c.length);
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(plan[0].HighlightLength, 0) << c.start << ", " << c.length;
  }
}

TEST(TextRowPlanTest, AHighlightFollowsItsRowsAcrossWrapping) {
  Laid laid;
  // "abc " and "def": characters 2 to 5 are "c", " " and "de".
  const auto plan = Plan(laid, u"abc def", TRect(0, 0, 40, 100), ParamsFor(lxtoWordBreak), 2, 4);
  ASSERT_EQ(plan.size(), 2u);
  EXPECT_EQ(plan[0].HighlightStart, 2);
  EXPECT_EQ(plan[0].HighlightLength, 2);
  EXPECT_EQ(plan[1].HighlightStart, 0);
  EXPECT_EQ(plan[1].HighlightLength, 2);
  EXPECT_EQ(plan[1].HighlightRight, 20);
}

TEST(TextRowPlanTest, ACentredOrRightRowKeepsItsEllipsisNextToIt) {
  struct Case {
    TlxTextOutFlags alignment;
    int32_t x;
  };
  // "abc" (30) and "..." (30) together in 100 pixels; a second row does not fit.
  const Case cases[] = {{0, 0}, {1, 20}, {2, 40}};
  for (const Case& c : cases) {
    Laid laid;
    const auto plan = Plan(laid, u"abc\ndef", TRect(0, 0, 100, 15), ParamsFor(c.alignment | lxtoEndEllipsis));
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_TRUE(plan[0].Ellipsis);
    EXPECT_EQ(plan[0].X, c.x) << c.alignment;
    EXPECT_EQ(plan[0].EllipsisX, c.x + 30) << c.alignment;
    EXPECT_LE(plan[0].EllipsisX + 30, 100);
  }
}

TEST(TextRowPlanTest, AnOverlongLastRowIsShortenedBeforeItsEllipsis) {
  Laid laid;
  const auto plan = Plan(laid, u"abcdefghij", TRect(0, 0, 80, 20), ParamsFor(lxtoEndEllipsis | lxtoAlignRight));
  ASSERT_EQ(plan.size(), 1u);
  EXPECT_EQ(plan[0].Length, 5);  // 50 of 80 pixels, 30 for "..."
  EXPECT_EQ(plan[0].X, 0);
  EXPECT_EQ(plan[0].EllipsisX, 50);
  EXPECT_FALSE(plan[0].ClipEllipsis);
  // Too narrow even for the ellipsis: a left row keeps one character.
  const auto narrow = Plan(laid, u"abcdefghij", TRect(0, 0, 20, 20), ParamsFor(lxtoEndEllipsis));
  EXPECT_EQ(narrow[0].Length, 1);
  EXPECT_TRUE(narrow[0].ClipEllipsis);
}

TEST(TextRowPlanTest, OnlyJustifiedRowsEndedByWrappingAreStretched) {
  struct Case {
    TlxTextOutFlags alignment;
    std::vector<int32_t> extra;
  };
  const Case cases[] = {{lxtoAlignJustify, {5, 0}}, {lxtoAlignJustifyAll, {5, 5}}, {lxtoAlignLeft, {0, 0}}};
  for (const Case& c : cases) {
    Laid laid;
    const auto plan = Plan(laid, u"aa bb cc dd", TRect(0, 0, 55, 100), ParamsFor(lxtoWordBreak | c.alignment));
    ASSERT_EQ(plan.size(), 2u);
    for (size_t i = 0; i < 2; ++i)
      EXPECT_EQ(plan[i].JustifyExtra, c.extra[i]) << c.alignment << " row " << i;
  }
}

TEST(TextRowPlanTest, RowsLeavingTheRectangleAreClippedToIt) {
  Laid laid;
  const auto plan = Plan(laid, u"abcdefgh\nab\nab", TRect(0, 0, 50, 40), ParamsFor(0));
  ASSERT_EQ(plan.size(), 3u);
  EXPECT_TRUE(plan[0].Clip);  // wider
  EXPECT_EQ(plan[0].ClipRect, TRect(0, 0, 50, 16));
  EXPECT_FALSE(plan[1].Clip);
  EXPECT_TRUE(plan[2].Clip);  // reaches below
  EXPECT_EQ(plan[2].ClipRect, TRect(0, 32, 50, 40));
  const auto unclipped = Plan(laid, u"abcdefgh", TRect(0, 0, 50, 40), ParamsFor(lxtoNoClip));
  EXPECT_FALSE(unclipped[0].Clip);
}

TEST(TextRowPlanTest, PlaceholderBarsReplaceTextOfTinyFonts) {
  TlxTextFontMetrics metrics;
  metrics.Height = 4;
  metrics.SixPixels = 6;
  const TlxTextLayoutParams params = lxMakeTextParams(metrics, lxtoPlaceholderBars);
  Laid laid;
  const auto plan = Plan(laid, u"abcdefgh", TRect(0, 0, 50, 40), params);
  ASSERT_EQ(plan.size(), 1u);
  EXPECT_TRUE(plan[0].Placeholder);
  EXPECT_EQ(plan[0].PlaceholderRect, TRect(0, 1, 50, 3));
}

// --- the layout step of a text output ------------------------------------------------

TEST(TextBlockTest, MeasuringGivesTheRectangleTheTextNeeds) {
  FixedWidthMeasurer measurer;
  TlxTextRows rows;
  TRect rect(10, 10, 85, 500);
  const TlxTextLayoutParams params = ParamsFor(lxtoWordBreak | lxtoMeasureRect);
  const TlxTextBlock block = lxLayoutTextBlock(measurer, u"aaa bbb ccc", rect, params, rows, 0, 0, 0);
  EXPECT_FALSE(block.Draw);
  EXPECT_EQ(block.RowCount, 2);
  EXPECT_EQ(rect, TRect(10, 10, 80, 10 + 2 * kRowHeight));
  EXPECT_EQ(block.Result, 2 * kRowHeight);

  TRect counted(0, 0, 75, 500);
  const TlxTextBlock rows_only = lxLayoutTextBlock(measurer, u"aaa bbb ccc", counted,
                                                   ParamsFor(lxtoWordBreak | lxtoMeasureRowCount), rows, 0, 0, 0);
  EXPECT_EQ(rows_only.Result, 2);
  EXPECT_FALSE(rows_only.Draw);
}

TEST(TextBlockTest, NothingHappensWithoutTextOrRoom) {
  FixedWidthMeasurer measurer;
  TlxTextRows rows;
  struct Case {
    std::u16string text;
    TRect rect;
    TlxTextOutFlags flags;
  };
  const Case cases[] = {
      {u"", TRect(0, 0, 100, 100), 0},
      {u"abc", TRect(0, 0, 0, 100), 0},
      {u"abc", TRect(0, 0, 100, 0), 0},
      {u"abc", TRect(50, 50, 10, 10), 0},
      {u"abc", TRect(0, 0, 3, 100), lxtoAutoIndents},
      {u"&", TRect(0, 0, 100, 100), lxtoRemoveAmpersands},
  };
  for (const Case& c : cases) {
    TRect rect = c.rect;
    const TlxTextBlock block = lxLayoutTextBlock(measurer, c.text, rect, ParamsFor(c.flags), rows, 0, 0, 0);
    EXPECT_EQ(block.RowCount, 0);
    EXPECT_EQ(block.Result, 0);
    EXPECT_FALSE(block.Draw);
    EXPECT_EQ(rect, c.rect);
  }
}

TEST(TextBlockTest, RemovedMarkersLeaveTheRowsInTheirOwnText) {
  FixedWidthMeasurer measurer;
  TlxTextRows rows;
  TRect rect(0, 0, 100, 100);
  std::u16string text = u"&Open";
  const TlxTextBlock block =
      lxLayoutTextBlock(measurer, text, rect, ParamsFor(lxtoRemoveAmpersands), rows, 0, 0, 0);
  text.assign(u"xxxxx");
  ASSERT_EQ(block.RowCount, 1);
  EXPECT_EQ(std::u16string(lxGetTextRow(rows, 0).Text, 4), u"Open");
  EXPECT_TRUE(block.Draw);
  EXPECT_EQ(block.Result, kRowHeight);
}

}  // namespace
