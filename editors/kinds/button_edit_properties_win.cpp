#include "editors/kinds/button_edit_properties.h"
#include "editors/kinds/button_edit_win.h"

const TClass* TlxCustomButtonEditProperties::GetEditControlClass() const { return &TlxButtonEdit::kClass; }
