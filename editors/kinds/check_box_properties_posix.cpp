#include "editors/kinds/check_box_properties.h"

// The native build has no platform bitmaps: the properties carry no glyph.
void TlxCustomCheckBoxProperties::CreateGlyph() {}

void TlxCustomCheckBoxProperties::CopyGlyph(TBitmap* /*value*/) {}

TlxEditViewDataClass TlxCustomCheckBoxProperties::GetViewDataClass() const {
  return TlxCustomEditProperties::GetViewDataClass();
}

TlxEditViewInfoClass TlxCustomCheckBoxProperties::GetViewInfoClass() const {
  return TlxCustomEditProperties::GetViewInfoClass();
}

void lxPrepareCheckBoxResources() {}

void lxFreeCheckBoxResources() {}
