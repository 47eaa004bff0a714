#pragma once
// TLogWireCopyDataConnection: the default transport. Each record goes to the
// dispatcher's window on the same desktop as one synchronous WM_COPYDATA
// message (dwData 0x7F000000); the message result is the dispatcher's
// answer. When the window is missing, the dispatcher program is started
// once per send attempt and looked for again.
//
// The native build has no window messages: there the dispatcher is never
// found and every delivery gives 0.

#include <cstdint>
#include <span>

#include "logging/connection.h"

constexpr char kLogWireDispatcherWindowClass[] = "TFrmDispatcher";
constexpr char kLogWireDispatcherWindowTitle[] = "LogWire Dispatcher";
constexpr uint32_t kLogWireCopyDataId = 0x7F000000;

class TLogWireCopyDataConnection final : public TLogWireConnection {
 public:
  static constexpr TClass kClass{"TLogWireCopyDataConnection", &TLogWireConnection::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TLogWireCopyDataConnection(TLogWireManager& manager);
  // Releases the dispatch ids first.
  ~TLogWireCopyDataConnection() override;

  // Finds the dispatcher's window, starting the program when it is missing;
  // a window found again is remembered for Send.
  bool CanSend() override;
  // 0 when the remembered window is gone.
  int32_t Send(const TLogWireMessage& message) override;
  // Sends the remembered window WM_CLOSE.
  void Close() override;

  // The dispatcher's window by class and title; null when there is none.
  // (An HWND, kept opaque so that this header needs no windows.h.)
  static void* FindDispatcher();

 private:
  static bool IsWindowHandle(void* window);
  static int32_t SendRecord(void* window, std::span<const uint8_t> record);
  static void SendClose(void* window);

  void* window_ = nullptr;
};
