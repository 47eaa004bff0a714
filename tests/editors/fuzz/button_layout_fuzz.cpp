// Button widths, sides and stretching from outside (form descriptions,
// narrow editors): every visible bound stays inside the work rectangle,
// visible bounds never overlap, and stretching hands out exactly the spare
// width.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "editors/edit_button_layout.h"

namespace {

void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

bool Inside(const TRect& inner, const TRect& outer) {
  if (inner.Right <= inner.Left)
    return true;
  return inner.Left >= outer.Left && inner.Right <= outer.Right && inner.Top >= outer.Top &&
         inner.Bottom <= outer.Bottom;
}

int64_t Width(const TRect& rect) { return rect.Right > rect.Left ? rect.Right - rect.Left : 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3)
    return 0;
  const TRect work(data[0] % 8, 0, data[0] % 8 + data[1], 1 + data[2] % 30);
  std::vector<TlxButtonLayoutItem> buttons;
  for (size_t i = 3; i + 1 < size && buttons.size() < 12; i += 2) {
    TlxButtonLayoutItem item;
    item.Width = static_cast<int32_t>(data[i]) - 16;  // negative widths too
    item.LeftAligned = (data[i + 1] & 1) != 0;
    item.Stretchable = (data[i + 1] & 2) != 0;
    item.Fixed = (data[i + 1] & 4) != 0;
    buttons.push_back(item);
  }
  for (bool stretch : {false, true}) {
    const TlxButtonLayoutResult layout = lxLayoutEditButtons(work, buttons, stretch);
    int64_t used = Width(layout.Remaining);
    for (size_t i = 0; i < buttons.size(); ++i) {
      const TRect& visible = layout.VisibleBounds[i];
      if (!Inside(visible, work))
        Fail("a visible button sticks out of the work rectangle");
      used += Width(visible);
      for (size_t j = i + 1; j < buttons.size(); ++j) {
        const TRect& other = layout.VisibleBounds[j];
        if (Width(visible) > 0 && Width(other) > 0 && visible.Left < other.Right && other.Left < visible.Right)
          Fail("two visible buttons overlap");
      }
    }
    if (used != Width(work))
      Fail("buttons and what is left do not fill the work rectangle");
    if (stretch && !buttons.empty() && Width(layout.Remaining) != 0 && Width(work) > 0) {
      bool any_width = false;
      for (const TRect& bounds : layout.Bounds)
        any_width = any_width || Width(bounds) > 0;
      if (any_width)
        Fail("stretching left spare width");
    }
  }
  return 0;
}
