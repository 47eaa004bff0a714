#include "platform/rtl/assertion.h"

#include <atomic>

#include "platform/rtl/exceptions.h"

namespace {

// Any thread may assert while another installs a handler.
std::atomic<TAssertHandler> g_assert_handler{nullptr};

}  // namespace

void Assert(bool condition, std::string_view message, const std::source_location& where) {
  if (condition)
    return;
  const auto line = static_cast<int32_t>(where.line());
  if (const TAssertHandler handler = g_assert_handler.load()) {
    handler(message, where.file_name(), line, __builtin_return_address(0));
    return;
  }
  RaiseAssertionFailed(message, where.file_name(), line);
}

TAssertHandler SetAssertHandler(TAssertHandler handler) { return g_assert_handler.exchange(handler); }

TAssertHandler CurrentAssertHandler() { return g_assert_handler.load(); }

std::string AssertionFailureText(std::string_view message, std::string_view file_name, int32_t line) {
  const std::string_view shown = message.empty() ? std::string_view("Assertion failed") : message;
  return std::string(shown) + " (" + std::string(file_name) + ", Zeile " + std::to_string(line) + ")";
}

void RaiseAssertionFailed(std::string_view message, std::string_view file_name, int32_t line) {
  throw EAssertionFailed(AssertionFailureText(message, file_name, line));
}
