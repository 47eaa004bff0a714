#include "ui/foundation/colors/color_mix.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t Rgb(uint8_t red, uint8_t green, uint8_t blue) {
  return uint32_t{red} | uint32_t{green} << 8 | uint32_t{blue} << 16;
}

TEST(ColorMixTest, ChannelsMixByPercentages) {
  struct Case {
    uint32_t face, highlight, window;
    int8_t p1, p2, p3;
    uint32_t expected;
  };
  const Case cases[] = {
      // Grey face, dark blue highlight, white window with the hot mixture:
      // red 192*-2/100 = -3.84 -> -4, 10*30/100 = 3, 255*72/100 = 183.6 -> 184.
      {Rgb(192, 192, 192), Rgb(10, 36, 106), Rgb(255, 255, 255), -2, 30, 72, Rgb(183, 191, 212)},
      // The pressed mixture: 192*14/100 = 26.88 -> 27, 10*44/100 = 4.4 -> 4, 102;
      // blue 106*44/100 = 46.64 -> 47.
      {Rgb(192, 192, 192), Rgb(10, 36, 106), Rgb(255, 255, 255), 14, 44, 40, Rgb(133, 145, 176)},
      // Sums above 255 stop there; below 0 stop at 0.
      {Rgb(200, 200, 200), Rgb(200, 0, 0), Rgb(200, 0, 0), 100, 100, 0, Rgb(255, 200, 200)},
      {Rgb(200, 100, 100), Rgb(0, 0, 0), Rgb(0, 0, 0), -50, 0, 0, Rgb(0, 0, 0)},
      // Halves round away from zero, as MulDiv does: 1 * 50 / 100 = 0.5 -> 1.
      {Rgb(1, 1, 1), Rgb(0, 0, 0), Rgb(0, 0, 0), 50, 0, 0, Rgb(1, 1, 1)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxMixColorChannels(c.face, c.highlight, c.window, c.p1, c.p2, c.p3), c.expected)
        << std::hex << c.face << " " << c.highlight << " " << c.window;
}

TEST(ColorMixTest, ABlackOrWhiteFaceGivesTheHighlight) {
  const uint32_t highlight = Rgb(51, 153, 255);
  for (const uint32_t face : {Rgb(0, 0, 0), Rgb(255, 255, 255)}) {
    EXPECT_EQ(lxMixColorChannels(face, highlight, Rgb(255, 255, 255), -2, 30, 72), highlight);
    EXPECT_EQ(lxMixColorChannels(face, highlight, Rgb(255, 255, 255), 14, 44, 40), highlight);
  }
  // Nearly white is still a face to mix with.
  EXPECT_NE(lxMixColorChannels(Rgb(254, 255, 255), highlight, Rgb(255, 255, 255), -2, 30, 72), highlight);
}

}  // namespace
