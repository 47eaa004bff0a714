// How many messages per second the window-message transport delivers to a
// dispatcher process. It measures and prints; it asserts only that every
// message was accepted, never a speed.
#ifdef _WIN32

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "logging/copydata_connection.h"
#include "logging/logger.h"
#include "logging/logging_module.h"
#include "tests/support/helper_process.h"
#include "tests/support/test_paths.h"

namespace {

// Sends `count` messages of a typical length (a file path as the print run
// logs it) and prints the rate.
void MeasureDeliveries(const char* label, const std::string& stand_in_arguments, int count) {
  test_support::HelperProcess dispatcher;
  ASSERT_TRUE(dispatcher.Start(test_support::ExecutableFolder() + "log_dispatcher_standin.exe", stand_in_arguments));
  ASSERT_NE(dispatcher.WaitForWindow(kLogWireDispatcherWindowTitle), nullptr);
  LogWireLoggingInitialize();
  TLogWireLogger& logger = *GlobalLogWireLogger();
  const std::string path = "C:\\Users\\Buchhaltung\\Dokumente\\Rechnungen\\2024\\Rechnung-000123.pdf";
  ASSERT_EQ(logger.DoSendMsg(0, path, "", ""), 1);  // registers the destination

  int accepted = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < count; ++i)
    accepted += logger.DoSendMsg(0, path, "", "") == 1 ? 1 : 0;
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  LogWireLoggingFinalize();

  EXPECT_EQ(accepted, count);
  std::printf("[ MEASURED ] %s: %d messages in %.3f s, %.0f messages per second\n", label, count,
              elapsed.count(), count / elapsed.count());
  PostMessageA(FindWindowA(kLogWireDispatcherWindowClass, kLogWireDispatcherWindowTitle), WM_CLOSE, 0, 0);
  dispatcher.WaitForExit(5000);
}

TEST(CopyDataThroughput, MessagesPerSecondToTheDispatcher) {
  MeasureDeliveries("window message to a dispatcher that only answers", "", 1500);
  const std::string log = test_support::MakeTemporaryFolder("throughput") + "received.txt";
  MeasureDeliveries("window message to a dispatcher that writes each record to a file",
                    "--log \"" + log + "\"", 400);
}

}  // namespace

#endif  // _WIN32
