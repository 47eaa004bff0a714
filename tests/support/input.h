#pragma once
// Input for tests, in the two forms the toolkit must handle: window messages
// sent straight to a window, and real input through SendInput, which goes
// through the system's focus, capture and hit testing.

#include <windows.h>

#include <string>

namespace test_support {

enum class MouseButton { kLeft, kRight };

// Button down and up at a client point, as messages to `window`.
void SendClick(HWND window, POINT client_point, MouseButton button = MouseButton::kLeft);
void SendDoubleClick(HWND window, POINT client_point);
void SendMouseMove(HWND window, POINT client_point, WPARAM key_state = 0);

// Key down, character (when the key produces one) and key up, as messages.
void SendKey(HWND window, UINT virtual_key, bool shift = false, bool control = false);
// WM_CHAR for every UTF-16 unit of `text` (UTF-8 in).
void SendText(HWND window, const std::string& text);

// Real input: moves the cursor to the client point and clicks there.
void InputClick(HWND window, POINT client_point, MouseButton button = MouseButton::kLeft);
// Real input: moves the cursor to a screen point, with the button changes
// of `button_flags` (MOUSEEVENTF_LEFTDOWN, ...) happening there.
void InputMouseAt(POINT screen_point, DWORD button_flags = 0);
// Real key strokes, with Shift and Ctrl held as asked.
void InputKey(UINT virtual_key, bool shift = false, bool control = false);

}  // namespace test_support
