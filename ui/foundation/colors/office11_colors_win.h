#pragma once
// The process-wide Office 2003 palette: the colours of the scheme that
// matches the system's visual style, or colours mixed from the system
// colours, and the brushes and bitmaps made from them while any Office 2003
// look is in use. Also the colour arithmetic on TColor values the painters
// use.

#include <windows.h>

#include <cstdint>

#include "platform/toolkit/color.h"
#include "ui/foundation/colors/color_scheme.h"

// The scheme of the current visual style; none without visual styles.
TlxOffice11Scheme lxDetectOffice11Scheme();
// The scheme found by the last palette computation.
TlxOffice11Scheme lxOffice11CurrentScheme();
// Visual styles are available and a scheme was found.
bool lxOffice11UsesSchemeColors();

// The palette; computed on first use if no one has acquired it yet.
const TlxOffice11Palette& lxOffice11Palette();
// Detects the scheme and fills the palette from it or from the system colours.
void lxComputeOffice11Palette();

// Counted use of the palette: the first acquire computes it and creates its
// brushes and bitmaps, the last release frees them (the colours stay). A
// release without an acquire is ignored.
void lxAcquireOffice11Palette();
void lxReleaseOffice11Palette();
// Computes the palette again (after a change of the system colours) and,
// while it is acquired, makes its brushes and bitmaps anew.
void lxReloadOffice11Palette();
int32_t lxOffice11PaletteAcquireCount();

// Solid brushes of the grip colours; null while the palette is not acquired.
HBRUSH lxOffice11GripDarkBrush();
HBRUSH lxOffice11GripLightBrush();
// The 11 x 11 expand buttons from the program's resources; null while the
// palette is not acquired or when the program carries no such bitmap.
HBITMAP lxOffice11ExpandButtonBitmap(bool expanded);
// The two fixed colours of the expand buttons' corners.
inline constexpr TColor lxOffice11ExpandButtonCornerColor1 = RGBColor(158, 174, 191);
inline constexpr TColor lxOffice11ExpandButtonCornerColor2 = RGBColor(46, 70, 95);

// P percent of c1 and (100 - P) percent of c2, as the screen can show it.
TColor lxMixRGB(TColor c1, TColor c2, int32_t percent);
// A percent of clBtnFace, B percent of clHighlight and C percent of
// clWindow; clHighlight itself when the button face is black or white.
TColor lxLightColorFromSystem(int8_t face_percent, int8_t highlight_percent, int8_t window_percent);
// The nearest colour the screen can show.
TColor lxNearestScreenColor(TColor color);
// Every channel times P / 100, rounded, halves to even.
TColor lxScaleRGB(TColor color, int32_t percent);
