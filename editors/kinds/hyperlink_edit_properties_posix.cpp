#include "editors/kinds/hyperlink_edit_properties.h"

// Nothing is drawn and no control is created natively.
const TClass* TlxCustomHyperLinkEditProperties::GetEditControlClass() const { return nullptr; }
TlxEditViewInfoClass TlxCustomHyperLinkEditProperties::GetViewInfoClass() const { return {}; }
TClassRef TlxFilterHyperLinkEditHelper::GetValueEditorClass() const { return nullptr; }
