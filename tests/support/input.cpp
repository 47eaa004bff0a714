#include "tests/support/input.h"

#include <vector>

namespace test_support {
namespace {

LPARAM PointParam(POINT point) {
  return MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y));
}

LPARAM KeyParam(UINT virtual_key, bool key_up) {
  const UINT scan_code = MapVirtualKeyA(virtual_key, MAPVK_VK_TO_VSC);
  LPARAM lparam = 1 | (static_cast<LPARAM>(scan_code) << 16);
  if (key_up)
    lparam |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
  return lparam;
}

INPUT KeyInput(UINT virtual_key, bool key_up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = static_cast<WORD>(virtual_key);
  input.ki.dwFlags = key_up ? KEYEVENTF_KEYUP : 0;
  return input;
}

}  // namespace

void SendClick(HWND window, POINT client_point, MouseButton button) {
  const bool left = button == MouseButton::kLeft;
  const LPARAM where = PointParam(client_point);
  SendMessageA(window, WM_MOUSEMOVE, 0, where);
  SendMessageA(window, left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, left ? MK_LBUTTON : MK_RBUTTON, where);
  SendMessageA(window, left ? WM_LBUTTONUP : WM_RBUTTONUP, 0, where);
}

void SendDoubleClick(HWND window, POINT client_point) {
  const LPARAM where = PointParam(client_point);
  SendClick(window, client_point);
  SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
  SendMessageA(window, WM_LBUTTONUP, 0, where);
}

void SendMouseMove(HWND window, POINT client_point, WPARAM key_state) {
  SendMessageA(window, WM_MOUSEMOVE, key_state, PointParam(client_point));
}

void SendKey(HWND window, UINT virtual_key, bool shift, bool control) {
  // The receiver asks GetKeyState for modifiers, so hold them for real.
  std::vector<INPUT> held;
  if (shift)
    held.push_back(KeyInput(VK_SHIFT, false));
  if (control)
    held.push_back(KeyInput(VK_CONTROL, false));
  if (!held.empty())
    SendInput(static_cast<UINT>(held.size()), held.data(), sizeof(INPUT));

  SendMessageA(window, WM_KEYDOWN, virtual_key, KeyParam(virtual_key, false));
  SendMessageA(window, WM_KEYUP, virtual_key, KeyParam(virtual_key, true));

  for (INPUT& input : held)
    input.ki.dwFlags = KEYEVENTF_KEYUP;
  if (!held.empty())
    SendInput(static_cast<UINT>(held.size()), held.data(), sizeof(INPUT));
}

void SendText(HWND window, const std::string& text) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  for (wchar_t unit : wide)
    SendMessageW(window, WM_CHAR, unit, 1);
}

void InputClick(HWND window, POINT client_point, MouseButton button) {
  POINT screen_point = client_point;
  ClientToScreen(window, &screen_point);
  SetCursorPos(screen_point.x, screen_point.y);
  const bool left = button == MouseButton::kLeft;
  INPUT inputs[2] = {};
  inputs[0].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN;
  inputs[1].type = INPUT_MOUSE;
  inputs[1].mi.dwFlags = left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP;
  SendInput(2, inputs, sizeof(INPUT));
}

void InputMouseAt(POINT screen_point, DWORD button_flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(screen_point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen_point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | button_flags;
  SendInput(1, &input, sizeof(INPUT));
}

void InputKey(UINT virtual_key, bool shift, bool control) {
  std::vector<INPUT> inputs;
  if (shift)
    inputs.push_back(KeyInput(VK_SHIFT, false));
  if (control)
    inputs.push_back(KeyInput(VK_CONTROL, false));
  inputs.push_back(KeyInput(virtual_key, false));
  inputs.push_back(KeyInput(virtual_key, true));
  if (control)
    inputs.push_back(KeyInput(VK_CONTROL, true));
  if (shift)
    inputs.push_back(KeyInput(VK_SHIFT, true));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace test_support
