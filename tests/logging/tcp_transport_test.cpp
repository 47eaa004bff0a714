// The TCP transport of the logging client against real servers on the
// loopback address: a server thread that checks the frames byte by byte,
// and in the Windows build the dispatcher stand-in.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "logging/logger.h"
#include "logging/logging_module.h"
#include "logging/manager.h"
#include "logging/message_record.h"
#include "logging/tcp_transport.h"
#include "net/exceptions.h"
#include "net/tcp_client.h"
#include "tests/net/loopback_server.h"

#ifdef _WIN32
#include <windows.h>

#include <fstream>
#include <sstream>

#include "tests/support/helper_process.h"
#include "tests/support/test_paths.h"
#endif

namespace {

using net_test::UnusedPort;

using net_test::TLoopbackServer;
using net_test::TServerConnection;

struct Frame {
  TNsBytes head;
  TNsBytes record;
};

Frame ReadFrame(TServerConnection& connection) {
  Frame frame;
  frame.head = connection.Read(12);
  const size_t size = static_cast<size_t>(frame.head[8]) << 24 | static_cast<size_t>(frame.head[9]) << 16 |
                      static_cast<size_t>(frame.head[10]) << 8 | frame.head[11];
  frame.record = connection.Read(size);
  return frame;
}

void Answer(TServerConnection& connection, uint32_t value) {
  connection.Send(TNsBytes{static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16),
                           static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)});
}

// A message whose record is exactly `record_size` bytes long.
TLogWireMessage MessageOfRecordSize(uint32_t type, uint32_t record_size) {
  TLogWireMessage message;
  message.MsgType = type;
  message.Text = std::string(record_size - LogWireRecord::kFixedSize, 'm');
  return message;
}

class TcpTransportTest : public ::testing::Test {
 protected:
  void SetUp() override { LogWireLoggingInitialize(); }
  void TearDown() override { LogWireLoggingFinalize(); }
  static TLogWireManager& Manager() { return *GlobalLogWireManager(); }
};

TEST_F(TcpTransportTest, EachRecordGoesAsOneFrameAndTheAnswerComesBack) {
  std::promise<Frame> received;
  TLoopbackServer server([&](TServerConnection& connection) {
    Frame frame = ReadFrame(connection);
    received.set_value(frame);
    Answer(connection, 0x01020304);
    connection.ClientClosedWithin(5000);
  });
  TLogWireTcpConnection connection(Manager(), "127.0.0.1", server.Port());
  EXPECT_EQ(connection.Send(MessageOfRecordSize(0, 300)), 0x01020304);
  const Frame frame = received.get_future().get();
  EXPECT_EQ(frame.head, (TNsBytes{0x7F, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x2C}));
  ASSERT_EQ(frame.record.size(), 300u);
  const std::vector<uint8_t> expected = LogWireBuildRecord(MessageOfRecordSize(0, 300));
  EXPECT_EQ(frame.record, TNsBytes(expected.begin(), expected.end()));
}

TEST_F(TcpTransportTest, OneConnectionCarriesEveryMessage) {
  std::promise<int> frames;
  TLoopbackServer server([&](TServerConnection& connection) {
    int count = 0;
    try {
      while (true) {
        const Frame frame = ReadFrame(connection);
        Answer(connection, static_cast<uint32_t>(frame.head[7]));
        ++count;
      }
    } catch (const std::exception&) {
      frames.set_value(count);
    }
  });
  {
    TLogWireTcpConnection connection(Manager(), "127.0.0.1", server.Port());
    for (uint32_t type = 1; type <= 5; ++type)
      EXPECT_EQ(connection.Send(MessageOfRecordSize(type, 250)), static_cast<int32_t>(type));
  }
  EXPECT_EQ(frames.get_future().get(), 5);
  EXPECT_EQ(server.Accepted(), 1);
}

TEST_F(TcpTransportTest, AHungDispatcherCostsABoundedWaitAndALateAnswerIsNeverTakenForTheNext) {
  TLoopbackServer server([&](TServerConnection& connection) {
    ReadFrame(connection);
    if (connection.ClientClosedWithin(0) == false && server.Accepted() == 1) {
      // The first conversation: answer only after the client gave up.
      connection.ClientClosedWithin(600);
      try {
        Answer(connection, 9);
      } catch (const std::exception&) {
      }
      return;
    }
    Answer(connection, 1);
    connection.ClientClosedWithin(5000);
  });
  TLogWireTcpConnection connection(Manager(), "127.0.0.1", server.Port());
  connection.Client().SetReadTimeout(300);
  EXPECT_THROW(connection.Send(MessageOfRecordSize(1, 260)), ENsReadTimeout);
  EXPECT_FALSE(connection.Client().IsConnected());
  EXPECT_EQ(connection.Send(MessageOfRecordSize(1, 260)), 1);
  EXPECT_EQ(server.Accepted(), 2);
}

TEST_F(TcpTransportTest, ConnectingIsBounded) {
  TLogWireTcpConnection connection(Manager(), "127.0.0.1", UnusedPort());
  EXPECT_EQ(connection.Client().ConnectTimeout(), TLogWireTcpConnection::kConnectTimeout);
  EXPECT_EQ(connection.Client().ReadTimeout(), TLogWireTcpConnection::kAnswerTimeout);
  EXPECT_THROW(connection.Send(MessageOfRecordSize(1, 260)), ENsSocketError);
  EXPECT_THROW(TLogWireTcpConnection(Manager(), "127.0.0.1", 0), EInvalidArgument);
  EXPECT_THROW(TLogWireTcpConnection(Manager(), "127.0.0.1", 70000), EInvalidArgument);
}

TEST_F(TcpTransportTest, TheManagerBuildsItAndAFailedDeliverySwitchesTheLoggerOff) {
  LogWireInstallTcpTransport();
  std::promise<std::vector<uint32_t>> types;
  TLoopbackServer server([&](TServerConnection& connection) {
    std::vector<uint32_t> seen;
    try {
      while (true) {
        const Frame frame = ReadFrame(connection);
        seen.push_back(frame.head[7]);
        Answer(connection, 1);
      }
    } catch (const std::exception&) {
      types.set_value(seen);
    }
  });
  Manager().UseTcpTransport("127.0.0.1", server.Port());
  TLogWireLogger& logger = *GlobalLogWireLogger();
  logger.SendMsg("over TCP");
  EXPECT_TRUE(logger.Enabled());
  Manager().UseTcpTransport("127.0.0.1", UnusedPort());
  logger.SendMsg("nobody listens");
  EXPECT_FALSE(logger.Enabled());
  // The first connection was freed when the second was installed.
  const std::vector<uint32_t> seen = types.get_future().get();
  EXPECT_GE(seen.size(), 2u);
}

#ifdef _WIN32

// The dispatcher stand-in records every frame it receives.
TEST_F(TcpTransportTest, RecordsArriveAtTheDispatcherStandIn) {
  LogWireInstallTcpTransport();
  const std::string log = test_support::MakeTemporaryFolder("tcp_transport") + "received.txt";
  const uint16_t port = UnusedPort();
  test_support::HelperProcess dispatcher;
  ASSERT_TRUE(dispatcher.Start(test_support::ExecutableFolder() + "log_dispatcher_standin.exe",
                               "--log \"" + log + "\" --port " + std::to_string(port)));
  ASSERT_NE(dispatcher.WaitForWindow("LogWire Dispatcher"), nullptr);
  Manager().UseTcpTransport("127.0.0.1", port);
  GlobalLogWireLogger()->SendMsg("Größe über TCP");
  EXPECT_TRUE(GlobalLogWireLogger()->Enabled());
  LogWireLoggingFinalize();
  PostMessageA(FindWindowA("TFrmDispatcher", "LogWire Dispatcher"), WM_CLOSE, 0, 0);
  dispatcher.WaitForExit();
  std::ifstream file(log, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  // "Größe über TCP" in UTF-8, as hex inside one of the records.
  EXPECT_NE(content.str().find("4772c3b6c39f6520c3bc62657220544350"), std::string::npos) << content.str();
  LogWireLoggingInitialize();
}

#endif  // _WIN32

}  // namespace
