#include <windows.h>

#include <gtest/gtest.h>

#include "ui/foundation/canvas/canvas_win.h"

namespace {

// Multi-line text in a cell lower than its rows: the rows that do not fit
// must not spill into the cells below.
class CanvasTextClipTest : public ::testing::Test {
 protected:
  CanvasTextClipTest() : bitmap_(200, 120, pf32bit), canvas_(bitmap_.Canvas()) {
    bitmap_.Canvas().Brush().SetColor(clWhite);
    bitmap_.Canvas().FillRect(TRect(0, 0, 200, 120));
    canvas_.Font().SetName("Arial");
    canvas_.Font().SetHeight(-14);
    canvas_.Font().SetQuality(fqNonAntialiased);
    canvas_.Font().SetColor(clBlack);
    canvas_.Brush().SetStyle(bsClear);
  }

  bool HasBlack(const TRect& rect) {
    for (int32_t y = rect.Top; y < rect.Bottom; ++y)
      for (int32_t x = rect.Left; x < rect.Right; ++x)
        if (bitmap_.Canvas().Pixel(x, y) == clBlack)
          return true;
    return false;
  }

  TBitmap bitmap_;
  TlxCanvas canvas_;
};

TEST_F(CanvasTextClipTest, RowsThatDoNotFitStayInsideTheRectangle) {
  const int32_t line = canvas_.MeasureTextHeight("Qq");
  struct Case {
    const char* text;
    TlxCanvasTextFlags flags;
  };
  // Each line alone fits the 150-pixel cell; together they do not.
  const Case cases[] = {
      {"one\ntwo\nthree", lxtfLeft},
      {"one two three four five six seven", lxtfWordBreak},
      {"one\r\ntwo", lxtfWordBreak | lxtfCenterX},
  };
  for (const Case& c : cases) {
    bitmap_.Canvas().Brush().SetColor(clWhite);
    bitmap_.Canvas().FillRect(TRect(0, 0, 200, 120));
    const TRect cell(10, 10, 160, 10 + line);
    canvas_.DrawTextInRect(c.text, cell, c.flags);
    EXPECT_TRUE(HasBlack(cell)) << c.text;
    EXPECT_FALSE(HasBlack(TRect(0, cell.Bottom, 200, 120))) << c.text;
  }
}

TEST_F(CanvasTextClipTest, MultiLineTextThatFitsIsDrawnWhole) {
  const int32_t line = canvas_.MeasureTextHeight("Qq");
  const TRect cell(10, 10, 160, 10 + 3 * line);
  canvas_.DrawTextInRect("one\ntwo\nthree", cell, lxtfLeft);
  EXPECT_TRUE(HasBlack(TRect(10, 10 + 2 * line, 160, cell.Bottom)));
}

}  // namespace
