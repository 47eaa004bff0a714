#include "platform/db/string_fields.h"

#include "platform/db/data_set.h"
#include "platform/rtl/date_text.h"
#include "platform/rtl/format.h"
#include "platform/rtl/property.h"
#include "platform/rtl/text.h"

namespace {

constexpr int32_t kDefaultStringSize = 20;

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string_view TruncateUtf8(std::string_view text, int32_t max_chars) {
  if (max_chars <= 0)
    return std::string_view();
  if (text.size() <= static_cast<size_t>(max_chars))
    return text;
  int32_t chars = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsContinuationByte(text[i]))
      continue;
    if (chars == max_chars)
      return text.substr(0, i);
    ++chars;
  }
  return text;
}

// --- TStringField

void TStringField::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TStringField>();
  p.Integer("Size", &TStringField::Size, &TStringField::SetSize, kDefaultStringSize);
  p.Boolean("FixedChar", &TStringField::FixedChar, &TStringField::SetFixedChar, false);
}

TStringField::TStringField(TComponent* owner) : TField(owner) {
  SetDataType(ftString);
  SetSize(kDefaultStringSize);
}

Variant TStringField::AsVariant() const {
  if (IsNull())
    return Variant::Null();
  return Variant(AsString());
}

void TStringField::SetAsVariant(const Variant& value) {
  if (!AssignNullOrText(value))
    SetAsString(value.AsString());
}

std::string TStringField::AsString() const {
  const std::string* value = StoredValue<std::string>();
  if (value == nullptr)
    return std::string();
  if (!fixed_char_)
    return *value;
  const size_t end = value->find_last_not_of(' ');
  return end == std::string::npos ? std::string() : value->substr(0, end + 1);
}

void TStringField::SetAsString(std::string_view text) { StoreValue(std::string(TruncateUtf8(text, Size()))); }

int32_t TStringField::AsInteger() const { return StrToInt(AsString()); }
void TStringField::SetAsInteger(int32_t value) { SetAsString(IntToStr(value)); }
int64_t TStringField::AsLargeInt() const { return StrToInt64(AsString()); }
void TStringField::SetAsLargeInt(int64_t value) { SetAsString(IntToStr(value)); }
double TStringField::AsFloat() const { return StrToFloat(AsString()); }
void TStringField::SetAsFloat(double value) { SetAsString(FloatToStr(value)); }
Currency TStringField::AsCurrency() const { return StrToCurr(AsString()); }
void TStringField::SetAsCurrency(Currency value) { SetAsString(CurrToStr(value)); }
TDateTime TStringField::AsDateTime() const { return StrToDateTime(AsString()); }
void TStringField::SetAsDateTime(TDateTime value) { SetAsString(DateTimeToStr(value)); }

bool TStringField::AsBoolean() const {
  const std::string text = AsString();
  if (text.empty())
    return false;
  const char first = text.front();
  return first == 'T' || first == 't' || first == 'Y' || first == 'y';
}

void TStringField::SetAsBoolean(bool value) { SetAsString(value ? "T" : "F"); }

// --- TWideStringField

TWideStringField::TWideStringField(TComponent* owner) : TField(owner) {
  SetDataType(ftWideString);
  SetSize(kDefaultStringSize);
}

Variant TWideStringField::AsVariant() const {
  if (IsNull())
    return Variant::Null();
  return Variant(AsWideString());
}

void TWideStringField::SetAsVariant(const Variant& value) {
  if (value.IsNull() || value.IsEmpty()) {
    Clear();
    return;
  }
  // Through UTF-16, so that a wide text keeps every code unit.
  SetAsWideString(value.AsWideString());
}

std::string TWideStringField::AsString() const { return Utf16ToUtf8(AsWideString()); }
void TWideStringField::SetAsString(std::string_view text) { SetAsWideString(Utf8ToUtf16(text)); }

std::u16string TWideStringField::AsWideString() const {
  const std::u16string* value = StoredValue<std::u16string>();
  return value == nullptr ? std::u16string() : *value;
}

void TWideStringField::SetAsWideString(std::u16string_view text) {
  size_t length = std::min(text.size(), static_cast<size_t>(std::max(Size(), 0)));
  // Never cut a surrogate pair in two.
  if (length > 0 && length < text.size() && text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF)
    --length;
  StoreValue(std::u16string(text.substr(0, length)));
}
