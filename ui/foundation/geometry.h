#pragma once
// The point, size and rectangle records the component library lays out
// with. On Windows they are the toolkit's own records (which also convert to
// and from the system's POINT and RECT), so that layout code and painting
// code share one type; the portable build, which has no toolkit, gets the
// same records without the system conversions.

#if defined(_WIN32)

#include "platform/toolkit/types.h"

#else

#include <cstdint>

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;

  constexpr TPoint() = default;
  constexpr TPoint(int32_t x, int32_t y) : X(x), Y(y) {}
  constexpr bool operator==(const TPoint&) const = default;
};

struct TSize {
  int32_t cx = 0;
  int32_t cy = 0;
  constexpr bool operator==(const TSize&) const = default;
};

// Right and bottom are exclusive.
struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;

  constexpr TRect() = default;
  constexpr TRect(int32_t left, int32_t top, int32_t right, int32_t bottom)
      : Left(left), Top(top), Right(right), Bottom(bottom) {}
  constexpr bool operator==(const TRect&) const = default;

  constexpr int32_t Width() const { return Right - Left; }
  constexpr int32_t Height() const { return Bottom - Top; }
};

#endif
