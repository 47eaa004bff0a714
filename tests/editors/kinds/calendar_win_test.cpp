#include "editors/kinds/calendar_win.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/rtl/clock.h"
#include "platform/rtl/locale.h"
#include "platform/toolkit/form.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"

namespace calendar_win_test {

class CalendarWinTest : public ::testing::Test {
 protected:
  CalendarWinTest() {
    SetCursorPos(5, 5);
    form_ = new TForm(nullptr);
    form_->SetBounds(80, 80, 400, 360);
    calendar_ = new TlxPopupCalendar(form_);
    calendar_->SetParent(form_);
    calendar_->SetLeft(10);
    calendar_->SetTop(10);
    calendar_->OnHidePopup = [this](TObject*, int32_t reason) { reasons_.push_back(reason); };
    calendar_->OnDateSelected = [this] { ++selections_; };
    form_->Show();
    calendar_->SetFocus();
    test_support::PumpMessagesUntilIdle();
  }
  ~CalendarWinTest() override {
    form_->Free();
    test_support::PumpMessagesUntilIdle();
  }

  POINT CentreOf(const TRect& r) { return POINT{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
  void Key(UINT key) {
    test_support::SendKey(calendar_->Handle(), key);
    test_support::PumpMessagesUntilIdle();
  }

  TScopedLocale german_{"de-DE"};
  TScopedClock clock_{EncodeDate(2026, 12, 11) + EncodeTime(9, 15, 0, 0)};
  TForm* form_ = nullptr;
  TlxPopupCalendar* calendar_ = nullptr;
  std::vector<int32_t> reasons_;
  int32_t selections_ = 0;
};

TEST_F(CalendarWinTest, TheLayoutHoldsSixWeeksUnderTheHeader) {
  EXPECT_GT(calendar_->Width(), 100);
  EXPECT_EQ(calendar_->GridRect().Height(), 6 * calendar_->CellRect(0, 0).Height());
  EXPECT_TRUE(calendar_->HasArrow(caNextYear));
  EXPECT_TRUE(calendar_->Button(btnToday)->Visible());
  EXPECT_TRUE(calendar_->Button(btnClear)->Visible());
  EXPECT_FALSE(calendar_->Button(btnNow)->Visible());
  const int32_t width = calendar_->Width();
  calendar_->SetWeekNumbers(true);
  test_support::PumpMessagesUntilIdle();
  EXPECT_GT(calendar_->Width(), width);
  calendar_->SetArrowsForYear(false);
  EXPECT_FALSE(calendar_->HasArrow(caNextYear));
}

TEST_F(CalendarWinTest, CellsHitTestToTheirDates) {
  EXPECT_EQ(calendar_->GetDateFromPoint(TPoint(CentreOf(calendar_->CellRect(0, 0)).x, CentreOf(calendar_->CellRect(0, 0)).y)),
            EncodeDate(2026, 11, 30));
  const POINT last = CentreOf(calendar_->CellRect(6, 5));
  EXPECT_EQ(calendar_->GetDateFromPoint(TPoint(last.x, last.y)), EncodeDate(2027, 1, 10));
  EXPECT_EQ(calendar_->GetDateFromPoint(TPoint(2, 2)), NullDate);
}

TEST_F(CalendarWinTest, AClickOnACellSelectsItClosesAndTellsTheOwner) {
  test_support::SendClick(calendar_->Handle(), CentreOf(calendar_->CellRect(6, 5)));
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(calendar_->SelectDate(), EncodeDate(2027, 1, 10));
  EXPECT_EQ(calendar_->FirstDate(), EncodeDate(2026, 12, 1));  // the month stays
  EXPECT_EQ(reasons_, std::vector<int32_t>{4});
  EXPECT_EQ(selections_, 1);
}

TEST_F(CalendarWinTest, ArrowsStepTheMonthWithoutClosing) {
  test_support::SendClick(calendar_->Handle(), CentreOf(calendar_->ArrowRect(caNextMonth)));
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(calendar_->FirstDate(), EncodeDate(2027, 1, 1));
  EXPECT_FALSE(calendar_->IsRepeating());
  test_support::SendClick(calendar_->Handle(), CentreOf(calendar_->ArrowRect(caPrevYear)));
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(calendar_->FirstDate(), EncodeDate(2026, 1, 1));
  EXPECT_TRUE(reasons_.empty());
}

TEST_F(CalendarWinTest, KeysMoveTheSelectionAndCloseThePopup) {
  Key(VK_RIGHT);
  EXPECT_EQ(calendar_->SelectDate(), EncodeDate(2026, 12, 12));
  Key(VK_NEXT);
  EXPECT_EQ(calendar_->SelectDate(), EncodeDate(2027, 1, 12));
  EXPECT_EQ(calendar_->FirstDate(), EncodeDate(2027, 1, 1));
  Key(VK_ESCAPE);
  Key(VK_RETURN);
  Key(VK_F4);
  EXPECT_EQ(reasons_, (std::vector<int32_t>{3, 4, 2}));
  EXPECT_EQ(selections_, 1);
}

TEST_F(CalendarWinTest, TheTodayButtonSelectsToday) {
  calendar_->SetSelectDate(EncodeDate(2020, 5, 5));
  test_support::PumpMessagesUntilIdle();
  TlxButton* today = calendar_->Button(btnToday);
  test_support::SendClick(today->Handle(), POINT{today->Width() / 2, today->Height() / 2});
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(calendar_->SelectDate(), EncodeDate(2026, 12, 11));
  EXPECT_EQ(reasons_, std::vector<int32_t>{4});
  EXPECT_EQ(selections_, 1);
}

TEST_F(CalendarWinTest, TheSelectedCellAndTodayAreMarked) {
  calendar_->SetSelectDate(EncodeDate(2026, 12, 16));
  test_support::PumpMessagesUntilIdle();
  const test_support::WindowPixels pixels = test_support::WindowPixels::Capture(calendar_->Handle());
  // 16 December is a Wednesday in row 2; 11 December a Friday in row 1.
  const TRect selected = calendar_->CellRect(2, 2);
  EXPECT_TRUE(test_support::ColorsNear(pixels.At(selected.Left + 1, selected.Top + 1), GetSysColor(COLOR_HIGHLIGHT), 8));
  const TRect today = calendar_->CellRect(4, 1);
  EXPECT_TRUE(test_support::ColorsNear(pixels.At(today.Left, today.Top + 2), RGB(128, 0, 0), 8));
  EXPECT_TRUE(test_support::ColorsNear(pixels.At(today.Left + 2, today.Top + 2), GetSysColor(COLOR_WINDOW), 8));
}

}  // namespace calendar_win_test
