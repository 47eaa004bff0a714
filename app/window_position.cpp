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

// A stored extent no larger than the desktop; one of no size (a broken
// value) would make the window vanish, so the designed extent stands then.
int32_t StoredExtent(int32_t stored, int32_t designed, int32_t desktop_extent) {
  if (stored <= 0)
    return designed;
  return desktop_extent > 0 ? std::min(stored, desktop_extent) : stored;
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

  // A window whose place lies wholly outside the desktop (a monitor that is
  // gone) comes back to the desktop's top-left area.
  const int32_t desktop_right = desktop.desktop_left + desktop.desktop_width;
  const int32_t desktop_bottom = desktop.desktop_top + desktop.desktop_height;
  if (bounds.left >= desktop_right || bounds.top >= desktop_bottom) {
    bounds.left = std::max(desktop.desktop_left, 0);
    bounds.top = std::max(desktop.desktop_top, 0);
  }

  const bool size_given = numbers.size() >= 4;
  if (sizeable && size_given) {
    bounds.width = StoredExtent(numbers[2], current.width, desktop.desktop_width);
    bounds.height = StoredExtent(numbers[3], current.height, desktop.desktop_height);
  }
  return bounds;
}
