#include "ui/foundation/bitmaps/image_tiles.h"

#include <gtest/gtest.h>

namespace {

TEST(ImageListTilesTest, WholeMultiplesBothWaysGoInTileByTile) {
  struct Case {
    int32_t width;
    int32_t height;
    size_t tiles;
  };
  const Case cases[] = {
      {16, 16, 1}, {48, 16, 3}, {32, 32, 4},
      // Not whole multiples both ways: one image.
      {32, 20, 1}, {20, 16, 1}, {16, 40, 1}, {8, 8, 1},
      {0, 16, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lxImageListTiles(c.width, c.height, 16, 16).size(), c.tiles) << c.width << " x " << c.height;
    EXPECT_EQ(lxIsTiledImage(c.width, c.height, 16, 16), c.tiles > 1) << c.width << " x " << c.height;
  }
}

TEST(ImageListTilesTest, TilesRunRowByRowAndAnUntiledImageShowsItsTopLeft) {
  const std::vector<TRect> tiles = lxImageListTiles(32, 32, 16, 16);
  const std::vector<TRect> expected = {{0, 0, 16, 16}, {16, 0, 32, 16}, {0, 16, 16, 32}, {16, 16, 32, 32}};
  EXPECT_EQ(tiles, expected);
  EXPECT_EQ(lxImageListTiles(20, 16, 16, 16), (std::vector<TRect>{{0, 0, 16, 16}}));
}

}  // namespace
