#include "data/smart_dates.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "data/date_arithmetic.h"
#include "data/format_controller.h"
#include "data/gregorian_calendar_tables.h"
#include "data/hebrew_calendar_table.h"
#include "data/hijri_calendar_table.h"
#include "platform/rtl/date_text.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/text.h"

namespace {

enum DateWord : int32_t {
  kToday = 0,
  kYesterday = 1,
  kTomorrow = 2,
  kSunday = 3,
  kSaturday = 9,
  kFirst = 10,
  kSeventh = 16,
  kBeginOfMonth = 17,
  kEndOfMonth = 18,
  kNow = 19,
};

bool IsBlank(char c) { return static_cast<uint8_t>(c) <= ' '; }

std::string_view RestAfter(std::string_view text, size_t length) { return TrimBlanks(text.substr(length)); }

TDateTime DateOfWord(int32_t index) {
  const TDateTime today = Date();
  if (index == kToday)
    return today;
  if (index == kYesterday)
    return today - 1;
  if (index == kTomorrow)
    return today + 1;
  if (index >= kSunday && index <= kSaturday) {
    int32_t days = (index - 2) - DayOfWeek(today);
    if (days < 0)
      days += 7;
    return today + days;
  }
  if (index >= kFirst && index <= kSeventh)
    return today - lxDayOfWeekOffset(today) + (index - kFirst);
  if (index == kBeginOfMonth)
    return lxFirstDayOfMonth(today);
  if (index == kEndOfMonth)
    return lxLastDayOfMonth(true, today);
  return Now();
}

// A result of a conversion that the editors can hold.
bool IsAcceptableDate(TDateTime value) {
  if (!std::isfinite(value) || value <= -2147483648.0 || value >= 2147483647.0)
    return false;
  if (!IsValidDateTime(value))
    return false;
  const TDateParts parts = DecodeDateParts(value);
  return parts.day != 0 && parts.year <= 9999;
}

// Replaces every occurrence of `what` (ignoring case) by blanks.
void BlankOut(std::string& text, const std::string& what) {
  if (what.empty())
    return;
  std::string upper = AnsiUpperCase(text);
  if (upper.size() != text.size())
    upper = UpperCase(text);  // the locale's casing changed lengths: ASCII only
  size_t at = 0;
  while ((at = upper.find(what, at)) != std::string::npos) {
    std::fill_n(text.begin() + static_cast<std::ptrdiff_t>(at), what.size(), ' ');
    std::fill_n(upper.begin() + static_cast<std::ptrdiff_t>(at), what.size(), ' ');
    at += what.size();
  }
}

std::string CollapseBlanks(std::string_view text) {
  std::string out;
  bool blank = false;
  for (const char c : TrimBlanks(text)) {
    if (IsBlank(c)) {
      blank = true;
      continue;
    }
    if (blank)
      out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

std::string Upper(std::string_view text) { return AnsiUpperCase(TrimBlanks(text)); }

// The first character (all its bytes) or the last one.
std::string FirstCharacter(const std::string& text) {
  size_t length = text.empty() ? 0 : 1;
  while (length < text.size() && (static_cast<uint8_t>(text[length]) & 0xC0) == 0x80)
    ++length;
  return text.substr(0, length);
}

std::string LastCharacter(const std::string& text) {
  if (text.empty())
    return text;
  size_t start = text.size() - 1;
  while (start > 0 && (static_cast<uint8_t>(text[start]) & 0xC0) == 0x80)
    --start;
  return text.substr(start);
}

std::unique_ptr<TlxCustomCalendarTable> TableOrLocale(const TlxCustomCalendarTable* table,
                                                      const TlxCustomCalendarTable*& used) {
  if (table != nullptr) {
    used = table;
    return nullptr;
  }
  std::unique_ptr<TlxCustomCalendarTable> temporary = lxCreateLocaleCalendarTable();
  used = temporary.get();
  return temporary;
}

// The date decoded in the table and encoded again.
TDateTime ThroughTable(const TlxCustomCalendarTable& table, TDateTime date) {
  TlxCalendarDate decoded;
  table.DecodeDateTimeParts(decoded, date);
  return table.EncodeCalendarDate(decoded);
}

std::optional<std::string> ByLocale(std::string_view picture, TDateTime date) {
  try {
    return UserLocale().FormatDateByPattern(picture, date);
  } catch (const Exception&) {
    return std::nullopt;
  }
}

bool IsGregorianType(int32_t type) { return type == 1 || type == 2 || (type >= 9 && type <= 12); }

}  // namespace

TDateTime lxGetMinEditDate() { return EncodeDate(100, 1, 1); }

int32_t lxFindDateWord(std::string_view text) {
  const std::vector<std::string> words = lxSmartDateWords(true);
  std::vector<int32_t> order(words.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
    if (words[a].size() != words[b].size())
      return words[a].size() > words[b].size();
    return AnsiCompareText(words[a], words[b]) > 0;
  });
  for (const int32_t index : order) {
    const std::string& word = words[index];
    if (word.empty() || text.size() < word.size() || !AnsiSameText(text.substr(0, word.size()), word))
      continue;
    const std::string_view rest = RestAfter(text, word.size());
    if (rest.empty() || rest.front() == '+' || rest.front() == '-')
      return index;
  }
  return -1;
}

bool lxSmartTextToDate(std::string_view text, TDateTime& date) {
  const std::string_view trimmed = TrimBlanks(text);
  const int32_t index = lxFindDateWord(trimmed);
  if (index < 0)
    return false;
  TDateTime result = DateOfWord(index);
  const std::string_view rest = RestAfter(trimmed, lxSmartDateWords(true)[index].size());
  if (rest.size() > 1 && (rest.front() == '+' || rest.front() == '-')) {
    int32_t days = 0;
    if (TryStrToInt(TrimBlanks(rest.substr(1)), days))
      result += rest.front() == '+' ? days : -static_cast<double>(days);
  }
  date = result;
  return true;
}

bool lxTryTextToDate(std::string_view text, TDateTime& date) {
  date = lxTextToDateTime(text);
  return date != NullDate;
}

TDateTime lxTextToDateTime(std::string_view text) {
  try {
    const std::string_view trimmed = TrimBlanks(text);
    if (trimmed.empty())
      return NullDate;
    if (!lxIsGregorianCalendarType(nullptr))
      return lxLocaleTextToDate(trimmed);
    TDateTime result = NullDate;
    if (!lxSmartTextToDate(trimmed, result)) {
      std::string prepared(trimmed);
      lxPrepareDateText(prepared, true);
      result = StrToDateTime(prepared, UserLocale().Settings());
    }
    return IsAcceptableDate(result) ? result : NullDate;
  } catch (const Exception&) {
    // Every failure of a typed date is "no date".
    return NullDate;
  }
}

bool lxParseEditDateTime(std::string_view text, bool variant_mode, TDateTime& date) {
  date = NullDate;
  try {
    TDateTime result = NullDate;
    if (lxIsGregorianCalendarType(nullptr)) {
      std::string prepared(text);
      lxPrepareDateText(prepared, variant_mode);
      result = StrToDateTime(prepared, UserLocale().Settings());
    } else {
      result = lxLocaleTextToDate(text);
    }
    date = result;
    return true;
  } catch (const Exception&) {
    date = NullDate;
    return false;
  }
}

void lxPrepareDateText(std::string& text, bool variant_mode) {
  const TLocale& locale = UserLocale();
  const TFormatSettings& settings = locale.Settings();
  const std::string date_separator = Upper(std::string(1, settings.DateSeparator));
  std::vector<std::string> kept;
  if (variant_mode) {
    kept = {date_separator, Upper(std::string(1, settings.TimeSeparator)),
            Upper(locale.DateItems().AMDesignator.empty() ? "am" : locale.DateItems().AMDesignator),
            Upper(locale.DateItems().PMDesignator.empty() ? "pm" : locale.DateItems().PMDesignator)};
  } else {
    kept = {date_separator, Upper(std::string(1, settings.TimeSeparator)), Upper(settings.TimeAMString),
            Upper(settings.TimePMString)};
  }
  const TlxFormatController& controller = lxGetFormatController();
  for (const TlxDateTimeFormatInfo* info : {&controller.DateFormatItems(), &controller.TimeFormatItems()}) {
    for (const TlxDateTimeFormatItem& item : info->ItemList) {
      if (item.ItemKind != fikText)
        continue;
      const std::string literal = Upper(item.ItemText);
      if (literal.empty() || std::find(kept.begin(), kept.end(), literal) != kept.end())
        continue;
      BlankOut(text, literal);
    }
  }
  text = CollapseBlanks(text);
  if (variant_mode && settings.DateSeparator != ' ')
    std::replace(text.begin(), text.end(), settings.DateSeparator, ' ');
}

std::string lxDateTimeToEditText(bool masked, bool with_time, bool four_digit_year, TDateTime date) {
  if (date == NullDate)
    return "";
  try {
    if (!lxIsGregorianCalendarType(nullptr))
      return lxDateTimeToLocaleText(date);
    const TlxFormatController& controller = lxGetFormatController();
    if (masked) {
      if (with_time)
        return FormatDateTime(controller.MaskedDateTimeDisplayFormat(), date);
      return FormatDateTime(controller.MaskedDateDisplayFormat(), lxDateOfDateTime(date));
    }
    std::string format = lxGetLocaleShortDateFormat();
    const size_t yy = format.find("yy");
    if (four_digit_year && yy != std::string::npos && format.find("yyy") == std::string::npos)
      format.insert(yy, "yy");
    const TLocale& locale = UserLocale();
    std::optional<std::string> text = locale.FormatDateByPattern(format, date);
    if (text && lxTimeOfDateTime(date) != 0) {
      const std::optional<std::string> time = locale.FormatTimeByPattern("", date);
      text = time ? std::optional<std::string>(*text + " " + *time) : std::nullopt;
    }
    if (text)
      return *text;
    return DateTimeToStr(date);
  } catch (const Exception&) {
    // A date the platform cannot write shows as nothing.
    return "";
  }
}

bool lxFormatDateByLocale(std::string_view format, TDateTime date, std::string& text) {
  const std::optional<std::string> written = ByLocale(format, date);
  if (!written)
    return false;
  text = *written;
  return true;
}

std::string lxDateTimeToLocaleText(TDateTime date) {
  std::string text;
  lxFormatDateByLocale(lxGetLocaleShortDateFormat(), date, text);
  const TDateTime time = std::fabs(lxTimeOfDateTime(date));
  if (time > 0) {
    try {
      text += " " + TimeToStr(time);
    } catch (const Exception&) {
      // The date alone.
    }
  }
  return text;
}

std::string lxDayNumberText(TDateTime date) {
  std::string text;
  if (lxFormatDateByLocale("d", date, text))
    return text;
  try {
    return FormatDateTime("d", date);
  } catch (const Exception&) {
    return "";
  }
}

std::string lxGetCalendarMonthName(const TlxCustomCalendarTable* table, TDateTime date) {
  const TlxCustomCalendarTable* used = nullptr;
  const auto temporary = TableOrLocale(table, used);
  TlxCalendarDate decoded;
  used->DecodeDateTimeParts(decoded, date);
  if (const std::optional<std::string> name = ByLocale("MMMM", used->EncodeCalendarDate(decoded)))
    return *name;
  if (decoded.Month < 1 || decoded.Month > 12)
    return "";
  return UserLocale().Settings().LongMonthNames[decoded.Month - 1];
}

std::string lxGetCalendarMonthNameOf(int32_t year, int32_t month, const TlxCustomCalendarTable* table) {
  const TlxCustomCalendarTable* used = nullptr;
  const auto temporary = TableOrLocale(table, used);
  if (!used->MonthIsValid(year, month))
    return "";
  return lxGetCalendarMonthName(used, used->EncodeYearMonthDay(year, month, 1));
}

std::string lxGetCalendarYearText(const TlxCustomCalendarTable* table, TDateTime date) {
  const TlxCustomCalendarTable* used = nullptr;
  const auto temporary = TableOrLocale(table, used);
  if (const std::optional<std::string> text = ByLocale("yyyy", ThroughTable(*used, date)))
    return *text;
  return std::to_string(used->YearOfDateTime(date));
}

std::string lxGetCalendarMonthYearText(const TlxCustomCalendarTable* table, TDateTime date) {
  const TlxCustomCalendarTable* used = nullptr;
  const auto temporary = TableOrLocale(table, used);
  const std::string& pattern = UserLocale().DateItems().YearMonthPattern;
  if (!pattern.empty()) {
    if (const std::optional<std::string> text = ByLocale(pattern, ThroughTable(*used, date)))
      return *text;
  }
  return lxGetCalendarMonthName(used, date) + " " + lxGetCalendarYearText(used, date);
}

std::string lxGetWeekDayName(int32_t day, uint8_t charset) {
  if (day < 1 || day > 7)
    return "";
  const std::string& name = UserLocale().DateItems().ShortestDayNames[day - 1];
  return lxCharsetReordersText(charset) ? LastCharacter(name) : FirstCharacter(name);
}

std::string lxCalendarNumberText(int32_t n, const TlxCustomCalendarTable* table) {
  const TlxCustomCalendarTable* used = nullptr;
  const auto temporary = TableOrLocale(table, used);
  return lxDayNumberText(used->EncodeYearMonthDay(used->EarliestYear(), 1, n));
}

std::unique_ptr<TlxCustomCalendarTable> lxCreateCalendarTable(int32_t calendar_type) {
  switch (calendar_type) {
    case 3: return std::make_unique<TlxJapaneseCalendarTable>();
    case 4: return std::make_unique<TlxTaiwanCalendarTable>();
    case 5: return std::make_unique<TlxKoreanCalendarTable>();
    case 6: return std::make_unique<TlxHijriCalendarTable>();
    case 7: return std::make_unique<TlxThaiCalendarTable>();
    case 8: return std::make_unique<TlxHebrewCalendarTable>();
    default: break;
  }
  auto table = std::make_unique<TlxGregorianCalendarTable>();
  table->SetCalendarType(IsGregorianType(calendar_type) ? calendar_type : 1);
  return table;
}

int32_t lxGetLocaleCalendarType() { return UserLocale().DateItems().CalendarType; }

std::unique_ptr<TlxCustomCalendarTable> lxCreateLocaleCalendarTable() {
  return lxCreateCalendarTable(lxGetLocaleCalendarType());
}

bool lxIsGregorianCalendarType(const TlxCustomCalendarTable* table) {
  return IsGregorianType(table != nullptr ? table->WindowsCalendarType() : lxGetLocaleCalendarType());
}

TDateTime lxLocaleTextToDate(std::string_view text) {
  const int32_t type = lxGetLocaleCalendarType();
  if (type < 3 || type > 8) {
    TDateTime date = NullDate;
    lxTryTextToDate(text, date);
    return date;
  }
  const std::unique_ptr<TlxCustomCalendarTable> table = lxCreateLocaleCalendarTable();
  const TFormatSettings settings = lxGetLocaleFormatSettings();
  const std::string format = LowerCase(settings.ShortDateFormat);

  // Field order by the first of d, y (or e) and m.
  const size_t first_field = format.find_first_of("dyem");
  const char first = first_field == std::string::npos ? 'm' : format[first_field];

  std::string_view rest = TrimBlanks(text);
  int32_t era_offset = 0;
  if (format.starts_with("g")) {
    // The era's name comes first; without era names of its own the
    // platform knows none, so the standard era applies.
    const size_t digit = rest.find_first_of("0123456789");
    rest = TrimBlanks(rest.substr(digit == std::string_view::npos ? rest.size() : digit));
  } else if (format.find('e') != std::string::npos && table->Eras().Count() > 0) {
    era_offset = table->Eras().Era(0)->GregorianYearOffset();
  }

  const auto take = [&rest](char stop) {
    const size_t end = rest.find(stop);
    std::string field(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return field;
  };
  std::string fields[3];
  fields[0] = take(settings.DateSeparator);
  fields[1] = take(settings.DateSeparator);
  fields[2] = take(' ');
  // A month name of two words.
  if (!rest.empty() && !(rest.front() >= '0' && rest.front() <= '9') && rest.find(':') == std::string_view::npos)
    fields[2] += " " + take(' ');

  std::string day_text, month_text, year_text;
  if (first == 'd') {
    day_text = fields[0], month_text = fields[1], year_text = fields[2];
  } else if (first == 'y' || first == 'e') {
    year_text = fields[0], month_text = fields[1], day_text = fields[2];
  } else {
    month_text = fields[0], day_text = fields[1], year_text = fields[2];
  }

  TlxCalendarDate date;
  date.Year = table->ParseYearText(year_text);
  date.Month = table->ParseMonthText(date.Year, month_text);
  date.Day = table->ParseDayText(day_text);
  date.Era = table->EraOfYear(era_offset + 1);
  const std::string_view time_text = TrimBlanks(rest);
  if (!time_text.empty()) {
    const TTimeParts time = DecodeTimeParts(StrToTime(time_text, UserLocale().Settings()));
    date.Hour = static_cast<uint8_t>(time.hour);
    date.Minute = static_cast<uint8_t>(time.minute);
    date.Second = static_cast<uint8_t>(time.second);
    date.Millisecond = time.millisecond;
  }
  return table->EncodeCalendarDate(date);
}

char lxGetLocaleDateSeparator() { return UserLocale().Settings().DateSeparator; }

char lxGetLocaleTimeSeparator() { return UserLocale().Settings().TimeSeparator; }

std::string lxGetLocaleShortDateFormat() { return UserLocale().DateItems().ShortDatePattern; }

std::string lxGetLocaleLongDateFormat() { return UserLocale().DateItems().LongDatePattern; }

std::string lxGetLocaleTimeFormat() { return UserLocale().DateItems().TimePattern; }

std::string lxGetLocaleAMString() { return UserLocale().DateItems().AMDesignator; }

std::string lxGetLocalePMString() { return UserLocale().DateItems().PMDesignator; }

TFormatSettings lxGetLocaleFormatSettings() {
  TFormatSettings settings = UserLocale().Settings();
  settings.DateSeparator = lxGetLocaleDateSeparator();
  settings.TimeSeparator = lxGetLocaleTimeSeparator();
  settings.ShortDateFormat = lxGetLocaleShortDateFormat();
  settings.LongDateFormat = lxGetLocaleLongDateFormat();
  settings.LongTimeFormat = lxGetLocaleTimeFormat();
  settings.TimeAMString = lxGetLocaleAMString();
  settings.TimePMString = lxGetLocalePMString();
  return settings;
}
