#include "editors/kinds/date_edit_properties.h"
#include "editors/kinds/date_edit_win.h"

const TClass* TlxCustomDateEditProperties::GetEditControlClass() const { return &TlxDateEdit::kClass; }
const TClass* TlxCustomDateEditProperties::GetPopupWindowClass() const { return &TlxDateEditPopupWindow::kClass; }
TClassRef TlxFilterDateEditHelper::GetValueEditorClass() const { return &TlxDateEdit::kClass; }
void lxRegisterDateEditControl() { RegisterStreamableClasses({&TlxDateEdit::kClass}); }
