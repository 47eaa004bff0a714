#include "editors/kinds/time_edit_properties.h"

const TClass* TlxCustomTimeEditProperties::GetEditControlClass() const {
  return TlxCustomSpinEditProperties::GetEditControlClass();
}

TClassRef TlxFilterTimeEditHelper::GetValueEditorClass() const { return nullptr; }
