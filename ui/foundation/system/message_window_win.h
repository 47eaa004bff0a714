#pragma once
// Hidden windows that receive messages for library objects, the system
// controller that runs worker threads' synchronised calls through one, and
// the start and end of the module that owns the library's shared hidden
// windows, timers and mouse tracking. Included only from Windows sources.

#include <windows.h>

#include "platform/rtl/object.h"
#include "platform/toolkit/messages.h"

// A hidden window whose messages go to the object's WindowProcedure.
// Derived classes override WindowProcedure and pass what they do not
// handle on to this class's.
class TlxMessageWindow : public TObject {
 public:
  static constexpr TClass kClass{"TlxMessageWindow", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxMessageWindow();
  ~TlxMessageWindow() override;
  TlxMessageWindow(const TlxMessageWindow&) = delete;
  TlxMessageWindow& operator=(const TlxMessageWindow&) = delete;

  HWND Handle() const { return handle_; }

 protected:
  // The system's default handling; the result goes into the message.
  virtual void WindowProcedure(TMessage& message);

 private:
  HWND handle_ = nullptr;
};

// Runs the calls that worker threads hand to the GUI thread when its
// private message arrives. Inside a loadable module it also wakes the GUI
// thread itself, since the program's own wake-up does not reach the
// module's copy of the run-time.
class TlxSystemController : public TlxMessageWindow {
 public:
  static constexpr TClass kClass{"TlxSystemController", &TlxMessageWindow::kClass};
  const TClass* ClassType() const override { return &kClass; }

  static constexpr UINT kWakeUpMessage = 0x8066;

  TlxSystemController();
  ~TlxSystemController() override;

  // Posts the wake-up message; callable from any thread.
  void PostWakeUp(TObject* sender);

 protected:
  void WindowProcedure(TMessage& message) override;

 private:
  void HookWakeMainThread();
  void UnhookWakeMainThread();

  bool wake_hooked_ = false;
};

// The shared hidden window, created on first use; null once the module is
// ending.
TlxMessageWindow* lxSharedMessageWindow();

// The module's start and end. Only the first start and the last end of
// nested pairs act. The end raises EInvalidOperation
// ("MouseTrackingTimerList.Count <> 0") when mouse tracking was left
// running, after releasing everything else.
void lxStartFoundationModule();
void lxEndFoundationModule();
// True from the module's end on: nothing shared is created any more.
bool lxFoundationModuleFinalizing();
TlxSystemController* lxSystemController();
