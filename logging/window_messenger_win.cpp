#include <windows.h>

#include "logging/copydata_connection.h"
#include "logging/window_messenger.h"

namespace {

// SMTO_BLOCK: while the dispatcher is busy with a record, this thread runs
// none of the messages other windows send it, so logging never re-enters
// the caller's window code halfway through. SMTO_ABORTIFHUNG: a dispatcher
// the system already knows as hung costs no wait at all.
constexpr UINT kBoundedSendFlags = SMTO_BLOCK | SMTO_ABORTIFHUNG;

TLogWireWindowAnswer SendBounded(TLogWireWindow window, UINT message, WPARAM wparam, LPARAM lparam,
                                 uint32_t timeout_ms) {
  DWORD_PTR result = 0;
  SetLastError(ERROR_SUCCESS);
  if (SendMessageTimeoutA(static_cast<HWND>(window), message, wparam, lparam, kBoundedSendFlags, timeout_ms,
                          &result) != 0) {
    // The dispatcher answers a 32-bit value.
    return {TLogWireSendOutcome::kAnswered, static_cast<int32_t>(static_cast<uint32_t>(result))};
  }
  // A time-out reports ERROR_TIMEOUT, or no error at all on older systems;
  // anything else means the message was not delivered.
  const DWORD error = GetLastError();
  if (error == ERROR_TIMEOUT || error == ERROR_SUCCESS)
    return {TLogWireSendOutcome::kTimedOut, 0};
  return {TLogWireSendOutcome::kFailed, 0};
}

class TSystemWindowMessenger final : public ILogWireWindowMessenger {
 public:
  TLogWireWindow FindDispatcher() override {
    return FindWindowA(kLogWireDispatcherWindowClass, kLogWireDispatcherWindowTitle);
  }

  bool IsWindow(TLogWireWindow window) override {
    return window != nullptr && ::IsWindow(static_cast<HWND>(window)) != FALSE;
  }

  TLogWireWindowAnswer SendCopyData(TLogWireWindow window, uint32_t id, std::span<const uint8_t> block,
                                    uint32_t timeout_ms) override {
    COPYDATASTRUCT data{};
    data.dwData = id;
    data.cbData = static_cast<DWORD>(block.size());
    // The receiver only reads the block; the structure's field is not const.
    data.lpData = const_cast<uint8_t*>(block.data());
    return SendBounded(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), timeout_ms);
  }

  TLogWireWindowAnswer SendClose(TLogWireWindow window, uint32_t timeout_ms) override {
    return SendBounded(window, WM_CLOSE, 0, 0, timeout_ms);
  }
};

}  // namespace

std::unique_ptr<ILogWireWindowMessenger> CreateSystemWindowMessenger() {
  return std::make_unique<TSystemWindowMessenger>();
}
