#pragma once
// The editors' shared drawing: fills, lines and frames with the cached
// brushes, arrow glyphs, and the hot-track text colour.

#include <windows.h>

#include "editors/edit_paint_rules.h"
#include "platform/toolkit/color.h"
#include "ui/foundation/canvas/canvas_win.h"

void lxFillRectWithBrush(HDC dc, const TRect& rect, HBRUSH brush);
void lxFillRectWithColor(TlxCanvas& canvas, const TRect& rect, TColor color);
// Fills `rect` but the hole: nothing when `rect` is empty or is the hole;
// the whole rectangle for an empty hole; else the four bands around it.
void lxFillRectAroundHoleWithBrush(TlxCanvas& canvas, const TRect& rect, const TRect& hole, HBRUSH brush);

// Edge bits of lxDrawEdgeLines.
inline constexpr uint32_t kLxEdgeLeft = 1;
inline constexpr uint32_t kLxEdgeTop = 2;
inline constexpr uint32_t kLxEdgeRight = 4;
inline constexpr uint32_t kLxEdgeBottom = 8;
// One-pixel lines on the given sides (left, right, top, bottom in that
// order), each moving its side of `rect` inwards.
void lxDrawEdgeLines(TlxCanvas& canvas, TRect& rect, uint32_t edges, TColor color);
void lxDrawFrameAndShrink(TlxCanvas& canvas, TRect& rect, TColor color);
void lxDrawTwoColorFrameAndShrink(TlxCanvas& canvas, TRect& rect, TColor top_left, TColor bottom_right);

// One arrow of `size` rows (base 2 * size - 1), or two in a row, centred in
// `rect`, one pixel right and down when pressed.
void lxDrawArrowGlyph(TlxCanvas& canvas, int32_t size, const TRect& rect, TColor color, bool pressed,
                      bool twin, TlxArrowDirection direction);

// The system's hot-light colour.
TColor lxGetHotTrackTextColor();

// The border of an ultra-flat editor or button while focused, hot or
// pressed: the selection colour, or the Office 2003 palette's.
TColor lxGetHighlightBorderColor(bool office11);
// The face of a pressed or hot ultra-flat button: the button colour of the
// ultra-flat or the Office 2003 look for that state.
TColor lxGetFlatButtonStateColor(bool pressed, bool office11);
// The face of a normal Office 2003 button.
TColor lxGetOffice11ButtonFaceColor();
// The two ends of an Office 2003 button's vertical gradient by button state
// (disabled, normal, pressed, hot; a disabled button has none).
struct TlxGradientColors {
  TColor From;
  TColor To;
};
TlxGradientColors lxGetOffice11ButtonGradient(uint8_t state);
