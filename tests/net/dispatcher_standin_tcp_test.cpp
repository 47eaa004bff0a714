// The dispatcher stand-in's TCP listener, driven by the TCP client as the
// logging client drives it (Windows only: the stand-in is a Windows program).
#ifdef _WIN32

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "net/exceptions.h"
#include "net/tcp_client.h"
#include "platform/rtl/memory_stream.h"
#include "tests/net/loopback_server.h"
#include "tests/support/helper_process.h"
#include "tests/support/test_paths.h"

namespace {

using net_test::UnusedPort;

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

class DispatcherStandInTcp : public ::testing::Test {
 protected:
  void Start(const std::string& options) {
    log_ = test_support::MakeTemporaryFolder("dispatcher_tcp") + "received.txt";
    port_ = UnusedPort();
    ASSERT_TRUE(dispatcher_.Start(test_support::ExecutableFolder() + "log_dispatcher_standin.exe",
                                  "--log \"" + log_ + "\" --port " + std::to_string(port_) + " " + options));
    // The listener is up before the window appears.
    ASSERT_NE(dispatcher_.WaitForWindow("LogWire Dispatcher"), nullptr);
    client_ = std::make_unique<TNsTCPClient>(nullptr);
    client_->SetHost("127.0.0.1");
    client_->SetPort(port_);
    client_->SetReadTimeout(5000);
    client_->Connect();
  }

  void SendFrame(uint32_t mark, int32_t type, const std::string& record) {
    TMemoryStream stream;
    stream.WriteBuffer(record.data(), static_cast<int64_t>(record.size()));
    TNsIOHandler& handler = *client_->IOHandler();
    handler.OpenWriteBuffer();
    handler.WriteInt32(static_cast<int32_t>(mark));
    handler.WriteInt32(type);
    handler.WriteInt32(static_cast<int32_t>(record.size()));
    handler.WriteStream(stream, 0, false);
    handler.CloseWriteBuffer();
  }

  void TearDown() override {
    client_.reset();
    PostMessageA(FindWindowA("TFrmDispatcher", "LogWire Dispatcher"), WM_CLOSE, 0, 0);
    dispatcher_.WaitForExit();
  }

  std::string log_;
  uint16_t port_ = 0;
  test_support::HelperProcess dispatcher_;
  std::unique_ptr<TNsTCPClient> client_;
};

TEST_F(DispatcherStandInTcp, RecordsFramesAndAnswersEach) {
  Start("--tcp-answer 7");
  SendFrame(0x7F000000, 5, "abc");
  EXPECT_EQ(client_->IOHandler()->ReadInt32(), 7);
  SendFrame(0x7F000000, 0, "");
  EXPECT_EQ(client_->IOHandler()->ReadInt32(), 7);
  EXPECT_EQ(ReadFile(log_), "5 3 616263\n0 0 \n");
}

TEST_F(DispatcherStandInTcp, ASilentDispatcherLetsTheReadTimeOut) {
  Start("--tcp-silent 1");
  client_->SetReadTimeout(300);
  SendFrame(0x7F000000, 1, "x");
  EXPECT_THROW(client_->IOHandler()->ReadInt32(), ENsReadTimeout);
}

TEST_F(DispatcherStandInTcp, SomethingThatIsNoFrameEndsTheConnection) {
  Start("");
  SendFrame(0x12345678, 1, "x");
  EXPECT_THROW(client_->IOHandler()->ReadInt32(), ENsConnClosedGracefully);
  EXPECT_EQ(ReadFile(log_), "");
}

}  // namespace

#endif  // _WIN32
