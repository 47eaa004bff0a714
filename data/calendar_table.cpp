#include "data/calendar_table.h"

#include <algorithm>
#include <cmath>

#include "data/date_arithmetic.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/format.h"
#include "platform/rtl/text.h"

TlxEra::TlxEra(int32_t era_number, TDateTime start_date, int32_t year_offset, int32_t first_year, int32_t last_year)
    : era_number_(era_number),
      last_year_(last_year),
      first_year_(first_year),
      start_date_(start_date),
      year_offset_(year_offset) {}

void TlxEra::Assign(const TPersistent* source) {
  if (const auto* era = dynamic_cast<const TlxEra*>(source)) {
    era_number_ = era->era_number_;
    last_year_ = era->last_year_;
    first_year_ = era->first_year_;
    start_date_ = era->start_date_;
    year_offset_ = era->year_offset_;
    return;
  }
  TPersistent::Assign(source);
}

int32_t lxCalendarTextToInt(std::string_view text) {
  int32_t value = 0;
  return TryStrToInt(TrimBlanks(text), value) ? value : 0;
}

TlxCustomCalendarTable::TlxCustomCalendarTable() : eras_(std::make_unique<TlxEras>()) {}

TlxCustomCalendarTable::~TlxCustomCalendarTable() { eras_->Clear(); }

void TlxCustomCalendarTable::NormalizeEraYear(int32_t& year, int32_t& era) const {
  NormalizeEraYearForDay(year, era, 1, 1);
}

void TlxCustomCalendarTable::NormalizeEraYearForDay(int32_t& year, int32_t& era, int32_t month, int32_t day) const {
  ToGregorianYear(year, era);
  era = EraOfDate(year, month, day);
  if (era >= 0)
    year -= eras_->Era(era)->GregorianYearOffset();
}

double lxChronologicalOrder(TDateTime date) {
  const double day = std::trunc(date);
  return day + std::fabs(date - day);
}

void TlxCustomCalendarTable::ClampDateTime(TDateTime& date) const {
  if (!(lxChronologicalOrder(date) >= lxChronologicalOrder(EarliestDate())))
    date = EarliestDate();
  else if (!(lxChronologicalOrder(date) <= lxChronologicalOrder(LatestDate())))
    date = LatestDate();
}

TDateTime TlxCustomCalendarTable::ShiftDaysOfCalendarDate(const TlxCalendarDate& date, int32_t days) const {
  TDateTime result = EncodeCalendarDate(date) + days;
  ClampDateTime(result);
  return result;
}

TlxCalendarDate TlxCustomCalendarTable::Decoded(TDateTime date) const {
  TlxCalendarDate decoded;
  DecodeDateTimeParts(decoded, date);
  return decoded;
}

TDateTime TlxCustomCalendarTable::EncodeClamped(const TlxCalendarDate& date) const {
  if (!DayIsValidInEra(date.Era, date.Year, date.Month, date.Day))
    return EarliestDate();
  TDateTime result = EncodeCalendarDate(date);
  ClampDateTime(result);
  return result;
}

TDateTime TlxCustomCalendarTable::ShiftMonthsOfDateTime(TDateTime date, int32_t months) const {
  return ShiftMonthsOfCalendarDate(Decoded(date), months);
}

TDateTime TlxCustomCalendarTable::ShiftMonthsOfCalendarDate(const TlxCalendarDate& date, int32_t months) const {
  if (!DayIsValidInEra(date.Era, date.Year, date.Month, date.Day))
    return EarliestDate();
  TlxCalendarDate result = date;
  int64_t month = static_cast<int64_t>(date.Month) + months;
  while (month > MonthCountOfEraYear(result.Era, result.Year) || month <= 0) {
    if (!YearIsValidInEra(result.Era, result.Year))
      return EarliestDate();
    if (months > 0) {
      month -= MonthCountOfEraYear(result.Era, result.Year);
      ++result.Year;
    } else {
      --result.Year;
      month += MonthCountOfEraYear(result.Era, result.Year);
    }
  }
  result.Month = static_cast<int32_t>(month);
  result.Day = std::min(result.Day, DayCountOfEraMonth(result.Era, result.Year, result.Month));
  NormalizeEraYearForDay(result.Year, result.Era, result.Month, result.Day);
  return EncodeClamped(result);
}

TDateTime TlxCustomCalendarTable::ShiftYearsOfDateTime(TDateTime date, int32_t years) const {
  return ShiftYearsOfCalendarDate(Decoded(date), years);
}

TDateTime TlxCustomCalendarTable::ShiftYearsOfCalendarDate(const TlxCalendarDate& date, int32_t years) const {
  if (!DayIsValidInEra(date.Era, date.Year, date.Month, date.Day))
    return EarliestDate();
  TlxCalendarDate result = date;
  const int64_t year = static_cast<int64_t>(date.Year) + years;
  if (year < INT32_MIN / 2 || year > INT32_MAX / 2)
    return EarliestDate();
  result.Year = static_cast<int32_t>(year);
  NormalizeEraYear(result.Year, result.Era);
  if (!YearIsValidInEra(result.Era, result.Year))
    return EarliestDate();
  result.Month = std::min(result.Month, MonthCountOfEraYear(result.Era, result.Year));
  result.Day = std::min(result.Day, DayCountOfEraMonth(result.Era, result.Year, result.Month));
  NormalizeEraYearForDay(result.Year, result.Era, result.Month, result.Day);
  return EncodeClamped(result);
}

TDateTime TlxCustomCalendarTable::ShiftWeeksOfDateTime(TDateTime date, int32_t weeks) const {
  TDateTime result = date + 7.0 * weeks;
  ClampDateTime(result);
  return result;
}

TDateTime TlxCustomCalendarTable::ShiftWeeksOfCalendarDate(const TlxCalendarDate& date, int32_t weeks) const {
  return ShiftDaysOfCalendarDate(date, 7 * weeks);
}

TlxCalendarDate TlxCustomCalendarTable::CalendarDateFromGregorianDate(int32_t year, int32_t month,
                                                                      int32_t day) const {
  return Decoded(EncodeDate(year, month, day));
}

TlxCalendarDate TlxCustomCalendarTable::CalendarDateFromGregorianDateTime(int32_t year, int32_t month, int32_t day,
                                                                          int32_t hour, int32_t minute,
                                                                          int32_t second,
                                                                          int32_t millisecond) const {
  return Decoded(ComposeDateTime(EncodeDate(year, month, day), EncodeTime(hour, minute, second, millisecond)));
}

int32_t TlxCustomCalendarTable::DayOfYearOfDateTime(TDateTime date) const {
  return DayOfYearOfCalendarDate(Decoded(date));
}

int32_t TlxCustomCalendarTable::DayOfYearOfCalendarDate(const TlxCalendarDate& date) const {
  int32_t days = date.Day;
  for (int32_t month = 1; month < date.Month; ++month)
    days += DayCountOfEraMonth(date.Era, date.Year, month);
  return days;
}

int32_t TlxCustomCalendarTable::DayCountOfMonth(int32_t year, int32_t month) const {
  return DayCountOfEraMonth(-1, year, month);
}

int32_t TlxCustomCalendarTable::DayCountOfYear(int32_t year) const { return DayCountOfEraYear(-1, year); }

int32_t TlxCustomCalendarTable::EraOfYear(int32_t gregorian_year) const { return EraOfDate(gregorian_year, 1, 1); }

int32_t TlxCustomCalendarTable::EraOfDate(int32_t year, int32_t month, int32_t day) const {
  if (eras_->Count() == 0)
    return -1;
  TDateTime date = 0;
  if (!TryEncodeDate(year, month, day, date))
    return -1;
  int32_t found = -1;
  for (int32_t index = 0; index < eras_->Count(); ++index) {
    if (eras_->Era(index)->StartDate() <= date)
      found = index;
  }
  return found;
}

TDateTime TlxCustomCalendarTable::StartOfWeekOfDateTime(TDateTime date) const {
  return StartOfWeekFrom(LocaleWeekStart(), date);
}

TDateTime TlxCustomCalendarTable::StartOfWeekFrom(int32_t first_weekday, TDateTime date) const {
  const int32_t weekday = WeekDayOfDateTime(date);
  TDateTime result = date + (first_weekday - weekday);
  if (first_weekday > weekday)
    result -= 7;
  return result;
}

void TlxCustomCalendarTable::StartOfWeekOfCalendarDate(const TlxCalendarDate& date, TlxCalendarDate& result) const {
  StartOfWeekOfCalendarDateFrom(date, LocaleWeekStart(), result);
}

void TlxCustomCalendarTable::StartOfWeekOfCalendarDateFrom(const TlxCalendarDate& date, int32_t first_weekday,
                                                           TlxCalendarDate& result) const {
  DecodeDateTimeParts(result, StartOfWeekFrom(first_weekday, EncodeCalendarDate(date)));
}

int32_t TlxCustomCalendarTable::MonthCountOfYear(int32_t year) const { return MonthCountOfEraYear(-1, year); }

int32_t TlxCustomCalendarTable::YearOfDateTime(TDateTime date) const { return Decoded(date).Year; }

int32_t TlxCustomCalendarTable::YearOfDateRecord(const TlxCalendarDay& date) const { return date.Year; }

int32_t TlxCustomCalendarTable::YearOfCalendarDate(const TlxCalendarDate& date) const { return date.Year; }

int32_t TlxCustomCalendarTable::WeekDayOfDateTime(TDateTime date) const { return DayOfWeek(date) - 1; }

int32_t TlxCustomCalendarTable::WeekDayOfCalendarDate(const TlxCalendarDate& date) const {
  return WeekDayOfDateTime(EncodeCalendarDate(date));
}

int32_t TlxCustomCalendarTable::WeekNumberOfDateTime(TDateTime date, int32_t first_weekday, int32_t rule) const {
  return WeekNumberOfCalendarDate(Decoded(date), first_weekday, rule);
}

bool TlxCustomCalendarTable::FallsOnLeapDay(int32_t year, int32_t month, int32_t day) const {
  return FallsOnLeapDayInEra(-1, year, month, day);
}

bool TlxCustomCalendarTable::MonthIsLeap(int32_t year, int32_t month) const {
  return MonthIsLeapInEra(-1, year, month);
}

bool TlxCustomCalendarTable::YearIsLeap(int32_t year) const { return YearIsLeapInEra(-1, year); }

bool TlxCustomCalendarTable::YearIsValid(int32_t year) const { return YearIsValidInEra(-1, year); }

bool TlxCustomCalendarTable::YearIsValidInEra(int32_t /*era*/, int32_t year) const {
  return year >= EarliestYear() && year <= LatestYear();
}

bool TlxCustomCalendarTable::MonthIsValid(int32_t year, int32_t month) const {
  return MonthIsValidInEra(-1, year, month);
}

bool TlxCustomCalendarTable::MonthIsValidInEra(int32_t era, int32_t year, int32_t month) const {
  return YearIsValidInEra(era, year) && month >= 1 && month <= MonthCountOfEraYear(era, year);
}

bool TlxCustomCalendarTable::DayIsValid(int32_t year, int32_t month, int32_t day) const {
  return DayIsValidInEra(-1, year, month, day);
}

bool TlxCustomCalendarTable::DayIsValidInEra(int32_t era, int32_t year, int32_t month, int32_t day) const {
  return MonthIsValidInEra(era, year, month) && day >= 1 && day <= DayCountOfEraMonth(era, year, month);
}

bool TlxCustomCalendarTable::DateTimeIsValid(TDateTime date) const {
  if (!std::isfinite(date))
    return false;
  const TlxCalendarDate decoded = Decoded(date);
  return DayIsValidInEra(decoded.Era, decoded.Year, decoded.Month, decoded.Day);
}

TDateTime TlxCustomCalendarTable::EncodeDateRecord(const TlxCalendarDay& date) const {
  TlxCalendarDate full;
  full.Era = date.Era;
  full.Year = date.Year;
  full.Month = date.Month;
  full.Day = date.Day;
  return EncodeCalendarDate(full);
}

TDateTime TlxCustomCalendarTable::EncodeYearMonthDay(int32_t year, int32_t month, int32_t day) const {
  return EncodeYearMonthDayTime(year, month, day, 0, 0, 0, 0);
}

TDateTime TlxCustomCalendarTable::EncodeYearMonthDayTime(int32_t year, int32_t month, int32_t day, int32_t hour,
                                                         int32_t minute, int32_t second,
                                                         int32_t millisecond) const {
  TlxCalendarDate date;
  date.Year = year;
  date.Month = month;
  date.Day = day;
  date.Hour = static_cast<uint8_t>(std::clamp(hour, 0, 23));
  date.Minute = static_cast<uint8_t>(std::clamp(minute, 0, 59));
  date.Second = static_cast<uint8_t>(std::clamp(second, 0, 59));
  date.Millisecond = static_cast<uint16_t>(std::clamp(millisecond, 0, 999));
  return EncodeCalendarDate(date);
}

int32_t TlxCustomCalendarTable::ParseDayText(std::string_view text) const { return lxCalendarTextToInt(text); }

int32_t TlxCustomCalendarTable::ParseMonthText(int32_t /*year*/, std::string_view text) const {
  const TFormatSettings& settings = UserLocale().Settings();
  const std::string wanted = AnsiUpperCase(TrimBlanks(text));
  for (int32_t month = 1; month <= 12; ++month) {
    if (AnsiUpperCase(settings.LongMonthNames[month - 1]) == wanted ||
        AnsiUpperCase(settings.ShortMonthNames[month - 1]) == wanted)
      return month;
  }
  return lxCalendarTextToInt(text);
}

int32_t TlxCustomCalendarTable::ParseYearText(std::string_view text) const {
  const int32_t value = lxCalendarTextToInt(text);
  if (TrimBlanks(text).size() > 2)
    return value;
  const int32_t limit = TwoDigitYearLimit();
  int32_t year = value + (limit / 100) * 100;
  if (value > limit % 100)
    year -= 100;
  return year;
}

void TlxCustomCalendarTable::ToGregorianYear(int32_t& year, int32_t era) const {
  if (era == -1)
    year += StandardEra().GregorianYearOffset();
  else if (era >= 0 && era < eras_->Count())
    year += eras_->Era(era)->GregorianYearOffset();
}

bool TlxCustomCalendarTable::RejectInvalid(const TlxCalendarDate& date, TDateTime& result) const {
  if (DayIsValidInEra(date.Era, date.Year, date.Month, date.Day))
    return false;
  result = EarliestDate();
  return true;
}

int32_t TlxCustomCalendarTable::TwoDigitYearLimit() const { return UserLocale().DateItems().TwoDigitYearMax; }

int32_t TlxCustomCalendarTable::LunarWeekNumber(const TlxCalendarDate& date, int32_t rule) const {
  if (rule == lxfwLocale)
    rule = lxLocaleFirstWeekRule();
  TlxCalendarDate first_day = date;
  first_day.Month = 1;
  first_day.Day = 1;
  first_day.Hour = first_day.Minute = first_day.Second = 0;
  first_day.Millisecond = 0;
  TDateTime start = std::trunc(StartOfWeekOfDateTime(EncodeCalendarDate(first_day)));
  if (rule == lxfwFullWeek && Decoded(start).Year < date.Year)
    start += 7;
  else if (rule == lxfwFourDays && Decoded(start + 3).Year < date.Year)
    start += 7;
  const TDateTime day = std::trunc(EncodeCalendarDate(date));
  if (date.Month == MonthCountOfEraYear(date.Era, date.Year)) {
    TlxCalendarDate week_start;
    StartOfWeekOfCalendarDate(date, week_start);
    const TDateTime s = std::trunc(EncodeCalendarDate(week_start));
    if (rule == lxfwJanFirst && Decoded(s + 6).Month == 1)
      return 1;
    if (rule == lxfwFourDays && Decoded(s + 3).Month == 1)
      return 1;
  }
  if (day < start) {
    // Still in the previous year's last week.
    if (!YearIsValidInEra(date.Era, date.Year - 1))
      return 1;
    TlxCalendarDate last_day = Decoded(day - 1);
    return LunarWeekNumber(last_day, rule);
  }
  return static_cast<int32_t>((day - start) / 7) + 1;
}
