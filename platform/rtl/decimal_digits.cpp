#include "platform/rtl/decimal_digits.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

void Trim(TDecimalDigits& number) {
  const size_t last = number.digits.find_last_not_of('0');
  if (last == std::string::npos) {
    number.digits.clear();
    number.exponent = 0;
    return;
  }
  number.digits.resize(last + 1);
  const size_t first = number.digits.find_first_not_of('0');
  number.digits.erase(0, first);
  number.exponent -= static_cast<int>(first);
}

}  // namespace

TDecimalDigits DecimalDigitsOf(double value, int precision) {
  TDecimalDigits number;
  number.negative = std::signbit(value);
  if (value == 0 || !std::isfinite(value))
    return number;
  if (precision < 1)
    precision = 1;
  if (precision > 17)
    precision = 17;
  // Scientific output of the exact binary value rounded to `precision`
  // digits: d.ddddde[+-]xx.
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific, precision - 1);
  const std::string_view text(buffer, static_cast<size_t>(result.ptr - buffer));
  const size_t e = text.find('e');
  for (const char c : text.substr(0, e))
    if (c != '.')
      number.digits.push_back(c);
  int exponent = 0;
  std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(), exponent);
  number.exponent = exponent + 1;
  Trim(number);
  return number;
}

TDecimalDigits DecimalDigitsOfScaled(int64_t value, int scale) {
  TDecimalDigits number;
  number.negative = value < 0;
  // Magnitude without overflow for the most negative value.
  const uint64_t magnitude = value < 0 ? uint64_t{0} - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  number.digits = std::to_string(magnitude);
  number.exponent = static_cast<int>(number.digits.size()) - scale;
  Trim(number);
  return number;
}

void RoundToSignificant(TDecimalDigits& number, int digits) {
  RoundToDecimals(number, digits - number.exponent);
}

void RoundToDecimals(TDecimalDigits& number, int decimals) {
  if (number.IsZero())
    return;
  const int keep = number.exponent + decimals;  // digits kept
  if (keep >= static_cast<int>(number.digits.size()))
    return;
  if (keep < 0) {
    number.digits.clear();
    number.exponent = 0;
    return;
  }
  const bool round_up = number.digits[static_cast<size_t>(keep)] >= '5';
  number.digits.resize(static_cast<size_t>(keep));
  if (round_up) {
    int i = keep - 1;
    while (i >= 0 && number.digits[static_cast<size_t>(i)] == '9') {
      number.digits[static_cast<size_t>(i)] = '0';
      --i;
    }
    if (i < 0) {
      number.digits.insert(number.digits.begin(), '1');
      ++number.exponent;
    } else {
      ++number.digits[static_cast<size_t>(i)];
    }
  }
  Trim(number);
}

char DigitAt(const TDecimalDigits& number, int position) {
  const int index = number.exponent - 1 - position;
  if (index < 0 || index >= static_cast<int>(number.digits.size()))
    return '0';
  return number.digits[static_cast<size_t>(index)];
}

void AppendIntegerPart(std::string& out, const TDecimalDigits& number, int min_digits, char thousand_separator) {
  const int count = std::max(number.IsZero() ? 0 : number.exponent, min_digits);
  for (int position = count - 1; position >= 0; --position) {
    out.push_back(DigitAt(number, position));
    if (thousand_separator != 0 && position > 0 && position % 3 == 0)
      out.push_back(thousand_separator);
  }
}

namespace {

constexpr int64_t kExponentLimit = 100000;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

bool ParseDecimalText(std::string_view text, char decimal_separator, TDecimalDigits& out) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  TDecimalDigits number;
  size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    number.negative = text[i] == '-';
    ++i;
  }
  bool any_digit = false;
  bool seen_point = false;
  int64_t integer_digits = 0;  // significant digits before the point, or minus leading fraction zeros
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      any_digit = true;
      const bool leading_zero = number.digits.empty() && c == '0';
      if (!leading_zero && number.digits.size() < 1000)
        number.digits.push_back(c);
      if (!seen_point && !leading_zero)
        ++integer_digits;
      if (seen_point && leading_zero)
        --integer_digits;
    } else if (c == decimal_separator && !seen_point) {
      seen_point = true;
    } else {
      break;
    }
  }
  if (!any_digit)
    return false;
  int64_t exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool exponent_negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
      exponent_negative = text[i] == '-';
      ++i;
    }
    if (i >= text.size() || text[i] < '0' || text[i] > '9')
      return false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
      exponent = std::min(exponent * 10 + (text[i] - '0'), kExponentLimit);
    if (exponent_negative)
      exponent = -exponent;
  }
  if (i != text.size())
    return false;
  number.exponent = static_cast<int>(std::clamp(integer_digits + exponent, -kExponentLimit * 2, kExponentLimit * 2));
  Trim(number);
  out = std::move(number);
  return true;
}
