#include "logging/dispatcher_process.h"

// The native build has neither the registry nor the dispatcher's window
// messages: the default name stands, and nothing is started.
std::string LogWireGetDispatcherPath() { return "LWDispatcher.exe"; }

bool LogWireStartDispatcherProgram(const std::string& /*path*/, uint32_t /*timeout_ms*/) { return false; }
