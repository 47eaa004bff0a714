#pragma once
// Points, sizes and rectangles (right and bottom exclusive), shared by the
// layout code of both builds and by the toolkit's painting. They convert to
// and from the system's records (POINT, RECT) by their member names, so
// this header needs no system header.

#include <algorithm>
#include <cstdint>

template <typename SystemPoint>
concept SystemPointRecord = requires(SystemPoint point) {
  point.x = 0;
  point.y = 0;
};

template <typename SystemRect>
concept SystemRectRecord = requires(SystemRect rect) {
  rect.left = 0;
  rect.top = 0;
  rect.right = 0;
  rect.bottom = 0;
};

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;

  constexpr TPoint() = default;
  constexpr TPoint(int32_t x, int32_t y) : X(x), Y(y) {}
  template <SystemPointRecord SystemPoint>
  constexpr TPoint(const SystemPoint& point) : X(static_cast<int32_t>(point.x)), Y(static_cast<int32_t>(point.y)) {}
  template <SystemPointRecord SystemPoint>
  constexpr operator SystemPoint() const {
    SystemPoint point{};
    point.x = X;
    point.y = Y;
    return point;
  }
  constexpr bool operator==(const TPoint&) const = default;
  constexpr TPoint operator+(const TPoint& other) const { return {X + other.X, Y + other.Y}; }
  constexpr TPoint operator-(const TPoint& other) const { return {X - other.X, Y - other.Y}; }
};

struct TSize {
  int32_t cx = 0;
  int32_t cy = 0;
  constexpr bool operator==(const TSize&) const = default;
};

struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;

  constexpr TRect() = default;
  constexpr TRect(int32_t left, int32_t top, int32_t right, int32_t bottom)
      : Left(left), Top(top), Right(right), Bottom(bottom) {}
  template <SystemRectRecord SystemRect>
  constexpr TRect(const SystemRect& rect)
      : Left(static_cast<int32_t>(rect.left)),
        Top(static_cast<int32_t>(rect.top)),
        Right(static_cast<int32_t>(rect.right)),
        Bottom(static_cast<int32_t>(rect.bottom)) {}
  template <SystemRectRecord SystemRect>
  constexpr operator SystemRect() const {
    SystemRect rect{};
    rect.left = Left;
    rect.top = Top;
    rect.right = Right;
    rect.bottom = Bottom;
    return rect;
  }
  constexpr bool operator==(const TRect&) const = default;

  constexpr int32_t Width() const { return Right - Left; }
  constexpr int32_t Height() const { return Bottom - Top; }
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  constexpr TPoint TopLeft() const { return {Left, Top}; }
  constexpr TPoint BottomRight() const { return {Right, Bottom}; }
  constexpr bool Contains(const TPoint& point) const {
    return point.X >= Left && point.X < Right && point.Y >= Top && point.Y < Bottom;
  }
  constexpr TRect Offset(int32_t dx, int32_t dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
  constexpr TRect Inflate(int32_t dx, int32_t dy) const { return {Left - dx, Top - dy, Right + dx, Bottom + dy}; }
  // The common part; an empty rectangle at the origin when there is none.
  constexpr TRect Intersect(const TRect& other) const {
    TRect result(std::max(Left, other.Left), std::max(Top, other.Top), std::min(Right, other.Right),
                 std::min(Bottom, other.Bottom));
    return result.IsEmpty() ? TRect() : result;
  }
};

constexpr TRect Rect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return {left, top, right, bottom};
}
constexpr TRect Bounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  return {left, top, left + width, top + height};
}
constexpr TPoint Point(int32_t x, int32_t y) { return {x, y}; }
