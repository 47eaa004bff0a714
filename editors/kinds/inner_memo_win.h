#pragma once
// TlxCustomInnerMemo: the system's multi-line EDIT inside the memo editor.
// Like the single-line inner edit it hands its keys, mouse, focus,
// clipboard commands and changes to the owning editor, which reaches it
// only through IlxInnerMemo, implemented by a small helper object. Its own
// system scroll bars keep their ranges and positions for the editor's
// painted bars, which lie over them; the control does not paint them.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "editors/inner_text_edit_win.h"
#include "platform/toolkit/memo.h"

class TlxCustomMemo;

// What the memo editor needs of its inner control beyond a text edit.
class IlxInnerMemo : public IlxInnerTextEdit {
 public:
  // The caret as column (X) and line (Y).
  virtual TPoint GetCaretPos() = 0;
  virtual TStrings& GetLines() = 0;
  virtual TScrollStyle GetScrollBars() const = 0;
  virtual bool GetWantReturns() const = 0;
  virtual bool GetWantTabs() const = 0;
  virtual bool GetWordWrap() const = 0;
  virtual void SetCaretPos(const TPoint& position) = 0;
  virtual void SetScrollBars(TScrollStyle value) = 0;
  virtual void SetWantReturns(bool value) = 0;
  virtual void SetWantTabs(bool value) = 0;
  virtual void SetWordWrap(bool value) = 0;
};

class TlxCustomInnerMemo;

// The interface object: one per inner memo, living as long as it.
class TlxCustomInnerMemoHelper : public IlxInnerMemo {
 public:
  explicit TlxCustomInnerMemoHelper(TlxCustomInnerMemo* memo) : memo_(memo) {}

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
  // A memo never hides its text behind a password character.
  TlxEditEchoMode GetEchoMode() const override { return eemNormal; }
  int32_t GetFirstVisibleCharIndex() override;
  bool GetHideSelection() const override;
  char GetPendingImeLeadByte() const override { return '\0'; }
  TImeMode GetImeMode() const override;
  std::string GetImeName() const override;
  bool IsKeyConsumed() const override;
  int32_t GetMaxLength() const override;
  bool IsMultiLineEdit() const override { return true; }
  bool GetOEMConvert() const override;
  const TNotifyEvent& GetOnSelChange() const override;
  char16_t GetPasswordChar() const override { return 0; }
  int32_t GetSelLength() override;
  int32_t GetSelStart() override;
  std::string GetSelText() override;
  void SelectAll() override;
  void SetAlignment(TAlignment value) override;
  void SetAutoSelect(bool value) override;
  void SetCharCase(TEditCharCase value) override;
  void SetEchoMode(TlxEditEchoMode /*value*/) override {}
  void SetHideSelection(bool value) override;
  void SetKeyConsumed(bool value) override;
  void SetImeMode(TImeMode value) override;
  void SetImeName(const std::string& value) override;
  void SetMaxLength(int32_t value) override;
  void SetOEMConvert(bool value) override;
  void SetOnSelChange(TNotifyEvent handler) override;
  void SetPasswordChar(char16_t /*value*/) override {}
  void SetSelLength(int32_t value) override;
  void SetSelStart(int32_t value) override;
  void SetSelText(const std::string& value) override;
  // IlxInnerMemo.
  TPoint GetCaretPos() override;
  TStrings& GetLines() override;
  TScrollStyle GetScrollBars() const override;
  bool GetWantReturns() const override;
  bool GetWantTabs() const override;
  bool GetWordWrap() const override;
  void SetCaretPos(const TPoint& position) override;
  void SetScrollBars(TScrollStyle value) override;
  void SetWantReturns(bool value) override;
  void SetWantTabs(bool value) override;
  void SetWordWrap(bool value) override;

 private:
  TlxCustomInnerMemo* memo_;
};

class TlxCustomInnerMemo : public TlxInnerEditForwarding<TMemo, TlxCustomMemo>,
                           public IlxInnerEditHelper,
                           public IlxContainerInnerControl {
 public:
  static constexpr TClass kClass{"TlxCustomInnerMemo", &TMemo::kClass, &ConstructInstance<TlxCustomInnerMemo>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomInnerMemo(TComponent* owner);
  ~TlxCustomInnerMemo() override;

  // IlxInnerEditHelper.
  IlxCustomInnerEdit* GetHelper() override { return helper_.get(); }
  // IlxContainerInnerControl.
  TWinControl* GetControl() override { return this; }
  TlxContainer* GetControlContainer() override;

  TlxCustomInnerMemoHelper* Helper() const { return helper_.get(); }

  // Entering the control selects all text (the toolkit's own flag stays off).
  bool OwnAutoSelect() const { return own_auto_select_; }
  void SetOwnAutoSelect(bool value) { own_auto_select_ = value; }
  // Sets the text on the editor's behalf: the change is not reported back
  // as a new edit value.
  void SetTextQuietly(const std::string& text);
  bool SettingText() const { return text_setting_ > 0; }
  // The square between the two system scroll bars in window coordinates;
  // empty unless both are shown.
  TRect ScrollBarCorner();

  TNotifyEvent OnSelChange;

  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void DoEnter() override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyUp(uint16_t& key, TShiftState shift) override;
  void KeyPress(char16_t& key) override;

 private:
  bool HandleOwnMessage(TMessage& message);
  void HandleKeyDownMessage(TMessage& message);
  void HandleGetDlgCode(TMessage& message);
  void HandleFocusMessage(TMessage& message, bool gaining);
  void HandleSetText(TMessage& message);
  void HandleReplaceSel(TMessage& message);
  void HandleNonClientPaint(TMessage& message);
  // A system bar's rectangle in window coordinates; empty when hidden.
  TRect SystemScrollBarRect(LONG object_id);

  std::unique_ptr<TlxCustomInnerMemoHelper> helper_;
  bool own_auto_select_ = false;
  bool escape_pressed_ = false;
  int32_t text_setting_ = 0;
};
