#include "editors/edit_button_layout.h"

#include <algorithm>

namespace {

bool IsEmpty(const TRect& rect) { return rect.Right <= rect.Left || rect.Bottom <= rect.Top; }

void MoveHorizontally(TRect& rect, int32_t dx) {
  rect.Left += dx;
  rect.Right += dx;
}

}  // namespace

void lxCutButtonBounds(TRect& rect, int32_t width, bool left_aligned, TRect& bounds, TRect& visible_bounds) {
  if (IsEmpty(rect)) {
    bounds = TRect();
    visible_bounds = TRect();
    return;
  }
  width = std::max(width, 0);
  const int32_t cut = std::min(width, rect.Right - rect.Left);
  if (left_aligned) {
    bounds = TRect(rect.Left, rect.Top, rect.Left + width, rect.Bottom);
    visible_bounds = TRect(rect.Left, rect.Top, rect.Left + cut, rect.Bottom);
    rect.Left += cut;
  } else {
    bounds = TRect(rect.Right - width, rect.Top, rect.Right, rect.Bottom);
    visible_bounds = TRect(rect.Right - cut, rect.Top, rect.Right, rect.Bottom);
    rect.Right -= cut;
  }
}

void lxStretchButtons(std::span<const TlxButtonLayoutItem> buttons, TlxButtonLayoutResult& layout,
                      int32_t extra_width) {
  if (extra_width <= 0 || buttons.empty())
    return;
  const auto is_candidate = [&buttons](size_t i) { return buttons[i].Stretchable && !buttons[i].Fixed; };
  bool any_candidate = false;
  for (size_t i = 0; i < buttons.size(); ++i)
    any_candidate = any_candidate || is_candidate(i);
  const auto takes_part = [&](size_t i) { return !any_candidate || is_candidate(i); };

  int64_t sum = 0;
  size_t last_handled = buttons.size();
  for (size_t i = 0; i < buttons.size(); ++i) {
    if (!takes_part(i))
      continue;
    sum += std::max(layout.Bounds[i].Right - layout.Bounds[i].Left, 0);
    if (last_handled == buttons.size())
      last_handled = i;  // the lowest index is handled last
  }
  if (last_handled == buttons.size())
    return;

  int32_t left = extra_width;
  for (size_t n = buttons.size(); n-- > 0;) {
    if (!takes_part(n))
      continue;
    const int32_t width = std::max(layout.Bounds[n].Right - layout.Bounds[n].Left, 0);
    int32_t grow = n == last_handled ? left
                                     : (sum == 0 ? 0 : static_cast<int32_t>(int64_t{width} * extra_width / sum));
    grow = std::min(grow, left);
    left -= grow;
    if (grow == 0)
      continue;
    // The button grows towards the text area; the buttons between it and
    // the text area (lower indexes on the same side) move aside.
    const int32_t direction = buttons[n].LeftAligned ? 1 : -1;
    if (buttons[n].LeftAligned) {
      layout.Bounds[n].Right += grow;
      layout.VisibleBounds[n].Right += grow;
    } else {
      layout.Bounds[n].Left -= grow;
      layout.VisibleBounds[n].Left -= grow;
    }
    for (size_t inner = 0; inner < n; ++inner) {
      if (buttons[inner].LeftAligned != buttons[n].LeftAligned)
        continue;
      MoveHorizontally(layout.Bounds[inner], direction * grow);
      MoveHorizontally(layout.VisibleBounds[inner], direction * grow);
    }
    if (buttons[n].LeftAligned)
      layout.Remaining.Left += grow;
    else
      layout.Remaining.Right -= grow;
  }
}

TlxButtonLayoutResult lxLayoutEditButtons(const TRect& work, std::span<const TlxButtonLayoutItem> buttons,
                                          bool stretch) {
  TlxButtonLayoutResult layout;
  layout.Bounds.resize(buttons.size());
  layout.VisibleBounds.resize(buttons.size());
  TRect rect = work;
  const int32_t width_before = std::max(work.Right - work.Left, 0);
  for (size_t n = buttons.size(); n-- > 0;) {
    const bool left = buttons[n].LeftAligned;
    lxCutButtonBounds(rect, buttons[n].Width, left, layout.Bounds[n], layout.VisibleBounds[n]);
    const auto index = static_cast<int32_t>(n);
    if (left) {
      if (layout.LeftGroupFirst < 0)
        layout.LeftGroupFirst = index;
      layout.LeftGroupLast = index;
    } else {
      if (layout.RightGroupLast < 0)
        layout.RightGroupLast = index;
      layout.RightGroupFirst = index;
    }
  }
  layout.Remaining = rect;
  if (stretch) {
    const int32_t width_after = std::max(rect.Right - rect.Left, 0);
    lxStretchButtons(buttons, layout, std::min(width_after, width_before));
  }
  return layout;
}
