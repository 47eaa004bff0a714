#pragma once
// Counting the process's GDI and USER objects, for tests that check that
// handles come back. Wine answers GetGuiResources with 0; there the live
// GDI objects are counted by probing the 16-bit handle table (Wine widens a
// handle to the object that holds that slot), and the USER objects as the
// menus of that table plus this thread's windows with their children.

#include <windows.h>

namespace test_support {

DWORD CountGdiObjects();
DWORD CountUserObjects();

}  // namespace test_support
