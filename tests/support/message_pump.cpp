#include "tests/support/message_pump.h"

#include <windows.h>

namespace test_support {
namespace {

// Dispatches what is queued now; returns whether anything was there.
bool DispatchPending() {
  bool any = false;
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    any = true;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return any;
}

}  // namespace

bool PumpMessagesUntilIdle(uint32_t max_milliseconds) {
  // Idle means: three consecutive short waits found nothing to dispatch.
  // Paint and timer messages are generated lazily, so one empty look is not
  // enough.
  constexpr int kQuietRoundsNeeded = 3;
  const ULONGLONG deadline = GetTickCount64() + max_milliseconds;
  int quiet_rounds = 0;
  while (GetTickCount64() < deadline) {
    if (DispatchPending()) {
      quiet_rounds = 0;
      continue;
    }
    if (++quiet_rounds >= kQuietRoundsNeeded)
      return true;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return false;
}

bool PumpUntil(const std::function<bool()>& condition, uint32_t max_milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + max_milliseconds;
  while (!condition()) {
    if (GetTickCount64() >= deadline)
      return condition();
    DispatchPending();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

}  // namespace test_support
