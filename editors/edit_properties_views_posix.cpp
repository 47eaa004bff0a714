#include "editors/edit_properties.h"

// The view classes draw through the Windows canvas; the portable build has
// none to name.
TlxEditViewDataClass TlxCustomEditProperties::GetViewDataClass() const { return {}; }
TlxEditViewInfoClass TlxCustomEditProperties::GetViewInfoClass() const { return {}; }

const TClass* TlxCustomEditProperties::GetEditControlClass() const { return nullptr; }
