// The table layout's arithmetic with random widths, minimums and heights:
// auto-width shares add up to the width they share unless minimums force
// more (and then every sharing column sits at its minimum), visible rows
// never count more whole rows than partly visible ones nor more rows than
// fit, scroll rectangles stay inside their area, and nothing divides by zero.
#include "tests/grid/fuzz/fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "grid/table_layout_math.h"

namespace {

class TReader {
 public:
  TReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  int32_t Int() {
    uint32_t value = 0;
    const size_t take = size_ - position_ < 4 ? size_ - position_ : 4;
    std::memcpy(&value, data_ + position_, take);
    position_ += take;
    return static_cast<int32_t>(value);
  }
  // Small values most of the time, so that the interesting ranges are hit,
  // and any 32-bit value now and then.
  int32_t Size() {
    const int32_t raw = Int();
    return (raw & 7) == 0 ? raw : (raw >> 3) % 2000;
  }
  uint8_t Byte() { return position_ < size_ ? data_[position_++] : 0; }
  bool AtEnd() const { return position_ >= size_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;
};

void CheckAutoWidths(TReader& reader) {
  const int32_t available = reader.Size();
  const int32_t count = reader.Byte() % 12;
  std::vector<TlxGridAutoWidthColumn> columns;
  for (int32_t i = 0; i < count; ++i)
    columns.push_back({reader.Size(), reader.Size(), (reader.Byte() & 3) == 0});
  const std::vector<int32_t> widths = lxGridAutoWidths(columns, available);
  Check(widths.size() == columns.size(), "a column lost its width");

  int64_t fixed = 0;
  int64_t shared = 0;
  bool all_at_minimum = true;
  for (size_t i = 0; i < columns.size(); ++i) {
    const int32_t min_width = columns[i].MinWidth < 0 ? 0 : columns[i].MinWidth;
    const int32_t width = columns[i].Width < 0 ? 0 : columns[i].Width;
    Check(widths[i] >= 0, "a negative column width");
    if (columns[i].Fixed) {
      Check(widths[i] == width, "a fixed column changed its width");
      fixed += width;
      continue;
    }
    Check(widths[i] >= min_width, "a column below its minimum width");
    shared += widths[i];
    all_at_minimum = all_at_minimum && widths[i] == min_width;
  }
  const int64_t room = int64_t{available < 0 ? 0 : available} - fixed;
  bool any_shared = false;
  int64_t shared_weight = 0;
  for (const TlxGridAutoWidthColumn& column : columns) {
    if (column.Fixed)
      continue;
    any_shared = true;
    shared_weight += column.Width < 0 ? 0 : column.Width;
  }
  if (!any_shared || shared == room)
    return;
  // Minimums may force more than the room; columns without any weight
  // have nothing to share and keep their minimums.
  Check(all_at_minimum, "shares miss the available width while a column is above its minimum");
  Check(shared > room || shared_weight == 0, "shares fall short of the available width");
}

void CheckVisibleRows(TReader& reader) {
  TlxGridVisibleRowsInput input;
  input.ContentTop = reader.Size();
  input.ContentBottom = lxSaturatingAdd(input.ContentTop, reader.Size() & 0xFFFF);
  input.RecordCount = reader.Size();
  input.TopRecordIndex = reader.Size() % 50 - 1;
  input.CalculateDown = (reader.Byte() & 1) == 0;
  std::vector<int32_t> heights(64);
  for (int32_t& height : heights)
    height = reader.Size();
  input.RowHeight = [&](int32_t index) { return heights[static_cast<size_t>(index) % heights.size()]; };
  const uint8_t cut = reader.Byte();
  input.IsRowFullyVisible = [&](int32_t index) { return (cut & 1) == 0 || index % 3 != 0; };

  const TlxGridVisibleRows rows = lxGridCountVisibleRows(input);
  Check(rows.VisibleCount >= 0, "negative visible count");
  Check(rows.VisibleCount <= rows.PartVisibleCount, "more whole rows than partly visible ones");
  int64_t candidates = 0;
  if (input.TopRecordIndex >= 0)
    candidates = input.CalculateDown ? int64_t{input.RecordCount} - input.TopRecordIndex
                                     : int64_t{input.TopRecordIndex} + 1;
  if (candidates <= 0) {
    Check(rows.PartVisibleCount == 0, "rows counted without records");
    return;
  }
  Check(rows.PartVisibleCount <= candidates, "more rows than records");
  Check(rows.VisibleCount >= 1, "no visible row although there are records");
  // The whole rows fit, unless a single row taller than the area counts.
  if (rows.IsFirstRowFullyVisible) {
    int64_t total = 0;
    for (int32_t i = 0; i < rows.VisibleCount; ++i) {
      const int32_t height = input.RowHeight(i);
      total += height < 1 ? 1 : height;
    }
    Check(input.ContentTop + total <= input.ContentBottom, "whole rows overflow the content");
  }

  const int32_t non_records = reader.Size();
  const int32_t row_height = reader.Size();
  (void)lxGridVisibleRowCountEstimate(reader.Size(), non_records, row_height, reader.Size());
  (void)lxGridMaxVisibleRowCount(reader.Size(), row_height);
  const int32_t for_rows = lxGridHeightForRows(reader.Size(), non_records, row_height, input.RecordCount,
                                               (cut & 2) != 0);
  if (row_height <= 0 && non_records >= 0)
    Check(for_rows == non_records, "no row height must take one row of height 0");
}

void CheckScrollRects(TReader& reader) {
  const int32_t left = reader.Size();
  const int32_t top = reader.Size();
  const TRect area(left, top, lxSaturatingAdd(left, reader.Size() & 0x7FFF), lxSaturatingAdd(top, reader.Size() & 0x7FFF));
  const int32_t delta = reader.Size() % 40000;
  const TlxGridScrollRects horizontal = lxGridHScrollRects(area, delta);
  if (!area.IsEmpty() && !horizontal.Repaint.IsEmpty()) {
    Check(horizontal.Repaint.Left >= area.Left && horizontal.Repaint.Right <= area.Right,
          "horizontal repaint strip leaves the rows area");
    const int64_t strip = delta < 0 ? -int64_t{delta} : delta;
    Check(horizontal.Repaint.Width() <= strip, "horizontal repaint strip wider than the scroll");
  }
  TlxGridVScrollInput vertical;
  vertical.DataArea = area;
  vertical.Delta = delta;
  (void)lxGridVScrollRects(vertical);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TReader reader(data, size);
  CheckAutoWidths(reader);
  CheckVisibleRows(reader);
  CheckScrollRects(reader);
  return 0;
}
