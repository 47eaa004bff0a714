// A header click on "Datei" of the file list's grid: from the posted button
// messages through the grid's sorting to the end of the repaint of the
// site, each click turning the order. The baseline is the data controller's
// own sort call on the same data in the same run (the grid should add at
// most a fifth); std::stable_sort of the same texts with the same variant
// comparison is a figure only.
#include <benchmark/benchmark.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "data/data_controller.h"
#include "editors/default_editors.h"
#include "editors/edit_repository.h"
#include "editors/edit_repository_items.h"
#include "editors/kinds/db_repository_items.h"
#include "grid/grid_control_win.h"
#include "grid/grid_db_table_view_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_level_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_table_layout_win.h"
#include "grid/grid_view_controller_win.h"
#include "platform/db/client_data_set.h"
#include "platform/db/data_source.h"
#include "platform/db/date_time_fields.h"
#include "platform/db/float_fields.h"
#include "platform/db/numeric_fields.h"
#include "platform/db/string_fields.h"
#include "platform/rtl/date_time.h"
#include "platform/rtl/variant.h"
#include "platform/toolkit/form.h"

namespace {

constexpr int32_t kSiteWidth = 620;
constexpr int32_t kSiteHeight = 400;

// Paths whose order differs from the row order, so that each sort moves rows.
std::string PathOf(int64_t row) {
  return "C:\\Dokumente\\Rechnung " + std::to_string((row * 7919) % 1000003) + ".pdf";
}

void PumpAll() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

class TSortGrid {
 public:
  explicit TSortGrid(int64_t rows) : owner_(new TComponent(nullptr)) {
    cds_ = new TClientDataSet(owner_.get());
    datei_field_ = new TStringField(owner_.get());
    datei_field_->SetFieldName("Datei");
    datei_field_->SetSize(500);
    datei_field_->SetDataSet(cds_);
    auto* sortkey = new TIntegerField(owner_.get());
    sortkey->SetFieldName("Sortkey");
    sortkey->SetDataSet(cds_);
    source_ = new TDataSource(owner_.get());
    source_->SetDataSet(cds_);
    cds_->CreateDataSet();
    cds_->DisableControls();
    for (int64_t row = 1; row <= rows; ++row) {
      cds_->Append();
      datei_field_->SetAsString(PathOf(row));
      sortkey->SetAsInteger(static_cast<int32_t>(row));
      cds_->Post();
      texts_.push_back(Variant(PathOf(row)));
    }
    cds_->First();
    cds_->EnableControls();
    form_ = new TForm(nullptr);
    form_->SetBounds(0, 0, kSiteWidth + 40, kSiteHeight + 60);
    grid_ = new TlxGrid(form_);
    grid_->SetParent(form_);
    grid_->SetBounds(0, 0, kSiteWidth, kSiteHeight);
    view_ = lxCreateGridView<TlxGridDBTableView>(form_);
    view_->SetParentComponent(grid_);
    auto* level = new TlxGridLevel(form_);
    level->SetParentComponent(grid_);
    level->SetGridView(view_);
    view_->OptionsView()->SetGroupByBox(false);
    view_->OptionsCustomize()->SetColumnMoving(false);
    view_->OptionsCustomize()->SetColumnFiltering(false);
    TlxGridDBColumn* nr = view_->CreateColumn();
    nr->SetCaption("Nr.");
    nr->DataBinding()->SetFieldName("Sortkey");
    nr->SetWidth(60);
    datei_ = view_->CreateColumn();
    datei_->SetCaption("Datei");
    datei_->DataBinding()->SetFieldName("Datei");
    datei_->SetWidth(400);
    view_->DataController()->SetDataSource(source_);
    form_->Show();
    ViewInfo()->MainCalculate(TRect(0, 0, kSiteWidth, kSiteHeight));
    PumpAll();
    header_point_ = FindHeader();
  }

  ~TSortGrid() { form_->Free(); }

  TlxCustomGridViewInfo* ViewInfo() const { return static_cast<TlxCustomGridView*>(view_)->ViewInfo(); }

  TPoint FindHeader() {
    for (int32_t y = 1; y < kSiteHeight; y += 2)
      for (int32_t x = 1; x < kSiteWidth; x += 2) {
        auto* hit_test = dynamic_cast<TlxGridColumnHeaderHitTest*>(ViewInfo()->GetHitTestAtXY(x, y));
        if (hit_test != nullptr && hit_test->Column == datei_)
          return TPoint(x + 20, y + 3);
      }
    return TPoint(-1, -1);
  }

  // The click as the user gives it, then the repaint it causes.
  void ClickHeader() {
    const HWND site = view_->Site()->Handle();
    const LPARAM at = MAKELPARAM(header_point_.X, header_point_.Y);
    PostMessageW(site, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(site, WM_LBUTTONUP, 0, at);
    PumpAll();
    UpdateWindow(site);
  }

  void SortByDataController(bool descending) {
    TlxCustomDataController* data = view_->DataController();
    data->ChangeSortOrder(datei_->Index(), descending ? soDescending : soAscending);
  }

  bool HeaderFound() const { return header_point_.X >= 0; }
  std::vector<Variant>& Texts() { return texts_; }

 private:
  std::unique_ptr<TComponent> owner_;
  TClientDataSet* cds_ = nullptr;
  TStringField* datei_field_ = nullptr;
  TDataSource* source_ = nullptr;
  TForm* form_ = nullptr;
  TlxGrid* grid_ = nullptr;
  TlxGridDBTableView* view_ = nullptr;
  TlxGridDBColumn* datei_ = nullptr;
  TPoint header_point_{-1, -1};
  std::vector<Variant> texts_;
};

std::map<int64_t, std::unique_ptr<TSortGrid>>& Grids() {
  static std::map<int64_t, std::unique_ptr<TSortGrid>> grids;
  return grids;
}

TSortGrid& GridOf(int64_t rows) {
  std::unique_ptr<TSortGrid>& grid = Grids()[rows];
  if (grid == nullptr) {
    lxEditDBRegisteredRepositoryItemsModuleStart();
    lxGridDBTableViewModuleStart();
    grid = std::make_unique<TSortGrid>(rows);
  }
  return *grid;
}

void BM_HeaderClickSort(benchmark::State& state) {
  TSortGrid& grid = GridOf(state.range(0));
  if (!grid.HeaderFound()) {
    state.SkipWithError("the header of \"Datei\" was not found");
    return;
  }
  for (auto _ : state)
    grid.ClickHeader();
}
BENCHMARK(BM_HeaderClickSort)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(6);

void BM_HeaderClickSortBaselineDataController(benchmark::State& state) {
  TSortGrid& grid = GridOf(state.range(0));
  bool descending = false;
  for (auto _ : state) {
    grid.SortByDataController(descending);
    descending = !descending;
  }
}
BENCHMARK(BM_HeaderClickSortBaselineDataController)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(6);

void BM_StableSortOfTheTexts(benchmark::State& state) {
  TSortGrid& grid = GridOf(state.range(0));
  bool descending = false;
  for (auto _ : state) {
    std::vector<Variant> texts = grid.Texts();
    std::stable_sort(texts.begin(), texts.end(), [descending](const Variant& a, const Variant& b) {
      return descending ? VarCompare(b, a) < 0 : VarCompare(a, b) < 0;
    });
    benchmark::DoNotOptimize(texts.data());
    descending = !descending;
  }
}
BENCHMARK(BM_StableSortOfTheTexts)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(6);

}  // namespace

// The grids go before the editor repositories they use.
int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (Grids().empty())
    return 0;
  Grids().clear();
  lxGridDBTableViewModuleEnd();
  lxEditDBRegisteredRepositoryItemsModuleEnd();
  lxFreeEditDataRegisteredRepositoryItems();
  lxFreeDefaultEditRepository();
  return 0;
}
