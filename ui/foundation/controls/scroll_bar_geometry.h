#pragma once
// The arithmetic of a painter-drawn scroll bar, apart from any window: where
// the thumb sits for a range, which position a dragged thumb stands for, and
// how far from the bar a thumb drag still counts. Lengths run along the
// bar; the track is the space between the two arrow buttons.

#include <cstdint>

#include "platform/rtl/geometry.h"

struct TlxScrollRange {
  int32_t Min = 0;
  int32_t Max = 100;
  int32_t PageSize = 0;
  int32_t Position = 0;
};

// The thumb along the track: its offset from the track start and its
// length. A length of 0 means there is no thumb.
struct TlxThumbSpan {
  int32_t Offset = 0;
  int32_t Length = 0;
  bool Exists() const { return Length > 0; }
  bool operator==(const TlxThumbSpan&) const = default;
};

// a * b / c rounded to the nearest integer with a 64-bit intermediate; 0
// when c is 0 (the callers treat an empty divisor as "no room").
int32_t lxScrollMulDiv(int64_t a, int64_t b, int64_t c);

// The thumb of a bar whose track is `track` pixels long. With PageSize 0
// the thumb has the system's fixed length `fixed_thumb`; with a page it is
// proportional to it and at least `min_thumb` long. A range the page fills
// (or overfills) keeps the thumb at the track start, never before it.
TlxThumbSpan lxComputeThumbSpan(const TlxScrollRange& range, int32_t track, int32_t min_thumb, int32_t fixed_thumb);

// The position a thumb at `thumb_offset` stands for; Min when the thumb
// fills the track. Always within Min..Max.
int32_t lxPositionFromThumb(const TlxScrollRange& range, int32_t track, int32_t thumb_offset, int32_t thumb_length);

// The offset a dragged thumb takes: where it was plus the mouse's way along
// the bar, kept inside the track.
int32_t lxDraggedThumbOffset(int32_t start_offset, int32_t mouse_delta, int32_t track, int32_t thumb_length);

// Whether a point still drives a thumb drag: the client rectangle grown by
// 34 pixels along the bar and 136 across it (everywhere when unlimited).
bool lxInsideThumbTrackingZone(const TRect& client, const TPoint& point, bool horizontal, bool unlimited);

constexpr int32_t lxThumbTrackingMarginAlong = 34;
constexpr int32_t lxThumbTrackingMarginAcross = 136;

// A value kept within low..high (low wins when high is below it).
int32_t lxClampScrollValue(int64_t value, int32_t low, int32_t high);
