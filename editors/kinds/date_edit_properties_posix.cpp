#include "editors/kinds/date_edit_properties.h"

// No control and no popup natively: the settings and conversions alone.
const TClass* TlxCustomDateEditProperties::GetEditControlClass() const { return nullptr; }
const TClass* TlxCustomDateEditProperties::GetPopupWindowClass() const { return nullptr; }
TClassRef TlxFilterDateEditHelper::GetValueEditorClass() const { return nullptr; }
void lxRegisterDateEditControl() {}
