#pragma once
// The spin edit kind's settings and value rules, without a window: how a
// text becomes a number of the value type, how values are held within the
// bounds, how a spin step is sized and how invalid input is reported. The
// spin edit control and the time edit build on them.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "editors/filter_edit_helper.h"
#include "editors/kinds/flag_properties_values.h"
#include "editors/kinds/spin_value.h"
#include "editors/mask_edit_properties.h"

class TlxCustomSpinEditProperties;

enum TlxSpinEditButtonsPosition : uint8_t { sbpHorzLeftRight, sbpHorzRight, sbpVert };

// Turns a text that does not parse into a value: `value` out, `error_text`
// and `error` in and out.
using TlxSpinEditGetValueEvent = std::function<void(TObject* sender, const std::string& text, Variant& value,
                                                    std::string& error_text, bool& error)>;

class TlxSpinEditButtons : public TPersistent {
 public:
  using TOwnerType = TlxCustomSpinEditProperties;
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxSpinEditButtons", &TPersistent::kClass, nullptr, &TlxSpinEditButtons::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxSpinEditButtons(TlxCustomSpinEditProperties* owner) : owner_(owner) {}

  // The three settings inside the owner's update bracket.
  void Assign(const TPersistent* source) override;
  TPersistent* GetOwner() const override;

  TlxSpinEditButtonsPosition Position() const { return position_; }
  void SetPosition(TlxSpinEditButtonsPosition value);
  bool ShowFastButtons() const { return show_fast_buttons_; }
  void SetShowFastButtons(bool value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);

 private:
  template <class T>
  void Store(T& field, T value);

  TlxCustomSpinEditProperties* owner_;
  TlxSpinEditButtonsPosition position_ = sbpVert;
  bool show_fast_buttons_ = false;
  bool visible_ = true;
};

// The text kinds' assigned flags plus ValueType.
class TlxSpinEditPropertiesValues : public TlxFlagPropertiesValues<TlxSpinEditPropertiesValues> {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxSpinEditPropertiesValues", &TlxTextEditPropertiesValues::kClass,
                                 &ConstructInstance<TlxSpinEditPropertiesValues>,
                                 &TlxSpinEditPropertiesValues::Publish};
  const TClass* ClassType() const override { return &kClass; }

  using TlxFlagPropertiesValues::TlxFlagPropertiesValues;

  bool ValueType() const { return value_type_; }
  void SetValueType(bool value) { StoreFlag(value_type_, value); }

 private:
  friend class TlxFlagPropertiesValues<TlxSpinEditPropertiesValues>;
  static constexpr auto Flags() { return std::array{&TlxSpinEditPropertiesValues::value_type_}; }

  bool value_type_ = false;
};

// What validation needs of a spin edit control: whether the user typed
// since the last refresh, its reading of a text, and its current value.
class IlxSpinEditValueSource : public virtual IInterface {
 public:
  virtual bool IsTextTyped() const = 0;
  // The control's TextToValue without raising: false when the text was not
  // understood; `value` is then the last valid value.
  virtual bool ReadDisplayText(const Variant& display_value, std::string& error_text, Variant& value) = 0;
  virtual Variant CurrentValue() = 0;
};

class TlxCustomSpinEditProperties : public TlxCustomMaskEditProperties {
 public:
  static constexpr TClass kClass{"TlxCustomSpinEditProperties", &TlxCustomMaskEditProperties::kClass,
                                 &ConstructInstance<TlxCustomSpinEditProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TPersistent;

  explicit TlxCustomSpinEditProperties(TPersistent* owner);
  ~TlxCustomSpinEditProperties() override;

  void Assign(const TPersistent* source) override;
  void DefineProperties(TFiler& filer) override;

  // Virtual operations, in the order of their slots.
  virtual bool IsBoundsLimited() const { return true; }
  virtual TlxSpinBoundsMode GetBoundsMode() const;
  // The applying bound, else the type's, in the value type.
  virtual void GetMaxValue(Variant& value) const;
  virtual void GetMinValue(Variant& value) const;
  virtual bool ChecksTextRange() const { return true; }
  // A blank value (Null, Empty or an empty text) becomes 0, then the value type.
  virtual void PrepareValue(const Variant& value, Variant& result) const;
  virtual bool PreserveSelection() const { return false; }

  // Overrides of the text and mask kinds.
  using TlxCustomEditProperties::GetMaxValue;
  using TlxCustomEditProperties::GetMinValue;
  void Changed() override;
  const TClass& GetAssignedValuesClass() const override { return TlxSpinEditPropertiesValues::kClass; }
  const TClass* GetEditControlClass() const override;
  TlxEditViewDataClass GetViewDataClass() const override;
  TlxEditViewInfoClass GetViewInfoClass() const override;
  bool IsNumericValue() const override { return true; }
  int32_t CanUseFieldDisplayFormat(bool edit_focused) const override;
  void GetEmptyEditValue(Variant& value) const override;
  bool IsNewTextAcceptable(Variant& value, bool edit_focused) const override;
  bool IsEditValueValid(Variant& edit_value, bool edit_focused) const override;
  // A text that does not parse, without ExceptionOnInvalidInput, takes the
  // edit's last valid value and passes: the error would carry no message.
  void ValidateDisplayValue(Variant& display_value, std::string& error_text, bool& error,
                            IlxEditControl* edit) override;

  // The value type's limit (`maximum` false: the minimum).
  Variant GetTypeBound(bool maximum) const { return lxSpinTypeBound(GetValueType(), maximum); }
  static Variant DoubleAsValueType(TlxSpinEditValueType type, double x) { return lxDoubleAsValueType(type, x); }
  bool IsInTypeRange(double x) const { return lxIsInSpinTypeRange(GetValueType(), x); }
  Variant ToValueType(const Variant& value) const { return lxSpinToValueType(GetValueType(), value); }
  // Numeric values in the value type; others copied.
  Variant SetVariantType(const Variant& value) const;
  // A numeric value held to the applying bounds; others pass.
  void CheckValueBounds(const Variant& value, Variant& result) const;
  // A float in the locale's format within the type's range, or a 64-bit
  // integer; on success `value` is in the value type.
  bool TextToValue(const std::string& text, Variant& value) const;
  // 0 brought into the bounds, in the value type.
  Variant ZeroInBounds() const;
  // The plain text of a value in the value type.
  std::string ValueToPlainText(const Variant& value) const;

  // The assigned type; else vtFloat for float data, vtInt for other data,
  // vtFloat without data.
  TlxSpinEditValueType GetValueType() const;
  void SetValueType(TlxSpinEditValueType value);
  TlxSpinEditPropertiesValues* AssignedSpinValues() const;

  TlxSpinEditButtons* SpinButtons() const { return spin_buttons_.get(); }
  void SetSpinButtons(const TlxSpinEditButtons* value) { spin_buttons_->Assign(value); }
  bool CanEdit() const { return can_edit_; }
  void SetCanEdit(bool value) { Store(can_edit_, value); }
  bool Circular() const { return circular_; }
  void SetCircular(bool value) { Store(circular_, value); }
  double Increment() const { return increment_; }
  void SetIncrement(double value) { Store(increment_, value); }
  double LargeIncrement() const { return large_increment_; }
  void SetLargeIncrement(double value) { Store(large_increment_, value); }
  bool ExceptionOnInvalidInput() const { return exception_on_invalid_input_; }
  void SetExceptionOnInvalidInput(bool value) { Store(exception_on_invalid_input_, value); }
  bool UseCtrlIncrement() const { return use_ctrl_increment_; }
  void SetUseCtrlIncrement(bool value) { Store(use_ctrl_increment_, value); }

  TlxSpinEditGetValueEvent OnGetValue;

 protected:
  // The value type a kind starts with, marked as assigned.
  void InitValueType(TlxSpinEditValueType value);

 private:
  // Makes the edit buttons match the spin buttons: none, two or four.
  void SyncEditButtons();

  std::unique_ptr<TlxSpinEditButtons> spin_buttons_;
  bool can_edit_ = true;
  bool circular_ = false;
  double increment_ = 1.0;
  double large_increment_ = 10.0;
  bool exception_on_invalid_input_ = false;
  bool use_ctrl_increment_ = false;
  TlxSpinEditValueType value_type_ = vtFloat;
  bool syncing_buttons_ = false;
};

class TlxSpinEditProperties : public TlxCustomSpinEditProperties {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxSpinEditProperties", &TlxCustomSpinEditProperties::kClass,
                                 &ConstructInstance<TlxSpinEditProperties>, &TlxSpinEditProperties::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomSpinEditProperties::TlxCustomSpinEditProperties;
};

// The spin edit's published settings that the time edit shares.
void lxPublishSpinEditCommonSettings(TPropertyListBuilder& properties);

// The spin edit's reading of a text (the edit's TextToValue): the
// properties' parse, then the OnGetValue handlers (own properties first,
// then the repository item's), then the last valid value. Raises
// ElxEditError only with `raise` and ExceptionOnInvalidInput (a handler's
// exception re-raises with `raise`). An empty text gives 0 in the bounds
// when the data requires a value, else Null. The answer is whether the
// text was understood.
bool lxSpinEditTextToValue(TlxCustomSpinEditProperties& properties, TlxCustomSpinEditProperties* repository_properties,
                           TObject* sender, const std::string& text, bool raise, const Variant& last_valid_value,
                           std::string& error_text, Variant& value);

// How a filter operand of a spin column is typed: with a spin edit whose
// text can always be typed.
class TlxFilterSpinEditHelper : public TlxCustomFilterEditHelper {
 public:
  static constexpr TClass kClass{"TlxFilterSpinEditHelper", &TlxCustomFilterEditHelper::kClass};
  const TClass* ClassType() const override { return &kClass; }

  bool KeepsEditButtons() const override { return true; }
  TClassRef GetValueEditorClass() const override;
  // The comparisons, blank and non-blank, and with the extended set
  // between and in; never like.
  void GetSupportedOperators(const TlxCustomEditProperties* properties, TlxValueTypeClass value_type,
                             TlxFilterConditionOperators& operators, bool extended) const override;
  void InitValueEditorProperties(TlxCustomEditProperties* properties, const TlxCustomEditProperties* source_properties,
                                 bool keep_buttons) const override;
};

// The spin edit module: the editor kind and its filter helper.
void lxSpinEditModuleStart();
void lxSpinEditModuleEnd();
