#pragma once
// The run-time's assertion entry. Code states a condition it relies on with
// Assert; a false one goes to the installed assertion handler, or, with
// none installed, raises EAssertionFailed with the run-time's text
// "<message> (<file>, Zeile <line>)". The logging client installs its
// handler for as long as it runs, so that its assertion mode can log a
// failure as well as, or instead of, raising it.

#include <cstdint>
#include <source_location>
#include <string>
#include <string_view>

// Called with the message, the file and line of the Assert, and the code
// address it was called from. A handler that returns lets the program go on.
using TAssertHandler = void (*)(std::string_view message, std::string_view file_name, int32_t line,
                                const void* address);

// Nothing when `condition` holds; otherwise the failure goes to the handler.
// Never inlined, so that the address reported is the caller's.
[[gnu::noinline]] void Assert(bool condition, std::string_view message = {},
                              const std::source_location& where = std::source_location::current());

// Installs `handler` (null: raise) and answers the one it replaces.
TAssertHandler SetAssertHandler(TAssertHandler handler);
TAssertHandler CurrentAssertHandler();

// "<message> (<file>, Zeile <line>)"; "Assertion failed" stands for an
// empty message.
std::string AssertionFailureText(std::string_view message, std::string_view file_name, int32_t line);
// Raises EAssertionFailed with that text.
[[noreturn]] void RaiseAssertionFailed(std::string_view message, std::string_view file_name, int32_t line);
