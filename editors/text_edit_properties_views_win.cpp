#include "editors/text_edit_properties.h"
#include "editors/text_edit_control_win.h"
#include "editors/text_view_win.h"

const TClass* TlxCustomTextEditProperties::GetEditControlClass() const { return &TlxTextEdit::kClass; }

TlxEditViewDataClass TlxCustomTextEditProperties::GetViewDataClass() const {
  return {&TlxCustomTextEditViewData::kClass,
          [](TlxCustomEditProperties* properties, TlxCustomEditStyle* style,
             bool inplace) -> std::unique_ptr<TlxCustomEditViewData> {
            return std::make_unique<TlxCustomTextEditViewData>(properties, style, inplace);
          }};
}

TlxEditViewInfoClass TlxCustomTextEditProperties::GetViewInfoClass() const {
  return {&TlxCustomTextEditViewInfo::kClass,
          []() -> std::unique_ptr<TlxCustomEditViewInfo> { return std::make_unique<TlxCustomTextEditViewInfo>(); }};
}
