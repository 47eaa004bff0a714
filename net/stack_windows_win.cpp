// TNsStackWindows: the socket stack over Winsock 2, whose functions are
// bound by name at run time (winsock_binding_win.h), and
// TNsSocketListWindows over Winsock socket sets.
#include "net/winsock_binding_win.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "net/bsd_socket_common.h"
#include "net/io_handler_socket.h"
#include "net/socket_list.h"
#include "net/stack_bsd.h"
#include "platform/rtl/strings.h"
#include "platform/rtl/text.h"

namespace {

std::atomic<bool> g_winsock_initialised{false};

SOCKET NativeSocket(TNsStackSocketHandle socket) { return static_cast<SOCKET>(socket); }
TNsStackSocketHandle PortableSocket(SOCKET socket) {
  return socket == INVALID_SOCKET ? kNsInvalidSocket : static_cast<TNsStackSocketHandle>(socket);
}


// A select time-out: any negative value waits without limit.
timeval* TimeValueOf(int32_t timeout, timeval& value) {
  if (timeout < 0)
    return nullptr;
  value.tv_sec = timeout / 1000;
  value.tv_usec = (timeout % 1000) * 1000;
  return &value;
}

class TNsSocketListWindows final : public TNsSocketList {
 public:
  static constexpr TClass kClass{"TNsSocketListWindows", &TNsSocketList::kClass,
                                 &ConstructInstance<TNsSocketListWindows>};
  const TClass* ClassType() const override { return &kClass; }

  TNsSocketListWindows() { set_.fd_count = 0; }

  TNsStackSocketHandle SocketAt(int32_t index) override {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    if (index < 0 || index >= static_cast<int32_t>(set_.fd_count))
      throw ENsStackSetSizeExceeded();
    return PortableSocket(set_.fd_array[index]);
  }

  void Add(TNsStackSocketHandle socket) override {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    if (set_.fd_count >= static_cast<u_int>(kMaximumSockets))
      throw ENsStackSetSizeExceeded();
    set_.fd_array[set_.fd_count++] = NativeSocket(socket);
  }

  std::unique_ptr<TNsSocketList> Duplicate() override {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    auto copy = std::make_unique<TNsSocketListWindows>();
    copy->set_ = set_;
    return copy;
  }

  int32_t Count() override {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    return static_cast<int32_t>(set_.fd_count);
  }

  void Remove(TNsStackSocketHandle socket) override {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    for (u_int i = 0; i < set_.fd_count; ++i) {
      if (set_.fd_array[i] == NativeSocket(socket)) {
        set_.fd_array[i] = set_.fd_array[set_.fd_count - 1];
        set_.fd_array[set_.fd_count - 1] = 0;
        --set_.fd_count;
        return;
      }
    }
  }

  void Clear() override {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    set_.fd_count = 0;
  }

  bool Contains(TNsStackSocketHandle socket) override {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    return ws::WSAFDIsSet(NativeSocket(socket), &set_) != 0;
  }

  bool SelectReadable(int32_t timeout) override {
    fd_set readable = Copy();
    return Select(readable, timeout);
  }

  bool SelectReadableInto(std::unique_ptr<TNsSocketList>& result, int32_t timeout) override {
    fd_set readable = Copy();
    if (!Select(readable, timeout))
      return false;
    auto list = std::make_unique<TNsSocketListWindows>();
    list->set_ = readable;
    result = std::move(list);
    return true;
  }

 private:
  fd_set Copy() {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    return set_;
  }

 public:
  // The list's set, for a select over several lists.
  fd_set* Set() { return &set_; }

 private:

  static bool Select(fd_set& readable, int32_t timeout) {
    timeval value{};
    const int result = ws::select(0, &readable, nullptr, nullptr, TimeValueOf(timeout, value));
    if (result == SOCKET_ERROR)
      RequireStack().RaiseLastSocketError();
    return result > 0;
  }

  fd_set set_;
};

using GetFileSizeExFunction = BOOL(WINAPI*)(HANDLE, PLARGE_INTEGER);

// Sends a whole file with the system's TransmitFile; the size sent, 0 on
// any failure.
int64_t SendFileThroughSystem(TNsStackSocketHandle socket, const std::string& file_name) {
  const std::u16string wide_name = Utf8ToUtf16(file_name);
  HANDLE file = CreateFileW(reinterpret_cast<const wchar_t*>(wide_name.c_str()), GENERIC_READ, FILE_SHARE_READ,
                            nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return 0;
  int64_t size = 0;
  try {
    if (ws::TransmitFile(NativeSocket(socket), file, 0, 0, nullptr, nullptr, 0)) {
      static const auto get_file_size_ex =
          std::bit_cast<GetFileSizeExFunction>(GetProcAddress(GetModuleHandleA("Kernel32.dll"), "GetFileSizeEx"));
      LARGE_INTEGER large{};
      if (get_file_size_ex != nullptr && get_file_size_ex(file, &large)) {
        size = large.QuadPart;
      } else {
        DWORD high = 0;
        const DWORD low = GetFileSize(file, &high);
        size = static_cast<int64_t>(high) << 32 | low;
      }
    }
  } catch (const Exception&) {
    size = 0;
  }
  CloseHandle(file);
  return size;
}

// The control messages that carry a datagram's details. The hop limit of
// an IPv4 datagram comes as IP_HOPLIMIT, or as IP_TTL from systems that
// name it so; winsock.h's older IP_TTL has another number, hence literals.
constexpr INT kIpTtl = 4;
constexpr INT kIpHopLimit = 21;

void ReadControlMessage(const WSACMSGHDR& header, TNsDatagramDetails& details) {
  const auto* data = reinterpret_cast<const uint8_t*>(WSA_CMSG_DATA(&header));
  if (header.cmsg_level == IPPROTO_IP && header.cmsg_type == IP_PKTINFO) {
    IN_PKTINFO info;
    std::memcpy(&info, data, sizeof info);
    const auto* address = reinterpret_cast<const uint8_t*>(&info.ipi_addr);
    details.destination.assign(address, address + 4);
    details.interface_index = info.ipi_ifindex;
  } else if (header.cmsg_level == IPPROTO_IPV6 && header.cmsg_type == IPV6_PKTINFO) {
    IN6_PKTINFO info;
    std::memcpy(&info, data, sizeof info);
    const auto* address = reinterpret_cast<const uint8_t*>(&info.ipi6_addr);
    details.destination.assign(address, address + 16);
    details.interface_index = info.ipi6_ifindex;
  } else if ((header.cmsg_level == IPPROTO_IP && (header.cmsg_type == kIpHopLimit || header.cmsg_type == kIpTtl)) ||
             (header.cmsg_level == IPPROTO_IPV6 && header.cmsg_type == IPV6_HOPLIMIT)) {
    INT hop_limit = 0;
    std::memcpy(&hop_limit, data, sizeof hop_limit);
    details.hop_limit = hop_limit;
  }
}

void FreeAddrInfo(addrinfo* list) { IPv6Functions().freeaddrinfo(list); }
using AddrInfoList = bsd_common::AddrInfoList<&FreeAddrInfo>;

class TNsStackWindows final : public TNsStackBSDBase {
 public:
  static constexpr TClass kClass{"TNsStackWindows", &TNsStackBSDBase::kClass, &ConstructInstance<TNsStackWindows>};
  const TClass* ClassType() const override { return &kClass; }

  TNsStackWindows() {
    if (g_winsock_initialised.load())
      return;
    try {
      LoadWinsock();
      LoadIPv6Functions();
    } catch (const Exception& error) {
      throw ENsStackInitializationFailed(error.Message());
    }
    g_winsock_initialised.store(true);
  }

  std::string LookupHostAddress(const std::string& host, TNsIPVersion version) override {
    if (version != Id_IPv4 && version != Id_IPv6)
      throw ENsIPVersionUnsupported();
    if (!IPv6FunctionsAvailable()) {
      if (version == Id_IPv6)
        throw ENsIPv6Unavailable();
      const hostent* entry = ws::gethostbyname(host.c_str());
      if (entry == nullptr || entry->h_addr_list == nullptr || entry->h_addr_list[0] == nullptr)
        RaiseLastSocketError();
      const auto* bytes = reinterpret_cast<const uint8_t*>(entry->h_addr_list[0]);
      return AddressToText(TNsBytes(bytes, bytes + 4), Id_IPv4);
    }
    addrinfo hints{};
    hints.ai_family = AddressFamily(version);
    hints.ai_socktype = SOCK_STREAM;
    AddrInfoList results;
    const int code = IPv6Functions().getaddrinfo(host.c_str(), nullptr, &hints, results.Out());
    if (code != 0)
      RaiseSocketError(MapAddrInfoError(code));
    const addrinfo* first = results.First();
    const auto* address = reinterpret_cast<const uint8_t*>(first->ai_addr);
    if (version == Id_IPv6)
      return AddressToText(TNsBytes(address + 8, address + 24), Id_IPv6);
    return AddressToText(TNsBytes(address + 4, address + 8), Id_IPv4);
  }

  std::string LookupHostName(const std::string& address, TNsIPVersion version) override {
    if (!IPv6FunctionsAvailable()) {
      if (version == Id_IPv6)
        throw ENsIPv6Unavailable();
      const unsigned long value = ws::inet_addr(address.c_str());
      const hostent* entry = ws::gethostbyaddr(reinterpret_cast<const char*>(&value), 4, AF_INET);
      if (entry == nullptr)
        RaiseLastSocketError();
      return entry->h_name != nullptr ? entry->h_name : "";
    }
    addrinfo hints{};
    hints.ai_flags = AI_CANONNAME;
    hints.ai_family = AddressFamily(version);
    hints.ai_socktype = SOCK_STREAM;
    AddrInfoList results;
    const int code = IPv6Functions().getaddrinfo(address.c_str(), nullptr, &hints, results.Out());
    if (code != 0)
      RaiseSocketError(MapAddrInfoError(code));
    char name[1025] = {};
    // A reverse lookup that finds no name answers with an empty text.
    if (IPv6Functions().getnameinfo(results.First()->ai_addr, static_cast<socklen_t>(results.First()->ai_addrlen),
                                    name, sizeof(name), nullptr, 0, NI_NAMEREQD) != 0)
      return {};
    return name;
  }

  std::string LocalHostName() override {
    char name[251] = {};
    CheckSocketResult(ws::gethostname(name, 250));
    return name;
  }

  void ListLocalAddresses(TStrings& list) override {
    const std::string name = LocalHostName();
    TUpdateScope<TStrings> update(list);
    if (IPv6FunctionsAvailable()) {
      addrinfo hints{};
      hints.ai_family = AF_INET;
      hints.ai_socktype = SOCK_STREAM;
      AddrInfoList results;
      const int code = IPv6Functions().getaddrinfo(name.c_str(), nullptr, &hints, results.Out());
      if (code != 0)
        RaiseSocketError(MapAddrInfoError(code));
      for (const addrinfo* entry = results.First(); entry != nullptr; entry = entry->ai_next) {
        const auto* address = reinterpret_cast<const uint8_t*>(entry->ai_addr);
        list.Add(AddressToText(TNsBytes(address + 4, address + 8), Id_IPv4));
      }
      return;
    }
    const hostent* entry = ws::gethostbyname(name.c_str());
    if (entry == nullptr)
      RaiseLastSocketError();
    for (char** address = entry->h_addr_list; address != nullptr && *address != nullptr; ++address) {
      const auto* bytes = reinterpret_cast<const uint8_t*>(*address);
      list.Add(AddressToText(TNsBytes(bytes, bytes + 4), Id_IPv4));
    }
  }

  bool HasIPv6Protocol() override {
    DWORD size = 0;
    ws::WSAEnumProtocolsA(nullptr, nullptr, &size);
    if (size == 0)
      return false;
    std::vector<uint8_t> buffer(size);
    auto* protocols = reinterpret_cast<WSAPROTOCOL_INFOA*>(buffer.data());
    const int count = ws::WSAEnumProtocolsA(nullptr, protocols, &size);
    for (int i = 0; i < count; ++i) {
      if (protocols[i].iAddressFamily == AF_INET6)
        return true;
    }
    return false;
  }

  int32_t IOControl(TNsStackSocketHandle socket, uint32_t command, uint32_t& value) override {
    u_long native_value = value;
    const int result = ws::ioctlsocket(NativeSocket(socket), static_cast<long>(command), &native_value);
    value = static_cast<uint32_t>(native_value);
    return result;
  }

  int32_t GetLastSocketError() override { return ws::WSAGetLastError(); }
  void SetLastSocketError(int32_t error) override { ws::WSASetLastError(error); }

  std::optional<int64_t> TransmitWholeFile(TNsStackSocketHandle socket, const std::string& file_name) override {
    return SendFileThroughSystem(socket, file_name);
  }

  std::unique_ptr<TNsSocketList> NewSocketList() override { return std::make_unique<TNsSocketListWindows>(); }

  bool SelectLists(TNsSocketList* read, TNsSocketList* write, TNsSocketList* error, int32_t timeout) override {
    // Select works on copies; the results go back into the lists.
    fd_set sets[3];
    fd_set* given[3] = {nullptr, nullptr, nullptr};
    TNsSocketList* lists[3] = {read, write, error};
    for (int i = 0; i < 3; ++i) {
      if (auto* list = dynamic_cast<TNsSocketListWindows*>(lists[i])) {
        std::lock_guard<TNsSocketList> guard(*list);
        sets[i] = *list->Set();
        given[i] = &sets[i];
      }
    }
    timeval value{};
    const int result = ws::select(0, given[0], given[1], given[2], TimeValueOf(timeout, value));
    if (result == SOCKET_ERROR)
      RaiseLastSocketError();
    for (int i = 0; i < 3; ++i) {
      if (given[i] == nullptr)
        continue;
      auto* list = static_cast<TNsSocketListWindows*>(lists[i]);
      std::lock_guard<TNsSocketList> guard(*list);
      *list->Set() = sets[i];
    }
    return result > 0;
  }

  uint16_t ServicePortByName(const std::string& name) override {
    return bsd_common::ServicePort(*this, ws::getservbyname(name.c_str(), nullptr), name);
  }

  std::unique_ptr<TStringList> ServiceNamesByPort(uint16_t port) override {
    return bsd_common::ServiceNames(ws::getservbyport(HostToNetwork16(port), nullptr));
  }

  void SetBlockingMode(TNsStackSocketHandle socket, bool blocking) override {
    u_long non_blocking = blocking ? 0 : 1;
    CheckSocketResult(ws::ioctlsocket(NativeSocket(socket), static_cast<long>(FIONBIO), &non_blocking));
  }

 protected:
  uint16_t AddressFamily(TNsIPVersion version) const override {
    return version == Id_IPv6 ? AF_INET6 : AF_INET;
  }

  TNsStackSocketHandle ApiSocket(int32_t family, int32_t type, int32_t protocol, bool overlapped) override {
    if (overlapped)
      return PortableSocket(ws::WSASocketA(family, type, protocol, nullptr, 0, WSA_FLAG_OVERLAPPED));
    return PortableSocket(ws::socket(family, type, protocol));
  }

  int32_t ApiCloseSocket(TNsStackSocketHandle socket) override { return ws::closesocket(NativeSocket(socket)); }

  int32_t ApiShutdown(TNsStackSocketHandle socket, int32_t how) override {
    return ws::shutdown(NativeSocket(socket), how);
  }

  int32_t ApiBind(TNsStackSocketHandle socket, const void* address, int32_t length) override {
    return ws::bind(NativeSocket(socket), static_cast<const sockaddr*>(address), length);
  }

  int32_t ApiConnect(TNsStackSocketHandle socket, const void* address, int32_t length) override {
    return ws::connect(NativeSocket(socket), static_cast<const sockaddr*>(address), length);
  }

  int32_t ApiListen(TNsStackSocketHandle socket, int32_t backlog) override {
    return ws::listen(NativeSocket(socket), backlog);
  }

  TNsStackSocketHandle ApiAccept(TNsStackSocketHandle socket, void* address, int32_t& length) override {
    int native_length = length;
    const SOCKET accepted = ws::accept(NativeSocket(socket), static_cast<sockaddr*>(address), &native_length);
    length = native_length;
    return PortableSocket(accepted);
  }

  int32_t ApiGetSockName(TNsStackSocketHandle socket, void* address, int32_t& length) override {
    int native_length = length;
    const int result = ws::getsockname(NativeSocket(socket), static_cast<sockaddr*>(address), &native_length);
    length = native_length;
    return result;
  }

  int32_t ApiGetPeerName(TNsStackSocketHandle socket, void* address, int32_t& length) override {
    int native_length = length;
    const int result = ws::getpeername(NativeSocket(socket), static_cast<sockaddr*>(address), &native_length);
    length = native_length;
    return result;
  }

  int32_t ApiRecv(TNsStackSocketHandle socket, void* buffer, int32_t length) override {
    return ws::recv(NativeSocket(socket), static_cast<char*>(buffer), length, 0);
  }

  int32_t ApiSend(TNsStackSocketHandle socket, const void* buffer, int32_t length) override {
    return ws::send(NativeSocket(socket), static_cast<const char*>(buffer), length, 0);
  }

  int32_t ApiRecvFrom(TNsStackSocketHandle socket, void* buffer, int32_t length, void* address,
                      int32_t& address_length) override {
    int native_length = address_length;
    const int result = ws::recvfrom(NativeSocket(socket), static_cast<char*>(buffer), length, 0,
                                    static_cast<sockaddr*>(address), &native_length);
    address_length = native_length;
    return result;
  }

  int32_t ApiSendTo(TNsStackSocketHandle socket, const void* buffer, int32_t length, const void* address,
                    int32_t address_length) override {
    return ws::sendto(NativeSocket(socket), static_cast<const char*>(buffer), length, 0,
                      static_cast<const sockaddr*>(address), address_length);
  }

  int32_t ApiRecvMsg(TNsStackSocketHandle socket, void* buffer, int32_t length,
                     TNsDatagramDetails& details) override {
    // Room for the largest destination record and a hop limit, each with
    // its header.
    alignas(WSACMSGHDR) char control[128] = {};
    WSABUF data{static_cast<ULONG>(length), static_cast<char*>(buffer)};
    WSAMSG message{};
    message.name = reinterpret_cast<sockaddr*>(details.source.bytes);
    message.namelen = details.source.length;
    message.lpBuffers = &data;
    message.dwBufferCount = 1;
    message.Control = {sizeof control, control};
    DWORD received = 0;
    if (ws::WSARecvMsg(NativeSocket(socket), &message, &received, nullptr, nullptr) == SOCKET_ERROR)
      return kNsSocketError;
    details.source.length = message.namelen;
    for (WSACMSGHDR* header = WSA_CMSG_FIRSTHDR(&message); header != nullptr;
         header = WSA_CMSG_NXTHDR(&message, header))
      ReadControlMessage(*header, details);
    return static_cast<int32_t>(received);
  }

  int32_t ApiSetSockOpt(TNsStackSocketHandle socket, TNsSocketOption option, const void* value,
                        int32_t length) override {
    const bsd_common::NativeOption native = bsd_common::NativeOptionOf(option);
    return ws::setsockopt(NativeSocket(socket), native.level, native.name, static_cast<const char*>(value), length);
  }

  int32_t ApiGetSockOpt(TNsStackSocketHandle socket, TNsSocketOption option, void* value,
                        int32_t& length) override {
    const bsd_common::NativeOption native = bsd_common::NativeOptionOf(option);
    int native_length = length;
    const int result =
        ws::getsockopt(NativeSocket(socket), native.level, native.name, static_cast<char*>(value), &native_length);
    length = native_length;
    return result;
  }
};

// The module's end: Winsock is given back when the program ends.
struct WinsockModule {
  ~WinsockModule() {
    // A holder that outlives this module (a static freed later) still
    // calls into the library, so it stays loaded for it.
    if (!g_winsock_initialised.load() || StackUsageCount() > 0)
      return;
    ReleaseIPv6Functions();
    UnloadWinsock();
  }
};

WinsockModule g_winsock_module;

}  // namespace

const TClass* PlatformStackClass() { return &TNsStackWindows::kClass; }
