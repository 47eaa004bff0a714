#pragma once
// TLogWireCopyDataConnection: the default transport. Each record goes to the
// dispatcher's window on the same desktop as one WM_COPYDATA message
// (dwData 0x7F000000); the message result is the dispatcher's answer. When
// the window is missing, the dispatcher program is started once per send
// attempt and looked for again.
//
// Every message waits for its answer at most kAnswerTimeoutMs. A dispatcher
// that lets one run out has failed that delivery, and its window is not
// sent to again by this connection: a hung dispatcher would otherwise cost
// every later message, and each release at the end, the whole bound once
// more. A dispatcher started anew (another window) is used again.
//
// The desktop is reached through ILogWireWindowMessenger
// (window_messenger.h): the system's by default, a test's own otherwise.

#include <atomic>
#include <cstdint>
#include <memory>

#include "logging/connection.h"
#include "logging/window_messenger.h"

constexpr char kLogWireDispatcherWindowClass[] = "TFrmDispatcher";
constexpr char kLogWireDispatcherWindowTitle[] = "LogWire Dispatcher";
constexpr uint32_t kLogWireCopyDataId = 0x7F000000;

class TLogWireCopyDataConnection final : public TLogWireConnection {
 public:
  static constexpr TClass kClass{"TLogWireCopyDataConnection", &TLogWireConnection::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // How long one message waits for the dispatcher's answer. A dispatcher on
  // the same desktop answers within milliseconds; a few seconds leave room
  // for a busy one without freezing the program for long.
  static constexpr uint32_t kAnswerTimeoutMs = 3000;

  // Through the system's window messages.
  explicit TLogWireCopyDataConnection(TLogWireManager& manager);
  TLogWireCopyDataConnection(TLogWireManager& manager, std::unique_ptr<ILogWireWindowMessenger> messenger);
  // Releases the dispatch ids first.
  ~TLogWireCopyDataConnection() override;

  // Finds the dispatcher's window, starting the program when it is missing;
  // a window found again is remembered for Send. False for the window that
  // let a message run out.
  bool CanSend() override;
  // The dispatcher's answer; 0 when the remembered window is gone or does
  // not answer in time.
  int32_t Send(const TLogWireMessage& message) override;
  // Sends the remembered window WM_CLOSE, with the same bound.
  void Close() override;

  // The dispatcher's window by class and title; null when there is none.
  TLogWireWindow FindDispatcher();
  // The window that let a message run out; null while none did.
  TLogWireWindow UnansweringWindow() const { return unanswering_window_.load(); }

 private:
  // The window remembered for sending, unless it is gone or let a message
  // run out; null then.
  TLogWireWindow ReachableWindow() const;
  // The answer's value; a time-out also marks `window` as not answering.
  int32_t TakeAnswer(TLogWireWindow window, const TLogWireWindowAnswer& answer);

  std::unique_ptr<ILogWireWindowMessenger> messenger_;
  // Loggers may send from any thread; the handles are read without a lock.
  std::atomic<TLogWireWindow> window_{nullptr};
  std::atomic<TLogWireWindow> unanswering_window_{nullptr};
};
