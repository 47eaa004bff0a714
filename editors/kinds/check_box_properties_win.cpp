#include "editors/kinds/check_box_properties.h"

#include "editors/kinds/check_box_view_win.h"
#include "platform/toolkit/bitmap.h"

void TlxCustomCheckBoxProperties::CreateGlyph() {
  auto glyph = std::make_shared<TBitmap>();
  glyph->OnChange = [this](TObject*) { Changed(); };
  glyph_ = std::move(glyph);
}

void TlxCustomCheckBoxProperties::CopyGlyph(TBitmap* value) {
  if (glyph_ == nullptr)
    CreateGlyph();
  glyph_->Assign(value);
}

TlxEditViewDataClass TlxCustomCheckBoxProperties::GetViewDataClass() const {
  return {&TlxCustomCheckBoxViewData::kClass,
          [](TlxCustomEditProperties* properties, TlxCustomEditStyle* style,
             bool inplace) -> std::unique_ptr<TlxCustomEditViewData> {
            return std::make_unique<TlxCustomCheckBoxViewData>(properties, style, inplace);
          }};
}

TlxEditViewInfoClass TlxCustomCheckBoxProperties::GetViewInfoClass() const {
  return {&TlxCustomCheckBoxViewInfo::kClass,
          []() -> std::unique_ptr<TlxCustomEditViewInfo> { return std::make_unique<TlxCustomCheckBoxViewInfo>(); }};
}

void lxPrepareCheckBoxResources() { lxCheckMarkMask(); }

void lxFreeCheckBoxResources() { lxFreeCheckMarkMask(); }
