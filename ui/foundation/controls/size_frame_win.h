#pragma once
// TlxSizeFrame: the hatched frame that shows the new size of something
// being resized. The window is shaped to a frame of the given width by its
// region, so what lies inside stays visible and clickable. Included only
// from Windows sources.

#include <windows.h>

#include <cstdint>
#include <memory>

#include "platform/toolkit/bitmap.h"
#include "ui/foundation/canvas/region_win.h"
#include "ui/foundation/controls/drag_image_win.h"

class TlxSizeFrame : public TlxCustomDragImage {
 public:
  static constexpr TClass kClass{"TlxSizeFrame", &TlxCustomDragImage::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxSizeFrame(int32_t frame_width);
  ~TlxSizeFrame() override;

  int32_t FrameWidth() const { return frame_width_; }
  // The region the window was last cut to (window coordinates).
  const TlxRegion& FrameRegion() const { return *frame_region_; }

  // Starts the frame region as the whole rectangle, then moves the window
  // there, which cuts it to the frame.
  void SetFrameBounds(const TRect& rect);
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;

 protected:
  void Paint() override;

 private:
  void CutFrameRegion();
  void ApplyFrameRegion();

  int32_t frame_width_;
  std::unique_ptr<TlxRegion> frame_region_;
  std::unique_ptr<TBitmap> pattern_;
};
