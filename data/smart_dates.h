#pragma once
// What a user types into a date and a date into what a user reads: smart
// words (today, tomorrow, a weekday name, bom, eom ... with +N or -N days),
// typed texts cleaned of the regional formats' literal parts, the locale's
// own date texts (non-Gregorian calendars included) and the calendar table
// of the locale. Conversions never raise: they answer NullDate or false.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "data/calendar_table.h"
#include "platform/rtl/date_time.h"
#include "platform/rtl/format_settings.h"
// lxCharsetReordersText, which the weekday names use, is the foundation's.
#include "ui/foundation/text_layout/text_arrangement.h"

// The date value that stands for no date.
inline constexpr TDateTime NullDate = -700000.0;

// 1 January 100: the smallest date the editors accept.
TDateTime lxGetMinEditDate();

// The index (0..19) of the smart word the text begins with, or -1. Longer
// words win over their prefixes; a word counts only when the rest of the
// text is empty or starts with '+' or '-'.
int32_t lxFindDateWord(std::string_view text);
bool lxSmartTextToDate(std::string_view text, TDateTime& date);
bool lxTryTextToDate(std::string_view text, TDateTime& date);
TDateTime lxTextToDateTime(std::string_view text);
// Without smart words; `variant_mode` reads the text as the platform's
// variant conversion does.
bool lxParseEditDateTime(std::string_view text, bool variant_mode, TDateTime& date);
void lxPrepareDateText(std::string& text, bool variant_mode);

std::string lxDateTimeToEditText(bool masked, bool with_time, bool four_digit_year, TDateTime date);
// A date written by the locale with a picture (empty: its short date).
bool lxFormatDateByLocale(std::string_view format, TDateTime date, std::string& text);
std::string lxDateTimeToLocaleText(TDateTime date);
std::string lxDayNumberText(TDateTime date);

std::string lxGetCalendarMonthName(const TlxCustomCalendarTable* table, TDateTime date);
std::string lxGetCalendarMonthNameOf(int32_t year, int32_t month, const TlxCustomCalendarTable* table);
std::string lxGetCalendarYearText(const TlxCustomCalendarTable* table, TDateTime date);
std::string lxGetCalendarMonthYearText(const TlxCustomCalendarTable* table, TDateTime date);
// The one-character name of weekday 1 (Monday) .. 7 (Sunday).
std::string lxGetWeekDayName(int32_t day, uint8_t charset);
// The number n as the locale writes day numbers in the table's calendar.
std::string lxCalendarNumberText(int32_t n, const TlxCustomCalendarTable* table);

std::unique_ptr<TlxCustomCalendarTable> lxCreateCalendarTable(int32_t calendar_type);
int32_t lxGetLocaleCalendarType();
std::unique_ptr<TlxCustomCalendarTable> lxCreateLocaleCalendarTable();
// Whether the table (none: the locale's calendar) is a Gregorian kind.
bool lxIsGregorianCalendarType(const TlxCustomCalendarTable* table);
// Typed text in a non-Gregorian locale calendar.
TDateTime lxLocaleTextToDate(std::string_view text);

// The locale's regional items (the user locale).
char lxGetLocaleDateSeparator();
char lxGetLocaleTimeSeparator();
std::string lxGetLocaleShortDateFormat();
std::string lxGetLocaleLongDateFormat();
std::string lxGetLocaleTimeFormat();
std::string lxGetLocaleAMString();
std::string lxGetLocalePMString();
TFormatSettings lxGetLocaleFormatSettings();
