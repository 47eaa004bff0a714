#pragma once
// The windows that float above everything while the user drags: they are
// popups that never take the mouse (it falls through to the window below)
// nor the focus. TlxCustomDragImage is shown and moved by its user;
// TlxDragImage shows a bitmap its user draws into, translucent where the
// system has layered windows. Included only from Windows sources.

#include <windows.h>

#include <cstdint>
#include <memory>

#include "platform/toolkit/bitmap.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/controls/popup_window_win.h"

// Whether the system offers layered windows (see-through and translucent
// top-level windows).
bool lxLayeredWindowsAvailable();

class TlxCustomDragImage : public TlxPopupWindow {
 public:
  static constexpr TClass kClass{"TlxCustomDragImage", &TlxPopupWindow::kClass,
                                 &ConstructInstance<TlxCustomDragImage>};
  const TClass* ClassType() const override { return &kClass; }

  static constexpr uint8_t kAlphaBlendValue = 180;

  explicit TlxCustomDragImage(TComponent* owner = nullptr);

  // The form that owns the image window; null means the active form.
  TCustomForm* HostForm() const { return host_form_.Get(); }
  void SetHostForm(TCustomForm* form) { host_form_ = TWeakRef<TCustomForm>(form); }
  // Where the mouse point lies inside the window.
  TPoint HotPointOffset() const { return hot_point_offset_; }

  bool UsesAlphaBlend() const;
  // The window exists and is visible.
  bool IsShowing() const;
  void SetShown(bool shown);
  // Shows the window without activating it and paints it at once (unlike
  // the form's Show, which would take the focus from the control being
  // dragged over).
  void Show();
  void Hide();
  // Takes the size of `rect`; the hot point, in the same coordinates,
  // becomes the offset of the mouse inside the window.
  void Prepare(const TRect& rect, const TPoint& hot_point);
  // Puts the hot point at `point` (screen coordinates), creating the
  // window when needed.
  void MoveTo(const TPoint& point);

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  TWeakRef<TCustomForm> host_form_;
  TPoint hot_point_offset_;
};

class TlxDragImage : public TlxCustomDragImage {
 public:
  static constexpr TClass kClass{"TlxDragImage", &TlxCustomDragImage::kClass, &ConstructInstance<TlxDragImage>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxDragImage(TComponent* owner = nullptr);
  ~TlxDragImage() override;

  // Always the window's size; users draw into BitmapCanvas.
  TBitmap& Bitmap() { return *bitmap_; }
  TlxCanvas& BitmapCanvas() { return *bitmap_canvas_; }

  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;

 protected:
  void Paint() override;

 private:
  std::unique_ptr<TBitmap> bitmap_;
  std::unique_ptr<TlxCanvas> bitmap_canvas_;
};
