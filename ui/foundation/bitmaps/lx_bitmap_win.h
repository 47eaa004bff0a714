#pragma once
// TlxBitmap: a 32-bit TlxCustomBitmap with access to its pixels and the
// per-pixel filters (pixel_filters.h) that give glyphs their disabled,
// faded, grey and shadowed looks. A pixel is transparent when it equals the
// transparent background colour or its colour is one of the transparent
// colours.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "ui/foundation/bitmaps/custom_bitmap_win.h"
#include "ui/foundation/bitmaps/pixel_filters.h"

// The pixel of a colour (system colours resolved): red and blue exchanged
// and the alpha byte set.
uint32_t lxColorToBGRA(TColor color, uint8_t alpha);

class TlxBitmap : public TlxCustomBitmap {
 public:
  static constexpr TClass kClass{"TlxBitmap", &TlxCustomBitmap::kClass, &ConstructInstance<TlxBitmap>};
  const TClass* ClassType() const override { return &kClass; }

  TlxBitmap() : TlxBitmap(0, 0) {}
  TlxBitmap(int32_t width, int32_t height) : TlxBitmap(width, height, 0) {}
  // Cleared to `transparent_background` when its alpha is not 0, else black.
  TlxBitmap(int32_t width, int32_t height, uint32_t transparent_background);

  // The pixels, Width x Height BGRA values with the bottom row first.
  std::vector<uint32_t> GetPixels();
  // Raises EInvalidArgument when the array does not match the size.
  void SetPixels(const std::vector<uint32_t>& pixels);
  // Runs a filter (TlxPixelFilter) over every pixel and notifies the change.
  void ProcessPixels(int32_t filter);

  uint32_t TransparentBkColor() const { return transparency_.Background; }
  void SetTransparentBkColor(uint32_t pixel) { transparency_.Background = pixel; }
  // RGB values (red in the lowest byte).
  std::vector<uint32_t>& TransparentColors() { return transparency_.Colors; }
  const TlxPixelTransparency& Transparency() const { return transparency_; }
  bool IsTransparentPixel(uint32_t pixel) const { return transparency_.IsTransparent(pixel); }
  // The colour becomes the one transparent colour and, with alpha 0, the
  // transparent background; then pixels without alpha become opaque.
  void SetTransparentColor(TColor color);
  bool IsAlphaUsed();

  // Blends the whole bitmap into `rect` of the destination (lxAlphaBlend).
  void AlphaBlendTo(TBitmap& destination, const TRect& rect, bool smooth_stretch, uint8_t constant_alpha);
  // Takes `source` with a shadow of its shape `offset` pixels down and to
  // the right; with `resize` the bitmap grows by the offset so the whole
  // shadow shows.
  void AddShadow(TBitmap& source, int32_t offset, TColor shadow_color, bool resize);

  // Black, or the transparent background when its alpha is not 0.
  void Clear() override;
  void SetSize(int32_t width, int32_t height) override;

 private:
  TlxPixelTransparency transparency_;
};
