#include "platform/rtl/sql_time_stamp.h"

#include <tuple>

#include "platform/rtl/exceptions.h"

TSQLTimeStamp DateTimeToSQLTimeStamp(TDateTime value) {
  const TDateParts date = DecodeDateParts(value);
  const TTimeParts time = DecodeTimeParts(value);
  TSQLTimeStamp stamp;
  stamp.Year = static_cast<int16_t>(date.year);
  stamp.Month = date.month;
  stamp.Day = date.day;
  stamp.Hour = time.hour;
  stamp.Minute = time.minute;
  stamp.Second = time.second;
  stamp.Fractions = time.millisecond;
  return stamp;
}

TDateTime SQLTimeStampToDateTime(const TSQLTimeStamp& stamp) {
  if (stamp == TSQLTimeStamp{})
    return 0;
  TDateTime date = 0;
  TDateTime time = 0;
  if (stamp.Fractions >= 1000 || !TryEncodeDate(stamp.Year, stamp.Month, stamp.Day, date) ||
      !TryEncodeTime(stamp.Hour, stamp.Minute, stamp.Second, static_cast<int>(stamp.Fractions), time))
    throw EConvertError("Invalid SQL time stamp");
  return ComposeDateTime(date, time);
}

int SQLTimeStampCompare(const TSQLTimeStamp& a, const TSQLTimeStamp& b) {
  const auto key = [](const TSQLTimeStamp& s) {
    return std::tuple(s.Year, s.Month, s.Day, s.Hour, s.Minute, s.Second, s.Fractions);
  };
  if (key(a) == key(b))
    return 0;
  return key(a) < key(b) ? -1 : 1;
}
