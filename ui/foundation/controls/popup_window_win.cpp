#include "ui/foundation/controls/popup_window_win.h"

#include <algorithm>

#include "ui/foundation/canvas/canvas_layout.h"
#include "ui/foundation/system/control_unit_win.h"

TlxPopupWindow::TlxPopupWindow(TComponent* owner)
    : TForm(owner), lx_canvas_(std::make_unique<TlxCanvas>(Canvas())) {
  SetBorderStyle(bsNone);
  SetFormStyle(fsStayOnTop);
  SetVisible(false);
}

TlxPopupWindow::~TlxPopupWindow() = default;

void TlxPopupWindow::ChangeBorderStyle(TlxPopupFrameStyle style) {
  RemoveBorderOffsets();
  frame_style_ = style;
}

void TlxPopupWindow::CalcPosition(TPoint& position) {
  TRect owner;
  GetOwnerScreenBounds(owner);
  const TlxPopupPlacement placement{HorzAlignment, VertAlignment, OpenDirection};
  position = lxCalcPopupPosition(owner, TSize{Width(), Height()}, placement,
                                 [](const TPoint& anchor) { return lxWorkAreaAtPoint(anchor); });
}

void TlxPopupWindow::CalcSize() {
  if (!AutoSizeToChildren)
    return;
  const int32_t left_border = GetBorderWidth(0);
  const int32_t top_border = GetBorderWidth(1);
  int32_t max_right = 0;
  int32_t max_bottom = 0;
  const int32_t count = ControlCount();
  for (int32_t index = 0; index < count; ++index) {
    TControl* child = Controls(index);
    max_right = std::max(max_right, child->Left() + child->Width());
    max_bottom = std::max(max_bottom, child->Top() + child->Height());
    child->SetBounds(child->Left() + left_border, child->Top() + top_border, child->Width(), child->Height());
  }
  if (max_right == 0 && count == 0)
    return;
  SetBounds(Left(), Top(), left_border + max_right + GetBorderWidth(2), top_border + max_bottom + GetBorderWidth(3));
}

int32_t TlxPopupWindow::GetBorderWidth(int32_t /*side*/) { return GetFrameWidth() + BorderSpacing; }

void TlxPopupWindow::CalcClientRect(TRect& rect) {
  rect = ClientRect();
  rect.Left += GetBorderWidth(0);
  rect.Top += GetBorderWidth(1);
  rect.Right -= GetBorderWidth(2);
  rect.Bottom -= GetBorderWidth(3);
}

int32_t TlxPopupWindow::GetFrameWidth() { return lxPopupFrameWidth(frame_style_); }

void TlxPopupWindow::GetOwnerScreenBounds(TRect& rect) {
  TControl* owner = OwnerControl();
  if (owner == nullptr) {
    // Without a control to convert from, the rectangle is taken as it is.
    rect = OwnerRect;
    return;
  }
  const TPoint top_left = owner->ClientToScreen(OwnerRect.TopLeft());
  const TPoint bottom_right = owner->ClientToScreen(OwnerRect.BottomRight());
  rect = TRect(top_left.X, top_left.Y, bottom_right.X, bottom_right.Y);
}

void TlxPopupWindow::InheritOwnerFont() {
  if (TControl* owner = OwnerControl())
    SetFont(owner->Font());
}

void TlxPopupWindow::DrawFrame() {
  const TRect bounds(0, 0, Width(), Height());
  TlxCanvas& canvas = *lx_canvas_;
  switch (frame_style_) {
    case pfsNone:
      break;
    case pfsLine:
      canvas.FrameRectSides(bounds, FrameLineColor, 1,
                            lxFrameSideLeft | lxFrameSideTop | lxFrameSideRight | lxFrameSideBottom);
      break;
    case pfsEdge:
      canvas.DrawTwoColorFrame(bounds, clBtnHighlight, clBtnShadow, lxAllBorders, 1);
      break;
    case pfsDoubleEdge:
      canvas.DrawTwoColorFrame(bounds, cl3DLight, cl3DDkShadow, lxAllBorders, 1);
      canvas.DrawTwoColorFrame(bounds.Inflate(-1, -1), clBtnHighlight, clBtnShadow, lxAllBorders, 1);
      break;
  }
}

void TlxPopupWindow::ClosePopup() { Hide(); }

void TlxPopupWindow::OpenPopup() {
  InheritOwnerFont();
  CalcSize();
  TPoint position;
  CalcPosition(position);
  SetBounds(position.X, position.Y, Width(), Height());
  Show();
}

void TlxPopupWindow::RemoveBorderOffsets() {
  const int32_t left_border = GetBorderWidth(0);
  const int32_t top_border = GetBorderWidth(1);
  for (int32_t index = 0; index < ControlCount(); ++index) {
    TControl* child = Controls(index);
    child->SetBounds(child->Left() - left_border, child->Top() - top_border, child->Width(), child->Height());
  }
}

void TlxPopupWindow::WndProc(TMessage& message) {
  if (message.Msg != WM_ACTIVATEAPP) {
    TForm::WndProc(message);
    return;
  }
  const TAliveToken alive = AliveToken();
  TForm::WndProc(message);
  if (!alive.Alive() || message.WParam != 0)
    return;
  if (previous_active_window_ != nullptr && IsWindow(previous_active_window_))
    SendMessageA(previous_active_window_, WM_NCACTIVATE, FALSE, 0);
  ClosePopup();
}

void TlxPopupWindow::WMActivate(TMessage& message) {
  const TAliveToken alive = AliveToken();
  TForm::WMActivate(message);
  if (!alive.Alive() || LOWORD(message.WParam) == WA_INACTIVE)
    return;
  // The form that lost the activation keeps its active caption: to the
  // user the popup is part of it.
  previous_active_window_ = reinterpret_cast<HWND>(message.LParam);
  if (previous_active_window_ != nullptr)
    SendMessageA(previous_active_window_, WM_NCACTIVATE, TRUE, 0);
}

void TlxPopupWindow::CMVisibleChanged(TMessage& message) {
  TForm::CMVisibleChanged(message);
  VisibleChanged();
}

void TlxPopupWindow::Deactivate() {
  const TAliveToken alive = AliveToken();
  TForm::Deactivate();
  if (alive.Alive())
    ClosePopup();
}

void TlxPopupWindow::Paint() {
  TForm::Paint();
  DrawFrame();
}
