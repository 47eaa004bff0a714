// 100,000 SendMessage calls to a window of this thread with the container
// unit started and no popup open, against the same calls before the unit
// starts as the baseline: the popup hooks must cost nothing while no popup
// is shown.
#include <benchmark/benchmark.h>
#include <windows.h>

#include "editors/popup_hooks_win.h"

namespace {

constexpr int32_t kMessages = 100000;

class PlainWindow {
 public:
  PlainWindow()
      : window_(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr)) {}
  ~PlainWindow() { DestroyWindow(window_); }
  PlainWindow(const PlainWindow&) = delete;
  PlainWindow& operator=(const PlainWindow&) = delete;
  HWND Handle() const { return window_; }

 private:
  HWND window_;
};

void SendMessages(benchmark::State& state) {
  PlainWindow window;
  for (auto _ : state) {
    for (int32_t i = 0; i < kMessages; ++i)
      benchmark::DoNotOptimize(SendMessageW(window.Handle(), WM_NULL, 0, 0));
  }
  state.SetItemsProcessed(state.iterations() * kMessages);
}

void BM_SendMessageBaselineBeforeContainerUnit(benchmark::State& state) { SendMessages(state); }
BENCHMARK(BM_SendMessageBaselineBeforeContainerUnit)->Unit(benchmark::kMillisecond);

void BM_SendMessageContainerUnitStartedNoPopup(benchmark::State& state) {
  lxContainerInitialize();
  SendMessages(state);
  state.counters["hooks"] = lxPopupHooksInstalled() ? 1 : 0;
  lxContainerFinalize();
}
BENCHMARK(BM_SendMessageContainerUnitStartedNoPopup)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
