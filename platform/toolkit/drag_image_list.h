#pragma once
// TDragImageList: the images shown under the cursor while something is
// dragged, over the system's image-list drag functions.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "platform/rtl/component.h"
#include "platform/toolkit/color.h"
#include "platform/toolkit/types.h"

class TBitmap;

class TDragImageList : public TComponent {
 public:
  static constexpr TClass kClass{"TDragImageList", &TComponent::kClass, &ConstructInstance<TDragImageList>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TDragImageList(TComponent* owner);
  ~TDragImageList() override;

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  // Changing the size empties the list.
  void SetSize(int32_t width, int32_t height);
  int32_t Count() const;
  HIMAGELIST Handle();

  // Adds the bitmap with `transparent` as its see-through colour; returns
  // the index.
  int32_t AddMasked(TBitmap& bitmap, TColor transparent);
  void Clear();

  // The image and its hot spot that the next drag shows.
  void SetDragImage(int32_t index, int32_t hot_x, int32_t hot_y);
  int32_t DragIndex() const { return drag_index_; }
  TPoint DragHotspot() const { return hotspot_; }

  // The system drag image, shown over one window at a time (the lock
  // window); points are in that window's client coordinates. BeginDrag
  // starts with the image shown over `window` with its hot spot at (x, y);
  // a null window starts without showing it.
  bool BeginDrag(HWND window, int32_t x, int32_t y);
  // Shows the image over `window` instead, at (x, y) of that window.
  bool DragLock(HWND window, int32_t x, int32_t y);
  // Takes the image off its window; the drag goes on.
  void DragUnlock();
  bool DragMove(int32_t x, int32_t y);
  bool EndDrag();
  bool Dragging() const { return dragging_; }
  HWND LockWindow() const { return lock_window_; }
  // Hides the image while the lock window paints under it, and shows it
  // again; both keep the drag going.
  void HideDragImage();
  void ShowDragImage();
  bool DragImageVisible() const { return lock_window_ != nullptr && !hidden_; }

 private:
  HIMAGELIST handle_ = nullptr;
  int32_t width_ = 16;
  int32_t height_ = 16;
  int32_t drag_index_ = 0;
  TPoint hotspot_;
  HWND lock_window_ = nullptr;
  bool dragging_ = false;
  bool hidden_ = false;
};
