#pragma once
// TlxCustomSpinEdit: the numeric mask edit with spin buttons. Its value
// changes by typing, by the buttons (held down they repeat, first after
// 400 ms, then every 100 ms), by the arrow and page keys and by the mouse
// wheel. It keeps the last valid value, which stands in for text that does
// not parse.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "editors/kinds/spin_edit_properties.h"
#include "editors/mask_edit_win.h"

class TlxTimer;

class TlxCustomSpinEdit : public TlxCustomMaskEdit, public IlxSpinEditValueSource {
 public:
  static constexpr TClass kClass{"TlxCustomSpinEdit", &TlxCustomMaskEdit::kClass,
                                 &ConstructInstance<TlxCustomSpinEdit>};
  const TClass* ClassType() const override { return &kClass; }

  // Button indexes: one Increment down and up, one LargeIncrement down and up.
  static constexpr int32_t kButtonDown = 0;
  static constexpr int32_t kButtonUp = 1;
  static constexpr int32_t kButtonFastDown = 2;
  static constexpr int32_t kButtonFastUp = 3;
  // The repeat timer's first and following intervals.
  static constexpr uint32_t kFirstRepeatInterval = 400;
  static constexpr uint32_t kRepeatInterval = 100;

  explicit TlxCustomSpinEdit(TComponent* owner) : TlxCustomSpinEdit(owner, TlxCustomSpinEditProperties::kClass) {}
  ~TlxCustomSpinEdit() override;

  // Virtual operations, in the order of their slots.
  // The signed step of a button: LargeIncrement for the fast buttons,
  // rounded half to even for integers, negative for the down buttons.
  virtual double GetIncrement(int32_t button_index);
  virtual Variant GetValue();
  virtual void ValueToDisplayText(const Variant& value, std::string& text);
  // A numeric value the properties accept becomes the edit value.
  virtual void SetValue(const Variant& value);
  // One step of a button; true when the shown text changed.
  virtual bool DoSpin(int32_t button_index);

  // The edit's reading of a display text (see lxSpinEditTextToValue).
  bool TextToValue(const Variant& display_value, bool raise, std::string& error_text, Variant& value);
  bool HasGetValueHandler() const;
  void StopSpinning();
  int32_t KeyboardSpinState() const { return keyboard_spin_state_; }
  void SetKeyboardSpinState(int32_t value);
  const Variant& LastValidValue() const { return last_valid_value_; }
  // The auto-repeat timer while a button is held, else null (tests tick it).
  TlxTimer* RepeatTimer() const { return repeat_timer_.get(); }

  TlxCustomSpinEditProperties* ActiveSpinProperties() const {
    return static_cast<TlxCustomSpinEditProperties*>(ActiveProperties());
  }

  // IlxSpinEditValueSource.
  bool IsTextTyped() const override { return text_typed_; }
  bool ReadDisplayText(const Variant& display_value, std::string& error_text, Variant& value) override;
  Variant CurrentValue() override { return GetValue(); }

  // Overrides of the mask and text editors.
  void ClearSelection() override;
  void CutToClipboard() override;
  void PasteFromClipboard() override;
  void ConvertDisplayToEditValue(const Variant& display_value, Variant& edit_value, bool edit_focused) override;
  void InnerEditChanged(TObject* sender) override;
  void ApplyValueBounds() override;
  Variant GetEditingValue() override { return GetValue(); }
  TlxContainerStyleValues GetIgnoredStyleValues() const override;
  bool IsValidDataChar(char16_t ch) override;
  void PropertiesChanged(TlxCustomEditProperties* properties) override;
  void RefreshDisplayValue() override;
  void RefreshEditValue() override;
  void ProcessEditKeyDown(uint16_t& key, TShiftState shift) override;
  void ProcessEditKeyUp(uint16_t& key, TShiftState shift) override;
  void ProcessEditKeyPress(char16_t& key) override;
  void ButtonDown(int32_t button_index) override;
  void PrepareViewData(TlxCustomEditViewData& view_data) override;
  bool DoMouseWheel(TShiftState shift, int32_t wheel_delta, TPoint mouse_pos) override;

 protected:
  TlxCustomSpinEdit(TComponent* owner, const TClass& properties_class);

  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void FocusChanged() override;
  // The auto-repeat timer, 400 ms at first; tests make one they tick by hand.
  virtual std::unique_ptr<TlxTimer> CreateRepeatTimer();

 private:
  // The stepped value of a button, or false when no step is made.
  bool ComputeSpinValue(int32_t button_index, Variant& result);
  void StartRepeatTimer();
  void RepeatTimerTick(TObject* sender);
  // The first button drawn pressed by the mouse, or -1.
  int32_t PressedButtonIndex() const;

  Variant last_valid_value_;
  // The user typed since the value was last refreshed.
  bool text_typed_ = false;
  // Set while a key, cut, paste or clear changes the text.
  bool typing_ = false;
  int32_t keyboard_spin_state_ = 0;
  std::unique_ptr<TlxTimer> repeat_timer_;
};

class TlxSpinEdit : public TlxCustomSpinEdit {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxSpinEdit", &TlxCustomSpinEdit::kClass, &ConstructInstance<TlxSpinEdit>,
                                 &TlxSpinEdit::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxSpinEdit(TComponent* owner) : TlxCustomSpinEdit(owner, TlxSpinEditProperties::kClass) {}

  TlxSpinEditProperties* GetProperties() const { return static_cast<TlxSpinEditProperties*>(Properties()); }
  void SetProperties(const TlxSpinEditProperties* value) { AssignOwnProperties(value); }
  Variant Value() { return GetValue(); }
};
