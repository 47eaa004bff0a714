#pragma once
// The live viewer of the dispatcher. It has no settings of its own.

#include "logging/base_destination.h"

class TViewerDestination : public TBaseDestination {
 public:
  static constexpr TClass kClass{"TViewerDestination", &TBaseDestination::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TViewerDestination(TLogWireDestination* owner);

  // Whatever stands in the viewer's brackets is ignored.
  void SetOption(std::string_view name, std::string_view value) override;
};
