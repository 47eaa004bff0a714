#pragma once
// The library's own cursors (ids in ui/foundation/system/library_cursors.h)
// in the toolkit's Screen.Cursors. Their images are drawn here in code:
// black shapes with a white rim, so they show on any background.
// Included only from Windows sources.

#include <windows.h>

#include <span>

#include "ui/foundation/system/library_cursors.h"

// The ids in the order they are registered.
std::span<const TlxCursorId> lxLibraryCursorIds();

// Registers every cursor (the system's hand for crLxHand). Registering
// again replaces the earlier images.
void lxRegisterLibraryCursors();
// Takes them out of Screen.Cursors again and destroys the drawn ones.
void lxUnregisterLibraryCursors();
