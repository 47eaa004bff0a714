#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "data/hebrew_calendar_table.h"
#include "data/hijri_calendar_table.h"

namespace {

struct Ymd {
  int year;
  int month;
  int day;
};

Ymd Decode(const TlxCustomCalendarTable& table, TDateTime value) {
  TlxCalendarDate date;
  table.DecodeDateTimeParts(date, value);
  return {date.Year, date.Month, date.Day};
}

void ExpectDecodes(const TlxCustomCalendarTable& table, TDateTime value, Ymd expected) {
  const Ymd got = Decode(table, value);
  const TDateParts parts = DecodeDateParts(value);
  EXPECT_EQ(got.year, expected.year) << parts.year << "-" << parts.month << "-" << parts.day;
  EXPECT_EQ(got.month, expected.month) << parts.year << "-" << parts.month << "-" << parts.day;
  EXPECT_EQ(got.day, expected.day) << parts.year << "-" << parts.month << "-" << parts.day;
  EXPECT_EQ(table.EncodeYearMonthDay(expected.year, expected.month, expected.day), std::trunc(value));
}

TEST(HijriCalendarTableTest, KnownDaysAndTheLeapYearsLastDay) {
  const TlxHijriCalendarTable table;
  ExpectDecodes(table, EncodeDate(622, 7, 18), {1, 1, 1});
  ExpectDecodes(table, EncodeDate(2023, 7, 18), {1445, 1, 1});
  ExpectDecodes(table, EncodeDate(2024, 7, 6), {1445, 12, 30});
  ExpectDecodes(table, EncodeDate(2024, 7, 7), {1446, 1, 1});
  EXPECT_TRUE(table.YearIsLeap(1445));
  EXPECT_EQ(table.DayCountOfYear(1445), 355);
  EXPECT_EQ(table.DayCountOfYear(1446), 354);
  EXPECT_TRUE(table.FallsOnLeapDay(1445, 12, 30));
  EXPECT_TRUE(table.YearIsLeap(15));   // 15 of the cycle, not 16
  EXPECT_FALSE(table.YearIsLeap(16));
  EXPECT_EQ(table.WholeWeeksOfYear(1445), 50);
  EXPECT_EQ(table.WholeWeeksOfYear(1), 50);
}

TEST(HijriCalendarTableTest, RangeEndsAreGregorianDates) {
  const TlxHijriCalendarTable table;
  EXPECT_EQ(table.EarliestDate(), EncodeDate(622, 7, 18));
  EXPECT_EQ(table.LatestDate(), kMaxDateTime);
  const Ymd last = Decode(table, table.LatestDate());
  EXPECT_TRUE(table.DayIsValid(last.year, last.month, last.day));
  EXPECT_LE(last.year, table.LatestYear());
  // Values beyond the platform's dates are read as its ends.
  EXPECT_EQ(Decode(table, 1e300).year, last.year);
  TlxCalendarDate date;
  table.DecodeDateTimeParts(date, std::nan(""));
  EXPECT_EQ(date.Year, Decode(table, kMinDateTime).year);
}

TEST(HijriCalendarTableTest, EveryDayRoundTripsUntil2200) {
  const TlxHijriCalendarTable table;
  for (TDateTime day = table.EarliestDate(); day <= EncodeDate(2200, 1, 1); day += 1) {
    TlxCalendarDate date;
    table.DecodeDateTimeParts(date, ComposeDateTime(day, 0.25));
    ASSERT_TRUE(table.DayIsValid(date.Year, date.Month, date.Day)) << day;
    ASSERT_EQ(date.Hour, 6);
    ASSERT_EQ(table.EncodeCalendarDate(date), ComposeDateTime(day, 0.25)) << day;
  }
}

TEST(HebrewCalendarTableTest, TheYearTableHoldsItsTellingRows) {
  struct Row {
    int year;
    int code;
    int type;
  };
  const Row rows[] = {{1583, 7, 3}, {1585, 0, 4}, {2023, 8, 3}, {2024, 20, 4}, {2239, 24, 6}};
  for (const Row& row : rows) {
    int code = -1;
    int type = -1;
    ASSERT_TRUE(lxHebrewYearTableRow(row.year, code, type));
    EXPECT_EQ(code, row.code) << row.year;
    EXPECT_EQ(type, row.type) << row.year;
  }
  int code = 0;
  int type = 0;
  EXPECT_FALSE(lxHebrewYearTableRow(1582, code, type));
  EXPECT_FALSE(lxHebrewYearTableRow(2240, code, type));
  for (int year = 1583; year <= 2239; ++year) {
    ASSERT_TRUE(lxHebrewYearTableRow(year, code, type));
    ASSERT_GE(type, 1) << year;
    ASSERT_LE(type, 6) << year;
    ASSERT_TRUE(code >= 0 && code <= 33) << year;
  }
}

TEST(HebrewCalendarTableTest, KnownDays) {
  const TlxHebrewCalendarTable table;
  ExpectDecodes(table, EncodeDate(2023, 9, 16), {5784, 1, 1});
  ExpectDecodes(table, EncodeDate(2024, 1, 1), {5784, 4, 20});
  ExpectDecodes(table, EncodeDate(2024, 4, 23), {5784, 8, 15});
  ExpectDecodes(table, EncodeDate(2023, 9, 15), {5783, 12, 29});
  ExpectDecodes(table, EncodeDate(2024, 10, 3), {5785, 1, 1});
  ExpectDecodes(table, EncodeDate(1583, 1, 1), {5343, 4, 7});
  ExpectDecodes(table, EncodeDate(2239, 9, 29), {5999, 13, 29});
  EXPECT_TRUE(table.YearIsLeap(5784));
  EXPECT_EQ(table.DayCountOfYear(5784), 383);
  EXPECT_EQ(table.MonthCountOfYear(5784), 13);
  EXPECT_TRUE(table.MonthIsLeap(5784, 7));
  EXPECT_FALSE(table.MonthIsLeap(5783, 7));
  EXPECT_TRUE(table.FallsOnLeapDay(5784, 7, 3));
  EXPECT_EQ(table.WholeWeeksOfYear(5784), 383 / 7);
}

TEST(HebrewCalendarTableTest, OutsideTheRange) {
  const TlxHebrewCalendarTable table;
  TlxCalendarDate late;
  table.DecodeDateTimeParts(late, EncodeDate(2300, 1, 1));
  EXPECT_EQ(late.Year, 5999);
  EXPECT_EQ(late.Month, 13);
  EXPECT_EQ(late.Day, 29);
  EXPECT_EQ(late.Hour, 23);
  EXPECT_EQ(late.Minute, 59);
  EXPECT_EQ(late.Second, 59);
  EXPECT_EQ(late.Millisecond, 999);
  EXPECT_EQ(Decode(table, EncodeDate(1500, 1, 1)).day, 7);
  EXPECT_FALSE(table.YearIsLeap(6000));
  EXPECT_EQ(table.MonthCountOfYear(6000), 12);
  EXPECT_EQ(table.DayCountOfYear(6000), 0);
  EXPECT_EQ(table.DayCountOfMonth(5783, 13), 0);
  EXPECT_EQ(table.EncodeYearMonthDay(5783, 13, 1), table.EarliestDate());
  EXPECT_EQ(table.EncodeYearMonthDay(6000, 1, 1), table.EarliestDate());
  EXPECT_EQ(table.ShiftMonthsOfDateTime(EncodeDate(2239, 9, 1), 2), table.EarliestDate());
}

TEST(HebrewCalendarTableTest, EveryDayOfTheRangeRoundTrips) {
  const TlxHebrewCalendarTable table;
  Ymd previous = Decode(table, table.EarliestDate());
  for (TDateTime day = table.EarliestDate(); day <= std::trunc(table.LatestDate()); day += 1) {
    TlxCalendarDate date;
    table.DecodeDateTimeParts(date, ComposeDateTime(day, 0.75));
    ASSERT_TRUE(table.DayIsValid(date.Year, date.Month, date.Day)) << day;
    ASSERT_EQ(date.Hour, 18);
    ASSERT_EQ(table.EncodeCalendarDate(date), ComposeDateTime(day, 0.75)) << day;
    // Consecutive days: the next day of the month, or day 1 of the next.
    if (day > table.EarliestDate()) {
      const bool next_day = date.Year == previous.year && date.Month == previous.month && date.Day == previous.day + 1;
      ASSERT_TRUE(next_day || date.Day == 1) << day;
    }
    previous = {date.Year, date.Month, date.Day};
  }
}

TEST(HebrewCalendarTableTest, NumeralsInBothEncodings) {
  const TlxHebrewCalendarTable table;
  EXPECT_EQ(lxHebrewNumeralValue("\xE8\xE5"), 15);                     // tet vav
  EXPECT_EQ(lxHebrewNumeralValue("\xFA\xF9\xF4\xE3"), 784);             // tav shin pe dalet
  EXPECT_EQ(lxHebrewNumeralValue("\xF3"), lxHebrewNumeralValue("\xF4"));  // final pe
  EXPECT_EQ(lxHebrewNumeralValue("\xD7\x98\xD7\x95"), 15);              // tet vav in UTF-8
  EXPECT_EQ(lxHebrewNumeralValue("\xFA\xF9\xF4\"\xE3"), 784);           // gershayim counts 0
  EXPECT_EQ(lxHebrewNumeralValue("15"), 0);
  EXPECT_EQ(table.ParseYearText("\xFA\xF9\xF4\xE3"), 5784);
  EXPECT_EQ(table.ParseDayText("\xE8\xE5"), 15);
  EXPECT_EQ(table.ParseDayText("15"), 15);
  EXPECT_EQ(table.ParseMonthText(5784, "\xE6"), 7);  // zayin
}

TEST(LunarCalendarTablesTest, WeekNumbersStartOnTheTablesWeekday) {
  const TlxHebrewCalendarTable hebrew;
  TlxCalendarDate first;
  hebrew.DecodeDateTimeParts(first, EncodeDate(2023, 9, 16));  // 5784-1-1, a Saturday
  EXPECT_EQ(hebrew.WeekNumberOfCalendarDate(first, 1, 1), 1);
  // With the first full week, its week began in 5783: the previous year's
  // last week, not week 1.
  const int last_of_5783 = hebrew.WeekNumberOfDateTime(EncodeDate(2023, 9, 15), 0, 2);
  EXPECT_EQ(last_of_5783, 50);  // 355 days from a Saturday
  EXPECT_EQ(hebrew.WeekNumberOfCalendarDate(first, 0, 2), last_of_5783);
  EXPECT_EQ(hebrew.WeekNumberOfDateTime(EncodeDate(2023, 9, 17), 0, 2), 1);
  const TlxHijriCalendarTable hijri;
  EXPECT_EQ(hijri.LocaleWeekStart(), 6);
  EXPECT_EQ(hijri.WeekNumberOfDateTime(EncodeDate(2023, 7, 18), 0, 1), 1);
}

}  // namespace
