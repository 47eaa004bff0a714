#include <windows.h>

#include "platform/rtl/clock.h"

namespace {

class TSystemClock final : public TClock {
 public:
  TDateTime Now() const override {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return ComposeDateTime(EncodeDate(local.wYear, local.wMonth, local.wDay),
                           EncodeTime(local.wHour, local.wMinute, local.wSecond, local.wMilliseconds));
  }
};

}  // namespace

std::unique_ptr<TClock> CreateSystemClock() { return std::make_unique<TSystemClock>(); }
