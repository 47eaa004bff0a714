#pragma once
// TNsSocketHandle: one operating-system socket with its local and peer
// addresses. It allocates, binds (also within a local port range),
// connects, waits for readability, sends, receives and closes, always
// through the process-wide stack. The handle is guarded by a lock because
// a connect worker may be inside Connect while the caller closes the socket.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "net/address_text.h"
#include "net/bytes.h"
#include "net/stack.h"
#include "platform/rtl/collection.h"

class TNsSocketList;

class TNsSocketHandle : public TCollectionItem {
 public:
  static constexpr TClass kClass{"TNsSocketHandle", &TCollectionItem::kClass,
                                 &ConstructInstance<TNsSocketHandle>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TNsSocketHandle(TCollection* collection = nullptr);
  ~TNsSocketHandle() override;

  // Copies IP, Port, the peer's address and port and the IP version from
  // another socket handle.
  void Assign(const TPersistent* source) override;

  // Closes any old socket, then asks the stack for a new one of the
  // handle's IP version.
  void CreateSocket(int32_t socket_type = kNsSockStream, int32_t protocol = 0);
  // Binds to IP / Port, or to the highest free port of the port range.
  void Bind();
  virtual void Connect();
  // Shuts the sending side down and closes; nothing when no socket is open.
  virtual void ReleaseSocket();
  void AssignPeer(const std::string& address, uint16_t port, TNsIPVersion version);
  void AssignLocal(const std::string& address, uint16_t port, TNsIPVersion version);

  int32_t Send(const TNsBytes& bytes, int64_t offset = 0, int64_t count = -1);
  int32_t ReceiveInto(TNsBytes& bytes);
  int32_t ReceiveFrom(TNsBytes& bytes, std::string& address, uint16_t& port, TNsIPVersion version);
  // Waits up to `timeout` ms (kNsInfiniteWait: without limit) until the
  // socket is readable. Raises ENsConnClosedGracefully when no socket is open.
  bool WaitReadable(int32_t timeout);
  // Forgets the handle without closing it (for a handle already closed).
  void Reset(bool also_local = true);

  TNsStackSocketHandle Handle() const { return handle_; }
  bool HandleAllocated() const { return allocated_; }

  const std::string& IP() const { return ip_; }
  void SetIP(const std::string& ip) { ip_ = ip; }
  uint16_t Port() const { return port_; }
  void SetPort(uint16_t port) { port_ = port; }
  const std::string& PeerIP() const { return peer_ip_; }
  uint16_t PeerPort() const { return peer_port_; }
  uint16_t ClientPortMin() const { return client_port_min_; }
  void SetClientPortMin(uint16_t port) { client_port_min_ = port; }
  uint16_t ClientPortMax() const { return client_port_max_; }
  void SetClientPortMax(uint16_t port) { client_port_max_ = port; }
  TNsIPVersion IPVersion() const { return ip_version_; }
  // Raises ENsCannotSetIPVersionWhenConnected on an open socket.
  void SetIPVersion(TNsIPVersion version);
  bool BroadcastEnabled() const { return broadcast_enabled_; }
  void SetBroadcastEnabled(bool enabled);

 private:
  void SetHandle(TNsStackSocketHandle handle);
  bool TryBind();
  bool CheckReadable(int32_t timeout);

  TNsStackReference stack_;
  uint16_t client_port_min_ = 0;
  uint16_t client_port_max_ = 0;
  TNsStackSocketHandle handle_ = kNsInvalidSocket;
  bool allocated_ = false;
  std::string ip_;
  std::string peer_ip_;
  uint16_t port_ = 0;
  uint16_t peer_port_ = 0;
  std::unique_ptr<TNsSocketList> read_list_;
  TNsIPVersion ip_version_ = Id_IPv4;
  std::recursive_mutex lock_;
  bool broadcast_enabled_ = false;
};
