#pragma once
// What the logging tests share: a transport that keeps every message it is
// given (instead of a dispatcher process) and answers as told, and a
// fixture that starts the logging module with that transport installed.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "logging/connection.h"
#include "logging/logger.h"
#include "logging/logging_module.h"
#include "logging/manager.h"

namespace logging_test {

using Answer = std::function<int32_t(const TLogWireMessage&)>;

// Outlives the connection, so that the releases sent while it is freed can
// still be looked at.
struct DeliveryLog {
  std::vector<TLogWireMessage> messages;
  bool can_send = true;
  Answer answer = [](const TLogWireMessage&) { return 1; };

  std::vector<uint32_t> Types() const {
    std::vector<uint32_t> types;
    for (const TLogWireMessage& message : messages)
      types.push_back(message.MsgType);
    return types;
  }
};

class RecordingConnection final : public TLogWireConnection {
 public:
  RecordingConnection(TLogWireManager& manager, std::shared_ptr<DeliveryLog> log)
      : TLogWireConnection(manager), log_(std::move(log)) {}
  ~RecordingConnection() override { ReleaseDispatchIds(); }

  bool CanSend() override { return log_->can_send; }
  int32_t Send(const TLogWireMessage& message) override {
    log_->messages.push_back(message);
    return log_->answer(message);
  }

 private:
  std::shared_ptr<DeliveryLog> log_;
};

class LoggingModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LogWireLoggingInitialize();
    Manager().UseConnection(std::make_unique<RecordingConnection>(Manager(), log_));
  }
  void TearDown() override { LogWireLoggingFinalize(); }

  static TLogWireManager& Manager() { return *GlobalLogWireManager(); }
  static TLogWireLogger& Logger() { return *GlobalLogWireLogger(); }
  DeliveryLog& Log() { return *log_; }
  const std::vector<TLogWireMessage>& Messages() { return log_->messages; }

  std::shared_ptr<DeliveryLog> log_ = std::make_shared<DeliveryLog>();
};

}  // namespace logging_test
