#include "editors/kinds/image_view_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "editors/edit_style_win.h"
#include "editors/kinds/image_properties_win.h"
#include "editors/kinds/png_image_win.h"
#include "platform/rtl/memory_stream.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/picture.h"
#include "ui/foundation/canvas/canvas_win.h"

namespace {

std::unique_ptr<TBitmap> Filled(int32_t width, int32_t height, TColor color) {
  auto bitmap = std::make_unique<TBitmap>(width, height, pf24bit);
  bitmap->Canvas().Brush().SetColor(color);
  bitmap->Canvas().FillRect(TRect(0, 0, width, height));
  return bitmap;
}

// One view info painted into a bitmap the size of its client area.
struct PaintFixture {
  PaintFixture(int32_t width, int32_t height) : target(Filled(width, height, clBlue)) {
    info.Properties = &properties;
    info.Bounds = info.BorderRect = info.ClientRect = TRect(0, 0, width, height);
    info.BackgroundColor = clWhite;
    info.SetPicture(&picture);
  }
  void ShowPicture(int32_t width, int32_t height) { picture.SetGraphic(Filled(width, height, clRed).get()); }
  void Paint() {
    TlxCanvas canvas(target->Canvas());
    info.RenderFrame(canvas);
  }
  TColor At(int32_t x, int32_t y) { return target->Canvas().Pixel(x, y); }

  TlxImageProperties properties{nullptr};
  TPicture picture;
  TlxImageViewInfo info;
  std::unique_ptr<TBitmap> target;
};

struct PlacementCase {
  const char* name;
  TSize client;
  TSize picture;
  bool center;
  bool stretch;
  bool proportional;
  TRect drawn;
};

TEST(ImageViewInfoTest, PlacesThePictureByCenterStretchAndProportion) {
  const PlacementCase cases[] = {
      {"centred at natural size", {100, 100}, {40, 30}, true, false, true, {30, 35, 70, 65}},
      {"shrunk wide picture", {100, 100}, {400, 100}, false, false, true, {0, 0, 100, 25}},
      {"shrunk and centred", {100, 100}, {400, 100}, true, false, true, {0, 37, 100, 62}},
      {"stretched without proportion", {100, 100}, {10, 10}, false, true, false, {0, 0, 100, 100}},
      {"stretched in proportion", {100, 100}, {10, 10}, false, true, true, {0, 0, 100, 100}},
      {"stretched in proportion, tall client", {50, 80}, {10, 10}, false, true, true, {0, 0, 50, 50}},
      {"larger picture without proportion is clipped", {50, 50}, {80, 80}, false, false, false, {0, 0, 80, 80}},
  };
  for (const PlacementCase& c : cases) {
    PaintFixture f(c.client.cx, c.client.cy);
    f.ShowPicture(c.picture.cx, c.picture.cy);
    f.info.Center = c.center;
    f.info.Stretch = c.stretch;
    f.info.Proportional = c.proportional;
    EXPECT_EQ(f.info.PictureRect(f.info.ClientRect), c.drawn) << c.name;
    f.Paint();
    const TRect visible = c.drawn.Intersect(f.info.ClientRect);
    EXPECT_EQ(f.At(visible.Left, visible.Top), clRed) << c.name;
    EXPECT_EQ(f.At(visible.Right - 1, visible.Bottom - 1), clRed) << c.name;
    // The rest of the client area is the background colour.
    if (visible.Right < c.client.cx) {
      EXPECT_EQ(f.At(visible.Right, visible.Top), clWhite) << c.name;
    }
    if (visible.Bottom < c.client.cy) {
      EXPECT_EQ(f.At(visible.Left, visible.Bottom), clWhite) << c.name;
    }
    if (visible.Top > 0) {
      EXPECT_EQ(f.At(visible.Left, visible.Top - 1), clWhite) << c.name;
    }
  }
}

TEST(ImageViewInfoTest, ScrollsByTheOffsetOnlyWithoutCenter) {
  PaintFixture f(50, 50);
  f.ShowPicture(80, 80);
  f.info.Center = false;
  f.info.Proportional = false;
  f.info.Offset = TPoint(20, 10);
  EXPECT_EQ(f.info.PictureRect(f.info.ClientRect), TRect(-20, -10, 60, 70));
}

TEST(ImageViewInfoTest, WithoutAPictureTheCaptionIsDrawn) {
  PaintFixture f(100, 40);
  f.info.SetPicture(nullptr);
  f.info.Caption = "Kein Bild";
  f.info.TextColor = clBlack;
  EXPECT_TRUE(f.info.RepaintsOnStateChange());
  f.Paint();
  int dark = 0;
  for (int32_t y = 0; y < 40; ++y)
    for (int32_t x = 0; x < 100; ++x)
      dark += f.At(x, y) == clBlack ? 1 : 0;
  EXPECT_GT(dark, 10);
  EXPECT_EQ(f.At(1, 1), clWhite);
  f.info.Caption.clear();
  EXPECT_FALSE(f.info.RepaintsOnStateChange());
}

TEST(ImageViewInfoTest, ASeeThroughGraphicGoesOverTheBackgroundColour) {
  lxPngImageInitialize();
  {
    PaintFixture f(20, 20);
    auto pixels = std::make_shared<std::vector<TlxRGBQuad>>(100, TlxRGBQuad{0, 0, 0, 0});
    for (size_t index = 0; index < 50; ++index)
      (*pixels)[index] = TlxRGBQuad{0, 0, 255, 255};  // top half opaque red
    TlxPNGImage png;
    png.SetImage(lxNewGPImage(10, true, pixels, 10));
    f.picture.SetGraphic(&png);
    f.info.BackgroundColor = clYellow;
    f.Paint();
    EXPECT_EQ(f.At(5, 5), clRed);      // picture at (5, 5) by centring
    EXPECT_EQ(f.At(5, 12), clYellow);  // see-through half: background, not the old blue
    EXPECT_EQ(f.At(0, 0), clYellow);
  }
  lxPngImageFinalize();
}

TEST(ImageViewInfoTest, TheFocusFrameSurroundsTheClientArea) {
  PaintFixture f(30, 30);
  f.ShowPicture(30, 30);
  f.info.ShowFocusFrame = true;
  f.target->Canvas().Pen().SetColor(clLime);
  f.Paint();
  EXPECT_EQ(f.At(0, 15), clLime);
  EXPECT_EQ(f.At(1, 15), clRed);
}

std::string BitmapBytes(int32_t width, int32_t height) {
  TMemoryStream stream;
  Filled(width, height, clRed)->SaveToStream(stream);
  return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

TEST(ImageViewDataTest, ACellValueIsDecodedIntoAPictureOfTheViewInfo) {
  TlxImageProperties properties(nullptr);
  TlxEditStyle style(nullptr, false);
  TlxImageViewData data(&properties, &style, true);
  TlxImageViewInfo info;
  TBitmap scratch(1, 1);
  TlxCanvas canvas(scratch.Canvas());
  data.ApplyEditValueToViewInfo(canvas, Variant(BitmapBytes(12, 7)), info);
  ASSERT_TRUE(info.OwnsPicture());
  EXPECT_EQ(info.Picture()->Width(), 12);
  data.ApplyEditValueToViewInfo(canvas, Variant(""), info);
  EXPECT_EQ(info.Picture()->Graphic(), nullptr);
  data.ApplyEditValueToViewInfo(canvas, Variant(BitmapBytes(3, 4)), info);
  EXPECT_EQ(info.Picture()->Height(), 4);
  data.ApplyEditValueToViewInfo(canvas, Variant::Null(), info);
  EXPECT_EQ(info.Picture()->Graphic(), nullptr);
  EXPECT_TRUE(info.OwnsPicture());
}

TEST(ImageViewDataTest, MeasuresACellByItsPictureAndTheRequestedSize) {
  TlxImageProperties properties(nullptr);
  TlxEditStyle style(nullptr, false);
  TlxImageViewData data(&properties, &style, true);
  TBitmap scratch(1, 1);
  TlxCanvas canvas(scratch.Canvas());
  const Variant picture(BitmapBytes(200, 100));
  TlxEditSizeProperties any;
  EXPECT_EQ(data.MeasureContentSize(canvas, picture, any), TSize(200, 100));
  properties.SetStretch(true);
  TlxEditSizeProperties width50;
  width50.Width = 50;
  EXPECT_EQ(data.MeasureContentSize(canvas, picture, width50), TSize(50, 25));
  TlxEditSizeProperties height30;
  height30.Height = 30;
  EXPECT_EQ(data.MeasureContentSize(canvas, picture, height30), TSize(60, 30));
  // Heights are rounded to the nearest, halves to even.
  EXPECT_EQ(data.MeasureContentSize(canvas, Variant(BitmapBytes(3, 5)), width50).cy, 83);   // 83.3
  EXPECT_EQ(data.MeasureContentSize(canvas, Variant(BitmapBytes(4, 1)), width50).cy, 12);   // 12.5
  EXPECT_EQ(data.MeasureContentSize(canvas, Variant(BitmapBytes(4, 3)), width50).cy, 38);   // 37.5
  EXPECT_EQ(data.MeasureContentSize(canvas, Variant::Null(), any), TSize(0, 15));
  properties.SetCaption("Bild");
  const TSize caption = data.MeasureContentSize(canvas, Variant::Null(), any);
  EXPECT_GT(caption.cx, 0);
  EXPECT_GT(caption.cy, 0);
}

}  // namespace
