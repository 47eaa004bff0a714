#include "app/window_position.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/rtl/format.h"

namespace {

// Splits at commas; "M" ends the list; a token that is no number counts -1.
std::vector<int32_t> StoredNumbers(std::string_view stored) {
  std::vector<int32_t> numbers;
  size_t start = 0;
  while (numbers.size() < 4 && start <= stored.size()) {
    size_t comma = stored.find(',', start);
    if (comma == std::string_view::npos)
      comma = stored.size();
    const std::string_view token = stored.substr(start, comma - start);
    if (token == "M")
      break;
    numbers.push_back(StrToIntDef(token, -1));
    start = comma + 1;
  }
  return numbers;
}

// A stored extent at least the designed one (the window's layout needs that
// much room; a broken value of no size would make it vanish) and no larger
// than the desktop.
int32_t StoredExtent(int32_t stored, int32_t designed, int32_t desktop_extent) {
  const int32_t raised = std::max(stored, designed);
  return desktop_extent > 0 ? std::min(raised, desktop_extent) : raised;
}

// How much of [start, start + extent) lies within [area_start, area_start +
// area_extent). Stored numbers may be anything, so the sums are wide.
int64_t VisibleExtent(int32_t start, int32_t extent, int32_t area_start, int32_t area_extent) {
  const int64_t from = std::max<int64_t>(start, area_start);
  const int64_t to = std::min<int64_t>(int64_t{start} + extent, int64_t{area_start} + area_extent);
  return std::max<int64_t>(to - from, 0);
}

int32_t CentredIn(int32_t extent, int32_t area_start, int32_t area_extent) {
  return std::max(area_start + (area_extent - extent) / 2, area_start);
}

// A window the user cannot take by its caption is as good as off the
// desktop: it needs a third of its width and its caption's height on it.
void BringWithinReach(WindowBounds& bounds, const DesktopGeometry& desktop) {
  const int64_t visible_width =
      VisibleExtent(bounds.left, bounds.width, desktop.desktop_left, desktop.desktop_width);
  if (visible_width * 3 < bounds.width)
    bounds.left = CentredIn(bounds.width, desktop.desktop_left, desktop.desktop_width);
  const int64_t visible_height =
      VisibleExtent(bounds.top, bounds.height, desktop.desktop_top, desktop.desktop_height);
  if (visible_height < std::min(desktop.caption_height, bounds.height))
    bounds.top = CentredIn(bounds.height, desktop.desktop_top, desktop.desktop_height);
}

WindowBounds DefaultPlace(const WindowBounds& current, const DesktopGeometry& desktop) {
  WindowBounds bounds = current;
  // On a very wide screen the window goes to the centre of the left half.
  if (desktop.screen_width > 1600)
    bounds.left = (desktop.screen_width / 2 - current.width) / 2;
  else
    bounds.left = (desktop.screen_width - current.width) / 2;
  bounds.top = (desktop.screen_height - current.height) / 2;
  return bounds;
}

}  // namespace

WindowBounds RestoredWindowBounds(std::string_view stored, const WindowBounds& current, bool sizeable,
                                  const DesktopGeometry& desktop) {
  if (stored.empty())
    return DefaultPlace(current, desktop);

  const std::vector<int32_t> numbers = StoredNumbers(stored);
  WindowBounds bounds = current;
  if (numbers.size() < 2)
    return bounds;

  bounds.left = numbers[0];
  bounds.top = numbers[1];
  if (bounds.left > desktop.desktop_width)
    bounds.left = (desktop.desktop_width - current.width) / 2;
  if (bounds.top > desktop.desktop_height)
    bounds.top = (desktop.desktop_height - current.height) / 2;
  bounds.left = std::max(bounds.left, 0);
  bounds.top = std::max(bounds.top, 0);

  const bool size_given = numbers.size() >= 4;
  if (sizeable && size_given) {
    bounds.width = StoredExtent(numbers[2], current.width, desktop.desktop_width);
    bounds.height = StoredExtent(numbers[3], current.height, desktop.desktop_height);
  }
  BringWithinReach(bounds, desktop);
  return bounds;
}
