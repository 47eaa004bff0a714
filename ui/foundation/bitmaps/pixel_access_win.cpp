#include "ui/foundation/bitmaps/pixel_access_win.h"

#include <cstring>

#include "platform/rtl/exceptions.h"
#include "platform/toolkit/gdi_holders.h"

namespace {

void ReadRows(TBitmap& bitmap, TlxPixelImage& image) {
  const size_t row_bytes = static_cast<size_t>(image.Width) * sizeof(uint32_t);
  for (int32_t y = 0; y < image.Height; ++y)
    std::memcpy(image.Pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(image.Width), bitmap.ScanLine(y),
                row_bytes);
}

void WriteRows(const TlxPixelImage& image, TBitmap& bitmap) {
  const size_t row_bytes = static_cast<size_t>(image.Width) * sizeof(uint32_t);
  for (int32_t y = 0; y < image.Height; ++y)
    std::memcpy(bitmap.ScanLine(y), image.Pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(image.Width),
                row_bytes);
}

}  // namespace

TlxPixelImage lxReadBitmapPixels(TBitmap& bitmap) {
  if (bitmap.Empty())
    return {};
  TlxPixelImage image{bitmap.Width(), bitmap.Height(), {}};
  image.Pixels.resize(static_cast<size_t>(image.Width) * static_cast<size_t>(image.Height));
  GdiFlush();
  if (bitmap.PixelFormat() == pf32bit) {
    ReadRows(bitmap, image);
    return image;
  }
  TBitmap copy(image.Width, image.Height, pf32bit);
  BitBlt(copy.Canvas().Handle(), 0, 0, image.Width, image.Height, bitmap.Canvas().Handle(), 0, 0, SRCCOPY);
  GdiFlush();
  ReadRows(copy, image);
  return image;
}

void lxWriteBitmapPixels(const TlxPixelImage& image, TBitmap& bitmap) {
  if (bitmap.Width() != image.Width || bitmap.Height() != image.Height ||
      image.Pixels.size() != static_cast<size_t>(image.Width) * static_cast<size_t>(image.Height))
    throw EInvalidArgument("The pixels do not match the bitmap's size");
  if (bitmap.Empty())
    return;
  GdiFlush();
  if (bitmap.PixelFormat() == pf32bit) {
    WriteRows(image, bitmap);
    return;
  }
  TBitmap copy(image.Width, image.Height, pf32bit);
  GdiFlush();
  WriteRows(image, copy);
  BitBlt(bitmap.Canvas().Handle(), 0, 0, image.Width, image.Height, copy.Canvas().Handle(), 0, 0, SRCCOPY);
  GdiFlush();
}

TlxPixelImage lxReadSystemBitmapPixels(HBITMAP bitmap) {
  BITMAP info{};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof info, &info) == 0 || info.bmWidth <= 0 || info.bmHeight <= 0)
    return {};
  TlxPixelImage image{info.bmWidth, info.bmHeight, {}};
  image.Pixels.resize(static_cast<size_t>(info.bmWidth) * static_cast<size_t>(info.bmHeight));
  BITMAPINFO header{};
  header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  header.bmiHeader.biWidth = info.bmWidth;
  header.bmiHeader.biHeight = -info.bmHeight;
  header.bmiHeader.biPlanes = 1;
  header.bmiHeader.biBitCount = 32;
  header.bmiHeader.biCompression = BI_RGB;
  const TWindowDC screen;
  GdiFlush();
  if (GetDIBits(screen.Handle(), bitmap, 0, static_cast<UINT>(info.bmHeight), image.Pixels.data(), &header,
                DIB_RGB_COLORS) == 0)
    return {};
  return image;
}
