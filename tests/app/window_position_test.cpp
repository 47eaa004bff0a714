// Where the main window lands at start-up.
#include <gtest/gtest.h>

#include "app/window_position.h"

namespace {

constexpr WindowBounds kDesigned{271, 222, 674, 301};

DesktopGeometry Desktop(int32_t width, int32_t height) {
  return DesktopGeometry{width, height, 0, 0, width, height};
}

TEST(RestoredWindowBounds, FollowsTheStoredTextAndKeepsTheWindowOnTheDesktop) {
  struct Case {
    const char* stored;
    bool sizeable;
    WindowBounds expected;
  };
  const DesktopGeometry desktop = Desktop(1280, 1024);
  const Case cases[] = {
      {"10,20,800,600", true, {10, 20, 800, 600}},
      {"10,20,800,600,99", true, {10, 20, 800, 600}},        // a fifth number is ignored
      {"10,20,800,600", false, {10, 20, 674, 301}},          // not sizeable: place only
      {"5000,20,800,600", true, {303, 20, 800, 600}},        // (1280 - 674) / 2
      {"10,-30,800,600", true, {10, 0, 800, 600}},           // negative top becomes 0
      {"10,20,3000,2000", true, {10, 20, 1280, 1024}},       // no larger than the desktop
      {"10,20,M,600", true, {10, 20, 674, 301}},             // "M" ends the list
      {"x,20", true, {0, 20, 674, 301}},                     // not a number: -1, then 0
      {"10", true, {271, 222, 674, 301}},                    // too little: the designed place
      {"10,20,0,0", true, {10, 20, 674, 301}},               // no size: the designed size
      {"10,20,-5,600", true, {10, 20, 674, 600}},
  };
  for (const Case& c : cases) {
    const WindowBounds bounds = RestoredWindowBounds(c.stored, kDesigned, c.sizeable, desktop);
    EXPECT_EQ(bounds.left, c.expected.left) << c.stored;
    EXPECT_EQ(bounds.top, c.expected.top) << c.stored;
    EXPECT_EQ(bounds.width, c.expected.width) << c.stored;
    EXPECT_EQ(bounds.height, c.expected.height) << c.stored;
  }
}

TEST(RestoredWindowBounds, WithoutAStoredTextCentresOnThePrimaryScreen) {
  const WindowBounds narrow = RestoredWindowBounds("", kDesigned, true, Desktop(1280, 1024));
  EXPECT_EQ(narrow.left, (1280 - 674) / 2);
  EXPECT_EQ(narrow.top, (1024 - 301) / 2);
  // On a wide screen the window goes to the centre of the left half.
  const WindowBounds wide = RestoredWindowBounds("", kDesigned, true, Desktop(1920, 1080));
  EXPECT_EQ(wide.left, (960 - 674) / 2);
  EXPECT_EQ(wide.width, 674);
}

TEST(RestoredWindowBounds, APlaceOnAMonitorThatIsGoneComesBack) {
  // A second monitor to the left stood at negative coordinates; now the
  // desktop starts at 0 and the stored place lies right of it.
  DesktopGeometry desktop{1280, 1024, 0, 0, 1280, 1024};
  const WindowBounds bounds = RestoredWindowBounds("1280,1024,674,301", kDesigned, true, desktop);
  EXPECT_LT(bounds.left, 1280);
  EXPECT_LT(bounds.top, 1024);
  EXPECT_GE(bounds.left, 0);
}

}  // namespace
