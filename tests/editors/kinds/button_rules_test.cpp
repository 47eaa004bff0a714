#include "editors/kinds/button_rules.h"

#include <gtest/gtest.h>

namespace button_rules_test {

TEST(ButtonRulesTest, FaceStateFollowsThePriorityOfItsFlags) {
  struct Case {
    TlxButtonLook look;
    TlxButtonState state;
  };
  TlxButtonLook disabled_pressed;
  disabled_pressed.Enabled = false;
  disabled_pressed.PressedLook = true;
  TlxButtonLook pressed_hot;
  pressed_hot.PressedLook = true;
  pressed_hot.Hot = true;
  TlxButtonLook menu_drop_down;
  menu_drop_down.MenuShown = true;
  menu_drop_down.Kind = lxbkDropDown;
  TlxButtonLook menu_split;
  menu_split.MenuShown = true;
  menu_split.Kind = lxbkDropDownButton;
  TlxButtonLook down_speed;
  down_speed.Down = true;
  down_speed.SpeedButtonMode = true;
  TlxButtonLook hot_focused;
  hot_focused.Hot = true;
  hot_focused.FocusedLook = true;
  TlxButtonLook focused;
  focused.FocusedLook = true;
  TlxButtonLook default_flag;
  default_flag.DefaultFlag = true;
  TlxButtonLook focused_speed;
  focused_speed.FocusedLook = true;
  focused_speed.SpeedButtonMode = true;
  const Case cases[] = {
      {TlxButtonLook{}, lxbsNormal},   {disabled_pressed, lxbsDisabled}, {pressed_hot, lxbsPressed},
      {menu_drop_down, lxbsPressed},   {menu_split, lxbsNormal},         {down_speed, lxbsPressed},
      {hot_focused, lxbsHot},          {focused, lxbsDefault},           {default_flag, lxbsDefault},
      {focused_speed, lxbsNormal},
  };
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(lxButtonStateOf(cases[i].look), cases[i].state) << i;
}

TEST(ButtonRulesTest, ArrowPartState) {
  EXPECT_EQ(lxButtonArrowStateOf(lxbsNormal, true, false), lxbsPressed);
  EXPECT_EQ(lxButtonArrowStateOf(lxbsPressed, false, true), lxbsHot);
  EXPECT_EQ(lxButtonArrowStateOf(lxbsPressed, false, false), lxbsNormal);
  EXPECT_EQ(lxButtonArrowStateOf(lxbsDisabled, false, false), lxbsDisabled);
}

TEST(ButtonRulesTest, ColoursFallBackToDefaultForNormalAndToNormalOtherwise) {
  TlxButtonColorValues colors;
  EXPECT_EQ(colors.FaceColor(lxbsNormal), clDefault);
  EXPECT_TRUE(colors.Set(lxbcDefault, clRed));
  // Only Default assigned: the normal state uses it, hot falls to Normal,
  // which is clDefault (the painter's colour).
  EXPECT_EQ(colors.FaceColor(lxbsNormal), clRed);
  EXPECT_EQ(colors.FaceColor(lxbsDefault), clRed);
  EXPECT_EQ(colors.FaceColor(lxbsHot), clDefault);
  EXPECT_TRUE(colors.Set(lxbcNormal, clBlue));
  EXPECT_EQ(colors.FaceColor(lxbsNormal), clBlue);
  EXPECT_EQ(colors.FaceColor(lxbsHot), clBlue);
  EXPECT_EQ(colors.FaceColor(lxbsPressed), clBlue);
  EXPECT_TRUE(colors.Set(lxbcPressed, clLime));
  EXPECT_EQ(colors.FaceColor(lxbsPressed), clLime);
  // Text colours never fall back.
  EXPECT_EQ(colors.TextColor(lxbsHot), clDefault);
  EXPECT_TRUE(colors.Set(lxbcHotText, clYellow));
  EXPECT_EQ(colors.TextColor(lxbsHot), clYellow);
  EXPECT_EQ(colors.TextColor(lxbsNormal), clDefault);
}

TEST(ButtonRulesTest, NoneOrDefaultUnassignsAColour) {
  TlxButtonColorValues colors;
  EXPECT_TRUE(colors.Set(lxbcHot, clRed));
  EXPECT_FALSE(colors.Set(lxbcHot, clRed));
  EXPECT_TRUE(colors.IsAssigned(lxbcHot));
  EXPECT_TRUE(colors.Set(lxbcHot, clNone));
  EXPECT_EQ(colors.Get(lxbcHot), clDefault);
  EXPECT_FALSE(colors.IsAssigned(lxbcHot));
  EXPECT_EQ(colors.AssignedBits(), 0);
  EXPECT_FALSE(colors.Set(lxbcHot, clDefault));
}

TEST(ButtonRulesTest, RestrictingTheAssignedSetResetsTheRestAndDropsUnsetMembers) {
  TlxButtonColorValues colors;
  colors.Set(lxbcHot, clRed);
  colors.Set(lxbcNormal, clBlue);
  colors.RestrictAssigned(static_cast<uint16_t>((1u << lxbcHot) | (1u << lxbcPressed)));
  EXPECT_EQ(colors.AssignedBits(), 1u << lxbcHot);  // Pressed still holds clDefault
  EXPECT_EQ(colors.Get(lxbcHot), clRed);
  EXPECT_EQ(colors.Get(lxbcNormal), clDefault);
}

TEST(ButtonRulesTest, DropDownParts) {
  const TRect client(0, 0, 75, 25);
  EXPECT_EQ(lxButtonArrowPart(client), TRect(60, 0, 75, 25));
  EXPECT_FALSE(lxIsButtonDropDownPoint(lxbkStandard, client, {70, 10}));
  EXPECT_TRUE(lxIsButtonDropDownPoint(lxbkDropDown, client, {1, 1}));
  EXPECT_TRUE(lxIsButtonDropDownPoint(lxbkDropDownButton, client, {60, 10}));
  EXPECT_FALSE(lxIsButtonDropDownPoint(lxbkDropDownButton, client, {59, 10}));
  EXPECT_TRUE(lxButtonDropDownRect(lxbkStandard, client).IsEmpty());
}

TEST(ButtonRulesTest, DropDownMenuPlacement) {
  const TRect work(0, 0, 800, 600);
  struct Case {
    TRect button;
    TlxMenuAnchor anchor;
    int32_t menu_height;
    TPoint point;
    TlxMenuAnchor alignment;
  };
  const Case cases[] = {
      {TRect(100, 100, 175, 125), lxmaLeft, 80, {100, 125}, lxmaLeft},
      {TRect(100, 100, 175, 125), lxmaRight, 80, {175, 125}, lxmaRight},
      {TRect(100, 100, 175, 125), lxmaCenter, 80, {137, 125}, lxmaCenter},
      // Near the bottom: above the button, two pixels over its top.
      {TRect(100, 550, 175, 575), lxmaLeft, 80, {100, 550 - 80 - 2}, lxmaLeft},
      // At the work area's edges the menu turns inwards.
      {TRect(0, 100, 75, 125), lxmaLeft, 80, {0, 125}, lxmaRight},
      {TRect(725, 100, 800, 125), lxmaRight, 80, {800, 125}, lxmaLeft},
  };
  for (const Case& c : cases) {
    const TlxDropDownMenuPlacement placement = lxPlaceDropDownMenu(c.button, c.anchor, c.menu_height, work);
    EXPECT_EQ(placement.Point, c.point) << c.button.Top << " " << static_cast<int>(c.anchor);
    EXPECT_EQ(placement.Alignment, c.alignment) << c.button.Top << " " << static_cast<int>(c.anchor);
  }
}

}  // namespace button_rules_test
