#include "logging/copydata_connection.h"

#include "logging/message_record.h"

TLogWireCopyDataConnection::TLogWireCopyDataConnection(TLogWireManager& manager)
    : TLogWireConnection(manager) {}

TLogWireCopyDataConnection::~TLogWireCopyDataConnection() { ReleaseDispatchIds(); }

bool TLogWireCopyDataConnection::CanSend() {
  void* window = FindDispatcher();
  if (window == nullptr) {
    // Searched once more right after the start, without waiting further:
    // a dispatcher that shows its window late fails this attempt.
    StartDispatcher();
    window = FindDispatcher();
  } else if (window == window_) {
    return true;
  }
  window_ = window;
  return window_ != nullptr;
}

int32_t TLogWireCopyDataConnection::Send(const TLogWireMessage& message) {
  if (!IsWindowHandle(window_))
    return 0;
  const std::vector<uint8_t> record = LogWireBuildRecord(message);
  return SendRecord(window_, record);
}

void TLogWireCopyDataConnection::Close() {
  if (IsWindowHandle(window_))
    SendClose(window_);
}
