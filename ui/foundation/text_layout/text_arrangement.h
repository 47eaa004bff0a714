#pragma once
// Placing broken rows: indents, the rows' positions by alignment, what
// each row draws (shortened with an ellipsis, stretched, highlighted,
// clipped) and the whole layout step of a text output. All of it is
// geometry; the drawing itself is text_layout_win.h's.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/foundation/geometry/geometry.h"
#include "ui/foundation/text_layout/text_measurer.h"
#include "ui/foundation/text_layout/text_rows.h"

// The rectangle the text goes in: automatic indents take 2 pixel units on
// every side, then the left and right indents (in pixel units) more.
TRect lxApplyTextIndents(const TRect& rect, const TlxTextLayoutParams& params, int32_t left_indent,
                         int32_t right_indent);
// The exact inverse.
TRect lxRemoveTextIndents(const TRect& text_rect, const TlxTextLayoutParams& params, int32_t left_indent,
                          int32_t right_indent);

// Gives each of the first `row_count` rows its X and Y.
void lxArrangeTextRows(const TRect& text_rect, const TlxTextLayoutParams& params, TlxTextRows& rows,
                       int32_t row_count);

// The text without its "&" markers; "&&" leaves one "&".
std::u16string lxRemoveAmpersandMarkers(std::u16string_view text);

// Whether the charset's script runs right to left.
bool lxCharsetReordersText(uint8_t charset);

// What drawing one row comes to.
struct TlxTextRowDrawing {
  int32_t Row = 0;
  // The band the row occupies across the text rectangle.
  TRect Band;
  int32_t X = 0;
  int32_t Y = 0;
  // The characters drawn (fewer than the row's when it ends in "...").
  int32_t Length = 0;
  int32_t Width = 0;
  // Bars in place of the text.
  bool Placeholder = false;
  TRect PlaceholderRect;
  // Output clipped to ClipRect (the band inside the text rectangle).
  bool Clip = false;
  TRect ClipRect;
  // Pixels that justification spreads over the row's breaks.
  int32_t JustifyExtra = 0;
  bool Ellipsis = false;
  int32_t EllipsisX = 0;
  // The ellipsis is clipped to the band: it crosses the right edge.
  bool ClipEllipsis = false;
  // Highlighted characters of the row and the stretch they cover.
  int32_t HighlightStart = 0;
  int32_t HighlightLength = 0;
  int32_t HighlightLeft = 0;
  int32_t HighlightRight = 0;
  // The highlight runs to the row's end, over its ellipsis.
  bool HighlightReachesEnd = false;
};

// The drawing of every row that draws anything. The highlight is given in
// characters of the whole text; anything outside the rows is ignored.
std::vector<TlxTextRowDrawing> lxPlanTextRows(IlxTextMeasurer& measurer, const TRect& text_rect,
                                              const TlxTextLayoutParams& params, const TlxTextRows& rows,
                                              int32_t row_count, int64_t highlight_start, int64_t highlight_length,
                                              bool text_did_not_fit);

// The layout step of a text output: indents, "&" markers, rows, their
// arrangement, and in measuring mode the rectangle the text needs (written
// back to `rect`). The rows may point into `rows.Text`.
struct TlxTextBlock {
  TRect TextRect;
  int32_t RowCount = 0;
  bool Fitted = true;
  // True when rows are arranged for drawing (not in a measuring mode).
  bool Draw = false;
  // The text height, or the row count when asked for (or when the height
  // is 0).
  int32_t Result = 0;
};
TlxTextBlock lxLayoutTextBlock(IlxTextMeasurer& measurer, std::u16string_view text, TRect& rect,
                               const TlxTextLayoutParams& params, TlxTextRows& rows, int32_t max_rows,
                               int32_t left_indent, int32_t right_indent);
