#pragma once
// TBooleanField: true or false, shown and typed as the two texts of
// DisplayValues ("True;False" by default).

#include <string>

#include "platform/db/field.h"

class TBooleanField : public TField {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TBooleanField", &TField::kClass, &ConstructInstance<TBooleanField>,
                                 &TBooleanField::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TBooleanField(TComponent* owner);

  // "<true text>;<false text>"; either part may be empty.
  const std::string& DisplayValues() const { return display_values_; }
  void SetDisplayValues(const std::string& values);

  TStorageKind StorageKind() const override { return TStorageKind::kBoolean; }
  Variant AsVariant() const override;
  void SetAsVariant(const Variant& value) override;
  std::string AsString() const override;
  // The true or the false text, or the start of one (letter case ignored);
  // an empty text clears the value; anything else raises EConvertError.
  void SetAsString(std::string_view text) override;
  bool AsBoolean() const override;
  void SetAsBoolean(bool value) override;

 protected:
  int32_t DefaultDisplayWidth() const override;

 private:
  std::string display_values_ = "True;False";
  std::string true_text_ = "True";
  std::string false_text_ = "False";
};
