#pragma once
// The filter box band with its four buttons and their painters.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Included only
// from Windows sources.

#include "grid/grid_cells_win.h"
#include "grid/table_view_info_win.h"

class TlxGridFilterButtonsViewInfo : public TObject {
 public:
  static constexpr TClass kClass{"TlxGridFilterButtonsViewInfo", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TObject::TObject;
};

class TlxCustomGridFilterButtonViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxCustomGridFilterButtonViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewCellViewInfo::TlxCustomGridViewCellViewInfo;
};

class TlxGridFilterCloseButtonViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridFilterCloseButtonViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewCellViewInfo::TlxCustomGridViewCellViewInfo;
};

class TlxGridFilterActivateButtonViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridFilterActivateButtonViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewCellViewInfo::TlxCustomGridViewCellViewInfo;
};

class TlxGridFilterDropDownButtonViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridFilterDropDownButtonViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewCellViewInfo::TlxCustomGridViewCellViewInfo;
};

class TlxGridFilterCustomizeButtonViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridFilterCustomizeButtonViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewCellViewInfo::TlxCustomGridViewCellViewInfo;
};

class TlxGridFilterPainter : public TlxCustomGridPartPainter {
 public:
  static constexpr TClass kClass{"TlxGridFilterPainter", &TlxCustomGridPartPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridPartPainter::TlxCustomGridPartPainter;
};

class TlxCustomGridFilterButtonPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxCustomGridFilterButtonPainter", &TlxCustomGridCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
};

class TlxGridFilterCloseButtonPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridFilterCloseButtonPainter", &TlxCustomGridCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
};

class TlxGridFilterActivateButtonPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridFilterActivateButtonPainter", &TlxCustomGridCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
};

class TlxGridFilterDropDownButtonPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridFilterDropDownButtonPainter", &TlxCustomGridCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
};

class TlxGridFilterCustomizeButtonPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridFilterCustomizeButtonPainter", &TlxCustomGridCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
};
