#include "editors/kinds/button_group_properties.h"

// Natively nothing is drawn and no control is made.
const TClass* TlxCustomButtonGroupProperties::GetEditControlClass() const {
  return TlxCustomGroupBoxProperties::GetEditControlClass();
}

TlxEditViewDataClass TlxCustomButtonGroupProperties::GetViewDataClass() const {
  return TlxCustomGroupBoxProperties::GetViewDataClass();
}

TlxEditViewInfoClass TlxCustomButtonGroupProperties::GetViewInfoClass() const {
  return TlxCustomGroupBoxProperties::GetViewInfoClass();
}
