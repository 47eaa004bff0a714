#include "platform/rtl/extended.h"

#include <bit>
#include <cmath>
#include <limits>

namespace {

constexpr int kDoubleBias = 1023;
constexpr int kExtendedBias = 16383;
constexpr uint64_t kIntegerBit = uint64_t{1} << 63;

TExtended80 Pack(bool negative, uint16_t exponent, uint64_t significand) {
  TExtended80 bytes{};
  for (int i = 0; i < 8; ++i)
    bytes[i] = static_cast<uint8_t>(significand >> (8 * i));
  const uint16_t sign_and_exponent = static_cast<uint16_t>((negative ? 0x8000 : 0) | (exponent & 0x7FFF));
  bytes[8] = static_cast<uint8_t>(sign_and_exponent);
  bytes[9] = static_cast<uint8_t>(sign_and_exponent >> 8);
  return bytes;
}

double Signed(bool negative, double magnitude) { return negative ? -magnitude : magnitude; }

}  // namespace

TExtended80 DoubleToExtended80(double value) {
  const uint64_t bits = std::bit_cast<uint64_t>(value);
  const bool negative = (bits >> 63) != 0;
  const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
  const uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);

  if (exponent == 0x7FF)  // infinity or NaN: all-ones exponent, integer bit set
    return Pack(negative, 0x7FFF, kIntegerBit | (fraction << 11));
  if (exponent == 0 && fraction == 0)
    return Pack(negative, 0, 0);
  if (exponent == 0) {
    // Subnormal double: normalise, the extended range holds it easily.
    const int shift = std::countl_zero(fraction) ;
    const uint64_t significand = fraction << shift;
    const int unbiased = -kDoubleBias + 1 - (shift - 11);
    return Pack(negative, static_cast<uint16_t>(unbiased + kExtendedBias), significand);
  }
  return Pack(negative, static_cast<uint16_t>(exponent - kDoubleBias + kExtendedBias),
              kIntegerBit | (fraction << 11));
}

double Extended80ToDouble(const TExtended80& bytes) {
  uint64_t significand = 0;
  for (int i = 0; i < 8; ++i)
    significand |= static_cast<uint64_t>(bytes[i]) << (8 * i);
  const uint16_t sign_and_exponent = static_cast<uint16_t>(bytes[8] | (bytes[9] << 8));
  const bool negative = (sign_and_exponent & 0x8000) != 0;
  const int exponent = sign_and_exponent & 0x7FFF;

  if (exponent == 0x7FFF) {
    if ((significand << 1) == 0)
      return Signed(negative, std::numeric_limits<double>::infinity());
    // Keep the top fraction bits as the NaN payload, and make sure it stays a NaN.
    const uint64_t payload = ((significand << 1) >> 12) | (uint64_t{1} << 51);
    return std::bit_cast<double>((negative ? kIntegerBit : 0) | (uint64_t{0x7FF} << 52) | payload);
  }
  if (significand == 0)
    return Signed(negative, 0.0);

  // value = significand * 2^(exponent - bias - 63); a zero exponent is the
  // denormal range with the same scale as exponent 1. Keep 53 bits with
  // round half to even, then let ldexp place it (exact unless the result
  // is subnormal, handled below).
  const int unbiased = (exponent == 0 ? 1 : exponent) - kExtendedBias - 63;
  const int leading = std::countl_zero(significand);
  significand <<= leading;
  int scale = unbiased - leading;  // value = significand * 2^scale, top bit set

  // Bits to drop: 11 normally, more when the result is a double subnormal.
  const int top_exponent = scale + 63;  // exponent of the leading bit
  int drop = 11;
  if (top_exponent < -1022)
    drop = std::min(64, 11 + (-1022 - top_exponent));
  uint64_t kept = drop >= 64 ? 0 : significand >> drop;
  const uint64_t dropped = drop >= 64 ? significand : significand & ((uint64_t{1} << drop) - 1);
  const uint64_t half = drop >= 64 ? 0 : (uint64_t{1} << (drop - 1));
  if (drop >= 64) {
    // Everything below the smallest subnormal: at most half of it.
    const bool above_half = drop == 64 && significand > kIntegerBit;
    kept = above_half ? 1 : 0;
  } else if (dropped > half || (dropped == half && (kept & 1) != 0)) {
    ++kept;
  }
  scale += drop;
  return Signed(negative, std::ldexp(static_cast<double>(kept), scale));
}
