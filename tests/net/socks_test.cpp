#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "net/exceptions.h"
#include "net/io_handler_stack.h"
#include "net/socks.h"
#include "net/tcp_client.h"
#include "tests/net/socks_test_server.h"

namespace {

using net_test::SocksServerScript;
using net_test::TLoopbackServer;
using net_test::TSocksServerLog;
using net_test::TSocksServerOptions;

TEST(SocksRequestTest, RequestsHaveTheWireLayout) {
  TNsStackReference holder;
  EXPECT_EQ(BuildSocks4Request(1, "10.0.0.5", 80, "u", false),
            (TNsBytes{0x04, 0x01, 0x00, 0x50, 0x0A, 0x00, 0x00, 0x05, 0x75, 0x00}));
  EXPECT_EQ(BuildSocks4Request(1, "srv", 80, "", true),
            (TNsBytes{0x04, 0x01, 0x00, 0x50, 0x00, 0x00, 0x00, 0x01, 0x00, 0x73, 0x72, 0x76, 0x00}));
  EXPECT_EQ(BuildSocks5Request(1, "10.0.0.5", 80), (TNsBytes{0x05, 0x01, 0x00, 0x01, 0x0A, 0x00, 0x00, 0x05, 0x00, 0x50}));
  EXPECT_EQ(BuildSocks5Request(1, "srv", 443), (TNsBytes{0x05, 0x01, 0x00, 0x03, 3, 's', 'r', 'v', 0x01, 0xBB}));
  EXPECT_EQ(BuildSocks5Request(1, "::1", 1).size(), 22u);
  EXPECT_THROW(BuildSocks5Request(1, std::string(256, 'h'), 1), ENsSocksError);
  EXPECT_THROW(BuildSocks4Request(1, "srv", 1, std::string("a\0b", 3), true), ENsSocksError);
}

// A client whose handler goes through a SOCKS proxy on the test server.
// The handler copies a proxy without owner when it is attached, so the
// proxy is attached by Connect, after the test has set it up.
struct ProxiedClient {
  TNsTCPClient client{nullptr};
  TNsSocksInfo proxy{nullptr};
  TNsIOHandlerStack* handler = nullptr;

  ProxiedClient(uint16_t proxy_port, TSocksVersion version, const std::string& target_host) {
    proxy.SetHost("127.0.0.1");
    proxy.SetPort(proxy_port);
    proxy.SetVersion(version);
    handler = new TNsIOHandlerStack(&client);
    client.SetIOHandler(handler);
    client.SetHost(target_host);
    client.SetPort(80);
    client.SetReadTimeout(5000);
  }
  void Connect() {
    handler->SetTransparentProxy(&proxy);
    client.Connect();
  }
  TNsIOHandler& Handler() { return *client.IOHandler(); }

  // Sends a few bytes through the tunnel and returns what came back.
  std::string RoundTrip(const std::string& text) {
    Handler().WriteText(text);
    TNsBytes echoed;
    Handler().ReadIntoBytes(echoed, static_cast<int64_t>(text.size()), false);
    return std::string(echoed.begin(), echoed.end());
  }
};

TEST(SocksTunnelTest, Socks4ConnectsThroughTheProxy) {
  TSocksServerLog log;
  TLoopbackServer server(SocksServerScript(TSocksServerOptions{}, log));
  ProxiedClient proxied(server.Port(), svSocks4, "10.0.0.5");
  proxied.proxy.SetUsername("u");
  proxied.Connect();
  EXPECT_EQ(proxied.RoundTrip("ping"), "ping");
  EXPECT_EQ(log.Destination(), "10.0.0.5:80");
  {
    std::lock_guard<std::mutex> guard(log.lock);
    EXPECT_EQ(log.greeting, (TNsBytes{0x04, 0x01, 0x00, 0x50, 0x0A, 0x00, 0x00, 0x05, 0x75, 0x00}));
  }
  proxied.client.CloseConnection();
}

TEST(SocksTunnelTest, Socks4AHandsTheNameToTheProxy) {
  TSocksServerLog log;
  TLoopbackServer server(SocksServerScript(TSocksServerOptions{}, log));
  ProxiedClient proxied(server.Port(), svSocks4A, "far.away.host");
  proxied.Connect();
  EXPECT_EQ(proxied.RoundTrip("x"), "x");
  EXPECT_EQ(log.Destination(), "far.away.host:80");
  proxied.client.CloseConnection();
}

TEST(SocksTunnelTest, Socks4RefusalsRaiseTheirExceptions) {
  const struct {
    uint8_t code;
    const char* message;
  } cases[] = {
      {91, "Request rejected or failed."},
      {92, "Request rejected because SOCKS server cannot connect."},
      {93, "Request rejected because the client program and identd report different user-ids."},
      {17, "Unknown socks error."},
  };
  for (const auto& entry : cases) {
    TSocksServerLog log;
    TSocksServerOptions options;
    options.socks4_reply = entry.code;
    TLoopbackServer server(SocksServerScript(options, log));
    ProxiedClient proxied(server.Port(), svSocks4, "10.0.0.5");
    try {
      proxied.Connect();
      FAIL() << "connected despite code " << int(entry.code);
    } catch (const ENsSocksError& error) {
      EXPECT_EQ(error.Message(), entry.message);
    }
    EXPECT_FALSE(proxied.client.IsConnected());
  }
}

TEST(SocksTunnelTest, Socks5WithoutAuthenticationConsumesTheWholeReply) {
  for (uint8_t bound_type : {uint8_t{1}, uint8_t{3}, uint8_t{4}}) {
    TSocksServerLog log;
    TSocksServerOptions options;
    options.bound_address_type = bound_type;
    TLoopbackServer server(SocksServerScript(options, log));
    ProxiedClient proxied(server.Port(), svSocks5, "10.0.0.5");
    proxied.Connect();
    // The first tunnelled byte is not taken for part of the reply.
    EXPECT_EQ(proxied.RoundTrip("data"), "data") << int(bound_type);
    {
      std::lock_guard<std::mutex> guard(log.lock);
      EXPECT_EQ(log.greeting, (TNsBytes{0x05, 0x01, 0x00}));
      EXPECT_EQ(log.request, (TNsBytes{0x05, 0x01, 0x00, 0x01, 0x0A, 0x00, 0x00, 0x05, 0x00, 0x50}));
    }
    proxied.client.CloseConnection();
  }
}

TEST(SocksTunnelTest, Socks5WithUserAndPassword) {
  TSocksServerLog log;
  TSocksServerOptions options;
  options.user = "user";
  options.password = "secret";
  TLoopbackServer server(SocksServerScript(options, log));
  ProxiedClient proxied(server.Port(), svSocks5, "named.host");
  proxied.proxy.SetAuthentication(saUsernamePassword);
  proxied.proxy.SetUsername("user");
  proxied.proxy.SetPassword("secret");
  proxied.Connect();
  EXPECT_EQ(proxied.RoundTrip("ok"), "ok");
  EXPECT_EQ(log.Destination(), "named.host:80");
  proxied.client.CloseConnection();

  TLoopbackServer refusing(SocksServerScript(options, log));
  ProxiedClient wrong(refusing.Port(), svSocks5, "named.host");
  wrong.proxy.SetAuthentication(saUsernamePassword);
  wrong.proxy.SetUsername("user");
  wrong.proxy.SetPassword("wrong");
  try {
    wrong.Connect();
    FAIL() << "a wrong password was accepted";
  } catch (const ENsSocksAuthError& error) {
    EXPECT_EQ(error.Message(), "Authentication error to socks server.");
  }
}

TEST(SocksTunnelTest, Socks5RefusesOverLongCredentialsBeforeSendingAnything) {
  TSocksServerLog log;
  TLoopbackServer server(SocksServerScript(TSocksServerOptions{}, log));
  ProxiedClient proxied(server.Port(), svSocks5, "10.0.0.5");
  proxied.proxy.SetAuthentication(saUsernamePassword);
  proxied.proxy.SetUsername(std::string(256, 'u'));
  proxied.proxy.SetPassword("p");
  EXPECT_THROW(proxied.Connect(), ENsSocksAuthError);
  std::lock_guard<std::mutex> guard(log.lock);
  EXPECT_TRUE(log.greeting.empty());
}

TEST(SocksTunnelTest, Socks5FailuresRaiseTheirExceptions) {
  const struct {
    int method_answer;
    uint8_t reply;
    const char* message;
  } cases[] = {
      {0xFF, 0, "Invalid socks authentication method."},
      {2, 0, "Invalid socks authentication method."},
      {-1, 1, "General SOCKS server failure."},
      {-1, 2, "Connection not allowed by ruleset."},
      {-1, 3, "Network unreachable."},
      {-1, 4, "Host unreachable."},
      {-1, 5, "Connection refused."},
      {-1, 6, "TTL expired."},
      {-1, 7, "Command not supported."},
      {-1, 8, "Address type not supported."},
      {-1, 9, "Unknown socks error."},
  };
  for (const auto& entry : cases) {
    TSocksServerLog log;
    TSocksServerOptions options;
    options.method_answer = entry.method_answer;
    options.socks5_reply = entry.reply;
    TLoopbackServer server(SocksServerScript(options, log));
    ProxiedClient proxied(server.Port(), svSocks5, "10.0.0.5");
    try {
      proxied.Connect();
      FAIL() << "connected despite " << entry.message;
    } catch (const ENsSocksError& error) {
      EXPECT_EQ(error.Message(), entry.message);
    }
  }
}

TEST(SocksTunnelTest, AProxyThatHangsUpDidNotRespond) {
  TSocksServerLog log;
  TSocksServerOptions options;
  options.hang_up_after_greeting = true;
  TLoopbackServer server(SocksServerScript(options, log));
  ProxiedClient proxied(server.Port(), svSocks5, "10.0.0.5");
  try {
    proxied.Connect();
    FAIL() << "connected through a silent proxy";
  } catch (const ENsSocksServerRespondError& error) {
    EXPECT_EQ(error.Message(), "Socks server did not respond.");
  }
}

TEST(SocksTunnelTest, ADisabledProxyIsNotInThePath) {
  net_test::TLoopbackServer target([](net_test::TServerConnection& connection) {
    connection.Send(std::string("direct"));
    connection.ClientClosedWithin(5000);
  });
  TNsTCPClient client(nullptr);
  auto* handler = new TNsIOHandlerStack(&client);
  // Reading the proxy creates an internal one that is not enabled.
  TNsCustomTransparentProxy* proxy = handler->GetTransparentProxy();
  ASSERT_NE(proxy, nullptr);
  EXPECT_FALSE(proxy->GetEnabled());
  client.SetIOHandler(handler);
  client.SetHost("127.0.0.1");
  client.SetPort(target.Port());
  client.Connect();
  TNsBytes bytes;
  handler->ReadIntoBytes(bytes, 6, false);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "direct");
  client.CloseConnection();
}

TEST(SocksProxyTest, ChainsMustNotLoopAndUnownedProxiesAreCopied) {
  TNsSocksInfo a(nullptr);
  TNsSocksInfo b(nullptr);
  a.SetChainedProxy(&b);
  try {
    b.SetChainedProxy(&a);
    FAIL() << "a loop was accepted";
  } catch (const ENsTransparentProxyCircularLink& error) {
    EXPECT_EQ(error.Message(), "TNsSocksInfo: Circular links are not allowed");
  }
  EXPECT_THROW(a.SetChainedProxy(&a), ENsTransparentProxyCircularLink);
  {
    TNsSocksInfo c(nullptr);
    b.SetChainedProxy(&c);
  }
  EXPECT_EQ(b.ChainedProxy(), nullptr);

  TNsIOHandlerStack handler(nullptr);
  a.SetVersion(svSocks5);
  a.SetAuthentication(saUsernamePassword);
  a.SetHost("proxy.lan");
  handler.SetTransparentProxy(&a);
  TNsCustomTransparentProxy* copy = handler.GetTransparentProxy();
  EXPECT_NE(copy, &a);
  auto* socks = dynamic_cast<TNsSocksInfo*>(copy);
  ASSERT_NE(socks, nullptr);
  EXPECT_EQ(socks->Version(), svSocks5);
  EXPECT_EQ(socks->Authentication(), saUsernamePassword);
  EXPECT_EQ(socks->Host(), "proxy.lan");
  EXPECT_EQ(socks->Port(), TNsSocksInfo::kDefaultPort);

  // A proxy with an owner is referenced and forgotten when freed.
  TNsTCPClient owner(nullptr);
  auto* owned = new TNsSocksInfo(&owner);
  handler.SetTransparentProxy(owned);
  EXPECT_EQ(handler.GetTransparentProxy(), owned);
  delete owned;
  // Forgotten: the handler makes a fresh proxy of its own, which may well
  // sit at the freed address, so the test looks at its owner.
  EXPECT_EQ(handler.GetTransparentProxy()->Owner(), nullptr);
}

// Two UDP sockets on the loopback address, each connected to the other.
struct DatagramPair {
  TNsSocketHandle near_end;
  TNsSocketHandle far_end;
  DatagramPair() {
    for (TNsSocketHandle* end : {&near_end, &far_end}) {
      end->CreateSocket(kNsSockDgram, 0);
      end->SetIP("127.0.0.1");
      end->Bind();
    }
    near_end.AssignPeer("127.0.0.1", far_end.Port(), Id_IPv4);
    near_end.Connect();
    far_end.AssignPeer("127.0.0.1", near_end.Port(), Id_IPv4);
    far_end.Connect();
  }
};

TEST(SocksProxyTest, Socks5DatagramsCarryTheirAddressHeader) {
  TNsStackReference holder;
  TNsSocksInfo proxy(nullptr);
  proxy.SetVersion(svSocks5);
  DatagramPair pair;
  proxy.SendDatagram(pair.near_end, "10.0.0.5", 80, TNsBytes{'h', 'i'});
  TNsBytes datagram(100);
  ASSERT_TRUE(pair.far_end.WaitReadable(5000));
  datagram.resize(static_cast<size_t>(pair.far_end.ReceiveInto(datagram)));
  EXPECT_EQ(datagram, (TNsBytes{0, 0, 0, 1, 10, 0, 0, 5, 0, 80, 'h', 'i'}));

  pair.far_end.Send(TNsBytes{0, 0, 0, 3, 3, 's', 'r', 'v', 0x01, 0xBB, 'o', 'k'});
  TNsBytes data;
  std::string address;
  uint16_t port = 0;
  EXPECT_EQ(proxy.ReceiveDatagram(pair.near_end, data, 5000, address, port), 2);
  EXPECT_EQ(data, (TNsBytes{'o', 'k'}));
  EXPECT_EQ(address, "srv");
  EXPECT_EQ(port, 443);

  // Headers that do not fit their own lengths are refused.
  for (const TNsBytes& broken : {TNsBytes{0, 0}, TNsBytes{0, 0, 0, 1, 10, 0}, TNsBytes{0, 0, 0, 3, 200, 'x'},
                                 TNsBytes{0, 0, 0, 9, 1, 2, 3}}) {
    pair.far_end.Send(broken);
    EXPECT_THROW(proxy.ReceiveDatagram(pair.near_end, data, 5000, address, port), ENsSocksError);
  }
  // Nothing within the time-out gives nothing.
  EXPECT_EQ(proxy.ReceiveDatagram(pair.near_end, data, 50, address, port), 0);
  EXPECT_EQ(address, "");
}

TEST(SocksProxyTest, UdpAssociateOpensTheRelayOverAControlConnection) {
  TSocksServerLog log;
  TLoopbackServer server(SocksServerScript(TSocksServerOptions{}, log));
  TNsSocksInfo proxy(nullptr);
  proxy.SetVersion(svSocks5);
  proxy.SetHost("127.0.0.1");
  proxy.SetPort(server.Port());
  TNsSocketHandle binding;
  binding.CreateSocket(kNsSockDgram, 0);
  binding.SetIP("127.0.0.1");
  binding.Bind();
  proxy.OpenUDPRelay(binding, "10.0.0.5", 80, Id_IPv4);
  // The relay is on the proxy's address at the port of its reply.
  EXPECT_EQ(binding.PeerIP(), "127.0.0.1");
  EXPECT_EQ(binding.PeerPort(), 0x1234);
  {
    std::lock_guard<std::mutex> guard(log.lock);
    EXPECT_EQ(log.request, (TNsBytes{5, 3, 0, 1, 0, 0, 0, 0, 0, 0}));
  }
  proxy.CloseUDPRelay(binding);
}

TEST(SocksProxyTest, UdpNeedsSocks5) {
  TNsSocksInfo proxy(nullptr);
  TNsSocketHandle binding;
  proxy.SetVersion(svSocks4);
  EXPECT_THROW(proxy.OpenUDPRelay(binding, "h", 1, Id_IPv4), ENsSocksUDPNotSupportedBySOCKSVersion);
  proxy.SetVersion(svNoSocks);
  EXPECT_THROW(proxy.CloseUDPRelay(binding), ENsTransparentProxyUDPNotSupported);
}

}  // namespace
