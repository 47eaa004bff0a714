#pragma once
// Driving modal windows from a test: the modal window's own message loop
// runs a thread timer, and each tick performs the next step of the test
// (find the dialog, type, press a key). A dialog that never shows up, or a
// script that never finishes, is closed after a bound, so a failing test
// cannot hang the run.

#include <windows.h>

#include <functional>
#include <string>

namespace test_support {

// The first visible top-level window of this thread with the window class
// (the system's dialogs are "#32770", its menus "#32768"), or null.
HWND FindThreadWindow(const std::wstring& window_class);
HWND FindThreadDialog();

// Runs `step` every 30 ms, inside whatever modal loop runs next, until it
// returns true (at most `max_ticks` times; then the system dialog or menu
// that is up is cancelled).
void RunWhileModal(std::function<bool()> step, int max_ticks = 300);

// Whether a script started by RunWhileModal is still waiting for its step.
bool ModalScriptPending();
// Drops a script that is still waiting (a test that ends before its modal
// window came up must not leave it to the next test).
void StopModalScript();

}  // namespace test_support
