// 10,000 window-less single-border frames (the classic path a container's
// view info paints: border in the border colour, background inside) drawn
// on one 32-bit memory bitmap, against the same rectangles filled and
// framed with raw GDI on that bitmap as the baseline.
#include <benchmark/benchmark.h>
#include <windows.h>

#include "editors/container_win.h"
#include "editors/solid_brush_cache_win.h"
#include "platform/toolkit/bitmap.h"
#include "ui/foundation/canvas/canvas_win.h"

namespace {

constexpr int32_t kCells = 10000;
constexpr int32_t kCellWidth = 60;
constexpr int32_t kCellHeight = 18;
constexpr int32_t kColumns = 10;
constexpr int32_t kRows = 10;

TRect CellRect(int32_t index) {
  const int32_t column = index % kColumns;
  const int32_t row = (index / kColumns) % kRows;
  return TRect(column * kCellWidth, row * kCellHeight, (column + 1) * kCellWidth, (row + 1) * kCellHeight);
}

void BM_ContainerFrameSingleBorder(benchmark::State& state) {
  TBitmap bitmap(kColumns * kCellWidth, kRows * kCellHeight, pf32bit);
  TlxCanvas canvas(bitmap.Canvas());
  TlxContainerViewInfo info;
  info.BorderStyle = cbsSingle;
  info.BorderWidth = 1;
  info.BorderColor = clWindowFrame;
  info.BackgroundColor = clWindow;
  for (auto _ : state) {
    TlxBrushPaintScope paint;
    for (int32_t i = 0; i < kCells; ++i) {
      const TRect cell = CellRect(i);
      info.Bounds = cell;
      info.BorderRect = TRect(cell.Left + 1, cell.Top + 1, cell.Right - 1, cell.Bottom - 1);
      info.ClientRect = info.BorderRect;
      info.Draw(canvas);
    }
    benchmark::DoNotOptimize(canvas.Handle());
  }
  state.SetItemsProcessed(state.iterations() * kCells);
}
BENCHMARK(BM_ContainerFrameSingleBorder)->Unit(benchmark::kMillisecond);

void BM_ContainerFrameSingleBorderBaselineRawGdi(benchmark::State& state) {
  TBitmap bitmap(kColumns * kCellWidth, kRows * kCellHeight, pf32bit);
  const HDC dc = bitmap.Canvas().Handle();
  const HBRUSH frame = CreateSolidBrush(GetSysColor(COLOR_WINDOWFRAME));
  const HBRUSH fill = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
  for (auto _ : state) {
    for (int32_t i = 0; i < kCells; ++i) {
      const TRect cell = CellRect(i);
      const RECT outer{cell.Left, cell.Top, cell.Right, cell.Bottom};
      const RECT inner{cell.Left + 1, cell.Top + 1, cell.Right - 1, cell.Bottom - 1};
      FrameRect(dc, &outer, frame);
      FillRect(dc, &inner, fill);
    }
    benchmark::DoNotOptimize(dc);
  }
  DeleteObject(frame);
  DeleteObject(fill);
  state.SetItemsProcessed(state.iterations() * kCells);
}
BENCHMARK(BM_ContainerFrameSingleBorderBaselineRawGdi)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
