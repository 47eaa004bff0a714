#pragma once
// TprFont: the platform's font with its Height and Size published, so that
// the report library's stored components can carry fonts.

#include "platform/toolkit/font.h"

class TprFont : public TFont {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TprFont", &TFont::kClass, &ConstructInstance<TprFont>, &TprFont::Publish};
  const TClass* ClassType() const override { return &kClass; }
};
