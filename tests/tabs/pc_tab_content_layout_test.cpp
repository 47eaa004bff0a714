#include <gtest/gtest.h>

#include <string>

#include "tabs/pc_tab_content_layout.h"

namespace {

// 6 pixels a character ("&" marks an accelerator and takes none), "Zg" 13
// high; a caption that does not fit loses characters until it fits with "...".
class TFixedCaptionMeasurer : public IlxPCCaptionMeasurer {
 public:
  static int32_t Width(const std::string& text) {
    int32_t width = 0;
    for (char c : text)
      width += c == '&' ? 0 : 6;
    return width;
  }
  int32_t TextWidth(const std::string& caption) override { return Width(caption); }
  TlxPCCaptionFit FitCaption(const std::string& caption, int32_t max_width) override {
    if (Width(caption) <= max_width)
      return {Width(caption), caption};
    std::string text = caption;
    while (!text.empty() && Width(text + "...") > max_width)
      text.pop_back();
    return {Width(text + "..."), text + "..."};
  }
  int32_t TextHeight() override { return 13; }
};

TlxPCTabContentInput TopTab(const std::string& caption) {
  TlxPCTabContentInput input;
  input.TabRect = {0, 0, 100, 22};
  input.Caption = caption;
  input.TextHOffsets = {0, 1, 0, -1};
  input.ImageHOffsets = {0, 1, 0, 0};
  input.ContentStart = input.ContentEnd = 2;
  input.CompactStart = input.CompactEnd = 2;
  input.ImageTextDistance = 6;
  return input;
}

TlxPCTabContentInput WithImage(TlxPCTabContentInput input) {
  input.HasImages = true;
  input.TabHasImage = true;
  input.ImageSize = input.RotatedImageSize = {16, 16};
  return input;
}

TEST(TabContentLayoutTest, CaptionIsCentredInItsBands) {
  TFixedCaptionMeasurer measurer;
  const TlxPCTabContentRects rects = lxPCCalculateTabImageAndTextRects(TopTab("Tabs"), measurer);
  EXPECT_EQ(rects.Caption, TRect(38, 5, 62, 18));
  EXPECT_EQ(rects.Image, TRect());
}

TEST(TabContentLayoutTest, ImageAndCaptionFormOneBlock) {
  TFixedCaptionMeasurer measurer;
  const TlxPCTabContentRects rects = lxPCCalculateTabImageAndTextRects(WithImage(TopTab("Tabs")), measurer);
  // 16 + 6 + 24 = 46 in 96: the block starts 25 after the margin.
  EXPECT_EQ(rects.Image, TRect(27, 3, 43, 19));
  EXPECT_EQ(rects.Caption, TRect(49, 5, 73, 18));
}

TEST(TabContentLayoutTest, LongCaptionsShortenAndMayVanish) {
  TFixedCaptionMeasurer measurer;
  TlxPCTabContentInput input = WithImage(TopTab(std::string(30, 'x')));
  input.CompactStart = input.CompactEnd = 1;
  TlxPCTabContentRects rects = lxPCCalculateTabImageAndTextRects(input, measurer);
  // Compact margins, no centring: image at 1, caption after 22 pixels.
  EXPECT_EQ(rects.Image.Left, 1);
  EXPECT_EQ(rects.Caption.Left, 23);
  EXPECT_LE(rects.Caption.Right, 99);
  EXPECT_GT(rects.Caption.Width(), 0);

  input.TabRect = {0, 0, 40, 22};  // 38 - 22 = 16: not even "x..." fits
  rects = lxPCCalculateTabImageAndTextRects(input, measurer);
  EXPECT_EQ(rects.Caption.Width(), 0);
  EXPECT_EQ(rects.Image, TRect(1, 3, 17, 19));

  TlxPCTabContentInput accelerator = TopTab("&Datei");
  accelerator.TabRect = {0, 0, 22, 22};  // room for "&..." alone
  rects = lxPCCalculateTabImageAndTextRects(accelerator, measurer);
  EXPECT_EQ(rects.Caption, TRect());
}

TEST(TabContentLayoutTest, RotatedCaptionsLineUpWithAndWithoutImages) {
  TFixedCaptionMeasurer measurer;
  TlxPCTabContentInput with_image = WithImage(TopTab("Abc"));
  with_image.Rotate = true;
  TlxPCTabContentInput without_image = with_image;
  without_image.TabHasImage = false;
  const TRect a = lxPCCalculateTabImageAndTextRects(with_image, measurer).Caption;
  const TRect b = lxPCCalculateTabImageAndTextRects(without_image, measurer).Caption;
  EXPECT_EQ(a.Left, b.Left);
  EXPECT_GT(a.Width(), 0);
}

TEST(TabContentLayoutTest, VerticalDirectionsRunFromTheirStart) {
  TFixedCaptionMeasurer measurer;
  TlxPCTabContentInput up = TopTab("Ab");
  up.TabRect = {0, 0, 22, 100};
  up.Direction = 1;
  up.ContentStart = 10;
  const TRect bottom_to_top = lxPCCalculateTabImageAndTextRects(up, measurer).Caption;
  // 12 long in 88, centred: 38 after the start margin of 10, from the bottom.
  EXPECT_EQ(bottom_to_top, TRect(5, 40, 18, 52));
  TlxPCTabContentInput down = up;
  down.Direction = 2;
  const TRect top_to_bottom = lxPCCalculateTabImageAndTextRects(down, measurer).Caption;
  // The band runs from left + bottom margin to right - top margin.
  EXPECT_EQ(top_to_bottom, TRect(4, 48, 17, 60));
}

TEST(TabContentLayoutTest, ImageOnlyTabsCentreTheImage) {
  TFixedCaptionMeasurer measurer;
  TlxPCTabContentInput input = WithImage(TopTab(""));
  input.TabRect = {10, 0, 51, 22};
  EXPECT_EQ(lxPCCalculateTabImageAndTextRects(input, measurer).Image, TRect(22, 3, 38, 19));
  input.Direction = 1;
  input.TabRect = {0, 10, 22, 51};
  // Bottom to top, centred from the bottom: the odd pixel goes to the top.
  EXPECT_EQ(lxPCCalculateTabImageAndTextRects(input, measurer).Image, TRect(3, 23, 19, 39));
  input.ButtonLike = true;
  EXPECT_EQ(lxPCCalculateTabImageAndTextRects(input, measurer).Image.Top, 22);
}

}  // namespace
