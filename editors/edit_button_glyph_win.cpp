// The picture of a glyph button. The portable part of the button holds it
// through its persistent base; here it is a bitmap.
#include "editors/edit_buttons.h"
#include "platform/rtl/property.h"
#include "platform/toolkit/bitmap.h"

TBitmap* TlxEditButton::GlyphIfCreated() const { return static_cast<TBitmap*>(glyph_.get()); }

TBitmap* TlxEditButton::Glyph() const {
  if (glyph_ == nullptr) {
    auto glyph = std::make_unique<TBitmap>();
    // Drawing on the picture or loading it changes how the button looks.
    // Only the reading path is const: buttons themselves are never made
    // const, so the notice may change the button.
    glyph->OnChange = [this](TObject* /*sender*/) { const_cast<TlxEditButton*>(this)->Changed(false); };
    glyph_ = std::move(glyph);
  }
  return GlyphIfCreated();
}

void TlxEditButton::SetGlyph(const TBitmap* value) {
  if (value == nullptr) {
    if (glyph_ == nullptr)
      return;
    glyph_.reset();
    Changed(false);
    return;
  }
  // The picture's change notice reports the button.
  Glyph()->Assign(value);
}

void TlxEditButton::AssignGlyphFrom(const TlxEditButton& source) { SetGlyph(source.GlyphIfCreated()); }

void TlxEditButton::PublishGlyph(TPropertyListBuilder& properties) {
  properties.For<TlxEditButton>().Persistent("Glyph", TBitmap::kClass, &TlxEditButton::Glyph);
}
