#pragma once
// TlxCustomInnerTextEdit: the system EDIT inside every single-line text
// editor, without a border of its own. Its keys, mouse, focus, clipboard
// commands and changes go to the owning text editor, which reaches the
// control only through IlxInnerTextEdit, implemented by a small helper
// object on the control's behalf (the memo's inner control has its own).

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "editors/edit_control_inner_win.h"
#include "editors/inner_edit_forwarding_win.h"
#include "editors/text_edit_properties.h"
#include "platform/toolkit/edit.h"

class TlxCustomTextEdit;
class TlxTimer;

// What a text editor needs of its inner edit beyond IlxCustomInnerEdit.
class IlxInnerTextEdit : public IlxCustomInnerEdit {
 public:
  virtual void ClearSelection() = 0;
  virtual void CopyToClipboard() = 0;
  virtual TAlignment GetAlignment() const = 0;
  virtual bool GetAutoSelect() const = 0;
  virtual TEditCharCase GetCharCase() const = 0;
  virtual TlxEditEchoMode GetEchoMode() const = 0;
  virtual int32_t GetFirstVisibleCharIndex() = 0;
  virtual bool GetHideSelection() const = 0;
  // The lead byte of a double-byte input-method character being delivered;
  // 0 otherwise.
  virtual char GetPendingImeLeadByte() const = 0;
  virtual TImeMode GetImeMode() const = 0;
  virtual std::string GetImeName() const = 0;
  virtual bool IsKeyConsumed() const = 0;
  virtual int32_t GetMaxLength() const = 0;
  virtual bool IsMultiLineEdit() const = 0;
  virtual bool GetOEMConvert() const = 0;
  virtual const TNotifyEvent& GetOnSelChange() const = 0;
  virtual char16_t GetPasswordChar() const = 0;
  virtual int32_t GetSelLength() = 0;
  virtual int32_t GetSelStart() = 0;
  virtual std::string GetSelText() = 0;
  virtual void SelectAll() = 0;
  virtual void SetAlignment(TAlignment value) = 0;
  virtual void SetAutoSelect(bool value) = 0;
  virtual void SetCharCase(TEditCharCase value) = 0;
  virtual void SetEchoMode(TlxEditEchoMode value) = 0;
  virtual void SetHideSelection(bool value) = 0;
  virtual void SetKeyConsumed(bool value) = 0;
  virtual void SetImeMode(TImeMode value) = 0;
  virtual void SetImeName(const std::string& value) = 0;
  virtual void SetMaxLength(int32_t value) = 0;
  virtual void SetOEMConvert(bool value) = 0;
  virtual void SetOnSelChange(TNotifyEvent handler) = 0;
  virtual void SetPasswordChar(char16_t value) = 0;
  virtual void SetSelLength(int32_t value) = 0;
  virtual void SetSelStart(int32_t value) = 0;
  virtual void SetSelText(const std::string& value) = 0;
};

// How an editor obtains the interface object of the inner control it built.
class IlxInnerEditHelper : public virtual IInterface {
 public:
  virtual IlxCustomInnerEdit* GetHelper() = 0;
};

class TlxCustomInnerTextEdit;

// The interface object: one per inner edit, living as long as it.
class TlxCustomInnerTextEditHelper : public IlxInnerTextEdit {
 public:
  explicit TlxCustomInnerTextEditHelper(TlxCustomInnerTextEdit* edit) : edit_(edit) {}

  // IlxContainerInnerControl.
  TWinControl* GetControl() override;
  TlxContainer* GetControlContainer() override;
  // IlxCustomInnerEdit.
  LRESULT CallDefWndProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  void GetEditValue(Variant& value) override;
  const TNotifyEvent& GetOnChange() const override;
  bool GetReadOnly() const override;
  void LockBounds(bool lock) override;
  void SafelyFocusInnerControl() override;
  void SetEditValue(const Variant& value) override;
  void SetParent(TWinControl* parent) override;
  void SetOnChange(TNotifyEvent handler) override;
  void SetReadOnly(bool value) override;
  // IlxInnerTextEdit.
  void ClearSelection() override;
  void CopyToClipboard() override;
  TAlignment GetAlignment() const override;
  bool GetAutoSelect() const override;
  TEditCharCase GetCharCase() const override;
  TlxEditEchoMode GetEchoMode() const override;
  int32_t GetFirstVisibleCharIndex() override;
  bool GetHideSelection() const override;
  char GetPendingImeLeadByte() const override;
  TImeMode GetImeMode() const override;
  std::string GetImeName() const override;
  bool IsKeyConsumed() const override;
  int32_t GetMaxLength() const override;
  bool IsMultiLineEdit() const override { return false; }
  bool GetOEMConvert() const override;
  const TNotifyEvent& GetOnSelChange() const override;
  char16_t GetPasswordChar() const override;
  int32_t GetSelLength() override;
  int32_t GetSelStart() override;
  std::string GetSelText() override;
  void SelectAll() override;
  void SetAlignment(TAlignment value) override;
  void SetAutoSelect(bool value) override;
  void SetCharCase(TEditCharCase value) override;
  void SetEchoMode(TlxEditEchoMode value) override;
  void SetHideSelection(bool value) override;
  void SetKeyConsumed(bool value) override;
  void SetImeMode(TImeMode value) override;
  void SetImeName(const std::string& value) override;
  void SetMaxLength(int32_t value) override;
  void SetOEMConvert(bool value) override;
  void SetOnSelChange(TNotifyEvent handler) override;
  void SetPasswordChar(char16_t value) override;
  void SetSelLength(int32_t value) override;
  void SetSelStart(int32_t value) override;
  void SetSelText(const std::string& value) override;

  // The selection kept while an input-method character is being delivered.
  void SaveImeSelection(int32_t start, int32_t length) {
    saved_sel_start_ = start;
    saved_sel_length_ = length;
  }
  int32_t SavedSelStart() const { return saved_sel_start_; }
  int32_t SavedSelLength() const { return saved_sel_length_; }

 private:
  bool ImePending() const;

  TlxCustomInnerTextEdit* edit_;
  bool alignment_lock_ = false;
  int32_t saved_sel_start_ = 0;
  int32_t saved_sel_length_ = 0;
};

class TlxCustomInnerTextEdit : public TlxInnerEditForwarding<TCustomEdit, TlxCustomTextEdit>,
                               public IlxInnerEditHelper,
                               public IlxContainerInnerControl {
 public:
  static constexpr TClass kClass{"TlxCustomInnerTextEdit", &TCustomEdit::kClass,
                                 &ConstructInstance<TlxCustomInnerTextEdit>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomInnerTextEdit(TComponent* owner);
  ~TlxCustomInnerTextEdit() override;

  // Virtual operations, in the order of their slots.
  // Left while focused when the properties switch alignment on editing.
  virtual void UpdateFocusAlignment();
  virtual void AdjustMargins();

  // IlxInnerEditHelper.
  IlxCustomInnerEdit* GetHelper() override { return helper_.get(); }
  // IlxContainerInnerControl.
  TWinControl* GetControl() override { return this; }
  TlxContainer* GetControlContainer() override;

  TlxCustomInnerTextEditHelper* Helper() const { return helper_.get(); }
  // The alignment stands in the window's creation style: a change builds
  // the window anew.
  TAlignment CurrentAlignment() const { return alignment_; }
  void ApplyAlignment(TAlignment value);
  TlxEditEchoMode EchoMode() const { return echo_mode_; }
  void SetEchoMode(TlxEditEchoMode value);
  char16_t EchoChar() const { return echo_char_; }
  void SetEchoChar(char16_t value);
  // 0 none, 1 a single-byte character, 2 a double-byte character.
  int32_t PendingImeState() const { return ime_pending_; }
  char PendingImeLeadByte() const { return ime_pending_ == 2 ? ime_lead_byte_ : '\0'; }
  bool DoubleClickTimerRunning() const;

  TNotifyEvent OnSelChange;

  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyUp(uint16_t& key, TShiftState shift) override;
  void KeyPress(char16_t& key) override;

 private:
  friend class TlxCustomInnerTextEditHelper;

  void ApplyPasswordChar();
  void StopDoubleClickTimer();
  // A key ends the wait for a double click.
  void BeforeKeyForwarded() override { StopDoubleClickTimer(); }
  void StartDoubleClickTimer();
  bool HandleOwnMessage(TMessage& message);
  void HandleChar(TMessage& message);
  void HandleKeyDownMessage(TMessage& message);
  void HandleLeftButtonDown(TMessage& message);
  void HandleGetDlgCode(TMessage& message);
  void HandleFocusMessage(TMessage& message, bool gaining);

  TAlignment alignment_ = taLeftJustify;
  TlxEditEchoMode echo_mode_ = eemNormal;
  char16_t echo_char_ = 0;
  std::unique_ptr<TlxTimer> double_click_timer_;
  bool switching_click_ = false;
  std::unique_ptr<TlxCustomInnerTextEditHelper> helper_;
  int32_t ime_pending_ = 0;
  char ime_lead_byte_ = '\0';
};

// The selection (and, when asked, the text) of an inner edit, to tell
// afterwards whether a message changed it.
struct TlxCustomInnerTextEditPrevState {
  int32_t SelStart = 0;
  int32_t SelLength = 0;
  bool TextSaved = false;
  std::string Text;
};

void lxSaveInnerTextEditState(IlxInnerTextEdit* inner_edit, bool save_text, TlxCustomInnerTextEditPrevState& state);
// True without a window, for another selection, or (only when the text was
// saved) for a text that differs other than in case.
bool lxInnerTextEditStateChanged(IlxInnerTextEdit* inner_edit, const TlxCustomInnerTextEditPrevState& state);
// The character index at the caret, found from the characters' positions.
int32_t lxGetCaretCharIndex(TCustomEdit* edit);
