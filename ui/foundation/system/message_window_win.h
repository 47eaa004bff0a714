#pragma once
// Hidden windows that receive messages for library objects, the system
// controller that runs worker threads' synchronised calls through one, and
// the start and end of the module that owns the library's shared hidden
// windows, timers and mouse tracking. Included only from Windows sources.

#include <windows.h>

#include <cstdint>
#include <functional>

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
// nested pairs act. Mouse tracking left running at the end is a user's
// fault, but the end comes at shutdown, where an exception would kill the
// program: the trackers are freed and counted instead
// (lxLeftoverMouseTrackingTimers).
void lxStartFoundationModule();
void lxEndFoundationModule();
// How many mouse trackers the last module end found still running.
int32_t lxLeftoverMouseTrackingTimers();
// True from the module's end on: nothing shared is created any more.
bool lxFoundationModuleFinalizing();
TlxSystemController* lxSystemController();

// The platform, as computed at the module's start (false before): the
// graphics code and the date utilities ask these.
bool lxIsWin9xPlatform();
bool lxIsWinNT4OrLaterPlatform();
bool lxIsMajorVersion6OrLaterPlatform();

// "USER32" as loaded at the module's start; null before and after.
HMODULE lxUser32Library();

// The settings controller of the controls' scroll bars is made on first
// use by the controls; it hands in how to free it, and the module's end
// frees it in its place among the shared objects. A new hook replaces the
// previous one.
void lxSetSettingsControllerRelease(std::function<void()> release);
