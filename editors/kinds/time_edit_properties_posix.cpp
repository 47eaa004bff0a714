#include "editors/kinds/time_edit_properties.h"

// No control is created natively.
const TClass* TlxCustomTimeEditProperties::GetEditControlClass() const { return nullptr; }
TClassRef TlxFilterTimeEditHelper::GetValueEditorClass() const { return nullptr; }
