#include "editors/kinds/spin_edit_properties.h"
#include "editors/kinds/spin_edit_view_win.h"
#include "editors/kinds/spin_edit_win.h"

const TClass* TlxCustomSpinEditProperties::GetEditControlClass() const { return &TlxSpinEdit::kClass; }

TlxEditViewDataClass TlxCustomSpinEditProperties::GetViewDataClass() const {
  return {&TlxSpinEditViewData::kClass,
          [](TlxCustomEditProperties* properties, TlxCustomEditStyle* style,
             bool inplace) -> std::unique_ptr<TlxCustomEditViewData> {
            return std::make_unique<TlxSpinEditViewData>(properties, style, inplace);
          }};
}

TlxEditViewInfoClass TlxCustomSpinEditProperties::GetViewInfoClass() const {
  return {&TlxSpinEditViewInfo::kClass,
          []() -> std::unique_ptr<TlxCustomEditViewInfo> { return std::make_unique<TlxSpinEditViewInfo>(); }};
}

TClassRef TlxFilterSpinEditHelper::GetValueEditorClass() const { return &TlxSpinEdit::kClass; }
