#include "platform/rtl/clock.h"

#include <mutex>
#include <utility>

#include "platform/rtl/listener_list.h"

TClock::~TClock() = default;

namespace {

struct ClockState {
  std::mutex mutex;
  std::shared_ptr<const TClock> clock;
  TListenerList listeners;
};

ClockState& State() {
  static ClockState state;
  return state;
}

std::shared_ptr<const TClock> CurrentClock() {
  std::lock_guard lock(State().mutex);
  if (!State().clock)
    State().clock = CreateSystemClock();
  return State().clock;
}

std::shared_ptr<const TClock> Exchange(std::shared_ptr<const TClock> clock) {
  std::lock_guard lock(State().mutex);
  std::swap(State().clock, clock);
  return clock;
}

}  // namespace

TDateTime ClockNow() { return CurrentClock()->Now(); }

void SetClock(std::unique_ptr<TClock> clock) {
  if (clock)
    Exchange(std::move(clock));
  NotifyTimeChanged();
}

int AddTimeChangeListener(TTimeChangeListener listener) { return State().listeners.Add(std::move(listener)); }

void RemoveTimeChangeListener(int id) { State().listeners.Remove(id); }

void NotifyTimeChanged() { State().listeners.Notify(); }

TScopedClock::TScopedClock(TDateTime now) : previous_(CurrentClock()) {
  Exchange(std::make_shared<TFixedClock>(now));
}

TScopedClock::~TScopedClock() { Exchange(previous_); }
