#include "ui/foundation/system/message_window_win.h"

#include <memory>
#include <utility>

#include "platform/rtl/thread.h"
#include "platform/toolkit/utility_window.h"
#include "ui/foundation/system/lx_timer_win.h"
#include "ui/foundation/system/mouse_tracking_win.h"

namespace {

struct PlatformFlags {
  bool win9x = false;
  bool nt4_or_later = false;
  bool major6_or_later = false;
};

struct ModuleState {
  int32_t start_count = 0;
  bool finalizing = false;
  int32_t leftover_trackers = 0;
  PlatformFlags platform;
  HMODULE user32 = nullptr;
  std::function<void()> release_settings_controller;
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

PlatformFlags ReadPlatformFlags() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof(version);
  PlatformFlags flags;
  if (!GetVersionExA(&version))
    return flags;
  flags.win9x = version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
  flags.nt4_or_later = version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 4;
  flags.major6_or_later = version.dwMajorVersion >= 6;
  return flags;
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
  state.platform = ReadPlatformFlags();
  state.user32 = LoadLibraryA("USER32");
  state.system_controller = std::make_unique<TlxSystemController>();
}

void lxEndFoundationModule() {
  ModuleState& state = State();
  if (state.start_count == 0 || --state.start_count > 0)
    return;
  state.finalizing = true;
  state.system_controller.reset();
  state.leftover_trackers = lxFreeMouseTrackingTimers();
  if (state.user32 != nullptr) {
    FreeLibrary(state.user32);
    state.user32 = nullptr;
  }
  if (std::function<void()> release = std::exchange(state.release_settings_controller, nullptr))
    release();
  lxFreeTimerWindow();
  state.shared_window.reset();
}

int32_t lxLeftoverMouseTrackingTimers() { return State().leftover_trackers; }

bool lxFoundationModuleFinalizing() { return State().finalizing; }

TlxSystemController* lxSystemController() { return State().system_controller.get(); }

bool lxIsWin9xPlatform() { return State().platform.win9x; }
bool lxIsWinNT4OrLaterPlatform() { return State().platform.nt4_or_later; }
bool lxIsMajorVersion6OrLaterPlatform() { return State().platform.major6_or_later; }

HMODULE lxUser32Library() { return State().user32; }

void lxSetSettingsControllerRelease(std::function<void()> release) {
  State().release_settings_controller = std::move(release);
}
