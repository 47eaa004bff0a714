#include "data/data_utils.h"

#include <atomic>
#include <cmath>

#include "platform/rtl/locale.h"
#include "platform/rtl/text.h"

namespace {

std::atomic<int>& FirstDaySetting() {
  static std::atomic<int> setting{kLxFirstDayFromLocale};
  return setting;
}

int WeekdayOf(TDateTime date) { return DayOfWeek(date) - 1; }

}  // namespace

int lxFirstDayOfWeekSetting() { return FirstDaySetting().load(); }

void lxSetFirstDayOfWeekSetting(int day) { FirstDaySetting().store(day); }

int lxGetLocaleFirstDayOfWeek() {
  const int setting = lxFirstDayOfWeekSetting();
  if (setting >= 0 && setting <= 6)
    return setting;
  return UserLocale().Settings().FirstDayOfWeek % 7;
}

TDateTime lxGetStartOfWeek(TDateTime date) {
  const TDateTime day = lxDateOf(date);
  const int first = lxGetLocaleFirstDayOfWeek();
  const int weekday = WeekdayOf(day);
  if (weekday < first)
    return day - 7 + (first - weekday);
  return day - (weekday - first);
}

TDateTime lxDateOf(TDateTime value) { return DateOf(value); }

TDateTime lxTimeOf(TDateTime value) { return TimeOf(value); }

std::string lxBuildCurrencyFormat() {
  const TFormatSettings& settings = UserLocale().Settings();
  const std::string body = ",0." + std::string(settings.CurrencyDecimals, '0');
  std::string symbol;
  for (char c : settings.CurrencyString) {
    if (c == ',' || c == '.') {
      symbol += '\'';
      symbol += c;
      symbol += '\'';
    } else {
      symbol += c;
    }
  }
  if (symbol.empty())
    return body;
  switch (settings.CurrencyFormat) {
    case 0: return symbol + body;
    case 1: return body + symbol;
    case 2: return symbol + " " + body;
    default: return body + " " + symbol;
  }
}

bool lxTextEqualsOrStartsWith(std::string_view text, std::string_view search, bool partial) {
  const std::string upper_text = AnsiUpperCase(text);
  const std::string upper_search = AnsiUpperCase(search);
  if (partial && !upper_search.empty())
    return upper_text.starts_with(upper_search);
  return upper_text == upper_search;
}
