#include "editors/text_edit_properties.h"

// Nothing is drawn natively: the records stay empty.
TlxEditViewDataClass TlxCustomTextEditProperties::GetViewDataClass() const { return {}; }
TlxEditViewInfoClass TlxCustomTextEditProperties::GetViewInfoClass() const { return {}; }
const TClass* TlxCustomTextEditProperties::GetEditControlClass() const { return nullptr; }
