// FormatDateTime and the date and time texts built on it.

#include <cmath>

#include "platform/rtl/date_text.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/text.h"

namespace {

// Nested formats (c, ddddd, t...) expand to the locale's formats, which
// could in turn name each other; this bounds the recursion.
constexpr int kMaxNesting = 4;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithNoCase(std::string_view text, size_t at, std::string_view prefix) {
  if (text.size() - at < prefix.size())
    return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (Lower(text[at + i]) != prefix[i])
      return false;
  return true;
}

// Does the format show a 12-hour clock (an am/pm marker outside quotes)?
bool HasAmPm(std::string_view format) {
  char quote = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (quote != 0) {
      if (c == quote)
        quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (StartsWithNoCase(format, i, "am/pm") || StartsWithNoCase(format, i, "a/p") ||
               StartsWithNoCase(format, i, "ampm")) {
      return true;
    }
  }
  return false;
}

std::string TwoDigits(int value) {
  std::string out = std::to_string(value);
  return out.size() < 2 ? "0" + out : out;
}

class DateFormatter {
 public:
  DateFormatter(TDateTime value, const TFormatSettings& settings)
      : settings_(settings), date_(DecodeDateParts(value)), time_(DecodeTimeParts(value)), value_(value) {}

  void Append(std::string_view format, int depth) {
    if (depth > kMaxNesting)
      return;
    const bool twelve_hour = HasAmPm(format);
    size_t i = 0;
    while (i < format.size()) {
      const char c = format[i];
      const char lower = Lower(c);
      size_t run = 1;
      while (i + run < format.size() && Lower(format[i + run]) == lower)
        ++run;
      if (c == '"' || c == '\'') {
        const size_t end = format.find(c, i + 1);
        const size_t stop = end == std::string_view::npos ? format.size() : end;
        out_.append(format.substr(i + 1, stop - i - 1));
        i = stop == format.size() ? stop : stop + 1;
        continue;
      }
      if (lower == 'a' && AppendAmPm(format, i))
        continue;
      i += Field(c, run, twelve_hour, depth);
    }
  }

  std::string Take() { return std::move(out_); }

 private:
  // Writes one field starting with `c` repeated `run` times (in any case);
  // answers the number of format characters used.
  size_t Field(char c, size_t run, bool twelve_hour, int depth) {
    const char lower = Lower(c);
    // Minutes follow an hour across separators and literal text.
    const bool after_hour = last_was_hour_;
    if (std::string_view("cdmynszt").find(lower) != std::string_view::npos)
      last_was_hour_ = false;
    switch (lower) {
      case 'c':
        Append(settings_.ShortDateFormat, depth + 1);
        if (time_.hour != 0 || time_.minute != 0 || time_.second != 0 || time_.millisecond != 0) {
          out_.push_back(' ');
          Append(settings_.LongTimeFormat, depth + 1);
        }
        return 1;
      case 'd':
        return Day(run, depth);
      case 'm':
        return Month(run, after_hour);
      case 'y':
        if (run >= 3) {
          // Four digits always, so that year 24 does not read back as 2024.
          std::string year = std::to_string(date_.year);
          out_ += std::string(year.size() < 4 ? 4 - year.size() : 0, '0') + year;
          return std::min<size_t>(run, 4);
        }
        out_ += TwoDigits(date_.year % 100);
        return run;
      case 'h': {
        last_was_hour_ = true;
        int hour = time_.hour;
        if (twelve_hour) {
          hour %= 12;
          if (hour == 0)
            hour = 12;
        }
        out_ += run >= 2 ? TwoDigits(hour) : std::to_string(hour);
        return std::min<size_t>(run, 2);
      }
      case 'n':
        out_ += run >= 2 ? TwoDigits(time_.minute) : std::to_string(time_.minute);
        return std::min<size_t>(run, 2);
      case 's':
        out_ += run >= 2 ? TwoDigits(time_.second) : std::to_string(time_.second);
        return std::min<size_t>(run, 2);
      case 'z': {
        std::string ms = std::to_string(time_.millisecond);
        if (run >= 3)
          ms.insert(0, 3 - ms.size(), '0');
        out_ += ms;
        return run >= 3 ? 3 : 1;
      }
      case 't':
        Append(run >= 2 ? settings_.LongTimeFormat : settings_.ShortTimeFormat, depth + 1);
        return std::min<size_t>(run, 2);
      case '/':
        out_.push_back(settings_.DateSeparator);
        return 1;
      case ':':
        out_.push_back(settings_.TimeSeparator);
        return 1;
      default:
        out_.push_back(c);
        return 1;
    }
  }

  size_t Day(size_t run, int depth) {
    switch (run) {
      case 1:
        out_ += std::to_string(date_.day);
        return 1;
      case 2:
        out_ += TwoDigits(date_.day);
        return 2;
      case 3:
        out_ += settings_.ShortDayNames[static_cast<size_t>(DayOfWeek(value_) - 1)];
        return 3;
      case 4:
        out_ += settings_.LongDayNames[static_cast<size_t>(DayOfWeek(value_) - 1)];
        return 4;
      case 5:
        Append(settings_.ShortDateFormat, depth + 1);
        return 5;
      default:
        Append(settings_.LongDateFormat, depth + 1);
        return 6;
    }
  }

  size_t Month(size_t run, bool after_hour) {
    if (after_hour && run <= 2) {
      out_ += run == 2 ? TwoDigits(time_.minute) : std::to_string(time_.minute);
      return run;
    }
    const size_t index = static_cast<size_t>(date_.month - 1);
    switch (run) {
      case 1:
        out_ += std::to_string(date_.month);
        return 1;
      case 2:
        out_ += TwoDigits(date_.month);
        return 2;
      case 3:
        out_ += settings_.ShortMonthNames[index];
        return 3;
      default:
        out_ += settings_.LongMonthNames[index];
        return 4;
    }
  }

  // am/pm, a/p (in the case written) and ampm (the locale's texts).
  bool AppendAmPm(std::string_view format, size_t& i) {
    const bool pm = time_.hour >= 12;
    if (StartsWithNoCase(format, i, "am/pm")) {
      const std::string_view written = format.substr(pm ? i + 3 : i, 2);
      out_.append(written);
      i += 5;
      return true;
    }
    if (StartsWithNoCase(format, i, "a/p")) {
      out_.push_back(format[pm ? i + 2 : i]);
      i += 3;
      return true;
    }
    if (StartsWithNoCase(format, i, "ampm")) {
      out_ += pm ? settings_.TimePMString : settings_.TimeAMString;
      i += 4;
      return true;
    }
    return false;
  }

  const TFormatSettings& settings_;
  TDateParts date_;
  TTimeParts time_;
  TDateTime value_;
  std::string out_;
  bool last_was_hour_ = false;
};

}  // namespace

std::string FormatDateTime(std::string_view format, TDateTime value, const TFormatSettings& settings) {
  DateFormatter formatter(value, settings);
  formatter.Append(format.empty() ? std::string_view("c") : format, 0);
  return formatter.Take();
}

std::string FormatDateTime(std::string_view format, TDateTime value) {
  return FormatDateTime(format, value, UserLocale().Settings());
}

std::string DateToStr(TDateTime value, const TFormatSettings& settings) {
  return FormatDateTime("ddddd", value, settings);
}
std::string DateToStr(TDateTime value) { return DateToStr(value, UserLocale().Settings()); }

std::string TimeToStr(TDateTime value, const TFormatSettings& settings) {
  return FormatDateTime("tt", value, settings);
}
std::string TimeToStr(TDateTime value) { return TimeToStr(value, UserLocale().Settings()); }

std::string DateTimeToStr(TDateTime value, const TFormatSettings& settings) {
  if (std::trunc(value) == 0 && value != 0)
    return TimeToStr(value, settings);
  return FormatDateTime("c", value, settings);
}
std::string DateTimeToStr(TDateTime value) { return DateTimeToStr(value, UserLocale().Settings()); }
