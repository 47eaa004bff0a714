#include "platform/rtl/fmt_bcd.h"

#include <algorithm>
#include <cmath>

#include "platform/rtl/decimal_digits.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include "platform/rtl/locale.h"

namespace {

int NibbleAt(const TBcd& value, int index) {
  const uint8_t byte = value.Fraction[index / 2];
  return index % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

TDecimalDigits ToDecimal(const TBcd& value) {
  TDecimalDigits number;
  const int precision = std::clamp<int>(value.Precision, 0, TBcd::kMaxDigits);
  for (int i = 0; i < precision; ++i)
    number.digits.push_back(static_cast<char>('0' + std::min(NibbleAt(value, i), 9)));
  number.exponent = precision - value.Scale();
  number.negative = value.IsNegative();
  // Drop the zeros at both ends, as every TDecimalDigits has them dropped.
  const size_t first = number.digits.find_first_not_of('0');
  if (first == std::string::npos)
    return TDecimalDigits{};
  number.digits.erase(0, first);
  number.exponent -= static_cast<int>(first);
  number.digits.erase(number.digits.find_last_not_of('0') + 1);
  return number;
}

// False when the integer part alone has more than 64 digits; extra
// decimals are rounded away.
bool FromDecimal(TDecimalDigits number, TBcd& out) {
  if (number.IsZero()) {
    out = TBcd{};
    return true;
  }
  int integer_digits = std::max(number.exponent, 0);
  if (integer_digits > TBcd::kMaxDigits)
    return false;
  int scale = std::max(0, static_cast<int>(number.digits.size()) - number.exponent);
  if (integer_digits + scale > TBcd::kMaxDigits) {
    RoundToDecimals(number, TBcd::kMaxDigits - integer_digits);
    integer_digits = std::max(number.exponent, 0);
    if (integer_digits > TBcd::kMaxDigits)
      return false;
    scale = std::max(0, static_cast<int>(number.digits.size()) - number.exponent);
  }
  out = TBcd{};
  const int precision = std::max(integer_digits + scale, 1);
  out.Precision = static_cast<uint8_t>(precision);
  out.SignSpecialPlaces = static_cast<uint8_t>((number.negative && !number.IsZero() ? 0x80 : 0) | scale);
  for (int i = 0; i < precision; ++i) {
    const int digit = DigitAt(number, integer_digits - 1 - i) - '0';
    out.Fraction[i / 2] |= static_cast<uint8_t>(i % 2 == 0 ? digit << 4 : digit);
  }
  return true;
}

int CompareMagnitude(const TDecimalDigits& a, const TDecimalDigits& b) {
  if (a.exponent != b.exponent)
    return a.exponent < b.exponent ? -1 : 1;
  const int raw = a.digits.compare(b.digits);
  return (raw > 0) - (raw < 0);
}

}  // namespace

bool TryStrToBcd(std::string_view text, TBcd& out, const TFormatSettings& settings) {
  TDecimalDigits number;
  return ParseDecimalText(text, settings.DecimalSeparator, number) && FromDecimal(std::move(number), out);
}

TBcd StrToBcd(std::string_view text, const TFormatSettings& settings) {
  TBcd out;
  if (!TryStrToBcd(text, out, settings))
    throw EConvertError("'" + std::string(text) + "' is not a valid BCD value");
  return out;
}

TBcd StrToBcd(std::string_view text) { return StrToBcd(text, UserLocale().Settings()); }

std::string BcdToStr(const TBcd& value, const TFormatSettings& settings) {
  const TDecimalDigits number = ToDecimal(value);
  if (number.IsZero())
    return "0";
  std::string out = number.negative ? "-" : "";
  AppendIntegerPart(out, number, 1, 0);
  const int decimals = static_cast<int>(number.digits.size()) - number.exponent;
  if (decimals > 0) {
    out.push_back(settings.DecimalSeparator);
    for (int position = -1; position >= -decimals; --position)
      out.push_back(DigitAt(number, position));
  }
  return out;
}

std::string BcdToStr(const TBcd& value) { return BcdToStr(value, UserLocale().Settings()); }

TBcd IntegerToBcd(int64_t value) {
  TBcd out;
  FromDecimal(DecimalDigitsOfScaled(value, 0), out);
  return out;
}

TBcd CurrToBcd(Currency value) {
  TBcd out;
  FromDecimal(DecimalDigitsOfScaled(value.Raw(), 4), out);
  return out;
}

TBcd DoubleToBcd(double value) {
  if (!std::isfinite(value))
    throw EConvertError("'" + FloatToStr(value, EnglishFormatSettings()) + "' is not a valid BCD value");
  TBcd out;
  if (!FromDecimal(DecimalDigitsOf(value, 15), out))  // beyond 10^64
    throw EConvertError("'" + FloatToStr(value, EnglishFormatSettings()) + "' is not a valid BCD value");
  return out;
}

double BcdToDouble(const TBcd& value) {
  return StrToFloat(BcdToStr(value, EnglishFormatSettings()), EnglishFormatSettings());
}

bool BcdToCurr(const TBcd& value, Currency& out) {
  return TryStrToCurr(BcdToStr(value, EnglishFormatSettings()), out, EnglishFormatSettings());
}

int BcdCompare(const TBcd& a, const TBcd& b) {
  const TDecimalDigits left = ToDecimal(a);
  const TDecimalDigits right = ToDecimal(b);
  const int left_sign = left.IsZero() ? 0 : (left.negative ? -1 : 1);
  const int right_sign = right.IsZero() ? 0 : (right.negative ? -1 : 1);
  if (left_sign != right_sign || left_sign == 0)
    return left_sign < right_sign ? -1 : (left_sign > right_sign ? 1 : 0);
  const int magnitude = CompareMagnitude(left, right);
  return left_sign > 0 ? magnitude : -magnitude;
}
