#include "platform/db/boolean_field.h"

#include <algorithm>

#include "platform/db/data_set.h"
#include "platform/db/db_errors.h"
#include "platform/rtl/property.h"
#include "platform/rtl/text.h"

namespace {

// `text` is `candidate` or its beginning, letter case ignored.
bool StartsLike(std::string_view candidate, std::string_view text) {
  if (candidate.empty() || text.size() > candidate.size())
    return false;
  return AnsiSameText(candidate.substr(0, text.size()), text);
}

}  // namespace

void TBooleanField::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TBooleanField>();
  p.String("DisplayValues", &TBooleanField::DisplayValues, &TBooleanField::SetDisplayValues);
}

TBooleanField::TBooleanField(TComponent* owner) : TField(owner) { SetDataType(ftBoolean); }

void TBooleanField::SetDisplayValues(const std::string& values) {
  const size_t separator = values.find(';');
  const std::string true_text = values.substr(0, separator);
  const std::string false_text = separator == std::string::npos ? std::string() : values.substr(separator + 1);
  if (true_text.empty() && false_text.empty())
    DatabaseError("Invalid boolean display values '" + values + "'", DataSet());
  true_text_ = true_text;
  false_text_ = false_text;
  SetPresentation(display_values_, values);
}

int32_t TBooleanField::DefaultDisplayWidth() const {
  return static_cast<int32_t>(std::max(Utf8Length(true_text_), Utf8Length(false_text_)));
}

Variant TBooleanField::AsVariant() const {
  const bool* value = StoredValue<bool>();
  return value == nullptr ? Variant::Null() : Variant(*value);
}

void TBooleanField::SetAsVariant(const Variant& value) {
  if (AssignNullOrText(value))
    return;
  SetAsBoolean(value.AsBoolean());
}

std::string TBooleanField::AsString() const {
  const bool* value = StoredValue<bool>();
  if (value == nullptr)
    return std::string();
  return *value ? true_text_ : false_text_;
}

void TBooleanField::SetAsString(std::string_view text) {
  if (text.empty()) {
    Clear();
    return;
  }
  if (StartsLike(true_text_, text)) {
    SetAsBoolean(true);
    return;
  }
  if (StartsLike(false_text_, text)) {
    SetAsBoolean(false);
    return;
  }
  throw EConvertError(db_text::InvalidBoolValue(text, DisplayName()));
}

bool TBooleanField::AsBoolean() const {
  const bool* value = StoredValue<bool>();
  return value != nullptr && *value;
}

void TBooleanField::SetAsBoolean(bool value) { StoreValue(value); }
