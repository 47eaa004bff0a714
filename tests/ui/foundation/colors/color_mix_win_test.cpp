#include "ui/foundation/colors/color_mix_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/system_colors.h"
#include "ui/foundation/colors/color_mix.h"

namespace {

using test_support::ScopedSystemColor;

TEST(SystemColorMixTest, MixesTheCurrentSystemColours) {
  ScopedSystemColor face(COLOR_BTNFACE, RGB(192, 192, 192));
  ScopedSystemColor highlight(COLOR_HIGHLIGHT, RGB(10, 36, 106));
  ScopedSystemColor window(COLOR_WINDOW, RGB(255, 255, 255));
  EXPECT_EQ(static_cast<COLORREF>(lxMixSystemColors(-2, 30, 72)), RGB(183, 191, 212));
  EXPECT_EQ(lxHotHighlightColor(), lxGetNearestScreenColor(static_cast<TColor>(RGB(183, 191, 212))));
  EXPECT_EQ(lxPressedHighlightColor(), lxGetNearestScreenColor(static_cast<TColor>(RGB(133, 145, 176))));
  EXPECT_NE(lxHotHighlightColor(), lxPressedHighlightColor());
}

TEST(SystemColorMixTest, AWhiteFaceGivesTheHighlightForBothStates) {
  ScopedSystemColor face(COLOR_BTNFACE, RGB(255, 255, 255));
  ScopedSystemColor highlight(COLOR_HIGHLIGHT, RGB(51, 153, 255));
  const TColor expected = lxGetNearestScreenColor(clHighlight);
  EXPECT_EQ(expected, static_cast<TColor>(RGB(51, 153, 255)));  // a true-colour screen shows it as it is
  EXPECT_EQ(lxHotHighlightColor(), expected);
  EXPECT_EQ(lxPressedHighlightColor(), expected);
}

TEST(SystemColorMixTest, NearestScreenColourResolvesSystemColours) {
  ScopedSystemColor window(COLOR_WINDOW, RGB(1, 2, 3));
  EXPECT_EQ(lxGetNearestScreenColor(clWindow), static_cast<TColor>(RGB(1, 2, 3)));
  EXPECT_EQ(lxGetNearestScreenColor(static_cast<TColor>(RGB(9, 8, 7))), static_cast<TColor>(RGB(9, 8, 7)));
}

}  // namespace
