#include "grid/grid_table_view_win.h"
