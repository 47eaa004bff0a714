#pragma once
// The currency editor's settings and conversions: amounts shown through a
// number format ("0,.###" gives the file list's "1.234.567" under German
// settings) and typed text read back as a Double, with at most
// DecimalPlaces typed decimals. The grid draws every size cell through the
// display conversion, so it never raises for a value it cannot convert.

#include <cstdint>
#include <string>
#include <string_view>

#include "editors/edit_repository_items.h"
#include "editors/filter_edit_helper.h"
#include "editors/kinds/flag_properties_values.h"
#include "editors/text_edit_properties.h"

// The text flags plus DecimalPlaces.
class TlxCurrencyEditPropertiesValues : public TlxFlagPropertiesValues<TlxCurrencyEditPropertiesValues> {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxCurrencyEditPropertiesValues", &TlxTextEditPropertiesValues::kClass,
                                 &ConstructInstance<TlxCurrencyEditPropertiesValues>,
                                 &TlxCurrencyEditPropertiesValues::Publish};
  const TClass* ClassType() const override { return &kClass; }

  using TlxFlagPropertiesValues::TlxFlagPropertiesValues;

  bool DecimalPlaces() const { return decimal_places_; }
  void SetDecimalPlaces(bool value) { StoreFlag(decimal_places_, value); }

 private:
  friend class TlxCustomCurrencyEditProperties;
  friend class TlxFlagPropertiesValues<TlxCurrencyEditPropertiesValues>;
  static constexpr auto Flags() { return std::array{&TlxCurrencyEditPropertiesValues::decimal_places_}; }

  bool decimal_places_ = false;
};

class TlxCustomCurrencyEditProperties : public TlxCustomTextEditProperties {
 public:
  static constexpr TClass kClass{"TlxCustomCurrencyEditProperties", &TlxCustomTextEditProperties::kClass,
                                 &ConstructInstance<TlxCustomCurrencyEditProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TPersistent;

  explicit TlxCustomCurrencyEditProperties(TPersistent* owner);

  void Assign(const TPersistent* source) override;

  // Overrides of the base kinds.
  const TClass& GetAssignedValuesClass() const override { return TlxCurrencyEditPropertiesValues::kClass; }
  uint32_t GetDisplayFormatOptions() const override { return kLxDisplayFormatFromData | kLxDisplayFormatNotInplace; }
  // TlxCurrencyEdit (Windows; none natively).
  const TClass* GetEditControlClass() const override;
  // A value the numeric conversion cannot read shows unchanged when not
  // focused and as the empty text when focused.
  void ConvertToDisplayValue(const Variant& edit_value, Variant& display_value, bool edit_focused) const override;
  void ValidateDisplayValue(Variant& display_value, std::string& error_text, bool& error,
                            IlxEditControl* edit) override;
  int32_t CanUseFieldDisplayFormat(bool edit_focused) const override;
  void GetDefaultDisplayFormat(std::string& format) const override;
  bool ShowsThousandSeparators(bool refreshing_display) const override {
    return !refreshing_display && use_thousand_separator_;
  }
  bool IsNumericValue() const override { return true; }
  bool IsNewTextAcceptable(Variant& value, bool edit_focused) const override;

  // The parser behind every text-to-number step: thousand separators are
  // dropped wherever they stand, the rest must be a number that is 0 or of
  // a magnitude from 5.0e-324 to 1.7e308. An empty text reads as 0; every
  // failure leaves `number` 0.
  static bool TryParseCurrencyText(std::string_view text, double& number);

  // Whether an edit format (or the bound field's own formatting) rules the
  // focused text, which the decimals check then leaves alone.
  bool HasEditFormatInForce() const;
  // The decimals check of typed text: no more than DecimalPlaces digits
  // after the decimal separator (an exponent's digits do not count), and
  // the text must parse.
  bool PassesDecimalsCheck(std::string_view text) const;

  TlxCurrencyEditPropertiesValues* AssignedCurrencyValues() const;
  // The local value when assigned, else the regional currency decimals.
  int32_t DecimalPlaces() const;
  void SetDecimalPlaces(int32_t value);
  bool DecimalPlacesNeedsStoring() const { return AssignedCurrencyValues()->DecimalPlaces(); }
  bool Nullable() const { return nullable_; }
  void SetNullable(bool value) { Store(nullable_, value); }
  const std::string& NullString() const { return null_string_; }
  void SetNullString(const std::string& value) { Store(null_string_, value); }
  bool UseThousandSeparator() const { return use_thousand_separator_; }
  void SetUseThousandSeparator(bool value) { Store(use_thousand_separator_, value); }

 private:
  int32_t decimal_places_ = 2;
  bool nullable_ = true;
  std::string null_string_;
  bool use_thousand_separator_ = false;
};

class TlxCurrencyEditProperties : public TlxCustomCurrencyEditProperties {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxCurrencyEditProperties", &TlxCustomCurrencyEditProperties::kClass,
                                 &ConstructInstance<TlxCurrencyEditProperties>, &TlxCurrencyEditProperties::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomCurrencyEditProperties::TlxCustomCurrencyEditProperties;
};

class TlxEditRepositoryCurrencyItem
    : public TlxEditRepositoryItemOf<TlxEditRepositoryCurrencyItem, TlxCurrencyEditProperties> {
 public:
  static constexpr TClass kClass{"TlxEditRepositoryCurrencyItem", &TlxEditRepositoryItem::kClass,
                                 &ConstructInstance<TlxEditRepositoryCurrencyItem>,
                                 &TlxEditRepositoryCurrencyItem::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxEditRepositoryItemOf::TlxEditRepositoryItemOf;
};

// Prepares the filter builder's currency operands: no bounds, nullable,
// and never the like operators.
class TlxFilterCurrencyEditHelper : public TlxCustomFilterEditHelper {
 public:
  static constexpr TClass kClass{"TlxFilterCurrencyEditHelper", &TlxCustomFilterEditHelper::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // TlxCurrencyEdit (Windows; none natively).
  TClassRef GetValueEditorClass() const override;

  void GetSupportedOperators(const TlxCustomEditProperties* properties, TlxValueTypeClass value_type,
                             TlxFilterConditionOperators& operators, bool extended) const override;
  void InitValueEditorProperties(TlxCustomEditProperties* properties, const TlxCustomEditProperties* source_properties,
                                 bool keep_buttons) const override;
};

// The editor control's value rules, kept apart from the window so that
// both builds check them.

// The edit value of a typed or shown text: the number when the text is
// neither empty nor NullString and parses; else Null (Nullable) or the
// currency 0.
Variant lxCurrencyTextToEditValue(const TlxCustomCurrencyEditProperties& properties, std::string_view text);
// Whether a typed character is taken into `text` whose selection spans
// [selection_start, selection_start + selection_length) (UTF-8 bytes).
bool lxCurrencyEditAcceptsChar(const TlxCustomCurrencyEditProperties& properties, std::string_view text,
                               size_t selection_start, size_t selection_length, char16_t ch);
// A typed ',' or '.' becomes the regional decimal separator, unless it is
// the thousand separator that UseThousandSeparator lets through.
char16_t lxCurrencyEditMapKey(const TlxCustomCurrencyEditProperties& properties, char16_t key);
// The amount an edit value stands for: 0 for Null and for text that does
// not parse ("1e20" reads as 1e20).
double lxCurrencyValueOf(const Variant& edit_value);
// The amount clamped to the bounds that apply.
double lxClampCurrencyValue(const TlxCustomCurrencyEditProperties& properties, double value);

// The module start and end: the editor kind and its filter helper.
void lxCurrencyEditModuleStart();
void lxCurrencyEditModuleEnd();
