// Loading and saving a string list of 100,000 lines, and name=value lookups.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/rtl/string_stream.h"
#include "platform/rtl/strings.h"

namespace {

std::string MakeLines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i)
    text += "C:\\Daten\\Dokumente\\Rechnung_" + std::to_string(i) + ".pdf\r\n";
  return text;
}

void BM_StringListLoad(benchmark::State& state) {
  const std::string text = MakeLines(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    TStringStream stream(text);
    TStringList list;
    list.LoadFromStream(stream);
    benchmark::DoNotOptimize(list.Count());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_StringListLoad)->Arg(25000)->Arg(50000)->Arg(100000)->Complexity()->Unit(benchmark::kMillisecond);

void BM_StringListSave(benchmark::State& state) {
  TStringList list;
  list.SetText(MakeLines(static_cast<int>(state.range(0))));
  int64_t bytes = 0;
  for (auto _ : state) {
    TStringStream stream;
    list.SaveToStream(stream);
    bytes = stream.Size();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_StringListSave)->Arg(25000)->Arg(50000)->Arg(100000)->Complexity()->Unit(benchmark::kMillisecond);

void BM_StringListSortedAdd(benchmark::State& state) {
  for (auto _ : state) {
    TStringList list;
    list.SetSorted(true);
    for (int i = 0; i < state.range(0); ++i)
      list.Add(std::to_string((i * 7919) % 100003));
    benchmark::DoNotOptimize(list.Count());
  }
}
BENCHMARK(BM_StringListSortedAdd)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
