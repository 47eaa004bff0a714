#include <gtest/gtest.h>

#include "net/exceptions.h"
#include "net/socket_handle.h"

namespace {

TEST(SocketHandleTest, PortZeroBindsToAPortOfTheSystemsChoice) {
  TNsSocketHandle handle;
  handle.CreateSocket();
  handle.SetIP("127.0.0.1");
  handle.Bind();
  EXPECT_NE(handle.Port(), 0);
  EXPECT_EQ(handle.IP(), "127.0.0.1");
}

TEST(SocketHandleTest, APortRangeBindsToTheHighestFreePort) {
  TNsSocketHandle taken;
  taken.CreateSocket();
  taken.SetIP("127.0.0.1");
  taken.Bind();
  const uint16_t port = taken.Port();
  ASSERT_GT(port, 2);

  TNsSocketHandle handle;
  handle.CreateSocket();
  handle.SetIP("127.0.0.1");
  handle.SetClientPortMin(static_cast<uint16_t>(port - 2));
  handle.SetClientPortMax(port);
  // The highest port is in use; the next one down is taken unless another
  // program holds it, in which case the lowest is.
  handle.Bind();
  EXPECT_LT(handle.Port(), port);
  EXPECT_GE(handle.Port(), port - 2);
}

TEST(SocketHandleTest, BadRangesAndTakenPortsRaise) {
  TNsSocketHandle handle;
  handle.CreateSocket();
  handle.SetClientPortMin(5002);
  handle.SetClientPortMax(5000);
  try {
    handle.Bind();
    FAIL() << "bound in an inverted range";
  } catch (const ENsInvalidPortRange& error) {
    EXPECT_EQ(error.Message(), "Invalid Port Range (5002 - 5000)");
  }

  TNsSocketHandle taken;
  taken.CreateSocket();
  taken.SetIP("127.0.0.1");
  taken.Bind();
  TNsSocketHandle clash;
  clash.CreateSocket();
  clash.SetIP("127.0.0.1");
  clash.SetPort(taken.Port());
  try {
    clash.Bind();
    FAIL() << "bound to a port in use";
  } catch (const ENsCouldNotBindSocket& error) {
    EXPECT_EQ(error.Message(), "Could not bind socket. Address and port are already in use.");
  }
  TNsSocketHandle range;
  range.CreateSocket();
  range.SetIP("127.0.0.1");
  range.SetClientPortMin(taken.Port());
  range.SetClientPortMax(taken.Port());
  try {
    range.Bind();
    FAIL() << "bound to a port in use";
  } catch (const ENsCannotBindPortInRange& error) {
    EXPECT_EQ(error.Message(), "Can not bind in port range (" + std::to_string(taken.Port()) + " - " +
                                   std::to_string(taken.Port()) + ")");
  }
}

TEST(SocketHandleTest, IPVersionIsFixedWhileASocketIsOpen) {
  TNsSocketHandle handle;
  handle.CreateSocket();
  EXPECT_NO_THROW(handle.SetIPVersion(Id_IPv4));
  try {
    handle.SetIPVersion(Id_IPv6);
    FAIL() << "changed the version of an open socket";
  } catch (const ENsCannotSetIPVersionWhenConnected& error) {
    EXPECT_EQ(error.Message(), "Cannot change IPVersion when connected");
  }
  handle.ReleaseSocket();
  handle.ReleaseSocket();
  EXPECT_FALSE(handle.HandleAllocated());
  EXPECT_NO_THROW(handle.SetIPVersion(Id_IPv6));
  try {
    handle.WaitReadable(0);
    FAIL() << "waited on no socket";
  } catch (const ENsConnClosedGracefully& error) {
    EXPECT_EQ(error.Message(), "Connection Closed Gracefully.");
  }
}

}  // namespace
