#pragma once
// TlxCustomTextEdit: the single-line text editor and the base of every
// text-based editor kind. Its text lives in an inner system EDIT; the editor
// moves values between the edit value, the display value and that text,
// pushes its properties into the inner edit, keeps it placed and coloured,
// answers the window-text messages, and owns the lookup data of its kind
// (the items typing completes from and keys step through, exposed as
// ItemIndex). Keys, typing and the clipboard are in text_edit_typing_win.cpp.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "editors/edit_control_win.h"
#include "editors/filter_edit_helper.h"
#include "editors/inner_text_edit_win.h"
#include "editors/text_edit_lookup_win.h"
#include "editors/text_edit_properties.h"
#include "editors/text_view_win.h"

// Text operations inside it count as the user's input.
class TlxUserInputScope {
 public:
  explicit TlxUserInputScope(TlxCustomEdit& edit) : edit_(edit), was_(edit.IsUserChange()) { edit.SetUserChange(true); }
  ~TlxUserInputScope() { edit_.SetUserChange(was_); }
  TlxUserInputScope(const TlxUserInputScope&) = delete;
  TlxUserInputScope& operator=(const TlxUserInputScope&) = delete;

 private:
  TlxCustomEdit& edit_;
  bool was_;
};

class TlxCustomTextEdit : public TlxCustomEdit, public IlxFormatListener {
 public:
  static constexpr TClass kClass{"TlxCustomTextEdit", &TlxCustomEdit::kClass, &ConstructInstance<TlxCustomTextEdit>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomTextEdit(TComponent* owner) : TlxCustomTextEdit(owner, TlxCustomTextEditProperties::kClass) {}
  ~TlxCustomTextEdit() override;

  // Virtual operations, in the order of their slots.
  virtual bool AllowsTextEditing();
  virtual void RefreshAfterPropertiesChange();
  // The spell-checker notifications; no checker is registered in this
  // system, so they only keep what a checker would be told.
  virtual void NotifySpellCheckerPaint() {}
  virtual void NotifySpellCheckerLayoutChanged();
  virtual void NotifySpellCheckerSelectionChanged() {}
  virtual void NotifySpellCheckerTextChanged() {}
  virtual void AfterInnerEditMessage(TMessage& message);
  virtual void UpdateInnerEditColorAndFont();
  virtual bool PrepareTextInsertion(const std::string& text, std::string& new_text, int32_t& new_sel_start);
  virtual void CheckValueBounds();
  virtual void ApplyValueBounds() {}
  virtual void DoNewLookupDisplayText(const std::string& text);
  virtual int32_t GetTextLineHeight();
  virtual int32_t GetItemIndex();
  virtual TObject* GetItemObject();
  virtual bool AllowsLookupScrolling(bool /*by_wheel*/) { return false; }
  virtual void ApplyLookupSelection(TObject* sender);
  virtual void GetTextForMessage(std::string& text);
  virtual bool SetTextFromMessage(const std::string& text) { return TrySetText(text); }
  virtual void ItemIndexToLookupKey(int32_t index, Variant& key) { key = Variant(index); }
  virtual void LookupKeyToEditValue(const Variant& key, Variant& value);
  virtual int32_t LookupKeyToItemIndex(const Variant& key);
  virtual bool IsUnboundStandalone();
  virtual void LeaveLookupTextMode();
  virtual void InnerSelectionChanged(TObject* /*sender*/) {}
  virtual void ReplaceText(const std::string& text);
  virtual void SetItemIndex(int32_t index);
  virtual void SetSelText(const std::string& text);
  virtual void AfterUndo() {}
  virtual void ValidateLookupText();
  virtual void ClearSelection();
  virtual void CancelEditChanges() { CancelEdit(); }

  // Typing and the keyboard.
  virtual bool CompleteFromLookup(std::string& text);
  virtual bool CanCompleteFromLookup();
  virtual bool HandleMouseWheel(TShiftState shift, int32_t wheel_delta, TPoint mouse_pos);
  virtual void HandleKeyPress(char16_t& key);
  virtual void HandleKeyDown(uint16_t& key, TShiftState shift) { KeyDown(key, shift); }
  virtual void HandleKeyUp(uint16_t& key, TShiftState shift) { KeyUp(key, shift); }

  // Overrides of the editor control.
  void Activate(std::unique_ptr<TlxCustomEditData>& edit_data) override;
  void CopyToClipboard() override;
  void CutToClipboard() override;
  void PasteFromClipboard() override;
  void SelectAll() override;
  bool IsInnerControlShown() const override;
  void ConvertDisplayToEditValue(const Variant& display_value, Variant& edit_value, bool edit_focused) override;
  void AdjustInnerControlBounds() override;
  bool IsEditingKey(uint16_t key, TShiftState shift) override;
  bool IsEditingChar(char16_t ch) override;
  void InnerEditChanged(TObject* sender) override;
  void ProcessEditKeyDown(uint16_t& key, TShiftState shift) override;
  void ProcessEditKeyPress(char16_t& key) override;
  void GetDisplayText(std::string& text) override;
  const TClass* GetInnerControlClass() const override { return inner_control_class_; }
  IlxCustomInnerEdit* CreateInnerControl() override;
  bool IsEditingAllowed() override;
  Variant GetEditingValue() override { return Variant(Text()); }
  void AcceptDisplayValue(const Variant& display_value) override;
  void CommitDisplayValue(const Variant& display_value) override;
  bool IsValidDataChar(char16_t ch) override;
  void PropertiesChanged(TlxCustomEditProperties* properties) override;
  bool TrySetText(const std::string& text) override;
  void PutDisplayValue(const Variant& display_value) override;
  void RefreshDisplayValue() override;
  void RefreshEditValue() override;
  void RecalculateDisplay() override;
  bool HandlesNavigationKeys() const override { return true; }
  void InnerWindowProc(TMessage& message) override;
  void UnhookInnerWindowProc() override;
  bool CanEditText() override { return AllowsTextEditing(); }
  void SetTextInterfaceFlag(bool value) override { interface_text_ = value; }
  void SetTextFromInterface(const std::string& text, bool post) override;
  bool RecalculateAndInvalidate(const TPoint& point, int32_t button_code, bool mouse_event,
                                TShiftState shift) override;
  void SyncScrollBarsWithInnerControl(bool skip_bars) override;
  void PrepareViewData(TlxCustomEditViewData& view_data) override;
  bool DoMouseWheel(TShiftState shift, int32_t wheel_delta, TPoint mouse_pos) override;

  // IlxFormatListener.
  void FormatsChanged() override { RefreshAfterPropertiesChange(); }

  // What the inner edit hands on.
  void HandleInnerClick() { Click(); }
  void HandleInnerDblClick() { DblClick(); }
  void HandleInnerMouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y);
  void HandleInnerMouseMove(TShiftState shift, int32_t x, int32_t y) { MouseMove(shift, x, y); }
  void HandleInnerMouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) { MouseUp(button, shift, x, y); }
  void HandleInnerFocusChanged() { HandleFocusChangedNow(); }
  bool InnerMouseDown() const { return inner_mouse_down_; }

  // Accessors.
  IlxInnerTextEdit* GetInnerTextEdit() const;
  IlxTextEditLookupData* GetLookupDataIntf() const { return lookup_data_.get(); }
  TlxCustomTextEditLookupData* LookupData() const { return lookup_data_.get(); }
  TlxCustomTextEditProperties* GetOwnProperties() const;
  TlxCustomTextEditProperties* ActiveProperties() const;
  TlxCustomTextEditViewInfo& GetTextViewInfo() const {
    return static_cast<TlxCustomTextEditViewInfo&>(GetViewInfo());
  }
  int32_t GetSelStart();
  int32_t GetSelLength();
  void SetSelStart(int32_t value);
  void SetSelLength(int32_t value);
  void SetSelectionRange(int32_t start, int32_t length);
  std::string GetSelTextValue();
  int32_t GetCaretCharIndex();
  TlxTextEditingStyle EditingStyle() const { return ActiveProperties()->GetEditingStyle(); }

  bool BeepOnEnter() const { return beep_on_enter_; }
  void SetBeepOnEnter(bool value) { beep_on_enter_ = value; }
  bool CompletedByLookup() const { return completed_by_lookup_; }
  void SetLookupTextMode(bool value);
  bool RefreshingDisplay() const { return display_refreshing_; }
  bool LookupNavigating() const { return lookup_navigating_; }
  bool KeyClosedPopup() const { return key_closed_popup_; }
  void SetKeyClosedPopup(bool value) { key_closed_popup_ = value; }
  bool LookupChanging() const { return lookup_change_; }
  void BeginLookupChange() { lookup_change_ = true; }
  void EndLookupChange() { lookup_change_ = false; }
  bool TextFromInterface() const { return interface_text_; }
  int32_t ItemIndex() { return GetItemIndex(); }
  // The registered message that asks the spell checker to redraw.
  static UINT RedrawMisspellsMessage();

 protected:
  // `inner_control_class`: the base constructor builds the inner control,
  // before a kind's override of GetInnerControlClass can answer.
  TlxCustomTextEdit(TComponent* owner, const TClass& properties_class,
                    const TClass& data_binding_class = TlxEditDataBinding::kClass,
                    TlxEditDataFactory edit_data_class = nullptr,
                    const TClass& inner_control_class = TlxCustomInnerTextEdit::kClass,
                    const TlxContainerStyleClass& style_class = lxStyleClassOf<TlxEditStyle>());

  // One step through the lookup items by keys or the wheel.
  void StepLookupItem(TlxLookupMoveDirection direction);
  void UpdateLookupSelectionView();
  void CheckSelectionChange();
  void LayoutChanged() { NotifySpellCheckerLayoutChanged(); }
  // The lookup data of the own properties' kind; none for kinds without.
  virtual std::unique_ptr<TlxCustomTextEditLookupData> CreateLookupData();
  // Kinds with lookup data of their own install it from their constructor
  // (the base constructor cannot reach their CreateLookupData).
  void InstallLookupData(std::unique_ptr<TlxCustomTextEditLookupData> lookup_data);
  // The offsets of the inner edit within the client rect.
  virtual TRect InnerEditOffsets() const { return TRect(); }

  void WndProc(TMessage& message) override;
  // Text and SetText: the display text, and a text that becomes the value.
  std::string GetText() override;
  void SetTextBuffer(const std::string& text) override;
  void DoExit() override;
  void Loaded() override;

 private:
  bool HandleTextMessage(TMessage& message);
  LRESULT HandleWMGetText(size_t buffer_size, char16_t* buffer);
  void PlaceInnerEdit();

  const TClass* inner_control_class_;
  bool beep_on_enter_ = true;
  bool completed_by_lookup_ = false;
  bool set_text_guard_ = false;
  bool display_refreshing_ = false;
  int32_t first_visible_char_ = -1;
  int32_t spell_sel_start_ = -1;
  int32_t spell_sel_length_ = -1;
  bool lookup_navigating_ = false;
  std::string saved_text_;
  bool bounds_guard_ = false;
  bool key_closed_popup_ = false;
  std::unique_ptr<TlxCustomTextEditLookupData> lookup_data_;
  bool lookup_change_ = false;
  IlxInnerTextEdit* inner_text_edit_ = nullptr;
  bool interface_text_ = false;
  bool inner_mouse_down_ = false;
  bool format_listening_ = false;
};

class TlxTextEdit : public TlxCustomTextEdit {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxTextEdit", &TlxCustomTextEdit::kClass, &ConstructInstance<TlxTextEdit>,
                                 &TlxTextEdit::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxTextEdit(TComponent* owner) : TlxCustomTextEdit(owner, TlxTextEditProperties::kClass) {}

  TlxTextEditProperties* GetProperties() const { return static_cast<TlxTextEditProperties*>(Properties()); }
  void SetProperties(const TlxTextEditProperties* value) { AssignOwnProperties(value); }
};

// The text helper of filter rows: a TlxTextEdit edits the operand.
class TlxFilterTextEditHelper : public TlxCustomFilterEditHelper {
 public:
  static constexpr TClass kClass{"TlxFilterTextEditHelper", &TlxCustomFilterEditHelper::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TClassRef GetValueEditorClass() const override { return &TlxTextEdit::kClass; }
  void InitValueEditorProperties(TlxCustomEditProperties* properties, const TlxCustomEditProperties* source_properties,
                                 bool keep_buttons) const override;
  virtual void SetEditFilterValue(TlxCustomEdit* edit, const Variant& value) const;
};

// A focused numeric editor's text with its thousand separators put in; the
// caret stays after the same digit.
void lxReformatNumericEditText(TlxCustomTextEdit* edit);

// The text editor kind's registration (counted).
void lxTextEditInitialize();
void lxTextEditFinalize();
