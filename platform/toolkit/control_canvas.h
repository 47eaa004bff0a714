#pragma once
// TControlCanvas: a canvas on a control outside of painting. It takes a
// device context of the control's window (of the parent's, moved and clipped
// to the control, for a graphic control) on first use and gives it back when
// told to, when the window goes, or when the application becomes idle.

#include <windows.h>

#include "platform/toolkit/canvas.h"

class TControl;

class TControlCanvas : public TCanvas {
 public:
  static constexpr TClass kClass{"TControlCanvas", &TCanvas::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TControlCanvas() = default;
  ~TControlCanvas() override;

  TControl* Control() const { return control_; }
  void SetControl(TControl* control);
  // Releases the device context taken by CreateHandle, if any.
  void FreeHandle();
  // The window whose device context the canvas holds, or null.
  HWND ContextWindow() const { return window_; }

 protected:
  void CreateHandle() override;
  // A context handed in by a painter (the parent's, while it paints its
  // graphic children one after another) keeps the objects; the canvas's own
  // context gets its stock objects back before it is released.
  bool LeavesObjectsSelected() const override { return CurrentHandle() != device_context_; }

 private:
  TControl* control_ = nullptr;
  HDC device_context_ = nullptr;
  HWND window_ = nullptr;
};

// Gives back every device context that control canvases hold (called when
// the application is idle), or those on `window` only.
void FreeDeviceContexts();
void FreeDeviceContextsOf(HWND window);
