#pragma once
// Short forms of the dates the grid's date tests use.

#include "platform/rtl/date_time.h"

namespace grid_date_test {

inline TDateTime Day(int year, int month, int day) { return EncodeDate(year, month, day); }
inline TDateTime At(int year, int month, int day, int hour, int minute) {
  return EncodeDate(year, month, day) + EncodeTime(hour, minute, 0, 0);
}
// The last millisecond of a day, as month and year bounds end.
inline const TDateTime kLastMillisecond = EncodeTime(23, 59, 59, 999);

}  // namespace grid_date_test
