#include "editors/kinds/check_box_properties.h"

// The native build has no platform bitmaps: the properties carry no glyph.
void TlxCustomCheckBoxProperties::CreateGlyph() {}

void TlxCustomCheckBoxProperties::CopyGlyph(TBitmap* /*value*/) {}
