// The record storage and the LIKE matcher against plain C++.
//
// Filling: 1,000,000 records with the file list's four values (a file name,
// a size, a date and a sort key as String, Float, DateTime and Integer
// values) through the storage, against the same values pushed into a
// std::vector of structs. The ratio is the price of typed, nullable,
// reshapeable records; the aim is within 3x.
//
// LIKE: "%a%a%a%a%b" against 10,000 characters of "a" (no "b": every split
// of the text must fail), against one plain scan of the same text. The aim
// is below 10 ms.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "data/data_storage.h"
#include "data/like_matcher.h"
#include "data/value_types.h"
#include "platform/rtl/date_time.h"

namespace {

constexpr int32_t kRecords = 1'000'000;

struct FileRow {
  std::string name;
  double size;
  TDateTime date;
  int32_t sort_key;
};

std::vector<std::string> MakeNames() {
  std::vector<std::string> names;
  names.reserve(kRecords);
  for (int32_t i = 0; i < kRecords; ++i)
    names.push_back("Rechnung-" + std::to_string(i) + ".pdf");
  return names;
}

const std::vector<std::string>& Names() {
  static const std::vector<std::string> names = MakeNames();
  return names;
}

void BM_FillVectorOfStructs_Baseline(benchmark::State& state) {
  const std::vector<std::string>& names = Names();
  for (auto _ : state) {
    std::vector<FileRow> rows;
    rows.reserve(kRecords);
    for (int32_t i = 0; i < kRecords; ++i)
      rows.push_back({names[i], 1024.0 * i, 45000.0 + i / 1000.0, i});
    benchmark::DoNotOptimize(rows.data());
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_FillVectorOfStructs_Baseline)->Unit(benchmark::kMillisecond);

void BM_FillDataStorage(benchmark::State& state) {
  const std::vector<std::string>& names = Names();
  for (auto _ : state) {
    TlxDataStorage storage;
    TlxValueDefs& defs = storage.ValueDefs();
    const TlxValueDef* name = defs.AddValueDef(lxValueTypeClass<TlxStringValueType>(), true, false, nullptr);
    const TlxValueDef* size = defs.AddValueDef(lxValueTypeClass<TlxFloatValueType>(), true, false, nullptr);
    const TlxValueDef* date = defs.AddValueDef(lxValueTypeClass<TlxDateTimeValueType>(), true, false, nullptr);
    const TlxValueDef* key = defs.AddValueDef(lxValueTypeClass<TlxIntegerValueType>(), true, false, nullptr);
    storage.SetRecordCount(kRecords);
    for (int32_t i = 0; i < kRecords; ++i) {
      storage.StoreValue(i, *name, Variant(names[i]));
      storage.StoreValue(i, *size, Variant(1024.0 * i));
      storage.StoreValue(i, *date, Variant::FromDate(45000.0 + i / 1000.0));
      storage.StoreValue(i, *key, Variant(i));
    }
    benchmark::DoNotOptimize(storage.RecordCount());
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_FillDataStorage)->Unit(benchmark::kMillisecond);

const std::string& Text() {
  static const std::string text(10'000, 'a');
  return text;
}

void BM_ScanText_Baseline(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(std::count(Text().begin(), Text().end(), 'b'));
}
BENCHMARK(BM_ScanText_Baseline)->Unit(benchmark::kMicrosecond);

void BM_MatchLikeWorstCase(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(lxMatchLikePattern(Text(), "%a%a%a%a%b", '%', '_'));
}
BENCHMARK(BM_MatchLikeWorstCase)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
