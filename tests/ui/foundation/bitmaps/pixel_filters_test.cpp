#include "ui/foundation/bitmaps/pixel_filters.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/rtl/exceptions.h"

namespace {

constexpr uint32_t Pixel(uint8_t blue, uint8_t green, uint8_t red, uint8_t alpha) {
  return uint32_t{blue} | uint32_t{green} << 8 | uint32_t{red} << 16 | uint32_t{alpha} << 24;
}

TEST(PixelFiltersTest, EachFilterGivesItsPixel) {
  const TlxPixelTransparency none{};
  const uint32_t shadow = Pixel(0x80, 0x80, 0x80, 0);
  struct Case {
    int32_t filter;
    uint32_t pixel;
    uint32_t expected;
  };
  const Case cases[] = {
      // Opaque: c + MulDiv(255 - c, 3, 10); 0 -> 77 (76.5 rounds up), 100 -> 147 (146.5), 255 stays.
      {lxpfLighten, Pixel(0, 100, 255, 255), Pixel(77, 147, 255, 255)},
      // Not opaque: every channel MulDiv(c, 200, 255).
      {lxpfLighten, Pixel(255, 128, 0, 128), Pixel(200, 100, 0, 100)},
      // Grey 0.299 * 200 = 59.8 -> 60.
      {lxpfLuminanceGrey, Pixel(0, 0, 200, 255), Pixel(60, 60, 60, 255)},
      {lxpfLuminanceGrey, Pixel(100, 100, 100, 7), Pixel(100, 100, 100, 7)},
      // 0.0729 * 100 + 0.7146 * 50 + 0.2125 * 20 = 47.27.
      {lxpfGreenGrey, Pixel(20, 50, 100, 255), Pixel(47, 47, 47, 255)},
      {lxpfAverageGrey, Pixel(10, 20, 32, 9), Pixel(20, 20, 20, 9)},
      {lxpfOpaque, Pixel(1, 2, 3, 0), Pixel(1, 2, 3, 255)},
      {lxpfOpaqueWhereClear, Pixel(1, 2, 3, 0), Pixel(1, 2, 3, 255)},
      {lxpfOpaqueWhereClear, Pixel(1, 2, 3, 40), Pixel(1, 2, 3, 40)},
      {lxpfClearAlpha, Pixel(1, 2, 3, 40), Pixel(1, 2, 3, 0)},
      {lxpfMask, Pixel(1, 2, 3, 40), 0u},
      {lxpfBackground, Pixel(1, 2, 3, 40), 0u},
      // Disabled: grey 255, then the shadow at alpha 0xC0 with factor 238:
      // c = 238/255, d = 179.2, e = 0.2972: 0.9333 * 128 + 0.2972 * 255 = 195.3.
      {lxpfDisabledGrey, Pixel(255, 255, 255, 255), Pixel(195, 195, 195, 255)},
      {8, Pixel(1, 2, 3, 4), Pixel(1, 2, 3, 4)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxFilterPixel(c.pixel, c.filter, none, shadow), c.expected) << "filter " << c.filter;
}

TEST(PixelFiltersTest, TransparentPixelsAreSkippedOnlyByTheColourFilters) {
  TlxPixelTransparency transparency;
  transparency.Background = Pixel(0, 0, 0, 0);
  transparency.Colors = {0x0000FF};  // pure red
  const uint32_t red = Pixel(0, 0, 255, 128);
  ASSERT_TRUE(transparency.IsTransparent(red));
  ASSERT_TRUE(transparency.IsTransparent(0));
  ASSERT_FALSE(transparency.IsTransparent(Pixel(0, 0, 254, 128)));
  for (int32_t filter : {0, 1, 2, 5, 6, 7})
    EXPECT_EQ(lxFilterPixel(red, filter, transparency, 0), red) << filter;
  EXPECT_EQ(lxFilterPixel(red, lxpfOpaque, transparency, 0), red | 0xFF000000u);
  EXPECT_EQ(lxFilterPixel(red, lxpfMask, transparency, 0), 0xFFFFFFFFu);
  EXPECT_EQ(lxFilterPixel(red, lxpfClearAlpha, transparency, 0), red & 0xFFFFFFu);

  std::vector<uint32_t> pixels = {red, Pixel(0, 200, 0, 255), 0};
  lxFilterPixels(pixels, lxpfMask, transparency, 0);
  EXPECT_EQ(pixels, (std::vector<uint32_t>{0xFFFFFFFFu, 0, 0xFFFFFFFFu}));
}

TEST(PixelFiltersTest, BlendPixelFollowsTheColourAlpha) {
  // A clear colour leaves the pixel but adds factor * colour to the channels.
  EXPECT_EQ(lxBlendPixel(Pixel(0, 0, 0, 0), Pixel(10, 20, 30, 40), 255), Pixel(10, 20, 30, 40));
  // An opaque colour at full factor replaces the pixel.
  EXPECT_EQ(lxBlendPixel(Pixel(1, 2, 3, 255), Pixel(10, 20, 30, 40), 255), Pixel(1, 2, 3, 255));
  // Halfway: c = 128/255, d = 128, e = 0.498: 0.502 * 200 + 0.498 * 100 = 150.2.
  EXPECT_EQ(lxBlendPixel(Pixel(200, 200, 200, 255), Pixel(100, 100, 100, 0), 128), Pixel(150, 150, 150, 128));
  // Channel results are limited to 255.
  EXPECT_EQ(lxBlendPixel(Pixel(255, 255, 255, 0), Pixel(255, 255, 255, 255), 255), 0xFFFFFFFFu);
}

TEST(PixelFiltersTest, ColoursAndPixelsSwapRedAndBlue) {
  EXPECT_EQ(lxRGBToPixel(0x00336699, 0x80), Pixel(0x33, 0x66, 0x99, 0x80));
  EXPECT_EQ(lxPixelToRGB(Pixel(0x33, 0x66, 0x99, 0x80)), 0x00336699u);
  EXPECT_EQ(lxMulDivRounded(255, 3, 10), 77);
  EXPECT_EQ(lxMulDivRounded(1, 1, 0), -1);
}

// A 3 x 2 image, rows top first:  a b c / d e f.
TlxPixelImage Sample() { return {3, 2, {'a', 'b', 'c', 'd', 'e', 'f'}}; }

TEST(RotatePixelsTest, MapsPixelsByTheRotationTable) {
  struct Case {
    int32_t angle;
    bool mirror;
    int32_t width;
    int32_t height;
    std::vector<uint32_t> pixels;
  };
  const Case cases[] = {
      {0, false, 3, 2, {'a', 'b', 'c', 'd', 'e', 'f'}},
      {0, true, 3, 2, {'d', 'e', 'f', 'a', 'b', 'c'}},
      {1, false, 2, 3, {'c', 'f', 'b', 'e', 'a', 'd'}},
      {1, true, 2, 3, {'a', 'd', 'b', 'e', 'c', 'f'}},
      {2, false, 2, 3, {'d', 'a', 'e', 'b', 'f', 'c'}},
      {2, true, 2, 3, {'f', 'c', 'e', 'b', 'd', 'a'}},
      {3, false, 3, 2, {'f', 'e', 'd', 'c', 'b', 'a'}},
      {3, true, 3, 2, {'c', 'b', 'a', 'f', 'e', 'd'}},
      {4, true, 3, 2, {'a', 'b', 'c', 'd', 'e', 'f'}},
  };
  for (const Case& c : cases) {
    const TlxPixelImage turned = lxRotatePixels(Sample(), c.angle, c.mirror);
    EXPECT_EQ(turned.Width, c.width) << c.angle << c.mirror;
    EXPECT_EQ(turned.Height, c.height) << c.angle << c.mirror;
    EXPECT_EQ(turned.Pixels, c.pixels) << c.angle << c.mirror;
  }
}

TEST(RotatePixelsTest, RefusesAnArrayOfTheWrongSize) {
  EXPECT_THROW(lxRotatePixels({3, 3, {1, 2}}, 1, false), EInvalidArgument);
  EXPECT_EQ(lxRotatePixels({0, 0, {}}, 2, false).Pixels.size(), 0u);
}

}  // namespace

namespace {

TEST(ShadowPixelsTest, ShadowFallsBehindTheShapeOnly) {
  // A 2 x 2 shape in the top-left corner of a 4 x 4 image of clear pixels.
  constexpr uint32_t shape = 0xFF112233u;
  constexpr uint32_t shadow = 0xFFEEEEEEu;
  TlxPixelImage image{4, 4, std::vector<uint32_t>(16, 0)};
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 2; ++x)
      image.Pixels[static_cast<size_t>(y * 4 + x)] = shape;
  const TlxPixelTransparency transparency{};
  const TlxPixelImage shaded = lxAddShadowPixels(image, 1, shadow, transparency, false);
  ASSERT_EQ(shaded.Width, 4);
  const std::vector<uint32_t> expected = {
      shape, shape, 0,      0,  //
      shape, shape, shadow, 0,  //
      0,     shadow, shadow, 0,  //
      0,     0,      0,      0,
  };
  EXPECT_EQ(shaded.Pixels, expected);

  // Growing keeps the whole shadow of a shape that touches the far edges.
  TlxPixelImage full{2, 2, std::vector<uint32_t>(4, shape)};
  const TlxPixelImage grown = lxAddShadowPixels(full, 2, shadow, transparency, true);
  ASSERT_EQ(grown.Width, 4);
  ASSERT_EQ(grown.Height, 4);
  EXPECT_EQ(grown.Pixels[3 * 4 + 3], shadow);
  EXPECT_EQ(grown.Pixels[0 * 4 + 3], 0u);
  EXPECT_EQ(grown.Pixels[1 * 4 + 1], shape);
}

}  // namespace

namespace {

TEST(CropPixelsTest, TakesTheRectangleAndZeroesWhatLiesOutside) {
  const TlxPixelImage image{3, 2, {1, 2, 3, 4, 5, 6}};
  EXPECT_EQ(lxCropPixels(image, TRect(1, 0, 3, 2)).Pixels, (std::vector<uint32_t>{2, 3, 5, 6}));
  const TlxPixelImage beyond = lxCropPixels(image, TRect(2, 1, 4, 3));
  EXPECT_EQ(beyond.Width, 2);
  EXPECT_EQ(beyond.Pixels, (std::vector<uint32_t>{6, 0, 0, 0}));
  EXPECT_TRUE(lxCropPixels(image, TRect(2, 2, 1, 1)).Pixels.empty());
}

}  // namespace
