#pragma once
// What the logging client asks of the system: the identity of the process,
// the time zone, a high-resolution counter, the documents folder and
// environment variables. Windows answers through its own functions; the
// native build answers from POSIX, so that the portable logic runs there too.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

uint32_t LogWireCurrentProcessId();
// The computer's name as asked with room for 15 characters; empty when the
// system call fails (a longer name fails too).
std::string LogWireComputerName();
// Minutes to add to local time to get UTC, daylight saving included.
int32_t LogWireTimeZoneBias();

// The current user's documents folder, without creating it; empty when the
// shell function bound by LogWireGlobalInitialize is absent or fails.
std::string LogWireDocumentsFolder();
// The variable's value; none when it is not set.
std::optional<std::string> LogWireEnvironmentValue(std::string_view name);

// Binds and releases the shell function behind LogWireDocumentsFolder
// (module start and end of the logging client's system layer).
void LogWireGlobalInitialize();
void LogWireGlobalFinalize();

// A monotonic high-resolution counter.
class TLogWirePerformanceCounter {
 public:
  virtual ~TLogWirePerformanceCounter();
  // Ticks per second; false when the system has no such counter.
  virtual bool QueryFrequency(int64_t& frequency) const = 0;
  virtual int64_t QueryCounter() const = 0;
};

std::unique_ptr<TLogWirePerformanceCounter> CreateLogWirePerformanceCounter();
