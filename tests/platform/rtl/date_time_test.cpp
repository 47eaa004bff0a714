#include "platform/rtl/date_time.h"

#include <gtest/gtest.h>

#include "platform/rtl/clock.h"
#include "platform/rtl/exceptions.h"

namespace {

TEST(DateTime, EncodesAndDecodesAcrossTheRange) {
  struct Case {
    int year, month, day;
    double value;
  };
  const Case cases[] = {
      {1899, 12, 30, 0},     {1899, 12, 31, 1},      {1900, 1, 1, 2},     {1899, 12, 29, -1},
      {2000, 2, 29, 36585},  {2024, 3, 15, 45366},   {1, 1, 1, -693593},  {9999, 12, 31, 2958465},
      {1601, 1, 1, -109205}, {1970, 1, 1, 25569},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeDate(c.year, c.month, c.day), c.value) << c.year << "-" << c.month << "-" << c.day;
    const TDateParts parts = DecodeDateParts(c.value);
    EXPECT_EQ(parts.year, c.year);
    EXPECT_EQ(parts.month, c.month);
    EXPECT_EQ(parts.day, c.day);
  }
}

TEST(DateTime, RejectsInvalidPartsWithThePlatformText) {
  TDateTime out = 0;
  for (const auto& [y, m, d] : {std::tuple{2023, 2, 29}, {1900, 2, 29}, {0, 1, 1}, {10000, 1, 1}, {2024, 13, 1},
                                 {2024, 4, 31}, {2024, 1, 0}}) {
    EXPECT_FALSE(TryEncodeDate(y, m, d, out)) << y << "-" << m << "-" << d;
  }
  try {
    EncodeDate(2023, 2, 29);
    ADD_FAILURE();
  } catch (const EConvertError& error) {
    EXPECT_EQ(error.Message(), "Invalid argument to date encode");
  }
  try {
    EncodeTime(24, 0, 0, 0);
    ADD_FAILURE();
  } catch (const EConvertError& error) {
    EXPECT_EQ(error.Message(), "Invalid argument to time encode");
  }
  EXPECT_THROW(DecodeDateParts(1e10), EConvertError);
  EXPECT_THROW(DecodeDateParts(std::numeric_limits<double>::quiet_NaN()), EConvertError);
}

TEST(DateTime, TimesRoundToTheMillisecondAndNegativeDatesCountForwards) {
  const TTimeParts noon = DecodeTimeParts(EncodeTime(12, 34, 56, 789));
  EXPECT_EQ(noon.hour, 12);
  EXPECT_EQ(noon.minute, 34);
  EXPECT_EQ(noon.second, 56);
  EXPECT_EQ(noon.millisecond, 789);
  // -1.25 is 1899-12-29 06:00.
  EXPECT_EQ(DecodeDateParts(-1.25).day, 29);
  EXPECT_EQ(DecodeTimeParts(-1.25).hour, 6);
  EXPECT_EQ(ComposeDateTime(-1, 0.25), -1.25);
  // A hair before midnight rounds into the next day.
  const TDateTime almost = EncodeDate(2024, 12, 31) + 0.9999999999;
  EXPECT_EQ(DecodeDateParts(almost).year, 2025);
  EXPECT_EQ(DecodeTimeParts(almost).hour, 0);
}

TEST(DateTime, WeekdaysLeapYearsAndMonths) {
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 15)), 6);  // Friday
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7); // Saturday
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 24)), 1); // Sunday, before day 0
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(2024, 13), 0);
  EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 31)), EncodeDate(2024, 2, 29));
  EXPECT_EQ(IncMonth(EncodeDate(2024, 3, 31) + 0.5, -13), EncodeDate(2023, 2, 28) + 0.5);
  EXPECT_EQ(IncMonth(EncodeDate(2024, 11, 15), 2), EncodeDate(2025, 1, 15));
  EXPECT_THROW(IncMonth(EncodeDate(9999, 12, 1), 1), EConvertError);
}

TEST(DateTime, FileTimes) {
  // 2024-03-15 12:00:00 UTC as a file time.
  const uint64_t file_time = 133549776000000000ull;
  EXPECT_EQ(FileTimeToDateTime(file_time), EncodeDate(2024, 3, 15) + 0.5);
  EXPECT_EQ(DateTimeToFileTime(EncodeDate(2024, 3, 15) + 0.5), file_time);
  EXPECT_EQ(FileTimeToDateTime(0), EncodeDate(1601, 1, 1));
  // DOS: 2024-03-15 13:45:30.
  const uint32_t dos = ((44u << 9 | 3u << 5 | 15u) << 16) | (13u << 11 | 45u << 5 | 15u);
  EXPECT_EQ(FileDateToDateTime(dos), EncodeDate(2024, 3, 15) + EncodeTime(13, 45, 30, 0));
  EXPECT_EQ(DateTimeToFileDate(FileDateToDateTime(dos)), dos);
  EXPECT_THROW(FileDateToDateTime(0), EConvertError);  // month 0
}

TEST(Clock, TestsCanFixNowAndListenersHearChanges) {
  int notified = 0;
  const int id = AddTimeChangeListener([&] { ++notified; });
  {
    TScopedClock clock(EncodeDate(2024, 3, 15) + EncodeTime(9, 30, 0, 0));
    EXPECT_EQ(Date(), EncodeDate(2024, 3, 15));
    EXPECT_EQ(Time(), EncodeTime(9, 30, 0, 0));
    EXPECT_EQ(Now(), EncodeDate(2024, 3, 15) + EncodeTime(9, 30, 0, 0));
  }
  NotifyTimeChanged();
  EXPECT_EQ(notified, 1);
  RemoveTimeChangeListener(id);
  NotifyTimeChanged();
  EXPECT_EQ(notified, 1);
  // The system clock is back: a date in this century.
  EXPECT_GT(Now(), EncodeDate(2020, 1, 1));
}

}  // namespace
