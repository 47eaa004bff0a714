#include <windows.h>

#include "printers/units.h"

int32_t prScreenPixelsPerInch() {
  // Read once, as the platform's screen object does: the logical resolution
  // does not change while a program runs.
  static const int32_t pixels_per_inch = [] {
    HDC screen = GetDC(nullptr);
    if (screen == nullptr)
      return 96;
    int value = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return value > 0 ? value : 96;
  }();
  return pixels_per_inch;
}
