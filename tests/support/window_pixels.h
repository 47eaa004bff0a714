#pragma once
// Reading back what a window shows, for assertions on chosen pixels.

#include <windows.h>

#include <cstdint>
#include <vector>

namespace test_support {

// A top-down 32-bit snapshot of a window's client area.
class WindowPixels {
 public:
  static WindowPixels Capture(HWND window);

  int width() const { return width_; }
  int height() const { return height_; }
  // The pixel as a COLORREF (0x00BBGGRR), or CLR_INVALID outside the image.
  COLORREF At(int x, int y) const;
  // 0xAARRGGBB rows, top row first, as a PNG writer wants them.
  const std::vector<uint32_t>& argb() const { return argb_; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> argb_;
};

// True when every channel differs by at most `tolerance`.
bool ColorsNear(COLORREF a, COLORREF b, int tolerance = 0);

}  // namespace test_support
