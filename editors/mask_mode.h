#pragma once
// The contract between a mask edit and its mask mode. The edit does not
// edit its text itself: every editing key, paste, text change and display
// conversion goes to the mode of its mask kind. A mode with an edit works on
// that edit's text, caret and selection; a mode without one serves the
// properties' display conversion and works on strings only.
//
// Texts and positions are UTF-16 units, as the inner edit counts them.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "editors/edit_error.h"
#include "platform/rtl/edit_char_case.h"
#include "platform/rtl/object.h"
#include "platform/rtl/variant.h"

class TlxCustomMaskEditProperties;

class ElxMaskEditError : public ElxEditError {
 public:
  using ElxEditError::ElxEditError;
  const char* ClassName() const override { return "ElxMaskEditError"; }
};

// The virtual keys a mode sends to the inner edit.
inline constexpr uint16_t kLxMaskKeyEnd = 0x23;
inline constexpr uint16_t kLxMaskKeyHome = 0x24;
inline constexpr uint16_t kLxMaskKeyLeft = 0x25;
inline constexpr uint16_t kLxMaskKeyRight = 0x27;
inline constexpr uint16_t kLxMaskKeyDelete = 0x2E;
inline constexpr char16_t kLxMaskBackspace = 8;

// What a mode needs of the mask edit it serves: the editor control, or the
// in-memory model that stands for it natively.
class IlxMaskModeEdit {
 public:
  virtual ~IlxMaskModeEdit() = default;

  // The inner edit exists (its window is there).
  virtual bool HasInnerEdit() const = 0;
  virtual const std::u16string& DisplayText() const = 0;
  virtual int32_t SelStart() const = 0;
  virtual int32_t SelLength() const = 0;
  // Where the visible caret is: the selection's end when it was made
  // rightwards, its start when made leftwards.
  virtual int32_t CaretPosition() const = 0;
  // Selection changes the edit does not report back to the mode.
  virtual void SetSelStartGuarded(int32_t start) = 0;
  virtual void SetSelLengthGuarded(int32_t length) = 0;
  // Shows a text without running it through the mode again.
  virtual void PutDisplayText(const std::u16string& text) = 0;
  // The same for one character of the shown text, overwritten in place.
  virtual void PutDisplayChar(int32_t position, char16_t c) {
    std::u16string text = DisplayText();
    if (position >= 0 && static_cast<size_t>(position) < text.size()) {
      text[static_cast<size_t>(position)] = c;
      PutDisplayText(text);
    }
  }
  // Keys and characters that reach only the inner edit.
  virtual void SendKeyDown(uint16_t key) = 0;
  virtual void SendChar(char16_t c) = 0;
  // Text the mode types itself, inserted at the caret as it is (control
  // characters a pattern forces included), replacing the selection.
  virtual void InsertTypedText(const std::u16string& text) = 0;
  // Set while the key being handled came with Shift.
  virtual bool ShiftFlag() const = 0;
  virtual void SetShiftFlag(bool value) = 0;
  // The editor kind's own check of a character at a 1-based position.
  virtual bool IsCharAllowedAt(char16_t& c, int32_t position) = 0;
  virtual bool IsModified() const = 0;
  virtual bool IsFocusedForFormatting() const = 0;
  virtual Variant EditValue() const = 0;
  virtual void SetEditValueUnlocked(const Variant& value) = 0;
  // The platform's error sound.
  virtual void Beep() = 0;
};

class TlxMaskEditCustomMode;

// An editor control that keeps a mask mode; validation asks its mode.
class IlxMaskModeOwner : public virtual IInterface {
 public:
  virtual TlxMaskEditCustomMode* MaskMode() const = 0;
};

// A mode class: its kind and its virtual constructor.
struct TlxMaskModeClass {
  const char* Name = "";
  std::unique_ptr<TlxMaskEditCustomMode> (*Create)(IlxMaskModeEdit* edit,
                                                   TlxCustomMaskEditProperties* properties) = nullptr;
};

class TlxMaskEditCustomMode : public TObject {
 public:
  TlxMaskEditCustomMode(IlxMaskModeEdit* edit, TlxCustomMaskEditProperties* properties);
  ~TlxMaskEditCustomMode() override;

  virtual const TlxMaskModeClass& ModeClass() const = 0;

  // The mask operations, in the order of their slots. The Process
  // operations answer true when the inner edit is still to handle the key
  // its usual way, false when the mode has done everything.
  virtual int32_t GetEditMaskKind() const = 0;
  virtual void AfterClipboardPaste() = 0;
  virtual void CompileMask(const std::string& mask) = 0;
  virtual std::u16string GetEmptyText() = 0;
  virtual std::u16string FormatTextForEditing(std::u16string_view text, bool text_holds_literals) = 0;
  virtual void AcceptWholeText() = 0;
  virtual bool IsCaretAtStart() = 0;
  virtual bool IsCaretAtEnd() = 0;
  virtual bool IsFullMatch(std::u16string_view text) = 0;
  virtual void UpdateCaretSelection() = 0;
  virtual void BeforeClipboardPaste() = 0;
  virtual bool ProcessBackspace() = 0;
  virtual bool ProcessDelete() = 0;
  virtual bool ProcessEnd() = 0;
  virtual bool ProcessHome() = 0;
  virtual bool ProcessLeft() = 0;
  virtual bool ProcessRight() = 0;
  virtual bool ProcessChar(char16_t& c) = 0;
  virtual void ApplyText(const std::u16string& text) = 0;
  virtual void RefreshDisplayValue();
  virtual void UpdateEditValueIfNeeded() = 0;
  virtual std::u16string FormatTextForDisplay(std::u16string_view text, bool text_holds_literals) = 0;

  TlxCustomMaskEditProperties* GetActiveProperties() const { return properties_; }
  bool HasEdit() const { return edit_ != nullptr && edit_->HasInnerEdit(); }
  IlxMaskModeEdit* Edit() const { return edit_; }
  // Sounds when the properties ask for it.
  void Beep();

  const std::string& EditMask() const { return edit_mask_; }
  TEditCharCase AppliedCharCase() const { return char_case_; }
  void SetAppliedCharCase(TEditCharCase value) { char_case_ = value; }
  uint8_t AppliedEchoMode() const { return echo_mode_; }
  void SetAppliedEchoMode(uint8_t value) { echo_mode_ = value; }
  // The length of the clipboard text being pasted; 0 outside a paste.
  int32_t ClipboardTextLength() const { return clipboard_text_length_; }
  void SetClipboardTextLength(int32_t value) { clipboard_text_length_ = value; }
  bool NeedUpdateEditValue() const { return need_update_edit_value_; }

 protected:
  void SetEditMask(const std::string& mask) { edit_mask_ = mask; }
  void SetNeedUpdateEditValue(bool value) { need_update_edit_value_ = value; }

 private:
  TEditCharCase char_case_ = ecNormal;
  uint8_t echo_mode_ = 0;
  std::string edit_mask_;
  TlxCustomMaskEditProperties* properties_;
  int32_t clipboard_text_length_ = 0;
  IlxMaskModeEdit* edit_;
  bool need_update_edit_value_ = false;
};

// Empty, or made only of the characters 0, 9, 10, 12, 13 and 32.
bool lxIsBlankMask(std::string_view mask);
