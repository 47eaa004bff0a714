#pragma once
// The group box editor kind's properties: no settings of their own, only
// the view and control classes. Portable, so that kinds built on the group
// box (the button and radio groups) keep their logic testable natively.

#include "editors/edit_properties.h"

class TlxCustomGroupBoxProperties : public TlxCustomEditProperties {
 public:
  static constexpr TClass kClass{"TlxCustomGroupBoxProperties", &TlxCustomEditProperties::kClass,
                                 &ConstructInstance<TlxCustomGroupBoxProperties>};
  const TClass* ClassType() const override { return &kClass; }

  using TlxCustomEditProperties::TlxCustomEditProperties;

  const TClass* GetEditControlClass() const override;
  TlxEditViewDataClass GetViewDataClass() const override;
  TlxEditViewInfoClass GetViewInfoClass() const override;
};
