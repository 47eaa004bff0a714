#pragma once
// The regular-expression mask modes. The plain mode refuses a character
// that can no longer lead to a match and cuts off text after the caret that
// no longer fits. The extended mode also types the characters the pattern
// forces, removes them together with the character that brought them, and
// lets the caret keys skip them as one unit.
//
// Head and tail are the text before and after the caret; the engine has
// consumed the head. They are rebuilt from the edit's text whenever both
// are empty or the mouse may have moved the caret.

#include <memory>
#include <string>

#include "editors/mask_mode.h"
#include "editors/regexpr.h"

class TlxMaskEditRegExprMode : public TlxMaskEditCustomMode {
 public:
  static const TlxMaskModeClass kModeClass;
  TlxMaskEditRegExprMode(IlxMaskModeEdit* edit, TlxCustomMaskEditProperties* properties);
  ~TlxMaskEditRegExprMode() override;
  const TlxMaskModeClass& ModeClass() const override { return kModeClass; }

  int32_t GetEditMaskKind() const override { return 1; }
  void AfterClipboardPaste() override {}
  // Raises ElxMaskEditError "Regular expression errors:" with one line per
  // error when the mask does not compile.
  void CompileMask(const std::string& mask) override;
  std::u16string GetEmptyText() override { return {}; }
  std::u16string FormatTextForEditing(std::u16string_view text, bool text_holds_literals) override;
  void AcceptWholeText() override;
  bool IsCaretAtStart() override;
  bool IsCaretAtEnd() override;
  bool IsFullMatch(std::u16string_view text) override;
  void UpdateCaretSelection() override { mouse_action_ = true; }
  void BeforeClipboardPaste() override {}
  bool ProcessBackspace() override;
  bool ProcessDelete() override;
  bool ProcessEnd() override;
  bool ProcessHome() override;
  bool ProcessLeft() override;
  bool ProcessRight() override;
  bool ProcessChar(char16_t& c) override;
  void ApplyText(const std::u16string& text) override;
  void RefreshDisplayValue() override;
  void UpdateEditValueIfNeeded() override {}
  std::u16string FormatTextForDisplay(std::u16string_view text, bool /*text_holds_literals*/) override {
    return std::u16string(text);
  }

  virtual void TakeSelection();
  virtual void RestoreSelection();

  void Resynchronize();
  // Whether the engine accepts the whole tail from where it stands; its
  // position is the same afterwards.
  bool TailFits();
  void CutTail();
  void UpdateCaseInsensitive();

  bool IsCompiled() const { return engine_->GetCompiled(); }
  const std::u16string& Head() const { return head_; }
  const std::u16string& Tail() const { return tail_; }

 protected:
  TlxRegExpr& Engine() { return *engine_; }
  // Moves the tail's first character into the head through the engine.
  void StepForwardOne();
  // Steps the engine back and moves the head's last character to the tail.
  void StepBackOne();
  void MoveHeadToTail(size_t count);
  void MoveTailToHead(size_t count);
  // Backspace or Delete over a selection; the Process answer.
  bool DeleteSelection(bool by_backspace);

  bool selection_at_start_ = false;
  std::u16string head_;
  std::unique_ptr<TlxRegExpr> engine_;
  std::u16string taken_selection_;
  std::u16string tail_;
  bool mouse_action_ = false;

 private:
  // IsFullMatch's engine, compiled once per mask.
  std::unique_ptr<TlxRegExpr> match_engine_;
};

class TlxMaskEditRegExprExMode : public TlxMaskEditRegExprMode {
 public:
  static const TlxMaskModeClass kModeClass;
  TlxMaskEditRegExprExMode(IlxMaskModeEdit* edit, TlxCustomMaskEditProperties* properties);
  const TlxMaskModeClass& ModeClass() const override { return kModeClass; }

  int32_t GetEditMaskKind() const override { return 2; }
  void CompileMask(const std::string& mask) override;
  // The characters the pattern forces at its start.
  std::u16string GetEmptyText() override;
  std::u16string FormatTextForEditing(std::u16string_view text, bool text_holds_literals) override;
  void AcceptWholeText() override;
  bool IsFullMatch(std::u16string_view text) override;
  void BeforeClipboardPaste() override { SynchronizeCaret(); }
  bool ProcessBackspace() override;
  bool ProcessDelete() override;
  bool ProcessEnd() override;
  bool ProcessHome() override;
  bool ProcessLeft() override;
  bool ProcessRight() override;
  bool ProcessChar(char16_t& c) override;
  void ApplyText(const std::u16string& text) override;
  void UpdateEditValueIfNeeded() override;
  void TakeSelection() override;
  void RestoreSelection() override;

  void Clear();
  void StepForward();
  void StepBack();
  void SynchronizeCaret();
  void CompleteTail();

 private:
  // Switches auto-completion off for the life of the scope, and on again
  // without completing at the end.
  class TAutoCompleteOff;
  // With a selection from the very start: the forced prefix stays, and the
  // selection is shrunk to begin after it. True when it was shrunk.
  bool ShrinkSelectionPastPrefix();
  // After an edit before the tail: complete the tail, or cut it when it no
  // longer fits.
  void CheckTail();

  int32_t delete_count_ = 0;
  std::u16string forced_prefix_;
  std::u16string update_text_;
};
