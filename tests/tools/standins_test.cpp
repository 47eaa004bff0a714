// The stand-ins that later tests rely on: the dispatcher records what arrives
// by WM_COPYDATA and answers as told; the reader ends on WM_CLOSE.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/helper_process.h"
#include "tests/support/message_pump.h"
#include "tests/support/test_paths.h"
#include "tests/support/window_finder.h"

namespace {

using test_support::HelperProcess;

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

COPYDATASTRUCT CopyDataOf(ULONG_PTR id, const std::string& bytes) {
  COPYDATASTRUCT data{};
  data.dwData = id;
  data.cbData = static_cast<DWORD>(bytes.size());
  data.lpData = const_cast<char*>(bytes.data());
  return data;
}

LRESULT SendCopyData(HWND target, ULONG_PTR id, const std::string& bytes) {
  COPYDATASTRUCT data = CopyDataOf(id, bytes);
  return SendMessageA(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

// False when no answer came within a second.
bool SendCopyDataBounded(HWND target, ULONG_PTR id, const std::string& bytes, DWORD_PTR& answer) {
  COPYDATASTRUCT data = CopyDataOf(id, bytes);
  return SendMessageTimeoutA(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_BLOCK, 1000, &answer) !=
         0;
}

// The dispatcher stand-in, recording into a fresh folder.
class DispatcherStandInTest {
 protected:
  // Its window once it shows; null when it did not start.
  HWND StartDispatcher(const std::string& arguments) {
    log_ = test_support::MakeTemporaryFolder("dispatcher") + "received.txt";
    if (!dispatcher_.Start(test_support::ExecutableFolder() + "log_dispatcher_standin.exe",
                           "--log \"" + log_ + "\" " + arguments))
      return nullptr;
    return dispatcher_.WaitForWindow("LogWire Dispatcher");
  }
  std::string Received() const { return ReadFile(log_); }

  HelperProcess dispatcher_;
  std::string log_;
};

class DispatcherStandIn : public ::testing::TestWithParam<int>, protected DispatcherStandInTest {};

TEST_P(DispatcherStandIn, RecordsEachCopyDataAndAnswersAsConfigured) {
  const int answer = GetParam();
  HWND window = StartDispatcher("--answer " + std::to_string(answer));
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window, FindWindowA("TFrmDispatcher", "LogWire Dispatcher"));

  EXPECT_EQ(SendCopyData(window, 7, std::string("A\0\xFF", 3)), answer);
  EXPECT_EQ(SendCopyData(window, 4294967295u, ""), answer);

  EXPECT_EQ(Received(), "7 3 4100ff\n4294967295 0 \n");

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(dispatcher_.WaitForExit(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Answers, DispatcherStandIn, ::testing::Values(1, 0, 42));

class DispatcherStandInThatHangs : public ::testing::Test, protected DispatcherStandInTest {};

TEST_F(DispatcherStandInThatHangs, AnswersTheGivenNumberOfRecordsThenStopsAnswering) {
  HWND window = StartDispatcher("--hang-after 1");
  ASSERT_NE(window, nullptr);

  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendCopyDataBounded(window, 7, "A", answer));
  EXPECT_EQ(answer, 1u);
  EXPECT_FALSE(SendCopyDataBounded(window, 7, "B", answer));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));
  // The record that was never answered still arrived.
  EXPECT_TRUE(test_support::PumpUntil([&] { return Received() == "7 1 41\n7 1 42\n"; })) << Received();
  EXPECT_TRUE(dispatcher_.running());
}

TEST(ReaderStandIn, ShowsTheGivenTitleAndEndsOnCloseRequest) {
  const std::string folder = test_support::MakeTemporaryFolder("reader");
  const std::string log = folder + "reader.txt";
  HelperProcess reader;
  ASSERT_TRUE(reader.Start(test_support::ExecutableFolder() + "reader_standin.exe",
                           "\"Adobe Reader - Größe.pdf\" --log \"" + log + "\""));
  HWND window = reader.WaitForWindow("Adobe Reader - Größe.pdf");
  ASSERT_NE(window, nullptr);
  // The window exists a moment before the stand-in shows it.
  EXPECT_TRUE(test_support::PumpUntil([&] { return IsWindowVisible(window) != FALSE; }));
  EXPECT_EQ(test_support::WindowTitle(window), "Adobe Reader - Größe.pdf");

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(reader.WaitForExit(), 0u);
  EXPECT_EQ(ReadFile(log), "closed\n");
}

}  // namespace
