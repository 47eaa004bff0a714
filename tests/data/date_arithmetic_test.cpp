#include "data/date_arithmetic.h"

#include <gtest/gtest.h>

#include "platform/rtl/locale.h"

namespace {

// The week number by the Thursday of the date's Monday-started week: the
// standard four-day rule, computed another way than the routine does.
int ThursdayWeek(TDateTime date) {
  const int monday_based = (DayOfWeek(date) + 5) % 7;
  const TDateTime thursday = date - monday_based + 3;
  const TDateParts parts = DecodeDateParts(thursday);
  return static_cast<int>((thursday - EncodeDate(parts.year, 1, 1)) / 7) + 1;
}

TEST(DateArithmeticTest, MonthOrdinalAndMonthBounds) {
  EXPECT_EQ(lxMonthOrdinal(EncodeDate(2024, 3, 15)), 24279);
  EXPECT_EQ(lxMonthOrdinal(EncodeDate(2024, 1, 1)) - lxMonthOrdinal(EncodeDate(2023, 12, 31)), 1);
  EXPECT_EQ(lxLastDayOfMonth(true, EncodeDate(2000, 2, 10) + 0.5), EncodeDate(2000, 2, 29));
  EXPECT_EQ(lxLastDayOfMonth(true, EncodeDate(1900, 2, 10)), EncodeDate(1900, 2, 28));
  const TTimeParts end = DecodeTimeParts(lxLastDayOfMonth(false, EncodeDate(2000, 2, 10)));
  EXPECT_EQ(end.hour, 23);
  EXPECT_EQ(end.minute, 59);
  EXPECT_EQ(end.second, 59);
  EXPECT_EQ(end.millisecond, 999);
  EXPECT_EQ(lxFirstDayOfMonth(EncodeDate(2024, 3, 15) + 0.25), EncodeDate(2024, 3, 1));
  EXPECT_EQ(lxFirstDayOfYear(EncodeDate(2024, 3, 15)), EncodeDate(2024, 1, 1));
  EXPECT_EQ(lxLastDayOfYear(true, EncodeDate(2024, 3, 15)), EncodeDate(2024, 12, 31));
  EXPECT_EQ(lxMonthDayCount(2023, 2), 28);
  EXPECT_EQ(lxMonthDayCount(2023, 13), 0);
  EXPECT_EQ(lxDateOfDateTime(-1.25), -1.0);
  EXPECT_DOUBLE_EQ(lxTimeOfDateTime(2.75), 0.75);
}

TEST(DateArithmeticTest, ExtractsDatePartsByTheGregorianCalendarWithoutATable) {
  const TDateTime date = EncodeDate(2024, 3, 15);
  EXPECT_EQ(lxExtractDatePart(lxdpYear, nullptr, date), 2024);
  EXPECT_EQ(lxExtractDatePart(lxdpMonth, nullptr, date), 3);
  EXPECT_EQ(lxExtractDatePart(lxdpDay, nullptr, date), 15);
}

TEST(DateArithmeticTest, DayOfWeekOffsetFollowsTheFormatControllersWeekStart) {
  const TDateTime sunday = EncodeDate(2024, 6, 9);
  {
    TScopedLocale locale("de-DE");
    EXPECT_EQ(lxDayOfWeekOffset(sunday), 6);
    EXPECT_EQ(lxDayOfWeekOffset(sunday + 1), 0);
  }
  TScopedLocale locale("en-US");
  EXPECT_EQ(lxDayOfWeekOffset(sunday), 0);
}

TEST(DateArithmeticTest, WeekNumbersOfTheFourDayRuleFrom2015To2030) {
  for (TDateTime day = EncodeDate(2015, 1, 1); day <= EncodeDate(2030, 12, 31); day += 1) {
    ASSERT_EQ(lxWeekOfYear(1, lxfwFourDays, day), ThursdayWeek(day)) << DecodeDateParts(day).year << "-"
                                                                     << DecodeDateParts(day).month << "-"
                                                                     << DecodeDateParts(day).day;
  }
}

TEST(DateArithmeticTest, WeekNumbersAtTheTurnOfTheYear) {
  struct Case {
    int first_weekday;
    int rule;
    TDateTime date;
    int week;
  };
  const Case cases[] = {
      {1, lxfwFourDays, EncodeDate(2024, 12, 31), 1},  // a Tuesday: week 1 of 2025
      {1, lxfwFourDays, EncodeDate(2021, 1, 1), 53},   // a Friday: the last week of 2020
      {1, lxfwFourDays, EncodeDate(2021, 1, 4), 1},
      {0, lxfwFullWeek, EncodeDate(2023, 1, 1), 1},    // a Sunday, the first full week
      {1, lxfwFullWeek, EncodeDate(2023, 1, 1), 52},   // before the first full Monday week
      {1, lxfwFullWeek, EncodeDate(2023, 1, 2), 1},
      {1, lxfwFullWeek, EncodeDate(2024, 12, 31), 53},  // rule 2 never moves December into week 1
      {0, lxfwJanFirst, EncodeDate(2022, 12, 31), 53},  // a Saturday: its week ends before January
      {0, lxfwJanFirst, EncodeDate(2023, 12, 31), 1},   // a Sunday: its week holds 1 January
      {0, lxfwJanFirst, EncodeDate(2023, 1, 7), 1},
      {0, lxfwJanFirst, EncodeDate(2023, 1, 8), 2},
  };
  for (const Case& c : cases) {
    const TDateParts parts = DecodeDateParts(c.date);
    EXPECT_EQ(lxWeekOfYear(c.first_weekday, c.rule, c.date + 0.5), c.week)
        << parts.year << "-" << parts.month << "-" << parts.day << " rule " << c.rule;
  }
}

TEST(DateArithmeticTest, RuleZeroIsTheLocalesRule) {
  const TDateTime new_years_day = EncodeDate(2021, 1, 1);
  {
    TScopedLocale locale("de-DE");  // the first week with four days
    EXPECT_EQ(lxWeekOfYear(1, lxfwLocale, new_years_day), 53);
  }
  TScopedLocale locale("en-US");  // the week of 1 January
  EXPECT_EQ(lxWeekOfYear(0, lxfwLocale, new_years_day), 1);
}

TEST(DateArithmeticTest, WeekStartAndLeapYears) {
  EXPECT_EQ(lxWeekStartOf(1, EncodeDate(2024, 6, 9) + 0.5), EncodeDate(2024, 6, 3));
  EXPECT_EQ(lxWeekStartOf(0, EncodeDate(2024, 6, 9) + 0.5), EncodeDate(2024, 6, 9));
  EXPECT_TRUE(lxIsLeapYear(2000));
  EXPECT_FALSE(lxIsLeapYear(1900));
  EXPECT_TRUE(lxIsLeapYear(2024));
  EXPECT_FALSE(lxIsLeapYear(2023));
}

}  // namespace
