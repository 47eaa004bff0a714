#include "ui/foundation/colors/office11_colors_win.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "tests/support/system_colors.h"
#include "ui/foundation/themes/theme_manager_win.h"
#include "ui/foundation/themes/visual_styles_win.h"

namespace {

// A system colour for one test; the palette follows the colour put back.
class SystemColorsOverride : public test_support::ScopedSystemColor {
 public:
  SystemColorsOverride(int element, COLORREF color)
      : ScopedSystemColor(element, color, [] { lxReloadOffice11Palette(); }) {}
};

TEST(Office11PaletteTest, TheSchemeFollowsTheCurrentVisualStyle) {
  std::u16string file, color, size;
  ASSERT_EQ(lxUxGetCurrentThemeName(file, color, size), S_OK);
  lxComputeOffice11Palette();
  const TlxOffice11Scheme expected = lxOffice11SchemeFromStyleNames(file, color, lxWindowsMajorVersion());
  EXPECT_EQ(lxDetectOffice11Scheme(), expected);
  EXPECT_EQ(lxOffice11CurrentScheme(), expected);
  EXPECT_EQ(lxOffice11UsesSchemeColors(), expected != lxOffice11SchemeNone);
}

TEST(Office11PaletteTest, WithoutASchemeThePaletteFollowsTheSystemColours) {
  lxComputeOffice11Palette();
  if (lxOffice11CurrentScheme() != lxOffice11SchemeNone)
    GTEST_SKIP() << "the current visual style brings its own colour scheme";
  EXPECT_EQ(lxOffice11Palette().FaceColor, ColorToRGB(clBtnFace));
  EXPECT_EQ(lxOffice11Palette().SelectedBorderColor, ColorToRGB(clHighlight));
  {
    SystemColorsOverride face(COLOR_BTNFACE, RGB(180, 200, 220));
    lxReloadOffice11Palette();
    EXPECT_EQ(lxOffice11Palette().FaceColor, RGBColor(180, 200, 220));
    EXPECT_EQ(lxOffice11Palette().BarLightColor, lxMixRGB(RGBColor(180, 200, 220), clWindow, 22));
  }
  EXPECT_NE(lxOffice11Palette().FaceColor, RGBColor(180, 200, 220));
}

TEST(Office11PaletteTest, BrushesExistOnlyWhileThePaletteIsAcquired) {
  ASSERT_EQ(lxOffice11PaletteAcquireCount(), 0);
  EXPECT_EQ(lxOffice11GripDarkBrush(), nullptr);
  lxReleaseOffice11Palette();  // without an acquire: ignored
  EXPECT_EQ(lxOffice11PaletteAcquireCount(), 0);

  lxAcquireOffice11Palette();
  lxAcquireOffice11Palette();
  const HBRUSH dark = lxOffice11GripDarkBrush();
  ASSERT_NE(dark, nullptr);
  ASSERT_NE(lxOffice11GripLightBrush(), nullptr);
  LOGBRUSH described{};
  ASSERT_EQ(GetObjectW(dark, sizeof(described), &described), static_cast<int>(sizeof(described)));
  EXPECT_EQ(described.lbColor, static_cast<COLORREF>(lxOffice11Palette().GripDarkColor));
  // This program carries no expand-button bitmaps: none, and no failure.
  EXPECT_EQ(lxOffice11ExpandButtonBitmap(true), nullptr);

  lxReleaseOffice11Palette();
  EXPECT_NE(lxOffice11GripDarkBrush(), nullptr);
  lxReleaseOffice11Palette();
  EXPECT_EQ(lxOffice11GripDarkBrush(), nullptr);
  EXPECT_EQ(GetObjectType(dark), 0u);  // the brush was deleted
}

TEST(Office11PaletteTest, AReloadWhileAcquiredMakesNewBrushes) {
  lxAcquireOffice11Palette();
  const HBRUSH before = lxOffice11GripLightBrush();
  lxReloadOffice11Palette();
  const HBRUSH after = lxOffice11GripLightBrush();
  EXPECT_NE(after, nullptr);
  EXPECT_EQ(GetObjectType(before), 0u);
  lxReleaseOffice11Palette();
  EXPECT_EQ(lxOffice11GripLightBrush(), nullptr);
}

TEST(Office11ColorTest, MixingResolvesSystemColoursAndEndsOnAScreenColour) {
  EXPECT_EQ(lxMixRGB(clWhite, clBlack, 25), lxNearestScreenColor(RGBColor(64, 64, 64)));
  EXPECT_EQ(lxMixRGB(clBtnFace, clWindow, 100), lxNearestScreenColor(ColorToRGB(clBtnFace)));
  EXPECT_EQ(lxScaleRGB(clBtnFace, 100), ColorToRGB(clBtnFace));
  EXPECT_EQ(lxScaleRGB(RGBColor(5, 7, 200), 50), RGBColor(2, 4, 100));
}

TEST(Office11ColorTest, LightWithAWhiteButtonFaceIsTheHighlight) {
  SystemColorsOverride face(COLOR_BTNFACE, RGB(255, 255, 255));
  for (const auto& [a, b, c] : {std::tuple{-2, 30, 72}, std::tuple{14, 44, 40}, std::tuple{41, 11, 48}})
    EXPECT_EQ(lxLightColorFromSystem(a, b, c), ColorToRGB(clHighlight));
}

TEST(Office11ColorTest, LightMixesFaceHighlightAndWindow) {
  SystemColorsOverride face(COLOR_BTNFACE, RGB(200, 200, 200));
  EXPECT_EQ(lxLightColorFromSystem(100, 0, 0), RGBColor(200, 200, 200));
  EXPECT_EQ(lxLightColorFromSystem(0, 100, 0), ColorToRGB(clHighlight));
  EXPECT_EQ(lxLightColorFromSystem(0, 0, 100), ColorToRGB(clWindow));
}

}  // namespace
