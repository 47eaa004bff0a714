// The portable build has no bitmaps: its buttons never hold a picture.
#include "editors/edit_buttons.h"

TBitmap* TlxEditButton::GlyphIfCreated() const { return nullptr; }

void TlxEditButton::AssignGlyphFrom(const TlxEditButton& /*source*/) {}

void TlxEditButton::PublishGlyph(TPropertyListBuilder& /*properties*/) {}
