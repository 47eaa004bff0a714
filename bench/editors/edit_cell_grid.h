#pragma once
// The grid of window-less cells the editor benchmarks paint: 10,000 cells,
// 60 by 18 pixels, wrapping over one 10 by 10 bitmap.

#include <cstdint>

#include "platform/rtl/geometry.h"

namespace edit_cell_bench {

constexpr int32_t kCells = 10000;
constexpr int32_t kCellWidth = 60;
constexpr int32_t kCellHeight = 18;
constexpr int32_t kColumns = 10;
constexpr int32_t kRows = 10;
constexpr int32_t kBitmapWidth = kColumns * kCellWidth;
constexpr int32_t kBitmapHeight = kRows * kCellHeight;

inline TRect CellRect(int32_t index) {
  const int32_t column = index % kColumns;
  const int32_t row = (index / kColumns) % kRows;
  return TRect(column * kCellWidth, row * kCellHeight, (column + 1) * kCellWidth, (row + 1) * kCellHeight);
}

}  // namespace edit_cell_bench
