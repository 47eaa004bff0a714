// The file list's grid controller at scale: 1,000,000 rows of "Datei",
// "Groesse", "Datum" and "Sortkey" in the in-memory dataset, shown through
// the dataset-bound data controller, each case beside a plain baseline:
//   load     the controller's storage load when its data source is set,
//            against a data link that walks the dataset into a vector
//   sort     sorting the controller's rows by "Datei", against
//            std::stable_sort of a vector of the rows
//   group    grouping the rows by "Datum", against a hash map of the dates
//   drop     one Append and Post: the mirrored insert and the full reload
//            that a dropped file costs (beside the load baseline)
// Items processed are rows.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "data/db_data_controller.h"
#include "platform/db/client_data_set.h"
#include "platform/db/data_link.h"
#include "platform/db/data_source.h"
#include "platform/db/date_time_fields.h"
#include "platform/db/float_fields.h"
#include "platform/db/numeric_fields.h"
#include "platform/db/string_fields.h"
#include "platform/rtl/locale.h"

namespace {

constexpr int32_t kRows = 1'000'000;

struct TFileRow {
  std::string datei;
  double groesse = 0;
  double datum = 0;
  int32_t sortkey = 0;
};

// Paths in an order that is not already sorted.
std::string PathOf(int32_t row) {
  return "C:\\Users\\Benutzer\\Dokumente\\Rechnungen\\Rechnung-" + std::to_string((int64_t{row} * 7919) % kRows) + ".pdf";
}

std::vector<TFileRow> MakeRows() {
  std::vector<TFileRow> rows;
  rows.reserve(kRows);
  for (int32_t row = 0; row < kRows; ++row)
    rows.push_back({PathOf(row), 1024.0 * row, 45000.5 + row % 1000, row + 1});
  return rows;
}

const std::vector<TFileRow>& Rows() {
  static const std::vector<TFileRow> rows = MakeRows();
  return rows;
}

struct TFileList {
  TFileList() {
    datei = new TStringField(&cds);
    datei->SetFieldName("Datei");
    datei->SetSize(500);
    datei->SetDataSet(&cds);
    groesse = new TFloatField(&cds);
    groesse->SetFieldName("Groesse");
    groesse->SetDataSet(&cds);
    datum = new TDateTimeField(&cds);
    datum->SetFieldName("Datum");
    datum->SetDataSet(&cds);
    sortkey = new TIntegerField(&cds);
    sortkey->SetFieldName("Sortkey");
    sortkey->SetDataSet(&cds);
    cds.CreateDataSet();
    source.SetDataSet(&cds);
    cds.DisableControls();
    for (const TFileRow& row : Rows()) {
      cds.Append();
      datei->SetAsString(row.datei);
      groesse->SetAsFloat(row.groesse);
      datum->SetAsDateTime(row.datum);
      sortkey->SetAsInteger(row.sortkey);
      cds.Post();
    }
    cds.First();
    cds.EnableControls();
  }

  TScopedLocale locale{"de-DE"};
  TClientDataSet cds{nullptr};
  TDataSource source{nullptr};
  TStringField* datei = nullptr;
  TFloatField* groesse = nullptr;
  TDateTimeField* datum = nullptr;
  TIntegerField* sortkey = nullptr;
};

class TColumn : public TObject {};

// The grid's part: one column per dataset field.
class TFileGrid : public TlxDBDataController {
 public:
  TFileGrid() : TlxDBDataController(nullptr) {
    for (const char* name : {"Datei", "Groesse", "Datum", "Sortkey"}) {
      columns_.push_back(std::make_unique<TColumn>());
      AddItem(columns_.back().get());
      ChangeFieldName(GetItemCount() - 1, name);
    }
  }
  ~TFileGrid() override { SetDataSource(nullptr); }
  TObject* GetItem(int32_t index) const override { return Fields().FieldAt(index)->Item(); }

 private:
  std::vector<std::unique_ptr<TColumn>> columns_;
};

constexpr int32_t kDatei = 0;
constexpr int32_t kDatum = 2;

// A data link that reads every row into a vector, as a plain reader would.
class TVectorLink : public TDataLink {
 public:
  explicit TVectorLink(TFileList& list) : list_(list) {}
  ~TVectorLink() override { SetDataSource(nullptr); }

  void Load() {
    TClientDataSet& cds = list_.cds;
    cds.DisableControls();
    const TBookmark bookmark = cds.Bookmark();
    rows_.clear();
    for (cds.First(); !cds.Eof(); cds.Next())
      rows_.push_back({list_.datei->AsString(), list_.groesse->AsFloat(), list_.datum->AsDateTime(),
                       list_.sortkey->AsInteger()});
    if (!bookmark.empty())
      cds.GotoBookmark(bookmark);
    cds.EnableControls();
  }
  size_t Loaded() const { return rows_.size(); }

 private:
  TFileList& list_;
  std::vector<TFileRow> rows_;
};

void BM_Load_Baseline(benchmark::State& state) {
  TFileList list;
  TVectorLink link(list);
  link.SetDataSource(&list.source);
  for (auto _ : state) {
    link.Load();
    benchmark::DoNotOptimize(link.Loaded());
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_Load_Baseline)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LoadController(benchmark::State& state) {
  TFileList list;
  for (auto _ : state) {
    state.PauseTiming();
    auto grid = std::make_unique<TFileGrid>();
    state.ResumeTiming();
    grid->SetDataSource(&list.source);
    benchmark::DoNotOptimize(grid->GetRecordCount());
    state.PauseTiming();
    grid.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_LoadController)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Sort_Baseline(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<TFileRow> rows = Rows();
    state.ResumeTiming();
    std::stable_sort(rows.begin(), rows.end(), [](const TFileRow& a, const TFileRow& b) { return a.datei < b.datei; });
    benchmark::DoNotOptimize(rows.data());
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_Sort_Baseline)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SortController(benchmark::State& state) {
  TFileList list;
  TFileGrid grid;
  grid.SetDataSource(&list.source);
  for (auto _ : state) {
    grid.ChangeSortOrder(kDatei, soAscending);
    benchmark::DoNotOptimize(grid.GetRowCount());
    state.PauseTiming();
    grid.ClearSorting(false);
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_SortController)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Group_Baseline(benchmark::State& state) {
  const std::vector<TFileRow>& rows = Rows();
  for (auto _ : state) {
    std::unordered_map<double, std::vector<int32_t>> groups;
    for (int32_t row = 0; row < kRows; ++row)
      groups[rows[static_cast<size_t>(row)].datum].push_back(row);
    std::vector<double> dates;
    for (const auto& group : groups)
      dates.push_back(group.first);
    std::sort(dates.begin(), dates.end());
    benchmark::DoNotOptimize(dates.data());
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_Group_Baseline)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_GroupController(benchmark::State& state) {
  TFileList list;
  TFileGrid grid;
  grid.SetDataSource(&list.source);
  for (auto _ : state) {
    grid.Groups().ChangeGroupIndex(kDatum, 0);
    benchmark::DoNotOptimize(grid.GetRowCount());
    state.PauseTiming();
    grid.Groups().ClearGrouping();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_GroupController)->Unit(benchmark::kMillisecond)->Iterations(3);

// What a user waits for per dropped file: the insert is mirrored, and the
// post reloads every row.
void BM_LoadControllerAfterDrop(benchmark::State& state) {
  TFileList list;
  TFileGrid grid;
  grid.SetDataSource(&list.source);
  int32_t key = kRows;
  for (auto _ : state) {
    list.cds.Append();
    list.datei->SetAsString("C:\\Users\\Benutzer\\Dokumente\\neu.pdf");
    list.sortkey->SetAsInteger(++key);
    list.cds.Post();
    benchmark::DoNotOptimize(grid.GetRecordCount());
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_LoadControllerAfterDrop)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
