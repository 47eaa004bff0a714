#pragma once
// The time stamp a log message carries: milliseconds since midnight and a
// day number counted from 1 January of year 1 (day 1), so that 30 December
// 1899, day 0 of TDateTime, is day 693594.

#include <cstdint>

#include "platform/rtl/date_time.h"

struct TLogWireTimeStamp {
  int32_t Time = 0;
  int32_t Date = 0;

  bool operator==(const TLogWireTimeStamp&) const = default;
};

constexpr int32_t kLogWireDateDelta = 693594;

// The moment `value` as a time stamp, its time of day rounded to the
// millisecond.
TLogWireTimeStamp LogWireDateTimeToTimeStamp(TDateTime value);

// `start` moved on by `elapsed` ticks of a counter running at `frequency`
// ticks per second; the milliseconds are rounded to the nearest, halves to
// even. A counter that went backwards counts as not moved.
TLogWireTimeStamp LogWireAdvanceTimeStamp(TLogWireTimeStamp start, int64_t elapsed, int64_t frequency);
