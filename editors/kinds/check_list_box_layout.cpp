#include "editors/kinds/check_list_box_layout.h"

#include <algorithm>

namespace {

int32_t CheckPartWidth(const TlxCheckListBoxGeometry& geometry) {
  return geometry.CheckSize.cx - 2 * geometry.CheckGlyphBorder + 2 * geometry.Metrics.CheckBorder;
}

int32_t ImagePartWidth(const TlxCheckListBoxGeometry& geometry) {
  return geometry.ImageSize.cx + 2 * geometry.Metrics.ImageMargin;
}

// A rectangle of `width` placed `offset` pixels in from the row's reading
// start.
TRect FromReadingStart(const TlxCheckListBoxGeometry& geometry, const TRect& row, int32_t offset, int32_t width,
                       int32_t top, int32_t height) {
  const int32_t left = geometry.RightToLeft ? row.Right - offset - width : row.Left + offset;
  return TRect(left, top, left + width, top + height);
}

}  // namespace

int32_t lxCheckListAreaWidth(const TlxCheckListBoxGeometry& geometry) {
  int32_t width = geometry.Metrics.LeftMargin;
  if (geometry.ShowChecks || geometry.HasImages)
    width += geometry.Metrics.AreaGap;
  if (geometry.ShowChecks)
    width += CheckPartWidth(geometry);
  if (geometry.HasImages)
    width += ImagePartWidth(geometry);
  return width;
}

int32_t lxCheckListItemHeight(const TlxCheckListBoxGeometry& geometry, int32_t text_height) {
  int32_t height = text_height;
  if (geometry.ShowChecks)
    height = std::max(height, geometry.CheckSize.cy - geometry.CheckGlyphBorder + 2 * geometry.Metrics.CheckBorder);
  if (geometry.HasImages)
    height = std::max(height, geometry.ImageSize.cy + 2 * geometry.Metrics.ImageMargin);
  return height;
}

TRect lxCheckListCheckRect(const TlxCheckListBoxGeometry& geometry, const TRect& item, bool inflated) {
  if (!geometry.ShowChecks)
    return TRect();
  const int32_t border = geometry.CheckGlyphBorder;
  const int32_t width = geometry.CheckSize.cx - 2 * border;
  const int32_t height = geometry.CheckSize.cy - 2 * border;
  int32_t offset = geometry.Metrics.LeftMargin + geometry.Metrics.CheckBorder;
  if (geometry.HasImages && geometry.ImagesBeforeChecks)
    offset += ImagePartWidth(geometry);
  const int32_t top = item.Top + (item.Height() - height) / 2;
  const TRect check = FromReadingStart(geometry, item, offset, width, top, height);
  return inflated ? check.Inflate(border, border) : check;
}

TRect lxCheckListImageRect(const TlxCheckListBoxGeometry& geometry, const TRect& row) {
  if (!geometry.HasImages)
    return TRect();
  int32_t offset = geometry.Metrics.LeftMargin + geometry.Metrics.ImageMargin;
  if (geometry.ShowChecks && !geometry.ImagesBeforeChecks)
    offset += CheckPartWidth(geometry);
  const int32_t top = row.Top + (row.Height() - geometry.ImageSize.cy) / 2;
  return FromReadingStart(geometry, row, offset, geometry.ImageSize.cx, top, geometry.ImageSize.cy);
}

TRect lxCheckListTextPart(const TlxCheckListBoxGeometry& geometry, const TRect& row) {
  TRect text = row;
  if (geometry.RightToLeft)
    text.Right -= lxCheckListAreaWidth(geometry);
  else
    text.Left += lxCheckListAreaWidth(geometry);
  return text;
}

TRect lxCheckListWholeRow(const TlxCheckListBoxGeometry& geometry, const TRect& text_part) {
  TRect row = text_part;
  if (geometry.RightToLeft)
    row.Right += lxCheckListAreaWidth(geometry);
  else
    row.Left -= lxCheckListAreaWidth(geometry);
  return row;
}
