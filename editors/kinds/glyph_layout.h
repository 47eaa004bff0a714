#pragma once
// Where a push button puts its glyph and its caption: by the side of the
// glyph, the margin to the button's edge and the spacing between the two,
// each -1 for "share the free room". Portable, so that the arithmetic is
// checked without a window.

#include <cstdint>

#include "ui/foundation/geometry/geometry.h"

// The glyph's side of the caption, in the order of the toolkit's
// TButtonLayout.
enum class TlxGlyphSide : uint8_t { kLeft, kRight, kTop, kBottom };

struct TlxGlyphCaptionPlacement {
  TPoint GlyphPos;
  TRect TextRect;
};

struct TlxGlyphCaptionInput {
  TRect Client;
  TPoint Offset;
  // An empty caption takes no room.
  bool HasCaption = false;
  // The caption as measured (DT_CALCRECT) inside the insets, relative to
  // (0, 0).
  TRect MeasuredText;
  // Room added around the caption (left, top, right, bottom).
  TRect Insets;
  TSize GlyphSize;
  TlxGlyphSide Side = TlxGlyphSide::kLeft;
  int32_t Margin = -1;
  int32_t Spacing = 4;
  bool RightToLeft = false;
};

TlxGlyphCaptionPlacement lxPlaceGlyphAndCaption(const TlxGlyphCaptionInput& input);

// The number of sub-images a glyph bitmap holds: width / height when the
// width is a multiple of the height and the quotient is at most 4, else 1.
int32_t lxGlyphCountOfBitmap(int32_t width, int32_t height);
