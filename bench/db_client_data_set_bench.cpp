// The file list at scale: 1,000,000 rows of the four fields "Datei",
// "Groesse", "Datum" and "Sortkey" in the in-memory dataset, against a
// plain std::vector of structs with the same fields.
//   append   Append, four field writes, Post per row
//   walk     First, then Next until Eof, reading the four values per row
//   locate   Locate by "Datei" of the last row (a scan over every row)
//   reload   a data link that, on each data-set change, reads every row
//            inside DisableControls and returns to its bookmark, as the
//            grid's data controller does
// Items processed are rows, so the per-row time is 1 / items per second.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

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

std::string PathOf(int32_t row) {
  return "C:\\Users\\Benutzer\\Dokumente\\Rechnungen\\2024\\Rechnung-" + std::to_string(row) + ".pdf";
}

// The paths are made once, so that neither side pays for building them.
const std::vector<std::string>& Paths() {
  static const std::vector<std::string> paths = [] {
    std::vector<std::string> made;
    made.reserve(kRows);
    for (int32_t row = 0; row < kRows; ++row)
      made.push_back(PathOf(row));
    return made;
  }();
  return paths;
}

struct TFileRow {
  std::string datei;
  double groesse = 0;
  double datum = 0;
  int32_t sortkey = 0;
};

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
  }

  void Fill() {
    const std::vector<std::string>& paths = Paths();
    for (int32_t row = 0; row < kRows; ++row) {
      cds.Append();
      datei->SetAsString(paths[static_cast<size_t>(row)]);
      groesse->SetAsFloat(1024.0 * row);
      datum->SetAsDateTime(45000.5 + row % 1000);
      sortkey->SetAsInteger(row + 1);
      cds.Post();
    }
  }

  TClientDataSet cds{nullptr};
  TStringField* datei = nullptr;
  TFloatField* groesse = nullptr;
  TDateTimeField* datum = nullptr;
  TIntegerField* sortkey = nullptr;
};

std::vector<TFileRow> MakeRows() {
  const std::vector<std::string>& paths = Paths();
  std::vector<TFileRow> rows;
  for (int32_t row = 0; row < kRows; ++row)
    rows.push_back({paths[static_cast<size_t>(row)], 1024.0 * row, 45000.5 + row % 1000, row + 1});
  return rows;
}

void BM_AppendVector_Baseline(benchmark::State& state) {
  Paths();
  for (auto _ : state) {
    std::vector<TFileRow> rows = MakeRows();
    benchmark::DoNotOptimize(rows.data());
    state.PauseTiming();
    rows = {};
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_AppendVector_Baseline)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_AppendDataSet(benchmark::State& state) {
  TScopedLocale locale("de-DE");
  Paths();
  for (auto _ : state) {
    state.PauseTiming();
    auto list = std::make_unique<TFileList>();
    state.ResumeTiming();
    list->Fill();
    state.PauseTiming();
    list.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_AppendDataSet)->Unit(benchmark::kMillisecond)->Iterations(3);

// Both walks copy every value out, as a reader of the rows does.
void BM_WalkVector_Baseline(benchmark::State& state) {
  const std::vector<TFileRow> rows = MakeRows();
  for (auto _ : state) {
    size_t checksum = 0;
    for (const TFileRow& row : rows) {
      std::string datei = row.datei;
      const double groesse = row.groesse;
      const double datum = row.datum;
      const int32_t sortkey = row.sortkey;
      benchmark::DoNotOptimize(datei.data());
      checksum += datei.size() + static_cast<size_t>(groesse > datum) + static_cast<size_t>(sortkey);
    }
    benchmark::DoNotOptimize(checksum);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_WalkVector_Baseline)->Unit(benchmark::kMillisecond);

void BM_WalkDataSet(benchmark::State& state) {
  TScopedLocale locale("de-DE");
  TFileList list;
  list.Fill();
  for (auto _ : state) {
    size_t checksum = 0;
    for (list.cds.First(); !list.cds.Eof(); list.cds.Next()) {
      std::string datei = list.datei->AsString();
      const double groesse = list.groesse->AsFloat();
      const double datum = list.datum->AsDateTime();
      const int32_t sortkey = list.sortkey->AsInteger();
      benchmark::DoNotOptimize(datei.data());
      checksum += datei.size() + static_cast<size_t>(groesse > datum) + static_cast<size_t>(sortkey);
    }
    benchmark::DoNotOptimize(checksum);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_WalkDataSet)->Unit(benchmark::kMillisecond);

void BM_LocateVector_Baseline(benchmark::State& state) {
  const std::vector<TFileRow> rows = MakeRows();
  const std::string wanted = PathOf(kRows - 1);
  for (auto _ : state) {
    auto it = std::find_if(rows.begin(), rows.end(), [&wanted](const TFileRow& row) { return row.datei == wanted; });
    benchmark::DoNotOptimize(it);
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_LocateVector_Baseline)->Unit(benchmark::kMillisecond);

// Argument 0: exact; 1: without regard to case (the lookup editors' text
// search).
void BM_LocateDataSet(benchmark::State& state) {
  TScopedLocale locale("de-DE");
  TFileList list;
  list.Fill();
  const Variant wanted(PathOf(kRows - 1));
  const TLocateOptions options = state.range(0) == 0 ? TLocateOptions() : TLocateOptions{loCaseInsensitive};
  for (auto _ : state) {
    list.cds.First();
    benchmark::DoNotOptimize(list.cds.Locate("Datei", wanted, options));
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_LocateDataSet)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Reads the whole dataset into its own rows whenever the data changes.
class TReloadingLink : public TDataLink {
 public:
  explicit TReloadingLink(TFileList& list) : list_(list) {}
  ~TReloadingLink() override { SetDataSource(nullptr); }
  size_t Loaded() const { return rows_.size(); }

 protected:
  void DataSetChanged() override {
    if (loading_)
      return;
    loading_ = true;
    TClientDataSet& cds = list_.cds;
    cds.DisableControls();
    const TBookmark bookmark = cds.Bookmark();
    rows_.clear();
    for (cds.First(); !cds.Eof(); cds.Next()) {
      rows_.push_back({list_.datei->AsString(), list_.groesse->AsFloat(), list_.datum->AsDateTime(),
                       list_.sortkey->AsInteger()});
    }
    if (!bookmark.empty())
      cds.GotoBookmark(bookmark);
    cds.EnableControls();
    loading_ = false;
  }

 private:
  TFileList& list_;
  std::vector<TFileRow> rows_;
  bool loading_ = false;
};

void BM_ReloadThroughDataLink(benchmark::State& state) {
  TScopedLocale locale("de-DE");
  TFileList list;
  list.Fill();
  TDataSource source(nullptr);
  source.SetDataSet(&list.cds);
  TReloadingLink link(list);
  link.SetDataSource(&source);
  list.cds.Last();
  for (auto _ : state) {
    // The smallest change there is: a refresh sends one data-set change.
    list.cds.Refresh();
    benchmark::DoNotOptimize(link.Loaded());
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ReloadThroughDataLink)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
