#pragma once
// TlxScreenControl: the desktop as the control the shared screen canvas
// draws on. Its window is the desktop window, which it never creates or
// destroys; its device context is a cached one of the desktop. It is no
// toolkit windowed control on purpose: those subclass their window, and the
// desktop's procedure is the system's.

#include <windows.h>

#include "platform/rtl/object.h"
#include "platform/toolkit/canvas.h"

class TlxScreenControl : public TObject {
 public:
  static constexpr TClass kClass{"TlxScreenControl", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxScreenControl() = default;
  TlxScreenControl(const TlxScreenControl&) = delete;
  TlxScreenControl& operator=(const TlxScreenControl&) = delete;

  HWND Handle() const { return GetDesktopWindow(); }
  // A context of the desktop (DCX_CACHE, DCX_LOCKWINDOWUPDATE); give it
  // back with ReleaseDeviceContext.
  HDC GetDeviceContext() const { return GetDCEx(Handle(), nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE); }
  void ReleaseDeviceContext(HDC dc) const { ReleaseDC(Handle(), dc); }
};

// A toolkit canvas over a TlxScreenControl: it takes the control's context
// on first use and gives it back when it goes.
class TlxScreenControlCanvas : public TCanvas {
 public:
  static constexpr TClass kClass{"TlxScreenControlCanvas", &TCanvas::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxScreenControlCanvas() = default;
  ~TlxScreenControlCanvas() override;

  const TlxScreenControl& Control() const { return control_; }

 protected:
  void CreateHandle() override;

 private:
  TlxScreenControl control_;
  HDC device_context_ = nullptr;
};
