#include "ui/foundation/controls/popup_placement.h"

#include <algorithm>
#include <cstdint>

namespace {

// Owner rectangles come from anywhere (a control scrolled far off, a
// monitor that is gone): the arithmetic runs in 64 bits and the result is
// brought back into the 32-bit range.
int32_t Narrow(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

struct SidePlacement {
  TPoint position;
  TPoint anchor;  // chooses the monitor
};

// Centring first, then the sides, for the alignments given; an axis that
// is centred keeps its centred value.
SidePlacement PlaceAtSides(const TRect& owner, const TSize& size, TlxPopupHorzAlignment h, TlxPopupVertAlignment v,
                           TlxPopupOpenDirection direction) {
  SidePlacement placement;
  if (h == phaCenter)
    placement.position.X = placement.anchor.X = Narrow((int64_t{owner.Left} + owner.Right - size.cx) / 2);
  if (v == pvaCenter)
    placement.position.Y = placement.anchor.Y = Narrow((int64_t{owner.Top} + owner.Bottom - size.cy) / 2);

  const bool beside = direction == podHorizontal;
  if (h == phaLeft) {
    placement.position.X = beside ? Narrow(int64_t{owner.Left} - size.cx) : owner.Left;
    placement.anchor.X = owner.Left;
  } else if (h == phaRight) {
    placement.position.X = beside ? owner.Right : Narrow(int64_t{owner.Right} - size.cx);
    placement.anchor.X = owner.Right;
  }
  if (v == pvaTop) {
    placement.position.Y = beside ? owner.Top : Narrow(int64_t{owner.Top} - size.cy);
    placement.anchor.Y = owner.Top;
  } else if (v == pvaBottom) {
    placement.position.Y = beside ? Narrow(int64_t{owner.Bottom} - size.cy) : owner.Bottom;
    placement.anchor.Y = owner.Bottom;
  }
  return placement;
}

// Shifts [start, start + length) into [low, high), the low edge winning.
int32_t ShiftInto(int32_t start, int32_t length, int32_t low, int32_t high) {
  int64_t shifted = start;
  if (shifted + length > high)
    shifted = int64_t{high} - length;
  if (shifted < low)
    shifted = low;
  return Narrow(shifted);
}

}  // namespace

int32_t lxPopupFrameWidth(TlxPopupFrameStyle style) {
  switch (style) {
    case pfsLine:
    case pfsEdge:
      return 1;
    case pfsDoubleEdge:
      return 2;
    case pfsNone:
      break;
  }
  return 0;
}

TPoint lxCalcPopupPosition(const TRect& owner, const TSize& size, const TlxPopupPlacement& placement,
                           const TlxWorkAreaAtPoint& work_area_at) {
  TlxPopupHorzAlignment h = placement.HorzAlignment;
  TlxPopupVertAlignment v = placement.VertAlignment;
  const TlxPopupOpenDirection direction = placement.OpenDirection;

  SidePlacement side = PlaceAtSides(owner, size, h, v, direction);
  const TRect area = work_area_at(side.anchor);

  if (direction == podVertical) {
    const int64_t room_above = int64_t{owner.Top} - area.Top;
    const int64_t room_below = int64_t{area.Bottom} - owner.Bottom;
    if (v == pvaBottom && int64_t{side.position.Y} + size.cy > area.Bottom && room_above > room_below)
      v = pvaTop;
    else if (v == pvaTop && side.position.Y < area.Top && !(room_above > room_below))
      v = pvaBottom;
  } else {
    const int64_t room_left = int64_t{owner.Left} - area.Left;
    const int64_t room_right = int64_t{area.Right} - owner.Right;
    if (h == phaRight && int64_t{side.position.X} + size.cx > area.Right && room_left > room_right)
      h = phaLeft;
    else if (h == phaLeft && side.position.X < area.Left && !(room_left > room_right))
      h = phaRight;
  }
  TPoint position = PlaceAtSides(owner, size, h, v, direction).position;

  if (direction == podVertical || h == phaCenter)
    position.X = ShiftInto(position.X, size.cx, area.Left, area.Right);
  if (direction == podHorizontal || v == pvaCenter)
    position.Y = ShiftInto(position.Y, size.cy, area.Top, area.Bottom);
  return position;
}
