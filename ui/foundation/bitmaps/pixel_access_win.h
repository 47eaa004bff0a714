#pragma once
// Reading and writing any bitmap's pixels as 32-bit values, rows top first,
// through a 32-bit copy so that every pixel format reads the same way.

#include "platform/toolkit/bitmap.h"
#include "ui/foundation/bitmaps/pixel_filters.h"

TlxPixelImage lxReadBitmapPixels(TBitmap& bitmap);
// Writes the pixels into the bitmap, which must have the image's size.
void lxWriteBitmapPixels(const TlxPixelImage& image, TBitmap& bitmap);
