// Measures painting through the toolkit against the same drawing made with
// raw GDI calls on one device context, and prints the figures. It asserts
// nothing about speed: machines differ.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/toolkit/form.h"
#include "tests/platform/toolkit/form_fixture.h"

namespace {

constexpr int kControls = 200;
constexpr int kColumns = 20;
constexpr int kCellWidth = 30;
constexpr int kCellHeight = 20;
constexpr int kRepaints = 100;
constexpr int kBatches = 5;

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

// The mean time of one repaint over a batch of kRepaints.
double BatchMilliseconds(HWND window) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kRepaints; ++i)
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  GdiFlush();
  const auto elapsed = std::chrono::steady_clock::now() - start;
  return std::chrono::duration<double, std::milli>(elapsed).count() / kRepaints;
}

// The median of several batches: other processes on the machine slow single
// batches down at random, and the median is the figure that repeats.
double RepaintMilliseconds(HWND window, int batch_count = kBatches) {
  std::vector<double> batches;
  for (int i = 0; i < batch_count; ++i)
    batches.push_back(BatchMilliseconds(window));
  std::sort(batches.begin(), batches.end());
  return batches[batches.size() / 2];
}

template <class CellClass>
double ToolkitRepaint(int batch_count = kBatches) {
  auto form = form_fixture::MakeForm(kColumns * kCellWidth, (kControls / kColumns) * kCellHeight);
  for (int i = 0; i < kControls; ++i) {
    auto* cell = new CellClass(form.get(), i);
    cell->SetBoundsRect(CellBounds(i));
    cell->SetParent(form.get());
  }
  form_fixture::ShowAndSettle(*form);
  BatchMilliseconds(form->Handle());  // warm-up
  return RepaintMilliseconds(form->Handle(), batch_count);
}

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

double RawRepaint(bool clip_each_cell, bool erase_background) {
  g_clip_each_cell = clip_each_cell;
  g_erase_background = erase_background;
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = &RawPaintProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"RawPaintBench";
  RegisterClassW(&window_class);
  HWND window = CreateWindowExW(0, L"RawPaintBench", L"raw", WS_POPUP | WS_VISIBLE, 40, 40,
                                kColumns * kCellWidth, (kControls / kColumns) * kCellHeight, nullptr, nullptr,
                                window_class.hInstance, nullptr);
  form_fixture::Pump();
  BatchMilliseconds(window);  // warm-up
  const double result = RepaintMilliseconds(window);
  DestroyWindow(window);
  return result;
}

TEST(PaintBenchmark, TwoHundredControlsAgainstRawGdi) {
  const double raw = RawRepaint(false, false);
  const double raw_clipped = RawRepaint(true, false);
  const double raw_like_form = RawRepaint(true, true);
  const double graphic = ToolkitRepaint<GraphicCell>();
  // A window per cell costs the system far more than any drawing: one
  // batch gives its order of magnitude.
  const double windowed = ToolkitRepaint<WindowedCell>(1);
  std::printf("repaint of %d cells, median of %d batches of %d:\n"
              "  raw GDI on one DC %.3f ms; with a clip per cell %.3f ms; with a clip per cell and the "
              "background filled %.3f ms\n"
              "  toolkit graphic controls %.3f ms: ratio %.2f to raw, %.2f to clipped raw, %.2f to clipped raw "
              "with background\n"
              "  toolkit windowed controls %.3f ms (one batch): ratio %.2f to raw\n",
              kControls, kBatches, kRepaints, raw, raw_clipped, raw_like_form, graphic, graphic / raw,
              graphic / raw_clipped, graphic / raw_like_form, windowed, windowed / raw);
}

}  // namespace
