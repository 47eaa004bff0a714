#pragma once
// How an image of one size goes into an image list of another: an image
// whose width and height are both whole multiples of the list's goes in
// tile by tile (the top row first, left to right); any other image goes in
// as one. The stored image information and the system list follow the same
// rule, so that their indexes match and a save and load keeps the count.

#include <cstdint>
#include <vector>

#include "platform/rtl/geometry.h"

// The tiles of an image_width x image_height image in a list of
// list_width x list_height images: one rectangle per image the list gets.
// An image that is not tiled gives the one rectangle (0, 0, list_width,
// list_height), the part of it the system list shows. Nothing for sizes
// below 1.
std::vector<TRect> lxImageListTiles(int32_t image_width, int32_t image_height, int32_t list_width,
                                    int32_t list_height);

// Whether such an image goes in tile by tile (more than one tile).
bool lxIsTiledImage(int32_t image_width, int32_t image_height, int32_t list_width, int32_t list_height);
