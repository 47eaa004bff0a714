#include "editors/kinds/check_box_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace check_box_layout_test {

TEST(CheckBoxLayoutTest, TogglesRunThroughGrayedOnlyWhenAllowed) {
  TlxCheckBoxState state = cbsUnchecked;
  std::vector<TlxCheckBoxState> seen;
  for (int i = 0; i < 3; ++i)
    seen.push_back(state = lxNextCheckState(state, true));
  EXPECT_EQ(seen, (std::vector<TlxCheckBoxState>{cbsGrayed, cbsChecked, cbsUnchecked}));
  EXPECT_EQ(lxNextCheckState(cbsUnchecked, false), cbsChecked);
  EXPECT_EQ(lxNextCheckState(cbsChecked, false), cbsUnchecked);
}

TEST(CheckBoxLayoutTest, UserGlyphImages) {
  EXPECT_EQ(lxCheckBoxGlyphImage(cbsChecked, true, 6), 4);
  EXPECT_EQ(lxCheckBoxGlyphImage(cbsChecked, true, 3), 1);
  EXPECT_EQ(lxCheckBoxGlyphImage(cbsGrayed, false, 2), 2);  // 2 is not held: 2 mod 3
  EXPECT_EQ(lxCheckBoxGlyphImage(cbsGrayed, true, 6), 5);
  EXPECT_EQ(lxCheckBoxGlyphImage(cbsUnchecked, false, 6), 0);
}

TEST(CheckBoxLayoutTest, ThemeStatesAndRaisedBorders) {
  EXPECT_EQ(lxCheckBoxThemeState(cbsUnchecked, cbnNormal), 1);
  EXPECT_EQ(lxCheckBoxThemeState(cbsChecked, cbnHot), 6);
  EXPECT_EQ(lxCheckBoxThemeState(cbsGrayed, cbnDisabled), 12);
  EXPECT_EQ(lxRaisedCheckBorderStyle(ebsNone), ebsFlat);
  EXPECT_EQ(lxRaisedCheckBorderStyle(ebsSingle), ebsThick);
  EXPECT_EQ(lxRaisedCheckBorderStyle(ebsFlat), ebs3D);
  EXPECT_EQ(lxRaisedCheckBorderStyle(ebsUltraFlat), ebsUltraFlat);
  EXPECT_EQ(lxCheckButtonPainterState(cbnPressed), lxbsPressed);
}

TEST(CheckBoxLayoutTest, CheckAndCaptionPlaces) {
  TlxCheckBoxLayoutInput input;
  input.Client = TRect(0, 0, 121, 21);
  input.CheckSize = TSize{13, 13};
  // Stand-alone, check on the left: 2 in, centred vertically; the caption
  // 3 pixels right of it.
  TlxCheckBoxLayout layout = lxLayoutCheckBox(input);
  EXPECT_EQ(layout.CheckRect, TRect(2, 4, 15, 17));
  EXPECT_EQ(layout.TextRect, TRect(18, 2, 119, 19));
  input.Alignment = taRightJustify;
  input.ClassicLook = true;
  layout = lxLayoutCheckBox(input);
  EXPECT_EQ(layout.CheckRect, TRect(106, 4, 119, 17));
  EXPECT_EQ(layout.TextRect, TRect(2, 1, 103, 19));
  // Narrower than the check: no caption.
  input.Client = TRect(0, 0, 16, 21);
  layout = lxLayoutCheckBox(input);
  EXPECT_EQ(layout.TextRect.Width(), 0);
  // A grid cell centres the check.
  input.Client = TRect(0, 0, 60, 18);
  input.Inplace = true;
  input.Alignment = taCenter;
  layout = lxLayoutCheckBox(input);
  EXPECT_EQ(layout.CheckRect, TRect(23, 2, 36, 15));
}

}  // namespace check_box_layout_test
