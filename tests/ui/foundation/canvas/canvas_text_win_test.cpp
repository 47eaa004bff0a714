#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "ui/foundation/canvas/canvas_win.h"

namespace {

TEST(CanvasTextFlagsTest, BecomeDrawTextFlags) {
  struct Case {
    TlxCanvasTextFlags flags;
    UINT draw_text;
  };
  const Case cases[] = {
      {0, DT_NOPREFIX},
      {lxtfLeft | lxtfTop, DT_NOPREFIX},
      {lxtfRight, DT_RIGHT | DT_NOPREFIX},
      {lxtfCenterX | lxtfCenterY | lxtfSingleLine, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX},
      {lxtfBottom | lxtfNoClip | lxtfExpandTabs, DT_BOTTOM | DT_NOCLIP | DT_EXPANDTABS | DT_NOPREFIX},
      {lxtfShowPrefix, 0},
      {lxtfWordBreak, DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX},
      {lxtfWordBreak | lxtfDontBreakChars, DT_WORDBREAK | DT_NOPREFIX},
      {lxtfDontBreakChars, DT_NOPREFIX},  // means nothing without word break
      {lxtfEndEllipsis | lxtfCalcRect | lxtfPathEllipsis, DT_END_ELLIPSIS | DT_CALCRECT | DT_PATH_ELLIPSIS | DT_NOPREFIX},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxCanvasTextFlagsToDrawText(c.flags), c.draw_text) << std::hex << c.flags;
}

// A white bitmap with a TlxCanvas in a fixed, non-smoothed font, so that
// text pixels have exactly the text colour.
class CanvasTextTest : public ::testing::Test {
 protected:
  CanvasTextTest() : bitmap_(200, 80, pf32bit), canvas_(bitmap_.Canvas()) {
    Clear();
    canvas_.Font().SetName("Arial");
    canvas_.Font().SetHeight(-16);
    canvas_.Font().SetQuality(fqNonAntialiased);
    canvas_.Font().SetColor(clBlack);
  }

  void Clear() {
    bitmap_.Canvas().Brush().SetColor(clWhite);
    bitmap_.Canvas().Brush().SetStyle(bsSolid);
    bitmap_.Canvas().FillRect(TRect(0, 0, 200, 80));
  }

  // The outermost columns and rows with pixels of `color`; Right < 0 when
  // there are none.
  TRect InkBounds(TColor color) {
    TRect bounds(1000, 1000, -1, -1);
    for (int32_t y = 0; y < 80; ++y)
      for (int32_t x = 0; x < 200; ++x)
        if (bitmap_.Canvas().Pixel(x, y) == ColorToRGB(color)) {
          bounds.Left = std::min(bounds.Left, x);
          bounds.Top = std::min(bounds.Top, y);
          bounds.Right = std::max(bounds.Right, x);
          bounds.Bottom = std::max(bounds.Bottom, y);
        }
    return bounds;
  }

  TBitmap bitmap_;
  TlxCanvas canvas_;
};

TEST_F(CanvasTextTest, MeasuresText) {
  const TSize size = canvas_.MeasureTextExtent("Qq");
  EXPECT_GE(size.cy, 16);
  EXPECT_GT(size.cx, 0);
  EXPECT_EQ(canvas_.MeasureTextWidth("QqQq"), 2 * size.cx);
  EXPECT_EQ(canvas_.MeasureTextHeight("Qq"), size.cy);
  EXPECT_EQ(canvas_.MeasureTextExtent("").cx, 0);
  TFont larger;
  larger.SetName("Arial");
  larger.SetHeight(-30);
  EXPECT_GT(canvas_.FontTextHeight(larger), size.cy);
  EXPECT_EQ(canvas_.Font().Height(), -30);  // the font stays assigned
}

TEST_F(CanvasTextTest, CalculatedRectSitsInsideByTheAlignment) {
  const TSize size = canvas_.MeasureTextExtent("Text");
  const TRect given(10, 10, 110, 50);
  struct Case {
    TlxCanvasTextFlags flags;
    TRect expected;
  };
  const Case cases[] = {
      {lxtfSingleLine, TRect(10, 10, 10 + size.cx, 10 + size.cy)},
      {lxtfSingleLine | lxtfRight, TRect(110 - size.cx, 10, 110, 10 + size.cy)},
      {lxtfSingleLine | lxtfBottom, TRect(10, 50 - size.cy, 10 + size.cx, 50)},
      {lxtfSingleLine | lxtfCenterX | lxtfCenterY,
       TRect(10 + (100 - size.cx) / 2, 10 + (40 - size.cy) / 2, 10 + (100 - size.cx) / 2 + size.cx,
             10 + (40 - size.cy) / 2 + size.cy)},
  };
  for (const Case& c : cases) {
    TRect rect = given;
    canvas_.CalcTextRect("Text", rect, c.flags);
    EXPECT_EQ(rect, c.expected) << std::hex << c.flags;
  }
}

TEST_F(CanvasTextTest, CalculatedRectOfAZeroWidthRectangleAndOfBrokenLines) {
  TRect no_width(5, 5, 5, 5);
  canvas_.CalcTextRect("Text", no_width, lxtfSingleLine);
  EXPECT_EQ(no_width.Width(), canvas_.MeasureTextWidth("Text"));
  // Word break in a narrow rectangle gives more than one line.
  TRect narrow(0, 0, canvas_.MeasureTextWidth("Word") + 2, 0);
  canvas_.CalcTextRect("Word Word Word", narrow, lxtfWordBreak);
  EXPECT_GE(narrow.Height(), 3 * canvas_.MeasureTextHeight("Word"));
}

TEST_F(CanvasTextTest, VerticalAlignmentMovesTheTop) {
  const int32_t height = canvas_.MeasureTextHeight("Text");
  struct Case {
    int32_t alignment;
    bool enabled;
    int32_t top;
  };
  const Case cases[] = {
      {0, true, 0},
      {1, true, 60 - height},
      {1, false, 60 - height - 1},  // room for the embossed copy
      {2, true, (60 - height) / 2},
  };
  for (const Case& c : cases) {
    TRect rect(0, 0, 150, 60);
    canvas_.AlignTextRectVert(rect, "Text", c.alignment, false, false, c.enabled, false);
    EXPECT_EQ(rect.Top, c.top) << c.alignment << " " << c.enabled;
    EXPECT_EQ(rect.Bottom, 60);
  }
}

TEST_F(CanvasTextTest, DisabledRightAlignedTextIsEmbossed) {
  // Distinct colours for the two copies; the colours come back afterwards.
  const int indexes[] = {COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
  const COLORREF previous[] = {GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT)};
  const COLORREF distinct[] = {RGB(200, 0, 0), RGB(0, 0, 200)};
  SetSysColors(2, indexes, distinct);

  const TRect rect(10, 10, 150, 40);
  canvas_.DrawTextInRect("Il", rect, lxtfSingleLine | lxtfRight, true);
  const TRect enabled_ink = InkBounds(clBlack);
  ASSERT_GE(enabled_ink.Right, 0);
  EXPECT_LT(enabled_ink.Right, rect.Right);

  Clear();
  canvas_.DrawTextInRect("Il", rect, lxtfSingleLine | lxtfRight, false);
  const TRect shadow = InkBounds(clBtnShadow);
  const TRect highlight = InkBounds(clBtnHighlight);
  SetSysColors(2, indexes, previous);

  // The shadow copy ends one pixel before the enabled text would; the
  // highlight copy, one pixel right and down, ends where it would.
  EXPECT_EQ(shadow.Right, enabled_ink.Right - 1);
  EXPECT_EQ(highlight.Right, enabled_ink.Right);
  EXPECT_EQ(highlight.Bottom, shadow.Bottom + 1);
  EXPECT_EQ(InkBounds(clBlack).Right, -1);  // nothing in the font colour
  EXPECT_EQ(canvas_.Font().Color(), clBlack);
  EXPECT_EQ(canvas_.Brush().Style(), bsSolid);
}

TEST_F(CanvasTextTest, SingleLinePlacement) {
  const TSize size = canvas_.MeasureTextExtent("Mm");
  struct Case {
    TlxCanvasTextFlags flags;
    bool ink_right_half, ink_bottom_half;
  };
  const Case cases[] = {
      {lxtfSingleLine, false, false},
      {lxtfSingleLine | lxtfRight | lxtfBottom, true, true},
      {lxtfSingleLine | lxtfShowPrefix | lxtfRight, true, false},  // through DrawText
  };
  const TRect rect(0, 0, 200, 80);
  for (const Case& c : cases) {
    Clear();
    canvas_.DrawTextInRect("Mm", rect, c.flags, true);
    const TRect ink = InkBounds(clBlack);
    ASSERT_GE(ink.Right, 0);
    EXPECT_EQ(ink.Left >= 100, c.ink_right_half) << std::hex << c.flags;
    EXPECT_EQ(ink.Top >= 40, c.ink_bottom_half) << std::hex << c.flags;
    EXPECT_LE(ink.Right - ink.Left, size.cx);
  }
}

TEST_F(CanvasTextTest, MultiLineTextAtTheBottom) {
  const int32_t line = canvas_.MeasureTextHeight("Ag");
  canvas_.DrawTextInRect("Ag\nAg", TRect(0, 0, 200, 80), lxtfBottom, true);
  const TRect ink = InkBounds(clBlack);
  ASSERT_GE(ink.Right, 0);
  EXPECT_GE(ink.Top, 80 - 2 * line);
  EXPECT_LT(ink.Bottom, 80);
}

TEST_F(CanvasTextTest, TextThatDoesNotFitIsClipped) {
  canvas_.DrawTextInRect("WWWWWWWW", TRect(10, 10, 30, 40), lxtfSingleLine, true);
  const TRect ink = InkBounds(clBlack);
  ASSERT_GE(ink.Right, 0);
  EXPECT_LT(ink.Right, 30);
  EXPECT_GE(ink.Left, 10);
}

TEST_F(CanvasTextTest, EmptyTextDrawsNothing) {
  canvas_.DrawTextInRect("", TRect(0, 0, 200, 80), lxtfSingleLine, false);
  EXPECT_EQ(InkBounds(clBtnShadow).Right, -1);
  EXPECT_EQ(InkBounds(clBlack).Right, -1);
}

}  // namespace
