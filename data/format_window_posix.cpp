#include "data/format_controller.h"

// Natively no system window exists: messages reach the controller only
// when a test hands them over, and nothing stops regional-setting changes.

namespace {

class TNativeFormatWindow final : public IlxFormatWindow {
 public:
  void CallDefault(TlxFormatWindowMessage& message) override { message.Result = 0; }
  bool UpdateFormatSettings() const override { return true; }
  uintptr_t SystemHandle() const override { return 0; }
};

}  // namespace

std::unique_ptr<IlxFormatWindow> lxCreateFormatWindow(TlxFormatController& /*controller*/) {
  return std::make_unique<TNativeFormatWindow>();
}
