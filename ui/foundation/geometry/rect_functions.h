#pragma once
// Pure layout functions on rectangles and sizes. Every function returns a new
// value and leaves its arguments alone, so layout code reads as a chain of
// small steps.

#include <cstdint>

#include "ui/foundation/geometry/geometry.h"

constexpr TRect lxMakeRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return TRect(left, top, right, bottom);
}

constexpr TRect lxMakeRectBySize(int32_t left, int32_t top, int32_t width, int32_t height) {
  return TRect(left, top, left + width, top + height);
}

constexpr int32_t lxRectGetWidth(const TRect& r) { return r.Right - r.Left; }
constexpr int32_t lxRectGetHeight(const TRect& r) { return r.Bottom - r.Top; }

constexpr bool lxRectHasNoArea(const TRect& r) { return r.Left >= r.Right || r.Top >= r.Bottom; }

constexpr bool lxRectEquals(const TRect& a, const TRect& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

constexpr TRect lxRectShifted(const TRect& r, int32_t dx, int32_t dy) {
  return TRect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy);
}

// Grows by dx on the left and on the right and by dy at the top and at the
// bottom; negative amounts shrink.
constexpr TRect lxRectExpand(const TRect& r, int32_t dx, int32_t dy) {
  return TRect(r.Left - dx, r.Top - dy, r.Right + dx, r.Bottom + dy);
}

constexpr TRect lxRectExpandSides(const TRect& r, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return TRect(r.Left - left, r.Top - top, r.Right + right, r.Bottom + bottom);
}

// The rectangle inside margins; each side of `margins` is the width of that
// margin.
constexpr TRect lxRectContent(const TRect& r, const TRect& margins) {
  return TRect(r.Left + margins.Left, r.Top + margins.Top, r.Right - margins.Right, r.Bottom - margins.Bottom);
}

constexpr TRect lxRectWithWidth(const TRect& r, int32_t width) {
  return TRect(r.Left, r.Top, r.Left + width, r.Bottom);
}

constexpr TRect lxRectWithHeight(const TRect& r, int32_t height) {
  return TRect(r.Left, r.Top, r.Right, r.Top + height);
}

constexpr TRect lxRectMovedToLeft(const TRect& r, int32_t left) {
  return TRect(left, r.Top, left + lxRectGetWidth(r), r.Bottom);
}

constexpr TRect lxRectMovedToLeftWithWidth(const TRect& r, int32_t left, int32_t width) {
  return TRect(left, r.Top, left + width, r.Bottom);
}

constexpr TRect lxRectAlignedToRight(const TRect& r, int32_t right, int32_t width) {
  return TRect(right - width, r.Top, right, r.Bottom);
}

// A width x height rectangle centred in `r`. The halving truncates toward
// zero, so a box one pixel larger than `r` keeps r's left and top.
constexpr TRect lxRectCenteredWH(const TRect& r, int32_t width, int32_t height) {
  const int32_t left = (r.Left + r.Right - width) / 2;
  const int32_t top = (r.Top + r.Bottom - height) / 2;
  return TRect(left, top, left + width, top + height);
}

constexpr TRect lxRectCentered(const TRect& r, const TSize& size) { return lxRectCenteredWH(r, size.cx, size.cy); }

constexpr TSize lxGeomSize(int32_t width, int32_t height) { return TSize{width, height}; }
