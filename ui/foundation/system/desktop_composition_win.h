#pragma once
// The desktop-composition library (dwmapi), bound by name so that the
// program also starts on systems without it. Every function stays null when
// the library or the function is missing. Included only from Windows
// sources.

#include <windows.h>

struct TlxDwmMargins {
  int cxLeftWidth;
  int cxRightWidth;
  int cyTopHeight;
  int cyBottomHeight;
};

struct TlxDwmFunctions {
  BOOL(WINAPI* DwmDefWindowProc)(HWND, UINT, WPARAM, LPARAM, LRESULT*) = nullptr;
  HRESULT(WINAPI* DwmEnableBlurBehindWindow)(HWND, const void*) = nullptr;
  HRESULT(WINAPI* DwmEnableComposition)(UINT) = nullptr;
  HRESULT(WINAPI* DwmEnableMMCSS)(BOOL) = nullptr;
  HRESULT(WINAPI* DwmExtendFrameIntoClientArea)(HWND, const TlxDwmMargins*) = nullptr;
  HRESULT(WINAPI* DwmGetColorizationColor)(DWORD*, BOOL*) = nullptr;
  HRESULT(WINAPI* DwmGetWindowAttribute)(HWND, DWORD, void*, DWORD) = nullptr;
  HRESULT(WINAPI* DwmIsCompositionEnabled)(BOOL*) = nullptr;
  HRESULT(WINAPI* DwmSetWindowAttribute)(HWND, DWORD, const void*, DWORD) = nullptr;
};

// The module's start: loads "dwmapi.dll" on systems of major version 6 or
// later and binds its functions. A second start is harmless.
void lxInitDwmApi();
// The module's end: releases the library; every function is null again.
void lxDoneDwmApi();

bool lxDwmApiLoaded();
const TlxDwmFunctions& lxDwmFunctions();

// Whether the system composes the desktop; False without the library.
bool lxIsDesktopCompositionOn();
