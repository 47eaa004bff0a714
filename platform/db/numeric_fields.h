#pragma once
// Numeric fields. TNumericField adds the display and edit formats (the
// platform's number format syntax, "0,.###"); the integer family stores a
// 64-bit value checked against its type's range and the optional MinValue
// and MaxValue (both 0: no limit beyond the type's).

#include <cstdint>
#include <string>

#include "platform/db/field.h"

class TNumericField : public TField {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TNumericField", &TField::kClass, nullptr, &TNumericField::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TNumericField(TComponent* owner);

  const std::string& DisplayFormat() const { return display_format_; }
  void SetDisplayFormat(const std::string& format);
  const std::string& EditFormat() const { return edit_format_; }
  void SetEditFormat(const std::string& format);

  // Digits, signs (and, for fractional types, the decimal separator and
  // the exponent letters).
  bool IsValidChar(char32_t c) const override;

 protected:
  // The format for a text: DisplayFormat when displaying, else EditFormat.
  const std::string& FormatFor(bool display_text) const { return display_text ? display_format_ : edit_format_; }
  virtual bool AllowsFraction() const { return false; }

 private:
  std::string display_format_;
  std::string edit_format_;
};

// The integer family's shared behaviour over a 64-bit slot.
class TIntegralField : public TNumericField {
 public:
  static constexpr TClass kClass{"TIntegralField", &TNumericField::kClass};
  const TClass* ClassType() const override { return &kClass; }

  using TNumericField::TNumericField;

  TStorageKind StorageKind() const override { return TStorageKind::kInteger; }
  Variant AsVariant() const override;
  void SetAsVariant(const Variant& value) override;
  std::string AsString() const override;
  void SetAsString(std::string_view text) override;
  int32_t AsInteger() const override;
  void SetAsInteger(int32_t value) override { SetAsLargeInt(value); }
  int64_t AsLargeInt() const override;
  void SetAsLargeInt(int64_t value) override;
  double AsFloat() const override { return static_cast<double>(AsLargeInt()); }
  // Rounded half to even; a value outside the range raises the range error.
  void SetAsFloat(double value) override;
  Currency AsCurrency() const override;
  void SetAsCurrency(Currency value) override;

 protected:
  // The type's own range.
  virtual int64_t LowestValue() const = 0;
  virtual int64_t HighestValue() const = 0;
  // The variant of a stored value.
  virtual Variant MakeVariant(int64_t value) const { return Variant(static_cast<int32_t>(value)); }
  std::string GetText(bool display_text) const override;
  int64_t min_value_ = 0;
  int64_t max_value_ = 0;

 private:
  void CheckRange(int64_t value) const;
};

class TIntegerField : public TIntegralField {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TIntegerField", &TIntegralField::kClass, &ConstructInstance<TIntegerField>,
                                 &TIntegerField::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TIntegerField(TComponent* owner);

  int32_t MinValue() const { return static_cast<int32_t>(min_value_); }
  void SetMinValue(int32_t value) { min_value_ = value; }
  int32_t MaxValue() const { return static_cast<int32_t>(max_value_); }
  void SetMaxValue(int32_t value) { max_value_ = value; }

 protected:
  int64_t LowestValue() const override { return INT32_MIN; }
  int64_t HighestValue() const override { return INT32_MAX; }
  int32_t DefaultDisplayWidth() const override { return 11; }
};

class TSmallintField : public TIntegerField {
 public:
  static constexpr TClass kClass{"TSmallintField", &TIntegerField::kClass, &ConstructInstance<TSmallintField>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TSmallintField(TComponent* owner);

 protected:
  int64_t LowestValue() const override { return INT16_MIN; }
  int64_t HighestValue() const override { return INT16_MAX; }
  Variant MakeVariant(int64_t value) const override { return Variant::FromSmallint(static_cast<int16_t>(value)); }
  int32_t DefaultDisplayWidth() const override { return 6; }
};

class TWordField : public TIntegerField {
 public:
  static constexpr TClass kClass{"TWordField", &TIntegerField::kClass, &ConstructInstance<TWordField>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TWordField(TComponent* owner);

 protected:
  int64_t LowestValue() const override { return 0; }
  int64_t HighestValue() const override { return UINT16_MAX; }
  int32_t DefaultDisplayWidth() const override { return 5; }
};

// Numbered by the dataset when a new record is posted without a value.
class TAutoIncField : public TIntegerField {
 public:
  static constexpr TClass kClass{"TAutoIncField", &TIntegerField::kClass, &ConstructInstance<TAutoIncField>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TAutoIncField(TComponent* owner);
};

class TLargeintField : public TIntegralField {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TLargeintField", &TIntegralField::kClass, &ConstructInstance<TLargeintField>,
                                 &TLargeintField::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TLargeintField(TComponent* owner);

  int64_t MinValue() const { return min_value_; }
  void SetMinValue(int64_t value) { min_value_ = value; }
  int64_t MaxValue() const { return max_value_; }
  void SetMaxValue(int64_t value) { max_value_ = value; }

 protected:
  int64_t LowestValue() const override { return INT64_MIN; }
  int64_t HighestValue() const override { return INT64_MAX; }
  Variant MakeVariant(int64_t value) const override { return Variant(value); }
  int32_t DefaultDisplayWidth() const override { return 15; }
};
