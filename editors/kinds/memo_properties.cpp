#include "editors/kinds/memo_properties.h"

#include <algorithm>

#include "editors/edit_repository.h"
#include "editors/edit_strings.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "ui/foundation/base/module_start_count.h"

namespace {

constexpr const char* kMemoKindText = "Memo|Represents an edit control that allows editing memo data";

}  // namespace

TlxCustomMemoProperties::TlxCustomMemoProperties(TPersistent* owner) : TlxCustomTextEditProperties(owner) {
  GetAlignment()->SetVert(taTopJustify);
  SetAutoSelect(false);
}

void TlxCustomMemoProperties::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomMemoProperties*>(source);
  if (other == nullptr) {
    TlxCustomTextEditProperties::Assign(source);
    return;
  }
  TUpdateScope<TlxCustomEditProperties> update(*this);
  TlxCustomTextEditProperties::Assign(source);
  SetScrollBars(other->scroll_bars_);
  SetVisibleLineCount(other->visible_line_count_);
  SetWantReturns(other->want_returns_);
  SetWantTabs(other->want_tabs_);
  SetWordWrap(other->word_wrap_);
}

int32_t TlxCustomMemoProperties::CanUseFieldDisplayFormat(bool /*edit_focused*/) const {
  return DefaultValuesProvider() != nullptr && DefaultValuesProvider()->HoldsBlobData() ? 0 : 1;
}

void TlxCustomMemoProperties::FormatDisplayText(const Variant& edit_value, std::string& text, bool full_text) const {
  TlxCustomTextEditProperties::FormatDisplayText(edit_value, text, true);
  if (!full_text)
    text = lxCutTextAtLineBreak(text);
}

TAlignment TlxCustomMemoProperties::HorzAlignment() const {
  return const_cast<TlxCustomMemoProperties*>(this)->GetAlignment()->Horz();
}

void TlxCustomMemoProperties::SetHorzAlignment(TAlignment value) { GetAlignment()->SetHorz(value); }

void TlxCustomMemoProperties::SetVisibleLineCount(int32_t value) { Store(visible_line_count_, std::max(value, 0)); }

std::string lxCutTextAtLineBreak(const std::string& text, int32_t max_length) {
  std::u16string wide = Utf8ToUtf16(text);
  const size_t line_break = wide.find_first_of(u"\r\n");
  if (line_break != std::u16string::npos)
    wide.resize(line_break);
  if (max_length >= 0 && wide.size() > static_cast<size_t>(max_length))
    wide.resize(static_cast<size_t>(max_length));
  return Utf16ToUtf8(wide);
}

void TlxMemoProperties::Publish(TPropertyListBuilder& properties) {
  using P = TlxCustomMemoProperties;
  auto p = properties.For<P>();
  p.Enumeration("Alignment", &P::HorzAlignment, &P::SetHorzAlignment,
                {"taLeftJustify", "taRightJustify", "taCenter"}, std::optional<TAlignment>(taLeftJustify))
      .Stored = [](const TPersistent& self) { return static_cast<const P&>(self).AlignmentNeedsStoring(); };
  p.Persistent("AssignedValues", TlxTextEditPropertiesValues::kClass, &P::AssignedTextValues);
  p.Boolean("AutoSelect", &P::AutoSelect, &P::SetAutoSelect, false);
  p.Enumeration("CharCase", &P::CharCase, &P::SetCharCase, {"ecNormal", "ecUpperCase", "ecLowerCase"},
                std::optional<TEditCharCase>(ecNormal));
  p.Integer("ClearKey", &P::ClearKey, &P::SetClearKey, 0);
  p.Boolean("HideSelection", &P::HideSelection, &P::SetHideSelection, true);
  p.Enumeration("ImeMode", &P::ImeMode, &P::SetImeMode,
                {"imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha", "imHira", "imSKata", "imKata",
                 "imChinese", "imSHanguel", "imHanguel"},
                std::optional<TImeMode>(imDontCare));
  p.String("ImeName", &P::ImeName, &P::SetImeName);
  p.Integer("MaxLength", &P::MaxLength, &P::SetMaxLength).Stored = [](const TPersistent& self) {
    return static_cast<const P&>(self).MaxLengthNeedsStoring();
  };
  p.Boolean("OEMConvert", &P::OEMConvert, &P::SetOEMConvert, false);
  p.Boolean("ReadOnly", &P::GetReadOnly, &P::SetReadOnly).Stored = [](const TPersistent& self) {
    return static_cast<const P&>(self).ReadOnlyNeedsStoring();
  };
  p.Enumeration("ScrollBars", &P::ScrollBars, &P::SetScrollBars, {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"},
                std::optional<TScrollStyle>(ssNone));
  p.Integer("VisibleLineCount", &P::VisibleLineCount, &P::SetVisibleLineCount, 0);
  p.Boolean("WantReturns", &P::WantReturns, &P::SetWantReturns, true);
  p.Boolean("WantTabs", &P::WantTabs, &P::SetWantTabs, false);
  p.Boolean("WordWrap", &P::WordWrap, &P::SetWordWrap, true);
}

void TlxFilterMemoHelper::GetSupportedOperators(const TlxCustomEditProperties* /*properties*/,
                                                TlxValueTypeClass /*value_type*/,
                                                TlxFilterConditionOperators& operators, bool /*extended*/) const {
  operators = TlxFilterConditionOperators{fcoLike, fcoNotLike, fcoBlanks, fcoNonBlanks};
}

// --- module ---------------------------------------------------------------------------------------

namespace {

TlxModuleStartCount& MemoModule() {
  static TlxModuleStartCount count;
  return count;
}

}  // namespace

void lxMemoModuleStart() {
  MemoModule().Start([] {
    lxEditConstsInitialize();
    lxGetRegisteredEditProperties().AddClass(&TlxMemoProperties::kClass, kMemoKindText);
    lxGetFilterEditsController().RegisterHelper(&TlxMemoProperties::kClass, &StatelessInstance<TlxFilterMemoHelper>());
  });
}

void lxMemoModuleEnd() {
  MemoModule().End([] {
    if (lxFilterEditsControllerExists())
      lxGetFilterEditsController().UnregisterHelper(&TlxMemoProperties::kClass,
                                                    &StatelessInstance<TlxFilterMemoHelper>());
    lxEditConstsFinalize();
  });
}
