#include "logging/network_destination.h"

#include "platform/rtl/format.h"
#include "platform/rtl/property.h"
#include "platform/rtl/text.h"

void TNetworkDestination::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TNetworkDestination>();
  p.String("Host", &TNetworkDestination::Host, &TNetworkDestination::SetHost);
  p.Integer("Port", &TNetworkDestination::Port, &TNetworkDestination::SetPort, 0);
  p.String("RemoteDestinationString", &TNetworkDestination::RemoteDestinationString,
           &TNetworkDestination::SetRemoteDestinationString);
}

TNetworkDestination::TNetworkDestination(TLogWireDestination* owner, std::string type_name,
                                         int32_t default_port)
    : TBaseDestination(owner, std::move(type_name)), default_port_(default_port) {
  Reset();
}

void TNetworkDestination::CopyFrom(const TBaseDestination& source) {
  TBaseDestination::CopyFrom(source);
  const auto* network = dynamic_cast<const TNetworkDestination*>(&source);
  if (network == nullptr)
    return;
  SetHost(network->Host());
  SetPort(network->Port());
  SetRemoteDestinationString(network->RemoteDestinationString());
}

void TNetworkDestination::Validate() {
  if (Active() && host_.empty())
    RaiseMissingParameter("Host");
}

void TNetworkDestination::Reset() {
  TBaseDestination::Reset();
  host_ = kLogWireLocalHost;
  port_ = default_port_;
  remote_destination_ = "Viewer";
}

void TNetworkDestination::SetOption(std::string_view name, std::string_view value) {
  if (SameText(name, "Host"))
    SetHost(value);
  else if (SameText(name, "Port"))
    SetPort(LogWireOptionInteger(value));
  else if (SameText(name, "RemoteDestinationDetails"))
    SetRemoteDestinationString(value);
  else
    RaiseUnknownOption(name);
}

std::string TNetworkDestination::GetText() const {
  std::string text = TypeName() + "[Host=" + host_ + ";Port=" + IntToStr(port_);
  if (!remote_destination_.empty())
    text += ";RemoteDestinationDetails=" + remote_destination_;
  return text + "]";
}

TTcpDestination::TTcpDestination(TLogWireDestination* owner)
    : TNetworkDestination(owner, "TCP", kLogWireDispatcherPort) {}

TUdpDestination::TUdpDestination(TLogWireDestination* owner) : TNetworkDestination(owner, "UDP", 3435) {}
