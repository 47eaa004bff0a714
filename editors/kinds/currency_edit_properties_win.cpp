#include "editors/kinds/currency_edit_properties.h"
#include "editors/kinds/currency_edit_win.h"

const TClass* TlxCustomCurrencyEditProperties::GetEditControlClass() const { return &TlxCurrencyEdit::kClass; }

TClassRef TlxFilterCurrencyEditHelper::GetValueEditorClass() const { return &TlxCurrencyEdit::kClass; }
