#pragma once
// The 80-bit x87 extended value of stored formats (10 bytes, little-endian:
// 64-bit significand with an explicit integer bit, then 15-bit exponent and
// sign), encoded and decoded by hand so that the bytes are the same in
// every build and never depend on the compiler's long double.

#include <array>
#include <cstdint>

using TExtended80 = std::array<uint8_t, 10>;

// Exact: every double has an extended value.
TExtended80 DoubleToExtended80(double value);
// Rounds half to even to the nearest double; too large becomes infinity,
// too small a subnormal or zero; NaNs stay NaNs with their sign.
double Extended80ToDouble(const TExtended80& bytes);
