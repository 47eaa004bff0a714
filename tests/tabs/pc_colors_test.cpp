#include <gtest/gtest.h>

#include "tabs/pc_colors.h"

namespace {

TEST(TabColorsTest, LighteningRaisesTheValueAndKeepsTheHue) {
  struct Case {
    int32_t rgb;
    int32_t percent;
    int32_t expected;
  };
  const Case cases[] = {
      {0x000000, 85, 0x000000},  // black has no value to raise
      {0xFFFFFF, 85, 0xFFFFFF},  // already at the top
      {0x800000, 85, 0xED0000},  // dark blue: 128 x 1.85 = 236.8
      {0x808080, 50, 0xC0C0C0},  // grey stays grey
      {0x202080, 100, 0x4040FF},  // a red keeps its saturation
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxPCLightenColor(c.rgb, c.percent), c.expected) << std::hex << c.rgb;
}

}  // namespace
