// TWinControl painting (the window itself, double buffered, and its
// graphic children) and TCustomControl, the control with a canvas.

#include "platform/toolkit/win_control.h"

#include <algorithm>
#include <optional>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/canvas_scopes.h"
#include "platform/toolkit/drag.h"
#include "platform/toolkit/errors.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/gdi_holders.h"
#include "platform/toolkit/screen.h"

// --- painting ------------------------------------------------------------------------

void TWinControl::WMEraseBkgnd(TMessage& message) {
  const RECT client = ClientRect();
  ::FillRect(reinterpret_cast<HDC>(message.WParam), &client, brush_->Handle());
  message.Result = 1;
}

void TWinControl::WMPaint(TMessage& message) {
  if (double_buffered_ && TPaintMessage(message).DC() == nullptr) {
    DoubleBufferedPaint(message);
    return;
  }
  if (!ControlState().Contains(csCustomPaint) && graphic_controls_.empty()) {
    DefaultHandler(message);
    return;
  }
  PaintHandler(message);
}

void TWinControl::DoubleBufferedPaint(TMessage& message) {
  const TRect client = ClientRect();
  TPaintDC window_dc(handle_);
  TMemoryDC memory(window_dc.Handle());
  TOwnedBitmap bitmap(
      CreateCompatibleBitmap(window_dc.Handle(), std::max(client.Right, 1), std::max(client.Bottom, 1)));
  TSelectedObject selected(memory.Handle(), bitmap.Get());
  const auto memory_dc = reinterpret_cast<WPARAM>(memory.Handle());
  Perform(WM_ERASEBKGND, memory_dc, static_cast<LPARAM>(memory_dc));
  TMessage inner{WM_PAINT, memory_dc, 0, 0};
  WMPaint(inner);
  BitBlt(window_dc.Handle(), 0, 0, client.Right, client.Bottom, memory.Handle(), 0, 0, SRCCOPY);
  message.Result = 0;
}

void TWinControl::PaintHandler(TMessage& message) {
  HDC dc = TPaintMessage(message).DC();
  std::optional<TPaintDC> own_paint;
  if (dc == nullptr)
    dc = own_paint.emplace(handle_).Handle();
  if (graphic_controls_.empty()) {
    PaintWindow(dc);
  } else {
    // Opaque graphic children cover their part: leave it out.
    TSavedDCState saved(dc);
    int clip = SIMPLEREGION;
    for (TControl* control : graphic_controls_) {
      if (control->Visible() && control->ControlStyle().Contains(csOpaque)) {
        clip = ExcludeClipRect(dc, control->Left(), control->Top(), control->Left() + control->Width(),
                               control->Top() + control->Height());
        if (clip == NULLREGION)
          break;
      }
    }
    if (clip != NULLREGION)
      PaintWindow(dc);
  }
  PaintControls(dc, nullptr);
}

void TWinControl::PaintWindow(HDC dc) {
  TMessage message{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
  DefaultHandler(message);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
  auto start = graphic_controls_.begin();
  if (first != nullptr) {
    start = std::find(graphic_controls_.begin(), graphic_controls_.end(), first);
    if (start == graphic_controls_.end())
      start = graphic_controls_.begin();
  }
  RECT clip_box{};
  GetClipBox(dc, &clip_box);
  const TRect clip(clip_box);
  // Each child draws with the origin moved to its corner and the clip cut
  // to its bounds; both are put back from what the context had before,
  // which is cheaper than saving the whole context per child.
  POINT origin{};
  GetViewportOrgEx(dc, &origin);
  TOwnedRegion saved_clip(CreateRectRgn(0, 0, 0, 0));
  const bool had_clip = GetClipRgn(dc, saved_clip.Get()) == 1;
  auto restore = [&] {
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    SelectClipRgn(dc, had_clip ? saved_clip.Get() : nullptr);
  };
  TScopeFail restore_after_failure(restore);
  // A handler may add or remove controls: walk a copy.
  const std::vector<TControl*> controls(start, graphic_controls_.end());
  for (TControl* control : controls) {
    if (!control->Visible())
      continue;
    const TRect bounds = control->BoundsRect();
    if (bounds.Intersect(clip).IsEmpty())
      continue;
    SetViewportOrgEx(dc, origin.x + bounds.Left, origin.y + bounds.Top, nullptr);
    IntersectClipRect(dc, 0, 0, bounds.Width(), bounds.Height());
    control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    restore();
  }
}

// --- TCustomControl ----------------------------------------------------------------------

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>()) {
  canvas_->SetControl(this);
}

TCustomControl::~TCustomControl() {
  Destroying();
  // The window goes while this class's parts still exist.
  if (WindowHandle() != nullptr)
    DestroyHandle();
}

void TCustomControl::WMPaint(TMessage& message) {
  TFlagScope custom_paint(ControlState(), csCustomPaint);
  TWinControl::WMPaint(message);
}

void TCustomControl::PaintWindow(HDC dc) {
  TCanvasHandleScope painting(*canvas_, dc);
  Paint();
}

void TCustomControl::DestroyWnd() {
  canvas_->FreeHandle();
  TWinControl::DestroyWnd();
}
