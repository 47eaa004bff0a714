#include "editors/kinds/month_list_win.h"

#include <gtest/gtest.h>

#include "editors/kinds/calendar_win.h"
#include "editors/popup_hooks_win.h"
#include "platform/rtl/clock.h"
#include "platform/rtl/locale.h"
#include "platform/toolkit/form.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"
#include "ui/foundation/system/lx_timer_win.h"

namespace month_list_win_test {

using test_support::PumpMessagesUntilIdle;

class MonthListTest : public ::testing::Test {
 protected:
  MonthListTest() {
    SetCursorPos(5, 5);
    form_ = new TForm(nullptr);
    form_->SetBounds(80, 80, 400, 360);
    calendar_ = new TlxCustomCalendar(form_);
    calendar_->SetParent(form_);
    calendar_->SetLeft(10);
    calendar_->SetTop(10);
    form_->Show();
    SetForegroundWindow(form_->Handle());
    PumpMessagesUntilIdle();
  }
  ~MonthListTest() override {
    // A button still held by a failed test must not reach the next one.
    test_support::InputMouseAt(POINT{5, 5}, MOUSEEVENTF_LEFTUP);
    form_->Free();
    PumpMessagesUntilIdle();
  }

  POINT ScreenCentreOf(HWND window, const TRect& r) {
    POINT point{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    ClientToScreen(window, &point);
    return point;
  }
  POINT CaptionPoint() { return ScreenCentreOf(calendar_->Handle(), calendar_->MonthCaptionRect()); }
  TlxMonthListBox& List() { return calendar_->MonthListBox(); }
  POINT RowPoint(int32_t row) { return ScreenCentreOf(List().Handle(), List().RowRect(row)); }

  TScopedLocale german_{"de-DE"};
  TScopedClock clock_{EncodeDate(2026, 12, 11) + EncodeTime(9, 15, 0, 0)};
  TForm* form_ = nullptr;
  TlxCustomCalendar* calendar_ = nullptr;
};

TEST_F(MonthListTest, HeldButtonScrollsBeyondTheEdgesAndTheReleaseChooses) {
  calendar_->SetArrowsForYear(false);
  PumpMessagesUntilIdle();
  const TDateTime opening_month = calendar_->FirstDate();
  test_support::InputMouseAt(CaptionPoint(), MOUSEEVENTF_LEFTDOWN);
  PumpMessagesUntilIdle();
  ASSERT_TRUE(lxIsShownPopup(&List()));
  EXPECT_EQ(List().Model().ItemCount(), 7);
  EXPECT_EQ(List().Model().TopIndex(), -3);
  EXPECT_EQ(List().Model().MonthOfRow(3), opening_month) << "the shown month is the fourth row";
  EXPECT_EQ(GetCapture(), List().Handle());
  EXPECT_EQ(List().Width(), 6 * calendar_->CellWidth() + 2);
  EXPECT_EQ(List().Height(), 7 * (calendar_->HeaderHeight() - 2) + 2);

  // Three rows and more below the list: forward every 50 ms.
  POINT below = RowPoint(6);
  below.y += 4 * List().Model().ItemHeight();
  test_support::InputMouseAt(below);
  PumpMessagesUntilIdle();
  EXPECT_TRUE(List().ScrollTimer().Enabled());
  EXPECT_EQ(List().ScrollTimer().Interval(), 50u);
  EXPECT_EQ(List().Model().HotItem(), -1);
  List().ScrollTimer().FireTimer();
  List().ScrollTimer().FireTimer();
  EXPECT_EQ(List().Model().TopIndex(), -1);

  // Back inside: scrolling stops and the row under the mouse is hot.
  test_support::InputMouseAt(RowPoint(5));
  PumpMessagesUntilIdle();
  EXPECT_FALSE(List().ScrollTimer().Enabled());
  EXPECT_EQ(List().Model().HotItem(), 5);
  const COLORREF hot = test_support::WindowPixels::Capture(List().Handle()).At(3, List().RowRect(5).Top + 1);
  EXPECT_EQ(hot, ColorToRGB(clWindowText)) << "the hot row is drawn inverted";

  // Row 5 now shows the month TopIndex + 5 = 4 after the opening month.
  test_support::InputMouseAt(RowPoint(5), MOUSEEVENTF_LEFTUP);
  PumpMessagesUntilIdle();
  EXPECT_FALSE(lxIsShownPopup(&List()));
  EXPECT_EQ(calendar_->FirstDate(), EncodeDate(2027, 4, 1));
}

TEST_F(MonthListTest, ReleasingOutsideWithoutAHotRowChangesNothing) {
  calendar_->SetArrowsForYear(false);
  PumpMessagesUntilIdle();
  const TDateTime before = calendar_->FirstDate();
  test_support::InputMouseAt(CaptionPoint(), MOUSEEVENTF_LEFTDOWN);
  PumpMessagesUntilIdle();
  ASSERT_TRUE(lxIsShownPopup(&List()));
  POINT aside = RowPoint(3);
  aside.x += List().Width();
  test_support::InputMouseAt(aside);
  PumpMessagesUntilIdle();
  EXPECT_FALSE(List().ScrollTimer().Enabled()) << "beside the list, between its edges, nothing scrolls";
  test_support::InputMouseAt(aside, MOUSEEVENTF_LEFTUP);
  PumpMessagesUntilIdle();
  EXPECT_FALSE(lxIsShownPopup(&List()));
  EXPECT_EQ(calendar_->FirstDate(), before);
  EXPECT_NE(GetCapture(), List().Handle());
}

TEST_F(MonthListTest, TheMonthOnlyFormListsTheMonthsOfTheYearAndAClickChooses) {
  ASSERT_TRUE(calendar_->ArrowsForYear());
  test_support::InputMouseAt(CaptionPoint(), MOUSEEVENTF_LEFTDOWN);
  test_support::InputMouseAt(CaptionPoint(), MOUSEEVENTF_LEFTUP);
  PumpMessagesUntilIdle();
  ASSERT_TRUE(lxIsShownPopup(&List()));
  EXPECT_EQ(List().Model().ItemCount(), 12);
  EXPECT_EQ(List().Model().MonthOfRow(0), EncodeDate(2026, 1, 1));
  EXPECT_EQ(List().Model().MonthOfRow(11), EncodeDate(2026, 12, 1));
  test_support::InputClick(List().Handle(), POINT{List().RowRect(2).Left + 5, List().RowRect(2).Top + 2});
  PumpMessagesUntilIdle();
  EXPECT_FALSE(lxIsShownPopup(&List()));
  EXPECT_EQ(calendar_->FirstDate(), EncodeDate(2026, 3, 1));
}

}  // namespace month_list_win_test
