#pragma once
// The geometry of the foundation's software-drawn decorations: the solid
// bands that stand in for a two-colour gradient when the system cannot draw
// one, and the cells of the dotted grips. Portable; gradient_win.h paints
// them.

#include <cstdint>
#include <vector>

#include "ui/foundation/colors/color_scheme.h"
#include "ui/foundation/geometry/geometry.h"

// One solid band of a software gradient: [Start, End) along the gradient.
struct TlxGradientBand {
  int32_t Start = 0;
  int32_t End = 0;
  TlxRGB Color = 0;

  bool operator==(const TlxGradientBand&) const = default;
};

// The bands of a gradient over `extent` pixels from `origin`: one band per
// pixel, at most 256, the first in `from`, the last in `to`, the last ending
// exactly at origin + extent. Empty bands are left out; nothing for an
// extent below 1.
std::vector<TlxGradientBand> lxGradientBands(int32_t origin, int32_t extent, TlxRGB from, TlxRGB to);

// The top-left corners of the 4 x 4 grip cells in `rect`. A horizontal grip
// steps down, any other steps right; the first cell is moved along the steps
// to share out the remainder of that extent, and cells continue while a whole
// cell fits before the rectangle's far edge in that direction.
std::vector<TPoint> lxGripDotCells(const TRect& rect, bool horizontal);

// The three areas of a size grip at the bottom-right corner of `rect`, each
// painted as a row of grip cells stepping right: 3, 2 and 1 dots in a
// staircase toward the corner.
std::vector<TRect> lxSizeGripRows(const TRect& rect);

// The two 2 x 2 squares of one grip cell: the light one offset by one pixel,
// and the dark one over it, up and to the left.
TRect lxGripDotLightSquare(TPoint cell);
TRect lxGripDotDarkSquare(TPoint cell);
