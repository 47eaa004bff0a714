// Painting 200 cells through the toolkit against the same drawing made with
// raw GDI calls in one window's WM_PAINT. The baseline draws as a form
// draws its children: a clip and origin per cell, background filled first.

#include <benchmark/benchmark.h>

#include <windows.h>

#include <string>

#include "platform/toolkit/form.h"
#include "tests/platform/toolkit/form_fixture.h"

namespace {

constexpr int kControls = 200;
constexpr int kColumns = 20;
constexpr int kCellWidth = 30;
constexpr int kCellHeight = 20;

TRect CellBounds(int index) {
  return Bounds((index % kColumns) * kCellWidth, (index / kColumns) * kCellHeight, kCellWidth, kCellHeight);
}

TColor CellColor(int index) { return RGBColor(static_cast<uint8_t>(index), 0x80, static_cast<uint8_t>(255 - index)); }

// One cell: a filled, framed rectangle with a number in it.
template <class Base>
class Cell : public Base {
 public:
  Cell(TComponent* owner, int index) : Base(owner), index_(index), label_(std::to_string(index)) {}

 protected:
  void Paint() override {
    TCanvas& canvas = this->Canvas();
    canvas.Brush().SetColor(CellColor(index_));
    canvas.Pen().SetColor(clBlack);
    canvas.Rectangle(0, 0, kCellWidth, kCellHeight);
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetColor(clWhite);
    canvas.TextOut(3, 3, label_);
  }

 private:
  int index_;
  std::string label_;
};

using GraphicCell = Cell<TGraphicControl>;
using WindowedCell = Cell<TCustomControl>;

// One repaint of the whole window, drawn before it returns.
void Repaint(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  GdiFlush();
}

void MeasureRepaints(benchmark::State& state, HWND window) {
  Repaint(window);  // warm-up: fonts and brushes made once
  for (auto _ : state)
    Repaint(window);
}

template <class CellClass>
void BM_Repaint_Toolkit(benchmark::State& state) {
  auto form = form_fixture::MakeForm(kColumns * kCellWidth, (kControls / kColumns) * kCellHeight);
  for (int i = 0; i < kControls; ++i) {
    auto* cell = new CellClass(form.get(), i);
    cell->SetBoundsRect(CellBounds(i));
    cell->SetParent(form.get());
  }
  form_fixture::ShowAndSettle(*form);
  MeasureRepaints(state, form->Handle());
}
// A window per cell costs the system far more than any drawing.
BENCHMARK_TEMPLATE(BM_Repaint_Toolkit, GraphicCell)->Name("BM_Repaint_ToolkitGraphicControls")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Repaint_Toolkit, WindowedCell)->Name("BM_Repaint_ToolkitWindowedControls")
    ->Unit(benchmark::kMillisecond);

// The same cells drawn by hand in one window's WM_PAINT; with
// `g_clip_each_cell` each cell also gets its own origin and clip, as any
// child drawn by its parent needs, and with `g_erase_background` the window
// fills its background first, as a form does.
bool g_clip_each_cell = false;
bool g_erase_background = false;

LRESULT CALLBACK RawPaintProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_ERASEBKGND) {
    if (g_erase_background) {
      RECT client{};
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wparam), &client, GetSysColorBrush(COLOR_BTNFACE));
    }
    return 1;
  }
  if (message != WM_PAINT)
    return DefWindowProcW(window, message, wparam, lparam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma");
  HGDIOBJ old_font = SelectObject(dc, font);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  HGDIOBJ old_pen = SelectObject(dc, pen);
  SetTextColor(dc, RGB(255, 255, 255));
  SetBkMode(dc, TRANSPARENT);
  for (int i = 0; i < kControls; ++i) {
    TRect cell = CellBounds(i);
    POINT origin{};
    HRGN saved_clip = nullptr;
    if (g_clip_each_cell) {
      saved_clip = CreateRectRgn(0, 0, 0, 0);
      GetClipRgn(dc, saved_clip);
      SetViewportOrgEx(dc, cell.Left, cell.Top, &origin);
      IntersectClipRect(dc, 0, 0, cell.Width(), cell.Height());
      cell = cell.Offset(-cell.Left, -cell.Top);
    }
    HBRUSH brush = CreateSolidBrush(ColorToColorRef(CellColor(i)));
    HGDIOBJ old_brush = SelectObject(dc, brush);
    Rectangle(dc, cell.Left, cell.Top, cell.Right, cell.Bottom);
    SelectObject(dc, old_brush);
    DeleteObject(brush);
    const std::wstring label = std::to_wstring(i);
    TextOutW(dc, cell.Left + 3, cell.Top + 3, label.c_str(), static_cast<int>(label.size()));
    if (g_clip_each_cell) {
      SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
      SelectClipRgn(dc, nullptr);
      DeleteObject(saved_clip);
    }
  }
  SelectObject(dc, old_pen);
  SelectObject(dc, old_font);
  DeleteObject(pen);
  DeleteObject(font);
  EndPaint(window, &paint);
  return 0;
}

// Arguments: a clip and origin per cell (0 or 1), the background filled (0 or 1).
void BM_Repaint_RawGdi(benchmark::State& state) {
  g_clip_each_cell = state.range(0) != 0;
  g_erase_background = state.range(1) != 0;
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = &RawPaintProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"RawPaintBench";
  RegisterClassW(&window_class);
  HWND window = CreateWindowExW(0, L"RawPaintBench", L"raw", WS_POPUP | WS_VISIBLE, 40, 40,
                                kColumns * kCellWidth, (kControls / kColumns) * kCellHeight, nullptr, nullptr,
                                window_class.hInstance, nullptr);
  if (window == nullptr) {
    state.SkipWithError("no window");
    return;
  }
  form_fixture::Pump();
  MeasureRepaints(state, window);
  DestroyWindow(window);
}
BENCHMARK(BM_Repaint_RawGdi)->Name("BM_Repaint_RawGdiOneDc")->Args({0, 0})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Repaint_RawGdi)->Name("BM_Repaint_RawGdiClipPerCell")->Args({1, 0})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Repaint_RawGdi)->Name("BM_Repaint_RawGdiLikeForm_Baseline")->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
