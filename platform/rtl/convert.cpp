// Text to number and back: integers, floating point, currency, Booleans.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

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

// The parts of a decimal number text: sign, significant digits without
// leading zeros, and the power of ten of the last digit.
struct DecimalText {
  bool negative = false;
  std::string digits;
  int64_t exponent = 0;  // value = digits * 10^exponent
};

constexpr int64_t kExponentLimit = 100000;

bool ParseDecimal(std::string_view text, char decimal_separator, DecimalText& out) {
  text = Trim(text);
  size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    out.negative = text[i] == '-';
    ++i;
  }
  bool any_digit = false;
  bool seen_point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      any_digit = true;
      if (!(out.digits.empty() && c == '0'))
        out.digits.push_back(c);
      if (seen_point)
        --out.exponent;
    } else if (c == decimal_separator && !seen_point) {
      seen_point = true;
    } else {
      break;
    }
  }
  if (!any_digit)
    return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool exponent_negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
      exponent_negative = text[i] == '-';
      ++i;
    }
    if (i >= text.size())
      return false;
    int64_t exponent = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
      exponent = std::min(exponent * 10 + (text[i] - '0'), kExponentLimit);
    out.exponent += exponent_negative ? -exponent : exponent;
  }
  return i == text.size();
}

bool DecimalToDouble(const DecimalText& decimal, double& out) {
  if (decimal.digits.empty()) {
    out = decimal.negative ? -0.0 : 0.0;
    return true;
  }
  // Magnitude: the number has digits.size() + exponent integer digits.
  const int64_t magnitude = static_cast<int64_t>(decimal.digits.size()) + decimal.exponent;
  if (magnitude > 310)
    return false;
  if (magnitude < -330) {
    out = decimal.negative ? -0.0 : 0.0;
    return true;
  }
  const std::string text = decimal.digits + "e" + std::to_string(decimal.exponent);
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    if (magnitude > 0)
      return false;
    value = 0;  // below the smallest subnormal
  } else if (result.ec != std::errc()) {
    return false;
  }
  out = decimal.negative ? -value : value;
  return true;
}

// Exact decimal to currency, rounding half to even at the fourth decimal.
bool DecimalToCurrency(const DecimalText& decimal, Currency& out) {
  const int64_t shift = decimal.exponent + 4;  // power of ten applied to the digits
  if (decimal.digits.empty()) {
    out = Currency();
    return true;
  }
  if (static_cast<int64_t>(decimal.digits.size()) + shift > 19)
    return false;
  Int128 value = 0;
  const int64_t kept = static_cast<int64_t>(decimal.digits.size()) + std::min<int64_t>(shift, 0);
  for (int64_t i = 0; i < kept; ++i)
    value = value * 10 + (decimal.digits[static_cast<size_t>(i)] - '0');
  for (int64_t i = 0; i < shift; ++i)
    value *= 10;
  if (kept >= 0 && kept < static_cast<int64_t>(decimal.digits.size())) {
    const std::string_view rest = std::string_view(decimal.digits).substr(static_cast<size_t>(kept));
    const bool above_half = rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string_view::npos);
    const bool exactly_half = rest[0] == '5' && !above_half;
    if (above_half || (exactly_half && value % 2 != 0))
      ++value;
  }
  if (decimal.negative)
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
  DecimalText decimal;
  return ParseDecimal(text, settings.DecimalSeparator, decimal) && DecimalToDouble(decimal, out);
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
  DecimalText decimal;
  return ParseDecimal(text, settings.DecimalSeparator, decimal) && DecimalToCurrency(decimal, out);
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
