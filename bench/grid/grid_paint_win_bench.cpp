// The file list's grid scrolled page by page: each step lays out the visible
// page of a dataset-bound table view over 10,000 and 1,000,000 rows and
// paints it onto one 32-bit bitmap (header, cells drawn by their editors,
// every grid line in one PolyPolyline). The baseline draws the same page
// with raw GDI on the same bitmap in the same run: the four texts formatted
// with the platform routines, ExtTextOutW, and the grid lines by
// PolyPolyline. The time per page must not grow with the row count.
#include <benchmark/benchmark.h>
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "editors/default_editors.h"
#include "editors/edit_repository.h"
#include "editors/edit_repository_items.h"
#include "editors/kinds/db_repository_items.h"
#include "grid/grid_control_win.h"
#include "grid/grid_db_table_view_win.h"
#include "grid/grid_level_win.h"
#include "grid/grid_rows_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_table_layout_win.h"
#include "grid/grid_view_controller_win.h"
#include "platform/db/client_data_set.h"
#include "platform/db/data_source.h"
#include "platform/db/date_time_fields.h"
#include "platform/db/float_fields.h"
#include "platform/db/numeric_fields.h"
#include "platform/db/string_fields.h"
#include "platform/rtl/date_text.h"
#include "platform/rtl/date_time.h"
#include "platform/rtl/format.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/form.h"
#include "ui/foundation/canvas/canvas_win.h"

namespace {

constexpr int32_t kSiteWidth = 620;
constexpr int32_t kSiteHeight = 400;
constexpr int32_t kColumnWidths[] = {46, 389, 114, 107};

std::string PathOf(int64_t row) { return "C:\\Dokumente\\Rechnung " + std::to_string(row) + ".pdf"; }
double SizeOf(int64_t row) { return 1000.0 + static_cast<double>(row % 100000) * 3.5; }
TDateTime DateOf(int64_t row) { return EncodeDate(2024, 1, 1) + static_cast<double>(row % 3000) / 7.0; }

// The main window's view with the framework's plain controller and the
// table cache, as far as those parts are built.
class TBenchView : public TlxGridDBTableView {
 public:
  static constexpr TClass kClass{"TBenchView", &TlxGridDBTableView::kClass, &lxConstructGridView<TBenchView>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridDBTableView::TlxGridDBTableView;
  const TClass* GetControllerClass() const override { return &TlxCustomGridController::kClass; }
  const TClass* GetViewInfoCacheClass() const override { return &TlxCustomGridTableViewInfoCache::kClass; }
};

// One file list of `rows` rows in a grid on a shown form; made once per
// row count and kept for the whole run.
class TFileListGrid {
 public:
  explicit TFileListGrid(int64_t rows) : owner_(new TComponent(nullptr)) {
    cds_ = new TClientDataSet(owner_.get());
    auto* datei = new TStringField(owner_.get());
    datei->SetFieldName("Datei");
    datei->SetSize(500);
    datei->SetDataSet(cds_);
    auto* groesse = new TFloatField(owner_.get());
    groesse->SetFieldName("Groesse");
    groesse->SetCurrency(true);
    groesse->SetDataSet(cds_);
    auto* datum = new TDateTimeField(owner_.get());
    datum->SetFieldName("Datum");
    datum->SetDataSet(cds_);
    auto* sortkey = new TIntegerField(owner_.get());
    sortkey->SetFieldName("Sortkey");
    sortkey->SetDataSet(cds_);
    source_ = new TDataSource(owner_.get());
    source_->SetDataSet(cds_);
    cds_->CreateDataSet();
    cds_->DisableControls();
    for (int64_t row = 1; row <= rows; ++row) {
      cds_->Append();
      datei->SetAsString(PathOf(row));
      groesse->SetAsFloat(SizeOf(row));
      datum->SetAsDateTime(DateOf(row));
      sortkey->SetAsInteger(static_cast<int32_t>(row));
      cds_->Post();
    }
    cds_->First();
    cds_->EnableControls();

    form_ = new TForm(nullptr);
    form_->SetBounds(0, 0, kSiteWidth + 40, kSiteHeight + 60);
    grid_ = new TlxGrid(form_);
    grid_->SetParent(form_);
    grid_->SetBounds(0, 0, kSiteWidth, kSiteHeight);
    grid_->LookAndFeel().SetKind(lfFlat);
    view_ = lxCreateGridView<TBenchView>(form_);
    view_->SetParentComponent(grid_);
    auto* level = new TlxGridLevel(form_);
    level->SetParentComponent(grid_);
    level->SetGridView(view_);
    view_->OptionsView()->SetColumnAutoWidth(true);
    view_->OptionsView()->SetGroupByBox(false);
    const char* captions[] = {"Nr.", "Datei", "Größe", "Datum"};
    const char* fields[] = {"Sortkey", "Datei", "Groesse", "Datum"};
    view_->BeginUpdate();
    for (int i = 0; i < 4; ++i) {
      TlxGridDBColumn* column = view_->CreateColumn();
      column->SetCaption(captions[i]);
      column->DataBinding()->SetFieldName(fields[i]);
      column->SetWidth(kColumnWidths[i]);
    }
    view_->EndUpdate();
    view_->DataController()->SetDataSource(source_);
    form_->Show();
    ViewInfo()->MainCalculate(TRect(0, 0, kSiteWidth, kSiteHeight));
  }

  ~TFileListGrid() { form_->Free(); }

  TlxGridTableViewInfo* ViewInfo() const { return static_cast<TlxGridTableViewInfo*>(view_->ViewInfo()); }
  int32_t RecordCount() const { return view_->ViewData()->RecordCount(); }

  // Lays out the page starting at `top` and paints it onto `canvas`.
  void PaintPage(int32_t top, TlxCanvas& canvas) {
    ViewInfo()->SetScrolledTopRecordIndex(top);
    ViewInfo()->MainCalculate(TRect(0, 0, kSiteWidth, kSiteHeight));
    view_->Painter()->Paint(&canvas, nullptr);
  }

  int32_t PageRows() const { return ViewInfo()->RowsViewInfo()->PartVisibleCount; }
  int32_t RowHeight() const { return ViewInfo()->RowsViewInfo()->DataRowHeight; }
  int32_t HeaderHeight() const { return ViewInfo()->HeaderViewInfo()->Height; }

 private:
  TScopedLocale locale_{"de-DE"};
  std::unique_ptr<TComponent> owner_;
  TClientDataSet* cds_ = nullptr;
  TDataSource* source_ = nullptr;
  TForm* form_ = nullptr;
  TlxGrid* grid_ = nullptr;
  TBenchView* view_ = nullptr;
};

std::map<int64_t, std::unique_ptr<TFileListGrid>>& Grids() {
  static std::map<int64_t, std::unique_ptr<TFileListGrid>> grids;
  return grids;
}

TFileListGrid& GridOf(int64_t rows) {
  std::unique_ptr<TFileListGrid>& grid = Grids()[rows];
  if (grid == nullptr) {
    lxEditDBRegisteredRepositoryItemsModuleStart();
    lxGridDBTableViewModuleStart();
    grid = std::make_unique<TFileListGrid>(rows);
  }
  return *grid;
}

void BM_GridPaintPage(benchmark::State& state) {
  TFileListGrid& grid = GridOf(state.range(0));
  TBitmap bitmap(kSiteWidth, kSiteHeight, pf32bit);
  TlxCanvas canvas(bitmap.Canvas());
  const int32_t records = grid.RecordCount();
  int32_t top = 0;
  for (auto _ : state) {
    grid.PaintPage(top, canvas);
    top += grid.PageRows() > 1 ? grid.PageRows() - 1 : 1;
    if (top >= records)
      top = 0;
    benchmark::DoNotOptimize(canvas.Handle());
  }
  state.counters["rows_per_page"] = grid.PageRows();
}
BENCHMARK(BM_GridPaintPage)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The same page drawn with raw GDI: header boxes, four formatted texts per
// row with ExtTextOutW, and the grid lines in one PolyPolyline.
void BM_GridPaintPageBaselineRawGdi(benchmark::State& state) {
  TFileListGrid& grid = GridOf(state.range(0));
  TScopedLocale locale("de-DE");
  TBitmap bitmap(kSiteWidth, kSiteHeight, pf32bit);
  const HDC dc = bitmap.Canvas().Handle();
  const int32_t rows = grid.PageRows();
  const int32_t row_height = grid.RowHeight();
  const int32_t header_height = grid.HeaderHeight();
  const int64_t records = state.range(0);
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  const HBRUSH window = GetSysColorBrush(COLOR_WINDOW);
  const HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  int64_t top = 0;
  std::vector<POINT> points;
  std::vector<DWORD> counts;
  for (auto _ : state) {
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    const RECT header{0, 0, kSiteWidth, header_height};
    FillRect(dc, &header, face);
    const RECT body{0, header_height, kSiteWidth, kSiteHeight};
    FillRect(dc, &body, window);
    points.clear();
    counts.clear();
    for (int32_t i = 0; i < rows; ++i) {
      const int64_t row = (top + i) % records + 1;
      const std::string texts[] = {IntToStr(row), PathOf(row), FormatFloat(",0.00 €", SizeOf(row)),
                                   DateTimeToStr(DateOf(row))};
      const int32_t y = header_height + i * row_height;
      int32_t x = 0;
      for (int c = 0; c < 4; ++c) {
        const std::u16string text = Utf8ToUtf16(texts[c]);
        const RECT clip{x, y, x + kColumnWidths[c] - 1, y + row_height - 1};
        ExtTextOutW(dc, x + 2, y + 2, ETO_CLIPPED, &clip, reinterpret_cast<const wchar_t*>(text.c_str()),
                    static_cast<UINT>(text.size()), nullptr);
        x += kColumnWidths[c];
        points.push_back({x - 1, y});
        points.push_back({x - 1, y + row_height});
        counts.push_back(2);
      }
      points.push_back({0, y + row_height - 1});
      points.push_back({x, y + row_height - 1});
      counts.push_back(2);
    }
    HGDIOBJ previous = SelectObject(dc, pen);
    PolyPolyline(dc, points.data(), counts.data(), static_cast<DWORD>(counts.size()));
    SelectObject(dc, previous);
    top = (top + (rows > 1 ? rows - 1 : 1)) % records;
    benchmark::DoNotOptimize(dc);
  }
  DeleteObject(pen);
}
BENCHMARK(BM_GridPaintPageBaselineRawGdi)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

// The grids go before the editor repositories they use, not at static
// destruction in whatever order that takes.
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
