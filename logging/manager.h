#pragma once
// TLogWireManager: the process-wide state of the logging client - whether
// logging is on at all, who is sending (application, computer, process),
// time stamps that advance with a high-resolution counter, the names of the
// threads that log, the default destination, and the one connection to the
// dispatcher.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "logging/connection.h"
#include "logging/destination.h"
#include "logging/system_info.h"
#include "logging/time_stamp.h"
#include "platform/rtl/lists.h"
#include "platform/rtl/strings.h"
#include "platform/rtl/thread.h"

using TLogWireStringList = TStringList;
// An owning list of formatter objects; nothing registers one in this
// program.
using TLogWireFormatterList = TObjectList;

class TLogWireManager : public TObject {
 public:
  static constexpr TClass kClass{"TLogWireManager", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TLogWireManager();
  // With a counter of the caller's choice (tests).
  explicit TLogWireManager(std::unique_ptr<TLogWirePerformanceCounter> counter);
  ~TLogWireManager() override;

  bool Enabled() const { return enabled_.load(std::memory_order_relaxed); }
  void SetEnabled(bool enabled) { enabled_.store(enabled, std::memory_order_relaxed); }

  const std::string& GetAppName() const { return app_name_; }
  const std::string& GetComputerName() const { return computer_name_; }
  uint32_t GetProcessId() const { return process_id_; }
  int32_t TimeZoneBias() const { return time_zone_bias_; }

  // 0: an assertion raises as usual; 1: it is only logged; 2: both.
  uint8_t AssertionMode() const { return assertion_mode_; }
  void SetAssertionMode(uint8_t mode) { assertion_mode_ = mode; }
  // When set, senders replace control characters in message texts.
  bool EscapeControlChars() const { return escape_control_chars_; }
  void SetEscapeControlChars(bool escape) { escape_control_chars_ = escape; }

  TLogWireConnection& Connection() const { return *connection_; }
  TLogWireDestination& DefaultDestination() const { return *default_destination_; }
  // Created on first request.
  virtual TLogWireFormatterList& GetFormatters();

  // The current moment: the construction moment moved on by the counter, so
  // that stamps do not follow later changes of the system clock.
  TLogWireTimeStamp GetTimeStamp() const;
  // The calling thread's name: its decimal id.
  std::string GetThreadName();

  // Each frees the current connection (which releases its dispatch ids)
  // and installs a new one.
  void UseCopyDataTransport();
  void UseTcpTransport(const std::string& host, int32_t port);
  // The local machine, port 3434.
  void UseLocalTcpTransport();
  void UseConnection(std::unique_ptr<TLogWireConnection> connection);

 private:
  std::atomic<bool> enabled_{true};
  std::string app_name_;
  std::string computer_name_;
  uint32_t process_id_ = 0;
  TCriticalSection thread_name_lock_;
  TLogWireStringList thread_names_;
  uint8_t assertion_mode_ = 0;
  std::unique_ptr<TLogWireConnection> connection_;
  std::unique_ptr<TLogWireDestination> default_destination_;
  std::unique_ptr<TLogWireFormatterList> formatters_;
  int32_t time_zone_bias_ = 0;
  std::unique_ptr<TLogWirePerformanceCounter> counter_;
  int64_t counter_start_ = 0;
  TLogWireTimeStamp start_;
  int64_t counter_frequency_ = 0;
  bool high_resolution_ = false;
  bool escape_control_chars_ = false;
};

// The TCP transport lives with the socket stack; it installs its factory
// here so that UseTcpTransport can build it. Without one, UseTcpTransport
// raises EInvalidOperation.
using TLogWireTcpConnectionFactory =
    std::function<std::unique_ptr<TLogWireConnection>(TLogWireManager& manager, const std::string& host,
                                                      int32_t port)>;
void LogWireSetTcpConnectionFactory(TLogWireTcpConnectionFactory factory);

// The program file's name without folder and extension, at most 40 bytes
// (cut before a character that would not fit whole).
std::string LogWireApplicationName(std::string_view program_file_name);
