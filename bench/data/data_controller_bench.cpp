// The data controller's row engine against plain baselines measured in the
// same run (each baseline named after its subject, for scripts/bench), over
// 1,000,000 records of the file list's four columns in shuffled order:
//  - sorting by "Datei", by "Sortkey", and by "Groesse" then "Datei",
//    against std::stable_sort of the same values;
//  - grouping by "Datum" (1,000 days), without and with a count and a sum
//    per group, against a hand-written hash/group loop that also orders
//    the groups;
//  - filtering with "Groesse > x AND Datei LIKE '%7%'", against a plain scan.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "data/data_controller.h"
#include "data/data_filter_criteria.h"
#include "data/data_summary.h"
#include "data/like_matcher.h"

namespace {

constexpr int32_t kRecords = 1'000'000;
constexpr int64_t kSizeLimit = 500'000'000;

struct FileRow {
  std::string datei;
  int64_t groesse;
  double datum;
  int32_t sortkey;
};

class TColumn : public TObject {};

class TBenchGrid : public TlxDataController {
 public:
  TBenchGrid() : TlxDataController(nullptr) {
    for (TlxValueTypeClass type :
         {lxValueTypeClass<TlxStringValueType>(), lxValueTypeClass<TlxLargeIntValueType>(),
          lxValueTypeClass<TlxDateTimeValueType>(), lxValueTypeClass<TlxIntegerValueType>()}) {
      columns.push_back(std::make_unique<TColumn>());
      AddItem(columns.back().get());
      SetItemValueTypeClass(GetItemCount() - 1, type);
    }
  }
  std::vector<std::unique_ptr<TColumn>> columns;
};

enum Item { kDatei, kGroesse, kDatum, kSortkey };

const std::vector<FileRow>& Rows() {
  static const std::vector<FileRow> rows = [] {
    std::vector<FileRow> made;
    made.reserve(kRecords);
    for (int32_t i = 0; i < kRecords; ++i)
      made.push_back({"C:\\Dokumente\\f" + std::to_string(i) + ".pdf", int64_t{1000} * ((int64_t{i} * 7919) % kRecords),
                      45000.0 + i % 1000, i});
    std::shuffle(made.begin(), made.end(), std::mt19937(42));
    return made;
  }();
  return rows;
}

TBenchGrid& Grid() {
  static TBenchGrid* grid = [] {
    auto* made = new TBenchGrid;
    TUpdateScope update(*made);
    made->SetRecordCount(kRecords);
    TlxDataStorage& storage = made->DataStorage();
    const std::vector<FileRow>& rows = Rows();
    for (int32_t i = 0; i < kRecords; ++i) {
      const FileRow& row = rows[static_cast<size_t>(i)];
      storage.StoreValue(i, *made->ItemField(kDatei)->ValueDef(), Variant(row.datei));
      storage.StoreValue(i, *made->ItemField(kGroesse)->ValueDef(), Variant(row.groesse));
      storage.StoreValue(i, *made->ItemField(kDatum)->ValueDef(), Variant::FromDate(row.datum));
      storage.StoreValue(i, *made->ItemField(kSortkey)->ValueDef(), Variant(row.sortkey));
    }
    return made;
  }();
  return *grid;
}

void ResetGrid(TBenchGrid& grid) {
  TUpdateScope update(grid);
  grid.ClearSorting(false);
  grid.Groups().ClearGrouping();
  grid.Filter().SetActive(false);
}

void RunControllerSort(benchmark::State& state, std::vector<Item> items) {
  TBenchGrid& grid = Grid();
  ResetGrid(grid);
  {
    TUpdateScope update(grid);
    for (Item item : items)
      grid.ChangeSortOrder(item, soAscending);
  }
  for (auto _ : state) {
    grid.Refresh();
    benchmark::DoNotOptimize(grid.GetFilteredRecordIndex(0));
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}

template <class Less>
void RunStableSort(benchmark::State& state, Less less) {
  const std::vector<FileRow>& rows = Rows();
  for (auto _ : state) {
    std::vector<int32_t> order(rows.size());
    for (int32_t i = 0; i < kRecords; ++i)
      order[static_cast<size_t>(i)] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](int32_t a, int32_t b) { return less(rows[static_cast<size_t>(a)], rows[static_cast<size_t>(b)]); });
    benchmark::DoNotOptimize(order.data());
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}

void BM_SortByDatei_Controller(benchmark::State& state) { RunControllerSort(state, {kDatei}); }
void BM_SortByDatei_BaselineStableSort(benchmark::State& state) {
  RunStableSort(state, [](const FileRow& a, const FileRow& b) { return a.datei < b.datei; });
}
void BM_SortBySortkey_Controller(benchmark::State& state) { RunControllerSort(state, {kSortkey}); }
void BM_SortBySortkey_BaselineStableSort(benchmark::State& state) {
  RunStableSort(state, [](const FileRow& a, const FileRow& b) { return a.sortkey < b.sortkey; });
}
void BM_SortByGroesseDatei_Controller(benchmark::State& state) { RunControllerSort(state, {kGroesse, kDatei}); }
void BM_SortByGroesseDatei_BaselineStableSort(benchmark::State& state) {
  RunStableSort(state, [](const FileRow& a, const FileRow& b) {
    return a.groesse != b.groesse ? a.groesse < b.groesse : a.datei < b.datei;
  });
}
BENCHMARK(BM_SortByDatei_Controller)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByDatei_BaselineStableSort)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortBySortkey_Controller)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortBySortkey_BaselineStableSort)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByGroesseDatei_Controller)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByGroesseDatei_BaselineStableSort)->Unit(benchmark::kMillisecond);

void BM_GroupByDatum_Controller(benchmark::State& state) {
  TBenchGrid& grid = Grid();
  ResetGrid(grid);
  grid.Groups().ChangeGroupIndex(kDatum, 0);
  for (auto _ : state) {
    grid.Refresh();
    benchmark::DoNotOptimize(grid.GetRowCount());
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_GroupByDatum_Controller)->Unit(benchmark::kMillisecond);

// The same grouping with a count and a sum of "Groesse" per group, as the
// hash loop below computes them.
void BM_GroupByDatumWithSummaries_Controller(benchmark::State& state) {
  TBenchGrid& grid = Grid();
  ResetGrid(grid);
  TlxDataGroupSummaryItems& items = grid.Summary().DefaultGroupSummaryItems();
  {
    TUpdateScope update(grid);
    items.AddItem(grid.GetItem(kGroesse), spGroup, skCount, "");
    items.AddItem(grid.GetItem(kGroesse), spGroup, skSum, "");
    grid.Groups().ChangeGroupIndex(kDatum, 0);
  }
  for (auto _ : state) {
    grid.Refresh();
    benchmark::DoNotOptimize(grid.Summary().GroupValuesOf(0));
  }
  items.Clear();
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_GroupByDatumWithSummaries_Controller)->Unit(benchmark::kMillisecond);

void BM_GroupByDatum_BaselineHashLoop(benchmark::State& state) {
  const std::vector<FileRow>& rows = Rows();
  struct Group {
    int64_t count = 0;
    int64_t sum = 0;
  };
  for (auto _ : state) {
    std::unordered_map<double, Group> groups;
    for (const FileRow& row : rows) {
      Group& group = groups[row.datum];
      ++group.count;
      group.sum += row.groesse;
    }
    std::vector<std::pair<double, Group>> ordered(groups.begin(), groups.end());
    std::sort(ordered.begin(), ordered.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    benchmark::DoNotOptimize(ordered.data());
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_GroupByDatum_BaselineHashLoop)->Unit(benchmark::kMillisecond);

void BM_Filter_Controller(benchmark::State& state) {
  TBenchGrid& grid = Grid();
  ResetGrid(grid);
  {
    TlxDataFilterCriteria& filter = grid.Filter();
    TlxFilterChangesScope changes(filter);
    filter.RemoveAllItems();
    filter.AddItem(&filter.Root(), grid.columns[kGroesse].get(), fokGreater, Variant(kSizeLimit), "");
    filter.AddItem(&filter.Root(), grid.columns[kDatei].get(), fokLike, Variant("%7%"), "%7%");
    filter.SetActive(true);
  }
  for (auto _ : state) {
    grid.Refresh();
    benchmark::DoNotOptimize(grid.GetRowCount());
  }
  state.counters["rows"] = grid.GetRowCount();
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_Filter_Controller)->Unit(benchmark::kMillisecond);

void BM_Filter_BaselinePlainScan(benchmark::State& state) {
  const std::vector<FileRow>& rows = Rows();
  size_t kept = 0;
  for (auto _ : state) {
    std::vector<int32_t> result;
    for (int32_t i = 0; i < kRecords; ++i) {
      const FileRow& row = rows[static_cast<size_t>(i)];
      if (row.groesse > kSizeLimit && row.datei.find('7') != std::string::npos)
        result.push_back(i);
    }
    kept = result.size();
    benchmark::DoNotOptimize(result.data());
  }
  state.counters["rows"] = static_cast<double>(kept);
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_Filter_BaselinePlainScan)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
