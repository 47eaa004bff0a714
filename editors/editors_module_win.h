#pragma once
// The editor module's start and end: the mouse-wheel cursor, the default
// edit style controller that container styles fall back to, and the
// filter texts routed through the library's text lookup; the end frees the
// editor-kind registry and the default repository with them.

#include "ui/foundation/system/library_cursors.h"

// The cursor an editor shows while the wheel scrolls it.
constexpr TlxCursorId crLxEditMouseWheel = 4101;

// Counted: only the first start and the balancing end do the work.
void lxEditorsInitialize();
void lxEditorsFinalize();
