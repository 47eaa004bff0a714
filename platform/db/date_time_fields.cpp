#include "platform/db/date_time_fields.h"

#include <cmath>

#include "platform/db/data_set.h"
#include "platform/rtl/date_text.h"
#include "platform/rtl/property.h"

namespace {

bool IsBlank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

void CheckDateTime(TDateTime value) {
  if (!std::isfinite(value) || !IsValidDateTime(value))
    throw EConvertError::DateEncode();
}

}  // namespace

// --- TDateTimeField

void TDateTimeField::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TDateTimeField>();
  p.String("DisplayFormat", &TDateTimeField::DisplayFormat, &TDateTimeField::SetDisplayFormat);
}

TDateTimeField::TDateTimeField(TComponent* owner) : TField(owner) { SetDataType(ftDateTime); }

void TDateTimeField::SetDisplayFormat(const std::string& format) { SetPresentation(display_format_, format); }

Variant TDateTimeField::AsVariant() const {
  const double* value = StoredValue<double>();
  return value == nullptr ? Variant::Null() : Variant::FromDate(*value);
}

void TDateTimeField::SetAsVariant(const Variant& value) {
  if (AssignNullOrText(value))
    return;
  SetAsDateTime(value.AsDateTime());
}

TDateTime TDateTimeField::ParseText(std::string_view text) const { return StrToDateTime(text); }

void TDateTimeField::SetAsString(std::string_view text) {
  if (IsBlank(text)) {
    Clear();
    return;
  }
  SetAsDateTime(ParseText(text));
}

TDateTime TDateTimeField::AsDateTime() const {
  const double* value = StoredValue<double>();
  return value == nullptr ? 0.0 : *value;
}

void TDateTimeField::SetAsDateTime(TDateTime value) {
  CheckDateTime(value);
  StoreValue<double>(KeptPart(value));
}

TSQLTimeStamp TDateTimeField::AsSQLTimeStamp() const {
  if (IsNull())
    return TSQLTimeStamp();
  return DateTimeToSQLTimeStamp(AsDateTime());
}

void TDateTimeField::SetAsSQLTimeStamp(const TSQLTimeStamp& value) { SetAsDateTime(SQLTimeStampToDateTime(value)); }

std::string TDateTimeField::GetText(bool display_text) const {
  const std::string_view format =
      display_text && !display_format_.empty() ? std::string_view(display_format_) : DefaultFormat();
  return FormatDateTime(format, AsDateTime());
}

TDateField::TDateField(TComponent* owner) : TDateTimeField(owner) { SetDataType(ftDate); }

TDateTime TDateField::ParseText(std::string_view text) const { return StrToDate(text); }

TTimeField::TTimeField(TComponent* owner) : TDateTimeField(owner) { SetDataType(ftTime); }

TDateTime TTimeField::ParseText(std::string_view text) const { return StrToTime(text); }

// --- TSQLTimeStampField

void TSQLTimeStampField::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TSQLTimeStampField>();
  p.String("DisplayFormat", &TSQLTimeStampField::DisplayFormat, &TSQLTimeStampField::SetDisplayFormat);
}

TSQLTimeStampField::TSQLTimeStampField(TComponent* owner) : TField(owner) { SetDataType(ftTimeStamp); }

void TSQLTimeStampField::SetDisplayFormat(const std::string& format) { SetPresentation(display_format_, format); }

Variant TSQLTimeStampField::AsVariant() const {
  const TSQLTimeStamp* value = StoredValue<TSQLTimeStamp>();
  return value == nullptr ? Variant::Null() : Variant::FromSQLTimeStamp(*value);
}

void TSQLTimeStampField::SetAsVariant(const Variant& value) {
  if (AssignNullOrText(value))
    return;
  SetAsSQLTimeStamp(value.AsSQLTimeStamp());
}

void TSQLTimeStampField::SetAsString(std::string_view text) {
  if (IsBlank(text)) {
    Clear();
    return;
  }
  SetAsDateTime(StrToDateTime(text));
}

TDateTime TSQLTimeStampField::AsDateTime() const {
  const TSQLTimeStamp* value = StoredValue<TSQLTimeStamp>();
  return value == nullptr ? 0.0 : SQLTimeStampToDateTime(*value);
}

void TSQLTimeStampField::SetAsDateTime(TDateTime value) {
  CheckDateTime(value);
  StoreValue(DateTimeToSQLTimeStamp(value));
}

TSQLTimeStamp TSQLTimeStampField::AsSQLTimeStamp() const {
  const TSQLTimeStamp* value = StoredValue<TSQLTimeStamp>();
  return value == nullptr ? TSQLTimeStamp() : *value;
}

void TSQLTimeStampField::SetAsSQLTimeStamp(const TSQLTimeStamp& value) {
  // Converting checks every part of the stamp.
  SQLTimeStampToDateTime(value);
  StoreValue(value);
}

std::string TSQLTimeStampField::GetText(bool display_text) const {
  const std::string_view format =
      display_text && !display_format_.empty() ? std::string_view(display_format_) : std::string_view("c");
  return FormatDateTime(format, AsDateTime());
}
