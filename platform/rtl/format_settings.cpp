#include "platform/rtl/format_settings.h"

namespace {

// Designated initialisers build the strings in place; assigning them one by
// one trips a false -Wrestrict warning of GCC 12 at -O3.

TFormatSettings MakeEnglish() {
  return TFormatSettings{
      .CurrencyString = "$",
      .CurrencyFormat = 0,
      .NegCurrFormat = 0,
      .CurrencyDecimals = 2,
      .ThousandSeparator = ',',
      .DecimalSeparator = '.',
      .DateSeparator = '/',
      .TimeSeparator = ':',
      .ListSeparator = ',',
      .ShortDateFormat = "m/d/yyyy",
      .LongDateFormat = "dddd, mmmm d, yyyy",
      .ShortTimeFormat = "h:nn AMPM",
      .LongTimeFormat = "h:nn:ss AMPM",
      .TimeAMString = "AM",
      .TimePMString = "PM",
      .ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
      .LongMonthNames = {"January", "February", "March", "April", "May", "June", "July", "August", "September",
                         "October", "November", "December"},
      .ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
      .LongDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
      .FirstDayOfWeek = 0,
  };
}

TFormatSettings MakeGerman() {
  return TFormatSettings{
      .CurrencyString = "€",
      .CurrencyFormat = 3,
      .NegCurrFormat = 8,
      .CurrencyDecimals = 2,
      .ThousandSeparator = '.',
      .DecimalSeparator = ',',
      .DateSeparator = '.',
      .TimeSeparator = ':',
      .ListSeparator = ';',
      .ShortDateFormat = "dd.mm.yyyy",
      .LongDateFormat = "dddd, d. mmmm yyyy",
      .ShortTimeFormat = "hh:nn",
      .LongTimeFormat = "hh:nn:ss",
      .TimeAMString = "",
      .TimePMString = "",
      .ShortMonthNames = {"Jan", "Feb", "Mrz", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"},
      .LongMonthNames = {"Januar", "Februar", "März", "April", "Mai", "Juni", "Juli", "August", "September",
                         "Oktober", "November", "Dezember"},
      .ShortDayNames = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"},
      .LongDayNames = {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"},
      .FirstDayOfWeek = 1,
  };
}

}  // namespace

const TFormatSettings& EnglishFormatSettings() {
  static const TFormatSettings settings = MakeEnglish();
  return settings;
}

const TFormatSettings& GermanFormatSettings() {
  static const TFormatSettings settings = MakeGerman();
  return settings;
}
