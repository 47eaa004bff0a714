#pragma once
// The decimal number of the FMTBcd variant type: up to 64 decimal digits as
// packed nibbles, with a precision byte and a sign-and-scale byte (34 bytes,
// the stored layout of the record storage).

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/rtl/currency.h"
#include "platform/rtl/format_settings.h"

struct TBcd {
  uint8_t Precision = 1;          // digits in Fraction, 1..64
  uint8_t SignSpecialPlaces = 0;  // bit 7 negative, bit 6 special, bits 0..5 the scale
  uint8_t Fraction[32] = {};      // digits, high nibble first

  static constexpr int kMaxDigits = 64;
  bool IsNegative() const { return (SignSpecialPlaces & 0x80) != 0; }
  int Scale() const { return SignSpecialPlaces & 0x3F; }
};
static_assert(sizeof(TBcd) == 34);

// Text in the settings' decimal separator; invalid text raises EConvertError
// "'x' is not a valid BCD value".
TBcd StrToBcd(std::string_view text);
TBcd StrToBcd(std::string_view text, const TFormatSettings& settings);
bool TryStrToBcd(std::string_view text, TBcd& out, const TFormatSettings& settings);
// General notation: no exponent, no trailing zeros.
std::string BcdToStr(const TBcd& value);
std::string BcdToStr(const TBcd& value, const TFormatSettings& settings);

TBcd IntegerToBcd(int64_t value);
TBcd CurrToBcd(Currency value);
// A double as it reads in 15 significant digits.
TBcd DoubleToBcd(double value);
double BcdToDouble(const TBcd& value);
// False when the value does not fit a currency (more than four decimals are
// rounded half to even).
bool BcdToCurr(const TBcd& value, Currency& out);
// Negative, zero or positive; exact.
int BcdCompare(const TBcd& a, const TBcd& b);
