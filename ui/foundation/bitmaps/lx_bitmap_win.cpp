#include "ui/foundation/bitmaps/lx_bitmap_win.h"

#include <algorithm>
#include <cstring>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/scope.h"
#include "ui/foundation/bitmaps/image_drawing_win.h"
#include "ui/foundation/bitmaps/pixel_access_win.h"

namespace {

// The button shadow colour as the disabled filter blends it in.
uint32_t ShadowPixel() { return lxColorToBGRA(clBtnShadow, 0xC0); }

// Top-first pixel rows from bottom-first ones and back (the same flip).
std::vector<uint32_t> FlipRows(const std::vector<uint32_t>& pixels, int32_t width, int32_t height) {
  std::vector<uint32_t> flipped(pixels.size());
  const auto row = static_cast<size_t>(width);
  for (int32_t y = 0; y < height; ++y)
    std::memcpy(flipped.data() + static_cast<size_t>(height - 1 - y) * row, pixels.data() + static_cast<size_t>(y) * row,
                row * sizeof(uint32_t));
  return flipped;
}

}  // namespace

uint32_t lxColorToBGRA(TColor color, uint8_t alpha) {
  return lxRGBToPixel(static_cast<uint32_t>(ColorToRGB(color)) & 0x00FFFFFFu, alpha);
}

TlxBitmap::TlxBitmap(int32_t width, int32_t height, uint32_t transparent_background)
    : TlxCustomBitmap(width, height, pf32bit) {
  transparency_.Background = transparent_background;
  Clear();
}

std::vector<uint32_t> TlxBitmap::GetPixels() {
  TlxPixelImage image = lxReadBitmapPixels(*this);
  return FlipRows(image.Pixels, image.Width, image.Height);
}

void TlxBitmap::SetPixels(const std::vector<uint32_t>& pixels) {
  if (pixels.size() != static_cast<size_t>(Width()) * static_cast<size_t>(Height()))
    throw EInvalidArgument("The pixel array does not match the bitmap's size");
  lxWriteBitmapPixels({Width(), Height(), FlipRows(pixels, Width(), Height())}, *this);
  Changed();
}

void TlxBitmap::ProcessPixels(int32_t filter) {
  std::vector<uint32_t> pixels = GetPixels();
  lxFilterPixels(pixels, filter, transparency_, ShadowPixel());
  SetPixels(pixels);
}

void TlxBitmap::SetTransparentColor(TColor color) {
  const uint32_t pixel = lxColorToBGRA(color, 0);
  transparency_.Colors = {lxPixelToRGB(pixel)};
  transparency_.Background = pixel;
  ProcessPixels(lxpfOpaqueWhereClear);
}

bool TlxBitmap::IsAlphaUsed() {
  const std::vector<uint32_t> pixels = GetPixels();
  return std::any_of(pixels.begin(), pixels.end(), [](uint32_t pixel) { return (pixel >> 24) != 0; });
}

void TlxBitmap::AlphaBlendTo(TBitmap& destination, const TRect& rect, bool smooth_stretch, uint8_t constant_alpha) {
  lxAlphaBlend(destination.Canvas().Handle(), Canvas().Handle(), rect, ClientBounds(), smooth_stretch,
               constant_alpha);
  GdiFlush();
}

void TlxBitmap::AddShadow(TBitmap& source, int32_t offset, TColor shadow_color, bool resize) {
  const TlxPixelImage shaded = lxAddShadowPixels(lxReadBitmapPixels(source), offset,
                                                 lxColorToBGRA(shadow_color, 0xFF), transparency_, resize);
  BeginUpdate();
  TScopeExit end([this] { EndUpdate(true); });
  TBitmap::SetSize(shaded.Width, shaded.Height);
  lxWriteBitmapPixels(shaded, *this);
}

void TlxBitmap::Clear() {
  if (Empty())
    return;
  if ((transparency_.Background >> 24) == 0) {
    TlxCustomBitmap::Clear();
    return;
  }
  SetPixels(std::vector<uint32_t>(static_cast<size_t>(Width()) * static_cast<size_t>(Height()), transparency_.Background));
}

void TlxBitmap::SetSize(int32_t width, int32_t height) {
  TlxCustomBitmap::SetSize(width, height);
  Clear();
}
