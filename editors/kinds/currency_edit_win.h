#pragma once
// TlxCustomCurrencyEdit: the text editor for amounts. Typed characters pass
// the decimals check of its properties, ',' and '.' become the regional
// decimal separator, and Value reads and writes the amount as a Double.

#include "editors/kinds/currency_edit_properties.h"
#include "editors/text_edit_control_win.h"

class TlxCustomCurrencyEdit : public TlxCustomTextEdit {
 public:
  static constexpr TClass kClass{"TlxCustomCurrencyEdit", &TlxCustomTextEdit::kClass,
                                 &ConstructInstance<TlxCustomCurrencyEdit>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomCurrencyEdit(TComponent* owner)
      : TlxCustomCurrencyEdit(owner, TlxCustomCurrencyEditProperties::kClass) {}

  Variant GetEditingValue() override;
  bool IsValidDataChar(char16_t ch) override;
  void PropertiesChanged(TlxCustomEditProperties* properties) override;
  void PasteFromClipboard() override;
  void ConvertDisplayToEditValue(const Variant& display_value, Variant& edit_value, bool edit_focused) override;
  void ApplyValueBounds() override;
  void HandleKeyPress(char16_t& key) override;

  TlxCustomCurrencyEditProperties* ActiveCurrencyProperties() const {
    return static_cast<TlxCustomCurrencyEditProperties*>(ActiveProperties());
  }
  // While typed and not yet validated, the number of the text (0 when it
  // is none); else the amount of the edit value.
  double Value();
  // Clamped to the bounds that apply, stored as a Double.
  void SetValue(double value);

 protected:
  TlxCustomCurrencyEdit(TComponent* owner, const TClass& properties_class);
};

class TlxCurrencyEdit : public TlxCustomCurrencyEdit {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxCurrencyEdit", &TlxCustomCurrencyEdit::kClass,
                                 &ConstructInstance<TlxCurrencyEdit>, &TlxCurrencyEdit::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCurrencyEdit(TComponent* owner) : TlxCustomCurrencyEdit(owner, TlxCurrencyEditProperties::kClass) {}

  TlxCurrencyEditProperties* GetProperties() const { return static_cast<TlxCurrencyEditProperties*>(Properties()); }
  void SetProperties(const TlxCurrencyEditProperties* value) { AssignOwnProperties(value); }
};
