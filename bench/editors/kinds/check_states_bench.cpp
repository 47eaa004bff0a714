// Check-state values of a long list (10,000 items) written and read in the
// two text formats, against the least any reader by captions must do: sort
// the captions and look each item up once.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editors/kinds/check_states.h"

namespace {

constexpr int32_t kItemCount = 10000;

class Items : public IlxCheckStateItemSource {
 public:
  Items() {
    for (int32_t i = 0; i < kItemCount; ++i)
      captions_.push_back("Eintrag " + std::to_string((i * 7919) % kItemCount));
  }
  int32_t GetCheckItemCount() const override { return static_cast<int32_t>(captions_.size()); }
  std::string GetCheckItemCaption(int32_t index) const override { return captions_[static_cast<size_t>(index)]; }
  const std::vector<std::string>& Captions() const { return captions_; }

 private:
  std::vector<std::string> captions_;
};

const Items& TheItems() {
  static const Items items;
  return items;
}

TlxCheckStates MixedStates() {
  TlxCheckStates states(kItemCount);
  for (int32_t i = 0; i < kItemCount; ++i)
    states[static_cast<size_t>(i)] = static_cast<TlxCheckBoxState>(i % 3);
  return states;
}

void BM_SortAndLookUpBaseline(benchmark::State& state) {
  const Items& items = TheItems();
  for (auto _ : state) {
    std::vector<std::string> sorted = items.Captions();
    std::sort(sorted.begin(), sorted.end());
    size_t found = 0;
    for (int32_t i = 0; i < items.GetCheckItemCount(); ++i) {
      const std::string caption = items.GetCheckItemCaption(i);
      found += std::lower_bound(sorted.begin(), sorted.end(), caption) != sorted.end();
    }
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(BM_SortAndLookUpBaseline)->Arg(cvfCaptions)->Arg(cvfIndices)->Unit(benchmark::kMicrosecond);

void BM_CheckStatesToValue(benchmark::State& state) {
  const auto format = static_cast<TlxCheckStatesValueFormat>(state.range(0));
  const TlxCheckStates states = MixedStates();
  for (auto _ : state)
    benchmark::DoNotOptimize(lxCheckStatesToValue(states, TheItems(), format));
}
BENCHMARK(BM_CheckStatesToValue)->Arg(cvfCaptions)->Arg(cvfIndices)->Unit(benchmark::kMicrosecond);

void BM_ValueToCheckStates(benchmark::State& state) {
  const auto format = static_cast<TlxCheckStatesValueFormat>(state.range(0));
  const Variant value = lxCheckStatesToValue(MixedStates(), TheItems(), format);
  TlxCheckStates states;
  for (auto _ : state) {
    if (!lxValueToCheckStates(value, TheItems(), format, states))
      state.SkipWithError("the value did not read");
    benchmark::DoNotOptimize(states.data());
  }
}
BENCHMARK(BM_ValueToCheckStates)->Arg(cvfCaptions)->Arg(cvfIndices)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
