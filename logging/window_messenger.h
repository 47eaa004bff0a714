#pragma once
// ILogWireWindowMessenger: what the window-message transport needs of the
// desktop - finding the dispatcher's window and sending it messages with a
// bounded wait. The transport's rules (copydata_connection.cpp) depend only
// on this interface; the system's implementation is in
// window_messenger_win.cpp, the native build's (no window messages, so
// never a dispatcher) in window_messenger_posix.cpp, and tests bring their
// own.

#include <cstdint>
#include <memory>
#include <span>

#include "platform/rtl/object.h"

// A window handle (an HWND), opaque so that portable code needs no
// windows.h; null for none.
using TLogWireWindow = void*;

// How a sent message ended.
enum class TLogWireSendOutcome : uint8_t {
  kAnswered,  // the window procedure returned; the answer is its result
  kTimedOut,  // no answer within the bound, or the receiver is known to hang
  kFailed,    // not delivered (the window is gone, the call failed)
};

struct TLogWireWindowAnswer {
  TLogWireSendOutcome outcome = TLogWireSendOutcome::kFailed;
  // The window's 32-bit answer; meaningful only when answered.
  int32_t value = 0;
};

class ILogWireWindowMessenger : public virtual IInterface {
 public:
  // The dispatcher's window, by class "TFrmDispatcher" and title
  // "LogWire Dispatcher"; null when there is none.
  virtual TLogWireWindow FindDispatcher() = 0;
  // Whether `window` still names a window.
  virtual bool IsWindow(TLogWireWindow window) = 0;
  // Sends WM_COPYDATA (wParam 0) with `id` and `block` and waits at most
  // `timeout_ms` for the answer. The block is copied for the receiver, so
  // the caller may free it whatever the outcome.
  virtual TLogWireWindowAnswer SendCopyData(TLogWireWindow window, uint32_t id, std::span<const uint8_t> block,
                                            uint32_t timeout_ms) = 0;
  // Sends WM_CLOSE (parameters 0), waiting at most `timeout_ms`.
  virtual TLogWireWindowAnswer SendClose(TLogWireWindow window, uint32_t timeout_ms) = 0;
};

// The platform's messenger.
std::unique_ptr<ILogWireWindowMessenger> CreateSystemWindowMessenger();
