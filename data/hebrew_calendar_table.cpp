#include "data/hebrew_calendar_table.h"

#include <array>
#include <cmath>

#include "data/smart_dates.h"
#include "platform/rtl/text.h"

namespace {

constexpr int32_t kFirstGregorianYear = 1583;
constexpr int32_t kLastGregorianYear = 2239;
constexpr int32_t kHebrewYearOffset = 3760;

// Month lengths by year type (1..6), months counted from the one that
// begins the year.
constexpr int32_t kMonthLengths[6][13] = {
    {30, 29, 29, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},
    {30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},
    {30, 30, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},
    {30, 29, 29, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
    {30, 29, 30, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
    {30, 30, 30, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
};

struct YearRow {
  int32_t month = 0;  // the Hebrew month and day of 1 January
  int32_t day = 0;
  int32_t type = 0;   // of the Hebrew year that holds it
};

// Days from the calendar's epoch to the new year of `year` by the mean
// conjunction, with the postponement that keeps the new year off Sunday,
// Wednesday and Friday.
int64_t ElapsedDays(int64_t year) {
  const int64_t months = (235 * year - 234) / 19;
  const int64_t parts = 12084 + 13753 * months;
  const int64_t day = 29 * months + parts / 25920;
  return (3 * (day + 1)) % 7 < 3 ? day + 1 : day;
}

// The further postponements that keep every year at 353..355 or 383..385
// days.
int64_t NewYearDelay(int64_t year) {
  const int64_t previous = ElapsedDays(year - 1);
  const int64_t current = ElapsedDays(year);
  const int64_t next = ElapsedDays(year + 1);
  if (next - current == 356)
    return 2;
  if (current - previous == 382)
    return 1;
  return 0;
}

// The new year of a Hebrew year as a TDateTime; the epoch (day 1 of year
// 1) is day -1373427 of the proleptic Gregorian count that starts with
// 1 January 1 as day 1.
TDateTime NewYear(int64_t year) {
  constexpr int64_t kEpoch = -1373427;
  constexpr int64_t kDayOneToDateTime = 693594;
  return static_cast<TDateTime>(kEpoch + ElapsedDays(year) + NewYearDelay(year) - kDayOneToDateTime);
}

int32_t TypeOfLength(int64_t days) {
  switch (days) {
    case 353: return 1;
    case 354: return 2;
    case 355: return 3;
    case 383: return 4;
    case 384: return 5;
    case 385: return 6;
    default: return 0;
  }
}

using YearTable = std::array<YearRow, kLastGregorianYear - kFirstGregorianYear + 1>;

YearTable BuildYearTable() {
  YearTable table{};
  for (int32_t gregorian = kFirstGregorianYear; gregorian <= kLastGregorianYear; ++gregorian) {
    const int64_t hebrew = gregorian + kHebrewYearOffset;
    YearRow& row = table[gregorian - kFirstGregorianYear];
    row.type = TypeOfLength(static_cast<int64_t>(NewYear(hebrew + 1) - NewYear(hebrew)));
    int32_t day = static_cast<int32_t>(EncodeDate(gregorian, 1, 1) - NewYear(hebrew)) + 1;
    int32_t month = 1;
    while (day > kMonthLengths[row.type - 1][month - 1]) {
      day -= kMonthLengths[row.type - 1][month - 1];
      ++month;
    }
    row.month = month;
    row.day = day;
  }
  return table;
}

const YearTable& Rows() {
  static const YearTable table = BuildYearTable();
  return table;
}

const YearRow* RowOfHebrewYear(int32_t year) {
  const int32_t gregorian = year - kHebrewYearOffset;
  if (gregorian < kFirstGregorianYear || gregorian > kLastGregorianYear)
    return nullptr;
  return &Rows()[gregorian - kFirstGregorianYear];
}

int32_t LetterValue(uint8_t byte) {
  static constexpr int32_t kValues[27] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 20,  20,  30, 40,
                                          40, 50, 50, 60, 70, 80, 80, 90, 90, 100, 200, 300, 400};
  if (byte < 0xE0 || byte > 0xFA)
    return 0;
  return kValues[byte - 0xE0];
}

}  // namespace

bool lxHebrewYearTableRow(int32_t year, int32_t& day_code, int32_t& year_type) {
  if (year < kFirstGregorianYear || year > kLastGregorianYear)
    return false;
  const YearRow& row = Rows()[year - kFirstGregorianYear];
  year_type = row.type;
  if (row.month == 4)
    day_code = row.day;
  else if (row.month == 5)
    day_code = row.day == 1 ? 0 : 29 + row.day;
  else
    day_code = row.day == 30 ? 30 : 33;
  return true;
}

int32_t lxHebrewNumeralValue(std::string_view text) {
  int32_t value = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<uint8_t>(text[i]);
    // The letters alef..tav in UTF-8 are D7 90..D7 AA, in the order of
    // their single bytes E0..FA.
    if (byte == 0xD7 && i + 1 < text.size()) {
      const auto next = static_cast<uint8_t>(text[i + 1]);
      if (next >= 0x90 && next <= 0xAA) {
        value += LetterValue(static_cast<uint8_t>(next - 0x90 + 0xE0));
        ++i;
        continue;
      }
    }
    value += LetterValue(byte);
  }
  return value;
}

TlxHebrewCalendarTable::TlxHebrewCalendarTable()
    : standard_era_(std::make_unique<TlxEra>(-1, NullDate, 0, 1, 9999)) {}

TlxHebrewCalendarTable::~TlxHebrewCalendarTable() = default;

TDateTime TlxHebrewCalendarTable::EarliestDate() const { return EncodeDate(kFirstGregorianYear, 1, 1); }

TDateTime TlxHebrewCalendarTable::LatestDate() const {
  return EncodeDate(kLastGregorianYear, 9, 29) + (kMSecsPerDay - 1) / static_cast<double>(kMSecsPerDay);
}

void TlxHebrewCalendarTable::DecodeDateTimeParts(TlxCalendarDate& date, TDateTime value) const {
  ClampDateTime(value);
  const TDateParts gregorian = DecodeDateParts(value);
  const TTimeParts time = DecodeTimeParts(value);
  int32_t year = gregorian.year + kHebrewYearOffset;
  int32_t month = 1;
  const auto day_in = [&] {
    TlxCalendarDate first;
    first.Year = year;
    first.Month = month;
    first.Day = 1;
    return static_cast<int32_t>(std::trunc(value) - EncodeCalendarDate(first)) + 1;
  };
  int32_t day = day_in();
  while (day > DayCountOfEraMonth(-1, year, month)) {
    if (++month > MonthCountOfEraYear(-1, year)) {
      month = 1;
      ++year;
    }
    day = day_in();
  }
  date.Year = year;
  date.Month = month;
  date.Day = day;
  date.Hour = static_cast<uint8_t>(time.hour);
  date.Minute = static_cast<uint8_t>(time.minute);
  date.Second = static_cast<uint8_t>(time.second);
  date.Millisecond = time.millisecond;
}

TDateTime TlxHebrewCalendarTable::EncodeCalendarDate(const TlxCalendarDate& date) const {
  TDateTime result = 0;
  if (RejectInvalid(date, result))
    return result;
  // A date that passed the checks has a row; the test keeps the optimiser
  // from assuming otherwise.
  const YearRow* year_row = RowOfHebrewYear(date.Year);
  if (year_row == nullptr)
    return result;
  const YearRow& row = *year_row;
  const int32_t* lengths = kMonthLengths[row.type - 1];
  const auto length = [&](int32_t month) { return lengths[month - 1]; };
  TDateTime time = 0;
  TryEncodeTime(date.Hour, date.Minute, date.Second, date.Millisecond, time);
  const TDateTime january_first = EncodeDate(date.Year - kHebrewYearOffset, 1, 1);
  int32_t distance = 0;
  if (date.Month == row.month) {
    distance = date.Day - row.day;
  } else if (date.Month > row.month) {
    distance = length(row.month) - row.day + date.Day;
    for (int32_t month = row.month + 1; month < date.Month; ++month)
      distance += length(month);
  } else {
    distance = length(date.Month) - date.Day + row.day;
    for (int32_t month = date.Month + 1; month < row.month; ++month)
      distance += length(month);
    distance = -distance;
  }
  return ComposeDateTime(january_first + distance, time);
}

int32_t TlxHebrewCalendarTable::DayCountOfEraMonth(int32_t era, int32_t year, int32_t month) const {
  const YearRow* row = RowOfHebrewYear(year);
  if (row == nullptr || !MonthIsValidInEra(era, year, month))
    return 0;
  return kMonthLengths[row->type - 1][month - 1];
}

int32_t TlxHebrewCalendarTable::DayCountOfEraYear(int32_t era, int32_t year) const {
  const YearRow* row = RowOfHebrewYear(year);
  if (row == nullptr || !YearIsValidInEra(era, year))
    return 0;
  const int32_t type = row->type;
  return 352 + (type - 1) % 3 + 1 + (type > 3 ? 30 : 0);
}

int32_t TlxHebrewCalendarTable::MonthCountOfEraYear(int32_t era, int32_t year) const {
  return YearIsLeapInEra(era, year) ? 13 : 12;
}

bool TlxHebrewCalendarTable::YearIsLeapInEra(int32_t /*era*/, int32_t year) const {
  const YearRow* row = RowOfHebrewYear(year);
  return row != nullptr && row->type > 3;
}

bool TlxHebrewCalendarTable::MonthIsLeapInEra(int32_t era, int32_t year, int32_t month) const {
  return month == 7 && YearIsLeapInEra(era, year) && MonthIsValidInEra(era, year, month);
}

bool TlxHebrewCalendarTable::FallsOnLeapDayInEra(int32_t era, int32_t year, int32_t month, int32_t day) const {
  return MonthIsLeapInEra(era, year, month) && DayIsValidInEra(era, year, month, day);
}

int32_t TlxHebrewCalendarTable::WholeWeeksOfYear(int32_t year) const { return DayCountOfEraYear(-1, year) / 7; }

int32_t TlxHebrewCalendarTable::WeekNumberOfCalendarDate(const TlxCalendarDate& date, int32_t /*first_weekday*/,
                                                         int32_t rule) const {
  return LunarWeekNumber(date, rule);
}

int32_t TlxHebrewCalendarTable::ParseDayText(std::string_view text) const {
  const int32_t value = lxHebrewNumeralValue(text);
  return value != 0 ? value : TlxCustomCalendarTable::ParseDayText(text);
}

int32_t TlxHebrewCalendarTable::ParseMonthText(int32_t year, std::string_view text) const {
  const int32_t value = lxHebrewNumeralValue(text);
  if (value != 0 && MonthIsValid(year, value))
    return value;
  const std::string_view wanted = TrimBlanks(text);
  for (int32_t month = 1; month <= 13; ++month) {
    const std::string name = lxGetCalendarMonthNameOf(year, month, this);
    if (!name.empty() && AnsiSameText(name, wanted))
      return month;
    const std::string number = lxCalendarNumberText(month, this);
    if (!number.empty() && AnsiSameText(number, wanted))
      return month;
  }
  return TlxCustomCalendarTable::ParseMonthText(year, text);
}

int32_t TlxHebrewCalendarTable::ParseYearText(std::string_view text) const {
  const int32_t value = lxHebrewNumeralValue(text);
  return value != 0 ? value + 5000 : TlxCustomCalendarTable::ParseYearText(text);
}
