#pragma once
// Drawing glyphs and image-list images over a background in the library's
// looks (normal, disabled, faded, grey, lightened, shadowed), blending with
// a constant alpha, turning bitmaps, masks from bitmaps, palette-aware
// copies, and bitmap factories.

#include <windows.h>

#include <cstdint>
#include <memory>

#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/image_list.h"

class TlxBitmap;
class TlxCanvas;

// How lxDrawImageOverBackground draws an image.
enum TlxImageDrawMode : int32_t {
  lxidmNormal = 0,
  lxidmDisabled = 1,
  lxidmFaded = 2,
  lxidmGrayed = 3,
  lxidmLightened = 4,
  lxidmShadowed = 5,
};

// Whether the system's AlphaBlend (msimg32, bound by name) is there.
bool lxSystemAlphaBlendAvailable();

// Blends the source rectangle into the destination rectangle with a
// constant alpha and the source's own (premultiplied) alpha. The system
// blend does it unless a smooth stretch between different sizes is asked;
// then both areas go through 32-bit copies, the source is resampled to the
// destination size, and the blend runs on the copies (per pixel with
// lxBlendPixel when the system blend is missing).
void lxAlphaBlend(HDC destination, HDC source, const TRect& destination_rect, const TRect& source_rect,
                  bool smooth_stretch, uint8_t constant_alpha);

// Draws a glyph (when given) or image `image_index` of `images` at
// `image_rect` over the background of `background_rect`: the destination's
// own content there, or `background_brush` when given. `mask_color` (unless
// clNone) and, with `glyph_transparent`, the glyph's transparent colour are
// see-through. Nothing is drawn without a glyph or a valid image index.
void lxDrawImageOverBackground(HDC destination, const TRect& image_rect, const TRect& background_rect,
                               TBitmap* glyph, TCustomImageList* images, int32_t image_index, int32_t draw_mode,
                               bool smooth_stretch, HBRUSH background_brush, TColor mask_color,
                               bool glyph_transparent);

// Turns a bitmap by the rotation table of lxRotatePixels (rows top first).
// The canvas is not used.
void lxRotateBitmap(TlxCanvas* canvas, TBitmap& bitmap, int32_t angle_index, bool mirror);

// Draws the mask of `bitmap` onto `destination`: white where the bitmap is
// transparent (its transparent colour, unless it uses alpha), clear black
// elsewhere.
void lxRenderBitmapMask(TlxBitmap& bitmap, TBitmap& destination);

// Copies the bitmap with the raster operation, with the bitmap's palette
// selected and realised when the destination has at most 8 bits per pixel.
void lxDrawBitmapWithPalette(HDC dc, TBitmap& bitmap, const TRect& destination_rect, const TPoint& source_point,
                             DWORD raster_operation);

std::unique_ptr<TBitmap> lxCreateSizedBitmap(int32_t width, int32_t height, TPixelFormat format);
std::unique_ptr<TBitmap> lxCreateBitmapForSize(const TSize& size, TPixelFormat format);
// Bits per pixel of the bitmap's format, or of the context for the device
// and custom formats.
int32_t lxGetBitmapBitsPerPixel(const TBitmap& bitmap, HDC dc);
