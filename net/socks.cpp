#include "net/socks.h"

#include <algorithm>

#include "net/exceptions.h"
#include "net/io_handler_stack.h"
#include "net/stack.h"
#include "platform/rtl/scope.h"

namespace {

constexpr uint8_t kCommandConnect = 1;
constexpr uint8_t kCommandBind = 2;
constexpr uint8_t kCommandUdpAssociate = 3;

constexpr uint8_t kAddressIPv4 = 1;
constexpr uint8_t kAddressName = 3;
constexpr uint8_t kAddressIPv6 = 4;

constexpr uint8_t kMethodNone = 0;
constexpr uint8_t kMethodUserPassword = 2;
constexpr size_t kMaximumFieldLength = 255;

void AppendPort(TNsBytes& bytes, uint16_t port) {
  bytes.push_back(static_cast<uint8_t>(port >> 8));
  bytes.push_back(static_cast<uint8_t>(port));
}

void AppendText(TNsBytes& bytes, const std::string& text) { bytes.insert(bytes.end(), text.begin(), text.end()); }

// The proxy's answer of exactly `count` bytes; any failure to get it is
// the proxy not responding.
TNsBytes ReadAnswer(TNsIOHandler& handler, int64_t count) {
  TNsBytes bytes;
  try {
    handler.ReadIntoBytes(bytes, count, false);
  } catch (const Exception&) {
    throw ENsSocksServerRespondError();
  }
  return bytes;
}

uint16_t PortAt(const TNsBytes& bytes, size_t index) {
  return static_cast<uint16_t>(bytes[index] << 8 | bytes[index + 1]);
}

[[noreturn]] void RaiseSocks5ReplyError(uint8_t code) {
  switch (code) {
    case 1: throw ENsSocksServerGeneralError();
    case 2: throw ENsSocksServerPermissionError();
    case 3: throw ENsSocksServerNetUnreachableError();
    case 4: throw ENsSocksServerHostUnreachableError();
    case 5: throw ENsSocksServerConnectionRefusedError();
    case 6: throw ENsSocksServerTTLExpiredError();
    case 7: throw ENsSocksServerCommandError();
    case 8: throw ENsSocksServerAddressError();
    default: throw ENsSocksUnknownError();
  }
}

// The address part of a SOCKS 5 request or datagram header.
void AppendSocks5Address(TNsBytes& bytes, const std::string& host) {
  if (!CanonicalIPv6(host).empty()) {
    bytes.push_back(kAddressIPv6);
    const TNsBytes address = TextToAddress(host, Id_IPv6);
    bytes.insert(bytes.end(), address.begin(), address.end());
    return;
  }
  if (IsIPv4Text(host)) {
    bytes.push_back(kAddressIPv4);
    const TNsBytes address = TextToAddress(host, Id_IPv4);
    bytes.insert(bytes.end(), address.begin(), address.end());
    return;
  }
  // The length goes in one byte: a longer name would be cut into another one.
  if (host.size() > kMaximumFieldLength)
    throw ENsSocksError("Host name longer than 255 bytes cannot go through SOCKS 5.");
  bytes.push_back(kAddressName);
  bytes.push_back(static_cast<uint8_t>(host.size()));
  AppendText(bytes, host);
}

TNsIOHandlerSocket& SocketHandlerOf(TNsIOHandler& handler) {
  auto* socket_handler = dynamic_cast<TNsIOHandlerSocket*>(&handler);
  if (socket_handler == nullptr || socket_handler->Binding() == nullptr)
    throw ENsTransparentProxyCantBind();
  return *socket_handler;
}

}  // namespace

TNsBytes BuildSocks4Request(uint8_t command, const std::string& host, uint16_t port, const std::string& username,
                            bool version_4a) {
  // A 0 byte ends the user name and the host name on the wire.
  if (username.find('\0') != std::string::npos || host.find('\0') != std::string::npos)
    throw ENsSocksError("SOCKS 4 names cannot hold a 0 byte.");
  TNsBytes bytes{4, command};
  AppendPort(bytes, port);
  if (version_4a) {
    bytes.insert(bytes.end(), {0, 0, 0, 1});
  } else {
    const TNsBytes address = TextToAddress(ResolveAddressText(host, Id_IPv4), Id_IPv4);
    bytes.insert(bytes.end(), address.begin(), address.end());
  }
  AppendText(bytes, username);
  bytes.push_back(0);
  if (version_4a) {
    AppendText(bytes, host);
    bytes.push_back(0);
  }
  return bytes;
}

TNsBytes BuildSocks5Request(uint8_t command, const std::string& host, uint16_t port) {
  TNsBytes bytes{5, command, 0};
  AppendSocks5Address(bytes, host);
  AppendPort(bytes, port);
  return bytes;
}

TNsSocksInfo::TNsSocksInfo(TComponent* owner)
    : TNsCustomTransparentProxy(owner), udp_control_(std::make_unique<TNsIOHandlerStack>(nullptr)) {
  SetPort(kDefaultPort);
}

TNsSocksInfo::~TNsSocksInfo() = default;

void TNsSocksInfo::Assign(const TPersistent* source) {
  TNsCustomTransparentProxy::Assign(source);
  if (const auto* other = dynamic_cast<const TNsSocksInfo*>(source)) {
    authentication_ = other->authentication_;
    version_ = other->version_;
  }
}

bool TNsSocksInfo::GetEnabled() const {
  return version_ == svSocks4 || version_ == svSocks4A || version_ == svSocks5;
}

// ---- SOCKS 4 and 4A ---------------------------------------------------------------------

void TNsSocksInfo::CheckSocks4Reply(uint8_t code) {
  switch (code) {
    case 90: return;
    case 91: throw ENsSocksRequestFailed();
    case 92: throw ENsSocksRequestServerFailed();
    case 93: throw ENsSocksRequestIdentFailed();
    default: throw ENsSocksUnknownError();
  }
}

void TNsSocksInfo::Socks4Request(TNsIOHandler& handler, uint8_t command, const std::string& host, uint16_t port) {
  const TNsBytes request = BuildSocks4Request(command, host, port, Username(), version_ == svSocks4A);
  handler.OpenWriteBuffer();
  TScopeFail cancel_request([&handler] { handler.CancelWriteBuffer(); });
  handler.WriteBytes(request);
  handler.CloseWriteBuffer();
}

// ---- SOCKS 5 ------------------------------------------------------------------------------

void TNsSocksInfo::Socks5Negotiate(TNsIOHandler& handler) {
  const bool with_password = authentication_ == saUsernamePassword;
  // Each goes with a one-byte length: refuse rather than send a cut name.
  if (with_password && (Username().size() > kMaximumFieldLength || Password().size() > kMaximumFieldLength))
    throw ENsSocksAuthError("SOCKS 5 user names and passwords are limited to 255 bytes.");
  const uint8_t method = with_password ? kMethodUserPassword : kMethodNone;
  handler.WriteDirect(TNsBytes{5, 1, method});
  const TNsBytes answer = ReadAnswer(handler, 2);
  if (answer[1] != method)
    throw ENsSocksAuthMethodError();
  if (answer[0] != 5)
    throw ENsSocksUnknownError();
  if (!with_password)
    return;
  TNsBytes request{1, static_cast<uint8_t>(Username().size())};
  AppendText(request, Username());
  request.push_back(static_cast<uint8_t>(Password().size()));
  AppendText(request, Password());
  handler.WriteDirect(request);
  const TNsBytes status = ReadAnswer(handler, 2);
  if (status[1] != 0)
    throw ENsSocksAuthError();
}

TNsBytes TNsSocksInfo::Socks5Request(uint8_t command, const std::string& host, uint16_t port) {
  return BuildSocks5Request(command, host, port);
}

void TNsSocksInfo::ReadSocks5Reply(TNsIOHandler& handler, std::string& address, uint16_t& port,
                                   TNsIPVersion& version) {
  const TNsBytes head = ReadAnswer(handler, 5);
  if (head[0] != 5)
    throw ENsSocksUnknownError();
  if (head[1] != 0)
    RaiseSocks5ReplyError(head[1]);
  // The whole reply is consumed, so that no byte of the tunnelled data is
  // taken for part of it.
  switch (head[3]) {
    case kAddressIPv4: {
      TNsBytes rest = ReadAnswer(handler, 5);
      const TNsBytes bytes{head[4], rest[0], rest[1], rest[2]};
      address = AddressToText(bytes, Id_IPv4);
      port = PortAt(rest, 3);
      version = Id_IPv4;
      return;
    }
    case kAddressName: {
      const TNsBytes rest = ReadAnswer(handler, int64_t{head[4]} + 2);
      address.assign(rest.begin(), rest.begin() + head[4]);
      port = PortAt(rest, head[4]);
      return;
    }
    case kAddressIPv6: {
      const TNsBytes rest = ReadAnswer(handler, 17);
      TNsBytes bytes{head[4]};
      bytes.insert(bytes.end(), rest.begin(), rest.begin() + 15);
      address = AddressToText(bytes, Id_IPv6);
      port = PortAt(rest, 15);
      version = Id_IPv6;
      return;
    }
    default:
      throw ENsSocksServerAddressError();
  }
}

// ---- Tunnels ---------------------------------------------------------------------------------

void TNsSocksInfo::NegotiateTunnel(TNsIOHandler& handler, const std::string& host, uint16_t port, TNsIPVersion) {
  switch (version_) {
    case svSocks4:
    case svSocks4A: {
      Socks4Request(handler, kCommandConnect, host, port);
      const TNsBytes reply = ReadAnswer(handler, 8);
      CheckSocks4Reply(reply[1]);
      return;
    }
    case svSocks5: {
      Socks5Negotiate(handler);
      handler.WriteDirect(Socks5Request(kCommandConnect, host, port));
      std::string bound_address;
      uint16_t bound_port = 0;
      TNsIPVersion bound_version = Id_IPv4;
      ReadSocks5Reply(handler, bound_address, bound_port, bound_version);
      return;
    }
    case svNoSocks:
      return;
  }
}

void TNsSocksInfo::ConnectToProxy(TNsIOHandler& handler) {
  TNsIOHandlerSocket& socket_handler = SocketHandlerOf(handler);
  const std::string host = handler.Host();
  const int32_t port = handler.Port();
  const TNsIPVersion version = socket_handler.IPVersion();
  struct Restore {
    TNsIOHandlerSocket& handler;
    std::string host;
    int32_t port;
    TNsIPVersion version;
    ~Restore() {
      handler.SetProxyBypassed(false);
      handler.SetHost(host);
      handler.SetPort(port);
      handler.SetIPVersion(version);
    }
  } restore{socket_handler, host, port, version};
  socket_handler.SetProxyBypassed(true);
  socket_handler.SetHost(Host());
  socket_handler.SetPort(Port());
  socket_handler.SetIPVersion(IPVersion());
  socket_handler.Open();
}

void TNsSocksInfo::Bind(TNsIOHandler& handler, const std::string& host, uint16_t port, TNsIPVersion) {
  TNsIOHandlerSocket& socket_handler = SocketHandlerOf(handler);
  switch (version_) {
    case svSocks4:
    case svSocks4A: {
      ConnectToProxy(handler);
      Socks4Request(handler, kCommandBind, host, port);
      const TNsBytes head = ReadAnswer(handler, 2);
      CheckSocks4Reply(head[1]);
      const TNsBytes rest = ReadAnswer(handler, 6);
      socket_handler.Binding()->AssignLocal(AddressToText(TNsBytes(rest.begin() + 2, rest.end()), Id_IPv4),
                                            PortAt(rest, 0), Id_IPv4);
      return;
    }
    case svSocks5: {
      ConnectToProxy(handler);
      Socks5Negotiate(handler);
      handler.WriteBytes(Socks5Request(kCommandBind, host, port));
      std::string address;
      uint16_t bound_port = 0;
      TNsIPVersion version = socket_handler.IPVersion();
      ReadSocks5Reply(handler, address, bound_port, version);
      if (CanonicalIPv6(address).empty() && !IsIPv4Text(address))
        address = ResolveAddressText(address, Id_IPv4);
      socket_handler.Binding()->AssignPeer(address, bound_port, version);
      return;
    }
    case svNoSocks:
      TNsCustomTransparentProxy::Bind(handler, host, port, Id_IPv4);
  }
}

bool TNsSocksInfo::AwaitInboundConnection(TNsIOHandler& handler, int32_t timeout) {
  if (!GetEnabled())
    return false;
  TNsIOHandlerSocket& socket_handler = SocketHandlerOf(handler);
  if (!socket_handler.Binding()->WaitReadable(timeout))
    return false;
  if (version_ == svSocks5) {
    std::string address;
    uint16_t port = 0;
    TNsIPVersion version = socket_handler.IPVersion();
    ReadSocks5Reply(handler, address, port, version);
    if (CanonicalIPv6(address).empty() && !IsIPv4Text(address))
      address = ResolveAddressText(address, Id_IPv4);
    socket_handler.Binding()->AssignPeer(address, port, version);
    return true;
  }
  const TNsBytes head = ReadAnswer(handler, 2);
  CheckSocks4Reply(head[1]);
  const TNsBytes rest = ReadAnswer(handler, 6);
  socket_handler.Binding()->AssignPeer(AddressToText(TNsBytes(rest.begin() + 2, rest.end()), Id_IPv4),
                                       PortAt(rest, 0), Id_IPv4);
  return true;
}

// ---- UDP ----------------------------------------------------------------------------------------

void TNsSocksInfo::CheckUDPSupported() const {
  if (version_ == svSocks4 || version_ == svSocks4A)
    throw ENsSocksUDPNotSupportedBySOCKSVersion();
  if (version_ != svSocks5)
    throw ENsTransparentProxyUDPNotSupported();
}

void TNsSocksInfo::OpenUDPRelay(TNsSocketHandle& binding, const std::string&, uint16_t, TNsIPVersion) {
  CheckUDPSupported();
  TScopeFail close_control([this] { udp_control_->Close(); });
  udp_control_->SetHost(Host());
  udp_control_->SetPort(Port());
  udp_control_->SetIPVersion(IPVersion());
  udp_control_->Open();
  Socks5Negotiate(*udp_control_);
  udp_control_->WriteDirect(Socks5Request(kCommandUdpAssociate, IPVersion() == Id_IPv6 ? "::0" : "0.0.0.0", 0));
  std::string relay_address;
  uint16_t relay_port = 0;
  TNsIPVersion relay_version = IPVersion();
  ReadSocks5Reply(*udp_control_, relay_address, relay_port, relay_version);
  // The relay runs on the proxy's address as the control connection sees it.
  binding.AssignPeer(udp_control_->Binding()->PeerIP(), relay_port, udp_control_->Binding()->IPVersion());
  binding.Connect();
}

void TNsSocksInfo::CloseUDPRelay(TNsSocketHandle&) {
  CheckUDPSupported();
  udp_control_->Close();
}

void TNsSocksInfo::SendDatagram(TNsSocketHandle& binding, const std::string& address, uint16_t port,
                                const TNsBytes& bytes) {
  CheckUDPSupported();
  TNsBytes datagram{0, 0, 0};
  AppendSocks5Address(datagram, address);
  AppendPort(datagram, port);
  datagram.insert(datagram.end(), bytes.begin(), bytes.end());
  binding.Send(datagram);
}

int32_t TNsSocksInfo::ReceiveDatagram(TNsSocketHandle& binding, TNsBytes& bytes, int32_t timeout,
                                      std::string& address, uint16_t& port) {
  CheckUDPSupported();
  address.clear();
  port = 0;
  if (!binding.WaitReadable(timeout))
    return 0;
  TNsBytes datagram(65536);
  const int32_t received = binding.ReceiveInto(datagram);
  datagram.resize(static_cast<size_t>(std::max(received, 0)));
  // Header: 2 reserved bytes, fragment, address type, address, port.
  if (datagram.size() < 4)
    throw ENsSocksUnknownError();
  size_t data_start = 0;
  switch (datagram[3]) {
    case kAddressIPv4:
      if (datagram.size() < 10)
        throw ENsSocksUnknownError();
      address = AddressToText(TNsBytes(datagram.begin() + 4, datagram.begin() + 8), Id_IPv4);
      port = PortAt(datagram, 8);
      data_start = 10;
      break;
    case kAddressName: {
      if (datagram.size() < 5 || datagram.size() < size_t{7} + datagram[4])
        throw ENsSocksUnknownError();
      const size_t length = datagram[4];
      address.assign(datagram.begin() + 5, datagram.begin() + 5 + static_cast<std::ptrdiff_t>(length));
      port = PortAt(datagram, 5 + length);
      data_start = 7 + length;
      break;
    }
    case kAddressIPv6:
      if (datagram.size() < 22)
        throw ENsSocksUnknownError();
      address = AddressToText(TNsBytes(datagram.begin() + 4, datagram.begin() + 20), Id_IPv6);
      port = PortAt(datagram, 20);
      data_start = 22;
      break;
    default:
      throw ENsSocksServerAddressError();
  }
  bytes.assign(datagram.begin() + static_cast<std::ptrdiff_t>(data_start), datagram.end());
  return static_cast<int32_t>(bytes.size());
}
