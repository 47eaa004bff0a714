#include "grid/grid_view_controller_win.h"

#include "grid/grid_changes_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_view_info_win.h"
#include "platform/rtl/scope.h"

void TlxCustomGridController::UpdateScrollBars(bool forced) {
  TlxGridSite* site = Site();
  if (site == nullptr)
    return;
  const bool was_forced = site->ForcedScrollBarUpdate();
  site->SetForcedScrollBarUpdate(forced);
  TScopeExit restore([site, was_forced] { site->SetForcedScrollBarUpdate(was_forced); });
  static_cast<TlxControl&>(*site).UpdateScrollBars();
}

void TlxCustomGridController::ControlFocusChanged() {
  if (TlxCustomGridViewInfo* view_info = ViewInfo())
    view_info->ControlFocusChanged();
}

void TlxCustomGridController::PostControlFocusChange() {
  GridView()->AddChange(std::make_unique<TlxGridControlFocusChange>(GridView()));
}
