#include "ui/foundation/text_layout/text_rows.h"

#include <algorithm>
#include <cmath>

namespace {

int32_t HorzAlignmentOf(TlxTextOutFlags flags) {
  const int32_t value = static_cast<int32_t>(flags & lxtoHorzAlignMask);
  // Values past the justified ones mean nothing; they align left.
  return value <= lxtoAlignJustifyAll ? value : lxtoAlignLeft;
}

bool Has(TlxTextOutFlags flags, TlxTextOutFlags flag) { return (flags & flag) != 0; }

}  // namespace

TlxTextLayoutParams lxMakeTextParams(const TlxTextFontMetrics& metrics, TlxTextOutFlags flags,
                                     double line_spacing) {
  TlxTextLayoutParams params;
  params.FontHeight = metrics.Height;
  params.UseExternalLeading = Has(flags, lxtoExternalLeading);
  params.ExternalLeading = params.UseExternalLeading ? metrics.ExternalLeading : 0;
  const double row_height = (params.FontHeight + params.ExternalLeading) * line_spacing;
  // A factor that is not a finite, sensible number leaves rows one font high.
  params.RowHeight = std::isfinite(row_height) && std::abs(row_height) < 1e9
                         ? static_cast<int32_t>(std::lround(row_height))
                         : params.FontHeight + params.ExternalLeading;
  params.EndEllipsis = Has(flags, lxtoEndEllipsis);
  params.EllipsisWidth = params.EndEllipsis ? metrics.EllipsisWidth : 0;
  params.Bold = metrics.Weight >= 700;
  params.BreakChar = metrics.BreakChar;
  params.HorzAlignment = HorzAlignmentOf(flags);
  params.VertAlignment = static_cast<int32_t>((flags & lxtoVertAlignMask) >> lxtoVertAlignShift);
  params.WordBreak = Has(flags, lxtoWordBreak);
  params.SingleLine = Has(flags, lxtoSingleLine);
  params.ExpandTabs = Has(flags, lxtoExpandTabs);
  params.EditControlRows = Has(flags, lxtoEditControlRows);
  params.SkipSpacesAfterWrap = Has(flags, lxtoSkipSpacesAfterWrap);
  params.NoClip = Has(flags, lxtoNoClip);
  params.AutoIndents = Has(flags, lxtoAutoIndents);
  params.PlaceholderBars = Has(flags, lxtoPlaceholderBars) && metrics.Height < metrics.SixPixels;
  params.NotLeftOfRect = Has(flags, lxtoNotLeftOfRect);
  params.NotAboveRect = Has(flags, lxtoNotAboveRect);
  params.CharBreak = Has(flags, lxtoCharBreak) || metrics.EastAsianLocale;
  params.MeasureRowCount = Has(flags, lxtoMeasureRowCount);
  params.MeasureRect = Has(flags, lxtoMeasureRect);
  params.MaxCharWidth = metrics.MaxCharWidth;
  params.CharSet = metrics.CharSet;
  params.OnePixel = std::max(metrics.OnePixel, 1);
  params.RemoveAmpersands = Has(flags, lxtoRemoveAmpersands);
  return params;
}

TlxTextRowInfo& lxGetTextRow(TlxTextRows& rows, int32_t index) {
  if (index < lxInlineTextRowCount)
    return rows.Rows[index];
  return rows.DynamicRows[static_cast<size_t>(index - lxInlineTextRowCount)];
}

const TlxTextRowInfo& lxGetTextRow(const TlxTextRows& rows, int32_t index) {
  if (index < lxInlineTextRowCount)
    return rows.Rows[index];
  return rows.DynamicRows[static_cast<size_t>(index - lxInlineTextRowCount)];
}

int32_t lxGetTextRowCount(const TlxTextRows& rows) { return rows.Count; }

void lxSetTextRowCount(TlxTextRows& rows, int32_t count) {
  count = std::max(count, 0);
  const int32_t beyond_inline = count - lxInlineTextRowCount;
  if (beyond_inline > 0 && static_cast<int32_t>(rows.DynamicRows.size()) < beyond_inline)
    rows.DynamicRows.resize(static_cast<size_t>(beyond_inline + 4));
  rows.Count = count;
  if (count > 0)
    lxGetTextRow(rows, count - 1) = TlxTextRowInfo{};
}

void lxClearTextRows(TlxTextRows& rows) {
  rows.Count = 0;
  TlxDynamicTextRows().swap(rows.DynamicRows);
}

int32_t lxGetTextRowsMaxWidth(const TlxTextRows& rows, int32_t count) {
  count = std::min(count, rows.Count);
  int32_t widest = 0;
  for (int32_t i = 0; i < count; ++i)
    widest = std::max(widest, lxGetTextRow(rows, i).Width);
  return widest;
}
