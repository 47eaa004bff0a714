// The rules of the window-message transport against a scripted desktop:
// every message waits with a bound, a message that runs out is a failed
// delivery, and the window that let it run out is not waited for again.
// The real desktop with a dispatcher that hangs is in
// copydata_transport_test.cpp.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <memory>
#include <vector>

#include "logging/copydata_connection.h"
#include "logging/logger.h"
#include "logging/logging_module.h"
#include "logging/manager.h"
#include "logging/window_messenger.h"
#include "platform/rtl/exceptions.h"

namespace {

TLogWireWindow WindowNumber(uintptr_t number) { return reinterpret_cast<TLogWireWindow>(number); }

// One dispatcher window whose answers follow a script: each send takes the
// next outcome, and once the script is used up every send is answered.
// Outlives the messenger, so that the releases sent while the connection is
// freed can still be looked at.
struct ScriptedDesktop {
  TLogWireWindow dispatcher = WindowNumber(0x100);
  std::deque<TLogWireSendOutcome> script;
  int32_t answer = 1;

  // What reached the desktop: the message type of each record sent, the
  // windows it went to, the bound each send was given, the close requests.
  std::vector<uint32_t> sent_types;
  std::vector<TLogWireWindow> sent_to;
  std::vector<uint32_t> bounds;
  int32_t close_requests = 0;

  TLogWireWindowAnswer NextAnswer(TLogWireWindow window, uint32_t timeout_ms) {
    sent_to.push_back(window);
    bounds.push_back(timeout_ms);
    if (script.empty())
      return {TLogWireSendOutcome::kAnswered, answer};
    const TLogWireSendOutcome outcome = script.front();
    script.pop_front();
    return {outcome, outcome == TLogWireSendOutcome::kAnswered ? answer : 0};
  }
};

class ScriptedMessenger final : public ILogWireWindowMessenger {
 public:
  explicit ScriptedMessenger(std::shared_ptr<ScriptedDesktop> desktop) : desktop_(std::move(desktop)) {}

  TLogWireWindow FindDispatcher() override { return desktop_->dispatcher; }
  bool IsWindow(TLogWireWindow window) override { return window != nullptr && window == desktop_->dispatcher; }
  TLogWireWindowAnswer SendCopyData(TLogWireWindow window, uint32_t id, std::span<const uint8_t> block,
                                    uint32_t timeout_ms) override {
    EXPECT_EQ(id, kLogWireCopyDataId);
    uint32_t type = 0;
    if (block.size() >= sizeof type)
      std::memcpy(&type, block.data(), sizeof type);
    desktop_->sent_types.push_back(type);
    return desktop_->NextAnswer(window, timeout_ms);
  }
  TLogWireWindowAnswer SendClose(TLogWireWindow window, uint32_t timeout_ms) override {
    ++desktop_->close_requests;
    return desktop_->NextAnswer(window, timeout_ms);
  }

 private:
  std::shared_ptr<ScriptedDesktop> desktop_;
};

class CopyDataConnectionRules : public ::testing::Test {
 protected:
  void SetUp() override { StartModule(); }
  void TearDown() override { LogWireLoggingFinalize(); }

  // The logging module, fresh, with a connection to a fresh desktop.
  void StartModule() {
    LogWireLoggingInitialize();
    desktop_ = std::make_shared<ScriptedDesktop>();
    auto connection =
        std::make_unique<TLogWireCopyDataConnection>(Manager(), std::make_unique<ScriptedMessenger>(desktop_));
    connection_ = connection.get();
    Manager().UseConnection(std::move(connection));
  }
  void RestartModule() {
    LogWireLoggingFinalize();
    StartModule();
  }

  static TLogWireManager& Manager() { return *GlobalLogWireManager(); }
  static TLogWireLogger& Logger() { return *GlobalLogWireLogger(); }
  ScriptedDesktop& Desktop() { return *desktop_; }
  TLogWireCopyDataConnection& Connection() { return *connection_; }

  std::shared_ptr<ScriptedDesktop> desktop_;
  TLogWireCopyDataConnection* connection_ = nullptr;
};

TEST_F(CopyDataConnectionRules, EveryMessageWaitsWithTheBound) {
  Logger().SendMsg("one");
  Logger().SendMsg("two");
  Connection().Close();
  EXPECT_EQ(Desktop().sent_types, (std::vector<uint32_t>{91, 0, 0}));
  EXPECT_EQ(Desktop().close_requests, 1);
  ASSERT_EQ(Desktop().bounds.size(), 4u);
  for (const uint32_t bound : Desktop().bounds)
    EXPECT_EQ(bound, TLogWireCopyDataConnection::kAnswerTimeoutMs);
  EXPECT_TRUE(Logger().Enabled());
}

// A message that runs out fails its delivery wherever it falls: the
// registration or the message itself.
TEST_F(CopyDataConnectionRules, AMessageThatRunsOutIsAFailedDelivery) {
  struct Case {
    const char* name;
    std::deque<TLogWireSendOutcome> script;
    std::vector<uint32_t> sent_types;
  };
  const Case cases[] = {
      {"registration runs out", {TLogWireSendOutcome::kTimedOut}, {91}},
      {"message runs out", {TLogWireSendOutcome::kAnswered, TLogWireSendOutcome::kTimedOut}, {91, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RestartModule();
    Desktop().script = c.script;
    EXPECT_EQ(Logger().DoSendMsg(0, "C:\\Daten\\a.pdf", "", ""), 0);
    EXPECT_FALSE(Logger().Enabled());
    EXPECT_EQ(Connection().UnansweringWindow(), Desktop().dispatcher);
    // The failure is the logger's to keep: later records are not offered.
    Logger().SendMsg("C:\\Daten\\b.pdf");
    EXPECT_EQ(Desktop().sent_types, c.sent_types);
  }
}

// A hung dispatcher costs one bounded wait, not one per message: neither
// another logger, nor the close request, nor the releases of the dispatch
// ids at the end wait for it again.
TEST_F(CopyDataConnectionRules, TheWindowThatRanOutIsNotSentToAgain) {
  Desktop().script = {TLogWireSendOutcome::kAnswered, TLogWireSendOutcome::kTimedOut};
  Logger().SendMsg("first");
  ASSERT_FALSE(Logger().Enabled());
  const std::vector<uint32_t> before_end{91, 0};
  ASSERT_EQ(Desktop().sent_types, before_end);

  TLogWireLogger second(nullptr);
  EXPECT_FALSE(Connection().CanSend());
  EXPECT_EQ(second.DoSendMsg(0, "second", "", ""), 0);
  EXPECT_FALSE(second.Enabled());
  Connection().Close();
  EXPECT_EQ(Desktop().close_requests, 0);

  LogWireLoggingFinalize();
  EXPECT_EQ(Desktop().sent_types, before_end);
  EXPECT_EQ(Desktop().sent_to.size(), 2u);
}

TEST_F(CopyDataConnectionRules, ADispatcherStartedAnewIsUsedAgain) {
  Desktop().script = {TLogWireSendOutcome::kTimedOut};
  Logger().SendMsg("lost");
  ASSERT_FALSE(Logger().Enabled());

  const TLogWireWindow restarted = WindowNumber(0x200);
  Desktop().dispatcher = restarted;
  TLogWireLogger second(nullptr);
  EXPECT_EQ(second.DoSendMsg(0, "arrives", "", ""), 1);
  EXPECT_TRUE(second.Enabled());
  EXPECT_EQ(Desktop().sent_types, (std::vector<uint32_t>{91, 91, 0}));
  EXPECT_EQ(Desktop().sent_to.back(), restarted);
}

// A message the system could not deliver (the window went away meanwhile)
// fails as well, but says nothing about the next window found: it is tried.
TEST_F(CopyDataConnectionRules, AnUndeliveredMessageFailsWithoutMarkingTheWindow) {
  Desktop().script = {TLogWireSendOutcome::kFailed};
  EXPECT_EQ(Logger().DoSendMsg(0, "lost", "", ""), 0);
  EXPECT_FALSE(Logger().Enabled());
  EXPECT_EQ(Connection().UnansweringWindow(), nullptr);

  TLogWireLogger second(nullptr);
  EXPECT_EQ(second.DoSendMsg(0, "arrives", "", ""), 1);
  EXPECT_EQ(Desktop().sent_types, (std::vector<uint32_t>{91, 91, 0}));
}

TEST_F(CopyDataConnectionRules, ACloseRequestThatRunsOutMarksTheWindow) {
  Logger().SendMsg("first");
  Desktop().script = {TLogWireSendOutcome::kTimedOut};
  Connection().Close();
  EXPECT_EQ(Connection().UnansweringWindow(), Desktop().dispatcher);
  EXPECT_FALSE(Connection().CanSend());
}

TEST(CopyDataConnection, NeedsAMessenger) {
  LogWireLoggingInitialize();
  EXPECT_THROW(TLogWireCopyDataConnection(*GlobalLogWireManager(), nullptr), EInvalidArgument);
  LogWireLoggingFinalize();
}

}  // namespace
