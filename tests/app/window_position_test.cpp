// Where the main window lands at start-up.
#include <gtest/gtest.h>

#include <initializer_list>

#include "app/window_position.h"

namespace {

constexpr WindowBounds kDesigned{271, 222, 674, 301};

constexpr int32_t kCaption = 20;

DesktopGeometry Desktop(int32_t width, int32_t height) {
  return DesktopGeometry{width, height, 0, 0, width, height, kCaption};
}

struct Case {
  const char* stored;
  bool sizeable;
  WindowBounds expected;
};

void ExpectCases(const DesktopGeometry& desktop, std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    const WindowBounds bounds = RestoredWindowBounds(c.stored, kDesigned, c.sizeable, desktop);
    EXPECT_EQ(bounds.left, c.expected.left) << c.stored;
    EXPECT_EQ(bounds.top, c.expected.top) << c.stored;
    EXPECT_EQ(bounds.width, c.expected.width) << c.stored;
    EXPECT_EQ(bounds.height, c.expected.height) << c.stored;
  }
}

TEST(RestoredWindowBounds, FollowsTheStoredTextAndKeepsTheWindowOnTheDesktop) {
  ExpectCases(Desktop(1280, 1024), {
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
  });
}

TEST(RestoredWindowBounds, RaisesAStoredSizeBelowTheDesignedOne) {
  ExpectCases(Desktop(1280, 1024), {
      {"10,20,500,200", true, {10, 20, 674, 301}},
      {"10,20,700,200", true, {10, 20, 700, 301}},
      {"10,20,500,400", true, {10, 20, 674, 400}},
      {"10,20,674,301", true, {10, 20, 674, 301}},
      {"10,20,1,1", true, {10, 20, 674, 301}},
      {"10,20,500,200", false, {10, 20, 674, 301}},  // not sizeable: the size is not taken
  });
  // A desktop smaller than the design: the desktop bounds it still.
  ExpectCases(Desktop(640, 280), {{"0,0,500,200", true, {0, 0, 640, 280}}});
}

TEST(RestoredWindowBounds, AWindowLeftWithOnlyASliverOnTheDesktopIsCentredThere) {
  // Designed 674 wide: a third is 224 2/3, so 225 visible pixels are enough.
  ExpectCases(Desktop(1280, 1024), {
      {"1055,20,674,301", true, {1055, 20, 674, 301}},   // 225 visible
      {"1056,20,674,301", true, {303, 20, 674, 301}},    // 224 visible
      {"1100,20,674,301", true, {303, 20, 674, 301}},
      {"1280,20,674,301", true, {303, 20, 674, 301}},    // nothing visible, yet not beyond the width
      {"10,1004,674,301", true, {10, 1004, 674, 301}},   // the caption's height is visible
      {"10,1005,674,301", true, {10, 361, 674, 301}},    // less than the caption: (1024 - 301) / 2
      {"1280,1024,674,301", true, {303, 361, 674, 301}},
      // The check takes the restored size: 1000 wide at 900 shows 380.
      {"900,20,1000,400", true, {900, 20, 1000, 400}},
      {"1000,20,1000,400", true, {140, 20, 1000, 400}},
      // Numbers at the ends of the range neither overflow nor escape.
      {"2147483647,2147483647,2147483647,2147483647", true, {303, 361, 1280, 1024}},
      {"-2147483648,-2147483648,-2147483648,-2147483648", true, {0, 0, 674, 301}},
  });
}

TEST(RestoredWindowBounds, ADesktopThatDoesNotStartAtTheOriginCentresWithinItself) {
  // The primary monitor right of a second one that stands higher: the
  // virtual desktop runs from -1280 to 1280 and from -200 to 1024.
  const DesktopGeometry desktop{1280, 1024, -1280, -200, 2560, 1224, kCaption};
  ExpectCases(desktop, {
      {"100,100,674,301", true, {100, 100, 674, 301}},
      {"1200,100,674,301", true, {-1280 + (2560 - 674) / 2, 100, 674, 301}},  // 80 visible
  });
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
  const DesktopGeometry desktop = Desktop(1280, 1024);
  const WindowBounds bounds = RestoredWindowBounds("1280,1024,674,301", kDesigned, true, desktop);
  EXPECT_LT(bounds.left, 1280);
  EXPECT_LT(bounds.top, 1024);
  EXPECT_GE(bounds.left, 0);
}

}  // namespace
