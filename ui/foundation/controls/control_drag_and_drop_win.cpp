// TlxControl's part in both kinds of dragging: the library's own drag and
// drop as a state machine of DragDropPhase, and the toolkit's drag between
// controls with the control's drag object and drag images.

#include "platform/rtl/scope.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/screen.h"
#include "ui/foundation/controls/control_win.h"
#include "ui/foundation/controls/drag_and_drop_win.h"
#include "ui/foundation/system/control_unit_win.h"

// --- the library's drag and drop ----------------------------------------------

const TClass* TlxControl::GetDragAndDropObjectClass() {
  return drag_drop_object_class_ != nullptr ? drag_drop_object_class_ : &TlxDragAndDropObject::kClass;
}

TlxDragAndDropObject& TlxControl::EnsureDragAndDropObject() {
  if (drag_drop_object_ == nullptr) {
    std::unique_ptr<TObject> object(GetDragAndDropObjectClass()->CreateInstance(this));
    auto* typed = dynamic_cast<TlxDragAndDropObject*>(object.get());
    if (typed == nullptr)
      throw EInvalidOperation("The drag-and-drop class of a control must derive from TlxDragAndDropObject");
    object.release();
    drag_drop_object_.reset(typed);
  }
  return *drag_drop_object_;
}

void TlxControl::BeginDragAndDrop() {
  EnsureDragAndDropObject().StartDragging();
  SetMouseCapture(true);
  cursor_before_drag_and_drop_ = Screen->Cursor();
  drag_drop_phase_ = dpDragging;
}

void TlxControl::DragAndDropMove(const TPoint& point, bool& accepted) {
  EnsureDragAndDropObject().MoveDragging(point, accepted);
}

void TlxControl::EndDragAndDrop(bool accepted) {
  SetDragDropPhase(dpIdle);
  Screen->SetCursor(cursor_before_drag_and_drop_);
  SetMouseCapture(false);
  capture_object_ = nullptr;
  if (drag_drop_object_ != nullptr)
    drag_drop_object_->StopDragging(accepted);
}

void TlxControl::FinishDragAndDrop(bool accepted) {
  if (finishing_drag_and_drop_)
    return;
  TAliveToken alive = AliveToken();
  TStateScope finishing(finishing_drag_and_drop_, true);
  TScopeExit free_object([this, &alive] {
    if (alive.Alive())
      drag_drop_object_.reset();
  });
  if (drag_drop_phase_ == dpDragging)
    EndDragAndDrop(accepted);
  else
    SetDragDropPhase(dpIdle);
}

// --- the toolkit's drag and drop -----------------------------------------------

const TClass* TlxControl::GetDragControlObjectClass() { return &TlxDragControlObject::kClass; }

const TClass* TlxControl::GetDragImagesClass() { return &TlxDragImageList::kClass; }

bool TlxControl::IsCopyDragDrop() { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }

void TlxControl::DoStartDrag(TDragObject*& drag_object) {
  Update();
  TAliveToken alive = AliveToken();
  TCustomControl::DoStartDrag(drag_object);
  if (!alive.Alive())
    return;
  if (drag_object == nullptr) {
    if (const TClass* cls = GetDragControlObjectClass()) {
      std::unique_ptr<TObject> object(cls->CreateInstance(this));
      drag_object = dynamic_cast<TDragObject*>(object.get());
      if (drag_object != nullptr)
        object.release();
    }
  }
  if (drag_object != nullptr && !AcceptsDragObject(drag_object)) {
    delete drag_object;
    drag_object = nullptr;
    CancelDrag();
  }
}

TDragImageList* TlxControl::GetDragImages() {
  if (!HasDragImages())
    return nullptr;
  if (drag_images_ == nullptr) {
    std::unique_ptr<TObject> object(GetDragImagesClass()->CreateInstance(nullptr));
    auto* images = dynamic_cast<TDragImageList*>(object.get());
    if (images == nullptr)
      return nullptr;
    object.release();
    drag_images_.reset(images);
    InitDragImages(*drag_images_);
  }
  return drag_images_->Count() > 0 ? drag_images_.get() : nullptr;
}

void TlxControl::InitDragImages(TDragImageList& images) {
  const TPoint size = GetDragImagesSize();
  images.SetSize(size.X, size.Y);
  if (size.X == 0 || size.Y == 0)
    return;
  TBitmap bitmap(size.X, size.Y);
  TlxCanvas canvas(bitmap.Canvas());
  DrawDragImage(canvas, TRect(0, 0, size.X, size.Y));
  images.AddMasked(bitmap, bitmap.TransparentColor());
}

void TlxControl::DoEndDrag(TObject* target, int32_t x, int32_t y) {
  TAliveToken alive = AliveToken();
  TCustomControl::DoEndDrag(target, x, y);
  if (alive.Alive())
    drag_images_.reset();
}

void TlxControl::DragOver(TObject* source, int32_t x, int32_t y, TDragState state, bool& accept) {
  if (auto* drag_object = dynamic_cast<TDragObject*>(source))
    lxSetCurrentDragObject(state == dsDragLeave ? nullptr : drag_object);
  TCustomControl::DragOver(source, x, y, state, accept);
}

void TlxControl::DragDrop(TObject* source, int32_t x, int32_t y) {
  if (source == lxCurrentDragObject())
    lxSetCurrentDragObject(nullptr);
  TCustomControl::DragDrop(source, x, y);
}

void TlxControl::RunWithDragImageHidden(const std::function<void()>& work) {
  TDragObject* drag_object = lxCurrentDragObject();
  if (drag_object == nullptr) {
    work();
    return;
  }
  drag_object->HideDragImage();
  TScopeExit show_again([drag_object] {
    if (lxCurrentDragObject() == drag_object)
      drag_object->ShowDragImage();
  });
  work();
}
