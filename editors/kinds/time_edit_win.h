#pragma once
// TlxCustomTimeEdit: the spin edit for a time of day. Its spin value is the
// number of seconds since midnight read from the text, and a spin steps the
// field under the caret; its edit value is a date-time whose date part is
// kept from the previous value.

#include "editors/kinds/spin_edit_win.h"
#include "editors/kinds/time_edit_properties.h"

class TlxCustomTimeEdit : public TlxCustomSpinEdit {
 public:
  static constexpr TClass kClass{"TlxCustomTimeEdit", &TlxCustomSpinEdit::kClass,
                                 &ConstructInstance<TlxCustomTimeEdit>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomTimeEdit(TComponent* owner) : TlxCustomTimeEdit(owner, TlxCustomTimeEditProperties::kClass) {}

  TlxCustomTimeEditProperties* ActiveTimeProperties() const {
    return static_cast<TlxCustomTimeEditProperties*>(ActiveProperties());
  }

  // The time of day: focused, from the text; else from the edit value.
  TDateTime GetTime();
  // Keeps the date part of the value.
  void SetTime(TDateTime value);
  double DatePart() const { return date_part_; }

  // Overrides of the spin edit.
  double GetIncrement(int32_t button_index) override;
  Variant GetValue() override;
  void ValueToDisplayText(const Variant& value, std::string& text) override;
  void SetValue(const Variant& value) override;
  bool DoSpin(int32_t button_index) override;

  // Overrides of the mask and text editors.
  void Clear() override { SetTime(0); }
  Variant GetEditingValue() override;
  void GetTextForMessage(std::string& text) override { text = ShownText(); }
  bool SetTextFromMessage(const std::string& text) override { return TrySetText(text); }
  void AcceptDisplayValue(const Variant& display_value) override;
  void StoreEditValue(const Variant& value, bool is_user_action) override;
  bool IsValidDataChar(char16_t /*ch*/) override { return true; }
  void PropertiesChanged(TlxCustomEditProperties* properties) override;
  void ConvertDisplayToEditValue(const Variant& display_value, Variant& edit_value, bool edit_focused) override;

 protected:
  TlxCustomTimeEdit(TComponent* owner, const TClass& properties_class);

 private:
  // The whole days of the current value.
  double date_part_ = 0;
};

class TlxTimeEdit : public TlxCustomTimeEdit {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxTimeEdit", &TlxCustomTimeEdit::kClass, &ConstructInstance<TlxTimeEdit>,
                                 &TlxTimeEdit::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxTimeEdit(TComponent* owner) : TlxCustomTimeEdit(owner, TlxTimeEditProperties::kClass) {}

  TlxTimeEditProperties* GetProperties() const { return static_cast<TlxTimeEditProperties*>(Properties()); }
  void SetProperties(const TlxTimeEditProperties* value) { AssignOwnProperties(value); }
};
