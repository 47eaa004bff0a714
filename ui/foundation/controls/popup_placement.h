#pragma once
// Where a popup window opens next to its owner rectangle: beside it
// (horizontal opening) or above or below it (vertical opening), flipped to
// the other side when the chosen side lacks room on the monitor and the
// other side has more, and shifted into the monitor's work area along the
// opening axis. Portable: the work area is asked through a callback.

#include <cstdint>
#include <functional>

#include "ui/foundation/geometry/geometry.h"

enum TlxPopupHorzAlignment : uint8_t { phaLeft = 0, phaCenter = 1, phaRight = 2 };
enum TlxPopupVertAlignment : uint8_t { pvaTop = 0, pvaCenter = 1, pvaBottom = 2 };
enum TlxPopupOpenDirection : uint8_t { podHorizontal = 0, podVertical = 1 };
enum TlxPopupFrameStyle : uint8_t { pfsNone = 0, pfsLine = 1, pfsEdge = 2, pfsDoubleEdge = 3 };

// The frame's width on every side: 1 for a line or an edge, 2 for a
// double edge, 0 without a frame.
int32_t lxPopupFrameWidth(TlxPopupFrameStyle style);

struct TlxPopupPlacement {
  TlxPopupHorzAlignment HorzAlignment = phaLeft;
  TlxPopupVertAlignment VertAlignment = pvaBottom;
  TlxPopupOpenDirection OpenDirection = podVertical;
};

// The work area of the monitor nearest to a screen point.
using TlxWorkAreaAtPoint = std::function<TRect(const TPoint& point)>;

// The screen position of the top-left corner of a `size` window opened at
// `owner` (screen coordinates). Across the opening direction the window
// may be flipped but is never shifted, so it may still leave the work area
// when neither side has room; along it, the window is shifted into the
// work area, the left or top edge winning when the window is larger.
TPoint lxCalcPopupPosition(const TRect& owner, const TSize& size, const TlxPopupPlacement& placement,
                           const TlxWorkAreaAtPoint& work_area_at);
