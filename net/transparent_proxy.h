#pragma once
// TNsCustomTransparentProxy: a proxy that a socket I/O handler connects
// through. The handler connects to the proxy, then lets the proxy
// negotiate the tunnel to the real peer over the same socket. Proxies may
// be chained; UDP relaying and inbound connections are optional.

#include <cstdint>
#include <string>

#include "net/address_text.h"
#include "net/bytes.h"
#include "net/component.h"

class TNsIOHandler;
class TNsSocketHandle;

class TNsCustomTransparentProxy : public TNsComponent {
 public:
  static constexpr TClass kClass{"TNsCustomTransparentProxy", &TNsComponent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TNsCustomTransparentProxy(TComponent* owner) : TNsComponent(owner) {}

  // Copies Host, Password, Port, IPVersion and Username from another proxy.
  void Assign(const TPersistent* source) override;

  virtual bool GetEnabled() const = 0;
  virtual void SetEnabled(bool) {}
  // Opens the tunnel to host:port over the handler's connected socket.
  virtual void NegotiateTunnel(TNsIOHandler& handler, const std::string& host, uint16_t port,
                               TNsIPVersion version) = 0;
  // Opens the tunnel through the chained proxy first, when there is an
  // enabled one.
  void OpenThroughProxy(TNsIOHandler& handler, const std::string& host, uint16_t port, TNsIPVersion version);

  // These raise ENsTransparentProxyUDPNotSupported in the base.
  virtual void OpenUDPRelay(TNsSocketHandle& binding, const std::string& host, uint16_t port,
                            TNsIPVersion version);
  virtual void CloseUDPRelay(TNsSocketHandle& binding);
  virtual int32_t ReceiveDatagram(TNsSocketHandle& binding, TNsBytes& bytes, int32_t timeout, std::string& address,
                                  uint16_t& port);
  virtual void SendDatagram(TNsSocketHandle& binding, const std::string& address, uint16_t port,
                            const TNsBytes& bytes);
  // These raise ENsTransparentProxyCantBind in the base.
  virtual void Bind(TNsIOHandler& handler, const std::string& host, uint16_t port, TNsIPVersion version);
  virtual bool AwaitInboundConnection(TNsIOHandler& handler, int32_t timeout);

  const std::string& Host() const { return host_; }
  void SetHost(const std::string& host) { host_ = host; }
  const std::string& Password() const { return password_; }
  void SetPassword(const std::string& password) { password_ = password; }
  uint16_t Port() const { return port_; }
  void SetPort(uint16_t port) { port_ = port; }
  TNsIPVersion IPVersion() const { return ip_version_; }
  void SetIPVersion(TNsIPVersion version) { ip_version_ = version; }
  const std::string& Username() const { return username_; }
  void SetUsername(const std::string& username) { username_ = username; }
  TNsCustomTransparentProxy* ChainedProxy() const { return chained_proxy_; }
  // Raises ENsTransparentProxyCircularLink when the chain from `proxy`
  // leads back to this one.
  void SetChainedProxy(TNsCustomTransparentProxy* proxy);

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  std::string host_;
  std::string password_;
  uint16_t port_ = 0;
  TNsIPVersion ip_version_ = Id_IPv4;
  std::string username_;
  TNsCustomTransparentProxy* chained_proxy_ = nullptr;
};
