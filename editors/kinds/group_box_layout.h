#pragma once
// Where a group box puts its caption: thirteen positions around and in the
// middle of its frame, side captions turned by a quarter, and the panel
// mode's placement inside the frame. Portable.

#include <cstdint>

#include "ui/foundation/geometry/geometry.h"

// Shared by the group box, the button group and the radio group.
enum TlxCaptionAlignment : uint8_t {
  alTopLeft,
  alTopCenter,
  alTopRight,
  alBottomLeft,
  alBottomCenter,
  alBottomRight,
  alLeftTop,
  alLeftCenter,
  alLeftBottom,
  alRightTop,
  alRightCenter,
  alRightBottom,
  alCenterCenter
};

enum class TlxCaptionSide : uint8_t { kTop, kBottom, kLeft, kRight, kNone };

TlxCaptionSide lxCaptionSideOf(TlxCaptionAlignment alignment);
bool lxIsSideCaption(TlxCaptionAlignment alignment);

// The caption's band outside panel mode: `caption` is the caption's
// extent along its reading direction (w) and across it (h); `shadow` the
// width of the frame's shadow (3 or 0).
TRect lxGroupBoxCaptionRect(TlxCaptionAlignment alignment, const TSize& caption, const TSize& control,
                            int32_t shadow);
// How far the caption moves the frame in on its side: half the "Qq"
// height, plus one at the top or bottom; nothing in the middle.
TRect lxGroupBoxCaptionBorderExtent(TlxCaptionAlignment alignment, int32_t text_height);

constexpr int32_t kLxMinPanelCaptionIndent = 2;

// Panel mode: the caption placed inside the frame's content rectangle (the
// panel moved in by the border and, on the caption's sides, the indent),
// clipped to it.
TRect lxPanelCaptionRect(TlxCaptionAlignment alignment, const TRect& panel, int32_t border_width,
                         int32_t caption_indent, const TSize& text);
// The content rectangle of panel mode.
TRect lxPanelContentRect(TlxCaptionAlignment alignment, const TRect& panel, int32_t border_width,
                         int32_t caption_indent);
