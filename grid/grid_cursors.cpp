#include "grid/grid_cursors.h"

void lxAssignGridCursorNumbers() {
  GridHorzSizeCursor = crLxHorzSize;
  GridVertSizeCursor = crLxVertSize;
  GridRemoveCursor = crLxRemove;
  GridNoDropCursor = crLxNoDrop;
  GridDragCursor = crLxDrag;
  GridMultiDragCursor = crLxMultiDrag;
}
