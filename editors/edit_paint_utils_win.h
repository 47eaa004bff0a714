#pragma once
// The editors' shared drawing: fills, lines and frames with the cached
// brushes, arrow glyphs, and the hot-track text colour.

#include <windows.h>

#include <vector>

#include "editors/edit_paint_rules.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/color.h"
#include "platform/toolkit/image_list.h"
#include "platform/toolkit/win_control.h"
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

// A bitmap that is there and has a picture (width and height not 0).
bool lxIsBitmapUsable(const TBitmap* bitmap);
// A glyph at (x, y) over `background` (clNone: over what is there), in the
// disabled look unless `enabled`; its transparent colour shows through.
void lxDrawEditGlyph(TlxCanvas& canvas, int32_t x, int32_t y, TColor background, bool enabled, TBitmap& glyph);

// A poly-line in one colour through `points`: with the pen (the end point
// set too, which the pen leaves out), or with `use_brush` as one-pixel-wide
// rectangles of the cached brush, one per horizontal or vertical segment,
// end points included in either direction.
void lxDrawPolyLineSolid(TlxCanvas& canvas, const std::vector<TPoint>& points, bool use_brush, TColor color);

// An image list that is there with a positive size.
bool lxIsImageListSized(const TCustomImageList* images);
// Image `index` of the list, enabled or disabled, drawn into `bitmap` (or a
// bitmap of the list's size filled with `background`) and copied to the
// top-left corner of `rect`.
void lxDrawImageListImage(TlxCanvas& canvas, TCustomImageList& images, int32_t index, TBitmap* bitmap,
                          bool enabled, TColor background, const TRect& rect);

// The region's box reports it empty.
bool lxIsRegionEmpty(HRGN region);
// The union of both, stored in `region`.
void lxUniteRegion(HRGN region, HRGN other);

// A key-down or character message sent to the editor's window.
void lxSendKeyDown(TWinControl& edit, uint16_t key);
void lxSendChar(TWinControl& edit, char16_t ch);

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
