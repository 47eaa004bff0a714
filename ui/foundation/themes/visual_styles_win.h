#pragma once
// The system's visual-styles library, bound by name at start-up so that the
// program also runs where it does not exist, and thin wrappers over the
// functions the painters call. A wrapper whose function the library lacks
// answers E_NOTIMPL (or false, or 0) instead of calling through a null
// pointer.

#include <windows.h>
#include <uxtheme.h>

#include <cstdint>
#include <string>
#include <string_view>

// Once per process (later calls do nothing): detects the system version,
// initialises the common controls and, from version 5.1 on, loads
// "UxTheme.dll" and binds its functions. The library is freed at exit.
void lxUxThemeStartup();
bool lxUxThemeLibraryLoaded();
bool lxRunningOnXPOrLater();
// Asks the system for its version (GetVersionExA).
bool lxDetectXPOrLater();
// The system's major version number (GetVersionExA); 0 when unknown.
uint32_t lxWindowsMajorVersion();
// Looks up every export the foundation knows of in `library`; a missing
// export leaves its function unbound.
void lxUxBindFunctions(HMODULE library);
// Whether the named export of the visual-styles library was bound.
bool lxUxFunctionBound(std::string_view export_name);

HTHEME lxUxOpenThemeData(HWND window, std::u16string_view class_list);
HRESULT lxUxCloseThemeData(HTHEME theme);
HRESULT lxUxDrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT& rect,
                                const RECT* clip_rect = nullptr);
HRESULT lxUxDrawThemeBackgroundRect(HTHEME theme, HDC dc, int part, int state, const RECT& rect,
                                    const RECT* clip_rect);
HRESULT lxUxDrawThemeText(HTHEME theme, HDC dc, int part, int state, std::u16string_view text, DWORD flags,
                          DWORD flags2, const RECT& rect);
// The same for an 8-bit text in the process's code page.
HRESULT lxUxDrawThemeTextAnsi(HTHEME theme, HDC dc, int part, int state, std::string_view text, DWORD flags,
                              DWORD flags2, const RECT& rect);
HRESULT lxUxGetThemeBackgroundContentRect(HTHEME theme, HDC dc, int part, int state, const RECT& bounds,
                                          RECT& content);
HRESULT lxUxGetThemePartSize(HTHEME theme, HDC dc, int part, int state, const RECT* rect, THEMESIZE size_kind,
                             SIZE& size);
HRESULT lxUxGetThemePartSizeNoRect(HTHEME theme, HDC dc, int part, int state, THEMESIZE size_kind, SIZE& size);
HRESULT lxUxGetThemeBackgroundRegion(HTHEME theme, HDC dc, int part, int state, const RECT& rect, HRGN& region);
HRESULT lxUxDrawThemeEdge(HTHEME theme, HDC dc, int part, int state, const RECT& rect, UINT edge, UINT flags,
                          RECT* content);
bool lxUxIsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state);
// Paints the parent's background under `window`; the DC keeps its font.
HRESULT lxUxDrawThemeParentBackground(HWND window, HDC dc, const RECT* rect);
HRESULT lxUxGetThemeColor(HTHEME theme, int part, int state, int property, COLORREF& color);
// False when the library or the function is missing.
bool lxUxIsThemeActive();
// The current style's file, colour and size names.
HRESULT lxUxGetCurrentThemeName(std::u16string& file_name, std::u16string& color_name, std::u16string& size_name);
HPAINTBUFFER lxUxBeginBufferedPaint(HDC target, const RECT& target_rect, BP_BUFFERFORMAT format,
                                    BP_PAINTPARAMS* params, HDC& buffer_dc);
HRESULT lxUxEndBufferedPaint(HPAINTBUFFER buffer, bool update_target);
HRESULT lxUxBufferedPaintSetAlpha(HPAINTBUFFER buffer, const RECT* rect, BYTE alpha);
