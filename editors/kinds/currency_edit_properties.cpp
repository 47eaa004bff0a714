#include "editors/kinds/currency_edit_properties.h"

#include <algorithm>
#include <charconv>

#include "data/format_controller.h"
#include "data/variant_utils.h"
#include "editors/edit_repository.h"
#include "editors/edit_strings.h"
#include "platform/rtl/decimal_digits.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/strings.h"
#include "platform/rtl/text.h"
#include "ui/foundation/base/module_start_count.h"

namespace {

// 0.d1d2... x 10^exponent against the accepted magnitudes 1.7e308
// (0.17 x 10^309) and 5.0e-324 (0.5 x 10^-323), compared on the exact
// digits, as a wider float type would before narrowing.
bool IsWithinDoubleRange(const TDecimalDigits& number) {
  if (number.exponent > 309 || (number.exponent == 309 && number.digits > "17"))
    return false;
  return number.exponent > -323 || (number.exponent == -323 && number.digits >= "5");
}

double ToDouble(const TDecimalDigits& number) {
  const std::string text =
      number.digits + "e" + std::to_string(number.exponent - static_cast<int>(number.digits.size()));
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc())
    value = 0;  // cannot happen within the checked range; 0 keeps the caller sound
  return number.negative ? -value : value;
}

bool IsNumericChar(char16_t ch, char decimal_separator) {
  return (ch >= u'0' && ch <= u'9') || ch == u'+' || ch == u'-' || ch == u'e' || ch == u'E' ||
         ch == static_cast<char16_t>(static_cast<unsigned char>(decimal_separator));
}

}  // namespace

// --- TlxCurrencyEditPropertiesValues ----------------------------------------------------------

void TlxCurrencyEditPropertiesValues::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxCurrencyEditPropertiesValues>();
  p.Boolean("DecimalPlaces", &TlxCurrencyEditPropertiesValues::DecimalPlaces,
            &TlxCurrencyEditPropertiesValues::SetDecimalPlaces, false);
}

// --- TlxCustomCurrencyEditProperties ----------------------------------------------------------

TlxCustomCurrencyEditProperties::TlxCustomCurrencyEditProperties(TPersistent* owner)
    : TlxCustomTextEditProperties(owner) {
  ReplaceAssignedValues(std::make_unique<TlxCurrencyEditPropertiesValues>(this));
  SetValidateOnEnter(true);
}

TlxCurrencyEditPropertiesValues* TlxCustomCurrencyEditProperties::AssignedCurrencyValues() const {
  return static_cast<TlxCurrencyEditPropertiesValues*>(AssignedValues());
}

void TlxCustomCurrencyEditProperties::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomCurrencyEditProperties*>(source);
  if (other == nullptr) {
    TlxCustomTextEditProperties::Assign(source);
    return;
  }
  TUpdateScope<TlxCustomEditProperties> update(*this);
  TlxCustomTextEditProperties::Assign(source);
  AssignedCurrencyValues()->SetDecimalPlaces(false);
  if (other->AssignedCurrencyValues()->DecimalPlaces())
    SetDecimalPlaces(other->decimal_places_);
  SetNullable(other->nullable_);
  SetNullString(other->null_string_);
  SetUseThousandSeparator(other->use_thousand_separator_);
}

bool TlxCustomCurrencyEditProperties::TryParseCurrencyText(std::string_view text, double& number) {
  number = 0;
  std::string rest(text);
  lxRemoveThousandSeparators(rest);
  TDecimalDigits digits;
  if (ParseDecimalText(rest, UserLocale().Settings().DecimalSeparator, digits) &&
      (digits.IsZero() || IsWithinDoubleRange(digits))) {
    number = digits.IsZero() ? 0.0 : ToDouble(digits);
    return true;
  }
  return rest.empty();
}

void TlxCustomCurrencyEditProperties::ConvertToDisplayValue(const Variant& edit_value, Variant& display_value,
                                                            bool edit_focused) const {
  if (lxVariantIsBlank(edit_value)) {
    if (edit_focused)
      display_value = Variant(std::string());
    else if (nullable_)
      display_value = Variant(null_string_);
    else
      TlxCustomTextEditProperties::ConvertToDisplayValue(Variant(0.0), display_value, false);
    return;
  }
  // A text that is no number fails the numeric conversion like a value of
  // a wrong type does.
  if (edit_value.IsText() && !lxIsNumberText(VarToStr(edit_value))) {
    display_value = edit_focused ? Variant(std::string()) : edit_value;
    return;
  }
  try {
    TlxCustomTextEditProperties::ConvertToDisplayValue(edit_value, display_value, edit_focused);
  } catch (const EConvertError&) {
    display_value = edit_focused ? Variant(std::string()) : edit_value;
  } catch (const EVariantError&) {
    display_value = edit_focused ? Variant(std::string()) : edit_value;
  }
}

void TlxCustomCurrencyEditProperties::ValidateDisplayValue(Variant& display_value, std::string& error_text,
                                                           bool& error, IlxEditControl* edit) {
  double number = 0;
  if (!TryParseCurrencyText(VarToStrDef(display_value, ""), number))
    error = true;
  TlxCustomTextEditProperties::ValidateDisplayValue(display_value, error_text, error, edit);
}

int32_t TlxCustomCurrencyEditProperties::CanUseFieldDisplayFormat(bool edit_focused) const {
  if (edit_focused)
    return 0;
  return DefaultValuesProvider() != nullptr && DefaultValuesProvider()->HasImplicitDisplayFormat() ? 1 : 0;
}

void TlxCustomCurrencyEditProperties::GetDefaultDisplayFormat(std::string& format) const {
  format = lxGetFormatController().CurrencyDisplayFormat();
}

bool TlxCustomCurrencyEditProperties::IsNewTextAcceptable(Variant& value, bool edit_focused) const {
  if (!edit_focused || HasEditFormatInForce())
    return true;
  const std::string text(TrimBlanks(VarToStrDef(value, "")));
  double number = 0;
  if (!TryParseCurrencyText(text, number))
    return false;
  value = Variant(text);
  return true;
}

bool TlxCustomCurrencyEditProperties::HasEditFormatInForce() const {
  bool is_currency = false;
  bool use_implicit_format = false;
  std::string format;
  GetEditFormat(is_currency, use_implicit_format, format, nullptr);
  return !format.empty() || use_implicit_format;
}

bool TlxCustomCurrencyEditProperties::PassesDecimalsCheck(std::string_view text) const {
  const size_t separator = text.find(UserLocale().Settings().DecimalSeparator);
  if (separator != std::string_view::npos) {
    size_t end = text.find_first_of("Ee", separator + 1);
    if (end == std::string_view::npos)
      end = text.size();
    const auto decimals = std::count_if(text.begin() + static_cast<std::ptrdiff_t>(separator) + 1,
                                        text.begin() + static_cast<std::ptrdiff_t>(end),
                                        [](char c) { return c >= '0' && c <= '9'; });
    if (decimals > DecimalPlaces())
      return false;
  }
  double number = 0;
  return TryParseCurrencyText(text, number);
}

int32_t TlxCustomCurrencyEditProperties::DecimalPlaces() const {
  if (AssignedCurrencyValues()->DecimalPlaces())
    return decimal_places_;
  return UserLocale().Settings().CurrencyDecimals;
}

void TlxCustomCurrencyEditProperties::SetDecimalPlaces(int32_t value) {
  TlxCurrencyEditPropertiesValues* values = AssignedCurrencyValues();
  if (values->decimal_places_ && decimal_places_ == value)
    return;
  values->decimal_places_ = true;
  decimal_places_ = value;
  Changed();
}

// --- TlxCurrencyEditProperties ----------------------------------------------------------------

void TlxCurrencyEditProperties::Publish(TPropertyListBuilder& properties) {
  lxPublishTextEditSettings(properties);
  using P = TlxCustomCurrencyEditProperties;
  auto p = properties.For<P>();
  p.Persistent("AssignedValues", TlxCurrencyEditPropertiesValues::kClass, &P::AssignedCurrencyValues);
  p.Integer("DecimalPlaces", &P::DecimalPlaces, &P::SetDecimalPlaces).Stored = [](const TPersistent& self) {
    return static_cast<const P&>(self).DecimalPlacesNeedsStoring();
  };
  p.String("DisplayFormat", &P::DisplayFormat, &P::SetDisplayFormat).Stored = [](const TPersistent& self) {
    return static_cast<const P&>(self).DisplayFormatNeedsStoring();
  };
  p.String("EditFormat", &P::EditFormat, &P::SetEditFormat).Stored = [](const TPersistent& self) {
    return static_cast<const P&>(self).EditFormatNeedsStoring();
  };
  p.Float("MaxValue", &P::MaxValue, &P::SetMaxValue).Stored = [](const TPersistent& self) {
    return static_cast<const P&>(self).MaxValueNeedsStoring();
  };
  p.Float("MinValue", &P::MinValue, &P::SetMinValue).Stored = [](const TPersistent& self) {
    return static_cast<const P&>(self).MinValueNeedsStoring();
  };
  p.Boolean("Nullable", &P::Nullable, &P::SetNullable, true);
  p.String("NullString", &P::NullString, &P::SetNullString);
  p.Boolean("UseDisplayFormatWhenEditing", &P::UseDisplayFormatWhenEditing, &P::SetUseDisplayFormatWhenEditing,
            false);
  p.Boolean("UseThousandSeparator", &P::UseThousandSeparator, &P::SetUseThousandSeparator, false);
  p.Boolean("ValidateOnEnter", &P::ValidateOnEnter, &P::SetValidateOnEnter, true);
}

// --- TlxFilterCurrencyEditHelper ---------------------------------------------------------------

void TlxFilterCurrencyEditHelper::GetSupportedOperators(const TlxCustomEditProperties* /*properties*/,
                                                        TlxValueTypeClass /*value_type*/,
                                                        TlxFilterConditionOperators& operators,
                                                        bool extended) const {
  operators = TlxFilterConditionOperators{fcoEqual,   fcoNotEqual,     fcoLess,   fcoLessEqual,
                                          fcoGreater, fcoGreaterEqual, fcoBlanks, fcoNonBlanks};
  if (!extended)
    return;
  for (TlxFilterConditionOperator op : {fcoBetween, fcoNotBetween, fcoInList, fcoNotInList})
    operators.Include(op);
}

void TlxFilterCurrencyEditHelper::InitValueEditorProperties(TlxCustomEditProperties* properties,
                                                            const TlxCustomEditProperties* source_properties,
                                                            bool keep_buttons) const {
  TlxCustomFilterEditHelper::InitValueEditorProperties(properties, source_properties, keep_buttons);
  properties->SetMinValue(0);
  properties->SetMaxValue(0);
  if (auto* currency = dynamic_cast<TlxCustomCurrencyEditProperties*>(properties)) {
    currency->SetNullable(true);
    currency->SetNullString(std::string());
  }
}

// --- the control's value rules ------------------------------------------------------------------

Variant lxCurrencyTextToEditValue(const TlxCustomCurrencyEditProperties& properties, std::string_view text) {
  double number = 0;
  if (!text.empty() && text != properties.NullString() &&
      TlxCustomCurrencyEditProperties::TryParseCurrencyText(text, number))
    return Variant(number);
  return properties.Nullable() ? Variant::Null() : Variant(Currency());
}

bool lxCurrencyEditAcceptsChar(const TlxCustomCurrencyEditProperties& properties, std::string_view text,
                               size_t selection_start, size_t selection_length, char16_t ch) {
  const TFormatSettings& settings = UserLocale().Settings();
  const bool thousand_separator =
      properties.UseThousandSeparator() &&
      ch == static_cast<char16_t>(static_cast<unsigned char>(settings.ThousandSeparator));
  if (!IsNumericChar(ch, settings.DecimalSeparator) && !thousand_separator)
    return false;
  if (properties.HasEditFormatInForce() && !properties.PassesDecimalsCheck(text))
    return true;
  selection_start = std::min(selection_start, text.size());
  selection_length = std::min(selection_length, text.size() - selection_start);
  std::string result(text.substr(0, selection_start));
  AppendUtf8(result, ch);
  result += text.substr(selection_start + selection_length);
  if (result == "-")
    return true;
  return properties.PassesDecimalsCheck(result);
}

char16_t lxCurrencyEditMapKey(const TlxCustomCurrencyEditProperties& properties, char16_t key) {
  const TFormatSettings& settings = UserLocale().Settings();
  if (properties.UseThousandSeparator() &&
      key == static_cast<char16_t>(static_cast<unsigned char>(settings.ThousandSeparator)))
    return key;
  if (key == u',' || key == u'.')
    return static_cast<char16_t>(static_cast<unsigned char>(settings.DecimalSeparator));
  return key;
}

double lxCurrencyValueOf(const Variant& edit_value) {
  if (edit_value.IsNull() || edit_value.IsEmpty())
    return 0;
  if (edit_value.IsText()) {
    double number = 0;
    TlxCustomCurrencyEditProperties::TryParseCurrencyText(TrimBlanks(edit_value.AsString()), number);
    return number;
  }
  try {
    return edit_value.AsDouble();
  } catch (const EVariantError&) {
    return 0;
  }
}

double lxClampCurrencyValue(const TlxCustomCurrencyEditProperties& properties, double value) {
  if (properties.IsValueBoundSet(0) && properties.MinValue() > value)
    return properties.MinValue();
  if (properties.IsValueBoundSet(1) && value > properties.MaxValue())
    return properties.MaxValue();
  return value;
}

// --- module -------------------------------------------------------------------------------------

namespace {

TlxModuleStartCount& CurrencyEditModule() {
  static TlxModuleStartCount count;
  return count;
}

}  // namespace

void lxCurrencyEditModuleStart() {
  CurrencyEditModule().Start([] {
    RegisterStreamableClasses({&TlxCurrencyEditProperties::kClass, &TlxEditRepositoryCurrencyItem::kClass});
    lxGetRegisteredEditProperties().AddClass(&TlxCurrencyEditProperties::kClass,
                                             lxEditResString(slxSEditRepositoryCurrencyItem));
    lxGetFilterEditsController().RegisterHelper(&TlxCurrencyEditProperties::kClass,
                                                &StatelessInstance<TlxFilterCurrencyEditHelper>());
  });
}

void lxCurrencyEditModuleEnd() {
  CurrencyEditModule().End([] {
    if (lxFilterEditsControllerExists())
      lxGetFilterEditsController().UnregisterHelper(&TlxCurrencyEditProperties::kClass,
                                                    &StatelessInstance<TlxFilterCurrencyEditHelper>());
  });
}
