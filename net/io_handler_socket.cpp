#include "net/io_handler_socket.h"

#include <optional>

#include "net/exceptions.h"
#include "net/read_file_exclusive_stream.h"
#include "net/socks.h"
#include "net/text_routines.h"
#include "platform/rtl/format.h"

TNsIOHandlerSocket::TNsIOHandlerSocket(TComponent* owner) : TNsIOHandler(owner) {}

TNsIOHandlerSocket::~TNsIOHandlerSocket() {
  if (binding_)
    binding_->ReleaseSocket();
  if (transparent_proxy_ != nullptr && !internal_proxy_)
    RemoveFreeNotification(transparent_proxy_);
}

std::string TNsIOHandlerSocket::GetDestination() const {
  std::string destination = Host();
  if (Port() > 0 && Port() != default_port_)
    destination += ":" + IntToStr(Port());
  return destination;
}

void TNsIOHandlerSocket::SetDestination(const std::string& destination) {
  const size_t colon = destination.rfind(':');
  if (colon == std::string::npos)
    return;
  SetHost(destination.substr(0, colon));
  const std::string port_text(TrimBlanks(std::string_view(destination).substr(colon + 1, 255)));
  int32_t port = 0;
  if (!TryStrToInt(port_text, port) || port < 0 || port > 0xFFFF)
    port = default_port_;
  SetPort(port);
}

bool TNsIOHandlerSocket::IsSourceAvailable() { return binding_ && binding_->HandleAllocated(); }

bool TNsIOHandlerSocket::IsConnected() {
  return (IsSourceAvailable() && TNsIOHandler::IsConnected()) || !IsInputBufferEmpty();
}

void TNsIOHandlerSocket::Close() {
  if (binding_)
    binding_->ReleaseSocket();
  TNsIOHandler::Close();
}

void TNsIOHandlerSocket::Open() {
  TNsIOHandler::Open();
  if (binding_) {
    // A handler opened again must not leak the socket it had.
    binding_->ReleaseSocket();
    binding_->Reset(true);
  } else {
    binding_ = std::make_unique<TNsSocketHandle>();
  }
  binding_->SetClientPortMin(bound_port_min_);
  binding_->SetClientPortMax(bound_port_max_);
  if (!Host().empty() && Port() > 0)
    ConnectToPeer();
}

void TNsIOHandlerSocket::ConnectToPeer() {
  DoBeforeBind();
  binding_->SetIPVersion(ip_version_);
  binding_->CreateSocket(kNsSockStream, 0);
  DoSocketAllocated();
  if (!bound_ip_.empty())
    binding_->SetIP(bound_ip_);
  binding_->SetPort(bound_port_);
  binding_->SetClientPortMin(bound_port_min_);
  binding_->SetClientPortMax(bound_port_max_);
  if (reuse_socket_ == rsTrue)
    RequireStack().SetSocketOption(binding_->Handle(), TNsSocketOption::kReuseAddress, 1);
  binding_->Bind();
  RequireStack().SetSocketOption(binding_->Handle(), TNsSocketOption::kNoDelay, use_nagle_ ? 0 : 1);
  DoAfterBind();
}

void TNsIOHandlerSocket::DoBeforeBind() {
  if (OnBeforeBind)
    OnBeforeBind(this);
}

void TNsIOHandlerSocket::DoAfterBind() {
  if (OnAfterBind)
    OnAfterBind(this);
}

void TNsIOHandlerSocket::DoSocketAllocated() {
  if (OnSocketAllocated)
    OnSocketAllocated(this);
}

void TNsIOHandlerSocket::SetUseNagle(bool use_nagle) {
  if (use_nagle == use_nagle_)
    return;
  use_nagle_ = use_nagle;
  if (IsSourceAvailable())
    RequireStack().SetSocketOption(binding_->Handle(), TNsSocketOption::kNoDelay, use_nagle_ ? 0 : 1);
}

int64_t TNsIOHandlerSocket::WriteFileContents(const std::string& file_name, bool allow_system_transmission) {
  if (!NsFileExists(file_name))
    return 0;
  // A write buffer must see every byte, so the system's routine is only
  // asked for when nothing is buffered.
  if (!IsWriteBuffering() && allow_system_transmission && IsSourceAvailable()) {
    if (const std::optional<int64_t> sent = RequireStack().TransmitWholeFile(binding_->Handle(), file_name))
      return *sent;
  }
  return TNsIOHandler::WriteFileContents(file_name, allow_system_transmission);
}

TNsCustomTransparentProxy* TNsIOHandlerSocket::ActiveProxy() const {
  if (proxy_bypassed_ || transparent_proxy_ == nullptr || !transparent_proxy_->GetEnabled())
    return nullptr;
  return transparent_proxy_;
}

TNsCustomTransparentProxy* TNsIOHandlerSocket::GetTransparentProxy() {
  if (transparent_proxy_ == nullptr) {
    internal_proxy_ = std::make_unique<TNsSocksInfo>(nullptr);
    transparent_proxy_ = internal_proxy_.get();
  }
  return transparent_proxy_;
}

void TNsIOHandlerSocket::SetTransparentProxy(TNsCustomTransparentProxy* proxy) {
  if (proxy == transparent_proxy_)
    return;
  if (transparent_proxy_ != nullptr && !internal_proxy_)
    RemoveFreeNotification(transparent_proxy_);
  if (proxy == nullptr) {
    internal_proxy_.reset();
    transparent_proxy_ = nullptr;
    return;
  }
  if (proxy->Owner() != nullptr) {
    internal_proxy_.reset();
    transparent_proxy_ = proxy;
    FreeNotification(proxy);
    return;
  }
  if (!internal_proxy_ || internal_proxy_->ClassType() != proxy->ClassType()) {
    internal_proxy_.reset();
    internal_proxy_ = CreateUnowned<TNsCustomTransparentProxy>(proxy->ClassType());
  }
  internal_proxy_->Assign(proxy);
  transparent_proxy_ = internal_proxy_.get();
}

void TNsIOHandlerSocket::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component == transparent_proxy_ && !internal_proxy_)
    transparent_proxy_ = nullptr;
  TNsIOHandler::Notification(component, operation);
}
