#include "ui/foundation/controls/settings_controller_win.h"

#include <algorithm>

#include "platform/toolkit/application.h"
#include "platform/toolkit/win_control.h"
#include "ui/foundation/controls/control_win.h"

namespace {

std::unique_ptr<TlxSettingsController>& Instance() {
  static std::unique_ptr<TlxSettingsController> instance;
  return instance;
}

}  // namespace

class TlxSettingsController::TSettingsWindow : public TlxMessageWindow {
 public:
  explicit TSettingsWindow(TlxSettingsController& owner) : owner_(owner) {}

 protected:
  void WindowProcedure(TMessage& message) override {
    try {
      if (message.Msg == WM_SETTINGCHANGE && message.WParam == SPI_SETNONCLIENTMETRICS) {
        owner_.HandleSettingChange(message);
        return;
      }
      TlxMessageWindow::WindowProcedure(message);
    } catch (...) {
      if (TApplication* application = CurrentApplication())
        application->HandleException(nullptr);
    }
  }

 private:
  TlxSettingsController& owner_;
};

TlxSettingsController::~TlxSettingsController() = default;

void TlxSettingsController::AddListener(TWinControl* control) {
  if (control == nullptr || std::find(listeners_.begin(), listeners_.end(), control) != listeners_.end())
    return;
  listeners_.push_back(control);
  if (window_ == nullptr)
    window_ = std::make_unique<TSettingsWindow>(*this);
}

void TlxSettingsController::RemoveListener(TWinControl* control) {
  const auto found = std::find(listeners_.begin(), listeners_.end(), control);
  if (found == listeners_.end())
    return;
  listeners_.erase(found);
  if (listeners_.empty())
    window_.reset();
}

HWND TlxSettingsController::WindowHandle() const { return window_ != nullptr ? window_->Handle() : nullptr; }

void TlxSettingsController::HandleSettingChange(TMessage& message) {
  for (TWinControl* control : listeners_) {
    if (control->HandleAllocated())
      SendNotifyMessageW(control->WindowHandle(), LX_SCROLLBARMETRICSCHANGED, 0, 0);
  }
  message.Result = 0;
}

TlxSettingsController& lxSettingsController() {
  if (Instance() == nullptr)
    Instance() = std::make_unique<TlxSettingsController>();
  return *Instance();
}

TlxSettingsController* lxSettingsControllerIfExists() { return Instance().get(); }

void lxFreeSettingsController() { Instance().reset(); }
