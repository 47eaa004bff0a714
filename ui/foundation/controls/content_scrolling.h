#pragma once
// The middle-button scrolling mode's rules, apart from its message loop:
// which way and how fast a pointer away from the anchor scrolls, and which
// cursor shows it. Portable.

#include <cstdint>

#include "platform/rtl/geometry.h"
#include "ui/foundation/system/library_cursors.h"

enum TlxDirection : uint8_t { dirNone, dirLeft, dirRight, dirUp, dirDown };

// The loop ticks every 20 ms and makes a step every (13 - speed) ticks.
constexpr uint32_t lxContentScrollingTickInterval = 20;
constexpr int32_t lxContentScrollingMaxSpeed = 12;

struct TlxContentScrollingMotion {
  TlxDirection Direction = dirNone;
  int32_t Speed = 0;
  // The pointer left the neutral zone.
  bool Moved = false;
};

// The motion for a pointer at `point` (screen) when the mode started at
// `start` with an anchor `anchor_size` pixels wide. The neutral zone is the
// anchor's square, stretched over the whole screen along an axis without a
// bar.
TlxContentScrollingMotion lxContentScrollingMotion(const TPoint& start, const TPoint& point, int32_t anchor_size,
                                                    bool horizontal_bar, bool vertical_bar);

// Whether the tick with this number makes a step at `speed`.
bool lxContentScrollingStepDue(uint32_t tick_count, int32_t speed);

TlxCursorId lxContentScrollingCursor(TlxDirection direction, bool horizontal_bar, bool vertical_bar);
