#include "grid/grid_view_info_win.h"

#include "grid/grid_site_win.h"
#include "grid/grid_view_win.h"
#include "platform/rtl/scope.h"
#include "ui/foundation/canvas/region_win.h"

// The calculation entry of a view info and the invalidation entries of its
// painter; the rest of the frame comes with the site bodies.

void TlxCustomGridViewInfo::MainCalculate(const TRect& bounds) {
  if (is_calculating_)
    return;
  PrepareCalculation();
  is_calculating_ = true;
  {
    TScopeExit finish([this] {
      is_calculating_ = false;
      AfterCalculation();
      UpdateSiteVisibility(true);
    });
    if (site_ != nullptr) {
      site_->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
      site_client_bounds_ = site_->GetClientBounds();
    }
    Calculate();
  }
}

void TlxCustomGridPainter::InvalidateRect(const TRect& rect) {
  if (TlxGridSite* site = GridView()->Site())
    site->InvalidateRect(rect, false);
}

void TlxCustomGridPainter::InvalidateRegion(TlxRegion* region) {
  if (TlxGridSite* site = GridView()->Site(); site != nullptr && region != nullptr)
    site->InvalidateRegion(region, false);
}

void TlxCustomGridViewInfo::UpdateSiteVisibility(bool can_show) {
  if (!CanUpdateScreenState())
    return;
  TStateScope changing(is_visibility_changing_, true);
  ChangeSiteVisibility(can_show && GridView()->IsVisible());
}
