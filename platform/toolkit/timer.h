#pragma once
// TTimer: fires OnTimer every Interval milliseconds while Enabled, through a
// system timer on a hidden window of its own. A timer without a handler
// holds no system timer.

#include <windows.h>

#include <cstdint>

#include "platform/rtl/component.h"

class TTimer : public TComponent {
 public:
  static constexpr TClass kClass{"TTimer", &TComponent::kClass, &ConstructInstance<TTimer>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  uint32_t Interval() const { return interval_; }
  // 0 stops the timer (it stays Enabled).
  void SetInterval(uint32_t milliseconds);
  TNotifyEvent OnTimer() const { return on_timer_; }
  // Raises EOutOfResources ("Not enough timers available") when the system
  // has no timer left.
  void SetOnTimer(TNotifyEvent handler);
  // Whether a system timer is set now.
  bool Running() const { return running_; }

 protected:
  // Fires OnTimer.
  virtual void Timer();

 private:
  void UpdateTimer();

  HWND window_ = nullptr;
  bool enabled_ = true;
  bool running_ = false;
  uint32_t interval_ = 1000;
  TNotifyEvent on_timer_;
};
