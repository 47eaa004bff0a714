#include <windows.h>

#include "logging/copydata_connection.h"

void* TLogWireCopyDataConnection::FindDispatcher() {
  return FindWindowA(kLogWireDispatcherWindowClass, kLogWireDispatcherWindowTitle);
}

bool TLogWireCopyDataConnection::IsWindowHandle(void* window) {
  return window != nullptr && IsWindow(static_cast<HWND>(window));
}

int32_t TLogWireCopyDataConnection::SendRecord(void* window, std::span<const uint8_t> record) {
  COPYDATASTRUCT data{};
  data.dwData = kLogWireCopyDataId;
  data.cbData = static_cast<DWORD>(record.size());
  // The receiver only reads the block; the structure's field is not const.
  data.lpData = const_cast<uint8_t*>(record.data());
  const LRESULT answer = ::SendMessageA(static_cast<HWND>(window), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
  // The dispatcher answers a 32-bit value.
  return static_cast<int32_t>(static_cast<uint32_t>(answer));
}

void TLogWireCopyDataConnection::SendClose(void* window) { ::SendMessageA(static_cast<HWND>(window), WM_CLOSE, 0, 0); }
