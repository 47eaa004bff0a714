#pragma once
// TCustomEdit and TEdit: the system's EDIT control. Caret, selection,
// typing, undo and the clipboard commands are the system control's own; the
// class keeps the settings across window re-creation and reports changes
// (EN_CHANGE) as OnChange. Positions (SelStart, SelLength, MaxLength) count
// UTF-16 units, as the control does; texts are UTF-8.

#include <windows.h>

#include <cstdint>
#include <string>

// TBorderStyle (bsNone, bsSingle) is the forms' border style.
#include "platform/rtl/alignment.h"
#include "platform/rtl/edit_char_case.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/win_control.h"


class TCustomEdit : public TWinControl {
 public:
  static constexpr TClass kClass{"TCustomEdit", &TWinControl::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TCustomEdit(TComponent* owner);
  ~TCustomEdit() override;

  // --- settings (kept when the window is re-created) ---------------------
  // The longest text the user can type, in UTF-16 units; 0: no limit.
  int32_t MaxLength() const { return max_length_; }
  void SetMaxLength(int32_t length);
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool value);
  // Shown instead of every character (0: the text itself).
  char16_t PasswordChar() const { return password_char_; }
  void SetPasswordChar(char16_t value);
  // Typed letters are converted; setting it converts the text too.
  TEditCharCase CharCase() const { return char_case_; }
  void SetCharCase(TEditCharCase value);
  // Whether the selection disappears while the control has no focus.
  bool HideSelection() const { return hide_selection_; }
  void SetHideSelection(bool value);
  // Entering the control by the keyboard selects the whole text.
  bool AutoSelect() const { return auto_select_; }
  void SetAutoSelect(bool value) { auto_select_ = value; }
  bool OEMConvert() const { return oem_convert_; }
  void SetOEMConvert(bool value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  // bsSingle (a sunken border) or bsNone.
  TBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TBorderStyle value);
  // Space between the border and the text, in pixels.
  int32_t LeftMargin() const { return left_margin_; }
  int32_t RightMargin() const { return right_margin_; }
  void SetMargins(int32_t left, int32_t right);

  // --- text and selection ---------------------------------------------------
  // Set by the user's typing, cleared by the program.
  bool Modified();
  void SetModified(bool value);
  int32_t SelStart();
  void SetSelStart(int32_t start);
  int32_t SelLength();
  void SetSelLength(int32_t length);
  std::string SelText();
  // Replaces the selection as typing would (undoable).
  void SetSelText(const std::string& text);
  void SelectAll();
  void ClearSelection();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  bool CanUndo();
  void Undo();
  void ClearUndo();
  // The index of the first character shown at the left edge.
  int32_t FirstVisibleCharIndex();

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& message) override;
  void DoEnter() override;
  virtual void Change();
  // The window style bits of the settings, also for descendants.
  virtual DWORD EditStyle() const;
  void ApplyMargins();
  void CMTextChanged(TMessage& message) override;
  bool IsMultiLineWindow() const;

 private:
  int32_t max_length_ = 0;
  bool read_only_ = false;
  char16_t password_char_ = 0;
  TEditCharCase char_case_ = ecNormal;
  bool hide_selection_ = true;
  bool auto_select_ = true;
  bool oem_convert_ = false;
  TAlignment alignment_ = taLeftJustify;
  TBorderStyle border_style_ = bsSingle;
  int32_t left_margin_ = -1;
  int32_t right_margin_ = -1;
  // Modified while the window does not exist.
  bool modified_ = false;
};

class TEdit : public TCustomEdit {
 public:
  static constexpr TClass kClass{"TEdit", &TCustomEdit::kClass, &ConstructInstance<TEdit>};
  const TClass* ClassType() const override { return &kClass; }
  using TCustomEdit::TCustomEdit;
};
