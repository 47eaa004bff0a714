#pragma once
// TLogWireTcpConnection: the logging client's second transport. Each
// message record goes over one TCP connection to the dispatcher (by default
// port 3434 of the local machine) as a frame: 0x7F000000, the message type
// and the record size, each 32 bits with the most significant byte first,
// then the record as it is. The dispatcher answers each frame with a 32-bit
// value, most significant byte first; 0 means failure.
//
// The connection is made at the first message and kept. Connecting and
// waiting for the answer are bounded, so that a dispatcher that hangs costs
// a failed delivery instead of a frozen program; after any failed
// conversation the connection is dropped, so that a late answer is never
// taken for the next frame's.

#include <cstdint>
#include <memory>
#include <string>

#include "logging/connection.h"

class TNsTCPClient;

class TLogWireTcpConnection final : public TLogWireConnection {
 public:
  static constexpr TClass kClass{"TLogWireTcpConnection", &TLogWireConnection::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // Milliseconds for the connect and for each answer.
  static constexpr int32_t kConnectTimeout = 5000;
  static constexpr int32_t kAnswerTimeout = 5000;

  // The local machine's loopback host, port 3434.
  explicit TLogWireTcpConnection(TLogWireManager& manager);
  // Raises EInvalidArgument for a port outside 1..65535.
  TLogWireTcpConnection(TLogWireManager& manager, const std::string& host, int32_t port);
  // Releases the dispatch ids over this connection first, then closes it.
  ~TLogWireTcpConnection() override;

  // Connects; raises the socket transport's exceptions on failure.
  void Connect();
  // One conversation: connects when needed, sends the frame, reads the
  // answer. Failures raise (the base turns them into 0).
  int32_t Send(const TLogWireMessage& message) override;

  TNsTCPClient& Client() { return *client_; }

 private:
  void CloseQuietly();

  std::unique_ptr<TNsTCPClient> client_;
  TCriticalSection conversation_lock_;
};

// Installs the TCP transport for TLogWireManager::UseTcpTransport and
// UseLocalTcpTransport. The program calls it once at start-up.
void LogWireInstallTcpTransport();
