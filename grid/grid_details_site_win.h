#pragma once
// The grid details site and the level tabs.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Included only
// from Windows sources.

#include "grid/grid_cells_win.h"
#include "ui/foundation/base/component.h"

class TlxCustomGridDetailsSiteViewInfo : public TlxComponent {
 public:
  static constexpr TClass kClass{"TlxCustomGridDetailsSiteViewInfo", &TlxComponent::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxComponent::TlxComponent;
};

class TlxCustomGridDetailsSiteTabsViewInfo : public TObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridDetailsSiteTabsViewInfo", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TObject::TObject;
};

class TlxGridDetailsSiteLeftTabsViewInfo : public TlxCustomGridDetailsSiteTabsViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridDetailsSiteLeftTabsViewInfo", &TlxCustomGridDetailsSiteTabsViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridDetailsSiteTabsViewInfo::TlxCustomGridDetailsSiteTabsViewInfo;
};

class TlxGridDetailsSiteTabsPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridDetailsSiteTabsPainter", &TlxCustomGridCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
};

class TlxGridDetailsSiteTopTabsViewInfo : public TlxCustomGridDetailsSiteTabsViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridDetailsSiteTopTabsViewInfo", &TlxCustomGridDetailsSiteTabsViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridDetailsSiteTabsViewInfo::TlxCustomGridDetailsSiteTabsViewInfo;
};

class TlxGridDetailsSitePainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridDetailsSitePainter", &TlxCustomGridCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
};

class TlxGridTopDetailsSiteViewInfo : public TlxCustomGridDetailsSiteViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridTopDetailsSiteViewInfo", &TlxCustomGridDetailsSiteViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridDetailsSiteViewInfo::TlxCustomGridDetailsSiteViewInfo;
};
