#include "editors/kinds/glyph_layout.h"

#include <gtest/gtest.h>

namespace glyph_layout_test {

// A 100 x 30 button at (2, 3) with a 16 x 16 glyph and a 40 x 13 caption
// measured inside the insets of a caption beside a glyph (none).
TlxGlyphCaptionInput Input(TlxGlyphSide side, int32_t margin, int32_t spacing) {
  TlxGlyphCaptionInput input;
  input.Client = TRect(2, 3, 102, 33);
  input.HasCaption = true;
  input.MeasuredText = TRect(0, 0, 40, 13);
  input.GlyphSize = TSize{16, 16};
  input.Side = side;
  input.Margin = margin;
  input.Spacing = spacing;
  return input;
}

TEST(GlyphLayoutTest, PlacesGlyphAndCaptionBySideMarginAndSpacing) {
  struct Case {
    TlxGlyphSide side;
    int32_t margin;
    int32_t spacing;
    TPoint glyph;
    TRect text;
  };
  const Case cases[] = {
      // Free room 100 - 56 = 44 in three parts of 14.
      {TlxGlyphSide::kLeft, -1, -1, {2 + 14, 3 + 7}, TRect(2 + 44, 3 + 8, 2 + 84, 3 + 21)},
      // (100 - 60) / 2 = 20 on each side.
      {TlxGlyphSide::kLeft, -1, 4, {2 + 20, 3 + 7}, TRect(2 + 40, 3 + 8, 2 + 80, 3 + 21)},
      // Margin 5, spacing (100 - 21 - 40) / 2 = 19.
      {TlxGlyphSide::kLeft, 5, -1, {2 + 5, 3 + 7}, TRect(2 + 40, 3 + 8, 2 + 80, 3 + 21)},
      {TlxGlyphSide::kRight, 5, 4, {2 + 79, 3 + 7}, TRect(2 + 35, 3 + 8, 2 + 75, 3 + 21)},
      // Vertical: (30 - 16 - 4 - 13) / 2 = -1 (rounded toward zero).
      {TlxGlyphSide::kTop, -1, 4, {2 + 42, 3 - 1}, TRect(2 + 30, 3 + 19, 2 + 70, 3 + 32)},
      {TlxGlyphSide::kBottom, 2, 1, {2 + 42, 3 + 12}, TRect(2 + 30, 3 - 2, 2 + 70, 3 + 11)},
  };
  for (const Case& c : cases) {
    const TlxGlyphCaptionPlacement placement = lxPlaceGlyphAndCaption(Input(c.side, c.margin, c.spacing));
    EXPECT_EQ(placement.GlyphPos, c.glyph) << static_cast<int>(c.side) << " " << c.margin << " " << c.spacing;
    EXPECT_EQ(placement.TextRect, c.text) << static_cast<int>(c.side) << " " << c.margin << " " << c.spacing;
  }
}

TEST(GlyphLayoutTest, RightToLeftSwapsTheHorizontalSides) {
  TlxGlyphCaptionInput left = Input(TlxGlyphSide::kLeft, 5, 4);
  left.RightToLeft = true;
  const TlxGlyphCaptionPlacement mirrored = lxPlaceGlyphAndCaption(left);
  const TlxGlyphCaptionPlacement right = lxPlaceGlyphAndCaption(Input(TlxGlyphSide::kRight, 5, 4));
  EXPECT_EQ(mirrored.GlyphPos, right.GlyphPos);
  EXPECT_EQ(mirrored.TextRect, right.TextRect);
  TlxGlyphCaptionInput top = Input(TlxGlyphSide::kTop, 5, 4);
  top.RightToLeft = true;
  EXPECT_EQ(lxPlaceGlyphAndCaption(top).GlyphPos, lxPlaceGlyphAndCaption(Input(TlxGlyphSide::kTop, 5, 4)).GlyphPos);
}

TEST(GlyphLayoutTest, AGlyphWithoutCaptionIsCentredAndACaptionWithoutGlyphToo) {
  TlxGlyphCaptionInput glyph_only = Input(TlxGlyphSide::kLeft, -1, 4);
  glyph_only.HasCaption = false;
  glyph_only.Client = TRect(0, 0, 40, 20);
  // Spacing counts as 0: (40 - 16) / 2.
  EXPECT_EQ(lxPlaceGlyphAndCaption(glyph_only).GlyphPos, (TPoint{12, 2}));

  TlxGlyphCaptionInput caption_only = Input(TlxGlyphSide::kLeft, -1, 4);
  caption_only.GlyphSize = TSize{0, 0};
  caption_only.Client = TRect(0, 0, 75, 25);
  caption_only.MeasuredText = TRect(1, 0, 31, 13);  // inside a left inset of 1
  caption_only.Insets = TRect(1, 0, 2, 0);
  // Caption 33 wide: (75 - 33) / 2 = 21; text Y (25 - 13 - 1) / 2 = 5.
  EXPECT_EQ(lxPlaceGlyphAndCaption(caption_only).TextRect, TRect(22, 5, 52, 18));
}

TEST(GlyphLayoutTest, GlyphCountFollowsTheBitmapShape) {
  struct Case {
    int32_t width;
    int32_t height;
    int32_t count;
  };
  for (const Case& c : {Case{64, 16, 4}, Case{80, 16, 1}, Case{50, 16, 1}, Case{32, 16, 2}, Case{16, 16, 1},
                        Case{16, 0, 1}, Case{0, 16, 1}}) {
    EXPECT_EQ(lxGlyphCountOfBitmap(c.width, c.height), c.count) << c.width << "x" << c.height;
  }
}

}  // namespace glyph_layout_test
