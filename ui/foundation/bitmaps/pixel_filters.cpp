#include "ui/foundation/bitmaps/pixel_filters.h"

#include <algorithm>
#include <cmath>

#include "platform/rtl/exceptions.h"

namespace {

struct TChannels {
  double Blue;
  double Green;
  double Red;
  double Alpha;
};

uint8_t Channel(uint32_t pixel, int index) { return static_cast<uint8_t>(pixel >> (8 * index)); }

// Rounded halves to even (the default rounding mode) and limited to 0..255.
uint32_t ToChannel(double value) { return static_cast<uint32_t>(std::clamp(std::nearbyint(value), 0.0, 255.0)); }

uint32_t Pack(const TChannels& channels) {
  return ToChannel(channels.Blue) | ToChannel(channels.Green) << 8 | ToChannel(channels.Red) << 16 |
         ToChannel(channels.Alpha) << 24;
}

uint32_t Grey(uint32_t pixel, double red_weight, double green_weight, double blue_weight) {
  const double grey = red_weight * Channel(pixel, 2) + green_weight * Channel(pixel, 1) + blue_weight * Channel(pixel, 0);
  return Pack({grey, grey, grey, static_cast<double>(Channel(pixel, 3))});
}

uint32_t AverageGrey(uint32_t pixel) {
  const uint32_t grey = (uint32_t{Channel(pixel, 0)} + Channel(pixel, 1) + Channel(pixel, 2)) / 3;
  return grey | grey << 8 | grey << 16 | (pixel & 0xFF000000u);
}

uint32_t Lighten(uint32_t pixel) {
  uint32_t result = 0;
  if (Channel(pixel, 3) == 255) {
    for (int i = 0; i < 3; ++i) {
      const int32_t c = Channel(pixel, i);
      result |= static_cast<uint32_t>(std::min(255, c + lxMulDivRounded(255 - c, 3, 10))) << (8 * i);
    }
    return result | 0xFF000000u;
  }
  for (int i = 0; i < 4; ++i)
    result |= static_cast<uint32_t>(lxMulDivRounded(Channel(pixel, i), 200, 255)) << (8 * i);
  return result;
}

bool SkipsTransparent(int32_t filter) {
  switch (filter) {
    case lxpfLighten:
    case lxpfDisabledGrey:
    case lxpfAverageGrey:
    case lxpfLuminanceGrey:
    case lxpfGreenGrey:
    case lxpfOpaqueWhereClear:
      return true;
    default:
      return false;
  }
}

}  // namespace

bool TlxPixelTransparency::IsTransparent(uint32_t pixel) const {
  if (pixel == Background)
    return true;
  const uint32_t rgb = lxPixelToRGB(pixel);
  return std::find(Colors.begin(), Colors.end(), rgb) != Colors.end();
}

uint32_t lxPixelToRGB(uint32_t pixel) {
  return uint32_t{Channel(pixel, 2)} | uint32_t{Channel(pixel, 1)} << 8 | uint32_t{Channel(pixel, 0)} << 16;
}

uint32_t lxRGBToPixel(uint32_t rgb, uint8_t alpha) {
  return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16 | uint32_t{alpha} << 24;
}

int32_t lxMulDivRounded(int32_t a, int32_t b, int32_t c) {
  if (c == 0)
    return -1;
  const int64_t product = int64_t{a} * b;
  return static_cast<int32_t>((product + c / 2) / c);
}

uint32_t lxBlendPixel(uint32_t color, uint32_t pixel, int32_t factor) {
  const double c = factor / 255.0;
  const double d = c * Channel(color, 3);
  const double e = 1 - d / 255;
  TChannels result{};
  result.Blue = c * Channel(color, 0) + e * Channel(pixel, 0);
  result.Green = c * Channel(color, 1) + e * Channel(pixel, 1);
  result.Red = c * Channel(color, 2) + e * Channel(pixel, 2);
  result.Alpha = d + e * Channel(pixel, 3);
  return Pack(result);
}

uint32_t lxFilterPixel(uint32_t pixel, int32_t filter, const TlxPixelTransparency& transparency, uint32_t shadow) {
  if (SkipsTransparent(filter) && transparency.IsTransparent(pixel))
    return pixel;
  switch (filter) {
    case lxpfLighten:
      return Lighten(pixel);
    case lxpfDisabledGrey:
      return lxBlendPixel((shadow & 0x00FFFFFFu) | 0xC0000000u, Grey(pixel, 0.299, 0.587, 0.114), 238);
    case lxpfAverageGrey:
      return AverageGrey(pixel);
    case lxpfOpaque:
      return pixel | 0xFF000000u;
    case lxpfMask:
      return transparency.IsTransparent(pixel) ? 0xFFFFFFFFu : 0u;
    case lxpfLuminanceGrey:
      return Grey(pixel, 0.299, 0.587, 0.114);
    case lxpfGreenGrey:
      return Grey(pixel, 0.0729, 0.7146, 0.2125);
    case lxpfOpaqueWhereClear:
      return (pixel & 0xFF000000u) == 0 ? pixel | 0xFF000000u : pixel;
    case lxpfBackground:
      return transparency.Background;
    case lxpfClearAlpha:
      return pixel & 0x00FFFFFFu;
    default:
      return pixel;
  }
}

void lxFilterPixels(std::span<uint32_t> pixels, int32_t filter, const TlxPixelTransparency& transparency,
                    uint32_t shadow) {
  for (uint32_t& pixel : pixels)
    pixel = lxFilterPixel(pixel, filter, transparency, shadow);
}

TlxPixelImage lxRotatePixels(const TlxPixelImage& image, int32_t angle_index, bool mirror) {
  const int32_t w = image.Width;
  const int32_t h = image.Height;
  if (w < 0 || h < 0 || image.Pixels.size() != static_cast<size_t>(w) * static_cast<size_t>(h))
    throw EInvalidArgument("The pixel array does not match the image size");
  if (angle_index < 0 || angle_index > 3 || (angle_index == 0 && !mirror))
    return image;
  const bool turned = angle_index == 1 || angle_index == 2;
  // Built whole rather than resized from empty: the optimiser then sees the
  // buffer is allocated before the loop writes into it.
  TlxPixelImage result{turned ? h : w, turned ? w : h, std::vector<uint32_t>(image.Pixels.size())};
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      int32_t to_x = x;
      int32_t to_y = y;
      switch (angle_index) {
        case 0:
          to_y = h - 1 - y;
          break;
        case 1:
          to_x = y;
          to_y = mirror ? x : w - 1 - x;
          break;
        case 2:
          to_x = h - 1 - y;
          to_y = mirror ? w - 1 - x : x;
          break;
        default:
          to_x = w - 1 - x;
          to_y = mirror ? y : h - 1 - y;
          break;
      }
      result.Pixels[static_cast<size_t>(to_y) * static_cast<size_t>(result.Width) + static_cast<size_t>(to_x)] =
          image.Pixels[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)];
    }
  }
  return result;
}

TlxPixelImage lxAddShadowPixels(const TlxPixelImage& image, int32_t offset, uint32_t shadow,
                                const TlxPixelTransparency& transparency, bool resize) {
  const int32_t w = image.Width;
  const int32_t h = image.Height;
  if (w < 0 || h < 0 || image.Pixels.size() != static_cast<size_t>(w) * static_cast<size_t>(h))
    throw EInvalidArgument("The pixel array does not match the image size");
  const int32_t d = std::max(offset, 0);
  TlxPixelImage result;
  result.Width = resize ? w + d : w;
  result.Height = resize ? h + d : h;
  result.Pixels.assign(static_cast<size_t>(result.Width) * static_cast<size_t>(result.Height), transparency.Background);
  auto source_at = [&](int32_t x, int32_t y) -> const uint32_t* {
    if (x < 0 || y < 0 || x >= w || y >= h)
      return nullptr;
    return &image.Pixels[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)];
  };
  for (int32_t y = 0; y < result.Height; ++y) {
    for (int32_t x = 0; x < result.Width; ++x) {
      uint32_t& target = result.Pixels[static_cast<size_t>(y) * static_cast<size_t>(result.Width) + static_cast<size_t>(x)];
      const uint32_t* own = source_at(x, y);
      if (own != nullptr && !transparency.IsTransparent(*own)) {
        target = *own;
        continue;
      }
      const uint32_t* caster = source_at(x - d, y - d);
      if (d > 0 && caster != nullptr && !transparency.IsTransparent(*caster))
        target = shadow;
      else if (own != nullptr)
        target = *own;
    }
  }
  return result;
}

TlxPixelImage lxCropPixels(const TlxPixelImage& image, const TRect& rect) {
  TlxPixelImage part{std::max(rect.Width(), 0), std::max(rect.Height(), 0), {}};
  part.Pixels.assign(static_cast<size_t>(part.Width) * static_cast<size_t>(part.Height), 0);
  for (int32_t y = 0; y < part.Height; ++y) {
    const int32_t from_y = rect.Top + y;
    if (from_y < 0 || from_y >= image.Height)
      continue;
    for (int32_t x = 0; x < part.Width; ++x) {
      const int32_t from_x = rect.Left + x;
      if (from_x < 0 || from_x >= image.Width)
        continue;
      part.Pixels[static_cast<size_t>(y) * static_cast<size_t>(part.Width) + static_cast<size_t>(x)] =
          image.Pixels[static_cast<size_t>(from_y) * static_cast<size_t>(image.Width) + static_cast<size_t>(from_x)];
    }
  }
  return part;
}
