#include "logging/connection.h"

#include <exception>
#include <mutex>

#include "logging/dispatcher_process.h"
#include "logging/guid_text.h"
#include "logging/logger.h"
#include "logging/manager.h"
#include "logging/message_record.h"
#include "logging/message_types.h"

TLogWireConnection::TLogWireConnection(TLogWireManager& manager) : manager_(manager) {}

TLogWireConnection::~TLogWireConnection() = default;

bool TLogWireConnection::CanSend() { return true; }

int32_t TLogWireConnection::Send(const TLogWireMessage& /*message*/) { return 0; }

void TLogWireConnection::Close() {}

int32_t TLogWireConnection::SendMessage(const TLogWireLogger& logger, std::string& dispatch_id,
                                        TDateTime& dispatch_date, TLogWireMessage& message) {
  if (!CanSend())
    return 0;
  int32_t index = IndexOfDispatchId(dispatch_id);
  // An id made before yesterday is renewed; the old one stays in the table
  // until the connection releases them all.
  if (dispatch_id.empty() || index < 0 || Date() - 1 > dispatch_date)
    NewDispatchId(dispatch_id, dispatch_date, index);

  TLogWireDestination& destination = GetLoggerDestination(logger);
  const std::optional<std::string> registered = RegisteredDestination(index);
  if (registered != destination.GetDestinationString()) {
    if (registered) {
      // The destination changed since the id was registered: the
      // dispatcher gets a fresh id for the new one.
      ReleaseDispatchId(dispatch_id, logger.Category());
      NewDispatchId(dispatch_id, dispatch_date, index);
    }
    std::string registered_text;
    if (!RegisterDestination(dispatch_id, destination, logger.Category(), &registered_text))
      return 0;
    SetRegisteredDestination(index, std::move(registered_text));
  }

  message.DispatchId = dispatch_id;
  try {
    return Send(message);
  } catch (const std::exception&) {
    return 0;
  }
}

void TLogWireConnection::NewDispatchId(std::string& dispatch_id, TDateTime& date, int32_t& index) {
  dispatch_id = NewGuidText();
  date = Date();
  std::lock_guard<TCriticalSection> guard(lock_);
  table_.push_back({dispatch_id, std::nullopt});
  index = static_cast<int32_t>(table_.size() - 1);
}

std::string TLogWireConnection::NewGuidText() { return LogWireNewGuidText(); }

TLogWireDestination& TLogWireConnection::GetLoggerDestination(const TLogWireLogger& logger) const {
  TLogWireDestination* own = logger.Destination();
  return own != nullptr ? *own : manager_.DefaultDestination();
}

bool TLogWireConnection::RegisterDestination(const std::string& dispatch_id, TLogWireDestination& destination,
                                             std::string_view category, std::string* registered_text) {
  destination.ValidateAll();
  std::string text = destination.GetDestinationString();
  if (registered_text != nullptr)
    *registered_text = text;
  return SendControlMessage(lwmtRegisterDestination, dispatch_id, std::move(text), category) != 0;
}

bool TLogWireConnection::ReleaseDispatchId(const std::string& dispatch_id, std::string_view category) {
  return SendControlMessage(lwmtReleaseDispatchId, dispatch_id, std::string(), category) != 0;
}

void TLogWireConnection::ReleaseDispatchIds() {
  std::vector<TDispatchIdEntry> released;
  {
    std::lock_guard<TCriticalSection> guard(lock_);
    released.swap(table_);
  }
  for (const TDispatchIdEntry& entry : released)
    ReleaseDispatchId(entry.id, std::string_view());
}

bool TLogWireConnection::StartDispatcher() {
  const std::string path = LogWireGetDispatcherPath();
  if (path.empty())
    return false;
  return LogWireStartDispatcherProgram(path, kLogWireDispatcherStartTimeoutMs);
}

std::vector<std::string> TLogWireConnection::DispatchIds() const {
  std::lock_guard<TCriticalSection> guard(lock_);
  std::vector<std::string> ids;
  ids.reserve(table_.size());
  for (const TDispatchIdEntry& entry : table_)
    ids.push_back(entry.id);
  return ids;
}

int32_t TLogWireConnection::IndexOfDispatchId(std::string_view dispatch_id) const {
  if (dispatch_id.empty())
    return -1;
  std::lock_guard<TCriticalSection> guard(lock_);
  for (size_t index = 0; index < table_.size(); ++index) {
    if (table_[index].id == dispatch_id)
      return static_cast<int32_t>(index);
  }
  return -1;
}

std::optional<std::string> TLogWireConnection::RegisteredDestination(int32_t index) const {
  std::lock_guard<TCriticalSection> guard(lock_);
  if (index < 0 || static_cast<size_t>(index) >= table_.size())
    return std::nullopt;
  return table_[static_cast<size_t>(index)].registered_destination;
}

void TLogWireConnection::SetRegisteredDestination(int32_t index, std::string text) {
  std::lock_guard<TCriticalSection> guard(lock_);
  if (index >= 0 && static_cast<size_t>(index) < table_.size())
    table_[static_cast<size_t>(index)].registered_destination = std::move(text);
}

int32_t TLogWireConnection::SendControlMessage(uint32_t type, const std::string& dispatch_id, std::string text,
                                               std::string_view category) {
  TLogWireMessage message;
  message.MsgType = type;
  message.DispatchId = dispatch_id;
  message.Text = std::move(text);
  message.AppName = LogWireFieldText(manager_.GetAppName(), LogWireRecord::kMaxAppName);
  message.ComputerName = LogWireFieldText(manager_.GetComputerName(), LogWireRecord::kMaxComputerName);
  message.Category = LogWireFieldText(category, LogWireRecord::kMaxCategory);
  message.ProcessId = manager_.GetProcessId();
  try {
    return Send(message);
  } catch (const std::exception&) {
    return 0;
  }
}
