#include "logging/logging_module.h"

#include <memory>

#include "logging/logger.h"
#include "logging/manager.h"
#include "platform/rtl/assertion.h"
#include "platform/rtl/format.h"

namespace {

std::unique_ptr<TLogWireManager> g_manager;
std::unique_ptr<TLogWireLogger> g_logger;
// The handler that was in place before the module started.
TAssertHandler g_previous_assert_handler = nullptr;

}  // namespace

void LogWireLoggingInitialize() {
  if (g_manager != nullptr)
    return;
  g_manager = std::make_unique<TLogWireManager>();
  g_logger = std::make_unique<TLogWireLogger>(nullptr);
  g_previous_assert_handler = SetAssertHandler(&LogWireAssertHandler);
}

void LogWireLoggingFinalize() {
  if (g_manager == nullptr)
    return;
  SetAssertHandler(g_previous_assert_handler);
  g_previous_assert_handler = nullptr;
  g_logger.reset();
  g_manager.reset();
}

TLogWireManager* GlobalLogWireManager() { return g_manager.get(); }

TLogWireLogger* GlobalLogWireLogger() { return g_logger.get(); }

void LogWireAssertHandler(std::string_view message, std::string_view file_name, int32_t line,
                          const void* address) {
  const uint8_t mode = g_manager != nullptr ? g_manager->AssertionMode() : 0;
  if ((mode == 1 || mode == 2) && g_logger != nullptr)
    g_logger->SendFmtError("Assertion Failed: %s\rFile: %s\rLine: %d\rAddress: %p",
                           {message, file_name, line, address});
  if (mode == 0 || mode == 2)
    RaiseAssertionFailed(message, file_name, line);
}
