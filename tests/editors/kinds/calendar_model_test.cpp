#include "editors/kinds/calendar_model.h"

#include <gtest/gtest.h>

#include "data/date_arithmetic.h"
#include "editors/kinds/month_list_model.h"
#include "platform/rtl/clock.h"
#include "platform/rtl/locale.h"

namespace calendar_model_test {

constexpr uint16_t kPrior = 0x21, kNext = 0x22, kEnd = 0x23, kHome = 0x24;
constexpr uint16_t kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28;

// German settings: weeks start on Monday.
class CalendarModelTest : public ::testing::Test {
 protected:
  TScopedLocale german_{"de-DE"};
  TScopedClock clock_{EncodeDate(2026, 12, 11) + EncodeTime(9, 15, 0, 0)};
  TlxCalendarModel calendar;
};

TEST_F(CalendarModelTest, StartsWithTodaySelectedAndItsMonthShown) {
  EXPECT_EQ(calendar.SelectDate(), EncodeDate(2026, 12, 11));
  EXPECT_EQ(calendar.FirstDate(), EncodeDate(2026, 12, 1));
  EXPECT_EQ(calendar.GetLastDate(), EncodeDate(2026, 12, 31));
}

TEST_F(CalendarModelTest, TheGridAlwaysShowsPartOfThePreviousMonth) {
  const struct {
    TDateTime month;
    TDateTime first_visible;
  } cases[] = {
      {EncodeDate(2009, 3, 1), EncodeDate(2009, 2, 23)},  // begins on a Sunday
      {EncodeDate(2026, 6, 1), EncodeDate(2026, 5, 25)},  // begins on a Monday: a whole week earlier
      {EncodeDate(2026, 12, 1), EncodeDate(2026, 11, 30)},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(calendar.SetFirstDate(c.month + 10));
    EXPECT_EQ(calendar.GetFirstVisibleDate(), c.first_visible);
    EXPECT_EQ(calendar.GetLastVisibleDate(), c.first_visible + 41);
    EXPECT_EQ(calendar.GridDate(0, 0), c.first_visible);
    EXPECT_EQ(calendar.GridDate(6, 5), c.first_visible + 41);
  }
}

TEST_F(CalendarModelTest, DatesBeforeTheYear100AreRefused) {
  const TDateTime lowest = lxGetMinEditDate();
  EXPECT_FALSE(calendar.SetFirstDate(lowest - 1));
  EXPECT_FALSE(calendar.SetSelectDate(lowest - 1));
  EXPECT_EQ(calendar.SelectDate(), EncodeDate(2026, 12, 11));
  EXPECT_TRUE(calendar.SetSelectDate(lowest));
  EXPECT_EQ(calendar.FirstDate(), lowest);
  // At the lowest month no extra week is added, and the days before it stay empty.
  EXPECT_EQ(calendar.GetFirstVisibleDate(), lowest - lxDayOfWeekOffset(lowest));
  EXPECT_FALSE(calendar.IsDateShown(lowest - 1));
  EXPECT_TRUE(calendar.IsDateShown(lowest));
}

TEST_F(CalendarModelTest, KeysMoveTheSelectionAndTheMonthFollows) {
  const TDateTime start = EncodeDate(2026, 12, 16);  // a Wednesday
  const struct {
    uint16_t key;
    uint32_t shift;
    TDateTime selected;
  } cases[] = {
      {kLeft, 0, start - 1},
      {kRight, 0, start + 1},
      {kUp, 0, start - 7},
      {kDown, 0, start + 7},
      {kDown, kLxCalendarAlt, start},
      {kHome, 0, EncodeDate(2026, 12, 14)},
      {kHome, kLxCalendarCtrl, EncodeDate(2026, 12, 1)},
      {kEnd, 0, EncodeDate(2026, 12, 20)},
      {kEnd, kLxCalendarCtrl, EncodeDate(2026, 12, 31)},
      {kPrior, 0, EncodeDate(2026, 11, 16)},
      {kNext, 0, EncodeDate(2027, 1, 16)},
  };
  for (const auto& c : cases) {
    calendar.SetSelectDate(start);
    EXPECT_TRUE(calendar.HandleKey(c.key, c.shift));
    EXPECT_EQ(calendar.SelectDate(), c.selected) << c.key << " " << c.shift;
    EXPECT_EQ(calendar.FirstDate(), EncodeDate(DecodeDateParts(c.selected).year, DecodeDateParts(c.selected).month, 1));
  }
  EXPECT_FALSE(calendar.HandleKey('A', 0));
}

TEST_F(CalendarModelTest, ACellSelectionCanLeaveTheMonthWhereItIs) {
  EXPECT_TRUE(calendar.SetSelectDate(EncodeDate(2027, 1, 2), false));
  EXPECT_EQ(calendar.FirstDate(), EncodeDate(2026, 12, 1));
  EXPECT_FALSE(calendar.SetSelectDate(EncodeDate(2027, 1, 2)));
}

TEST_F(CalendarModelTest, ArrowsStepMonthsAndYears) {
  calendar.ApplyArrow(caPrevMonth);
  EXPECT_EQ(calendar.FirstDate(), EncodeDate(2026, 11, 1));
  calendar.ApplyArrow(caNextYear);
  EXPECT_EQ(calendar.FirstDate(), EncodeDate(2027, 11, 1));
  calendar.ApplyArrow(caNextMonth);
  calendar.ApplyArrow(caNextMonth);
  EXPECT_EQ(calendar.FirstDate(), EncodeDate(2028, 1, 1));
  calendar.ApplyArrow(caPrevYear);
  EXPECT_EQ(calendar.FirstDate(), EncodeDate(2027, 1, 1));
}

TEST_F(CalendarModelTest, TheButtonsStandForTheirDates) {
  const double ten_thirty = EncodeTime(10, 30, 0, 0);
  EXPECT_EQ(calendar.ButtonDate(btnClear, ten_thirty), NullDate);
  EXPECT_EQ(calendar.ButtonDate(btnNow, ten_thirty), ClockNow());
  EXPECT_EQ(calendar.ButtonDate(btnToday, ten_thirty), EncodeDate(2026, 12, 11) + ten_thirty);
  calendar.SetSelectDate(EncodeDate(1899, 12, 29));
  EXPECT_DOUBLE_EQ(calendar.ButtonDate(btnOk, ten_thirty), EncodeDate(1899, 12, 29) - ten_thirty);
  calendar.SetSelectDate(NullDate);
  EXPECT_EQ(calendar.MarkedDate(), EncodeDate(2026, 12, 11));
}

class MonthListModelTest : public CalendarModelTest {
 protected:
  TlxMonthListModel list;
};

TEST_F(MonthListModelTest, TheMonthAndYearFormCentresTheShownMonth) {
  list.Open(calendar.Table(), EncodeDate(2026, 12, 1), true);
  EXPECT_EQ(list.ItemCount(), 7);
  EXPECT_EQ(list.TopIndex(), -3);
  EXPECT_EQ(list.MonthOfRow(0), EncodeDate(2026, 9, 1));
  EXPECT_EQ(list.MonthOfRow(3), EncodeDate(2026, 12, 1));
  EXPECT_EQ(list.MonthOfRow(6), EncodeDate(2027, 3, 1));
  list.Scroll(1);
  EXPECT_EQ(list.MonthOfRow(6), EncodeDate(2027, 4, 1));
}

TEST_F(MonthListModelTest, TheMonthOnlyFormListsTheMonthsOfTheYear) {
  list.Open(calendar.Table(), EncodeDate(2026, 5, 1), false);
  EXPECT_EQ(list.ItemCount(), 12);
  EXPECT_EQ(list.MonthOfRow(0), EncodeDate(2026, 1, 1));
  EXPECT_EQ(list.MonthOfRow(11), EncodeDate(2026, 12, 1));
}

TEST_F(MonthListModelTest, HoldingTheMouseBeyondAnEdgeScrollsFasterWithDistance) {
  list.Open(calendar.Table(), EncodeDate(2026, 12, 1), true);
  list.SetItemHeight(16);
  const int32_t width = 100;
  const int32_t height = 7 * 16 + 2;
  const struct {
    int32_t x;
    int32_t y;
    int32_t interval;
    int32_t direction;
    int32_t hot;
  } cases[] = {
      {10, 20, 0, 0, 1},     {10, -5, 500, -1, -1}, {10, -20, 250, -1, -1}, {10, height + 40, 100, 1, -1},
      {10, height + 200, 50, 1, -1}, {-5, 20, 0, 0, -1},
  };
  for (const auto& c : cases) {
    int32_t direction = 7;
    EXPECT_EQ(list.TrackMouse(c.x, c.y, width, height, direction), c.interval) << c.y;
    EXPECT_EQ(direction, c.direction) << c.y;
    EXPECT_EQ(list.HotItem(), c.hot) << c.y;
  }
  EXPECT_EQ(list.ChosenMonth(), NullDate);
  int32_t direction = 0;
  list.TrackMouse(10, 5 * 16 + 3, width, height, direction);
  EXPECT_EQ(list.ChosenMonth(), EncodeDate(2027, 2, 1));
}

}  // namespace calendar_model_test
