#include "ui/foundation/bitmaps/lx_bitmap_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/scope.h"
#include "tests/support/system_colors.h"
#include "tests/ui/foundation/bitmaps/stored_bytes.h"
#include "ui/foundation/bitmaps/image_drawing_win.h"
#include "ui/foundation/bitmaps/pixel_access_win.h"

namespace {

constexpr uint32_t Pixel(uint8_t blue, uint8_t green, uint8_t red, uint8_t alpha) {
  return uint32_t{blue} | uint32_t{green} << 8 | uint32_t{red} << 16 | uint32_t{alpha} << 24;
}

// Exposes the stored "Data" of a bitmap.
class StoredBitmap : public TlxBitmap {
 public:
  using TlxBitmap::TlxBitmap;
  using TlxCustomBitmap::ReadData;
  using TlxCustomBitmap::WriteData;
};

std::vector<uint8_t> DataOf(StoredBitmap& bitmap) {
  TMemoryStream stream;
  bitmap.WriteData(stream);
  return stream.Bytes();
}

void ReadDataInto(StoredBitmap& bitmap, const std::vector<uint8_t>& data) {
  TMemoryStream stream;
  bitmaps_test::FillFromStart(stream, data);
  bitmap.ReadData(stream);
}

// A 4 x 3 bitmap with a different pixel everywhere, alpha included.
void FillDistinct(TlxBitmap& bitmap) {
  std::vector<uint32_t> pixels(static_cast<size_t>(bitmap.Width()) * bitmap.Height());
  for (size_t i = 0; i < pixels.size(); ++i)
    pixels[i] = Pixel(static_cast<uint8_t>(10 * i), static_cast<uint8_t>(200 - i), 7, static_cast<uint8_t>(20 * i));
  bitmap.SetPixels(pixels);
}

TEST(LxBitmapTest, PixelsRunBottomRowFirstAndKeepTheirAlpha) {
  TlxBitmap bitmap(3, 2);
  bitmap.Canvas().SetPixel(0, 0, RGB(255, 0, 0));  // top-left
  const std::vector<uint32_t> pixels = bitmap.GetPixels();
  ASSERT_EQ(pixels.size(), 6u);
  EXPECT_EQ(pixels[3] & 0xFFFFFFu, 0xFF0000u);  // first pixel of the second (top) row
  EXPECT_EQ(pixels[0] & 0xFFFFFFu, 0u);

  FillDistinct(bitmap);
  const std::vector<uint32_t> written = bitmap.GetPixels();
  TlxBitmap copy(3, 2);
  copy.SetPixels(written);
  EXPECT_EQ(copy.GetPixels(), written);
  EXPECT_THROW(copy.SetPixels({1, 2}), EInvalidArgument);
}

TEST(LxBitmapTest, ClearUsesTheTransparentBackgroundOnlyWithAlpha) {
  TlxBitmap clear(2, 2, Pixel(1, 2, 3, 0));
  EXPECT_FALSE(clear.IsAlphaUsed());
  EXPECT_EQ(clear.GetPixels()[0], 0u);
  TlxBitmap filled(2, 2, Pixel(1, 2, 3, 4));
  EXPECT_TRUE(filled.IsAlphaUsed());
  EXPECT_EQ(filled.GetPixels(), std::vector<uint32_t>(4, Pixel(1, 2, 3, 4)));
  // A new size clears again.
  filled.SetSize(3, 1);
  EXPECT_EQ(filled.GetPixels(), std::vector<uint32_t>(3, Pixel(1, 2, 3, 4)));
}

TEST(LxBitmapTest, ProcessPixelsRunsTheFilterOverTheRealPixels) {
  TlxBitmap bitmap(2, 1);
  bitmap.SetPixels({Pixel(0, 0, 200, 255), Pixel(255, 128, 0, 128)});
  // 0.299 * 200 = 59.8; 0.587 * 128 + 0.114 * 255 = 104.2.
  bitmap.ProcessPixels(lxpfLuminanceGrey);
  EXPECT_EQ(bitmap.GetPixels(), (std::vector<uint32_t>{Pixel(60, 60, 60, 255), Pixel(104, 104, 104, 128)}));
  bitmap.ProcessPixels(lxpfClearAlpha);
  EXPECT_FALSE(bitmap.IsAlphaUsed());
}

TEST(LxBitmapTest, DisabledFilterBlendsTheCurrentButtonShadow) {
  test_support::ScopedSystemColor shadow(COLOR_BTNSHADOW, RGB(0, 0, 255));
  TlxBitmap bitmap(1, 1);
  bitmap.SetPixels({Pixel(0, 0, 0, 255)});
  bitmap.ProcessPixels(lxpfDisabledGrey);
  // Grey 0 under the blue shadow at 0xC0, factor 238: blue 238.
  EXPECT_EQ(bitmap.GetPixels()[0], Pixel(238, 0, 0, 255));
}

TEST(LxBitmapTest, TransparentColourStaysClearWhileTheRestTurnsOpaque) {
  TlxBitmap bitmap(2, 1);
  bitmap.SetPixels({Pixel(255, 0, 255, 0), Pixel(10, 20, 30, 0)});
  bitmap.SetTransparentColor(RGB(255, 0, 255));
  EXPECT_TRUE(bitmap.IsTransparentPixel(Pixel(255, 0, 255, 0)));
  EXPECT_EQ(bitmap.GetPixels(), (std::vector<uint32_t>{Pixel(255, 0, 255, 0), Pixel(10, 20, 30, 255)}));
}

TEST(LxBitmapTest, UpdateBracketFoldsChangesIntoOneNotification) {
  TlxBitmap bitmap(2, 2);
  int notified = 0;
  bitmap.OnChange = [&](TObject*) { ++notified; };
  bitmap.BeginUpdate();
  bitmap.Clear();
  bitmap.SetPixels({1, 2, 3, 4});
  bitmap.ProcessPixels(lxpfOpaque);
  EXPECT_EQ(notified, 0);
  bitmap.EndUpdate(false);
  EXPECT_EQ(notified, 1);

  bitmap.BeginUpdate();
  bitmap.EndUpdate(false);
  EXPECT_EQ(notified, 1);  // nothing changed, nothing forced
  bitmap.BeginUpdate();
  bitmap.EndUpdate(true);
  EXPECT_EQ(notified, 2);
}

TEST(LxBitmapTest, RotatingTurnsTheRealBitmap) {
  TlxBitmap bitmap(3, 2);
  bitmap.Canvas().SetPixel(2, 0, RGB(0, 255, 0));  // top-right
  bitmap.Rotate(1);
  ASSERT_EQ(bitmap.Width(), 2);
  ASSERT_EQ(bitmap.Height(), 3);
  EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), RGB(0, 255, 0));

  // A 24-bit bitmap turns the same way.
  TBitmap plain(3, 2, pf24bit);
  plain.Canvas().Brush().SetColor(clBlack);
  plain.Canvas().FillRect(TRect(0, 0, 3, 2));
  plain.Canvas().SetPixel(0, 1, RGB(9, 9, 9));  // bottom-left
  lxRotateBitmap(nullptr, plain, 2, false);     // to (H - 1 - y, x) = (0, 0)
  EXPECT_EQ(plain.Width(), 2);
  EXPECT_EQ(plain.Canvas().Pixel(0, 0), RGB(9, 9, 9));
}

TEST(LxBitmapDataTest, PlainAndCompressedDataRoundTrip) {
  for (bool compress : {false, true}) {
    StoredBitmap source(4, 3);
    FillDistinct(source);
    source.SetCompressData(compress);
    const std::vector<uint8_t> data = DataOf(source);
    ASSERT_GE(data.size(), 10u);
    EXPECT_EQ(data[4] == 'X' && data[5] == 'D' && data[6] == 'B' && data[7] == 'M', compress);
    StoredBitmap loaded;
    ReadDataInto(loaded, data);
    EXPECT_EQ(loaded.Width(), 4);
    EXPECT_EQ(loaded.GetPixels(), source.GetPixels()) << compress;
  }
}

TEST(LxBitmapDataTest, EmptyBitmapDataLoads) {
  StoredBitmap empty;
  const std::vector<uint8_t> data = DataOf(empty);
  EXPECT_EQ(data, (std::vector<uint8_t>{0, 0, 0, 0}));
  StoredBitmap loaded(3, 3);
  ReadDataInto(loaded, data);
  EXPECT_TRUE(loaded.Empty());
}

TEST(LxBitmapDataTest, DamagedDataIsTheReadErrorAndChangesNothing) {
  StoredBitmap source(4, 3);
  FillDistinct(source);
  source.SetCompressData(true);
  const std::vector<uint8_t> good = DataOf(source);
  std::vector<uint8_t> truncated(good.begin(), good.end() - 3);
  std::vector<uint8_t> lying_length = good;
  lying_length[2] = 0x7F;
  std::vector<uint8_t> not_a_bitmap = {4, 0, 0, 0, 'n', 'o', 'p', 'e'};
  std::vector<uint8_t> plain_cut = {200, 0, 0, 0, 'B', 'M'};
  for (const std::vector<uint8_t>* data : {&truncated, &lying_length, &not_a_bitmap, &plain_cut}) {
    StoredBitmap target(2, 2, Pixel(5, 6, 7, 8));
    EXPECT_THROW(ReadDataInto(target, *data), EReadError);
    EXPECT_EQ(target.Width(), 2);
    EXPECT_EQ(target.GetPixels(), std::vector<uint32_t>(4, Pixel(5, 6, 7, 8)));
  }
}

// --- drawing over a background ----------------------------------------------------

// A 16 x 16 glyph without alpha: magenta (its transparent colour, being the
// bottom-left pixel) around a black square from (4, 4) to (11, 11).
std::unique_ptr<TBitmap> SquareGlyph() {
  auto glyph = std::make_unique<TBitmap>(16, 16, pf24bit);
  glyph->Canvas().Brush().SetColor(RGB(255, 0, 255));
  glyph->Canvas().FillRect(TRect(0, 0, 16, 16));
  glyph->Canvas().Brush().SetColor(clBlack);
  glyph->Canvas().FillRect(TRect(4, 4, 12, 12));
  return glyph;
}

std::unique_ptr<TBitmap> Surface(TColor color) {
  auto surface = std::make_unique<TBitmap>(24, 24, pf32bit);
  surface->Canvas().Brush().SetColor(color);
  surface->Canvas().FillRect(TRect(0, 0, 24, 24));
  return surface;
}

TEST(DrawImageOverBackgroundTest, DisabledGlyphGetsAHighlightShadowRightAndBelow) {
  test_support::ScopedSystemColor highlight(COLOR_BTNHIGHLIGHT, RGB(0, 255, 0));
  test_support::ScopedSystemColor shadow(COLOR_BTNSHADOW, RGB(0, 0, 255));
  auto glyph = SquareGlyph();
  auto surface = Surface(RGB(10, 20, 30));
  const TRect rect(4, 4, 20, 20);
  lxDrawImageOverBackground(surface->Canvas().Handle(), rect, rect, glyph.get(), nullptr, -1, lxidmDisabled, false,
                            nullptr, clNone, true);
  TCanvas& canvas = surface->Canvas();
  struct Point {
    const char* name;
    int32_t x;
    int32_t y;
    TColor color;
  };
  const Point points[] = {
      {"outside the image", 1, 1, RGB(10, 20, 30)},
      {"see-through part", 5, 5, RGB(10, 20, 30)},
      {"shape: grey under the shadow colour", 12, 12, RGB(0, 0, 238)},
      {"right of the shape", 16, 10, RGB(0, 255, 0)},
      {"below the shape", 10, 16, RGB(0, 255, 0)},
      {"below-right corner", 16, 16, RGB(0, 255, 0)},
      {"left of the shape", 7, 10, RGB(10, 20, 30)},
      {"two below the shape", 10, 17, RGB(10, 20, 30)},
  };
  for (const Point& p : points)
    EXPECT_EQ(canvas.Pixel(p.x, p.y), p.color) << p.name;
}

TEST(DrawImageOverBackgroundTest, ModesGiveTheirLooks) {
  auto glyph = std::make_unique<TBitmap>(4, 4, pf24bit);
  glyph->Canvas().Brush().SetColor(RGB(200, 100, 0));
  glyph->Canvas().FillRect(TRect(0, 0, 4, 4));
  struct Case {
    int32_t mode;
    TColor centre;
  };
  const Case cases[] = {
      {lxidmNormal, RGB(200, 100, 0)},
      // Average grey: (200 + 100 + 0) / 3.
      {lxidmGrayed, RGB(100, 100, 100)},
      // Lightened: c + MulDiv(255 - c, 3, 10).
      {lxidmLightened, RGB(217, 147, 77)},
  };
  for (const Case& c : cases) {
    auto surface = Surface(clWhite);
    const TRect rect(2, 2, 6, 6);
    lxDrawImageOverBackground(surface->Canvas().Handle(), rect, rect, glyph.get(), nullptr, -1, c.mode, false,
                              nullptr, clNone, false);
    EXPECT_EQ(surface->Canvas().Pixel(3, 3), c.centre) << c.mode;
  }
  // Nothing without a glyph or image.
  auto surface = Surface(clWhite);
  lxDrawImageOverBackground(surface->Canvas().Handle(), TRect(0, 0, 4, 4), TRect(0, 0, 4, 4), nullptr, nullptr, 0,
                            lxidmNormal, false, nullptr, clNone, false);
  EXPECT_EQ(surface->Canvas().Pixel(1, 1), clWhite);
}

TEST(DrawImageOverBackgroundTest, BrushFillsTheBackgroundAndAlphaGlyphsBlend) {
  TlxBitmap glyph(2, 2);
  // Premultiplied: half of pure red, half see-through.
  glyph.SetPixels(std::vector<uint32_t>(4, Pixel(0, 0, 128, 128)));
  auto surface = Surface(clBlack);
  HBRUSH brush = CreateSolidBrush(RGB(0, 0, 200));
  TScopeExit free_brush([brush] { DeleteObject(brush); });
  lxDrawImageOverBackground(surface->Canvas().Handle(), TRect(1, 1, 3, 3), TRect(0, 0, 4, 4), &glyph, nullptr, -1,
                            lxidmNormal, false, brush, clNone, false);
  const TColor blended = surface->Canvas().Pixel(1, 1);
  EXPECT_NEAR(GetRValue(blended), 128, 1);
  EXPECT_NEAR(GetBValue(blended), 100, 1);
  EXPECT_EQ(surface->Canvas().Pixel(0, 0), RGB(0, 0, 200));
}

TEST(DrawImageOverBackgroundTest, ShadowedModeGrowsTheTargetAndDrawsTheShadow) {
  test_support::ScopedSystemColor shadow(COLOR_BTNSHADOW, RGB(0, 0, 255));
  auto glyph = SquareGlyph();
  auto surface = Surface(clWhite);
  const TRect rect(4, 4, 20, 20);
  lxDrawImageOverBackground(surface->Canvas().Handle(), rect, TRect(0, 0, 24, 24), glyph.get(), nullptr, -1,
                            lxidmShadowed, false, nullptr, clNone, true);
  // The image moved by (-1, -1): its square spans (7, 7) to (14, 14).
  EXPECT_EQ(surface->Canvas().Pixel(7, 7), clBlack);
  EXPECT_EQ(surface->Canvas().Pixel(15, 15), RGB(0, 0, 255));
  EXPECT_EQ(surface->Canvas().Pixel(16, 16), RGB(0, 0, 255));
  EXPECT_EQ(surface->Canvas().Pixel(17, 17), clWhite);
}

TEST(AlphaBlendTest, SystemAndSoftwarePathsAgree) {
  ASSERT_TRUE(lxSystemAlphaBlendAvailable());
  TlxBitmap source(2, 2);
  source.SetPixels(std::vector<uint32_t>(4, Pixel(0, 0, 255, 255)));
  for (bool smooth : {false, true}) {
    auto surface = Surface(clWhite);
    // Smooth stretching between sizes takes the software path.
    lxAlphaBlend(surface->Canvas().Handle(), source.Canvas().Handle(), TRect(0, 0, 4, 4), TRect(0, 0, 2, 2), smooth,
                 128);
    const TColor blended = surface->Canvas().Pixel(2, 2);
    // The library's filter works in 1/256 steps and may leave the alpha a
    // step or two short of opaque.
    EXPECT_NEAR(GetRValue(blended), 255, 1) << smooth;
    EXPECT_NEAR(GetGValue(blended), 127, 3) << smooth;
    EXPECT_EQ(surface->Canvas().Pixel(5, 5), clWhite) << smooth;
  }
}

TEST(RenderBitmapMaskTest, TransparentColourBecomesWhite) {
  TlxBitmap bitmap(2, 1);
  bitmap.SetPixels({Pixel(255, 0, 255, 0), Pixel(0, 0, 0, 0)});
  bitmap.SetTransparentMode(tmFixed);
  bitmap.TBitmap::SetTransparentColor(RGB(255, 0, 255));
  TBitmap mask(2, 1, pf32bit);
  lxRenderBitmapMask(bitmap, mask);
  EXPECT_EQ(mask.Canvas().Pixel(0, 0), clWhite);
  EXPECT_EQ(mask.Canvas().Pixel(1, 0), clBlack);
}

}  // namespace
