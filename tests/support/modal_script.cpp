#include "tests/support/modal_script.h"

#include <utility>

namespace test_support {
namespace {

struct ModalScript {
  std::function<bool()> step;
  int ticks_left = 0;
  UINT_PTR timer = 0;
};

ModalScript& CurrentModalScript() {
  static ModalScript script;
  return script;
}

void CALLBACK ModalScriptTick(HWND, UINT, UINT_PTR timer, DWORD) {
  ModalScript& script = CurrentModalScript();
  bool done = false;
  if (script.step) {
    // A step may open another modal window, whose loop runs the next tick
    // while this one is still running: the step runs from a copy, so that
    // the script ending in there does not destroy it under our feet.
    const std::function<bool()> step = script.step;
    done = step();
  }
  if (!done && --script.ticks_left > 0)
    return;
  KillTimer(nullptr, timer);
  script.step = nullptr;
  script.timer = 0;
  if (!done) {
    // Out of patience: close whatever modal window is up.
    if (HWND dialog = FindThreadDialog())
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    else if (HWND menu = FindThreadWindow(L"#32768"))
      PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    else if (HWND focus = GetFocus())
      // A popup of ours runs its own loop and closes on Esc.
      PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 0);
  }
}

}  // namespace

HWND FindThreadWindow(const std::wstring& window_class) {
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

HWND FindThreadDialog() { return FindThreadWindow(L"#32770"); }

void RunWhileModal(std::function<bool()> step, int max_ticks) {
  StopModalScript();
  ModalScript& script = CurrentModalScript();
  script.step = std::move(step);
  script.ticks_left = max_ticks;
  script.timer = SetTimer(nullptr, 0, 30, ModalScriptTick);
}

bool ModalScriptPending() { return static_cast<bool>(CurrentModalScript().step); }

void StopModalScript() {
  ModalScript& script = CurrentModalScript();
  if (script.timer != 0)
    KillTimer(nullptr, script.timer);
  script = ModalScript{};
}

}  // namespace test_support
