#include "platform/toolkit/timer.h"

#include "platform/toolkit/errors.h"
#include "platform/toolkit/utility_window.h"

namespace {
constexpr UINT_PTR kTimerId = 1;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  window_ = AllocateHWnd([this](TMessage& message) {
    if (message.Msg != WM_TIMER) {
      CallDefaultWindowProc(window_, message);
      return;
    }
    // A tick that was queued before the timer stopped is dropped.
    if (running_)
      Timer();
  });
}

TTimer::~TTimer() {
  enabled_ = false;
  UpdateTimer();
  DeallocateHWnd(window_);
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_)
    return;
  enabled_ = enabled;
  UpdateTimer();
}

void TTimer::SetInterval(uint32_t milliseconds) {
  if (milliseconds == interval_)
    return;
  interval_ = milliseconds;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
  on_timer_ = std::move(handler);
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (running_)
    KillTimer(window_, kTimerId);
  running_ = false;
  if (interval_ == 0 || !enabled_ || !on_timer_ || window_ == nullptr)
    return;
  if (SetTimer(window_, kTimerId, interval_, nullptr) == 0)
    throw EOutOfResources("Not enough timers available");
  running_ = true;
}

void TTimer::Timer() {
  // The handler may free the timer: copy it first.
  const TNotifyEvent handler = on_timer_;
  if (handler)
    handler(this);
}
