#pragma once
// TNsStack: every socket call of the transport goes through the one
// process-wide stack object. The abstract class names the operations; the
// BSD base (stack_bsd.h) implements them over a small set of socket
// primitives, which the Winsock stack (Windows) and the POSIX stack (the
// native build) provide. Errors keep the Winsock numbering on every
// platform, so that texts and exception classes are the same everywhere.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "net/address_text.h"
#include "net/bytes.h"
#include "net/stack_reference.h"
#include "platform/rtl/object.h"

class TStrings;
class TNsSocketList;

// An operating-system socket; kNsInvalidSocket for none.
using TNsStackSocketHandle = intptr_t;
inline constexpr TNsStackSocketHandle kNsInvalidSocket = -1;

// The one "wait without limit" value of every time-out in the transport
// (socket handles, socket lists, I/O handlers). Socket lists take any
// negative time-out as no limit, so that no caller can turn a wait without
// limit into an invalid or an immediate one.
inline constexpr int32_t kNsInfiniteWait = -1;

// The result of a failed socket call.
inline constexpr int32_t kNsSocketError = -1;

// Socket types and options used by the transport.
inline constexpr int32_t kNsSockStream = 1;
inline constexpr int32_t kNsSockDgram = 2;

// Winsock error numbers the transport itself looks at.
inline constexpr int32_t kWsaEIntr = 10004;
inline constexpr int32_t kWsaEBadF = 10009;
inline constexpr int32_t kWsaEInval = 10022;
inline constexpr int32_t kWsaEWouldBlock = 10035;
inline constexpr int32_t kWsaENotSock = 10038;
inline constexpr int32_t kWsaEMsgSize = 10040;
inline constexpr int32_t kWsaEAddrInUse = 10048;
inline constexpr int32_t kWsaEConnAborted = 10053;
inline constexpr int32_t kWsaEConnReset = 10054;
inline constexpr int32_t kWsaENotConn = 10057;
inline constexpr int32_t kWsaETimedOut = 10060;
inline constexpr int32_t kWsaEConnRefused = 10061;
inline constexpr int32_t kWsaNotInitialised = 10093;
inline constexpr int32_t kWsaHostNotFound = 11001;
inline constexpr int32_t kWsaTryAgain = 11002;

// Portable socket options, translated to the platform's numbers by the
// platform stacks.
enum class TNsSocketOption : uint8_t {
  kReuseAddress,
  kBroadcast,
  kNoDelay,
  kKeepAlive,
  kMulticastHopsIPv4,
  kMulticastHopsIPv6,
  kMulticastLoopIPv4,
  kMulticastLoopIPv6,
  kJoinGroupIPv4,
  kJoinGroupIPv6,
  kLeaveGroupIPv4,
  kLeaveGroupIPv6,
  // Ask a datagram socket to report, with each datagram ReceiveMessage
  // takes, the address it was sent to and the interface it came in on
  // (packet information), or its hop limit.
  kPacketInfoIPv4,
  kPacketInfoIPv6,
  kHopLimitIPv4,
  kHopLimitIPv6,
};

// What ReceiveMessage learns of a datagram besides its bytes. The
// destination and the hop limit are reported only when the socket asked
// for them (kPacketInfo..., kHopLimit...) before the datagram arrived;
// otherwise they stay empty and 0.
struct TNsPacketInfo {
  std::string SourceIP;
  uint16_t SourcePort = 0;
  TNsIPVersion SourceIPVersion = Id_IPv4;
  std::string DestIP;
  // The number of the interface the datagram came in on.
  uint32_t DestIF = 0;
  TNsIPVersion DestIPVersion = Id_IPv4;
  // The hop limit (IPv4: time to live) the datagram arrived with.
  uint8_t TTL = 0;
};

using TNsIPv6Words = std::array<uint16_t, 8>;

class TNsStack : public TObject {
 public:
  static constexpr TClass kClass{"TNsStack", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // Name resolution: the first address of `host`, as text.
  virtual std::string LookupHostAddress(const std::string& host, TNsIPVersion version) = 0;
  virtual std::string LookupHostName(const std::string& address, TNsIPVersion version) = 0;
  virtual std::string LocalHostName() = 0;
  // Every address of the local host, as dotted texts.
  virtual void ListLocalAddresses(TStrings& list) = 0;
  virtual bool HasIPv6Protocol() = 0;

  virtual TNsStackSocketHandle NewSocket(int32_t socket_type, int32_t protocol, TNsIPVersion version,
                                         bool overlapped = false) = 0;
  virtual void BindSocket(TNsStackSocketHandle socket, const std::string& address, uint16_t port,
                          TNsIPVersion version) = 0;
  virtual void ConnectSocket(TNsStackSocketHandle socket, const std::string& address, uint16_t port,
                             TNsIPVersion version) = 0;
  virtual void ListenOnSocket(TNsStackSocketHandle socket, int32_t backlog) = 0;
  // The new socket, or kNsInvalidSocket when accept failed.
  virtual TNsStackSocketHandle Accept(TNsStackSocketHandle socket, std::string& address, uint16_t& port,
                                      TNsIPVersion& version) = 0;
  // Shuts the sending side down, then closes; the close's result. Never raises.
  virtual int32_t DisconnectSocket(TNsStackSocketHandle socket) = 0;
  virtual void GetPeerAddress(TNsStackSocketHandle socket, std::string& address, uint16_t& port,
                              TNsIPVersion& version) = 0;
  virtual void GetLocalAddress(TNsStackSocketHandle socket, std::string& address, uint16_t& port,
                               TNsIPVersion& version) = 0;
  virtual int32_t IOControl(TNsStackSocketHandle socket, uint32_t command, uint32_t& value) = 0;

  virtual int32_t GetSocketOption(TNsStackSocketHandle socket, TNsSocketOption option) = 0;
  virtual void SetSocketOption(TNsStackSocketHandle socket, TNsSocketOption option, int32_t value) = 0;

  // Bytes received into the whole array / sent from it; failures raise.
  virtual int32_t ReceiveBytes(TNsStackSocketHandle socket, TNsBytes& bytes) = 0;
  virtual int32_t SendBytes(TNsStackSocketHandle socket, const TNsBytes& bytes, int64_t offset = 0,
                            int64_t count = -1) = 0;
  virtual int32_t ReceiveFrom(TNsStackSocketHandle socket, TNsBytes& bytes, std::string& address, uint16_t& port,
                              TNsIPVersion version) = 0;
  virtual int32_t SendTo(TNsStackSocketHandle socket, const TNsBytes& bytes, int64_t offset, int64_t count,
                         const std::string& address, uint16_t port, TNsIPVersion version) = 0;
  // One datagram into the whole array, with what the system tells of it;
  // the byte count. Failures raise.
  virtual int32_t ReceiveMessage(TNsStackSocketHandle socket, TNsBytes& bytes, TNsPacketInfo& packet_info,
                                 TNsIPVersion version) = 0;

  virtual int32_t GetLastSocketError() = 0;
  virtual void SetLastSocketError(int32_t error) = 0;
  // "Socket Error # <n>\r\n<text>"; the text is empty for unknown numbers.
  virtual std::string TranslateSocketError(int32_t error);
  // ENsNotASocket for 10038, ENsSocketError for every other number.
  [[noreturn]] void RaiseSocketError(int32_t error);
  [[noreturn]] void RaiseLastSocketError() { RaiseSocketError(GetLastSocketError()); }
  // `result`, or the last socket error raised when it is the error result.
  int32_t CheckSocketResult(int32_t result);
  // As CheckSocketResult, but an error among `ignored` is returned instead.
  int32_t CheckSocketResultIgnoring(int32_t result, std::initializer_list<int32_t> ignored);

  // Byte order. Network order is most significant byte first.
  virtual uint16_t HostToNetwork16(uint16_t value);
  virtual uint32_t HostToNetwork32(uint32_t value);
  virtual uint64_t HostToNetwork64(uint64_t value);
  virtual uint16_t NetworkToHost16(uint16_t value);
  virtual uint32_t NetworkToHost32(uint32_t value);
  virtual uint64_t NetworkToHost64(uint64_t value);
  TNsIPv6Words HostToNetworkIPv6(const TNsIPv6Words& words);
  TNsIPv6Words NetworkToHostIPv6(const TNsIPv6Words& words);

  // The Internet checksum of the bytes, words read in machine order.
  static uint16_t InternetChecksum(const TNsBytes& bytes);
  // Writes the checksum of an ICMP message at `offset` (IPv4 only).
  virtual void StoreChecksum(TNsStackSocketHandle socket, TNsBytes& bytes, int32_t offset);

  // Sends the whole file over `socket` with the system's own routine: the
  // size sent, 0 on any failure. None when the stack has no such routine;
  // the I/O handler then copies the file itself.
  virtual std::optional<int64_t> TransmitWholeFile(TNsStackSocketHandle socket, const std::string& file_name);

  // A new, empty socket list of the stack's kind.
  virtual std::unique_ptr<TNsSocketList> NewSocketList() = 0;
  // TNsSocketList::SelectLists for lists of the stack's kind.
  virtual bool SelectLists(TNsSocketList* read, TNsSocketList* write, TNsSocketList* error, int32_t timeout) = 0;
};

// The stack while any holder exists; null otherwise.
TNsStack* GStack();
// The stack, or ENsException "Stack Class is undefined." style failures
// when there is none (a caller holding no TNsStackReference).
TNsStack& RequireStack();
// The number of holders (components and buffers alive).
int32_t StackUsageCount();

// The class created by the first AcquireStack: the platform's stack
// (PlatformStackClass) unless SetStackClass chose another.
void SetStackClass(const TClass* stack_class);
const TClass* StackClass();
// TNsStackWindows in the Windows build, TNsStackUnix in the native build.
const TClass* PlatformStackClass();

// An address text for `host`: IPv6 in canonical form or looked up; IPv4
// "localhost" (any case) is 127.0.0.1 without a lookup, a dotted address is
// kept, anything else is looked up. Other versions raise
// ENsIPVersionUnsupported.
std::string ResolveAddressText(const std::string& host, TNsIPVersion version);
