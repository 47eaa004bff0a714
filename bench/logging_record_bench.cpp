// The cost of turning one log message into its record, of building a
// destination string and of hashing it.
#include <benchmark/benchmark.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "logging/connection.h"
#include "logging/destination.h"
#include "logging/logger.h"
#include "logging/logging_module.h"
#include "logging/manager.h"
#include "logging/message_record.h"

namespace {

TLogWireMessage TypicalMessage(size_t text_length) {
  TLogWireMessage message;
  message.MsgType = 0;
  message.DispatchId = "{6F9619FF-8B86-D011-B42D-00C04FC964FF}";
  message.Text = std::string(text_length, 'x');
  message.Time = 45296789;
  message.Date = 739007;
  message.TimeZoneBias = -60;
  message.ProcessId = 4242;
  message.ThreadName = "17344";
  message.AppName = "LumarPdfPrinter";
  message.ComputerName = "ARBEITSPLATZ-07";
  message.Category = "Druck";
  message.CategoryColor = 16777215;
  return message;
}

// The floor of a record: the same text bytes and fixed header copied into
// a fresh buffer of the record's size.
void BM_BuildRecord_Baseline(benchmark::State& state) {
  const TLogWireMessage message = TypicalMessage(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    std::vector<uint8_t> record(246 + message.Text.size());
    std::memcpy(record.data() + 246, message.Text.data(), message.Text.size());
    benchmark::DoNotOptimize(record.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * (246 + state.range(0)));
}
BENCHMARK(BM_BuildRecord_Baseline)->Arg(60)->Arg(4096);

void BM_BuildRecord(benchmark::State& state) {
  const TLogWireMessage message = TypicalMessage(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    std::vector<uint8_t> record = LogWireBuildRecord(message);
    benchmark::DoNotOptimize(record.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * (246 + state.range(0)));
}
// A file path as the print run logs it, and a long text.
BENCHMARK(BM_BuildRecord)->Arg(60)->Arg(4096);

// The same text put together from its parts by plain concatenation.
void BM_DestinationString_Baseline(benchmark::State& state) {
  const std::string kind = "Viewer", file = "File", path = "C:\\Programme\\Lumar\\LumarPdfPrinter.csl";
  for (auto _ : state) {
    std::string text = kind + "," + file + "[Path=" + path + "]";
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(BM_DestinationString_Baseline);

void BM_DestinationString(benchmark::State& state) {
  TLogWireDestination destination(nullptr);
  destination.SetDestinationString("Viewer,File[Path=C:\\Programme\\Lumar\\LumarPdfPrinter.csl]");
  for (auto _ : state) {
    std::string text = destination.GetDestinationString();
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(BM_DestinationString);

void BM_HashText_Baseline(benchmark::State& state) {
  const std::string text = "Viewer,File[Path=C:\\Programme\\Lumar\\LumarPdfPrinter.csl]";
  for (auto _ : state)
    benchmark::DoNotOptimize(std::hash<std::string>{}(text));
}
BENCHMARK(BM_HashText_Baseline);

void BM_HashText(benchmark::State& state) {
  const std::string text = "Viewer,File[Path=C:\\Programme\\Lumar\\LumarPdfPrinter.csl]";
  for (auto _ : state)
    benchmark::DoNotOptimize(TLogWireDestination::HashText(text));
}
BENCHMARK(BM_HashText);

// A transport that does all a real one does but the system call: it lays
// out the record and accepts it.
class RecordOnlyConnection final : public TLogWireConnection {
 public:
  using TLogWireConnection::TLogWireConnection;
  ~RecordOnlyConnection() override { ReleaseDispatchIds(); }
  int32_t Send(const TLogWireMessage& message) override {
    std::vector<uint8_t> record = LogWireBuildRecord(message);
    benchmark::DoNotOptimize(record.data());
    return 1;
  }
};

// The record of one print-run message alone, what SendMsg adds its time
// stamp, thread name and destination check to.
void BM_LoggerSendMsg_Baseline(benchmark::State& state) {
  TLogWireMessage message = TypicalMessage(0);
  message.Text = "C:\\Users\\Buchhaltung\\Dokumente\\Rechnungen\\2024\\Rechnung-000123.pdf";
  for (auto _ : state) {
    std::vector<uint8_t> record = LogWireBuildRecord(message);
    benchmark::DoNotOptimize(record.data());
  }
}
BENCHMARK(BM_LoggerSendMsg_Baseline);

// One SendMsg of the print run, from the logger to the finished record:
// time stamp, thread name, destination check and record.
void BM_LoggerSendMsg(benchmark::State& state) {
  LogWireLoggingInitialize();
  TLogWireManager& manager = *GlobalLogWireManager();
  manager.UseConnection(std::make_unique<RecordOnlyConnection>(manager));
  manager.DefaultDestination().LogFile().SetActive(true);
  manager.DefaultDestination().LogFile().SetFilePath("C:\\Programme\\Lumar\\");
  manager.DefaultDestination().LogFile().SetFileName("LumarPdfPrinter.csl");
  TLogWireLogger& logger = *GlobalLogWireLogger();
  const std::string path = "C:\\Users\\Buchhaltung\\Dokumente\\Rechnungen\\2024\\Rechnung-000123.pdf";
  for (auto _ : state)
    logger.SendMsg(path);
  if (!logger.Enabled())
    state.SkipWithError("the logger switched itself off");
  LogWireLoggingFinalize();
}
BENCHMARK(BM_LoggerSendMsg);

}  // namespace

BENCHMARK_MAIN();
