#include "data/hijri_calendar_table.h"

#include <algorithm>
#include <cmath>

#include "data/smart_dates.h"
#include "platform/rtl/text.h"

namespace {

// TDateTime of 1 January of year 1, and the days from there to the day
// before 18 July 622.
constexpr TDateTime kFirstOfYearOne = kMinDateTime;
constexpr int64_t kEpochOffset = 227013;

bool IsLeapInCycle(int64_t year) {
  switch (((year % 30) + 30) % 30) {
    case 2: case 5: case 7: case 10: case 13: case 15: case 18: case 21: case 24: case 26: case 29:
      return true;
    default:
      return false;
  }
}

// Leap years among the cycle years 1..position.
int64_t LeapYearsUpTo(int64_t position) {
  int64_t count = 0;
  for (int64_t year = 1; year <= position; ++year)
    count += IsLeapInCycle(year) ? 1 : 0;
  return count;
}

// Days from the epoch to the end of `years` whole years.
int64_t DaysOfYears(int64_t years) {
  const int64_t cycles = years >= 0 ? years / 30 : -((-years + 29) / 30);
  const int64_t rest = years - cycles * 30;
  return 354 * years + 11 * cycles + LeapYearsUpTo(rest);
}

}  // namespace

TlxHijriCalendarTable::TlxHijriCalendarTable()
    : standard_era_(std::make_unique<TlxEra>(-1, NullDate, 0, 1, 9999)) {}

TlxHijriCalendarTable::~TlxHijriCalendarTable() = default;

// The first day of year 1; the two days before it have no Hijri date.
TDateTime TlxHijriCalendarTable::EarliestDate() const { return EncodeDate(622, 7, 18); }

TDateTime TlxHijriCalendarTable::LatestDate() const { return kMaxDateTime; }

void TlxHijriCalendarTable::DecodeDateTimeParts(TlxCalendarDate& date, TDateTime value) const {
  // Values beyond the platform's dates are read as its ends.
  if (!(value >= kMinDateTime))
    value = kMinDateTime;
  if (!(value <= kMaxDateTime))
    value = kMaxDateTime;
  const TTimeParts time = DecodeTimeParts(value);
  date.Hour = static_cast<uint8_t>(time.hour);
  date.Minute = static_cast<uint8_t>(time.minute);
  date.Second = static_cast<uint8_t>(time.second);
  date.Millisecond = time.millisecond;

  int64_t days = static_cast<int64_t>(std::trunc(value) - kFirstOfYearOne + 1) - kEpochOffset;
  const int64_t elapsed = (30 * days) / 10631;
  int64_t year = elapsed + 1;
  days -= DaysOfYears(elapsed);
  // The estimate may overshoot by a year: step back while no day is left.
  while (days <= 0) {
    --year;
    days += DayCountOfEraYear(-1, static_cast<int32_t>(year));
  }
  int32_t month = 1;
  while (days > DayCountOfEraMonth(-1, static_cast<int32_t>(year), month)) {
    days -= DayCountOfEraMonth(-1, static_cast<int32_t>(year), month);
    if (++month > 12) {
      month = 1;
      ++year;
    }
  }
  date.Year = static_cast<int32_t>(year);
  date.Month = month;
  date.Day = static_cast<int32_t>(days);
}

TDateTime TlxHijriCalendarTable::EncodeCalendarDate(const TlxCalendarDate& date) const {
  TDateTime time = 0;
  TryEncodeTime(date.Hour, date.Minute, date.Second, date.Millisecond, time);
  const int64_t year = std::clamp<int64_t>(date.Year, -100000, 100000);
  const TDateTime day = kFirstOfYearOne - 1 + static_cast<double>(kEpochOffset + DaysOfYears(year - 1)) +
                        DayOfYearOfCalendarDate(date);
  return ComposeDateTime(day, time);
}

int32_t TlxHijriCalendarTable::DayCountOfEraMonth(int32_t era, int32_t year, int32_t month) const {
  if (month == 12 && YearIsLeapInEra(era, year))
    return 30;
  return month % 2 == 0 ? 29 : 30;
}

int32_t TlxHijriCalendarTable::DayCountOfEraYear(int32_t era, int32_t year) const {
  return YearIsLeapInEra(era, year) ? 355 : 354;
}

bool TlxHijriCalendarTable::YearIsLeapInEra(int32_t /*era*/, int32_t year) const { return IsLeapInCycle(year); }

bool TlxHijriCalendarTable::MonthIsLeapInEra(int32_t era, int32_t year, int32_t month) const {
  return month == 12 && YearIsLeapInEra(era, year);
}

bool TlxHijriCalendarTable::FallsOnLeapDayInEra(int32_t era, int32_t year, int32_t month, int32_t day) const {
  return day == 30 && MonthIsLeapInEra(era, year, month);
}

int32_t TlxHijriCalendarTable::WeekNumberOfCalendarDate(const TlxCalendarDate& date, int32_t /*first_weekday*/,
                                                        int32_t rule) const {
  return LunarWeekNumber(date, rule);
}

int32_t TlxHijriCalendarTable::ParseMonthText(int32_t year, std::string_view text) const {
  const std::string_view wanted = TrimBlanks(text);
  for (int32_t month = 1; month <= 12; ++month) {
    const std::string name = lxGetCalendarMonthNameOf(year, month, this);
    if (!name.empty() && AnsiSameText(name, wanted))
      return month;
  }
  return TlxCustomCalendarTable::ParseMonthText(year, text);
}
