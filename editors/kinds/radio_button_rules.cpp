#include "editors/kinds/radio_button_rules.h"

#include <algorithm>

TlxButtonState lxRadioButtonPainterState(TlxRadioButtonState state) {
  switch (state) {
    case rbsDisabled:
      return lxbsDisabled;
    case rbsHot:
      return lxbsHot;
    case rbsPressed:
      return lxbsPressed;
    default:
      return lxbsNormal;
  }
}

TRect lxRadioButtonRect(const TlxRadioButtonLook& look, const TSize& glyph_size) {
  const int32_t top = (look.ControlSize.cy - glyph_size.cy) / 2;
  if (look.CaptionSide == TlxRadioCaptionSide::kRight) {
    const int32_t left = look.NativeStyle || look.Inplace ? 0 : 1;
    return TRect(left, top, left + glyph_size.cx, top + glyph_size.cy);
  }
  return TRect(look.ControlSize.cx - glyph_size.cx, top, look.ControlSize.cx, top + glyph_size.cy);
}

void lxAdjustRadioTextRect(const TlxRadioButtonLook& look, TRect& rect) {
  const bool left = look.CaptionSide == TlxRadioCaptionSide::kLeft;
  TRect margins;
  if (look.Inplace)
    margins = look.NativeStyle ? TRect(3, 0, 0, 0) : TRect(5, 0, 1, 0);
  else if (!look.NativeStyle)
    margins = left ? TRect(2, -1, look.WordWrap ? 6 : 1, 0) : TRect(5, -1, look.WordWrap ? 2 : 0, 0);
  else
    margins = left ? TRect(0, -1, look.WordWrap ? 3 : 1, 0) : TRect(3, -1, 0, 0);
  rect.Left += margins.Left;
  rect.Top += margins.Top;
  rect.Right -= margins.Right;
  rect.Bottom -= margins.Bottom;
}

TRect lxRadioTextRect(const TlxRadioButtonLook& look, const TRect& button_rect) {
  TRect rect(0, 0, look.ControlSize.cx, look.ControlSize.cy);
  if (look.CaptionSide == TlxRadioCaptionSide::kRight)
    rect.Left = button_rect.Right;
  else
    rect.Right = button_rect.Left;
  lxAdjustRadioTextRect(look, rect);
  return rect;
}

TRect lxRadioFocusRect(const TlxRadioButtonLook& look, const TRect& caption_extent, const TRect& button_rect) {
  TRect rect = caption_extent.Inflate(1, 1);
  rect.Bottom += 1;
  const int32_t width = look.ControlSize.cx;
  const int32_t height = look.ControlSize.cy;
  if (look.Inplace) {
    rect.Top = std::max(rect.Top, 1);
    rect.Bottom = std::min(rect.Bottom, height - 1);
    rect.Right = std::min(rect.Right, width);
    return rect;
  }
  rect.Left = std::max(rect.Left, 0);
  rect.Top = std::max(rect.Top, 0);
  rect.Right = std::min(rect.Right, width);
  rect.Bottom = std::min(rect.Bottom, height);
  if (look.CaptionSide == TlxRadioCaptionSide::kLeft)
    rect.Right = std::min(rect.Right, button_rect.Left);
  return rect;
}

TlxRadioButtonState lxRadioButtonStateOf(const TlxRadioMouse& mouse, const TSize& control_size) {
  if (!mouse.Enabled)
    return rbsDisabled;
  if (mouse.Designing)
    return rbsNormal;
  const bool inside = TRect(0, 0, control_size.cx, control_size.cy).Contains(mouse.Point);
  if (mouse.HasCapture)
    return inside ? rbsPressed : rbsHot;
  return inside && mouse.ShiftEmpty ? rbsHot : rbsNormal;
}
