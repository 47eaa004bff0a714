#pragma once
// The calculated picture of one editor button: where it sits, how it looks
// in the editor's current state, and the routines that measure it and draw
// its content (the frames belong to the editor's view info).

#include <windows.h>

#include <cstdint>
#include <string>

#include "editors/edit_buttons.h"
#include "editors/edit_style_types.h"
#include "platform/rtl/geometry.h"
#include "platform/toolkit/bitmap.h"
#include "ui/foundation/canvas/canvas_win.h"

// Button states.
inline constexpr uint8_t kLxButtonStateDisabled = 0;
inline constexpr uint8_t kLxButtonStateNormal = 1;
inline constexpr uint8_t kLxButtonStatePressed = 2;
inline constexpr uint8_t kLxButtonStateHot = 3;

class TlxEditButtonViewInfo : public TObject {
 public:
  static constexpr TClass kClass{"TlxEditButtonViewInfo", &TObject::kClass,
                                 &ConstructInstance<TlxEditButtonViewInfo>};
  const TClass* ClassType() const override { return &kClass; }

  // Copies what decides the look: native state, background colour, bounds,
  // style and state.
  virtual void CopyFrom(const TlxEditButtonViewInfo& source);
  // True when the look differs from `old` (so the bounds need repainting).
  virtual bool DiffersFrom(const TlxEditButtonViewInfo& old) const;
  // Invalidates the bounds moved by `offset` in `window` when the look
  // differs from `old`; says whether it did.
  virtual bool InvalidateIfChanged(HWND window, const TlxEditButtonViewInfo& old, const TPoint& offset) const;

  TRect Bounds;
  TRect VisibleBounds;
  TColor BackgroundColor = clBtnFace;
  std::string Caption;
  std::string DisplayCaption;
  TAlignment ContentAlignment = taCenter;
  bool Default = false;
  bool Gradient = false;
  bool Inplace = false;
  TlxEditButtonKind Kind = bkDown;
  bool LeftAlignment = false;
  bool LeftEnd = false;
  bool RightEnd = false;
  bool NativeStyle = false;
  uint8_t State = kLxButtonStateNormal;
  TlxEditButtonStyle Style = bts3D;
  TColor TextColor = clBtnText;
  bool Transparent = false;
  bool ThemedBackgroundPartlyTransparent = false;
  bool SingleDropDown = false;
  int32_t NativePart = 0;
  int32_t NativeState = 0;
  int32_t ButtonIndex = -1;
  bool Stretchable = true;
  // Own width or the default-width callback's; 0 measures the content.
  int32_t Width = 0;
  // The button's picture (owned by the button), or null.
  TBitmap* Glyph = nullptr;
};

// The vertical room a button style takes around its content: 0, 4, 2, 2,
// 2, 2, 2 from btsDefault.
int32_t lxGetEditButtonContentTopOffset(TlxEditButtonStyle style);
// The horizontal room around a button's content.
inline constexpr int32_t kLxEditButtonContentMargin = 4;
// The width a button takes: a set width (never below the margin), else by
// its content.
int32_t lxCalcEditButtonWidth(TlxCanvas& canvas, const TlxEditButtonViewInfo& button);

// Centres `size` in `content` (halves truncated); pressed moves it one
// pixel right and down when it still fits.
TPoint lxCenterInButton(const TSize& size, bool pressed, const TRect& content);

// The content drawers.
void lxDrawButtonEllipsis(TlxCanvas& canvas, const TRect& content, bool pressed, bool enabled, TColor color);
void lxDrawComboDropArrow(TlxCanvas& canvas, const TRect& content, const TRect& bounds, bool inplace,
                          bool pressed, bool enabled, TColor color);
// The button's picture centred in `content` and cut to it, in the disabled
// look for a disabled button; the face under it shows through.
void lxDrawButtonGlyph(TlxCanvas& canvas, const TRect& content, const TlxEditButtonViewInfo& button, bool pressed);
void lxDrawButtonText(TlxCanvas& canvas, const TRect& content, const TlxEditButtonViewInfo& button, bool pressed,
                      TColor color, bool stand_alone);
