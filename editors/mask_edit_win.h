#pragma once
// TlxCustomMaskEdit: the text editor with an input mask. It does not edit
// its text itself: keys, typed characters, the clipboard and text changes
// go to a mask mode of the properties' mask kind (mask_mode.h), which works
// on the system EDIT inside through a small site object. Without a mask,
// or while the stored mask does not compile, everything is the text
// editor's.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "editors/mask_edit_properties.h"
#include "editors/mask_mode.h"
#include "editors/text_edit_control_win.h"

class TlxCustomMaskEdit : public TlxCustomTextEdit, public IlxMaskModeOwner {
 public:
  static constexpr TClass kClass{"TlxCustomMaskEdit", &TlxCustomTextEdit::kClass, &ConstructInstance<TlxCustomMaskEdit>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomMaskEdit(TComponent* owner) : TlxCustomMaskEdit(owner, TlxCustomMaskEditProperties::kClass) {}
  ~TlxCustomMaskEdit() override;

  // Virtual operations, in the order of their slots.
  // Whether the mode may take the edit's text now (kinds that format only
  // while editing answer false otherwise).
  virtual bool CanSynchronizeModeText() { return true; }
  // The kind's own check of a typed character at a 1-based position; it
  // may change the character.
  virtual bool IsCharAllowedAt(char16_t& /*c*/, int32_t /*position*/) { return true; }
  // The edit's text becomes the display value.
  virtual void SetEditValueFromText();

  // Keys and characters that reach only the inner edit.
  void SendKeyDown(uint16_t key);
  void SendChar(char16_t c);
  // Selection changes the mode makes, not reported back to it.
  void SetSelStartGuarded(int32_t start);
  void SetSelLengthGuarded(int32_t length);
  // The data binding's current display value as text.
  std::string GetBindingText();
  std::u16string GetEmptyMaskText();
  // The mode takes the edit's present text.
  void SynchronizeModeText();
  bool IsCaretAtStart();
  bool IsCaretAtEnd();
  // A mask is set and compiled into the mode.
  bool IsMasked() const;
  TlxCustomMaskEditProperties* MaskProperties() const {
    return static_cast<TlxCustomMaskEditProperties*>(GetActiveProperties());
  }
  bool ShiftFlag() const { return shift_flag_; }
  // How often a refused key sounded (the platform beep follows each).
  int32_t BeepCount() const { return beep_count_; }

  // IlxMaskModeOwner: null while no mask is compiled.
  TlxMaskEditCustomMode* MaskMode() const override;

  // Overrides of the text editor.
  bool AllowsTextEditing() override;
  void ProcessEditKeyDown(uint16_t& key, TShiftState shift) override;
  void ProcessEditKeyPress(char16_t& key) override;
  void HandleKeyDown(uint16_t& key, TShiftState shift) override;
  void HandleKeyPress(char16_t& key) override;
  void HandleKeyUp(uint16_t& key, TShiftState shift) override;
  void InnerSelectionChanged(TObject* sender) override;
  void CutToClipboard() override;
  void PasteFromClipboard() override;
  void SetSelText(const std::string& text) override;
  void AcceptDisplayValue(const Variant& display_value) override;
  void ConvertDisplayToEditValue(const Variant& display_value, Variant& edit_value, bool edit_focused) override;
  void RefreshDisplayValue() override;
  void AfterUndo() override { SynchronizeModeText(); }
  void InnerEditChanged(TObject* sender) override;
  void GetTextForMessage(std::string& text) override;
  bool SetTextFromMessage(const std::string& text) override;
  void HookInnerWindowProc() override;
  void UnhookInnerWindowProc() override;
  void AfterInnerEditMessage(TMessage& message) override;
  void PropertiesChanged(TlxCustomEditProperties* properties) override;

 protected:
  TlxCustomMaskEdit(TComponent* owner, const TClass& properties_class,
                    const TClass& data_binding_class = TlxEditDataBinding::kClass,
                    TlxEditDataFactory edit_data_class = nullptr);

  void DoEnter() override;
  void DblClick() override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void Loaded() override;

 private:
  class ModeSite;

  bool IsRegExprMode() const;
  // Whether a text is shown as while editing (blanks and literals).
  bool FormatsForEditing();
  // Compiles the effective mask into the mode; false when it does not compile.
  bool CompileIntoMode();
  // The mode reacts to a selection the inner edit changed by itself.
  void NoteInnerSelectionChange();
  void RecomputeTextForMessage();
  // Shows a text the mode made, keeping the selection.
  void PutModeText(const std::u16string& text);
  // Text the mode types itself, in place of the selection.
  void InsertTypedText(const std::u16string& text);
  void RefreshModeDisplay();
  void PasteText(const std::string& text);
  void Beep();

  std::unique_ptr<ModeSite> site_;
  // Set while the edit itself moves the selection.
  bool selection_guard_ = false;
  std::unique_ptr<TlxMaskEditCustomMode> mode_;
  bool mode_compiled_ = false;
  // Set while the mode sends keys to the inner edit.
  bool key_guard_ = false;
  // True while the key being handled came with Shift.
  bool shift_flag_ = false;
  // The display text that answers the window's get-text message.
  std::string text_for_message_;
  bool redraw_switched_off_ = false;
  int32_t beep_count_ = 0;
};

class TlxMaskEdit : public TlxCustomMaskEdit {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxMaskEdit", &TlxCustomMaskEdit::kClass, &ConstructInstance<TlxMaskEdit>,
                                 &TlxMaskEdit::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxMaskEdit(TComponent* owner) : TlxCustomMaskEdit(owner, TlxMaskEditProperties::kClass) {}

  TlxMaskEditProperties* GetProperties() const { return static_cast<TlxMaskEditProperties*>(Properties()); }
  void SetProperties(const TlxMaskEditProperties* value) { AssignOwnProperties(value); }
};

// The mask helper of filter rows: a TlxMaskEdit edits the operand; regular
// expressions become the extended kind there, which types forced text.
class TlxFilterMaskEditHelper : public TlxFilterTextEditHelper {
 public:
  static constexpr TClass kClass{"TlxFilterMaskEditHelper", &TlxFilterTextEditHelper::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TClassRef GetValueEditorClass() const override { return &TlxMaskEdit::kClass; }
  // "like" and "not like" only for an unmasked editor of a text value.
  void GetSupportedOperators(const TlxCustomEditProperties* properties, TlxValueTypeClass value_type,
                             TlxFilterConditionOperators& operators, bool extended) const override;
  void InitValueEditorProperties(TlxCustomEditProperties* properties, const TlxCustomEditProperties* source_properties,
                                 bool keep_buttons) const override;
};

// The mask editor kind's registration (counted).
void lxMaskEditInitialize();
void lxMaskEditFinalize();
