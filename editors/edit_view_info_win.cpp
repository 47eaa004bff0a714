#include "editors/edit_view_info_win.h"

#include <algorithm>

#include "editors/container_routines_win.h"
#include "editors/edit_paint_utils_win.h"
#include "editors/edit_properties.h"
#include "editors/solid_brush_cache_win.h"
#include "platform/toolkit/gdi_holders.h"
#include "ui/foundation/colors/gradient_win.h"
#include "ui/foundation/system/desktop_composition_win.h"
#include "ui/foundation/themes/theme_manager_win.h"
#include "ui/foundation/themes/visual_styles_win.h"

namespace {

void MoveRect(TRect& rect, int32_t dx, int32_t dy) { rect = rect.Offset(dx, dy); }

void InvalidateArea(HWND window, const TRect& rect) {
  const RECT area = rect;
  InvalidateRect(window, &area, TRUE);
}

// A change of state or colour repaints the whole picture (border and
// buttons included), limited to `limit` when the caller gives one.
void InvalidatePicture(HWND window, const TlxCustomEditViewInfo& info, const TRect& limit) {
  InvalidateArea(window, limit.IsEmpty() ? info.Bounds : info.Bounds.Intersect(limit));
}

}  // namespace

// --- TlxCustomEditViewInfo -----------------------------------------------------------

TlxContainerBorderStyle TlxCustomEditViewInfo::GetActualBorderStyle() const {
  return static_cast<TlxContainerBorderStyle>(EditBorderStyle);
}

void TlxCustomEditViewInfo::RenderFrame(TlxCanvas& canvas) { lxDrawEditBackgroundAndBorder(canvas, *this, true, 0); }

void TlxCustomEditViewInfo::Draw(TlxCanvas& canvas) {
  if (OnPaint)
    OnPaint(*this, canvas);
  TlxContainerViewInfo::Draw(canvas);
}

void TlxCustomEditViewInfo::TakeStateFrom(const TlxContainerViewInfo* other) {
  TlxContainerViewInfo::TakeStateFrom(other);
  const auto* old = dynamic_cast<const TlxCustomEditViewInfo*>(other);
  if (old == nullptr)
    return;
  BackgroundColor = old->BackgroundColor;
  BorderColor = old->BorderColor;
  EditBorderStyle = old->EditBorderStyle;
  ContainerState = old->ContainerState;
  ThemedState = old->ThemedState;
  SetButtonCount(old->ButtonCount());
  for (int32_t i = 0; i < old->ButtonCount(); ++i)
    Button(i).CopyFrom(old->Button(i));
  PressedButton = old->PressedButton;
  HotButton = old->HotButton;
}

void TlxCustomEditViewInfo::MoveBy(int32_t dx, int32_t dy) {
  TlxContainerViewInfo::MoveBy(dx, dy);
  MoveRect(InnerEditRect, dx, dy);
  MoveRect(ShadowRect, dx, dy);
  for (auto& button : Buttons) {
    MoveRect(button->Bounds, dx, dy);
    MoveRect(button->VisibleBounds, dx, dy);
  }
}

void TlxCustomEditViewInfo::SetButtonCount(int32_t count) {
  const size_t wanted = static_cast<size_t>(std::max(count, 0));
  Buttons.resize(wanted);
  for (auto& button : Buttons)
    if (button == nullptr)
      button = std::make_unique<TlxEditButtonViewInfo>();
}

bool TlxCustomEditViewInfo::IsPointOnButton(const TPoint& point) const {
  const TPoint local(point.X - Origin.X, point.Y - Origin.Y);
  return std::any_of(Buttons.begin(), Buttons.end(),
                     [&](const auto& button) { return button->Bounds.Contains(local); });
}

bool TlxCustomEditViewInfo::TryCustomDrawBackground(TlxCanvas& canvas) {
  bool handled = false;
  if (Inplace && OnDrawBackground)
    OnDrawBackground(*this, canvas, handled);
  return handled;
}

TlxEditBackgroundDrawMode TlxCustomEditViewInfo::GetBackgroundDrawMode() const {
  const bool transparent = Transparent;
  if (Inplace) {
    if (OnDrawBackground) {
      // The handler claims the drawing only by answering; asking it here
      // would paint, so an assigned handler counts as the claim.
      return ebdmCustom;
    }
    return transparent ? ebdmNothing : ebdmFill;
  }
  if (transparent)
    return ebdmParentImage;
  return NativeStyle ? ebdmFill : ebdmFrame;
}

bool TlxCustomEditViewInfo::HasSpecialBackground() const {
  const TlxEditBackgroundDrawMode mode = GetBackgroundDrawMode();
  return mode != ebdmFrame && mode != ebdmFill;
}

void TlxCustomEditViewInfo::DrawEditBackground(TlxCanvas& canvas, const TRect& rect, bool clip_only_to_rect,
                                               const TRect& exclude) {
  canvas.PushDC();
  if (!clip_only_to_rect)
    canvas.ExcludeFromClip(exclude);
  switch (GetBackgroundDrawMode()) {
    case ebdmCustom:
      canvas.IntersectClip(rect);
      TryCustomDrawBackground(canvas);
      break;
    case ebdmFrame:
      lxDrawEditBackgroundAndBorder(canvas, *this, true, 0);
      break;
    case ebdmFill:
      lxFillRectWithColor(canvas, rect, BackgroundColor);
      break;
    case ebdmParentImage:
    case ebdmParentBackground:
    case ebdmNothing:
      // A window-less picture has no parent to copy from.
      break;
  }
  canvas.PopDC();
}

void TlxCustomEditViewInfo::DrawButtons(TlxCanvas& canvas) {
  if (drawing_buttons_)
    return;
  drawing_buttons_ = true;
  for (int32_t i = 0; i < ButtonCount(); ++i)
    DrawButton(canvas, i);
  drawing_buttons_ = false;
}

void TlxCustomEditViewInfo::DrawButton(TlxCanvas& canvas, int32_t index) {
  TlxEditButtonViewInfo& button = Button(index);
  button.BackgroundColor = BackgroundColor;
  if (button.VisibleBounds.IsEmpty())
    return;
  const bool sticks_out = button.Bounds != button.Bounds.Intersect(BorderRect);
  // The frame and face routines leave the context as they found it; only a
  // clip or a handler's drawing needs the context saved.
  const bool saves_context = sticks_out || OnDrawButton;
  if (saves_context)
    canvas.PushDC();
  if (sticks_out)
    canvas.IntersectClip(button.VisibleBounds);
  bool handled = false;
  if (OnDrawButton)
    OnDrawButton(*this, canvas, handled, index);
  if (!handled)
    PaintButton(canvas, index);
  if (saves_context)
    canvas.PopDC();
}

void TlxCustomEditViewInfo::PaintButton(TlxCanvas& canvas, int32_t index) {
  const TlxEditButtonViewInfo& button = Button(index);
  TColor content_color = clBtnFace;
  TColor text_color = clBtnText;
  TRect bounds = button.Bounds;
  TRect content;
  DrawButtonFrame(canvas, index, content_color, text_color, content, bounds);
  if (!bounds.IsEmpty()) {
    if (button.NativeStyle && button.NativePart != 0)
      DrawThemedButtonBackground(canvas, button, bounds);
    else
      FillButtonBackground(canvas, button, content_color, bounds);
  }
  if (!content.IsEmpty())
    DrawButtonContent(canvas, index, button.State == kLxButtonStatePressed, content_color, text_color, content);
}

namespace {

HTHEME ButtonTheme(const TlxEditButtonViewInfo& button) {
  return lxOpenThemeHandle(button.SingleDropDown ? totComboBox : totButton);
}

}  // namespace

void TlxCustomEditViewInfo::DrawButtonFrameThemed(TlxCanvas& canvas, const TlxEditButtonViewInfo& button,
                                                  TColor& content_color, TColor& text_color, TRect& content,
                                                  TRect& bounds) {
  content_color = BackgroundColor;
  text_color = clBtnText;
  // The drop-down part draws its own arrow.
  if (button.SingleDropDown || OnDrawButton) {
    content = button.SingleDropDown ? TRect() : bounds;
    return;
  }
  RECT inner = bounds;
  const HTHEME theme = lxOpenThemeHandle(totButton);
  if (theme != nullptr)
    lxUxGetThemeBackgroundContentRect(theme, canvas.Handle(), 1, button.NativeState, bounds, inner);
  content = TRect(inner);
}

void TlxCustomEditViewInfo::DrawThemedButtonBackground(TlxCanvas& canvas, const TlxEditButtonViewInfo& button,
                                                       const TRect& rect) {
  const HTHEME theme = ButtonTheme(button);
  if (theme != nullptr)
    lxUxDrawThemeBackground(theme, canvas.Handle(), button.NativePart, button.NativeState, rect);
}

void TlxCustomEditViewInfo::FillEditBackground(TlxCanvas& canvas, bool draw_background, int32_t combo_look) {
  TRect fill = Bounds;
  const HTHEME theme = lxOpenThemeHandle(totEdit);
  if (!Inplace && EditBorderStyle != ebsNone && theme != nullptr) {
    const bool composition = lxIsDesktopCompositionOn();
    const int32_t part = composition ? 6 : 1;
    if (combo_look == 1) {
      fill = Bounds.Inflate(-3, -3);
      fill.Right -= 1;
    } else if (composition) {
      fill = Bounds.Inflate(-2, -2);
    } else {
      RECT content = Bounds;
      lxUxGetThemeBackgroundContentRect(theme, canvas.Handle(), part, ThemedState, Bounds, content);
      fill = TRect(content);
    }
    canvas.PushDC();
    canvas.ExcludeFromClip(fill);
    lxUxDrawThemeBackground(theme, canvas.Handle(), part, ThemedState, Bounds);
    canvas.PopDC();
  }
  if (draw_background && !Transparent)
    lxFillRectWithColor(canvas, fill, BackgroundColor);
}

void TlxCustomEditViewInfo::FillButtonBackground(TlxCanvas& canvas, const TlxEditButtonViewInfo& button,
                                                 TColor color, const TRect& rect) {
  const bool gradient = button.Style == btsOffice11 && button.Gradient && !button.Transparent &&
                        button.State != kLxButtonStateDisabled;
  if (!gradient) {
    lxFillRectWithColor(canvas, rect, color);
    return;
  }
  // The gradient runs over the border rectangle's height, so that buttons
  // of one editor shade alike whatever their own frame left over.
  TRect band(rect.Left, BorderRect.Top, rect.Right, BorderRect.Bottom);
  if (button.State == kLxButtonStateNormal)
    band = band.Inflate(0, -1);
  const TlxGradientColors colors = lxGetOffice11ButtonGradient(button.State);
  canvas.PushDC();
  canvas.IntersectClip(rect);
  lxPaintGradient(canvas.Handle(), band, colors.From, colors.To, false);
  canvas.PopDC();
}

void TlxCustomEditViewInfo::DrawButtonFrame(TlxCanvas& canvas, int32_t index, TColor& content_color,
                                            TColor& text_color, TRect& content, TRect& bounds) {
  const TlxEditButtonViewInfo& button = Button(index);
  TlxEditButtonStyle style = button.Style;
  const bool active = button.State == kLxButtonStatePressed || button.State == kLxButtonStateHot;
  if (style == btsSimple && active)
    style = btsFlat;
  if (button.NativeStyle && button.NativePart != 0) {
    DrawButtonFrameThemed(canvas, button, content_color, text_color, content, bounds);
    return;
  }
  switch (style) {
    case btsFlat:
      DrawButtonFrameFlat(canvas, button, content_color, text_color, content, bounds);
      break;
    case btsHotFlat:
      DrawButtonFrameHotFlat(canvas, button, content_color, text_color, content, bounds);
      break;
    case btsSimple:
      DrawButtonFrameSimple(canvas, button, content_color, text_color, content, bounds);
      break;
    case btsUltraFlat:
    case btsOffice11:
      DrawButtonFrameUltraFlat(canvas, button, content_color, text_color, content, bounds, style == btsOffice11);
      break;
    default:
      DrawButtonFrame3D(canvas, button, content_color, text_color, content, bounds);
      break;
  }
}

namespace {

TColor FaceColor(const TlxEditButtonViewInfo& button) {
  return button.Transparent ? button.BackgroundColor : clBtnFace;
}

}  // namespace

void TlxCustomEditViewInfo::DrawButtonFrame3D(TlxCanvas& canvas, const TlxEditButtonViewInfo& button,
                                              TColor& content_color, TColor& text_color, TRect& content,
                                              TRect& bounds) {
  content_color = FaceColor(button);
  text_color = clBtnText;
  if (button.State == kLxButtonStatePressed) {
    lxDrawFrameAndShrink(canvas, bounds, clBtnShadow);
    lxDrawFrameAndShrink(canvas, bounds, content_color);
  } else {
    lxDrawTwoColorFrameAndShrink(canvas, bounds, cl3DLight, cl3DDkShadow);
    lxDrawTwoColorFrameAndShrink(canvas, bounds, clBtnHighlight, clBtnShadow);
  }
  content = bounds;
}

void TlxCustomEditViewInfo::DrawButtonFrameFlat(TlxCanvas& canvas, const TlxEditButtonViewInfo& button,
                                                TColor& content_color, TColor& text_color, TRect& content,
                                                TRect& bounds) {
  content_color = FaceColor(button);
  text_color = clBtnText;
  lxDrawEdgeLines(canvas, bounds, kLxEdgeLeft, content_color);
  if (button.State == kLxButtonStatePressed)
    lxDrawTwoColorFrameAndShrink(canvas, bounds, clBtnShadow, clBtnHighlight);
  else
    lxDrawTwoColorFrameAndShrink(canvas, bounds, clBtnHighlight, clBtnShadow);
  lxDrawEdgeLines(canvas, bounds, kLxEdgeRight, content_color);
  content = bounds;
}

void TlxCustomEditViewInfo::DrawButtonFrameHotFlat(TlxCanvas& canvas, const TlxEditButtonViewInfo& button,
                                                   TColor& content_color, TColor& text_color, TRect& content,
                                                   TRect& bounds) {
  constexpr TColor kByState[] = {clBtnFace, clBtnFace, clBtnText, clBtnShadow};
  content_color = button.Transparent ? button.BackgroundColor : kByState[std::min<uint8_t>(button.State, 3)];
  const bool next_to_text = button.LeftAlignment ? button.RightEnd : button.LeftEnd;
  if (next_to_text) {
    lxDrawFrameAndShrink(canvas, bounds, clBtnShadow);
  } else {
    const uint32_t towards_text = button.LeftAlignment ? kLxEdgeRight : kLxEdgeLeft;
    lxDrawEdgeLines(canvas, bounds, (kLxEdgeLeft | kLxEdgeTop | kLxEdgeRight | kLxEdgeBottom) & ~towards_text,
                    clBtnShadow);
    lxDrawEdgeLines(canvas, bounds, towards_text, content_color);
  }
  const bool active = button.State == kLxButtonStatePressed || button.State == kLxButtonStateHot;
  text_color = !active                                                    ? clBtnText
               : button.Transparent && button.State == kLxButtonStateHot ? clBtnShadow
                                                                          : clWindow;
  lxDrawEdgeLines(canvas, bounds, kLxEdgeLeft | kLxEdgeRight, content_color);
  content = bounds;
}

void TlxCustomEditViewInfo::DrawButtonFrameSimple(TlxCanvas& canvas, const TlxEditButtonViewInfo& button,
                                                  TColor& content_color, TColor& text_color, TRect& content,
                                                  TRect& bounds) {
  if (!Transparent)
    lxDrawFrameAndShrink(canvas, bounds, button.BackgroundColor);
  else
    bounds = bounds.Inflate(-1, -1);
  content_color = FaceColor(button);
  text_color = clBtnText;
  lxDrawEdgeLines(canvas, bounds, kLxEdgeLeft | kLxEdgeRight, content_color);
  content = bounds;
}

void TlxCustomEditViewInfo::DrawButtonFrameUltraFlat(TlxCanvas& canvas, const TlxEditButtonViewInfo& button,
                                                     TColor& content_color, TColor& text_color, TRect& content,
                                                     TRect& bounds, bool office11) {
  const bool active = button.State == kLxButtonStatePressed || button.State == kLxButtonStateHot;
  if (button.Transparent)
    content_color = button.BackgroundColor;
  else if (button.State == kLxButtonStateDisabled)
    content_color = clBtnFace;
  else if (active)
    content_color = lxGetFlatButtonStateColor(button.State == kLxButtonStatePressed, office11);
  else
    content_color = office11 ? lxGetOffice11ButtonFaceColor() : clBtnFace;
  text_color = clBtnText;
  const TColor highlight = lxGetHighlightBorderColor(office11);
  const bool outer_border = Inplace ? (PaintOptions & 4) != 0 : EditBorderStyle != ebsNone;
  if (!active || !outer_border) {
    if (active)
      lxDrawFrameAndShrink(canvas, bounds, highlight);
    else if (!button.Transparent)
      lxDrawFrameAndShrink(canvas, bounds, button.BackgroundColor);
    else
      bounds = bounds.Inflate(-1, -1);
    content = bounds.Inflate(-1, 0);
    return;
  }
  // Inside a border, a group end or the border's edge takes the border's
  // line, so the highlight goes only where the button meets the text.
  uint32_t sides = 0;
  if (bounds.Left > BorderRect.Left && !button.LeftEnd)
    sides |= kLxEdgeLeft;
  if (bounds.Right < BorderRect.Right && !button.RightEnd)
    sides |= kLxEdgeRight;
  if (bounds.Top > BorderRect.Top)
    sides |= kLxEdgeTop;
  if (bounds.Bottom < BorderRect.Bottom)
    sides |= kLxEdgeBottom;
  lxDrawEdgeLines(canvas, bounds, sides, highlight);
  content = bounds;
}

void TlxCustomEditViewInfo::DrawButtonContent(TlxCanvas& canvas, int32_t index, bool pressed,
                                              TColor /*content_color*/, TColor text_color, const TRect& rect) {
  const TlxEditButtonViewInfo& button = Button(index);
  const bool enabled = button.State != kLxButtonStateDisabled;
  if (button.Kind == bkEllipsis || button.Kind == bkDown) {
    // The glyphs fill rectangles with cached brushes and leave the canvas's
    // font, brush and pen alone: the clip is all there is to put back, and
    // putting back the clip alone costs a grid far less per cell than
    // saving and restoring the whole context.
    const HDC dc = canvas.Handle();
    TOwnedRegion saved(CreateRectRgn(0, 0, 0, 0));
    const bool clipped = GetClipRgn(dc, saved.Get()) == 1;
    canvas.IntersectClip(rect);
    if (button.Kind == bkEllipsis)
      lxDrawButtonEllipsis(canvas, rect, pressed, enabled, text_color);
    else
      lxDrawComboDropArrow(canvas, rect, button.Bounds, Inplace, pressed, enabled, text_color);
    SelectClipRgn(dc, clipped ? saved.Get() : nullptr);
    return;
  }
  canvas.PushDC();
  canvas.IntersectClip(rect);
  switch (button.Kind) {
    case bkEllipsis:
    case bkDown:
      break;
    case bkText: {
      if (Font != nullptr)
        canvas.AssignFont(*Font);
      const bool hot_flat_active =
          button.Style == btsHotFlat && (button.State == kLxButtonStatePressed || button.State == kLxButtonStateHot);
      const TColor color = hot_flat_active              ? text_color
                           : button.TextColor == clDefault ? TextColor
                                                           : button.TextColor;
      lxDrawButtonText(canvas, rect, button, pressed, color, !Inplace);
      break;
    }
    case bkGlyph:
      lxDrawButtonGlyph(canvas, rect, button, pressed);
      break;
  }
  canvas.PopDC();
}

bool TlxCustomEditViewInfo::RepaintChangedInRect(HWND window, const TRect& rect,
                                                 const TlxCustomEditViewInfo* old) const {
  if (window == nullptr)
    return false;
  if (old == nullptr) {
    InvalidatePicture(window, *this, rect);
    return true;
  }
  if (old->ThemedState != ThemedState || old->BackgroundColor != BackgroundColor ||
      (RepaintsOnStateChange() && old->ContainerState != ContainerState) || old->ButtonCount() != ButtonCount()) {
    InvalidatePicture(window, *this, rect);
    return true;
  }
  bool invalidated = false;
  const bool has_border = EditBorderStyle != ebsNone;
  if ((has_border && old->BorderColor != BorderColor) || old->EditBorderStyle != EditBorderStyle) {
    lxInvalidateRectAroundHole(window, Bounds, BorderRect, true);
    invalidated = true;
  }
  for (int32_t i = 0; i < ButtonCount(); ++i)
    invalidated |= Button(i).InvalidateIfChanged(window, old->Button(i), Origin);
  return invalidated;
}

// --- Unit routines -------------------------------------------------------------------

int32_t lxGetEditHitPart(const TPoint& point, const TlxCustomEditViewInfo& view_info) {
  if (view_info.HotButton >= 0)
    return view_info.HotButton;
  return view_info.BorderRect.Contains(point) ? -1 : -2;
}

TRect lxGetEditPartBounds(const TlxCustomEditViewInfo& view_info, int32_t part) {
  if (part == -1) {
    TRect area = view_info.BorderRect;
    if (view_info.ButtonCount() > 0)
      area.Right = std::min(area.Right, view_info.Button(0).Bounds.Left);
    return area;
  }
  if (part >= 0 && part < view_info.ButtonCount())
    return view_info.Button(part).Bounds;
  return {};
}

namespace {

// Cuts off `rect` the buttons that cover full-height strips at its sides.
// False when a button lies anywhere else: then only a clip keeps a fill of
// `rect` off it.
bool CutSideButtons(TRect& rect, const std::vector<std::unique_ptr<TlxEditButtonViewInfo>>& buttons) {
  std::vector<TRect> pending;
  for (const auto& button : buttons)
    if (!button->VisibleBounds.Intersect(rect).IsEmpty())
      pending.push_back(button->VisibleBounds);
  bool cut = true;
  while (cut && !pending.empty()) {
    cut = false;
    for (auto it = pending.begin(); it != pending.end();) {
      const TRect& strip = *it;
      const bool full_height = strip.Top <= rect.Top && strip.Bottom >= rect.Bottom;
      const bool at_left = strip.Left <= rect.Left;
      const bool at_right = strip.Right >= rect.Right;
      if (strip.Intersect(rect).IsEmpty()) {
        it = pending.erase(it);
        continue;
      }
      if (!full_height || (!at_left && !at_right)) {
        ++it;
        continue;
      }
      if (at_left && at_right)
        rect.Right = rect.Left;
      else if (at_left)
        rect.Left = strip.Right;
      else
        rect.Right = strip.Left;
      it = pending.erase(it);
      cut = true;
    }
  }
  return pending.empty();
}

void PaintFrameAndShadow(TlxCanvas& canvas, TlxCustomEditViewInfo& view_info) {
  TRect frame = view_info.BorderRect;
  const int32_t width = view_info.BorderWidth;
  frame.Left -= width;
  frame.Top -= width;
  if (view_info.Edges.Contains(bRight))
    frame.Right += width;
  if (view_info.Edges.Contains(bBottom))
    frame.Bottom += width;
  if (view_info.Shadow)
    lxDrawShadowBand(canvas, frame);
  if (!view_info.Edges.Contains(bRight))
    frame.Right += width;
  if (!view_info.Edges.Contains(bBottom))
    frame.Bottom += width;
  view_info.PaintBorder(canvas, frame);
}

}  // namespace

void lxDrawEditBackgroundAndBorder(TlxCanvas& canvas, TlxCustomEditViewInfo& view_info, bool draw_background,
                                   int32_t combo_look) {
  TlxBrushPaintScope paint;
  if (view_info.NativeStyle && !(view_info.Inplace && view_info.OnDrawBackground)) {
    canvas.PushDC();
    for (const auto& button : view_info.Buttons)
      canvas.ExcludeFromClip(button->VisibleBounds);
    view_info.FillEditBackground(canvas, draw_background, combo_look);
    canvas.PopDC();
    view_info.DrawButtons(canvas);
    return;
  }
  const HBRUSH brush = lxGetSolidBrush(view_info.BackgroundColor);
  const bool fills = !view_info.Transparent && draw_background;
  // The common picture (no shadow, no custom background, buttons as strips
  // at the sides) needs no clip: the fill leaves the buttons' strips out
  // by itself. Saving and restoring the context per cell is what a grid
  // would otherwise pay most for.
  TRect fill = view_info.Inplace ? view_info.Bounds : view_info.BorderRect;
  const bool hole_fill = view_info.Inplace && !view_info.Transparent && !draw_background &&
                         view_info.HasInplaceFrameExtent;
  if (!view_info.Shadow && !(view_info.Inplace && view_info.OnDrawBackground) && !hole_fill &&
      CutSideButtons(fill, view_info.Buttons)) {
    PaintFrameAndShadow(canvas, view_info);
    if (fills && !fill.IsEmpty())
      lxFillRectWithBrush(canvas.Handle(), fill, brush);
    view_info.DrawButtons(canvas);
    return;
  }
  // The buttons paint their own area; keeping the frame's fill out of it
  // avoids a flicker of the background under each button.
  canvas.PushDC();
  for (const auto& button : view_info.Buttons)
    canvas.ExcludeFromClip(button->VisibleBounds);
  if (!view_info.TryCustomDrawBackground(canvas)) {
    PaintFrameAndShadow(canvas, view_info);
    if (view_info.Inplace) {
      if (!view_info.Transparent) {
        if (draw_background)
          lxFillRectWithBrush(canvas.Handle(), view_info.Bounds, brush);
        else if (view_info.HasInplaceFrameExtent)
          lxFillRectAroundHoleWithBrush(canvas, view_info.Bounds, view_info.BorderRect, brush);
      }
    } else if (fills) {
      lxFillRectWithBrush(canvas.Handle(), view_info.BorderRect, brush);
    }
  }
  canvas.PopDC();
  view_info.DrawButtons(canvas);
}
