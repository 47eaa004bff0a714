#include "platform/toolkit/bevel.h"

#include "platform/toolkit/canvas.h"
#include "platform/toolkit/color.h"

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) { SetBounds(Left(), Top(), 50, 50); }

void TBevel::SetShape(TBevelShape value) {
  if (value == shape_)
    return;
  shape_ = value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle value) {
  if (value == style_)
    return;
  style_ = value;
  Invalidate();
}

void TBevel::Paint() {
  if (shape_ == bsSpacer)
    return;
  TCanvas& canvas = Canvas();
  // A lowered bevel is etched: shadow first, highlight one pixel off.
  const TColor first = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
  const TColor second = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
  const TRect rect = ClientRect();
  const int32_t right = rect.Right - 1;
  const int32_t bottom = rect.Bottom - 1;
  auto line = [&canvas](TColor color, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    canvas.Pen().SetColor(color);
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
  };
  switch (shape_) {
    case bsTopLine:
      line(first, 0, 0, rect.Right, 0);
      line(second, 0, 1, rect.Right, 1);
      break;
    case bsBottomLine:
      line(first, 0, bottom - 1, rect.Right, bottom - 1);
      line(second, 0, bottom, rect.Right, bottom);
      break;
    case bsLeftLine:
      line(first, 0, 0, 0, rect.Bottom);
      line(second, 1, 0, 1, rect.Bottom);
      break;
    case bsRightLine:
      line(first, right - 1, 0, right - 1, rect.Bottom);
      line(second, right, 0, right, rect.Bottom);
      break;
    case bsBox:
      line(first, 0, bottom, 0, 0);
      line(first, 0, 0, right, 0);
      line(second, right, 0, right, bottom);
      line(second, right, bottom, 0, bottom);
      break;
    case bsFrame:
      line(first, 0, bottom - 1, 0, 0);
      line(first, 0, 0, right - 1, 0);
      line(first, right - 1, 0, right - 1, bottom - 1);
      line(first, right - 1, bottom - 1, 0, bottom - 1);
      line(second, 1, bottom - 1, 1, 1);
      line(second, 1, 1, right, 1);
      line(second, right, 0, right, bottom);
      line(second, right, bottom, 0, bottom);
      break;
    case bsSpacer:
      break;
  }
}
