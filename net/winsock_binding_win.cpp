#include "net/winsock_binding_win.h"

#include <mutex>

#include "net/text_routines.h"
#include "platform/rtl/system_error.h"

namespace {

constexpr UINT kNoCriticalErrorBoxes = 0x8000;  // SEM_NOOPENFILEERRORBOX
constexpr int32_t kWsaNotInitialised = 10093;
constexpr int32_t kWsaInvalidArgument = 10022;

std::atomic<HMODULE> g_ws2_32{nullptr};
std::atomic<HMODULE> g_mswsock{nullptr};
std::atomic<int32_t> g_lookup_count{0};
std::mutex g_load_lock;

struct IPv6State {
  bool available = false;
  HMODULE library = nullptr;
  std::atomic<HMODULE> wship6{nullptr};
  std::atomic<HMODULE> fwpuclnt{nullptr};
  TIPv6Functions functions;
};

IPv6State& IPv6() {
  static IPv6State state;
  return state;
}

HMODULE LoadQuietly(const char* name) {
  const UINT previous = SetErrorMode(kNoCriticalErrorBoxes);
  HMODULE library = LoadLibraryA(name);
  SetErrorMode(previous);
  return library;
}

[[noreturn]] void RaiseLoadError(int32_t error, const char* library) {
  throw ENsWinsockStubError(error, FormatEnglish("Error on loading Winsock2 library (%s)", {library}),
                            error != 0 ? SystemErrorText(error) : std::string());
}

template <class T>
T Find(HMODULE library, const char* name) {
  return std::bit_cast<T>(GetProcAddress(library, name));
}

// The IPv6 functions exist from NT 5 on; earlier systems fall back to the
// older database functions.
bool IsNTAboveVersion4() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(&version))
    return true;
#pragma GCC diagnostic pop
  return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion > 4;
}

}  // namespace

void LoadWinsock() {
  std::lock_guard<std::mutex> guard(g_load_lock);
  if (g_ws2_32.load() != nullptr)
    return;
  HMODULE library = LoadQuietly("WS2_32.DLL");
  int32_t error;
  if (library != nullptr) {
    g_ws2_32.store(library);
    WSADATA data{};
    error = ws::WSAStartup(MAKEWORD(2, 2), &data);
    if (error == 0)
      return;
    g_ws2_32.store(nullptr);
    FreeLibrary(library);
  } else {
    error = LastSystemError();
  }
  RaiseLoadError(error, "WS2_32.DLL");
}

void UnloadWinsock() {
  std::lock_guard<std::mutex> guard(g_load_lock);
  if (HMODULE mswsock = g_mswsock.exchange(nullptr))
    FreeLibrary(mswsock);
  if (HMODULE ws2_32 = g_ws2_32.load()) {
    ws::WSACleanup();
    g_ws2_32.store(nullptr);
    FreeLibrary(ws2_32);
  }
}

void LoadMSWSockLibrary() {
  std::lock_guard<std::mutex> guard(g_load_lock);
  if (g_mswsock.load() != nullptr)
    return;
  HMODULE library = LoadQuietly("MSWSOCK.DLL");
  if (library == nullptr)
    RaiseLoadError(LastSystemError(), "MSWSOCK.DLL");
  g_mswsock.store(library);
}

bool IsWinsockLoaded() { return g_ws2_32.load() != nullptr; }
HMODULE WinsockLibraryHandle() { return g_ws2_32.load(); }

void RaiseWinsockCallError(int32_t error, const char* name) {
  throw ENsWinsockStubError(error, FormatEnglish("Error on call to Winsock2 library function %s", {name}),
                            error != 0 ? SystemErrorText(error) : std::string());
}

FARPROC LookUpWinsockFunction(const char* name, TWinsockLibrary library) {
  if (library == TWinsockLibrary::kMSWSock)
    LoadMSWSockLibrary();
  HMODULE module = library == TWinsockLibrary::kMSWSock ? g_mswsock.load() : g_ws2_32.load();
  if (module == nullptr)
    RaiseWinsockCallError(kWsaNotInitialised, name);
  ++g_lookup_count;
  FARPROC address = GetProcAddress(module, name);
  if (address == nullptr)
    RaiseWinsockCallError(kWsaInvalidArgument, name);
  return address;
}

int32_t WinsockLookupCount() { return g_lookup_count.load(); }

FARPROC LookUpExtensionFunction(SOCKET socket, const GUID& guid, const char* name) {
  GUID identifier = guid;
  FARPROC address = nullptr;
  DWORD returned = 0;
  if (ws::WSAIoctl(socket, SIO_GET_EXTENSION_FUNCTION_POINTER, &identifier, sizeof(identifier), &address,
                   sizeof(address), &returned, nullptr, nullptr) != 0)
    RaiseWinsockCallError(ws::WSAGetLastError(), name);
  return address;
}

void LoadIPv6Functions() {
  IPv6State& state = IPv6();
  state.available = false;
  if (!IsNTAboveVersion4())
    return;
  LoadWinsock();
  HMODULE library = g_ws2_32.load();
  auto getaddrinfo = Find<decltype(&::getaddrinfo)>(library, "getaddrinfo");
  if (getaddrinfo == nullptr) {
    HMODULE wship6 = LoadQuietly("Wship6.dll");
    state.wship6.store(wship6);
    library = wship6;
    if (library != nullptr)
      getaddrinfo = Find<decltype(&::getaddrinfo)>(library, "getaddrinfo");
  }
  TIPv6Functions& functions = state.functions;
  if (getaddrinfo != nullptr) {
    functions.getaddrinfo = getaddrinfo;
    functions.getnameinfo = Find<decltype(&::getnameinfo)>(library, "getnameinfo");
    if (functions.getnameinfo != nullptr)
      functions.freeaddrinfo = Find<decltype(&::freeaddrinfo)>(library, "freeaddrinfo");
  }
  if (functions.getaddrinfo == nullptr || functions.getnameinfo == nullptr || functions.freeaddrinfo == nullptr) {
    ReleaseIPv6Functions();
    return;
  }
  state.available = true;
  state.library = library;
  functions.inet_pton = GetProcAddress(library, "inet_pton");
  functions.inet_ntop = GetProcAddress(library, "inet_ntop");
  functions.GetAddrInfoExA = GetProcAddress(library, "GetAddrInfoExA");
  functions.SetAddrInfoExA = GetProcAddress(library, "SetAddrInfoExA");
  functions.FreeAddrInfoEx = GetProcAddress(library, "FreeAddrInfoEx");
  if (HMODULE fwpuclnt = LoadQuietly("Fwpuclnt.dll")) {
    state.fwpuclnt.store(fwpuclnt);
    functions.WSASetSocketPeerTargetName = GetProcAddress(fwpuclnt, "WSASetSocketPeerTargetName");
    functions.WSADeleteSocketPeerTargetName = GetProcAddress(fwpuclnt, "WSADeleteSocketPeerTargetName");
    functions.WSAImpersonateSocketPeer = GetProcAddress(fwpuclnt, "WSAImpersonateSocketPeer");
    functions.WSAQuerySocketSecurity = GetProcAddress(fwpuclnt, "WSAQuerySocketSecurity");
    functions.WSARevertImpersonation = GetProcAddress(fwpuclnt, "WSARevertImpersonation");
  }
}

void ReleaseIPv6Functions() {
  if (!IsNTAboveVersion4())
    return;
  IPv6State& state = IPv6();
  if (HMODULE wship6 = state.wship6.exchange(nullptr))
    FreeLibrary(wship6);
  if (HMODULE fwpuclnt = state.fwpuclnt.exchange(nullptr))
    FreeLibrary(fwpuclnt);
  state.available = false;
  state.library = nullptr;
  state.functions = TIPv6Functions{};
}

bool IPv6FunctionsAvailable() { return IPv6().available; }
const TIPv6Functions& IPv6Functions() { return IPv6().functions; }

int32_t MapAddrInfoError(int32_t code) {
  switch (code) {
    case 1: return 0;
    case 2: return 11002;
    case 3: return 10022;
    case 4: return 11003;
    case 5: return 10047;
    case 6: return 8;
    case 7: return 11004;
    case 8: return 11001;
    case 9: return 10109;
    case 10: return 10044;
    case 11: {
      const int32_t error = LastSystemError();
      throw EOSError(static_cast<uint32_t>(error), SystemErrorText(error));
    }
    default: return code;
  }
}

namespace ws {

TWinsockFunction<decltype(::WSAStartup)> WSAStartup{"WSAStartup"};
TWinsockFunction<decltype(::WSACleanup)> WSACleanup{"WSACleanup"};
TWinsockFunction<decltype(::accept)> accept{"accept"};
TWinsockFunction<decltype(::bind)> bind{"bind"};
TWinsockFunction<decltype(::closesocket)> closesocket{"closesocket"};
TWinsockFunction<decltype(::connect)> connect{"connect"};
TWinsockFunction<decltype(::ioctlsocket)> ioctlsocket{"ioctlsocket"};
TWinsockFunction<decltype(::getpeername)> getpeername{"getpeername"};
TWinsockFunction<decltype(::getsockname)> getsockname{"getsockname"};
TWinsockFunction<decltype(::getsockopt)> getsockopt{"getsockopt"};
TWinsockFunction<decltype(::htonl)> htonl{"htonl"};
TWinsockFunction<decltype(::htons)> htons{"htons"};
TWinsockFunction<decltype(::inet_addr)> inet_addr{"inet_addr"};
TWinsockFunction<decltype(::inet_ntoa)> inet_ntoa{"inet_ntoa"};
TWinsockFunction<decltype(::listen)> listen{"listen"};
TWinsockFunction<decltype(::ntohl)> ntohl{"ntohl"};
TWinsockFunction<decltype(::ntohs)> ntohs{"ntohs"};
TWinsockFunction<decltype(::recv)> recv{"recv"};
TWinsockFunction<decltype(::recvfrom)> recvfrom{"recvfrom"};
TWinsockFunction<decltype(::select)> select{"select"};
TWinsockFunction<decltype(::send)> send{"send"};
TWinsockFunction<decltype(::sendto)> sendto{"sendto"};
TWinsockFunction<decltype(::setsockopt)> setsockopt{"setsockopt"};
TWinsockFunction<decltype(::shutdown)> shutdown{"shutdown"};
TWinsockFunction<decltype(::socket)> socket{"socket"};
TWinsockFunction<decltype(::__WSAFDIsSet)> WSAFDIsSet{"__WSAFDIsSet"};

TWinsockFunction<decltype(::gethostbyaddr)> gethostbyaddr{"gethostbyaddr"};
TWinsockFunction<decltype(::gethostbyname)> gethostbyname{"gethostbyname"};
TWinsockFunction<decltype(::gethostname)> gethostname{"gethostname"};
TWinsockFunction<decltype(::getservbyport)> getservbyport{"getservbyport"};
TWinsockFunction<decltype(::getservbyname)> getservbyname{"getservbyname"};
TWinsockFunction<decltype(::getprotobynumber)> getprotobynumber{"getprotobynumber"};
TWinsockFunction<decltype(::getprotobyname)> getprotobyname{"getprotobyname"};

TWinsockFunction<decltype(::WSASetLastError)> WSASetLastError{"WSASetLastError"};
TWinsockFunction<decltype(::WSAGetLastError)> WSAGetLastError{"WSAGetLastError"};
TWinsockFunction<BOOL()> WSAIsBlocking{"WSAIsBlocking"};
TWinsockFunction<int()> WSAUnhookBlockingHook{"WSAUnhookBlockingHook"};
TWinsockFunction<FARPROC(FARPROC)> WSASetBlockingHook{"WSASetBlockingHook"};
TWinsockFunction<int()> WSACancelBlockingCall{"WSACancelBlockingCall"};

TWinsockFunction<decltype(::WSAAsyncGetServByName)> WSAAsyncGetServByName{"WSAAsyncGetServByName"};
TWinsockFunction<decltype(::WSAAsyncGetServByPort)> WSAAsyncGetServByPort{"WSAAsyncGetServByPort"};
TWinsockFunction<decltype(::WSAAsyncGetProtoByName)> WSAAsyncGetProtoByName{"WSAAsyncGetProtoByName"};
TWinsockFunction<decltype(::WSAAsyncGetProtoByNumber)> WSAAsyncGetProtoByNumber{"WSAAsyncGetProtoByNumber"};
TWinsockFunction<decltype(::WSAAsyncGetHostByName)> WSAAsyncGetHostByName{"WSAAsyncGetHostByName"};
TWinsockFunction<decltype(::WSAAsyncGetHostByAddr)> WSAAsyncGetHostByAddr{"WSAAsyncGetHostByAddr"};
TWinsockFunction<decltype(::WSACancelAsyncRequest)> WSACancelAsyncRequest{"WSACancelAsyncRequest"};
TWinsockFunction<decltype(::WSAAsyncSelect)> WSAAsyncSelect{"WSAAsyncSelect"};

TWinsockFunction<decltype(::WSAAccept)> WSAAccept{"WSAAccept"};
TWinsockFunction<decltype(::WSACloseEvent)> WSACloseEvent{"WSACloseEvent"};
TWinsockFunction<decltype(::WSAConnect)> WSAConnect{"WSAConnect"};
TWinsockFunction<decltype(::WSACreateEvent)> WSACreateEvent{"WSACreateEvent"};
TWinsockFunction<decltype(::WSADuplicateSocketA)> WSADuplicateSocketA{"WSADuplicateSocketA"};
TWinsockFunction<decltype(::WSADuplicateSocketW)> WSADuplicateSocketW{"WSADuplicateSocketW"};
TWinsockFunction<decltype(::WSAEnumNetworkEvents)> WSAEnumNetworkEvents{"WSAEnumNetworkEvents"};
TWinsockFunction<decltype(::WSAEnumProtocolsA)> WSAEnumProtocolsA{"WSAEnumProtocolsA"};
TWinsockFunction<decltype(::WSAEnumProtocolsW)> WSAEnumProtocolsW{"WSAEnumProtocolsW"};
TWinsockFunction<decltype(::WSAEventSelect)> WSAEventSelect{"WSAEventSelect"};
TWinsockFunction<decltype(::WSAGetOverlappedResult)> WSAGetOverlappedResult{"WSAGetOverlappedResult"};
TWinsockFunction<decltype(::WSAGetQOSByName)> WSAGetQOSByName{"WSAGetQOSByName"};
TWinsockFunction<decltype(::WSAHtonl)> WSAHtonl{"WSAHtonl"};
TWinsockFunction<decltype(::WSAHtons)> WSAHtons{"WSAHtons"};
TWinsockFunction<decltype(::WSAIoctl)> WSAIoctl{"WSAIoctl"};
TWinsockFunction<decltype(::WSAJoinLeaf)> WSAJoinLeaf{"WSAJoinLeaf"};
TWinsockFunction<decltype(::WSANtohl)> WSANtohl{"WSANtohl"};
TWinsockFunction<decltype(::WSANtohs)> WSANtohs{"WSANtohs"};
TWinsockFunction<decltype(::WSARecv)> WSARecv{"WSARecv"};
TWinsockFunction<decltype(::WSARecvDisconnect)> WSARecvDisconnect{"WSARecvDisconnect"};
TWinsockFunction<decltype(::WSARecvFrom)> WSARecvFrom{"WSARecvFrom"};
TWinsockFunction<decltype(::WSAResetEvent)> WSAResetEvent{"WSAResetEvent"};
TWinsockFunction<decltype(::WSASend)> WSASend{"WSASend"};
TWinsockFunction<decltype(::WSASendDisconnect)> WSASendDisconnect{"WSASendDisconnect"};
TWinsockFunction<decltype(::WSASendTo)> WSASendTo{"WSASendTo"};
TWinsockFunction<decltype(::WSASetEvent)> WSASetEvent{"WSASetEvent"};
TWinsockFunction<decltype(::WSASocketA)> WSASocketA{"WSASocketA"};
TWinsockFunction<decltype(::WSASocketW)> WSASocketW{"WSASocketW"};
TWinsockFunction<decltype(::WSAWaitForMultipleEvents)> WSAWaitForMultipleEvents{"WSAWaitForMultipleEvents"};
TWinsockFunction<decltype(::WSAAddressToStringA)> WSAAddressToStringA{"WSAAddressToStringA"};
TWinsockFunction<decltype(::WSAAddressToStringW)> WSAAddressToStringW{"WSAAddressToStringW"};
TWinsockFunction<decltype(::WSAStringToAddressA)> WSAStringToAddressA{"WSAStringToAddressA"};
TWinsockFunction<decltype(::WSAStringToAddressW)> WSAStringToAddressW{"WSAStringToAddressW"};

TWinsockFunction<decltype(::WSALookupServiceBeginA)> WSALookupServiceBeginA{"WSALookupServiceBeginA"};
TWinsockFunction<decltype(::WSALookupServiceBeginW)> WSALookupServiceBeginW{"WSALookupServiceBeginW"};
TWinsockFunction<decltype(::WSALookupServiceNextA)> WSALookupServiceNextA{"WSALookupServiceNextA"};
TWinsockFunction<decltype(::WSALookupServiceNextW)> WSALookupServiceNextW{"WSALookupServiceNextW"};
TWinsockFunction<decltype(::WSALookupServiceEnd)> WSALookupServiceEnd{"WSALookupServiceEnd"};
TWinsockFunction<decltype(::WSANSPIoctl)> WSANSPIoctl{"WSANSPIoctl"};
TWinsockFunction<decltype(::WSAInstallServiceClassA)> WSAInstallServiceClassA{"WSAInstallServiceClassA"};
TWinsockFunction<decltype(::WSAInstallServiceClassW)> WSAInstallServiceClassW{"WSAInstallServiceClassW"};
TWinsockFunction<decltype(::WSARemoveServiceClass)> WSARemoveServiceClass{"WSARemoveServiceClass"};
TWinsockFunction<decltype(::WSAGetServiceClassInfoA)> WSAGetServiceClassInfoA{"WSAGetServiceClassInfoA"};
TWinsockFunction<decltype(::WSAGetServiceClassInfoW)> WSAGetServiceClassInfoW{"WSAGetServiceClassInfoW"};
TWinsockFunction<decltype(::WSAEnumNameSpaceProvidersA)> WSAEnumNameSpaceProvidersA{"WSAEnumNameSpaceProvidersA"};
TWinsockFunction<decltype(::WSAEnumNameSpaceProvidersW)> WSAEnumNameSpaceProvidersW{"WSAEnumNameSpaceProvidersW"};
TWinsockFunction<decltype(::WSAGetServiceClassNameByClassIdA)> WSAGetServiceClassNameByClassIdA{
    "WSAGetServiceClassNameByClassIdA"};
TWinsockFunction<decltype(::WSAGetServiceClassNameByClassIdW)> WSAGetServiceClassNameByClassIdW{
    "WSAGetServiceClassNameByClassIdW"};
TWinsockFunction<decltype(::WSASetServiceA)> WSASetServiceA{"WSASetServiceA"};
TWinsockFunction<decltype(::WSASetServiceW)> WSASetServiceW{"WSASetServiceW"};
TWinsockFunction<decltype(::WSAProviderConfigChange)> WSAProviderConfigChange{"WSAProviderConfigChange"};

TWinsockFunction<decltype(::WSARecvEx)> WSARecvEx{"WSARecvEx", TWinsockLibrary::kMSWSock};

TWinsockExtensionFunction<BOOL(SOCKET, HANDLE, DWORD, DWORD, LPOVERLAPPED, LPTRANSMIT_FILE_BUFFERS, DWORD)>
    TransmitFile{"TransmitFile", kGuidTransmitFile};
TWinsockExtensionFunction<BOOL(SOCKET, SOCKET, PVOID, DWORD, DWORD, DWORD, LPDWORD, LPOVERLAPPED)> AcceptEx{
    "AcceptEx", kGuidAcceptEx};
TWinsockExtensionFunction<BOOL(SOCKET, const sockaddr*, int, PVOID, DWORD, LPDWORD, LPOVERLAPPED)> ConnectEx{
    "ConnectEx", kGuidConnectEx};
TWinsockExtensionFunction<BOOL(SOCKET, LPOVERLAPPED, DWORD, DWORD)> DisconnectEx{"DisconnectEx", kGuidDisconnectEx};
TWinsockExtensionFunction<INT(SOCKET, LPWSAMSG, LPDWORD, LPWSAOVERLAPPED, LPWSAOVERLAPPED_COMPLETION_ROUTINE)>
    WSARecvMsg{"WSARecvMsg", kGuidWSARecvMsg};
TWinsockExtensionFunction<BOOL(SOCKET, LPTRANSMIT_PACKETS_ELEMENT, DWORD, DWORD, LPOVERLAPPED, DWORD)>
    TransmitPackets{"TransmitPackets", kGuidTransmitPackets};
TWinsockExtensionFunction<INT(SOCKET, LPWSAMSG, DWORD, LPDWORD, LPWSAOVERLAPPED, LPWSAOVERLAPPED_COMPLETION_ROUTINE)>
    WSASendMsg{"WSASendMsg", kGuidWSASendMsg};
TWinsockExtensionFunction<INT(WSAPOLLFD*, ULONG, INT)> WSAPoll{"WSAPoll", kGuidWSAPoll};

}  // namespace ws
