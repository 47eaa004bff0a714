// A 50 x 20 grid frame (50 header cells, 1,000 text cells, grid lines and a
// footer row) painted onto a 32-bit memory bitmap through each painter, and
// the same frame drawn with raw GDI calls on that bitmap as the baseline.
#include <benchmark/benchmark.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/toolkit/bitmap.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/painters/native_painter_win.h"
#include "ui/foundation/painters/office11_painter_win.h"
#include "ui/foundation/painters/standard_painters_win.h"
#include "ui/foundation/painters/ultra_flat_painter_win.h"

namespace {

constexpr int32_t kColumns = 50;
constexpr int32_t kRows = 20;
constexpr int32_t kCellWidth = 40;
constexpr int32_t kCellHeight = 18;
constexpr int32_t kHeaderHeight = 20;
constexpr int32_t kWidth = kColumns * kCellWidth;
constexpr int32_t kHeight = kHeaderHeight + kRows * kCellHeight + kHeaderHeight;

struct Frame {
  std::vector<std::string> headers;
  std::vector<std::string> cells;
  Frame() {
    for (int32_t c = 0; c < kColumns; ++c) headers.push_back("Spalte " + std::to_string(c));
    for (int32_t i = 0; i < kColumns * kRows; ++i) cells.push_back("Datei_" + std::to_string(i) + ".pdf");
  }
};

const Frame& TheFrame() {
  static const Frame frame;
  return frame;
}

TRect HeaderRect(int32_t column) { return TRect(column * kCellWidth, 0, (column + 1) * kCellWidth, kHeaderHeight); }
TRect CellRect(int32_t column, int32_t row) {
  const int32_t top = kHeaderHeight + row * kCellHeight;
  return TRect(column * kCellWidth, top, (column + 1) * kCellWidth - 1, top + kCellHeight - 1);
}
TRect FooterRect(int32_t column) {
  const int32_t top = kHeaderHeight + kRows * kCellHeight;
  return TRect(column * kCellWidth, top, (column + 1) * kCellWidth, top + kHeaderHeight);
}

void PaintFrame(const TlxCustomLookAndFeelPainter& painter, TlxCanvas& canvas) {
  const Frame& frame = TheFrame();
  for (int32_t c = 0; c < kColumns; ++c) {
    const TRect r = HeaderRect(c);
    painter.PaintHeader(canvas, r, lxInflated(r, -2), TlxHeaderNeighbors{bLeft, bRight}, lxAllBorders, lxbsNormal,
                        taLeftJustify, vaCenter, false, true, frame.headers[c], nullptr,
                        painter.GetDefaultHeaderTextColor(), painter.GetDefaultHeaderColor(), nullptr);
  }
  const TColor line = painter.GetDefaultGridLineColor();
  for (int32_t row = 0; row < kRows; ++row) {
    for (int32_t c = 0; c < kColumns; ++c) {
      const TRect r = CellRect(c, row);
      painter.PaintContent(canvas, r, lxInflated(r, -2), lxbsNormal, taLeftJustify, vaCenter, false, true,
                           frame.cells[row * kColumns + c], nullptr, painter.GetDefaultContentTextColor(),
                           painter.GetDefaultContentColor(), nullptr, false);
      canvas.FillRectColor(TRect(r.Right, r.Top, r.Right + 1, r.Bottom + 1), line);
      canvas.FillRectColor(TRect(r.Left, r.Bottom, r.Right, r.Bottom + 1), line);
    }
  }
  for (int32_t c = 0; c < kColumns; ++c)
    painter.PaintFooterCell(canvas, FooterRect(c), taRightJustify, vaCenter, false, "123", nullptr,
                            painter.GetDefaultFooterTextColor(), painter.GetDefaultFooterColor(), nullptr);
}

// The same frame in plain GDI: edges, fills, lines and DrawText.
void PaintFrameWithGdi(HDC dc) {
  const Frame& frame = TheFrame();
  SetBkMode(dc, TRANSPARENT);
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  HBRUSH window = GetSysColorBrush(COLOR_WINDOW);
  HBRUSH line = GetSysColorBrush(COLOR_BTNSHADOW);
  for (int32_t c = 0; c < kColumns; ++c) {
    RECT r = HeaderRect(c);
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    FillRect(dc, &r, face);
    InflateRect(&r, -1, -1);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextA(dc, frame.headers[c].c_str(), -1, &r,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
  }
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  for (int32_t row = 0; row < kRows; ++row) {
    for (int32_t c = 0; c < kColumns; ++c) {
      RECT r = CellRect(c, row);
      FillRect(dc, &r, window);
      RECT text = r;
      InflateRect(&text, -2, -2);
      DrawTextA(dc, frame.cells[row * kColumns + c].c_str(), -1, &text,
                DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
      RECT vertical{r.right, r.top, r.right + 1, r.bottom + 1};
      RECT horizontal{r.left, r.bottom, r.right, r.bottom + 1};
      FillRect(dc, &vertical, line);
      FillRect(dc, &horizontal, line);
    }
  }
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  for (int32_t c = 0; c < kColumns; ++c) {
    RECT r = FooterRect(c);
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    FillRect(dc, &r, face);
    InflateRect(&r, -2, -2);
    DrawTextA(dc, "123", -1, &r, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
}

void BM_GridFrameRawGdi(benchmark::State& state) {
  TBitmap bitmap(kWidth, kHeight, pf32bit);
  HDC dc = bitmap.Canvas().Handle();
  for (auto _ : state) {
    PaintFrameWithGdi(dc);
    GdiFlush();
  }
}
BENCHMARK(BM_GridFrameRawGdi)->Unit(benchmark::kMicrosecond);

template <class Painter>
void BM_GridFrameThroughPainter(benchmark::State& state) {
  TBitmap bitmap(kWidth, kHeight, pf32bit);
  TlxCanvas canvas(bitmap.Canvas());
  const TlxCustomLookAndFeelPainter& painter = lxPainter<Painter>();
  for (auto _ : state) {
    PaintFrame(painter, canvas);
    GdiFlush();
  }
}
BENCHMARK(BM_GridFrameThroughPainter<TlxFlatLookAndFeelPainter>)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GridFrameThroughPainter<TlxStandardLookAndFeelPainter>)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GridFrameThroughPainter<TlxUltraFlatLookAndFeelPainter>)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GridFrameThroughPainter<TlxOffice11LookAndFeelPainter>)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GridFrameThroughPainter<TlxWinXPLookAndFeelPainter>)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
