#pragma once
// The toolkit's own drag and drop between controls: a drag object that
// describes what is dragged, CM_DRAG messages that ask targets whether they
// take it (DragOver) and hand it over (DragDrop), and the end notification
// to the source (EndDrag). One drag runs at a time; the mouse is captured by
// a hidden window for its duration, and Esc, a right click or a lost capture
// cancel it. The drag object's images follow the mouse while it is over a
// control whose style has csDisplayDragImage, and go when the drag ends.

#include <cstdint>

#include "platform/rtl/object.h"
#include "platform/toolkit/types.h"

class TControl;
class TDragImageList;

enum TDragMessage : uint8_t { dmDragEnter, dmDragLeave, dmDragMove, dmDragDrop, dmDragCancel, dmFindTarget };

class TDragObject;

// What a CM_DRAG message carries (LParam points at it).
struct TDragRec {
  TPoint Pos;  // screen coordinates
  TDragObject* Source = nullptr;
  TControl* Target = nullptr;
};

class TDragObject : public TObject {
 public:
  static constexpr TClass kClass{"TDragObject", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // The cursor shown over a target that takes (or refuses) the object.
  virtual TCursor GetDragCursor(bool accepted, int32_t x, int32_t y);
  // Called once when the drag ends; `target` is null when nothing took it.
  virtual void Finished(TObject* target, int32_t x, int32_t y, bool accepted);
  virtual TDragImageList* GetDragImages() { return nullptr; }
  // Hide the moving image while a window paints under it.
  void HideDragImage();
  void ShowDragImage();

  TPoint DragPos() const { return drag_pos_; }
  TControl* DragTarget() const { return drag_target_; }
  bool Cancelling() const { return cancelling_; }

 private:
  friend class DragSession;
  TPoint drag_pos_;
  TControl* drag_target_ = nullptr;
  bool cancelling_ = false;
};

// Dragging a control (the default object when OnStartDrag supplies none).
class TDragControlObject : public TDragObject {
 public:
  static constexpr TClass kClass{"TDragControlObject", &TDragObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TDragControlObject(TControl* control) : control_(control) {}
  TControl* Control() const { return control_; }

  TCursor GetDragCursor(bool accepted, int32_t x, int32_t y) override;
  void Finished(TObject* target, int32_t x, int32_t y, bool accepted) override;
  TDragImageList* GetDragImages() override;

 private:
  TControl* control_;
};

// Starts dragging `control` (TControl::BeginDrag).
void StartControlDrag(TControl* control, bool immediate, int32_t threshold);
// Ends the running drag: dropped on the target under the mouse, or not.
void FinishDrag(bool drop);
void CancelDrag();
// The control being dragged, or null.
TControl* DragSourceControl();
// Called by a control's destructor: a drag of it ends without handlers.
void ForgetDragSource(TControl* control);
// Moves the running drag to a screen point (mouse moves do this).
void DragTo(TPoint screen_point);
