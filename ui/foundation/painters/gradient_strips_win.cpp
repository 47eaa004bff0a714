#include "ui/foundation/painters/gradient_strips_win.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/toolkit/bitmap.h"
#include "ui/foundation/colors/gradient_win.h"

namespace {

struct TStrip {
  int32_t Width;
  int32_t Height;
  TColor From;
  TColor To;
  std::unique_ptr<TBitmap> Pixels;
};

// A grid has few cell widths and fewer colour pairs; the oldest strip goes
// when the list is full.
constexpr size_t kMostStrips = 32;

std::vector<TStrip>& Strips() {
  static std::vector<TStrip> strips;
  return strips;
}

const TStrip& StripFor(int32_t width, int32_t height, TColor from, TColor to) {
  std::vector<TStrip>& strips = Strips();
  const auto found = std::find_if(strips.begin(), strips.end(), [&](const TStrip& strip) {
    return strip.Width == width && strip.Height == height && strip.From == from && strip.To == to;
  });
  if (found != strips.end())
    return *found;
  if (strips.size() == kMostStrips)
    strips.erase(strips.begin());
  auto pixels = std::make_unique<TBitmap>(width, height, pf32bit);
  lxPaintGradient(pixels->Canvas().Handle(), TRect(0, 0, width, height), from, to, false);
  GdiFlush();
  strips.push_back({width, height, from, to, std::move(pixels)});
  return strips.back();
}

// Whether the bitmap that `dc` paints into is 32 bits per pixel (a window
// DC has none of its own).
bool PaintsInto32BitBitmap(HDC dc) {
  BITMAP bitmap{};
  HGDIOBJ selected = GetCurrentObject(dc, OBJ_BITMAP);
  return selected != nullptr && GetObjectW(selected, sizeof bitmap, &bitmap) == sizeof bitmap &&
         bitmap.bmBitsPixel == 32;
}

}  // namespace

void lxPaintVerticalGradientCached(HDC dc, const TRect& rect, TColor from, TColor to) {
  if (rect.Width() <= 0 || rect.Height() <= 0)
    return;
  const TColor from_rgb = ColorToRGB(from);
  const TColor to_rgb = ColorToRGB(to);
  if (from_rgb == to_rgb || !PaintsInto32BitBitmap(dc) || !lxGradientFillBound()) {
    lxPaintGradient(dc, rect, from, to, false);
    return;
  }
  const TStrip& strip = StripFor(rect.Width(), rect.Height(), from_rgb, to_rgb);
  BitBlt(dc, rect.Left, rect.Top, rect.Width(), rect.Height(), strip.Pixels->Canvas().Handle(), 0, 0, SRCCOPY);
}
