#include "ui/foundation/canvas/draw_helpers.h"

#include <stdexcept>

#include "ui/foundation/geometry/rect_functions.h"

void lxShrinkRect(TRect& rect, const TRect& margins) { rect = lxRectContent(rect, margins); }

int32_t lxLowestMarkedRow(std::span<const uint8_t> rows_bottom_up, int32_t bytes_per_row, uint8_t blank) {
  if (bytes_per_row <= 0) throw std::invalid_argument("lxLowestMarkedRow: bytes per row must be positive");
  const size_t row_bytes = static_cast<size_t>(bytes_per_row);
  const size_t row_count = rows_bottom_up.size() / row_bytes;
  // Bottom-up storage: the first stored row is the lowest one on screen.
  for (size_t stored_row = 0; stored_row < row_count; ++stored_row) {
    const auto row = rows_bottom_up.subspan(stored_row * row_bytes, row_bytes);
    for (const uint8_t byte : row) {
      if (byte != blank) return static_cast<int32_t>(row_count - 1 - stored_row);
    }
  }
  return -1;
}

int32_t lxCursorHeightBelowHotSpotFromMask(std::span<const uint8_t> mask_bits, int32_t mask_width,
                                           int32_t mask_height, int32_t bytes_per_row, int32_t hot_spot_y,
                                           int32_t default_height) {
  if (mask_width <= 0 || mask_height < mask_width || bytes_per_row <= 0) return default_height;
  const size_t square_bytes = static_cast<size_t>(mask_width) * static_cast<size_t>(bytes_per_row);
  const size_t needed = static_cast<size_t>(mask_height) * static_cast<size_t>(bytes_per_row);
  if (mask_bits.size() < needed) return default_height;
  const auto image = mask_bits.first(needed);

  // The AND part is the top square, which a bottom-up image stores last.
  int32_t lowest = lxLowestMarkedRow(image.last(square_bytes), bytes_per_row, 0xFF);
  if (lowest < 0 && mask_height >= 2 * mask_width) {
    // A monochrome cursor drawn only by inversion shows in its XOR part,
    // the square under the AND part.
    const size_t xor_offset = needed - 2 * square_bytes;
    lowest = lxLowestMarkedRow(image.subspan(xor_offset, square_bytes), bytes_per_row, 0x00);
  }
  if (lowest < 0) return default_height;
  return lowest + 1 - hot_spot_y;
}
