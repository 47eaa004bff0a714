#include "ui/foundation/canvas/text_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Greedy word wrapping of words of the given widths, with a space of 1
// between words on a row: the height at a width is rows x 10.
int32_t WrappedHeight(const std::vector<int32_t>& words, int32_t width) {
  int32_t rows = 0;
  int32_t row_width = -1;
  for (const int32_t word : words) {
    if (row_width < 0 || row_width + 1 + word > width) {
      ++rows;
      row_width = word;
    } else {
      row_width += 1 + word;
    }
  }
  return rows * 10;
}

TEST(TextHelpersTest, NarrowestWrapWidthFindsTheSmallestWidthThatFits) {
  struct Case {
    std::vector<int32_t> words;
    int32_t rows;
    int32_t expected;
  };
  const Case cases[] = {
      {{10, 10, 10}, 2, 21},     // two words a row at most
      {{10, 10, 10}, 3, 10},     // the longest word already fits
      {{10, 10, 10}, 1, 32},     // only the single line fits
      {{5, 30, 5, 5}, 2, 36},    // the long word cannot stand alone
      {{4, 4, 4, 4, 4}, 2, 14},  // three words on the first row
  };
  for (const Case& c : cases) {
    int32_t longest = 0;
    int32_t single_line = -1;
    for (const int32_t word : c.words) {
      longest = std::max(longest, word);
      single_line += word + 1;
    }
    int32_t calls = 0;
    const int32_t width = lxNarrowestWrapWidth(longest, single_line, c.rows * 10, [&](int32_t w) {
      ++calls;
      return WrappedHeight(c.words, w);
    });
    EXPECT_EQ(width, c.expected) << c.rows << " rows";
    EXPECT_LE(WrappedHeight(c.words, width), c.rows * 10);
    if (width > longest) {
      EXPECT_GT(WrappedHeight(c.words, width - 1), c.rows * 10);
    }
    EXPECT_LE(calls, 8);  // a halving search, not a walk over every width
  }
}

TEST(TextHelpersTest, NarrowestWrapWidthWhenNothingFits) {
  // Even the widest is too tall: the widest is the answer, and a range
  // given the wrong way round does not loop.
  EXPECT_EQ(lxNarrowestWrapWidth(10, 40, 5, [](int32_t) { return 20; }), 40);
  EXPECT_EQ(lxNarrowestWrapWidth(40, 10, 5, [](int32_t) { return 20; }), 10);
}

TEST(TextHelpersTest, ReorderingCharsets) {
  const std::string wide_first = "\xC4\xE3\xBA\xC3";
  const uint8_t charsets[] = {0, 1, 2, 128, 129, lxGb2312Charset, lxChineseBig5Charset, 161, 177,
                              lxArabicCharset, 186, 204, 238, 255};
  for (const uint8_t charset : charsets) {
    const bool reorders =
        charset == lxGb2312Charset || charset == lxChineseBig5Charset || charset == lxArabicCharset;
    EXPECT_EQ(lxResolvedCharsetReordersText(charset, wide_first), reorders) << int{charset};
    EXPECT_FALSE(lxResolvedCharsetReordersText(charset, "Abc" + wide_first)) << int{charset};
    EXPECT_FALSE(lxResolvedCharsetReordersText(charset, std::string_view("\x7F\xC4", 2))) << int{charset};
    EXPECT_FALSE(lxResolvedCharsetReordersText(charset, "")) << int{charset};
  }
}

}  // namespace
