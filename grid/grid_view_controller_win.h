#pragma once
// The view controller of every view (site routing, cell hints, the customization form), the design controllers, and the grid's own drag-and-drop and moving objects.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Included only
// from Windows sources.

#include "grid/grid_control_win.h"
#include "grid/grid_view_handler_win.h"
#include "ui/foundation/controls/drag_and_drop_win.h"

class TlxCustomGridController : public TlxGridViewHandler {
 public:
  static constexpr TClass kClass{"TlxCustomGridController", &TlxGridViewHandler::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridViewHandler::TlxGridViewHandler;
};

class TlxCustomGridDragAndDropObject : public TlxDragAndDropObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridDragAndDropObject", &TlxDragAndDropObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxDragAndDropObject::TlxDragAndDropObject;
};

class TlxCustomGridDesignController : public TObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridDesignController", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TObject::TObject;
};

class TlxCustomGridMovingObject : public TlxCustomGridDragAndDropObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridMovingObject", &TlxCustomGridDragAndDropObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridDragAndDropObject::TlxCustomGridDragAndDropObject;
};

class TlxCustomGridTableMovingObject : public TlxCustomGridMovingObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridTableMovingObject", &TlxCustomGridMovingObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridMovingObject::TlxCustomGridMovingObject;
};

class TlxGridItemContainerZone : public TObject {
 public:
  static constexpr TClass kClass{"TlxGridItemContainerZone", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TObject::TObject;
};

class TlxCustomGridTableItemMovingObject : public TlxCustomGridTableMovingObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridTableItemMovingObject", &TlxCustomGridTableMovingObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableMovingObject::TlxCustomGridTableMovingObject;
};

class TlxGridDragOpenInfoExpand : public TlxCustomGridDragOpenInfo {
 public:
  static constexpr TClass kClass{"TlxGridDragOpenInfoExpand", &TlxCustomGridDragOpenInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridDragOpenInfo::TlxCustomGridDragOpenInfo;
};
