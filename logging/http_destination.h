#pragma once
// An HTTP receiver of the dispatcher, optionally reached through a proxy.

#include <cstdint>

#include "logging/base_destination.h"

class THttpDestination : public TBaseDestination {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"THttpDestination", &TBaseDestination::kClass, nullptr,
                                 &THttpDestination::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit THttpDestination(TLogWireDestination* owner);

  const std::string& URL() const { return url_; }
  void SetURL(std::string_view url) { Update(url_, url); }
  const std::string& Alias() const { return alias_; }
  void SetAlias(std::string_view alias) { Update(alias_, alias); }
  const std::string& ProxyServer() const { return proxy_server_; }
  void SetProxyServer(std::string_view server) { Update(proxy_server_, server); }
  int32_t ProxyPort() const { return proxy_port_; }
  void SetProxyPort(int32_t port) { Update(proxy_port_, port); }
  const std::string& ProxyUsername() const { return proxy_username_; }
  void SetProxyUsername(std::string_view name) { Update(proxy_username_, name); }
  const std::string& ProxyPassword() const { return proxy_password_; }
  void SetProxyPassword(std::string_view password) { Update(proxy_password_, password); }

  void CopyFrom(const TBaseDestination& source) override;
  // An empty Alias becomes "Default" here, without a change report.
  void Validate() override;
  void Reset() override;
  void SetOption(std::string_view name, std::string_view value) override;
  std::string GetText() const override;

 private:
  std::string url_;
  std::string alias_;
  std::string proxy_server_;
  int32_t proxy_port_ = 0;
  std::string proxy_username_;
  std::string proxy_password_;
};
