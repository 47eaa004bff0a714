#pragma once
// The two kinds of dragging a TlxControl knows. The library's own drag and
// drop runs inside one control (moving a column header, sizing,
// reordering): the control holds the capture and hands every move to a
// TlxDragAndDropObject, which decides what is accepted and draws the
// feedback. The toolkit's drag and drop between controls gets a drag object
// with a copy cursor (TlxDragControlObject) and the control's own drag
// images (TlxDragImageList). Included only from Windows sources.

#include <cstdint>

#include "platform/toolkit/drag.h"
#include "platform/toolkit/drag_image_list.h"
#include "platform/toolkit/types.h"

class TlxCanvas;
class TlxControl;

class TlxDragAndDropObject : public TObject {
 public:
  using TOwnerType = TlxControl;
  static constexpr TClass kClass{"TlxDragAndDropObject", &TObject::kClass,
                                 &ConstructInstance<TlxDragAndDropObject>};
  const TClass* ClassType() const override { return &kClass; }

  // Keeps the control and its canvas; both points start at (-1, -1).
  explicit TlxDragAndDropObject(TlxControl* control);

  TlxCanvas* Canvas() const { return canvas_; }
  TlxControl* Control() const { return control_; }
  bool Dirty() const { return dirty_; }
  void SetDirty(bool value);
  TPoint CurrentMousePos() const { return current_mouse_pos_; }
  TPoint PrevMousePos() const { return prev_mouse_pos_; }

  // Both points become the cursor position in the control, then the
  // operation begins.
  void StartDragging();
  void MoveDragging(const TPoint& point, bool& accepted);
  void StopDragging(bool accepted);

  // --- overridable, in table order -------------------------------------
  virtual void DirtyChanged() {}
  virtual TCursor GetDragAndDropCursor(bool accepted) { return accepted ? crDrag : crNoDrop; }
  // False: the operation waits for the mouse to leave the drag threshold.
  virtual bool StartsImmediately() { return false; }
  virtual void AfterDragAndDrop(bool /*accepted*/) {}
  virtual void BeginDragAndDrop() { DirtyChanged(); }
  // Descendants compute `accepted` and draw, then call this.
  virtual void DragAndDrop(const TPoint& point, bool& accepted);
  // Descendants apply the result, then call this.
  virtual void EndDragAndDrop(bool accepted);

 private:
  TlxCanvas* canvas_;
  TlxControl* control_;
  bool dirty_ = false;
  TPoint current_mouse_pos_{-1, -1};
  TPoint prev_mouse_pos_{-1, -1};
};

// The toolkit drag object of a TlxControl: the copy cursor while Ctrl is
// down over an accepting target. It frees itself when the drag ends.
class TlxDragControlObject : public TDragControlObject {
 public:
  using TOwnerType = TControl;
  static constexpr TClass kClass{"TlxDragControlObject", &TDragControlObject::kClass,
                                 &ConstructInstance<TlxDragControlObject>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxDragControlObject(TControl* control) : TDragControlObject(control) {}

  TCursor GetDragCursor(bool accepted, int32_t x, int32_t y) override;
  void Finished(TObject* target, int32_t x, int32_t y, bool accepted) override;
};

class TlxDragImageList : public TDragImageList {
 public:
  static constexpr TClass kClass{"TlxDragImageList", &TDragImageList::kClass, &ConstructInstance<TlxDragImageList>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxDragImageList(TComponent* owner) : TDragImageList(owner) {}
};

// The toolkit drag object over a TlxControl, remembered and forgotten by
// the controls' DragOver.
void lxSetCurrentDragObject(TDragObject* drag_object);
