#include <gtest/gtest.h>

#include "data/gregorian_calendar_tables.h"
#include "data/smart_dates.h"
#include "platform/rtl/locale.h"
#include "tests/data/date_test_locale.h"

namespace {

TlxCalendarDate Decode(const TlxCustomCalendarTable& table, TDateTime value) {
  TlxCalendarDate date;
  table.DecodeDateTimeParts(date, value);
  return date;
}

TEST(GregorianCalendarTableTest, ShiftsClampTheDayToTheTargetMonth) {
  const TlxGregorianCalendarTable table;
  struct Case {
    TDateTime from;
    int months;
    int years;
    TDateTime expected;
  };
  const Case cases[] = {
      {EncodeDate(2023, 1, 31), 1, 0, EncodeDate(2023, 2, 28)},
      {EncodeDate(2024, 1, 31), 1, 0, EncodeDate(2024, 2, 29)},
      {EncodeDate(2024, 2, 29), 0, 1, EncodeDate(2025, 2, 28)},
      {EncodeDate(2024, 1, 15), -1, 0, EncodeDate(2023, 12, 15)},
      {EncodeDate(2024, 3, 31), -13, 0, EncodeDate(2023, 2, 28)},
      {EncodeDate(2024, 11, 30), 14, 0, EncodeDate(2026, 1, 30)},
      {EncodeDate(9999, 12, 1), 1, 0, EncodeDate(100, 1, 1)},  // no year 10000: the earliest date
  };
  for (const Case& c : cases) {
    const TDateTime shifted =
        c.years != 0 ? table.ShiftYearsOfDateTime(c.from, c.years) : table.ShiftMonthsOfDateTime(c.from, c.months);
    EXPECT_DOUBLE_EQ(shifted, c.expected) << c.from << " " << c.months << " " << c.years;
  }
  EXPECT_EQ(table.ShiftWeeksOfDateTime(EncodeDate(2024, 1, 1), 2), EncodeDate(2024, 1, 15));
  EXPECT_EQ(table.ShiftWeeksOfDateTime(EncodeDate(100, 1, 5), -1), table.EarliestDate());
}

TEST(GregorianCalendarTableTest, InvalidCalendarDatesGiveTheEarliestDate) {
  const TlxGregorianCalendarTable table;
  TlxCalendarDate bad;
  bad.Year = 2023;
  bad.Month = 2;
  bad.Day = 29;
  EXPECT_EQ(table.EncodeCalendarDate(bad), table.EarliestDate());
  EXPECT_EQ(table.ShiftMonthsOfCalendarDate(bad, 1), table.EarliestDate());
  EXPECT_EQ(table.ShiftYearsOfCalendarDate(bad, 1), table.EarliestDate());
  EXPECT_FALSE(table.DayIsValid(2023, 2, 29));
  EXPECT_TRUE(table.DayIsValid(2024, 2, 29));
  EXPECT_FALSE(table.MonthIsValid(2024, 13));
  EXPECT_FALSE(table.YearIsValid(10000));
  EXPECT_EQ(table.EarliestDate(), EncodeDate(100, 1, 1));
  EXPECT_EQ(table.ShiftYearsOfDateTime(EncodeDate(9999, 1, 1), 1), table.EarliestDate());
}

TEST(GregorianCalendarTableTest, DaysWeeksAndLeapDays) {
  TlxGregorianCalendarTable table;
  EXPECT_EQ(table.DayOfYearOfDateTime(EncodeDate(2024, 3, 1)), 61);
  EXPECT_EQ(table.DayCountOfYear(2024), 366);
  EXPECT_TRUE(table.FallsOnLeapDay(2024, 2, 29));
  EXPECT_FALSE(table.FallsOnLeapDay(2024, 3, 29));
  EXPECT_EQ(table.WeekDayOfDateTime(EncodeDate(2024, 6, 9)), 0);
  EXPECT_EQ(table.StartOfWeekFrom(1, EncodeDate(2024, 6, 9)), EncodeDate(2024, 6, 3));
  EXPECT_EQ(table.WeekNumberOfDateTime(EncodeDate(2021, 1, 1), 1, 3), 53);
  // 1 January 2023 is a Sunday; weeks from Monday (type 9) leave a
  // remainder of six days whatever the sign of the difference.
  table.SetCalendarType(9);
  EXPECT_EQ(table.LocaleWeekStart(), 1);
  EXPECT_EQ(table.WholeWeeksOfYear(2023), 53);
  table.SetCalendarType(1);
  EXPECT_EQ(table.WholeWeeksOfYear(2023), 52);  // Sunday start: no remainder
  EXPECT_EQ(table.WholeWeeksOfYear(2022), 53);  // a Saturday
}

TEST(GregorianCalendarTableTest, TwoDigitYearsFollowTheCalendarsLimit) {
  TScopedDateItems locale("en-US", DateItemsWith("en-US", 1, 2029));
  const TlxGregorianCalendarTable table;
  EXPECT_EQ(table.ParseYearText("29"), 2029);
  EXPECT_EQ(table.ParseYearText("30"), 1930);
  EXPECT_EQ(table.ParseYearText("130"), 130);
  EXPECT_EQ(table.ParseYearText(" 5"), 2005);
  EXPECT_EQ(table.ParseMonthText(2024, "march"), 3);
  EXPECT_EQ(table.ParseMonthText(2024, "SEP"), 9);
  EXPECT_EQ(table.ParseMonthText(2024, "11"), 11);
  EXPECT_EQ(table.ParseDayText("x"), 0);
}

TEST(JapaneseCalendarTableTest, ErasChangeOnTheirFirstDay) {
  const TlxJapaneseCalendarTable table;
  struct Case {
    TDateTime date;
    int era;
    int year;
  };
  const Case cases[] = {
      {EncodeDate(1868, 9, 8), 0, 1},   {EncodeDate(1912, 7, 29), 0, 45}, {EncodeDate(1912, 7, 30), 1, 1},
      {EncodeDate(1989, 1, 7), 2, 64},  {EncodeDate(1989, 1, 8), 3, 1},   {EncodeDate(2019, 4, 30), 3, 31},
      {EncodeDate(2019, 5, 1), 4, 1},   {EncodeDate(2024, 3, 13), 4, 6},
  };
  for (const Case& c : cases) {
    const TlxCalendarDate date = Decode(table, c.date);
    EXPECT_EQ(date.Era, c.era) << c.date;
    EXPECT_EQ(date.Year, c.year) << c.date;
    EXPECT_EQ(table.EncodeCalendarDate(date), c.date);
  }
  EXPECT_EQ(table.StandardEra().EraNumber(), 5);
  EXPECT_EQ(table.StandardEra().GregorianYearOffset(), 2018);
  EXPECT_EQ(table.EncodeYearMonthDay(6, 3, 13), EncodeDate(2024, 3, 13));
  EXPECT_EQ(table.EarliestDate(), EncodeDate(1868, 9, 8));
  // A month later crosses from the fourth era into the fifth.
  const TlxCalendarDate april = Decode(table, EncodeDate(2019, 4, 15));
  EXPECT_EQ(table.ShiftMonthsOfCalendarDate(april, 1), EncodeDate(2019, 5, 15));
  EXPECT_EQ(Decode(table, table.ShiftYearsOfDateTime(EncodeDate(2018, 6, 1), 1)).Era, 4);
}

TEST(EraCalendarTablesTest, YearsFollowTheirEra) {
  const TlxThaiCalendarTable thai;
  EXPECT_EQ(Decode(thai, EncodeDate(2024, 3, 13)).Year, 2567);
  EXPECT_EQ(thai.EncodeYearMonthDay(2567, 3, 13), EncodeDate(2024, 3, 13));
  EXPECT_EQ(thai.EarliestYear(), 544);
  const TlxTaiwanCalendarTable taiwan;
  EXPECT_EQ(Decode(taiwan, EncodeDate(2024, 3, 13)).Year, 113);
  EXPECT_EQ(taiwan.EarliestDate(), EncodeDate(1912, 1, 1));
  const TlxKoreanCalendarTable korean;
  EXPECT_EQ(Decode(korean, EncodeDate(2024, 3, 13)).Year, 4357);
  EXPECT_TRUE(korean.YearIsLeap(4357));  // 2024
  EXPECT_EQ(korean.LatestYear(), 12332);
}

TEST(CalendarTableTest, TablesByPlatformCalendarType) {
  struct Case {
    int type;
    const TClass* cls;
    int answered;
  };
  const Case cases[] = {
      {1, &TlxGregorianCalendarTable::kClass, 1},  {2, &TlxGregorianCalendarTable::kClass, 2},
      {3, &TlxJapaneseCalendarTable::kClass, 3},   {4, &TlxTaiwanCalendarTable::kClass, 4},
      {5, &TlxKoreanCalendarTable::kClass, 5},     {6, &TObject::kClass, 6},
      {7, &TlxThaiCalendarTable::kClass, 7},       {8, &TObject::kClass, 8},
      {10, &TlxGregorianCalendarTable::kClass, 10}, {13, &TlxGregorianCalendarTable::kClass, 1},
      {-4, &TlxGregorianCalendarTable::kClass, 1},
  };
  for (const Case& c : cases) {
    const auto table = lxCreateCalendarTable(c.type);
    EXPECT_TRUE(table->ClassType()->InheritsFrom(c.cls)) << c.type;
    EXPECT_EQ(table->WindowsCalendarType(), c.answered) << c.type;
    EXPECT_EQ(lxIsGregorianCalendarType(table.get()), c.answered <= 2 || c.answered >= 9) << c.type;
  }
}

}  // namespace
