#pragma once
// Sorting groups by a group summary.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Portable.

#include "data/data_controller.h"
#include "data/data_summary.h"

class TlxGridSortingBySummaryEngine : public TlxSortingBySummaryEngine {
 public:
  static constexpr TClass kClass{"TlxGridSortingBySummaryEngine", &TlxSortingBySummaryEngine::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxSortingBySummaryEngine::TlxSortingBySummaryEngine;
};

class TlxDataGroupNode : public TObject {
 public:
  static constexpr TClass kClass{"TlxDataGroupNode", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TObject::TObject;
};

class TlxSortingBySummaryInfo : public TObject {
 public:
  static constexpr TClass kClass{"TlxSortingBySummaryInfo", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TObject::TObject;
};
