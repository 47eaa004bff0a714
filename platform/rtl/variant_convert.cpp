// Conversions between variant types. Texts convert with the user locale;
// every failure is the platform's variant error naming both types.

#include <cmath>
#include <limits>

#include "platform/rtl/date_text.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/text.h"
#include "platform/rtl/variant.h"

namespace {

[[noreturn]] void CastError(const Variant& value, TVarType to) {
  throw EVariantTypeCastError(VarTypeAsText(value.Type()), VarTypeAsText(to));
}

[[noreturn]] void OverflowError(const Variant& value, TVarType to) {
  throw EVariantOverflowError(VarTypeAsText(value.Type()), VarTypeAsText(to));
}

bool IsIntegerType(TVarType type) {
  switch (type) {
    case varSmallint: case varInteger: case varBoolean: case varShortInt: case varByte:
    case varWord: case varLongWord: case varInt64:
      return true;
    default:
      return false;
  }
}

bool IsRealType(TVarType type) { return type == varSingle || type == varDouble || type == varDate; }

std::string TextOf(const Variant& value) {
  return value.Type() == varString ? std::string(value.TextView()) : Utf16ToUtf8(value.WideView());
}

// Rounds half to even into [min, max] or raises the overflow error.
int64_t RoundedInRange(double real, const Variant& value, TVarType to, int64_t min, int64_t max) {
  const double rounded = std::nearbyint(real);
  if (!(rounded >= static_cast<double>(min)) || !(rounded <= static_cast<double>(max)) ||
      rounded >= 9223372036854775808.0)
    OverflowError(value, to);
  return static_cast<int64_t>(rounded);
}

int64_t IntegerOf(const Variant& value, TVarType to, int64_t min, int64_t max) {
  const TVarType type = value.Type();
  int64_t result = 0;
  if (type == varEmpty) {
    return 0;
  } else if (IsIntegerType(type)) {
    result = value.IntegerBits();
  } else if (IsRealType(type)) {
    return RoundedInRange(value.RealBits(), value, to, min, max);
  } else if (type == varCurrency) {
    result = Currency::FromRaw(value.IntegerBits()).RoundToInt64();
  } else if (type == VarFMTBcd()) {
    return RoundedInRange(BcdToDouble(value.BcdValue()), value, to, min, max);
  } else if (value.IsText()) {
    const std::string text = TextOf(value);
    double real = 0;
    if (TryStrToInt64(text, result)) {
      // exact
    } else if (TryStrToFloat(text, real)) {
      return RoundedInRange(real, value, to, min, max);
    } else {
      CastError(value, to);
    }
  } else {
    CastError(value, to);
  }
  if (result < min || result > max)
    OverflowError(value, to);
  return result;
}

double RealOf(const Variant& value, TVarType to) {
  const TVarType type = value.Type();
  if (type == varEmpty)
    return 0;
  if (IsIntegerType(type))
    return static_cast<double>(value.IntegerBits());
  if (IsRealType(type))
    return value.RealBits();
  if (type == varCurrency)
    return Currency::FromRaw(value.IntegerBits()).ToDouble();
  if (type == VarFMTBcd())
    return BcdToDouble(value.BcdValue());
  if (type == VarSQLTimeStamp())
    return SQLTimeStampToDateTime(value.StampValue());
  if (value.IsText()) {
    const std::string text = TextOf(value);
    double real = 0;
    if (to == varDate ? TryStrToDateTime(text, real) : TryStrToFloat(text, real))
      return real;
  }
  CastError(value, to);
}

}  // namespace

int32_t Variant::AsInteger() const {
  return static_cast<int32_t>(IntegerOf(*this, varInteger, INT32_MIN, INT32_MAX));
}

int64_t Variant::AsInt64() const { return IntegerOf(*this, varInt64, INT64_MIN, INT64_MAX); }

double Variant::AsDouble() const { return RealOf(*this, varDouble); }

TDateTime Variant::AsDateTime() const {
  const TDateTime value = RealOf(*this, varDate);
  if (!IsValidDateTime(value))
    OverflowError(*this, varDate);
  return value;
}

bool Variant::AsBoolean() const {
  if (IsText()) {
    bool result = false;
    if (!TryStrToBool(TextOf(*this), result))
      CastError(*this, varBoolean);
    return result;
  }
  if (type_ == varCurrency)
    return IntegerBits() != 0;
  if (type_ == VarFMTBcd())
    return BcdCompare(BcdValue(), TBcd{}) != 0;
  if (IsIntegerType(type_) || type_ == varEmpty)
    return type_ != varEmpty && IntegerBits() != 0;
  return RealOf(*this, varBoolean) != 0;
}

Currency Variant::AsCurrency() const {
  if (type_ == varCurrency)
    return Currency::FromRaw(IntegerBits());
  Currency result;
  if (IsText()) {
    if (!TryStrToCurr(TextOf(*this), result))
      CastError(*this, varCurrency);
    return result;
  }
  if (type_ == VarFMTBcd()) {
    if (!BcdToCurr(BcdValue(), result))
      OverflowError(*this, varCurrency);
    return result;
  }
  try {
    if (IsIntegerType(type_))
      return Currency::FromInt64(IntegerBits());
    return Currency::FromDouble(RealOf(*this, varCurrency));
  } catch (const EOverflow&) {
    OverflowError(*this, varCurrency);
  }
}

std::string Variant::AsString() const {
  switch (type_) {
    case varEmpty: return "";
    case varBoolean: return IntegerBits() != 0 ? "True" : "False";
    case varSingle: return FloatToStrF(RealBits(), TFloatFormat::ffGeneral, 7, 0);
    case varDouble: return FloatToStr(RealBits());
    case varDate: return DateTimeToStr(RealBits());
    case varCurrency: return CurrToStr(Currency::FromRaw(IntegerBits()));
    case varString: return std::string(TextView());
    case varOleStr: return Utf16ToUtf8(WideView());
    default: break;
  }
  if (IsIntegerType(type_))
    return IntToStr(IntegerBits());
  if (type_ == VarFMTBcd())
    return BcdToStr(BcdValue());
  if (type_ == VarSQLTimeStamp())
    return DateTimeToStr(SQLTimeStampToDateTime(StampValue()));
  CastError(*this, varString);
}

std::u16string Variant::AsWideString() const {
  if (type_ == varOleStr)
    return std::u16string(WideView());
  try {
    return Utf8ToUtf16(AsString());
  } catch (const EVariantTypeCastError&) {
    CastError(*this, varOleStr);
  }
}

TBcd Variant::AsBcd() const {
  if (type_ == VarFMTBcd())
    return BcdValue();
  if (type_ == varCurrency)
    return CurrToBcd(Currency::FromRaw(IntegerBits()));
  if (IsIntegerType(type_))
    return IntegerToBcd(IntegerBits());
  if (type_ == varEmpty)
    return TBcd{};
  if (IsText()) {
    TBcd result;
    if (!TryStrToBcd(TextOf(*this), result, UserLocale().Settings()))
      CastError(*this, VarFMTBcd());
    return result;
  }
  const double real = RealOf(*this, VarFMTBcd());
  try {
    return DoubleToBcd(real);
  } catch (const EConvertError&) {
    OverflowError(*this, VarFMTBcd());
  }
}

TSQLTimeStamp Variant::AsSQLTimeStamp() const {
  if (type_ == VarSQLTimeStamp())
    return StampValue();
  return DateTimeToSQLTimeStamp(RealOf(*this, varDate));
}

Variant VarAsType(const Variant& value, TVarType type) {
  if (value.Type() == type || type == varVariant)
    return value;
  if (value.IsArray() || (type & varArray) != 0)
    CastError(value, type);
  if (value.IsNull()) {
    if (type == varNull)
      return value;
    CastError(value, type);
  }
  switch (type) {
    case varEmpty: return Variant();
    case varNull: return Variant::Null();
    case varSmallint: return Variant::FromSmallint(static_cast<int16_t>(IntegerOf(value, type, INT16_MIN, INT16_MAX)));
    case varInteger: return Variant(value.AsInteger());
    case varShortInt: return Variant::FromShortInt(static_cast<int8_t>(IntegerOf(value, type, INT8_MIN, INT8_MAX)));
    case varByte: return Variant::FromByte(static_cast<uint8_t>(IntegerOf(value, type, 0, UINT8_MAX)));
    case varWord: return Variant::FromWord(static_cast<uint16_t>(IntegerOf(value, type, 0, UINT16_MAX)));
    case varLongWord: return Variant::FromLongWord(static_cast<uint32_t>(IntegerOf(value, type, 0, UINT32_MAX)));
    case varInt64: return Variant(value.AsInt64());
    case varSingle: {
      const double real = RealOf(value, type);
      if (std::isfinite(real) && std::fabs(real) > std::numeric_limits<float>::max())
        OverflowError(value, type);
      return Variant::FromSingle(static_cast<float>(real));
    }
    case varDouble: return Variant(value.AsDouble());
    case varDate: return Variant::FromDate(value.AsDateTime());
    case varCurrency: return Variant(value.AsCurrency());
    case varBoolean: return Variant(value.AsBoolean());
    case varString: return Variant(value.AsString());
    case varOleStr: return Variant(value.AsWideString());
    default: break;
  }
  if (type == VarFMTBcd())
    return Variant::FromBcd(value.AsBcd());
  if (type == VarSQLTimeStamp())
    return Variant::FromSQLTimeStamp(value.AsSQLTimeStamp());
  CastError(value, type);
}

std::string VarToStr(const Variant& value) { return VarToStrDef(value, ""); }

std::string VarToStrDef(const Variant& value, std::string_view fallback) {
  if (value.IsNull() || value.IsEmpty())
    return std::string(fallback);
  return value.AsString();
}
