#pragma once
// The texts the mask benchmarks type: 100,000 German dates, times and
// codes, every other one spoilt at one place, with the mask patterns and
// the equivalent ECMAScript patterns.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <regex>
#include <string>
#include <vector>

#include "platform/rtl/text.h"

namespace regexpr_samples {

struct Sample {
  std::string text;
  std::u16string typed;
  int kind;  // 0 date, 1 time, 2 code
};

inline constexpr const char* kMaskPatterns[] = {
    "(0?[1-9]|[12]\\d|3[01]) / (0?[1-9]|1[012]) / \\d\\d\\d\\d",
    "([01]\\d|2[0-3]) : [0-5]\\d",
    "[A-Z][A-Z] '-' \\d{4}",
};

inline constexpr const char* kEcmaPatterns[] = {
    "(0?[1-9]|[12]\\d|3[01])\\.(0?[1-9]|1[012])\\.\\d\\d\\d\\d",
    "([01]\\d|2[0-3]):[0-5]\\d",
    "[A-Z][A-Z]-\\d{4}",
};

// A fixed pseudo-random sequence, so both sides see the same texts.
inline uint32_t NextRandom(uint32_t& seed) {
  seed = seed * 1664525u + 1013904223u;
  return seed >> 8;
}

inline std::string TwoDigits(uint32_t value) {
  return std::string(1, static_cast<char>('0' + value / 10 % 10)) + static_cast<char>('0' + value % 10);
}

inline const std::vector<Sample>& Samples() {
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

// The baseline both regular-expression benchmarks measure against: one
// std::regex_match per sample on the equivalent ECMAScript pattern.
inline void MatchSamplesWithStdRegex(benchmark::State& state) {
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

}  // namespace regexpr_samples
