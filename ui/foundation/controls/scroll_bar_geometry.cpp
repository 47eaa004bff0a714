#include "ui/foundation/controls/scroll_bar_geometry.h"

#include <algorithm>

int32_t lxScrollMulDiv(int64_t a, int64_t b, int64_t c) {
  if (c == 0)
    return 0;
  const int64_t product = a * b;
  const bool negative = (product < 0) != (c < 0);
  const int64_t magnitude = ((product < 0 ? -product : product) + (c < 0 ? -c : c) / 2) / (c < 0 ? -c : c);
  return static_cast<int32_t>(std::clamp<int64_t>(negative ? -magnitude : magnitude, INT32_MIN, INT32_MAX));
}

int32_t lxClampScrollValue(int64_t value, int32_t low, int32_t high) {
  if (value > high)
    value = high;
  if (value < low)
    value = low;
  return static_cast<int32_t>(value);
}

TlxThumbSpan lxComputeThumbSpan(const TlxScrollRange& range, int32_t track, int32_t min_thumb, int32_t fixed_thumb) {
  const int64_t span = static_cast<int64_t>(range.Max) - range.Min;
  const int64_t done = static_cast<int64_t>(lxClampScrollValue(range.Position, range.Min, range.Max)) - range.Min;
  TlxThumbSpan thumb;
  if (track <= 0 || span < 0)
    return thumb;
  if (range.PageSize <= 0) {
    if (track < fixed_thumb || fixed_thumb <= 0)
      return thumb;
    thumb.Length = fixed_thumb;
    const int32_t room = track - fixed_thumb;
    thumb.Offset = (room <= 0 || span == 0) ? 0 : lxScrollMulDiv(room, done, span);
    return thumb;
  }
  if (track < min_thumb || span == 0)
    return thumb;
  thumb.Length = std::min<int32_t>(track, lxScrollMulDiv(range.PageSize, track, span + 1));
  thumb.Length = std::max(thumb.Length, min_thumb);
  // The part of the range the page does not cover; a page that covers it
  // all leaves nothing to move, and the thumb stays at the start.
  const int64_t movable = span + 1 - range.PageSize;
  const int32_t room = track - thumb.Length;
  if (movable > 0 && room > 0)
    thumb.Offset = lxScrollMulDiv(room, std::min(done, movable), movable);
  return thumb;
}

int32_t lxPositionFromThumb(const TlxScrollRange& range, int32_t track, int32_t thumb_offset, int32_t thumb_length) {
  int64_t scope = static_cast<int64_t>(range.Max) - range.Min;
  if (range.PageSize > 0)
    scope += 1 - static_cast<int64_t>(range.PageSize);
  const int32_t room = track - thumb_length;
  if (room <= 0 || scope <= 0)
    return range.Min;
  return lxClampScrollValue(static_cast<int64_t>(range.Min) + lxScrollMulDiv(scope, thumb_offset, room), range.Min,
                            range.Max);
}

int32_t lxDraggedThumbOffset(int32_t start_offset, int32_t mouse_delta, int32_t track, int32_t thumb_length) {
  const int64_t offset = static_cast<int64_t>(start_offset) + mouse_delta;
  return lxClampScrollValue(offset, 0, std::max(0, track - thumb_length));
}

bool lxInsideThumbTrackingZone(const TRect& client, const TPoint& point, bool horizontal, bool unlimited) {
  if (unlimited)
    return true;
  const TRect zone = horizontal ? client.Inflate(lxThumbTrackingMarginAlong, lxThumbTrackingMarginAcross)
                                : client.Inflate(lxThumbTrackingMarginAcross, lxThumbTrackingMarginAlong);
  return zone.Contains(point);
}
