#include "platform/toolkit/panel.h"

#include <algorithm>

void Frame3D(TCanvas& canvas, TRect& rect, TColor top_left, TColor bottom_right, int32_t width) {
  canvas.Pen().SetWidth(1);
  for (int32_t ring = 0; ring < width && !rect.IsEmpty(); ++ring) {
    const int32_t right = rect.Right - 1;
    const int32_t bottom = rect.Bottom - 1;
    canvas.Pen().SetColor(top_left);
    canvas.Polyline({TPoint(rect.Left, bottom), TPoint(rect.Left, rect.Top), TPoint(right, rect.Top)});
    canvas.Pen().SetColor(bottom_right);
    canvas.Polyline({TPoint(right, rect.Top), TPoint(right, bottom), TPoint(rect.Left - 1, bottom)});
    rect = rect.Inflate(-1, -1);
  }
}

namespace {

// The colours of a bevel: raised is light above, lowered dark.
void DrawBevel(TCanvas& canvas, TRect& rect, TBevelCut cut, int32_t width) {
  if (cut == bvNone)
    return;
  if (cut == bvSpace) {
    rect = rect.Inflate(-width, -width);
    return;
  }
  const bool raised = cut == bvRaised;
  Frame3D(canvas, rect, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, width);
}

int32_t BevelExtent(TBevelCut cut, int32_t width) { return cut == bvNone ? 0 : width; }

}  // namespace

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
  ControlStyle() = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                 csDoubleClicks};
}

TRect TCustomPanel::InnerRect() {
  TRect rect = ClientRect();
  const int32_t frame = BevelExtent(bevel_outer_, bevel_width_) + border_width_ + BevelExtent(bevel_inner_, bevel_width_);
  return rect.Inflate(-frame, -frame);
}

void TCustomPanel::AdjustClientRect(TRect& rect) {
  TCustomControl::AdjustClientRect(rect);
  const int32_t frame = BevelExtent(bevel_outer_, bevel_width_) + border_width_ + BevelExtent(bevel_inner_, bevel_width_);
  rect = rect.Inflate(-frame, -frame);
}

void TCustomPanel::Paint() {
  TCanvas& canvas = Canvas();
  TRect rect = ClientRect();
  DrawBevel(canvas, rect, bevel_outer_, bevel_width_);
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Color());
  // The border ring shows the panel's colour.
  canvas.FillRect(rect);
  rect = rect.Inflate(-border_width_, -border_width_);
  DrawBevel(canvas, rect, bevel_inner_, bevel_width_);
  const std::string caption = Caption();
  if (caption.empty())
    return;
  canvas.SetFont(Font());
  canvas.Brush().SetStyle(bsClear);
  TTextFormat format{tfSingleLine, tfVerticalCenter};
  format.Include(alignment_ == taCenter ? tfCenter : alignment_ == taRightJustify ? tfRight : tfLeft);
  canvas.TextRect(rect, caption, format);
}

void TCustomPanel::FrameChanged() {
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
  if (value == bevel_inner_)
    return;
  bevel_inner_ = value;
  FrameChanged();
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
  if (value == bevel_outer_)
    return;
  bevel_outer_ = value;
  FrameChanged();
}

void TCustomPanel::SetBevelWidth(int32_t value) {
  value = std::max(value, 1);
  if (value == bevel_width_)
    return;
  bevel_width_ = value;
  FrameChanged();
}

void TCustomPanel::SetPanelBorderWidth(int32_t value) {
  value = std::max(value, 0);
  if (value == border_width_)
    return;
  border_width_ = value;
  FrameChanged();
}

void TCustomPanel::SetAlignment(TAlignment value) {
  if (value == alignment_)
    return;
  alignment_ = value;
  Invalidate();
}

void TCustomPanel::CMTextChanged(TMessage& message) {
  TCustomControl::CMTextChanged(message);
  Invalidate();
}
