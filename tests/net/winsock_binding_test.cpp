// The run-time binding of Winsock 2 (Windows only).
#ifdef _WIN32

#include <gtest/gtest.h>

#include <cstdio>
#include <future>
#include <string>

#include "net/io_handler_stack.h"
#include "net/stack.h"
#include "net/tcp_client.h"
#include "net/winsock_binding_win.h"
#include "platform/rtl/system_error.h"
#include "tests/net/loopback_server.h"
#include "tests/support/test_paths.h"

namespace {

TEST(WinsockBindingTest, TheStackLoadsWinsockAndFunctionsBindOnTheirFirstCall) {
  TNsStackReference holder;
  EXPECT_EQ(RequireStack().ClassName(), "TNsStackWindows");
  ASSERT_TRUE(IsWinsockLoaded());
  EXPECT_NE(WinsockLibraryHandle(), nullptr);

  TWinsockFunction<decltype(::ntohs)> ntohs_function{"ntohs"};
  EXPECT_FALSE(ntohs_function.IsBound());
  const int32_t before = WinsockLookupCount();
  EXPECT_EQ(ntohs_function(0x3412), 0x1234);
  EXPECT_TRUE(ntohs_function.IsBound());
  EXPECT_EQ(WinsockLookupCount(), before + 1);
  EXPECT_EQ(ntohs_function(0x0100), 0x0001);
  EXPECT_EQ(WinsockLookupCount(), before + 1);
}

TEST(WinsockBindingTest, AMissingFunctionRaisesTheStubError) {
  TNsStackReference holder;
  TWinsockFunction<int()> missing{"NoSuchWinsockFunction"};
  try {
    missing();
    FAIL() << "called a function that does not exist";
  } catch (const ENsWinsockStubError& error) {
    EXPECT_EQ(error.ErrorNumber(), 10022);
    EXPECT_EQ(error.Title(), "Error on call to Winsock2 library function NoSuchWinsockFunction");
    EXPECT_EQ(error.Message().rfind("Error on call to Winsock2 library function NoSuchWinsockFunction: ", 0), 0u);
    // The system's text comes from the one shared source, ready to be
    // followed by more text: no line break or full stop at its end.
    EXPECT_EQ(error.SystemErrorText(), SystemErrorText(10022));
    ASSERT_FALSE(error.SystemErrorText().empty());
    EXPECT_NE(error.SystemErrorText().back(), '.');
    EXPECT_NE(error.SystemErrorText().back(), '\n');
  }
  EXPECT_FALSE(missing.IsBound());
}

TEST(WinsockBindingTest, AddressFunctionsAreFoundAndTheirErrorsMapped) {
  TNsStackReference holder;
  EXPECT_TRUE(IPv6FunctionsAvailable());
  EXPECT_NE(IPv6Functions().getaddrinfo, nullptr);
  EXPECT_EQ(MapAddrInfoError(8), 11001);
  EXPECT_EQ(MapAddrInfoError(11001), 11001);
  EXPECT_EQ(MapAddrInfoError(2), 11002);
  EXPECT_EQ(MapAddrInfoError(1), 0);
}

TEST(WinsockBindingTest, FilesGoThroughTheSystemsTransmission) {
  const std::string folder = test_support::MakeTemporaryFolder("transmit");
  const std::string file_name = folder + "payload.bin";
  std::string content;
  for (int i = 0; i < 100000; ++i)
    content += static_cast<char>('a' + i % 26);
  FILE* file = std::fopen(file_name.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(content.data(), 1, content.size(), file);
  std::fclose(file);

  std::promise<TNsBytes> received;
  net_test::TLoopbackServer server(
      [&](net_test::TServerConnection& connection) { received.set_value(connection.ReadUntilClosed()); });
  TNsTCPClient client(nullptr);
  client.SetHost("127.0.0.1");
  client.SetPort(server.Port());
  client.Connect();
  EXPECT_EQ(client.IOHandler()->WriteFileContents(file_name, true), 100000);
  client.CloseConnection();
  const TNsBytes bytes = received.get_future().get();
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), content);
}

}  // namespace

#endif  // _WIN32
