#pragma once
// The button edit kind: a mask edit with embedded buttons, by default one
// ellipsis button that is the default button. Stored buttons replace it.

#include "editors/mask_edit_properties.h"

class TlxCustomButtonEditProperties : public TlxCustomMaskEditProperties {
 public:
  static constexpr TClass kClass{"TlxCustomButtonEditProperties", &TlxCustomMaskEditProperties::kClass,
                                 &ConstructInstance<TlxCustomButtonEditProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TPersistent;

  explicit TlxCustomButtonEditProperties(TPersistent* owner);

  const TClass* GetEditControlClass() const override;
};

class TlxButtonEditProperties : public TlxCustomButtonEditProperties {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxButtonEditProperties", &TlxCustomButtonEditProperties::kClass,
                                 &ConstructInstance<TlxButtonEditProperties>, &TlxButtonEditProperties::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomButtonEditProperties::TlxCustomButtonEditProperties;
};

void lxButtonEditModuleStart();
void lxButtonEditModuleEnd();
