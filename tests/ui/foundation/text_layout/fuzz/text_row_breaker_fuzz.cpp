// The row breaker on any UTF-16 text with any flags and rectangle: rows
// must stay inside the text, cover it in order, and the layout must end.
// Input: 4 bytes of flags, 2 bytes each of width, height and row limit,
// then the text as UTF-16 code units.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "tests/ui/foundation/text_layout/fixed_width_measurer.h"
#include "ui/foundation/text_layout/text_arrangement.h"
#include "ui/foundation/text_layout/text_breaking.h"

namespace {

template <class T>
T Take(const uint8_t*& data, size_t& size) {
  T value{};
  if (size >= sizeof value) {
    std::memcpy(&value, data, sizeof value);
    data += sizeof value;
    size -= sizeof value;
  }
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto flags = Take<uint32_t>(data, size);
  const auto width = static_cast<int16_t>(Take<uint16_t>(data, size));
  const auto height = static_cast<int16_t>(Take<uint16_t>(data, size));
  const auto max_rows = static_cast<int32_t>(Take<uint8_t>(data, size) % 40);
  std::u16string text(size / 2, u'\0');
  std::memcpy(text.data(), data, text.size() * 2);

  FixedWidthMeasurer measurer;
  TlxTextFontMetrics metrics;
  metrics.Height = (flags >> 26) % 20;
  metrics.EllipsisWidth = 30;
  const TlxTextLayoutParams params = lxMakeTextParams(metrics, flags);
  const TRect rect(-7, 3, -7 + width, 3 + height);
  TlxTextRows rows;
  int32_t count = 0;
  lxMakeTextRows(measurer, text.data(), static_cast<int32_t>(text.size()), rect, params, rows, count, max_rows);
  if (count < 0 || count > static_cast<int32_t>(text.size()) || count != lxGetTextRowCount(rows))
    __builtin_trap();
  int32_t previous_end = 0;
  for (int32_t i = 0; i < count; ++i) {
    const TlxTextRowInfo& row = lxGetTextRow(rows, i);
    if (row.Length < 0 || row.StartOffset < previous_end ||
        row.StartOffset + row.Length > static_cast<int32_t>(text.size()) || row.Text != text.data() + row.StartOffset)
      __builtin_trap();
    previous_end = row.StartOffset + row.Length;
  }
  lxArrangeTextRows(rect, params, rows, count);
  const auto start = static_cast<int64_t>(static_cast<int32_t>(flags)) % 50;
  lxPlanTextRows(measurer, rect, params, rows, count, start, static_cast<int64_t>(width), count % 2 == 0);
  TRect measured = rect;
  TlxTextRows block_rows;
  lxLayoutTextBlock(measurer, text, measured, params, block_rows, max_rows, height % 5, width % 5);
  return 0;
}
