#include "ui/foundation/colors/color_mix_win.h"

#include <windows.h>

#include "ui/foundation/colors/color_mix.h"

TColor lxMixSystemColors(int8_t face_percent, int8_t highlight_percent, int8_t window_percent) {
  const uint32_t mixed = lxMixColorChannels(ColorToColorRef(clBtnFace), ColorToColorRef(clHighlight),
                                            ColorToColorRef(clWindow), face_percent, highlight_percent,
                                            window_percent);
  return static_cast<TColor>(mixed);
}

TColor lxGetNearestScreenColor(TColor color) {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr)
    return ColorToRGB(color);
  const COLORREF nearest = GetNearestColor(screen, ColorToColorRef(color));
  ReleaseDC(nullptr, screen);
  // CLR_INVALID: the screen could not tell; the colour itself is the best answer.
  return nearest == CLR_INVALID ? ColorToRGB(color) : static_cast<TColor>(nearest);
}

TColor lxHotHighlightColor() { return lxGetNearestScreenColor(lxMixSystemColors(-2, 30, 72)); }

TColor lxPressedHighlightColor() { return lxGetNearestScreenColor(lxMixSystemColors(14, 44, 40)); }
