#include "editors/kinds/currency_edit_properties.h"

// Natively there are no editor controls.
const TClass* TlxCustomCurrencyEditProperties::GetEditControlClass() const { return nullptr; }

TClassRef TlxFilterCurrencyEditHelper::GetValueEditorClass() const { return nullptr; }
