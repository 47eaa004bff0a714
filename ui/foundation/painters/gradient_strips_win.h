#pragma once
// Vertical gradients painted from a copy drawn once per size and colour
// pair. The Office 2003 painter puts a short gradient under every content
// cell; the system's GradientFill costs far more per call than a copy of
// the same pixels, so each strip is drawn by GradientFill once into a
// 32-bit bitmap and copied from then on.

#include <windows.h>

#include "platform/toolkit/color.h"
#include "ui/foundation/geometry/geometry.h"

// Paints what lxPaintGradient(dc, rect, from, to, false) paints. On a
// target other than a 32-bit bitmap it calls it directly, so that a
// dithering device still dithers.
void lxPaintVerticalGradientCached(HDC dc, const TRect& rect, TColor from, TColor to);
