#include "platform/rtl/date_time.h"

#include <cmath>

#include "platform/rtl/clock.h"
#include "platform/rtl/exceptions.h"

namespace {

// Day number of 1899-12-30 counted from 0001-01-01 (= day 1).
constexpr int64_t kDaysTo1899 = 693594;
constexpr int64_t kFileTimeTicksPerMs = 10'000;
// 1601-01-01 as a TDateTime.
constexpr int64_t kFileTimeEpochDays = -109205;

// Days from 0001-01-01 (day 1) to the given date, proleptic Gregorian.
int64_t DayNumber(int year, int month, int day) {
  int64_t days = day;
  for (int m = 1; m < month; ++m)
    days += DaysInMonth(year, m);
  const int64_t y = year - 1;
  return days + y * 365 + y / 4 - y / 100 + y / 400;
}

// Inverse of DayNumber for day numbers >= 1.
TDateParts PartsOfDayNumber(int64_t day_number) {
  int64_t remaining = day_number - 1;  // days since 0001-01-01
  const int64_t cycles400 = remaining / 146097;
  remaining %= 146097;
  int64_t cycles100 = remaining / 36524;
  if (cycles100 == 4)
    cycles100 = 3;
  remaining -= cycles100 * 36524;
  const int64_t cycles4 = remaining / 1461;
  remaining %= 1461;
  int64_t years = remaining / 365;
  if (years == 4)
    years = 3;
  remaining -= years * 365;

  TDateParts parts;
  parts.year = static_cast<uint16_t>(cycles400 * 400 + cycles100 * 100 + cycles4 * 4 + years + 1);
  int month = 1;
  while (remaining >= DaysInMonth(parts.year, month)) {
    remaining -= DaysInMonth(parts.year, month);
    ++month;
  }
  parts.month = static_cast<uint16_t>(month);
  parts.day = static_cast<uint16_t>(remaining + 1);
  return parts;
}

struct SplitValue {
  int64_t day;  // the calendar day as a TDateTime day
  int64_t ms;   // milliseconds into that day
};

// Splits a value into its day and time of day, rounded to the millisecond;
// a time that rounds up to midnight moves to the next calendar day.
SplitValue Split(TDateTime value) {
  if (!IsValidDateTime(value))
    throw EConvertError("Invalid argument to date encode");
  const double day = std::trunc(value);
  const double fraction = std::fabs(value - day);
  SplitValue split{static_cast<int64_t>(day), std::llround(fraction * static_cast<double>(kMSecsPerDay))};
  if (split.ms >= kMSecsPerDay) {
    split.ms -= kMSecsPerDay;
    ++split.day;
  }
  return split;
}

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12)
    return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& out) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
    return false;
  out = static_cast<TDateTime>(DayNumber(year, month, day) - kDaysTo1899);
  return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& out) {
  if (hour < 0 || hour >= kHoursPerDay || minute < 0 || minute >= 60 || second < 0 || second >= 60 ||
      millisecond < 0 || millisecond >= 1000)
    return false;
  const int64_t ms = ((hour * 60 + minute) * 60 + second) * 1000LL + millisecond;
  out = static_cast<double>(ms) / static_cast<double>(kMSecsPerDay);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime out = 0;
  if (!TryEncodeDate(year, month, day, out))
    throw EConvertError::DateEncode();
  return out;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
  TDateTime out = 0;
  if (!TryEncodeTime(hour, minute, second, millisecond, out))
    throw EConvertError::TimeEncode();
  return out;
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time) {
  return date < 0 ? date - std::fabs(time) : date + std::fabs(time);
}

bool IsValidDateTime(TDateTime value) {
  return std::isfinite(value) && value >= kMinDateTime - 1.0 + 1e-9 && value < kMaxDateTime + 1e-8;
}

TDateParts DecodeDateParts(TDateTime value) { return PartsOfDayNumber(Split(value).day + kDaysTo1899); }

TTimeParts DecodeTimeParts(TDateTime value) {
  int64_t ms = Split(value).ms;
  TTimeParts parts;
  parts.millisecond = static_cast<uint16_t>(ms % 1000);
  ms /= 1000;
  parts.second = static_cast<uint16_t>(ms % 60);
  ms /= 60;
  parts.minute = static_cast<uint16_t>(ms % 60);
  parts.hour = static_cast<uint16_t>(ms / 60);
  return parts;
}

void DecodeDate(TDateTime value, uint16_t& year, uint16_t& month, uint16_t& day) {
  const TDateParts parts = DecodeDateParts(value);
  year = parts.year;
  month = parts.month;
  day = parts.day;
}

void DecodeTime(TDateTime value, uint16_t& hour, uint16_t& minute, uint16_t& second, uint16_t& millisecond) {
  const TTimeParts parts = DecodeTimeParts(value);
  hour = parts.hour;
  minute = parts.minute;
  second = parts.second;
  millisecond = parts.millisecond;
}

int DayOfWeek(TDateTime value) {
  // Day 0 (1899-12-30) was a Saturday.
  const int64_t day = Split(value).day;
  return static_cast<int>(((day % 7) + 7 + 6) % 7) + 1;
}

TDateTime DateOf(TDateTime value) { return static_cast<TDateTime>(Split(value).day); }

TDateTime TimeOf(TDateTime value) {
  return static_cast<double>(Split(value).ms) / static_cast<double>(kMSecsPerDay);
}

TDateTime IncMonth(TDateTime value, int months) {
  const TDateParts parts = DecodeDateParts(value);
  int64_t total = parts.year * 12LL + (parts.month - 1) + months;
  if (total < 12 || total >= 10000LL * 12)
    throw EConvertError::DateEncode();
  const int year = static_cast<int>(total / 12);
  const int month = static_cast<int>(total % 12) + 1;
  const int day = std::min<int>(parts.day, DaysInMonth(year, month));
  return ComposeDateTime(EncodeDate(year, month, day), TimeOf(value));
}

TDateTime Now() { return ClockNow(); }
TDateTime Date() { return DateOf(ClockNow()); }
TDateTime Time() { return TimeOf(ClockNow()); }

TDateTime FileTimeToDateTime(uint64_t file_time) {
  const int64_t total_ms = static_cast<int64_t>(file_time / kFileTimeTicksPerMs);
  const int64_t days = total_ms / kMSecsPerDay;
  const int64_t ms = total_ms % kMSecsPerDay;
  return ComposeDateTime(static_cast<double>(kFileTimeEpochDays + days),
                         static_cast<double>(ms) / static_cast<double>(kMSecsPerDay));
}

uint64_t DateTimeToFileTime(TDateTime value) {
  const SplitValue split = Split(value);
  const int64_t days = split.day - kFileTimeEpochDays;
  if (days < 0)
    throw EConvertError::DateEncode();
  return static_cast<uint64_t>(days * kMSecsPerDay + split.ms) * kFileTimeTicksPerMs;
}

TDateTime FileDateToDateTime(uint32_t dos_date_time) {
  const uint32_t date = dos_date_time >> 16;
  const uint32_t time = dos_date_time & 0xFFFF;
  TDateTime day = 0;
  TDateTime clock = 0;
  if (!TryEncodeDate(static_cast<int>((date >> 9) + 1980), static_cast<int>((date >> 5) & 15),
                     static_cast<int>(date & 31), day) ||
      !TryEncodeTime(static_cast<int>(time >> 11), static_cast<int>((time >> 5) & 63),
                     static_cast<int>((time & 31) * 2), 0, clock))
    throw EConvertError::DateEncode();
  return ComposeDateTime(day, clock);
}

uint32_t DateTimeToFileDate(TDateTime value) {
  const TDateParts date = DecodeDateParts(value);
  const TTimeParts time = DecodeTimeParts(value);
  if (date.year < 1980 || date.year > 2107)
    return 0;
  const uint32_t packed_date = ((date.year - 1980u) << 9) | (date.month << 5) | date.day;
  const uint32_t packed_time = (time.hour << 11) | (time.minute << 5) | (time.second / 2u);
  return (packed_date << 16) | packed_time;
}
