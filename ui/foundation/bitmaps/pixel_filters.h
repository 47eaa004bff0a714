#pragma once
// Per-pixel filters that give glyphs their disabled, faded, grey and masked
// looks, the blend of one pixel over another, and turning a pixel array by
// quarter turns. Pixels are 32-bit values: byte 0 blue, 1 green, 2 red,
// 3 alpha.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/rtl/geometry.h"

// The filters a bitmap runs over its pixels, by number.
enum TlxPixelFilter : int32_t {
  // Opaque pixels lighten by 3/10 towards white; others fade to 200/255.
  lxpfLighten = 0,
  // Grey, then blended with the button shadow colour: the disabled look.
  lxpfDisabledGrey = 1,
  // Grey as the plain average of red, green and blue.
  lxpfAverageGrey = 2,
  // Every pixel opaque.
  lxpfOpaque = 3,
  // Transparent pixels white and opaque, every other pixel clear black.
  lxpfMask = 4,
  // Grey by the luminance weights 0.299, 0.587, 0.114.
  lxpfLuminanceGrey = 5,
  // Grey weighted towards green (0.0729, 0.7146, 0.2125).
  lxpfGreenGrey = 6,
  // Pixels without alpha become opaque.
  lxpfOpaqueWhereClear = 7,
  // Every pixel becomes the transparent background colour.
  lxpfBackground = 9,
  // Every pixel's alpha becomes 0.
  lxpfClearAlpha = 10,
};

// What makes a pixel transparent: its whole value equal to Background, or
// its colour (as an RGB value, red in the lowest byte) in Colors.
struct TlxPixelTransparency {
  uint32_t Background = 0;
  std::vector<uint32_t> Colors;

  bool IsTransparent(uint32_t pixel) const;
};

// The RGB value (red in the lowest byte) of a pixel, and a pixel of an RGB
// value with the given alpha.
uint32_t lxPixelToRGB(uint32_t pixel);
uint32_t lxRGBToPixel(uint32_t rgb, uint8_t alpha);

// The system's MulDiv for non-negative values: a * b / c rounded to the
// nearest integer, halves away from zero.
int32_t lxMulDivRounded(int32_t a, int32_t b, int32_t c);

// Blends `color` over `pixel`: with c = factor / 255, d = c * colour alpha and
// e = 1 - d / 255, each colour channel becomes c * colour + e * pixel and the
// alpha d + e * pixel alpha, rounded (halves to even) and limited to 0..255.
uint32_t lxBlendPixel(uint32_t color, uint32_t pixel, int32_t factor);

// One pixel through a filter. `shadow` is the button shadow colour as a
// pixel, blended in by the disabled filter. Unknown filters change nothing.
uint32_t lxFilterPixel(uint32_t pixel, int32_t filter, const TlxPixelTransparency& transparency, uint32_t shadow);

// Every pixel through a filter; the filters that keep transparent pixels as
// they are skip them.
void lxFilterPixels(std::span<uint32_t> pixels, int32_t filter, const TlxPixelTransparency& transparency,
                    uint32_t shadow);

// A pixel array with rows top first, and its size.
struct TlxPixelImage {
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<uint32_t> Pixels;
};

// Turns a W x H image: index 1 a quarter turn anticlockwise, a pixel (x, y)
// going to (y, W - 1 - x); index 2 a quarter turn clockwise, to
// (H - 1 - y, x); index 3 half a turn, to (W - 1 - x, H - 1 - y). Mirroring
// flips the result top to bottom. Index 0 without mirroring and unknown indexes give the image
// back as it is. Raises EInvalidArgument when the array does not match the
// size.
TlxPixelImage lxRotatePixels(const TlxPixelImage& image, int32_t angle_index, bool mirror);

// The image with a shadow behind its shape: every transparent pixel whose
// neighbour `offset` pixels up and to the left belongs to the shape takes
// the `shadow` pixel; the shape itself stays as it is. With `resize` the
// image grows by `offset` to the right and bottom so that the whole shadow
// shows; the new area starts as the transparent background.
TlxPixelImage lxAddShadowPixels(const TlxPixelImage& image, int32_t offset, uint32_t shadow,
                                const TlxPixelTransparency& transparency, bool resize);

// The part of an image inside `rect`; pixels outside the image are 0.
TlxPixelImage lxCropPixels(const TlxPixelImage& image, const TRect& rect);
