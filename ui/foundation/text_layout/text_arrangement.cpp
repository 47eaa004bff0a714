#include "ui/foundation/text_layout/text_arrangement.h"

#include <algorithm>
#include <climits>
#include <tuple>
#include <utility>

#include "ui/foundation/text_layout/text_breaking.h"

namespace {

constexpr int32_t kAutoIndentUnits = 2;
constexpr uint8_t kHebrewCharset = 177;
constexpr uint8_t kArabicCharset = 178;

bool IsJustified(const TlxTextLayoutParams& params) {
  return params.HorzAlignment == lxtoAlignJustify || params.HorzAlignment == lxtoAlignJustifyAll;
}

int32_t PrefixWidth(IlxTextMeasurer& measurer, const TlxTextRowInfo& row, int32_t count,
                    const TlxTextLayoutParams& params) {
  if (count <= 0)
    return 0;
  return measurer.MeasureText(std::u16string_view(row.Text, static_cast<size_t>(count)), params.ExpandTabs).cx;
}

// The X of a row of `width` by the horizontal alignment.
int32_t RowX(const TRect& text_rect, const TlxTextLayoutParams& params, int32_t width) {
  int32_t x = text_rect.Left;
  if (params.HorzAlignment == lxtoAlignCenter)
    x = text_rect.Left + (text_rect.Width() - width) / 2;
  else if (params.HorzAlignment == lxtoAlignRight)
    x = text_rect.Right - width;
  if (params.NotLeftOfRect)
    x = std::max(x, text_rect.Left);
  return x;
}

// Shortens the last row to what fits before "..." and places the two
// together: a centred or right row moves with its shorter width, so the
// ellipsis follows its last character instead of overlapping it.
void ShortenForEllipsis(IlxTextMeasurer& measurer, const TRect& text_rect, const TlxTextLayoutParams& params,
                        const TlxTextRowInfo& row, TlxTextRowDrawing& drawing) {
  drawing.Ellipsis = true;
  const int32_t available = std::max(0, text_rect.Width() - params.EllipsisWidth);
  int32_t keep = measurer.FitCharacters(std::u16string_view(row.Text, static_cast<size_t>(row.Length)), available);
  keep = std::clamp(keep, 0, row.Length);
  if (params.HorzAlignment == lxtoAlignLeft && row.Length > 0)
    keep = std::max(keep, 1);
  drawing.Length = keep;
  drawing.Width = PrefixWidth(measurer, row, keep, params);
  if (params.HorzAlignment == lxtoAlignCenter || params.HorzAlignment == lxtoAlignRight)
    drawing.X = RowX(text_rect, params, drawing.Width + params.EllipsisWidth);
  drawing.EllipsisX = drawing.X + drawing.Width;
  drawing.ClipEllipsis = !params.NoClip && drawing.EllipsisX + params.EllipsisWidth > text_rect.Right;
}

void PlanHighlight(IlxTextMeasurer& measurer, const TlxTextLayoutParams& params, const TlxTextRowInfo& row,
                   int64_t highlight_start, int64_t highlight_length, TlxTextRowDrawing& drawing) {
  if (highlight_length <= 0 || highlight_start < 0)
    return;
  const int64_t row_start = row.StartOffset;
  const int64_t highlight_end = highlight_start + highlight_length;
  const int64_t first = std::max(highlight_start, row_start);
  const int64_t last = std::min(highlight_end, row_start + drawing.Length);
  drawing.HighlightReachesEnd = drawing.Ellipsis && highlight_start <= row_start + drawing.Length &&
                                highlight_end >= row_start + row.Length;
  if (first >= last)
    return;
  drawing.HighlightStart = static_cast<int32_t>(first - row_start);
  drawing.HighlightLength = static_cast<int32_t>(last - first);
  int32_t left = drawing.X + PrefixWidth(measurer, row, drawing.HighlightStart, params);
  int32_t right =
      drawing.X + PrefixWidth(measurer, row, drawing.HighlightStart + drawing.HighlightLength, params);
  if (lxCharsetReordersText(params.CharSet)) {
    const int32_t mirror = 2 * drawing.X + drawing.Width;
    std::tie(left, right) = std::make_pair(mirror - right, mirror - left);
  }
  drawing.HighlightLeft = left;
  drawing.HighlightRight = right;
}

}  // namespace

TRect lxApplyTextIndents(const TRect& rect, const TlxTextLayoutParams& params, int32_t left_indent,
                         int32_t right_indent) {
  TRect result = rect;
  if (params.AutoIndents)
    result = TRect(result.Left + kAutoIndentUnits * params.OnePixel, result.Top + kAutoIndentUnits * params.OnePixel,
                   result.Right - kAutoIndentUnits * params.OnePixel,
                   result.Bottom - kAutoIndentUnits * params.OnePixel);
  result.Left += left_indent * params.OnePixel;
  result.Right -= right_indent * params.OnePixel;
  return result;
}

TRect lxRemoveTextIndents(const TRect& text_rect, const TlxTextLayoutParams& params, int32_t left_indent,
                          int32_t right_indent) {
  TRect result = text_rect;
  result.Left -= left_indent * params.OnePixel;
  result.Right += right_indent * params.OnePixel;
  if (params.AutoIndents)
    result = TRect(result.Left - kAutoIndentUnits * params.OnePixel, result.Top - kAutoIndentUnits * params.OnePixel,
                   result.Right + kAutoIndentUnits * params.OnePixel,
                   result.Bottom + kAutoIndentUnits * params.OnePixel);
  return result;
}

void lxArrangeTextRows(const TRect& text_rect, const TlxTextLayoutParams& params, TlxTextRows& rows,
                       int32_t row_count) {
  row_count = std::clamp(row_count, 0, rows.Count);
  if (row_count == 0)
    return;
  int32_t row_height = params.RowHeight;
  int32_t extra_pixels = 0;
  const bool distribute = params.VertAlignment == lxtoAlignDistribute && row_count > 1;
  if (distribute) {
    const int32_t gap = text_rect.Height() - params.FontHeight;
    if (params.FontHeight < gap / (row_count - 1)) {
      row_height = gap / (row_count - 1);
      extra_pixels = gap % (row_count - 1);
    }
  }
  const int32_t block_height = row_count * row_height;
  int32_t y = text_rect.Top;
  if (params.VertAlignment == lxtoAlignVCenter)
    y = text_rect.Top + (text_rect.Height() - block_height) / 2;
  else if (params.VertAlignment == lxtoAlignBottom)
    y = text_rect.Bottom - block_height + params.ExternalLeading;
  if (params.NotAboveRect)
    y = std::max(y, text_rect.Top);
  for (int32_t i = 0; i < row_count; ++i) {
    TlxTextRowInfo& row = lxGetTextRow(rows, i);
    row.X = RowX(text_rect, params, row.Width);
    row.Y = y;
    y += row_height + (i < extra_pixels ? 1 : 0);
  }
}

std::u16string lxRemoveAmpersandMarkers(std::u16string_view text) {
  std::u16string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'&') {
      if (i + 1 < text.size() && text[i + 1] == u'&')
        result.push_back(u'&');
      else
        continue;
      ++i;
      continue;
    }
    result.push_back(text[i]);
  }
  return result;
}

bool lxCharsetReordersText(uint8_t charset) { return charset == kHebrewCharset || charset == kArabicCharset; }

std::vector<TlxTextRowDrawing> lxPlanTextRows(IlxTextMeasurer& measurer, const TRect& text_rect,
                                              const TlxTextLayoutParams& params, const TlxTextRows& rows,
                                              int32_t row_count, int64_t highlight_start, int64_t highlight_length,
                                              bool text_did_not_fit) {
  std::vector<TlxTextRowDrawing> plan;
  row_count = std::clamp(row_count, 0, rows.Count);
  for (int32_t i = 0; i < row_count; ++i) {
    const TlxTextRowInfo& row = lxGetTextRow(rows, i);
    const bool last = i == row_count - 1;
    const bool ellipsis =
        params.EndEllipsis && last && (text_did_not_fit || row.Width > text_rect.Width());
    // A row without characters draws nothing, except the ellipsis of text
    // that went on past it.
    if (row.Length == 0 && !(ellipsis && text_did_not_fit))
      continue;
    TlxTextRowDrawing drawing;
    drawing.Row = i;
    drawing.Band = TRect(text_rect.Left, row.Y, text_rect.Right, row.Y + params.RowHeight);
    drawing.X = row.X;
    drawing.Y = row.Y;
    drawing.Length = row.Length;
    drawing.Width = row.Width;
    if (params.PlaceholderBars) {
      drawing.Placeholder = true;
      const int32_t top = row.Y + params.OnePixel;
      const int32_t bottom = std::max(row.Y + params.RowHeight - params.OnePixel, top + 1);
      drawing.PlaceholderRect = TRect(row.X, top, std::min(row.X + row.Width, text_rect.Right), bottom);
      plan.push_back(drawing);
      continue;
    }
    if (IsJustified(params) && !ellipsis && row.BreakCount > 0 && row.Width < text_rect.Width())
      drawing.JustifyExtra = text_rect.Width() - row.Width;
    const bool leaves_vertically = row.Y < text_rect.Top || row.Y + params.RowHeight > text_rect.Bottom;
    if (!params.NoClip && (row.Width > text_rect.Width() || leaves_vertically)) {
      drawing.Clip = true;
      drawing.ClipRect = drawing.Band.Intersect(text_rect);
    }
    if (ellipsis)
      ShortenForEllipsis(measurer, text_rect, params, row, drawing);
    PlanHighlight(measurer, params, row, highlight_start, highlight_length, drawing);
    plan.push_back(drawing);
  }
  return plan;
}

TlxTextBlock lxLayoutTextBlock(IlxTextMeasurer& measurer, std::u16string_view text, TRect& rect,
                               const TlxTextLayoutParams& params, TlxTextRows& rows, int32_t max_rows,
                               int32_t left_indent, int32_t right_indent) {
  TlxTextBlock block;
  lxClearTextRows(rows);
  block.TextRect = lxApplyTextIndents(rect, params, left_indent, right_indent);
  const bool room = params.MeasureRect ? block.TextRect.Width() > 0
                                       : block.TextRect.Width() >= 1 && block.TextRect.Height() >= 1;
  if (text.empty() || !room)
    return block;
  if (params.RemoveAmpersands) {
    rows.Text = lxRemoveAmpersandMarkers(text);
    text = rows.Text;
    if (text.empty())
      return block;
  }
  const auto length = static_cast<int32_t>(std::min<size_t>(text.size(), INT32_MAX));
  block.Fitted = lxMakeTextRows(measurer, text.data(), length, block.TextRect, params, rows, block.RowCount, max_rows);
  if (params.MeasureRect) {
    if (max_rows > 0)
      block.RowCount = std::min(block.RowCount, max_rows);
    block.TextRect.Right = block.TextRect.Left + lxGetTextRowsMaxWidth(rows, block.RowCount);
    if (!params.SingleLine) {
      block.Fitted =
          lxMakeTextRows(measurer, text.data(), length, block.TextRect, params, rows, block.RowCount, max_rows);
      if (max_rows > 0)
        block.RowCount = std::min(block.RowCount, max_rows);
    }
    lxArrangeTextRows(block.TextRect, params, rows, block.RowCount);
    block.TextRect.Bottom = lxGetTextRow(rows, block.RowCount - 1).Y + params.RowHeight;
    rect = lxRemoveTextIndents(block.TextRect, params, left_indent, right_indent);
  } else {
    lxArrangeTextRows(block.TextRect, params, rows, block.RowCount);
    block.Draw = !params.MeasureRowCount;
  }
  const int32_t height = lxGetTextRow(rows, block.RowCount - 1).Y + params.RowHeight - block.TextRect.Top;
  block.Result = params.MeasureRowCount || height == 0 ? block.RowCount : height;
  return block;
}
