#pragma once
// Dates and times as text, in the platform's format syntax:
//   c            short date, then the long time unless it is midnight
//   d dd         day          ddd dddd   short and long day name
//   ddddd        short date   dddddd     long date
//   m mm         month (minutes right after an hour)   mmm mmmm  month names
//   yy yyyy      year         h hh n nn s ss z zzz   time parts
//   t tt         short and long time
//   am/pm a/p ampm   12-hour clock with those markers (ampm: the locale's)
//   /  :         the date and time separators      "..." '...'  literal text
// Parsing follows the field order of the short date format, accepts month
// names for the month and an optional time with the AM and PM texts.

#include <string>
#include <string_view>

#include "platform/rtl/date_time.h"
#include "platform/rtl/format_settings.h"

std::string FormatDateTime(std::string_view format, TDateTime value);
std::string FormatDateTime(std::string_view format, TDateTime value, const TFormatSettings& settings);
std::string DateToStr(TDateTime value);
std::string DateToStr(TDateTime value, const TFormatSettings& settings);
std::string TimeToStr(TDateTime value);
std::string TimeToStr(TDateTime value, const TFormatSettings& settings);
// The date alone when the time is midnight, the time alone on day 0.
std::string DateTimeToStr(TDateTime value);
std::string DateTimeToStr(TDateTime value, const TFormatSettings& settings);

// Invalid text raises EConvertError ("'x' is not a valid date", "... valid
// time", "... valid date and time"); the Try forms answer false.
TDateTime StrToDate(std::string_view text);
TDateTime StrToDate(std::string_view text, const TFormatSettings& settings);
bool TryStrToDate(std::string_view text, TDateTime& out);
bool TryStrToDate(std::string_view text, TDateTime& out, const TFormatSettings& settings);
TDateTime StrToTime(std::string_view text);
TDateTime StrToTime(std::string_view text, const TFormatSettings& settings);
bool TryStrToTime(std::string_view text, TDateTime& out);
bool TryStrToTime(std::string_view text, TDateTime& out, const TFormatSettings& settings);
// A date with an optional time, or a time alone.
TDateTime StrToDateTime(std::string_view text);
TDateTime StrToDateTime(std::string_view text, const TFormatSettings& settings);
bool TryStrToDateTime(std::string_view text, TDateTime& out);
bool TryStrToDateTime(std::string_view text, TDateTime& out, const TFormatSettings& settings);
