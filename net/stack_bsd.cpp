#include "net/stack_bsd.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "net/exceptions.h"
#include "net/text_routines.h"
#include "platform/rtl/scope.h"

namespace {

constexpr int32_t kIPv4AddressLength = 16;
constexpr int32_t kIPv6AddressLength = 28;
constexpr int32_t kShutdownSend = 1;

void StoreFamily(TNsSocketAddress& address, uint16_t family) { std::memcpy(address.bytes, &family, 2); }

uint16_t LoadFamily(const TNsSocketAddress& address) {
  uint16_t family;
  std::memcpy(&family, address.bytes, 2);
  return family;
}

// One send or receive never asks for more than a 32-bit count allows.
int32_t ClampCount(int64_t count) {
  return count > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                      : static_cast<int32_t>(count);
}

}  // namespace

TNsSocketAddress TNsStackBSDBase::BuildAddress(const std::string& address, uint16_t port, TNsIPVersion version) {
  TNsSocketAddress result;
  const uint16_t network_port = HostToNetwork16(port);
  switch (version) {
    case Id_IPv4: {
      StoreFamily(result, AddressFamily(Id_IPv4));
      std::memcpy(result.bytes + 2, &network_port, 2);
      if (!address.empty()) {
        const TNsBytes bytes = TextToAddress(address, Id_IPv4);
        std::memcpy(result.bytes + 4, bytes.data(), 4);
      }
      result.length = kIPv4AddressLength;
      return result;
    }
    case Id_IPv6: {
      StoreFamily(result, AddressFamily(Id_IPv6));
      std::memcpy(result.bytes + 2, &network_port, 2);
      if (!address.empty()) {
        const TNsBytes bytes = TextToAddress(address, Id_IPv6);
        std::memcpy(result.bytes + 8, bytes.data(), 16);
      }
      result.length = kIPv6AddressLength;
      return result;
    }
  }
  throw ENsIPVersionUnsupported();
}

void TNsStackBSDBase::DecodeAddress(const TNsSocketAddress& socket_address, std::string& address, uint16_t& port,
                                    TNsIPVersion& version) {
  const uint16_t family = LoadFamily(socket_address);
  uint16_t network_port;
  std::memcpy(&network_port, socket_address.bytes + 2, 2);
  if (family == AddressFamily(Id_IPv4)) {
    address = AddressToText(TNsBytes(socket_address.bytes + 4, socket_address.bytes + 8), Id_IPv4);
    version = Id_IPv4;
  } else if (family == AddressFamily(Id_IPv6)) {
    address = AddressToText(TNsBytes(socket_address.bytes + 8, socket_address.bytes + 24), Id_IPv6);
    version = Id_IPv6;
  } else {
    throw ENsIPVersionUnsupported();
  }
  port = NetworkToHost16(network_port);
}

TNsStackSocketHandle TNsStackBSDBase::NewSocket(int32_t socket_type, int32_t protocol, TNsIPVersion version,
                                                bool overlapped) {
  if (version != Id_IPv4 && version != Id_IPv6)
    throw ENsIPVersionUnsupported();
  const TNsStackSocketHandle socket = ApiSocket(AddressFamily(version), socket_type, protocol, overlapped);
  if (socket == kNsInvalidSocket)
    RaiseLastSocketError();
  return socket;
}

void TNsStackBSDBase::BindSocket(TNsStackSocketHandle socket, const std::string& address, uint16_t port,
                                 TNsIPVersion version) {
  const TNsSocketAddress socket_address = BuildAddress(address, port, version);
  CheckSocketResult(ApiBind(socket, socket_address.bytes, socket_address.length));
}

void TNsStackBSDBase::ConnectSocket(TNsStackSocketHandle socket, const std::string& address, uint16_t port,
                                    TNsIPVersion version) {
  const TNsSocketAddress socket_address = BuildAddress(address, port, version);
  CheckSocketResult(ApiConnect(socket, socket_address.bytes, socket_address.length));
}

void TNsStackBSDBase::ListenOnSocket(TNsStackSocketHandle socket, int32_t backlog) {
  CheckSocketResult(ApiListen(socket, backlog));
}

TNsStackSocketHandle TNsStackBSDBase::Accept(TNsStackSocketHandle socket, std::string& address, uint16_t& port,
                                             TNsIPVersion& version) {
  TNsSocketAddress peer;
  peer.length = kIPv6AddressLength;
  const TNsStackSocketHandle accepted = ApiAccept(socket, peer.bytes, peer.length);
  if (accepted == kNsInvalidSocket)
    return accepted;
  TScopeFail close_accepted([&] { ApiCloseSocket(accepted); });
  DecodeAddress(peer, address, port, version);
  return accepted;
}

int32_t TNsStackBSDBase::DisconnectSocket(TNsStackSocketHandle socket) {
  ApiShutdown(socket, kShutdownSend);
  return ApiCloseSocket(socket);
}

void TNsStackBSDBase::GetPeerAddress(TNsStackSocketHandle socket, std::string& address, uint16_t& port,
                                     TNsIPVersion& version) {
  TNsSocketAddress peer;
  peer.length = kIPv6AddressLength;
  CheckSocketResult(ApiGetPeerName(socket, peer.bytes, peer.length));
  DecodeAddress(peer, address, port, version);
}

void TNsStackBSDBase::GetLocalAddress(TNsStackSocketHandle socket, std::string& address, uint16_t& port,
                                      TNsIPVersion& version) {
  TNsSocketAddress local;
  local.length = kIPv6AddressLength;
  CheckSocketResult(ApiGetSockName(socket, local.bytes, local.length));
  DecodeAddress(local, address, port, version);
}

int32_t TNsStackBSDBase::GetSocketOption(TNsStackSocketHandle socket, TNsSocketOption option) {
  int32_t value = 0;
  int32_t length = sizeof(value);
  CheckSocketResult(ApiGetSockOpt(socket, option, &value, length));
  return value;
}

void TNsStackBSDBase::SetSocketOption(TNsStackSocketHandle socket, TNsSocketOption option, int32_t value) {
  CheckSocketResult(ApiSetSockOpt(socket, option, &value, sizeof(value)));
}

int32_t TNsStackBSDBase::ReceiveBytes(TNsStackSocketHandle socket, TNsBytes& bytes) {
  return CheckSocketResult(ApiRecv(socket, bytes.data(), ClampCount(static_cast<int64_t>(bytes.size()))));
}

int32_t TNsStackBSDBase::SendBytes(TNsStackSocketHandle socket, const TNsBytes& bytes, int64_t offset,
                                   int64_t count) {
  const int64_t available = AvailableCount(bytes, count, offset);
  if (available <= 0)
    return static_cast<int32_t>(available);
  return CheckSocketResult(ApiSend(socket, bytes.data() + offset, ClampCount(available)));
}

int32_t TNsStackBSDBase::ReceiveFrom(TNsStackSocketHandle socket, TNsBytes& bytes, std::string& address,
                                     uint16_t& port, TNsIPVersion version) {
  TNsSocketAddress peer;
  peer.length = version == Id_IPv6 ? kIPv6AddressLength : kIPv4AddressLength;
  const int32_t received = CheckSocketResult(
      ApiRecvFrom(socket, bytes.data(), ClampCount(static_cast<int64_t>(bytes.size())), peer.bytes, peer.length));
  TNsIPVersion peer_version = version;
  DecodeAddress(peer, address, port, peer_version);
  return received;
}

int32_t TNsStackBSDBase::ReceiveMessage(TNsStackSocketHandle socket, TNsBytes& bytes, TNsPacketInfo& packet_info,
                                        TNsIPVersion version) {
  TNsDatagramDetails details;
  details.source.length = kIPv6AddressLength;
  const int32_t received =
      CheckSocketResult(ApiRecvMsg(socket, bytes.data(), ClampCount(static_cast<int64_t>(bytes.size())), details));
  packet_info = TNsPacketInfo{};
  packet_info.SourceIPVersion = version;
  DecodeAddress(details.source, packet_info.SourceIP, packet_info.SourcePort, packet_info.SourceIPVersion);
  const size_t destination_size = details.destination.size();
  if (destination_size == 4 || destination_size == 16) {
    packet_info.DestIPVersion = destination_size == 4 ? Id_IPv4 : Id_IPv6;
    packet_info.DestIP = AddressToText(details.destination, packet_info.DestIPVersion);
    packet_info.DestIF = details.interface_index;
  }
  if (details.hop_limit >= 0)
    packet_info.TTL = static_cast<uint8_t>(std::min(details.hop_limit, 255));
  return received;
}

int32_t TNsStackBSDBase::SendTo(TNsStackSocketHandle socket, const TNsBytes& bytes, int64_t offset, int64_t count,
                                const std::string& address, uint16_t port, TNsIPVersion version) {
  const int64_t available = AvailableCount(bytes, count, offset);
  if (available <= 0)
    return 0;
  const TNsSocketAddress target = BuildAddress(address, port, version);
  const int32_t length = ClampCount(available);
  const int32_t sent = ApiSendTo(socket, bytes.data() + offset, length, target.bytes, target.length);
  if (sent == kNsSocketError) {
    const int32_t error = GetLastSocketError();
    if (error == kWsaEMsgSize)
      throw ENsPackageSizeTooBig();
    RaiseSocketError(error);
  }
  if (sent != length)
    throw ENsNotAllBytesSent();
  return sent;
}

std::string TNsStackBSDBase::TranslateSocketError(int32_t error) {
  if (error == kWsaHostNotFound)
    return FormatEnglish("Socket Error # %d\r\n%s", {error, "Host not found."});
  return TNsStack::TranslateSocketError(error);
}

void TNsStackBSDBase::SetMulticastHops(TNsStackSocketHandle socket, int32_t value, TNsIPVersion version) {
  SetSocketOption(socket,
                  version == Id_IPv6 ? TNsSocketOption::kMulticastHopsIPv6 : TNsSocketOption::kMulticastHopsIPv4,
                  value);
}

void TNsStackBSDBase::SetMulticastLoop(TNsStackSocketHandle socket, bool value, TNsIPVersion version) {
  SetSocketOption(socket,
                  version == Id_IPv6 ? TNsSocketOption::kMulticastLoopIPv6 : TNsSocketOption::kMulticastLoopIPv4,
                  value ? 1 : 0);
}

bool TNsStackBSDBase::JoinMulticastGroup(TNsStackSocketHandle socket, const std::string& group,
                                         const std::string& local, TNsIPVersion) {
  return ChangeMulticastGroup(socket, group, local, true);
}

bool TNsStackBSDBase::LeaveMulticastGroup(TNsStackSocketHandle socket, const std::string& group,
                                          const std::string& local, TNsIPVersion) {
  return ChangeMulticastGroup(socket, group, local, false);
}

bool TNsStackBSDBase::ChangeMulticastGroup(TNsStackSocketHandle socket, const std::string& group,
                                           const std::string& local, bool join) {
  if (IsMulticastIPv4(group)) {
    // Group address, then local interface address.
    uint8_t request[8] = {};
    const TNsBytes group_bytes = TextToAddress(group, Id_IPv4);
    std::memcpy(request, group_bytes.data(), 4);
    if (!local.empty()) {
      const TNsBytes local_bytes = TextToAddress(local, Id_IPv4);
      std::memcpy(request + 4, local_bytes.data(), 4);
    }
    CheckSocketResult(ApiSetSockOpt(socket, join ? TNsSocketOption::kJoinGroupIPv4 : TNsSocketOption::kLeaveGroupIPv4,
                                    request, sizeof(request)));
    return true;
  }
  if (IsMulticastIPv6(group)) {
    // Group address, then interface index 0.
    uint8_t request[20] = {};
    const TNsBytes group_bytes = TextToAddress(group, Id_IPv6);
    std::memcpy(request, group_bytes.data(), 16);
    CheckSocketResult(ApiSetSockOpt(socket, join ? TNsSocketOption::kJoinGroupIPv6 : TNsSocketOption::kLeaveGroupIPv6,
                                    request, sizeof(request)));
    return true;
  }
  return false;
}

bool TNsStackBSDBase::ProbeIPVersion(TNsIPVersion version) {
  const TNsStackSocketHandle socket = ApiSocket(AddressFamily(version), kNsSockStream, 0, false);
  if (socket == kNsInvalidSocket)
    return false;
  ApiCloseSocket(socket);
  return true;
}

bool TNsStackBSDBase::IsWouldBlock(int32_t result) {
  if (result != kNsSocketError)
    return result != 0;
  const int32_t error = GetLastSocketError();
  if (error != kWsaEWouldBlock)
    RaiseSocketError(error);
  return true;
}
