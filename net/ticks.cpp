#include "net/ticks.h"

#include <chrono>
#include <thread>

uint32_t TickCountMs() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

uint32_t TickSpan(uint32_t old_tick, uint32_t new_tick) {
  if (new_tick >= old_tick)
    return new_tick - old_tick;
  return 0xFFFFFFFFu - old_tick + new_tick;
}

void SleepMs(uint32_t milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
