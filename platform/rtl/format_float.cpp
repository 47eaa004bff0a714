// Floating-point and currency texts: the general, exponent, fixed, number
// and currency forms, and the custom number formats of FormatFloat.

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/rtl/decimal_digits.h"
#include "platform/rtl/format.h"
#include "platform/rtl/locale.h"

namespace {

// Doubles show 15 significant digits, so that 0.1 + 0.2 reads "0.3".
constexpr int kDoublePrecision = 15;
constexpr int kCurrencyPrecision = 19;

std::string SpecialText(double value) {
  if (std::isnan(value))
    return "NAN";
  return value < 0 ? "-INF" : "INF";
}

void AppendExponent(std::string& out, int exponent, bool always_sign, int min_digits) {
  if (exponent < 0)
    out.push_back('-');
  else if (always_sign)
    out.push_back('+');
  std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
  if (static_cast<int>(digits.size()) < min_digits)
    digits.insert(0, static_cast<size_t>(min_digits) - digits.size(), '0');
  out += digits;
}

void AppendFraction(std::string& out, const TDecimalDigits& number, int decimals, char decimal_separator) {
  if (decimals <= 0)
    return;
  out.push_back(decimal_separator);
  for (int position = -1; position >= -decimals; --position)
    out.push_back(DigitAt(number, position));
}

std::string General(TDecimalDigits number, int precision, int exponent_digits, const TFormatSettings& settings) {
  RoundToSignificant(number, precision);
  if (number.IsZero())
    return "0";
  std::string out = number.negative ? "-" : "";
  const int digit_count = static_cast<int>(number.digits.size());
  if (number.exponent > precision || number.exponent < -3) {
    out.push_back(number.digits[0]);
    if (digit_count > 1) {
      out.push_back(settings.DecimalSeparator);
      out.append(number.digits, 1);
    }
    out.push_back('E');
    AppendExponent(out, number.exponent - 1, false, exponent_digits);
    return out;
  }
  AppendIntegerPart(out, number, 1, 0);
  AppendFraction(out, number, digit_count - number.exponent, settings.DecimalSeparator);
  return out;
}

std::string Exponent(TDecimalDigits number, int precision, int exponent_digits, const TFormatSettings& settings) {
  RoundToSignificant(number, precision);
  std::string out = number.negative && !number.IsZero() ? "-" : "";
  const int exponent = number.IsZero() ? 0 : number.exponent - 1;
  number.exponent = 1;  // mantissa d.ddd
  out.push_back(DigitAt(number, 0));
  AppendFraction(out, number, precision - 1, settings.DecimalSeparator);
  out.push_back('E');
  AppendExponent(out, exponent, true, exponent_digits);
  return out;
}

// Fixed, number and currency forms share the digits: `decimals` after the
// separator, grouped by threes when `grouped`.
std::string FixedDigits(const TDecimalDigits& number, int decimals, bool grouped, const TFormatSettings& settings) {
  std::string out;
  AppendIntegerPart(out, number, 1, grouped ? settings.ThousandSeparator : 0);
  AppendFraction(out, number, decimals, settings.DecimalSeparator);
  return out;
}

std::string CurrencyText(const std::string& amount, bool negative, const TFormatSettings& settings) {
  const std::string& symbol = settings.CurrencyString;
  if (!negative) {
    switch (settings.CurrencyFormat) {
      case 1: return amount + symbol;
      case 2: return symbol + " " + amount;
      case 3: return amount + " " + symbol;
      default: return symbol + amount;
    }
  }
  switch (settings.NegCurrFormat) {
    case 1: return "-" + symbol + amount;
    case 2: return symbol + "-" + amount;
    case 3: return symbol + amount + "-";
    case 4: return "(" + amount + symbol + ")";
    case 5: return "-" + amount + symbol;
    case 6: return amount + "-" + symbol;
    case 7: return amount + symbol + "-";
    case 8: return "-" + amount + " " + symbol;
    case 9: return "-" + symbol + " " + amount;
    case 10: return amount + " " + symbol + "-";
    case 11: return symbol + " " + amount + "-";
    case 12: return symbol + " -" + amount;
    case 13: return amount + "- " + symbol;
    case 14: return "(" + symbol + " " + amount + ")";
    case 15: return "(" + amount + " " + symbol + ")";
    default: return "(" + symbol + amount + ")";
  }
}

std::string FormatDecimal(TDecimalDigits number, TFloatFormat format, int precision, int digits,
                          const TFormatSettings& settings) {
  switch (format) {
    case TFloatFormat::ffGeneral:
      return General(std::move(number), precision, digits, settings);
    case TFloatFormat::ffExponent:
      return Exponent(std::move(number), precision, digits, settings);
    case TFloatFormat::ffFixed:
    case TFloatFormat::ffNumber:
    case TFloatFormat::ffCurrency:
      break;
  }
  RoundToSignificant(number, precision);
  if (number.exponent > precision && format != TFloatFormat::ffCurrency)
    return General(std::move(number), precision, 0, settings);
  digits = std::clamp(digits, 0, 18);
  RoundToDecimals(number, digits);
  const bool negative = number.negative && !number.IsZero();
  const std::string amount = FixedDigits(number, digits, format != TFloatFormat::ffFixed, settings);
  if (format == TFloatFormat::ffCurrency)
    return CurrencyText(amount, negative, settings);
  return negative ? "-" + amount : amount;
}

// ---- Custom number formats ------------------------------------------------

// What one section of a custom format asks for.
struct SectionLayout {
  int integer_places = 0;  // '0' and '#' before the decimal point
  int min_integer = 0;     // from the first '0' to the decimal point
  int max_decimals = 0;
  int min_decimals = 0;    // up to the last '0' after the decimal point
  bool grouped = false;
  bool scientific = false;
};

// Calls `visit(kind, text)` for each element of a section: digit places
// ('0'/'#'), the decimal point ('.'), group marks (','), exponents ("E+"
// and friends, with their '0' count following) and literal text.
enum class Token { kDigit, kPoint, kGroup, kExponent, kText };

struct FormatToken {
  Token kind;
  std::string text;  // the literal, or for kDigit "0"/"#", for kExponent "E+" / "e-"...
  int exponent_digits = 0;
};

std::vector<FormatToken> Tokenize(std::string_view section) {
  std::vector<FormatToken> tokens;
  for (size_t i = 0; i < section.size(); ++i) {
    const char c = section[i];
    if (c == '"' || c == '\'') {
      const size_t end = section.find(c, i + 1);
      const size_t stop = end == std::string_view::npos ? section.size() : end;
      tokens.push_back({Token::kText, std::string(section.substr(i + 1, stop - i - 1))});
      i = stop;
      continue;
    }
    if (c == '0' || c == '#') {
      tokens.push_back({Token::kDigit, std::string(1, c)});
    } else if (c == '.') {
      tokens.push_back({Token::kPoint, "."});
    } else if (c == ',') {
      tokens.push_back({Token::kGroup, ","});
    } else if ((c == 'E' || c == 'e') && i + 1 < section.size() && (section[i + 1] == '+' || section[i + 1] == '-')) {
      FormatToken token{Token::kExponent, std::string(section.substr(i, 2))};
      i += 2;
      while (i < section.size() && section[i] == '0') {
        ++token.exponent_digits;
        ++i;
      }
      --i;
      tokens.push_back(std::move(token));
    } else {
      tokens.push_back({Token::kText, std::string(1, c)});
    }
  }
  return tokens;
}

SectionLayout Analyse(const std::vector<FormatToken>& tokens) {
  SectionLayout layout;
  bool after_point = false;
  int first_zero = -1;  // integer place index of the first '0'
  for (const FormatToken& token : tokens) {
    if (token.kind == Token::kExponent) {
      layout.scientific = true;
      break;
    }
    if (token.kind == Token::kPoint) {
      after_point = true;
    } else if (token.kind == Token::kGroup) {
      layout.grouped = true;
    } else if (token.kind == Token::kDigit) {
      const bool zero = token.text == "0";
      if (after_point) {
        ++layout.max_decimals;
        if (zero)
          layout.min_decimals = layout.max_decimals;
      } else {
        if (zero && first_zero < 0)
          first_zero = layout.integer_places;
        ++layout.integer_places;
      }
    }
  }
  if (first_zero >= 0)
    layout.min_integer = layout.integer_places - first_zero;
  return layout;
}

std::vector<std::string_view> SplitSections(std::string_view format) {
  std::vector<std::string_view> sections;
  size_t start = 0;
  char quote = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (quote != 0) {
      if (c == quote)
        quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';' && sections.size() < 2) {
      sections.push_back(format.substr(start, i - start));
      start = i + 1;
    }
  }
  sections.push_back(format.substr(start));
  return sections;
}

// Writes the digits of `number` into the section's places.
std::string Render(const std::vector<FormatToken>& tokens, const SectionLayout& layout, TDecimalDigits number,
                   bool show_minus, const TFormatSettings& settings) {
  int exponent = 0;
  if (layout.scientific) {
    if (!number.IsZero()) {
      exponent = number.exponent - layout.integer_places;
      number.exponent = layout.integer_places;
    }
    RoundToDecimals(number, layout.max_decimals);
    if (!number.IsZero() && number.exponent > layout.integer_places) {  // 9.99 -> 10.0
      ++exponent;
      number.exponent = layout.integer_places;
    }
  }
  std::string out = show_minus ? "-" : "";
  const int top = std::max(number.IsZero() ? 0 : number.exponent, layout.min_integer);
  const char group = layout.grouped ? settings.ThousandSeparator : 0;
  int integer_place = layout.integer_places;  // counts down to 0 at the point
  int fraction_place = 0;
  bool seen_point = false;
  bool point_pending = false;
  const int fraction_digits = static_cast<int>(number.digits.size()) - number.exponent;
  const auto append_integer_digit = [&](int position) {
    out.push_back(DigitAt(number, position));
    if (group != 0 && position > 0 && position % 3 == 0)
      out.push_back(group);
  };
  for (const FormatToken& token : tokens) {
    switch (token.kind) {
      case Token::kDigit:
        if (!seen_point && integer_place > 0) {
          const int position = --integer_place;
          // The leftmost place takes every digit above it as well.
          const int from = integer_place + 1 == layout.integer_places ? std::max(top - 1, position) : position;
          for (int q = from; q >= position; --q) {
            if (q < top)
              append_integer_digit(q);
          }
        } else if (seen_point) {
          ++fraction_place;
          if (fraction_place <= layout.min_decimals || fraction_place <= fraction_digits) {
            if (point_pending) {
              out.push_back(settings.DecimalSeparator);
              point_pending = false;
            }
            out.push_back(DigitAt(number, -fraction_place));
          }
        }
        break;
      case Token::kPoint:
        if (seen_point)
          break;
        seen_point = true;
        point_pending = true;
        // A format without integer places still shows the integer digits.
        if (layout.integer_places == 0) {
          for (int q = top - 1; q >= 0; --q)
            append_integer_digit(q);
        }
        break;
      case Token::kGroup:
        break;
      case Token::kExponent:
        out.push_back(token.text[0]);
        AppendExponent(out, exponent, token.text[1] == '+', token.exponent_digits);
        break;
      case Token::kText:
        out += token.text;
        break;
    }
  }
  return out;
}

std::string FormatCustom(std::string_view format, TDecimalDigits number, bool is_double,
                         const TFormatSettings& settings) {
  const std::vector<std::string_view> sections = SplitSections(format);
  const bool negative = number.negative && !number.IsZero();
  std::string_view section = sections[0];
  bool show_minus = negative;
  if (negative && sections.size() >= 2 && !sections[1].empty()) {
    section = sections[1];
    show_minus = false;
  }
  auto tokens = Tokenize(section);
  SectionLayout layout = Analyse(tokens);
  if (!layout.scientific && number.exponent > 18 && is_double)
    return General(number, kDoublePrecision, 0, settings);
  if (!layout.scientific)
    RoundToDecimals(number, layout.max_decimals);
  if (number.IsZero()) {
    show_minus = false;
    if (sections.size() >= 3 && !sections[2].empty()) {
      tokens = Tokenize(sections[2]);
      layout = Analyse(tokens);
    }
  }
  return Render(tokens, layout, std::move(number), show_minus, settings);
}

const TFormatSettings& UserSettings() { return UserLocale().Settings(); }

}  // namespace

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                        const TFormatSettings& settings) {
  if (!std::isfinite(value))
    return SpecialText(value);
  precision = std::clamp(precision, 1, kDoublePrecision + 2);
  return FormatDecimal(DecimalDigitsOf(value, precision), format, precision, digits, settings);
}

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
  return FloatToStrF(value, format, precision, digits, UserSettings());
}

std::string FloatToStr(double value, const TFormatSettings& settings) {
  return FloatToStrF(value, TFloatFormat::ffGeneral, kDoublePrecision, 0, settings);
}

std::string FloatToStr(double value) { return FloatToStr(value, UserSettings()); }

std::string FormatFloat(std::string_view format, double value, const TFormatSettings& settings) {
  if (!std::isfinite(value))
    return SpecialText(value);
  if (format.empty())
    return FloatToStr(value, settings);
  return FormatCustom(format, DecimalDigitsOf(value, kDoublePrecision), true, settings);
}

std::string FormatFloat(std::string_view format, double value) { return FormatFloat(format, value, UserSettings()); }

std::string FormatCurr(std::string_view format, Currency value, const TFormatSettings& settings) {
  const TDecimalDigits number = DecimalDigitsOfScaled(value.Raw(), 4);
  if (format.empty())
    return General(number, kCurrencyPrecision, 0, settings);
  return FormatCustom(format, number, false, settings);
}

std::string FormatCurr(std::string_view format, Currency value) { return FormatCurr(format, value, UserSettings()); }

std::string CurrToStrF(Currency value, TFloatFormat format, int digits, const TFormatSettings& settings) {
  return FormatDecimal(DecimalDigitsOfScaled(value.Raw(), 4), format, kCurrencyPrecision, digits, settings);
}

std::string CurrToStrF(Currency value, TFloatFormat format, int digits) {
  return CurrToStrF(value, format, digits, UserSettings());
}

std::string CurrToStr(Currency value, const TFormatSettings& settings) {
  return CurrToStrF(value, TFloatFormat::ffGeneral, 0, settings);
}

std::string CurrToStr(Currency value) { return CurrToStr(value, UserSettings()); }
