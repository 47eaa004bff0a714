#include "grid/table_layout_math.h"

#include <algorithm>

#include "ui/foundation/geometry/auto_width.h"

namespace {

constexpr int32_t kTextMargin = 2;

int32_t NonNegative(int32_t value) { return std::max(value, 0); }

}  // namespace

// ---------------------------------------------------------------------------
// Grid lines.

TlxGridCellLineBorders lxGridCellLineBorders(TlxGridLineKinds grid_lines, bool is_rightmost) {
  switch (grid_lines) {
    case glkBoth:
      return {true, true};
    case glkVertical:
      return {true, false};
    case glkHorizontal:
      // Without vertical lines the rightmost cell still closes the row.
      return {is_rightmost, true};
    case glkNone:
      break;
  }
  return {};
}

TlxGridLineSegment lxGridLineSegment(const TRect& border) {
  if (border.Top + 1 == border.Bottom)
    return {{border.Left, border.Top}, {border.Right, border.Top}};
  return {{border.Left, border.Top}, {border.Left, border.Bottom}};
}

// ---------------------------------------------------------------------------
// Row heights.

int32_t lxGridTextRowHeight(int32_t text_height, int32_t expand_button_size, bool office11, bool single,
                            TlxGridLineKinds grid_lines) {
  int32_t height = lxSaturatingAdd(std::max(text_height, expand_button_size), 4);
  if (office11) {
    if (!single)
      height = lxSaturatingMul(height, 2);
    return lxSaturatingAdd(height, 2);
  }
  return lxSaturatingAdd(height, lxGridLinesHaveHorizontal(grid_lines) ? 1 : 0);
}

int32_t lxGridDefaultRowHeight(const std::vector<int32_t>& column_cell_heights, int32_t content_text_height,
                               TlxGridLineKinds grid_lines) {
  int32_t height = 0;
  if (column_cell_heights.empty()) {
    height = lxSaturatingAdd(NonNegative(content_text_height), 4);
  } else {
    for (int32_t cell_height : column_cell_heights)
      height = std::max(height, cell_height);
  }
  return lxSaturatingAdd(height, lxGridLinesHaveHorizontal(grid_lines) ? 1 : 0);
}

// ---------------------------------------------------------------------------
// Visible rows.

TlxGridVisibleRows lxGridCountVisibleRows(const TlxGridVisibleRowsInput& input) {
  TlxGridVisibleRows result;
  if (input.TopRecordIndex < 0)
    return result;
  const int64_t available =
      input.CalculateDown ? int64_t{input.RecordCount} - input.TopRecordIndex : int64_t{input.TopRecordIndex} + 1;
  const int32_t count = lxClampToInt32(std::max<int64_t>(available, 0));

  // 64-bit so that rows as high as the largest 32-bit integer cannot wrap
  // the running top back above the bottom.
  int64_t top = input.ContentTop;
  const int64_t bottom = input.ContentBottom;
  for (int32_t i = 0; i < count; ++i) {
    ++result.PartVisibleCount;
    result.RestHeight = lxClampToInt32(bottom - top);
    // A row takes at least one pixel, so that rows without height cannot
    // make the count run through millions of records.
    top += input.RowHeight ? std::max(input.RowHeight(i), 1) : 1;
    if (top > bottom)
      break;
    ++result.VisibleCount;
    if (top == bottom)
      break;
  }

  if (count > 0 && result.VisibleCount == result.PartVisibleCount && input.IsRowFullyVisible) {
    const int32_t asked = input.CalculateDown ? result.VisibleCount - 1 : 0;
    if (!input.IsRowFullyVisible(asked))
      --result.VisibleCount;
  }
  if (count > 0 && result.VisibleCount == 0) {
    // A single row taller than the area still counts as one visible row.
    result.VisibleCount = 1;
    result.IsFirstRowFullyVisible = false;
  }
  return result;
}

int32_t lxGridVisibleRowCountEstimate(int32_t client_height, int32_t non_records_height, int32_t data_row_height,
                                      int32_t row_separator_width) {
  const int64_t divisor = int64_t{NonNegative(data_row_height)} + NonNegative(row_separator_width);
  if (data_row_height <= 0 || divisor == 0)
    return 0;
  const int64_t space = int64_t{client_height} - non_records_height;
  return space <= 0 ? 0 : lxClampToInt32(space / divisor);
}

int32_t lxGridMaxVisibleRowCount(int32_t screen_height, int32_t data_row_height) {
  if (data_row_height <= 0)
    return 0;
  return lxClampToInt32(int64_t{NonNegative(screen_height)} / data_row_height + 2);
}

int32_t lxGridHeightForRows(int32_t height, int32_t non_records_height, int32_t data_row_height,
                            int32_t record_count, bool spare_row) {
  int64_t rows = 1;
  if (data_row_height > 0) {
    rows = (int64_t{height} - non_records_height) / data_row_height;
    const int64_t most = int64_t{NonNegative(record_count)} + (spare_row ? 1 : 0);
    rows = std::min(rows, most);
    rows = std::max<int64_t>(rows, 1);
  }
  return lxClampToInt32(int64_t{non_records_height} + rows * NonNegative(data_row_height));
}

int32_t lxGridRowsHeight(int32_t non_records_height, int32_t count, int32_t data_row_height,
                         TlxGridLineKinds grid_lines) {
  const int64_t grid_line = lxGridLinesHaveHorizontal(grid_lines) ? 0 : 1;
  return lxClampToInt32(int64_t{non_records_height} + int64_t{NonNegative(count)} * data_row_height + grid_line);
}

// ---------------------------------------------------------------------------
// Part stacking.

namespace {

struct TStackedEdges {
  int64_t Top;
  int64_t Bottom;
};

// The rows' edges once every visible part has taken its height.
TStackedEdges InnerEdges(const TRect& view_client, const std::vector<TlxGridPartSlot>& parts) {
  TStackedEdges edges{view_client.Top, view_client.Bottom};
  for (const TlxGridPartSlot& part : parts) {
    if (!part.Visible)
      continue;
    if (part.Place == gppTop)
      edges.Top += NonNegative(part.Height);
    else
      edges.Bottom -= NonNegative(part.Height);
  }
  return edges;
}

}  // namespace

std::vector<TRect> lxGridPartRects(const TRect& view_client, int32_t indicator_width,
                                   const std::vector<TlxGridPartSlot>& parts) {
  std::vector<TRect> rects(parts.size());
  const int32_t client_left = lxSaturatingAdd(view_client.Left, NonNegative(indicator_width));
  for (size_t index = 0; index < parts.size(); ++index) {
    const TlxGridPartSlot& part = parts[index];
    if (!part.Visible)
      continue;
    // Walk from the last part down to this one, moving the edges outwards.
    TStackedEdges edges = InnerEdges(view_client, parts);
    for (size_t other = parts.size(); other-- > index;) {
      const TlxGridPartSlot& passed = parts[other];
      if (!passed.Visible)
        continue;
      if (passed.Place == gppTop)
        edges.Top -= NonNegative(passed.Height);
      else
        edges.Bottom += NonNegative(passed.Height);
    }
    TRect& rect = rects[index];
    if (part.WholeWidth) {
      rect.Left = view_client.Left;
      rect.Right = view_client.Right;
    } else {
      rect.Left = client_left;
      rect.Right = lxSaturatingAdd(client_left, NonNegative(part.Width));
    }
    const int64_t height = NonNegative(part.Height);
    if (part.Place == gppTop) {
      rect.Top = lxClampToInt32(edges.Top);
      rect.Bottom = lxClampToInt32(edges.Top + height);
    } else {
      rect.Bottom = lxClampToInt32(edges.Bottom);
      rect.Top = lxClampToInt32(edges.Bottom - height);
    }
  }
  return rects;
}

TRect lxGridTableClientBounds(const TRect& view_client, int32_t indicator_width,
                              const std::vector<TlxGridPartSlot>& parts) {
  const TStackedEdges edges = InnerEdges(view_client, parts);
  TRect bounds;
  bounds.Left = std::min(lxSaturatingAdd(view_client.Left, NonNegative(indicator_width)), view_client.Right);
  bounds.Right = view_client.Right;
  bounds.Top = lxClampToInt32(edges.Top);
  // Parts higher than the view leave an empty band, never an inverted one.
  bounds.Bottom = lxClampToInt32(std::max(edges.Bottom, edges.Top));
  return bounds;
}

// ---------------------------------------------------------------------------
// Column header and group-by box.

int32_t lxGridHeaderItemHeight(int32_t text_height, int32_t border_size) {
  return lxClampToInt32(int64_t{NonNegative(text_height)} + 2 * kTextMargin + 2 * int64_t{NonNegative(border_size)});
}

int32_t lxGridGroupByBoxHeight(int32_t item_height, int32_t grouped_count, int32_t text_height) {
  if (grouped_count <= 0)
    return lxClampToInt32(int64_t{NonNegative(text_height)} + 2 * kTextMargin + 2 + 16);
  const int64_t item = NonNegative(item_height);
  return lxClampToInt32((item / 2) * (int64_t{grouped_count} + 1) + item % 2 + 16);
}

std::vector<TPoint> lxGridGroupByBoxCellOrigins(const TRect& box, int32_t item_height,
                                                const std::vector<int32_t>& cell_widths) {
  std::vector<TPoint> origins;
  origins.reserve(cell_widths.size());
  int64_t left = int64_t{box.Left} + 6;
  int64_t top = int64_t{box.Top} + 8;
  for (int32_t width : cell_widths) {
    origins.push_back({lxClampToInt32(left), lxClampToInt32(top)});
    left += int64_t{NonNegative(width)} + 4;
    top += NonNegative(item_height) / 2;
  }
  return origins;
}

bool lxGridAutoWidthIsFixed(int32_t index, bool can_size, int32_t sizing_index, int32_t last_index) {
  if (!can_size)
    return true;
  if (sizing_index < 0)
    return false;
  if (index == sizing_index)
    return true;
  // Only the columns right of the sized one give or take the difference.
  return sizing_index != last_index && index < sizing_index;
}

std::vector<int32_t> lxGridAutoWidths(const std::vector<TlxGridAutoWidthColumn>& columns,
                                      int32_t available_width) {
  TlxAutoWidthObject distribution(static_cast<int32_t>(columns.size()));
  for (const TlxGridAutoWidthColumn& column : columns) {
    TlxAutoWidthItem* item = distribution.NewItem();
    item->Width = NonNegative(column.Width);
    item->MinWidth = NonNegative(column.MinWidth);
    item->Fixed = column.Fixed;
  }
  distribution.AvailableWidth = NonNegative(available_width);
  distribution.Calculate();
  std::vector<int32_t> widths;
  widths.reserve(columns.size());
  for (int32_t index = 0; index < distribution.Count(); ++index)
    widths.push_back(NonNegative(distribution.GetItem(index)->AutoWidth));
  return widths;
}

int32_t lxGridColumnMaxWidth(const std::vector<int32_t>& widths, const std::vector<int32_t>& min_widths,
                             int32_t index, int32_t client_width, bool auto_width) {
  const int32_t count = static_cast<int32_t>(std::min(widths.size(), min_widths.size()));
  if (!auto_width || index < 0 || index >= count)
    return std::numeric_limits<int32_t>::max();
  const bool is_last = index == count - 1;
  int64_t result = client_width;
  for (int32_t other = 0; other < count; ++other) {
    if (other == index)
      continue;
    const size_t slot = static_cast<size_t>(other);
    if (is_last || other > index)
      result -= NonNegative(min_widths[slot]);
    else
      result -= NonNegative(widths[slot]);
  }
  return lxClampToInt32(std::max<int64_t>(result, NonNegative(min_widths[static_cast<size_t>(index)])));
}

int32_t lxGridDropZone(int32_t area_left, int32_t area_right, const std::vector<TlxGridCellSpan>& cells,
                       int32_t x) {
  if (x < area_left || x >= area_right)
    return -1;
  int32_t zone = 0;
  for (const TlxGridCellSpan& cell : cells) {
    const int64_t centre = (int64_t{cell.Left} + cell.Right) / 2;
    if (x < centre)
      return zone;
    ++zone;
  }
  return zone;
}

// ---------------------------------------------------------------------------
// Header areas.

namespace {

void PlaceHorizontally(TRect& area, TRect& text_area, const TlxGridHeaderArea& spec, bool caption_centered,
                       int32_t caption_width) {
  if (spec.Width <= 0)
    return;
  const int32_t width = spec.Width;
  const bool takes_space = spec.TakesCaptionSpace && spec.InsideTextArea;
  switch (spec.AlignHorz) {
    case gaaLeft:
      area.Right = lxSaturatingAdd(area.Left, width);
      if (takes_space)
        text_area.Left = area.Right;
      break;
    case gaaRight:
      area.Left = lxSaturatingSub(area.Right, width);
      if (takes_space)
        text_area.Right = area.Left;
      break;
    case gaaCenter: {
      const int64_t available = int64_t{area.Right} - area.Left;
      const int64_t caption = int64_t{NonNegative(caption_width)} + 2 * kTextMargin;
      if (takes_space && caption_centered && width + caption < available) {
        // Area and caption form one centred block.
        area.Left = lxClampToInt32(area.Left + (available - width - caption) / 2);
        area.Right = lxSaturatingAdd(area.Left, width);
        text_area.Left = area.Right;
        text_area.Right = lxClampToInt32(std::min<int64_t>(text_area.Right, int64_t{text_area.Left} + caption));
      } else {
        area.Left = lxClampToInt32(area.Left + (available - width) / 2);
        area.Right = lxSaturatingAdd(area.Left, width);
      }
      break;
    }
  }
}

void PlaceVertically(TRect& area, const TlxGridHeaderArea& spec) {
  if (spec.Height <= 0)
    return;
  switch (spec.AlignVert) {
    case gavTop:
      area.Bottom = lxSaturatingAdd(area.Top, spec.Height);
      break;
    case gavBottom:
      area.Top = lxSaturatingSub(area.Bottom, spec.Height);
      break;
    case gavCenter:
      area.Top = lxClampToInt32(area.Top + (int64_t{area.Bottom} - area.Top - spec.Height) / 2);
      area.Bottom = lxSaturatingAdd(area.Top, spec.Height);
      break;
  }
}

}  // namespace

TlxGridHeaderLayout lxGridLayoutHeaderAreas(const TRect& cell_bounds, const TRect& content_bounds,
                                            const std::vector<TlxGridHeaderArea>& areas, bool caption_empty,
                                            bool caption_centered, int32_t caption_width) {
  TlxGridHeaderLayout layout;
  layout.TextArea = content_bounds.Inflate(-kTextMargin, -kTextMargin);
  bool space_at_left = false;
  bool space_at_right = false;
  layout.Areas.reserve(areas.size());
  for (const TlxGridHeaderArea& spec : areas) {
    TRect area = spec.InsideTextArea ? layout.TextArea : cell_bounds;
    PlaceHorizontally(area, layout.TextArea, spec, caption_centered, caption_width);
    PlaceVertically(area, spec);
    if (spec.StraddlesRightEdge)
      area = area.Offset(spec.Width / 2, 0);
    if (spec.TakesCaptionSpace && spec.InsideTextArea && spec.Width > 0) {
      space_at_left = space_at_left || spec.AlignHorz == gaaLeft;
      space_at_right = space_at_right || spec.AlignHorz == gaaRight;
    }
    layout.Areas.push_back(area);
  }
  // An empty caption needs no gap beside its areas.
  if (!caption_empty) {
    if (space_at_left)
      layout.TextArea.Left = lxSaturatingAdd(layout.TextArea.Left, kTextMargin);
    if (space_at_right)
      layout.TextArea.Right = lxSaturatingSub(layout.TextArea.Right, kTextMargin);
  }
  return layout;
}

// ---------------------------------------------------------------------------
// Footer.

int32_t lxGridFooterHeight(int32_t top_border, int32_t row_count, int32_t line_height, int32_t bottom_border,
                           int32_t separator_height) {
  return lxClampToInt32(int64_t{NonNegative(top_border)} +
                        int64_t{std::max(row_count, 1)} * NonNegative(line_height) + NonNegative(bottom_border) +
                        NonNegative(separator_height));
}

// ---------------------------------------------------------------------------
// Scrolling.

TlxGridScrollRects lxGridVScrollRects(const TlxGridVScrollInput& input) {
  TlxGridScrollRects rects{input.DataArea, input.DataArea};
  const int32_t delta = input.Delta;
  if (delta < 0) {
    rects.Moved.Top = lxSaturatingSub(rects.Moved.Top, delta);
    if (input.VisibleCount > 1)
      rects.Moved.Bottom = input.SecondLastVisibleBottom;
    rects.Repaint.Top = lxSaturatingAdd(rects.Moved.Bottom, delta);
  } else {
    rects.Moved.Bottom = lxSaturatingSub(rects.Moved.Bottom, delta);
    if (input.PartVisibleCount > 1)
      rects.Moved.Top = input.SecondRowTop;
    rects.Repaint.Bottom = lxSaturatingAdd(rects.Moved.Top, delta);
  }
  return rects;
}

TlxGridScrollRects lxGridHScrollRects(const TRect& rows_area, int32_t delta) {
  TlxGridScrollRects rects{rows_area, rows_area};
  if (delta < 0) {
    rects.Moved.Left = lxSaturatingSub(rects.Moved.Left, delta);
    rects.Repaint.Left = std::max(rows_area.Left, lxSaturatingAdd(rows_area.Right, delta));
  } else {
    rects.Moved.Right = lxSaturatingSub(rects.Moved.Right, delta);
    rects.Repaint.Right = std::min(lxSaturatingAdd(rows_area.Left, delta), rows_area.Right);
  }
  return rects;
}
