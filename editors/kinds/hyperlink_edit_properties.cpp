#include "editors/kinds/hyperlink_edit_properties.h"

#include <cctype>

#include "editors/edit_repository.h"
#include "editors/edit_strings.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "ui/foundation/base/module_start_count.h"

namespace {

constexpr const char* kHyperLinkKindText = "HyperLink|Represents a text editor with hyperlink functionality";

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && AnsiUpperCase(text.substr(0, prefix.size())) == AnsiUpperCase(prefix);
}

}  // namespace

bool lxLinkHasScheme(std::string_view text) {
  const size_t colon = text.find("://");
  if (colon == std::string_view::npos || colon == 0 || !std::isalpha(static_cast<unsigned char>(text[0])))
    return false;
  for (size_t i = 1; i < colon; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.')
      return false;
  }
  return true;
}

TlxCustomHyperLinkEditProperties::TlxCustomHyperLinkEditProperties(TPersistent* owner)
    : TlxCustomTextEditProperties(owner), prefix_(lxEditResString(slxSHyperLinkPrefix)) {
  SetAutoSelect(false);
}

void TlxCustomHyperLinkEditProperties::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomHyperLinkEditProperties*>(source);
  if (other == nullptr) {
    TlxCustomTextEditProperties::Assign(source);
    return;
  }
  TUpdateScope<TlxCustomEditProperties> update(*this);
  TlxCustomTextEditProperties::Assign(source);
  SetLinkColor(other->link_color_);
  prefix_ = other->prefix_;
  SetSingleClick(other->single_click_);
  start_key_ = other->start_key_;
  use_prefix_ = other->use_prefix_;
  OnStartClick = other->OnStartClick;
}

void TlxCustomHyperLinkEditProperties::DefineProperties(TFiler& filer) {
  TlxCustomTextEditProperties::DefineProperties(filer);
  // Written against the resource text, so that an empty prefix is kept.
  filer.DefineProperty(
      "Prefix", [this](TReader& reader) { prefix_ = reader.ReadString(); },
      [this](TWriter& writer) { writer.WriteString(prefix_); }, prefix_ != lxEditResString(slxSHyperLinkPrefix));
}

std::string TlxCustomHyperLinkEditProperties::AddPrefix(std::string_view text) const {
  std::string result(TrimBlanks(text));
  if (prefix_.empty() || result.empty() || StartsWithIgnoringCase(result, prefix_) || lxLinkHasScheme(result))
    return result;
  return std::string(TrimBlanks(prefix_ + result));
}

uint32_t TlxCustomHyperLinkEditProperties::GetEditCapabilities() const {
  return TlxCustomTextEditProperties::GetEditCapabilities() | (single_click_ ? 1u : 0u);
}

void TlxCustomHyperLinkEditProperties::ValidateDisplayValue(Variant& display_value, std::string& error_text,
                                                            bool& error, IlxEditControl* edit) {
  if (use_prefix_ == upAlways)
    display_value = Variant(AddPrefix(VarToStr(display_value)));
  TlxCustomTextEditProperties::ValidateDisplayValue(display_value, error_text, error, edit);
}

void TlxHyperLinkEditProperties::Publish(TPropertyListBuilder& properties) {
  using P = TlxCustomHyperLinkEditProperties;
  auto p = properties.For<P>();
  p.Persistent("AssignedValues", TlxTextEditPropertiesValues::kClass, &P::AssignedTextValues);
  p.Boolean("AutoComplete", &P::AutoComplete, &P::SetAutoComplete).Stored = [](const TPersistent&) {
    return false;
  };
  p.Boolean("AutoSelect", &P::AutoSelect, &P::SetAutoSelect, false);
  p.Integer("ClearKey", &P::ClearKey, &P::SetClearKey, 0);
  p.Enumeration("ImeMode", &P::ImeMode, &P::SetImeMode,
                {"imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha", "imHira", "imSKata", "imKata",
                 "imChinese", "imSHanguel", "imHanguel"},
                std::optional<TImeMode>(imDontCare));
  p.String("ImeName", &P::ImeName, &P::SetImeName);
  p.Boolean("IncrementalSearch", &P::IncrementalSearch, &P::SetIncrementalSearch, true);
  p.Integer("LinkColor", &P::LinkColor, &P::SetLinkColor, clBlue);
  p.Persistent("LookupItems", TStringList::kClass, &P::LookupItems);
  p.Boolean("LookupItemsSorted", &P::LookupItemsSorted, &P::SetLookupItemsSorted, false);
  p.Boolean("ReadOnly", &P::GetReadOnly, &P::SetReadOnly).Stored = [](const TPersistent& self) {
    return static_cast<const P&>(self).ReadOnlyNeedsStoring();
  };
  p.Integer("StartKey", &P::StartKey, &P::SetStartKey, 16397);
  p.Boolean("SingleClick", &P::SingleClick, &P::SetSingleClick, false);
  p.Boolean("UseLeftAlignmentOnEditing", &P::UseLeftAlignmentOnEditing, &P::SetUseLeftAlignmentOnEditing)
      .Stored = [](const TPersistent& self) {
    return static_cast<const P&>(self).UseLeftAlignmentOnEditingNeedsStoring();
  };
  p.Enumeration("UsePrefix", &P::UsePrefix, &P::SetUsePrefix, {"upAlways", "upOnlyOnExecute", "upNever"},
                std::optional<TlxHyperLinkEditUsePrefix>(upAlways));
  p.Boolean("ValidateOnEnter", &P::ValidateOnEnter, &P::SetValidateOnEnter, false);
}

// --- module ---------------------------------------------------------------------------------------

namespace {

TlxModuleStartCount& HyperLinkModule() {
  static TlxModuleStartCount count;
  return count;
}

}  // namespace

void lxHyperLinkEditModuleStart() {
  HyperLinkModule().Start([] {
    lxEditConstsInitialize();
    lxGetRegisteredEditProperties().AddClass(&TlxHyperLinkEditProperties::kClass, kHyperLinkKindText);
    lxGetFilterEditsController().RegisterHelper(&TlxHyperLinkEditProperties::kClass,
                                                &StatelessInstance<TlxFilterHyperLinkEditHelper>());
  });
}

void lxHyperLinkEditModuleEnd() {
  HyperLinkModule().End([] {
    if (lxFilterEditsControllerExists())
      lxGetFilterEditsController().UnregisterHelper(&TlxHyperLinkEditProperties::kClass,
                                                    &StatelessInstance<TlxFilterHyperLinkEditHelper>());
    lxEditConstsFinalize();
  });
}
