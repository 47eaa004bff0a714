#include "net/socket_handle.h"

#include "net/anti_freeze.h"
#include "net/exceptions.h"
#include "net/socket_list.h"

TNsSocketHandle::TNsSocketHandle(TCollection* collection)
    : TCollectionItem(collection), read_list_(RequireStack().NewSocketList()) {
  Reset(true);
}

TNsSocketHandle::~TNsSocketHandle() { ReleaseSocket(); }

void TNsSocketHandle::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TNsSocketHandle*>(source);
  if (other == nullptr) {
    TCollectionItem::Assign(source);
    return;
  }
  ip_ = other->ip_;
  port_ = other->port_;
  peer_ip_ = other->peer_ip_;
  peer_port_ = other->peer_port_;
  ip_version_ = other->ip_version_;
}

void TNsSocketHandle::SetHandle(TNsStackSocketHandle handle) {
  if (handle_ != kNsInvalidSocket)
    read_list_->Remove(handle_);
  handle_ = handle;
  allocated_ = handle != kNsInvalidSocket;
  if (allocated_)
    read_list_->Add(handle);
}

void TNsSocketHandle::CreateSocket(int32_t socket_type, int32_t protocol) {
  ReleaseSocket();
  SetHandle(RequireStack().NewSocket(socket_type, protocol, ip_version_));
}

bool TNsSocketHandle::TryBind() {
  try {
    RequireStack().BindSocket(handle_, ip_, port_, ip_version_);
    RequireStack().GetLocalAddress(handle_, ip_, port_, ip_version_);
    return true;
  } catch (const Exception&) {
    // A failed attempt only means "try the next port" to the caller.
    return false;
  }
}

void TNsSocketHandle::Bind() {
  if (port_ != 0 || client_port_min_ == 0 || client_port_max_ == 0) {
    if (!TryBind())
      throw ENsCouldNotBindSocket();
    return;
  }
  if (client_port_max_ < client_port_min_)
    throw ENsInvalidPortRange(client_port_min_, client_port_max_);
  for (uint32_t port = client_port_max_; port >= client_port_min_; --port) {
    port_ = static_cast<uint16_t>(port);
    if (TryBind())
      return;
  }
  throw ENsCannotBindPortInRange(client_port_min_, client_port_max_);
}

void TNsSocketHandle::Connect() {
  TNsStackSocketHandle handle;
  {
    std::lock_guard<std::recursive_mutex> guard(lock_);
    handle = handle_;
  }
  RequireStack().ConnectSocket(handle, peer_ip_, peer_port_, ip_version_);
  std::lock_guard<std::recursive_mutex> guard(lock_);
  // The socket may have been closed under a connect that was given up on.
  if (!allocated_)
    return;
  RequireStack().GetLocalAddress(handle_, ip_, port_, ip_version_);
  RequireStack().GetPeerAddress(handle_, peer_ip_, peer_port_, ip_version_);
}

void TNsSocketHandle::ReleaseSocket() {
  std::lock_guard<std::recursive_mutex> guard(lock_);
  if (!allocated_)
    return;
  allocated_ = false;
  RequireStack().DisconnectSocket(handle_);
  SetHandle(kNsInvalidSocket);
}

void TNsSocketHandle::AssignPeer(const std::string& address, uint16_t port, TNsIPVersion version) {
  peer_ip_ = address;
  peer_port_ = port;
  ip_version_ = version;
}

void TNsSocketHandle::AssignLocal(const std::string& address, uint16_t port, TNsIPVersion version) {
  ip_ = address;
  port_ = port;
  ip_version_ = version;
}

int32_t TNsSocketHandle::Send(const TNsBytes& bytes, int64_t offset, int64_t count) {
  return RequireStack().SendBytes(handle_, bytes, offset, count);
}

int32_t TNsSocketHandle::ReceiveInto(TNsBytes& bytes) { return RequireStack().ReceiveBytes(handle_, bytes); }

int32_t TNsSocketHandle::ReceiveFrom(TNsBytes& bytes, std::string& address, uint16_t& port,
                                     TNsIPVersion version) {
  return RequireStack().ReceiveFrom(handle_, bytes, address, port, version);
}

bool TNsSocketHandle::CheckReadable(int32_t timeout) {
  if (!allocated_)
    throw ENsConnClosedGracefully();
  const bool readable = read_list_->SelectReadable(timeout);
  AntiFreezeTurn(!readable);
  return readable;
}

bool TNsSocketHandle::WaitReadable(int32_t timeout) {
  if (timeout < 0)
    timeout = kNsInfiniteWait;
  if (!AntiFreezeInUse())
    return CheckReadable(timeout);
  const int32_t step = AntiFreezeIdleTimeOut();
  if (timeout == kNsInfiniteWait) {
    while (!CheckReadable(step)) {
    }
    return true;
  }
  while (step < timeout) {
    if (CheckReadable(step))
      return true;
    timeout -= step;
  }
  return CheckReadable(timeout);
}

void TNsSocketHandle::Reset(bool also_local) {
  SetHandle(kNsInvalidSocket);
  if (also_local) {
    ip_.clear();
    port_ = 0;
  }
  peer_ip_.clear();
  peer_port_ = 0;
  ip_version_ = Id_IPv4;
}

void TNsSocketHandle::SetIPVersion(TNsIPVersion version) {
  if (version == ip_version_)
    return;
  if (allocated_)
    throw ENsCannotSetIPVersionWhenConnected();
  ip_version_ = version;
}

void TNsSocketHandle::SetBroadcastEnabled(bool enabled) {
  if (enabled == broadcast_enabled_)
    return;
  broadcast_enabled_ = enabled;
  if (allocated_)
    RequireStack().SetSocketOption(handle_, TNsSocketOption::kBroadcast, enabled ? 1 : 0);
}
