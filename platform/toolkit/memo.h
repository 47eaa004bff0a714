#pragma once
// TCustomMemo and TMemo: the system's multi-line EDIT control, with its
// lines as a TStrings (Lines), word wrapping, scroll bars, and whether
// Enter and Tab are typed into the text or left to the form.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/rtl/scroll_style.h"
#include "platform/rtl/strings.h"
#include "platform/toolkit/edit.h"


class TCustomMemo;

// The lines of a memo: read from and written to the control while its
// window exists, kept as the control's text otherwise. With word wrapping
// a line is what the control shows on one row.
class TMemoStrings : public TStrings {
 public:
  static constexpr TClass kClass{"TMemoStrings", &TStrings::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TMemoStrings(TCustomMemo& memo) : memo_(memo) {}

  int32_t Count() const override;
  std::string Get(int32_t index) const override;
  void Put(int32_t index, const std::string& text) override;
  void Insert(int32_t index, const std::string& text) override;
  void Delete(int32_t index) override;
  void Clear() override;
  void SetText(std::string_view text) override;

 protected:
  void SetUpdateState(bool updating) override;

 private:
  void CheckIndex(int32_t index, int32_t limit) const;
  // Replaces the UTF-16 range [start, end) of the control's text.
  void ReplaceRange(int32_t start, int32_t end, const std::u16string& text) const;

  TCustomMemo& memo_;
};

class TCustomMemo : public TCustomEdit {
 public:
  static constexpr TClass kClass{"TCustomMemo", &TCustomEdit::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TCustomMemo(TComponent* owner);
  ~TCustomMemo() override;

  TStrings& Lines() { return *lines_; }
  void SetLines(const TStrings& lines) { lines_->Assign(&lines); }

  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool value);
  TScrollStyle ScrollBars() const { return scroll_bars_; }
  void SetScrollBars(TScrollStyle value);
  // Enter types a line break (otherwise the form's default button gets it).
  bool WantReturns() const { return want_returns_; }
  void SetWantReturns(bool value) { want_returns_ = value; }
  // Tab types a tab (otherwise it moves the focus).
  bool WantTabs() const { return want_tabs_; }
  void SetWantTabs(bool value) { want_tabs_ = value; }

  // The caret as column (X) and line (Y), both from 0.
  TPoint CaretPos();
  void SetCaretPos(TPoint position);
  // The line shown at the top; scrolling moves it by whole lines.
  int32_t FirstVisibleLine();
  void ScrollLines(int32_t lines);
  void ScrollCaretIntoView();

 protected:
  DWORD EditStyle() const override;
  void CreateParams(TCreateParams& params) override;
  void Dispatch(TMessage& message) override;
  void KeyPress(char16_t& key) override;

 private:
  friend class TMemoStrings;
  std::unique_ptr<TMemoStrings> lines_;
  bool word_wrap_ = true;
  TScrollStyle scroll_bars_ = ssNone;
  bool want_returns_ = true;
  bool want_tabs_ = false;
};

class TMemo : public TCustomMemo {
 public:
  static constexpr TClass kClass{"TMemo", &TCustomMemo::kClass, &ConstructInstance<TMemo>};
  const TClass* ClassType() const override { return &kClass; }
  using TCustomMemo::TCustomMemo;
};
