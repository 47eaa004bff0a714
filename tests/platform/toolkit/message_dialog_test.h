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

#include "tests/support/gui_objects.h"
#include "tests/support/message_pump.h"
#include "tests/support/modal_script.h"

namespace toolkit_test {

using test_support::CountGdiObjects;
using test_support::CountUserObjects;
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
