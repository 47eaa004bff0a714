#pragma once
// What the toolkit's window tests share: scripted modal windows (from
// tests/support), keys held down, and counting the process's GDI and USER
// objects.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

#include "tests/support/message_pump.h"
#include "tests/support/modal_script.h"

namespace toolkit_test {

using test_support::FindThreadDialog;
using test_support::FindThreadWindow;
using test_support::RunWhileModal;

// Holds keys down in this thread's keyboard state for the scope: key
// messages a test sends or posts do not change that state, and controls ask
// it for Shift and Ctrl.
class HeldKeys {
 public:
  explicit HeldKeys(std::initializer_list<int> keys) {
    GetKeyboardState(saved_);
    BYTE state[256];
    GetKeyboardState(state);
    for (int key : keys)
      state[key] = 0x80;
    SetKeyboardState(state);
  }
  ~HeldKeys() { SetKeyboardState(saved_); }
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;

 private:
  BYTE saved_[256];
};

// Live GDI objects of the process. Wine reports no counts through
// GetGuiResources; there the handle table is probed (a 16-bit handle
// stands for the object that holds that slot).
inline DWORD CountGdiObjects() {
  if (const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); reported != 0)
    return reported;
  DWORD count = 0;
  for (ULONG_PTR slot = 1; slot < 0x10000; ++slot)
    count += GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0 ? 1 : 0;
  return count;
}

// Live USER objects the toolkit makes: under Wine (no counts) the menus of
// the handle table and the windows of this thread with their children.
inline DWORD CountUserObjects() {
  if (const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS); reported != 0)
    return reported;
  DWORD count = 0;
  for (ULONG_PTR slot = 1; slot < 0x10000; ++slot)
    count += IsMenu(reinterpret_cast<HMENU>(slot)) ? 1 : 0;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM data) -> BOOL {
        auto* total = reinterpret_cast<DWORD*>(data);
        ++*total;
        EnumChildWindows(
            window,
            [](HWND, LPARAM inner) -> BOOL {
              ++*reinterpret_cast<DWORD*>(inner);
              return TRUE;
            },
            data);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

// Runs `round` once (to load what stays loaded), then `rounds` times more,
// and expects the process's GDI and USER objects back where they were
// after the first run.
inline void ExpectNoHandleLeaks(int rounds, const std::function<void()>& round) {
  round();
  test_support::PumpMessagesUntilIdle();
  const DWORD gdi_before = CountGdiObjects();
  const DWORD user_before = CountUserObjects();
  for (int i = 0; i < rounds; ++i)
    round();
  test_support::PumpMessagesUntilIdle();
  EXPECT_LE(CountGdiObjects(), gdi_before + 2);
  EXPECT_LE(CountUserObjects(), user_before + 2);
}

}  // namespace toolkit_test
