#pragma once
// Resizing of 32-bit pixel arrays with a separable Lanczos-3 filter in fixed
// point. Each pass (rows, then columns) spreads every destination pixel over
// the source pixels under the filter; the weights are integers in 1/256.
//
// Pixels are 32-bit values with blue in the lowest byte, then green, red and
// alpha; the arrays here are rows of `width` pixels, top row first.

#include <cstdint>
#include <vector>

// The largest image, in pixels, that resampling reads or writes.
constexpr int64_t lxMaxResamplePixels = int64_t{1} << 26;

// One source pixel's share in a destination pixel.
struct TlxContributor {
  int32_t SourceIndex;
  int32_t Weight;  // in 1/256; negative on the filter's outer lobes
};

// The contributors of every destination position of one pass.
using TlxContributorTable = std::vector<std::vector<TlxContributor>>;

// Limits a channel value: below 0 becomes 0, 256 and more become 255.
constexpr uint8_t lxClampChannel(int64_t value) {
  if (value < 0)
    return 0;
  return value > 255 ? 255 : static_cast<uint8_t>(value);
}

// The scale of one pass from `source_size` to `dest_size` pixels: the ends
// of both ranges meet (dest - 1) / (source - 1), except when either has only
// one pixel, where the plain ratio is taken.
float lxResampleScale(int32_t source_size, int32_t dest_size);

// The Lanczos-3 kernel: sinc(x) * sinc(x / 3) inside (-3, 3), else 0.
float lxLanczos3(float x);

// Contributors for a pass from `source_size` to `dest_size` at `scale`.
// Source positions beyond an edge are mirrored back into the source.
// Raises EInvalidArgument for sizes below 1 or a scale that is not
// positive.
TlxContributorTable lxBuildContributors(int32_t source_size, int32_t dest_size, float scale);

// One destination pixel: every channel summed over the contributors,
// shifted back by 8 bits and limited to 0..255. `pixels` is the line being
// filtered, `stride` the distance between its neighbouring pixels.
uint32_t lxApplyContributors(const uint32_t* pixels, int32_t stride, const std::vector<TlxContributor>& contributors);

// The source image (source_width x source_height, rows top first) resized
// to dest_width x dest_height. Raises EInvalidArgument for a size below 1
// or a pixel array of the wrong length, and for images of more than
// lxMaxResamplePixels pixels.
std::vector<uint32_t> lxResamplePixels(const std::vector<uint32_t>& source, int32_t source_width,
                                       int32_t source_height, int32_t dest_width, int32_t dest_height);
