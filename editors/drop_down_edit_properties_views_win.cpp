#include "editors/drop_down_edit_properties.h"
#include "editors/drop_down_edit_win.h"
#include "editors/edit_popup_window_win.h"
#include "platform/toolkit/bitmap.h"

const TClass* TlxCustomDropDownEditProperties::GetPopupWindowClass() const {
  return &TlxCustomEditPopupWindow::kClass;
}

void TlxCustomDropDownEditProperties::SetButtonGlyph(const TBitmap* value) {
  if (value == nullptr) {
    if (glyph_ == nullptr)
      return;
    glyph_.reset();
  } else {
    auto copy = std::make_shared<TBitmap>();
    copy->Assign(value);
    glyph_ = std::move(copy);
  }
  Changed();
}

bool TlxCustomDropDownEditProperties::HasUsableGlyph() const { return glyph_ != nullptr && !glyph_->Empty(); }

TlxEditViewDataClass TlxCustomDropDownEditProperties::GetViewDataClass() const {
  return {&TlxCustomDropDownEditViewData::kClass,
          [](TlxCustomEditProperties* properties, TlxCustomEditStyle* style,
             bool inplace) -> std::unique_ptr<TlxCustomEditViewData> {
            return std::make_unique<TlxCustomDropDownEditViewData>(properties, style, inplace);
          }};
}
