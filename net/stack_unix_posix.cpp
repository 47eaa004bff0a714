// The socket stack of the native build, over the POSIX socket calls. Errors
// are translated to the Winsock numbers, so that texts and exception
// classes match the Windows build.
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "net/bsd_socket_common.h"
#include "net/exceptions.h"
#include "net/socket_list.h"
#include "net/stack_bsd.h"
#include "net/text_routines.h"
#include "platform/rtl/strings.h"

namespace {

thread_local int32_t t_last_error = 0;

int32_t WinsockErrorOf(int error) {
  switch (error) {
    case EINTR: return 10004;
    case EBADF: return 10009;
    case EACCES: return 10013;
    case EFAULT: return 10014;
    case EINVAL: return 10022;
    case EMFILE: return 10024;
    case EAGAIN: return 10035;
    case EINPROGRESS: return 10036;
    case EALREADY: return 10037;
    case ENOTSOCK: return 10038;
    case EDESTADDRREQ: return 10039;
    case EMSGSIZE: return 10040;
    case EPROTOTYPE: return 10041;
    case ENOPROTOOPT: return 10042;
    case EPROTONOSUPPORT: return 10043;
    case ESOCKTNOSUPPORT: return 10044;
    case EOPNOTSUPP: return 10045;
    case EPFNOSUPPORT: return 10046;
    case EAFNOSUPPORT: return 10047;
    case EADDRINUSE: return 10048;
    case EADDRNOTAVAIL: return 10049;
    case ENETDOWN: return 10050;
    case ENETUNREACH: return 10051;
    case ENETRESET: return 10052;
    case ECONNABORTED: return 10053;
    // Sending after the peer closed; Winsock reports a reset.
    case EPIPE:
    case ECONNRESET: return 10054;
    case ENOBUFS: return 10055;
    case EISCONN: return 10056;
    case ENOTCONN: return 10057;
    case ESHUTDOWN: return 10058;
    case ETOOMANYREFS: return 10059;
    case ETIMEDOUT: return 10060;
    case ECONNREFUSED: return 10061;
    case ELOOP: return 10062;
    case ENAMETOOLONG: return 10063;
    case EHOSTDOWN: return 10064;
    case EHOSTUNREACH: return 10065;
    case ENOTEMPTY: return 10066;
    default: return error;
  }
}

// The getaddrinfo result codes in Winsock's numbering.
int32_t WinsockErrorOfAddrInfo(int code) {
  switch (code) {
    case EAI_NONAME: return 11001;
    case EAI_AGAIN: return 11002;
    case EAI_FAIL: return 11003;
#ifdef EAI_NODATA
    case EAI_NODATA: return 11004;
#endif
    case EAI_FAMILY: return 10047;
    case EAI_SOCKTYPE: return 10044;
    case EAI_SERVICE: return 10109;
    case EAI_MEMORY: return 8;
    case EAI_BADFLAGS: return 10022;
    case EAI_SYSTEM: return WinsockErrorOf(errno);
    default: return 11003;
  }
}

// Remembers the error of a failed call before anything else can change errno.
template <class T>
T Checked(T result) {
  if (result < 0)
    t_last_error = WinsockErrorOf(errno);
  return result;
}

int NativeSocket(TNsStackSocketHandle socket) { return static_cast<int>(socket); }


using AddrInfoList = bsd_common::AddrInfoList<&::freeaddrinfo>;

// The control messages that carry a datagram's details.
void ReadControlMessage(const cmsghdr& header, TNsDatagramDetails& details) {
  const auto* data = reinterpret_cast<const uint8_t*>(CMSG_DATA(&header));
  if (header.cmsg_level == IPPROTO_IP && header.cmsg_type == IP_PKTINFO) {
    in_pktinfo info;
    std::memcpy(&info, data, sizeof info);
    // ipi_addr is the header's destination; ipi_spec_dst the local address
    // a reply would leave from.
    const auto* address = reinterpret_cast<const uint8_t*>(&info.ipi_addr);
    details.destination.assign(address, address + 4);
    details.interface_index = static_cast<uint32_t>(info.ipi_ifindex);
  } else if (header.cmsg_level == IPPROTO_IPV6 && header.cmsg_type == IPV6_PKTINFO) {
    in6_pktinfo info;
    std::memcpy(&info, data, sizeof info);
    const auto* address = reinterpret_cast<const uint8_t*>(&info.ipi6_addr);
    details.destination.assign(address, address + 16);
    details.interface_index = info.ipi6_ifindex;
  } else if ((header.cmsg_level == IPPROTO_IP && header.cmsg_type == IP_TTL) ||
             (header.cmsg_level == IPPROTO_IPV6 && header.cmsg_type == IPV6_HOPLIMIT)) {
    int hop_limit = 0;
    std::memcpy(&hop_limit, data, sizeof hop_limit);
    details.hop_limit = hop_limit;
  }
}

// The socket list over poll, which has no limit on descriptor numbers.
class TNsSocketListUnix final : public TNsSocketList {
 public:
  static constexpr TClass kClass{"TNsSocketListUnix", &TNsSocketList::kClass,
                                 &ConstructInstance<TNsSocketListUnix>};
  const TClass* ClassType() const override { return &kClass; }

  TNsStackSocketHandle SocketAt(int32_t index) override {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    if (index < 0 || index >= Count())
      throw ENsStackSetSizeExceeded();
    return sockets_[static_cast<size_t>(index)];
  }

  void Add(TNsStackSocketHandle socket) override {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    if (Count() >= kMaximumSockets)
      throw ENsStackSetSizeExceeded();
    sockets_.push_back(socket);
  }

  std::unique_ptr<TNsSocketList> Duplicate() override {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    auto copy = std::make_unique<TNsSocketListUnix>();
    copy->sockets_ = sockets_;
    return copy;
  }

  int32_t Count() override {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    return static_cast<int32_t>(sockets_.size());
  }

  void Remove(TNsStackSocketHandle socket) override {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    for (auto& entry : sockets_) {
      if (entry == socket) {
        entry = sockets_.back();
        sockets_.pop_back();
        return;
      }
    }
  }

  void Clear() override {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    sockets_.clear();
  }

  bool Contains(TNsStackSocketHandle socket) override {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    for (TNsStackSocketHandle entry : sockets_) {
      if (entry == socket)
        return true;
    }
    return false;
  }

  bool SelectReadable(int32_t timeout) override {
    std::vector<pollfd> polled = Polled();
    return Poll(polled, timeout);
  }

  bool SelectReadableInto(std::unique_ptr<TNsSocketList>& result, int32_t timeout) override {
    std::vector<pollfd> polled = Polled();
    if (!Poll(polled, timeout))
      return false;
    if (!result)
      result = std::make_unique<TNsSocketListUnix>();
    result->Clear();
    for (const pollfd& entry : polled) {
      if (entry.revents != 0)
        result->Add(entry.fd);
    }
    return true;
  }

 private:
  std::vector<pollfd> Polled() {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    std::vector<pollfd> polled;
    for (TNsStackSocketHandle socket : sockets_)
      polled.push_back(pollfd{NativeSocket(socket), POLLIN, 0});
    return polled;
  }

  static bool Poll(std::vector<pollfd>& polled, int32_t timeout) {
    // A closed peer or a socket error counts as readable, as select reports
    // it: the next receive tells which.
    const int wait = timeout < 0 ? -1 : timeout;
    int result;
    do {
      result = poll(polled.data(), polled.size(), wait);
    } while (result < 0 && errno == EINTR);
    if (result < 0) {
      t_last_error = WinsockErrorOf(errno);
      RequireStack().RaiseLastSocketError();
    }
    return result > 0;
  }

  std::vector<TNsStackSocketHandle> sockets_;
};

class TNsStackUnix final : public TNsStackBSDBase {
 public:
  static constexpr TClass kClass{"TNsStackUnix", &TNsStackBSDBase::kClass, &ConstructInstance<TNsStackUnix>};
  const TClass* ClassType() const override { return &kClass; }

  std::string LookupHostAddress(const std::string& host, TNsIPVersion version) override {
    if (version != Id_IPv4 && version != Id_IPv6)
      throw ENsIPVersionUnsupported();
    addrinfo hints{};
    hints.ai_family = AddressFamily(version);
    hints.ai_socktype = SOCK_STREAM;
    AddrInfoList results;
    const int code = getaddrinfo(host.c_str(), nullptr, &hints, results.Out());
    if (code != 0)
      RaiseSocketError(WinsockErrorOfAddrInfo(code));
    TNsSocketAddress address;
    address.length = static_cast<int32_t>(results.First()->ai_addrlen);
    std::memcpy(address.bytes, results.First()->ai_addr,
                std::min<size_t>(results.First()->ai_addrlen, sizeof(address.bytes)));
    std::string text;
    uint16_t port = 0;
    TNsIPVersion found_version = version;
    DecodeAddress(address, text, port, found_version);
    return text;
  }

  std::string LookupHostName(const std::string& address, TNsIPVersion version) override {
    addrinfo hints{};
    hints.ai_flags = AI_CANONNAME;
    hints.ai_family = AddressFamily(version);
    hints.ai_socktype = SOCK_STREAM;
    AddrInfoList results;
    const int code = getaddrinfo(address.c_str(), nullptr, &hints, results.Out());
    if (code != 0)
      RaiseSocketError(WinsockErrorOfAddrInfo(code));
    char name[1025] = {};
    if (getnameinfo(results.First()->ai_addr, results.First()->ai_addrlen, name, sizeof(name), nullptr, 0,
                    NI_NAMEREQD) != 0)
      return {};
    return name;
  }

  std::string LocalHostName() override {
    char name[251] = {};
    Checked(gethostname(name, sizeof(name) - 1));
    return name;
  }

  void ListLocalAddresses(TStrings& list) override {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    AddrInfoList results;
    const int code = getaddrinfo(LocalHostName().c_str(), nullptr, &hints, results.Out());
    if (code != 0)
      RaiseSocketError(WinsockErrorOfAddrInfo(code));
    TUpdateScope<TStrings> update(list);
    for (const addrinfo* entry = results.First(); entry != nullptr; entry = entry->ai_next) {
      const auto* ipv4 = reinterpret_cast<const sockaddr_in*>(entry->ai_addr);
      const auto* bytes = reinterpret_cast<const uint8_t*>(&ipv4->sin_addr);
      list.Add(AddressToText(TNsBytes(bytes, bytes + 4), Id_IPv4));
    }
  }

  bool HasIPv6Protocol() override { return ProbeIPVersion(Id_IPv6); }

  int32_t IOControl(TNsStackSocketHandle socket, uint32_t command, uint32_t& value) override {
    int native_value = static_cast<int>(value);
    const int result = Checked(ioctl(NativeSocket(socket), command, &native_value));
    value = static_cast<uint32_t>(native_value);
    return result;
  }

  int32_t GetLastSocketError() override { return t_last_error; }
  void SetLastSocketError(int32_t error) override { t_last_error = error; }

  std::unique_ptr<TNsSocketList> NewSocketList() override { return std::make_unique<TNsSocketListUnix>(); }

  bool SelectLists(TNsSocketList* read, TNsSocketList* write, TNsSocketList* error, int32_t timeout) override {
    struct Watched {
      TNsSocketList* list;
      short events;
    };
    const Watched watched[] = {{read, POLLIN}, {write, POLLOUT}, {error, 0}};
    std::vector<pollfd> polled;
    std::vector<size_t> owner;
    for (size_t i = 0; i < 3; ++i) {
      if (watched[i].list == nullptr)
        continue;
      for (int32_t j = 0; j < watched[i].list->Count(); ++j) {
        polled.push_back(pollfd{NativeSocket(watched[i].list->SocketAt(j)), watched[i].events, 0});
        owner.push_back(i);
      }
    }
    int result;
    do {
      result = poll(polled.data(), polled.size(), timeout < 0 ? -1 : timeout);
    } while (result < 0 && errno == EINTR);
    if (result < 0) {
      t_last_error = WinsockErrorOf(errno);
      RaiseLastSocketError();
    }
    for (const Watched& entry : watched) {
      if (entry.list != nullptr)
        entry.list->Clear();
    }
    for (size_t k = 0; k < polled.size(); ++k) {
      const short happened = polled[k].revents;
      const Watched& entry = watched[owner[k]];
      const bool counts = entry.events == 0 ? (happened & (POLLERR | POLLNVAL)) != 0 : happened != 0;
      if (counts)
        entry.list->Add(polled[k].fd);
    }
    return result > 0;
  }

  uint16_t ServicePortByName(const std::string& name) override {
    return bsd_common::ServicePort(*this, getservbyname(name.c_str(), nullptr), name);
  }

  std::unique_ptr<TStringList> ServiceNamesByPort(uint16_t port) override {
    return bsd_common::ServiceNames(getservbyport(HostToNetwork16(port), nullptr));
  }

  void SetBlockingMode(TNsStackSocketHandle socket, bool blocking) override {
    int non_blocking = blocking ? 0 : 1;
    CheckSocketResult(Checked(ioctl(NativeSocket(socket), FIONBIO, &non_blocking)));
  }

 protected:
  uint16_t AddressFamily(TNsIPVersion version) const override {
    return version == Id_IPv6 ? AF_INET6 : AF_INET;
  }

  TNsStackSocketHandle ApiSocket(int32_t family, int32_t type, int32_t protocol, bool) override {
    return Checked(::socket(family, type | SOCK_CLOEXEC, protocol));
  }

  int32_t ApiCloseSocket(TNsStackSocketHandle socket) override { return Checked(::close(NativeSocket(socket))); }

  int32_t ApiShutdown(TNsStackSocketHandle socket, int32_t how) override {
    return Checked(::shutdown(NativeSocket(socket), how));
  }

  int32_t ApiBind(TNsStackSocketHandle socket, const void* address, int32_t length) override {
    return Checked(::bind(NativeSocket(socket), static_cast<const sockaddr*>(address),
                          static_cast<socklen_t>(length)));
  }

  int32_t ApiConnect(TNsStackSocketHandle socket, const void* address, int32_t length) override {
    return Checked(::connect(NativeSocket(socket), static_cast<const sockaddr*>(address),
                             static_cast<socklen_t>(length)));
  }

  int32_t ApiListen(TNsStackSocketHandle socket, int32_t backlog) override {
    return Checked(::listen(NativeSocket(socket), backlog));
  }

  TNsStackSocketHandle ApiAccept(TNsStackSocketHandle socket, void* address, int32_t& length) override {
    auto native_length = static_cast<socklen_t>(length);
    int accepted;
    do {
      accepted = ::accept4(NativeSocket(socket), static_cast<sockaddr*>(address), &native_length, SOCK_CLOEXEC);
    } while (accepted < 0 && errno == EINTR);
    length = static_cast<int32_t>(native_length);
    return Checked(accepted);
  }

  int32_t ApiGetSockName(TNsStackSocketHandle socket, void* address, int32_t& length) override {
    auto native_length = static_cast<socklen_t>(length);
    const int result = Checked(::getsockname(NativeSocket(socket), static_cast<sockaddr*>(address), &native_length));
    length = static_cast<int32_t>(native_length);
    return result;
  }

  int32_t ApiGetPeerName(TNsStackSocketHandle socket, void* address, int32_t& length) override {
    auto native_length = static_cast<socklen_t>(length);
    const int result = Checked(::getpeername(NativeSocket(socket), static_cast<sockaddr*>(address), &native_length));
    length = static_cast<int32_t>(native_length);
    return result;
  }

  int32_t ApiRecv(TNsStackSocketHandle socket, void* buffer, int32_t length) override {
    ssize_t received;
    do {
      received = ::recv(NativeSocket(socket), buffer, static_cast<size_t>(length), 0);
    } while (received < 0 && errno == EINTR);
    return static_cast<int32_t>(Checked(received));
  }

  int32_t ApiSend(TNsStackSocketHandle socket, const void* buffer, int32_t length) override {
    // MSG_NOSIGNAL: a peer that closed must give an error, not end the
    // process with SIGPIPE.
    ssize_t sent;
    do {
      sent = ::send(NativeSocket(socket), buffer, static_cast<size_t>(length), MSG_NOSIGNAL);
    } while (sent < 0 && errno == EINTR);
    return static_cast<int32_t>(Checked(sent));
  }

  int32_t ApiRecvFrom(TNsStackSocketHandle socket, void* buffer, int32_t length, void* address,
                      int32_t& address_length) override {
    auto native_length = static_cast<socklen_t>(address_length);
    const ssize_t received = Checked(::recvfrom(NativeSocket(socket), buffer, static_cast<size_t>(length), 0,
                                                static_cast<sockaddr*>(address), &native_length));
    address_length = static_cast<int32_t>(native_length);
    return static_cast<int32_t>(received);
  }

  int32_t ApiSendTo(TNsStackSocketHandle socket, const void* buffer, int32_t length, const void* address,
                    int32_t address_length) override {
    return static_cast<int32_t>(Checked(::sendto(NativeSocket(socket), buffer, static_cast<size_t>(length),
                                                 MSG_NOSIGNAL, static_cast<const sockaddr*>(address),
                                                 static_cast<socklen_t>(address_length))));
  }

  int32_t ApiRecvMsg(TNsStackSocketHandle socket, void* buffer, int32_t length,
                     TNsDatagramDetails& details) override {
    // Room for the largest destination record and a hop limit, each with
    // its header.
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in6_pktinfo)) + CMSG_SPACE(sizeof(int))] = {};
    iovec data{buffer, static_cast<size_t>(length)};
    msghdr message{};
    message.msg_name = details.source.bytes;
    message.msg_namelen = static_cast<socklen_t>(details.source.length);
    message.msg_iov = &data;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    ssize_t received;
    do {
      received = ::recvmsg(NativeSocket(socket), &message, 0);
    } while (received < 0 && errno == EINTR);
    if (Checked(received) < 0)
      return kNsSocketError;
    details.source.length = static_cast<int32_t>(message.msg_namelen);
    for (cmsghdr* header = CMSG_FIRSTHDR(&message); header != nullptr; header = CMSG_NXTHDR(&message, header))
      ReadControlMessage(*header, details);
    return static_cast<int32_t>(received);
  }

  int32_t ApiSetSockOpt(TNsStackSocketHandle socket, TNsSocketOption option, const void* value,
                        int32_t length) override {
    const bsd_common::NativeOption native = bsd_common::NativeOptionOf(option);
    return Checked(::setsockopt(NativeSocket(socket), native.level, native.name, value,
                                static_cast<socklen_t>(length)));
  }

  int32_t ApiGetSockOpt(TNsStackSocketHandle socket, TNsSocketOption option, void* value,
                        int32_t& length) override {
    const bsd_common::NativeOption native = bsd_common::NativeOptionOf(option);
    auto native_length = static_cast<socklen_t>(length);
    const int result = Checked(::getsockopt(NativeSocket(socket), native.level, native.name, value, &native_length));
    length = static_cast<int32_t>(native_length);
    return result;
  }
};

}  // namespace

const TClass* PlatformStackClass() { return &TNsStackUnix::kClass; }
