#include "logging/time_stamp.h"

#include <cmath>
#include <limits>

TLogWireTimeStamp LogWireDateTimeToTimeStamp(TDateTime value) {
  double whole_days = 0;
  const double fraction = std::modf(value, &whole_days);
  int64_t date = static_cast<int64_t>(whole_days) + kLogWireDateDelta;
  // The time of a date before 1899-12-30 still counts forwards from
  // midnight, so the fraction's sign does not matter.
  int64_t time = std::llround(std::fabs(fraction) * static_cast<double>(kMSecsPerDay));
  if (time >= kMSecsPerDay) {  // rounded up into the next day
    time -= kMSecsPerDay;
    ++date;
  }
  return {static_cast<int32_t>(time), static_cast<int32_t>(date)};
}

namespace {

// elapsed x 1000 / frequency, rounded half to even. Whole seconds are
// taken apart first, so that a long run's tick count is never multiplied.
int64_t TicksToMilliseconds(int64_t elapsed, int64_t frequency) {
  const int64_t whole_seconds = elapsed / frequency;
  const int64_t remainder = elapsed % frequency;  // < frequency
  if (remainder > std::numeric_limits<int64_t>::max() / 1000) {
    // Only a counter faster than 9 PHz gets here; a sub-millisecond error
    // in the rounding does not matter then.
    return whole_seconds * 1000 +
           std::llround(static_cast<long double>(remainder) * 1000 / static_cast<long double>(frequency));
  }
  const int64_t scaled = remainder * 1000;
  int64_t milliseconds = scaled / frequency;
  const int64_t rest = scaled % frequency;
  const int64_t half_compare = rest - (frequency - rest);  // sign of rest - frequency / 2
  if (half_compare > 0 || (half_compare == 0 && (milliseconds % 2) != 0))
    ++milliseconds;
  return whole_seconds * 1000 + milliseconds;
}

}  // namespace

TLogWireTimeStamp LogWireAdvanceTimeStamp(TLogWireTimeStamp start, int64_t elapsed, int64_t frequency) {
  if (frequency <= 0 || elapsed <= 0)
    return start;
  const int64_t total = static_cast<int64_t>(start.Time) + TicksToMilliseconds(elapsed, frequency);
  return {static_cast<int32_t>(total % kMSecsPerDay),
          static_cast<int32_t>(start.Date + total / kMSecsPerDay)};
}
