#include "logging/http_destination.h"

#include "platform/rtl/format.h"
#include "platform/rtl/property.h"
#include "platform/rtl/text.h"

void THttpDestination::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<THttpDestination>();
  p.String("URL", &THttpDestination::URL, &THttpDestination::SetURL);
  p.String("Alias", &THttpDestination::Alias, &THttpDestination::SetAlias);
  p.String("ProxyServer", &THttpDestination::ProxyServer, &THttpDestination::SetProxyServer);
  p.Integer("ProxyPort", &THttpDestination::ProxyPort, &THttpDestination::SetProxyPort, 0);
  p.String("ProxyUsername", &THttpDestination::ProxyUsername, &THttpDestination::SetProxyUsername);
  p.String("ProxyPassword", &THttpDestination::ProxyPassword, &THttpDestination::SetProxyPassword);
}

THttpDestination::THttpDestination(TLogWireDestination* owner) : TBaseDestination(owner, "HTTP") {
  Reset();
}

void THttpDestination::CopyFrom(const TBaseDestination& source) {
  TBaseDestination::CopyFrom(source);
  const auto* http = dynamic_cast<const THttpDestination*>(&source);
  if (http == nullptr)
    return;
  SetURL(http->URL());
  SetAlias(http->Alias());
  SetProxyServer(http->ProxyServer());
  SetProxyPort(http->ProxyPort());
  SetProxyUsername(http->ProxyUsername());
  SetProxyPassword(http->ProxyPassword());
}

void THttpDestination::Validate() {
  if (!Active())
    return;
  if (url_.empty())
    RaiseMissingParameter("URL");
  if (alias_.empty())
    alias_ = "Default";
  if (!proxy_server_.empty() && proxy_port_ == 0)
    RaiseMissingParameter("ProxyPort");
}

void THttpDestination::Reset() {
  TBaseDestination::Reset();
  url_.clear();
  alias_.clear();
  proxy_server_.clear();
  proxy_port_ = 0;
  proxy_username_.clear();
  proxy_password_.clear();
}

void THttpDestination::SetOption(std::string_view name, std::string_view value) {
  if (SameText(name, "URL"))
    SetURL(value);
  else if (SameText(name, "Alias"))
    SetAlias(value);
  else if (SameText(name, "ProxyServer"))
    SetProxyServer(value);
  else if (SameText(name, "ProxyPort"))
    SetProxyPort(LogWireOptionInteger(value));
  else if (SameText(name, "ProxyUsername"))
    SetProxyUsername(value);
  else if (SameText(name, "ProxyPassword"))
    SetProxyPassword(value);
  else
    RaiseUnknownOption(name);
}

std::string THttpDestination::GetText() const {
  std::string text = TypeName() + "[URL=" + url_ + ";Alias=" + alias_;
  if (!proxy_server_.empty()) {
    text += ";ProxyServer=" + proxy_server_ + ";ProxyPort=" + IntToStr(proxy_port_);
    if (!proxy_username_.empty())
      text += ";ProxyUsername=" + proxy_username_;
    if (!proxy_password_.empty())
      text += ";ProxyPassword=" + proxy_password_;
  }
  return text + "]";
}
