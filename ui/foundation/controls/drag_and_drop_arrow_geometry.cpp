#include "ui/foundation/controls/drag_and_drop_arrow_geometry.h"

#include <algorithm>

namespace {

constexpr int32_t kArrowLength = 9;
constexpr int32_t kArrowHalfWidth = 5;

int32_t ClampInto(int32_t value, int32_t low, int32_t high) { return std::max(low, std::min(value, high)); }

}  // namespace

TRect lxCalcDragDropArrowBounds(const TRect& target, const TRect& clip, TlxInsertionArrowSide side) {
  TRect bounds = target;
  if (!clip.IsEmpty()) {
    bounds.Left = ClampInto(bounds.Left, clip.Left, clip.Right - 1);
    bounds.Right = ClampInto(bounds.Right, clip.Left, clip.Right - 1);
    bounds.Top = ClampInto(bounds.Top, clip.Top, clip.Bottom - 1);
    bounds.Bottom = ClampInto(bounds.Bottom, clip.Top, clip.Bottom - 1);
  }
  switch (side) {
    case iasLeft:
    case iasRight:
      bounds.Bottom = bounds.Top + 1;
      bounds = bounds.Inflate(0, kArrowHalfWidth);
      if (side == iasLeft) {
        bounds.Right = bounds.Left;
        bounds.Left -= kArrowLength;
      } else {
        bounds.Left = bounds.Right;
        bounds.Right += kArrowLength;
      }
      break;
    case iasTop:
    case iasBottom:
      bounds.Right = bounds.Left + 1;
      bounds = bounds.Inflate(kArrowHalfWidth, 0);
      if (side == iasTop) {
        bounds.Bottom = bounds.Top;
        bounds.Top -= kArrowLength;
      } else {
        bounds.Top = bounds.Bottom;
        bounds.Bottom += kArrowLength;
      }
      break;
  }
  return bounds;
}

TlxArrowPolygon lxDragDropArrowPolygon(const TRect& bounds, TlxInsertionArrowSide side, bool for_region) {
  const int32_t e = for_region ? 1 : 0;
  const int32_t l = bounds.Left;
  const int32_t t = bounds.Top;
  const int32_t r = bounds.Right;
  const int32_t b = bounds.Bottom;
  switch (side) {
    case iasLeft:  // points right
      return {{{l + 3, t - e},
               {l + 3, t + 3},
               {l, t + 3},
               {l, b + e - 4},
               {l + 3, b + e - 4},
               {l + 3, b + e - 1},
               {r + e - 1, t + 5}}};
    case iasTop:  // points down
      return {{{l + 3, t},
               {r + e - 4, t},
               {r + e - 4, t + 3},
               {r + e - 1, t + 3},
               {l + 5, b + e - 1},
               {l, t + 3},
               {l + 3, t + 3}}};
    case iasRight:  // points left
      return {{{r + e - 4, t - e},
               {r + e - 4, t + 3},
               {r + e - 1, t + 3},
               {r + e - 1, b + e - 4},
               {r + e - 4, b + e - 4},
               {r + e - 4, b + e - 1},
               {l, t + 5}}};
    case iasBottom:  // points up
      break;
  }
  return {{{l + 3, b + e - 1},
           {r + e - 4, b + e - 1},
           {r + e - 4, b + e - 4},
           {r + e - 1, b + e - 4},
           {l + 5, t - e},
           {l - e, b + e - 4},
           {l + 3, b - 4}}};
}
