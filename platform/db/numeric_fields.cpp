#include "platform/db/numeric_fields.h"

#include <cmath>

#include "platform/db/data_set.h"
#include "platform/rtl/format.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/property.h"

// --- TNumericField

void TNumericField::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TNumericField>();
  p.String("DisplayFormat", &TNumericField::DisplayFormat, &TNumericField::SetDisplayFormat);
  p.String("EditFormat", &TNumericField::EditFormat, &TNumericField::SetEditFormat);
}

TNumericField::TNumericField(TComponent* owner) : TField(owner) { SetAlignment(taRightJustify); }

void TNumericField::SetDisplayFormat(const std::string& format) { SetPresentation(display_format_, format); }

void TNumericField::SetEditFormat(const std::string& format) { SetPresentation(edit_format_, format); }

bool TNumericField::IsValidChar(char32_t c) const {
  if ((c >= U'0' && c <= U'9') || c == U'+' || c == U'-')
    return true;
  if (!AllowsFraction())
    return false;
  return c == static_cast<unsigned char>(UserLocale().Settings().DecimalSeparator) || c == U'E' || c == U'e';
}

// --- TIntegralField

Variant TIntegralField::AsVariant() const {
  const int64_t* value = StoredValue<int64_t>();
  return value == nullptr ? Variant::Null() : MakeVariant(*value);
}

void TIntegralField::SetAsVariant(const Variant& value) {
  if (AssignNullOrText(value))
    return;
  if (value.NumericKind() == Variant::Kind::kReal) {
    SetAsFloat(value.AsDouble());
    return;
  }
  SetAsLargeInt(value.AsInt64());
}

std::string TIntegralField::AsString() const {
  const int64_t* value = StoredValue<int64_t>();
  return value == nullptr ? std::string() : IntToStr(*value);
}

void TIntegralField::SetAsString(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) {
    Clear();
    return;
  }
  int64_t value = 0;
  if (!TryStrToInt64(text, value))
    throw EConvertError::InvalidInteger(text);
  SetAsLargeInt(value);
}

int32_t TIntegralField::AsInteger() const { return NarrowToInteger(AsLargeInt()); }

int64_t TIntegralField::AsLargeInt() const {
  const int64_t* value = StoredValue<int64_t>();
  return value == nullptr ? 0 : *value;
}

void TIntegralField::CheckRange(int64_t value) const {
  int64_t low = LowestValue();
  int64_t high = HighestValue();
  if (min_value_ != 0 || max_value_ != 0) {
    low = std::max(low, min_value_);
    high = std::min(high, max_value_);
  }
  if (value < low || value > high)
    RangeError(IntToStr(value), IntToStr(low), IntToStr(high));
}

void TIntegralField::SetAsLargeInt(int64_t value) {
  CheckRange(value);
  StoreValue(value);
}

void TIntegralField::SetAsFloat(double value) {
  // Beyond +-2^63 (or not a number) no 64-bit integer is near.
  if (!(value > -9223372036854775808.0 && value < 9223372036854775808.0))
    RangeError(FloatToStr(value), IntToStr(LowestValue()), IntToStr(HighestValue()));
  SetAsLargeInt(static_cast<int64_t>(std::nearbyint(value)));
}

Currency TIntegralField::AsCurrency() const { return Currency::FromInt64(AsLargeInt()); }

void TIntegralField::SetAsCurrency(Currency value) { SetAsLargeInt(value.RoundToInt64()); }

std::string TIntegralField::GetText(bool display_text) const {
  const std::string& format = FormatFor(display_text);
  const int64_t value = AsLargeInt();
  if (format.empty())
    return IntToStr(value);
  return FormatFloat(format, static_cast<double>(value));
}

// --- The integer types

void TIntegerField::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TIntegerField>();
  p.Integer("MinValue", &TIntegerField::MinValue, &TIntegerField::SetMinValue, 0);
  p.Integer("MaxValue", &TIntegerField::MaxValue, &TIntegerField::SetMaxValue, 0);
}

TIntegerField::TIntegerField(TComponent* owner) : TIntegralField(owner) { SetDataType(ftInteger); }

TSmallintField::TSmallintField(TComponent* owner) : TIntegerField(owner) { SetDataType(ftSmallint); }

TWordField::TWordField(TComponent* owner) : TIntegerField(owner) { SetDataType(ftWord); }

TAutoIncField::TAutoIncField(TComponent* owner) : TIntegerField(owner) { SetDataType(ftAutoInc); }

void TLargeintField::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TLargeintField>();
  p.Int64("MinValue", &TLargeintField::MinValue, &TLargeintField::SetMinValue, 0);
  p.Int64("MaxValue", &TLargeintField::MaxValue, &TLargeintField::SetMaxValue, 0);
}

TLargeintField::TLargeintField(TComponent* owner) : TIntegralField(owner) { SetDataType(ftLargeint); }
