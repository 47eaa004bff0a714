#include "platform/toolkit/drag.h"

#include <cstdlib>
#include <memory>

#include "platform/rtl/scope.h"
#include "platform/toolkit/control.h"
#include "platform/toolkit/dock_site.h"
#include "platform/toolkit/drag_image_list.h"
#include "platform/toolkit/screen.h"
#include "platform/toolkit/utility_window.h"
#include "platform/toolkit/win_control.h"

// The one running drag. The hidden capture window receives every mouse
// message while it runs.
class DragSession {
 public:
  static DragSession& Current() {
    static DragSession session;
    return session;
  }

  bool Active() const { return source_.Get() != nullptr; }
  TControl* Source() const { return source_.Get(); }

  void Start(TControl* control, bool immediate, int32_t threshold) {
    if (Active() || control == nullptr)
      return;
    POINT cursor{};
    GetCursorPos(&cursor);
    start_ = cursor;
    TDragObject* object = nullptr;
    if (control->DragKind() == dkDock) {
      auto dock_object = std::make_unique<TDragDockObject>(*control);
      dock_object->StartTracking(start_);
      dock_object_ = dock_object.get();
      owned_object_ = std::move(dock_object);
      object = owned_object_.get();
    } else {
      const TAliveToken alive = control->AliveToken();
      control->DoStartDrag(object);
      if (!alive.Alive())
        return;
      if (object == nullptr) {
        owned_object_ = std::make_unique<TDragControlObject>(control);
        object = owned_object_.get();
      }
    }
    object_ = object;
    source_ = TWeakRef<TControl>(control);
    images_ = TWeakRef<TDragImageList>(object->GetDragImages());
    threshold_ = threshold >= 0 ? threshold : Mouse->DragThreshold();
    moved_beyond_threshold_ = immediate;
    if (capture_window_ == nullptr)
      capture_window_ = AllocateHWnd([this](TMessage& message) { CaptureWindowProc(message); });
    SetCapture(capture_window_);
    if (immediate)
      MoveTo(start_);
  }

  void MoveTo(TPoint point) {
    if (!Active())
      return;
    object_->drag_pos_ = point;
    if (dock_object_ != nullptr) {
      // Docking asks dock sites, not drop targets, and shows a frame.
      dock_object_->TrackTo(point);
      ::SetCursor(Screen->Cursors(crDefault));
      return;
    }
    TControl* target = FindDragTarget(point, false);
    TControl* previous = target_.Get();
    if (target != previous) {
      if (previous != nullptr)
        SendDrag(previous, dmDragLeave, point);
      target_ = TWeakRef<TControl>(target);
      accepted_ = target != nullptr && SendDrag(target, dmDragEnter, point) != 0;
    } else if (target != nullptr) {
      accepted_ = SendDrag(target, dmDragMove, point) != 0;
    }
    if (!Active())
      return;
    target = target_.Get();
    object_->drag_target_ = target;
    const TPoint client = target != nullptr ? target->ScreenToClient(point) : point;
    ::SetCursor(Screen->Cursors(object_->GetDragCursor(accepted_, client.X, client.Y)));
    MoveDragImage(point, target);
  }

  void Finish(bool drop) {
    if (!Active() || finishing_)
      return;
    if (dock_object_ != nullptr) {
      FinishDocking(drop);
      return;
    }
    finishing_ = true;
    TControl* target = target_.Get();
    const bool accepted = drop && moved_beyond_threshold_ && target != nullptr && accepted_;
    const TPoint point = object_->drag_pos_;
    object_->cancelling_ = !drop;
    EndDragImage();
    if (GetCapture() == capture_window_)
      ReleaseCapture();
    if (target != nullptr) {
      const TAliveToken alive = target->AliveToken();
      SendDrag(target, accepted ? dmDragDrop : dmDragLeave, point);
      if (!alive.Alive())
        target = nullptr;
    }
    TDragObject* object = object_;
    std::unique_ptr<TDragObject> owned = std::move(owned_object_);
    Reset();
    const TPoint client = target != nullptr ? target->ScreenToClient(point) : point;
    object->Finished(accepted ? target : nullptr, client.X, client.Y, accepted);
    // Back to the cursor of whatever is under the mouse.
    Screen->SetCursor(Screen->Cursor());
    finishing_ = false;
  }

  // Docks or floats the control where the frame showed it; a press without
  // a move beyond the threshold leaves it where it is.
  void FinishDocking(bool drop) {
    finishing_ = true;
    TScopeExit finished([this] { finishing_ = false; });
    const bool moved = moved_beyond_threshold_;
    if (GetCapture() == capture_window_)
      ReleaseCapture();
    std::unique_ptr<TDragObject> owned = std::move(owned_object_);
    TDragDockObject* dock_object = dock_object_;
    Reset();
    Screen->SetCursor(Screen->Cursor());
    dock_object->Drop(drop && moved);
  }

  // The source is going away: end without calling anything on it.
  void Forget() {
    EndDragImage();
    if (GetCapture() == capture_window_)
      ReleaseCapture();
    Reset();
  }

 private:
  // The images follow the mouse over controls that display drag images,
  // drawn over the top-level window under the mouse; elsewhere they are
  // taken off the screen while the drag goes on.
  void MoveDragImage(TPoint point, TControl* target) {
    TDragImageList* images = images_.Get();
    if (images == nullptr || images->Count() == 0)
      return;
    HWND window = nullptr;
    if (target != nullptr && target->ControlStyle().Contains(csDisplayDragImage))
      window = GetAncestor(WindowFromPoint(point), GA_ROOT);
    if (window == nullptr) {
      images->DragUnlock();
      return;
    }
    POINT client = point;
    ScreenToClient(window, &client);
    if (images->Dragging())
      images->DragLock(window, client.x, client.y);
    else
      images->BeginDrag(window, client.x, client.y);
  }

  void EndDragImage() {
    if (TDragImageList* images = images_.Get())
      images->EndDrag();
    images_.Reset();
  }

  void Reset() {
    source_.Reset();
    target_.Reset();
    object_ = nullptr;
    owned_object_.reset();
    dock_object_ = nullptr;
    images_.Reset();
    accepted_ = false;
  }

  LRESULT SendDrag(TControl* target, TDragMessage kind, TPoint point) {
    TDragRec record{point, object_, target};
    return target->Perform(CM_DRAG, kind, reinterpret_cast<LPARAM>(&record));
  }

  void CaptureWindowProc(TMessage& message) {
    switch (message.Msg) {
      case WM_MOUSEMOVE: {
        POINT cursor{};
        GetCursorPos(&cursor);
        const TPoint point(cursor);
        if (!moved_beyond_threshold_ &&
            (std::abs(point.X - start_.X) >= threshold_ || std::abs(point.Y - start_.Y) >= threshold_))
          moved_beyond_threshold_ = true;
        if (moved_beyond_threshold_)
          MoveTo(point);
        break;
      }
      case WM_LBUTTONUP:
        Finish(true);
        break;
      case WM_RBUTTONDOWN:
      case WM_CANCELMODE:
        Finish(false);
        break;
      case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(message.LParam) != capture_window_)
          Finish(false);
        break;
      default:
        CallDefaultWindowProc(capture_window_, message);
        break;
    }
  }

  TWeakRef<TControl> source_;
  TWeakRef<TControl> target_;
  // The images of the drag object, as they were when the drag started.
  TWeakRef<TDragImageList> images_;
  TDragObject* object_ = nullptr;
  std::unique_ptr<TDragObject> owned_object_;
  // The object of a docking drag (owned_object_), or null.
  TDragDockObject* dock_object_ = nullptr;
  HWND capture_window_ = nullptr;
  TPoint start_;
  int32_t threshold_ = 5;
  bool moved_beyond_threshold_ = false;
  bool accepted_ = false;
  bool finishing_ = false;
};

TCursor TDragObject::GetDragCursor(bool accepted, int32_t, int32_t) { return accepted ? crDrag : crNoDrop; }

void TDragObject::Finished(TObject*, int32_t, int32_t, bool) {}

void TDragObject::HideDragImage() {
  if (TDragImageList* images = GetDragImages())
    images->HideDragImage();
}

void TDragObject::ShowDragImage() {
  if (TDragImageList* images = GetDragImages())
    images->ShowDragImage();
}

TCursor TDragControlObject::GetDragCursor(bool accepted, int32_t, int32_t) {
  return accepted ? control_->DragCursor() : crNoDrop;
}

void TDragControlObject::Finished(TObject* target, int32_t x, int32_t y, bool) {
  control_->DoEndDrag(target, x, y);
}

TDragImageList* TDragControlObject::GetDragImages() { return control_->GetDragImages(); }

void StartControlDrag(TControl* control, bool immediate, int32_t threshold) {
  DragSession::Current().Start(control, immediate, threshold);
}

void FinishDrag(bool drop) { DragSession::Current().Finish(drop); }

void CancelDrag() { DragSession::Current().Finish(false); }

TControl* DragSourceControl() { return DragSession::Current().Source(); }

void ForgetDragSource(TControl* control) {
  if (DragSession::Current().Source() == control && control != nullptr)
    DragSession::Current().Forget();
}

void DragTo(TPoint screen_point) { DragSession::Current().MoveTo(screen_point); }
