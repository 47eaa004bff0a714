// The cross-type part of the variant order (docs/variants.md); two plain
// numbers never get here (VarCompare handles them inline).

#include "platform/rtl/date_text.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/text.h"
#include "platform/rtl/variant.h"

namespace {

__extension__ typedef __int128 Int128;

// A number as the comparison sees it.
struct Number {
  enum class Kind : uint8_t { kInteger, kReal, kCurrency, kBcd };
  Kind kind = Kind::kInteger;
  int64_t integer = 0;  // kInteger; raw ten-thousandths for kCurrency
  double real = 0;
  TBcd bcd;
};

Number Integer(int64_t value) { return {Number::Kind::kInteger, value, 0, {}}; }
Number Real(double value) { return {Number::Kind::kReal, 0, value, {}}; }

[[noreturn]] void CastError(const Variant& value, TVarType to) {
  throw EVariantTypeCastError(VarTypeAsText(value.Type()), VarTypeAsText(to));
}

std::string Utf8Of(const Variant& value) {
  return value.Type() == varString ? std::string(value.TextView()) : Utf16ToUtf8(value.WideView());
}

// A string converts to the kind of the other side: a Boolean, a date, a
// decimal, or else a floating-point number.
Number NumberOfText(const Variant& text_value, const Variant& other) {
  const std::string text = Utf8Of(text_value);
  const TVarType other_type = other.Type();
  if (other_type == varBoolean) {
    bool flag = false;
    if (!TryStrToBool(text, flag))
      CastError(text_value, varBoolean);
    return Integer(flag ? -1 : 0);
  }
  if (other_type == varDate || other_type == VarSQLTimeStamp()) {
    TDateTime date = 0;
    if (!TryStrToDateTime(text, date))
      CastError(text_value, varDate);
    return Real(date);
  }
  if (other_type == VarFMTBcd()) {
    Number number{Number::Kind::kBcd, 0, 0, {}};
    if (!TryStrToBcd(text, number.bcd, UserLocale().Settings()))
      CastError(text_value, VarFMTBcd());
    return number;
  }
  double real = 0;
  if (!TryStrToFloat(text, real))
    CastError(text_value, varDouble);
  return Real(real);
}

Number NumberOf(const Variant& value, const Variant& other) {
  switch (value.NumericKind()) {
    case Variant::Kind::kInteger: return Integer(value.IntegerBits());
    case Variant::Kind::kReal: return Real(value.RealBits());
    case Variant::Kind::kOther: break;
  }
  if (value.Type() == varCurrency)
    return {Number::Kind::kCurrency, value.IntegerBits(), 0, {}};
  if (value.Type() == VarFMTBcd())
    return {Number::Kind::kBcd, 0, 0, value.BcdValue()};
  if (value.Type() == VarSQLTimeStamp())
    return Real(SQLTimeStampToDateTime(value.StampValue()));
  if (value.IsText())
    return NumberOfText(value, other);
  CastError(value, varDouble);
}

double AsReal(const Number& number) {
  switch (number.kind) {
    case Number::Kind::kInteger: return static_cast<double>(number.integer);
    case Number::Kind::kReal: return number.real;
    case Number::Kind::kCurrency: return Currency::FromRaw(number.integer).ToDouble();
    case Number::Kind::kBcd: return BcdToDouble(number.bcd);
  }
  return 0;
}

TBcd AsBcd(const Number& number) {
  switch (number.kind) {
    case Number::Kind::kInteger: return IntegerToBcd(number.integer);
    case Number::Kind::kCurrency: return CurrToBcd(Currency::FromRaw(number.integer));
    case Number::Kind::kBcd: return number.bcd;
    case Number::Kind::kReal: break;
  }
  return DoubleToBcd(number.real);
}

// Currency raw value against an integer, exactly.
int CompareCurrencyWithInteger(int64_t raw, int64_t integer) {
  const Int128 scaled = static_cast<Int128>(integer) * Currency::kScale;
  return (raw > scaled) - (raw < scaled);
}

int CompareNumbers(const Number& a, const Number& b) {
  using Kind = Number::Kind;
  const bool any_real = a.kind == Kind::kReal || b.kind == Kind::kReal;
  if (a.kind == Kind::kBcd || b.kind == Kind::kBcd) {
    // Decimals compare exactly with integers, currency and decimals; a
    // floating-point number brings its own inexactness anyway.
    if (any_real)
      return CompareReals(AsReal(a), AsReal(b));
    return BcdCompare(AsBcd(a), AsBcd(b));
  }
  if (a.kind == Kind::kCurrency && b.kind == Kind::kCurrency)
    return (a.integer > b.integer) - (a.integer < b.integer);
  if (a.kind == Kind::kCurrency && b.kind == Kind::kInteger)
    return CompareCurrencyWithInteger(a.integer, b.integer);
  if (a.kind == Kind::kInteger && b.kind == Kind::kCurrency)
    return -CompareCurrencyWithInteger(b.integer, a.integer);
  if (a.kind == Kind::kInteger && b.kind == Kind::kInteger)
    return (a.integer > b.integer) - (a.integer < b.integer);
  if (a.kind == Kind::kInteger && b.kind == Kind::kReal)
    return CompareIntegerWithReal(a.integer, b.real);
  if (a.kind == Kind::kReal && b.kind == Kind::kInteger)
    return -CompareIntegerWithReal(b.integer, a.real);
  return CompareReals(AsReal(a), AsReal(b));
}

// Strings: 8-bit against 8-bit by bytes; with a wide one involved, by code
// points (UTF-8 byte order is code point order, so both agree).
int CompareTexts(const Variant& a, const Variant& b) {
  if (a.Type() == varString && b.Type() == varString) {
    const int raw = a.TextView().compare(b.TextView());
    return (raw > 0) - (raw < 0);
  }
  const int raw = Utf8Of(a).compare(Utf8Of(b));
  return (raw > 0) - (raw < 0);
}

}  // namespace

int VarCompareSlow(const Variant& a, const Variant& b) {
  if (a.IsArray() || b.IsArray())
    throw EVariantInvalidOpError();
  if (a.IsEmpty() || b.IsEmpty())
    return static_cast<int>(b.IsEmpty()) - static_cast<int>(a.IsEmpty());
  if (a.IsNull() || b.IsNull())
    return static_cast<int>(b.IsNull()) - static_cast<int>(a.IsNull());
  if (a.IsText() && b.IsText())
    return CompareTexts(a, b);
  return CompareNumbers(NumberOf(a, b), NumberOf(b, a));
}
