// Scrolling a TlxControl over 100,000 rows of 16 px by single steps: each
// step shifts the window contents and paints the uncovered row through the
// flat painter. The baseline does the same on a plain window with
// ScrollWindowEx and raw GDI.
#include <benchmark/benchmark.h>
#include <windows.h>

#include <string>

#include "platform/toolkit/form.h"
#include "tests/support/message_pump.h"
#include "ui/foundation/controls/control_win.h"
#include "ui/foundation/painters/standard_painters_win.h"

namespace {

constexpr int32_t kRowCount = 100000;
constexpr int32_t kRowHeight = 16;
constexpr int32_t kWidth = 300;
constexpr int32_t kHeight = 320;
constexpr int kSteps = 1000;

std::string RowText(int32_t row) { return "Datei_" + std::to_string(row) + ".pdf"; }

class RowsControl : public TlxControl {
 public:
  explicit RowsControl(TComponent* owner) : TlxControl(owner) {}

  void InitScrollBarsParams() override {
    const TRect client = GetClientBounds();
    SetScrollBarParams(sbVertical, 0, kRowCount - 1, 1, client.Height() / kRowHeight, top_row_, true, true);
    SetScrollBarParams(sbHorizontal, 0, 0, 1, 1, 0, true, true);
  }
  void ScrollContent(TScrollBarKind kind, TScrollCode code, int32_t& /*position*/) override {
    if (kind != sbVertical)
      return;
    const int32_t delta = code == scLineDown ? 1 : (code == scLineUp ? -1 : 0);
    if (delta == 0 || top_row_ + delta < 0 || top_row_ + delta >= kRowCount)
      return;
    top_row_ += delta;
    ScrollClientArea(0, -delta * kRowHeight, GetClientBounds());
  }

 protected:
  void Paint() override {
    const TlxFlatLookAndFeelPainter& painter = StatelessInstance<TlxFlatLookAndFeelPainter>();
    const TRect client = GetClientBounds();
    RECT clip{};
    GetClipBox(Canvas().Handle(), &clip);
    for (int32_t y = (clip.top / kRowHeight) * kRowHeight; y < clip.bottom && y < client.Bottom; y += kRowHeight) {
      const TRect row(0, y, client.Right, y + kRowHeight);
      painter.PaintButton(Canvas(), row, RowText(top_row_ + y / kRowHeight), lxbsNormal);
    }
  }

 private:
  int32_t top_row_ = 0;
};

void BM_ScrollStepThroughControl(benchmark::State& state) {
  auto* form = new TForm(nullptr);
  form->SetBounds(20, 20, kWidth + 40, kHeight + 60);
  auto* control = new RowsControl(form);
  control->SetParent(form);
  control->SetBounds(0, 0, kWidth, kHeight);
  form->Show();
  control->UpdateScrollBars();
  test_support::PumpMessagesUntilIdle();
  bool down = true;
  for (auto _ : state) {
    for (int step = 0; step < kSteps; ++step)
      control->ScrollStep(down ? dirDown : dirUp);
    down = !down;
  }
  form->Free();
  test_support::PumpMessagesUntilIdle();
}

// --- the baseline: a plain window, ScrollWindowEx and raw GDI -------------

int32_t plain_top_row = 0;

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_PAINT)
    return DefWindowProcW(window, message, wparam, lparam);
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  RECT client{};
  GetClientRect(window, &client);
  for (LONG y = (paint.rcPaint.top / kRowHeight) * kRowHeight; y < paint.rcPaint.bottom; y += kRowHeight) {
    RECT row{0, y, client.right, y + kRowHeight};
    FillRect(dc, &row, GetSysColorBrush(COLOR_BTNFACE));
    FrameRect(dc, &row, GetSysColorBrush(COLOR_BTNSHADOW));
    const std::string text = RowText(plain_top_row + y / kRowHeight);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &row, DT_SINGLELINE | DT_VCENTER);
  }
  EndPaint(window, &paint);
  return 0;
}

void BM_ScrollStepBaseline(benchmark::State& state) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = PlainWindowProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"LxScrollStepBaseline";
  window_class.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  RegisterClassW(&window_class);
  HWND window = CreateWindowExW(0, L"LxScrollStepBaseline", L"", WS_POPUP | WS_VISIBLE, 20, 20, kWidth, kHeight,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  UpdateWindow(window);
  bool down = true;
  for (auto _ : state) {
    for (int step = 0; step < kSteps; ++step) {
      const int32_t delta = down ? 1 : -1;
      plain_top_row += delta;
      RECT client{};
      GetClientRect(window, &client);
      ScrollWindowEx(window, 0, -delta * kRowHeight, &client, &client, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
      UpdateWindow(window);
    }
    down = !down;
  }
  DestroyWindow(window);
  UnregisterClassW(L"LxScrollStepBaseline", GetModuleHandleW(nullptr));
}

}  // namespace

BENCHMARK(BM_ScrollStepBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollStepThroughControl)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
