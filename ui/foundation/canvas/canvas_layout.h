#pragma once
// The geometry behind the canvas's fills, frames and text placement, kept
// apart from the drawing so that it can be checked on its own.

#include <cstdint>
#include <vector>

#include "ui/foundation/geometry/geometry.h"

// One piece of a tiled fill: where it goes and which part of the tile
// bitmap it shows.
struct TlxTilePart {
  TRect Dest;
  TRect Source;
  bool operator==(const TlxTilePart&) const = default;
};

// The pieces that tile `rect` with a tile_width x tile_height bitmap laid
// from the canvas origin, row by row. Empty for an empty rectangle or tile.
// Tiles left of or above the origin start at multiples of the tile size
// too, so negative coordinates are covered without a gap.
std::vector<TlxTilePart> lxTileParts(const TRect& rect, int32_t tile_width, int32_t tile_height);

// The sides of a frame as FrameRectSides takes them.
constexpr uint8_t lxFrameSideLeft = 1;
constexpr uint8_t lxFrameSideTop = 2;
constexpr uint8_t lxFrameSideRight = 4;
constexpr uint8_t lxFrameSideBottom = 8;

// The band of `width` pixels inside `rect` along one side (one of the
// lxFrameSide... values), never reaching beyond the rectangle.
TRect lxFrameSideBand(const TRect& rect, uint8_t side, int32_t width);

// `rect` shrunk by `width` on each side in `sides`.
TRect lxRectInsideFrame(const TRect& rect, uint8_t sides, int32_t width);

// A rectangle that text measuring returned at the top-left of `given`,
// moved back inside it as the alignment asks: by half the difference for
// centring (rounded toward zero), by the whole for right or bottom.
TRect lxAlignMeasuredTextRect(const TRect& measured, const TRect& given, bool center_x, bool right, bool center_y,
                              bool bottom);

// The top-left corner of a single line of `text_width` x `text_height`
// placed in `rect`. Alignment only applies where the text is smaller than
// the rectangle; `offset` is the one-pixel room of embossed (disabled) text
// kept free at the right and bottom.
TPoint lxPlaceSingleLineText(const TRect& rect, int32_t text_width, int32_t text_height, bool right, bool center_x,
                             bool bottom, bool center_y, int32_t offset);
