#include "grid/grid_table_options_win.h"
