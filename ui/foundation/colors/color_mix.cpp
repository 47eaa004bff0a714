#include "ui/foundation/colors/color_mix.h"

#include "ui/foundation/bitmaps/resampling.h"
#include "ui/foundation/geometry/auto_width.h"

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

int32_t ChannelOf(uint32_t rgb, int shift) { return static_cast<int32_t>((rgb >> shift) & 0xFF); }

}  // namespace

uint32_t lxMixColorChannels(uint32_t face_rgb, uint32_t highlight_rgb, uint32_t window_rgb, int8_t face_percent,
                            int8_t highlight_percent, int8_t window_percent) {
  face_rgb &= kWhite;
  if (face_rgb == kBlack || face_rgb == kWhite)
    return highlight_rgb & kWhite;
  uint32_t mixed = 0;
  for (const int shift : {0, 8, 16}) {
    const int64_t channel = int64_t{lxMulDiv(ChannelOf(face_rgb, shift), face_percent, 100)} +
                            lxMulDiv(ChannelOf(highlight_rgb, shift), highlight_percent, 100) +
                            lxMulDiv(ChannelOf(window_rgb, shift), window_percent, 100);
    mixed |= uint32_t{lxClampChannel(channel)} << shift;
  }
  return mixed;
}
