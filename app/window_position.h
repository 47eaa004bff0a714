#pragma once
// Where a window goes when the program starts: its stored position
// ("Left,Top,Width,Height"), kept on the desktop, or a default place on the
// primary screen when nothing is stored.

#include <cstdint>
#include <string_view>

struct WindowBounds {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
};

struct DesktopGeometry {
  int32_t screen_width = 0;   // the primary screen
  int32_t screen_height = 0;
  int32_t desktop_left = 0;   // the virtual desktop of all monitors
  int32_t desktop_top = 0;
  int32_t desktop_width = 0;
  int32_t desktop_height = 0;
  // The height of a window's caption: the part a user takes it by.
  int32_t caption_height = 0;
};

// The bounds for a window now at `current` (its designed bounds) given the
// stored text. Only a sizeable window takes a stored size.
//
// Beyond the stored text's own rules: a window must stay within the user's
// reach, so a stored place that leaves less than the caption's height or a
// third of the width on the desktop counts as off the desktop in that
// direction and the window is centred there; a stored size below the
// designed size (the layout needs it) is raised to it. A stored text with
// fewer than two numbers keeps the designed place.
WindowBounds RestoredWindowBounds(std::string_view stored, const WindowBounds& current, bool sizeable,
                                  const DesktopGeometry& desktop);
