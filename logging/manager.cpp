#include "logging/manager.h"

#include <mutex>

#include "logging/copydata_connection.h"
#include "logging/message_record.h"
#include "logging/network_destination.h"
#include "platform/rtl/clock.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/file_utils.h"

namespace {

TLogWireTcpConnectionFactory& TcpConnectionFactory() {
  static TLogWireTcpConnectionFactory factory;
  return factory;
}

}  // namespace

void LogWireSetTcpConnectionFactory(TLogWireTcpConnectionFactory factory) {
  TcpConnectionFactory() = std::move(factory);
}

std::string LogWireApplicationName(std::string_view program_file_name) {
  const size_t name_start = program_file_name.find_last_of("\\/:");
  std::string_view name =
      name_start == std::string_view::npos ? program_file_name : program_file_name.substr(name_start + 1);
  const size_t extension = name.rfind('.');
  if (extension != std::string_view::npos)
    name = name.substr(0, extension);
  return std::string(LogWireFieldText(name, LogWireRecord::kMaxAppName));
}

TLogWireManager::TLogWireManager() : TLogWireManager(CreateLogWirePerformanceCounter()) {}

TLogWireManager::TLogWireManager(std::unique_ptr<TLogWirePerformanceCounter> counter)
    : counter_(std::move(counter)) {
  UseCopyDataTransport();
  default_destination_ = std::make_unique<TLogWireDestination>(nullptr);
  default_destination_->Viewer().SetActive(true);
  app_name_ = LogWireApplicationName(ProgramFileName());
  computer_name_ = LogWireComputerName();
  process_id_ = LogWireCurrentProcessId();
  time_zone_bias_ = LogWireTimeZoneBias();
  if (counter_ != nullptr && counter_->QueryFrequency(counter_frequency_)) {
    high_resolution_ = true;
    start_ = LogWireDateTimeToTimeStamp(ClockNow());
    counter_start_ = counter_->QueryCounter();
  }
}

TLogWireManager::~TLogWireManager() {
  formatters_.reset();
  default_destination_.reset();
  // The connection releases its dispatch ids, with this manager's identity.
  connection_.reset();
}

TLogWireFormatterList& TLogWireManager::GetFormatters() {
  if (formatters_ == nullptr)
    formatters_ = std::make_unique<TLogWireFormatterList>(true);
  return *formatters_;
}

TLogWireTimeStamp TLogWireManager::GetTimeStamp() const {
  if (!high_resolution_)
    return LogWireDateTimeToTimeStamp(ClockNow());
  return LogWireAdvanceTimeStamp(start_, counter_->QueryCounter() - counter_start_, counter_frequency_);
}

std::string TLogWireManager::GetThreadName() {
  const std::string id = std::to_string(TThread::CurrentThreadId());
  std::lock_guard<TCriticalSection> guard(thread_name_lock_);
  const int32_t index = thread_names_.IndexOfName(id);
  if (index >= 0)
    return thread_names_.ValueFromIndex(index);
  thread_names_.Add(id + "=" + id);
  return id;
}

void TLogWireManager::UseCopyDataTransport() {
  UseConnection(std::make_unique<TLogWireCopyDataConnection>(*this));
}

void TLogWireManager::UseTcpTransport(const std::string& host, int32_t port) {
  const TLogWireTcpConnectionFactory& factory = TcpConnectionFactory();
  if (!factory)
    throw EInvalidOperation("The TCP transport of the logging client is not available");
  UseConnection(factory(*this, host, port));
}

void TLogWireManager::UseLocalTcpTransport() {
  UseTcpTransport(std::string(kLogWireLocalHost), kLogWireDispatcherPort);
}

void TLogWireManager::UseConnection(std::unique_ptr<TLogWireConnection> connection) {
  if (connection == nullptr)
    throw EInvalidArgument("A logging connection is required");
  // The old connection goes first, releasing its dispatch ids.
  connection_.reset();
  connection_ = std::move(connection);
}
