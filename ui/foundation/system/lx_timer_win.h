#pragma once
// TlxTimer: a timer component that all its instances share one hidden
// window for, so that many timers cost one window. A timer has a system
// timer only while it is enabled, has a handler and an interval; a tick
// that arrives after the timer stopped or was freed is dropped. Included
// only from Windows sources.

#include <windows.h>

#include <cstdint>

#include "platform/rtl/component.h"
#include "ui/foundation/system/message_window_win.h"

class TlxTimer;

// The shared receiver of every TlxTimer's ticks.
class TlxTimerWindow : public TlxMessageWindow {
 public:
  static constexpr TClass kClass{"TlxTimerWindow", &TlxMessageWindow::kClass};
  const TClass* ClassType() const override { return &kClass; }

 protected:
  void WindowProcedure(TMessage& message) override;
};

class TlxTimer : public TComponent {
 public:
  static constexpr TClass kClass{"TlxTimer", &TComponent::kClass, &ConstructInstance<TlxTimer>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxTimer(TComponent* owner);
  ~TlxTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  uint32_t Interval() const { return interval_; }
  // 0 and the current value are ignored.
  void SetInterval(uint32_t milliseconds);
  const TNotifyEvent& OnTimer() const { return on_timer_; }
  void SetOnTimer(TNotifyEvent handler);

  // Whether a system timer is set for this timer.
  bool Running() const { return running_; }
  // The id of the system timer: the timer object itself.
  UINT_PTR EventId() const { return event_id_; }

  // Fires OnTimer with this timer as the sender, when assigned.
  virtual void FireTimer();

 private:
  friend void lxFreeTimerWindow();

  void Restart();
  void Start();
  void Stop();

  bool enabled_ = true;
  UINT_PTR event_id_;
  uint32_t interval_ = 1000;
  bool running_ = false;
  TNotifyEvent on_timer_;
};

// The shared timer window's handle; null before the first timer started.
HWND lxTimerWindowHandle();

// The module's end: the timer window and the list of running timers go.
void lxFreeTimerWindow();
