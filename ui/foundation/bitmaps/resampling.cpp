#include "ui/foundation/bitmaps/resampling.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "platform/rtl/exceptions.h"

namespace {

float Sinc(float x) {
  if (x == 0.0f)
    return 1.0f;
  const float angle = std::numbers::pi_v<float> * x;
  return std::sin(angle) / angle;
}

// Positions before the first pixel are mirrored at it (-1 reads 1), those
// after the last at the border past it (S reads S - 1). A filter wider than
// the whole source can reach beyond the mirror image too; those positions
// keep to the nearest edge pixel.
int32_t MirroredSourceIndex(int64_t index, int32_t source_size) {
  if (index < 0)
    index = -index;
  else if (index >= source_size)
    index = 2 * int64_t{source_size} - 1 - index;
  return static_cast<int32_t>(std::clamp<int64_t>(index, 0, source_size - 1));
}

uint8_t Channel(uint32_t pixel, int shift) { return static_cast<uint8_t>(pixel >> shift); }

void CheckImageSize(int32_t width, int32_t height, const char* which) {
  if (width < 1 || height < 1 || int64_t{width} * height > lxMaxResamplePixels)
    throw EInvalidArgument(std::string("Invalid ") + which + " image size " + std::to_string(width) + " x " +
                           std::to_string(height));
}

}  // namespace

float lxResampleScale(int32_t source_size, int32_t dest_size) {
  if (source_size == 1 || dest_size == 1)
    return static_cast<float>(dest_size) / static_cast<float>(source_size);
  return static_cast<float>(dest_size - 1) / static_cast<float>(source_size - 1);
}

float lxLanczos3(float x) {
  if (std::fabs(x) >= 3.0f)
    return 0.0f;
  return Sinc(x) * Sinc(x / 3.0f);
}

TlxContributorTable lxBuildContributors(int32_t source_size, int32_t dest_size, float scale) {
  if (source_size < 1 || dest_size < 1 || !(scale > 0.0f) || !std::isfinite(scale))
    throw EInvalidArgument("Invalid resampling pass from " + std::to_string(source_size) + " to " +
                           std::to_string(dest_size) + " pixels");
  // Shrinking widens the filter so that every source pixel is seen.
  const float filter_width = scale >= 1.0f ? 1.0f : 1.0f / scale;
  const float radius = 3.0f * filter_width;

  TlxContributorTable table(static_cast<size_t>(dest_size));
  for (int32_t i = 0; i < dest_size; ++i) {
    const float centre = static_cast<float>(i) / scale;
    const auto first = static_cast<int64_t>(std::floor(centre - radius));
    const auto last = static_cast<int64_t>(std::ceil(centre + radius));
    std::vector<TlxContributor>& contributors = table[static_cast<size_t>(i)];
    contributors.reserve(static_cast<size_t>(last - first + 1));
    for (int64_t j = first; j <= last; ++j) {
      const float distance = (centre - static_cast<float>(j)) / filter_width;
      // Rounded to nearest, halves to even (the default rounding mode).
      const auto weight = static_cast<int32_t>(std::lrint(lxLanczos3(distance) / filter_width * 256.0f));
      if (weight == 0)
        continue;
      contributors.push_back({MirroredSourceIndex(j, source_size), weight});
    }
  }
  return table;
}

uint32_t lxApplyContributors(const uint32_t* pixels, int32_t stride, const std::vector<TlxContributor>& contributors) {
  int64_t blue = 0;
  int64_t green = 0;
  int64_t red = 0;
  int64_t alpha = 0;
  for (const TlxContributor& contributor : contributors) {
    const uint32_t pixel = pixels[static_cast<ptrdiff_t>(contributor.SourceIndex) * stride];
    blue += int64_t{Channel(pixel, 0)} * contributor.Weight;
    green += int64_t{Channel(pixel, 8)} * contributor.Weight;
    red += int64_t{Channel(pixel, 16)} * contributor.Weight;
    alpha += int64_t{Channel(pixel, 24)} * contributor.Weight;
  }
  // A negative sum stays negative after the arithmetic shift and clamps to 0.
  return uint32_t{lxClampChannel(blue >> 8)} | uint32_t{lxClampChannel(green >> 8)} << 8 |
         uint32_t{lxClampChannel(red >> 8)} << 16 | uint32_t{lxClampChannel(alpha >> 8)} << 24;
}

std::vector<uint32_t> lxResamplePixels(const std::vector<uint32_t>& source, int32_t source_width,
                                       int32_t source_height, int32_t dest_width, int32_t dest_height) {
  CheckImageSize(source_width, source_height, "source");
  CheckImageSize(dest_width, dest_height, "destination");
  if (source.size() != static_cast<size_t>(source_width) * static_cast<size_t>(source_height))
    throw EInvalidArgument("The source pixels do not match the size " + std::to_string(source_width) + " x " +
                           std::to_string(source_height));
  // The intermediate image (dest_width x source_height) is bounded too.
  CheckImageSize(dest_width, source_height, "intermediate");

  const TlxContributorTable horizontal =
      lxBuildContributors(source_width, dest_width, lxResampleScale(source_width, dest_width));
  std::vector<uint32_t> rows_done(static_cast<size_t>(dest_width) * static_cast<size_t>(source_height));
  for (int32_t y = 0; y < source_height; ++y) {
    const uint32_t* source_row = source.data() + static_cast<size_t>(y) * static_cast<size_t>(source_width);
    uint32_t* dest_row = rows_done.data() + static_cast<size_t>(y) * static_cast<size_t>(dest_width);
    for (int32_t x = 0; x < dest_width; ++x)
      dest_row[x] = lxApplyContributors(source_row, 1, horizontal[static_cast<size_t>(x)]);
  }

  const TlxContributorTable vertical =
      lxBuildContributors(source_height, dest_height, lxResampleScale(source_height, dest_height));
  std::vector<uint32_t> result(static_cast<size_t>(dest_width) * static_cast<size_t>(dest_height));
  for (int32_t x = 0; x < dest_width; ++x) {
    for (int32_t y = 0; y < dest_height; ++y)
      result[static_cast<size_t>(y) * static_cast<size_t>(dest_width) + static_cast<size_t>(x)] =
          lxApplyContributors(rows_done.data() + x, dest_width, vertical[static_cast<size_t>(y)]);
  }
  return result;
}
