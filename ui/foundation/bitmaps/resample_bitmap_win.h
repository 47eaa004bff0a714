#pragma once
// Resizing one bitmap into another, used when glyphs are drawn at another
// size with smooth stretching.

#include "platform/toolkit/bitmap.h"

// Resizes `source` into `destination` at the destination's size. The system's
// halftone stretching does it unless `force` asks for the library's own
// Lanczos-3 filter (lxResamplePixels), whose result does not depend on the
// system. Nothing happens when either bitmap has no area.
void lxResampleBitmap(TBitmap& source, TBitmap& destination, bool force);
