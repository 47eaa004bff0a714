// Text to number and back: integers, floating point, currency, Booleans.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "platform/rtl/decimal_digits.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/text.h"

namespace {

__extension__ typedef __int128 Int128;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  return text;
}

std::string_view Trim(std::string_view text) {
  text = TrimLeft(text);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

// Leading blanks, a sign, then decimal digits or "$"/"0x" hex digits. Hex
// may use the whole width (the bit pattern, so "$FFFFFFFF" is -1 as a
// 32-bit value); decimal must fit the signed range.
bool ParseInteger(std::string_view text, int bits, int64_t& out) {
  text = TrimLeft(text);
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  bool hex = false;
  if (!text.empty() && text[0] == '$') {
    hex = true;
    text.remove_prefix(1);
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    hex = true;
    text.remove_prefix(2);
  }
  if (text.empty())
    return false;
  const uint64_t unsigned_limit = bits == 64 ? std::numeric_limits<uint64_t>::max() : 0xFFFFFFFFull;
  const uint64_t signed_limit = bits == 64 ? uint64_t{1} << 63 : uint64_t{1} << 31;
  uint64_t magnitude = 0;
  for (const char c : text) {
    const int digit = hex ? HexValue(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
    if (digit < 0)
      return false;
    const unsigned base = hex ? 16 : 10;
    if (magnitude > (unsigned_limit - static_cast<unsigned>(digit)) / base)
      return false;
    magnitude = magnitude * base + static_cast<unsigned>(digit);
  }
  if (hex) {
    // The digits are a bit pattern of the target width.
    const int64_t value = bits == 64 ? static_cast<int64_t>(magnitude)
                                     : static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(magnitude)));
    out = negative ? static_cast<int64_t>(uint64_t{0} - static_cast<uint64_t>(value)) : value;
    if (bits == 32)
      out = static_cast<int32_t>(static_cast<uint32_t>(out));
    return true;
  }
  if (magnitude > signed_limit - (negative ? 0 : 1))
    return false;
  out = negative ? static_cast<int64_t>(uint64_t{0} - magnitude) : static_cast<int64_t>(magnitude);
  return true;
}

// Parsing gives 0.digits x 10^exponent; these helpers name the other view,
// digits x 10^power, in which the last digit has the power `power`.
int64_t PowerOfLastDigit(const TDecimalDigits& number) {
  return static_cast<int64_t>(number.exponent) - static_cast<int64_t>(number.digits.size());
}

bool DecimalToDouble(const TDecimalDigits& number, double& out) {
  if (number.IsZero()) {
    out = number.negative ? -0.0 : 0.0;
    return true;
  }
  if (number.exponent > 310)
    return false;
  if (number.exponent < -330) {
    out = number.negative ? -0.0 : 0.0;
    return true;
  }
  const std::string text = number.digits + "e" + std::to_string(PowerOfLastDigit(number));
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    if (number.exponent > 0)
      return false;
    value = 0;  // below the smallest subnormal
  } else if (result.ec != std::errc()) {
    return false;
  }
  out = number.negative ? -value : value;
  return true;
}

// Exact decimal to currency, rounding half to even at the fourth decimal.
bool DecimalToCurrency(const TDecimalDigits& number, Currency& out) {
  if (number.IsZero()) {
    out = Currency();
    return true;
  }
  if (number.exponent + 4 > 19)
    return false;
  const int64_t shift = PowerOfLastDigit(number) + 4;  // power of ten applied to the digits
  const int64_t size = static_cast<int64_t>(number.digits.size());
  const int64_t kept = size + std::min<int64_t>(shift, 0);
  Int128 value = 0;
  for (int64_t i = 0; i < kept; ++i)
    value = value * 10 + (number.digits[static_cast<size_t>(i)] - '0');
  for (int64_t i = 0; i < shift; ++i)
    value *= 10;
  if (kept >= 0 && kept < size) {
    const std::string_view rest = std::string_view(number.digits).substr(static_cast<size_t>(kept));
    const bool above_half = rest[0] > '5' || (rest[0] == '5' && rest.size() > 1);
    const bool exactly_half = rest[0] == '5' && rest.size() == 1;
    if (above_half || (exactly_half && value % 2 != 0))
      ++value;
  }
  if (number.negative)
    value = -value;
  if (value > std::numeric_limits<int64_t>::max() || value < std::numeric_limits<int64_t>::min())
    return false;
  out = Currency::FromRaw(static_cast<int64_t>(value));
  return true;
}

const TFormatSettings& UserSettings() { return UserLocale().Settings(); }

}  // namespace

std::string IntToStr(int64_t value) { return std::to_string(value); }

std::string IntToHex(uint64_t value, int digits) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  do {
    out.insert(out.begin(), kHex[value & 15]);
    value >>= 4;
  } while (value != 0);
  if (digits > static_cast<int>(out.size()))
    out.insert(0, static_cast<size_t>(std::min(digits, 64)) - out.size(), '0');
  return out;
}

bool TryStrToInt(std::string_view text, int32_t& out) {
  int64_t value = 0;
  if (!ParseInteger(text, 32, value))
    return false;
  out = static_cast<int32_t>(value);
  return true;
}

int32_t StrToInt(std::string_view text) {
  int32_t value = 0;
  if (!TryStrToInt(text, value))
    throw EConvertError::InvalidInteger(text);
  return value;
}

int32_t StrToIntDef(std::string_view text, int32_t fallback) {
  int32_t value = 0;
  return TryStrToInt(text, value) ? value : fallback;
}

bool TryStrToInt64(std::string_view text, int64_t& out) { return ParseInteger(text, 64, out); }

int64_t StrToInt64(std::string_view text) {
  int64_t value = 0;
  if (!TryStrToInt64(text, value))
    throw EConvertError::InvalidInteger(text);
  return value;
}

int64_t StrToInt64Def(std::string_view text, int64_t fallback) {
  int64_t value = 0;
  return TryStrToInt64(text, value) ? value : fallback;
}

bool TryStrToFloat(std::string_view text, double& out, const TFormatSettings& settings) {
  TDecimalDigits number;
  return ParseDecimalText(text, settings.DecimalSeparator, number) && DecimalToDouble(number, out);
}

bool TryStrToFloat(std::string_view text, double& out) { return TryStrToFloat(text, out, UserSettings()); }

double StrToFloat(std::string_view text, const TFormatSettings& settings) {
  double value = 0;
  if (!TryStrToFloat(text, value, settings))
    throw EConvertError::InvalidFloat(text);
  return value;
}

double StrToFloat(std::string_view text) { return StrToFloat(text, UserSettings()); }

double StrToFloatDef(std::string_view text, double fallback) {
  double value = 0;
  return TryStrToFloat(text, value) ? value : fallback;
}

bool TryStrToCurr(std::string_view text, Currency& out, const TFormatSettings& settings) {
  TDecimalDigits number;
  return ParseDecimalText(text, settings.DecimalSeparator, number) && DecimalToCurrency(number, out);
}

bool TryStrToCurr(std::string_view text, Currency& out) { return TryStrToCurr(text, out, UserSettings()); }

Currency StrToCurr(std::string_view text, const TFormatSettings& settings) {
  Currency value;
  if (!TryStrToCurr(text, value, settings))
    throw EConvertError::InvalidFloat(text);
  return value;
}

Currency StrToCurr(std::string_view text) { return StrToCurr(text, UserSettings()); }

std::string BoolToStr(bool value, bool use_words) {
  if (use_words)
    return value ? "True" : "False";
  return value ? "-1" : "0";
}

bool TryStrToBool(std::string_view text, bool& out) {
  const std::string_view trimmed = Trim(text);
  if (SameText(trimmed, "True")) {
    out = true;
    return true;
  }
  if (SameText(trimmed, "False")) {
    out = false;
    return true;
  }
  double number = 0;
  if (!TryStrToFloat(trimmed, number))
    return false;
  out = number != 0;
  return true;
}

bool StrToBool(std::string_view text) {
  bool value = false;
  if (!TryStrToBool(text, value))
    throw EConvertError::InvalidBoolean(text);
  return value;
}
