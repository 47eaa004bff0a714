#include "editors/edit_properties.h"
#include "editors/edit_control_win.h"
#include "editors/edit_view_data_win.h"

TlxEditViewDataClass TlxCustomEditProperties::GetViewDataClass() const {
  return {&TlxCustomEditViewData::kClass,
          [](TlxCustomEditProperties* properties, TlxCustomEditStyle* style,
             bool inplace) -> std::unique_ptr<TlxCustomEditViewData> {
            return std::make_unique<TlxCustomEditViewData>(properties, style, inplace);
          }};
}

TlxEditViewInfoClass TlxCustomEditProperties::GetViewInfoClass() const {
  return {&TlxCustomEditViewInfo::kClass,
          []() -> std::unique_ptr<TlxCustomEditViewInfo> { return std::make_unique<TlxCustomEditViewInfo>(); }};
}

std::unique_ptr<TlxCustomEditViewData> TlxCustomEditProperties::CreateViewData(TlxCustomEditStyle* style,
                                                                              bool inplace, bool preview_mode) {
  std::unique_ptr<TlxCustomEditViewData> data = GetViewDataClass().Create(this, style, inplace);
  data->PreviewMode = preview_mode;
  return data;
}

TSize TlxCustomEditProperties::CalculateEditSize(TlxCanvas& canvas, TlxCustomEditStyle* style, bool inplace,
                                                 const Variant& edit_value, const TlxEditSizeProperties& limits) {
  // The view data is freed by its owner pointer even when measuring throws.
  const std::unique_ptr<TlxCustomEditViewData> data = CreateViewData(style, inplace, false);
  return data->MeasureEditSize(canvas, edit_value, limits);
}

const TClass* TlxCustomEditProperties::GetEditControlClass() const { return &TlxCustomEdit::kClass; }
