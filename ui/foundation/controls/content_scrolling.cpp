#include "ui/foundation/controls/content_scrolling.h"

#include <algorithm>
#include <cstdlib>

TlxContentScrollingMotion lxContentScrollingMotion(const TPoint& start, const TPoint& point, int32_t anchor_size,
                                                    bool horizontal_bar, bool vertical_bar) {
  TlxContentScrollingMotion motion;
  const int64_t dx = static_cast<int64_t>(point.X) - start.X;
  const int64_t dy = static_cast<int64_t>(point.Y) - start.Y;
  const int64_t half = anchor_size / 2;
  const bool inside_x = !horizontal_bar || (dx >= -half && dx < anchor_size - half);
  const bool inside_y = !vertical_bar || (dy >= -half && dy < anchor_size - half);
  if (inside_x && inside_y)
    return motion;
  motion.Moved = true;
  int64_t distance = 0;
  if (!horizontal_bar || (vertical_bar && std::llabs(dy) >= std::llabs(dx))) {
    motion.Direction = dy < 0 ? dirUp : dirDown;
    distance = std::llabs(dy);
  } else {
    motion.Direction = dx < 0 ? dirLeft : dirRight;
    distance = std::llabs(dx);
  }
  const int64_t speed = (distance - half) / 5 + 1;
  motion.Speed = static_cast<int32_t>(std::clamp<int64_t>(speed, 1, lxContentScrollingMaxSpeed));
  return motion;
}

bool lxContentScrollingStepDue(uint32_t tick_count, int32_t speed) {
  const int32_t every = 13 - std::clamp(speed, 0, lxContentScrollingMaxSpeed);
  return tick_count % static_cast<uint32_t>(every) == 0;
}

TlxCursorId lxContentScrollingCursor(TlxDirection direction, bool horizontal_bar, bool vertical_bar) {
  switch (direction) {
    case dirUp: return crLxUpScroll;
    case dirRight: return crLxRightScroll;
    case dirDown: return crLxDownScroll;
    case dirLeft: return crLxLeftScroll;
    case dirNone: break;
  }
  if (horizontal_bar && vertical_bar)
    return crLxFullScroll;
  return horizontal_bar ? crLxHorzScroll : crLxVertScroll;
}
