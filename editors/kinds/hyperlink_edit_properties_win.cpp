#include "editors/kinds/hyperlink_edit_properties.h"
#include "editors/kinds/hyperlink_edit_win.h"

const TClass* TlxCustomHyperLinkEditProperties::GetEditControlClass() const { return &TlxHyperLinkEdit::kClass; }

TlxEditViewInfoClass TlxCustomHyperLinkEditProperties::GetViewInfoClass() const {
  return {&TlxHyperLinkEditViewInfo::kClass,
          []() -> std::unique_ptr<TlxCustomEditViewInfo> { return std::make_unique<TlxHyperLinkEditViewInfo>(); }};
}

TClassRef TlxFilterHyperLinkEditHelper::GetValueEditorClass() const { return &TlxHyperLinkEdit::kClass; }
