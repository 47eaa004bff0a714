#include "ui/foundation/controls/drag_and_drop_win.h"

#include "platform/toolkit/screen.h"
#include "ui/foundation/controls/control_win.h"
#include "ui/foundation/system/library_cursors.h"

namespace {

TDragObject* current_drag_object = nullptr;

}  // namespace

TlxDragAndDropObject::TlxDragAndDropObject(TlxControl* control)
    : canvas_(control != nullptr ? &control->Canvas() : nullptr), control_(control) {}

void TlxDragAndDropObject::SetDirty(bool value) {
  if (dirty_ == value)
    return;
  dirty_ = value;
  DirtyChanged();
}

void TlxDragAndDropObject::StartDragging() {
  POINT cursor{};
  GetCursorPos(&cursor);
  const TPoint point = control_->ScreenToClient(TPoint(cursor.x, cursor.y));
  current_mouse_pos_ = point;
  prev_mouse_pos_ = point;
  BeginDragAndDrop();
}

void TlxDragAndDropObject::MoveDragging(const TPoint& point, bool& accepted) {
  prev_mouse_pos_ = current_mouse_pos_;
  current_mouse_pos_ = point;
  DragAndDrop(point, accepted);
}

void TlxDragAndDropObject::StopDragging(bool accepted) {
  EndDragAndDrop(accepted);
  AfterDragAndDrop(accepted);
}

void TlxDragAndDropObject::DragAndDrop(const TPoint& /*point*/, bool& accepted) {
  SetDirty(false);
  Screen->SetCursor(GetDragAndDropCursor(accepted));
}

void TlxDragAndDropObject::EndDragAndDrop(bool /*accepted*/) { SetDirty(true); }

TCursor TlxDragControlObject::GetDragCursor(bool accepted, int32_t x, int32_t y) {
  auto* control = dynamic_cast<TlxControl*>(Control());
  if (accepted && control != nullptr && control->IsCopyDragDrop())
    return crLxDragCopy;
  return TDragControlObject::GetDragCursor(accepted, x, y);
}

void TlxDragControlObject::Finished(TObject* target, int32_t x, int32_t y, bool accepted) {
  TDragControlObject::Finished(target, x, y, accepted);
  if (current_drag_object == this)
    current_drag_object = nullptr;
  delete this;
}

TDragObject* lxCurrentDragObject() { return current_drag_object; }

void lxSetCurrentDragObject(TDragObject* drag_object) { current_drag_object = drag_object; }
