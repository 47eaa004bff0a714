#include "editors/kinds/memo_properties.h"
#include "editors/kinds/memo_win.h"

const TClass* TlxCustomMemoProperties::GetEditControlClass() const { return &TlxMemo::kClass; }

TlxEditViewDataClass TlxCustomMemoProperties::GetViewDataClass() const {
  return {&TlxCustomMemoViewData::kClass,
          [](TlxCustomEditProperties* properties, TlxCustomEditStyle* style,
             bool inplace) -> std::unique_ptr<TlxCustomEditViewData> {
            return std::make_unique<TlxCustomMemoViewData>(properties, style, inplace);
          }};
}

TlxEditViewInfoClass TlxCustomMemoProperties::GetViewInfoClass() const {
  return {&TlxCustomMemoViewInfo::kClass,
          []() -> std::unique_ptr<TlxCustomEditViewInfo> { return std::make_unique<TlxCustomMemoViewInfo>(); }};
}

// Operands are typed on one line: the text editor edits them.
TClassRef TlxFilterMemoHelper::GetValueEditorClass() const { return &TlxTextEdit::kClass; }
