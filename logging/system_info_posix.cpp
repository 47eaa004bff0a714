#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "logging/system_info.h"

namespace {

class TMonotonicCounter final : public TLogWirePerformanceCounter {
 public:
  bool QueryFrequency(int64_t& frequency) const override {
    frequency = 1'000'000'000;
    return true;
  }
  int64_t QueryCounter() const override {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
  }
};

}  // namespace

uint32_t LogWireCurrentProcessId() { return static_cast<uint32_t>(::getpid()); }

std::string LogWireComputerName() {
  char buffer[16] = {};
  if (::gethostname(buffer, sizeof buffer) != 0 || std::memchr(buffer, 0, sizeof buffer) == nullptr)
    return std::string();
  return std::string(buffer);
}

int32_t LogWireTimeZoneBias() {
  const time_t now = ::time(nullptr);
  tm local{};
  if (::localtime_r(&now, &local) == nullptr)
    return 0;
  return static_cast<int32_t>(-local.tm_gmtoff / 60);
}

// The native build has no shell folders.
std::string LogWireDocumentsFolder() { return std::string(); }

std::optional<std::string> LogWireEnvironmentValue(std::string_view name) {
  const char* value = std::getenv(std::string(name).c_str());
  if (value == nullptr)
    return std::nullopt;
  return std::string(value);
}

void LogWireGlobalInitialize() {}
void LogWireGlobalFinalize() {}

std::unique_ptr<TLogWirePerformanceCounter> CreateLogWirePerformanceCounter() {
  return std::make_unique<TMonotonicCounter>();
}
