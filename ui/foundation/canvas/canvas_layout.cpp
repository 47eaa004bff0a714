#include "ui/foundation/canvas/canvas_layout.h"

#include <algorithm>

namespace {

// Division rounded toward minus infinity, so that tile -1 covers -w..0.
int32_t FloorDiv(int32_t value, int32_t divisor) {
  const int32_t quotient = value / divisor;
  return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

// The index of the tile that holds the last pixel before `end`.
int32_t LastTileBefore(int32_t end, int32_t size) { return FloorDiv(end - 1, size); }

}  // namespace

std::vector<TlxTilePart> lxTileParts(const TRect& rect, int32_t tile_width, int32_t tile_height) {
  std::vector<TlxTilePart> parts;
  if (rect.IsEmpty() || tile_width <= 0 || tile_height <= 0)
    return parts;
  const int32_t first_row = FloorDiv(rect.Top, tile_height);
  const int32_t last_row = LastTileBefore(rect.Bottom, tile_height);
  const int32_t first_column = FloorDiv(rect.Left, tile_width);
  const int32_t last_column = LastTileBefore(rect.Right, tile_width);
  for (int32_t row = first_row; row <= last_row; ++row) {
    for (int32_t column = first_column; column <= last_column; ++column) {
      const int32_t tile_left = column * tile_width;
      const int32_t tile_top = row * tile_height;
      const TRect dest(std::max(rect.Left, tile_left), std::max(rect.Top, tile_top),
                       std::min(rect.Right, tile_left + tile_width), std::min(rect.Bottom, tile_top + tile_height));
      const TRect source(dest.Left - tile_left, dest.Top - tile_top, dest.Right - tile_left, dest.Bottom - tile_top);
      parts.push_back({dest, source});
    }
  }
  return parts;
}

TRect lxFrameSideBand(const TRect& rect, uint8_t side, int32_t width) {
  width = std::max(width, 0);
  switch (side) {
    case lxFrameSideLeft:
      return TRect(rect.Left, rect.Top, std::min(rect.Left + width, rect.Right), rect.Bottom);
    case lxFrameSideTop:
      return TRect(rect.Left, rect.Top, rect.Right, std::min(rect.Top + width, rect.Bottom));
    case lxFrameSideRight:
      return TRect(std::max(rect.Right - width, rect.Left), rect.Top, rect.Right, rect.Bottom);
    case lxFrameSideBottom:
      return TRect(rect.Left, std::max(rect.Bottom - width, rect.Top), rect.Right, rect.Bottom);
    default:
      return TRect();
  }
}

TRect lxRectInsideFrame(const TRect& rect, uint8_t sides, int32_t width) {
  TRect inside = rect;
  if ((sides & lxFrameSideLeft) != 0)
    inside.Left += width;
  if ((sides & lxFrameSideTop) != 0)
    inside.Top += width;
  if ((sides & lxFrameSideRight) != 0)
    inside.Right -= width;
  if ((sides & lxFrameSideBottom) != 0)
    inside.Bottom -= width;
  return inside;
}

TRect lxAlignMeasuredTextRect(const TRect& measured, const TRect& given, bool center_x, bool right, bool center_y,
                              bool bottom) {
  int32_t dx = 0;
  int32_t dy = 0;
  const int32_t width_left = given.Width() - measured.Width();
  const int32_t height_left = given.Height() - measured.Height();
  if (center_x)
    dx = width_left / 2;
  else if (right)
    dx = width_left;
  if (center_y)
    dy = height_left / 2;
  else if (bottom)
    dy = height_left;
  return TRect(measured.Left + dx, measured.Top + dy, measured.Right + dx, measured.Bottom + dy);
}

TPoint lxPlaceSingleLineText(const TRect& rect, int32_t text_width, int32_t text_height, bool right, bool center_x,
                             bool bottom, bool center_y, int32_t offset) {
  TPoint place(rect.Left, rect.Top);
  if (text_width < rect.Width()) {
    if (right)
      place.X = rect.Right - text_width - offset;
    else if (center_x)
      place.X = (rect.Left + rect.Right - text_width) / 2;
  }
  if (text_height < rect.Height()) {
    if (bottom)
      place.Y = rect.Bottom - text_height - offset;
    else if (center_y)
      place.Y = (rect.Top + rect.Bottom - text_height) / 2;
  }
  return place;
}
