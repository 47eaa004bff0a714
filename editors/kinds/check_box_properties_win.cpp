#include "editors/kinds/check_box_properties.h"

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
