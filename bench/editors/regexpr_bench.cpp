// Following typed text through an input-mask regular expression against
// matching the whole text with std::regex on the equivalent ECMAScript
// pattern: German dates, times and codes, half of them invalid.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <regex>
#include <string>
#include <vector>

#include "bench/editors/regexpr_samples.h"
#include "editors/regexpr.h"
#include "platform/rtl/locale.h"

namespace {

using namespace regexpr_samples;

void BM_MaskRegExpr(benchmark::State& state) {
  TScopedLocale german("de-DE");
  TlxRegExpr engines[3];
  for (int kind = 0; kind < 3; ++kind)
    engines[kind].Compile(kMaskPatterns[kind]);
  const std::vector<Sample>& samples = Samples();
  for (auto _ : state) {
    int64_t matches = 0;
    for (const Sample& sample : samples) {
      TlxRegExpr& engine = engines[sample.kind];
      engine.Reset();
      bool accepted = true;
      for (char16_t c : sample.typed) {
        if (!engine.Next(c)) {
          accepted = false;
          break;
        }
      }
      matches += accepted && engine.IsFinal();
    }
    benchmark::DoNotOptimize(matches);
    state.counters["matches"] = static_cast<double>(matches);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(samples.size()));
}

void BM_MaskStdRegexBaseline(benchmark::State& state) { MatchSamplesWithStdRegex(state); }

BENCHMARK(BM_MaskRegExpr)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MaskStdRegexBaseline)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
