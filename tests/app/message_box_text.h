#pragma once
// Reading a system message box shown by this or another process.

#include <windows.h>

#include <string>

#include "tests/support/window_finder.h"

// The text of a system message box: its static text that is not the icon.
inline std::string MessageBoxText(HWND dialog) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    char class_name[32] = {};
    GetClassNameA(child, class_name, sizeof class_name);
    const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    if (lstrcmpiA(class_name, "Static") == 0 && (style & SS_TYPEMASK) != SS_ICON)
      return test_support::WindowTitle(child);
  }
  return {};
}
