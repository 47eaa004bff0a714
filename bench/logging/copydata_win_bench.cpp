// How fast the window-message transport delivers log records to a
// dispatcher process: through the logger, to a dispatcher that only answers
// and to one that writes each record to a file. The baseline hands a record
// of the same text to the same dispatcher with one plain WM_COPYDATA, without
// the logger's own work (time stamp, thread name, destination, bounded send).
#include <benchmark/benchmark.h>

#include <windows.h>

#include <string>
#include <vector>

#include "logging/copydata_connection.h"
#include "logging/logger.h"
#include "logging/logging_module.h"
#include "logging/message_record.h"
#include "tests/support/helper_process.h"
#include "tests/support/test_paths.h"

namespace {

// A file path as the print run logs it.
const char kPath[] = "C:\\Users\\Buchhaltung\\Dokumente\\Rechnungen\\2024\\Rechnung-000123.pdf";

// The dispatcher stand-in, running for one benchmark.
class Dispatcher {
 public:
  explicit Dispatcher(const std::string& arguments) {
    started_ = process_.Start(test_support::ExecutableFolder() + "log_dispatcher_standin.exe", arguments) &&
               process_.WaitForWindow(kLogWireDispatcherWindowTitle) != nullptr;
  }
  ~Dispatcher() {
    PostMessageA(Window(), WM_CLOSE, 0, 0);
    process_.WaitForExit(5000);
  }
  bool Started() const { return started_; }
  static HWND Window() { return FindWindowA(kLogWireDispatcherWindowClass, kLogWireDispatcherWindowTitle); }

 private:
  test_support::HelperProcess process_;
  bool started_ = false;
};

// Arguments: 0 for a dispatcher that only answers, 1 for one that writes
// every record to a file.
std::string DispatcherArguments(benchmark::State& state) {
  if (state.range(0) == 0)
    return "";
  return "--log \"" + test_support::MakeTemporaryFolder("throughput") + "received.txt\"";
}

void BM_CopyDataThroughLogger(benchmark::State& state) {
  Dispatcher dispatcher(DispatcherArguments(state));
  if (!dispatcher.Started()) {
    state.SkipWithError("the dispatcher stand-in did not start");
    return;
  }
  LogWireLoggingInitialize();
  TLogWireLogger& logger = *GlobalLogWireLogger();
  // The first message registers the destination.
  if (logger.DoSendMsg(0, kPath, "", "") != 1)
    state.SkipWithError("the dispatcher refused the first message");
  int64_t accepted = 0;
  for (auto _ : state)
    accepted += logger.DoSendMsg(0, kPath, "", "") == 1 ? 1 : 0;
  LogWireLoggingFinalize();
  if (accepted != static_cast<int64_t>(state.iterations()))
    state.SkipWithError("the dispatcher refused messages");
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CopyDataThroughLogger)->Arg(0)->Arg(1);

void BM_CopyDataPlainSendMessage_Baseline(benchmark::State& state) {
  Dispatcher dispatcher(DispatcherArguments(state));
  if (!dispatcher.Started()) {
    state.SkipWithError("the dispatcher stand-in did not start");
    return;
  }
  TLogWireMessage message;
  message.Text = kPath;
  message.AppName = "LumarPdfPrinter";
  std::vector<uint8_t> record = LogWireBuildRecord(message);
  COPYDATASTRUCT data{};
  data.dwData = kLogWireCopyDataId;
  data.cbData = static_cast<DWORD>(record.size());
  data.lpData = record.data();
  const HWND window = Dispatcher::Window();
  for (auto _ : state) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_BLOCK | SMTO_ABORTIFHUNG,
                        5000, &answer);
    benchmark::DoNotOptimize(answer);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CopyDataPlainSendMessage_Baseline)->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
