#include "editors/kinds/button_edit_properties.h"

const TClass* TlxCustomButtonEditProperties::GetEditControlClass() const {
  return TlxCustomMaskEditProperties::GetEditControlClass();
}
