// Text to dates and times in the field order of the short date format.

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "platform/rtl/date_text.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/text.h"

namespace {

constexpr size_t kMaxNumberDigits = 9;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
// Letters of month names and AM/PM texts: ASCII letters and every byte of a
// multi-byte UTF-8 sequence ("März").
bool IsWordByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || byte >= 0x80;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

enum class Field : uint8_t { kDay, kMonth, kYear };

// The order of day, month and year in the short date format.
std::array<Field, 3> FieldOrder(std::string_view format) {
  std::array<Field, 3> order{Field::kMonth, Field::kDay, Field::kYear};
  size_t found = 0;
  bool seen[3] = {false, false, false};
  char quote = 0;
  for (const char c : format) {
    if (quote != 0) {
      if (c == quote)
        quote = 0;
      continue;
    }
    if (c == '"' || c == '\'') {
      quote = c;
      continue;
    }
    const char lower = static_cast<char>(c | 0x20);
    const Field field = lower == 'd' ? Field::kDay : lower == 'm' ? Field::kMonth : Field::kYear;
    if ((lower != 'd' && lower != 'm' && lower != 'y') || seen[static_cast<int>(field)])
      continue;
    seen[static_cast<int>(field)] = true;
    if (found < 3)
      order[found++] = field;
  }
  return found == 3 ? order : std::array<Field, 3>{Field::kMonth, Field::kDay, Field::kYear};
}

struct Token {
  bool is_number;
  std::string_view text;
};

// Numbers and words, split at blanks, the date separator and the usual
// punctuation of written dates. Anything else makes the text invalid.
std::optional<std::vector<Token>> Tokenize(std::string_view text, char date_separator) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (IsDigit(c) || IsWordByte(c)) {
      const bool number = IsDigit(c);
      size_t end = i;
      while (end < text.size() && (number ? IsDigit(text[end]) : IsWordByte(text[end])))
        ++end;
      if (number && end - i > kMaxNumberDigits)
        return std::nullopt;
      tokens.push_back({number, text.substr(i, end - i)});
      if (tokens.size() > 3)
        return std::nullopt;
      i = end;
    } else if (c == date_separator || IsBlank(c) || c == ',' || c == '.' || c == '/' || c == '-') {
      ++i;
    } else {
      return std::nullopt;
    }
  }
  return tokens;
}

int ToNumber(std::string_view digits) {
  int value = 0;
  for (const char c : digits)
    value = value * 10 + (c - '0');
  return value;
}

std::optional<int> MonthOfName(std::string_view word, const TFormatSettings& settings) {
  for (int month = 0; month < 12; ++month) {
    if (AnsiSameText(word, settings.LongMonthNames[static_cast<size_t>(month)]) ||
        AnsiSameText(word, settings.ShortMonthNames[static_cast<size_t>(month)]))
      return month + 1;
  }
  return std::nullopt;
}

int CurrentYear() { return DecodeDateParts(Date()).year; }

// Two-digit years land in the window of the settings.
int ExpandYear(int year, size_t digits, const TFormatSettings& settings) {
  if (digits > 2)
    return year;
  const int current = CurrentYear();
  const int window = settings.TwoDigitYearCenturyWindow;
  const int century_base = current - window;
  year += (window > 0 ? century_base : current) / 100 * 100;
  if (window > 0 && year < century_base)
    year += 100;
  return year;
}

bool ParseDate(std::string_view text, const TFormatSettings& settings, TDateTime& out) {
  const auto tokens = Tokenize(Trim(text), settings.DateSeparator);
  if (!tokens || tokens->size() < 2)
    return false;
  std::optional<int> month_by_name;
  std::vector<Token> numbers;
  for (const Token& token : *tokens) {
    if (token.is_number) {
      numbers.push_back(token);
      continue;
    }
    if (month_by_name)
      return false;
    month_by_name = MonthOfName(token.text, settings);
    if (!month_by_name)
      return false;
  }

  std::vector<Field> order;
  for (const Field field : FieldOrder(settings.ShortDateFormat))
    if (!(month_by_name && field == Field::kMonth))
      order.push_back(field);
  // With one number fewer than fields, the year is the current one.
  if (numbers.size() + 1 == order.size())
    order.erase(std::find(order.begin(), order.end(), Field::kYear));
  if (numbers.size() != order.size())
    return false;

  int day = 0;
  int month = month_by_name.value_or(0);
  int year = CurrentYear();
  for (size_t i = 0; i < numbers.size(); ++i) {
    const int value = ToNumber(numbers[i].text);
    switch (order[i]) {
      case Field::kDay: day = value; break;
      case Field::kMonth: month = value; break;
      case Field::kYear: year = ExpandYear(value, numbers[i].text.size(), settings); break;
    }
  }
  return TryEncodeDate(year, month, day, out);
}

// AM and PM: the locale's texts, and the English ones with their initials.
std::optional<bool> ParseAmPm(std::string_view word, const TFormatSettings& settings) {
  if ((!settings.TimeAMString.empty() && AnsiSameText(word, settings.TimeAMString)) || SameText(word, "AM") ||
      SameText(word, "A"))
    return false;
  if ((!settings.TimePMString.empty() && AnsiSameText(word, settings.TimePMString)) || SameText(word, "PM") ||
      SameText(word, "P"))
    return true;
  return std::nullopt;
}

bool ReadNumber(std::string_view text, size_t& i, int& value) {
  const size_t start = i;
  while (i < text.size() && IsDigit(text[i]) && i - start < kMaxNumberDigits)
    ++i;
  if (i == start || (i < text.size() && IsDigit(text[i])))
    return false;
  value = ToNumber(text.substr(start, i - start));
  return true;
}

bool ParseTime(std::string_view text, const TFormatSettings& settings, TDateTime& out) {
  text = Trim(text);
  int parts[3] = {0, 0, 0};
  int part_count = 0;
  int millisecond = 0;
  size_t i = 0;
  while (part_count < 3) {
    if (!ReadNumber(text, i, parts[part_count]))
      return false;
    ++part_count;
    if (i >= text.size() || text[i] != settings.TimeSeparator)
      break;
    ++i;
  }
  if (part_count == 3 && i < text.size() && (text[i] == '.' || text[i] == settings.DecimalSeparator)) {
    ++i;
    const size_t start = i;
    if (!ReadNumber(text, i, millisecond) || i - start > 3)
      return false;
    for (size_t digits = i - start; digits < 3; ++digits)
      millisecond *= 10;
  }
  while (i < text.size() && IsBlank(text[i]))
    ++i;
  std::optional<bool> pm;
  if (i < text.size()) {
    pm = ParseAmPm(text.substr(i), settings);
    if (!pm)
      return false;
  }
  if (part_count < 2 && !pm)
    return false;
  int hour = parts[0];
  if (pm) {
    if (hour < 1 || hour > 12)
      return false;
    hour = (hour % 12) + (*pm ? 12 : 0);
  }
  return TryEncodeTime(hour, parts[1], parts[2], millisecond, out);
}

// Where the time begins: at the number before the first time separator, or
// at a trailing AM/PM marker's number ("5 PM").
std::optional<size_t> TimeStart(std::string_view text, const TFormatSettings& settings) {
  const size_t separator = text.find(settings.TimeSeparator);
  if (separator == std::string_view::npos || settings.TimeSeparator == settings.DateSeparator)
    return std::nullopt;
  size_t start = separator;
  while (start > 0 && IsDigit(text[start - 1]))
    --start;
  return start;
}

const TFormatSettings& UserSettings() { return UserLocale().Settings(); }

}  // namespace

bool TryStrToDate(std::string_view text, TDateTime& out, const TFormatSettings& settings) {
  return ParseDate(text, settings, out);
}
bool TryStrToDate(std::string_view text, TDateTime& out) { return TryStrToDate(text, out, UserSettings()); }

TDateTime StrToDate(std::string_view text, const TFormatSettings& settings) {
  TDateTime value = 0;
  if (!TryStrToDate(text, value, settings))
    throw EConvertError::InvalidDate(text);
  return value;
}
TDateTime StrToDate(std::string_view text) { return StrToDate(text, UserSettings()); }

bool TryStrToTime(std::string_view text, TDateTime& out, const TFormatSettings& settings) {
  return ParseTime(text, settings, out);
}
bool TryStrToTime(std::string_view text, TDateTime& out) { return TryStrToTime(text, out, UserSettings()); }

TDateTime StrToTime(std::string_view text, const TFormatSettings& settings) {
  TDateTime value = 0;
  if (!TryStrToTime(text, value, settings))
    throw EConvertError::InvalidTime(text);
  return value;
}
TDateTime StrToTime(std::string_view text) { return StrToTime(text, UserSettings()); }

bool TryStrToDateTime(std::string_view text, TDateTime& out, const TFormatSettings& settings) {
  text = Trim(text);
  const std::optional<size_t> time_start = TimeStart(text, settings);
  if (!time_start)
    return ParseDate(text, settings, out);
  const std::string_view date_part = Trim(text.substr(0, *time_start));
  TDateTime time = 0;
  if (!ParseTime(text.substr(*time_start), settings, time))
    return false;
  if (date_part.empty()) {
    out = time;
    return true;
  }
  TDateTime date = 0;
  if (!ParseDate(date_part, settings, date))
    return false;
  out = ComposeDateTime(date, time);
  return true;
}
bool TryStrToDateTime(std::string_view text, TDateTime& out) {
  return TryStrToDateTime(text, out, UserSettings());
}

TDateTime StrToDateTime(std::string_view text, const TFormatSettings& settings) {
  TDateTime value = 0;
  if (!TryStrToDateTime(text, value, settings))
    throw EConvertError::InvalidDateTime(text);
  return value;
}
TDateTime StrToDateTime(std::string_view text) { return StrToDateTime(text, UserSettings()); }
