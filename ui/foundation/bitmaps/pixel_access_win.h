#pragma once
// Reading and writing any bitmap's pixels as 32-bit values, rows top first.
// 32-bit bitmaps are read and written directly, so their alpha stays;
// others go through a 32-bit copy, which the system converts.

#include <windows.h>

#include "platform/toolkit/bitmap.h"
#include "ui/foundation/bitmaps/pixel_filters.h"

TlxPixelImage lxReadBitmapPixels(TBitmap& bitmap);
// Writes the pixels into the bitmap, which must have the image's size.
void lxWriteBitmapPixels(const TlxPixelImage& image, TBitmap& bitmap);
// A system bitmap's pixels (a strip of an image list): a monochrome one
// reads white where it is set. Nothing for a bitmap that cannot be read.
TlxPixelImage lxReadSystemBitmapPixels(HBITMAP bitmap);
