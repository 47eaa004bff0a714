#pragma once
// Where a check list box line puts its check, its image and its text: the
// area in front of the text, the row height the checks and images need,
// and the check and image rectangles of a row. Portable.

#include <cstdint>

#include "ui/foundation/geometry/geometry.h"

// Pixels around the parts of a line.
struct TlxCheckListBoxMetrics {
  int32_t CheckBorder = 1;
  int32_t LeftMargin = 0;
  int32_t ImageMargin = 1;
  int32_t AreaGap = 1;
  int32_t TextIndent = 2;
  int32_t ExtraWidth = 3;
};

struct TlxCheckListBoxGeometry {
  TlxCheckListBoxMetrics Metrics;
  bool ShowChecks = true;
  // The check glyph with its own border.
  TSize CheckSize;
  int32_t CheckGlyphBorder = 0;
  bool HasImages = false;
  TSize ImageSize;
  bool ImagesBeforeChecks = true;
  bool RightToLeft = false;
};

// The width in front of the text.
int32_t lxCheckListAreaWidth(const TlxCheckListBoxGeometry& geometry);
// The row height: the text, the check and the image with their margins.
int32_t lxCheckListItemHeight(const TlxCheckListBoxGeometry& geometry, int32_t text_height);
// The check of the row `item`; with `inflated` including the glyph's own
// border. Empty without checks.
TRect lxCheckListCheckRect(const TlxCheckListBoxGeometry& geometry, const TRect& item, bool inflated);
// The image of the row `row` (the whole line, check area included).
TRect lxCheckListImageRect(const TlxCheckListBoxGeometry& geometry, const TRect& row);
// The row without the area in front of the text (on the right for
// right-to-left reading), and the reverse.
TRect lxCheckListTextPart(const TlxCheckListBoxGeometry& geometry, const TRect& row);
TRect lxCheckListWholeRow(const TlxCheckListBoxGeometry& geometry, const TRect& text_part);
