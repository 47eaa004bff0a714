// Loading and saving a string list of 100,000 lines, and name=value lookups.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "platform/rtl/string_stream.h"
#include "platform/rtl/strings.h"
#include "bench/text_lines.h"

namespace {

std::string MakeLines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i)
    text += "C:\\Daten\\Dokumente\\Rechnung_" + std::to_string(i) + ".pdf\r\n";
  return text;
}

// The floor of loading: the same text cut into a vector of lines.
void BM_StringListLoad_Baseline(benchmark::State& state) {
  const std::string text = MakeLines(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::vector<std::string> lines = SplitLinesWithStandardLibrary(text);
    benchmark::DoNotOptimize(lines.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_StringListLoad_Baseline)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);

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

// The floor of saving: the same lines joined with CR LF into one string.
void BM_StringListSave_Baseline(benchmark::State& state) {
  const std::vector<std::string> lines = SplitLinesWithStandardLibrary(MakeLines(static_cast<int>(state.range(0))));
  int64_t bytes = 0;
  for (auto _ : state) {
    std::string text;
    for (const std::string& line : lines) {
      text += line;
      text += "\r\n";
    }
    bytes = static_cast<int64_t>(text.size());
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
}
BENCHMARK(BM_StringListSave_Baseline)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);

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

// The same sorted inserts into a vector kept in order by binary search.
void BM_StringListSortedAdd_Baseline(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<std::string> list;
    for (int i = 0; i < state.range(0); ++i) {
      std::string item = std::to_string((i * 7919) % 100003);
      list.insert(std::lower_bound(list.begin(), list.end(), item), std::move(item));
    }
    benchmark::DoNotOptimize(list.size());
  }
}
BENCHMARK(BM_StringListSortedAdd_Baseline)->Arg(10000)->Unit(benchmark::kMillisecond);

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
