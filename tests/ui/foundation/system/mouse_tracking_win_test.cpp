#include "ui/foundation/system/mouse_tracking_win.h"

#include <gtest/gtest.h>

#include "tests/support/message_pump.h"

namespace {

using test_support::PumpUntil;

class RecordingCaller : public IlxMouseTrackingCaller {
 public:
  void MouseLeave() override {
    ++leaves;
    tracking_at_leave = lxIsMouseTracking(this);
  }
  int leaves = 0;
  bool tracking_at_leave = false;
};

class AreaCaller : public IlxMouseTrackingCaller, public IlxMouseTrackingArea {
 public:
  void MouseLeave() override { ++leaves; }
  bool ContainsPoint(const TPoint&) override {
    ++questions;
    return true;
  }
  int leaves = 0;
  int questions = 0;
};

TRect BoundsAroundTheCursor() {
  POINT cursor{};
  GetCursorPos(&cursor);
  return TRect(cursor.x - 50, cursor.y - 50, cursor.x + 50, cursor.y + 50);
}

constexpr TRect kFarAway{-30000, -30000, -29990, -29990};

TEST(MouseTrackingTest, StartingTwiceKeepsOneTimer) {
  RecordingCaller caller;
  lxStartMouseTracking(nullptr, BoundsAroundTheCursor(), &caller);
  lxStartMouseTracking(nullptr, BoundsAroundTheCursor(), &caller);
  EXPECT_TRUE(lxIsMouseTracking(&caller));
  lxStopMouseTracking(&caller);
  EXPECT_FALSE(lxIsMouseTracking(&caller)) << "a second timer would still track";
  lxStopMouseTracking(&caller);  // not tracked: nothing
  EXPECT_EQ(caller.leaves, 0);
}

TEST(MouseTrackingTest, CursorOutsideTheBoundsEndsTrackingAfterTellingTheCaller) {
  RecordingCaller caller;
  RecordingCaller other;
  lxStartMouseTracking(nullptr, kFarAway, &caller);
  lxStartMouseTracking(nullptr, BoundsAroundTheCursor(), &other);
  ASSERT_TRUE(PumpUntil([&] { return caller.leaves > 0; }));
  EXPECT_EQ(caller.leaves, 1);
  EXPECT_TRUE(caller.tracking_at_leave) << "MouseLeave runs before the timer goes";
  EXPECT_FALSE(lxIsMouseTracking(&caller));
  EXPECT_TRUE(lxIsMouseTracking(&other));
  EXPECT_EQ(other.leaves, 0);
  lxStopMouseTracking(&other);
}

TEST(MouseTrackingTest, AreaCallerWithoutAWindowIsOutsideAtOnce) {
  AreaCaller caller;
  lxStartMouseTracking(nullptr, BoundsAroundTheCursor(), &caller);
  ASSERT_TRUE(PumpUntil([&] { return caller.leaves > 0; }));
  EXPECT_EQ(caller.questions, 0) << "no window: the area is not asked";
  EXPECT_FALSE(lxIsMouseTracking(&caller));
}

TEST(MouseTrackingTest, NullCallerIsIgnored) {
  lxStartMouseTracking(nullptr, kFarAway, nullptr);
  EXPECT_FALSE(lxIsMouseTracking(nullptr));
}

}  // namespace
