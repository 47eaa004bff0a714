// Multi-row text: 20,000 characters of words broken into a 300-pixel column
// and drawn, by the library's text output and, as the baseline in the same
// run, by the system's DrawTextW with DT_WORDBREAK on the same device
// context. Runs under Wine.
#include <windows.h>

#include <benchmark/benchmark.h>

#include <string>

#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/font.h"
#include "ui/foundation/text_layout/text_layout_win.h"

namespace {

constexpr int32_t kCharacters = 20000;
constexpr int32_t kColumnWidth = 300;
// Tall enough for every row, so that both draw all of them.
constexpr int32_t kColumnHeight = 12000;

std::u16string MakeText() {
  static const char16_t* const kWords[] = {u"Druckauftrag", u"und", u"Datei", u"Gr\u00F6\u00DFe", u"der",
                                           u"Leser", u"wartet", u"auf", u"das", u"Fenster", u"Datum", u"PDF"};
  std::u16string text;
  uint32_t seed = 12345;
  while (static_cast<int32_t>(text.size()) < kCharacters) {
    seed = seed * 1103515245u + 12345u;
    text += kWords[(seed >> 16) % 12];
    text += (seed >> 8) % 17 == 0 ? u"\r\n" : u" ";
  }
  text.resize(kCharacters);
  return text;
}

// A memory context with a 32-bit column bitmap and a 14-pixel Arial.
class Column {
 public:
  Column() : bitmap_(kColumnWidth, kColumnHeight, pf32bit) {
    font_.SetName("Arial");
    font_.SetHeight(-14);
    dc_ = bitmap_.Canvas().Handle();
    SelectObject(dc_, font_.Handle());
    SetBkMode(dc_, TRANSPARENT);
  }
  HDC Dc() const { return dc_; }

 private:
  TFont font_;
  TBitmap bitmap_;
  HDC dc_ = nullptr;
};

void BM_TextOutWide(benchmark::State& state) {
  const std::u16string text = MakeText();
  Column column;
  for (auto _ : state) {
    TRect rect(0, 0, kColumnWidth, kColumnHeight);
    benchmark::DoNotOptimize(lxTextOutWide(column.Dc(), text, rect, lxtoWordBreak, 0, 0, nullptr, clDefault,
                                           clDefault, 0, 0, 0, clBlack));
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kCharacters);
}
BENCHMARK(BM_TextOutWide)->Unit(benchmark::kMillisecond);

void BM_DrawTextWWordBreak(benchmark::State& state) {
  std::u16string text = MakeText();
  Column column;
  for (auto _ : state) {
    RECT rect{0, 0, kColumnWidth, kColumnHeight};
    benchmark::DoNotOptimize(DrawTextW(column.Dc(), reinterpret_cast<WCHAR*>(text.data()),
                                       static_cast<int>(text.size()), &rect, DT_WORDBREAK | DT_NOPREFIX));
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kCharacters);
}
BENCHMARK(BM_DrawTextWWordBreak)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
