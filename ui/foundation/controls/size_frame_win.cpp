#include "ui/foundation/controls/size_frame_win.h"

#include "platform/toolkit/gdi_holders.h"

namespace {

// Black and white pixels in turn: the frame stays visible on any colour.
std::unique_ptr<TBitmap> MakeCheckerPattern() {
  auto pattern = std::make_unique<TBitmap>(8, 8);
  TCanvas& canvas = pattern->Canvas();
  for (int32_t y = 0; y < 8; ++y)
    for (int32_t x = 0; x < 8; ++x)
      canvas.SetPixel(x, y, (x + y) % 2 == 0 ? clBlack : clWhite);
  return pattern;
}

}  // namespace

TlxSizeFrame::TlxSizeFrame(int32_t frame_width)
    : TlxCustomDragImage(nullptr),
      frame_width_(frame_width),
      frame_region_(TlxRegion::Create()),
      pattern_(MakeCheckerPattern()) {
  SetAlphaBlend(false);
  Canvas().Brush().SetBitmap(pattern_.get());
}

TlxSizeFrame::~TlxSizeFrame() { Canvas().Brush().SetBitmap(nullptr); }

void TlxSizeFrame::SetFrameBounds(const TRect& rect) {
  frame_region_ = TlxRegion::CreateFromBounds(0, 0, rect.Width(), rect.Height());
  SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
}

void TlxSizeFrame::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  TlxCustomDragImage::SetBounds(left, top, width, height);
  // The base constructor sets bounds before the region exists.
  if (frame_region_ == nullptr || WindowHandle() == nullptr)
    return;
  const int64_t both_sides = 2 * int64_t{frame_width_};
  if (both_sides < width && both_sides < height) {
    CutFrameRegion();
    ApplyFrameRegion();
  }
}

void TlxSizeFrame::CutFrameRegion() {
  // The inside: the region shrunk by the frame width on every side, as the
  // overlap of itself moved by the width in the four directions.
  TlxRegion inner;
  inner.CombineWith(*frame_region_, roSet);
  const int32_t w = frame_width_;
  for (const TPoint shift : {TPoint(w, 0), TPoint(0, w), TPoint(-w, 0), TPoint(0, -w)}) {
    TlxRegion shifted;
    shifted.CombineWith(inner, roSet);
    shifted.Shift(shift.X, shift.Y);
    inner.CombineWith(shifted, roIntersect);
  }
  frame_region_->CombineWith(inner, roSubtract);
}

void TlxSizeFrame::ApplyFrameRegion() {
  HWND window = WindowHandle();
  TOwnedRegion current(CreateRectRgn(0, 0, 0, 0));
  const bool has_region = GetWindowRgn(window, current.Get()) != ERROR;
  if (has_region && frame_region_->SameAsHandle(current.Get()))
    return;
  TOwnedRegion applied(CreateRectRgn(0, 0, 0, 0));
  CombineRgn(applied.Get(), frame_region_->Handle(), nullptr, RGN_COPY);
  // The window owns the region once it took it.
  if (SetWindowRgn(window, applied.Get(), TRUE) != 0)
    static_cast<void>(applied.Release());
}

void TlxSizeFrame::Paint() { Canvas().FillRect(ClientRect()); }
