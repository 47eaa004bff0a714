#pragma once
// The grid's common module on Windows: the cursor numbers and the grid's
// own select-row cursor in the toolkit's Screen.Cursors.
// Included only from Windows sources.

// Assigns the numbers and stores the select-row cursor, loaded from the
// program's own module, under GridSelectRowCursor; the screen's cursor list
// owns it from then on. Without the resource nothing is stored and the
// default cursor shows. Counted: only the first start acts.
void lxStartGridCursors();
// Balances a start; the cursor stays with the screen, which owns it.
void lxEndGridCursors();
