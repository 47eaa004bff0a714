#include "editors/kinds/radio_group_properties.h"

// Natively nothing is drawn and no control is made.
const TClass* TlxCustomRadioGroupProperties::GetEditControlClass() const {
  return TlxCustomButtonGroupProperties::GetEditControlClass();
}

TlxEditViewDataClass TlxCustomRadioGroupProperties::GetViewDataClass() const {
  return TlxCustomButtonGroupProperties::GetViewDataClass();
}

TlxEditViewInfoClass TlxCustomRadioGroupProperties::GetViewInfoClass() const {
  return TlxCustomButtonGroupProperties::GetViewInfoClass();
}
