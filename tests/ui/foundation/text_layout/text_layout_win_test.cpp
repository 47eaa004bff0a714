#include "ui/foundation/text_layout/text_layout_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/toolkit/bitmap.h"
#include "tests/support/gui_objects.h"

namespace {

const WCHAR* Wide(const std::u16string& text) { return reinterpret_cast<const WCHAR*>(text.c_str()); }

// A white 32-bit bitmap with a non-smoothed Arial selected, so that text
// pixels have exactly the text colour.
class TextLayoutWinTest : public ::testing::Test {
 protected:
  static constexpr int32_t kWidth = 320;
  static constexpr int32_t kHeight = 200;

  TextLayoutWinTest() : bitmap_(kWidth, kHeight, pf32bit) {
    font_.SetName("Arial");
    font_.SetHeight(-14);
    font_.SetQuality(fqNonAntialiased);
    font_.SetColor(clBlack);
    Clear();
    dc_ = bitmap_.Canvas().Handle();
    SelectObject(dc_, font_.Handle());
    SetTextColor(dc_, 0);
    SetBkMode(dc_, TRANSPARENT);
  }

  void Clear() {
    bitmap_.Canvas().Brush().SetColor(clWhite);
    bitmap_.Canvas().FillRect(TRect(0, 0, kWidth, kHeight));
  }

  TColor Pixel(int32_t x, int32_t y) { return TColorOf(GetPixel(dc_, x, y)); }

  // Whether any pixel of `rect` has `color`.
  bool HasInk(const TRect& rect, TColor color) {
    for (int32_t y = rect.Top; y < rect.Bottom; ++y)
      for (int32_t x = rect.Left; x < rect.Right; ++x)
        if (GetPixel(dc_, x, y) == ColorToColorRef(color))
          return true;
    return false;
  }

  int32_t RowHeight() {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    return metrics.tmHeight;
  }

  TFont font_;
  TBitmap bitmap_;
  HDC dc_ = nullptr;
};

// Whether a row ends at a word whose following blank does not fit: there
// the system's own breaking is known to differ between versions (some move
// the word to the next row), so such widths are no plain word breaks.
bool EndsRightBeforeABlank(const std::u16string& text, const TlxTextRows& rows, int32_t count) {
  for (int32_t i = 0; i + 1 < count; ++i) {
    const TlxTextRowInfo& row = lxGetTextRow(rows, i);
    const int32_t end = row.StartOffset + row.Length;
    if (row.Length > 0 && text[end - 1] != u' ' && end < static_cast<int32_t>(text.size()) && text[end] == u' ')
      return true;
  }
  return false;
}

TEST_F(TextLayoutWinTest, PlainWordBreaksMatchTheSystemsMultiLineText) {
  const std::u16string texts[] = {
      u"The quick brown fox jumps over the lazy dog",
      u"Druckauftr\u00E4ge werden nacheinander an den Leser \u00FCbergeben, Gr\u00F6\u00DFe und Datum bleiben",
      u"one\r\ntwo three four five six seven\neight",
      u"a b c d e f g h i j k l m n o p q r s t u v w x y z",
  };
  const int32_t row_height = RowHeight();
  int32_t compared = 0;
  int32_t tried = 0;
  for (const std::u16string& text : texts) {
    // From the widest word on, so that no word has to be cut.
    for (int32_t width = 100; width <= 300; width += 7) {
      TlxTextLayoutParams params;
      lxInitTextParams(dc_, lxtoWordBreak, params);
      EXPECT_FALSE(params.CharBreak);
      TlxTextRows rows;
      int32_t count = 0;
      lxMakeTextRows(dc_, text.data(), static_cast<int32_t>(text.size()), TRect(0, 0, width, 10000), params, rows,
                     count);
      ++tried;
      if (EndsRightBeforeABlank(text, rows, count))
        continue;
      ++compared;
      RECT system{0, 0, width, 0};
      std::u16string copy = text;
      DrawTextW(dc_, const_cast<WCHAR*>(Wide(copy)), static_cast<int>(copy.size()), &system,
                DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
      EXPECT_EQ(count * row_height, system.bottom) << "width " << width << " text " << text.size();
      TRect measured(0, 0, width, 10000);
      lxTextOutWide(dc_, text, measured, lxtoWordBreak | lxtoMeasureRect, 0, 0, nullptr, clDefault, clDefault, 0, 0,
                    0, clDefault);
      EXPECT_EQ(measured.Height(), system.bottom) << "width " << width;
      EXPECT_LE(measured.Width(), width);
    }
  }
  // Most widths are plain ones; the comparison must not have been skipped.
  EXPECT_GT(compared, tried / 2);
}

TEST_F(TextLayoutWinTest, DrawsRowsWhereTheyWereArranged) {
  TRect rect(10, 10, 110, 100);
  const int32_t height = lxTextOutWide(dc_, u"Hello world again", rect, lxtoWordBreak | lxtoAlignRight, 0, 0,
                                       nullptr, clDefault, clDefault, 0, 0, 0, clRed);
  const int32_t row_height = RowHeight();
  EXPECT_EQ(height, 2 * row_height);
  EXPECT_TRUE(HasInk(TRect(60, 10, 110, 10 + row_height), clRed));
  EXPECT_TRUE(HasInk(TRect(60, 10 + row_height, 110, 10 + 2 * row_height), clRed));
  EXPECT_FALSE(HasInk(TRect(110, 0, kWidth, kHeight), clRed));  // clipped at the right
  EXPECT_FALSE(HasInk(TRect(0, 10 + 2 * row_height, kWidth, kHeight), clRed));
  // The context's text colour and font are as they were.
  EXPECT_EQ(GetTextColor(dc_), 0u);
  EXPECT_EQ(GetCurrentObject(dc_, OBJ_FONT), font_.Handle());
}

TEST_F(TextLayoutWinTest, AHighlightGetsItsOwnColours) {
  TRect rect(0, 0, 300, 40);
  lxTextOutWide(dc_, u"WWWWWWWW", rect, 0, 2, 3, nullptr, clBlue, clYellow, 0, 0, 0, clBlack);
  SIZE before{};
  SIZE through{};
  GetTextExtentPoint32W(dc_, L"WW", 2, &before);
  GetTextExtentPoint32W(dc_, L"WWWWW", 5, &through);
  const int32_t row_height = RowHeight();
  // Highlight background between the characters' edges, text in yellow on it.
  EXPECT_TRUE(HasInk(TRect(before.cx, 0, through.cx, row_height), clYellow));
  EXPECT_EQ(Pixel(before.cx, 0), clBlue);
  EXPECT_EQ(Pixel(through.cx - 1, 0), clBlue);
  EXPECT_NE(Pixel(through.cx + 1, 0), clBlue);
  EXPECT_FALSE(HasInk(TRect(0, 0, before.cx, row_height), clYellow));
  EXPECT_TRUE(HasInk(TRect(0, 0, before.cx, row_height), clBlack));
  EXPECT_TRUE(HasInk(TRect(through.cx, 0, 300, row_height), clBlack));
}

TEST_F(TextLayoutWinTest, HighlightsOutsideTheTextAreIgnored) {
  const int32_t starts[] = {-1, 8, 1000};
  for (int32_t start : starts) {
    Clear();
    TRect rect(0, 0, 300, 40);
    lxTextOutWide(dc_, u"WWWWWWWW", rect, 0, start, 3, nullptr, clBlue, clYellow, 0, 0, 0, clBlack);
    EXPECT_FALSE(HasInk(TRect(0, 0, 300, 40), clBlue)) << start;
    EXPECT_TRUE(HasInk(TRect(0, 0, 300, 40), clBlack)) << start;
  }
}

TEST_F(TextLayoutWinTest, ARightAlignedEllipsisEndsAtTheRightEdge) {
  TRect rect(0, 0, 100, 30);
  lxTextOutWide(dc_, u"abcdefghijklmnopqrstuvwxyz", rect, lxtoAlignRight | lxtoEndEllipsis | lxtoSingleLine, 0, 0,
                nullptr, clDefault, clDefault, 0, 0, 0, clBlack);
  SIZE dots{};
  GetTextExtentPoint32W(dc_, L"...", 3, &dots);
  // The dots sit in the last ellipsis width before the edge, nothing beyond.
  EXPECT_TRUE(HasInk(TRect(100 - dots.cx, 0, 100, 30), clBlack));
  EXPECT_FALSE(HasInk(TRect(100, 0, kWidth, 30), clBlack));
  EXPECT_TRUE(HasInk(TRect(0, 0, 100 - dots.cx, 30), clBlack));
}

TEST_F(TextLayoutWinTest, AnsiTextKeepsItsWordsWhole) {
  SIZE word{};
  GetTextExtentPoint32W(dc_, L"Gr\u00F6\u00DFe", 5, &word);
  TRect rect(0, 0, word.cx + 2, 200);
  const int32_t rows = lxTextOutAnsiOnDC(dc_, "Größe Größe Größe", rect, lxtoWordBreak | lxtoMeasureRowCount);
  EXPECT_EQ(rows, 3);
  TlxTextLayoutParams params;
  lxInitTextParams(dc_, lxtoWordBreak, params);
  TlxTextRows text_rows;
  int32_t count = 0;
  EXPECT_TRUE(lxMakeTextRowsOnDC(dc_, "Größe Größe", TRect(0, 0, word.cx + 2, 200), params, text_rows, count));
  ASSERT_EQ(count, 2);
  EXPECT_EQ(std::u16string(lxGetTextRow(text_rows, 1).Text, 5), u"Gr\u00F6\u00DFe");
}

TEST_F(TextLayoutWinTest, BadInputDrawsNothingAndLeavesNoHandles) {
  const DWORD gdi_before = test_support::CountGdiObjects();
  lxTextLayoutModuleStart();
  struct Case {
    std::u16string text;
    TRect rect;
    TlxTextOutFlags flags;
  };
  const Case cases[] = {
      {u"", TRect(0, 0, 100, 100), 0},
      {u"abc", TRect(50, 50, 50, 90), 0},
      {u"abc", TRect(50, 50, 10, 10), lxtoWordBreak},
      {u"\xD800\xDFFF\xFFFF\r\n\t", TRect(0, 0, 3, 3), lxtoWordBreak | lxtoCharBreak | lxtoEndEllipsis},
      {u"x", TRect(0, 0, 100, 100), lxtoPlaceholderBars | lxtoAlignJustifyAll | lxtoExpandTabs},
  };
  for (const Case& c : cases) {
    TRect rect = c.rect;
    lxTextOutWide(dc_, c.text, rect, c.flags, -5, 1000, &font_, clBlue, clYellow, 0, 0, 0, clDefault);
  }
  EXPECT_FALSE(HasInk(TRect(0, 0, kWidth, kHeight), clBlue));
  {
    // A font without height and a row limit past the inline rows.
    TFont tiny;
    tiny.SetName("Arial");
    tiny.SetHeight(1);
    std::u16string many;
    for (int32_t i = 0; i < 50; ++i)
      many += u"row\n";
    TRect rect(0, 0, 100, 100);
    EXPECT_EQ(lxTextOutWide(dc_, many, rect, lxtoMeasureRowCount, 0, 0, &tiny, clDefault, clDefault, 40, 0, 0,
                            clDefault),
              40);
  }
  lxTextLayoutModuleEnd();
  lxTextLayoutModuleEnd();  // one end too many does nothing
  EXPECT_EQ(test_support::CountGdiObjects(), gdi_before);
}

TEST_F(TextLayoutWinTest, PlaceholderBarsStandInForTinyText) {
  TFont tiny;
  tiny.SetName("Arial");
  tiny.SetHeight(-3);
  tiny.SetColor(clBlack);
  TRect rect(0, 0, 200, 40);
  lxTextOutWide(dc_, u"WWWWWWWWWWWWWWWWWWWWWWWW", rect, lxtoPlaceholderBars, 0, 0, &tiny, clDefault, clDefault, 0, 0, 0,
                clDefault);
  // The checkerboard: black and window-coloured pixels side by side in the bar.
  EXPECT_TRUE(HasInk(TRect(0, 1, 20, 3), clBlack));
  EXPECT_NE(Pixel(0, 1), Pixel(1, 1));
}

}  // namespace
