#pragma once
// A mask edit without a window: the mask edit's routing of keys, paste and
// property changes to its mask mode, over an in-memory inner edit that
// behaves as the system's single-line edit does (caret and anchor, Shift
// selection, replacing the selection on typing). The portable tests, the
// fuzz targets and the benchmarks drive the modes through it.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "editors/mask_edit_properties.h"
#include "editors/mask_mode.h"

class TlxMaskEditModel : public IlxMaskModeEdit, public IlxMaskModeOwner, public IlxEditControl {
 public:
  explicit TlxMaskEditModel(TlxCustomMaskEditProperties& properties);
  ~TlxMaskEditModel() override;
  TlxMaskEditModel(const TlxMaskEditModel&) = delete;
  TlxMaskEditModel& operator=(const TlxMaskEditModel&) = delete;

  // What the mask edit does when its properties change: a mode of the new
  // kind, the effective mask compiled into it, the display refreshed.
  void PropertiesChanged();

  // Input as the mask edit receives it.
  void KeyDown(uint16_t key, bool shift = false, bool ctrl = false);
  void KeyPress(char16_t c);
  void Type(std::u16string_view text);
  void Paste(std::u16string_view text);
  // The clipboard cut (what is cut is not kept: the model has no clipboard).
  void Cut();
  // A mouse click that puts the caret at `position`.
  void Click(int32_t position);
  // A mouse selection from `anchor` to `caret`.
  void Select(int32_t anchor, int32_t caret);
  // The edit value set from outside, shown as while focused.
  void SetEditValue(const Variant& value);

  // Runs the properties' validation of the shown text.
  bool Validate(std::string& error_text);

  const std::u16string& Text() const { return text_; }
  int32_t BeepCount() const { return beeps_; }
  bool IsMasked() const { return mode_ != nullptr && properties_.IsMasked(); }

  // IlxMaskModeOwner.
  TlxMaskEditCustomMode* MaskMode() const override { return mode_.get(); }

  // IlxMaskModeEdit.
  bool HasInnerEdit() const override { return true; }
  const std::u16string& DisplayText() const override { return text_; }
  int32_t SelStart() const override { return std::min(anchor_, caret_); }
  int32_t SelLength() const override { return anchor_ > caret_ ? anchor_ - caret_ : caret_ - anchor_; }
  int32_t CaretPosition() const override { return caret_; }
  void SetSelStartGuarded(int32_t start) override;
  void SetSelLengthGuarded(int32_t length) override;
  void PutDisplayText(const std::u16string& text) override;
  void PutDisplayChar(int32_t position, char16_t c) override;
  void SendKeyDown(uint16_t key) override;
  void SendChar(char16_t c) override;
  void InsertTypedText(const std::u16string& text) override;
  bool ShiftFlag() const override { return shift_flag_; }
  void SetShiftFlag(bool value) override { shift_flag_ = value; }
  bool IsCharAllowedAt(char16_t& /*c*/, int32_t /*position*/) override { return true; }
  bool IsModified() const override { return modified_; }
  bool IsFocusedForFormatting() const override { return true; }
  Variant EditValue() const override { return edit_value_; }
  void SetEditValueUnlocked(const Variant& value) override;
  void Beep() override { ++beeps_; }

  // IlxEditControl.
  bool HasValidateHandler() const override { return false; }
  void DoValidate(Variant& /*display_value*/, std::string& /*error_text*/, bool& /*error*/) override {}
  std::string ShownText() const override;

 private:
  int32_t Length() const { return static_cast<int32_t>(text_.size()); }
  // The inner edit's own handling.
  void InnerKeyDown(uint16_t key, bool shift);
  void InnerChar(char16_t c);
  void ReplaceSelection(std::u16string_view text);
  void MoveCaret(int32_t caret, bool extend);
  void InnerSelectionChanged();
  // The text set as display value: formatted by the mode, then taken by it.
  void AcceptDisplayText(const std::u16string& text);
  void CompileIntoMode();

  TlxCustomMaskEditProperties& properties_;
  std::unique_ptr<TlxMaskEditCustomMode> mode_;
  std::u16string text_;
  int32_t anchor_ = 0;
  int32_t caret_ = 0;
  bool selection_guard_ = false;
  bool shift_flag_ = false;
  bool modified_ = false;
  Variant edit_value_;
  int32_t beeps_ = 0;
};
