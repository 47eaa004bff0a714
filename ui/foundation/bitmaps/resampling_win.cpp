#include <windows.h>

#include <vector>

#include "platform/toolkit/canvas_scopes.h"
#include "ui/foundation/bitmaps/resample_bitmap_win.h"
#include "ui/foundation/bitmaps/pixel_access_win.h"
#include "ui/foundation/bitmaps/resampling.h"

namespace {

void StretchHalftone(TBitmap& source, TBitmap& destination) {
  HDC dest_dc = destination.Canvas().Handle();
  const int previous_mode = SetStretchBltMode(dest_dc, HALFTONE);
  // Halftone stretching needs the brush origin set after the mode.
  SetBrushOrgEx(dest_dc, 0, 0, nullptr);
  StretchBlt(dest_dc, 0, 0, destination.Width(), destination.Height(), source.Canvas().Handle(), 0, 0,
             source.Width(), source.Height(), SRCCOPY);
  SetStretchBltMode(dest_dc, previous_mode);
}

}  // namespace

void lxResampleBitmap(TBitmap& source, TBitmap& destination, bool force) {
  if (source.Empty() || destination.Empty())
    return;
  TCanvasLock source_lock(source.Canvas());
  TCanvasLock dest_lock(destination.Canvas());
  if (!force) {
    StretchHalftone(source, destination);
    return;
  }
  TlxPixelImage result{destination.Width(), destination.Height(), {}};
  result.Pixels = lxResamplePixels(lxReadBitmapPixels(source).Pixels, source.Width(), source.Height(),
                                   destination.Width(), destination.Height());
  lxWriteBitmapPixels(result, destination);
}
