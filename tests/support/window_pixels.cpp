#include "tests/support/window_pixels.h"

#include <cstdlib>

namespace test_support {

WindowPixels WindowPixels::Capture(HWND window) {
  WindowPixels pixels;
  RECT client{};
  GetClientRect(window, &client);
  pixels.width_ = client.right - client.left;
  pixels.height_ = client.bottom - client.top;
  if (pixels.width_ <= 0 || pixels.height_ <= 0)
    return pixels;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = pixels.width_;
  info.bmiHeader.biHeight = -pixels.height_;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;

  HDC window_dc = GetDC(window);
  HDC memory_dc = CreateCompatibleDC(window_dc);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(window_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory_dc, dib);
  BitBlt(memory_dc, 0, 0, pixels.width_, pixels.height_, window_dc, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* source = static_cast<const uint32_t*>(bits);
  pixels.argb_.assign(source, source + static_cast<size_t>(pixels.width_) * pixels.height_);
  for (uint32_t& pixel : pixels.argb_)
    pixel |= 0xFF000000u;
  SelectObject(memory_dc, old);
  DeleteObject(dib);
  DeleteDC(memory_dc);
  ReleaseDC(window, window_dc);
  return pixels;
}

COLORREF WindowPixels::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_)
    return CLR_INVALID;
  const uint32_t pixel = argb_[static_cast<size_t>(y) * width_ + x];
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

bool ColorsNear(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

}  // namespace test_support
