// Sorting 1,000,000 variants of mixed integer and double values with the
// variant order, against std::sort of the same values as plain doubles.
// The ratio of the two times is the cost of the variant comparison.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "platform/rtl/variant.h"

namespace {

constexpr size_t kCount = 1'000'000;

// Half integers, half doubles, over an overlapping range, so that mixed
// comparisons are common.
std::vector<double> MakeNumbers() {
  std::mt19937_64 random(20240605);
  std::uniform_real_distribution<double> real(-1e6, 1e6);
  std::vector<double> numbers(kCount);
  for (size_t i = 0; i < kCount; ++i)
    numbers[i] = i % 2 == 0 ? static_cast<double>(static_cast<int32_t>(real(random))) : real(random);
  return numbers;
}

std::vector<Variant> MakeVariants(const std::vector<double>& numbers) {
  std::vector<Variant> variants;
  variants.reserve(numbers.size());
  for (size_t i = 0; i < numbers.size(); ++i) {
    if (i % 2 == 0)
      variants.emplace_back(static_cast<int32_t>(numbers[i]));
    else
      variants.emplace_back(numbers[i]);
  }
  return variants;
}

void BM_SortDoubles_Baseline(benchmark::State& state) {
  const std::vector<double> numbers = MakeNumbers();
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<double> work = numbers;
    state.ResumeTiming();
    std::sort(work.begin(), work.end());
    benchmark::DoNotOptimize(work.data());
  }
}
BENCHMARK(BM_SortDoubles_Baseline)->Unit(benchmark::kMillisecond);

void BM_SortVariants(benchmark::State& state) {
  const std::vector<Variant> variants = MakeVariants(MakeNumbers());
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<Variant> work = variants;
    state.ResumeTiming();
    std::sort(work.begin(), work.end(), [](const Variant& a, const Variant& b) { return VarCompare(a, b) < 0; });
    benchmark::DoNotOptimize(work.data());
  }
}
BENCHMARK(BM_SortVariants)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
