#include "data/gregorian_calendar_tables.h"

#include <cmath>

#include "data/date_arithmetic.h"
#include "data/smart_dates.h"

namespace {

TDateTime TimeOfParts(const TlxCalendarDate& date) {
  TDateTime time = 0;
  TryEncodeTime(date.Hour, date.Minute, date.Second, date.Millisecond, time);
  return time;
}

void DecodeGregorian(TlxCalendarDate& date, TDateTime value) {
  const TDateParts day = DecodeDateParts(value);
  const TTimeParts time = DecodeTimeParts(value);
  date.Year = day.year;
  date.Month = day.month;
  date.Day = day.day;
  date.Hour = static_cast<uint8_t>(time.hour);
  date.Minute = static_cast<uint8_t>(time.minute);
  date.Second = static_cast<uint8_t>(time.second);
  date.Millisecond = time.millisecond;
}

}  // namespace

TlxGregorianCalendarTable::TlxGregorianCalendarTable()
    : standard_era_(std::make_unique<TlxEra>(-1, NullDate, 0, 1, 9999)) {}

TlxGregorianCalendarTable::~TlxGregorianCalendarTable() = default;

TDateTime TlxGregorianCalendarTable::LatestDate() const { return kMaxDateTime; }

TDateTime TlxGregorianCalendarTable::EarliestDate() const { return EncodeDate(100, 1, 1); }

void TlxGregorianCalendarTable::DecodeDateTimeParts(TlxCalendarDate& date, TDateTime value) const {
  DecodeGregorian(date, value);
}

int32_t TlxGregorianCalendarTable::GregorianYearOf(int32_t era, int32_t year) const {
  ToGregorianYear(year, era);
  return year;
}

int32_t TlxGregorianCalendarTable::DayCountOfEraMonth(int32_t era, int32_t year, int32_t month) const {
  return lxMonthDayCount(GregorianYearOf(era, year), month);
}

int32_t TlxGregorianCalendarTable::DayCountOfEraYear(int32_t era, int32_t year) const {
  return YearIsLeapInEra(era, year) ? 366 : 365;
}

int32_t TlxGregorianCalendarTable::LocaleWeekStart() const {
  switch (calendar_type_) {
    case 9:
    case 11:
    case 12: return 1;
    case 10: return 6;
    default: return 0;
  }
}

int32_t TlxGregorianCalendarTable::WholeWeeksOfYear(int32_t year) const {
  const int32_t gregorian = GregorianYearOf(-1, year);
  TDateTime january_first = 0;
  if (!TryEncodeDate(gregorian, 1, 1, january_first))
    return 52;
  const int32_t d = ((DayOfWeek(january_first) - 1 - LocaleWeekStart()) % 7 + 7) % 7;
  return (lxIsLeapYear(gregorian) && d > 4) || d > 5 ? 53 : 52;
}

int32_t TlxGregorianCalendarTable::WeekNumberOfCalendarDate(const TlxCalendarDate& date, int32_t first_weekday,
                                                            int32_t rule) const {
  return lxWeekOfYear(first_weekday, rule, EncodeCalendarDate(date));
}

bool TlxGregorianCalendarTable::FallsOnLeapDayInEra(int32_t era, int32_t year, int32_t month, int32_t day) const {
  return day == 29 && MonthIsLeapInEra(era, year, month);
}

bool TlxGregorianCalendarTable::MonthIsLeapInEra(int32_t era, int32_t year, int32_t month) const {
  return month == 2 && YearIsLeapInEra(era, year);
}

bool TlxGregorianCalendarTable::YearIsLeapInEra(int32_t era, int32_t year) const {
  return lxIsLeapYear(GregorianYearOf(era, year));
}

TDateTime TlxGregorianCalendarTable::EncodeCalendarDate(const TlxCalendarDate& date) const {
  TDateTime result = 0;
  if (RejectInvalid(date, result))
    return result;
  TDateTime day = 0;
  if (!TryEncodeDate(GregorianYearOf(date.Era, date.Year), date.Month, date.Day, day))
    return EarliestDate();
  return ComposeDateTime(day, TimeOfParts(date));
}

TlxJapaneseCalendarTable::TlxJapaneseCalendarTable() {
  // The fifth era began on 1 May 2019 and is the current one.
  ReplaceEras({new TlxEra(1, EncodeDate(1868, 9, 8), 1867, 1, 45), new TlxEra(2, EncodeDate(1912, 7, 30), 1911, 1, 15),
               new TlxEra(3, EncodeDate(1926, 12, 25), 1925, 1, 64), new TlxEra(4, EncodeDate(1989, 1, 8), 1988, 1, 31),
               new TlxEra(5, EncodeDate(2019, 5, 1), 2018, 1, 7981)});
}

void TlxJapaneseCalendarTable::ReplaceEras(std::initializer_list<TlxEra*> eras) {
  Eras().Clear();
  for (TlxEra* era : eras)
    Eras().Add(era);
}

const TlxEra& TlxJapaneseCalendarTable::StandardEra() const { return *Eras().Era(Eras().Count() - 1); }

TDateTime TlxJapaneseCalendarTable::EarliestDate() const { return Eras().Era(0)->StartDate(); }

int32_t TlxJapaneseCalendarTable::LatestYear() const { return StandardEra().LastYear(); }

int32_t TlxJapaneseCalendarTable::EarliestYear() const { return Eras().Era(0)->FirstYear(); }

void TlxJapaneseCalendarTable::DecodeDateTimeParts(TlxCalendarDate& date, TDateTime value) const {
  DecodeGregorian(date, value);
  date.Era = EraOfDate(date.Year, date.Month, date.Day);
  const TlxEra& era = date.Era >= 0 ? *Eras().Era(date.Era) : StandardEra();
  date.Year -= era.GregorianYearOffset();
}

TDateTime TlxJapaneseCalendarTable::EncodeCalendarDate(const TlxCalendarDate& date) const {
  return TlxGregorianCalendarTable::EncodeCalendarDate(date);
}

TlxTaiwanCalendarTable::TlxTaiwanCalendarTable() { ReplaceEras({new TlxEra(1, EncodeDate(1912, 1, 1), 1911, 1, 8088)}); }

TlxKoreanCalendarTable::TlxKoreanCalendarTable() {
  ReplaceEras({new TlxEra(0, EncodeDate(1, 1, 1), -2333, 2334, 12332)});
}

TlxThaiCalendarTable::TlxThaiCalendarTable() { ReplaceEras({new TlxEra(0, EncodeDate(1, 1, 1), -543, 544, 10542)}); }
