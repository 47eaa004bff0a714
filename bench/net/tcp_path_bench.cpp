// The logging client's TCP path: each record is one conversation as the
// logging client holds it (the connection check, a buffered frame of three
// integers and a 300-byte record, and the 32-bit answer). The baseline sends
// the same frames with plain blocking send and receive calls on the same
// socket. The peer is the dispatcher stand-in in the Windows build and a
// server thread in the native build.
#include <benchmark/benchmark.h>

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

constexpr int kRecordSize = 300;

// The head and the record in one block reserved first (growing a 12-byte
// vector at -O3 draws a false bounds report from GCC 12).
TNsBytes Frame(const TNsBytes& record) {
  TNsBytes frame;
  frame.reserve(12 + record.size());
  frame.insert(frame.end(), {0x7F, 0, 0, 0, 0, 0, 0, 0, 0, 0, static_cast<uint8_t>(record.size() >> 8),
                             static_cast<uint8_t>(record.size())});
  frame.insert(frame.end(), record.begin(), record.end());
  return frame;
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

// One peer for the whole program: starting the stand-in costs far more
// than the records measured.
FramePeer& Peer() {
  static FramePeer peer;
  return peer;
}

// A client connected to the peer with the logging client's bounded waits,
// or none, with the reason given to `state`.
std::unique_ptr<TNsTCPClient> ConnectedClient(benchmark::State& state) {
  if (!Peer().Started()) {
    state.SkipWithError("the peer did not start");
    return nullptr;
  }
  auto client = std::make_unique<TNsTCPClient>(nullptr);
  client->SetHost("127.0.0.1");
  client->SetPort(Peer().Port());
  client->SetConnectTimeout(5000);
  client->SetReadTimeout(5000);
  try {
    client->Connect();
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
    return nullptr;
  }
  return client;
}

void BM_TcpRecordThroughClient(benchmark::State& state) {
  auto client = ConnectedClient(state);
  if (client == nullptr)
    return;
  TNsIOHandler& handler = *client->IOHandler();
  const TNsBytes record(kRecordSize, 0x41);
  TMemoryStream stream;
  stream.WriteBuffer(record.data(), kRecordSize);
  int64_t answers = 0;
  for (auto _ : state) {
    try {
      if (!client->IsConnected())
        client->Connect();
      handler.OpenWriteBuffer();
      handler.WriteInt32(0x7F000000);
      handler.WriteInt32(0);
      handler.WriteInt32(kRecordSize);
      handler.WriteStream(stream, 0, false);
      handler.CloseWriteBuffer();
      answers += handler.ReadInt32();
    } catch (const std::exception& error) {
      state.SkipWithError(error.what());
      break;
    }
  }
  client->CloseConnection();
  if (answers != static_cast<int64_t>(state.iterations()))
    state.SkipWithError("the peer did not answer every record with 1");
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TcpRecordThroughClient);

void BM_TcpRecordPlainSendRecv_Baseline(benchmark::State& state) {
  auto client = ConnectedClient(state);
  if (client == nullptr)
    return;
  const TNsStackSocketHandle socket = client->Socket()->Binding()->Handle();
  TNsStack& stack = RequireStack();
  const TNsBytes frame = Frame(TNsBytes(kRecordSize, 0x41));
  for (auto _ : state) {
    stack.SendBytes(socket, frame);
    int32_t received = 0;
    while (received < 4) {
      TNsBytes part(static_cast<size_t>(4 - received));
      const int32_t n = stack.ReceiveBytes(socket, part);
      if (n <= 0) {
        state.SkipWithError("the peer closed the connection");
        break;
      }
      received += n;
    }
  }
  client->CloseConnection();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TcpRecordPlainSendRecv_Baseline);

}  // namespace

BENCHMARK_MAIN();
