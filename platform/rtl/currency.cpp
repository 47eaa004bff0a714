#include "platform/rtl/currency.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"

namespace {

__extension__ typedef __int128 Int128;

[[noreturn]] void ThrowOverflow() { throw EOverflow("Floating point overflow"); }

int64_t Checked(Int128 value) {
  if (value > std::numeric_limits<int64_t>::max() || value < std::numeric_limits<int64_t>::min())
    ThrowOverflow();
  return static_cast<int64_t>(value);
}

// numerator / denominator rounded half to even (denominator > 0).
Int128 DivideRoundingHalfEven(Int128 numerator, Int128 denominator) {
  Int128 quotient = numerator / denominator;
  Int128 remainder = numerator % denominator;
  if (remainder < 0)
    remainder = -remainder;
  const Int128 twice = remainder * 2;
  const bool round_away = twice > denominator || (twice == denominator && (quotient % 2 != 0));
  if (round_away)
    quotient += numerator < 0 ? -1 : 1;
  return quotient;
}

}  // namespace

Currency Currency::FromInt64(int64_t value) { return Currency(Checked(static_cast<Int128>(value) * kScale)); }

Currency Currency::FromDouble(double value) {
  // Rounded as the value reads in 15 significant digits, so that 0.00015
  // (in binary a hair below) is the half that rounds to even 0.0002.
  if (!std::isfinite(value))
    ThrowOverflow();
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
  Currency out;
  if (!TryStrToCurr(std::string_view(buffer, static_cast<size_t>(result.ptr - buffer)), out,
                    EnglishFormatSettings()))
    ThrowOverflow();
  return out;
}

int64_t Currency::RoundToInt64() const { return static_cast<int64_t>(DivideRoundingHalfEven(raw_, kScale)); }

Currency Currency::operator-() const { return Currency(Checked(-static_cast<Int128>(raw_))); }

Currency operator+(Currency a, Currency b) { return Currency(Checked(static_cast<Int128>(a.raw_) + b.raw_)); }

Currency operator-(Currency a, Currency b) { return Currency(Checked(static_cast<Int128>(a.raw_) - b.raw_)); }

Currency operator*(Currency a, Currency b) {
  return Currency(Checked(DivideRoundingHalfEven(static_cast<Int128>(a.raw_) * b.raw_, Currency::kScale)));
}

Currency operator/(Currency a, Currency b) {
  if (b.raw_ == 0)
    throw EZeroDivide("Floating point division by zero");
  Int128 numerator = static_cast<Int128>(a.raw_) * Currency::kScale;
  Int128 denominator = b.raw_;
  if (denominator < 0) {
    numerator = -numerator;
    denominator = -denominator;
  }
  return Currency(Checked(DivideRoundingHalfEven(numerator, denominator)));
}
