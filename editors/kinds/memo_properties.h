#pragma once
// The memo editor kind's settings: scroll bars, the number of lines it is
// sized for, and whether Enter, Tab and long lines stay in the text. A
// cell shows only the first line of a memo value.

#include <cstdint>
#include <string>

#include "editors/filter_edit_helper.h"
#include "editors/text_edit_properties.h"
#include "platform/rtl/scroll_style.h"

class TlxCustomMemoProperties : public TlxCustomTextEditProperties {
 public:
  static constexpr TClass kClass{"TlxCustomMemoProperties", &TlxCustomTextEditProperties::kClass,
                                 &ConstructInstance<TlxCustomMemoProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TPersistent;

  explicit TlxCustomMemoProperties(TPersistent* owner);

  void Assign(const TPersistent* source) override;

  const TClass* GetEditControlClass() const override;
  TlxEditViewDataClass GetViewDataClass() const override;
  TlxEditViewInfoClass GetViewInfoClass() const override;
  bool WantsTab() const override { return want_tabs_; }
  bool IsMultiLine() const override { return true; }
  // Not for blob data, whose display format is no text format.
  int32_t CanUseFieldDisplayFormat(bool edit_focused) const override;
  // Without `full_text` the text up to its first line break, at most 250
  // characters.
  void FormatDisplayText(const Variant& edit_value, std::string& text, bool full_text) const override;

  // The horizontal member of the Alignment object.
  TAlignment HorzAlignment() const;
  void SetHorzAlignment(TAlignment value);
  TScrollStyle ScrollBars() const { return scroll_bars_; }
  void SetScrollBars(TScrollStyle value) { Store(scroll_bars_, value); }
  int32_t VisibleLineCount() const { return visible_line_count_; }
  // A negative count is kept as 0.
  void SetVisibleLineCount(int32_t value);
  bool WantReturns() const { return want_returns_; }
  void SetWantReturns(bool value) { Store(want_returns_, value); }
  bool WantTabs() const { return want_tabs_; }
  void SetWantTabs(bool value) { Store(want_tabs_, value); }
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool value) { Store(word_wrap_, value); }
  // A horizontal scroll bar switches word wrapping off for drawing.
  bool WrapsWhenDrawn() const { return word_wrap_ && scroll_bars_ != ssHorizontal && scroll_bars_ != ssBoth; }

 private:
  TScrollStyle scroll_bars_ = ssNone;
  int32_t visible_line_count_ = 0;
  bool want_returns_ = true;
  bool want_tabs_ = false;
  bool word_wrap_ = true;
};

class TlxMemoProperties : public TlxCustomMemoProperties {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxMemoProperties", &TlxCustomMemoProperties::kClass,
                                 &ConstructInstance<TlxMemoProperties>, &TlxMemoProperties::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomMemoProperties::TlxCustomMemoProperties;
};

// The text up to its first CR or LF, at most `max_length` UTF-16 characters.
std::string lxCutTextAtLineBreak(const std::string& text, int32_t max_length = 250);

// A memo operand is matched as text: like, not like, blank and non-blank.
class TlxFilterMemoHelper : public TlxCustomFilterEditHelper {
 public:
  static constexpr TClass kClass{"TlxFilterMemoHelper", &TlxCustomFilterEditHelper::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TClassRef GetValueEditorClass() const override;
  void GetSupportedOperators(const TlxCustomEditProperties* properties, TlxValueTypeClass value_type,
                             TlxFilterConditionOperators& operators, bool extended) const override;
};

void lxMemoModuleStart();
void lxMemoModuleEnd();
