#pragma once
// Winsock 2, bound by name at run time: the program links no socket
// library. WS2_32.DLL is loaded when the first socket stack is created, and
// every function is looked up by name on its first call; the address found
// is kept, so later calls go straight to the library. Extension functions
// that Winsock hands out per socket are fetched with WSAIoctl and their
// GUID. The name-resolution functions of newer systems (getaddrinfo and its
// family) are probed separately, in WS2_32.DLL or else in Wship6.dll.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <mswsock.h>
#include <windows.h>

#include <atomic>
#include <bit>
#include <cstdint>
#include <string>

#include "net/exceptions.h"

enum class TWinsockLibrary : uint8_t { kWs2_32, kMSWSock };

// Loads WS2_32.DLL and starts Winsock 2.2 once. Raises ENsWinsockStubError
// "Error on loading Winsock2 library (WS2_32.DLL): <system text>".
void LoadWinsock();
// Frees MSWSOCK.DLL, cleans Winsock up and frees WS2_32.DLL.
void UnloadWinsock();
void LoadMSWSockLibrary();
bool IsWinsockLoaded();
HMODULE WinsockLibraryHandle();

// Finds getaddrinfo, getnameinfo and freeaddrinfo (and the optional
// address and security functions); no error when they are missing.
void LoadIPv6Functions();
void ReleaseIPv6Functions();
bool IPv6FunctionsAvailable();

// A getaddrinfo result code in Winsock's numbering (Winsock's own codes
// pass through).
int32_t MapAddrInfoError(int32_t code);

// The address of `name` in the library; raises ENsWinsockStubError (10093
// when the library is not loaded, 10022 when the name is missing).
FARPROC LookUpWinsockFunction(const char* name, TWinsockLibrary library);
// How many names were looked up so far (each function once).
int32_t WinsockLookupCount();

// "Error on call to Winsock2 library function <name>" with the error.
[[noreturn]] void RaiseWinsockCallError(int32_t error, const char* name);

template <class Signature>
class TWinsockFunction;

// A Winsock function bound on its first call.
template <class R, class... Args>
class TWinsockFunction<R(Args...)> {
 public:
  using Pointer = R (*)(Args...);

  constexpr TWinsockFunction(const char* name, TWinsockLibrary library = TWinsockLibrary::kWs2_32)
      : name_(name), library_(library) {}

  R operator()(Args... args) {
    Pointer function = pointer_.load(std::memory_order_acquire);
    if (function == nullptr)
      function = Bind();
    return function(args...);
  }

  bool IsBound() const { return pointer_.load(std::memory_order_acquire) != nullptr; }
  const char* Name() const { return name_; }

 private:
  Pointer Bind() {
    // Two threads may both look the name up; they store the same address.
    const Pointer function = std::bit_cast<Pointer>(LookUpWinsockFunction(name_, library_));
    pointer_.store(function, std::memory_order_release);
    return function;
  }

  const char* name_;
  TWinsockLibrary library_;
  std::atomic<Pointer> pointer_{nullptr};
};

// The socket an extension function is asked for: its first argument, or
// for WSAPoll the socket of the first entry.
inline SOCKET ExtensionSocketOf(SOCKET socket) { return socket; }
inline SOCKET ExtensionSocketOf(WSAPOLLFD* entries) { return entries != nullptr ? entries->fd : INVALID_SOCKET; }

// Binds `pointer` through WSAIoctl(SIO_GET_EXTENSION_FUNCTION_POINTER).
FARPROC LookUpExtensionFunction(SOCKET socket, const GUID& guid, const char* name);

template <class Signature>
class TWinsockExtensionFunction;

// A Winsock extension function, fetched by GUID for the socket of its
// first call.
template <class R, class First, class... Args>
class TWinsockExtensionFunction<R(First, Args...)> {
 public:
  using Pointer = R (*)(First, Args...);

  constexpr TWinsockExtensionFunction(const char* name, const GUID& guid) : name_(name), guid_(guid) {}

  R operator()(First first, Args... args) {
    Pointer function = pointer_.load(std::memory_order_acquire);
    if (function == nullptr) {
      function = std::bit_cast<Pointer>(LookUpExtensionFunction(ExtensionSocketOf(first), guid_, name_));
      pointer_.store(function, std::memory_order_release);
    }
    return function(first, args...);
  }

  bool IsBound() const { return pointer_.load(std::memory_order_acquire) != nullptr; }

 private:
  const char* name_;
  GUID guid_;
  std::atomic<Pointer> pointer_{nullptr};
};

// The name-resolution functions found by LoadIPv6Functions (null when
// missing).
struct TIPv6Functions {
  decltype(&::getaddrinfo) getaddrinfo = nullptr;
  decltype(&::getnameinfo) getnameinfo = nullptr;
  decltype(&::freeaddrinfo) freeaddrinfo = nullptr;
  FARPROC inet_pton = nullptr;
  FARPROC inet_ntop = nullptr;
  FARPROC GetAddrInfoExA = nullptr;
  FARPROC SetAddrInfoExA = nullptr;
  FARPROC FreeAddrInfoEx = nullptr;
  FARPROC WSASetSocketPeerTargetName = nullptr;
  FARPROC WSADeleteSocketPeerTargetName = nullptr;
  FARPROC WSAImpersonateSocketPeer = nullptr;
  FARPROC WSAQuerySocketSecurity = nullptr;
  FARPROC WSARevertImpersonation = nullptr;
};
const TIPv6Functions& IPv6Functions();

// The bound functions. The subsystem itself calls the socket basics, the
// host and service database functions, the error functions, WSASocketA,
// WSAIoctl, WSAEnumProtocolsA, WSARecvMsg and TransmitFile; the others are
// bound only if called.
namespace ws {

// Socket basics.
extern TWinsockFunction<decltype(::WSAStartup)> WSAStartup;
extern TWinsockFunction<decltype(::WSACleanup)> WSACleanup;
extern TWinsockFunction<decltype(::accept)> accept;
extern TWinsockFunction<decltype(::bind)> bind;
extern TWinsockFunction<decltype(::closesocket)> closesocket;
extern TWinsockFunction<decltype(::connect)> connect;
extern TWinsockFunction<decltype(::ioctlsocket)> ioctlsocket;
extern TWinsockFunction<decltype(::getpeername)> getpeername;
extern TWinsockFunction<decltype(::getsockname)> getsockname;
extern TWinsockFunction<decltype(::getsockopt)> getsockopt;
extern TWinsockFunction<decltype(::htonl)> htonl;
extern TWinsockFunction<decltype(::htons)> htons;
extern TWinsockFunction<decltype(::inet_addr)> inet_addr;
extern TWinsockFunction<decltype(::inet_ntoa)> inet_ntoa;
extern TWinsockFunction<decltype(::listen)> listen;
extern TWinsockFunction<decltype(::ntohl)> ntohl;
extern TWinsockFunction<decltype(::ntohs)> ntohs;
extern TWinsockFunction<decltype(::recv)> recv;
extern TWinsockFunction<decltype(::recvfrom)> recvfrom;
extern TWinsockFunction<decltype(::select)> select;
extern TWinsockFunction<decltype(::send)> send;
extern TWinsockFunction<decltype(::sendto)> sendto;
extern TWinsockFunction<decltype(::setsockopt)> setsockopt;
extern TWinsockFunction<decltype(::shutdown)> shutdown;
extern TWinsockFunction<decltype(::socket)> socket;
extern TWinsockFunction<decltype(::__WSAFDIsSet)> WSAFDIsSet;

// Database functions.
extern TWinsockFunction<decltype(::gethostbyaddr)> gethostbyaddr;
extern TWinsockFunction<decltype(::gethostbyname)> gethostbyname;
extern TWinsockFunction<decltype(::gethostname)> gethostname;
extern TWinsockFunction<decltype(::getservbyport)> getservbyport;
extern TWinsockFunction<decltype(::getservbyname)> getservbyname;
extern TWinsockFunction<decltype(::getprotobynumber)> getprotobynumber;
extern TWinsockFunction<decltype(::getprotobyname)> getprotobyname;

// Error and blocking-hook functions.
extern TWinsockFunction<decltype(::WSASetLastError)> WSASetLastError;
extern TWinsockFunction<decltype(::WSAGetLastError)> WSAGetLastError;
extern TWinsockFunction<BOOL()> WSAIsBlocking;
extern TWinsockFunction<int()> WSAUnhookBlockingHook;
extern TWinsockFunction<FARPROC(FARPROC)> WSASetBlockingHook;
extern TWinsockFunction<int()> WSACancelBlockingCall;

// Asynchronous functions.
extern TWinsockFunction<decltype(::WSAAsyncGetServByName)> WSAAsyncGetServByName;
extern TWinsockFunction<decltype(::WSAAsyncGetServByPort)> WSAAsyncGetServByPort;
extern TWinsockFunction<decltype(::WSAAsyncGetProtoByName)> WSAAsyncGetProtoByName;
extern TWinsockFunction<decltype(::WSAAsyncGetProtoByNumber)> WSAAsyncGetProtoByNumber;
extern TWinsockFunction<decltype(::WSAAsyncGetHostByName)> WSAAsyncGetHostByName;
extern TWinsockFunction<decltype(::WSAAsyncGetHostByAddr)> WSAAsyncGetHostByAddr;
extern TWinsockFunction<decltype(::WSACancelAsyncRequest)> WSACancelAsyncRequest;
extern TWinsockFunction<decltype(::WSAAsyncSelect)> WSAAsyncSelect;

// Winsock 2 functions.
extern TWinsockFunction<decltype(::WSAAccept)> WSAAccept;
extern TWinsockFunction<decltype(::WSACloseEvent)> WSACloseEvent;
extern TWinsockFunction<decltype(::WSAConnect)> WSAConnect;
extern TWinsockFunction<decltype(::WSACreateEvent)> WSACreateEvent;
extern TWinsockFunction<decltype(::WSADuplicateSocketA)> WSADuplicateSocketA;
extern TWinsockFunction<decltype(::WSADuplicateSocketW)> WSADuplicateSocketW;
extern TWinsockFunction<decltype(::WSAEnumNetworkEvents)> WSAEnumNetworkEvents;
extern TWinsockFunction<decltype(::WSAEnumProtocolsA)> WSAEnumProtocolsA;
extern TWinsockFunction<decltype(::WSAEnumProtocolsW)> WSAEnumProtocolsW;
extern TWinsockFunction<decltype(::WSAEventSelect)> WSAEventSelect;
extern TWinsockFunction<decltype(::WSAGetOverlappedResult)> WSAGetOverlappedResult;
extern TWinsockFunction<decltype(::WSAGetQOSByName)> WSAGetQOSByName;
extern TWinsockFunction<decltype(::WSAHtonl)> WSAHtonl;
extern TWinsockFunction<decltype(::WSAHtons)> WSAHtons;
extern TWinsockFunction<decltype(::WSAIoctl)> WSAIoctl;
extern TWinsockFunction<decltype(::WSAJoinLeaf)> WSAJoinLeaf;
extern TWinsockFunction<decltype(::WSANtohl)> WSANtohl;
extern TWinsockFunction<decltype(::WSANtohs)> WSANtohs;
extern TWinsockFunction<decltype(::WSARecv)> WSARecv;
extern TWinsockFunction<decltype(::WSARecvDisconnect)> WSARecvDisconnect;
extern TWinsockFunction<decltype(::WSARecvFrom)> WSARecvFrom;
extern TWinsockFunction<decltype(::WSAResetEvent)> WSAResetEvent;
extern TWinsockFunction<decltype(::WSASend)> WSASend;
extern TWinsockFunction<decltype(::WSASendDisconnect)> WSASendDisconnect;
extern TWinsockFunction<decltype(::WSASendTo)> WSASendTo;
extern TWinsockFunction<decltype(::WSASetEvent)> WSASetEvent;
extern TWinsockFunction<decltype(::WSASocketA)> WSASocketA;
extern TWinsockFunction<decltype(::WSASocketW)> WSASocketW;
extern TWinsockFunction<decltype(::WSAWaitForMultipleEvents)> WSAWaitForMultipleEvents;
extern TWinsockFunction<decltype(::WSAAddressToStringA)> WSAAddressToStringA;
extern TWinsockFunction<decltype(::WSAAddressToStringW)> WSAAddressToStringW;
extern TWinsockFunction<decltype(::WSAStringToAddressA)> WSAStringToAddressA;
extern TWinsockFunction<decltype(::WSAStringToAddressW)> WSAStringToAddressW;

// Name-space functions.
extern TWinsockFunction<decltype(::WSALookupServiceBeginA)> WSALookupServiceBeginA;
extern TWinsockFunction<decltype(::WSALookupServiceBeginW)> WSALookupServiceBeginW;
extern TWinsockFunction<decltype(::WSALookupServiceNextA)> WSALookupServiceNextA;
extern TWinsockFunction<decltype(::WSALookupServiceNextW)> WSALookupServiceNextW;
extern TWinsockFunction<decltype(::WSALookupServiceEnd)> WSALookupServiceEnd;
extern TWinsockFunction<decltype(::WSANSPIoctl)> WSANSPIoctl;
extern TWinsockFunction<decltype(::WSAInstallServiceClassA)> WSAInstallServiceClassA;
extern TWinsockFunction<decltype(::WSAInstallServiceClassW)> WSAInstallServiceClassW;
extern TWinsockFunction<decltype(::WSARemoveServiceClass)> WSARemoveServiceClass;
extern TWinsockFunction<decltype(::WSAGetServiceClassInfoA)> WSAGetServiceClassInfoA;
extern TWinsockFunction<decltype(::WSAGetServiceClassInfoW)> WSAGetServiceClassInfoW;
extern TWinsockFunction<decltype(::WSAEnumNameSpaceProvidersA)> WSAEnumNameSpaceProvidersA;
extern TWinsockFunction<decltype(::WSAEnumNameSpaceProvidersW)> WSAEnumNameSpaceProvidersW;
extern TWinsockFunction<decltype(::WSAGetServiceClassNameByClassIdA)> WSAGetServiceClassNameByClassIdA;
extern TWinsockFunction<decltype(::WSAGetServiceClassNameByClassIdW)> WSAGetServiceClassNameByClassIdW;
extern TWinsockFunction<decltype(::WSASetServiceA)> WSASetServiceA;
extern TWinsockFunction<decltype(::WSASetServiceW)> WSASetServiceW;
extern TWinsockFunction<decltype(::WSAProviderConfigChange)> WSAProviderConfigChange;

// From MSWSOCK.DLL, loaded on the first call.
extern TWinsockFunction<decltype(::WSARecvEx)> WSARecvEx;

// Extension functions, by GUID.
extern TWinsockExtensionFunction<BOOL(SOCKET, HANDLE, DWORD, DWORD, LPOVERLAPPED, LPTRANSMIT_FILE_BUFFERS, DWORD)>
    TransmitFile;
extern TWinsockExtensionFunction<BOOL(SOCKET, SOCKET, PVOID, DWORD, DWORD, DWORD, LPDWORD, LPOVERLAPPED)> AcceptEx;
extern TWinsockExtensionFunction<BOOL(SOCKET, const sockaddr*, int, PVOID, DWORD, LPDWORD, LPOVERLAPPED)> ConnectEx;
extern TWinsockExtensionFunction<BOOL(SOCKET, LPOVERLAPPED, DWORD, DWORD)> DisconnectEx;
extern TWinsockExtensionFunction<INT(SOCKET, LPWSAMSG, LPDWORD, LPWSAOVERLAPPED, LPWSAOVERLAPPED_COMPLETION_ROUTINE)>
    WSARecvMsg;
extern TWinsockExtensionFunction<BOOL(SOCKET, LPTRANSMIT_PACKETS_ELEMENT, DWORD, DWORD, LPOVERLAPPED, DWORD)>
    TransmitPackets;
extern TWinsockExtensionFunction<INT(SOCKET, LPWSAMSG, DWORD, LPDWORD, LPWSAOVERLAPPED,
                                     LPWSAOVERLAPPED_COMPLETION_ROUTINE)>
    WSASendMsg;
extern TWinsockExtensionFunction<INT(WSAPOLLFD*, ULONG, INT)> WSAPoll;

}  // namespace ws

// The extension GUIDs (the published identifiers).
inline constexpr GUID kGuidTransmitFile = {0xB5367DF0, 0xCBAC, 0x11CF, {0x95, 0xCA, 0x00, 0x80, 0x5F, 0x48, 0xA1, 0x92}};
inline constexpr GUID kGuidAcceptEx = {0xB5367DF1, 0xCBAC, 0x11CF, {0x95, 0xCA, 0x00, 0x80, 0x5F, 0x48, 0xA1, 0x92}};
inline constexpr GUID kGuidGetAcceptExSockaddrs = {0xB5367DF2, 0xCBAC, 0x11CF,
                                                   {0x95, 0xCA, 0x00, 0x80, 0x5F, 0x48, 0xA1, 0x92}};
inline constexpr GUID kGuidConnectEx = {0x25A207B9, 0xDDF3, 0x4660, {0x8E, 0xE9, 0x76, 0xE5, 0x8C, 0x74, 0x06, 0x3E}};
inline constexpr GUID kGuidDisconnectEx = {0x7FDA2E11, 0x8630, 0x436F, {0xA0, 0x31, 0xF5, 0x36, 0xA6, 0xEE, 0xC1, 0x57}};
inline constexpr GUID kGuidWSARecvMsg = {0xF689D7C8, 0x6F1F, 0x436B, {0x8A, 0x53, 0xE5, 0x4F, 0xE3, 0x51, 0xC3, 0x22}};
inline constexpr GUID kGuidTransmitPackets = {0xD9689DA0, 0x1F90, 0x11D3,
                                              {0x99, 0x71, 0x00, 0xC0, 0x4F, 0x68, 0xC8, 0x76}};
inline constexpr GUID kGuidWSASendMsg = {0xA441E712, 0x754F, 0x43CA, {0x84, 0xA7, 0x0D, 0xEE, 0x44, 0xCF, 0x60, 0x6D}};
inline constexpr GUID kGuidWSAPoll = {0x18C76F85, 0xDC66, 0x4964, {0x97, 0x2E, 0x23, 0xC2, 0x72, 0x38, 0x31, 0x2B}};
