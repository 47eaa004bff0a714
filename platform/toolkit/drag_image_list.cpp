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

bool TDragImageList::BeginDrag(HWND window, int32_t x, int32_t y) {
  if (dragging_ || drag_index_ < 0 || drag_index_ >= Count())
    return false;
  if (!ImageList_BeginDrag(handle_, drag_index_, hotspot_.X, hotspot_.Y))
    return false;
  dragging_ = ImageList_DragEnter(window, x, y) != FALSE;
  if (!dragging_) {
    ImageList_EndDrag();
    return false;
  }
  drag_window_ = window;
  return true;
}

bool TDragImageList::DragMove(int32_t x, int32_t y) { return dragging_ && ImageList_DragMove(x, y); }

bool TDragImageList::EndDrag() {
  if (!dragging_)
    return false;
  ImageList_DragLeave(drag_window_);
  ImageList_EndDrag();
  dragging_ = false;
  drag_window_ = nullptr;
  return true;
}

void TDragImageList::HideDragImage() {
  if (dragging_)
    ImageList_DragShowNolock(FALSE);
}

void TDragImageList::ShowDragImage() {
  if (dragging_)
    ImageList_DragShowNolock(TRUE);
}
