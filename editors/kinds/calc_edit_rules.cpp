#include "editors/kinds/calc_edit_rules.h"

#include <algorithm>

#include "data/variant_utils.h"
#include "editors/kinds/calculator_engine.h"
#include "editors/kinds/currency_edit_properties.h"
#include "editors/text_edit_properties.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/text.h"

namespace {

constexpr int32_t kDefaultPrecision = 15;

char DecimalSeparator() { return UserLocale().Settings().DecimalSeparator; }

bool IsNumericChar(char16_t ch) {
  return (ch >= u'0' && ch <= u'9') || ch == u'+' || ch == u'-' || ch == u'e' || ch == u'E' ||
         ch == static_cast<char16_t>(static_cast<unsigned char>(DecimalSeparator()));
}

// "1,50000000000000E+3" becomes "1,5E+3": the mantissa loses its trailing
// zeros and a separator left at its end.
std::string ShortenMantissa(std::string text) {
  if (text.find(DecimalSeparator()) == std::string::npos)
    return text;
  const std::string exponent = lxExtractExponentPart(text);
  while (!text.empty() && text.back() == '0')
    text.pop_back();
  if (!text.empty() && text.back() == DecimalSeparator())
    text.pop_back();
  return text + exponent;
}

}  // namespace

int32_t lxCalcEditEffectivePrecision(int32_t precision) {
  if (precision <= 0 || precision >= 16)
    return kDefaultPrecision;
  return precision;
}

std::string lxCalcEditValueText(double value, int32_t precision, bool scientific, bool thousand_separators) {
  const int32_t digits = lxCalcEditEffectivePrecision(precision);
  if (scientific)
    return ShortenMantissa(FloatToStrF(value, TFloatFormat::ffExponent, digits, 0));
  std::string text = lxCalcFloatText(value, digits);
  if (thousand_separators)
    lxInsertThousandSeparators(text);
  return text;
}

Variant lxCalcEditTextToValue(std::string_view text, bool remove_thousand_separators) {
  std::string rest(text);
  if (remove_thousand_separators)
    lxRemoveThousandSeparators(rest);
  const std::string_view trimmed = TrimBlanks(rest);
  double number = 0;
  if (trimmed.empty() || !TryStrToFloat(trimmed, number))
    return Variant::Null();
  return Variant(number);
}

bool lxCalcEditParsesNumber(std::string_view text) {
  if (text.empty())
    return false;
  double number = 0;
  std::string rest(text);
  lxRemoveThousandSeparators(rest);
  return !rest.empty() && TlxCustomCurrencyEditProperties::TryParseCurrencyText(rest, number);
}

bool lxCalcEditAcceptsChar(std::string_view text, size_t selection_start, size_t selection_length, char16_t ch) {
  if (!IsNumericChar(ch))
    return false;
  selection_start = std::min(selection_start, text.size());
  selection_length = std::min(selection_length, text.size() - selection_start);
  std::string result(text.substr(0, selection_start));
  AppendUtf8(result, ch);
  result += text.substr(selection_start + selection_length);
  if (result == "-")
    return true;
  return lxCalcEditParsesNumber(result);
}

char16_t lxCalcEditMapKey(char16_t key) {
  if (key == u',' || key == u'.')
    return static_cast<char16_t>(static_cast<unsigned char>(DecimalSeparator()));
  return key;
}

double lxCalcEditNumberOf(const Variant& edit_value) {
  if (lxVariantIsBlank(edit_value))
    return 0;
  if (edit_value.IsText()) {
    const Variant number = lxCalcEditTextToValue(edit_value.AsString(), false);
    return number.IsNull() ? 0 : number.AsDouble();
  }
  try {
    return edit_value.AsDouble();
  } catch (const EVariantError&) {
    return 0;
  }
}
