#pragma once
// TlxRegion: a GDI region that the object owns and deletes.

#include <windows.h>

#include <cstdint>
#include <memory>

#include "platform/rtl/object.h"
#include "ui/foundation/geometry/geometry.h"

// How a region joins the one it is combined with.
enum TlxRegionOperation : uint8_t {
  roSet,        // replace (copy)
  roAdd,        // union
  roSubtract,   // difference
  roIntersect,  // intersection
};

// The CombineRgn mode of an operation.
int lxRegionCombineMode(TlxRegionOperation operation);

class TlxRegion : public TObject {
 public:
  // The empty region (0, 0, 0, 0).
  TlxRegion();
  // Takes ownership of `handle`.
  explicit TlxRegion(HRGN handle);
  explicit TlxRegion(const TRect& rect);
  TlxRegion(int32_t left, int32_t top, int32_t right, int32_t bottom);
  ~TlxRegion() override;
  TlxRegion(const TlxRegion&) = delete;
  TlxRegion& operator=(const TlxRegion&) = delete;

  static std::unique_ptr<TlxRegion> Create() { return std::make_unique<TlxRegion>(); }
  static std::unique_ptr<TlxRegion> CreateFromHandle(HRGN handle) { return std::make_unique<TlxRegion>(handle); }
  static std::unique_ptr<TlxRegion> CreateFromRect(const TRect& rect) { return std::make_unique<TlxRegion>(rect); }
  static std::unique_ptr<TlxRegion> CreateFromBounds(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return std::make_unique<TlxRegion>(left, top, right, bottom);
  }

  // Null after ReleaseHandle.
  HRGN Handle() const { return handle_; }
  // Deletes the region and leaves the object without one.
  void ReleaseHandle();

  bool IsEmptyRegion() const;
  TRect BoundsRect() const;

  // roSet makes this region a copy of `other`; the rest combine `other`
  // into this one. `other` is freed when ownership is handed over.
  void CombineWith(const TlxRegion& other, TlxRegionOperation operation);
  void CombineWith(std::unique_ptr<TlxRegion> other, TlxRegionOperation operation);

  // False for null; true when both are empty, else whether they cover the
  // same pixels.
  bool SameAs(const TlxRegion* other) const;
  bool SameAsHandle(HRGN other) const;

  void Shift(int32_t dx, int32_t dy);
  bool ContainsPoint(const TPoint& point) const { return ContainsXY(point.X, point.Y); }
  bool ContainsXY(int32_t x, int32_t y) const;

 private:
  HRGN handle_ = nullptr;
};
