#include "ui/foundation/system/lx_timer_win.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/support/message_pump.h"
#include "ui/foundation/system/message_window_win.h"

namespace {

// Timers share the module's hidden window, which is made only while the
// module runs: other tests of this program end the module before these may
// run, so each test runs inside a start and end of its own.
class LxTimerTest : public ::testing::Test {
 protected:
  void SetUp() override { lxStartFoundationModule(); }
  void TearDown() override { lxEndFoundationModule(); }
};

using test_support::PumpMessagesUntilIdle;
using test_support::PumpUntil;

TEST_F(LxTimerTest, StartsOnlyWithAHandlerAndFiresWithItselfAsSender) {
  TlxTimer timer(nullptr);
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 1000u);
  EXPECT_EQ(timer.EventId(), reinterpret_cast<UINT_PTR>(&timer));
  EXPECT_FALSE(timer.Running());

  timer.SetInterval(10);
  EXPECT_FALSE(timer.Running()) << "enabled, but no handler";

  int ticks = 0;
  TObject* sender = nullptr;
  timer.SetOnTimer([&](TObject* from) {
    ++ticks;
    sender = from;
  });
  EXPECT_TRUE(timer.Running());
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; }));
  EXPECT_EQ(sender, &timer);

  timer.SetOnTimer(nullptr);
  EXPECT_FALSE(timer.Running());
}

TEST_F(LxTimerTest, EnabledAndIntervalChanges) {
  TlxTimer timer(nullptr);
  timer.SetOnTimer([](TObject*) {});
  ASSERT_TRUE(timer.Running());

  timer.SetInterval(0);
  EXPECT_EQ(timer.Interval(), 1000u) << "0 keeps the interval";
  EXPECT_TRUE(timer.Running());
  timer.SetInterval(250);
  EXPECT_EQ(timer.Interval(), 250u);
  EXPECT_TRUE(timer.Running());

  timer.SetEnabled(false);
  EXPECT_FALSE(timer.Running());
  timer.SetInterval(300);
  EXPECT_FALSE(timer.Running()) << "a disabled timer stays idle";
  timer.SetEnabled(true);
  EXPECT_TRUE(timer.Running());
}

TEST_F(LxTimerTest, TicksForStoppedOrFreedTimersAreDropped) {
  int live_ticks = 0;
  int freed_ticks = 0;
  TlxTimer live(nullptr);
  live.SetInterval(60000);
  live.SetOnTimer([&](TObject*) { ++live_ticks; });
  auto freed = std::make_unique<TlxTimer>(nullptr);
  freed->SetInterval(60000);
  freed->SetOnTimer([&](TObject*) { ++freed_ticks; });
  const UINT_PTR freed_id = freed->EventId();
  HWND window = lxTimerWindowHandle();
  ASSERT_NE(window, nullptr);

  PostMessageA(window, WM_TIMER, freed_id, 0);
  PostMessageA(window, WM_TIMER, 12345, 0);
  PostMessageA(window, WM_TIMER, live.EventId(), 0);
  freed.reset();
  PumpMessagesUntilIdle();
  EXPECT_EQ(freed_ticks, 0);
  EXPECT_EQ(live_ticks, 1) << "the tick that belongs to a running timer arrives";
}

TEST_F(LxTimerTest, AnOwnerFreesItsTimers) {
  int ticks = 0;
  auto owner = std::make_unique<TComponent>(nullptr);
  auto* timer = new TlxTimer(owner.get());
  timer->SetOnTimer([&](TObject*) { ++ticks; });
  const UINT_PTR id = timer->EventId();
  PostMessageA(lxTimerWindowHandle(), WM_TIMER, id, 0);
  owner.reset();
  PumpMessagesUntilIdle();
  EXPECT_EQ(ticks, 0);
}

}  // namespace
