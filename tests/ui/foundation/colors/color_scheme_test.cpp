#include "ui/foundation/colors/color_scheme.h"

#include <gtest/gtest.h>

namespace {

constexpr TlxRGB RGB3(int32_t red, int32_t green, int32_t blue) { return red | (green << 8) | (blue << 16); }

// A true-colour screen shows every colour as it is.
TlxRGB SameColor(TlxRGB color) { return color; }

TEST(Office11SchemeTest, TheColourVariantOfTheStockStyleNamesTheScheme) {
  struct Case {
    std::u16string_view file;
    std::u16string_view color;
    uint32_t major;
    TlxOffice11Scheme expected;
  };
  const Case cases[] = {
      {u"C:\\Themes\\Luna\\luna.msstyles", u"NormalColor", 5, lxOffice11SchemeBlue},
      {u"luna.msstyles", u"homestead", 5, lxOffice11SchemeOlive},
      {u"LUNA.MSSTYLES", u"Metallic", 5, lxOffice11SchemeSilver},
      {u"luna.msstyles", u"Aero", 5, lxOffice11SchemeNone},
      // Another style file names no scheme on version 5 ...
      {u"royale.msstyles", u"NormalColor", 5, lxOffice11SchemeNone},
      // ... but from version 6 on the colour variant alone decides.
      {u"light.msstyles", u"NormalColor", 6, lxOffice11SchemeBlue},
      {u"light.msstyles", u"Metallic", 10, lxOffice11SchemeSilver},
      {u"light.msstyles", u"", 10, lxOffice11SchemeNone},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxOffice11SchemeFromStyleNames(c.file, c.color, c.major), c.expected)
        << std::string(c.color.begin(), c.color.end()) << " " << c.major;
}

TEST(Office11SchemeTest, SchemePalettesTakeTheirTableColours) {
  const auto blue = lxOffice11SchemePalette(lxOffice11SchemeBlue, &SameColor);
  const auto olive = lxOffice11SchemePalette(lxOffice11SchemeOlive, &SameColor);
  const auto silver = lxOffice11SchemePalette(lxOffice11SchemeSilver, &SameColor);
  ASSERT_TRUE(blue && olive && silver);

  EXPECT_EQ(blue->FaceColor, RGB3(158, 190, 245));
  EXPECT_EQ(silver->FaceColor, RGB3(215, 215, 229));
  EXPECT_EQ(olive->BarLightColor, RGB3(244, 247, 222));
  EXPECT_EQ(olive->HeaderLightEdgeColor, RGB3(244, 247, 222));
  EXPECT_EQ(blue->SelectedBorderColor, RGB3(0, 0, 128));
  EXPECT_EQ(silver->GroupRowTextColor, RGB3(112, 111, 145));
  EXPECT_EQ(olive->SchedulerBorderColor, RGB3(96, 128, 88));
  // The group-row separator and the light half of the group-by box are one
  // table colour; the box mixes it half and half with the dark half.
  EXPECT_EQ(blue->GroupRowSeparatorColor, RGB3(123, 164, 224));
  EXPECT_EQ(blue->GroupByBoxColor, RGB3(62, 109, 185));

  // Colours the three schemes share.
  for (const auto& palette : {*blue, *olive, *silver}) {
    EXPECT_EQ(palette.HotColor1, RGB3(255, 244, 204));
    EXPECT_EQ(palette.PressedColor2, RGB3(254, 145, 78));
    EXPECT_EQ(palette.SelectionColor, RGB3(251, 230, 148));
    EXPECT_EQ(palette.GroupRowColor, RGB3(253, 238, 201));
    EXPECT_EQ(palette.FilterBoxTextColor, RGB3(255, 255, 255));
    EXPECT_EQ(palette.GripLightColor, RGB3(255, 255, 255));
    EXPECT_EQ(palette.DisabledTextColor, RGB3(141, 141, 141));
  }

  EXPECT_FALSE(lxOffice11SchemePalette(lxOffice11SchemeNone, &SameColor));
  EXPECT_FALSE(lxOffice11SchemePalette(static_cast<TlxOffice11Scheme>(7), &SameColor));
}

TEST(Office11SchemeTest, MixedSchemeColoursGoThroughTheScreensNearestColour) {
  const auto palette = lxOffice11SchemePalette(lxOffice11SchemeBlue, [](TlxRGB) { return RGB3(1, 2, 3); });
  ASSERT_TRUE(palette);
  EXPECT_EQ(palette->GroupByBoxColor, RGB3(1, 2, 3));
  EXPECT_EQ(palette->FaceColor, RGB3(158, 190, 245));
}

TEST(Office11SchemeTest, WithoutASchemeThePaletteIsMixedFromSystemColours) {
  TlxOffice11SystemColors system;
  system.BtnFace = RGB3(200, 200, 200);
  system.BtnShadow = RGB3(100, 100, 100);
  system.BtnHighlight = RGB3(250, 250, 250);
  system.BtnText = RGB3(1, 1, 1);
  system.GrayText = RGB3(128, 128, 128);
  system.Highlight = RGB3(0, 0, 200);
  system.Window = RGB3(255, 255, 255);

  const TlxOffice11Palette palette = lxOffice11SystemPalette(system, &SameColor);
  EXPECT_EQ(palette.FaceColor, system.BtnFace);
  EXPECT_EQ(palette.BarLightColor, lxMixChannels(system.BtnFace, system.Window, 22));
  EXPECT_EQ(palette.BarLightColor, RGB3(243, 243, 243));
  EXPECT_EQ(palette.GroupByBoxColor, RGB3(150, 150, 150));
  EXPECT_EQ(palette.GripLightColor, system.Window);
  EXPECT_EQ(palette.HeaderLightEdgeColor, RGB3(255, 255, 255));
  EXPECT_EQ(palette.FilterBoxTextColor, system.BtnHighlight);
  EXPECT_EQ(palette.SelectedBorderColor, system.Highlight);
  EXPECT_EQ(palette.TextColor, system.BtnText);
  EXPECT_EQ(palette.DisabledTextColor, system.GrayText);
  EXPECT_EQ(palette.GroupRowSeparatorColor, system.BtnShadow);
  // Hot: -2 % face + 30 % highlight + 72 % window.
  EXPECT_EQ(palette.HotColor1, RGB3(180, 180, 240));
  EXPECT_EQ(palette.HotColor2, palette.HotColor1);
  // Pressed: 14 % face + 44 % highlight + 40 % window.
  EXPECT_EQ(palette.PressedColor1, RGB3(130, 130, 218));
  // Selection: 41 % face + 11 % highlight + 48 % window.
  EXPECT_EQ(palette.SelectionColor, RGB3(204, 204, 226));
}

TEST(Office11ColorMathTest, MixBlendsChannelsByPercent) {
  struct Case {
    TlxRGB c1, c2;
    int32_t percent;
    TlxRGB expected;
  };
  const Case cases[] = {
      {RGB3(255, 255, 255), RGB3(0, 0, 0), 25, RGB3(64, 64, 64)},
      {RGB3(255, 0, 0), RGB3(0, 0, 255), 100, RGB3(255, 0, 0)},
      {RGB3(255, 0, 0), RGB3(0, 0, 255), 0, RGB3(0, 0, 255)},
      // 127.5 + 127.5 rounds up on both sides: capped at 255.
      {RGB3(255, 255, 255), RGB3(255, 255, 255), 50, RGB3(255, 255, 255)},
      // Percentages outside 0..100 stay within the channel.
      {RGB3(0, 0, 0), RGB3(255, 255, 255), 200, RGB3(0, 0, 0)},
      {RGB3(255, 255, 255), RGB3(0, 0, 0), 300, RGB3(255, 255, 255)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxMixChannels(c.c1, c.c2, c.percent), c.expected) << c.percent;
}

TEST(Office11ColorMathTest, ScaleRoundsHalvesToEvenAndStaysInTheChannel) {
  struct Case {
    TlxRGB color;
    int32_t percent;
    TlxRGB expected;
  };
  const Case cases[] = {
      {RGB3(200, 100, 50), 50, RGB3(100, 50, 25)},
      // 5 * 50 % = 2.5 -> 2; 7 * 50 % = 3.5 -> 4; 1 * 50 % = 0.5 -> 0.
      {RGB3(5, 7, 1), 50, RGB3(2, 4, 0)},
      {RGB3(3, 9, 255), 50, RGB3(2, 4, 128)},
      {RGB3(10, 20, 30), 0, RGB3(0, 0, 0)},
      {RGB3(10, 20, 30), 100, RGB3(10, 20, 30)},
      // Beyond 100 % a channel stops at 255 instead of spilling into the next.
      {RGB3(200, 0, 0), 200, RGB3(255, 0, 0)},
      {RGB3(200, 1, 0), -100, RGB3(0, 0, 0)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxScaleChannels(c.color, c.percent), c.expected) << std::hex << c.color << " " << std::dec << c.percent;
}

}  // namespace
