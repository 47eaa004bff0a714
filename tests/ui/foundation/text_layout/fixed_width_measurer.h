#pragma once
// A measurer for layout tests: every character is 10 pixels wide and 16
// high, a tab reaches the next multiple of 80 when tabs are expanded.

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "ui/foundation/text_layout/text_measurer.h"

class FixedWidthMeasurer : public IlxTextMeasurer {
 public:
  static constexpr int32_t kCharWidth = 10;
  static constexpr int32_t kHeight = 16;
  static constexpr int32_t kTabStop = 80;

  TSize MeasureText(std::u16string_view text, bool expand_tabs) override {
    int64_t width = 0;
    for (char16_t c : text)
      width = c == u'\t' && expand_tabs ? (width / kTabStop + 1) * kTabStop : width + kCharWidth;
    return TSize(static_cast<int32_t>(std::min<int64_t>(width, 1 << 30)), kHeight);
  }
  int32_t FitCharacters(std::u16string_view text, int32_t max_width) override {
    return static_cast<int32_t>(std::min<int64_t>(static_cast<int64_t>(text.size()), std::max(max_width, 0) / kCharWidth));
  }
  bool IsMultiByteInAnsiCodePage(char16_t) override { return false; }
};
