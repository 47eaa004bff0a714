#pragma once
// The portable half of the painters' prepared glyphs: the radio-button
// pattern (which pixel of the glyph is ring, body or dot), the glyph keys of
// the radio image list and the colours each pattern code takes.

#include <array>
#include <cstdint>
#include <vector>

#include "ui/foundation/colors/color_scheme.h"
#include "ui/foundation/geometry/geometry.h"
#include "ui/foundation/painters/painter_types.h"


// One image per combination of kind, state and the three flags.
constexpr int32_t lxRadioGlyphKeyCount = 128;
// (state - 1) + kind * 8 + checked * 4 + designing * 32 + focused * 64.
// Raises EInvalidArgument for lxbsDefault or a state or kind out of range.
int32_t lxRadioGlyphKey(TlxLookAndFeelKind kind, TlxButtonState state, bool checked, bool designing, bool focused);

// What each cell of the radio pattern is.
enum TlxRadioPatternCode : uint8_t {
  lxrpBackground,
  lxrpOuterUpperLeft,
  lxrpOuterLowerRight,
  lxrpInnerUpperLeft,
  lxrpInnerLowerRight,
  lxrpBody,
  lxrpDot,
};
constexpr int32_t lxRadioPatternCodeCount = 7;

// A black-and-white raster, rows top-down.
struct TlxMonoRaster {
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<bool> Black;  // Width * Height cells, row by row

  TlxMonoRaster() = default;
  // Raises EInvalidArgument for a negative size.
  TlxMonoRaster(int32_t width, int32_t height);
  bool At(int32_t x, int32_t y) const;
  void Set(int32_t x, int32_t y, bool black);
};

// The first index and the count of the columns (rows) that hold at least one
// black cell; a count of 0 when the raster is all white.
struct TlxRasterSpan {
  int32_t First = 0;
  int32_t Count = 0;
};
TlxRasterSpan lxBlackColumns(const TlxMonoRaster& raster);
TlxRasterSpan lxBlackRows(const TlxMonoRaster& raster);

// The rectangle of the check dot: `dot` marks the pixels of the dot colour
// in the drawn checked radio button, `columns` and `rows` locate the ring.
// The walk starts just above and left of the ring's centre; a start cell
// outside the dot gives an empty rectangle.
TRect lxMeasureRadioDot(const TlxMonoRaster& dot, TlxRasterSpan columns, TlxRasterSpan rows);

// The W x H matrix of pattern codes.
class TlxRadioPattern {
 public:
  TlxRadioPattern() = default;
  TlxRadioPattern(int32_t width, int32_t height);
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  TlxRadioPatternCode At(int32_t x, int32_t y) const;
  void Set(int32_t x, int32_t y, TlxRadioPatternCode code);

 private:
  int32_t width_ = 0;
  int32_t height_ = 0;
  std::vector<TlxRadioPatternCode> codes_;
};

// Classifies the pattern from the drawn outer ring (black outline of an
// ellipse through the whole glyph) and the drawn dot, both W x H. Raises
// EInvalidArgument when the rasters differ in size.
TlxRadioPattern lxBuildRadioPattern(const TlxMonoRaster& outer_ring, const TlxMonoRaster& dot);

// The colours the glyph colour map chooses from, already resolved to RGB.
struct TlxRadioGlyphColors {
  TlxRGB Window = 0;
  TlxRGB WindowText = 0;
  TlxRGB BtnFace = 0;
  TlxRGB BtnShadow = 0;
  TlxRGB BtnHighlight = 0;
  TlxRGB BtnText = 0;
  TlxRGB Light3D = 0;
  TlxRGB DkShadow3D = 0;
  TlxRGB Highlight = 0;
  TlxRGB UltraFlatHot = 0;      // the light hot colour
  TlxRGB UltraFlatPressed = 0;  // the light pressed colour
  TlxRGB Office11Hot = 0;
  TlxRGB Office11Pressed = 0;
  TlxRGB Office11DisabledText = 0;
  TlxRGB Office11SelectedBorder = 0;
};

// The colour of each pattern code for one glyph (indexed by the code).
using TlxRadioColorMap = std::array<TlxRGB, lxRadioPatternCodeCount>;
TlxRadioColorMap lxRadioGlyphColorMap(TlxLookAndFeelKind kind, TlxButtonState state, bool checked, bool designing,
                                      bool focused, const TlxRadioGlyphColors& colors);
