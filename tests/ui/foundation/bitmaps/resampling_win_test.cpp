#include "ui/foundation/bitmaps/resample_bitmap_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<TBitmap> FilledBitmap(int32_t width, int32_t height, TColor color) {
  auto bitmap = std::make_unique<TBitmap>(width, height, pf32bit);
  bitmap->Canvas().Brush().SetColor(color);
  bitmap->Canvas().FillRect(TRect(0, 0, width, height));
  return bitmap;
}

bool Near(TColor a, TColor b, int tolerance) {
  for (const int shift : {0, 8, 16}) {
    const int difference = std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    if (difference > tolerance)
      return false;
  }
  return true;
}

TEST(ResampleBitmapTest, FilterShrinksFortyPixelsToOne) {
  const TColor colour = RGB(40, 120, 200);
  auto source = FilledBitmap(40, 4, colour);
  auto destination = FilledBitmap(1, 4, clBlack);
  lxResampleBitmap(*source, *destination, true);
  for (int32_t y = 0; y < 4; ++y)
    EXPECT_TRUE(Near(destination->Canvas().Pixel(0, y), colour, 16)) << std::hex << destination->Canvas().Pixel(0, y);
}

TEST(ResampleBitmapTest, FilterDoublingKeepsTheCorners) {
  auto source = FilledBitmap(16, 16, clWhite);
  const TColor corners[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(10, 20, 30)};
  source->Canvas().SetPixel(0, 0, corners[0]);
  source->Canvas().SetPixel(15, 0, corners[1]);
  source->Canvas().SetPixel(0, 15, corners[2]);
  source->Canvas().SetPixel(15, 15, corners[3]);
  auto destination = FilledBitmap(32, 32, clBlack);
  lxResampleBitmap(*source, *destination, true);
  EXPECT_EQ(destination->Canvas().Pixel(0, 0), corners[0]);
  EXPECT_EQ(destination->Canvas().Pixel(31, 0), corners[1]);
  EXPECT_EQ(destination->Canvas().Pixel(0, 31), corners[2]);
  EXPECT_EQ(destination->Canvas().Pixel(31, 31), corners[3]);
  // Half way between white pixels the picture is white again.
  EXPECT_TRUE(Near(destination->Canvas().Pixel(16, 16), clWhite, 2));
}

TEST(ResampleBitmapTest, SystemStretchingWithoutForce) {
  const TColor colour = RGB(200, 100, 50);
  auto source = FilledBitmap(2, 2, colour);
  auto destination = FilledBitmap(8, 6, clBlack);
  lxResampleBitmap(*source, *destination, false);
  EXPECT_TRUE(Near(destination->Canvas().Pixel(0, 0), colour, 8));
  EXPECT_TRUE(Near(destination->Canvas().Pixel(7, 5), colour, 8));
  EXPECT_TRUE(Near(destination->Canvas().Pixel(4, 3), colour, 8));
}

TEST(ResampleBitmapTest, AnEmptySourceLeavesTheDestinationAlone) {
  TBitmap empty;
  auto destination = FilledBitmap(4, 4, clRed);
  for (const bool force : {false, true}) {
    lxResampleBitmap(empty, *destination, force);
    EXPECT_EQ(destination->Canvas().Pixel(2, 2), clRed);
  }
  auto source = FilledBitmap(4, 4, clBlue);
  lxResampleBitmap(*source, empty, true);
  EXPECT_TRUE(empty.Empty());
  EXPECT_EQ(source->Canvas().Pixel(1, 1), clBlue);
}

}  // namespace
