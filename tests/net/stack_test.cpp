#include <gtest/gtest.h>

#include "net/exceptions.h"
#include "net/socket_list.h"
#include "net/stack.h"
#include "net/stack_bsd.h"
#include "net/tcp_client.h"
#include "platform/rtl/strings.h"

namespace {

TEST(SocketErrorTest, TranslatesNumbersWithTheFixedTexts) {
  TNsStackReference holder;
  TNsStack& stack = RequireStack();
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

TEST(SocketErrorTest, RaisesTheClassOfTheNumber) {
  TNsStackReference holder;
  TNsStack& stack = RequireStack();
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

TEST(ProcessStackTest, LivesExactlyAsLongAsItsHolders) {
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

TEST(ProcessStackTest, ByteOrderAndChecksums) {
  TNsStackReference holder;
  TNsStack& stack = RequireStack();
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

TEST(ProcessStackTest, ResolvesLocalhostWithoutALookupAndReportsUnknownHosts) {
  TNsStackReference holder;
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

TEST(ProcessStackTest, ServiceNamesAndNumbers) {
  TNsStackReference holder;
  auto* stack = dynamic_cast<TNsStackBSDBase*>(&RequireStack());
  ASSERT_NE(stack, nullptr);
  EXPECT_EQ(stack->ServicePortByName("8080"), 8080);
  try {
    stack->ServicePortByName("no-such-service");
    FAIL() << "an unknown service was taken";
  } catch (const ENsInvalidServiceName& error) {
    EXPECT_EQ(error.Message(), "no-such-service is not a valid service.");
  }
}

TEST(SocketListTest, AnyNegativeTimeOutWaitsWithoutLimit) {
  TNsStackReference holder;
  TNsStack& stack = RequireStack();
  // A listener with a connection waiting is readable.
  const TNsStackSocketHandle listener = stack.NewSocket(kNsSockStream, 0, Id_IPv4);
  stack.BindSocket(listener, "127.0.0.1", 0, Id_IPv4);
  std::string address;
  uint16_t port = 0;
  TNsIPVersion version = Id_IPv4;
  stack.GetLocalAddress(listener, address, port, version);
  stack.ListenOnSocket(listener, 4);
  auto list = stack.NewSocketList();
  list->Add(listener);
  EXPECT_FALSE(list->SelectReadable(0));
  const TNsStackSocketHandle client = stack.NewSocket(kNsSockStream, 0, Id_IPv4);
  stack.ConnectSocket(client, "127.0.0.1", port, Id_IPv4);
  EXPECT_TRUE(list->SelectReadable(kNsInfiniteWait));
  EXPECT_TRUE(list->SelectReadable(-2));
  std::unique_ptr<TNsSocketList> readable;
  EXPECT_TRUE(list->SelectReadableInto(readable, -1));
  ASSERT_TRUE(readable);
  EXPECT_EQ(readable->Count(), 1);
  EXPECT_EQ(readable->SocketAt(0), listener);
  stack.DisconnectSocket(client);
  stack.DisconnectSocket(listener);
}

TEST(SocketListTest, SelectListsKeepsTheSocketsThatAreReady) {
  TNsStackReference holder;
  TNsStack& stack = RequireStack();
  const TNsStackSocketHandle listener = stack.NewSocket(kNsSockStream, 0, Id_IPv4);
  stack.BindSocket(listener, "127.0.0.1", 0, Id_IPv4);
  std::string address;
  uint16_t port = 0;
  TNsIPVersion version = Id_IPv4;
  stack.GetLocalAddress(listener, address, port, version);
  stack.ListenOnSocket(listener, 4);
  const TNsStackSocketHandle client = stack.NewSocket(kNsSockStream, 0, Id_IPv4);
  stack.ConnectSocket(client, "127.0.0.1", port, Id_IPv4);
  std::string peer;
  const TNsStackSocketHandle accepted = stack.Accept(listener, peer, port, version);
  ASSERT_NE(accepted, kNsInvalidSocket);

  auto read = stack.NewSocketList();
  auto write = stack.NewSocketList();
  read->Add(client);
  write->Add(client);
  // Nothing to read yet, but room to write.
  EXPECT_TRUE(TNsSocketList::SelectLists(read.get(), write.get(), nullptr, 1000));
  EXPECT_EQ(read->Count(), 0);
  EXPECT_EQ(write->Count(), 1);
  stack.SendBytes(accepted, TNsBytes{1});
  read->Add(client);
  EXPECT_TRUE(TNsSocketList::SelectLists(read.get(), nullptr, nullptr, -1));
  EXPECT_EQ(read->Count(), 1);
  for (TNsStackSocketHandle socket : {client, accepted, listener})
    stack.DisconnectSocket(socket);
}

TEST(SocketListTest, HoldsAtMost64SocketsAndChecksIndexes) {
  TNsStackReference holder;
  auto list = RequireStack().NewSocketList();
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

}  // namespace
