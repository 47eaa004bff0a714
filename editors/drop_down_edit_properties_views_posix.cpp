#include "editors/drop_down_edit_properties.h"

// No popup windows and no bitmaps natively: the settings alone.
const TClass* TlxCustomDropDownEditProperties::GetPopupWindowClass() const { return nullptr; }

void TlxCustomDropDownEditProperties::SetButtonGlyph(const TBitmap* value) {
  if (value == nullptr && glyph_ == nullptr)
    return;
  glyph_.reset();
  Changed();
}

bool TlxCustomDropDownEditProperties::HasUsableGlyph() const { return false; }

TlxEditViewDataClass TlxCustomDropDownEditProperties::GetViewDataClass() const { return {}; }
