#pragma once
// TNsSocksInfo: the SOCKS 4, 4A and 5 proxy (RFC 1928, with the user and
// password authentication of RFC 1929) for CONNECT, BIND and UDP
// ASSOCIATE. Every answer of the proxy is checked before it is used.

#include <cstdint>
#include <memory>
#include <string>

#include "net/transparent_proxy.h"

class TNsIOHandlerStack;

enum TSocksAuthentication : uint8_t { saNoAuthentication, saUsernamePassword };
enum TSocksVersion : uint8_t { svNoSocks, svSocks4, svSocks4A, svSocks5 };

class TNsSocksInfo : public TNsCustomTransparentProxy {
 public:
  static constexpr TClass kClass{"TNsSocksInfo", &TNsCustomTransparentProxy::kClass,
                                 &ConstructInstance<TNsSocksInfo>};
  const TClass* ClassType() const override { return &kClass; }

  static constexpr uint16_t kDefaultPort = 1080;

  explicit TNsSocksInfo(TComponent* owner);
  ~TNsSocksInfo() override;

  // Between SOCKS proxies also Authentication and Version.
  void Assign(const TPersistent* source) override;

  // Versions 4, 4A and 5.
  bool GetEnabled() const override;
  void NegotiateTunnel(TNsIOHandler& handler, const std::string& host, uint16_t port,
                       TNsIPVersion version) override;
  void Bind(TNsIOHandler& handler, const std::string& host, uint16_t port, TNsIPVersion version) override;
  bool AwaitInboundConnection(TNsIOHandler& handler, int32_t timeout) override;
  void OpenUDPRelay(TNsSocketHandle& binding, const std::string& host, uint16_t port,
                    TNsIPVersion version) override;
  void CloseUDPRelay(TNsSocketHandle& binding) override;
  int32_t ReceiveDatagram(TNsSocketHandle& binding, TNsBytes& bytes, int32_t timeout, std::string& address,
                          uint16_t& port) override;
  void SendDatagram(TNsSocketHandle& binding, const std::string& address, uint16_t port,
                    const TNsBytes& bytes) override;

  TSocksAuthentication Authentication() const { return authentication_; }
  void SetAuthentication(TSocksAuthentication authentication) { authentication_ = authentication; }
  TSocksVersion Version() const { return version_; }
  void SetVersion(TSocksVersion version) { version_ = version; }

 private:
  // SOCKS 4 and 4A.
  void Socks4Request(TNsIOHandler& handler, uint8_t command, const std::string& host, uint16_t port);
  void CheckSocks4Reply(uint8_t code);
  // SOCKS 5.
  void Socks5Negotiate(TNsIOHandler& handler);
  TNsBytes Socks5Request(uint8_t command, const std::string& host, uint16_t port);
  // Reads a whole reply, checks its code and gives the bound address.
  void ReadSocks5Reply(TNsIOHandler& handler, std::string& address, uint16_t& port, TNsIPVersion& version);
  void ConnectToProxy(TNsIOHandler& handler);
  void CheckUDPSupported() const;

  TSocksAuthentication authentication_ = saNoAuthentication;
  TSocksVersion version_ = svNoSocks;
  std::unique_ptr<TNsIOHandlerStack> udp_control_;
};

// The bytes of a SOCKS request, exposed for the tests of the wire layout.
TNsBytes BuildSocks4Request(uint8_t command, const std::string& host, uint16_t port, const std::string& username,
                            bool version_4a);
TNsBytes BuildSocks5Request(uint8_t command, const std::string& host, uint16_t port);
