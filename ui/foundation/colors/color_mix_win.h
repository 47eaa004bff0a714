#pragma once
// Highlight colours derived from the current system colours, so that hot and
// pressed buttons follow the user's colour scheme.

#include <cstdint>

#include "platform/toolkit/color.h"

// clBtnFace, clHighlight and clWindow mixed by the percentages (see
// lxMixColorChannels).
TColor lxMixSystemColors(int8_t face_percent, int8_t highlight_percent, int8_t window_percent);
// The nearest colour the screen can show (GetNearestColor on the desktop).
TColor lxGetNearestScreenColor(TColor color);
// The colour of hot (under the mouse) and of pressed highlighted parts.
TColor lxHotHighlightColor();
TColor lxPressedHighlightColor();
