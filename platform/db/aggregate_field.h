#pragma once
// TAggregateField: a value computed over many records (a sum, a count),
// listed in the dataset's AggFields rather than in its record fields. The
// dataset keeps no aggregate engine: whoever computes the value stores it
// with SetAsVariant, and it stays until replaced.

#include <string>

#include "platform/db/field.h"

class TAggregateField : public TField {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TAggregateField", &TField::kClass, &ConstructInstance<TAggregateField>,
                                 &TAggregateField::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TAggregateField(TComponent* owner);

  const std::string& Expression() const { return expression_; }
  void SetExpression(const std::string& expression) { expression_ = expression; }
  bool Active() const { return active_; }
  void SetActive(bool active) { active_ = active; }
  bool Currency() const { return currency_; }
  void SetCurrency(bool currency) { currency_ = currency; }
  const std::string& DisplayFormat() const { return display_format_; }
  void SetDisplayFormat(const std::string& format) { display_format_ = format; }
  int32_t Precision() const { return precision_; }
  void SetPrecision(int32_t precision) { precision_ = precision; }

  TStorageKind StorageKind() const override { return TStorageKind::kText; }
  bool CanModify() const override { return false; }
  bool IsNull() const override { return value_.IsNull() || value_.IsEmpty(); }
  Variant AsVariant() const override { return IsNull() ? Variant::Null() : value_; }
  void SetAsVariant(const Variant& value) override { value_ = value; }
  std::string AsString() const override { return VarToStr(value_); }
  int32_t AsInteger() const override { return IsNull() ? 0 : value_.AsInteger(); }
  int64_t AsLargeInt() const override { return IsNull() ? 0 : value_.AsInt64(); }
  double AsFloat() const override { return IsNull() ? 0.0 : value_.AsDouble(); }
  ::Currency AsCurrency() const override { return IsNull() ? ::Currency() : value_.AsCurrency(); }

 protected:
  std::string GetText(bool display_text) const override;

 private:
  Variant value_;
  std::string expression_;
  std::string display_format_;
  int32_t precision_ = 15;
  bool active_ = false;
  bool currency_ = false;
};
