#pragma once
// Where the insertion arrow of a drag stands and what shape it has: the
// arrow is 9 x 11 pixels beside a target rectangle and points at it. The
// same seven points outline the painted arrow and, grown by one pixel to
// the right and bottom, the window region that shapes an arrow window
// where layered windows are missing (a region leaves out its right and
// bottom edges, a painted polygon does not). Portable: no window here.

#include <array>
#include <cstdint>

#include "ui/foundation/geometry/geometry.h"

// The side of the target rectangle the arrow stands on.
enum TlxInsertionArrowSide : uint8_t { iasLeft = 0, iasTop = 1, iasRight = 2, iasBottom = 3 };

// The arrow's bounds for `target`. A non-empty `clip` keeps the arrow's
// anchor inside it (each edge clamped into [clip.Left, clip.Right - 1] and
// [clip.Top, clip.Bottom - 1]), so that a target scrolled partly out of
// view still gets its arrow at the visible edge.
TRect lxCalcDragDropArrowBounds(const TRect& target, const TRect& clip, TlxInsertionArrowSide side);

// The seven corners of the arrow within `bounds`: for painting
// (`for_region` false) or for the window region (true).
using TlxArrowPolygon = std::array<TPoint, 7>;
TlxArrowPolygon lxDragDropArrowPolygon(const TRect& bounds, TlxInsertionArrowSide side, bool for_region);
