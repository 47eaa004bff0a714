#pragma once
// Message pumping for tests that drive real windows. Every wait is bounded so
// that a test that goes wrong fails instead of hanging the run.

#include <cstdint>
#include <functional>

namespace test_support {

// Dispatches this thread's messages until the queue stays empty for a moment,
// or until `max_milliseconds` passed. Returns false when the bound was hit.
bool PumpMessagesUntilIdle(uint32_t max_milliseconds = 2000);

// Pumps messages until `condition` holds or `max_milliseconds` passed.
// Returns the condition's last value.
bool PumpUntil(const std::function<bool()>& condition, uint32_t max_milliseconds = 10000);

}  // namespace test_support
