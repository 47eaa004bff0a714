// 10,000 window-less editor cells as a grid paints them (single border, one
// drop-down button: frame, background, 3-D button face and arrow) on one
// 32-bit memory bitmap, against the same rectangles drawn with raw GDI on
// that bitmap as the baseline. The view info is calculated once and moved
// from cell to cell, as a grid keeps one per cell.
#include <benchmark/benchmark.h>
#include <windows.h>

#include "bench/editors/edit_cell_grid.h"
#include "editors/edit_properties.h"
#include "editors/edit_view_data_win.h"
#include "editors/solid_brush_cache_win.h"
#include "platform/toolkit/bitmap.h"
#include "ui/foundation/canvas/canvas_win.h"

namespace {

using namespace edit_cell_bench;

constexpr int32_t kButtonWidth = 17;

void BM_EditCellSingleBorderDropDown(benchmark::State& state) {
  TBitmap bitmap(kBitmapWidth, kBitmapHeight, pf32bit);
  TlxCanvas canvas(bitmap.Canvas());
  TlxCustomEditProperties properties(nullptr);
  properties.Buttons()->AddButton()->SetWidth(kButtonWidth);
  TlxEditStyle style(nullptr, false);
  style.SetTransparentBorder(false);
  style.SetBorderStyle(ebsSingle);
  style.SetButtonStyle(bts3D);
  TlxCustomEditViewData data(&properties, &style, false);
  TlxCustomEditViewInfo info;
  data.Calculate(canvas, CellRect(0), TPoint(-1, -1), kLxNoMouseButton, {}, info, false);
  for (auto _ : state) {
    TlxBrushPaintScope paint;
    for (int32_t i = 0; i < kCells; ++i) {
      const TRect cell = CellRect(i);
      info.MoveBy(cell.Left, cell.Top);
      info.Draw(canvas);
      info.MoveBy(-cell.Left, -cell.Top);
    }
    benchmark::DoNotOptimize(canvas.Handle());
  }
  state.SetItemsProcessed(state.iterations() * kCells);
}
BENCHMARK(BM_EditCellSingleBorderDropDown)->Unit(benchmark::kMillisecond);

void BM_EditCellSingleBorderDropDownBaselineRawGdi(benchmark::State& state) {
  TBitmap bitmap(kBitmapWidth, kBitmapHeight, pf32bit);
  const HDC dc = bitmap.Canvas().Handle();
  const HBRUSH frame = CreateSolidBrush(GetSysColor(COLOR_WINDOWFRAME));
  const HBRUSH fill = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
  for (auto _ : state) {
    for (int32_t i = 0; i < kCells; ++i) {
      const TRect cell = CellRect(i);
      const RECT outer{cell.Left, cell.Top, cell.Right, cell.Bottom};
      const RECT inner{cell.Left + 1, cell.Top + 1, cell.Right - 1 - kButtonWidth, cell.Bottom - 1};
      RECT button{cell.Right - 1 - kButtonWidth, cell.Top + 1, cell.Right - 1, cell.Bottom - 1};
      FrameRect(dc, &outer, frame);
      FillRect(dc, &inner, fill);
      DrawFrameControl(dc, &button, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
    }
    benchmark::DoNotOptimize(dc);
  }
  DeleteObject(frame);
  DeleteObject(fill);
  state.SetItemsProcessed(state.iterations() * kCells);
}
BENCHMARK(BM_EditCellSingleBorderDropDownBaselineRawGdi)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
