#include "grid/table_view_win.h"

#include "grid/grid_records_win.h"
#include "grid/table_controller_win.h"
#include "grid/table_options_win.h"
#include "grid/table_view_info_win.h"

// The table view's parts under their table types. Kept apart from the
// view's bodies, so that code which only reaches a view's parts (the change
// objects) does not take in the whole view.

TlxCustomGridTableController* TlxCustomGridTableView::Controller() const {
  return static_cast<TlxCustomGridTableController*>(TlxCustomGridView::Controller());
}

TlxCustomGridTableViewData* TlxCustomGridTableView::ViewData() const {
  return static_cast<TlxCustomGridTableViewData*>(TlxCustomGridView::ViewData());
}

TlxCustomGridTableViewInfo* TlxCustomGridTableView::ViewInfo() const {
  return static_cast<TlxCustomGridTableViewInfo*>(TlxCustomGridView::ViewInfo());
}

TlxCustomGridTableOptionsBehavior* TlxCustomGridTableView::OptionsBehavior() const {
  return static_cast<TlxCustomGridTableOptionsBehavior*>(TlxCustomGridView::OptionsBehavior());
}

TlxCustomGridTableOptionsData* TlxCustomGridTableView::OptionsData() const {
  return static_cast<TlxCustomGridTableOptionsData*>(TlxCustomGridView::OptionsData());
}

TlxCustomGridTableOptionsSelection* TlxCustomGridTableView::OptionsSelection() const {
  return static_cast<TlxCustomGridTableOptionsSelection*>(TlxCustomGridView::OptionsSelection());
}

TlxCustomGridTableOptionsView* TlxCustomGridTableView::OptionsView() const {
  return static_cast<TlxCustomGridTableOptionsView*>(TlxCustomGridView::OptionsView());
}

TlxCustomGridTableViewStyles* TlxCustomGridTableView::Styles() const {
  return static_cast<TlxCustomGridTableViewStyles*>(TlxCustomGridView::Styles());
}

