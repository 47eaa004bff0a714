#pragma once
// TlxInnerEditForwarding: what the system edit inside a text editor and the
// system memo inside the memo editor share. Both are borderless children
// owned by their editor; their clicks, mouse moves, drags and keys go on to
// the editor in the editor's coordinates, and the editor may lock their
// bounds while it lays itself out. `Control` is the toolkit control the
// inner window is (TCustomEdit or TMemo), `EditorClass` the owning editor class.
// Included only from Windows sources.

#include <windows.h>

#include <cstdint>
#include <string>

#include "editors/text_edit_properties.h"
#include "platform/toolkit/control.h"

template <class Control, class EditorClass>
class TlxInnerEditForwarding : public Control {
 public:
  using Control::Control;

  EditorClass* Editor() const { return dynamic_cast<EditorClass*>(this->Owner()); }

  // Set when the editor swallowed the last key, so the control's own
  // handling of it is skipped.
  bool KeyConsumed() const { return key_consumed_; }
  void SetKeyConsumed(bool value) { key_consumed_ = value; }
  TImeMode ImeMode() const { return ime_mode_; }
  void SetImeMode(TImeMode value) { ime_mode_ = value; }
  const std::string& ImeName() const { return ime_name_; }
  void SetImeName(const std::string& value) { ime_name_ = value; }

  // Nested: every lock needs its unlock.
  void LockBounds(bool lock) {
    if (lock)
      ++bounds_lock_;
    else if (bounds_lock_ > 0)
      --bounds_lock_;
  }

  // The window procedure the control's class brought, bypassing ours.
  LRESULT CallDefaultProc(UINT message, WPARAM wparam, LPARAM lparam) {
    if (!this->HandleAllocated() || this->DefWndProc() == nullptr)
      return 0;
    return CallWindowProcW(this->DefWndProc(), this->Handle(), message, wparam, lparam);
  }

  // The editor places the control; bounds set while it is being built or
  // while the editor holds the lock are the toolkit's defaults, not the
  // editor's layout.
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override {
    if (creating_ || bounds_lock_ > 0)
      return;
    Control::SetBounds(left, top, width, height);
  }

 protected:
  // Called at the end of the derived constructor: from then on the editor's
  // layout is taken.
  void FinishCreating() { creating_ = false; }
  bool IsDestroying() const { return this->ComponentState().Contains(csDestroying); }

  // Called before a key goes to the editor.
  virtual void BeforeKeyForwarded() {}

  // The editor sees the key first; a key it zeroes counts as consumed and
  // the control does not handle it.
  void ForwardKey(uint16_t& key, TShiftState shift, bool down) {
    BeforeKeyForwarded();
    key_consumed_ = false;
    TAliveToken alive = this->AliveToken();
    if (EditorClass* editor = Editor(); editor != nullptr && key != 0) {
      if (down)
        editor->HandleKeyDown(key, shift);
      else
        editor->HandleKeyUp(key, shift);
    }
    if (!alive.Alive())
      return;
    if (key == 0)
      key_consumed_ = true;
    else if (down)
      Control::KeyDown(key, shift);
    else
      Control::KeyUp(key, shift);
  }

  // A handler of the editor may free the control: each forward checks that
  // it is still alive first.
  void Click() override {
    TAliveToken alive = this->AliveToken();
    Control::Click();
    if (alive.Alive())
      if (EditorClass* editor = Editor())
        editor->HandleInnerClick();
  }
  void DblClick() override {
    TAliveToken alive = this->AliveToken();
    Control::DblClick();
    if (alive.Alive())
      if (EditorClass* editor = Editor())
        editor->HandleInnerDblClick();
  }
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override {
    TAliveToken alive = this->AliveToken();
    Control::MouseDown(button, shift, x, y);
    if (alive.Alive())
      if (EditorClass* editor = Editor())
        editor->HandleInnerMouseDown(button, shift, x + this->Left(), y + this->Top());
  }
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override {
    TAliveToken alive = this->AliveToken();
    Control::MouseMove(shift, x, y);
    if (alive.Alive())
      if (EditorClass* editor = Editor())
        editor->HandleInnerMouseMove(shift, x + this->Left(), y + this->Top());
  }
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override {
    TAliveToken alive = this->AliveToken();
    Control::MouseUp(button, shift, x, y);
    if (alive.Alive())
      if (EditorClass* editor = Editor())
        editor->HandleInnerMouseUp(button, shift, x + this->Left(), y + this->Top());
  }
  // The editor decides what may be dropped on it, wherever the drop lands.
  void DragOver(TObject* source, int32_t x, int32_t y, TDragState state, bool& accept) override {
    accept = false;
    if (EditorClass* editor = Editor())
      editor->DragOver(source, x + this->Left(), y + this->Top(), state, accept);
  }
  void DragDrop(TObject* source, int32_t x, int32_t y) override {
    if (EditorClass* editor = Editor())
      editor->DragDrop(source, x + this->Left(), y + this->Top());
  }
  // The editor scrolls with the wheel, not the inner window.
  bool DoMouseWheel(TShiftState /*shift*/, int32_t /*wheel_delta*/, TPoint /*mouse_pos*/) override { return false; }

 private:
  bool key_consumed_ = false;
  bool creating_ = true;
  int32_t bounds_lock_ = 0;
  TImeMode ime_mode_ = imDontCare;
  std::string ime_name_;
};
