#include "editors/kinds/button_edit_properties.h"

// No control is created natively.
const TClass* TlxCustomButtonEditProperties::GetEditControlClass() const { return nullptr; }
