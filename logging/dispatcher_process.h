#pragma once
// The dispatcher program: where it is installed, and starting it.

#include <cstdint>
#include <string>

// The value "Dispatcher" of HKEY_LOCAL_MACHINE\Software\Dovex\LogWire\4.0,
// or, when that key cannot be opened, of the same path under
// Software\Policies; "LWDispatcher.exe" when no value is found.
std::string LogWireGetDispatcherPath();

// How long starting the dispatcher waits for it to become ready for input.
constexpr uint32_t kLogWireDispatcherStartTimeoutMs = 5000;

// Starts the program at `path` through the shell (no window, no error
// dialogs) and waits until it is ready for input, at most `timeout_ms`.
// True when the program was started.
bool LogWireStartDispatcherProgram(const std::string& path, uint32_t timeout_ms);
