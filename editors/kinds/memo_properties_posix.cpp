#include "editors/kinds/memo_properties.h"

// Nothing is drawn and no control is created natively.
const TClass* TlxCustomMemoProperties::GetEditControlClass() const { return nullptr; }
TlxEditViewDataClass TlxCustomMemoProperties::GetViewDataClass() const { return {}; }
TlxEditViewInfoClass TlxCustomMemoProperties::GetViewInfoClass() const { return {}; }
TClassRef TlxFilterMemoHelper::GetValueEditorClass() const { return nullptr; }
