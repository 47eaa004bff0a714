// The process-wide socket stack: error texts and classes, its lifetime,
// byte order, name resolution, socket lists, datagrams with their packet
// information and whole files, over the loopback address.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <optional>
#include <string>

#include "net/exceptions.h"
#include "net/io_handler.h"
#include "net/socket_list.h"
#include "net/stack.h"
#include "net/stack_bsd.h"
#include "net/tcp_client.h"
#include "platform/rtl/strings.h"
#include "tests/net/loopback_server.h"

namespace {

using net_test::TLoopbackSocket;

// Holds the process's stack for the whole test and makes loopback
// sockets that close themselves.
class StackTest : public ::testing::Test {
 protected:
  static TNsStack& Stack() { return RequireStack(); }

  // A stream socket listening on the loopback address.
  static TLoopbackSocket Listener() {
    TLoopbackSocket listener = TLoopbackSocket::Bound(kNsSockStream);
    Stack().ListenOnSocket(listener.Handle(), 4);
    return listener;
  }
  // A stream socket connected to the loopback port.
  static TLoopbackSocket ConnectedTo(uint16_t port) {
    TLoopbackSocket client(Stack().NewSocket(kNsSockStream, 0, Id_IPv4));
    Stack().ConnectSocket(client.Handle(), "127.0.0.1", port, Id_IPv4);
    return client;
  }
  // The next connection waiting at the listener.
  static TLoopbackSocket AcceptedFrom(const TLoopbackSocket& listener) {
    std::string peer;
    uint16_t port = 0;
    TNsIPVersion version = Id_IPv4;
    return TLoopbackSocket(Stack().Accept(listener.Handle(), peer, port, version));
  }

 private:
  TNsStackReference holder_;
};

using SocketErrorTest = StackTest;
using ProcessStackTest = StackTest;
using SocketListTest = StackTest;
using DatagramTest = StackTest;

TEST_F(SocketErrorTest, TranslatesNumbersWithTheFixedTexts) {
  TNsStack& stack = Stack();
  EXPECT_EQ(stack.TranslateSocketError(10061), "Socket Error # 10061\r\nConnection refused.");
  EXPECT_EQ(stack.TranslateSocketError(12345), "Socket Error # 12345\r\n");
  EXPECT_EQ(stack.TranslateSocketError(11001), "Socket Error # 11001\r\nHost not found.");
  const struct {
    int32_t number;
    const char* text;
  } table[] = {
      {10004, "Interrupted system call."},   {10013, "Access denied."},
      {10035, "Operation would block."},     {10048, "Address already in use."},
      {10053, "Software caused connection abort."},
      {10054, "Connection reset by peer."},  {10060, "Connection timed out."},
      {10065, "No route to host."},          {10066, "Directory not empty"},
  };
  for (const auto& entry : table)
    EXPECT_EQ(stack.TranslateSocketError(entry.number),
              "Socket Error # " + std::to_string(entry.number) + "\r\n" + entry.text);
}

TEST_F(SocketErrorTest, RaisesTheClassOfTheNumber) {
  TNsStack& stack = Stack();
  try {
    stack.RaiseSocketError(10038);
  } catch (const ENsNotASocket& error) {
    EXPECT_EQ(error.LastError(), 10038);
    EXPECT_EQ(error.Message(), "Socket Error # 10038\r\nSocket operation on non-socket.");
  }
  try {
    stack.RaiseSocketError(10054);
  } catch (const ENsNotASocket&) {
    FAIL() << "10054 is not a non-socket error";
  } catch (const ENsSocketError& error) {
    EXPECT_EQ(error.LastError(), 10054);
  }
}

TEST(ExceptionFamilyTest, GroupsCatchTheirMembers) {
  EXPECT_THROW(throw ENsNotASocket(10038, "x"), ENsSocketError);
  EXPECT_THROW(throw ENsSocksServerTTLExpiredError(), ENsSocksError);
  EXPECT_THROW(throw ENsSocksAuthMethodError(), ENsSocksError);
  EXPECT_THROW(throw ENsConnClosedGracefully(), ENsSilentException);
  EXPECT_THROW(throw ENsInvalidPortRange(1, 2), ENsSocketHandleError);
  EXPECT_THROW(throw ENsStackSetSizeExceeded(), ENsStackError);
  EXPECT_THROW(throw ENsNoDataToRead(), ENsTCPConnectionError);
  EXPECT_THROW(throw ENsReplyRFCError(500, "no"), ENsReplyError);
  EXPECT_THROW(throw ENsIOHandlerRequiresLargeStream(), ENsIOHandler);
  EXPECT_THROW(throw ENsReadTimeout(), Exception);
  EXPECT_EQ(ENsHostRequired().Message(), "");
  EXPECT_EQ(ENsPortRequired().Message(), "");
  EXPECT_EQ(ENsInvalidPortRange(5002, 5000).Message(), "Invalid Port Range (5002 - 5000)");
  EXPECT_EQ(ENsCannotBindPortInRange(1, 2).Message(), "Can not bind in port range (1 - 2)");
  EXPECT_EQ(ENsFileNotFound::ForFile("x").Message(), "File \"x\" not found");
  EXPECT_EQ(ENsWinsockStubError(0, "Title", "").Message(), "Title");
  EXPECT_EQ(ENsWinsockStubError(5, "Title", "Denied").Message(), "Title: Denied");
  EXPECT_STREQ(ENsReadTimeout().ClassName(), "ENsReadTimeout");
}

TEST(ExceptionFamilyTest, RaisingRoutinesRaiseOnlyWhenAsked) {
  EXPECT_THROW(RaiseNew<ENsException>("x"), ENsException);
  EXPECT_NO_THROW(RaiseIfTrue<ENsException>(false, "x"));
  EXPECT_THROW(RaiseIfTrue<ENsException>(true, "x"), ENsException);
  EXPECT_THROW(RaiseIfFalse<ENsException>(false, "x"), ENsException);
  const int value = 0;
  EXPECT_THROW(RaiseIfAssigned<ENsException>(&value, "x"), ENsException);
  EXPECT_THROW(RaiseIfUnassigned<ENsException>(static_cast<const int*>(nullptr), "x"), ENsException);
  EXPECT_NO_THROW(RaiseIfOutOfRange<ENsException>(5, 1, 5, "x"));
  EXPECT_THROW(RaiseIfOutOfRange<ENsException>(6, 1, 5, "x"), ENsException);
}

// Holds no stack of its own: it watches the stack come and go.
TEST(StackLifetimeTest, LivesExactlyAsLongAsItsHolders) {
  ASSERT_EQ(StackUsageCount(), 0);
  EXPECT_EQ(GStack(), nullptr);
  TNsStack* first = nullptr;
  {
    TNsTCPClient one(nullptr);
    first = GStack();
    ASSERT_NE(first, nullptr);
    {
      TNsTCPClient two(nullptr);
      EXPECT_EQ(GStack(), first);
      EXPECT_GE(StackUsageCount(), 2);
    }
    EXPECT_EQ(GStack(), first);
  }
  EXPECT_EQ(GStack(), nullptr);
  EXPECT_EQ(StackUsageCount(), 0);
  TNsTCPClient third(nullptr);
  EXPECT_NE(GStack(), nullptr);
}

TEST_F(ProcessStackTest, ByteOrderAndChecksums) {
  TNsStack& stack = Stack();
  EXPECT_EQ(stack.HostToNetwork32(0x7F000000u), 0x0000007Fu);
  EXPECT_EQ(stack.NetworkToHost16(stack.HostToNetwork16(0x1234)), 0x1234);
  const uint64_t value = 0x0102030405060708ull;
  const uint64_t network = stack.HostToNetwork64(value);
  EXPECT_EQ(reinterpret_cast<const uint8_t*>(&network)[0], 0x01);
  EXPECT_EQ(reinterpret_cast<const uint8_t*>(&network)[7], 0x08);
  EXPECT_EQ(stack.NetworkToHost64(network), value);
  EXPECT_EQ(TNsStack::InternetChecksum(TNsBytes{0x00, 0x01}), 0xFEFF);
  EXPECT_EQ(TNsStack::InternetChecksum(TNsBytes{0x01}), 0xFFFE);
}

TEST_F(ProcessStackTest, ResolvesLocalhostWithoutALookupAndReportsUnknownHosts) {
  EXPECT_EQ(ResolveAddressText("localhost", Id_IPv4), "127.0.0.1");
  EXPECT_EQ(ResolveAddressText("LocalHost", Id_IPv4), "127.0.0.1");
  EXPECT_EQ(ResolveAddressText("10.1.2.3", Id_IPv4), "10.1.2.3");
  EXPECT_EQ(ResolveAddressText("::1", Id_IPv6), "0:0:0:0:0:0:0:1");
  EXPECT_THROW(ResolveAddressText("x", static_cast<TNsIPVersion>(3)), ENsIPVersionUnsupported);
  try {
    ResolveAddressText("no-such-host.invalid", Id_IPv4);
    FAIL() << "an unknown host resolved";
  } catch (const ENsSocketError& error) {
    EXPECT_EQ(error.LastError(), 11001) << error.Message();
    EXPECT_EQ(error.Message(), "Socket Error # 11001\r\nHost not found.");
  }
}

TEST_F(ProcessStackTest, ServiceNamesAndNumbers) {
  auto* stack = dynamic_cast<TNsStackBSDBase*>(&Stack());
  ASSERT_NE(stack, nullptr);
  EXPECT_EQ(stack->ServicePortByName("8080"), 8080);
  try {
    stack->ServicePortByName("no-such-service");
    FAIL() << "an unknown service was taken";
  } catch (const ENsInvalidServiceName& error) {
    EXPECT_EQ(error.Message(), "no-such-service is not a valid service.");
  }
}

TEST_F(SocketListTest, AnyNegativeTimeOutWaitsWithoutLimit) {
  // A listener with a connection waiting is readable.
  const TLoopbackSocket listener = Listener();
  auto list = Stack().NewSocketList();
  list->Add(listener.Handle());
  EXPECT_FALSE(list->SelectReadable(0));
  const TLoopbackSocket client = ConnectedTo(listener.Port());
  EXPECT_TRUE(list->SelectReadable(kNsInfiniteWait));
  EXPECT_TRUE(list->SelectReadable(-2));
  std::unique_ptr<TNsSocketList> readable;
  EXPECT_TRUE(list->SelectReadableInto(readable, -1));
  ASSERT_TRUE(readable);
  EXPECT_EQ(readable->Count(), 1);
  EXPECT_EQ(readable->SocketAt(0), listener.Handle());
}

TEST_F(SocketListTest, SelectListsKeepsTheSocketsThatAreReady) {
  const TLoopbackSocket listener = Listener();
  const TLoopbackSocket client = ConnectedTo(listener.Port());
  const TLoopbackSocket accepted = AcceptedFrom(listener);
  ASSERT_NE(accepted.Handle(), kNsInvalidSocket);

  auto read = Stack().NewSocketList();
  auto write = Stack().NewSocketList();
  read->Add(client.Handle());
  write->Add(client.Handle());
  // Nothing to read yet, but room to write.
  EXPECT_TRUE(TNsSocketList::SelectLists(read.get(), write.get(), nullptr, 1000));
  EXPECT_EQ(read->Count(), 0);
  EXPECT_EQ(write->Count(), 1);
  Stack().SendBytes(accepted.Handle(), TNsBytes{1});
  read->Add(client.Handle());
  EXPECT_TRUE(TNsSocketList::SelectLists(read.get(), nullptr, nullptr, -1));
  EXPECT_EQ(read->Count(), 1);
}

TEST_F(SocketListTest, HoldsAtMost64SocketsAndChecksIndexes) {
  auto list = Stack().NewSocketList();
  for (int i = 0; i < 64; ++i)
    list->Add(1000 + i);
  EXPECT_EQ(list->Count(), 64);
  EXPECT_THROW(list->Add(2000), ENsStackSetSizeExceeded);
  EXPECT_EQ(list->SocketAt(63), 1063);
  EXPECT_THROW(list->SocketAt(64), ENsStackSetSizeExceeded);
  EXPECT_THROW(list->SocketAt(-1), ENsStackSetSizeExceeded);
  list->Remove(1000);
  EXPECT_EQ(list->Count(), 63);
  EXPECT_EQ(list->SocketAt(0), 1063);
  auto copy = list->Duplicate();
  list->Clear();
  EXPECT_EQ(list->Count(), 0);
  EXPECT_EQ(copy->Count(), 63);
}

// A datagram read with ReceiveMessage tells who sent it; where it was sent
// to, the interface and its hop limit come only when the socket asked for
// them before the datagram arrived.
TEST_F(DatagramTest, ReceiveMessageTellsTheSenderAndWhatTheSocketAskedFor) {
  struct Case {
    const char* name;
    bool ask_for_details;
  };
  for (const Case c : {Case{"asked", true}, Case{"not asked", false}}) {
    SCOPED_TRACE(c.name);
    const TLoopbackSocket receiver = TLoopbackSocket::Bound(kNsSockDgram);
    if (c.ask_for_details) {
      Stack().SetSocketOption(receiver.Handle(), TNsSocketOption::kPacketInfoIPv4, 1);
      Stack().SetSocketOption(receiver.Handle(), TNsSocketOption::kHopLimitIPv4, 1);
    }
    const TLoopbackSocket sender = TLoopbackSocket::Bound(kNsSockDgram);
    EXPECT_EQ(Stack().SendTo(sender.Handle(), net_test::Bytes("Datagramm"), 0, -1, "127.0.0.1", receiver.Port(),
                             Id_IPv4),
              9);
    auto readable = Stack().NewSocketList();
    readable->Add(receiver.Handle());
    ASSERT_TRUE(readable->SelectReadable(5000));

    TNsBytes bytes(64);
    TNsPacketInfo info;
    info.DestIP = "stale";
    ASSERT_EQ(Stack().ReceiveMessage(receiver.Handle(), bytes, info, Id_IPv4), 9);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 9), "Datagramm");
    EXPECT_EQ(info.SourceIP, "127.0.0.1");
    EXPECT_EQ(info.SourcePort, sender.Port());
    EXPECT_EQ(info.SourceIPVersion, Id_IPv4);
    if (c.ask_for_details) {
      EXPECT_EQ(info.DestIP, "127.0.0.1");
      EXPECT_EQ(info.DestIPVersion, Id_IPv4);
      EXPECT_NE(info.DestIF, 0u);
      EXPECT_GT(info.TTL, 0);
    } else {
      EXPECT_EQ(info.DestIP, "");
      EXPECT_EQ(info.DestIF, 0u);
      EXPECT_EQ(info.TTL, 0);
    }
  }
}

TEST_F(DatagramTest, ReceiveMessageOnAStreamWithoutDataRaisesTheSocketError) {
  const TLoopbackSocket unconnected(Stack().NewSocket(kNsSockStream, 0, Id_IPv4));
  TNsBytes bytes(16);
  TNsPacketInfo info;
  EXPECT_THROW(Stack().ReceiveMessage(unconnected.Handle(), bytes, info, Id_IPv4), ENsSocketError);
}

// Allowed to, a stack with a file routine of its own (Winsock's) sends the
// file itself; one without (the native stack) lets the handler copy it.
// Either way the peer gets every byte.
TEST_F(ProcessStackTest, AFileArrivesWholeWhoeverSendsIt) {
  const std::filesystem::path file_path = std::filesystem::temp_directory_path() / "lx_stack_test_payload.bin";
  std::string content;
  for (int i = 0; i < 100000; ++i)
    content += static_cast<char>('a' + i % 26);
  {
    std::ofstream file(file_path, std::ios::binary);
    file << content;
  }
  for (const bool allow_system : {false, true}) {
    SCOPED_TRACE(allow_system ? "system routine allowed" : "handler copies");
    std::promise<TNsBytes> received;
    net_test::TLoopbackServer server(
        [&](net_test::TServerConnection& connection) { received.set_value(connection.ReadUntilClosed()); });
    TNsTCPClient client(nullptr);
    client.SetHost("127.0.0.1");
    client.SetPort(server.Port());
    client.Connect();
    EXPECT_EQ(client.IOHandler()->WriteFileContents(file_path.string(), allow_system), 100000);
    client.CloseConnection();
    const TNsBytes bytes = received.get_future().get();
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), content);
  }
  std::filesystem::remove(file_path);
}

}  // namespace
