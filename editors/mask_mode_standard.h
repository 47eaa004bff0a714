#pragma once
// The standard mask mode: overwrite editing over a classic mask. Every
// position has its fixed place, literals stay put, and the caret is a
// one-character selection (the block caret of overwrite typing).

#include "editors/mask_mode.h"
#include "editors/standard_mask.h"

class TlxMaskEditStandardMode : public TlxMaskEditCustomMode {
 public:
  static const TlxMaskModeClass kModeClass;
  using TlxMaskEditCustomMode::TlxMaskEditCustomMode;
  const TlxMaskModeClass& ModeClass() const override { return kModeClass; }

  int32_t GetEditMaskKind() const override { return 0; }
  void AfterClipboardPaste() override;
  void CompileMask(const std::string& mask) override;
  std::u16string GetEmptyText() override { return mask_.GetEmptyValueText(); }
  std::u16string FormatTextForEditing(std::u16string_view text, bool text_holds_literals) override;
  void AcceptWholeText() override {}
  bool IsCaretAtStart() override;
  bool IsCaretAtEnd() override;
  bool IsFullMatch(std::u16string_view text) override;
  void UpdateCaretSelection() override;
  void BeforeClipboardPaste() override;
  bool ProcessBackspace() override;
  bool ProcessDelete() override;
  bool ProcessEnd() override;
  bool ProcessHome() override;
  bool ProcessLeft() override;
  bool ProcessRight() override;
  bool ProcessChar(char16_t& c) override;
  void ApplyText(const std::u16string& /*text*/) override { UpdateCaretSelection(); }
  void RefreshDisplayValue() override;
  void UpdateEditValueIfNeeded() override;
  std::u16string FormatTextForDisplay(std::u16string_view text, bool text_holds_literals) override;

  // The character an emptied position gets (1-based); 0 when the position
  // cannot be emptied.
  virtual char16_t GetBlankChar(int32_t position) const;

  const TlxStandardMask& Mask() const { return mask_; }

 private:
  bool IsLiteralAt(int32_t position) const;
  int32_t TextLength() const;
  // Puts the caret at `position` and restores the block caret.
  void PlaceCaret(int32_t position);

  TlxStandardMask mask_;
  int32_t paste_start_ = 0;
  // Room for the texts every keystroke rewrites, so that typing does not
  // allocate.
  std::u16string scratch_;
};
