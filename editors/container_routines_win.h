#pragma once
// The free routines of the container module: finding a control's
// container, rectangles by edge sets, frame window regions with their
// shadow, fills and invalidation around a hole, the platform's scroll-bar
// information call bound at run time, and buffered printing of a window.

#include <windows.h>

#include "editors/container_win.h"

// What an inner control tells of the container that hosts it.
class IlxContainerInnerControl : public virtual IInterface {
 public:
  virtual TlxContainer* GetControlContainer() = 0;
  virtual TWinControl* GetControl() = 0;
};

// Null for null; the control itself when it is a container; else the
// container its inner-control interface names; else null.
TlxContainer* lxFindContainerOf(TControl* control);

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

// Binds GetScrollBarInfo from the loaded "User32" once.
void lxBindGetScrollBarInfo();
bool lxIsScrollBarInfoAvailable();
// Non-zero on success; false without the bound entry.
bool lxGetScrollBarInfo(HWND window, LONG object_id, SCROLLBARINFO& info);

// Paints the window's client area into `target` through a buffered paint.
void lxPrintClientBuffered(HDC target, const TRect& target_rect, HWND window);

int32_t lxMouseButtonToCode(TMouseButton button);
// Case-sensitive: the locale-aware comparison; else both upper-cased.
bool lxTextsEqual(const std::string& text1, const std::string& text2, bool case_sensitive);
