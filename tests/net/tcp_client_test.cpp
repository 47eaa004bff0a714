#include <gtest/gtest.h>

#include <future>
#include <memory>
#include <string>
#include <vector>

#include "net/exceptions.h"
#include "net/intercept.h"
#include "net/io_handler_stack.h"
#include "net/tcp_client.h"
#include "net/ticks.h"
#include "platform/rtl/memory_stream.h"
#include "tests/net/loopback_server.h"

namespace {

using net_test::Bytes;
using net_test::TLoopbackServer;
using net_test::TServerConnection;

// A socket bound to a loopback port of the system's choice.
TNsStackSocketHandle BoundSocket(uint16_t& port) {
  TNsStack& stack = RequireStack();
  const TNsStackSocketHandle socket = stack.NewSocket(kNsSockStream, 0, Id_IPv4);
  stack.BindSocket(socket, "127.0.0.1", 0, Id_IPv4);
  std::string address;
  TNsIPVersion version = Id_IPv4;
  stack.GetLocalAddress(socket, address, port, version);
  return socket;
}

// A port on which nothing listens: one the system handed out and took back.
uint16_t UnusedPort() {
  TNsStackReference holder;
  uint16_t port = 0;
  RequireStack().DisconnectSocket(BoundSocket(port));
  return port;
}

std::unique_ptr<TNsTCPClient> Client(uint16_t port, const std::string& host = "127.0.0.1") {
  auto client = std::make_unique<TNsTCPClient>(nullptr);
  client->SetHost(host);
  client->SetPort(port);
  return client;
}

// Counts the blocks that leave, as the socket sees them.
struct SendCounter {
  TNsConnectionIntercept intercept{nullptr};
  std::vector<size_t> blocks;
  SendCounter() {
    intercept.OnSend = [this](TNsConnectionIntercept*, TNsBytes& bytes) { blocks.push_back(bytes.size()); };
  }
};

TEST(TcpClientConnectTest, RefusedConnectionRaisesTheSocketErrorAndDropsTheImplicitHandler) {
  auto client = Client(UnusedPort());
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      client->Connect();
      FAIL() << "connected to a port without listener";
    } catch (const ENsSocketError& error) {
      EXPECT_EQ(error.LastError(), 10061);
      EXPECT_EQ(error.Message(), "Socket Error # 10061\r\nConnection refused.");
    }
    EXPECT_EQ(client->IOHandler(), nullptr);
    EXPECT_FALSE(client->IsConnected());
  }
}

TEST(TcpClientConnectTest, UnknownHostNameRaisesHostNotFound) {
  auto client = Client(80, "no-such-host.invalid");
  try {
    client->Connect();
    FAIL() << "connected to an unknown host";
  } catch (const ENsSocketError& error) {
    EXPECT_EQ(error.LastError(), 11001);
  }
  EXPECT_EQ(client->IOHandler(), nullptr);
}

TEST(TcpClientConnectTest, MissingHostOrPortAndDoubleConnectAreRefused) {
  TNsTCPClient client(nullptr);
  try {
    client.Connect();
    FAIL();
  } catch (const ENsHostRequired& error) {
    EXPECT_EQ(error.Message(), "");
  }
  client.SetHost("127.0.0.1");
  try {
    client.Connect();
    FAIL();
  } catch (const ENsPortRequired& error) {
    EXPECT_EQ(error.Message(), "");
  }
  EXPECT_EQ(client.IOHandler(), nullptr);

  TLoopbackServer server([](TServerConnection& connection) { connection.ClientClosedWithin(5000); });
  client.SetPort(server.Port());
  client.Connect();
  try {
    client.Connect();
    FAIL() << "connected twice";
  } catch (const ENsAlreadyConnected& error) {
    EXPECT_EQ(error.Message(), "Already connected.");
  }
  EXPECT_TRUE(client.IsConnected());
  client.CloseConnection();
}

TEST(TcpClientConnectTest, ConnectTimeOutGivesUpOnAPeerThatNeverAccepts) {
  TNsStackReference holder;
  TNsStack& stack = RequireStack();
  // A listener whose queue is full drops further connection requests, so
  // their connects hang until they are given up.
  uint16_t port = 0;
  const TNsStackSocketHandle listener = BoundSocket(port);
  stack.ListenOnSocket(listener, 0);

  std::vector<std::unique_ptr<TNsTCPClient>> fillers;
  bool timed_out = false;
  for (int i = 0; i < 16 && !timed_out; ++i) {
    auto filler = Client(port);
    filler->SetConnectTimeout(400);
    try {
      filler->Connect();
      fillers.push_back(std::move(filler));
    } catch (const ENsConnectTimeout&) {
      timed_out = true;
    }
  }
  ASSERT_TRUE(timed_out) << "the listener's queue never filled";

  auto client = Client(port);
  client->SetConnectTimeout(1000);
  try {
    client->Connect();
    FAIL() << "connected through a full queue";
  } catch (const ENsConnectTimeout& error) {
    EXPECT_EQ(error.Message(), "Connect timed out.");
  }
  EXPECT_EQ(client->IOHandler(), nullptr);
  stack.DisconnectSocket(listener);
}

TEST(TcpClientConnectTest, StatusReportsFollowTheConnectionAndAClosedHandlerStaysQuiet) {
  TLoopbackServer server([](TServerConnection& connection) { connection.ClientClosedWithin(5000); });
  auto client = Client(server.Port(), "localhost");
  std::vector<std::string> reports;
  int disconnected = 0;
  client->OnStatus = [&](TObject*, TNsStatus, const std::string& text) { reports.push_back(text); };
  client->OnDisconnected = [&](TObject*) { ++disconnected; };
  client->Connect();
  client->CloseConnection();
  EXPECT_EQ(reports, (std::vector<std::string>{"Resolving hostname localhost.", "Connecting to 127.0.0.1.",
                                               "Connected.", "Disconnecting.", "Disconnected."}));
  EXPECT_EQ(disconnected, 1);
  // The implicit handler stays for the next connect; closing again is quiet.
  ASSERT_NE(client->IOHandler(), nullptr);
  reports.clear();
  client->CloseConnection();
  EXPECT_TRUE(reports.empty());
  EXPECT_EQ(disconnected, 1);
}

TEST(TcpClientSettingsTest, SettingsReachTheAttachedHandlerAtOnce) {
  TNsTCPClient client(nullptr);
  EXPECT_EQ(client.ReadTimeout(), -1);
  auto* handler = new TNsIOHandlerStack(&client);
  client.SetIOHandler(handler);
  client.SetHost("example.host");
  client.SetPort(4711);
  client.SetReadTimeout(1234);
  client.SetConnectTimeout(99);
  client.SetReuseSocket(rsTrue);
  EXPECT_EQ(handler->Host(), "example.host");
  EXPECT_EQ(handler->Port(), 4711);
  EXPECT_EQ(handler->ConnectTimeout(), 99);
  handler->SetReadTimeout(777);
  EXPECT_EQ(client.ReadTimeout(), 777);
  EXPECT_EQ(client.ReuseSocket(), rsTrue);
  EXPECT_EQ(handler->GetDestination(), "example.host:4711");
  handler->SetDestination("srv:8080");
  EXPECT_EQ(handler->Host(), "srv");
  EXPECT_EQ(handler->Port(), 8080);
  handler->SetDestination("no-colon");
  EXPECT_EQ(handler->Host(), "srv");
  // A handler freed by its owner is forgotten by the connection.
  delete handler;
  EXPECT_EQ(client.IOHandler(), nullptr);
}

TEST(TcpClientSettingsTest, BindEventsAndSocketOptionsReachTheSocket) {
  TLoopbackServer server([](TServerConnection& connection) { connection.ClientClosedWithin(5000); });
  TNsTCPClient client(nullptr);
  std::vector<std::string> events;
  client.OnBeforeBind = [&](TObject*) { events.push_back("before bind"); };
  client.OnSocketAllocated = [&](TObject*) { events.push_back("allocated"); };
  client.OnAfterBind = [&](TObject*) { events.push_back("after bind"); };
  client.OnConnected = [&](TObject*) { events.push_back("connected"); };
  auto* handler = new TNsIOHandlerStack(&client);
  handler->SetUseNagle(false);
  client.SetIOHandler(handler);
  client.SetHost("127.0.0.1");
  client.SetPort(server.Port());
  client.SetBoundIP("127.0.0.1");
  client.Connect();
  EXPECT_EQ(events, (std::vector<std::string>{"before bind", "allocated", "after bind", "connected"}));
  const TNsStackSocketHandle socket = handler->Binding()->Handle();
  EXPECT_NE(RequireStack().GetSocketOption(socket, TNsSocketOption::kNoDelay), 0);
  handler->SetUseNagle(true);
  EXPECT_EQ(RequireStack().GetSocketOption(socket, TNsSocketOption::kNoDelay), 0);
  EXPECT_EQ(handler->Binding()->PeerPort(), server.Port());
  EXPECT_EQ(handler->Binding()->IP(), "127.0.0.1");
  client.CloseConnection();
}

TEST(TcpClientSettingsTest, HandlerAndConnectionMustAgreeOnTheIntercept) {
  TNsConnectionIntercept a(nullptr);
  TNsConnectionIntercept b(nullptr);
  TNsTCPClient client(nullptr);
  client.SetIntercept(&b);
  TNsIOHandlerStack handler(nullptr);
  handler.SetIntercept(&a);
  try {
    client.SetIOHandler(&handler);
    FAIL() << "took a handler with another intercept";
  } catch (const ENsException& error) {
    EXPECT_EQ(error.Message(), "The IOHandler already has a different Intercept assigned");
  }
  EXPECT_EQ(client.IOHandler(), nullptr);
}

class TcpClientTransferTest : public ::testing::Test {
 protected:
  void Connect(TLoopbackServer& server) {
    client_ = Client(server.Port());
    client_->SetIntercept(&counter_.intercept);
    client_->Connect();
  }
  TNsIOHandler& Handler() { return *client_->IOHandler(); }

  SendCounter counter_;
  std::unique_ptr<TNsTCPClient> client_;
};

TEST_F(TcpClientTransferTest, ABufferedFrameLeavesInOneSendAndTheAnswerIsReadInNetworkOrder) {
  std::promise<TNsBytes> received;
  TLoopbackServer server([&](TServerConnection& connection) {
    received.set_value(connection.Read(12 + 300));
    connection.Send(TNsBytes{0x00, 0x00, 0x01, 0x02});
    connection.ClientClosedWithin(5000);
  });
  Connect(server);
  TMemoryStream record;
  record.SetSize(300);
  record.Memory()[0] = 0xAB;
  // Size 0 sends the whole stream, wherever it stands.
  record.SetPosition(150);
  Handler().OpenWriteBuffer();
  Handler().WriteInt32(0x7F000000);
  Handler().WriteInt32(0);
  Handler().WriteInt32(300);
  Handler().WriteStream(record, 0, false);
  EXPECT_TRUE(counter_.blocks.empty());
  Handler().CloseWriteBuffer();
  EXPECT_FALSE(Handler().IsWriteBuffering());
  EXPECT_EQ(counter_.blocks, (std::vector<size_t>{312}));
  EXPECT_EQ(Handler().ReadInt32(), 0x0102);
  const TNsBytes bytes = received.get_future().get();
  ASSERT_EQ(bytes.size(), 312u);
  EXPECT_EQ(TNsBytes(bytes.begin(), bytes.begin() + 12), (TNsBytes{0x7F, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x2C}));
  EXPECT_EQ(bytes[12], 0xAB);
  client_->CloseConnection();
}

TEST_F(TcpClientTransferTest, IntegersGoInNetworkOrderOrInTheMachinesOrder) {
  std::promise<TNsBytes> received;
  TLoopbackServer server([&](TServerConnection& connection) {
    received.set_value(connection.Read(4 + 4 + 8));
    connection.Send(TNsBytes{1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFE, 0, 0, 0, 0, 0, 0, 0, 9});
    connection.ClientClosedWithin(5000);
  });
  Connect(server);
  Handler().WriteInt32(1, false);
  Handler().WriteInt32(0x7F000000, true);
  Handler().WriteInt64(0x0102030405060708LL, true);
  EXPECT_EQ(received.get_future().get(),
            (TNsBytes{1, 0, 0, 0, 0x7F, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(Handler().ReadInt32(false), 1);
  EXPECT_EQ(Handler().ReadInt32(true), -2);
  EXPECT_EQ(Handler().ReadInt64(true), 9);
  client_->CloseConnection();
}

TEST_F(TcpClientTransferTest, AThresholdSendsPiecesEarlyAndCancellingSendsNothing) {
  std::promise<TNsBytes> received;
  TLoopbackServer server([&](TServerConnection& connection) { received.set_value(connection.ReadUntilClosed()); });
  Connect(server);
  Handler().OpenWriteBuffer(10);
  TNsBytes bytes(25);
  for (size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<uint8_t>(i);
  Handler().WriteBytes(bytes);
  EXPECT_EQ(counter_.blocks, (std::vector<size_t>{10, 10}));
  Handler().WriteInt32(7);
  Handler().CancelWriteBuffer();
  EXPECT_FALSE(Handler().IsWriteBuffering());
  EXPECT_EQ(counter_.blocks.size(), 2u);
  // Without buffering every write leaves at once.
  Handler().WriteBytes(TNsBytes{0xEE});
  EXPECT_EQ(counter_.blocks.size(), 3u);
  client_->CloseConnection();
  const TNsBytes got = received.get_future().get();
  ASSERT_EQ(got.size(), 21u);
  EXPECT_EQ(got[19], 19);
  EXPECT_EQ(got[20], 0xEE);
}

TEST_F(TcpClientTransferTest, ASilentPeerEndsAReadWithReadTimedOut) {
  TLoopbackServer server([](TServerConnection& connection) { connection.ClientClosedWithin(10000); });
  Connect(server);
  client_->SetReadTimeout(300);
  try {
    Handler().ReadInt32();
    FAIL() << "read from a silent peer";
  } catch (const ENsReadTimeout& error) {
    EXPECT_EQ(error.Message(), "Read timed out.");
  }
  // The connection is still usable after a time-out.
  EXPECT_TRUE(client_->IsConnected());
  client_->CloseConnection();
}

TEST_F(TcpClientTransferTest, ReadTimeOutsOfMinusOneAndZeroWaitWithoutLimit) {
  // The answer comes late; neither value may turn into an immediate
  // time-out or an invalid wait.
  TLoopbackServer server([](TServerConnection& connection) {
    for (int answer = 1; answer <= 2; ++answer) {
      connection.Read(1);
      SleepMs(300);
      connection.Send(TNsBytes{0, 0, 0, static_cast<uint8_t>(answer)});
    }
    connection.ClientClosedWithin(5000);
  });
  Connect(server);
  for (int32_t timeout : {-1, 0}) {
    client_->SetReadTimeout(timeout);
    Handler().WriteBytes(TNsBytes{1});
    EXPECT_EQ(Handler().ReadInt32(), timeout == -1 ? 1 : 2);
  }
  client_->CloseConnection();
}

TEST_F(TcpClientTransferTest, APeerThatClosesMidValueEndsTheReadGracefully) {
  TLoopbackServer server([](TServerConnection& connection) {
    connection.Send(TNsBytes{1, 2});
    connection.Close();
  });
  Connect(server);
  try {
    Handler().ReadInt32();
    FAIL() << "read a whole integer from two bytes";
  } catch (const ENsConnClosedGracefully& error) {
    EXPECT_EQ(error.Message(), "Connection Closed Gracefully.");
  }
  // What came before the close stays for a later read.
  EXPECT_EQ(Handler().InputBuffer().Size(), 2);
  EXPECT_FALSE(Handler().Opened());
}

TEST_F(TcpClientTransferTest, UnreadBytesKeepAClosedConnectionConnected) {
  std::promise<void> closed;
  TLoopbackServer server([&](TServerConnection& connection) {
    connection.Send(TNsBytes{0, 0, 0, 5});
    connection.Close();
    closed.set_value();
  });
  Connect(server);
  closed.get_future().wait();
  // Polls until the close arrives; the integer is still to be read.
  for (int i = 0; i < 200 && !Handler().ClosedGracefully(); ++i) {
    EXPECT_TRUE(client_->IsConnected());
    SleepMs(5);
  }
  EXPECT_TRUE(Handler().ClosedGracefully());
  EXPECT_TRUE(client_->IsConnected());
  EXPECT_EQ(Handler().ReadInt32(), 5);
  EXPECT_FALSE(client_->IsConnected());
  EXPECT_THROW(Handler().VerifyConnection(true, false), ENsConnClosedGracefully);
}

TEST_F(TcpClientTransferTest, WritingToAPeerThatClosedRaisesInsteadOfEndingTheProcess) {
  TLoopbackServer server([](TServerConnection& connection) { connection.Close(); });
  Connect(server);
  const TNsBytes block(65536, 0x55);
  bool raised = false;
  for (int i = 0; i < 100 && !raised; ++i) {
    try {
      Handler().WriteBytes(block);
    } catch (const ENsException&) {
      raised = true;
    }
  }
  EXPECT_TRUE(raised);
  EXPECT_FALSE(client_->IsConnected());
}

TEST_F(TcpClientTransferTest, StreamsThatRunDryRaiseAfterSendingWhatTheyHad) {
  std::promise<TNsBytes> received;
  TLoopbackServer server([&](TServerConnection& connection) { received.set_value(connection.ReadUntilClosed()); });
  Connect(server);
  TMemoryStream stream;
  stream.WriteBuffer("abcdef", 6);
  stream.SetPosition(2);
  try {
    Handler().WriteStream(stream, 10, false);
    FAIL() << "sent more than the stream had";
  } catch (const ENsNoDataToRead& error) {
    EXPECT_EQ(error.Message(), "No data to read.");
  }
  stream.SetPosition(4);
  Handler().WriteStream(stream, -1, true);
  client_->CloseConnection();
  EXPECT_EQ(received.get_future().get(), (TNsBytes{'c', 'd', 'e', 'f', 0, 0, 0, 2, 'e', 'f'}));
}

TEST_F(TcpClientTransferTest, WorkEventsBracketTheWholeStream) {
  TLoopbackServer server([](TServerConnection& connection) { connection.ReadUntilClosed(); });
  Connect(server);
  std::vector<std::string> events;
  client_->OnWorkBegin = [&](TObject*, TWorkMode, int64_t max) { events.push_back("begin " + std::to_string(max)); };
  client_->OnWork = [&](TObject*, TWorkMode, int64_t count) { events.push_back("work " + std::to_string(count)); };
  client_->OnWorkEnd = [&](TObject*, TWorkMode) { events.push_back("end"); };
  TMemoryStream stream;
  stream.WriteBuffer("0123456789", 10);
  Handler().SetSendBufferSize(4);
  Handler().WriteStream(stream, 0, false);
  EXPECT_EQ(events, (std::vector<std::string>{"begin 10", "work 4", "work 8", "work 10", "end"}));
  client_->CloseConnection();
}

TEST_F(TcpClientTransferTest, OpeningAnOpenHandlerAgainClosesItsOldSocket) {
  std::promise<bool> first_closed;
  int connections = 0;
  TLoopbackServer server([&](TServerConnection& connection) {
    if (++connections == 1)
      first_closed.set_value(connection.ClientClosedWithin(5000));
    else
      connection.ClientClosedWithin(5000);
  });
  Connect(server);
  Handler().Open();
  EXPECT_TRUE(first_closed.get_future().get());
  EXPECT_TRUE(client_->IsConnected());
  client_->CloseConnection();
}

}  // namespace
