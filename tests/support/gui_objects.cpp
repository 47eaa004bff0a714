#include "tests/support/gui_objects.h"

namespace test_support {
namespace {

constexpr ULONG_PTR kHandleSlots = 0x10000;

BOOL CALLBACK CountWindowAndChildren(HWND window, LPARAM data) {
  ++*reinterpret_cast<DWORD*>(data);
  EnumChildWindows(
      window,
      [](HWND, LPARAM inner) -> BOOL {
        ++*reinterpret_cast<DWORD*>(inner);
        return TRUE;
      },
      data);
  return TRUE;
}

}  // namespace

DWORD CountGdiObjects() {
  if (const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); reported != 0)
    return reported;
  DWORD count = 0;
  for (ULONG_PTR slot = 1; slot < kHandleSlots; ++slot)
    count += GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0 ? 1 : 0;
  return count;
}

DWORD CountUserObjects() {
  if (const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS); reported != 0)
    return reported;
  DWORD count = 0;
  for (ULONG_PTR slot = 1; slot < kHandleSlots; ++slot)
    count += IsMenu(reinterpret_cast<HMENU>(slot)) ? 1 : 0;
  EnumThreadWindows(GetCurrentThreadId(), &CountWindowAndChildren, reinterpret_cast<LPARAM>(&count));
  return count;
}

}  // namespace test_support
