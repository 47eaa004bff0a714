#include "platform/toolkit/canvas.h"

#include <gtest/gtest.h>

#include "platform/toolkit/bitmap.h"

namespace {

constexpr TColor kBackground = clWhite;

// A 32-bit bitmap filled white, to draw on.
std::unique_ptr<TBitmap> WhiteBitmap(int32_t width = 64, int32_t height = 64) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf32bit);
  bitmap->SetSize(width, height);
  bitmap->Canvas().Brush().SetColor(kBackground);
  bitmap->Canvas().FillRect(Rect(0, 0, width, height));
  return bitmap;
}

TEST(CanvasTest, LinesAndFramesLandOnTheirPixels) {
  auto bitmap = WhiteBitmap();
  TCanvas& canvas = bitmap->Canvas();
  canvas.Pen().SetColor(clRed);
  canvas.MoveTo(2, 10);
  canvas.LineTo(30, 10);
  // The end point is not drawn, the start point is.
  EXPECT_EQ(canvas.Pixel(2, 10), clRed);
  EXPECT_EQ(canvas.Pixel(29, 10), clRed);
  EXPECT_EQ(canvas.Pixel(30, 10), kBackground);
  EXPECT_EQ(canvas.PenPos(), TPoint(30, 10));

  canvas.Brush().SetColor(clBlue);
  canvas.FrameRect(Rect(40, 40, 50, 50));
  EXPECT_EQ(canvas.Pixel(40, 40), clBlue);
  EXPECT_EQ(canvas.Pixel(49, 49), clBlue);
  EXPECT_EQ(canvas.Pixel(45, 45), kBackground);  // a frame leaves the inside
  EXPECT_EQ(canvas.Pixel(50, 50), kBackground);
}

TEST(CanvasTest, RectangleOutlinesWithPenAndFillsWithBrush) {
  auto bitmap = WhiteBitmap();
  TCanvas& canvas = bitmap->Canvas();
  canvas.Pen().SetColor(clBlack);
  canvas.Brush().SetColor(clLime);
  canvas.Rectangle(10, 10, 20, 20);
  EXPECT_EQ(canvas.Pixel(10, 10), clBlack);
  EXPECT_EQ(canvas.Pixel(15, 15), clLime);
  EXPECT_EQ(canvas.Pixel(19, 15), clBlack);
  EXPECT_EQ(canvas.Pixel(20, 15), kBackground);

  // A clear brush leaves the inside alone.
  canvas.Brush().SetStyle(bsClear);
  canvas.Rectangle(30, 30, 40, 40);
  EXPECT_EQ(canvas.Pixel(35, 35), kBackground);
  EXPECT_EQ(canvas.Pixel(30, 35), clBlack);
}

TEST(CanvasTest, XorPenDrawnTwiceRestoresAndNotPenInverts) {
  auto bitmap = WhiteBitmap();
  TCanvas& canvas = bitmap->Canvas();
  canvas.Brush().SetColor(RGBColor(0x40, 0x80, 0xC0));
  canvas.FillRect(Rect(0, 0, 64, 64));

  canvas.Pen().SetColor(clWhite);
  canvas.Pen().SetMode(pmXor);
  canvas.MoveTo(0, 5);
  canvas.LineTo(64, 5);
  EXPECT_EQ(canvas.Pixel(10, 5), RGBColor(0xBF, 0x7F, 0x3F));
  canvas.MoveTo(0, 5);
  canvas.LineTo(64, 5);
  EXPECT_EQ(canvas.Pixel(10, 5), RGBColor(0x40, 0x80, 0xC0));

  canvas.Pen().SetMode(pmNot);
  canvas.MoveTo(0, 7);
  canvas.LineTo(64, 7);
  EXPECT_EQ(canvas.Pixel(10, 7), RGBColor(0xBF, 0x7F, 0x3F));
}

TEST(CanvasTest, PatternBrushRepeatsTheBitmap) {
  // A 2 x 2 checkerboard as the brush pattern.
  TBitmap pattern;
  pattern.SetPixelFormat(pf32bit);
  pattern.SetSize(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      pattern.Canvas().SetPixel(x, y, ((x + y) % 2 == 0) ? clRed : clBlue);

  auto bitmap = WhiteBitmap();
  TCanvas& canvas = bitmap->Canvas();
  canvas.Brush().SetBitmap(&pattern);
  canvas.FillRect(Rect(0, 0, 32, 32));
  for (int y = 0; y < 32; y += 5)
    for (int x = 0; x < 32; x += 3)
      EXPECT_EQ(canvas.Pixel(x, y), ((x + y) % 2 == 0) ? clRed : clBlue) << x << "," << y;
  canvas.Brush().SetBitmap(nullptr);
}

TEST(CanvasTest, HatchBrushDrawsBothColours) {
  auto bitmap = WhiteBitmap();
  TCanvas& canvas = bitmap->Canvas();
  canvas.Brush().SetColor(clRed);
  canvas.Brush().SetStyle(bsHorizontal);
  canvas.FillRect(Rect(0, 0, 16, 16));
  int red = 0;
  int other = 0;
  for (int y = 0; y < 16; ++y)
    (canvas.Pixel(4, y) == clRed ? red : other)++;
  EXPECT_GT(red, 0);
  EXPECT_GT(other, 0);
}

TEST(CanvasTest, TextIsDrawnInTheFontColour) {
  auto bitmap = WhiteBitmap(200, 40);
  TCanvas& canvas = bitmap->Canvas();
  canvas.Font().SetColor(clRed);
  canvas.Font().SetHeight(-20);
  canvas.Brush().SetStyle(bsClear);
  const TSize extent = canvas.TextExtent("WWWW");
  ASSERT_GT(extent.cx, 10);
  ASSERT_GT(extent.cy, 10);
  EXPECT_GT(canvas.TextWidth("WWWWWWWW"), extent.cx);
  canvas.TextOut(2, 2, "WWWW");
  int red = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 200; ++x)
      if (canvas.Pixel(x, y) == clRed)
        ++red;
  EXPECT_GT(red, 20);
  // Nothing beyond the text's extent.
  for (int y = 0; y < 40; ++y)
    EXPECT_EQ(canvas.Pixel(2 + extent.cx + 4, y), kBackground);
}

TEST(CanvasTest, TextRectClipsAndCalculates) {
  auto bitmap = WhiteBitmap(200, 60);
  TCanvas& canvas = bitmap->Canvas();
  canvas.Font().SetColor(clBlack);
  canvas.Brush().SetColor(clYellow);
  canvas.TextRect(Rect(10, 10, 30, 30), 10, 10, "A long text that does not fit");
  EXPECT_EQ(canvas.Pixel(35, 15), kBackground);  // clipped
  EXPECT_EQ(canvas.Pixel(10, 29), clYellow);     // the rectangle is filled

  TRect measured = Rect(0, 0, 60, 0);
  canvas.TextRect(measured, "one two three four five six", {tfWordBreak, tfCalcRect});
  EXPECT_LE(measured.Width(), 60);
  EXPECT_GT(measured.Height(), canvas.TextHeight("one"));  // wrapped onto more lines
}

TEST(CanvasTest, ClipRectFollowsTheContext) {
  auto bitmap = WhiteBitmap(50, 40);
  TCanvas& canvas = bitmap->Canvas();
  EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 50, 40));
  IntersectClipRect(canvas.Handle(), 5, 5, 20, 20);
  EXPECT_EQ(canvas.ClipRect(), Rect(5, 5, 20, 20));
  canvas.Brush().SetColor(clRed);
  canvas.FillRect(Rect(0, 0, 50, 40));
  EXPECT_EQ(canvas.Pixel(4, 4), kBackground);
  EXPECT_EQ(canvas.Pixel(10, 10), clRed);
}

TEST(CanvasTest, CopyRectHonoursTheCopyMode) {
  auto source = WhiteBitmap(16, 16);
  source->Canvas().SetPixel(3, 3, clRed);
  auto target = WhiteBitmap(16, 16);
  target->Canvas().Brush().SetColor(RGBColor(0x10, 0x20, 0x30));
  target->Canvas().FillRect(Rect(0, 0, 16, 16));

  target->Canvas().SetCopyMode(cmSrcCopy);
  target->Canvas().CopyRect(Rect(0, 0, 8, 8), source->Canvas(), Rect(0, 0, 8, 8));
  EXPECT_EQ(target->Canvas().Pixel(3, 3), clRed);
  EXPECT_EQ(target->Canvas().Pixel(4, 4), clWhite);
  EXPECT_EQ(target->Canvas().Pixel(10, 10), RGBColor(0x10, 0x20, 0x30));

  target->Canvas().SetCopyMode(cmDstInvert);
  target->Canvas().CopyRect(Rect(8, 8, 16, 16), source->Canvas(), Rect(0, 0, 8, 8));
  EXPECT_EQ(target->Canvas().Pixel(10, 10), RGBColor(0xEF, 0xDF, 0xCF));

  // Stretching doubles each pixel.
  target->Canvas().SetCopyMode(cmSrcCopy);
  target->Canvas().CopyRect(Rect(0, 0, 16, 16), source->Canvas(), Rect(0, 0, 8, 8));
  EXPECT_EQ(target->Canvas().Pixel(6, 6), clRed);
  EXPECT_EQ(target->Canvas().Pixel(7, 7), clRed);
}

TEST(CanvasTest, ShapesAndPixelsStayWithinTheirBounds) {
  auto bitmap = WhiteBitmap();
  TCanvas& canvas = bitmap->Canvas();
  canvas.Pen().SetColor(clBlack);
  canvas.Brush().SetColor(clBlue);
  canvas.Ellipse(10, 10, 30, 30);
  EXPECT_EQ(canvas.Pixel(20, 20), clBlue);
  EXPECT_EQ(canvas.Pixel(10, 10), kBackground);  // corner outside the ellipse
  canvas.Polygon({{40, 40}, {60, 40}, {50, 60}});
  EXPECT_EQ(canvas.Pixel(50, 45), clBlue);
  EXPECT_EQ(canvas.Pixel(41, 58), kBackground);
  canvas.SetPixel(1, 1, clFuchsia);
  EXPECT_EQ(canvas.Pixel(1, 1), clFuchsia);
  EXPECT_EQ(canvas.Pixel(-1, -1), clNone);  // outside the image
}

TEST(CanvasTest, DrawFocusRectInvertsTwice) {
  auto bitmap = WhiteBitmap(20, 20);
  TCanvas& canvas = bitmap->Canvas();
  canvas.DrawFocusRect(Rect(2, 2, 18, 18));
  bool changed = false;
  for (int x = 2; x < 18; ++x)
    changed |= canvas.Pixel(x, 2) != kBackground;
  EXPECT_TRUE(changed);
  canvas.DrawFocusRect(Rect(2, 2, 18, 18));
  for (int x = 2; x < 18; ++x)
    EXPECT_EQ(canvas.Pixel(x, 2), kBackground);
}

TEST(CanvasTest, ChangingObjectsKeepsDrawingCorrect) {
  // Each change deselects the old handle before it is deleted; drawing
  // afterwards uses the new settings.
  auto bitmap = WhiteBitmap(40, 10);
  TCanvas& canvas = bitmap->Canvas();
  for (int i = 0; i < 40; ++i) {
    canvas.Brush().SetColor(i % 2 == 0 ? clRed : clGreen);
    canvas.FillRect(Rect(i, 0, i + 1, 10));
  }
  EXPECT_EQ(canvas.Pixel(0, 5), clRed);
  EXPECT_EQ(canvas.Pixel(1, 5), clGreen);
  EXPECT_EQ(canvas.Pixel(38, 5), clRed);
}

TEST(CanvasTest, CanvasWithoutContextRefusesToDraw) {
  TCanvas canvas;
  EXPECT_THROW(canvas.FillRect(Rect(0, 0, 1, 1)), EInvalidOperation);
}

TEST(CanvasTest, LocksNest) {
  TCanvas canvas;
  canvas.Lock();
  EXPECT_TRUE(canvas.TryLock());
  EXPECT_EQ(canvas.LockCount(), 2);
  canvas.Unlock();
  canvas.Unlock();
  EXPECT_EQ(canvas.LockCount(), 0);
  canvas.Unlock();  // one too many is ignored
  EXPECT_EQ(canvas.LockCount(), 0);
}

TEST(CanvasTest, ScreenCanvasMeasuresText) {
  TScreenCanvas canvas;
  EXPECT_GT(canvas.TextWidth("Größe"), 0);
  EXPECT_NE(canvas.Handle(), nullptr);
}

TEST(TextFormatTest, FlagsMapToDrawTextFlags) {
  EXPECT_EQ(TextFormatToDrawTextFlags({}), 0u);
  EXPECT_EQ(TextFormatToDrawTextFlags({tfCenter, tfSingleLine, tfVerticalCenter}),
            static_cast<UINT>(DT_CENTER | DT_SINGLELINE | DT_VCENTER));
  EXPECT_EQ(TextFormatToDrawTextFlags({tfEndEllipsis, tfNoPrefix}),
            static_cast<UINT>(DT_END_ELLIPSIS | DT_NOPREFIX));
}

}  // namespace
