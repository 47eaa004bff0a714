#include "ui/foundation/canvas/text_helpers_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/font.h"

namespace {

// A white bitmap whose context carries a fixed font, for measuring and
// drawing ANSI text.
class AnsiTextTest : public ::testing::Test {
 protected:
  AnsiTextTest() : bitmap_(200, 60, pf32bit) {
    bitmap_.Canvas().Font().SetName("Tahoma");
    bitmap_.Canvas().Font().SetSize(10);
    bitmap_.Canvas().Brush().SetColor(clWhite);
    bitmap_.Canvas().FillRect(TRect(0, 0, 200, 60));
    bitmap_.Canvas().TextExtent("x");  // selects the font into the context
  }
  HDC Dc() { return bitmap_.Canvas().Handle(); }
  TSize SingleLine(std::string_view text) {
    TSize size;
    lxMeasureTextOnDC(Dc(), text, size);
    return size;
  }

  TBitmap bitmap_;
};

TEST_F(AnsiTextTest, CountsCutTheTextAndNeverReadPastIt) {
  TSize whole, part, beyond;
  ASSERT_TRUE(lxMeasureTextExtent(Dc(), "abcdef", whole));
  ASSERT_TRUE(lxMeasureTextExtent(Dc(), "abcdef", part, 3));
  ASSERT_TRUE(lxMeasureTextExtent(Dc(), "abcdef", beyond, 50));
  EXPECT_EQ(part, SingleLine("abc"));
  EXPECT_EQ(whole, SingleLine("abcdef"));
  EXPECT_EQ(beyond, whole);
  EXPECT_GT(whole.cx, part.cx);

  TRect rect(0, 0, 0, 0);
  const int32_t height = lxDrawAnsiText(Dc(), "abcdef", rect, DT_CALCRECT | DT_SINGLELINE, 3);
  EXPECT_EQ(height, part.cy);
  EXPECT_EQ(rect, TRect(0, 0, part.cx, part.cy));
}

TEST_F(AnsiTextTest, PutAnsiTextAtDrawsAtThePointInsideTheClip) {
  SetTextColor(Dc(), RGB(0, 0, 0));
  SetBkMode(Dc(), TRANSPARENT);
  ASSERT_TRUE(lxPutAnsiTextAt(Dc(), "WWWW", TPoint(100, 10), TRect(100, 10, 200, 60), ETO_CLIPPED));
  ASSERT_TRUE(lxPutAnsiTextAt(Dc(), "WWWW", TPoint(10, 10), TRect(0, 0, 0, 0), ETO_CLIPPED));
  bool dark_right = false, dark_left = false;
  for (int32_t y = 0; y < 60; ++y) {
    for (int32_t x = 0; x < 200; ++x) {
      if (bitmap_.Canvas().Pixel(x, y) == clWhite) continue;
      (x >= 100 ? dark_right : dark_left) = true;
    }
  }
  EXPECT_TRUE(dark_right);
  EXPECT_FALSE(dark_left);  // clipped away by an empty clip rectangle
}

TEST_F(AnsiTextTest, RectForRows) {
  TRect rect(5, 5, 5, 5);
  lxCalcTextRectForRows(Dc(), "abc abc abc", 0, true, rect);
  EXPECT_EQ(rect, TRect(0, 0, 0, 0));

  // An empty text in two rows is an empty single line.
  lxCalcTextRectForRows(Dc(), "", 2, false, rect);
  TRect empty_line(0, 0, 0, 0);
  lxDrawAnsiText(Dc(), "", empty_line, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(rect, empty_line);

  const int32_t row_height = SingleLine("Wg").cy;
  lxCalcTextRectForRows(Dc(), "abc abc abc", 1, false, rect);
  EXPECT_EQ(rect, TRect(0, 0, SingleLine("abc abc abc").cx, row_height));

  // Three equal words in two rows: two words fit on a row, three do not.
  lxCalcTextRectForRows(Dc(), "abc abc abc", 2, false, rect);
  EXPECT_GE(rect.Width(), SingleLine("abc abc").cx);
  EXPECT_LT(rect.Width(), SingleLine("abc abc abc").cx);
  EXPECT_EQ(rect.Height(), 2 * row_height);

  lxCalcTextRectForRows(Dc(), "abc", 3, true, rect);
  EXPECT_EQ(rect, TRect(0, 0, SingleLine("abc").cx, 3 * row_height));
}

TEST(AnsiTextFontTest, MeasuresInTheFontAndPointSize) {
  TFont font;
  font.SetName("Tahoma");
  font.SetSize(8);
  TSize small_size, large_size;
  lxMeasureTextInFont(font, "Hello", 0, small_size);
  lxMeasureTextInFont(font, "Hello", 20, large_size);
  EXPECT_GT(small_size.cx, 0);
  EXPECT_GT(large_size.cy, small_size.cy);
  EXPECT_GT(large_size.cx, small_size.cx);
  EXPECT_EQ(lxGetFontTextHeight(font, "Hello"), small_size.cy);
  EXPECT_EQ(lxGetFontTextWidth(font, "Hello", 20), large_size.cx);
  EXPECT_EQ(font.Size(), 8);  // the caller's font keeps its size
}

TEST(AnsiTextCharsetTest, AsciiStartNeverReordersAndTheDefaultSetIsResolved) {
  for (const uint8_t charset : {uint8_t{DEFAULT_CHARSET}, uint8_t{ANSI_CHARSET}, uint8_t{GB2312_CHARSET},
                                uint8_t{CHINESEBIG5_CHARSET}, uint8_t{ARABIC_CHARSET}}) {
    EXPECT_FALSE(lxCharsetReordersText(charset, "Word")) << int{charset};
  }
  EXPECT_TRUE(lxCharsetReordersText(ARABIC_CHARSET, "\xC7\xE1"));
  EXPECT_FALSE(lxCharsetReordersText(ANSI_CHARSET, "\xC7\xE1"));
}

}  // namespace
