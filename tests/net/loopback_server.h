#pragma once
// A small TCP server on the loopback address for the tests, in a thread of
// the test program. It accepts connections one after another and hands each
// to the test's script, which reads and writes raw bytes. It talks through
// the socket stack's own primitives, the client side through the whole
// client stack above them.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "net/bytes.h"
#include "net/socket_list.h"
#include "net/stack.h"

namespace net_test {

// A socket of the process's stack on the loopback address, closed when it
// goes, so that a test failing halfway leaves none open.
class TLoopbackSocket {
 public:
  // A socket of `type` (kNsSockStream, kNsSockDgram) bound to 127.0.0.1 on
  // a port of the system's choice.
  static TLoopbackSocket Bound(int32_t type) {
    TNsStack& stack = RequireStack();
    TLoopbackSocket socket(stack.NewSocket(type, 0, Id_IPv4));
    stack.BindSocket(socket.handle_, "127.0.0.1", 0, Id_IPv4);
    std::string address;
    TNsIPVersion version = Id_IPv4;
    stack.GetLocalAddress(socket.handle_, address, socket.port_, version);
    return socket;
  }

  explicit TLoopbackSocket(TNsStackSocketHandle handle) : handle_(handle) {}
  TLoopbackSocket(TLoopbackSocket&& other) noexcept
      : handle_(std::exchange(other.handle_, kNsInvalidSocket)), port_(other.port_) {}
  TLoopbackSocket& operator=(TLoopbackSocket&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = std::exchange(other.handle_, kNsInvalidSocket);
      port_ = other.port_;
    }
    return *this;
  }
  ~TLoopbackSocket() { Close(); }

  TNsStackSocketHandle Handle() const { return handle_; }
  // The local port (0 for a socket that was not bound here).
  uint16_t Port() const { return port_; }

  void Close() {
    if (handle_ != kNsInvalidSocket)
      RequireStack().DisconnectSocket(std::exchange(handle_, kNsInvalidSocket));
  }

 private:
  TNsStackSocketHandle handle_;
  uint16_t port_ = 0;
};

// One accepted connection, seen from the server.
class TServerConnection {
 public:
  explicit TServerConnection(TNsStackSocketHandle socket) : socket_(socket), readable_(RequireStack().NewSocketList()) {
    readable_->Add(socket);
  }
  ~TServerConnection() { Close(); }
  TServerConnection(const TServerConnection&) = delete;
  TServerConnection& operator=(const TServerConnection&) = delete;

  // Exactly `count` bytes; throws std::runtime_error when the client closes
  // or nothing comes within 10 s, so that a failing test cannot hang.
  TNsBytes Read(size_t count) {
    TNsBytes result;
    while (result.size() < count) {
      TNsBytes chunk(count - result.size());
      const int32_t received = ReceiveSome(chunk);
      if (received <= 0)
        throw std::runtime_error("client closed after " + std::to_string(result.size()) + " bytes");
      result.insert(result.end(), chunk.begin(), chunk.begin() + received);
    }
    return result;
  }

  // Everything until the client closes (or 10 s pass).
  TNsBytes ReadUntilClosed() {
    TNsBytes result;
    while (true) {
      TNsBytes chunk(65536);
      const int32_t received = ReceiveSome(chunk);
      if (received <= 0)
        return result;
      result.insert(result.end(), chunk.begin(), chunk.begin() + received);
    }
  }

  // Bytes until a line feed, without it.
  std::string ReadLine() {
    std::string line;
    while (true) {
      const TNsBytes byte = Read(1);
      if (byte[0] == '\n')
        return line;
      line += static_cast<char>(byte[0]);
    }
  }

  void Send(const TNsBytes& bytes) {
    size_t sent = 0;
    while (sent < bytes.size())
      sent += static_cast<size_t>(RequireStack().SendBytes(socket_, bytes, static_cast<int64_t>(sent)));
  }
  void Send(const std::string& text) { Send(TNsBytes(text.begin(), text.end())); }

  void Close() {
    if (socket_ == kNsInvalidSocket)
      return;
    RequireStack().DisconnectSocket(socket_);
    socket_ = kNsInvalidSocket;
  }

  // Whether the client closed its side within `milliseconds` (a read that
  // finds the end of the stream).
  bool ClientClosedWithin(int32_t milliseconds) {
    if (!readable_->SelectReadable(milliseconds))
      return false;
    TNsBytes chunk(1);
    try {
      return RequireStack().ReceiveBytes(socket_, chunk) == 0;
    } catch (const std::exception&) {
      return true;
    }
  }

 private:
  int32_t ReceiveSome(TNsBytes& chunk) {
    if (!readable_->SelectReadable(10000))
      throw std::runtime_error("nothing from the client within 10 s");
    try {
      return RequireStack().ReceiveBytes(socket_, chunk);
    } catch (const std::exception&) {
      return 0;
    }
  }

  TNsStackSocketHandle socket_;
  std::unique_ptr<TNsSocketList> readable_;
};

class TLoopbackServer {
 public:
  using TScript = std::function<void(TServerConnection& connection)>;

  // Listens on 127.0.0.1 on a port of the system's choice and runs
  // `script` for each connection, in order.
  explicit TLoopbackServer(TScript script, int32_t backlog = 16)
      : script_(std::move(script)), listener_(TLoopbackSocket::Bound(kNsSockStream)) {
    RequireStack().ListenOnSocket(listener_.Handle(), backlog);
    thread_ = std::thread([this] { Serve(); });
  }

  ~TLoopbackServer() {
    stop_ = true;
    thread_.join();
  }

  TLoopbackServer(const TLoopbackServer&) = delete;
  TLoopbackServer& operator=(const TLoopbackServer&) = delete;

  uint16_t Port() const { return listener_.Port(); }
  int32_t Accepted() const { return accepted_.load(); }
  // The first failure of a script (empty when none).
  std::string Failure() {
    std::lock_guard<std::mutex> guard(lock_);
    return failure_;
  }

 private:
  void Serve() {
    std::unique_ptr<TNsSocketList> readable = RequireStack().NewSocketList();
    readable->Add(listener_.Handle());
    while (!stop_) {
      if (!readable->SelectReadable(20))
        continue;
      std::string address;
      uint16_t port = 0;
      TNsIPVersion version = Id_IPv4;
      const TNsStackSocketHandle socket = RequireStack().Accept(listener_.Handle(), address, port, version);
      if (socket == kNsInvalidSocket)
        continue;
      ++accepted_;
      TServerConnection connection(socket);
      try {
        script_(connection);
      } catch (const std::exception& error) {
        std::lock_guard<std::mutex> guard(lock_);
        if (failure_.empty())
          failure_ = error.what();
      }
    }
  }

  TNsStackReference stack_;
  TScript script_;
  TLoopbackSocket listener_;
  std::atomic<bool> stop_{false};
  std::atomic<int32_t> accepted_{0};
  std::mutex lock_;
  std::string failure_;
  std::thread thread_;
};

// The bytes of a text.
inline TNsBytes Bytes(const std::string& text) { return TNsBytes(text.begin(), text.end()); }

// A loopback port that nothing listens on now: bound once and released, for
// servers in other processes that take their port on the command line.
inline uint16_t UnusedPort() {
  TNsStackReference holder;
  return TLoopbackSocket::Bound(kNsSockStream).Port();
}

}  // namespace net_test
