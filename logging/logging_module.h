#pragma once
// The logging client's module state: one manager and one global logger
// (without owner), created at module start and freed at module end, after
// the application's own modules have ended.

#include <cstdint>
#include <string_view>

class TLogWireLogger;
class TLogWireManager;

// Creates the manager, then the global logger, and installs
// LogWireAssertHandler as the run-time's assertion handler
// (platform/rtl/assertion.h). Starting twice does nothing.
void LogWireLoggingInitialize();
// Gives the assertion handler back to the one it replaced, then frees the
// global logger and the manager (whose connection releases its dispatch ids
// on the way).
void LogWireLoggingFinalize();

// Null outside the module's lifetime.
TLogWireManager* GlobalLogWireManager();
TLogWireLogger* GlobalLogWireLogger();

// The assertion handler: with assertion mode 1 or 2 the global logger sends
// the failure as an error; with mode 0 or 2 it raises EAssertionFailed
// "<message> (<file>, Zeile <line>)", as without the handler.
void LogWireAssertHandler(std::string_view message, std::string_view file_name, int32_t line,
                          const void* address);
