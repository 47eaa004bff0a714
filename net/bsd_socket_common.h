#pragma once
// What the two platform stacks share once their system headers are in:
// the socket options in the system's numbers, an owner for getaddrinfo
// results, and the service-database answers. Included only by
// stack_windows_win.cpp and stack_unix_posix.cpp, after their system
// headers.

#include <memory>
#include <string>

#include "net/exceptions.h"
#include "net/stack.h"
#include "platform/rtl/format.h"
#include "platform/rtl/strings.h"

namespace bsd_common {

struct NativeOption {
  int level;
  int name;
};

// The switches that make the system report a datagram's destination and
// hop limit with it: RFC 3542's receive names where the system has them
// (POSIX); Winsock's IPV6_PKTINFO and IPV6_HOPLIMIT are themselves the
// switches. IP_RECVTTL is Winsock's IP_HOPLIMIT under its other name.
#ifdef IPV6_RECVPKTINFO
inline constexpr int kReceivePacketInfoIPv6 = IPV6_RECVPKTINFO;
inline constexpr int kReceiveHopLimitIPv6 = IPV6_RECVHOPLIMIT;
#else
inline constexpr int kReceivePacketInfoIPv6 = IPV6_PKTINFO;
inline constexpr int kReceiveHopLimitIPv6 = IPV6_HOPLIMIT;
#endif

inline NativeOption NativeOptionOf(TNsSocketOption option) {
  switch (option) {
    case TNsSocketOption::kReuseAddress: return {SOL_SOCKET, SO_REUSEADDR};
    case TNsSocketOption::kBroadcast: return {SOL_SOCKET, SO_BROADCAST};
    case TNsSocketOption::kNoDelay: return {IPPROTO_TCP, TCP_NODELAY};
    case TNsSocketOption::kKeepAlive: return {SOL_SOCKET, SO_KEEPALIVE};
    case TNsSocketOption::kMulticastHopsIPv4: return {IPPROTO_IP, IP_MULTICAST_TTL};
    case TNsSocketOption::kMulticastHopsIPv6: return {IPPROTO_IPV6, IPV6_MULTICAST_HOPS};
    case TNsSocketOption::kMulticastLoopIPv4: return {IPPROTO_IP, IP_MULTICAST_LOOP};
    case TNsSocketOption::kMulticastLoopIPv6: return {IPPROTO_IPV6, IPV6_MULTICAST_LOOP};
    case TNsSocketOption::kJoinGroupIPv4: return {IPPROTO_IP, IP_ADD_MEMBERSHIP};
    case TNsSocketOption::kJoinGroupIPv6: return {IPPROTO_IPV6, IPV6_JOIN_GROUP};
    case TNsSocketOption::kLeaveGroupIPv4: return {IPPROTO_IP, IP_DROP_MEMBERSHIP};
    case TNsSocketOption::kLeaveGroupIPv6: return {IPPROTO_IPV6, IPV6_LEAVE_GROUP};
    case TNsSocketOption::kPacketInfoIPv4: return {IPPROTO_IP, IP_PKTINFO};
    case TNsSocketOption::kPacketInfoIPv6: return {IPPROTO_IPV6, kReceivePacketInfoIPv6};
    case TNsSocketOption::kHopLimitIPv4: return {IPPROTO_IP, IP_RECVTTL};
    case TNsSocketOption::kHopLimitIPv6: return {IPPROTO_IPV6, kReceiveHopLimitIPv6};
  }
  return {SOL_SOCKET, 0};
}

// Owns the result list of one getaddrinfo call; `Free` is the matching
// freeaddrinfo.
template <auto Free>
class AddrInfoList {
 public:
  AddrInfoList() = default;
  AddrInfoList(const AddrInfoList&) = delete;
  AddrInfoList& operator=(const AddrInfoList&) = delete;
  ~AddrInfoList() {
    if (list_ != nullptr)
      Free(list_);
  }
  addrinfo** Out() { return &list_; }
  const addrinfo* First() const { return list_; }

 private:
  addrinfo* list_ = nullptr;
};

// The port of a service entry, or the name read as a number; raises
// ENsInvalidServiceName for neither.
inline uint16_t ServicePort(TNsStack& stack, const servent* entry, const std::string& name) {
  if (entry != nullptr)
    return stack.NetworkToHost16(static_cast<uint16_t>(entry->s_port));
  int32_t number = 0;
  if (TryStrToInt(name, number) && number >= 0 && number <= 0xFFFF)
    return static_cast<uint16_t>(number);
  throw ENsInvalidServiceName::ForName(name);
}

// The official name and the aliases of a service entry.
inline std::unique_ptr<TStringList> ServiceNames(const servent* entry) {
  auto names = std::make_unique<TStringList>();
  if (entry == nullptr)
    return names;
  names->Add(entry->s_name);
  for (char** alias = entry->s_aliases; alias != nullptr && *alias != nullptr; ++alias)
    names->Add(*alias);
  return names;
}

}  // namespace bsd_common
