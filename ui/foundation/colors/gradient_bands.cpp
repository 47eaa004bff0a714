#include "ui/foundation/colors/gradient_bands.h"

#include <algorithm>

#include "ui/foundation/geometry/auto_width.h"

namespace {

constexpr int32_t kMaxGradientBands = 256;
constexpr int32_t kGripCell = 4;
constexpr int32_t kGripDot = 2;

int32_t BandChannel(int32_t from, int32_t to, int32_t band, int32_t band_count) {
  if (band_count < 2)
    return from;
  return from + lxMulDiv(band, to - from, band_count - 1);
}

TlxRGB BandColor(TlxRGB from, TlxRGB to, int32_t band, int32_t band_count) {
  const int32_t red = BandChannel(from & 0xFF, to & 0xFF, band, band_count);
  const int32_t green = BandChannel((from >> 8) & 0xFF, (to >> 8) & 0xFF, band, band_count);
  const int32_t blue = BandChannel((from >> 16) & 0xFF, (to >> 16) & 0xFF, band, band_count);
  return red | (green << 8) | (blue << 16);
}

}  // namespace

std::vector<TlxGradientBand> lxGradientBands(int32_t origin, int32_t extent, TlxRGB from, TlxRGB to) {
  std::vector<TlxGradientBand> bands;
  const int32_t band_count = std::min(extent, kMaxGradientBands);
  if (band_count < 1)
    return bands;
  const int64_t far_edge = int64_t{origin} + extent;
  int32_t band_start = origin;
  for (int32_t band = 0; band < band_count; ++band) {
    const int32_t band_end = origin + lxMulDiv(band + 1, extent, band_count);
    if (band_end > band_start)
      bands.push_back({band_start, band_end, BandColor(from, to, band, band_count)});
    if (band_end >= far_edge)
      break;
    band_start = band_end;
  }
  return bands;
}

std::vector<TPoint> lxGripDotCells(const TRect& rect, bool horizontal) {
  std::vector<TPoint> cells;
  const int32_t length = horizontal ? rect.Height() : rect.Width();
  if (length < kGripCell)
    return cells;
  const int32_t remainder = length % kGripCell;
  const int32_t shift = remainder < 2 ? remainder : remainder / 2;
  TPoint cell{rect.Left, rect.Top};
  int32_t& position = horizontal ? cell.Y : cell.X;
  const int32_t far_edge = horizontal ? rect.Bottom : rect.Right;
  for (position += shift; position + kGripCell <= far_edge; position += kGripCell)
    cells.push_back(cell);
  return cells;
}

std::vector<TRect> lxSizeGripRows(const TRect& rect) {
  std::vector<TRect> rows;
  TRect row{rect.Right - 3 * kGripCell, rect.Bottom - 3, rect.Right, rect.Bottom};
  for (int32_t step = 0; step < 3; ++step) {
    rows.push_back(row);
    row = TRect{row.Left + kGripCell, row.Top - kGripCell, row.Right, row.Bottom - kGripCell};
  }
  return rows;
}

TRect lxGripDotLightSquare(TPoint cell) {
  return TRect{cell.X + 1, cell.Y + 1, cell.X + 1 + kGripDot, cell.Y + 1 + kGripDot};
}

TRect lxGripDotDarkSquare(TPoint cell) {
  return TRect{cell.X, cell.Y, cell.X + kGripDot, cell.Y + kGripDot};
}
