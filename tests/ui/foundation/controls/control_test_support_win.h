#pragma once
// What the base-control tests share: a TlxControl descendant with a
// scripted content (a size in pixels that the own scroll bars scroll over)
// that records what the base calls on it, a form to put it on, and real
// mouse movement.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/toolkit/form.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "ui/foundation/controls/control_win.h"

namespace control_test {

struct ScrollCall {
  TScrollBarKind kind;
  TScrollCode code;
  int32_t position;
};

class ScriptedControl : public TlxControl {
 public:
  static constexpr TClass kClass{"ScriptedControl", &TlxControl::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit ScriptedControl(TComponent* owner) : TlxControl(owner) {}

  // The content: scrolled in steps of `line` pixels.
  int32_t content_width = 0;
  int32_t content_height = 0;
  int32_t line = 16;
  bool can_hide = true;
  std::vector<ScrollCall> scroll_calls;
  std::function<void()> on_scroll;
  int before_mouse_down = 0;
  bool allows_unfocused_mouse_down = false;
  bool never_focused = false;
  bool drag_and_drop_here = false;
  bool design_hit = false;

  void InitScrollBarsParams() override {
    const TRect client = GetClientBounds();
    SetScrollBarParams(sbHorizontal, 0, content_width - 1, line, client.Width(), 0, true, can_hide);
    SetScrollBarParams(sbVertical, 0, content_height - 1, line, client.Height(), 0, true, can_hide);
  }
  void ScrollContent(TScrollBarKind kind, TScrollCode code, int32_t& position) override {
    scroll_calls.push_back({kind, code, position});
    if (on_scroll)
      on_scroll();
  }
  void BeforeMouseDown(TMouseButton, TShiftState, int32_t, int32_t) override { ++before_mouse_down; }
  bool AllowsUnfocusedMouseDown() override { return allows_unfocused_mouse_down; }
  bool IsFocusedControl() override { return !never_focused && TlxControl::IsFocusedControl(); }
  bool CanStartDragAndDropAt(const TPoint&) override { return drag_and_drop_here; }

};

// A form at (60, 60) with one scripted control of 200 x 150 at (20, 20).
class ControlFixture {
 public:
  ControlFixture() {
    form = new TForm(nullptr);
    form->SetBounds(60, 60, 360, 280);
    control = new ScriptedControl(form);
    control->SetParent(form);
    control->SetBounds(20, 20, 200, 150);
    form->Show();
    test_support::PumpMessagesUntilIdle();
  }
  ~ControlFixture() {
    form->Free();
    test_support::PumpMessagesUntilIdle();
  }
  ControlFixture(const ControlFixture&) = delete;
  ControlFixture& operator=(const ControlFixture&) = delete;

  TForm* form;
  ScriptedControl* control;
};

inline LPARAM PointParam(int32_t x, int32_t y) { return MAKELPARAM(x, y); }

// Moves the real cursor to a screen point through SendInput.
inline void InputMoveTo(int32_t x, int32_t y) {
  test_support::InputMouseAt(POINT{x, y});
  test_support::PumpMessagesUntilIdle();
}

}  // namespace control_test
