// The record storage and the LIKE matcher against plain baselines measured
// in the same run:
//  - filling 1,000,000 records with the file list's four values (a string,
//    a float, a date and an integer) against a std::vector of structs;
//  - matching "%a%a%a%a%b" against 10,000 characters against a plain scan.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "data/data_storage.h"
#include "data/like_matcher.h"
#include "platform/rtl/locale.h"

namespace {

constexpr int32_t kRecords = 1'000'000;

std::string PathOf(int32_t i) { return "C:\\Dokumente\\Rechnungen\\f" + std::to_string(i) + ".pdf"; }

struct FileRow {
  std::string datei;
  double groesse;
  double datum;
  int32_t sortkey;
};

void BM_FillVectorOfStructs_Baseline(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<FileRow> rows;
    for (int32_t i = 0; i < kRecords; ++i)
      rows.push_back(FileRow{PathOf(i), 100.0 * i, 45000.0 + i % 365, i});
    benchmark::DoNotOptimize(rows.data());
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_FillVectorOfStructs_Baseline)->Unit(benchmark::kMillisecond);

void BM_FillDataStorage(benchmark::State& state) {
  for (auto _ : state) {
    TlxDataStorage storage;
    TlxValueDefs& defs = storage.ValueDefs();
    const TlxValueDef* datei = defs.AddValueDef(lxValueTypeClass<TlxStringValueType>(), true, false, nullptr);
    const TlxValueDef* groesse = defs.AddValueDef(lxValueTypeClass<TlxFloatValueType>(), true, false, nullptr);
    const TlxValueDef* datum = defs.AddValueDef(lxValueTypeClass<TlxDateTimeValueType>(), true, false, nullptr);
    const TlxValueDef* sortkey = defs.AddValueDef(lxValueTypeClass<TlxIntegerValueType>(), true, false, nullptr);
    storage.SetRecordCount(kRecords);
    for (int32_t i = 0; i < kRecords; ++i) {
      storage.StoreValue(i, *datei, Variant(PathOf(i)));
      storage.StoreValue(i, *groesse, Variant(100.0 * i));
      storage.StoreValue(i, *datum, Variant::FromDate(45000.0 + i % 365));
      storage.StoreValue(i, *sortkey, Variant(i));
    }
    benchmark::DoNotOptimize(storage.RecordCount());
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_FillDataStorage)->Unit(benchmark::kMillisecond);

// A text of 10,000 "a" that the pattern does not match (no "b" at the
// end): the worst case of a backtracking matcher.
const std::string& LongText() {
  static const std::string text(10'000, 'a');
  return text;
}

void BM_ScanForLastCharacter_Baseline(benchmark::State& state) {
  for (auto _ : state) {
    const std::string& text = LongText();
    benchmark::DoNotOptimize(text.find('b'));
  }
}
BENCHMARK(BM_ScanForLastCharacter_Baseline)->Unit(benchmark::kMicrosecond);

void BM_MatchLikePattern(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(lxMatchLikePattern(LongText(), "%a%a%a%a%b", '%', '_'));
}
BENCHMARK(BM_MatchLikePattern)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
