#pragma once
// Scopes on a canvas: its lock, and a device context lent to a control's
// canvas while a handler paints with it.
//
//   void TGraphicControl::WMPaint(TMessage& message) {
//     TCanvasHandleScope painting(canvas, reinterpret_cast<HDC>(message.WParam));
//     Paint();   // the canvas draws on the lent context, under its lock
//   }            // the canvas forgets the context and is unlocked

#include <windows.h>

#include "platform/toolkit/canvas.h"
#include "platform/toolkit/control_canvas.h"

// Holds a canvas's lock for the scope.
class TCanvasLock {
 public:
  explicit TCanvasLock(TCanvas& canvas) : canvas_(canvas) { canvas_.Lock(); }
  TCanvasLock(const TCanvasLock&) = delete;
  TCanvasLock& operator=(const TCanvasLock&) = delete;
  ~TCanvasLock() { canvas_.Unlock(); }

 private:
  TCanvas& canvas_;
};

// Lends `dc` to a control's canvas for the scope, under the canvas's lock.
// The canvas gives back a context of its own first; at the end it forgets
// the lent one (the lender still owns it) and is unlocked.
class TCanvasHandleScope {
 public:
  TCanvasHandleScope(TControlCanvas& canvas, HDC dc) : canvas_(canvas) {
    canvas_.FreeHandle();
    canvas_.Lock();
    canvas_.SetHandle(dc);
  }
  TCanvasHandleScope(const TCanvasHandleScope&) = delete;
  TCanvasHandleScope& operator=(const TCanvasHandleScope&) = delete;
  ~TCanvasHandleScope() {
    canvas_.SetHandle(nullptr);
    canvas_.Unlock();
  }

 private:
  TControlCanvas& canvas_;
};
