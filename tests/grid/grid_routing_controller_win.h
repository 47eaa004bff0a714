#pragma once
// A view controller for tests of cells that react to the pointer: it hands
// each of the site's mouse events to the cell under the pointer, as the
// view's own controller does, whatever else that controller does.

#include "grid/grid_cells_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_view_controller_win.h"
#include "grid/grid_view_info_win.h"

namespace grid_routing_controller {

class TRoutingController : public TlxCustomGridController {
 public:
  static constexpr TClass kClass{"TRoutingController", &TlxCustomGridController::kClass,
                                 &ConstructInstance<TRoutingController>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridController::TlxCustomGridController;

  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override {
    if (TlxCustomGridHitTest* hit_test = HitTestAt(x, y))
      hit_test->ViewInfo()->MouseDown(hit_test, button, shift);
  }
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override {
    if (TlxCustomGridHitTest* hit_test = HitTestAt(x, y))
      hit_test->ViewInfo()->MouseMove(hit_test, shift);
  }
  // A cell that captured the mouse hears the release wherever it is.
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override {
    if (TlxCustomGridHitTest* hit_test = HitTestAt(x, y))
      hit_test->ViewInfo()->MouseUp(hit_test, button, shift);
  }

 private:
  TlxCustomGridHitTest* HitTestAt(int32_t x, int32_t y) {
    TlxCustomGridHitTest* hit_test = ViewInfo()->GetHitTest(TPoint(x, y));
    return hit_test != nullptr && hit_test->ViewInfo() != nullptr ? hit_test : nullptr;
  }
};

}  // namespace grid_routing_controller
