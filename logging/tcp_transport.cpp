#include "logging/tcp_transport.h"

#include <mutex>
#include <vector>

#include "logging/manager.h"
#include "logging/message_record.h"
#include "logging/network_destination.h"
#include "net/exceptions.h"
#include "net/io_handler.h"
#include "net/tcp_client.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/scope.h"

namespace {

constexpr int32_t kFrameMark = 0x7F000000;

}  // namespace

TLogWireTcpConnection::TLogWireTcpConnection(TLogWireManager& manager)
    : TLogWireConnection(manager), client_(std::make_unique<TNsTCPClient>(nullptr)) {
  client_->SetHost(std::string(kLogWireLocalHost));
  client_->SetPort(static_cast<uint16_t>(kLogWireDispatcherPort));
  client_->SetConnectTimeout(kConnectTimeout);
  client_->SetReadTimeout(kAnswerTimeout);
}

TLogWireTcpConnection::TLogWireTcpConnection(TLogWireManager& manager, const std::string& host, int32_t port)
    : TLogWireTcpConnection(manager) {
  if (port < 1 || port > 0xFFFF)
    throw EInvalidArgument("The dispatcher's TCP port must be 1 to 65535");
  client_->SetHost(host);
  client_->SetPort(static_cast<uint16_t>(port));
}

TLogWireTcpConnection::~TLogWireTcpConnection() {
  ReleaseDispatchIds();
  CloseQuietly();
}

void TLogWireTcpConnection::Connect() { client_->Connect(); }

void TLogWireTcpConnection::CloseQuietly() {
  try {
    client_->CloseConnection();
  } catch (const std::exception&) {
    // Closing a broken connection has nothing left to report.
  }
}

int32_t TLogWireTcpConnection::Send(const TLogWireMessage& message) {
  const std::vector<uint8_t> record = LogWireBuildRecord(message);
  TMemoryStream stream;
  stream.WriteBuffer(record.data(), static_cast<int64_t>(record.size()));
  // A positive size is sent from the stream's position.
  stream.SetPosition(0);

  std::lock_guard<TCriticalSection> guard(conversation_lock_);
  bool connected = false;
  try {
    connected = client_->IsConnected();
  } catch (const ENsException&) {
    // A connection the dispatcher reset is made again below.
    CloseQuietly();
  }
  if (!connected)
    Connect();
  // A connection that failed half-way is closed, so that the next message
  // starts on a new one.
  TScopeFail close_connection([this] { CloseQuietly(); });
  TNsIOHandler& handler = *client_->IOHandler();
  handler.OpenWriteBuffer();
  {
    // Half a frame must not leave: the dispatcher would take the next
    // frame's bytes for the rest of it.
    TScopeFail cancel_frame([&handler] { handler.CancelWriteBuffer(); });
    handler.WriteInt32(kFrameMark);
    handler.WriteInt32(static_cast<int32_t>(message.MsgType));
    handler.WriteInt32(static_cast<int32_t>(record.size()));
    handler.WriteStream(stream, static_cast<int64_t>(record.size()), false);
  }
  handler.CloseWriteBuffer();
  return handler.ReadInt32();
}

void LogWireInstallTcpTransport() {
  LogWireSetTcpConnectionFactory([](TLogWireManager& manager, const std::string& host, int32_t port) {
    return std::make_unique<TLogWireTcpConnection>(manager, host, port);
  });
}
