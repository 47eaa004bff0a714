#include "platform/toolkit/drag_image_list.h"

#include "platform/toolkit/bitmap.h"

TDragImageList::TDragImageList(TComponent* owner) : TComponent(owner) {}

TDragImageList::~TDragImageList() {
  EndDrag();
  if (handle_ != nullptr)
    ImageList_Destroy(handle_);
}

void TDragImageList::SetSize(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0 || (width == width_ && height == height_))
    return;
  width_ = width;
  height_ = height;
  Clear();
}

HIMAGELIST TDragImageList::Handle() {
  if (handle_ == nullptr)
    handle_ = ImageList_Create(width_, height_, ILC_COLOR32 | ILC_MASK, 4, 4);
  return handle_;
}

int32_t TDragImageList::Count() const { return handle_ == nullptr ? 0 : ImageList_GetImageCount(handle_); }

int32_t TDragImageList::AddMasked(TBitmap& bitmap, TColor transparent) {
  if (bitmap.Empty())
    return -1;
  // The list keeps its own copy; the caller's bitmap must not stay selected
  // in a memory context meanwhile.
  TBitmap copy;
  copy.Assign(&bitmap);
  copy.Dormant();
  return ImageList_AddMasked(Handle(), copy.Handle(), ColorToColorRef(transparent));
}

void TDragImageList::Clear() {
  if (handle_ == nullptr)
    return;
  ImageList_Destroy(handle_);
  handle_ = nullptr;
}

void TDragImageList::SetDragImage(int32_t index, int32_t hot_x, int32_t hot_y) {
  drag_index_ = index;
  hotspot_ = TPoint(hot_x, hot_y);
}

namespace {

// The system places the image relative to the lock window's outer corner.
POINT WindowPointOfClientPoint(HWND window, int32_t x, int32_t y) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  RECT outer{};
  GetWindowRect(window, &outer);
  return {point.x - outer.left, point.y - outer.top};
}

}  // namespace

bool TDragImageList::BeginDrag(HWND window, int32_t x, int32_t y) {
  if (dragging_ || drag_index_ < 0 || drag_index_ >= Count())
    return false;
  if (!ImageList_BeginDrag(handle_, drag_index_, hotspot_.X, hotspot_.Y))
    return false;
  dragging_ = true;
  hidden_ = false;
  if (window != nullptr && !DragLock(window, x, y)) {
    EndDrag();
    return false;
  }
  return true;
}

bool TDragImageList::DragLock(HWND window, int32_t x, int32_t y) {
  if (!dragging_ || window == nullptr || !IsWindow(window))
    return false;
  if (window == lock_window_)
    return DragMove(x, y);
  DragUnlock();
  const POINT point = WindowPointOfClientPoint(window, x, y);
  if (!ImageList_DragEnter(window, point.x, point.y))
    return false;
  lock_window_ = window;
  if (hidden_)
    ImageList_DragShowNolock(FALSE);
  return true;
}

void TDragImageList::DragUnlock() {
  if (lock_window_ == nullptr)
    return;
  ImageList_DragLeave(lock_window_);
  lock_window_ = nullptr;
}

bool TDragImageList::DragMove(int32_t x, int32_t y) {
  if (lock_window_ == nullptr)
    return false;
  const POINT point = WindowPointOfClientPoint(lock_window_, x, y);
  return ImageList_DragMove(point.x, point.y) != FALSE;
}

bool TDragImageList::EndDrag() {
  if (!dragging_)
    return false;
  DragUnlock();
  ImageList_EndDrag();
  dragging_ = false;
  hidden_ = false;
  return true;
}

void TDragImageList::HideDragImage() {
  if (!dragging_ || hidden_)
    return;
  hidden_ = true;
  if (lock_window_ != nullptr)
    ImageList_DragShowNolock(FALSE);
}

void TDragImageList::ShowDragImage() {
  if (!dragging_ || !hidden_)
    return;
  hidden_ = false;
  if (lock_window_ != nullptr)
    ImageList_DragShowNolock(TRUE);
}
