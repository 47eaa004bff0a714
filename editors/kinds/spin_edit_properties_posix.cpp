#include "editors/kinds/spin_edit_properties.h"

// Nothing is drawn and no control is created natively.
const TClass* TlxCustomSpinEditProperties::GetEditControlClass() const { return nullptr; }
TlxEditViewDataClass TlxCustomSpinEditProperties::GetViewDataClass() const { return {}; }
TlxEditViewInfoClass TlxCustomSpinEditProperties::GetViewInfoClass() const { return {}; }
TClassRef TlxFilterSpinEditHelper::GetValueEditorClass() const { return nullptr; }
