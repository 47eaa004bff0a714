#pragma once
// Decimal digit strings for the number formatters: a value as
// 0.d1d2d3... x 10^exponent, the form in which rounding to a number of
// decimals or significant digits is done on decimal digits (as displayed)
// rather than on binary fractions.

#include <cstdint>
#include <string>
#include <string_view>

struct TDecimalDigits {
  bool negative = false;
  std::string digits;  // no leading or trailing zeros; empty for zero
  int exponent = 0;    // position of the decimal point before digits[0]
  bool IsZero() const { return digits.empty(); }
};

// The value rounded to `precision` significant digits (1..17).
TDecimalDigits DecimalDigitsOf(double value, int precision);
// An exact decimal from a scaled integer: value / 10^scale.
TDecimalDigits DecimalDigitsOfScaled(int64_t value, int scale);
// Rounds half away from zero so that at most `decimals` digits follow the
// decimal point (decimals may be negative: tens, hundreds...).
void RoundToDecimals(TDecimalDigits& number, int decimals);
void RoundToSignificant(TDecimalDigits& number, int digits);
// The digit at a position counted from the decimal point: 0 is the units,
// 1 the tens, -1 the tenths.
char DigitAt(const TDecimalDigits& number, int position);

// Reads blanks, a sign, digits with `decimal_separator` and an optional
// exponent, blanks (nothing else); the digits stay exact. Exponents are
// clamped far beyond any double, so that the value cannot overflow an int.
bool ParseDecimalText(std::string_view text, char decimal_separator, TDecimalDigits& out);

// Appends the integer part with optional grouping by threes.
void AppendIntegerPart(std::string& out, const TDecimalDigits& number, int min_digits, char thousand_separator);
