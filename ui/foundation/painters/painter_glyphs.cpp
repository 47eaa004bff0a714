#include "ui/foundation/painters/painter_glyphs.h"

#include <string>
#include <utility>

#include "platform/rtl/exceptions.h"

namespace {

bool IsOuterRing(TlxRadioPatternCode code) { return code == lxrpOuterUpperLeft || code == lxrpOuterLowerRight; }

// Strictly below the anti-diagonal running from the lower-left to the
// upper-right corner; > 0 below, 0 on it, < 0 above.
int64_t SideOfAntiDiagonal(int32_t x, int32_t y, int32_t width, int32_t height) {
  return int64_t{y} * (width - 1) - int64_t{height - 1} * (width - x - 1);
}

// The cells of one row (or column) of the pattern, walked from the centre.
// `at(i)` reads the code of cell i of the line.
template <class ReadCode, class MarkInner>
void MarkInnerRingAlongLine(int32_t length, int32_t centre, bool whole_line, ReadCode at, MarkInner mark) {
  auto walk = [&](int32_t start, int32_t step) {
    int32_t last_inside = -1;
    for (int32_t i = start; i >= 0 && i < length && !IsOuterRing(at(i)); i += step) {
      if (whole_line) mark(i);
      last_inside = i;
    }
    if (last_inside >= 0) mark(last_inside);
  };
  walk(centre, -1);
  walk(centre + 1, +1);
}

}  // namespace

int32_t lxRadioGlyphKey(TlxLookAndFeelKind kind, TlxButtonState state, bool checked, bool designing, bool focused) {
  if (state < lxbsNormal || state > lxbsDisabled) {
    throw EInvalidArgument("Radio glyph state out of range: " + std::to_string(state));
  }
  if (kind > lfOffice11) throw EInvalidArgument("Look-and-feel kind out of range: " + std::to_string(kind));
  return (state - 1) + kind * 8 + (checked ? 4 : 0) + (designing ? 32 : 0) + (focused ? 64 : 0);
}

namespace {

size_t RasterCellCount(int32_t width, int32_t height) {
  if (width < 0 || height < 0) throw EInvalidArgument("Raster size must not be negative");
  return static_cast<size_t>(width) * static_cast<size_t>(height);
}

}  // namespace

TlxMonoRaster::TlxMonoRaster(int32_t width, int32_t height)
    : Width(width), Height(height), Black(RasterCellCount(width, height), false) {}

bool TlxMonoRaster::At(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= Width || y >= Height) return false;
  return Black[static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)];
}

void TlxMonoRaster::Set(int32_t x, int32_t y, bool black) {
  if (x < 0 || y < 0 || x >= Width || y >= Height) throw EInvalidArgument("Raster cell out of range");
  Black[static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)] = black;
}

namespace {

template <class HasBlack>
TlxRasterSpan SpanOf(int32_t length, HasBlack has_black) {
  TlxRasterSpan span;
  for (int32_t i = 0; i < length; ++i) {
    if (!has_black(i)) continue;
    if (span.Count == 0) span.First = i;
    ++span.Count;
  }
  return span;
}

// From `start`, walks against `step` while the cells are set to find the
// first set cell, then along `step` to the cell after the last.
template <class IsSet>
std::pair<int32_t, int32_t> RunThrough(int32_t start, IsSet is_set) {
  int32_t first = start;
  while (is_set(first)) --first;
  ++first;
  int32_t after = first;
  while (is_set(after)) ++after;
  return {first, after};
}

}  // namespace

TlxRasterSpan lxBlackColumns(const TlxMonoRaster& raster) {
  return SpanOf(raster.Width, [&](int32_t x) {
    for (int32_t y = 0; y < raster.Height; ++y)
      if (raster.At(x, y)) return true;
    return false;
  });
}

TlxRasterSpan lxBlackRows(const TlxMonoRaster& raster) {
  return SpanOf(raster.Height, [&](int32_t y) {
    for (int32_t x = 0; x < raster.Width; ++x)
      if (raster.At(x, y)) return true;
    return false;
  });
}

TRect lxMeasureRadioDot(const TlxMonoRaster& dot, TlxRasterSpan columns, TlxRasterSpan rows) {
  const int32_t probe_column = columns.First + columns.Count / 2 - 1;
  const int32_t probe_row = rows.First + rows.Count / 2 - 1;
  // At() answers false outside the raster, so both walks stop at its edges.
  // Small rings put the dot's edge on the start cell's far side; the cell
  // nearer the centre is then tried as well.
  auto in_column = [&](int32_t y) { return dot.At(probe_column, y); };
  auto in_row = [&](int32_t x) { return dot.At(x, probe_row); };
  auto [top, bottom] = RunThrough(in_column(probe_row - 1) ? probe_row - 1 : probe_row, in_column);
  auto [left, right] = RunThrough(in_row(probe_column - 1) ? probe_column - 1 : probe_column, in_row);
  return TRect(left, top, right, bottom);
}

TlxRadioPattern::TlxRadioPattern(int32_t width, int32_t height) : width_(width), height_(height) {
  if (width < 0 || height < 0) throw EInvalidArgument("Pattern size must not be negative");
  codes_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), lxrpBackground);
}

TlxRadioPatternCode TlxRadioPattern::At(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) throw EInvalidArgument("Pattern cell out of range");
  return codes_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

void TlxRadioPattern::Set(int32_t x, int32_t y, TlxRadioPatternCode code) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) throw EInvalidArgument("Pattern cell out of range");
  codes_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)] = code;
}

TlxRadioPattern lxBuildRadioPattern(const TlxMonoRaster& outer_ring, const TlxMonoRaster& dot) {
  if (outer_ring.Width != dot.Width || outer_ring.Height != dot.Height) {
    throw EInvalidArgument("Radio ring and dot rasters differ in size");
  }
  const int32_t width = outer_ring.Width;
  const int32_t height = outer_ring.Height;
  TlxRadioPattern pattern(width, height);

  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x)
      if (outer_ring.At(x, y))
        pattern.Set(x, y, SideOfAntiDiagonal(x, y, width, height) > 0 ? lxrpOuterLowerRight : lxrpOuterUpperLeft);

  const int32_t centre_column = width / 2 - 1;
  const int32_t centre_row = height / 2 - 1;
  auto fill_body = [&](int32_t y, int32_t start, int32_t step) {
    for (int32_t x = start; x >= 0 && x < width && pattern.At(x, y) == lxrpBackground; x += step)
      pattern.Set(x, y, lxrpBody);
  };
  for (int32_t y = 1; y <= height - 2; ++y) {
    fill_body(y, centre_column, -1);
    fill_body(y, centre_column + 1, +1);
  }

  std::vector<bool> inner(static_cast<size_t>(width) * static_cast<size_t>(height), false);
  auto mark = [&](int32_t x, int32_t y) {
    inner[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = true;
  };
  for (int32_t y = 1; y <= height - 2; ++y) {
    MarkInnerRingAlongLine(
        width, centre_column, y == 1 || y == height - 2, [&](int32_t x) { return pattern.At(x, y); },
        [&](int32_t x) { mark(x, y); });
  }
  for (int32_t x = 1; x <= width - 2; ++x) {
    MarkInnerRingAlongLine(
        height, centre_row, x == 1 || x == width - 2, [&](int32_t y) { return pattern.At(x, y); },
        [&](int32_t y) { mark(x, y); });
  }
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      if (!inner[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]) continue;
      const int64_t side = SideOfAntiDiagonal(x, y, width, height);
      pattern.Set(x, y, side > 0 || (side == 0 && x > centre_column) ? lxrpInnerLowerRight : lxrpInnerUpperLeft);
    }
  }

  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x)
      if (dot.At(x, y)) pattern.Set(x, y, lxrpDot);
  return pattern;
}

namespace {

TlxRGB BodyColor(TlxLookAndFeelKind kind, TlxButtonState state, const TlxRadioGlyphColors& colors) {
  if (kind == lfOffice11) {
    switch (state) {
      case lxbsHot: return colors.Office11Hot;
      case lxbsPressed: return colors.Office11Pressed;
      case lxbsDisabled: return colors.BtnFace;
      default: return colors.Window;
    }
  }
  if (state == lxbsDisabled) return colors.BtnFace;
  if (kind == lfUltraFlat) {
    if (state == lxbsHot) return colors.UltraFlatHot;
    if (state == lxbsPressed) return colors.UltraFlatPressed;
    return colors.Window;
  }
  return state == lxbsPressed ? colors.BtnFace : colors.Window;
}

TlxRGB RingColor(TlxLookAndFeelKind kind, TlxButtonState state, bool designing, bool focused,
                 const TlxRadioGlyphColors& colors) {
  const bool active = focused || state == lxbsHot || state == lxbsPressed;
  if (kind == lfUltraFlat) {
    return active || (designing && state != lxbsDisabled) ? colors.Highlight : colors.BtnShadow;
  }
  if (state == lxbsDisabled) return colors.Office11DisabledText;
  return active || designing ? colors.Office11SelectedBorder : colors.BtnText;
}

}  // namespace

TlxRadioColorMap lxRadioGlyphColorMap(TlxLookAndFeelKind kind, TlxButtonState state, bool checked, bool designing,
                                      bool focused, const TlxRadioGlyphColors& colors) {
  lxRadioGlyphKey(kind, state, checked, designing, focused);  // validates the arguments
  const TlxRGB body = BodyColor(kind, state, colors);
  TlxRadioColorMap map{};
  map[lxrpBackground] = 0;
  map[lxrpBody] = body;
  switch (kind) {
    case lfFlat:
      map[lxrpOuterUpperLeft] = colors.BtnShadow;
      map[lxrpOuterLowerRight] = colors.BtnHighlight;
      map[lxrpInnerUpperLeft] = colors.Light3D;
      map[lxrpInnerLowerRight] = colors.Light3D;
      break;
    case lfStandard:
      map[lxrpOuterUpperLeft] = colors.BtnShadow;
      map[lxrpOuterLowerRight] = colors.BtnHighlight;
      map[lxrpInnerUpperLeft] = colors.DkShadow3D;
      map[lxrpInnerLowerRight] = colors.Light3D;
      break;
    case lfUltraFlat:
    case lfOffice11: {
      const TlxRGB ring = RingColor(kind, state, designing, focused, colors);
      map[lxrpOuterUpperLeft] = ring;
      map[lxrpOuterLowerRight] = ring;
      map[lxrpInnerUpperLeft] = body;
      map[lxrpInnerLowerRight] = body;
      break;
    }
  }
  if (!checked) {
    map[lxrpDot] = body;
  } else if (state == lxbsDisabled) {
    map[lxrpDot] = kind == lfOffice11 ? colors.Office11DisabledText : colors.BtnShadow;
  } else {
    map[lxrpDot] = colors.WindowText;
  }
  return map;
}
