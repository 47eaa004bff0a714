#include "net/tcp_client.h"

#include "net/exceptions.h"
#include "net/intercept.h"
#include "net/io_handler.h"
#include "platform/rtl/scope.h"

void TNsTCPClientCustom::DoConnected() {
  if (OnConnected)
    OnConnected(this);
}

TNsIOHandler* TNsTCPClientCustom::CreateImplicitIOHandler() { return TNsIOHandler::CreateDefaultIOHandler(this); }

void TNsTCPClientCustom::PassSettingsTo(TNsIOHandler& handler) {
  handler.SetPort(port_);
  handler.SetHost(host_);
  handler.SetConnectTimeout(connect_timeout_);
  handler.SetReadTimeout(read_timeout_);
}

void TNsTCPClientCustom::PassSocketSettingsTo(TNsIOHandlerSocket& handler) {
  handler.SetBoundIP(bound_ip_);
  handler.SetBoundPort(bound_port_);
  handler.SetBoundPortMin(bound_port_min_);
  handler.SetBoundPortMax(bound_port_max_);
  handler.SetIPVersion(ip_version_);
  handler.SetReuseSocket(reuse_socket_);
  handler.OnBeforeBind = OnBeforeBind;
  handler.OnAfterBind = OnAfterBind;
  handler.OnSocketAllocated = OnSocketAllocated;
}

void TNsTCPClientCustom::Connect() {
  if (IsConnected())
    throw ENsAlreadyConnected();
  if (host_.empty())
    throw ENsHostRequired();
  if (port_ == 0)
    throw ENsPortRequired();
  if (IOHandler() == nullptr) {
    TNsIOHandler* handler = CreateImplicitIOHandler();
    SetIOHandler(handler);
    handler->OnStatus = OnStatus;
    SetOwnsIOHandler(true);
  }
  // A failed connect leaves no half-open handler behind; the connect's
  // failure is the one to report, not one of closing.
  TScopeFail close_handler([this] {
    TNsIOHandler* handler = IOHandler();
    if (handler == nullptr)
      return;
    TScopeExit release_handler([this] {
      if (OwnsIOHandler())
        SetIOHandler(nullptr);
    });
    handler->Close();
  });
  TNsIOHandler& handler = *IOHandler();
  PassSettingsTo(handler);
  if (Socket() != nullptr)
    PassSocketSettingsTo(*Socket());
  handler.Open();
  if (handler.Intercept() != nullptr)
    handler.Intercept()->Connect(this);
  ReportStatus(hsConnected, {host_});
  DoConnected();
}

void TNsTCPClientCustom::ConnectAndReadAll(std::string& text) {
  Connect();
  TScopeExit close([this] { CloseConnection(); });
  text = IOHandler()->ReadAllUntilClosed();
}

void TNsTCPClientCustom::SetIOHandler(TNsIOHandler* handler) {
  TNsTCPConnection::SetIOHandler(handler);
  if (handler == nullptr)
    return;
  PassSettingsTo(*handler);
  if (Socket() != nullptr)
    PassSocketSettingsTo(*Socket());
}

void TNsTCPClientCustom::SetHost(const std::string& host) {
  host_ = host;
  if (IOHandler() != nullptr)
    IOHandler()->SetHost(host);
}

void TNsTCPClientCustom::SetPort(uint16_t port) {
  port_ = port;
  if (IOHandler() != nullptr)
    IOHandler()->SetPort(port);
}

void TNsTCPClientCustom::SetIPVersion(TNsIPVersion version) {
  ip_version_ = version;
  if (Socket() != nullptr)
    Socket()->SetIPVersion(version);
}

void TNsTCPClientCustom::SetBoundIP(const std::string& ip) {
  bound_ip_ = ip;
  if (Socket() != nullptr)
    Socket()->SetBoundIP(ip);
}

void TNsTCPClientCustom::SetBoundPort(uint16_t port) {
  bound_port_ = port;
  if (Socket() != nullptr)
    Socket()->SetBoundPort(port);
}

void TNsTCPClientCustom::SetBoundPortMin(uint16_t port) {
  bound_port_min_ = port;
  if (Socket() != nullptr)
    Socket()->SetBoundPortMin(port);
}

void TNsTCPClientCustom::SetBoundPortMax(uint16_t port) {
  bound_port_max_ = port;
  if (Socket() != nullptr)
    Socket()->SetBoundPortMax(port);
}

void TNsTCPClientCustom::SetConnectTimeout(int32_t timeout) {
  connect_timeout_ = timeout;
  if (IOHandler() != nullptr)
    IOHandler()->SetConnectTimeout(timeout);
}

int32_t TNsTCPClientCustom::ReadTimeout() const {
  return IOHandler() != nullptr ? IOHandler()->ReadTimeout() : read_timeout_;
}

void TNsTCPClientCustom::SetReadTimeout(int32_t timeout) {
  read_timeout_ = timeout;
  if (IOHandler() != nullptr)
    IOHandler()->SetReadTimeout(timeout);
}

TNsReuseSocket TNsTCPClientCustom::ReuseSocket() const {
  return Socket() != nullptr ? Socket()->ReuseSocket() : reuse_socket_;
}

void TNsTCPClientCustom::SetReuseSocket(TNsReuseSocket reuse) {
  reuse_socket_ = reuse;
  if (Socket() != nullptr)
    Socket()->SetReuseSocket(reuse);
}
