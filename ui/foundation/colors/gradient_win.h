#pragma once
// Two-colour gradients, solid fills and the dotted grips of the Office 2003
// look, painted on a device context. Gradients go through the system's
// GradientFill when "msimg32.dll" has it, else through solid bands.

#include <windows.h>

#include "platform/toolkit/color.h"
#include "ui/foundation/geometry/geometry.h"

// A gradient across `rect` from `from` (left or top) to `to` (right or
// bottom); one solid fill when both are the same colour.
void lxPaintGradient(HDC dc, const TRect& rect, TColor from, TColor to, bool horizontal);
// The same drawn as at most 256 solid bands, whatever the system offers.
void lxPaintGradientInBands(HDC dc, const TRect& rect, TColor from, TColor to, bool horizontal);
// Whether the system's GradientFill was found at start-up.
bool lxGradientFillBound();
// Fills `rect` through a temporary solid brush.
void lxFillRectSolid(HDC dc, const TRect& rect, TColor color);

// A row of grip dots in `rect`, stepping down when `horizontal`, right
// otherwise. A brush not given is the palette's grip brush, or, while the
// palette is not acquired, a temporary brush of the palette's grip colour.
void lxOffice11PaintGripDots(HDC dc, const TRect& rect, bool horizontal, HBRUSH light_brush = nullptr,
                             HBRUSH dark_brush = nullptr);
// The staircase of dots in the bottom-right corner of `rect`; clDefault
// takes the palette's grip colour.
void lxOffice11PaintSizeGrip(HDC dc, const TRect& rect, TColor dark_color = clDefault,
                             TColor light_color = clDefault);
