#include "editors/kinds/hyperlink_edit_properties.h"

const TClass* TlxCustomHyperLinkEditProperties::GetEditControlClass() const {
  return TlxCustomTextEditProperties::GetEditControlClass();
}

TlxEditViewInfoClass TlxCustomHyperLinkEditProperties::GetViewInfoClass() const {
  return TlxCustomTextEditProperties::GetViewInfoClass();
}

TClassRef TlxFilterHyperLinkEditHelper::GetValueEditorClass() const { return nullptr; }
