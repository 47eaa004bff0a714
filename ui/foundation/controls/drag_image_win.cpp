#include "ui/foundation/controls/drag_image_win.h"

#include "platform/toolkit/screen.h"

bool lxLayeredWindowsAvailable() {
  static const bool available = [] {
    HMODULE user32 = GetModuleHandleA("USER32");
    return user32 != nullptr && GetProcAddress(user32, "SetLayeredWindowAttributes") != nullptr;
  }();
  return available;
}

// --- TlxCustomDragImage --------------------------------------------------------------

TlxCustomDragImage::TlxCustomDragImage(TComponent* owner) : TlxPopupWindow(owner) {
  SetBounds(0, 0, 0, 0);
  SetAlphaBlend(true);
  SetAlphaBlendValue(kAlphaBlendValue);
}

bool TlxCustomDragImage::UsesAlphaBlend() const { return AlphaBlend() && lxLayeredWindowsAvailable(); }

bool TlxCustomDragImage::IsShowing() const {
  return WindowHandle() != nullptr && IsWindowVisible(WindowHandle()) != FALSE;
}

void TlxCustomDragImage::SetShown(bool shown) {
  if (shown == IsShowing())
    return;
  if (shown)
    Show();
  else
    Hide();
}

void TlxCustomDragImage::Show() {
  ShowWindow(Handle(), SW_SHOWNA);
  UpdateWindow(Handle());
}

void TlxCustomDragImage::Hide() {
  if (WindowHandle() != nullptr)
    ShowWindow(WindowHandle(), SW_HIDE);
}

void TlxCustomDragImage::Prepare(const TRect& rect, const TPoint& hot_point) {
  SetBounds(Left(), Top(), rect.Width(), rect.Height());
  hot_point_offset_ = TPoint(hot_point.X - rect.Left, hot_point.Y - rect.Top);
}

void TlxCustomDragImage::MoveTo(const TPoint& point) {
  HandleNeeded();
  SetBounds(point.X - hot_point_offset_.X, point.Y - hot_point_offset_.Y, Width(), Height());
}

void TlxCustomDragImage::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_ERASEBKGND:
      message.Result = 1;
      return;
    case WM_NCHITTEST:
      message.Result = HTTRANSPARENT;
      return;
    default:
      TlxPopupWindow::WndProc(message);
  }
}

void TlxCustomDragImage::CreateParams(TCreateParams& params) {
  TlxPopupWindow::CreateParams(params);
  TCustomForm* host = HostForm();
  if (host == nullptr)
    host = Screen->ActiveForm();
  if (host != nullptr && host != this)
    params.WndParent = host->Handle();
  params.WindowClass.style |= CS_SAVEBITS;
}

// --- TlxDragImage --------------------------------------------------------------------

TlxDragImage::TlxDragImage(TComponent* owner)
    : TlxCustomDragImage(owner),
      bitmap_(std::make_unique<TBitmap>()),
      bitmap_canvas_(std::make_unique<TlxCanvas>(bitmap_->Canvas())) {}

TlxDragImage::~TlxDragImage() {
  // The canvas wrapper goes before the bitmap it draws on.
  bitmap_canvas_.reset();
}

void TlxDragImage::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  TlxCustomDragImage::SetBounds(left, top, width, height);
  // The base constructor sets bounds before the bitmap exists.
  if (bitmap_ != nullptr)
    bitmap_->SetSize(Width(), Height());
}

void TlxDragImage::Paint() {
  TlxCustomDragImage::Paint();
  Canvas().Draw(0, 0, bitmap_.get());
}
