#include "editors/container_routines_win.h"

#include <array>

#include "editors/solid_brush_cache_win.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/font.h"
#include "platform/toolkit/gdi_holders.h"
#include "ui/foundation/controls/control_scroll_bar_win.h"
#include "ui/foundation/themes/theme_manager_win.h"
#include "ui/foundation/themes/visual_styles_win.h"

namespace {

constexpr int32_t kShadowSize = 3;

using TGetScrollBarInfoProc = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
TGetScrollBarInfoProc& ScrollBarInfoEntry() {
  static TGetScrollBarInfoProc entry = nullptr;
  return entry;
}

bool IsEmpty(const TRect& rect) { return rect.Right <= rect.Left || rect.Bottom <= rect.Top; }

// The four bands in their order: left, top, right, bottom.
std::array<TRect, 4> BandsAround(const TRect& rect, const TRect& hole) {
  return {TRect(rect.Left, rect.Top, hole.Left, rect.Bottom), TRect(hole.Left, rect.Top, hole.Right, hole.Top),
          TRect(hole.Right, rect.Top, rect.Right, rect.Bottom), TRect(hole.Left, hole.Bottom, hole.Right, rect.Bottom)};
}

}  // namespace

TlxContainer* lxFindContainerOf(TControl* control) {
  if (control == nullptr)
    return nullptr;
  if (auto* container = dynamic_cast<TlxContainer*>(control))
    return container;
  if (auto* inner = Supports<IlxContainerInnerControl>(control))
    return inner->GetControlContainer();
  return nullptr;
}

int32_t lxGetBorderInset(TlxLookAndFeelKind kind) { return kind == lfFlat || kind == lfStandard ? 2 : 1; }

void lxGrowRectByEdges(TRect& rect, int32_t width, TlxBorders edges) {
  rect.Left -= edges.Contains(bLeft) ? width : 0;
  rect.Top -= edges.Contains(bTop) ? width : 0;
  rect.Right += edges.Contains(bRight) ? width : 0;
  rect.Bottom += edges.Contains(bBottom) ? width : 0;
}

void lxShrinkRectByMissingEdges(TRect& rect, int32_t width, TlxBorders edges) {
  rect.Left += edges.Contains(bLeft) ? 0 : width;
  rect.Top += edges.Contains(bTop) ? 0 : width;
  rect.Right -= edges.Contains(bRight) ? 0 : width;
  rect.Bottom -= edges.Contains(bBottom) ? 0 : width;
}

void lxDrawShadowBand(TlxCanvas& canvas, const TRect& rect) {
  TlxBrushPaintScope paint;
  const HBRUSH brush = lxGetSolidBrush(clBtnShadow);
  const HDC dc = canvas.Handle();
  for (const TRect& band : {TRect(rect.Left + kShadowSize, rect.Bottom, rect.Right, rect.Bottom + kShadowSize),
                            TRect(rect.Right, rect.Top + kShadowSize, rect.Right + kShadowSize,
                                  rect.Bottom + kShadowSize)}) {
    const RECT area{band.Left, band.Top, band.Right, band.Bottom};
    FillRect(dc, &area, brush);
    ExcludeClipRect(dc, band.Left, band.Top, band.Right, band.Bottom);
  }
}

void lxFillRectAroundHole(TlxCanvas& canvas, const TRect& rect, const TRect& hole, TColor color) {
  if (IsEmpty(rect) || rect == hole)
    return;
  TlxBrushPaintScope paint;
  const HBRUSH brush = lxGetSolidBrush(color);
  if (IsEmpty(hole)) {
    const RECT area{rect.Left, rect.Top, rect.Right, rect.Bottom};
    FillRect(canvas.Handle(), &area, brush);
    return;
  }
  for (const TRect& band : BandsAround(rect, hole)) {
    const RECT area{band.Left, band.Top, band.Right, band.Bottom};
    FillRect(canvas.Handle(), &area, brush);
  }
}

void lxInvalidateRectAroundHole(HWND window, const TRect& rect, const TRect& hole, bool erase) {
  if (IsEmpty(hole)) {
    const RECT area{rect.Left, rect.Top, rect.Right, rect.Bottom};
    InvalidateRect(window, &area, erase);
    return;
  }
  for (const TRect& band : BandsAround(rect, hole)) {
    const RECT area{band.Left, band.Top, band.Right, band.Bottom};
    InvalidateRect(window, &area, erase);
  }
}

HRGN lxCreateFrameRegion(const TRect& rect, bool no_region, const TRect& exclusion, bool shadow) {
  if (no_region)
    return nullptr;
  HRGN region = CreateRectRgn(rect.Left, rect.Top, rect.Right, rect.Bottom);
  if (shadow) {
    TOwnedRegion moved(CreateRectRgn(rect.Left + kShadowSize, rect.Top + kShadowSize, rect.Right + kShadowSize,
                                     rect.Bottom + kShadowSize));
    CombineRgn(region, region, moved.Get(), RGN_OR);
  }
  if (!IsEmpty(exclusion)) {
    TOwnedRegion excluded(CreateRectRgn(exclusion.Left, exclusion.Top, exclusion.Right, exclusion.Bottom));
    CombineRgn(region, region, excluded.Get(), RGN_DIFF);
  }
  return region;
}

bool lxSetFrameWindowRegion(HWND window, const TRect& rect, bool no_region, const TRect& exclusion, bool shadow) {
  TOwnedRegion wanted(lxCreateFrameRegion(rect, no_region, exclusion, shadow));
  TOwnedRegion present(CreateRectRgn(0, 0, 0, 0));
  const int present_kind = GetWindowRgn(window, present.Get());
  const bool has_present = present_kind != ERROR && present_kind != NULLREGION;
  if (wanted.Get() == nullptr && !has_present)
    return false;
  if (wanted.Get() != nullptr && has_present && EqualRgn(wanted.Get(), present.Get()))
    return false;
  // The window owns the region it is given.
  SetWindowRgn(window, wanted.Release(), TRUE);
  return true;
}

void lxBindGetScrollBarInfo() {
  if (ScrollBarInfoEntry() != nullptr)
    return;
  const HMODULE user32 = GetModuleHandleA("User32");
  if (user32 == nullptr)
    return;
  ScrollBarInfoEntry() =
      reinterpret_cast<TGetScrollBarInfoProc>(reinterpret_cast<void*>(GetProcAddress(user32, "GetScrollBarInfo")));
}

bool lxIsScrollBarInfoAvailable() { return ScrollBarInfoEntry() != nullptr; }

bool lxGetScrollBarInfo(HWND window, LONG object_id, SCROLLBARINFO& info) {
  if (!lxIsScrollBarInfoAvailable())
    return false;
  info.cbSize = 60;
  return ScrollBarInfoEntry()(window, object_id, &info) != FALSE;
}

void lxPrintClientBuffered(HDC target, const TRect& target_rect, HWND window) {
  const RECT rect{target_rect.Left, target_rect.Top, target_rect.Right, target_rect.Bottom};
  HDC buffer_dc = nullptr;
  const HPAINTBUFFER buffer = lxUxBeginBufferedPaint(target, rect, BPBF_TOPDOWNDIB, nullptr, buffer_dc);
  if (buffer == nullptr || buffer_dc == nullptr)
    return;
  TScopeExit finish([buffer, window] {
    HideCaret(window);
    lxUxEndBufferedPaint(buffer, true);
    ShowCaret(window);
  });
  SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(buffer_dc), reinterpret_cast<LPARAM>(buffer_dc));
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(buffer_dc), PRF_CLIENT);
  lxUxBufferedPaintSetAlpha(buffer, &rect, 255);
}

int32_t lxMouseButtonToCode(TMouseButton button) {
  switch (button) {
    case mbLeft:
      return 1;
    case mbRight:
      return 2;
    case mbMiddle:
      return 3;
  }
  return 0;
}

bool lxTextsEqual(const std::string& text1, const std::string& text2, bool case_sensitive) {
  if (case_sensitive)
    return AnsiCompareStr(text1, text2) == 0;
  return AnsiUpperCase(text1) == AnsiUpperCase(text2);
}

bool lxIsListNavigationKey(uint16_t key) {
  switch (key) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      return true;
    default:
      return false;
  }
}

TRect lxGetControlOriginRect(const TControl& control) { return TRect(0, 0, control.Width(), control.Height()); }

void lxRecreateWindowOf(TObject* /*sender*/, TWinControl& control) { control.RecreateWnd(); }

void lxAssignFontFrom(TFont& font, const TFont& source) { font.Assign(&source); }

void lxApplyControlRegion(TWinControl& control, const TlxRegionRequest& request) {
  if (!control.HandleAllocated())
    return;
  // The window owns the region it is given.
  HRGN region = request.NoRegion ? nullptr
                                 : CreateRectRgn(request.Rect.Left, request.Rect.Top, request.Rect.Right,
                                                 request.Rect.Bottom);
  SetWindowRgn(control.Handle(), region, TRUE);
}

void lxInvalidateControlRect(TWinControl& control, const TRect& rect, bool erase) {
  if (!control.HandleAllocated())
    return;
  const RECT area{rect.Left, rect.Top, rect.Right, rect.Bottom};
  InvalidateRect(control.Handle(), &area, erase);
}

TRect lxGetSizeGripScreenRect(IlxContainerInnerControl& inner) {
  TlxContainer* container = inner.GetControlContainer();
  TWinControl* control = inner.GetControl();
  if (container == nullptr || control == nullptr || !control->HandleAllocated())
    return TRect();
  TlxControlScrollBar* horizontal = container->HScrollBar();
  TlxControlScrollBar* vertical = container->VScrollBar();
  if (horizontal == nullptr || vertical == nullptr || !horizontal->IsShown() || !vertical->IsShown())
    return TRect();
  const TPoint corner = container->ClientToScreen(TPoint(vertical->Left(), horizontal->Top()));
  RECT window;
  GetWindowRect(control->Handle(), &window);
  const TPoint origin(corner.X - window.left, corner.Y - window.top);
  return TRect(origin.X, origin.Y, origin.X + vertical->Width(), origin.Y + horizontal->Height());
}

bool lxIsNativeThemeAvailable(bool native, TlxThemedObjectType type) {
  return native && lxOpenThemeHandle(type) != nullptr;
}

void lxRepaintWindowBuffered(HWND window) {
  const HDC dc = GetDC(window);
  if (dc == nullptr)
    return;
  TScopeExit release([window, dc] { ReleaseDC(window, dc); });
  RECT client;
  GetClientRect(window, &client);
  lxPrintClientBuffered(dc, TRect(client), window);
}

void lxPaintWindowBuffered(HWND window) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  TScopeExit end([window, &paint] { EndPaint(window, &paint); });
  if (dc != nullptr)
    lxPrintClientBuffered(dc, TRect(paint.rcPaint), window);
}

TPoint lxGetMousePos() {
  POINT point{0, 0};
  GetCursorPos(&point);
  return TPoint(point.x, point.y);
}

TShiftState lxGetShiftStateNow() { return KeyboardStateToShiftState(); }
