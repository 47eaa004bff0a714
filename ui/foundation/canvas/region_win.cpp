#include "ui/foundation/canvas/region_win.h"

int lxRegionCombineMode(TlxRegionOperation operation) {
  switch (operation) {
    case roAdd: return RGN_OR;
    case roSubtract: return RGN_DIFF;
    case roIntersect: return RGN_AND;
    case roSet: break;
  }
  return RGN_COPY;
}

TlxRegion::TlxRegion() : handle_(CreateRectRgn(0, 0, 0, 0)) {}

TlxRegion::TlxRegion(HRGN handle) : handle_(handle) {}

TlxRegion::TlxRegion(const TRect& rect) : TlxRegion(rect.Left, rect.Top, rect.Right, rect.Bottom) {}

TlxRegion::TlxRegion(int32_t left, int32_t top, int32_t right, int32_t bottom)
    : handle_(CreateRectRgn(left, top, right, bottom)) {}

TlxRegion::~TlxRegion() { ReleaseHandle(); }

void TlxRegion::ReleaseHandle() {
  if (handle_ == nullptr)
    return;
  DeleteObject(handle_);
  handle_ = nullptr;
}

bool TlxRegion::IsEmptyRegion() const {
  RECT box;
  return handle_ == nullptr || GetRgnBox(handle_, &box) == NULLREGION;
}

TRect TlxRegion::BoundsRect() const {
  RECT box{};
  if (handle_ == nullptr || GetRgnBox(handle_, &box) == ERROR)
    return TRect();
  return TRect(box);
}

void TlxRegion::CombineWith(const TlxRegion& other, TlxRegionOperation operation) {
  if (&other == this && operation == roSet)
    return;
  // A region without a handle (released) takes part as an empty one.
  if (handle_ == nullptr)
    handle_ = CreateRectRgn(0, 0, 0, 0);
  HRGN other_handle = other.handle_;
  HRGN empty = nullptr;
  if (other_handle == nullptr)
    other_handle = empty = CreateRectRgn(0, 0, 0, 0);
  if (operation == roSet)
    CombineRgn(handle_, other_handle, nullptr, RGN_COPY);  // copies the first source
  else
    CombineRgn(handle_, handle_, other_handle, lxRegionCombineMode(operation));
  if (empty != nullptr)
    DeleteObject(empty);
}

void TlxRegion::CombineWith(std::unique_ptr<TlxRegion> other, TlxRegionOperation operation) {
  if (other == nullptr)
    return;
  CombineWith(*other, operation);
}

bool TlxRegion::SameAs(const TlxRegion* other) const {
  if (other == nullptr)
    return false;
  if (IsEmptyRegion() && other->IsEmptyRegion())
    return true;
  return SameAsHandle(other->handle_);
}

bool TlxRegion::SameAsHandle(HRGN other) const {
  if (handle_ == nullptr || other == nullptr)
    return false;
  return EqualRgn(handle_, other) != FALSE;
}

void TlxRegion::Shift(int32_t dx, int32_t dy) {
  if (handle_ != nullptr)
    OffsetRgn(handle_, dx, dy);
}

bool TlxRegion::ContainsXY(int32_t x, int32_t y) const { return handle_ != nullptr && PtInRegion(handle_, x, y) != FALSE; }
