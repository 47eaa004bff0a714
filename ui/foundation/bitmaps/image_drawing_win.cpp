#include "ui/foundation/bitmaps/image_drawing_win.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

#include "platform/toolkit/gdi_holders.h"
#include "ui/foundation/bitmaps/lx_bitmap_win.h"
#include "ui/foundation/bitmaps/pixel_access_win.h"
#include "ui/foundation/bitmaps/resample_bitmap_win.h"

namespace {

using TAlphaBlendFunction = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);

// msimg32 bound when first needed and freed when the module ends.
class TSystemAlphaBlend {
 public:
  TSystemAlphaBlend() : library_(LoadLibraryW(L"msimg32.dll")) {
    if (library_ != nullptr)
      function_ = reinterpret_cast<TAlphaBlendFunction>(
          reinterpret_cast<void*>(GetProcAddress(library_, "AlphaBlend")));
  }
  ~TSystemAlphaBlend() {
    if (library_ != nullptr)
      FreeLibrary(library_);
  }
  TSystemAlphaBlend(const TSystemAlphaBlend&) = delete;
  TSystemAlphaBlend& operator=(const TSystemAlphaBlend&) = delete;

  TAlphaBlendFunction Function() const { return function_; }

 private:
  HMODULE library_;
  TAlphaBlendFunction function_ = nullptr;
};

TAlphaBlendFunction SystemAlphaBlend() {
  static const TSystemAlphaBlend binding;
  return binding.Function();
}

BLENDFUNCTION BlendOf(uint8_t constant_alpha) {
  BLENDFUNCTION blend{};
  blend.BlendOp = AC_SRC_OVER;
  blend.SourceConstantAlpha = constant_alpha;
  blend.AlphaFormat = AC_SRC_ALPHA;
  return blend;
}

void BlendInSoftware(HDC destination, HDC source, const TRect& destination_rect, const TRect& source_rect,
                     bool smooth_stretch, uint8_t constant_alpha) {
  const int32_t width = destination_rect.Width();
  const int32_t height = destination_rect.Height();
  TlxBitmap background(width, height);
  BitBlt(background.Canvas().Handle(), 0, 0, width, height, destination, destination_rect.Left,
         destination_rect.Top, SRCCOPY);
  TlxBitmap original(source_rect.Width(), source_rect.Height());
  BitBlt(original.Canvas().Handle(), 0, 0, source_rect.Width(), source_rect.Height(), source, source_rect.Left,
         source_rect.Top, SRCCOPY);
  TlxBitmap sized(width, height);
  if (smooth_stretch) {
    lxResampleBitmap(original, sized, true);
  } else {
    StretchBlt(sized.Canvas().Handle(), 0, 0, width, height, original.Canvas().Handle(), 0, 0, original.Width(),
               original.Height(), SRCCOPY);
  }
  if (TAlphaBlendFunction blend = SystemAlphaBlend()) {
    blend(background.Canvas().Handle(), 0, 0, width, height, sized.Canvas().Handle(), 0, 0, width, height,
          BlendOf(constant_alpha));
  } else {
    std::vector<uint32_t> pixels = background.GetPixels();
    const std::vector<uint32_t> over = sized.GetPixels();
    for (size_t i = 0; i < pixels.size(); ++i)
      pixels[i] = lxBlendPixel(over[i], pixels[i], constant_alpha);
    background.SetPixels(pixels);
  }
  GdiFlush();
  BitBlt(destination, destination_rect.Left, destination_rect.Top, width, height, background.Canvas().Handle(), 0, 0,
         SRCCOPY);
}

// What drawing needs of an image: its pixels, whether their alpha counts,
// and which pixels the image list's mask hides.
struct TSourceImage {
  TlxPixelImage Pixels;
  bool AlphaCounts = false;
  std::vector<bool> Masked;
};

TSourceImage GlyphImage(TBitmap& glyph) {
  return {lxReadBitmapPixels(glyph), glyph.PixelFormat() == pf32bit, {}};
}

TSourceImage ListImage(TCustomImageList& images, int32_t index) {
  IMAGEINFO info{};
  if (!ImageList_GetImageInfo(images.Handle(), index, &info))
    return {};
  TSourceImage source;
  source.Pixels = lxCropPixels(lxReadSystemBitmapPixels(info.hbmImage), TRect(info.rcImage));
  BITMAP strip{};
  source.AlphaCounts = GetObjectW(info.hbmImage, sizeof strip, &strip) != 0 && strip.bmBitsPixel == 32;
  if (info.hbmMask != nullptr) {
    const TlxPixelImage mask = lxCropPixels(lxReadSystemBitmapPixels(info.hbmMask), TRect(info.rcImage));
    source.Masked.reserve(mask.Pixels.size());
    for (const uint32_t pixel : mask.Pixels)
      source.Masked.push_back((pixel & 0x00FFFFFFu) != 0);
  }
  return source;
}

// Makes an image without alpha opaque and clears the pixels that its mask,
// its mask colour or its transparent colours make see-through.
void ClearSeeThroughPixels(TSourceImage& source, const TlxPixelTransparency& transparency) {
  for (size_t i = 0; i < source.Pixels.Pixels.size(); ++i) {
    uint32_t& pixel = source.Pixels.Pixels[i];
    pixel |= 0xFF000000u;
    const bool masked = i < source.Masked.size() && source.Masked[i];
    if (masked || transparency.IsTransparent(pixel))
      pixel = 0;
  }
}

}  // namespace

bool lxSystemAlphaBlendAvailable() { return SystemAlphaBlend() != nullptr; }

void lxAlphaBlend(HDC destination, HDC source, const TRect& destination_rect, const TRect& source_rect,
                  bool smooth_stretch, uint8_t constant_alpha) {
  if (destination_rect.Width() <= 0 || destination_rect.Height() <= 0 || source_rect.Width() <= 0 ||
      source_rect.Height() <= 0)
    return;
  const bool same_size =
      destination_rect.Width() == source_rect.Width() && destination_rect.Height() == source_rect.Height();
  TAlphaBlendFunction blend = SystemAlphaBlend();
  if (blend != nullptr && (!smooth_stretch || same_size)) {
    blend(destination, destination_rect.Left, destination_rect.Top, destination_rect.Width(),
          destination_rect.Height(), source, source_rect.Left, source_rect.Top, source_rect.Width(),
          source_rect.Height(), BlendOf(constant_alpha));
    return;
  }
  BlendInSoftware(destination, source, destination_rect, source_rect, smooth_stretch, constant_alpha);
}

void lxDrawImageOverBackground(HDC destination, const TRect& image_rect, const TRect& background_rect,
                               TBitmap* glyph, TCustomImageList* images, int32_t image_index, int32_t draw_mode,
                               bool smooth_stretch, HBRUSH background_brush, TColor mask_color,
                               bool glyph_transparent) {
  const bool has_list_image = images != nullptr && image_index >= 0 && image_index < images->Count();
  if (glyph == nullptr && !has_list_image)
    return;
  if (background_rect.Width() <= 0 || background_rect.Height() <= 0)
    return;

  TlxBitmap work(background_rect.Width(), background_rect.Height());
  if (background_brush != nullptr) {
    const RECT whole{0, 0, work.Width(), work.Height()};
    FillRect(work.Canvas().Handle(), &whole, background_brush);
  } else {
    BitBlt(work.Canvas().Handle(), 0, 0, work.Width(), work.Height(), destination, background_rect.Left,
           background_rect.Top, SRCCOPY);
  }

  TSourceImage source = glyph != nullptr ? GlyphImage(*glyph) : ListImage(*images, image_index);
  if (source.Pixels.Width <= 0 || source.Pixels.Height <= 0)
    return;
  const bool alpha = source.AlphaCounts && std::any_of(source.Pixels.Pixels.begin(), source.Pixels.Pixels.end(),
                                                       [](uint32_t pixel) { return (pixel >> 24) != 0; });
  TlxBitmap image(source.Pixels.Width, source.Pixels.Height);
  if (!alpha) {
    if (mask_color != clNone)
      image.TransparentColors().push_back(lxPixelToRGB(lxColorToBGRA(mask_color, 0)));
    if (glyph != nullptr && glyph_transparent)
      image.TransparentColors().push_back(lxPixelToRGB(lxColorToBGRA(glyph->TransparentColor(), 0)));
    ClearSeeThroughPixels(source, image.Transparency());
  }
  lxWriteBitmapPixels(source.Pixels, image);

  TRect target(image_rect.Left - background_rect.Left, image_rect.Top - background_rect.Top,
               image_rect.Right - background_rect.Left, image_rect.Bottom - background_rect.Top);
  uint8_t blend_alpha = 255;
  switch (draw_mode) {
    case lxidmDisabled:
      if (alpha) {
        image.ProcessPixels(lxpfGreenGrey);
        blend_alpha = 151;
      } else {
        image.ProcessPixels(lxpfDisabledGrey);
        image.AddShadow(image, 1, clBtnHighlight, false);
      }
      break;
    case lxidmFaded:
      image.ProcessPixels(lxpfLuminanceGrey);
      blend_alpha = 64;
      break;
    case lxidmGrayed:
      image.ProcessPixels(lxpfAverageGrey);
      break;
    case lxidmLightened:
      image.ProcessPixels(lxpfLighten);
      break;
    case lxidmShadowed:
      image.AddShadow(image, 2, clBtnShadow, true);
      target = TRect(target.Left - 1, target.Top - 1, target.Right + 1, target.Bottom + 1);
      break;
    default:
      break;
  }
  image.AlphaBlendTo(work, target, smooth_stretch, blend_alpha);
  lxDrawBitmapWithPalette(destination, work, background_rect, TPoint(0, 0), SRCCOPY);
}

void lxRotateBitmap(TlxCanvas*, TBitmap& bitmap, int32_t angle_index, bool mirror) {
  if (bitmap.Empty() || angle_index < 0 || angle_index > 3 || (angle_index == 0 && !mirror))
    return;
  const TlxPixelImage turned = lxRotatePixels(lxReadBitmapPixels(bitmap), angle_index, mirror);
  bitmap.SetSize(turned.Width, turned.Height);
  lxWriteBitmapPixels(turned, bitmap);
}

void lxRenderBitmapMask(TlxBitmap& bitmap, TBitmap& destination) {
  TlxBitmap copy(bitmap.Width(), bitmap.Height());
  copy.CopyBitmap(bitmap);
  copy.SetTransparentBkColor(bitmap.TransparentBkColor());
  copy.TransparentColors() = bitmap.TransparentColors();
  if (!copy.IsAlphaUsed())
    copy.SetTransparentColor(bitmap.TransparentColor());
  copy.ProcessPixels(lxpfMask);
  BitBlt(destination.Canvas().Handle(), 0, 0, copy.Width(), copy.Height(), copy.Canvas().Handle(), 0, 0, SRCCOPY);
}

void lxDrawBitmapWithPalette(HDC dc, TBitmap& bitmap, const TRect& destination_rect, const TPoint& source_point,
                             DWORD raster_operation) {
  HPALETTE palette = nullptr;
  HPALETTE previous = nullptr;
  const std::vector<TColor> colors = bitmap.PaletteColors();
  if (!colors.empty() && GetDeviceCaps(dc, BITSPIXEL) <= 8) {
    // A device of at most 8 bits per pixel shows no more than 256 colours,
    // so a fixed-size palette record holds every entry it can realise.
    struct {
      WORD palVersion;
      WORD palNumEntries;
      PALETTEENTRY palPalEntry[256];
    } logical{};
    const size_t count = std::min<size_t>(colors.size(), std::size(logical.palPalEntry));
    logical.palVersion = 0x300;
    logical.palNumEntries = static_cast<WORD>(count);
    for (size_t i = 0; i < count; ++i)
      logical.palPalEntry[i] = PALETTEENTRY{GetRValue(colors[i]), GetGValue(colors[i]), GetBValue(colors[i]), 0};
    palette = CreatePalette(reinterpret_cast<const LOGPALETTE*>(&logical));
    previous = SelectPalette(dc, palette, TRUE);
    RealizePalette(dc);
  }
  BitBlt(dc, destination_rect.Left, destination_rect.Top, destination_rect.Width(), destination_rect.Height(),
         bitmap.Canvas().Handle(), source_point.X, source_point.Y, raster_operation);
  if (palette != nullptr) {
    SelectPalette(dc, previous, TRUE);
    DeleteObject(palette);
  }
}

std::unique_ptr<TBitmap> lxCreateSizedBitmap(int32_t width, int32_t height, TPixelFormat format) {
  return std::make_unique<TBitmap>(width, height, format);
}

std::unique_ptr<TBitmap> lxCreateBitmapForSize(const TSize& size, TPixelFormat format) {
  return lxCreateSizedBitmap(size.cx, size.cy, format);
}

int32_t lxGetBitmapBitsPerPixel(const TBitmap& bitmap, HDC dc) {
  if (bitmap.PixelFormat() == pfDevice || bitmap.PixelFormat() == pfCustom)
    return GetDeviceCaps(dc, BITSPIXEL);
  return BitsPerPixel(bitmap.PixelFormat());
}
