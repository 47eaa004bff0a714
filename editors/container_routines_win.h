#pragma once
// The free routines of the container module: finding a control's
// container, rectangles by edge sets, frame window regions with their
// shadow, fills and invalidation around a hole, the platform's scroll-bar
// information call bound at run time, and buffered printing of a window.

#include <windows.h>

#include <cstdint>
#include <string>

#include "editors/container_win.h"

class TFont;

// What an inner control tells of the container that hosts it.
class IlxContainerInnerControl : public virtual IInterface {
 public:
  virtual TlxContainer* GetControlContainer() = 0;
  virtual TWinControl* GetControl() = 0;
};

// Null for null; the control itself when it is a container; else the
// container its inner-control interface names; else null.
TlxContainer* lxFindContainerOf(TControl* control);

// The inner control a container makes from its stored class reference,
// owned by `owner`. A class that makes no `Inner` is refused with an error
// naming both classes, and what it made is freed.
template <class Inner>
Inner* lxCreateInnerControl(const TClass* inner_class, TComponent* owner) {
  TObject* made = inner_class->CreateInstance(owner);
  auto* inner = dynamic_cast<Inner*>(made);
  if (inner == nullptr) {
    delete made;
    throw EInvalidOperation("Class " + std::string(inner_class->ClassName()) + " is not a " +
                            std::string(Inner::kClass.ClassName()));
  }
  return inner;
}

// Page, Home, End and the arrows: the keys that move a list's selection,
// which a bound list refuses while its data cannot be edited.
bool lxIsListNavigationKey(uint16_t key);

// (0, 0, Width, Height) of the control.
TRect lxGetControlOriginRect(const TControl& control);
// Recreates the control's window; the ignored first argument lets it serve
// as a deferred callback.
void lxRecreateWindowOf(TObject* sender, TWinControl& control);
void lxAssignFontFrom(TFont& font, const TFont& source);
// The handle itself: the popup window tests pass every handle through it.
inline HWND lxPlainHandle(HWND window) { return window; }

// lfFlat and lfStandard 2, lfUltraFlat and lfOffice11 1.
int32_t lxGetBorderInset(TlxLookAndFeelKind kind);
void lxGrowRectByEdges(TRect& rect, int32_t width, TlxBorders edges);
void lxShrinkRectByMissingEdges(TRect& rect, int32_t width, TlxBorders edges);

// The shadow bands below and right of `rect`, each then left out of the
// canvas clip.
void lxDrawShadowBand(TlxCanvas& canvas, const TRect& rect);
// The four bands of `rect` around `hole` in `color`; nothing for an empty
// rectangle or one equal to the hole; all of it for an empty hole.
void lxFillRectAroundHole(TlxCanvas& canvas, const TRect& rect, const TRect& hole, TColor color);
// The same bands invalidated.
void lxInvalidateRectAroundHole(HWND window, const TRect& rect, const TRect& hole, bool erase);

// The region of a frame (none with `no_region`), with its shadow copy
// moved by (3, 3), less a non-empty exclusion. The caller owns it.
HRGN lxCreateFrameRegion(const TRect& rect, bool no_region, const TRect& exclusion, bool shadow);
// Sets the window's region to that only when it differs from the present
// one; true when the region was replaced.
bool lxSetFrameWindowRegion(HWND window, const TRect& rect, bool no_region, const TRect& exclusion, bool shadow);

// What a control's region becomes: none, or a rectangle region.
struct TlxRegionRequest {
  bool NoRegion = true;
  TRect Rect;
};
// The control's window region becomes none or the request's rectangle,
// redrawn; nothing without a window.
void lxApplyControlRegion(TWinControl& control, const TlxRegionRequest& request);
// Invalidates `rect` of the control's window when it has one.
void lxInvalidateControlRect(TWinControl& control, const TRect& rect, bool erase);

// Binds GetScrollBarInfo from the loaded "User32" once.
void lxBindGetScrollBarInfo();
bool lxIsScrollBarInfoAvailable();
// Non-zero on success; false without the bound entry.
bool lxGetScrollBarInfo(HWND window, LONG object_id, SCROLLBARINFO& info);

// The size grip between a container's two scroll bars, relative to the
// inner control's window rectangle (as that window's WM_NCPAINT needs it);
// empty unless both bars are shown.
TRect lxGetSizeGripScreenRect(IlxContainerInnerControl& inner);
// The native flag is set and the theme of the type opens.
bool lxIsNativeThemeAvailable(bool native, TlxThemedObjectType type);

// Paints the window's client area into `target` through a buffered paint.
void lxPrintClientBuffered(HDC target, const TRect& target_rect, HWND window);
// The whole client area through lxPrintClientBuffered on the window's own
// context.
void lxRepaintWindowBuffered(HWND window);
// WM_PAINT: the paint rectangle through lxPrintClientBuffered.
void lxPaintWindowBuffered(HWND window);

// The cursor in screen coordinates, and the shift state of the keyboard
// as it is now.
TPoint lxGetMousePos();
TShiftState lxGetShiftStateNow();

int32_t lxMouseButtonToCode(TMouseButton button);
// Case-sensitive: the locale-aware comparison; else both upper-cased.
bool lxTextsEqual(const std::string& text1, const std::string& text2, bool case_sensitive);
