// The window-message transport against a real dispatcher process: the
// stand-in receives the records by WM_COPYDATA and writes down every byte,
// which is compared with golden records laid out field by field here.
// The transport also finds the dispatcher program in the registry and
// starts it when its window is missing.
#ifdef _WIN32

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include "logging/copydata_connection.h"
#include "logging/dispatcher_process.h"
#include "logging/logger.h"
#include "logging/logging_module.h"
#include "logging/manager.h"
#include "platform/rtl/date_time.h"
#include "tests/support/dispatcher_log.h"
#include "tests/support/helper_process.h"
#include "tests/support/message_pump.h"
#include "tests/support/test_paths.h"

namespace {

using test_support::HelperProcess;

constexpr char kDispatcherKey[] = "Software\\Dovex\\LogWire\\4.0";
constexpr char kDispatcherKeyRoot[] = "Software\\Dovex";
constexpr char kPolicyKey[] = "Software\\Policies\\Dovex\\LogWire\\4.0";
constexpr char kPolicyKeyRoot[] = "Software\\Policies\\Dovex";

std::string StandInPath() { return test_support::ExecutableFolder() + "log_dispatcher_standin.exe"; }

using test_support::DispatcherRecord;

// What a record should hold. Texts are short enough for their fields, and
// `text` is given without a final line break.
struct GoldenFields {
  uint32_t type = 0;
  uint32_t time = 0;
  uint32_t date = 0;
  int32_t bias = 0;
  std::string text;
  uint32_t process_id = 0;
  std::string thread_name;
  std::string dispatch_id;
  std::string computer_name;
  std::string app_name;
  std::string category;
  uint32_t category_color = 0;
  uint32_t category_font_color = 0;
  std::string type_name;
};

std::vector<uint8_t> GoldenRecord(const GoldenFields& f) {
  std::vector<uint8_t> record(246 + f.text.size(), 0);
  const auto put32 = [&](size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i)
      record[offset + i] = static_cast<uint8_t>(value >> (8 * i));
  };
  const auto put_text = [&](size_t offset, const std::string& text) {
    std::copy(text.begin(), text.end(), record.begin() + static_cast<std::ptrdiff_t>(offset));
  };
  put32(0, f.type);
  put32(4, f.time);
  put32(8, f.date);
  put32(12, static_cast<uint32_t>(f.bias));
  put32(16, static_cast<uint32_t>(f.text.size()));
  put32(20, 0);
  put32(24, f.process_id);
  put_text(28, f.thread_name);
  put_text(54, f.dispatch_id);
  put_text(96, f.computer_name);
  put_text(112, f.app_name);
  put_text(153, f.category);
  put32(194, f.category_color);
  put32(198, f.category_font_color);
  put_text(202, f.type_name);
  put_text(243, f.text);
  return record;
}

std::string ComputerName() {
  char name[16] = {};
  DWORD length = 16;
  return GetComputerNameA(name, &length) ? std::string(name, length) : std::string();
}

HWND FindDispatcherWindow() { return FindWindowA(kLogWireDispatcherWindowClass, kLogWireDispatcherWindowTitle); }

int CountDispatcherWindows() {
  int count = 0;
  EnumWindows(
      [](HWND window, LPARAM counter) -> BOOL {
        char class_name[64] = {};
        GetClassNameA(window, class_name, sizeof class_name);
        if (std::string(class_name) == kLogWireDispatcherWindowClass)
          ++*reinterpret_cast<int*>(counter);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

// Ends every dispatcher window's process that a test left behind (the ones
// the transport started itself have no HelperProcess).
void CloseDispatchers() {
  for (int attempt = 0; attempt < 10; ++attempt) {
    HWND window = FindDispatcherWindow();
    if (window == nullptr)
      return;
    DWORD process_id = 0;
    GetWindowThreadProcessId(window, &process_id);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, process_id);
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (process != nullptr) {
      if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0)
        TerminateProcess(process, 1);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
  }
}

bool KeyExists(const char* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

// Writes the "Dispatcher" value (or only the key) under HKEY_LOCAL_MACHINE
// for one test and removes what it created afterwards.
class ScopedDispatcherKey {
 public:
  ScopedDispatcherKey(const char* path, const char* root, std::optional<std::string> value)
      : root_(root), root_existed_(KeyExists(root)) {
    HKEY key = nullptr;
    created_ = RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) ==
               ERROR_SUCCESS;
    if (!created_)
      return;
    if (value)
      RegSetValueExA(key, "Dispatcher", 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                     static_cast<DWORD>(value->size() + 1));
    RegCloseKey(key);
  }
  ~ScopedDispatcherKey() {
    if (created_ && !root_existed_)
      RegDeleteTreeA(HKEY_LOCAL_MACHINE, root_);
  }
  ScopedDispatcherKey(const ScopedDispatcherKey&) = delete;
  ScopedDispatcherKey& operator=(const ScopedDispatcherKey&) = delete;

  bool created() const { return created_; }

 private:
  const char* root_;
  bool root_existed_;
  bool created_ = false;
};

class CopyDataTransport : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseDispatchers();
    if (KeyExists(kDispatcherKeyRoot) || KeyExists(kPolicyKeyRoot))
      GTEST_SKIP() << "the registry already names a dispatcher";
    LogWireLoggingInitialize();
    log_path_ = test_support::MakeTemporaryFolder("dispatcher") + "received.txt";
  }
  void TearDown() override {
    LogWireLoggingFinalize();
    CloseDispatchers();
  }

  void StartStandIn(int answer = 1, const std::string& more_arguments = {}) {
    ASSERT_TRUE(stand_in_.Start(StandInPath(), "--log \"" + log_path_ + "\" --answer " + std::to_string(answer) +
                                                   " " + more_arguments));
    ASSERT_NE(stand_in_.WaitForWindow(kLogWireDispatcherWindowTitle), nullptr);
  }

  std::vector<DispatcherRecord> Received() const { return test_support::ReadDispatcherLog(log_path_); }
  std::vector<uint32_t> ReceivedTypes() const {
    std::vector<uint32_t> types;
    for (const DispatcherRecord& record : Received())
      types.push_back(record.Type());
    return types;
  }

  static TLogWireManager& Manager() { return *GlobalLogWireManager(); }
  static TLogWireLogger& Logger() { return *GlobalLogWireLogger(); }

  std::string log_path_;
  HelperProcess stand_in_;
};

TEST_F(CopyDataTransport, RegistrationAndMessageArriveAsGoldenRecords) {
  StartStandIn();
  Logger().SetCategory("Druck");
  Logger().SendMsg("C:\\Daten\\Größe.pdf\r\n");
  ASSERT_TRUE(Logger().Enabled());

  const std::vector<DispatcherRecord> received = Received();
  ASSERT_EQ(received.size(), 2u);
  for (const DispatcherRecord& record : received) {
    EXPECT_EQ(record.id, 0x7F000000u);
    EXPECT_EQ(record.size, record.bytes.size());
  }

  GoldenFields registration;
  registration.type = 91;
  registration.text = "Viewer";
  registration.process_id = GetCurrentProcessId();
  registration.dispatch_id = Logger().DispatchId();
  registration.computer_name = ComputerName();
  registration.app_name = "logging_tests";
  registration.category = "Druck";
  EXPECT_EQ(received[0].bytes, GoldenRecord(registration));

  GoldenFields message;
  message.type = 0;
  message.text = "C:\\Daten\\Größe.pdf";
  message.bias = Manager().TimeZoneBias();
  message.process_id = GetCurrentProcessId();
  message.thread_name = std::to_string(GetCurrentThreadId());
  message.dispatch_id = Logger().DispatchId();
  message.computer_name = ComputerName();
  message.app_name = "logging_tests";
  message.category = "Druck";
  message.category_color = 16777215;
  // The moment is the stamp's; it must be today's.
  message.time = received[1].UInt32At(4);
  message.date = received[1].UInt32At(8);
  EXPECT_LT(message.time, 86'400'000u);
  EXPECT_NEAR(message.date, LogWireDateTimeToTimeStamp(Date()).Date, 1);
  EXPECT_EQ(received[1].bytes, GoldenRecord(message));
}

TEST_F(CopyDataTransport, EachDestinationIsRegisteredUsedAndReleasedOnTheWire) {
  StartStandIn();
  TLogWireDestination own(nullptr);
  own.Alias().SetActive(true);
  own.Alias().SetName("Zentral");
  {
    TLogWireLogger second(nullptr);
    second.SetDestination(&own);
    Logger().SendMsg("global");
    second.SendMsg("own");
    Logger().SendMsg("global again");
  }
  Manager().DefaultDestination().LogFile().SetActive(true);
  Manager().DefaultDestination().LogFile().SetFilePath("C:\\Prog\\");
  Manager().DefaultDestination().LogFile().SetFileName("Prog.csl");
  Logger().SendMsg("to the file too");
  const std::string last_id = Logger().DispatchId();
  LogWireLoggingFinalize();

  EXPECT_EQ(ReceivedTypes(), (std::vector<uint32_t>{91, 0, 91, 0, 0, 92, 91, 0, 92, 92, 92}));
  const std::vector<DispatcherRecord> received = Received();
  ASSERT_EQ(received.size(), 11u);
  const auto text = [&](size_t index) {
    const std::vector<uint8_t>& bytes = received[index].bytes;
    return std::string(bytes.begin() + 243, bytes.begin() + 243 + received[index].UInt32At(16));
  };
  const auto id = [&](size_t index) { return std::string(reinterpret_cast<const char*>(&received[index].bytes[54])); };
  EXPECT_EQ(text(0), "Viewer");
  EXPECT_EQ(text(2), "Alias[Name=Zentral]");
  EXPECT_EQ(text(6), "Viewer,File[Path=C:\\Prog\\Prog.csl]");
  EXPECT_EQ(id(5), id(0));  // the changed destination's old id
  EXPECT_EQ(id(6), last_id);
  EXPECT_EQ(id(7), last_id);
  // At the end every id the connection made is released, in order.
  EXPECT_EQ(id(8), id(0));
  EXPECT_EQ(id(9), id(2));
  EXPECT_EQ(id(10), last_id);
}

TEST_F(CopyDataTransport, ZeroAnswerSwitchesTheLoggerOff) {
  StartStandIn(0);
  Logger().SendMsg("refused");
  EXPECT_FALSE(Logger().Enabled());
  Logger().SendMsg("never sent");
  EXPECT_EQ(ReceivedTypes(), (std::vector<uint32_t>{91}));
}

TEST_F(CopyDataTransport, AnyOtherAnswerIsSuccess) {
  StartStandIn(42);
  EXPECT_EQ(Logger().DoSendMsg(0, "a", "", ""), 42);
  EXPECT_TRUE(Logger().Enabled());
  EXPECT_EQ(ReceivedTypes(), (std::vector<uint32_t>{91, 0}));
}

TEST_F(CopyDataTransport, DispatcherThatWentAwayFailsTheDelivery) {
  StartStandIn();
  Logger().SendMsg("first");
  stand_in_.Terminate();
  ASSERT_TRUE(test_support::PumpUntil([] { return FindDispatcherWindow() == nullptr; }));
  ScopedDispatcherKey key(kDispatcherKey, kDispatcherKeyRoot, "C:\\nowhere\\none.exe");
  Logger().SendMsg("second");
  EXPECT_FALSE(Logger().Enabled());
}

TEST_F(CopyDataTransport, DispatcherIsStartedFromTheRegistryValue) {
  ScopedDispatcherKey key(kDispatcherKey, kDispatcherKeyRoot, StandInPath());
  ASSERT_TRUE(key.created());
  ASSERT_EQ(LogWireGetDispatcherPath(), StandInPath());
  ASSERT_EQ(CountDispatcherWindows(), 0);

  EXPECT_EQ(Logger().DoSendMsg(0, "starts it", "", ""), 1);
  EXPECT_EQ(CountDispatcherWindows(), 1);
  // With the window there, nothing more is started.
  EXPECT_EQ(Logger().DoSendMsg(0, "uses it", "", ""), 1);
  EXPECT_EQ(CountDispatcherWindows(), 1);

  Manager().Connection().Close();
  EXPECT_TRUE(test_support::PumpUntil([] { return FindDispatcherWindow() == nullptr; }));
}

TEST_F(CopyDataTransport, PolicyKeyServesWhenTheMainKeyIsMissing) {
  {
    ScopedDispatcherKey policy(kPolicyKey, kPolicyKeyRoot, "D:\\Tools\\Dispatcher.exe");
    ASSERT_TRUE(policy.created());
    EXPECT_EQ(LogWireGetDispatcherPath(), "D:\\Tools\\Dispatcher.exe");
    // A main key without the value wins over the policy key.
    ScopedDispatcherKey main_key(kDispatcherKey, kDispatcherKeyRoot, std::nullopt);
    ASSERT_TRUE(main_key.created());
    EXPECT_EQ(LogWireGetDispatcherPath(), "LWDispatcher.exe");
  }
  EXPECT_EQ(LogWireGetDispatcherPath(), "LWDispatcher.exe");
}

TEST_F(CopyDataTransport, WithoutRegistryValueTheDefaultProgramIsStartedThroughTheShell) {
  const std::string folder = test_support::MakeTemporaryFolder("lwdispatcher");
  ASSERT_TRUE(CopyFileA(StandInPath().c_str(), (folder + "LWDispatcher.exe").c_str(), FALSE));
  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
  const int32_t answer = Logger().DoSendMsg(0, "default program", "", "");
  SetCurrentDirectoryA(previous);
  EXPECT_EQ(answer, 1);
  EXPECT_EQ(CountDispatcherWindows(), 1);
}

TEST_F(CopyDataTransport, NoWindowAndNoProgramFailsTheDelivery) {
  ScopedDispatcherKey key(kDispatcherKey, kDispatcherKeyRoot, "C:\\nowhere\\none.exe");
  EXPECT_EQ(Logger().DoSendMsg(0, "lost", "", ""), 0);
  EXPECT_FALSE(Logger().Enabled());
  EXPECT_EQ(CountDispatcherWindows(), 0);
}

// What one run of the logging module against a dispatcher that stops
// answering ends with.
struct HungDispatcherRun {
  int32_t first_answer = -1;
  bool logger_enabled = true;
  TLogWireWindow unanswering_window = nullptr;
};

// The module's whole life as the program lives it - start, the paths of a
// print run, a close request, the end with its releases - on a thread of
// its own, so that a wait without end fails the test instead of hanging it.
HungDispatcherRun RunModuleAgainstHungDispatcher() {
  HungDispatcherRun run;
  LogWireLoggingInitialize();
  TLogWireLogger& logger = *GlobalLogWireLogger();
  run.first_answer = logger.DoSendMsg(0, "C:\\Daten\\1.pdf", "", "");
  for (const char* path : {"C:\\Daten\\2.pdf", "C:\\Daten\\3.pdf", "C:\\Daten\\4.pdf"})
    logger.SendMsg(path);
  run.logger_enabled = logger.Enabled();
  auto& connection = static_cast<TLogWireCopyDataConnection&>(GlobalLogWireManager()->Connection());
  connection.Close();
  run.unanswering_window = connection.UnansweringWindow();
  LogWireLoggingFinalize();
  return run;
}

TEST_F(CopyDataTransport, DispatcherThatStopsAnsweringFailsTheDeliveryAndTheRunEnds) {
  // Far above the one bounded wait the run may cost, far below a hang.
  constexpr std::chrono::seconds kGenerousBound{60};
  struct Case {
    int answered;
    std::vector<uint32_t> received;
  };
  const Case cases[] = {
      {0, {91}},     // hangs at the registration
      {1, {91, 0}},  // registers, then hangs at the first path
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("answers before the hang: " + std::to_string(c.answered));
    // The run starts the module itself, on its thread.
    LogWireLoggingFinalize();
    std::remove(log_path_.c_str());
    StartStandIn(1, "--hang-after " + std::to_string(c.answered));
    const HWND dispatcher = FindDispatcherWindow();

    std::future<HungDispatcherRun> running = std::async(std::launch::async, RunModuleAgainstHungDispatcher);
    if (running.wait_for(kGenerousBound) != std::future_status::ready) {
      // Ending the stand-in ends the wait, so that the thread can be joined.
      stand_in_.Terminate();
      running.wait();
      FAIL() << "the logging module waited for the hung dispatcher";
    }
    const HungDispatcherRun run = running.get();
    EXPECT_EQ(run.first_answer, 0);
    EXPECT_FALSE(run.logger_enabled);
    EXPECT_EQ(run.unanswering_window, static_cast<TLogWireWindow>(dispatcher));
    EXPECT_EQ(ReceivedTypes(), c.received);
    stand_in_.Terminate();
  }
}

}  // namespace

#endif  // _WIN32
