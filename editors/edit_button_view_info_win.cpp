#include "editors/edit_button_view_info_win.h"

#include <algorithm>

#include "editors/edit_paint_rules.h"
#include "editors/edit_paint_utils_win.h"

void TlxEditButtonViewInfo::CopyFrom(const TlxEditButtonViewInfo& source) {
  NativeState = source.NativeState;
  BackgroundColor = source.BackgroundColor;
  Bounds = source.Bounds;
  VisibleBounds = source.VisibleBounds;
  Style = source.Style;
  State = source.State;
}

bool TlxEditButtonViewInfo::DiffersFrom(const TlxEditButtonViewInfo& old) const {
  return Style != old.Style || State != old.State || BackgroundColor != old.BackgroundColor ||
         NativeState != old.NativeState;
}

bool TlxEditButtonViewInfo::InvalidateIfChanged(HWND window, const TlxEditButtonViewInfo& old,
                                                const TPoint& offset) const {
  if (!DiffersFrom(old))
    return false;
  const RECT area = TRect(Bounds).Offset(offset.X, offset.Y);
  InvalidateRect(window, &area, !Transparent);
  return true;
}

int32_t lxGetEditButtonContentTopOffset(TlxEditButtonStyle style) {
  constexpr int32_t kOffsets[] = {0, 4, 2, 2, 2, 2, 2};
  return style <= btsOffice11 ? kOffsets[style] : 0;
}

int32_t lxCalcEditButtonWidth(TlxCanvas& canvas, const TlxEditButtonViewInfo& button) {
  const int32_t margin = kLxEditButtonContentMargin;
  if (button.Width >= 1)
    return std::max(button.Width, margin);
  if (button.Kind == bkGlyph && lxIsBitmapUsable(button.Glyph))
    return button.Glyph->Width() + margin;
  const int32_t arrow_height = GetSystemMetrics(SM_CYHSCROLL);
  if (button.Kind == bkText)
    return std::max(arrow_height, margin + canvas.MeasureTextWidth(button.DisplayCaption) + 3);
  return arrow_height;
}

TPoint lxCenterInButton(const TSize& size, bool pressed, const TRect& content) {
  TPoint origin(content.Left + (content.Width() - size.cx) / 2, content.Top + (content.Height() - size.cy) / 2);
  if (pressed && origin.X + 1 + size.cx <= content.Right && origin.Y + 1 + size.cy <= content.Bottom) {
    ++origin.X;
    ++origin.Y;
  }
  return origin;
}

void lxDrawButtonEllipsis(TlxCanvas& canvas, const TRect& content, bool pressed, bool enabled, TColor color) {
  const int32_t dot = content.Width() > 11 ? 2 : 1;
  constexpr int32_t kGap = 2;
  const TSize size{dot * 3 + kGap * 2, dot};
  const TPoint origin = lxCenterInButton(size, pressed, content);
  const auto dots = [&](int32_t dx, int32_t dy, TColor dot_color) {
    for (int32_t i = 0; i < 3; ++i) {
      const int32_t left = origin.X + dx + i * (dot + kGap);
      lxFillRectWithColor(canvas, TRect(left, origin.Y + dy, left + dot, origin.Y + dy + dot), dot_color);
    }
  };
  if (enabled) {
    dots(0, 0, color);
    return;
  }
  dots(1, 1, clBtnHighlight);
  dots(0, 0, clBtnShadow);
}

void lxDrawComboDropArrow(TlxCanvas& canvas, const TRect& content, const TRect& bounds, bool inplace,
                          bool pressed, bool enabled, TColor color) {
  // Centred over the whole button, not only its content: the frame of a
  // pressed button is thinner on one side.
  TRect area = content;
  const auto centre = [pressed](int32_t& low, int32_t& high, int32_t outer_low, int32_t outer_high) {
    const int32_t difference = (outer_high - outer_low) - (high - low);
    if (difference <= 0)
      return;
    low = outer_low + difference / 2;
    high = outer_high - difference / 2;
    if (difference % 2 != 0) {
      if (pressed)
        --high;
      else
        ++low;
    } else if (pressed) {
      ++low;
      ++high;
    }
  };
  centre(area.Left, area.Right, bounds.Left, bounds.Right);
  if (inplace)
    centre(area.Top, area.Bottom, bounds.Top, bounds.Bottom);
  const TSize glyph = lxCalcArrowGlyphSize(TSize{content.Width() / 2, content.Height() / 2}, adDown);
  const int32_t rows = std::max(1, glyph.cy);
  if (enabled) {
    lxDrawArrowGlyph(canvas, rows, area, color, pressed, false, adDown);
    return;
  }
  lxDrawArrowGlyph(canvas, rows, area.Offset(1, 1), clBtnHighlight, false, false, adDown);
  lxDrawArrowGlyph(canvas, rows, area, clBtnShadow, false, false, adDown);
}

void lxDrawButtonGlyph(TlxCanvas& canvas, const TRect& content, const TlxEditButtonViewInfo& button, bool pressed) {
  if (!lxIsBitmapUsable(button.Glyph))
    return;
  // A picture larger than the content is centred on the part that fits and
  // cut by the clip the caller set.
  const TSize size{std::min(button.Glyph->Width(), content.Width()), std::min(button.Glyph->Height(), content.Height())};
  TPoint origin = lxCenterInButton(size, pressed, content);
  origin.X -= (button.Glyph->Width() - size.cx) / 2;
  origin.Y -= (button.Glyph->Height() - size.cy) / 2;
  lxDrawEditGlyph(canvas, origin.X, origin.Y, clNone, button.State != kLxButtonStateDisabled, *button.Glyph);
}

void lxDrawButtonText(TlxCanvas& canvas, const TRect& content, const TlxEditButtonViewInfo& button, bool pressed,
                      TColor color, bool stand_alone) {
  TRect area(content.Left + 1, content.Top, content.Right - 2, content.Bottom);
  if (stand_alone) {
    ++area.Top;
    --area.Bottom;
  }
  if (pressed)
    area = area.Offset(1, 1);
  TlxCanvasTextFlags flags = lxtfCenterY | lxtfSingleLine | lxtfShowPrefix | lxtfEndEllipsis;
  flags |= button.ContentAlignment == taLeftJustify    ? lxtfLeft
           : button.ContentAlignment == taRightJustify ? lxtfRight
                                                        : lxtfCenterX;
  canvas.Brush().SetStyle(bsClear);
  if (button.State == kLxButtonStateDisabled) {
    canvas.Font().SetColor(clBtnHighlight);
    canvas.DrawTextInRect(button.Caption, area.Offset(1, 1), flags);
    canvas.Font().SetColor(clBtnShadow);
  } else {
    canvas.Font().SetColor(color);
  }
  canvas.DrawTextInRect(button.Caption, area, flags);
}
