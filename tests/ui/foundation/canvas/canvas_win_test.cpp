#include "ui/foundation/canvas/canvas_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "tests/support/gui_objects.h"
#include "ui/foundation/canvas/canvas_layout.h"

namespace {

// A white bitmap with a TlxCanvas on its canvas.
class CanvasTest : public ::testing::Test {
 protected:
  CanvasTest() : bitmap_(60, 60, pf32bit), canvas_(bitmap_.Canvas()) {
    bitmap_.Canvas().Brush().SetColor(clWhite);
    bitmap_.Canvas().FillRect(TRect(0, 0, 60, 60));
  }

  TColor PixelAt(int32_t x, int32_t y) { return bitmap_.Canvas().Pixel(x, y); }
  HDC Dc() { return canvas_.Handle(); }

  TBitmap bitmap_;
  TlxCanvas canvas_;
};

TEST_F(CanvasTest, ClipRegionOfAnUnclippedContextAndTheOriginCorrection) {
  EXPECT_EQ(canvas_.CopyClipRegion(false)->BoundsRect(), TRect(0, 0, 30000, 30000));
  EXPECT_EQ(canvas_.CopyClipRegion(true)->BoundsRect(), TRect(0, 0, 30000, 30000));
  canvas_.AssignWindowOrigin(TPoint(5, 7));
  EXPECT_EQ(canvas_.DeviceOriginOffset(), TPoint(-5, -7));
  EXPECT_EQ(canvas_.CopyClipRegion(true)->BoundsRect(), TRect(5, 7, 30005, 30007));
  EXPECT_EQ(canvas_.CopyClipRegion(false)->BoundsRect(), TRect(0, 0, 30000, 30000));
}

TEST_F(CanvasTest, PoppedClipRegionIsTheOneSaved) {
  canvas_.IntersectClip(TRect(0, 0, 50, 50));
  const std::unique_ptr<TlxRegion> saved = canvas_.CopyClipRegion();
  canvas_.PushClipRegion();
  canvas_.IntersectClip(TRect(10, 10, 20, 20));
  EXPECT_FALSE(canvas_.IsRectVisible(TRect(30, 30, 40, 40)));
  canvas_.PopClipRegion();
  EXPECT_TRUE(canvas_.IsRectVisible(TRect(30, 30, 40, 40)));
  EXPECT_FALSE(canvas_.IsRectVisible(TRect(50, 50, 55, 55)));
  EXPECT_TRUE(canvas_.CopyClipRegion()->SameAs(saved.get()));
  canvas_.PopClipRegion();  // nothing left to pop
  EXPECT_TRUE(canvas_.CopyClipRegion()->SameAs(saved.get()));
}

TEST_F(CanvasTest, AppliedClipRegionsFollowTheWindowOrigin) {
  struct Case {
    TlxRegionOperation operation;
    bool inside_first, inside_both, inside_second;
  };
  // The clip region starts as logical (10, 10, 30, 30); the region applied
  // is logical (20, 10, 40, 30). The window origin is (10, 10), so logical
  // x shows at device x - 10.
  const Case cases[] = {
      {roSet, false, true, true},
      {roAdd, true, true, true},
      {roSubtract, true, false, false},
      {roIntersect, false, true, false},
  };
  for (const Case& c : cases) {
    SelectClipRgn(Dc(), nullptr);
    canvas_.FillRectColor(TRect(0, 0, 60, 60), clWhite);
    canvas_.AssignWindowOrigin(TPoint(10, 10));
    canvas_.ApplyClipRegion(TlxRegion::CreateFromBounds(10, 10, 30, 30), roSet);
    TlxRegion region(20, 10, 40, 30);
    canvas_.ApplyClipRegion(region, c.operation);
    EXPECT_EQ(region.BoundsRect(), TRect(20, 10, 40, 30));  // the kept region is as it was
    canvas_.FillRectColor(TRect(0, 0, 60, 60), clRed);
    canvas_.AssignWindowOrigin(TPoint(0, 0));
    EXPECT_EQ(PixelAt(5, 5) == clRed, c.inside_first) << int{c.operation};    // logical (15, 15)
    EXPECT_EQ(PixelAt(15, 5) == clRed, c.inside_both) << int{c.operation};    // logical (25, 15)
    EXPECT_EQ(PixelAt(25, 5) == clRed, c.inside_second) << int{c.operation};  // logical (35, 15)
    EXPECT_NE(PixelAt(45, 5), clRed);
  }
}

TEST_F(CanvasTest, ClipRegionsGiveTheirHandlesBack) {
  // The context keeps a clip region of its own once it has one.
  canvas_.IntersectClip(TRect(0, 0, 60, 60));
  const DWORD before = test_support::CountGdiObjects();
  canvas_.ApplyClipRegion(TlxRegion::CreateFromBounds(0, 0, 20, 20), roIntersect);
  canvas_.PushClipRegion();
  canvas_.ApplyClipRegion(TlxRegion::CreateFromBounds(5, 5, 10, 10), roSubtract);
  canvas_.PopClipRegion();
  canvas_.ExcludeFromClip(TRect(1, 1, 2, 2));
  EXPECT_EQ(test_support::CountGdiObjects(), before);
}

TEST_F(CanvasTest, TiledFillLaysTheBitmapFromTheOrigin) {
  TBitmap tile(16, 16, pf32bit);
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 16; ++x)
      tile.Canvas().SetPixel(x, y, RGB(x * 16, y * 16, 100));
  canvas_.FillRectTiled(TRect(10, 10, 40, 40), &tile);
  EXPECT_EQ(PixelAt(10, 10), RGB(10 * 16, 10 * 16, 100));
  EXPECT_EQ(PixelAt(16, 16), RGB(0, 0, 100));
  EXPECT_EQ(PixelAt(33, 20), RGB(1 * 16, 4 * 16, 100));
  EXPECT_EQ(PixelAt(39, 39), RGB(7 * 16, 7 * 16, 100));
  EXPECT_EQ(PixelAt(9, 10), clWhite);
  EXPECT_EQ(PixelAt(40, 39), clWhite);
  EXPECT_EQ(PixelAt(39, 40), clWhite);
}

TEST_F(CanvasTest, TiledFillWithoutBitmapUsesTheBrushAndCanLeaveTheClip) {
  canvas_.SetBrushColor(clBlue);
  canvas_.FillRectTiled(TRect(10, 10, 20, 20), nullptr, true);
  EXPECT_EQ(PixelAt(15, 15), clBlue);
  canvas_.FillRectColor(TRect(0, 0, 60, 60), clRed);
  EXPECT_EQ(PixelAt(15, 15), clBlue);  // excluded
  EXPECT_EQ(PixelAt(25, 25), clRed);
  canvas_.FillRectTiled(TRect(30, 30, 30, 40), nullptr, true);  // empty: nothing, not even excluded
  canvas_.FillRectColor(TRect(0, 0, 60, 60), clGreen);
  EXPECT_EQ(PixelAt(30, 35), clGreen);
}

TEST_F(CanvasTest, FillRectColorNoneDefaultAndColour) {
  canvas_.FillRectColor(TRect(0, 0, 10, 10), clNone);
  EXPECT_EQ(PixelAt(5, 5), clWhite);
  canvas_.SetBrushColor(clBlue);
  canvas_.FillRectColor(TRect(0, 0, 10, 10), clDefault);
  EXPECT_EQ(PixelAt(5, 5), clBlue);
  canvas_.FillRectColor(TRect(0, 0, 10, 10), clLime);
  EXPECT_EQ(PixelAt(5, 5), clLime);
  EXPECT_EQ(canvas_.Brush().Color(), clLime);
  EXPECT_EQ(PixelAt(10, 10), clWhite);
}

TEST_F(CanvasTest, SettingTheSameBrushColourKeepsTheHandle) {
  canvas_.SetBrushColor(clTeal);
  HBRUSH handle = canvas_.Brush().Handle();
  canvas_.SetBrushColor(clTeal);
  EXPECT_EQ(canvas_.Brush().Handle(), handle);
}

TEST_F(CanvasTest, FrameSidesWiderThanTheRectangleStayInside) {
  canvas_.FrameRectSides(TRect(10, 10, 20, 20), clRed, 50, 15);
  for (const auto& [x, y] : {std::pair{10, 10}, {19, 19}, {15, 15}})
    EXPECT_EQ(PixelAt(x, y), clRed) << x << "," << y;
  for (const auto& [x, y] : {std::pair{9, 15}, {20, 15}, {15, 9}, {15, 20}})
    EXPECT_EQ(PixelAt(x, y), clWhite) << x << "," << y;
}

TEST_F(CanvasTest, FrameSidesOnlyOnTheChosenSides) {
  canvas_.FrameRectSides(TRect(10, 10, 30, 30), clRed, 2, lxFrameSideLeft | lxFrameSideBottom, true);
  EXPECT_EQ(PixelAt(11, 15), clRed);
  EXPECT_EQ(PixelAt(12, 15), clWhite);
  EXPECT_EQ(PixelAt(20, 28), clRed);
  EXPECT_EQ(PixelAt(20, 27), clWhite);
  EXPECT_EQ(PixelAt(29, 15), clWhite);  // right side not chosen
  EXPECT_EQ(PixelAt(20, 10), clWhite);  // nor the top
  canvas_.FillRectColor(TRect(0, 0, 60, 60), clBlue);
  EXPECT_EQ(PixelAt(11, 15), clRed);  // the bands left the clip region
  EXPECT_EQ(PixelAt(20, 20), clBlue);
}

TEST_F(CanvasTest, FrameThenFillWithParams) {
  TlxPaintParams params;
  params.Color = clYellow;
  canvas_.FillRectWithFrame(TRect(10, 10, 30, 30), params, 15, clNavy, 3);
  EXPECT_EQ(PixelAt(12, 20), clNavy);
  EXPECT_EQ(PixelAt(13, 20), clYellow);
  EXPECT_EQ(PixelAt(26, 26), clYellow);
  EXPECT_EQ(PixelAt(27, 26), clNavy);

  // Without a colour only the frame is drawn.
  params.Color = clNone;
  canvas_.FillRectWithFrame(TRect(40, 40, 56, 56), params, 15, clNavy, 1);
  EXPECT_EQ(PixelAt(40, 48), clNavy);
  EXPECT_EQ(PixelAt(48, 48), clWhite);
}

TEST_F(CanvasTest, TwoColourFrameCornersBelongToTheBandDrawnLast) {
  canvas_.DrawTwoColorFrame(TRect(0, 0, 10, 10), clRed, clBlue, lxAllBorders, 1);
  EXPECT_EQ(PixelAt(0, 0), clRed);
  EXPECT_EQ(PixelAt(9, 0), clBlue);  // right after top
  EXPECT_EQ(PixelAt(0, 9), clBlue);  // bottom after left
  EXPECT_EQ(PixelAt(9, 9), clBlue);
  EXPECT_EQ(PixelAt(5, 5), clWhite);
  canvas_.DrawTwoColorFrame(TRect(20, 20, 30, 30), clRed, clBlue, TlxBorders{bTop}, 2);
  EXPECT_EQ(PixelAt(29, 21), clRed);
  EXPECT_EQ(PixelAt(25, 22), clWhite);
  EXPECT_EQ(PixelAt(29, 25), clWhite);
}

TEST_F(CanvasTest, EdgesTakeTheirSystemColours) {
  struct Case {
    bool sunken, outer;
    TColor left_top, right_bottom;
  };
  const Case cases[] = {
      {true, true, clBtnShadow, clBtnHighlight},
      {true, false, cl3DDkShadow, cl3DLight},
      {false, true, clBtnHighlight, clBtnShadow},
      {false, false, cl3DLight, cl3DDkShadow},
  };
  for (const Case& c : cases) {
    canvas_.Draw3DEdge(TRect(0, 0, 10, 10), c.sunken, c.outer);
    EXPECT_EQ(PixelAt(0, 5), ColorToRGB(c.left_top));
    EXPECT_EQ(PixelAt(5, 0), ColorToRGB(c.left_top));
    EXPECT_EQ(PixelAt(9, 5), ColorToRGB(c.right_bottom));
    EXPECT_EQ(PixelAt(5, 9), ColorToRGB(c.right_bottom));
  }
}

TEST_F(CanvasTest, InvertingTwiceRestores) {
  canvas_.FillRectColor(TRect(0, 0, 10, 10), RGB(10, 200, 30));
  canvas_.InvertRect(TRect(0, 0, 5, 5));
  EXPECT_EQ(PixelAt(2, 2), RGB(245, 55, 225));
  EXPECT_EQ(PixelAt(7, 7), RGB(10, 200, 30));
  EXPECT_EQ(canvas_.Canvas().CopyMode(), cmSrcCopy);
  canvas_.InvertRect(TRect(0, 0, 5, 5));
  EXPECT_EQ(PixelAt(2, 2), RGB(10, 200, 30));
}

TEST_F(CanvasTest, FocusFramesNestOnePixelApart) {
  canvas_.DrawFocusFrames(TRect(10, 10, 30, 30), 2);
  // The dotted frame inverts every other pixel of the outer and inner ring.
  bool outer_ring_drawn = false;
  bool inner_ring_drawn = false;
  for (int32_t x = 10; x < 30; ++x) {
    outer_ring_drawn = outer_ring_drawn || PixelAt(x, 10) != clWhite;
    inner_ring_drawn = inner_ring_drawn || PixelAt(x, 11) != clWhite;
  }
  EXPECT_TRUE(outer_ring_drawn);
  EXPECT_TRUE(inner_ring_drawn);
  EXPECT_EQ(PixelAt(20, 20), clWhite);
  EXPECT_EQ(canvas_.Brush().Color(), clWhite);
  EXPECT_EQ(canvas_.Font().Color(), clBlack);
}

TEST_F(CanvasTest, RegionsFillAndFrame) {
  const TlxRegion region(10, 10, 30, 30);
  canvas_.FillAndFrameRegion(region, clYellow, clRed, 2, 1);
  EXPECT_EQ(PixelAt(11, 20), clRed);   // two pixels wide at the sides
  EXPECT_EQ(PixelAt(12, 20), clYellow);
  EXPECT_EQ(PixelAt(20, 10), clRed);   // one pixel high at the top
  EXPECT_EQ(PixelAt(20, 11), clYellow);
  EXPECT_EQ(PixelAt(30, 20), clWhite);
}

TEST_F(CanvasTest, PoppedStateBringsBackFontBrushPenAndContext) {
  canvas_.Font().SetColor(clMaroon);
  canvas_.SetBrushColor(clAqua);
  canvas_.Pen().SetWidth(3);
  canvas_.PushState();
  canvas_.Font().SetColor(clLime);
  canvas_.SetBrushColor(clNavy);
  canvas_.Pen().SetWidth(1);
  canvas_.AssignWindowOrigin(TPoint(3, 4));
  canvas_.PopState();
  EXPECT_EQ(canvas_.Font().Color(), clMaroon);
  EXPECT_EQ(canvas_.Brush().Color(), clAqua);
  EXPECT_EQ(canvas_.Pen().Width(), 3);
  EXPECT_EQ(canvas_.ReadWindowOrigin(), TPoint(0, 0));
  canvas_.FillRectColor(TRect(0, 0, 5, 5), clDefault);
  EXPECT_EQ(PixelAt(2, 2), clAqua);  // the brush is selected again after the restore
}

TEST_F(CanvasTest, PopsWithNothingPushedTouchNothing) {
  const int level = SaveDC(Dc());  // someone else's saved level
  canvas_.AssignWindowOrigin(TPoint(2, 2));
  canvas_.PopState();
  canvas_.PopDC();
  EXPECT_EQ(canvas_.ReadWindowOrigin(), TPoint(2, 2));
  EXPECT_EQ(SaveDC(Dc()), level + 1);  // the level was not restored away
  RestoreDC(Dc(), level);
}

TEST_F(CanvasTest, ViewParamsRoundTrip) {
  TFont font;
  font.SetName("Arial");
  font.SetHeight(-20);
  TlxPaintParams params{nullptr, clOlive, &font, clPurple};
  canvas_.ApplyViewParams(params);
  EXPECT_EQ(canvas_.Brush().Color(), clOlive);
  EXPECT_EQ(canvas_.Font().Height(), -20);
  EXPECT_EQ(canvas_.Font().Color(), clPurple);
  TBitmap background;
  TlxPaintParams fetched{&background, clDefault, nullptr, clDefault};
  canvas_.FetchViewParams(fetched);
  EXPECT_EQ(fetched.Bitmap, &background);
  EXPECT_EQ(fetched.Color, clOlive);
  EXPECT_EQ(fetched.Font, &canvas_.Font());
  EXPECT_EQ(fetched.TextColor, clPurple);
}

TEST_F(CanvasTest, RotatedFontTurnsTheBaseline) {
  canvas_.Font().SetName("Arial");
  canvas_.Font().SetHeight(-16);
  canvas_.RotateFont(90);
  LOGFONTW font{};
  ASSERT_NE(GetObjectW(canvas_.Font().Handle(), sizeof(font), &font), 0);
  EXPECT_EQ(font.lfEscapement, 900);
  EXPECT_EQ(font.lfOutPrecision, OUT_TT_ONLY_PRECIS);
  // Text turned upright is taller than wide.
  canvas_.Font().SetColor(clBlack);
  canvas_.Brush().SetStyle(bsClear);
  canvas_.Canvas().TextOut(20, 50, "WWWW");
  int32_t top = 60;
  int32_t left = 60;
  int32_t right = -1;
  for (int32_t y = 0; y < 60; ++y)
    for (int32_t x = 0; x < 60; ++x)
      if (PixelAt(x, y) != clWhite) {
        top = std::min(top, y);
        left = std::min(left, x);
        right = std::max(right, x);
      }
  ASSERT_GE(right, 0);
  EXPECT_GT(50 - top, right - left);
}

TEST_F(CanvasTest, GlyphsLeaveTheirTransparentColourOut) {
  TBitmap glyph(8, 8, pf32bit);
  glyph.Canvas().Brush().SetColor(clFuchsia);
  glyph.Canvas().FillRect(TRect(0, 0, 8, 8));
  glyph.Canvas().Brush().SetColor(clBlue);
  glyph.Canvas().FillRect(TRect(2, 2, 6, 6));
  glyph.SetTransparentColor(clFuchsia);
  canvas_.FillRectColor(TRect(0, 0, 60, 60), clGreen);

  canvas_.DrawGlyphBitmap(10, 10, glyph, true, clNone);
  EXPECT_EQ(PixelAt(10, 10), clGreen);
  EXPECT_EQ(PixelAt(13, 13), clBlue);
  EXPECT_EQ(canvas_.Brush().Style(), bsSolid);

  canvas_.DrawGlyphBitmap(30, 10, glyph, true, clYellow);
  EXPECT_EQ(PixelAt(30, 10), clYellow);
  EXPECT_EQ(PixelAt(33, 13), clBlue);

  canvas_.DrawGlyphBitmap(10, 30, glyph, false, clNone);
  EXPECT_EQ(PixelAt(10, 30), clGreen);
  EXPECT_NE(PixelAt(13, 33), clBlue);   // disabled: no longer in its colour
  EXPECT_NE(PixelAt(13, 33), clGreen);  // but drawn

  canvas_.DrawGlyphBitmap(30, 30, glyph, false, clYellow);
  EXPECT_EQ(PixelAt(30, 30), clYellow);
  EXPECT_NE(PixelAt(33, 33), clBlue);
  EXPECT_NE(PixelAt(33, 33), clYellow);
}

TEST(ScreenCanvasTest, OneSharedCanvasMeasuresText) {
  TlxScreenCanvas& screen = lxGetScreenCanvas();
  EXPECT_EQ(&screen, &lxGetScreenCanvas());
  TFont font;
  font.SetName("Arial");
  font.SetHeight(-20);
  EXPECT_GE(screen.FontTextHeight(font), 20);
  EXPECT_GT(screen.MeasureTextWidth("Hello, world"), screen.MeasureTextWidth("Hello"));
  EXPECT_EQ(screen.MeasureTextExtent("").cx, 0);
}

TEST(ScreenCanvasTest, OwnScreenCanvasesComeAndGo) {
  {
    // The first measuring puts the default font into the toolkit's cache.
    TlxScreenCanvas warm_up;
    warm_up.MeasureTextWidth("x");
  }
  const DWORD before = test_support::CountGdiObjects();
  for (int i = 0; i < 3; ++i) {
    TlxScreenCanvas screen;
    EXPECT_GT(screen.MeasureTextWidth("x"), 0);
  }
  EXPECT_EQ(test_support::CountGdiObjects(), before);
}

}  // namespace
