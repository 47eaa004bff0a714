#include "printers/font_win.h"

#include "platform/rtl/property.h"
#include "printers/font.h"

void TprFont::Publish(TPropertyListBuilder& properties) {
  auto published = properties.For<TprFont>();
  published.Integer("Height", &TprFont::Height, &TprFont::SetHeight);
  published.Integer("Size", &TprFont::Size, &TprFont::SetSize);
}

void prRegisterFontClass() { RegisterStreamableClass(TprFont::kClass); }

void prUnregisterFontClass() { UnRegisterStreamableClass(TprFont::kClass); }
