#include "data/date_arithmetic.h"

#include <cmath>

#include "data/calendar_table.h"
#include "data/format_controller.h"
#include "platform/rtl/locale.h"

namespace {

constexpr TDateTime kLastMillisecond = (kMSecsPerDay - 1) / static_cast<double>(kMSecsPerDay);

// 0 = Sunday ... 6 = Saturday.
int32_t WeekdayOf(TDateTime date) { return DayOfWeek(date) - 1; }

int32_t YearOf(TDateTime date) { return DecodeDateParts(date).year; }

// The start of the week that counts as week 1 of `year`.
TDateTime FirstWeekStart(int32_t first_weekday, int32_t rule, int32_t year) {
  const TDateTime january_first = EncodeDate(year, 1, 1);
  TDateTime start = lxWeekStartOf(first_weekday, january_first);
  if (rule == lxfwFullWeek && start < january_first)
    start += 7;
  else if (rule == lxfwFourDays && start + 3 < january_first)
    start += 7;
  return start;
}

}  // namespace

int32_t lxMonthOrdinal(TDateTime date) {
  const TDateParts parts = DecodeDateParts(date);
  return parts.year * 12 + parts.month - 12;
}

int32_t lxExtractDatePart(TlxDatePart part, const TlxCustomCalendarTable* table, TDateTime date) {
  TlxCalendarDate decoded;
  if (table != nullptr) {
    table->DecodeDateTimeParts(decoded, date);
  } else {
    const TDateParts parts = DecodeDateParts(date);
    decoded.Year = parts.year;
    decoded.Month = parts.month;
    decoded.Day = parts.day;
  }
  switch (part) {
    case lxdpYear: return decoded.Year;
    case lxdpMonth: return decoded.Month;
    default: return decoded.Day;
  }
}

bool lxIsLeapYear(int32_t year) { return (year % 4 == 0) && (year % 100 != 0 || year % 400 == 0); }

int32_t lxMonthDayCount(int32_t year, int32_t month) {
  static constexpr int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12)
    return 0;
  return kDays[month - 1] + (month == 2 && lxIsLeapYear(year) ? 1 : 0);
}

TDateTime lxTimeOfDateTime(TDateTime date) { return date - std::trunc(date); }

TDateTime lxDateOfDateTime(TDateTime date) { return std::trunc(date); }

int32_t lxDayOfWeekOffset(TDateTime date) {
  int32_t offset = DayOfWeek(date) - lxGetFormatController().WeekStartDay() - 1;
  if (offset < 0)
    offset += 7;
  return offset;
}

TDateTime lxFirstDayOfMonth(TDateTime date) {
  const TDateParts parts = DecodeDateParts(date);
  return EncodeDate(parts.year, parts.month, 1);
}

TDateTime lxLastDayOfMonth(bool date_only, TDateTime date) {
  const TDateParts parts = DecodeDateParts(date);
  const TDateTime last = EncodeDate(parts.year, parts.month, lxMonthDayCount(parts.year, parts.month));
  return date_only ? last : last + kLastMillisecond;
}

TDateTime lxFirstDayOfYear(TDateTime date) { return EncodeDate(YearOf(date), 1, 1); }

TDateTime lxLastDayOfYear(bool date_only, TDateTime date) {
  const TDateTime last = EncodeDate(YearOf(date), 12, 31);
  return date_only ? last : last + kLastMillisecond;
}

TDateTime lxWeekStartOf(int32_t first_weekday, TDateTime date) {
  int32_t back = WeekdayOf(date) - first_weekday;
  if (back < 0)
    back += 7;
  return std::trunc(date) - back;
}

int32_t lxLocaleFirstWeekRule() { return UserLocale().DateItems().FirstWeekOfYear % 3 + 1; }

int32_t lxWeekOfYear(int32_t first_weekday, int32_t rule, TDateTime date) {
  if (rule == lxfwLocale)
    rule = lxLocaleFirstWeekRule();
  first_weekday = ((first_weekday % 7) + 7) % 7;
  const TDateTime day = std::trunc(date);
  const TDateParts parts = DecodeDateParts(day);
  if (parts.month == 12) {
    const TDateTime week_start = lxWeekStartOf(first_weekday, day);
    if (rule == lxfwJanFirst && DecodeDateParts(week_start + 6).month == 1)
      return 1;
    if (rule == lxfwFourDays && DecodeDateParts(week_start + 3).month == 1)
      return 1;
  }
  const TDateTime start = FirstWeekStart(first_weekday, rule, parts.year);
  if (day < start) {
    // Still in the previous year's last week (there is no year 0 to ask).
    if (parts.year <= 1)
      return 1;
    return lxWeekOfYear(first_weekday, rule, EncodeDate(parts.year - 1, 12, 31));
  }
  return static_cast<int32_t>((day - start) / 7) + 1;
}
