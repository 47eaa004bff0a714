#pragma once
// TNsIOHandlerSocket: the I/O handler bound to one TCP socket. It owns the
// socket handle, holds the local binding settings, allocates and binds the
// socket and sets the Nagle option; TNsIOHandlerStack (io_handler_stack.h)
// adds the transfer, the name resolution and the connect.

#include <cstdint>
#include <memory>
#include <string>

#include "net/address_text.h"
#include "net/io_handler.h"
#include "net/socket_handle.h"

class TNsCustomTransparentProxy;

enum TNsReuseSocket : uint8_t { rsOSDependent, rsTrue, rsFalse };

class TNsIOHandlerSocket : public TNsIOHandler {
 public:
  static constexpr TClass kClass{"TNsIOHandlerSocket", &TNsIOHandler::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TNsIOHandlerSocket(TComponent* owner);
  ~TNsIOHandlerSocket() override;

  // Host, then ":" and Port when Port is set and differs from DefaultPort.
  std::string GetDestination() const override;
  // "host:port"; a text without ":" changes nothing, a port that is no
  // number gives DefaultPort.
  void SetDestination(const std::string& destination) override;

  void Open() override;
  void Close() override;
  bool IsConnected() override;
  int64_t WriteFileContents(const std::string& file_name, bool allow_system_transmission = false) override;

  // Null until the first Open.
  TNsSocketHandle* Binding() const { return binding_.get(); }

  const std::string& BoundIP() const { return bound_ip_; }
  void SetBoundIP(const std::string& ip) { bound_ip_ = ip; }
  uint16_t BoundPort() const { return bound_port_; }
  void SetBoundPort(uint16_t port) { bound_port_ = port; }
  uint16_t BoundPortMin() const { return bound_port_min_; }
  void SetBoundPortMin(uint16_t port) { bound_port_min_ = port; }
  uint16_t BoundPortMax() const { return bound_port_max_; }
  void SetBoundPortMax(uint16_t port) { bound_port_max_ = port; }
  uint16_t DefaultPort() const { return default_port_; }
  void SetDefaultPort(uint16_t port) { default_port_ = port; }
  bool UseNagle() const { return use_nagle_; }
  void SetUseNagle(bool use_nagle);
  TNsReuseSocket ReuseSocket() const { return reuse_socket_; }
  void SetReuseSocket(TNsReuseSocket reuse) { reuse_socket_ = reuse; }
  TNsIPVersion IPVersion() const { return ip_version_; }
  void SetIPVersion(TNsIPVersion version) { ip_version_ = version; }

  // Reading creates an internal SOCKS proxy (disabled) when none is set.
  virtual TNsCustomTransparentProxy* GetTransparentProxy();
  // A proxy with an owner is referenced; one without an owner is copied
  // into an internal proxy of the same class.
  virtual void SetTransparentProxy(TNsCustomTransparentProxy* proxy);

  // While set, Open connects straight to Host:Port even with a proxy set
  // (a proxy uses it to reach itself).
  void SetProxyBypassed(bool bypassed) { proxy_bypassed_ = bypassed; }

  TNotifyEvent OnBeforeBind;
  TNotifyEvent OnAfterBind;
  TNotifyEvent OnSocketAllocated;

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  bool IsSourceAvailable() override;
  // Allocates the socket and binds it.
  virtual void ConnectToPeer();
  virtual void DoBeforeBind();
  virtual void DoAfterBind();
  virtual void DoSocketAllocated();
  // The proxy in the path when one is set and enabled, else null.
  TNsCustomTransparentProxy* ActiveProxy() const;

 private:
  std::unique_ptr<TNsSocketHandle> binding_;
  std::string bound_ip_;
  uint16_t bound_port_ = 0;
  uint16_t bound_port_max_ = 0;
  uint16_t bound_port_min_ = 0;
  uint16_t default_port_ = 0;
  TNsCustomTransparentProxy* transparent_proxy_ = nullptr;
  // The proxy when it is this handler's own copy.
  std::unique_ptr<TNsCustomTransparentProxy> internal_proxy_;
  bool use_nagle_ = true;
  TNsReuseSocket reuse_socket_ = rsOSDependent;
  TNsIPVersion ip_version_ = Id_IPv4;
  bool proxy_bypassed_ = false;
};
