#include "ui/foundation/canvas/screen_control_win.h"

TlxScreenControlCanvas::~TlxScreenControlCanvas() {
  SetHandle(nullptr);
  if (device_context_ != nullptr)
    control_.ReleaseDeviceContext(device_context_);
}

void TlxScreenControlCanvas::CreateHandle() {
  if (device_context_ == nullptr)
    device_context_ = control_.GetDeviceContext();
  SetHandle(device_context_);
}
