// The format controller's hidden window: it hands the system's
// regional-setting and time-change broadcasts to the controller.

#include <windows.h>

#include "data/format_controller.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/messages.h"
#include "ui/foundation/system/message_window_win.h"

namespace {

class TlxFormatControllerWindow final : public TlxMessageWindow, public IlxFormatWindow {
 public:
  explicit TlxFormatControllerWindow(TlxFormatController& controller) : controller_(controller) {}

  void CallDefault(TlxFormatWindowMessage& message) override {
    message.Result = DefWindowProcW(Handle(), message.Msg, static_cast<WPARAM>(message.WParam), 0);
  }

  bool UpdateFormatSettings() const override {
    const TApplication* application = CurrentApplication();
    return application == nullptr || application->UpdateFormatSettings();
  }

  uintptr_t SystemHandle() const override { return reinterpret_cast<uintptr_t>(Handle()); }

 protected:
  void WindowProcedure(TMessage& message) override {
    if (message.Msg != WM_SETTINGCHANGE && message.Msg != WM_TIMECHANGE) {
      TlxMessageWindow::WindowProcedure(message);
      return;
    }
    try {
      TlxFormatWindowMessage portable;
      portable.Msg = message.Msg;
      portable.WParam = message.WParam;
      if (message.Msg == WM_SETTINGCHANGE && message.LParam != 0)
        portable.Section = Utf16ToUtf8(reinterpret_cast<const char16_t*>(message.LParam));
      controller_.HandleWindowMessage(portable);
      message.Result = static_cast<LRESULT>(portable.Result);
    } catch (...) {
      Application->HandleException(this);
    }
  }

 private:
  TlxFormatController& controller_;
};

}  // namespace

std::unique_ptr<IlxFormatWindow> lxCreateFormatWindow(TlxFormatController& controller) {
  return std::make_unique<TlxFormatControllerWindow>(controller);
}
