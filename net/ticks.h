#pragma once
// Milliseconds for the waits of the socket transport. Whether a thread is
// the main one is IsMainThread of platform/rtl/thread.h.

#include <cstdint>

// A millisecond counter that wraps at 2^32; only differences (TickSpan) mean
// anything.
uint32_t TickCountMs();
// new - old, also across a wrap of the counter.
uint32_t TickSpan(uint32_t old_tick, uint32_t new_tick);
void SleepMs(uint32_t milliseconds);
