#pragma once
// The clock: every "now" and "today" of the program comes from here, so
// that tests can fix the date and time. The system clock gives local time.

#include <functional>
#include <memory>

#include "platform/rtl/date_time.h"

class TClock {
 public:
  virtual ~TClock();
  virtual TDateTime Now() const = 0;
};

// Local time of the machine.
std::unique_ptr<TClock> CreateSystemClock();

class TFixedClock final : public TClock {
 public:
  explicit TFixedClock(TDateTime now) : now_(now) {}
  TDateTime Now() const override { return now_; }

 private:
  TDateTime now_;
};

// The clock in force; the system clock until SetClock installs another.
TDateTime ClockNow();
void SetClock(std::unique_ptr<TClock> clock);

// The platform's time-changed notification: the toolkit calls
// NotifyTimeChanged, listeners (calendars showing "today") refresh.
using TTimeChangeListener = std::function<void()>;
int AddTimeChangeListener(TTimeChangeListener listener);
void RemoveTimeChangeListener(int id);
void NotifyTimeChanged();

// A fixed clock for the lifetime of the object (tests).
class TScopedClock {
 public:
  explicit TScopedClock(TDateTime now);
  ~TScopedClock();
  TScopedClock(const TScopedClock&) = delete;
  TScopedClock& operator=(const TScopedClock&) = delete;

 private:
  std::shared_ptr<const TClock> previous_;
};
