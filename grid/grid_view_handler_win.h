#pragma once
// TlxGridViewHandler: the base of the parts of a view (controller, painter,
// view data, view info, view-info cache). It keeps the view and answers the
// view's other parts. Included only from Windows sources.

#include "grid/grid_view_win.h"
#include "ui/foundation/base/interfaced.h"
#include "ui/foundation/painters/look_and_feel_painter_win.h"

class TlxCustomDataController;
class TlxCustomGrid;
class TlxCustomGridController;
class TlxCustomGridPainter;
class TlxCustomGridViewData;
class TlxCustomGridViewInfo;
class TlxGridSite;

class TlxGridViewHandler : public TlxInterfacedPersistent {
 public:
  using TOwnerType = TlxCustomGridView;
  static constexpr TClass kClass{"TlxGridViewHandler", &TlxInterfacedPersistent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGridViewHandler(TlxCustomGridView* grid_view);

  TlxCustomGridView* GridView() const { return grid_view_; }
  TlxCustomGrid* Control() const;
  TlxCustomGridController* Controller() const;
  TlxCustomDataController* DataController() const;
  TlxCustomGridPainter* Painter() const;
  TlxGridSite* Site() const;
  TlxCustomGridViewData* ViewData() const;
  TlxCustomGridViewInfo* ViewInfo() const;
  TlxPainterClass LookAndFeelPainter() const;

  void BeginUpdate() const;
  void EndUpdate() const;

 private:
  TlxCustomGridView* grid_view_;
};
