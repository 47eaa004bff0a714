#include "editors/kinds/clock_win.h"

#include <gtest/gtest.h>

#include "platform/toolkit/form.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"

namespace clock_win_test {

TEST(ClockWinTest, TheHandsFollowTheTimeOfDay) {
  TForm* form = new TForm(nullptr);
  form->SetBounds(80, 80, 200, 200);
  auto* clock = new TlxClock(form);
  clock->SetParent(form);
  clock->SetBounds(10, 10, 101, 101);
  clock->SetTime(EncodeDate(2009, 3, 3) + EncodeTime(3, 15, 30, 0));
  EXPECT_NEAR(clock->Time(), EncodeTime(3, 15, 30, 0), 1e-9);
  form->Show();
  test_support::PumpMessagesUntilIdle();
  // At a quarter past three both hands point right of the centre and the
  // second hand (at 30 seconds) down: nothing points up.
  const auto dark = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128; };
  test_support::WindowPixels three = test_support::WindowPixels::Capture(clock->Handle());
  EXPECT_TRUE(dark(three.At(65, 51)));
  EXPECT_FALSE(dark(three.At(50, 35)));
  clock->SetTime(EncodeTime(0, 0, 30, 0));
  test_support::PumpMessagesUntilIdle();
  test_support::WindowPixels noon = test_support::WindowPixels::Capture(clock->Handle());
  EXPECT_TRUE(dark(noon.At(50, 35)));
  EXPECT_FALSE(dark(noon.At(65, 50)));
  // The face is the clock's colour.
  EXPECT_TRUE(test_support::ColorsNear(noon.At(20, 50), GetSysColor(COLOR_WINDOW), 8));
  form->Free();
  test_support::PumpMessagesUntilIdle();
}

}  // namespace clock_win_test
