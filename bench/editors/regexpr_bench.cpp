// Following typed text through an input-mask regular expression against
// matching the whole text with std::regex on the equivalent ECMAScript
// pattern: German dates, times and codes, half of them invalid.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <regex>
#include <string>
#include <vector>

#include "editors/regexpr.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/text.h"

namespace {

struct Sample {
  std::string text;
  std::u16string typed;
  int kind;  // 0 date, 1 time, 2 code
};

constexpr const char* kMaskPatterns[] = {
    "(0?[1-9]|[12]\\d|3[01]) / (0?[1-9]|1[012]) / \\d\\d\\d\\d",
    "([01]\\d|2[0-3]) : [0-5]\\d",
    "[A-Z][A-Z] '-' \\d{4}",
};

constexpr const char* kEcmaPatterns[] = {
    "(0?[1-9]|[12]\\d|3[01])\\.(0?[1-9]|1[012])\\.\\d\\d\\d\\d",
    "([01]\\d|2[0-3]):[0-5]\\d",
    "[A-Z][A-Z]-\\d{4}",
};

// A fixed pseudo-random sequence, so both sides see the same texts.
uint32_t NextRandom(uint32_t& seed) {
  seed = seed * 1664525u + 1013904223u;
  return seed >> 8;
}

std::string TwoDigits(uint32_t value) {
  return std::string(1, static_cast<char>('0' + value / 10 % 10)) + static_cast<char>('0' + value % 10);
}

const std::vector<Sample>& Samples() {
  static const std::vector<Sample> samples = [] {
    std::vector<Sample> all;
    uint32_t seed = 12345;
    for (int i = 0; i < 100000; ++i) {
      const int kind = i % 3;
      std::string text;
      if (kind == 0)
        text = TwoDigits(1 + NextRandom(seed) % 28) + "." + TwoDigits(1 + NextRandom(seed) % 12) + "." +
               std::to_string(1990 + NextRandom(seed) % 40);
      else if (kind == 1)
        text = TwoDigits(NextRandom(seed) % 24) + ":" + TwoDigits(NextRandom(seed) % 60);
      else
        text = std::string(1, static_cast<char>('A' + NextRandom(seed) % 26)) +
               static_cast<char>('A' + NextRandom(seed) % 26) + "-" +
               std::to_string(1000 + NextRandom(seed) % 9000);
      // Every other text is spoilt at one place.
      if (i % 2 == 1)
        text[NextRandom(seed) % text.size()] = "x9/;"[NextRandom(seed) % 4];
      all.push_back({text, Utf8ToUtf16(text), kind});
    }
    return all;
  }();
  return samples;
}

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

void BM_MaskStdRegexBaseline(benchmark::State& state) {
  const std::regex patterns[3] = {std::regex(kEcmaPatterns[0]), std::regex(kEcmaPatterns[1]),
                                  std::regex(kEcmaPatterns[2])};
  const std::vector<Sample>& samples = Samples();
  for (auto _ : state) {
    int64_t matches = 0;
    for (const Sample& sample : samples)
      matches += std::regex_match(sample.text, patterns[sample.kind]);
    benchmark::DoNotOptimize(matches);
    state.counters["matches"] = static_cast<double>(matches);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(samples.size()));
}

BENCHMARK(BM_MaskRegExpr)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MaskStdRegexBaseline)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
