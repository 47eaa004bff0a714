#include "editors/kinds/button_edit_properties.h"

#include "editors/edit_repository.h"
#include "editors/edit_strings.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"
#include "ui/foundation/base/module_start_count.h"

namespace {

constexpr const char* kButtonEditKindText = "ButtonEdit|Represents an edit control with embedded buttons";

}  // namespace

TlxCustomButtonEditProperties::TlxCustomButtonEditProperties(TPersistent* owner)
    : TlxCustomMaskEditProperties(owner) {
  TUpdateScope<TlxCustomEditProperties> update(*this);
  TlxEditButton* button = Buttons()->AddButton();
  button->SetKind(bkEllipsis);
  button->SetDefault(true);
}

void TlxButtonEditProperties::Publish(TPropertyListBuilder& properties) {
  TlxMaskEditProperties::Publish(properties);
  using P = TlxCustomButtonEditProperties;
  auto p = properties.For<P>();
  p.Persistent("Buttons", TlxEditButtons::kClass, &P::Buttons);
  p.Integer("ClickKey", &P::ClickKey, &P::SetClickKey, 16397);
  p.Boolean("HideCursor", &P::HideCursor, &P::SetHideCursor);
  p.Enumeration("ViewStyle", &P::ViewStyle, &P::SetViewStyle,
                {"vsNormal", "vsHideCursor", "vsButtonsOnly", "vsButtonsAutoWidth"},
                std::optional<TlxTextEditViewStyle>(vsNormal));
}

namespace {

TlxModuleStartCount& ButtonEditModule() {
  static TlxModuleStartCount count;
  return count;
}

}  // namespace

void lxButtonEditModuleStart() {
  ButtonEditModule().Start([] {
    lxEditConstsInitialize();
    lxGetRegisteredEditProperties().AddClass(&TlxButtonEditProperties::kClass, kButtonEditKindText);
  });
}

// The editor kinds stay registered until the registry is freed.
void lxButtonEditModuleEnd() {
  ButtonEditModule().End([] { lxEditConstsFinalize(); });
}
