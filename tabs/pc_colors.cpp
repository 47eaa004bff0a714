#include "tabs/pc_colors.h"

#include <algorithm>

int32_t lxPCLightenColor(int32_t rgb, int32_t percent) {
  const int32_t r = rgb & 0xFF;
  const int32_t g = (rgb >> 8) & 0xFF;
  const int32_t b = (rgb >> 16) & 0xFF;
  const int32_t top = std::max({r, g, b});
  const int32_t bottom = std::min({r, g, b});
  const double value = top * 100.0 / 255.0;
  const double saturation = top == 0 ? 0.0 : 100.0 - bottom * 100.0 / top;
  double hue = 0.0;
  if (top != bottom) {
    const double span = top - bottom;
    if (top == r)
      hue = 60.0 * (g - b) / span;
    else if (top == g)
      hue = 60.0 * (2.0 + (b - r) / span);
    else
      hue = 60.0 * (4.0 + (r - g) / span);
    if (hue < 0)
      hue += 360.0;
  }
  const double lighter = std::min(value * (100.0 + percent) / 100.0, 100.0);
  // Back with the six sectors, the value as the top channel.
  const double v = lighter * 255.0 / 100.0;
  const double s = saturation / 100.0;
  const double sector = hue / 60.0;
  const int32_t index = static_cast<int32_t>(sector) % 6;
  const double fraction = sector - static_cast<int32_t>(sector);
  const double p = v * (1.0 - s);
  const double q = v * (1.0 - s * fraction);
  const double t = v * (1.0 - s * (1.0 - fraction));
  double red = v, green = t, blue = p;
  switch (index) {
    case 0: red = v; green = t; blue = p; break;
    case 1: red = q; green = v; blue = p; break;
    case 2: red = p; green = v; blue = t; break;
    case 3: red = p; green = q; blue = v; break;
    case 4: red = t; green = p; blue = v; break;
    default: red = v; green = p; blue = q; break;
  }
  auto channel = [](double c) { return std::clamp(static_cast<int32_t>(c + 0.5), 0, 255); };
  return channel(red) | (channel(green) << 8) | (channel(blue) << 16);
}
