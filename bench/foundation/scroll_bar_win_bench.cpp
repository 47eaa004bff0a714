// 1,000 position changes of a painter-drawn TlxScrollBar, each painted at
// once, against the same changes of the system's SCROLLBAR control.
#include <benchmark/benchmark.h>
#include <windows.h>

#include "platform/toolkit/form.h"
#include "platform/toolkit/scroll_bar.h"
#include "tests/support/message_pump.h"
#include "ui/foundation/controls/scroll_bar_win.h"

namespace {

constexpr int kChanges = 1000;

template <class Bar>
void ChangePositions(benchmark::State& state) {
  auto* form = new TForm(nullptr);
  form->SetBounds(20, 20, 400, 120);
  auto* bar = new Bar(form);
  bar->SetParent(form);
  bar->SetBounds(10, 10, 300, 17);
  form->Show();
  test_support::PumpMessagesUntilIdle();
  for (auto _ : state) {
    for (int change = 0; change < kChanges; ++change) {
      bar->SetPosition(change % 101);
      bar->Update();
    }
  }
  form->Free();
  test_support::PumpMessagesUntilIdle();
}

void BM_ScrollBarPositionBaseline(benchmark::State& state) { ChangePositions<TScrollBar>(state); }
void BM_ScrollBarPositionPainterDrawn(benchmark::State& state) { ChangePositions<TlxScrollBar>(state); }

}  // namespace

BENCHMARK(BM_ScrollBarPositionBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollBarPositionPainterDrawn)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
