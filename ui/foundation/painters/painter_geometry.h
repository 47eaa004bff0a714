#pragma once
// The shapes the painters draw, computed without a device: arrow triangles,
// the check mark, crosses, the sorting arrow, month arrows, the scheduler's
// navigation buttons and the clock's hands. Portable, so that the figures
// are tested without drawing.

#include <array>
#include <cstdint>
#include <vector>

#include "ui/foundation/geometry/auto_width.h"
#include "ui/foundation/geometry/geometry.h"
#include "ui/foundation/painters/painter_types.h"

using TlxTriangle = std::array<TPoint, 3>;

// The arrow of arrow buttons and scroll bars. With `proportional` the
// rectangle is first made square about its middle; a `size` of 0 computes
// the arrow's length from the rectangle.
TlxTriangle lxComputeArrowTriangle(const TRect& rect, TlxArrowDirection direction, bool proportional, int32_t size = 0);
// The small triangle of drop-down buttons, pointing down.
TlxTriangle lxDropDownTriangle(const TRect& rect);

// The caption rectangle of a button: the odd pixel of its height dropped,
// and moved up by one when then lower than 18.
TRect lxButtonCaptionRect(const TRect& rect);

// A pen stroke: move to the first point, lines to the others.
using TlxStroke = std::vector<TPoint>;
// The three strokes of the check mark in `rect`.
std::array<TlxStroke, 3> lxCheckMarkStrokes(const TRect& rect);
// The four strokes of the group expand mark (two chevrons).
std::array<TlxStroke, 4> lxGroupExpandMarkStrokes(const TRect& rect, bool expanded);

// The plus/minus cross: the horizontal bar, and the vertical one (empty
// when expanded).
struct TlxExpandCross {
  TRect Horizontal;
  TRect Vertical;
};
TlxExpandCross lxExpandCross(const TRect& rect, bool expanded);

// The close cross of the filter close button: four lines (each from the
// first point to the second), for a square of `glyph_width` / 2 (less one
// when even), moved by one pixel right and down when pressed.
std::array<std::array<TPoint, 2>, 4> lxButtonCrossLines(const TRect& rect, int32_t glyph_width, bool pressed);

// One segment of the sorting arrow's pen path, drawn to `To` in the light
// colour or the shadow colour.
struct TlxSortArrowSegment {
  TPoint To;
  bool Light = false;
};
struct TlxSortArrowPath {
  TPoint Start;
  std::vector<TlxSortArrowSegment> Segments;
};
TlxSortArrowPath lxSortArrowPath(const TRect& rect, TSize mark_size, bool ascending);

// The five lines of the indicator's customization mark (each from the first
// point to the second) and the three bullet pixels.
struct TlxCustomizationMark {
  std::array<std::array<TPoint, 2>, 5> Lines;
  std::array<TPoint, 3> Bullets;
};
TlxCustomizationMark lxCustomizationMark(const TRect& rect);

// The month header's arrows (arrows 1 left, 2 right, 3 both), for bounds
// already moved down by the painter's border size.
std::vector<TlxTriangle> lxMonthHeaderArrows(const TRect& bounds, int32_t arrows, int32_t side_width);

// Margins of the scheduler's next and previous buttons and their arrow size.
struct TlxSchedulerNavButtonSizes {
  TRect Margins;  // widths: left, top, right, bottom
  TSize ArrowSize;
};
TlxSchedulerNavButtonSizes lxBaseSchedulerNavButtonSizes(bool next_button);
// Places text and arrow in a navigation button; may change `bounds`.
void lxComputeSchedulerNavButtonRects(const TlxSchedulerNavButtonSizes& sizes, bool collapsed, int32_t caption_width1,
                                      int32_t caption_width2, TRect& bounds, TRect& text_rect, TRect& arrow_rect);
// The strips the navigation arrow fills: pairs stepping toward the far side,
// then the column along the far edge.
std::vector<TRect> lxSchedulerNavArrowStrips(const TRect& rect, bool next_button);

// The clock: the sixty dial points (every fifth gets a dot), and the four
// corners of a hand.
struct TlxClockGeometry {
  double CentreX = 0;
  double CentreY = 0;
  double RadiusX = 0;
  double RadiusY = 0;
};
TlxClockGeometry lxClockGeometry(const TRect& bounds);
TPoint lxClockDialPoint(const TlxClockGeometry& clock, int32_t index);
// Angles in radians, 0 along the positive x axis, growing clockwise on the
// screen.
double lxClockHourAngle(int32_t hour, int32_t minute, int32_t second);
double lxClockMinuteAngle(int32_t minute, int32_t second);
double lxClockSecondAngle(int32_t second);
std::array<TPoint, 4> lxClockHandCorners(const TlxClockGeometry& clock, double angle, int32_t width, double tip,
                                         double tail);
TPoint lxClockSecondHandTip(const TlxClockGeometry& clock, double angle);
