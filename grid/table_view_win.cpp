#include "grid/table_view_win.h"

#include "grid/grid_records_win.h"

// The table view's typed part accessors; the view's bodies come with the
// table view.

TlxCustomGridTableViewData* TlxCustomGridTableView::ViewData() const {
  return static_cast<TlxCustomGridTableViewData*>(TlxCustomGridView::ViewData());
}
