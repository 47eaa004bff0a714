// The run-time binding of Winsock 2 (Windows only).
#ifdef _WIN32

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "net/stack.h"
#include "net/winsock_binding_win.h"
#include "platform/rtl/system_error.h"
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

// The Winsock stack sends whole files with the system's routine (the
// transfer itself is tested with both stacks in stack_test.cpp): it answers
// for a file it cannot send with 0, not with "no routine of my own".
TEST(WinsockBindingTest, TheStackHasTheSystemsFileRoutine) {
  TNsStackReference holder;
  const std::string missing = test_support::MakeTemporaryFolder("transmit") + "missing.bin";
  EXPECT_EQ(RequireStack().TransmitWholeFile(kNsInvalidSocket, missing), std::optional<int64_t>(0));
}

}  // namespace

#endif  // _WIN32
