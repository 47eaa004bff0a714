#pragma once
// The regional settings that formatting and conversion routines work with.
// Every routine that depends on them takes a TFormatSettings explicitly or
// uses the user locale's (UserLocale().Settings()); the socket transport,
// for one, passes fixed English settings so that its texts never vary.

#include <array>
#include <cstdint>
#include <string>

struct TFormatSettings {
  // Currency: the symbol, its position (0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"),
  // the negative pattern (0..15, as the regional settings number them) and
  // the decimals shown.
  std::string CurrencyString;
  uint8_t CurrencyFormat = 0;
  uint8_t NegCurrFormat = 0;
  uint8_t CurrencyDecimals = 2;

  // Separators are single 8-bit characters; a locale whose separator is not
  // ASCII (a no-break space, say) gets the nearest ASCII one.
  char ThousandSeparator = ',';
  char DecimalSeparator = '.';
  char DateSeparator = '/';
  char TimeSeparator = ':';
  char ListSeparator = ',';

  std::string ShortDateFormat;
  std::string LongDateFormat;
  std::string ShortTimeFormat;
  std::string LongTimeFormat;
  std::string TimeAMString;
  std::string TimePMString;

  // January first; day names Sunday first, as DayOfWeek counts.
  std::array<std::string, 12> ShortMonthNames;
  std::array<std::string, 12> LongMonthNames;
  std::array<std::string, 7> ShortDayNames;
  std::array<std::string, 7> LongDayNames;

  // 0 = Sunday ... 6 = Saturday.
  uint8_t FirstDayOfWeek = 0;
  // Two-digit years: 0 means "within the current century"; otherwise the
  // year lands in the 100 years ending this many years after the current one.
  uint16_t TwoDigitYearCenturyWindow = 50;
};

// Fixed settings, independent of the machine.
const TFormatSettings& EnglishFormatSettings();  // en-US
const TFormatSettings& GermanFormatSettings();   // de-DE
