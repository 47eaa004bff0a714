#include "editors/edit_paint_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(EditPaintRulesTest, BorderWidthsByStyleAndUnderASkin) {
  const int32_t widths[] = {0, 1, 2, 2, 2, 1, 1};
  for (int style = ebsNone; style <= ebsOffice11; ++style) {
    EXPECT_EQ(lxGetEditBorderWidth(static_cast<TlxEditBorderStyle>(style), false), widths[style]);
    EXPECT_EQ(lxGetEditBorderWidth(static_cast<TlxEditBorderStyle>(style), true), style == ebsThick ? 2 : 1);
  }
}

TEST(EditPaintRulesTest, ArrowSizesHaveAnOddBase) {
  struct Case {
    TSize box;
    TlxArrowDirection direction;
    TSize size;
  };
  const Case cases[] = {
      {{16, 10}, adDown, {5, 3}}, {{16, 10}, adLeft, {3, 5}}, {{7, 7}, adUp, {3, 2}},
      {{12, 12}, adDown, {5, 3}}, {{1, 1}, adDown, {1, 1}},   {{0, 0}, adRight, {1, 1}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxCalcArrowGlyphSize(c.box, c.direction), c.size) << c.box.cx << "x" << c.box.cy;
}

TEST(EditPaintRulesTest, TextFlagsMapBothWays) {
  EXPECT_EQ(lxConvertTextOutFlagsToDT(1 | 16 | 512), 4u | 32u | 64u);
  EXPECT_EQ(lxConvertTextOutFlagsToDT(2 | 32 | 256), 2u | 16u | 1024u);
  EXPECT_EQ(lxConvertDTFlagsToTextOut(4 | 32 | 64), 1u | 16u | 512u);
  EXPECT_EQ(lxConvertDTFlagsToTextOut(1 | 8), 0u);
  for (uint32_t flags : {1u, 2u, 16u, 32u, 256u, 512u})
    EXPECT_EQ(lxConvertDTFlagsToTextOut(lxConvertTextOutFlagsToDT(flags)), flags);
}

TEST(EditPaintRulesTest, CharacterAndSizeRoutines) {
  for (char16_t ch : {u'\0', u'\t', u'\n', u'\f', u'\r', u' '})
    EXPECT_TRUE(lxIsWhiteSpace(ch));
  EXPECT_FALSE(lxIsWhiteSpace(u'\v'));
  EXPECT_TRUE(lxIsDigit(u'0'));
  EXPECT_TRUE(lxIsDigit(u'9'));
  EXPECT_FALSE(lxIsDigit(u'a'));
  TSize size{5, 20};
  lxEnlargeSize(size, TSize{8, 3});
  EXPECT_EQ(size, (TSize{8, 20}));
}

}  // namespace
