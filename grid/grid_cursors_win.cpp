#include "grid/grid_cursors_win.h"

#include <windows.h>

#include "grid/grid_cursors.h"
#include "platform/toolkit/screen.h"
#include "ui/foundation/base/module_start_count.h"

namespace {

TlxModuleStartCount& GridCursorsModule() {
  static TlxModuleStartCount module;
  return module;
}

}  // namespace

void lxStartGridCursors() {
  GridCursorsModule().Start([] {
    lxAssignGridCursorNumbers();
    HCURSOR cursor = LoadCursorA(GetModuleHandleA(nullptr), kGridSelectRowCursorResource);
    if (cursor != nullptr)
      Screen->SetCursors(GridSelectRowCursor, cursor);
  });
}

void lxEndGridCursors() {
  GridCursorsModule().End([] {});
}
