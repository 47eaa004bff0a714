#pragma once
// The TCP client: TNsTCPClientCustom holds the connect logic and the
// client's settings, TNsTCPClient is the class that users create. Every
// setting is passed on to an attached I/O handler at once.

#include <cstdint>
#include <string>

#include "net/address_text.h"
#include "net/io_handler_socket.h"
#include "net/tcp_connection.h"

class TNsTCPClientCustom : public TNsTCPConnection {
 public:
  static constexpr TClass kClass{"TNsTCPClientCustom", &TNsTCPConnection::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TNsTCPClientCustom(TComponent* owner) : TNsTCPConnection(owner) {}

  // Raises ENsAlreadyConnected when connected, ENsHostRequired and
  // ENsPortRequired (empty messages) without host or port. Creates an
  // implicit handler when none is attached; on any failure closes the
  // handler, drops an implicit one and passes the exception on.
  virtual void Connect();
  // Connects, reads everything until the peer closes, and closes.
  virtual void ConnectAndReadAll(std::string& text);

  void SetIOHandler(TNsIOHandler* handler) override;

  const std::string& Host() const { return host_; }
  virtual void SetHost(const std::string& host);
  uint16_t Port() const { return port_; }
  virtual void SetPort(uint16_t port);
  TNsIPVersion IPVersion() const { return ip_version_; }
  virtual void SetIPVersion(TNsIPVersion version);
  const std::string& BoundIP() const { return bound_ip_; }
  void SetBoundIP(const std::string& ip);
  uint16_t BoundPort() const { return bound_port_; }
  void SetBoundPort(uint16_t port);
  uint16_t BoundPortMin() const { return bound_port_min_; }
  void SetBoundPortMin(uint16_t port);
  uint16_t BoundPortMax() const { return bound_port_max_; }
  void SetBoundPortMax(uint16_t port);
  // Milliseconds; 0 connects without a worker thread, -1 waits for the
  // worker without limit.
  int32_t ConnectTimeout() const { return connect_timeout_; }
  void SetConnectTimeout(int32_t timeout);
  // The attached handler's when there is one. -1 and 0 wait without limit.
  int32_t ReadTimeout() const;
  void SetReadTimeout(int32_t timeout);
  TNsReuseSocket ReuseSocket() const;
  void SetReuseSocket(TNsReuseSocket reuse);

  TNotifyEvent OnConnected;
  TNotifyEvent OnBeforeBind;
  TNotifyEvent OnAfterBind;
  TNotifyEvent OnSocketAllocated;

 protected:
  virtual void DoConnected();
  // A handler of the registered default class, owned by this client.
  virtual TNsIOHandler* CreateImplicitIOHandler();

 private:
  void PassSettingsTo(TNsIOHandler& handler);
  void PassSocketSettingsTo(TNsIOHandlerSocket& handler);

  std::string bound_ip_;
  uint16_t bound_port_ = 0;
  uint16_t bound_port_max_ = 0;
  uint16_t bound_port_min_ = 0;
  int32_t connect_timeout_ = 0;
  std::string host_;
  TNsIPVersion ip_version_ = Id_IPv4;
  uint16_t port_ = 0;
  int32_t read_timeout_ = -1;
  TNsReuseSocket reuse_socket_ = rsOSDependent;
};

class TNsTCPClient : public TNsTCPClientCustom {
 public:
  static constexpr TClass kClass{"TNsTCPClient", &TNsTCPClientCustom::kClass, &ConstructInstance<TNsTCPClient>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TNsTCPClient(TComponent* owner) : TNsTCPClientCustom(owner) {}
};
