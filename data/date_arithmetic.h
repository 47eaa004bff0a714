#pragma once
// Small date routines shared by the smart date input, the Gregorian
// calendar table, the calendar control and the grid's date grouping:
// month and year bounds, week positions and week numbers by the locale's
// rules. Dates are TDateTime values (days since 30 December 1899).

#include <cstdint>

#include "platform/rtl/date_time.h"

class TlxCustomCalendarTable;

enum TlxDatePart : int32_t { lxdpYear = 0, lxdpMonth = 1, lxdpDay = 2 };

// Rules for week 1 of a year.
enum TlxFirstWeekRule : int32_t {
  lxfwLocale = 0,      // the locale's rule
  lxfwJanFirst = 1,    // the week that holds 1 January
  lxfwFullWeek = 2,    // the first full week
  lxfwFourDays = 3,    // the first week with at least four days
};

// year * 12 + month - 12: consecutive months give consecutive numbers.
int32_t lxMonthOrdinal(TDateTime date);
// A part of the date decoded by the table, or by the Gregorian calendar for
// none.
int32_t lxExtractDatePart(TlxDatePart part, const TlxCustomCalendarTable* table, TDateTime date);
bool lxIsLeapYear(int32_t year);
int32_t lxMonthDayCount(int32_t year, int32_t month);
TDateTime lxTimeOfDateTime(TDateTime date);
// The whole days, truncated toward zero.
TDateTime lxDateOfDateTime(TDateTime date);
// The date's position 0..6 in a week that starts on the format
// controller's first day of the week.
int32_t lxDayOfWeekOffset(TDateTime date);
TDateTime lxFirstDayOfMonth(TDateTime date);
// The month's last day; without `date_only` its last millisecond.
TDateTime lxLastDayOfMonth(bool date_only, TDateTime date);
TDateTime lxFirstDayOfYear(TDateTime date);
TDateTime lxLastDayOfYear(bool date_only, TDateTime date);
// The whole day that starts the date's week (first weekday 0 = Sunday).
TDateTime lxWeekStartOf(int32_t first_weekday, TDateTime date);
// The locale's week-1 rule as a TlxFirstWeekRule (1..3).
int32_t lxLocaleFirstWeekRule();
// The week number of a date for a first weekday (0 = Sunday) and a rule.
// Days of January before week 1 belong to the previous year's last week.
int32_t lxWeekOfYear(int32_t first_weekday, int32_t rule, TDateTime date);
