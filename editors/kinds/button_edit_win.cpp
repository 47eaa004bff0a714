#include "editors/kinds/button_edit_win.h"

#include "editors/edit_style_types.h"
#include "platform/rtl/property.h"

TlxCustomButtonEdit::TlxCustomButtonEdit(TComponent* owner, const TClass& properties_class)
    : TlxCustomMaskEdit(owner, properties_class) {
  if (!properties_class.InheritsFrom(&TlxCustomButtonEditProperties::kClass))
    throw EInvalidOperation(std::string(properties_class.ClassName()) + " is no button editor properties class");
}

TlxContainerStyleValues TlxCustomButtonEdit::GetIgnoredStyleValues() const {
  TlxContainerStyleValues values = TlxCustomMaskEdit::GetIgnoredStyleValues();
  values.Exclude(esvButtonStyle);
  values.Exclude(esvButtonTransparency);
  values.Exclude(esvGradientButtons);
  return values;
}

TlxButtonEdit::TlxButtonEdit(TComponent* owner) : TlxCustomButtonEdit(owner, TlxButtonEditProperties::kClass) {
  const TlxEditButtons* buttons = GetProperties()->Buttons();
  if (buttons->Count() == 1)
    default_button_id_ = buttons->GetButton(0)->ID();
}

void TlxButtonEdit::Loaded() {
  if (!default_buttons_removed_) {
    default_buttons_removed_ = true;
    // A stored collection was cleared and read anew, which gives its items
    // new ids; only the constructor's own button still has its id.
    TlxEditButtons* buttons = GetProperties()->Buttons();
    if (buttons->Count() == 1 && buttons->GetButton(0)->ID() == default_button_id_)
      buttons->Clear();
  }
  TlxCustomButtonEdit::Loaded();
}

void TlxButtonEdit::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxButtonEdit>();
  p.Persistent("Properties", TlxButtonEditProperties::kClass, &TlxButtonEdit::GetProperties);
  p.Boolean("BeepOnEnter", &TlxButtonEdit::BeepOnEnter, &TlxButtonEdit::SetBeepOnEnter, true);
}
