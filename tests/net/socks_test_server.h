#pragma once
// A SOCKS 4, 4A and 5 server for the tests, run as the script of a
// TLoopbackServer. It checks the client's handshake as a real proxy would,
// answers as configured, and after a successful CONNECT echoes the
// tunnelled bytes back, so that a test sees the tunnel work end to end.

#include <cstdint>
#include <mutex>
#include <string>

#include "tests/net/loopback_server.h"

namespace net_test {

struct TSocksServerOptions {
  // User and password that SOCKS 5 asks for; empty: no authentication.
  std::string user;
  std::string password;
  // SOCKS 5 reply code (0 success) and SOCKS 4 code (90 granted).
  uint8_t socks5_reply = 0;
  uint8_t socks4_reply = 90;
  // When set, the answer to the method request (instead of the chosen one).
  int method_answer = -1;
  // Address type of the SOCKS 5 reply's bound address: 1, 3 (a 9-byte
  // name) or 4.
  uint8_t bound_address_type = 1;
  // When set, the server closes right after reading the first request bytes.
  bool hang_up_after_greeting = false;
};

// What the server saw, for the test to check.
struct TSocksServerLog {
  std::mutex lock;
  TNsBytes greeting;      // SOCKS 5 method request, or the SOCKS 4 request
  TNsBytes request;       // SOCKS 5 request
  std::string user;
  std::string password;
  std::string destination;  // host:port as requested

  std::string Destination() {
    std::lock_guard<std::mutex> guard(lock);
    return destination;
  }
};

inline std::string ReadZeroTerminated(TServerConnection& connection, TNsBytes& record) {
  std::string text;
  while (true) {
    const TNsBytes byte = connection.Read(1);
    record.push_back(byte[0]);
    if (byte[0] == 0)
      return text;
    text += static_cast<char>(byte[0]);
  }
}

inline void EchoUntilClosed(TServerConnection& connection) {
  while (true) {
    const TNsBytes line = connection.Read(1);
    connection.Send(line);
  }
}

inline void ServeSocks4(TServerConnection& connection, const TSocksServerOptions& options, TSocksServerLog& log,
                        TNsBytes head) {
  TNsBytes rest = connection.Read(7);
  head.insert(head.end(), rest.begin(), rest.end());
  const uint16_t port = static_cast<uint16_t>(head[2] << 8 | head[3]);
  const std::string user = ReadZeroTerminated(connection, head);
  std::string host = std::to_string(head[4]) + "." + std::to_string(head[5]) + "." + std::to_string(head[6]) + "." +
                     std::to_string(head[7]);
  if (head[4] == 0 && head[5] == 0 && head[6] == 0 && head[7] != 0)
    host = ReadZeroTerminated(connection, head);
  {
    std::lock_guard<std::mutex> guard(log.lock);
    log.greeting = head;
    log.user = user;
    log.destination = host + ":" + std::to_string(port);
  }
  connection.Send(TNsBytes{0, options.socks4_reply, head[2], head[3], head[4], head[5], head[6], head[7]});
  if (options.socks4_reply == 90)
    EchoUntilClosed(connection);
}

inline void ServeSocks5(TServerConnection& connection, const TSocksServerOptions& options, TSocksServerLog& log,
                        TNsBytes greeting) {
  const TNsBytes count = connection.Read(1);
  const TNsBytes methods = connection.Read(count[0]);
  greeting.push_back(count[0]);
  greeting.insert(greeting.end(), methods.begin(), methods.end());
  {
    std::lock_guard<std::mutex> guard(log.lock);
    log.greeting = greeting;
  }
  const bool with_password = !options.user.empty();
  uint8_t chosen = 0xFF;
  for (uint8_t method : methods) {
    if (method == (with_password ? 2 : 0))
      chosen = method;
  }
  if (options.method_answer >= 0)
    chosen = static_cast<uint8_t>(options.method_answer);
  connection.Send(TNsBytes{5, chosen});
  if (chosen == 0xFF)
    return;
  if (chosen == 2) {
    const TNsBytes version_and_length = connection.Read(2);
    const TNsBytes user = connection.Read(version_and_length[1]);
    const TNsBytes password_length = connection.Read(1);
    const TNsBytes password = connection.Read(password_length[0]);
    const bool accepted = std::string(user.begin(), user.end()) == options.user &&
                          std::string(password.begin(), password.end()) == options.password;
    {
      std::lock_guard<std::mutex> guard(log.lock);
      log.user.assign(user.begin(), user.end());
      log.password.assign(password.begin(), password.end());
    }
    connection.Send(TNsBytes{1, static_cast<uint8_t>(accepted ? 0 : 1)});
    if (!accepted)
      return;
  }
  TNsBytes request = connection.Read(4);
  std::string host;
  switch (request[3]) {
    case 1: {
      const TNsBytes address = connection.Read(4);
      request.insert(request.end(), address.begin(), address.end());
      host = std::to_string(address[0]) + "." + std::to_string(address[1]) + "." + std::to_string(address[2]) +
             "." + std::to_string(address[3]);
      break;
    }
    case 3: {
      const TNsBytes length = connection.Read(1);
      const TNsBytes name = connection.Read(length[0]);
      request.push_back(length[0]);
      request.insert(request.end(), name.begin(), name.end());
      host.assign(name.begin(), name.end());
      break;
    }
    default: {
      const TNsBytes address = connection.Read(16);
      request.insert(request.end(), address.begin(), address.end());
      host = "ipv6";
      break;
    }
  }
  const TNsBytes port = connection.Read(2);
  request.insert(request.end(), port.begin(), port.end());
  {
    std::lock_guard<std::mutex> guard(log.lock);
    log.request = request;
    log.destination = host + ":" + std::to_string(port[0] << 8 | port[1]);
  }
  TNsBytes reply{5, options.socks5_reply, 0, options.bound_address_type};
  if (options.bound_address_type == 3) {
    const std::string name = "bound.lan";
    reply.push_back(static_cast<uint8_t>(name.size()));
    reply.insert(reply.end(), name.begin(), name.end());
  } else {
    reply.insert(reply.end(), options.bound_address_type == 4 ? 16 : 4, 0);
  }
  reply.insert(reply.end(), {0x12, 0x34});
  connection.Send(reply);
  if (options.socks5_reply == 0)
    EchoUntilClosed(connection);
}

// The script of a TLoopbackServer that serves SOCKS with `options`.
inline TLoopbackServer::TScript SocksServerScript(const TSocksServerOptions& options, TSocksServerLog& log) {
  return [options, &log](TServerConnection& connection) {
    const TNsBytes version = connection.Read(1);
    if (options.hang_up_after_greeting)
      return;
    try {
      if (version[0] == 4)
        ServeSocks4(connection, options, log, version);
      else
        ServeSocks5(connection, options, log, version);
    } catch (const std::runtime_error&) {
      // The client went away; that ends the conversation.
    }
  };
}

}  // namespace net_test
