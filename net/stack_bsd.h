#pragma once
// TNsStackBSDBase: the generic part of a BSD-style socket library. It builds
// and decodes socket addresses (whose layout, 16 bytes for IPv4 and 28 for
// IPv6, is the same on Windows and POSIX; only the family numbers differ)
// and implements the stack's operations over a small set of primitives that
// the platform stacks provide.

#include <cstdint>
#include <memory>
#include <string>

#include "net/stack.h"

class TStringList;

// A socket address of either family, in the platform's layout.
struct TNsSocketAddress {
  alignas(8) uint8_t bytes[128] = {};
  int32_t length = 0;
};

// What the system reports of one received datagram besides its bytes.
struct TNsDatagramDetails {
  TNsSocketAddress source;
  // The address it was sent to (4 or 16 bytes) and the interface it came
  // in on; empty while the socket does not ask for them.
  TNsBytes destination;
  uint32_t interface_index = 0;
  // Its hop limit; negative while the socket does not ask for it.
  int32_t hop_limit = -1;
};

class TNsStackBSDBase : public TNsStack {
 public:
  static constexpr TClass kClass{"TNsStackBSDBase", &TNsStack::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TNsStackSocketHandle NewSocket(int32_t socket_type, int32_t protocol, TNsIPVersion version,
                                 bool overlapped = false) override;
  void BindSocket(TNsStackSocketHandle socket, const std::string& address, uint16_t port,
                  TNsIPVersion version) override;
  void ConnectSocket(TNsStackSocketHandle socket, const std::string& address, uint16_t port,
                     TNsIPVersion version) override;
  void ListenOnSocket(TNsStackSocketHandle socket, int32_t backlog) override;
  TNsStackSocketHandle Accept(TNsStackSocketHandle socket, std::string& address, uint16_t& port,
                              TNsIPVersion& version) override;
  int32_t DisconnectSocket(TNsStackSocketHandle socket) override;
  void GetPeerAddress(TNsStackSocketHandle socket, std::string& address, uint16_t& port,
                      TNsIPVersion& version) override;
  void GetLocalAddress(TNsStackSocketHandle socket, std::string& address, uint16_t& port,
                       TNsIPVersion& version) override;
  int32_t GetSocketOption(TNsStackSocketHandle socket, TNsSocketOption option) override;
  void SetSocketOption(TNsStackSocketHandle socket, TNsSocketOption option, int32_t value) override;
  int32_t ReceiveBytes(TNsStackSocketHandle socket, TNsBytes& bytes) override;
  int32_t SendBytes(TNsStackSocketHandle socket, const TNsBytes& bytes, int64_t offset = 0,
                    int64_t count = -1) override;
  int32_t ReceiveFrom(TNsStackSocketHandle socket, TNsBytes& bytes, std::string& address, uint16_t& port,
                      TNsIPVersion version) override;
  int32_t ReceiveMessage(TNsStackSocketHandle socket, TNsBytes& bytes, TNsPacketInfo& packet_info,
                         TNsIPVersion version) override;
  // Raises ENsPackageSizeTooBig for a datagram too large, the socket error
  // for other failures and ENsNotAllBytesSent for a partial send.
  int32_t SendTo(TNsStackSocketHandle socket, const TNsBytes& bytes, int64_t offset, int64_t count,
                 const std::string& address, uint16_t port, TNsIPVersion version) override;
  // Adds 11001, "Host not found.", to the base's table.
  std::string TranslateSocketError(int32_t error) override;

  void SetMulticastHops(TNsStackSocketHandle socket, int32_t value, TNsIPVersion version);
  void SetMulticastLoop(TNsStackSocketHandle socket, bool value, TNsIPVersion version);
  // False when `group` is not a multicast address of either family.
  bool JoinMulticastGroup(TNsStackSocketHandle socket, const std::string& group, const std::string& local,
                          TNsIPVersion version);
  bool LeaveMulticastGroup(TNsStackSocketHandle socket, const std::string& group, const std::string& local,
                           TNsIPVersion version);

  // Whether a stream socket of the version's family can be created.
  virtual bool ProbeIPVersion(TNsIPVersion version);
  // The port of a service name, or the name read as a number; raises
  // ENsInvalidServiceName for neither.
  virtual uint16_t ServicePortByName(const std::string& name) = 0;
  // The official name and the aliases of the port's service; empty when it
  // has none.
  virtual std::unique_ptr<TStringList> ServiceNamesByPort(uint16_t port) = 0;
  virtual void SetBlockingMode(TNsStackSocketHandle socket, bool blocking) = 0;
  // Raises for a failed result other than "would block"; otherwise whether
  // the call would have blocked.
  bool IsWouldBlock(int32_t result);

  // Socket addresses (raise ENsIPVersionUnsupported for other families).
  TNsSocketAddress BuildAddress(const std::string& address, uint16_t port, TNsIPVersion version);
  void DecodeAddress(const TNsSocketAddress& socket_address, std::string& address, uint16_t& port,
                     TNsIPVersion& version);

 protected:
  // The platform's family number for the version (AF_INET, AF_INET6).
  virtual uint16_t AddressFamily(TNsIPVersion version) const = 0;

  // The primitives: the platform calls, returning their raw result.
  virtual TNsStackSocketHandle ApiSocket(int32_t family, int32_t type, int32_t protocol, bool overlapped) = 0;
  virtual int32_t ApiCloseSocket(TNsStackSocketHandle socket) = 0;
  virtual int32_t ApiShutdown(TNsStackSocketHandle socket, int32_t how) = 0;
  virtual int32_t ApiBind(TNsStackSocketHandle socket, const void* address, int32_t length) = 0;
  virtual int32_t ApiConnect(TNsStackSocketHandle socket, const void* address, int32_t length) = 0;
  virtual int32_t ApiListen(TNsStackSocketHandle socket, int32_t backlog) = 0;
  virtual TNsStackSocketHandle ApiAccept(TNsStackSocketHandle socket, void* address, int32_t& length) = 0;
  virtual int32_t ApiGetSockName(TNsStackSocketHandle socket, void* address, int32_t& length) = 0;
  virtual int32_t ApiGetPeerName(TNsStackSocketHandle socket, void* address, int32_t& length) = 0;
  virtual int32_t ApiRecv(TNsStackSocketHandle socket, void* buffer, int32_t length) = 0;
  virtual int32_t ApiSend(TNsStackSocketHandle socket, const void* buffer, int32_t length) = 0;
  virtual int32_t ApiRecvFrom(TNsStackSocketHandle socket, void* buffer, int32_t length, void* address,
                              int32_t& address_length) = 0;
  virtual int32_t ApiSendTo(TNsStackSocketHandle socket, const void* buffer, int32_t length, const void* address,
                            int32_t address_length) = 0;
  // Receives one datagram with its control messages, read into `details`.
  virtual int32_t ApiRecvMsg(TNsStackSocketHandle socket, void* buffer, int32_t length,
                             TNsDatagramDetails& details) = 0;
  virtual int32_t ApiSetSockOpt(TNsStackSocketHandle socket, TNsSocketOption option, const void* value,
                                int32_t length) = 0;
  virtual int32_t ApiGetSockOpt(TNsStackSocketHandle socket, TNsSocketOption option, void* value,
                                int32_t& length) = 0;

 private:
  bool ChangeMulticastGroup(TNsStackSocketHandle socket, const std::string& group, const std::string& local,
                            bool join);
};
