#include "editors/kinds/spin_edit_properties.h"

const TClass* TlxCustomSpinEditProperties::GetEditControlClass() const {
  return TlxCustomMaskEditProperties::GetEditControlClass();
}

TlxEditViewDataClass TlxCustomSpinEditProperties::GetViewDataClass() const {
  return TlxCustomMaskEditProperties::GetViewDataClass();
}

TlxEditViewInfoClass TlxCustomSpinEditProperties::GetViewInfoClass() const {
  return TlxCustomMaskEditProperties::GetViewInfoClass();
}

TClassRef TlxFilterSpinEditHelper::GetValueEditorClass() const { return nullptr; }
