#include "editors/mask_edit_properties.h"

// No editor controls natively.
const TClass* TlxCustomMaskEditProperties::GetEditControlClass() const { return nullptr; }
