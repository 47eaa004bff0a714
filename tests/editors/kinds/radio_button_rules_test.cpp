#include "editors/kinds/radio_button_rules.h"

#include <gtest/gtest.h>

namespace radio_button_rules_test {

TlxRadioButtonLook Look(TlxRadioCaptionSide side, bool native, bool inplace, bool word_wrap) {
  TlxRadioButtonLook look;
  look.ControlSize = TSize{113, 17};
  look.CaptionSide = side;
  look.NativeStyle = native;
  look.Inplace = inplace;
  look.WordWrap = word_wrap;
  return look;
}

TEST(RadioButtonRulesTest, GlyphSitsCentredOnTheFarSideOfTheCaption) {
  const TSize glyph{13, 13};
  EXPECT_EQ(lxRadioButtonRect(Look(TlxRadioCaptionSide::kRight, false, false, false), glyph), TRect(1, 2, 14, 15));
  EXPECT_EQ(lxRadioButtonRect(Look(TlxRadioCaptionSide::kRight, true, false, false), glyph), TRect(0, 2, 13, 15));
  EXPECT_EQ(lxRadioButtonRect(Look(TlxRadioCaptionSide::kRight, false, true, false), glyph), TRect(0, 2, 13, 15));
  EXPECT_EQ(lxRadioButtonRect(Look(TlxRadioCaptionSide::kLeft, false, false, false), glyph), TRect(100, 2, 113, 15));
}

TEST(RadioButtonRulesTest, CaptionMarginsByStyle) {
  struct Case {
    TlxRadioCaptionSide side;
    bool native;
    bool inplace;
    bool word_wrap;
    TRect expected;  // the margins applied to (0, 0, 100, 20)
  };
  using S = TlxRadioCaptionSide;
  const Case cases[] = {
      {S::kLeft, false, true, false, TRect(5, 0, 99, 20)},   {S::kRight, false, true, true, TRect(5, 0, 99, 20)},
      {S::kLeft, true, true, false, TRect(3, 0, 100, 20)},   {S::kLeft, false, false, false, TRect(2, -1, 99, 20)},
      {S::kRight, false, false, false, TRect(5, -1, 100, 20)}, {S::kLeft, false, false, true, TRect(2, -1, 94, 20)},
      {S::kRight, false, false, true, TRect(5, -1, 98, 20)}, {S::kLeft, true, false, false, TRect(0, -1, 99, 20)},
      {S::kRight, true, false, false, TRect(3, -1, 100, 20)}, {S::kLeft, true, false, true, TRect(0, -1, 97, 20)},
      {S::kRight, true, false, true, TRect(3, -1, 100, 20)},
  };
  for (const Case& c : cases) {
    TRect rect(0, 0, 100, 20);
    lxAdjustRadioTextRect(Look(c.side, c.native, c.inplace, c.word_wrap), rect);
    EXPECT_EQ(rect, c.expected) << int(c.side) << c.native << c.inplace << c.word_wrap;
  }
}

TEST(RadioButtonRulesTest, FocusFrameStaysOutOfTheGlyph) {
  const TlxRadioButtonLook left = Look(TlxRadioCaptionSide::kLeft, false, false, false);
  const TRect button = lxRadioButtonRect(left, TSize{13, 13});
  // A caption as wide as the control would run into the glyph.
  EXPECT_EQ(lxRadioFocusRect(left, TRect(2, 1, 113, 15), button), TRect(1, 0, 100, 17));
  const TlxRadioButtonLook inplace = Look(TlxRadioCaptionSide::kRight, false, true, false);
  EXPECT_EQ(lxRadioFocusRect(inplace, TRect(18, 0, 60, 17), TRect()), TRect(17, 1, 61, 16));
}

TEST(RadioButtonRulesTest, MouseState) {
  const TSize size{113, 17};
  struct Case {
    TlxRadioMouse mouse;
    TlxRadioButtonState state;
  };
  const Case cases[] = {
      {{false, false, true, true, {5, 5}}, rbsDisabled},  {{true, true, false, true, {5, 5}}, rbsNormal},
      {{true, false, true, true, {5, 5}}, rbsPressed},    {{true, false, true, true, {200, 5}}, rbsHot},
      {{true, false, false, true, {5, 5}}, rbsHot},       {{true, false, false, false, {5, 5}}, rbsNormal},
      {{true, false, false, true, {-1, -1}}, rbsNormal},
  };
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(lxRadioButtonStateOf(cases[i].mouse, size), cases[i].state) << i;
  EXPECT_EQ(lxRadioButtonPainterState(rbsDisabled), lxbsDisabled);
  EXPECT_EQ(lxRadioButtonPainterState(rbsHot), lxbsHot);
  EXPECT_EQ(lxRadioButtonPainterState(rbsNormal), lxbsNormal);
  EXPECT_EQ(lxRadioButtonPainterState(rbsPressed), lxbsPressed);
}

}  // namespace radio_button_rules_test
