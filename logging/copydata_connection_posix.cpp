#include "logging/copydata_connection.h"

// No window messages in the native build: no dispatcher window exists.
void* TLogWireCopyDataConnection::FindDispatcher() { return nullptr; }

bool TLogWireCopyDataConnection::IsWindowHandle(void* /*window*/) { return false; }

int32_t TLogWireCopyDataConnection::SendRecord(void* /*window*/, std::span<const uint8_t> /*record*/) { return 0; }

void TLogWireCopyDataConnection::SendClose(void* /*window*/) {}
