#pragma once
// A 32-bit memory surface for painting tests: a DIB section selected into a
// memory DC, whose pixels the test reads back directly.

#include <windows.h>

#include <cstdint>

namespace theme_test {

class PaintSurface {
 public:
  PaintSurface(int width, int height, COLORREF background) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_bitmap_ = SelectObject(dc_, bitmap_);
    Fill(background);
  }
  ~PaintSurface() {
    SelectObject(dc_, old_bitmap_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  PaintSurface(const PaintSurface&) = delete;
  PaintSurface& operator=(const PaintSurface&) = delete;

  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }

  void Fill(COLORREF color) {
    GdiFlush();
    for (int i = 0; i < width_ * height_; ++i)
      bits_[i] = ToPixel(color);
  }

  // The pixel as a COLORREF; CLR_INVALID outside the surface.
  COLORREF At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
      return CLR_INVALID;
    GdiFlush();
    const uint32_t pixel = bits_[y * width_ + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
  }

  // How many pixels differ from `color`.
  int CountOtherThan(COLORREF color) const {
    int count = 0;
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x)
        count += At(x, y) != color ? 1 : 0;
    }
    return count;
  }

 private:
  static uint32_t ToPixel(COLORREF color) {
    return (uint32_t{GetRValue(color)} << 16) | (uint32_t{GetGValue(color)} << 8) | GetBValue(color);
  }

  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr;
  uint32_t* bits_ = nullptr;
};

}  // namespace theme_test
