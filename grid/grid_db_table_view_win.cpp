#include "grid/grid_db_table_view_win.h"
