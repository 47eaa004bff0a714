#include <windows.h>

#include <cstring>
#include <vector>

#include "ui/foundation/bitmaps/resample_bitmap_win.h"
#include "ui/foundation/bitmaps/resampling.h"

namespace {

// Holds a canvas's lock for a scope.
class CanvasLock {
 public:
  explicit CanvasLock(TCanvas& canvas) : canvas_(canvas) { canvas_.Lock(); }
  ~CanvasLock() { canvas_.Unlock(); }
  CanvasLock(const CanvasLock&) = delete;
  CanvasLock& operator=(const CanvasLock&) = delete;

 private:
  TCanvas& canvas_;
};

void StretchHalftone(TBitmap& source, TBitmap& destination) {
  HDC dest_dc = destination.Canvas().Handle();
  const int previous_mode = SetStretchBltMode(dest_dc, HALFTONE);
  // Halftone stretching needs the brush origin set after the mode.
  SetBrushOrgEx(dest_dc, 0, 0, nullptr);
  StretchBlt(dest_dc, 0, 0, destination.Width(), destination.Height(), source.Canvas().Handle(), 0, 0,
             source.Width(), source.Height(), SRCCOPY);
  SetStretchBltMode(dest_dc, previous_mode);
}

// The bitmap's pixels as 32-bit values, top row first. A bitmap in another
// format is read through a 32-bit copy.
std::vector<uint32_t> ReadPixels(TBitmap& bitmap) {
  const int32_t width = bitmap.Width();
  const int32_t height = bitmap.Height();
  TBitmap copy(width, height, pf32bit);
  BitBlt(copy.Canvas().Handle(), 0, 0, width, height, bitmap.Canvas().Handle(), 0, 0, SRCCOPY);
  GdiFlush();
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int32_t y = 0; y < height; ++y)
    std::memcpy(pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width), copy.ScanLine(y),
                static_cast<size_t>(width) * sizeof(uint32_t));
  return pixels;
}

void WritePixels(const std::vector<uint32_t>& pixels, TBitmap& bitmap) {
  const int32_t width = bitmap.Width();
  const int32_t height = bitmap.Height();
  TBitmap copy(width, height, pf32bit);
  GdiFlush();
  for (int32_t y = 0; y < height; ++y)
    std::memcpy(copy.ScanLine(y), pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width),
                static_cast<size_t>(width) * sizeof(uint32_t));
  BitBlt(bitmap.Canvas().Handle(), 0, 0, width, height, copy.Canvas().Handle(), 0, 0, SRCCOPY);
  GdiFlush();
}

}  // namespace

void lxResampleBitmap(TBitmap& source, TBitmap& destination, bool force) {
  if (source.Empty() || destination.Empty())
    return;
  CanvasLock source_lock(source.Canvas());
  CanvasLock dest_lock(destination.Canvas());
  if (!force) {
    StretchHalftone(source, destination);
    return;
  }
  const std::vector<uint32_t> result = lxResamplePixels(ReadPixels(source), source.Width(), source.Height(),
                                                        destination.Width(), destination.Height());
  WritePixels(result, destination);
}
