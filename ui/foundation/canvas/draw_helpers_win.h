#pragma once
// Drawing helpers the controls share: device and object queries, tests for
// glyphs and images, blits, image-list links, painting a control's parent
// as its background, and the height of the mouse cursor.

#include <windows.h>

#include <cstdint>

#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/canvas.h"
#include "platform/toolkit/control.h"
#include "platform/toolkit/image_list.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/canvas/draw_helpers.h"
#include "ui/foundation/geometry/geometry.h"

// Pixels per inch of the screen: vertical for direction 0, horizontal for 1.
int32_t lxScreenPixelsPerInch(int32_t direction);
// The bitmap's or font's description; false when the handle does not give
// one.
bool lxQueryBitmapInfo(HBITMAP bitmap, BITMAP& info);
bool lxGetLogFont(HFONT font, LOGFONTA& log_font);

// A bitmap that is there and not empty.
bool lxHasGlyph(const TBitmap* bitmap);
// An image list that is there and has an image at `index`.
bool lxHasImage(const TCustomImageList* images, int32_t index);

// Copies the source at `source_point` into `rect` with `raster_operation`.
bool lxBlitToRect(HDC destination, HDC source, const TRect& rect, const TPoint& source_point,
                  DWORD raster_operation = SRCCOPY);
void lxInvalidateWindowRect(HWND window, const TRect& rect, bool erase);

// Points `field` at `new_images`, moving `change_link` and `component`'s
// free notification from the old list to the new one, then fires the link.
// Nothing at all when the field already holds the list.
void lxChangeImageListLink(TCustomImageList* new_images, TCustomImageList*& field, TChangeLink* change_link,
                           TComponent* component);

// Paints `rect` (in the control's coordinates) of the canvas with what the
// control's parent shows there: through the visual styles when they are
// loaded and the parent paints straight to the screen, else by asking the
// parent to paint itself.
void lxDrawParentBackground(TControl* control, TlxCanvas& canvas, const TRect& rect);
void lxDrawParentBackgroundOnCanvas(TControl* control, TCanvas& canvas, const TRect& rect);
// Asks the control's parent, and with `with_children` its windowed children
// under the control, to paint `rect` (control coordinates) on the canvas.
void lxPaintParentImage(TControl* control, TlxCanvas& canvas, const TRect& rect, bool with_children);
void lxPaintParentImageOnCanvas(TControl* control, TCanvas& canvas, const TRect& rect, bool with_children);

// The cursor's width and how far it shows below its hot spot; the system's
// cursor size when the cursor cannot be read.
void lxGetCursorHeightBelowHotSpot(TSize& size);
