// The print run's read path over a table view's record cache against the
// data controller's own reads of the same rows, measured in the same run:
// 1,000,000 file-list rows sorted by the "Datei" text item; inside one data
// controller bracket, the record count, then for every row the cached
// record (made on demand from the row's description, as the view data
// makes it) and its value of the "Datei" item. The baseline reads the same
// row descriptions and values straight from the data controller.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "data/data_controller.h"
#include "grid/grid_record_slots.h"
#include "platform/rtl/update_batch.h"

namespace {

constexpr int32_t kRows = 1'000'000;
constexpr int32_t kDatei = 0;

class TColumn : public TObject {};

class TBenchGrid : public TlxDataController {
 public:
  TBenchGrid() : TlxDataController(nullptr) {
    AddItem(&column_);
    SetItemValueTypeClass(kDatei, lxValueTypeClass<TlxStringValueType>());
  }

 private:
  TColumn column_;
};

TBenchGrid& SortedGrid() {
  static TBenchGrid* grid = [] {
    auto* made = new TBenchGrid;
    std::vector<int32_t> order(kRows);
    for (int32_t i = 0; i < kRows; ++i)
      order[static_cast<size_t>(i)] = i;
    std::shuffle(order.begin(), order.end(), std::mt19937(42));
    TUpdateScope update(*made);
    made->SetRecordCount(kRows);
    TlxDataStorage& storage = made->DataStorage();
    for (int32_t i = 0; i < kRows; ++i)
      storage.StoreValue(i, *made->ItemField(kDatei)->ValueDef(),
                         Variant("C:\\Dokumente\\f" + std::to_string(order[static_cast<size_t>(i)]) + ".pdf"));
    made->ChangeSortOrder(kDatei, soAscending);
    return made;
  }();
  return *grid;
}

// What a table view's record keeps and does for the print run: its row
// description, read once when the record is made, and values read through
// the data controller.
class TRowRecord {
 public:
  TRowRecord(TlxCustomDataController& controller, int32_t row)
      : controller_(controller), row_info_(controller.GetRowInfo(row)) {}
  Variant GetValue(int32_t item_index) { return controller_.GetRowValue(row_info_, item_index); }

 private:
  TlxCustomDataController& controller_;
  TlxRowInfo row_info_;
};

void BM_PrintRunRead_RecordCache(benchmark::State& state) {
  TBenchGrid& grid = SortedGrid();
  TlxGridRecordSlots<TRowRecord> records(
      [&grid](int32_t row) { return std::make_unique<TRowRecord>(grid, row); });
  for (auto _ : state) {
    // Every data change drops the records; the print run meets a fresh cache.
    records.Reset(grid.GetRowCount());
    TUpdateScope bracket(grid);
    const int32_t count = grid.GetRecordCount();
    for (int32_t i = 0; i < count; ++i)
      benchmark::DoNotOptimize(records.Get(i).GetValue(kDatei));
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_PrintRunRead_BaselineController(benchmark::State& state) {
  TBenchGrid& grid = SortedGrid();
  for (auto _ : state) {
    TUpdateScope bracket(grid);
    const int32_t count = grid.GetRecordCount();
    for (int32_t i = 0; i < count; ++i)
      benchmark::DoNotOptimize(grid.GetRowValue(grid.GetRowInfo(i), kDatei));
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}

BENCHMARK(BM_PrintRunRead_RecordCache)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintRunRead_BaselineController)->Unit(benchmark::kMillisecond);

}  // namespace
BENCHMARK_MAIN();
