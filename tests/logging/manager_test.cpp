// The logging manager: identity of the sender, time stamps driven by a
// high-resolution counter, thread names, transports and the module state.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <source_location>
#include <string>
#include <thread>

#include "logging/copydata_connection.h"
#include "logging/logging_module.h"
#include "logging/manager.h"
#include "logging_fixture.h"
#include "platform/rtl/assertion.h"
#include "platform/rtl/clock.h"

namespace {

using logging_test::DeliveryLog;
using logging_test::LoggingModuleTest;
using logging_test::RecordingConnection;

// A counter that moves only when the test moves it.
class SteppedCounter final : public TLogWirePerformanceCounter {
 public:
  SteppedCounter(int64_t frequency, std::shared_ptr<std::atomic<int64_t>> ticks)
      : frequency_(frequency), ticks_(std::move(ticks)) {}
  bool QueryFrequency(int64_t& frequency) const override {
    frequency = frequency_;
    return frequency_ > 0;
  }
  int64_t QueryCounter() const override { return ticks_->load(); }

 private:
  int64_t frequency_;
  std::shared_ptr<std::atomic<int64_t>> ticks_;
};

TEST(TimeStamp, DateTimeConvertsToDayNumberAndMilliseconds) {
  struct Case {
    TDateTime value;
    TLogWireTimeStamp expected;
  };
  const Case cases[] = {
      {0.0, {0, 693594}},
      {1.5, {43'200'000, 693595}},
      {EncodeDate(1, 1, 1), {0, 1}},
      {ComposeDateTime(EncodeDate(2024, 5, 1), EncodeTime(12, 34, 56, 789)), {45'296'789, 739007}},
      // A moment that rounds up to midnight belongs to the next day.
      {2.0 - 1e-10, {0, 693596}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(LogWireDateTimeToTimeStamp(c.value), c.expected);
  }
}

TEST(TimeStamp, CounterTicksBecomeMillisecondsRoundedHalfToEven) {
  struct Case {
    int64_t elapsed;
    int64_t frequency;
    int32_t expected_time;
  };
  const Case cases[] = {
      {15'000'000, 10'000'000, 1500}, {5, 10'000, 0},   {15, 10'000, 2},
      {25, 10'000, 2},                {26, 10'000, 3},  {1, 3, 333},
      {2, 3, 667},                    {-50, 10'000, 0}, {INT64_MAX, 1'000'000'000'000'000'000, 9223},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.elapsed);
    EXPECT_EQ(LogWireAdvanceTimeStamp({0, 700000}, c.elapsed, c.frequency),
              (TLogWireTimeStamp{c.expected_time, 700000}));
  }
  // Past midnight the day number moves on.
  EXPECT_EQ(LogWireAdvanceTimeStamp({86'399'000, 700000}, 25'000, 10'000), (TLogWireTimeStamp{1500, 700001}));
}

TEST(Manager, TimeStampsFollowTheCounterNotTheClock) {
  const TDateTime start = ComposeDateTime(EncodeDate(2024, 5, 1), EncodeTime(23, 59, 59, 0));
  auto clock = std::make_unique<TScopedClock>(start);
  auto ticks = std::make_shared<std::atomic<int64_t>>(1'000'000);
  TLogWireManager manager(std::make_unique<SteppedCounter>(10'000'000, ticks));
  const TLogWireTimeStamp first = manager.GetTimeStamp();
  EXPECT_EQ(first, LogWireDateTimeToTimeStamp(start));

  ticks->fetch_add(15'000'000);  // 1.5 s
  clock.reset();  // a scoped clock restores the one before it
  clock = std::make_unique<TScopedClock>(start - 3.0);  // the clock is put back three days
  const TLogWireTimeStamp second = manager.GetTimeStamp();
  EXPECT_EQ(second.Date, first.Date + 1);
  EXPECT_EQ(second.Time, 500);
}

TEST(Manager, WithoutCounterTimeStampsFollowTheClock) {
  const TDateTime now = ComposeDateTime(EncodeDate(2024, 5, 1), EncodeTime(8, 0, 0, 250));
  TScopedClock clock(now);
  TLogWireManager manager(std::make_unique<SteppedCounter>(0, std::make_shared<std::atomic<int64_t>>(0)));
  EXPECT_EQ(manager.GetTimeStamp(), LogWireDateTimeToTimeStamp(now));
}

TEST(Manager, ApplicationNameIsTheProgramNameCutToFortyBytes) {
  struct Case {
    std::string path;
    std::string expected;
  };
  const std::string fifty(50, 'p');
  const Case cases[] = {
      {"C:\\Prog\\Lumar.exe", "Lumar"},
      {"C:\\Prog\\" + fifty + ".exe", fifty.substr(0, 40)},
      {"/opt/x/tool", "tool"},
      {"a.b.exe", "a.b"},
      {std::string(39, 'g') + "ö.exe", std::string(39, 'g')},
      {"C:Drucken.exe", "Drucken"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(LogWireApplicationName(c.path), c.expected);
  }
}

TEST(Manager, StartsEnabledWithViewerDestinationAndWindowMessageTransport) {
  TLogWireManager manager;
  EXPECT_TRUE(manager.Enabled());
  EXPECT_EQ(manager.DefaultDestination().GetDestinationString(), "Viewer");
  EXPECT_NE(dynamic_cast<TLogWireCopyDataConnection*>(&manager.Connection()), nullptr);
  EXPECT_EQ(manager.AssertionMode(), 0);
  EXPECT_FALSE(manager.EscapeControlChars());
  EXPECT_EQ(manager.GetProcessId(), LogWireCurrentProcessId());
  EXPECT_FALSE(manager.GetAppName().empty());
  EXPECT_LE(manager.GetComputerName().size(), 15u);
}

TEST(Manager, EachThreadIsNamedByItsDecimalId) {
  TLogWireManager manager;
  const std::string main_name = manager.GetThreadName();
  EXPECT_EQ(main_name, std::to_string(TThread::CurrentThreadId()));
  std::string worker_name;
  std::string worker_id;
  std::thread worker([&] {
    worker_name = manager.GetThreadName();
    worker_id = std::to_string(TThread::CurrentThreadId());
  });
  worker.join();
  EXPECT_EQ(worker_name, worker_id);
  EXPECT_NE(worker_name, main_name);
  EXPECT_EQ(manager.GetThreadName(), main_name);
}

TEST(Manager, FormatterListIsMadeOnFirstRequest) {
  TLogWireManager manager;
  TLogWireFormatterList& formatters = manager.GetFormatters();
  formatters.Add(new TObject);
  EXPECT_EQ(&manager.GetFormatters(), &formatters);
  EXPECT_EQ(manager.GetFormatters().Count(), 1);
}

TEST_F(LoggingModuleTest, SwitchingTransportsReleasesTheOldIdsAndKeepsTheDefaultDestination) {
  TLogWireDestination& destination = Manager().DefaultDestination();
  Logger().SendMsg("first");
  ASSERT_EQ(Log().Types(), (std::vector<uint32_t>{91, 0}));
  const std::string id = Logger().DispatchId();

  Manager().UseCopyDataTransport();
  // The old transport released its id on the way out.
  ASSERT_EQ(Log().Types(), (std::vector<uint32_t>{91, 0, 92}));
  EXPECT_EQ(Messages()[2].DispatchId, id);
  EXPECT_NE(dynamic_cast<TLogWireCopyDataConnection*>(&Manager().Connection()), nullptr);
  EXPECT_TRUE(Manager().Connection().DispatchIds().empty());
  EXPECT_EQ(&Manager().DefaultDestination(), &destination);
  EXPECT_EQ(destination.GetDestinationString(), "Viewer");

  auto second_log = std::make_shared<DeliveryLog>();
  Manager().UseConnection(std::make_unique<RecordingConnection>(Manager(), second_log));
  Logger().SetEnabled(true);
  Logger().SendMsg("again");
  // The new transport does not know the old id: it registers anew.
  EXPECT_EQ(second_log->Types(), (std::vector<uint32_t>{91, 0}));
  EXPECT_NE(Logger().DispatchId(), id);
}

TEST_F(LoggingModuleTest, TcpTransportIsBuiltByTheFactoryTheSocketLayerInstalls) {
  // Other tests of this program may have installed the socket layer's
  // factory; start from none.
  LogWireSetTcpConnectionFactory(nullptr);
  EXPECT_THROW(Manager().UseLocalTcpTransport(), EInvalidOperation);
  // The failed switch kept the current transport.
  Logger().SendMsg("still here");
  EXPECT_EQ(Log().Types(), (std::vector<uint32_t>{91, 0}));

  std::string host;
  int32_t port = 0;
  auto tcp_log = std::make_shared<DeliveryLog>();
  LogWireSetTcpConnectionFactory([&](TLogWireManager& manager, const std::string& h, int32_t p) {
    host = h;
    port = p;
    return std::make_unique<RecordingConnection>(manager, tcp_log);
  });
  Manager().UseLocalTcpTransport();
  EXPECT_EQ(host, "localhost");
  EXPECT_EQ(port, 3434);
  Manager().UseTcpTransport("logs.example", 5000);
  EXPECT_EQ(host, "logs.example");
  EXPECT_EQ(port, 5000);
  LogWireSetTcpConnectionFactory(nullptr);
}

TEST(LoggingModule, CreatesAndFreesTheManagerAndTheGlobalLogger) {
  EXPECT_EQ(GlobalLogWireManager(), nullptr);
  LogWireLoggingInitialize();
  TLogWireManager* manager = GlobalLogWireManager();
  ASSERT_NE(manager, nullptr);
  ASSERT_NE(GlobalLogWireLogger(), nullptr);
  EXPECT_EQ(GlobalLogWireLogger()->Owner(), nullptr);
  LogWireLoggingInitialize();
  EXPECT_EQ(GlobalLogWireManager(), manager);
  LogWireLoggingFinalize();
  EXPECT_EQ(GlobalLogWireManager(), nullptr);
  EXPECT_EQ(GlobalLogWireLogger(), nullptr);
}

TEST_F(LoggingModuleTest, AssertionHandlerLogsOrRaisesByMode) {
  int marker = 0;
  Manager().SetAssertionMode(0);
  try {
    LogWireAssertHandler("x > 0", "unit.cpp", 12, &marker);
    ADD_FAILURE() << "mode 0 raises";
  } catch (const EAssertionFailed& error) {
    EXPECT_EQ(error.Message(), "x > 0 (unit.cpp, Zeile 12)");
  }
  EXPECT_TRUE(Messages().empty());

  Manager().SetAssertionMode(1);
  EXPECT_NO_THROW(LogWireAssertHandler("x > 0", "unit.cpp", 12, &marker));
  ASSERT_EQ(Log().Types(), (std::vector<uint32_t>{91, 2}));
  const std::string& text = Messages()[1].Text;
  EXPECT_EQ(text.rfind("Assertion Failed: x > 0\rFile: unit.cpp\rLine: 12\rAddress: ", 0), 0u) << text;

  Manager().SetAssertionMode(2);
  EXPECT_THROW(LogWireAssertHandler("y", "unit.cpp", 13, &marker), EAssertionFailed);
  EXPECT_EQ(Log().Types(), (std::vector<uint32_t>{91, 2, 2}));
}

// The run-time's own assertion entry reaches the handler while the module
// runs, and no longer once it has ended.
TEST_F(LoggingModuleTest, AssertionsOfTheCodeReachTheHandlerWhileTheModuleRuns) {
  EXPECT_EQ(CurrentAssertHandler(), &LogWireAssertHandler);
  Manager().SetAssertionMode(1);
  const uint32_t line = std::source_location::current().line() + 1;
  Assert(1 + 1 == 3, "Summe stimmt");
  ASSERT_EQ(Log().Types(), (std::vector<uint32_t>{91, 2}));
  const std::string expected_start = "Assertion Failed: Summe stimmt\rFile: " +
                                     std::string(std::source_location::current().file_name()) +
                                     "\rLine: " + std::to_string(line) + "\rAddress: ";
  EXPECT_EQ(Messages()[1].Text.rfind(expected_start, 0), 0u) << Messages()[1].Text;
  Assert(true, "never reported");
  EXPECT_EQ(Log().Types(), (std::vector<uint32_t>{91, 2}));

  Manager().SetAssertionMode(0);
  EXPECT_THROW(Assert(false, "raised"), EAssertionFailed);
  EXPECT_EQ(Log().Types(), (std::vector<uint32_t>{91, 2}));

  LogWireLoggingFinalize();
  EXPECT_EQ(CurrentAssertHandler(), nullptr);
  EXPECT_THROW(Assert(false, "without the module"), EAssertionFailed);
}

}  // namespace
