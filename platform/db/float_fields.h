#pragma once
// Fractional numeric fields: TFloatField (a double; TCurrencyField is one
// shown as money), TBCDField (a currency value with Size decimals) and
// TFMTBCDField (a decimal of up to 64 digits). The Currency flag makes the
// default texts money texts; Precision is the number of significant digits
// of the default texts.

#include "platform/db/numeric_fields.h"

class TFloatField : public TNumericField {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TFloatField", &TNumericField::kClass, &ConstructInstance<TFloatField>,
                                 &TFloatField::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TFloatField(TComponent* owner);

  bool Currency() const { return currency_; }
  void SetCurrency(bool currency);
  // 2 to 15 significant digits.
  int32_t Precision() const { return precision_; }
  void SetPrecision(int32_t precision);
  // Both 0: no limit.
  double MinValue() const { return min_value_; }
  void SetMinValue(double value) { min_value_ = value; }
  double MaxValue() const { return max_value_; }
  void SetMaxValue(double value) { max_value_ = value; }

  TStorageKind StorageKind() const override { return TStorageKind::kFloat; }
  Variant AsVariant() const override;
  void SetAsVariant(const Variant& value) override;
  std::string AsString() const override;
  void SetAsString(std::string_view text) override;
  int32_t AsInteger() const override;
  void SetAsInteger(int32_t value) override { SetAsFloat(value); }
  int64_t AsLargeInt() const override;
  void SetAsLargeInt(int64_t value) override { SetAsFloat(static_cast<double>(value)); }
  double AsFloat() const override;
  void SetAsFloat(double value) override;
  ::Currency AsCurrency() const override { return ::Currency::FromDouble(AsFloat()); }
  void SetAsCurrency(::Currency value) override { SetAsFloat(value.ToDouble()); }

 protected:
  std::string GetText(bool display_text) const override;
  bool AllowsFraction() const override { return true; }

 private:
  bool currency_ = false;
  int32_t precision_ = 15;
  double min_value_ = 0;
  double max_value_ = 0;
};

class TCurrencyField : public TFloatField {
 public:
  static constexpr TClass kClass{"TCurrencyField", &TFloatField::kClass, &ConstructInstance<TCurrencyField>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TCurrencyField(TComponent* owner);
};

class TBCDField : public TNumericField {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TBCDField", &TNumericField::kClass, &ConstructInstance<TBCDField>,
                                 &TBCDField::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TBCDField(TComponent* owner);

  bool Currency() const { return currency_; }
  void SetCurrency(bool currency);
  int32_t Precision() const { return precision_; }
  void SetPrecision(int32_t precision) { precision_ = precision; }
  ::Currency MinValue() const { return min_value_; }
  void SetMinValue(::Currency value) { min_value_ = value; }
  ::Currency MaxValue() const { return max_value_; }
  void SetMaxValue(::Currency value) { max_value_ = value; }

  TStorageKind StorageKind() const override { return TStorageKind::kCurrency; }
  Variant AsVariant() const override;
  void SetAsVariant(const Variant& value) override;
  std::string AsString() const override;
  void SetAsString(std::string_view text) override;
  int32_t AsInteger() const override;
  void SetAsInteger(int32_t value) override { SetAsCurrency(::Currency::FromInt64(value)); }
  int64_t AsLargeInt() const override { return AsCurrency().RoundToInt64(); }
  void SetAsLargeInt(int64_t value) override { SetAsCurrency(::Currency::FromInt64(value)); }
  double AsFloat() const override { return AsCurrency().ToDouble(); }
  void SetAsFloat(double value) override { SetAsCurrency(::Currency::FromDouble(value)); }
  ::Currency AsCurrency() const override;
  void SetAsCurrency(::Currency value) override;
  TBcd AsBCD() const override { return CurrToBcd(AsCurrency()); }
  void SetAsBCD(const TBcd& value) override;

 protected:
  std::string GetText(bool display_text) const override;
  bool AllowsFraction() const override { return true; }
  int32_t DefaultDisplayWidth() const override { return precision_ > 0 ? precision_ + 2 : 10; }

 private:
  bool currency_ = false;
  int32_t precision_ = 0;
  ::Currency min_value_;
  ::Currency max_value_;
};

class TFMTBCDField : public TNumericField {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TFMTBCDField", &TNumericField::kClass, &ConstructInstance<TFMTBCDField>,
                                 &TFMTBCDField::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TFMTBCDField(TComponent* owner);

  bool Currency() const { return currency_; }
  void SetCurrency(bool currency);
  int32_t Precision() const { return precision_; }
  void SetPrecision(int32_t precision) { precision_ = precision; }

  TStorageKind StorageKind() const override { return TStorageKind::kBcd; }
  Variant AsVariant() const override;
  void SetAsVariant(const Variant& value) override;
  std::string AsString() const override;
  void SetAsString(std::string_view text) override;
  int32_t AsInteger() const override;
  void SetAsInteger(int32_t value) override { SetAsBCD(IntegerToBcd(value)); }
  int64_t AsLargeInt() const override;
  void SetAsLargeInt(int64_t value) override { SetAsBCD(IntegerToBcd(value)); }
  double AsFloat() const override;
  void SetAsFloat(double value) override;
  ::Currency AsCurrency() const override;
  void SetAsCurrency(::Currency value) override { SetAsBCD(CurrToBcd(value)); }
  TBcd AsBCD() const override;
  void SetAsBCD(const TBcd& value) override;

 protected:
  std::string GetText(bool display_text) const override;
  bool AllowsFraction() const override { return true; }
  int32_t DefaultDisplayWidth() const override { return precision_ + 2; }

 private:
  bool currency_ = false;
  int32_t precision_ = 15;
};
