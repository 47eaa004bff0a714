#pragma once
// Small drawing helpers that need no device: rectangle margins and the
// reading of a cursor's monochrome mask.

#include <cstdint>
#include <span>

#include "ui/foundation/geometry/geometry.h"

// Left and Top grow by the margins' Left and Top, Right and Bottom shrink by
// the margins' Right and Bottom.
void lxShrinkRect(TRect& rect, const TRect& margins);

// The lowest row (counted from the top, 0-based) of a bottom-up 1-bit image
// block that holds a byte other than `blank`; -1 when every byte is blank.
// `rows_bottom_up` holds whole rows of `bytes_per_row` bytes; a trailing
// partial row is ignored. Throws std::invalid_argument for bytes_per_row <= 0.
int32_t lxLowestMarkedRow(std::span<const uint8_t> rows_bottom_up, int32_t bytes_per_row, uint8_t blank);

// How far a cursor's visible pixels reach below its hot spot, read from its
// 1-bit mask as a bottom-up device-independent image of `mask_height` rows
// of `bytes_per_row` bytes, `mask_width` pixels wide. The AND part is the
// top square of the mask; a mask at least twice as high as wide carries the
// XOR part under it, which is searched when the AND part shows nothing.
// Gives `default_height` when the mask shows no pixel or is malformed.
int32_t lxCursorHeightBelowHotSpotFromMask(std::span<const uint8_t> mask_bits, int32_t mask_width,
                                           int32_t mask_height, int32_t bytes_per_row, int32_t hot_spot_y,
                                           int32_t default_height);
