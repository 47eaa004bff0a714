// Measures the logging client's TCP path and prints the figures; asserts
// nothing about speed. Each record is one conversation as the logging
// client holds it: the connection check, a buffered frame (three integers
// and a 300-byte record) and the 32-bit answer. The same frames are then
// sent with plain blocking send and receive calls on the same socket, for
// the ratio. The peer is the dispatcher stand-in in the Windows build and a
// server thread in the native build.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "net/io_handler_socket.h"
#include "net/tcp_client.h"
#include "platform/rtl/memory_stream.h"
#include "tests/net/loopback_server.h"

#ifdef _WIN32
#include "tests/support/helper_process.h"
#include "tests/support/test_paths.h"
#endif

namespace {

constexpr int kRecords = 500;
constexpr int kRecordSize = 300;

TNsBytes Frame(const TNsBytes& record) {
  TNsBytes frame{0x7F, 0, 0, 0, 0, 0, 0, 0, 0, 0, static_cast<uint8_t>(record.size() >> 8),
                 static_cast<uint8_t>(record.size())};
  frame.insert(frame.end(), record.begin(), record.end());
  return frame;
}

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A peer that answers every frame with 1.
class FramePeer {
 public:
  FramePeer() {
#ifdef _WIN32
    port_ = net_test::UnusedPort();
    started_ = standin_.Start(test_support::ExecutableFolder() + "log_dispatcher_standin.exe",
                              "--port " + std::to_string(port_)) &&
               standin_.WaitForWindow("LogWire Dispatcher") != nullptr;
#else
    server_ = std::make_unique<net_test::TLoopbackServer>([](net_test::TServerConnection& connection) {
      try {
        while (true) {
          const TNsBytes head = connection.Read(12);
          connection.Read(static_cast<size_t>(head[10] << 8 | head[11]));
          connection.Send(TNsBytes{0, 0, 0, 1});
        }
      } catch (const std::exception&) {
        // The client is done.
      }
    });
    port_ = server_->Port();
    started_ = true;
#endif
  }
  ~FramePeer() {
#ifdef _WIN32
    PostMessageA(FindWindowA("TFrmDispatcher", "LogWire Dispatcher"), WM_CLOSE, 0, 0);
    standin_.WaitForExit();
#endif
  }
  bool Started() const { return started_; }
  uint16_t Port() const { return port_; }

 private:
  uint16_t port_ = 0;
  bool started_ = false;
#ifdef _WIN32
  test_support::HelperProcess standin_;
#else
  std::unique_ptr<net_test::TLoopbackServer> server_;
#endif
};

TEST(TcpPathBench, RecordsPerSecondThroughTheClientAndThroughPlainCalls) {
  FramePeer peer;
  ASSERT_TRUE(peer.Started());
  TNsTCPClient client(nullptr);
  client.SetHost("127.0.0.1");
  client.SetPort(peer.Port());
  // The logging client's bounded waits.
  client.SetConnectTimeout(5000);
  client.SetReadTimeout(5000);
  client.Connect();
  TNsIOHandler& handler = *client.IOHandler();
  TNsBytes record(kRecordSize, 0x41);
  TMemoryStream stream;
  stream.WriteBuffer(record.data(), kRecordSize);

  int32_t answers = 0;
  const auto client_start = std::chrono::steady_clock::now();
  for (int i = 0; i < kRecords; ++i) {
    if (!client.IsConnected())
      client.Connect();
    handler.OpenWriteBuffer();
    handler.WriteInt32(0x7F000000);
    handler.WriteInt32(0);
    handler.WriteInt32(kRecordSize);
    handler.WriteStream(stream, 0, false);
    handler.CloseWriteBuffer();
    answers += handler.ReadInt32();
  }
  const double client_seconds = Seconds(client_start);
  EXPECT_EQ(answers, kRecords);

  const TNsStackSocketHandle socket = client.Socket()->Binding()->Handle();
  TNsStack& stack = RequireStack();
  const TNsBytes frame = Frame(record);
  TNsBytes answer(4);
  const auto raw_start = std::chrono::steady_clock::now();
  for (int i = 0; i < kRecords; ++i) {
    stack.SendBytes(socket, frame);
    int32_t received = 0;
    while (received < 4) {
      TNsBytes part(static_cast<size_t>(4 - received));
      const int32_t n = stack.ReceiveBytes(socket, part);
      ASSERT_GT(n, 0);
      received += n;
    }
  }
  const double raw_seconds = Seconds(raw_start);
  client.CloseConnection();

  std::printf("TCP path, %d records of %d bytes: client %.0f records/s, plain send and recv %.0f records/s, "
              "ratio %.2f\n",
              kRecords, kRecordSize, kRecords / client_seconds, kRecords / raw_seconds, client_seconds / raw_seconds);
}

}  // namespace
