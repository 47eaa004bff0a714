// TWinControl: colours and fonts, bounds, alignment of the children,
// scaling, the window text and the cursor.

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

// --- looks and bounds ------------------------------------------------------------------

void TWinControl::CMColorChanged(TMessage& message) {
  brush_->SetColor(Color());
  NotifyControls(CM_PARENTCOLORCHANGED);
  TControl::CMColorChanged(message);
}

void TWinControl::CMFontChanged(TMessage& message) {
  if (handle_ != nullptr)
    Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), 0);
  NotifyControls(CM_PARENTFONTCHANGED);
  TControl::CMFontChanged(message);
}

void TWinControl::CMCursorChanged(TMessage&) {
  if (GetCapture() != nullptr || handle_ == nullptr)
    return;
  POINT point{};
  GetCursorPos(&point);
  if (FindDragTarget(point, false) == this)
    Perform(WM_SETCURSOR, reinterpret_cast<WPARAM>(handle_), HTCLIENT);
}

void TWinControl::CMTextChanged(TMessage& message) { DefaultHandler(message); }

void TWinControl::CMSysColorChange(TMessage& message) {
  // System colours may have new values: brushes built from them are stale.
  brush_->SetColor(clBlack);
  brush_->SetColor(Color());
  Broadcast(message);
}

void TWinControl::WMSysColorChange(TMessage& message) {
  Perform(CM_SYSCOLORCHANGE);
  DefaultHandler(message);
}

void TWinControl::SetBorderWidth(int32_t width) {
  if (width < 0 || width == border_width_)
    return;
  border_width_ = width;
  Realign();
  Invalidate();
}

void TWinControl::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (left == Left() && top == Top() && width == Width() && height == Height())
    return;
  if (handle_ != nullptr && !IsIconic(handle_)) {
    // The window reports its new place back (UpdateBounds).
    SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  UpdateBoundsFields(left, top, width, height);
}

void TWinControl::BoundsChanged() {
  const TRect client = ClientRect();
  if (client.Width() != aligned_client_size_.cx || client.Height() != aligned_client_size_.cy)
    Realign();
}

void TWinControl::UpdateBounds() {
  if (handle_ == nullptr)
    return;
  RECT rect{};
  GetWindowRect(handle_, &rect);
  HWND parent_window = GetParent(handle_);
  if ((GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD) != 0 && parent_window != nullptr)
    MapWindowPoints(HWND_DESKTOP, parent_window, reinterpret_cast<POINT*>(&rect), 2);
  const TRect bounds(rect);
  if (bounds == BoundsRect())
    return;
  UpdateBoundsFields(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
}

void TWinControl::WMWindowPosChanged(TMessage& message) {
  UpdateBounds();
  DefaultHandler(message);
}

void TWinControl::WMSize(TMessage& message) {
  DefaultHandler(message);
  BoundsChanged();
}

TRect TWinControl::ClientRectWithoutWindow() {
  if (handle_ != nullptr) {
    RECT rect{};
    GetClientRect(handle_, &rect);
    return rect;
  }
  const TRect margins = NonClientMargins();
  return Rect(0, 0, std::max(0, Width() - margins.Left - margins.Right),
              std::max(0, Height() - margins.Top - margins.Bottom));
}

TRect TWinControl::ClientRect() { return ClientRectWithoutWindow(); }

TPoint TWinControl::ClientOrigin() {
  if (handle_ != nullptr) {
    POINT origin{0, 0};
    ::ClientToScreen(handle_, &origin);
    return origin;
  }
  const TRect margins = NonClientMargins();
  const TPoint own(Left() + margins.Left, Top() + margins.Top);
  return Parent() != nullptr ? Parent()->ClientOrigin() + own : own;
}

void TWinControl::Invalidate() {
  if (handle_ != nullptr)
    InvalidateRect(handle_, nullptr, ControlStyle().Contains(csOpaque) ? FALSE : TRUE);
}

void TWinControl::Update() {
  if (handle_ != nullptr)
    UpdateWindow(handle_);
}

// --- alignment -------------------------------------------------------------------------

void TWinControl::EnableAlign() {
  if (align_level_ > 0)
    --align_level_;
  if (align_level_ == 0 && ControlState().Contains(csAlignmentNeeded))
    Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* control) {
  if (AlignDisabled()) {
    ControlState().Include(csAlignmentNeeded);
    return;
  }
  DisableAlign();
  TScopeExit enable_align([this] {
    ControlState().Exclude(csAlignmentNeeded);
    EnableAlign();
  });
  TRect rect = ClientRect();
  aligned_client_size_ = TSize{rect.Width(), rect.Height()};
  AlignControls(control, rect);
}

void TWinControl::AdjustClientRect(TRect& rect) { rect = rect.Inflate(-border_width_, -border_width_); }

void TWinControl::AlignControls(TControl* control, TRect& rect) {
  AdjustClientRect(rect);
  // Anchored controls follow the parent's new client size.
  const TRect client = ClientRect();
  for (int32_t i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    if (child->Align() == alNone)
      child->ApplyAnchors(client);
  }
  // Then the aligned ones take their strips, edge by edge. Within one edge
  // they go by position; the control that asked is placed by its new
  // position among them.
  auto goes_before = [](TControl* a, TControl* b, TAlign align) {
    switch (align) {
      case alTop: return a->Top() < b->Top();
      case alBottom: return a->Top() + a->Height() >= b->Top() + b->Height();
      case alLeft: return a->Left() < b->Left();
      case alRight: return a->Left() + a->Width() >= b->Left() + b->Width();
      default: return false;
    }
  };
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> list;
    if (control != nullptr && control->Align() == align && control->Visible())
      list.push_back(control);
    for (int32_t i = 0; i < ControlCount(); ++i) {
      TControl* child = Controls(i);
      if (child == control || child->Align() != align || !child->Visible())
        continue;
      size_t position = 0;
      while (position < list.size() && !goes_before(child, list[position], align))
        ++position;
      list.insert(list.begin() + static_cast<ptrdiff_t>(position), child);
    }
    for (TControl* child : list) {
      const int32_t width = rect.Width();
      const int32_t height = rect.Height();
      switch (align) {
        case alTop:
          child->SetBounds(rect.Left, rect.Top, width, child->Height());
          rect.Top += child->Height();
          break;
        case alBottom:
          child->SetBounds(rect.Left, rect.Bottom - child->Height(), width, child->Height());
          rect.Bottom -= child->Height();
          break;
        case alLeft:
          child->SetBounds(rect.Left, rect.Top, child->Width(), height);
          rect.Left += child->Width();
          break;
        case alRight:
          child->SetBounds(rect.Right - child->Width(), rect.Top, child->Width(), height);
          rect.Right -= child->Width();
          break;
        case alClient:
          child->SetBounds(rect.Left, rect.Top, std::max(width, 0), std::max(height, 0));
          break;
        default:
          break;
      }
    }
  }
}

// --- scaling ---------------------------------------------------------------------------

void TWinControl::ScaleControls(int32_t multiplier, int32_t divider) {
  for (int32_t i = 0; i < ControlCount(); ++i)
    Controls(i)->ChangeScale(multiplier, divider);
}

void TWinControl::ChangeScale(int32_t multiplier, int32_t divider) {
  DisableAlign();
  TScopeExit enable_align([this] { EnableAlign(); });
  ScaleControls(multiplier, divider);
  TControl::ChangeScale(multiplier, divider);
}

// --- text ------------------------------------------------------------------------------

std::string TWinControl::GetText() {
  if (handle_ == nullptr)
    return TControl::GetText();
  const int length = GetWindowTextLengthW(handle_);
  if (length <= 0)
    return {};
  std::u16string buffer(static_cast<size_t>(length) + 1, u'\0');
  const int copied = GetWindowTextW(handle_, reinterpret_cast<WCHAR*>(buffer.data()), length + 1);
  buffer.resize(static_cast<size_t>(std::max(copied, 0)));
  return Utf16ToUtf8(buffer);
}

void TWinControl::SetTextBuffer(const std::string& text) {
  if (handle_ == nullptr) {
    TControl::SetTextBuffer(text);
    return;
  }
  const std::u16string wide = Utf8ToUtf16(text);
  SetWindowTextW(handle_, reinterpret_cast<const WCHAR*>(wide.c_str()));
}

// --- cursor ----------------------------------------------------------------------------

void TWinControl::WMSetCursor(TMessage& message) {
  if (reinterpret_cast<HWND>(message.WParam) == handle_ && static_cast<int16_t>(LOWORD(message.LParam)) == HTCLIENT) {
    TCursor cursor = Screen->Cursor();
    if (cursor == crDefault) {
      POINT point{};
      GetCursorPos(&point);
      if (TControl* child = ControlAtPos(ScreenToClient(point), false))
        cursor = child->Cursor();
      if (cursor == crDefault)
        cursor = Cursor();
    }
    if (cursor != crDefault) {
      ::SetCursor(Screen->Cursors(cursor));
      message.Result = 1;
      return;
    }
  }
  DefaultHandler(message);
}
