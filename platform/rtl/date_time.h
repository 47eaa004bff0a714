#pragma once
// Dates and times: a TDateTime counts days since 1899-12-30 in a double;
// the fraction is the time of day. Before that day the value is negative
// and its fraction still counts forwards from midnight (-1.25 is
// 1899-12-29 06:00), as the platform's dates do.

#include <cstdint>

using TDateTime = double;

constexpr int kHoursPerDay = 24;
constexpr int64_t kMSecsPerDay = 86'400'000;
constexpr TDateTime kMinDateTime = -693593.0;          // 0001-01-01
constexpr TDateTime kMaxDateTime = 2958465.99999999;   // 9999-12-31 23:59:59.999

struct TDateParts {
  uint16_t year = 0;
  uint16_t month = 0;
  uint16_t day = 0;
};

struct TTimeParts {
  uint16_t hour = 0;
  uint16_t minute = 0;
  uint16_t second = 0;
  uint16_t millisecond = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);  // 0 for an invalid month

// Encoding raises EConvertError ("Invalid argument to date encode" or
// "... time encode") for a part out of range; the Try forms answer false.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
bool TryEncodeDate(int year, int month, int day, TDateTime& out);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& out);
// Date plus time with the sign rule of negative dates.
TDateTime ComposeDateTime(TDateTime date, TDateTime time);

// Decoding rounds to the millisecond; a value outside 0001..9999 (or not a
// number) raises EConvertError.
void DecodeDate(TDateTime value, uint16_t& year, uint16_t& month, uint16_t& day);
void DecodeTime(TDateTime value, uint16_t& hour, uint16_t& minute, uint16_t& second, uint16_t& millisecond);
TDateParts DecodeDateParts(TDateTime value);
TTimeParts DecodeTimeParts(TDateTime value);
bool IsValidDateTime(TDateTime value);

// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime value);
TDateTime DateOf(TDateTime value);
TDateTime TimeOf(TDateTime value);
// Adds months, keeping the time and clamping the day to the target month.
TDateTime IncMonth(TDateTime value, int months = 1);

// "Now": through the clock (clock.h), so that tests can fix it.
TDateTime Now();
TDateTime Date();
TDateTime Time();

// File times: 100-nanosecond ticks since 1601-01-01 (the platform's file
// time, taken as it is: the caller converts UTC to local time first), and
// the packed DOS date and time (date in the high 16 bits).
TDateTime FileTimeToDateTime(uint64_t file_time);
uint64_t DateTimeToFileTime(TDateTime value);
TDateTime FileDateToDateTime(uint32_t dos_date_time);
uint32_t DateTimeToFileDate(TDateTime value);
