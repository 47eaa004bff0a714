#include "platform/db/float_fields.h"

#include <algorithm>
#include <cmath>

#include "platform/db/data_set.h"
#include "platform/rtl/format.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/property.h"

namespace {

bool IsBlank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

int CurrencyDecimals() { return UserLocale().Settings().CurrencyDecimals; }

}  // namespace

// --- TFloatField

void TFloatField::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TFloatField>();
  p.Boolean("Currency", &TFloatField::Currency, &TFloatField::SetCurrency, false);
  p.Integer("Precision", &TFloatField::Precision, &TFloatField::SetPrecision, 15);
  p.Float("MaxValue", &TFloatField::MaxValue, &TFloatField::SetMaxValue, 0);
  p.Float("MinValue", &TFloatField::MinValue, &TFloatField::SetMinValue, 0);
}

TFloatField::TFloatField(TComponent* owner) : TNumericField(owner) { SetDataType(ftFloat); }

void TFloatField::SetCurrency(bool currency) { SetPresentation(currency_, currency); }

void TFloatField::SetPrecision(int32_t precision) { precision_ = std::clamp(precision, 2, 15); }

Variant TFloatField::AsVariant() const {
  const double* value = StoredValue<double>();
  return value == nullptr ? Variant::Null() : Variant(*value);
}

void TFloatField::SetAsVariant(const Variant& value) {
  if (AssignNullOrText(value))
    return;
  SetAsFloat(value.AsDouble());
}

std::string TFloatField::AsString() const {
  const double* value = StoredValue<double>();
  return value == nullptr ? std::string() : FloatToStr(*value);
}

void TFloatField::SetAsString(std::string_view text) {
  if (IsBlank(text)) {
    Clear();
    return;
  }
  double value = 0;
  if (!TryStrToFloat(text, value))
    throw EConvertError::InvalidFloat(text);
  SetAsFloat(value);
}

double TFloatField::AsFloat() const {
  const double* value = StoredValue<double>();
  return value == nullptr ? 0.0 : *value;
}

int32_t TFloatField::AsInteger() const {
  const double rounded = std::nearbyint(AsFloat());
  if (!(rounded >= INT32_MIN && rounded <= INT32_MAX))
    RangeError(FloatToStr(rounded), IntToStr(INT32_MIN), IntToStr(INT32_MAX));
  return static_cast<int32_t>(rounded);
}

int64_t TFloatField::AsLargeInt() const {
  const double rounded = std::nearbyint(AsFloat());
  if (!(rounded >= -9223372036854775808.0 && rounded < 9223372036854775808.0))
    RangeError(FloatToStr(rounded), IntToStr(INT64_MIN), IntToStr(INT64_MAX));
  return static_cast<int64_t>(rounded);
}

void TFloatField::SetAsFloat(double value) {
  if ((min_value_ != 0 || max_value_ != 0) && (value < min_value_ || value > max_value_))
    RangeError(FloatToStr(value), FloatToStr(min_value_), FloatToStr(max_value_));
  StoreValue(value);
}

std::string TFloatField::GetText(bool display_text) const {
  const double value = AsFloat();
  const std::string& format = FormatFor(display_text);
  if (!format.empty())
    return FormatFloat(format, value);
  if (currency_) {
    return FloatToStrF(value, display_text ? TFloatFormat::ffCurrency : TFloatFormat::ffFixed, precision_,
                       CurrencyDecimals());
  }
  return FloatToStrF(value, TFloatFormat::ffGeneral, precision_, 0);
}

TCurrencyField::TCurrencyField(TComponent* owner) : TFloatField(owner) {
  SetDataType(ftCurrency);
  SetCurrency(true);
}

// --- TBCDField

void TBCDField::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TBCDField>();
  p.Boolean("Currency", &TBCDField::Currency, &TBCDField::SetCurrency, false);
  p.Integer("Precision", &TBCDField::Precision, &TBCDField::SetPrecision, 0);
  p.Integer("Size", &TBCDField::Size, &TBCDField::SetSize, 4);
}

TBCDField::TBCDField(TComponent* owner) : TNumericField(owner) {
  SetDataType(ftBCD);
  SetSize(4);
}

void TBCDField::SetCurrency(bool currency) { SetPresentation(currency_, currency); }

Variant TBCDField::AsVariant() const {
  const ::Currency* value = StoredValue<::Currency>();
  return value == nullptr ? Variant::Null() : Variant(*value);
}

void TBCDField::SetAsVariant(const Variant& value) {
  if (AssignNullOrText(value))
    return;
  SetAsCurrency(value.AsCurrency());
}

std::string TBCDField::AsString() const {
  const ::Currency* value = StoredValue<::Currency>();
  return value == nullptr ? std::string() : CurrToStr(*value);
}

void TBCDField::SetAsString(std::string_view text) {
  if (IsBlank(text)) {
    Clear();
    return;
  }
  ::Currency value;
  if (!TryStrToCurr(text, value))
    throw EConvertError::InvalidFloat(text);
  SetAsCurrency(value);
}

int32_t TBCDField::AsInteger() const { return NarrowToInteger(AsLargeInt()); }

::Currency TBCDField::AsCurrency() const {
  const ::Currency* value = StoredValue<::Currency>();
  return value == nullptr ? ::Currency() : *value;
}

void TBCDField::SetAsCurrency(::Currency value) {
  const bool limited = min_value_ != ::Currency() || max_value_ != ::Currency();
  if (limited && (value < min_value_ || value > max_value_))
    RangeError(CurrToStr(value), CurrToStr(min_value_), CurrToStr(max_value_));
  StoreValue(value);
}

void TBCDField::SetAsBCD(const TBcd& value) {
  ::Currency amount;
  if (!BcdToCurr(value, amount))
    RangeError(BcdToStr(value), CurrToStr(::Currency::FromRaw(INT64_MIN)), CurrToStr(::Currency::FromRaw(INT64_MAX)));
  SetAsCurrency(amount);
}

std::string TBCDField::GetText(bool display_text) const {
  const ::Currency value = AsCurrency();
  const std::string& format = FormatFor(display_text);
  if (!format.empty())
    return FormatCurr(format, value);
  if (currency_)
    return CurrToStrF(value, display_text ? TFloatFormat::ffCurrency : TFloatFormat::ffFixed, CurrencyDecimals());
  return CurrToStr(value);
}

// --- TFMTBCDField

void TFMTBCDField::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TFMTBCDField>();
  p.Boolean("Currency", &TFMTBCDField::Currency, &TFMTBCDField::SetCurrency, false);
  p.Integer("Precision", &TFMTBCDField::Precision, &TFMTBCDField::SetPrecision, 15);
  p.Integer("Size", &TFMTBCDField::Size, &TFMTBCDField::SetSize, 8);
}

TFMTBCDField::TFMTBCDField(TComponent* owner) : TNumericField(owner) {
  SetDataType(ftFMTBcd);
  SetSize(8);
}

void TFMTBCDField::SetCurrency(bool currency) { SetPresentation(currency_, currency); }

Variant TFMTBCDField::AsVariant() const {
  const TBcd* value = StoredValue<TBcd>();
  return value == nullptr ? Variant::Null() : Variant::FromBcd(*value);
}

void TFMTBCDField::SetAsVariant(const Variant& value) {
  if (AssignNullOrText(value))
    return;
  SetAsBCD(value.AsBcd());
}

std::string TFMTBCDField::AsString() const {
  const TBcd* value = StoredValue<TBcd>();
  return value == nullptr ? std::string() : BcdToStr(*value);
}

void TFMTBCDField::SetAsString(std::string_view text) {
  if (IsBlank(text)) {
    Clear();
    return;
  }
  SetAsBCD(StrToBcd(text));
}

TBcd TFMTBCDField::AsBCD() const {
  const TBcd* value = StoredValue<TBcd>();
  return value == nullptr ? TBcd() : *value;
}

void TFMTBCDField::SetAsBCD(const TBcd& value) { StoreValue(value); }

double TFMTBCDField::AsFloat() const { return BcdToDouble(AsBCD()); }

void TFMTBCDField::SetAsFloat(double value) { SetAsBCD(DoubleToBcd(value)); }

::Currency TFMTBCDField::AsCurrency() const {
  const TBcd value = AsBCD();
  ::Currency amount;
  if (!BcdToCurr(value, amount))
    RangeError(BcdToStr(value), CurrToStr(::Currency::FromRaw(INT64_MIN)), CurrToStr(::Currency::FromRaw(INT64_MAX)));
  return amount;
}

int64_t TFMTBCDField::AsLargeInt() const { return AsCurrency().RoundToInt64(); }

int32_t TFMTBCDField::AsInteger() const { return NarrowToInteger(AsLargeInt()); }

std::string TFMTBCDField::GetText(bool display_text) const {
  const TBcd value = AsBCD();
  const std::string& format = FormatFor(display_text);
  if (!format.empty())
    return FormatFloat(format, BcdToDouble(value));
  ::Currency amount;
  if (currency_ && BcdToCurr(value, amount))
    return CurrToStrF(amount, display_text ? TFloatFormat::ffCurrency : TFloatFormat::ffFixed, CurrencyDecimals());
  return BcdToStr(value);
}
