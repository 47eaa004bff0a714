#include "ui/foundation/bitmaps/image_tiles.h"

bool lxIsTiledImage(int32_t image_width, int32_t image_height, int32_t list_width, int32_t list_height) {
  if (image_width < 1 || image_height < 1 || list_width < 1 || list_height < 1)
    return false;
  const bool whole_multiples = image_width % list_width == 0 && image_height % list_height == 0;
  return whole_multiples && (image_width > list_width || image_height > list_height);
}

std::vector<TRect> lxImageListTiles(int32_t image_width, int32_t image_height, int32_t list_width,
                                    int32_t list_height) {
  if (image_width < 1 || image_height < 1 || list_width < 1 || list_height < 1)
    return {};
  if (!lxIsTiledImage(image_width, image_height, list_width, list_height))
    return {TRect(0, 0, list_width, list_height)};
  std::vector<TRect> tiles;
  for (int32_t top = 0; top < image_height; top += list_height) {
    for (int32_t left = 0; left < image_width; left += list_width)
      tiles.emplace_back(left, top, left + list_width, top + list_height);
  }
  return tiles;
}
