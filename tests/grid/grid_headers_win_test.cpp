// Every header of the grid compiles on its own and together, and the
// class descriptors chain to their documented bases.
#include <gtest/gtest.h>

#include "grid/grid_cells_win.h"
#include "grid/grid_change.h"
#include "grid/grid_changes_win.h"
#include "grid/grid_column_headers_win.h"
#include "grid/grid_control_win.h"
#include "grid/grid_customization_form_win.h"
#include "grid/grid_customization_popup_win.h"
#include "grid/grid_data_controller_win.h"
#include "grid/grid_data_property.h"
#include "grid/grid_data_rows_win.h"
#include "grid/grid_db_table_view_win.h"
#include "grid/grid_details_site_win.h"
#include "grid/grid_filter_box_win.h"
#include "grid/grid_footers_win.h"
#include "grid/grid_group_rows_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_level_win.h"
#include "grid/grid_master_rows_win.h"
#include "grid/grid_navigator_interfaces.h"
#include "grid/grid_navigator_win.h"
#include "grid/grid_popups_win.h"
#include "grid/grid_record_slots.h"
#include "grid/grid_records_win.h"
#include "grid/grid_rows_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_summary_sorting.h"
#include "grid/grid_table_controller_win.h"
#include "grid/grid_table_layout_win.h"
#include "grid/grid_table_options_win.h"
#include "grid/grid_table_painters_win.h"
#include "grid/grid_table_view_win.h"
#include "grid/grid_view_controller_win.h"
#include "grid/grid_view_handler_win.h"
#include "grid/grid_view_info_win.h"
#include "grid/grid_view_win.h"
#include "grid/table_cells_win.h"
#include "grid/table_controller_win.h"
#include "grid/table_items_win.h"
#include "grid/table_options_win.h"
#include "grid/table_view_info_win.h"
#include "grid/table_view_win.h"

#include <type_traits>

// The families keep the layering the later grid code builds on; the checks
// are made by the compiler, so a reshaped class breaks the build here.
static_assert(std::is_base_of_v<TlxControl, TlxGrid>);
static_assert(std::is_base_of_v<IlxNavigator, TlxCustomGrid>);
static_assert(std::is_base_of_v<TlxGridLevel, TlxGridRootLevel>);
static_assert(std::is_base_of_v<TlxCustomGridChange, TlxGridLayoutChange>);
static_assert(std::is_base_of_v<TlxCustomGridViewChange, TlxGridFocusedRecordChange>);
static_assert(std::is_base_of_v<TlxControlChildComponent, TlxCustomGridView>);
static_assert(std::is_base_of_v<TlxCustomGridView, TlxCustomGridTableView>);
static_assert(std::is_base_of_v<IlxFilterControl, TlxCustomGridTableView>);
static_assert(std::is_base_of_v<TlxGridViewHandler, TlxCustomGridTableViewData>);
static_assert(std::is_base_of_v<TlxCustomGridViewData, TlxCustomGridTableViewData>);
static_assert(std::is_base_of_v<TlxDataController, TlxGridDataController>);
static_assert(std::is_base_of_v<IlxGridDataControllerServices, TlxGridDataController>);
static_assert(std::is_base_of_v<TlxCustomGridOptions, TlxCustomGridTableOptionsView>);
static_assert(std::is_base_of_v<TlxCustomGridViewStyles, TlxCustomGridTableViewStyles>);
static_assert(std::is_abstract_v<TlxCustomGridView>);
static_assert(std::is_abstract_v<TlxCustomGridRecord>);
