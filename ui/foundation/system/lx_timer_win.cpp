#include "ui/foundation/system/lx_timer_win.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

struct TimerState {
  std::unique_ptr<TlxTimerWindow> window;
  // The timers with a system timer set. A tick is looked up here, so one
  // that arrives for a stopped or freed timer finds nothing.
  std::vector<TlxTimer*> running;
};

TimerState& State() {
  static TimerState state;
  return state;
}

TlxTimerWindow* TimerWindow() {
  TimerState& state = State();
  if (state.window == nullptr && !lxFoundationModuleFinalizing())
    state.window = std::make_unique<TlxTimerWindow>();
  return state.window.get();
}

TlxTimer* RunningTimerWithId(UINT_PTR id) {
  const std::vector<TlxTimer*>& running = State().running;
  auto found = std::find_if(running.begin(), running.end(), [id](TlxTimer* timer) { return timer->EventId() == id; });
  return found != running.end() ? *found : nullptr;
}

}  // namespace

void TlxTimerWindow::WindowProcedure(TMessage& message) {
  if (message.Msg != WM_TIMER) {
    TlxMessageWindow::WindowProcedure(message);
    return;
  }
  if (TlxTimer* timer = RunningTimerWithId(message.WParam))
    timer->FireTimer();
}

TlxTimer::TlxTimer(TComponent* owner) : TComponent(owner), event_id_(reinterpret_cast<UINT_PTR>(this)) {}

TlxTimer::~TlxTimer() { Stop(); }

void TlxTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Restart();
}

void TlxTimer::SetInterval(uint32_t milliseconds) {
  if (milliseconds == 0 || milliseconds == interval_)
    return;
  interval_ = milliseconds;
  Restart();
}

void TlxTimer::SetOnTimer(TNotifyEvent handler) {
  on_timer_ = std::move(handler);
  Restart();
}

void TlxTimer::FireTimer() {
  if (on_timer_)
    on_timer_(this);
}

void TlxTimer::Restart() {
  Stop();
  Start();
}

void TlxTimer::Start() {
  if (!enabled_ || running_ || !on_timer_)
    return;
  TlxTimerWindow* window = TimerWindow();
  if (window == nullptr)
    return;
  running_ = SetTimer(window->Handle(), event_id_, interval_, nullptr) != 0;
  if (running_)
    State().running.push_back(this);
}

void TlxTimer::Stop() {
  if (!running_)
    return;
  TimerState& state = State();
  if (state.window != nullptr)
    KillTimer(state.window->Handle(), event_id_);
  std::erase(state.running, this);
  running_ = false;
}

HWND lxTimerWindowHandle() {
  const TimerState& state = State();
  return state.window != nullptr ? state.window->Handle() : nullptr;
}

void lxFreeTimerWindow() {
  TimerState& state = State();
  // Timers that still run lose their system timer with the window; their
  // properties stay as they are.
  for (TlxTimer* timer : state.running)
    timer->running_ = false;
  state.running.clear();
  state.window.reset();
}
