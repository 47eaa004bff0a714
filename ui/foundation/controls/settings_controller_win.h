#pragma once
// TlxSettingsController: one per process. It keeps the list of controls
// with own scroll bars and, while that list is not empty, a hidden window
// that hears the system's settings changes; when the non-client metrics
// change it tells every listed control with a window to compare its bars
// with the new scroll-bar size. Included only from Windows sources.

#include <memory>
#include <vector>

#include "ui/foundation/system/message_window_win.h"

class TControl;
class TWinControl;

class TlxSettingsController : public TObject {
 public:
  static constexpr TClass kClass{"TlxSettingsController", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxSettingsController() = default;
  ~TlxSettingsController() override;

  void AddListener(TWinControl* control);
  void RemoveListener(TWinControl* control);
  int32_t ListenerCount() const { return static_cast<int32_t>(listeners_.size()); }
  // The hidden window; null while no control is listed.
  HWND WindowHandle() const;

 private:
  class TSettingsWindow;
  void HandleSettingChange(TMessage& message);

  std::vector<TWinControl*> listeners_;
  std::unique_ptr<TSettingsWindow> window_;
};

// The process's controller, created on first use.
TlxSettingsController& lxSettingsController();
// The process's controller when it exists, else null.
TlxSettingsController* lxSettingsControllerIfExists();
// The module's end.
void lxFreeSettingsController();
