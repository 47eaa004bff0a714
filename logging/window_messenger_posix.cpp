#include "logging/window_messenger.h"

namespace {

// No window messages in the native build: no dispatcher window exists, and
// nothing can be sent.
class TNoWindowMessenger final : public ILogWireWindowMessenger {
 public:
  TLogWireWindow FindDispatcher() override { return nullptr; }
  bool IsWindow(TLogWireWindow /*window*/) override { return false; }
  TLogWireWindowAnswer SendCopyData(TLogWireWindow /*window*/, uint32_t /*id*/, std::span<const uint8_t> /*block*/,
                                    uint32_t /*timeout_ms*/) override {
    return {};
  }
  TLogWireWindowAnswer SendClose(TLogWireWindow /*window*/, uint32_t /*timeout_ms*/) override { return {}; }
};

}  // namespace

std::unique_ptr<ILogWireWindowMessenger> CreateSystemWindowMessenger() {
  return std::make_unique<TNoWindowMessenger>();
}
