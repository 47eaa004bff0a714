#include "editors/kinds/time_edit_properties.h"
#include "editors/kinds/time_edit_win.h"

const TClass* TlxCustomTimeEditProperties::GetEditControlClass() const { return &TlxTimeEdit::kClass; }

TClassRef TlxFilterTimeEditHelper::GetValueEditorClass() const { return &TlxTimeEdit::kClass; }
