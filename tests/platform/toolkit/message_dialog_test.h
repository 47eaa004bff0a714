#pragma once
// Driving modal windows from a test: the dialog's own message loop runs a
// thread timer, and each tick performs the next step of the test (find the
// dialog, type, press a key). A dialog that never shows up is closed after
// a bound, so a failing test cannot hang the run.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

#include "tests/support/message_pump.h"

namespace toolkit_test {

struct ModalScript {
  std::function<bool()> step;
  int ticks_left = 0;
};

inline ModalScript& CurrentModalScript() {
  static ModalScript script;
  return script;
}

// The first visible top-level window of this thread with the window class
// (the system's dialogs are "#32770", its menus "#32768"), or null.
inline HWND FindThreadWindow(const std::wstring& window_class) {
  struct Search {
    const std::wstring* window_class;
    HWND found;
  } search{&window_class, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM param) -> BOOL {
        auto* state = reinterpret_cast<Search*>(param);
        wchar_t class_name[64] = {};
        GetClassNameW(window, class_name, 64);
        if (IsWindowVisible(window) && *state->window_class == class_name) {
          state->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

inline HWND FindThreadDialog() { return FindThreadWindow(L"#32770"); }

inline void CALLBACK ModalScriptTick(HWND, UINT, UINT_PTR timer, DWORD) {
  ModalScript& script = CurrentModalScript();
  bool done = false;
  if (script.step)
    done = script.step();
  if (!done && --script.ticks_left > 0)
    return;
  KillTimer(nullptr, timer);
  script.step = nullptr;
  if (!done) {
    // Out of patience: close whatever modal window is up.
    if (HWND dialog = FindThreadDialog())
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    if (HWND menu = FindThreadWindow(L"#32768"))
      PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  }
}

// Runs `step` every 30 ms, inside whatever modal loop runs next, until it
// returns true (at most `max_ticks` times).
inline void RunWhileModal(std::function<bool()> step, int max_ticks = 300) {
  ModalScript& script = CurrentModalScript();
  script.step = std::move(step);
  script.ticks_left = max_ticks;
  SetTimer(nullptr, 0, 30, ModalScriptTick);
}

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
