#include "ui/foundation/system/message_window_win.h"

#include <memory>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/thread.h"
#include "platform/toolkit/utility_window.h"
#include "ui/foundation/system/lx_timer_win.h"
#include "ui/foundation/system/mouse_tracking_win.h"

namespace {

struct ModuleState {
  int32_t start_count = 0;
  bool finalizing = false;
  std::unique_ptr<TlxMessageWindow> shared_window;
  std::unique_ptr<TlxSystemController> system_controller;
};

ModuleState& State() {
  static ModuleState state;
  return state;
}

// The library runs inside a loadable module when the code's own module is
// not the program's executable.
bool RunsInsideLoadableModule() {
  HMODULE own_module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&RunsInsideLoadableModule), &own_module);
  return own_module != nullptr && own_module != GetModuleHandleA(nullptr);
}

}  // namespace

TlxMessageWindow::TlxMessageWindow()
    : handle_(AllocateHWnd([this](TMessage& message) { WindowProcedure(message); })) {}

TlxMessageWindow::~TlxMessageWindow() { DeallocateHWnd(handle_); }

void TlxMessageWindow::WindowProcedure(TMessage& message) { CallDefaultWindowProc(handle_, message); }

TlxSystemController::TlxSystemController() { HookWakeMainThread(); }

TlxSystemController::~TlxSystemController() { UnhookWakeMainThread(); }

void TlxSystemController::PostWakeUp(TObject* /*sender*/) { PostMessageA(Handle(), kWakeUpMessage, 0, 0); }

void TlxSystemController::WindowProcedure(TMessage& message) {
  if (message.Msg == kWakeUpMessage) {
    CheckSynchronize();
    return;
  }
  TlxMessageWindow::WindowProcedure(message);
}

void TlxSystemController::HookWakeMainThread() {
  if (!RunsInsideLoadableModule())
    return;
  SetWakeMainThread([this] { PostWakeUp(this); });
  wake_hooked_ = true;
}

void TlxSystemController::UnhookWakeMainThread() {
  if (!wake_hooked_)
    return;
  // The module's run-time had no wake-up of its own before.
  SetWakeMainThread(nullptr);
  wake_hooked_ = false;
}

TlxMessageWindow* lxSharedMessageWindow() {
  ModuleState& state = State();
  if (state.finalizing)
    return nullptr;
  if (state.shared_window == nullptr)
    state.shared_window = std::make_unique<TlxMessageWindow>();
  return state.shared_window.get();
}

void lxStartFoundationModule() {
  ModuleState& state = State();
  if (state.start_count++ > 0)
    return;
  state.finalizing = false;
  state.system_controller = std::make_unique<TlxSystemController>();
}

void lxEndFoundationModule() {
  ModuleState& state = State();
  if (state.start_count == 0 || --state.start_count > 0)
    return;
  state.finalizing = true;
  state.system_controller.reset();
  // Everything is released even when tracking was left running, so that the
  // failure report is the only consequence.
  const int32_t tracking_left = lxFreeMouseTrackingTimers();
  lxFreeTimerWindow();
  state.shared_window.reset();
  if (tracking_left != 0)
    throw EInvalidOperation("MouseTrackingTimerList.Count <> 0");
}

bool lxFoundationModuleFinalizing() { return State().finalizing; }

TlxSystemController* lxSystemController() { return State().system_controller.get(); }
