#include "ui/foundation/canvas/draw_helpers_win.h"

#include <vector>

#include "platform/toolkit/win_control.h"
#include "ui/foundation/themes/visual_styles_win.h"

namespace {

RECT ToRect(const TRect& rect) { return RECT{rect.Left, rect.Top, rect.Right, rect.Bottom}; }

// Marks the window as painting a copy of itself while it lives.
class PaintCopyScope {
 public:
  explicit PaintCopyScope(TWinControl& window) : window_(window) { window_.ControlState().Include(csPaintCopy); }
  ~PaintCopyScope() { window_.ControlState().Exclude(csPaintCopy); }
  PaintCopyScope(const PaintCopyScope&) = delete;
  PaintCopyScope& operator=(const PaintCopyScope&) = delete;

 private:
  TWinControl& window_;
};

class CanvasLockScope {
 public:
  explicit CanvasLockScope(TCanvas& canvas) : canvas_(canvas) { canvas_.Lock(); }
  ~CanvasLockScope() { canvas_.Unlock(); }
  CanvasLockScope(const CanvasLockScope&) = delete;
  CanvasLockScope& operator=(const CanvasLockScope&) = delete;

 private:
  TCanvas& canvas_;
};

// Draws a child window's border as the system would and leaves the context
// clipped to, and with its origin at, the client area inside it.
void DrawNonClientEdge(TWinControl& window, HDC dc, const TRect& rect) {
  const HWND handle = window.Handle();
  const auto style = static_cast<DWORD>(GetWindowLongPtrA(handle, GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongPtrA(handle, GWL_EXSTYLE));
  RECT client = ToRect(rect);
  if ((ex_style & WS_EX_CLIENTEDGE) != 0) {
    DrawEdge(dc, &client, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  } else if ((style & WS_BORDER) != 0) {
    DrawEdge(dc, &client, BDR_RAISEDOUTER | BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | BF_MONO);
  }
  IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
  OffsetWindowOrgEx(dc, -client.left, -client.top, nullptr);
}

// Paints `window`'s `rect` (its own coordinates) with the context's window
// origin moved by `offset`. Windowed children under `start` follow when
// asked; the walk ends at `start`.
void PaintWindowImage(TWinControl& window, const TControl& start, TlxCanvas& canvas, const TRect& rect,
                      const TPoint& offset, bool with_children) {
  const HDC dc = canvas.Handle();
  const int level = SaveDC(dc);
  OffsetWindowOrgEx(dc, offset.X, offset.Y, nullptr);
  if (canvas.IsRectVisible(rect)) {
    {
      PaintCopyScope paint_copy(window);
      if (&window != start.Parent()) DrawNonClientEdge(window, dc, rect);
      CanvasLockScope lock(canvas.Canvas());
      window.Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc));
      window.Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
    if (with_children) {
      for (int32_t i = 0; i < window.ControlCount(); ++i) {
        TControl* child = window.Controls(i);
        if (child == &start) break;
        auto* windowed = dynamic_cast<TWinControl*>(child);
        if (windowed == nullptr || !windowed->Visible()) continue;
        // The child's own coordinates start at its position in the window's.
        PaintWindowImage(*windowed, start, canvas, TRect(0, 0, windowed->Width(), windowed->Height()),
                         TPoint(-windowed->Left(), -windowed->Top()), with_children);
      }
    }
  }
  RestoreDC(dc, level);
}

}  // namespace

int32_t lxScreenPixelsPerInch(int32_t direction) {
  return GetDeviceCaps(lxGetScreenCanvas().Handle(), direction == 0 ? LOGPIXELSY : LOGPIXELSX);
}

bool lxQueryBitmapInfo(HBITMAP bitmap, BITMAP& info) {
  return bitmap != nullptr && GetObjectA(bitmap, sizeof(BITMAP), &info) != 0;
}

bool lxGetLogFont(HFONT font, LOGFONTA& log_font) {
  return font != nullptr && GetObjectA(font, sizeof(LOGFONTA), &log_font) != 0;
}

bool lxHasGlyph(const TBitmap* bitmap) { return bitmap != nullptr && !bitmap->Empty(); }

bool lxHasImage(const TCustomImageList* images, int32_t index) {
  return images != nullptr && index >= 0 && index < images->Count();
}

bool lxBlitToRect(HDC destination, HDC source, const TRect& rect, const TPoint& source_point,
                  DWORD raster_operation) {
  return BitBlt(destination, rect.Left, rect.Top, rect.Width(), rect.Height(), source, source_point.X,
                source_point.Y, raster_operation) != FALSE;
}

void lxInvalidateWindowRect(HWND window, const TRect& rect, bool erase) {
  const RECT area = ToRect(rect);
  InvalidateRect(window, &area, erase ? TRUE : FALSE);
}

void lxChangeImageListLink(TCustomImageList* new_images, TCustomImageList*& field, TChangeLink* change_link,
                           TComponent* component) {
  if (field == new_images) return;
  if (field != nullptr) {
    if (component != nullptr) field->RemoveFreeNotification(component);
    if (change_link != nullptr) field->UnRegisterChanges(change_link);
  }
  field = new_images;
  if (new_images != nullptr) {
    if (change_link != nullptr) new_images->RegisterChanges(change_link);
    if (component != nullptr) new_images->FreeNotification(component);
  }
  if (change_link != nullptr) change_link->Change();
}

void lxDrawParentBackground(TControl* control, TlxCanvas& canvas, const TRect& rect) {
  if (control == nullptr || control->Parent() == nullptr) return;
  auto* windowed = dynamic_cast<TWinControl*>(control);
  // A control without a window of its own has nothing for the visual styles
  // to find the parent from.
  if (windowed == nullptr || control->Parent()->DoubleBuffered() || !lxUxThemeLibraryLoaded()) {
    lxPaintParentImage(control, canvas, rect, false);
    return;
  }
  const RECT area = ToRect(rect);
  lxUxDrawThemeParentBackground(windowed->Handle(), canvas.Handle(), &area);
}

void lxDrawParentBackgroundOnCanvas(TControl* control, TCanvas& canvas, const TRect& rect) {
  TlxCanvas wrapper(canvas);
  lxDrawParentBackground(control, wrapper, rect);
}

void lxPaintParentImage(TControl* control, TlxCanvas& canvas, const TRect& rect, bool with_children) {
  if (control == nullptr || control->Parent() == nullptr) return;
  TWinControl& parent = *control->Parent();
  const TRect in_parent(rect.Left + control->Left(), rect.Top + control->Top(), rect.Right + control->Left(),
                        rect.Bottom + control->Top());
  // The parent's point (Left, Top) lands on the control's (0, 0).
  PaintWindowImage(parent, *control, canvas, in_parent, TPoint(control->Left(), control->Top()), with_children);
}

void lxPaintParentImageOnCanvas(TControl* control, TCanvas& canvas, const TRect& rect, bool with_children) {
  TlxCanvas wrapper(canvas);
  lxPaintParentImage(control, wrapper, rect, with_children);
}

void lxGetCursorHeightBelowHotSpot(TSize& size) {
  size = TSize{GetSystemMetrics(SM_CXCURSOR), GetSystemMetrics(SM_CYCURSOR)};
  ICONINFO icon{};
  const HCURSOR cursor = GetCursor();
  if (cursor == nullptr || !GetIconInfo(cursor, &icon)) return;

  BITMAP mask{};
  if (lxQueryBitmapInfo(icon.hbmMask, mask) && mask.bmBitsPixel == 1 && mask.bmWidth > 0 && mask.bmHeight > 0) {
    struct MonoInfo {
      BITMAPINFOHEADER header;
      RGBQUAD colors[2];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = mask.bmWidth;
    info.header.biHeight = mask.bmHeight;  // bottom-up
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.header.biCompression = BI_RGB;
    const int32_t bytes_per_row = ((mask.bmWidth + 31) / 32) * 4;
    std::vector<uint8_t> bits(static_cast<size_t>(bytes_per_row) * static_cast<size_t>(mask.bmHeight));
    const HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, icon.hbmMask, 0, static_cast<UINT>(mask.bmHeight), bits.data(),
                               reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows == mask.bmHeight) {
      size.cx = mask.bmWidth;
      size.cy = lxCursorHeightBelowHotSpotFromMask(bits, mask.bmWidth, mask.bmHeight, bytes_per_row,
                                                   static_cast<int32_t>(icon.yHotspot), size.cy);
    }
  }
  if (icon.hbmMask != nullptr) DeleteObject(icon.hbmMask);
  if (icon.hbmColor != nullptr) DeleteObject(icon.hbmColor);
}
