#pragma once
// What the drop-down kinds' tests share: real mouse and key input, and a
// form with the editor under test focused, a cancel button beside it and a
// button elsewhere to click at, each logging what reaches it.

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "editors/editors_module_win.h"
#include "platform/toolkit/buttons.h"
#include "platform/toolkit/form.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"

namespace drop_down_fixture {

// Real mouse input at a screen point. Hot tracking watches the cursor with
// a timer while it is over an editor, so the queue never runs dry: a short
// pump takes the input.
inline void InputMouseAt(POINT screen, DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof(INPUT));
  test_support::PumpMessagesUntilIdle(300);
}

// The same at a client point of `window`.
inline void InputMouse(HWND window, POINT client_point, DWORD flags) {
  POINT screen = client_point;
  ClientToScreen(window, &screen);
  InputMouseAt(screen, flags);
}

inline void Click(HWND window, POINT point) {
  InputMouse(window, point, 0);
  InputMouse(window, point, MOUSEEVENTF_LEFTDOWN);
  InputMouse(window, point, MOUSEEVENTF_LEFTUP);
  test_support::PumpMessagesUntilIdle();
}

// `key` as real input, with Alt held around it when asked.
inline void PressKey(UINT key, bool alt = false) {
  if (!alt) {
    test_support::InputKey(key);
  } else {
    INPUT inputs[4] = {};
    for (INPUT& input : inputs)
      input.type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = VK_MENU;
    inputs[1].ki.wVk = static_cast<WORD>(key);
    inputs[2].ki.wVk = static_cast<WORD>(key);
    inputs[2].ki.dwFlags = KEYEVENTF_KEYUP;
    inputs[3].ki.wVk = VK_MENU;
    inputs[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, inputs, sizeof(INPUT));
  }
  test_support::PumpMessagesUntilIdle();
}

// The form, made hidden; a test's fixture prepares the editor's properties
// and then calls ShowFocused.
template <class Edit>
class DropDownForm {
 public:
  DropDownForm() {
    lxEditorsInitialize();
    // The cursor starts away from the form: nothing is hot.
    SetCursorPos(5, 5);
    form = new TForm(nullptr);
    form->SetBounds(60, 60, 360, 260);
    edit = new Edit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 140, 24);
    cancel = new TButton(form);
    cancel->SetParent(form);
    cancel->SetBounds(200, 10, 80, 24);
    cancel->SetCancel(true);
    cancel->OnClick = [this](TObject*) { log.push_back("cancel clicked"); };
    target = new TButton(form);
    target->SetParent(form);
    target->SetBounds(200, 180, 80, 24);
    target->OnClick = [this](TObject*) { log.push_back("target clicked"); };
  }
  ~DropDownForm() {
    form->Free();
    test_support::PumpMessagesUntilIdle();
    lxEditorsFinalize();
  }
  DropDownForm(const DropDownForm&) = delete;
  DropDownForm& operator=(const DropDownForm&) = delete;

  void ShowFocused() {
    form->Show();
    SetForegroundWindow(form->Handle());
    edit->SetFocus();
    test_support::PumpMessagesUntilIdle();
  }
  void Key(UINT key, bool alt = false) { PressKey(key, alt); }
  POINT ButtonCenter() const {
    const TRect bounds = edit->GetViewInfo().Button(0).Bounds;
    return POINT{(bounds.Left + bounds.Right) / 2, (bounds.Top + bounds.Bottom) / 2};
  }
  bool Open() const { return edit->GetDroppedDown(); }
  std::vector<std::string> TakeLog() { return std::exchange(log, {}); }

  TForm* form;
  Edit* edit;
  TButton* cancel;
  TButton* target;
  std::vector<std::string> log;
};

}  // namespace drop_down_fixture
