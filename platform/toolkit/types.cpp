#include "platform/toolkit/types.h"

TShiftState KeysToShiftState(WPARAM key_flags) {
  TShiftState state;
  state.Set(ssShift, (key_flags & MK_SHIFT) != 0);
  state.Set(ssCtrl, (key_flags & MK_CONTROL) != 0);
  state.Set(ssLeft, (key_flags & MK_LBUTTON) != 0);
  state.Set(ssRight, (key_flags & MK_RBUTTON) != 0);
  state.Set(ssMiddle, (key_flags & MK_MBUTTON) != 0);
  state.Set(ssAlt, GetKeyState(VK_MENU) < 0);
  return state;
}

TShiftState KeyboardStateToShiftState() {
  TShiftState state;
  state.Set(ssShift, GetKeyState(VK_SHIFT) < 0);
  state.Set(ssCtrl, GetKeyState(VK_CONTROL) < 0);
  state.Set(ssAlt, GetKeyState(VK_MENU) < 0);
  state.Set(ssLeft, GetKeyState(VK_LBUTTON) < 0);
  state.Set(ssRight, GetKeyState(VK_RBUTTON) < 0);
  state.Set(ssMiddle, GetKeyState(VK_MBUTTON) < 0);
  return state;
}

TShiftState KeyDataToShiftState(LPARAM key_data) {
  TShiftState state;
  state.Set(ssShift, GetKeyState(VK_SHIFT) < 0);
  state.Set(ssCtrl, GetKeyState(VK_CONTROL) < 0);
  state.Set(ssAlt, (key_data & (LPARAM{1} << 29)) != 0);
  return state;
}
