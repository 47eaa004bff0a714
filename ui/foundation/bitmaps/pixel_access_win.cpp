#include "ui/foundation/bitmaps/pixel_access_win.h"

#include <windows.h>

#include <cstring>

#include "platform/rtl/exceptions.h"

TlxPixelImage lxReadBitmapPixels(TBitmap& bitmap) {
  TlxPixelImage image;
  image.Width = bitmap.Width();
  image.Height = bitmap.Height();
  if (bitmap.Empty())
    return {};
  TBitmap copy(image.Width, image.Height, pf32bit);
  BitBlt(copy.Canvas().Handle(), 0, 0, image.Width, image.Height, bitmap.Canvas().Handle(), 0, 0, SRCCOPY);
  GdiFlush();
  const size_t row_bytes = static_cast<size_t>(image.Width) * sizeof(uint32_t);
  image.Pixels.resize(static_cast<size_t>(image.Width) * static_cast<size_t>(image.Height));
  for (int32_t y = 0; y < image.Height; ++y)
    std::memcpy(image.Pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(image.Width), copy.ScanLine(y),
                row_bytes);
  return image;
}

void lxWriteBitmapPixels(const TlxPixelImage& image, TBitmap& bitmap) {
  if (bitmap.Width() != image.Width || bitmap.Height() != image.Height)
    throw EInvalidArgument("The pixels do not match the bitmap's size");
  if (bitmap.Empty())
    return;
  TBitmap copy(image.Width, image.Height, pf32bit);
  GdiFlush();
  const size_t row_bytes = static_cast<size_t>(image.Width) * sizeof(uint32_t);
  for (int32_t y = 0; y < image.Height; ++y)
    std::memcpy(copy.ScanLine(y), image.Pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(image.Width),
                row_bytes);
  BitBlt(bitmap.Canvas().Handle(), 0, 0, image.Width, image.Height, copy.Canvas().Handle(), 0, 0, SRCCOPY);
  GdiFlush();
}
