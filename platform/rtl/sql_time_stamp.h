#pragma once
// The SQL time stamp of the SQLTimeStamp variant type and record storage
// (16 bytes: year, month, day, hour, minute, second, then fractions, which
// count milliseconds).

#include <cstdint>

#include "platform/rtl/date_time.h"

struct TSQLTimeStamp {
  int16_t Year = 0;
  uint16_t Month = 0;
  uint16_t Day = 0;
  uint16_t Hour = 0;
  uint16_t Minute = 0;
  uint16_t Second = 0;
  uint32_t Fractions = 0;

  friend bool operator==(const TSQLTimeStamp&, const TSQLTimeStamp&) = default;
};
static_assert(sizeof(TSQLTimeStamp) == 16);

TSQLTimeStamp DateTimeToSQLTimeStamp(TDateTime value);
// An all-zero stamp is day 0; any other invalid field raises EConvertError.
TDateTime SQLTimeStampToDateTime(const TSQLTimeStamp& stamp);
// Field by field, the first difference decides.
int SQLTimeStampCompare(const TSQLTimeStamp& a, const TSQLTimeStamp& b);
