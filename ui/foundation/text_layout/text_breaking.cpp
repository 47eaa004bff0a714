#include "ui/foundation/text_layout/text_breaking.h"

#include <algorithm>
#include <iterator>

namespace {

// Sorted, for a binary search; U+FFE0 and above are prohibited as a range.
constexpr char16_t kLineStartProhibited[] = {
    0x0021, 0x0025, 0x0029, 0x002C, 0x002E, 0x003A, 0x003B, 0x003E, 0x003F, 0x005D, 0x007D, 0x00A8,
    0x00B0, 0x00B7, 0x02C7, 0x02C9, 0x2013, 0x2014, 0x2015, 0x2016, 0x2018, 0x2019, 0x201D, 0x2022,
    0x2025, 0x2026, 0x2027, 0x2032, 0x2033, 0x2103, 0x2236, 0x2574, 0x3001, 0x3002, 0x3003, 0x3005,
    0x3009, 0x300B, 0x300D, 0x300F, 0x3011, 0x3015, 0x3017, 0x301E, 0x309B, 0x309C, 0xFE30, 0xFE31,
    0xFE33, 0xFE34, 0xFE36, 0xFE38, 0xFE3A, 0xFE3C, 0xFE3E, 0xFE40, 0xFE42, 0xFE44, 0xFE4F, 0xFE50,
    0xFE51, 0xFE52, 0xFE54, 0xFE55, 0xFE56, 0xFE57, 0xFE5A, 0xFE5C, 0xFE5E, 0xFF01, 0xFF02, 0xFF05,
    0xFF07, 0xFF09, 0xFF0C, 0xFF0D, 0xFF0E, 0xFF1A, 0xFF1B, 0xFF1E, 0xFF1F, 0xFF3D, 0xFF5C, 0xFF5D,
    0xFF5E, 0xFF61, 0xFF63, 0xFF64, 0xFF9E, 0xFF9F,
};

bool IsSpaceOrTab(char16_t c) { return c == u' ' || c == u'\t'; }
bool IsLineBreak(char16_t c) { return c == u'\r' || c == u'\n'; }
bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// Past the line break at `position`: CR LF and LF CR count as one.
int32_t SkipLineBreak(const char16_t* text, int32_t position, int32_t length) {
  const char16_t first = text[position++];
  if (position < length && IsLineBreak(text[position]) && text[position] != first)
    ++position;
  return position;
}

int32_t MeasureWidth(IlxTextMeasurer& measurer, const char16_t* text, int32_t start, int32_t end,
                     const TlxTextLayoutParams& params) {
  return measurer.MeasureText(std::u16string_view(text + start, static_cast<size_t>(end - start)), params.ExpandTabs)
      .cx;
}

// How much of a row fits its width. Without tab expansion one fitting
// query answers for every segment of the row: a prefix fits exactly when
// it is no longer than the characters that fit. The query looks at a
// growing window of the text, so long texts are not measured to their end
// for every row. With tabs every candidate is measured on its own.
class RowFit {
 public:
  RowFit(IlxTextMeasurer& measurer, const char16_t* text, int32_t row_start, int32_t length, int32_t width,
         const TlxTextLayoutParams& params)
      : measurer_(measurer), text_(text), row_start_(row_start), remaining_(length - row_start), width_(width),
        params_(params) {}

  // Whether the row's first `count` characters fit.
  bool Fits(int32_t count) {
    if (params_.ExpandTabs)
      return MeasureWidth(measurer_, text_, row_start_, row_start_ + count, params_) <= width_;
    while (count > fitting_) {
      if (fitting_ < examined_ || examined_ == remaining_)
        return false;
      examined_ = std::min(remaining_, std::max(kFirstWindow, examined_ * 2));
      fitting_ = std::clamp(
          measurer_.FitCharacters(std::u16string_view(text_ + row_start_, static_cast<size_t>(examined_)), width_), 0,
          examined_);
    }
    return true;
  }

  // After a segment did not fit: how many of its characters do, found by
  // halving where tabs are measured.
  int32_t FittingPart(int32_t segment_start, int32_t segment_end) {
    int32_t fitting = 1;
    if (!params_.ExpandTabs) {
      fitting = fitting_ - (segment_start - row_start_);
    } else {
      int32_t low = 1;
      int32_t high = segment_end - segment_start;
      while (low <= high) {
        const int32_t middle = low + (high - low) / 2;
        if (Fits(segment_start + middle - row_start_)) {
          fitting = middle;
          low = middle + 1;
        } else {
          high = middle - 1;
        }
      }
    }
    fitting = std::clamp(fitting, 1, segment_end - segment_start);
    // A surrogate pair stays whole when there is anything else to take.
    if (fitting > 1 && IsHighSurrogate(text_[segment_start + fitting - 1]))
      --fitting;
    return fitting;
  }

 private:
  static constexpr int32_t kFirstWindow = 256;

  IlxTextMeasurer& measurer_;
  const char16_t* text_;
  int32_t row_start_;
  int32_t remaining_;
  int32_t width_;
  const TlxTextLayoutParams& params_;
  int32_t examined_ = 0;
  int32_t fitting_ = 0;
};

// Where a wrapped row ends and the next one starts, as the alignment
// trims the blank between them.
void TrimAtWrap(const char16_t* text, int32_t length, const TlxTextLayoutParams& params, TlxTextRowBreak& row) {
  int32_t end = row.Start + row.Length;
  const bool drops_trailing =
      params.HorzAlignment == lxtoAlignCenter || params.HorzAlignment == lxtoAlignRight;
  const bool skips_leading = params.HorzAlignment != lxtoAlignRight;
  if (drops_trailing && end > row.Start && IsSpaceOrTab(text[end - 1]))
    --end;
  if (skips_leading && row.Next < length && IsSpaceOrTab(text[row.Next]))
    ++row.Next;
  if (params.SkipSpacesAfterWrap)
    while (row.Next < length && text[row.Next] == u' ')
      ++row.Next;
  row.Length = end - row.Start;
}

void PrepareJustification(const char16_t* text, const TlxTextLayoutParams& params, TlxTextRowBreak& row) {
  const bool justified = params.HorzAlignment == lxtoAlignJustifyAll ||
                         (params.HorzAlignment == lxtoAlignJustify && row.Wrapped);
  if (!justified)
    return;
  while (row.Length > 0 && IsSpaceOrTab(text[row.Start + row.Length - 1]))
    --row.Length;
  row.BreakCount = static_cast<int32_t>(
      std::count_if(text + row.Start, text + row.Start + row.Length, [](char16_t c) { return IsSpaceOrTab(c); }));
}

}  // namespace

bool lxIsLineStartProhibited(char16_t c) {
  if (c >= 0xFFE0)
    return true;
  return std::binary_search(std::begin(kLineStartProhibited), std::end(kLineStartProhibited), c);
}

bool lxIsWideBreakChar(char16_t c, IlxTextMeasurer& measurer) {
  if (c < 0x80)
    return false;
  const bool east_asian = (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3040 && c <= 0x309F) ||
                          (c >= 0x30A0 && c <= 0x30FF) || (c >= 0xAC00 && c <= 0xD7A3);
  return east_asian || measurer.IsMultiByteInAnsiCodePage(c);
}

int32_t lxFindTextBreak(const char16_t* text, int32_t position, int32_t length, IlxTextMeasurer& measurer) {
  if (position >= length)
    return length;
  const char16_t first = text[position];
  if (IsSpaceOrTab(first))
    return position + 1;
  if (IsLineBreak(first))
    return position;
  if (lxIsWideBreakChar(first, measurer)) {
    if (position + 1 < length && lxIsLineStartProhibited(text[position + 1]))
      return position + 2;
    return position + 1;
  }
  for (int32_t i = position + 1; i < length; ++i) {
    const char16_t c = text[i];
    if (IsSpaceOrTab(c) || IsLineBreak(c) || lxIsWideBreakChar(c, measurer))
      return i;
  }
  return length;
}

bool lxTextRowsWrap(const TlxTextLayoutParams& params) {
  if (params.SingleLine)
    return false;
  return params.WordBreak || params.HorzAlignment == lxtoAlignJustify ||
         params.HorzAlignment == lxtoAlignJustifyAll;
}

TlxTextRowBreak lxBreakTextRow(const char16_t* text, int32_t position, int32_t length, int32_t available_width,
                               const TlxTextLayoutParams& params, bool with_ellipsis, IlxTextMeasurer& measurer) {
  TlxTextRowBreak row;
  row.Start = position;
  int32_t end = position;
  if (!lxTextRowsWrap(params)) {
    while (end < length && !IsLineBreak(text[end]))
      ++end;
    row.Length = end - position;
    row.Next = end < length ? SkipLineBreak(text, end, length) : end;
    PrepareJustification(text, params, row);
    return row;
  }
  RowFit fit(measurer, text, position, length, available_width, params);
  while (true) {
    if (end >= length) {
      row.Next = end;
      break;
    }
    if (IsLineBreak(text[end])) {
      row.Next = SkipLineBreak(text, end, length);
      break;
    }
    const int32_t segment_end = lxFindTextBreak(text, end, length, measurer);
    if (!fit.Fits(segment_end - position)) {
      row.Wrapped = true;
      if (end > position && !with_ellipsis) {
        row.Next = end;
      } else if (params.CharBreak) {
        end += fit.FittingPart(end, segment_end);
        row.Next = end;
      } else {
        end = segment_end;
        row.Next = end;
        // The last row keeps to its paragraph: the break after it is used up.
        if (with_ellipsis && end < length && IsLineBreak(text[end])) {
          row.Next = SkipLineBreak(text, end, length);
          row.Wrapped = false;
        }
      }
      break;
    }
    end = segment_end;
    if (end < length && IsLineBreak(text[end])) {
      row.Next = SkipLineBreak(text, end, length);
      break;
    }
  }
  row.Length = end - position;
  if (row.Wrapped)
    TrimAtWrap(text, length, params, row);
  PrepareJustification(text, params, row);
  return row;
}

bool lxMakeTextRows(IlxTextMeasurer& measurer, const char16_t* text, int32_t length, const TRect& text_rect,
                    const TlxTextLayoutParams& params, TlxTextRows& rows, int32_t& row_count, int32_t max_rows) {
  lxClearTextRows(rows);
  row_count = 0;
  if (text == nullptr || length <= 0)
    return true;
  const bool measuring = params.MeasureRect || params.MeasureRowCount;
  if (params.MeasureRect && params.SingleLine) {
    lxSetTextRowCount(rows, 1);
    TlxTextRowInfo& row = lxGetTextRow(rows, 0);
    const TSize size = measurer.MeasureText(std::u16string_view(text, static_cast<size_t>(length)), params.ExpandTabs);
    row = TlxTextRowInfo{text, length, size.cx, size.cy, 0, 0, 0, 0};
    row_count = 1;
    return true;
  }
  const bool ellipsis_applies = !params.NoClip && params.EndEllipsis && !measuring &&
                                params.HorzAlignment != lxtoAlignJustify &&
                                params.HorzAlignment != lxtoAlignJustifyAll;
  const int32_t available_height = text_rect.Height();
  int64_t used_height = 0;
  int32_t position = 0;
  while (true) {
    used_height += params.RowHeight;
    const bool at_max_rows = max_rows > 0 && row_count + 1 >= max_rows;
    bool last_row;
    if (params.SingleLine)
      last_row = true;
    else if (params.VertAlignment != lxtoAlignTop || measuring)
      last_row = at_max_rows;
    else if (params.EditControlRows && !params.NoClip)
      last_row = available_height < used_height + params.RowHeight;
    else
      last_row = available_height < used_height;
    const TlxTextRowBreak broken = lxBreakTextRow(text, position, length, text_rect.Width(), params,
                                                  ellipsis_applies && last_row, measurer);
    lxSetTextRowCount(rows, row_count + 1);
    TlxTextRowInfo& row = lxGetTextRow(rows, row_count);
    row.Text = text + broken.Start;
    row.Length = broken.Length;
    row.BreakCount = broken.BreakCount;
    row.StartOffset = broken.Start;
    const TSize size = measurer.MeasureText(std::u16string_view(row.Text, static_cast<size_t>(row.Length)),
                                            params.ExpandTabs);
    row.Width = size.cx;
    row.Height = size.cy;
    ++row_count;
    position = broken.Next;
    if (last_row || position >= length || at_max_rows)
      break;
  }
  return params.SingleLine || measuring || position >= length;
}
