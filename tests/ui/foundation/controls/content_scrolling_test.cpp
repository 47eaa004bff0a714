#include "ui/foundation/controls/content_scrolling.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct MotionCase {
  const char* what;
  TPoint point;
  bool horizontal_bar, vertical_bar;
  TlxDirection direction;
  int32_t speed;
  bool moved;
};

TEST(ContentScrollingTest, DirectionAndSpeedFromThePointer) {
  const TPoint start(500, 400);
  constexpr int32_t kAnchor = 28;  // neutral zone 486..513 on both axes
  const MotionCase cases[] = {
      {"inside the anchor", {510, 390}, true, true, dirNone, 0, false},
      {"just past the zone's bottom edge", {500, 414}, true, true, dirDown, 1, true},
      {"up, five pixels further is one faster", {500, 400 - 14 - 5}, true, true, dirUp, 2, true},
      {"vertical wins a tie", {530, 430}, true, true, dirDown, 4, true},
      {"horizontal when further sideways", {560, 410}, true, true, dirRight, 10, true},
      {"left", {440, 400}, true, true, dirLeft, 10, true},
      {"speed stops at twelve", {5000, 400}, true, true, dirRight, 12, true},
      {"no horizontal bar: sideways is neutral", {900, 405}, false, true, dirNone, 0, false},
      {"no horizontal bar: always vertical", {900, 430}, false, true, dirDown, 4, true},
      {"no vertical bar: up and down are neutral", {505, 0}, true, false, dirNone, 0, false},
      {"no vertical bar: always horizontal", {470, 0}, true, false, dirLeft, 4, true},
      {"far outside the 16-bit range", {INT32_MIN, 400}, true, true, dirLeft, 12, true},
  };
  for (const MotionCase& c : cases) {
    SCOPED_TRACE(c.what);
    const TlxContentScrollingMotion motion =
        lxContentScrollingMotion(start, c.point, kAnchor, c.horizontal_bar, c.vertical_bar);
    EXPECT_EQ(motion.Direction, c.direction);
    EXPECT_EQ(motion.Speed, c.speed);
    EXPECT_EQ(motion.Moved, c.moved);
  }
}

TEST(ContentScrollingTest, StepsComeEveryThirteenMinusSpeedTicks) {
  struct StepCase {
    int32_t speed;
    int expected_steps_in_240_ticks;
  };
  for (const StepCase& c : {StepCase{1, 20}, StepCase{6, 34}, StepCase{12, 240}, StepCase{0, 18}}) {
    int steps = 0;
    for (uint32_t tick = 1; tick <= 240; ++tick)
      steps += lxContentScrollingStepDue(tick, c.speed) ? 1 : 0;
    EXPECT_EQ(steps, c.expected_steps_in_240_ticks) << "speed " << c.speed;
  }
}

TEST(ContentScrollingTest, CursorShowsDirectionOrTheBarsThatScroll) {
  EXPECT_EQ(lxContentScrollingCursor(dirNone, true, true), 2101);
  EXPECT_EQ(lxContentScrollingCursor(dirNone, true, false), 2102);
  EXPECT_EQ(lxContentScrollingCursor(dirNone, false, true), 2103);
  EXPECT_EQ(lxContentScrollingCursor(dirUp, true, true), 2104);
  EXPECT_EQ(lxContentScrollingCursor(dirRight, true, false), 2105);
  EXPECT_EQ(lxContentScrollingCursor(dirDown, false, true), 2106);
  EXPECT_EQ(lxContentScrollingCursor(dirLeft, true, true), 2107);
}

}  // namespace
