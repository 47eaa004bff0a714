#include "platform/toolkit/control_canvas.h"

#include <algorithm>
#include <vector>

#include "platform/toolkit/control.h"
#include "platform/toolkit/win_control.h"

namespace {

// Canvases that hold a device context; all on the GUI thread.
std::vector<TControlCanvas*>& CanvasesWithContext() {
  static std::vector<TControlCanvas*> canvases;
  return canvases;
}

}  // namespace

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* control) {
  if (control == control_)
    return;
  FreeHandle();
  control_ = control;
}

void TControlCanvas::CreateHandle() {
  if (control_ == nullptr)
    return;
  if (device_context_ == nullptr) {
    auto* windowed = dynamic_cast<TWinControl*>(control_);
    HWND window = windowed != nullptr ? windowed->Handle() : control_->ParentHandleForDrawing();
    if (window == nullptr)
      return;
    device_context_ = GetDCEx(window, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    if (device_context_ == nullptr)
      return;
    window_ = window;
    if (windowed == nullptr) {
      SetViewportOrgEx(device_context_, control_->Left(), control_->Top(), nullptr);
      IntersectClipRect(device_context_, 0, 0, control_->Width(), control_->Height());
    }
    CanvasesWithContext().push_back(this);
  }
  SetHandle(device_context_);
}

void TControlCanvas::FreeHandle() {
  if (device_context_ == nullptr)
    return;
  if (CurrentHandle() == device_context_)
    SetHandle(nullptr);
  ReleaseDC(window_, device_context_);
  device_context_ = nullptr;
  window_ = nullptr;
  auto& canvases = CanvasesWithContext();
  canvases.erase(std::remove(canvases.begin(), canvases.end(), this), canvases.end());
}

void FreeDeviceContexts() {
  // FreeHandle edits the list: work on a copy.
  const std::vector<TControlCanvas*> canvases = CanvasesWithContext();
  for (TControlCanvas* canvas : canvases)
    canvas->FreeHandle();
}

void FreeDeviceContextsOf(HWND window) {
  const std::vector<TControlCanvas*> canvases = CanvasesWithContext();
  for (TControlCanvas* canvas : canvases)
    if (canvas->ContextWindow() == window)
      canvas->FreeHandle();
}
