#pragma once
// Milliseconds and threads for the waits of the socket transport.

#include <cstdint>

// A millisecond counter that wraps at 2^32; only differences (TickSpan) mean
// anything.
uint32_t TickCountMs();
// new - old, also across a wrap of the counter.
uint32_t TickSpan(uint32_t old_tick, uint32_t new_tick);
// The calling thread is the process's main thread.
bool IsMainThread();
void SleepMs(uint32_t milliseconds);
