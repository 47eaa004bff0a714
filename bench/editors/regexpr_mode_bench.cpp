// Typing texts into a window-less mask edit, key by key through the mask
// mode, and validating the result, against one std::regex_match of the
// whole text on the equivalent ECMAScript pattern: the extended
// regular-expression mode (forced separators typed by the mode) and the
// standard mode (overwrite over fixed positions).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "bench/editors/regexpr_samples.h"
#include "editors/mask_edit_model.h"
#include "platform/rtl/locale.h"

namespace {

using namespace regexpr_samples;

constexpr const char* kStandardMasks[] = {"00/00/0000;1;_", "00:00;1;_", ">LL-0000;1;_"};

// One edit per kind of text, as a form would hold them.
struct Edits {
  Edits(TlxEditMaskKind kind, const char* const masks[3]) {
    for (int i = 0; i < 3; ++i) {
      properties[i] = std::make_unique<TlxMaskEditProperties>(nullptr);
      properties[i]->SetMaskKind(kind);
      properties[i]->SetEditMask(masks[i]);
      edits[i] = std::make_unique<TlxMaskEditModel>(*properties[i]);
    }
  }
  std::unique_ptr<TlxMaskEditProperties> properties[3];
  std::unique_ptr<TlxMaskEditModel> edits[3];
};

void TypeSamples(benchmark::State& state, TlxEditMaskKind kind, const char* const masks[3]) {
  TScopedLocale german("de-DE");
  Edits edits(kind, masks);
  const std::vector<Sample>& samples = Samples();
  const Variant empty("");
  for (auto _ : state) {
    int64_t matches = 0;
    for (const Sample& sample : samples) {
      TlxMaskEditModel& edit = *edits.edits[sample.kind];
      edit.SetEditValue(empty);
      edit.Type(sample.typed);
      matches += edit.MaskMode()->IsFullMatch(edit.Text());
    }
    benchmark::DoNotOptimize(matches);
    state.counters["matches"] = static_cast<double>(matches);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(samples.size()));
}

void BM_MaskModeRegExprEx(benchmark::State& state) { TypeSamples(state, emkRegExprEx, kMaskPatterns); }

void BM_MaskModeStandard(benchmark::State& state) { TypeSamples(state, emkStandard, kStandardMasks); }

void BM_MaskModeStdRegexBaseline(benchmark::State& state) { MatchSamplesWithStdRegex(state); }

BENCHMARK(BM_MaskModeRegExprEx)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MaskModeStandard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MaskModeStdRegexBaseline)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
