#pragma once
// Regional helpers of the data controller: the first day of the week, the
// start of a date's week, the default currency display format and a
// case-insensitive prefix test.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/rtl/date_time.h"

// The program-wide first day of the week (0 = Sunday ... 6 = Saturday);
// kLxFirstDayFromLocale, the initial value, takes it from the locale.
constexpr int kLxFirstDayFromLocale = 10;
int lxFirstDayOfWeekSetting();
void lxSetFirstDayOfWeekSetting(int day);

// 0 = Sunday ... 6 = Saturday.
int lxGetLocaleFirstDayOfWeek();
// The whole day on or before `date` whose weekday is the first day of the week.
TDateTime lxGetStartOfWeek(TDateTime date);

TDateTime lxDateOf(TDateTime value);
TDateTime lxTimeOf(TDateTime value);

// The default display format of currency values from the regional currency
// settings: ",0." and the decimals, with the symbol (its "," and "." quoted)
// placed by the currency position.
std::string lxBuildCurrencyFormat();

// Both upper-cased with the locale: with `partial` and a non-empty search
// text, whether the text starts with it; otherwise whether they are equal.
bool lxTextEqualsOrStartsWith(std::string_view text, std::string_view search, bool partial);
