#pragma once
// TGraphicsObject: the base of the canvas's font, pen and brush. Each owns
// the GDI handle it creates from its settings, recreates it lazily after a
// change, and tells its user (OnChange) that it changed.

#include <windows.h>

#include "platform/rtl/persistent.h"

class TGraphicsObject : public TPersistent {
 public:
  static constexpr TClass kClass{"TGraphicsObject", &TPersistent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TGraphicsObject() = default;
  // Derived classes that dispose of handles their own way free them in
  // their own destructor (virtual calls do not reach them from here).
  ~TGraphicsObject() override { FreeHandle(); }

  TNotifyEvent OnChange;

  // True while a handle exists; a canvas asks before it selects one.
  bool HandleAllocated() const { return handle_ != nullptr; }

 protected:
  // Drops the handle (it is rebuilt on next use) and fires OnChange. The
  // user hears of the change before the old handle is deleted, so that a
  // canvas can deselect it first: a selected object cannot be deleted.
  void Changed() { ReplaceHandle(nullptr); }
  void ReplaceHandle(HGDIOBJ handle) {
    HGDIOBJ old = handle_;
    const bool owned = owns_handle_;
    handle_ = handle;
    owns_handle_ = true;
    if (OnChange)
      OnChange(this);
    if (old != nullptr && owned && old != handle)
      DisposeHandle(old);
  }
  void FreeHandle() {
    if (handle_ != nullptr && owns_handle_)
      DisposeHandle(handle_);
    handle_ = nullptr;
    owns_handle_ = true;
  }
  virtual void DisposeHandle(HGDIOBJ handle) { DeleteObject(handle); }
  HGDIOBJ handle_ = nullptr;
  bool owns_handle_ = true;
};
