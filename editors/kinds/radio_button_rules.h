#pragma once
// The geometry and mouse state of the library's radio button, without a
// window: where the round glyph sits, how far the caption keeps from it,
// where the focus frame may reach and which state the mouse gives.
// Portable; radio_button_win.h applies them.

#include <cstdint>

#include "ui/foundation/geometry/geometry.h"
#include "ui/foundation/painters/painter_types.h"

// The radio button's own state numbers.
enum TlxRadioButtonState : uint8_t { rbsDisabled, rbsHot, rbsNormal, rbsPressed };

TlxButtonState lxRadioButtonPainterState(TlxRadioButtonState state);

// Which side of the glyph the caption takes.
enum class TlxRadioCaptionSide : uint8_t { kLeft, kRight };

struct TlxRadioButtonLook {
  TSize ControlSize;
  TlxRadioCaptionSide CaptionSide = TlxRadioCaptionSide::kRight;
  bool NativeStyle = false;
  bool Inplace = false;
  bool WordWrap = false;
};

// The glyph's rectangle, vertically centred on the caption's far side.
TRect lxRadioButtonRect(const TlxRadioButtonLook& look, const TSize& glyph_size);
// `rect` moved in by the caption margins.
void lxAdjustRadioTextRect(const TlxRadioButtonLook& look, TRect& rect);
// The caption's rectangle: the client cut at the glyph, then the margins.
TRect lxRadioTextRect(const TlxRadioButtonLook& look, const TRect& button_rect);
// The focus frame around the measured caption, kept inside the control
// and, with the caption on the left, out of the glyph.
TRect lxRadioFocusRect(const TlxRadioButtonLook& look, const TRect& caption_extent, const TRect& button_rect);

struct TlxRadioMouse {
  bool Enabled = true;
  bool Designing = false;
  bool HasCapture = false;
  bool ShiftEmpty = true;
  TPoint Point;
};
TlxRadioButtonState lxRadioButtonStateOf(const TlxRadioMouse& mouse, const TSize& control_size);
