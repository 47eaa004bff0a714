// Relayout of a multi-line tab control with 200 and 2,000 tabs whose
// captions are measured on one device context, against measuring the same
// captions alone on that context (the baseline, same run). A layout that
// grew faster than the tab count would show as a ratio rising with the
// count. Runs under Wine.
#include <windows.h>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/font.h"
#include "tabs/pc_standard_metrics.h"
#include "tabs/tab.h"
#include "tabs/tab_control_model.h"
#include "tabs/tabs.h"

namespace {

std::vector<std::string> MakeCaptions(int32_t count) {
  static const char* const kWords[] = {"Druckauftrag", "Datei", "Gr\xC3\xB6\xC3\x9F" "e", "Leser", "Fenster",
                                       "Datum", "PDF", "Ansicht", "Spalten", "Vorschau"};
  std::vector<std::string> captions;
  uint32_t seed = 777;
  for (int32_t i = 0; i < count; ++i) {
    seed = seed * 1103515245u + 12345u;
    captions.push_back(std::string(kWords[(seed >> 16) % 10]) + " " + std::to_string(i));
  }
  return captions;
}

// A memory context with a 14-pixel Arial.
class MeasuringContext {
 public:
  MeasuringContext() : bitmap_(16, 16, pf32bit) {
    font_.SetName("Arial");
    font_.SetHeight(-14);
    dc_ = bitmap_.Canvas().Handle();
    SelectObject(dc_, font_.Handle());
  }
  int32_t TextWidth(const std::string& text) const {
    SIZE size{};
    GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
  }

 private:
  TFont font_;
  TBitmap bitmap_;
  HDC dc_ = nullptr;
};

// The standard painter's sizes, captions measured on the context.
class MeasuringPainter : public IlxPCLayoutPainter {
 public:
  MeasuringPainter(TlxTabControlModel& control, const MeasuringContext& context)
      : control_(control), context_(context) {}

  bool CanRotateTabs() const override { return true; }
  std::string GetStyleName() const override { return "Tabs"; }
  bool IsMainTabRowNearPage() const override { return true; }
  bool AllowMultiSelectTabs() const override { return false; }
  bool IsTabButtonLike() const override { return false; }
  void PrepareLayout() override {}
  int32_t CalculateTabNormalWidth(TlxTab& tab) override {
    return lxPCStandardTabNormalWidth(sizes_, -1, context_.TextWidth(tab.Caption()));
  }
  int32_t CalculateTabNormalHeight() override { return lxPCStandardTabNormalHeight(sizes_, 16 + 8); }
  int32_t CaptionWidth(TlxTab& tab) override { return context_.TextWidth(tab.Caption()); }
  int32_t GetMinTabWidth(int32_t visible_index) override { return lxPCStandardMinTabWidth(sizes_, visible_index); }
  void GetTabSpacing(int32_t& along, int32_t& across) override { along = across = 0; }
  void CalculateTabsLayout(TlxPCNavigatorButtons buttons, TlxPCTabsLayout& layout) override {
    TlxPCTabsAreaInput input;
    input.ControlSize = {control_.ControlWidth(), control_.ControlHeight()};
    layout = lxPCStandardTabsLayout(input, buttons);
  }
  TRect GetTabRectCorrection(int32_t) override { return {}; }
  TRect GetPageClientRect() override { return Bounds(0, 0, control_.ControlWidth(), control_.ControlHeight()); }
  bool IsPointInTab(int32_t, int32_t, int32_t) override { return true; }
  void RepaintTab(int32_t, TlxPCTabChangeKind) override {}
  void RepaintButton(TlxPCNavigatorButton, TlxPCNavigatorButtonState) override {}

 private:
  TlxTabControlModel& control_;
  const MeasuringContext& context_;
  TlxPCTabSizeInput sizes_;
};

void BM_MultiLineRelayout(benchmark::State& state) {
  const std::vector<std::string> captions = MakeCaptions(static_cast<int32_t>(state.range(0)));
  MeasuringContext context;
  TlxTabControlModel control;
  MeasuringPainter painter(control, context);
  control.SetLayoutPainter(&painter);
  control.SetLoading(true);
  for (const std::string& caption : captions)
    control.Tabs().Add(caption);
  control.SetLoading(false);
  control.SetMultiLine(true);
  control.SetControlSize(640, 480);
  for (auto _ : state) {
    control.RecalculateLayout();
    benchmark::DoNotOptimize(control.RowCount());
  }
  state.counters["rows"] = control.RowCount();
}
BENCHMARK(BM_MultiLineRelayout)->Arg(200)->Arg(2000);

void BM_MultiLineRelayoutBaseline(benchmark::State& state) {
  const std::vector<std::string> captions = MakeCaptions(static_cast<int32_t>(state.range(0)));
  MeasuringContext context;
  for (auto _ : state) {
    int32_t total = 0;
    for (const std::string& caption : captions)
      total += context.TextWidth(caption);
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(BM_MultiLineRelayoutBaseline)->Arg(200)->Arg(2000);

}  // namespace

BENCHMARK_MAIN();
