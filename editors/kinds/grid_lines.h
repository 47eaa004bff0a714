#pragma once
// Which lines separate the cells of a grid: shared by the data grid's table
// view and the lookup editors' list grid.

#include <cstdint>

enum TlxGridLines : uint8_t { glBoth, glNone, glVertical, glHorizontal };
