#pragma once
// Network receivers of the dispatcher: TCP and UDP, each with a host, a port
// and the destination string the receiving side should use.

#include <cstdint>
#include <string_view>

#include "logging/base_destination.h"

// The local machine, as the dispatcher and its receivers are addressed by
// default, and the dispatcher's TCP port.
constexpr std::string_view kLogWireLocalHost = "localhost";
constexpr int32_t kLogWireDispatcherPort = 3434;

class TNetworkDestination : public TBaseDestination {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TNetworkDestination", &TBaseDestination::kClass, nullptr,
                                 &TNetworkDestination::Publish};
  const TClass* ClassType() const override { return &kClass; }

  const std::string& Host() const { return host_; }
  void SetHost(std::string_view host) { Update(host_, host); }
  int32_t Port() const { return port_; }
  void SetPort(int32_t port) { Update(port_, port); }
  const std::string& RemoteDestinationString() const { return remote_destination_; }
  void SetRemoteDestinationString(std::string_view text) { Update(remote_destination_, text); }

  void CopyFrom(const TBaseDestination& source) override;
  void Validate() override;
  void Reset() override;
  void SetOption(std::string_view name, std::string_view value) override;
  std::string GetText() const override;

 protected:
  TNetworkDestination(TLogWireDestination* owner, std::string type_name, int32_t default_port);

 private:
  int32_t default_port_;
  std::string host_;
  int32_t port_ = 0;
  std::string remote_destination_;
};

class TTcpDestination : public TNetworkDestination {
 public:
  static constexpr TClass kClass{"TTcpDestination", &TNetworkDestination::kClass};
  const TClass* ClassType() const override { return &kClass; }
  explicit TTcpDestination(TLogWireDestination* owner);
};

class TUdpDestination : public TNetworkDestination {
 public:
  static constexpr TClass kClass{"TUdpDestination", &TNetworkDestination::kClass};
  const TClass* ClassType() const override { return &kClass; }
  explicit TUdpDestination(TLogWireDestination* owner);
};
