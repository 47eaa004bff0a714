#include <chrono>
#include <ctime>

#include "platform/rtl/clock.h"

namespace {

class TSystemClock final : public TClock {
 public:
  TDateTime Now() const override {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    return ComposeDateTime(EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
                           EncodeTime(local.tm_hour, local.tm_min, local.tm_sec % 60, static_cast<int>(millis)));
  }
};

}  // namespace

std::unique_ptr<TClock> CreateSystemClock() { return std::make_unique<TSystemClock>(); }
