#include "ui/foundation/painters/painter_glyphs_win.h"

#include <gtest/gtest.h>

#include "platform/toolkit/color.h"
#include "tests/support/system_colors.h"

namespace {

TColor PixelAt(TBitmap& bitmap, int32_t x, int32_t y) {
  return static_cast<TColor>(GetPixel(bitmap.Canvas().Handle(), x, y));
}

// A glyph painted onto a bitmap filled with `background`.
std::unique_ptr<TBitmap> PaintedGlyph(TlxLookAndFeelKind kind, TlxButtonState state, bool checked, bool focused,
                                      bool designing, TColor background) {
  TlxRadioButtonImageList& glyphs = lxRadioButtonGlyphs();
  const TSize size = glyphs.GetGlyphSize();
  auto target = std::make_unique<TBitmap>(size.cx + 4, size.cy + 4, pf32bit);
  target->Canvas().Brush().SetColor(clLime);
  target->Canvas().FillRect(TRect(0, 0, size.cx + 4, size.cy + 4));
  glyphs.PaintGlyph(target->Canvas(), 2, 2, kind, state, checked, focused, designing, background);
  return target;
}

TEST(PainterGlyphsWinTest, RadioListHoldsOneImagePerKey) {
  TlxRadioButtonImageList& glyphs = lxRadioButtonGlyphs();
  const TSize size = glyphs.GetGlyphSize();
  // The ring the system draws: 13 x 13 with the classic check boxes.
  EXPECT_GE(size.cx, 11);
  EXPECT_GE(size.cy, 11);
  EXPECT_EQ(glyphs.Images().Count(), lxRadioGlyphKeyCount);
  EXPECT_EQ(glyphs.Images().Width(), size.cx);
  EXPECT_EQ(glyphs.Images().Height(), size.cy);
  EXPECT_EQ(glyphs.GlyphIndex(lfFlat, lxbsNormal, false, false, false), 0);
  // Hot, checked and focused ultra-flat: the 85th key, rendered after the
  // 64 unfocused images.
  const int32_t index = glyphs.GlyphIndex(lfUltraFlat, lxbsHot, false, true, true);
  EXPECT_GE(index, 64);
  EXPECT_LT(index, lxRadioGlyphKeyCount);
  const TSize check_box = lxCheckButtonGlyphSize();
  EXPECT_GE(check_box.cx, size.cx);
  EXPECT_GE(check_box.cy, size.cy);
  // The centre of a checked glyph is dot.
  EXPECT_EQ(glyphs.Pattern().At(size.cx / 2, size.cy / 2), lxrpDot);
}

TEST(PainterGlyphsWinTest, GlyphsAreDrawnThroughTheirMask) {
  const TSize size = lxRadioButtonGlyphs().GetGlyphSize();
  const int32_t centre_x = 2 + size.cx / 2;
  const int32_t centre_y = 2 + size.cy / 2;

  auto on_canvas = PaintedGlyph(lfFlat, lxbsNormal, true, false, false, clDefault);
  EXPECT_EQ(PixelAt(*on_canvas, 2, 2), ColorToRGB(clLime)) << "the corner outside the ring stays";
  EXPECT_EQ(PixelAt(*on_canvas, centre_x, centre_y), ColorToRGB(clWindowText)) << "the dot";
  EXPECT_EQ(PixelAt(*on_canvas, 2 + size.cx / 2, 2), ColorToRGB(clBtnShadow)) << "the outer ring's top";

  auto on_background = PaintedGlyph(lfFlat, lxbsNormal, false, false, false, clRed);
  EXPECT_EQ(PixelAt(*on_background, 2, 2), ColorToRGB(clRed));
  EXPECT_EQ(PixelAt(*on_background, centre_x, centre_y), ColorToRGB(clWindow)) << "unchecked: the body";
  EXPECT_EQ(PixelAt(*on_background, 0, 0), ColorToRGB(clLime)) << "nothing outside the glyph";
}

TEST(PainterGlyphsWinTest, UltraFlatRingFollowsFocusAndDesigning) {
  const int32_t top_x = 2 + lxRadioButtonGlyphs().GetGlyphSize().cx / 2;
  EXPECT_EQ(PixelAt(*PaintedGlyph(lfUltraFlat, lxbsDisabled, false, false, true, clDefault), top_x, 2),
            ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelAt(*PaintedGlyph(lfUltraFlat, lxbsDisabled, false, true, false, clDefault), top_x, 2),
            ColorToRGB(clHighlight));
}

// The colour-change message as the system sends it to the shared listener.
void SendSystemColorChange() {
  ASSERT_NE(lxSystemPaletteChangedListener(), nullptr);
  SendMessageA(lxSystemPaletteChangedListener()->Handle(), WM_SYSCOLORCHANGE, 0, 0);
}

TEST(PainterGlyphsWinTest, SystemColourChangeRedrawsInTheSameList) {
  lxStartPainterGlyphs();
  TlxRadioButtonImageList* before = &lxRadioButtonGlyphs();
  const int32_t top_x = 2 + before->GetGlyphSize().cx / 2;
  {
    test_support::ScopedSystemColor highlight(COLOR_HIGHLIGHT, RGB(10, 200, 30), SendSystemColorChange);
    SendSystemColorChange();
    EXPECT_EQ(&lxRadioButtonGlyphs(), before);
    EXPECT_EQ(PixelAt(*PaintedGlyph(lfUltraFlat, lxbsHot, false, false, false, clDefault), top_x, 2),
              RGBColor(10, 200, 30));
  }
  EXPECT_EQ(PixelAt(*PaintedGlyph(lfUltraFlat, lxbsHot, false, false, false, clDefault), top_x, 2),
            ColorToRGB(clHighlight));
  lxFreePainterGlyphs();
}

TEST(PainterGlyphsWinTest, DefaultStateDrawsTheNormalGlyph) {
  const TSize size = lxRadioButtonGlyphs().GetGlyphSize();
  for (TlxLookAndFeelKind kind : {lfFlat, lfStandard, lfUltraFlat, lfOffice11}) {
    EXPECT_EQ(lxRadioButtonGlyphs().GlyphIndex(kind, lxbsDefault, false, true, true),
              lxRadioButtonGlyphs().GlyphIndex(kind, lxbsNormal, false, true, true));
    auto as_default = PaintedGlyph(kind, lxbsDefault, true, false, false, clDefault);
    auto as_normal = PaintedGlyph(kind, lxbsNormal, true, false, false, clDefault);
    for (int32_t y = 0; y < size.cy + 4; ++y)
      for (int32_t x = 0; x < size.cx + 4; ++x)
        ASSERT_EQ(PixelAt(*as_default, x, y), PixelAt(*as_normal, x, y)) << kind << ": " << x << "," << y;
  }
}

TEST(PainterGlyphsWinTest, ScrollBarPatternsAlternateByParity) {
  lxRefreshStdScrollBarBitmaps();
  TBitmap& normal = lxStdScrollBarBitmap(false);
  TBitmap& pressed = lxStdScrollBarBitmap(true);
  EXPECT_EQ(normal.Width(), 8);
  EXPECT_EQ(pressed.Height(), 8);
  for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {7, 7}, {6, 7}, {3, 4}}) {
    const bool odd = (x + y) % 2 != 0;
    EXPECT_EQ(PixelAt(normal, x, y), ColorToRGB(odd ? clBtnHighlight : clBtnFace)) << x << "," << y;
    EXPECT_EQ(PixelAt(pressed, x, y), ColorToRGB(odd ? cl3DDkShadow : clBlack)) << x << "," << y;
  }
}

TEST(PainterGlyphsWinTest, IndicatorImagesAndRelease) {
  TCustomImageList& indicators = lxIndicatorImages();
  EXPECT_EQ(indicators.Count(), lxIndicatorImageCount);
  TBitmap arrow;
  ASSERT_TRUE(indicators.GetBitmap(0, arrow));
  EXPECT_EQ(PixelAt(arrow, 5, 6), ColorToRGB(clBlack));
  EXPECT_EQ(PixelAt(arrow, 0, 0), ColorToRGB(clWhite));

  lxStartPainterGlyphs();
  lxFreePainterGlyphs();
  EXPECT_FALSE(lxRadioButtonGlyphsExist());
  // The notifier went with the glyphs: nothing is left listening.
  EXPECT_EQ(lxSystemPaletteChangedListener(), nullptr);
  EXPECT_EQ(lxIndicatorImages().Count(), lxIndicatorImageCount);
}

}  // namespace
