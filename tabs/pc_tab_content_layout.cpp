#include "tabs/pc_tab_content_layout.h"

#include <initializer_list>
#include <tuple>
#include <utility>

namespace {

bool IsVariantOf(int32_t variant, std::initializer_list<int32_t> variants) {
  for (int32_t v : variants)
    if (v == variant)
      return true;
  return false;
}

// The rectangle of an element from its span across and its span along,
// measured from the start of the caption direction.
class TContentAxes {
 public:
  TContentAxes(const TRect& tab, int32_t direction) : tab_(tab), direction_(direction) {}

  int32_t Length() const { return direction_ == 0 ? tab_.Width() : tab_.Height(); }

  TRect Place(int32_t across_start, int32_t across_end, int32_t along_start, int32_t along_end) const {
    switch (direction_) {
      case 0: return {tab_.Left + along_start, across_start, tab_.Left + along_end, across_end};
      case 1: return {across_start, tab_.Bottom - along_end, across_end, tab_.Bottom - along_start};
      default: return {across_start, tab_.Top + along_start, across_end, tab_.Top + along_end};
    }
  }

 private:
  TRect tab_;
  int32_t direction_;
};

struct TSpan {
  int32_t Start = 0;
  int32_t End = 0;
};

TSpan AcrossSpan(const TlxPCTabContentInput& input, TRect margins, int32_t extent) {
  const int32_t d = input.Direction;
  if (input.ButtonLike) {
    if (input.Pressed != (d == 2)) {
      margins.Top += 1;
      margins.Bottom -= 1;
    }
  } else if (input.Rotate) {
    margins.Top = 0;
    margins.Bottom = 0;
  }
  if (input.MainRowNearPage && IsVariantOf(input.DrawingVariant, {5, 7, 10}))
    std::swap(margins.Top, margins.Bottom);
  const TRect& r = input.TabRect;
  if (d == 0) {
    const int32_t start = r.Top + margins.Top;
    const int32_t length = r.Bottom - margins.Bottom - start;
    const int32_t at = start + (length - extent) / 2;
    return {at, at + extent};
  }
  if (d == 1) {
    const int32_t start = r.Left + margins.Top;
    const int32_t length = r.Right - margins.Bottom - start;
    const int32_t at = start + (length - extent) / 2;
    return {at, at + extent};
  }
  const int32_t start = r.Left + margins.Bottom;
  const int32_t end = r.Right - margins.Top;
  const int32_t at = end - (end - start - extent) / 2;
  return {at - extent, at};
}

// Start and end margins along, after the native swap and the pressed shift.
std::pair<int32_t, int32_t> AlongMargins(const TlxPCTabContentInput& input, int32_t start, int32_t end) {
  if (input.NativeLook && IsVariantOf(input.DrawingVariant, {2, 9, 12}))
    std::swap(start, end);
  if (input.ButtonLike && input.Pressed) {
    const int32_t shift = input.Direction == 1 ? -1 : 1;
    start += shift;
    end -= shift;
  }
  return {start, end};
}

int32_t Align(const TlxPCTabContentInput& input, int32_t space, int32_t length) {
  if (input.UseCaptionAlignment) {
    const int32_t widest = input.MaxCaptionWidth;
    if (input.Alignment == taLeftJustify)
      return (space - widest) / 2;
    if (input.Alignment == taRightJustify)
      return widest + (space - widest) / 2 - length;
  }
  return (space - length) / 2;
}

}  // namespace

TlxPCTabContentRects lxPCCalculateTabImageAndTextRects(const TlxPCTabContentInput& input,
                                                       IlxPCCaptionMeasurer& measurer) {
  TlxPCTabContentRects rects;
  const bool has_caption = !input.Caption.empty();
  if (!input.TabHasImage && !has_caption)
    return rects;
  const int32_t d = input.Direction;
  const TContentAxes axes(input.TabRect, d);
  const int32_t image_across = d == 0 ? input.RotatedImageSize.cy : input.RotatedImageSize.cx;
  const TSpan image_across_span = AcrossSpan(input, input.ImageHOffsets, image_across);
  const TSpan caption_across_span =
      has_caption ? AcrossSpan(input, input.TextHOffsets, measurer.TextHeight()) : TSpan{};
  const int32_t image_width = input.ImageSize.cx;

  if (!has_caption) {
    auto [start, end] = AlongMargins(input, input.ImageOnlyStart, input.ImageOnlyEnd);
    const int32_t length = axes.Length() - start - end;
    // Bottom to top, the odd pixel falls towards the start for the others.
    const bool from_far_end = d == 1 && input.ButtonLike;
    const int32_t offset = from_far_end ? length - image_width - (length - image_width) / 2
                                        : (length - image_width) / 2;
    const int32_t at = start + offset;
    rects.Image = axes.Place(image_across_span.Start, image_across_span.End, at, at + image_width);
    return rects;
  }

  auto content_margins = [&](int32_t start, int32_t end) {
    auto margins = AlongMargins(input, start, end);
    if (input.ButtonLike && input.HasImages && d == 1) {
      margins.first += 1;
      margins.second -= 1;
    }
    return margins;
  };
  auto [start, end] = content_margins(input.ContentStart, input.ContentEnd);
  int32_t length = axes.Length() - start - end;
  const bool rotated_images = input.HasImages && input.Rotate;
  const int32_t image_part =
      input.TabHasImage || rotated_images ? input.ImageTextDistance + 2 * input.ImageBorder + image_width : 0;
  bool compact = false;
  if (length - image_part < measurer.TextWidth(input.Caption)) {
    std::tie(start, end) = content_margins(input.CompactStart, input.CompactEnd);
    length = axes.Length() - start - end;
    compact = true;
  }
  const int32_t room = length - image_part;
  const TlxPCCaptionFit fit = measurer.FitCaption(input.Caption, room);
  int32_t caption_width = fit.Width;
  if (caption_width > room || fit.Text == "&...")
    caption_width = 0;
  const int32_t total = image_part + caption_width;
  if (total <= 0)
    return rects;
  int32_t position = start;
  if (!compact && !rotated_images)
    position += Align(input, length, total);
  if (input.TabHasImage) {
    const int32_t at = position + input.ImageBorder;
    rects.Image = axes.Place(image_across_span.Start, image_across_span.End, at, at + image_width);
  }
  if (image_part > 0)
    position += image_part;
  if (!compact && rotated_images)
    position += Align(input, axes.Length() - position - end, caption_width);
  rects.Caption = axes.Place(caption_across_span.Start, caption_across_span.End, position, position + caption_width);
  return rects;
}
