#pragma once
// The calculator editor: a numeric text editor whose drop-down is a pocket
// calculator working directly on the editor's text. Focused, the value
// shows with Precision significant digits (general or exponent form);
// unfocused an assigned DisplayFormat rules. Closing the calculator posts
// its result; an "Error" left on the display becomes 0.

#include <windows.h>

#include <string>

#include "editors/filter_edit_helper.h"
#include "editors/kinds/flag_properties_values.h"
#include "editors/kinds/calculator_win.h"
#include "editors/popup_edit_win.h"
#include "editors/text_edit_control_win.h"

// The text flags plus Precision.
class TlxCalcEditPropertiesValues : public TlxFlagPropertiesValues<TlxCalcEditPropertiesValues> {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxCalcEditPropertiesValues", &TlxTextEditPropertiesValues::kClass,
                                 &ConstructInstance<TlxCalcEditPropertiesValues>,
                                 &TlxCalcEditPropertiesValues::Publish};
  const TClass* ClassType() const override { return &kClass; }

  using TlxFlagPropertiesValues::TlxFlagPropertiesValues;

  bool Precision() const { return precision_; }
  void SetPrecision(bool value) { StoreFlag(precision_, value); }

 private:
  friend class TlxFlagPropertiesValues<TlxCalcEditPropertiesValues>;
  static constexpr auto Flags() { return std::array{&TlxCalcEditPropertiesValues::precision_}; }

  bool precision_ = false;
};

class TlxCustomCalcEditProperties : public TlxCustomPopupEditProperties {
 public:
  static constexpr TClass kClass{"TlxCustomCalcEditProperties", &TlxCustomPopupEditProperties::kClass,
                                 &ConstructInstance<TlxCustomCalcEditProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TPersistent;

  explicit TlxCustomCalcEditProperties(TPersistent* owner);

  void Assign(const TPersistent* source) override;

  const TClass& GetAssignedValuesClass() const override { return TlxCalcEditPropertiesValues::kClass; }
  const TClass* GetEditControlClass() const override;
  bool IsEditValueValid(Variant& edit_value, bool edit_focused) const override;
  void ConvertToDisplayValue(const Variant& edit_value, Variant& display_value, bool edit_focused) const override;
  void ValidateDisplayValue(Variant& display_value, std::string& error_text, bool& error,
                            IlxEditControl* edit) override;
  int32_t CanUseFieldDisplayFormat(bool edit_focused) const override;
  bool ShowsThousandSeparators(bool /*refreshing_display*/) const override {
    return use_thousand_separator_ && !scientific_format_;
  }
  bool IsNumericValue() const override { return true; }
  bool IsNewTextAcceptable(Variant& /*value*/, bool /*edit_focused*/) const override { return true; }
  bool PostsValueAfterPopupClosed() const override { return true; }
  bool PopupAdjustsToWorkArea() const override { return false; }

  TlxCalcEditPropertiesValues* AssignedCalcValues() const;
  // The assigned value, else the bound data's suggestion, else 15; 16 or
  // more read as 15.
  int32_t Precision() const;
  void SetPrecision(int32_t value);
  bool PrecisionNeedsStoring() const { return AssignedCalcValues()->Precision(); }
  bool QuickClose() const { return quick_close_; }
  void SetQuickClose(bool value) { Store(quick_close_, value); }
  bool ScientificFormat() const { return scientific_format_; }
  void SetScientificFormat(bool value) { Store(scientific_format_, value); }
  bool UseThousandSeparator() const { return use_thousand_separator_; }
  void SetUseThousandSeparator(bool value) { Store(use_thousand_separator_, value); }

 private:
  int32_t precision_ = 15;
  bool quick_close_ = false;
  bool scientific_format_ = false;
  bool use_thousand_separator_ = false;
};

class TlxCalcEditProperties : public TlxCustomCalcEditProperties {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxCalcEditProperties", &TlxCustomCalcEditProperties::kClass,
                                 &ConstructInstance<TlxCalcEditProperties>, &TlxCalcEditProperties::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomCalcEditProperties::TlxCustomCalcEditProperties;
};

class TlxCustomCalcEdit;

// The calculator of the editor's drop-down: its display is the editor's
// text, its keys close the drop-down.
class TlxPopupCalculator : public TlxCustomCalculator {
 public:
  static constexpr TClass kClass{"TlxPopupCalculator", &TlxCustomCalculator::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxPopupCalculator(TComponent* owner, TlxCustomCalcEdit* edit);

  TlxPainterClass GetCalculatorPainter() override;
  void GetDisplayText(std::string& text) override;
  void SetDisplayText(const std::string& text) override;
  // The key-held button is forgotten when the popup shows.
  void ResetKeyButton();
  // Lays the buttons out for the current font.
  void FitToFont();

  TlxCustomCalcEdit* Edit() const { return edit_; }

 protected:
  bool IsPopupMode() const override { return true; }
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char16_t& key) override;

 private:
  TlxCustomCalcEdit* edit_;
};

class TlxCustomCalcEdit : public TlxCustomPopupEdit {
 public:
  static constexpr TClass kClass{"TlxCustomCalcEdit", &TlxCustomPopupEdit::kClass,
                                 &ConstructInstance<TlxCustomCalcEdit>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomCalcEdit(TComponent* owner) : TlxCustomCalcEdit(owner, TlxCustomCalcEditProperties::kClass) {}

  Variant GetEditingValue() override;
  bool IsValidDataChar(char16_t ch) override;
  void PropertiesChanged(TlxCustomEditProperties* properties) override;
  void PasteFromClipboard() override;
  void ConvertDisplayToEditValue(const Variant& display_value, Variant& edit_value, bool edit_focused) override;
  void RefreshAfterPropertiesChange() override;
  bool CanDropDown() override;
  void CreatePopupWindow() override;
  void DoInitPopup() override;
  void SetupPopupWindow() override;
  void DoEditEnter() override;
  void HandleKeyPress(char16_t& key) override;
  void PopupWindowShowed() override;
  void PopupWindowClosed(int32_t reason) override;
  bool CanEditText() override { return AllowsTextEditing(); }

  TlxCustomCalcEditProperties* ActiveCalcProperties() const {
    return static_cast<TlxCustomCalcEditProperties*>(GetActiveProperties());
  }
  TlxPopupCalculator* Calculator() const { return calculator_; }
  // 0 for Null and the empty string, else the edit value as a number.
  double Value() const;
  void SetValue(double value);

 protected:
  TlxCustomCalcEdit(TComponent* owner, const TClass& properties_class);

  void DoExit() override;

 private:
  void BindCalculator();

  TlxPopupCalculator* calculator_ = nullptr;  // a component of the editor
};

class TlxCalcEdit : public TlxCustomCalcEdit {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxCalcEdit", &TlxCustomCalcEdit::kClass, &ConstructInstance<TlxCalcEdit>,
                                 &TlxCalcEdit::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCalcEdit(TComponent* owner) : TlxCustomCalcEdit(owner, TlxCalcEditProperties::kClass) {}

  TlxCalcEditProperties* GetProperties() const { return static_cast<TlxCalcEditProperties*>(Properties()); }
  void SetProperties(const TlxCalcEditProperties* value) { AssignOwnProperties(value); }
};

// The filter builder's calculator operands: the numeric operators, and the
// calculator closes on '='.
class TlxFilterCalcEditHelper : public TlxFilterTextEditHelper {
 public:
  static constexpr TClass kClass{"TlxFilterCalcEditHelper", &TlxFilterTextEditHelper::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TClassRef GetValueEditorClass() const override;
  void GetSupportedOperators(const TlxCustomEditProperties* properties, TlxValueTypeClass value_type,
                             TlxFilterConditionOperators& operators, bool extended) const override;
  void InitValueEditorProperties(TlxCustomEditProperties* properties, const TlxCustomEditProperties* source_properties,
                                 bool keep_buttons) const override;
};

// The module start and end: the editor kind and its filter helper.
void lxCalcEditModuleStart();
void lxCalcEditModuleEnd();
