// Dates and times written by the system's picture syntax with the names of
// a locale's own tables, and the date items of the built-in locales. The
// Windows locales replace the writing with the system's own.

#include <cstdio>
#include <string>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/locale.h"

namespace {

std::string Number(int value, int digits) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*d", digits, value);
  return buffer;
}

size_t RunLength(std::string_view picture, size_t at) {
  size_t run = 1;
  while (at + run < picture.size() && picture[at + run] == picture[at])
    ++run;
  return run;
}

// Appends quoted text starting at `at` (the opening quote); '' is a quote.
size_t AppendQuoted(std::string_view picture, size_t at, std::string& out) {
  size_t i = at + 1;
  while (i < picture.size()) {
    if (picture[i] == '\'') {
      if (i + 1 < picture.size() && picture[i + 1] == '\'') {
        out += '\'';
        i += 2;
        continue;
      }
      return i + 1;
    }
    out += picture[i++];
  }
  return i;
}

// Monday first, as the system counts.
int MondayFirstIndex(TDateTime value) { return (DayOfWeek(value) + 5) % 7; }

std::string WriteDate(const TLocale& locale, std::string_view picture, TDateTime value) {
  const TDateParts date = DecodeDateParts(value);
  const TFormatSettings& settings = locale.Settings();
  std::string out;
  size_t i = 0;
  while (i < picture.size()) {
    const char c = picture[i];
    if (c == '\'') {
      i = AppendQuoted(picture, i, out);
      continue;
    }
    const size_t run = RunLength(picture, i);
    switch (c) {
      case 'd':
        if (run == 1 || run == 2)
          out += Number(date.day, static_cast<int>(run));
        else if (run == 3)
          out += locale.DateItems().AbbreviatedDayNames[MondayFirstIndex(value)];
        else
          out += settings.LongDayNames[DayOfWeek(value) - 1];
        break;
      case 'M':
        if (run <= 2)
          out += Number(date.month, static_cast<int>(run));
        else if (run == 3)
          out += settings.ShortMonthNames[date.month - 1];
        else
          out += settings.LongMonthNames[date.month - 1];
        break;
      case 'y':
        if (run == 1)
          out += std::to_string(date.year % 100);
        else if (run == 2)
          out += Number(date.year % 100, 2);
        else
          out += Number(date.year, 4);
        break;
      case 'g':
        break;  // the Gregorian calendar writes no era here
      default:
        out.append(run, c);
        break;
    }
    i += run;
  }
  return out;
}

std::string WriteTime(const TLocale& locale, std::string_view picture, TDateTime value) {
  const TTimeParts time = DecodeTimeParts(value);
  const TLocaleDateItems& items = locale.DateItems();
  const std::string& designator = time.hour < 12 ? items.AMDesignator : items.PMDesignator;
  std::string out;
  size_t i = 0;
  while (i < picture.size()) {
    const char c = picture[i];
    if (c == '\'') {
      i = AppendQuoted(picture, i, out);
      continue;
    }
    const size_t run = RunLength(picture, i);
    const int digits = run >= 2 ? 2 : 1;
    switch (c) {
      case 'h': out += Number(time.hour % 12 == 0 ? 12 : time.hour % 12, digits); break;
      case 'H': out += Number(time.hour, digits); break;
      case 'm': out += Number(time.minute, digits); break;
      case 's': out += Number(time.second, digits); break;
      case 't': out += run == 1 ? designator.substr(0, 1) : designator; break;
      default: out.append(run, c); break;
    }
    i += run;
  }
  // A picture whose designator is empty leaves a trailing blank behind.
  while (!out.empty() && out.back() == ' ')
    out.pop_back();
  return out;
}

TLocaleDateItems MakeEnglishItems() {
  return TLocaleDateItems{
      .FirstWeekOfYear = 0,
      .CalendarType = 1,
      .TwoDigitYearMax = 2049,
      .ShortDatePattern = "M/d/yyyy",
      .LongDatePattern = "dddd, MMMM d, yyyy",
      .TimePattern = "h:mm:ss tt",
      .YearMonthPattern = "MMMM yyyy",
      .AMDesignator = "AM",
      .PMDesignator = "PM",
      .AbbreviatedDayNames = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"},
      .ShortestDayNames = {"Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"},
  };
}

TLocaleDateItems MakeGermanItems() {
  return TLocaleDateItems{
      .FirstWeekOfYear = 2,
      .CalendarType = 1,
      .TwoDigitYearMax = 2049,
      .ShortDatePattern = "dd.MM.yyyy",
      .LongDatePattern = "dddd, d. MMMM yyyy",
      .TimePattern = "HH:mm:ss",
      .YearMonthPattern = "MMMM yyyy",
      .AMDesignator = "",
      .PMDesignator = "",
      .AbbreviatedDayNames = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"},
      .ShortestDayNames = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"},
  };
}

}  // namespace

std::optional<std::string> TLocale::FormatDateByPattern(std::string_view picture, TDateTime value) const {
  if (!IsValidDateTime(value))
    return std::nullopt;
  return WriteDate(*this, picture.empty() ? std::string_view(date_items_.ShortDatePattern) : picture, value);
}

std::optional<std::string> TLocale::FormatTimeByPattern(std::string_view picture, TDateTime value) const {
  if (!IsValidDateTime(value))
    return std::nullopt;
  return WriteTime(*this, picture.empty() ? std::string_view(date_items_.TimePattern) : picture, value);
}

const TLocaleDateItems& TableDateItems(std::string_view name) {
  static const TLocaleDateItems english = MakeEnglishItems();
  static const TLocaleDateItems german = MakeGermanItems();
  if (name == "de-DE")
    return german;
  if (name == "en-US")
    return english;
  throw EConvertError("Unknown locale '" + std::string(name) + "'");
}
