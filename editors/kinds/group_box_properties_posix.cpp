#include "editors/kinds/group_box_properties.h"

// Natively nothing is drawn and no control is made.
const TClass* TlxCustomGroupBoxProperties::GetEditControlClass() const {
  return TlxCustomEditProperties::GetEditControlClass();
}

TlxEditViewDataClass TlxCustomGroupBoxProperties::GetViewDataClass() const {
  return TlxCustomEditProperties::GetViewDataClass();
}

TlxEditViewInfoClass TlxCustomGroupBoxProperties::GetViewInfoClass() const {
  return TlxCustomEditProperties::GetViewInfoClass();
}
