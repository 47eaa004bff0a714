// The texts of the file list's size and date cells: 1,000,000 sizes shown
// through the currency editor's display conversion ("0,.###", German) and
// 1,000,000 date-times through the date editor's, against the least any
// formatter must do: std::to_chars with three fixed decimals plus grouping,
// and DecodeDate/DecodeTime plus snprintf.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "data/date_arithmetic.h"
#include "editors/kinds/currency_edit_properties.h"
#include "editors/kinds/date_edit_properties.h"
#include "platform/rtl/date_time.h"
#include "platform/rtl/locale.h"

namespace {

constexpr int32_t kValueCount = 1'000'000;

const std::vector<double>& Sizes() {
  static const std::vector<double> sizes = [] {
    std::vector<double> values;
    values.reserve(kValueCount);
    uint64_t seed = 12345;
    for (int32_t i = 0; i < kValueCount; ++i) {
      seed = seed * 6364136223846793005u + 1442695040888963407u;
      const double size = static_cast<double>(seed >> 40);  // up to ~16 million
      values.push_back(i % 4 == 0 ? size + 0.5 : size);
    }
    return values;
  }();
  return sizes;
}

const std::vector<TDateTime>& DateTimes() {
  static const std::vector<TDateTime> dates = [] {
    std::vector<TDateTime> values;
    values.reserve(kValueCount);
    const TDateTime start = EncodeDate(2009, 3, 3);
    for (int32_t i = 0; i < kValueCount; ++i) {
      // Whole seconds; every eighth file at midnight.
      const int64_t seconds = (static_cast<int64_t>(i) * 7919) % 86400;
      values.push_back(start + i % 5000 + (i % 8 == 0 ? 0.0 : static_cast<double>(seconds) / 86400.0));
    }
    return values;
  }();
  return dates;
}

// Three decimals, trailing zeros and a bare separator dropped, thousands
// grouped: what "0,.###" writes, done by hand.
void AppendGroupedSize(std::string& out, double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
  std::string_view text(buffer, static_cast<size_t>(result.ptr - buffer));
  const size_t point = text.find('.');
  std::string_view integer = text.substr(0, point);
  std::string_view fraction = text.substr(point + 1);
  while (!fraction.empty() && fraction.back() == '0')
    fraction.remove_suffix(1);
  for (size_t i = 0; i < integer.size(); ++i) {
    if (i > 0 && (integer.size() - i) % 3 == 0)
      out += '.';
    out += integer[i];
  }
  if (!fraction.empty()) {
    out += ',';
    out += fraction;
  }
}

void BM_SizeTextBaseline(benchmark::State& state) {
  std::string text;
  for (auto _ : state) {
    for (double size : Sizes()) {
      text.clear();
      AppendGroupedSize(text, size);
      benchmark::DoNotOptimize(text.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * kValueCount);
}

void BM_SizeText(benchmark::State& state) {
  TScopedLocale german("de-DE");
  TlxCurrencyEditProperties properties(nullptr);
  properties.SetDisplayFormat("0,.###");
  Variant display;
  for (auto _ : state) {
    for (double size : Sizes()) {
      properties.ConvertToDisplayValue(Variant(size), display, false);
      benchmark::DoNotOptimize(display);
    }
  }
  state.SetItemsProcessed(state.iterations() * kValueCount);
}

void BM_DateTimeTextBaseline(benchmark::State& state) {
  char buffer[64];
  for (auto _ : state) {
    for (TDateTime date : DateTimes()) {
      uint16_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
      DecodeDate(date, year, month, day);
      DecodeTime(date, hour, minute, second, millisecond);
      if (hour == 0 && minute == 0 && second == 0)
        std::snprintf(buffer, sizeof buffer, "%02u.%02u.%04u", day, month, year);
      else
        std::snprintf(buffer, sizeof buffer, "%02u.%02u.%04u %02u:%02u:%02u", day, month, year, hour, minute,
                      second);
      benchmark::DoNotOptimize(buffer);
    }
  }
  state.SetItemsProcessed(state.iterations() * kValueCount);
}

void BM_DateTimeText(benchmark::State& state) {
  TScopedLocale german("de-DE");
  TlxDateEditProperties properties(nullptr);
  Variant display;
  for (auto _ : state) {
    for (TDateTime date : DateTimes()) {
      properties.ConvertToDisplayValue(Variant::FromDate(date), display, false);
      benchmark::DoNotOptimize(display);
    }
  }
  state.SetItemsProcessed(state.iterations() * kValueCount);
}

BENCHMARK(BM_SizeTextBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SizeText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DateTimeTextBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DateTimeText)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
