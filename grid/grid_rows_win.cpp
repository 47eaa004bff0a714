#include "grid/grid_rows_win.h"
