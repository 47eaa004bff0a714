#include "editors/kinds/memo_properties.h"

const TClass* TlxCustomMemoProperties::GetEditControlClass() const {
  return TlxCustomTextEditProperties::GetEditControlClass();
}

TlxEditViewDataClass TlxCustomMemoProperties::GetViewDataClass() const {
  return TlxCustomTextEditProperties::GetViewDataClass();
}

TlxEditViewInfoClass TlxCustomMemoProperties::GetViewInfoClass() const {
  return TlxCustomTextEditProperties::GetViewInfoClass();
}

TClassRef TlxFilterMemoHelper::GetValueEditorClass() const { return nullptr; }
