#include "editors/kinds/image_proportional_rect.h"

#include <gtest/gtest.h>

namespace {

TEST(ImageProportionalRectTest, FitsThePictureKeepingItsShape) {
  struct Case {
    TRect bounds;
    int32_t width;
    int32_t height;
    TRect fitted;
  };
  const Case cases[] = {
      {{0, 0, 100, 100}, 400, 100, {0, 0, 100, 25}},   // wide: full width
      {{0, 0, 100, 100}, 100, 400, {0, 0, 25, 100}},   // tall: full height
      {{0, 0, 100, 100}, 10, 10, {0, 0, 100, 100}},    // enlarged
      {{0, 0, 50, 80}, 10, 10, {0, 0, 50, 50}},
      {{10, 20, 110, 70}, 30, 20, {10, 20, 85, 70}},   // offset bounds, equal ratio goes by height
      {{0, 0, 100, 100}, 3, 7, {0, 0, 42, 100}},       // integer division rounds down
      {{0, 0, 100, 50}, 200, 100, {0, 0, 100, 50}},    // same proportions
      {{0, 0, 2000000, 2000000}, 2000000, 3, {0, 0, 2000000, 3}},  // no overflow
  };
  for (const Case& c : cases) {
    const TRect result = lxImageCalcProportionalRect(c.bounds, c.width, c.height);
    EXPECT_EQ(result, c.fitted) << c.width << "x" << c.height << " into " << c.bounds.Width() << "x"
                                << c.bounds.Height();
  }
}

TEST(ImageProportionalRectTest, EmptyBoundsAndEmptyPicturesNeedNoArithmetic) {
  const TRect empty(5, 5, 5, 40);
  EXPECT_EQ(lxImageCalcProportionalRect(empty, 10, 10), empty);
  EXPECT_EQ(lxImageCalcProportionalRect(TRect(0, 0, 100, 100), 0, 10), TRect(0, 0, 0, 0));
  EXPECT_EQ(lxImageCalcProportionalRect(TRect(3, 4, 100, 100), 10, 0), TRect(3, 4, 3, 4));
  EXPECT_EQ(lxImageCalcProportionalRect(TRect(3, 4, 100, 100), -1, 5), TRect(3, 4, 3, 4));
}

}  // namespace
