#include "platform/rtl/format_settings.h"

namespace {

TFormatSettings MakeEnglish() {
  TFormatSettings s;
  s.CurrencyString = "$";
  s.CurrencyFormat = 0;
  s.NegCurrFormat = 0;
  s.CurrencyDecimals = 2;
  s.ThousandSeparator = ',';
  s.DecimalSeparator = '.';
  s.DateSeparator = '/';
  s.TimeSeparator = ':';
  s.ListSeparator = ',';
  s.ShortDateFormat = "m/d/yyyy";
  s.LongDateFormat = "dddd, mmmm d, yyyy";
  s.ShortTimeFormat = "h:nn AMPM";
  s.LongTimeFormat = "h:nn:ss AMPM";
  s.TimeAMString = "AM";
  s.TimePMString = "PM";
  s.ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  s.LongMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                      "July",    "August",   "September", "October", "November", "December"};
  s.ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  s.LongDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  s.FirstDayOfWeek = 0;
  return s;
}

TFormatSettings MakeGerman() {
  TFormatSettings s;
  s.CurrencyString = "€";
  s.CurrencyFormat = 3;
  s.NegCurrFormat = 8;
  s.CurrencyDecimals = 2;
  s.ThousandSeparator = '.';
  s.DecimalSeparator = ',';
  s.DateSeparator = '.';
  s.TimeSeparator = ':';
  s.ListSeparator = ';';
  s.ShortDateFormat = "dd.mm.yyyy";
  s.LongDateFormat = "dddd, d. mmmm yyyy";
  s.ShortTimeFormat = "hh:nn";
  s.LongTimeFormat = "hh:nn:ss";
  s.TimeAMString = "";
  s.TimePMString = "";
  s.ShortMonthNames = {"Jan", "Feb", "Mrz", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
  s.LongMonthNames = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                      "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
  s.ShortDayNames = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
  s.LongDayNames = {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};
  s.FirstDayOfWeek = 1;
  return s;
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
