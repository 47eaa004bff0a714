#pragma once
// Where an editor's buttons go: each visible button is cut from the work
// rectangle, from the last to the first, at the left or right side; when
// the buttons are stretched, the stretchable ones share out the width that
// is left, in proportion to their widths. Portable: the view data fills the
// widths and reads the bounds.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/rtl/geometry.h"

struct TlxButtonLayoutItem {
  int32_t Width = 0;
  bool LeftAligned = false;
  bool Stretchable = true;
  // A width the kind keeps whatever the stretching.
  bool Fixed = false;
};

struct TlxButtonLayoutResult {
  // The whole button, also where it does not fit.
  std::vector<TRect> Bounds;
  // The part that fits into the work rectangle.
  std::vector<TRect> VisibleBounds;
  // The leftmost and rightmost button of the left-aligned group and of the
  // right-aligned group; -1 when the group is empty.
  int32_t LeftGroupFirst = -1;
  int32_t LeftGroupLast = -1;
  int32_t RightGroupFirst = -1;
  int32_t RightGroupLast = -1;
  // What is left of the work rectangle between the two groups.
  TRect Remaining;
};

// Cuts one button from `rect`: its width limited to the free width leaves
// the rectangle; the bounds keep the whole width. An empty rectangle gives
// empty bounds.
void lxCutButtonBounds(TRect& rect, int32_t width, bool left_aligned, TRect& bounds, TRect& visible_bounds);

// Grows the candidates by their share of `extra_width`: each by
// width * extra / sum of the candidates' widths, the last one handled (the
// first in index order) by what is left; the buttons between a grown one
// and the text area move aside by the same amount. Nothing unless
// `extra_width` is positive.
void lxStretchButtons(std::span<const TlxButtonLayoutItem> buttons, TlxButtonLayoutResult& layout,
                      int32_t extra_width);

// The whole layout: cut every button, then stretch when asked.
TlxButtonLayoutResult lxLayoutEditButtons(const TRect& work, std::span<const TlxButtonLayoutItem> buttons,
                                          bool stretch);
