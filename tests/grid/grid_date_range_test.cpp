#include "grid/grid_date_range.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "data/data_utils.h"
#include "platform/rtl/clock.h"
#include "platform/rtl/date_text.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/locale.h"
#include "tests/grid/grid_date_range_test_dates.h"

namespace {

using grid_date_test::At;
using grid_date_test::Day;
using grid_date_test::kLastMillisecond;

// The regional first day of the week for the length of a test.
class FirstDayOfWeekScope {
 public:
  explicit FirstDayOfWeekScope(int day) : previous_(lxFirstDayOfWeekSetting()) { lxSetFirstDayOfWeekSetting(day); }
  ~FirstDayOfWeekScope() { lxSetFirstDayOfWeekSetting(previous_); }

 private:
  int previous_;
};

class Formats final : public IlxGridDateTimeFormats {
 public:
  std::string GetHourFormat() const override { return values.HourFormatInUse(); }
  std::string GetDateFormat() const override { return values.DateFormatInUse(); }
  std::string GetMonthFormat() const override { return values.MonthFormatInUse(); }
  std::string GetYearFormat() const override { return values.YearFormatInUse(); }
  TlxGridDateTimeFormatValues values;
};

std::vector<std::string> ClassNames(const TlxGridDateRanges& ranges) {
  std::vector<std::string> names;
  for (int32_t i = 0; i < ranges.Count(); ++i)
    names.emplace_back(ranges.Items(i)->ClassName());
  return names;
}

// Wednesday 13 March 2024, 10:30, English texts.
class DateRangeTest : public ::testing::Test {
 protected:
  TScopedLocale locale_{"en-US"};
  TScopedClock clock_{At(2024, 3, 13, 10, 30)};
  Formats formats_;
};

TEST_F(DateRangeTest, RelativeGroupsUnderBothFirstDaysOfTheWeek) {
  struct Case {
    TDateTime date;
    const char* sunday_first;  // the range's caption, "" for none
    const char* monday_first;
  };
  const Case cases[] = {
      {Day(2024, 3, 12), "Yesterday", "Yesterday"},
      {Day(2024, 3, 13), "Today", "Today"},
      {Day(2024, 3, 14), "Tomorrow", "Tomorrow"},
      // A time part keeps a date out of the day ranges.
      {At(2024, 3, 13, 8, 0), "This week", "This week"},
      {Day(2024, 3, 10), "This week", "Last week"},  // Sunday
      {Day(2024, 3, 9), "Last week", "Last week"},
      {Day(2024, 3, 4), "Last week", "Last week"},  // in this month too: weeks come first
      {Day(2024, 3, 3), "Last week", "This month"},
      {Day(2024, 3, 1), "This month", "This month"},
      {Day(2024, 3, 17), "Next week", "This week"},  // Sunday
      {Day(2024, 3, 18), "Next week", "Next week"},
      {Day(2024, 3, 24), "This month", "Next week"},
      {Day(2024, 3, 31), "This month", "This month"},
      {Day(2024, 2, 29), "Last month", "Last month"},
      {Day(2024, 4, 10), "Next month", "Next month"},
      {Day(2024, 1, 5), "This year", "This year"},
      {Day(2023, 12, 31), "Last year", "Last year"},
      {Day(2023, 1, 1), "Last year", "Last year"},
      {Day(2025, 6, 1), "Next year", "Next year"},
      {Day(2021, 3, 13), "", ""},
      {Day(2026, 1, 1), "", ""},
  };
  for (const int first_day : {0, 1}) {
    FirstDayOfWeekScope first(first_day);
    TlxGridGroupingDateRanges ranges;
    ranges.Build(&formats_, dtgRelativeToToday);
    ASSERT_EQ(ranges.Count(), 12);
    EXPECT_EQ(ranges.StartOfThisWeek(), first_day == 0 ? Day(2024, 3, 10) : Day(2024, 3, 11));
    for (const Case& c : cases) {
      const std::string expected = first_day == 0 ? c.sunday_first : c.monday_first;
      TlxCustomGridDateRange* range = ranges.FindRangeFor(c.date);
      const std::string caption = range != nullptr ? range->GetDisplayTextFor(c.date) : "";
      EXPECT_EQ(caption, expected) << "first day " << first_day << ", date " << c.date;
    }
  }
}

TEST_F(DateRangeTest, RelativeGroupValuesShareOnePeriodAndCarryTheirOffsets) {
  FirstDayOfWeekScope monday(1);
  TlxGridGroupingDateRanges ranges;
  ranges.Build(&formats_, dtgRelativeToToday);
  struct Case {
    TDateTime a;
    TDateTime b;
    TVarType type;
    double value;
  };
  const Case cases[] = {
      {Day(2024, 3, 12), Day(2024, 3, 12), varDate, Day(2024, 3, 12)},
      {Day(2024, 3, 4), Day(2024, 3, 10), varDouble, Day(2024, 3, 4) + 0.1},
      {Day(2024, 2, 1), Day(2024, 2, 29), varDouble, Day(2024, 2, 1) + 0.2},
      {Day(2023, 1, 1), Day(2023, 12, 31), varDouble, Day(2023, 1, 1) + 0.3},
  };
  for (const Case& c : cases) {
    TlxCustomGridDateRange* range = ranges.FindRangeFor(c.a);
    ASSERT_NE(range, nullptr);
    ASSERT_EQ(ranges.FindRangeFor(c.b), range);
    const Variant a = range->GetGroupValue(c.a);
    EXPECT_EQ(a.Type(), c.type) << range->ClassName();
    EXPECT_DOUBLE_EQ(a.AsDouble(), c.value) << range->ClassName();
    EXPECT_DOUBLE_EQ(range->GetGroupValue(c.b).AsDouble(), c.value) << range->ClassName();
    EXPECT_DOUBLE_EQ(range->GetOrderValue(c.b).AsDouble(), c.value) << range->ClassName();
    EXPECT_DOUBLE_EQ(range->GetFilterValue(false, c.b).AsDouble(), c.value) << range->ClassName();
  }
  EXPECT_FALSE(ranges.AnyUsesTimeOfDay());
  EXPECT_FALSE(ranges.AnyOrdersByTimeOfDay());
}

TEST_F(DateRangeTest, HourGroupsKeepTheTimeAndOrderByIt) {
  TlxGridGroupingDateRanges ranges;
  ranges.Build(&formats_, dtgByHour);
  ASSERT_EQ(ranges.Count(), 1);
  EXPECT_TRUE(ranges.AnyUsesTimeOfDay());
  EXPECT_TRUE(ranges.AnyOrdersByTimeOfDay());
  const TDateTime first = At(2024, 3, 1, 9, 15);
  const TDateTime second = At(2024, 3, 7, 9, 40);
  TlxCustomGridDateRange* range = ranges.FindRangeFor(first);
  ASSERT_EQ(range, ranges.FindRangeFor(second));
  const Variant group = range->GetGroupValue(first);
  EXPECT_EQ(group.Type(), varDate);
  EXPECT_DOUBLE_EQ(group.AsDateTime(), EncodeTime(9, 0, 0, 0));
  EXPECT_DOUBLE_EQ(range->GetGroupValue(second).AsDateTime(), EncodeTime(9, 0, 0, 0));
  EXPECT_NEAR(range->GetOrderValue(first).AsDateTime(), EncodeTime(9, 15, 0, 0), 1e-9);
  EXPECT_NEAR(range->GetOrderValue(second).AsDateTime(), EncodeTime(9, 40, 0, 0), 1e-9);
  formats_.values.HourFormat = "hh:nn";
  EXPECT_EQ(range->GetDisplayTextFor(second), "09:00");
  formats_.values.HourFormat.clear();
  formats_.values.UseShortTimeFormat = false;
  EXPECT_EQ(range->GetDisplayTextFor(second), "");
}

TEST_F(DateRangeTest, CalendarRangesGiveTheirBoundsAndCaptions) {
  TlxGridFilteringDateRanges ranges;
  ranges.Build(&formats_, lxDateTimeFilterBit(dtfMonths) | lxDateTimeFilterBit(dtfYears) |
                              lxDateTimeFilterBit(dtfRelativeDays));
  ASSERT_EQ(ClassNames(ranges), (std::vector<std::string>{"TlxGridYearRange", "TlxGridMonthRange"}));
  TlxCustomGridDateRange* year = ranges.Items(0);
  TlxCustomGridDateRange* month = ranges.Items(1);
  struct Case {
    TlxCustomGridDateRange* range;
    TDateTime date;
    bool date_only;
    TDateTime first;
    TDateTime last;
    const char* caption;
  };
  const Case cases[] = {
      {month, Day(2024, 2, 10), false, Day(2024, 2, 1), Day(2024, 2, 29) + kLastMillisecond, "February 2024"},
      {month, Day(2024, 2, 10), true, Day(2024, 2, 1), Day(2024, 2, 29), "February 2024"},
      {month, Day(2023, 2, 10), true, Day(2023, 2, 1), Day(2023, 2, 28), "February 2023"},
      {year, At(2024, 7, 4, 12, 0), false, Day(2024, 1, 1), Day(2024, 12, 31) + kLastMillisecond, "2024"},
      // The first and the last month of the calendar.
      {month, Day(1, 1, 15), true, Day(1, 1, 1), Day(1, 1, 31), "January 0001"},
      {year, Day(9999, 12, 31), false, Day(9999, 1, 1), Day(9999, 12, 31) + kLastMillisecond, "9999"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(c.range->Includes(c.date));
    const Variant bounds = c.range->GetFilterValue(c.date_only, c.date);
    ASSERT_TRUE(bounds.IsArray()) << c.caption;
    EXPECT_NEAR(bounds.Array().Get(0).AsDateTime(), c.first, 1e-9) << c.caption;
    EXPECT_NEAR(bounds.Array().Get(1).AsDateTime(), c.last, 1e-9) << c.caption;
    EXPECT_DOUBLE_EQ(c.range->GetGroupValue(c.date).AsDateTime(), c.first) << c.caption;
    EXPECT_EQ(c.range->GetDisplayTextFor(c.date), c.caption);
  }
  formats_.values.MonthFormat = "mm/yyyy";
  formats_.values.YearFormat = "'Jahr' yyyy";
  EXPECT_EQ(month->GetDisplayTextFor(Day(2024, 2, 10)), "02/2024");
  EXPECT_EQ(year->GetDisplayTextFor(Day(2024, 2, 10)), "Jahr 2024");
}

TEST_F(DateRangeTest, DatesOutsideTheCalendarAreAConversionError) {
  TlxGridGroupingDateRanges ranges;
  ranges.Build(&formats_, dtgByMonth);
  TlxCustomGridDateRange* month = ranges.Items(0);
  TlxGridGroupingDateRanges relative;
  relative.Build(&formats_, dtgRelativeToToday);
  for (const TDateTime bad : {kMaxDateTime + 1, kMinDateTime - 1, std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_THROW(month->GetGroupValue(bad), EConvertError) << bad;
    EXPECT_THROW(month->GetFilterValue(true, bad), EConvertError) << bad;
    EXPECT_THROW(relative.FindRangeFor(bad), EConvertError) << bad;
  }
}

TEST_F(DateRangeTest, DayCaptionsFollowTheDateFormatOrStayEmpty) {
  TlxGridGroupingDateRanges ranges;
  ranges.Build(&formats_, dtgByDate);
  TlxCustomGridDateRange* day = ranges.Items(0);
  EXPECT_EQ(day->GetDisplayTextFor(Day(2024, 3, 1)), FormatDateTime(UserLocale().Settings().LongDateFormat,
                                                                    Day(2024, 3, 1)));
  formats_.values.DateFormat = "yyyy-mm-dd";
  EXPECT_EQ(day->GetDisplayTextFor(Day(2024, 3, 1)), "2024-03-01");
  formats_.values.DateFormat.clear();
  formats_.values.UseLongDateFormat = false;
  EXPECT_EQ(day->GetDisplayTextFor(Day(2024, 3, 1)), "");
}

TEST_F(DateRangeTest, GroupingBuildsItsRangesInOrder) {
  struct Case {
    TlxGridDateTimeGrouping grouping;
    std::vector<std::string> classes;
  };
  const Case cases[] = {
      {dtgDefault, {}},
      {dtgByDateAndTime, {}},
      {dtgByHour, {"TlxGridHourRange"}},
      {dtgByDate, {"TlxGridDayRange"}},
      {dtgByMonth, {"TlxGridMonthRange"}},
      {dtgByYear, {"TlxGridYearRange"}},
      {dtgRelativeToToday,
       {"TlxGridYesterdayRange", "TlxGridTodayRange", "TlxGridTomorrowRange", "TlxGridLastWeekRange",
        "TlxGridThisWeekRange", "TlxGridNextWeekRange", "TlxGridLastMonthRange", "TlxGridThisMonthRange",
        "TlxGridNextMonthRange", "TlxGridLastYearRange", "TlxGridThisYearRange", "TlxGridNextYearRange"}},
  };
  TlxGridGroupingDateRanges ranges;
  for (const Case& c : cases) {
    ranges.Build(&formats_, c.grouping);  // building again starts from an empty list
    EXPECT_EQ(ClassNames(ranges), c.classes) << static_cast<int>(c.grouping);
  }
  ranges.Build(&formats_, dtgByDateAndTime);
  EXPECT_TRUE(ranges.HasNoRanges());
  EXPECT_FALSE(ranges.AnyOrdersByTimeOfDay());
  EXPECT_FALSE(ranges.AnyUsesTimeOfDay());
  EXPECT_EQ(ranges.FindRangeFor(Day(2024, 3, 13)), nullptr);
}

TEST_F(DateRangeTest, PreparingCapturesTodayAgain) {
  TlxGridGroupingDateRanges ranges;
  ranges.Build(&formats_, dtgRelativeToToday);
  EXPECT_EQ(ranges.Today(), Day(2024, 3, 13));
  EXPECT_EQ(ranges.ThisYear(), 2024);
  EXPECT_EQ(ranges.ThisMonth(), 3);
  EXPECT_EQ(ranges.ThisDay(), 13);
  EXPECT_EQ(ranges.ThisMonthOrdinal(), 2024 * 12 + 3 - 12);
  {
    TScopedClock next_day(At(2024, 3, 14, 0, 5));
    // Until prepared again the collection keeps its day.
    EXPECT_EQ(ranges.FindRangeFor(Day(2024, 3, 13))->ClassName(), "TlxGridTodayRange");
    ranges.Build(&formats_, dtgRelativeToToday);
    EXPECT_EQ(ranges.FindRangeFor(Day(2024, 3, 13))->ClassName(), "TlxGridYesterdayRange");
  }
}

TEST_F(DateRangeTest, TodayAtTheEndsOfTheCalendar) {
  struct Case {
    TDateTime today;
    TDateTime probe;
    const char* range;
  };
  const Case cases[] = {
      {Day(1, 1, 1), Day(1, 1, 1), "TlxGridTodayRange"},
      {Day(1, 1, 1), Day(1, 1, 6), "TlxGridThisWeekRange"},
      {Day(1, 1, 1), Day(1, 2, 1), "TlxGridNextMonthRange"},
      {Day(9999, 12, 31), Day(9999, 12, 30), "TlxGridYesterdayRange"},
      {Day(9999, 12, 31), Day(9999, 11, 2), "TlxGridLastMonthRange"},
      {Day(9999, 12, 31), Day(9999, 1, 2), "TlxGridThisYearRange"},
  };
  FirstDayOfWeekScope sunday(0);
  for (const Case& c : cases) {
    TScopedClock clock(c.today);
    TlxGridGroupingDateRanges ranges;
    ranges.Build(&formats_, dtgRelativeToToday);
    TlxCustomGridDateRange* range = ranges.FindRangeFor(c.probe);
    ASSERT_NE(range, nullptr) << c.range;
    EXPECT_EQ(range->ClassName(), c.range);
  }
}

TEST(DateRangeOwnershipTest, RangesLeaveTheirCollectionWhenFreedOrRemoved) {
  TScopedLocale locale("en-US");
  TScopedClock clock(Day(2024, 3, 13));
  TlxGridDateRanges ranges;
  ranges.Prepare(nullptr);
  TlxCustomGridDateRange* today = ranges.AddRangeOfClass(&TlxGridTodayRange::kClass);
  TlxCustomGridDateRange* month = ranges.AddRange(std::make_unique<TlxGridMonthRange>());
  ranges.AddRange(std::make_unique<TlxGridYearRange>());
  ASSERT_EQ(ranges.Count(), 3);
  EXPECT_EQ(today->Owner(), &ranges);
  // Without settings the captions take the defaults.
  EXPECT_EQ(month->GetDisplayTextFor(Day(2024, 2, 10)), "February 2024");

  delete today;
  ASSERT_EQ(ranges.Count(), 2);
  EXPECT_EQ(ranges.Items(0), month);

  std::unique_ptr<TlxCustomGridDateRange> removed = ranges.RemoveRange(month);
  ASSERT_EQ(removed.get(), month);
  EXPECT_EQ(removed->Owner(), nullptr);
  EXPECT_EQ(ranges.Count(), 1);
  EXPECT_EQ(ranges.RemoveRange(month), nullptr);
  // Outside a collection a range knows no settings to caption with.
  EXPECT_THROW(removed->GetDisplayTextFor(Day(2024, 2, 10)), EInvalidOperation);

  EXPECT_THROW(ranges.AddRangeOfClass(&TlxCustomGridDateRange::kClass), EInvalidOperation);
  EXPECT_THROW(ranges.AddRangeOfClass(&TlxGridDateRanges::kClass), EInvalidOperation);
  EXPECT_THROW(ranges.AddRange(nullptr), EInvalidOperation);
  EXPECT_THROW(ranges.Items(1), EListError);
  EXPECT_THROW(ranges.Items(-1), EListError);
  ranges.Clear();
  EXPECT_TRUE(ranges.HasNoRanges());
}

}  // namespace
