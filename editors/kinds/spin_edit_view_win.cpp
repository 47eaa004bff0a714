#include "editors/kinds/spin_edit_view_win.h"

#include <algorithm>

#include "editors/edit_paint_utils_win.h"
#include "ui/foundation/system/desktop_composition_win.h"
#include "ui/foundation/themes/theme_manager_win.h"
#include "ui/foundation/themes/visual_styles_win.h"

// --- TlxSpinEditViewData --------------------------------------------------------------------------

TlxCustomSpinEditProperties* TlxSpinEditViewData::GetProperties() const {
  return static_cast<TlxCustomSpinEditProperties*>(Properties());
}

bool TlxSpinEditViewData::CanPressButton(const TlxCustomEditViewInfo& /*view_info*/, int32_t /*index*/) const {
  return KeyboardSpinState == 0;
}

bool TlxSpinEditViewData::IsButtonDown(const TlxCustomEditViewInfo& /*view_info*/, int32_t index) const {
  return index + 1 == KeyboardSpinState;
}

bool TlxSpinEditViewData::IsSpinNative() const { return NativeStyle && lxThemeAvailableFor(totSpin); }

void TlxSpinEditViewData::Calculate(TlxCanvas& canvas, const TRect& bounds, const TPoint& point, int32_t button,
                                    TShiftState shift, TlxCustomEditViewInfo& view_info, bool is_mouse_event) {
  TlxCustomTextEditViewData::Calculate(canvas, bounds, point, button, shift, view_info, is_mouse_event);
  UpdateButtonThemeStates(view_info);
}

void TlxSpinEditViewData::CalculateButtonBounds(TlxCanvas& canvas, TlxCustomEditViewInfo& view_info,
                                                const TRect& work, const std::vector<TlxButtonLayoutItem>& items) {
  auto* spin_info = dynamic_cast<TlxSpinEditViewInfo*>(&view_info);
  if (spin_info == nullptr || items.empty() || view_info.ButtonCount() < 2) {
    TlxCustomTextEditViewData::CalculateButtonBounds(canvas, view_info, work, items);
    return;
  }
  const TlxSpinEditButtons& spin_buttons = *GetProperties()->SpinButtons();
  const TlxSpinEditButtonsPosition position = spin_buttons.Position();
  const bool fast = view_info.ButtonCount() >= 4;
  spin_info->ButtonsPosition = position;
  const bool native = IsSpinNative();

  // Metrics.
  if (view_info.Font != nullptr)
    canvas.AssignFont(*view_info.Font);
  const int32_t column_width = items.back().Width;
  const int32_t height = work.Bottom - work.Top;
  spin_info->ArrowSize = lxCalcArrowGlyphSize(TSize{column_width + 2, height / 2 + 2}, adUp).cy;
  int32_t width = lxSpinClassicButtonWidth(spin_info->ArrowSize);
  if (native) {
    const TRect content = GetContentExtent(view_info);
    const TRect client = GetClientExtent();
    const int32_t v = GetInsetsSize().cy + canvas.MeasureTextHeight("Zg") + content.Top + content.Bottom -
                      client.Top - client.Bottom - 1;
    width = v / 2 + (v % 2 != 0 ? 1 : 0);
  }
  const bool custom_drawing = spin_info->HasCustomButtonDrawing();
  TlxSpinLayoutInput input;
  input.Work = work;
  input.Position = position;
  input.FastButtons = fast;
  input.ColumnWidth = column_width;
  input.ButtonWidth = width;
  input.FastButtonWidth = lxSpinFastButtonWidth(width);
  input.Delimiter = native && !custom_drawing ? 1 : 0;
  input.BottomIndent = input.Delimiter == 1 && lxIsDesktopCompositionOn() ? 1 : 0;
  TlxSpinLayout layout = lxLayoutSpinButtons(input);
  if (native)
    lxSetSpinDelimiterLine(layout, position);
  spin_info->DelimiterFrom = layout.DelimiterFrom;
  spin_info->DelimiterTo = layout.DelimiterTo;

  const int32_t count = std::min(view_info.ButtonCount(), 4);
  for (int32_t i = 0; i < count; ++i) {
    TlxEditButtonViewInfo& info = view_info.Button(i);
    info.Bounds = layout.Bounds[static_cast<size_t>(i)];
    info.VisibleBounds = info.Bounds.Intersect(view_info.BorderRect);
    info.NativePart = NativeStyle ? lxSpinThemePart(i, position) : 0;
  }
  // The side groups for the frames of the common styles.
  const bool left_right = position == sbpHorzLeftRight;
  LeftSideLeftmostButton = left_right ? (fast ? kLxSpinFastDownButton : kLxSpinDownButton) : -1;
  LeftSideRightmostButton = left_right ? kLxSpinDownButton : -1;
  if (left_right)
    RightSideLeftmostButton = kLxSpinUpButton;
  else if (position == sbpHorzRight)
    RightSideLeftmostButton = fast ? kLxSpinFastDownButton : kLxSpinDownButton;
  else
    RightSideLeftmostButton = fast ? kLxSpinFastDownButton : kLxSpinUpButton;
  RightSideRightmostButton = fast ? kLxSpinFastUpButton : kLxSpinUpButton;
}

void TlxSpinEditViewData::InitButtonViewInfo(const TlxCustomEditViewInfo& view_info, int32_t button_index,
                                             TlxEditButtonViewInfo& button) {
  TlxCustomTextEditViewData::InitButtonViewInfo(view_info, button_index, button);
  if (GetProperties()->SpinButtons()->Position() == sbpHorzLeftRight &&
      (button_index == kLxSpinDownButton || button_index == kLxSpinFastDownButton))
    button.LeftAlignment = true;
}

bool TlxSpinEditViewData::IsButtonWidthFixed(int32_t index) const {
  return index == kLxSpinDownButton && GetProperties()->SpinButtons()->Position() == sbpVert;
}

void TlxSpinEditViewData::UpdateButtonThemeStates(TlxCustomEditViewInfo& view_info) const {
  const bool native = IsSpinNative();
  const HTHEME theme = native ? lxOpenThemeHandle(totSpin) : nullptr;
  for (int32_t i = 0; i < view_info.ButtonCount(); ++i) {
    TlxEditButtonViewInfo& button = view_info.Button(i);
    if (!native || theme == nullptr) {
      button.NativeState = 0;
      continue;
    }
    button.NativeState = lxSpinThemeState(button.State);
    button.ThemedBackgroundPartlyTransparent =
        lxUxIsThemeBackgroundPartiallyTransparent(theme, button.NativePart, button.NativeState);
  }
}

// --- TlxSpinEditViewInfo --------------------------------------------------------------------------

void TlxSpinEditViewInfo::RenderFrame(TlxCanvas& canvas) { lxDrawSpinEditViewInfo(canvas, *this); }

void TlxSpinEditViewInfo::DrawButtonFrame(TlxCanvas& canvas, int32_t index, TColor& content_color,
                                          TColor& text_color, TRect& content, TRect& bounds) {
  const TlxEditButtonViewInfo& button = Button(index);
  if (button.NativeStyle && button.NativePart != 0 && button.NativeState != 0) {
    // The theme draws frame and arrow: nothing is drawn over it unless a
    // handler draws the buttons itself.
    DrawThemedButtonBackground(canvas, button, button.Bounds);
    content = HasCustomButtonDrawing() ? bounds : TRect();
    bounds = TRect();
    return;
  }
  TlxCustomTextEditViewInfo::DrawButtonFrame(canvas, index, content_color, text_color, content, bounds);
}

void TlxSpinEditViewInfo::DrawThemedButtonBackground(TlxCanvas& canvas, const TlxEditButtonViewInfo& button,
                                                     const TRect& rect) {
  const HTHEME theme = lxOpenThemeHandle(totSpin);
  if (theme == nullptr)
    return;
  const RECT area{rect.Left, rect.Top, rect.Right, rect.Bottom};
  lxUxDrawThemeBackground(theme, canvas.Handle(), button.NativePart, button.NativeState, area, nullptr);
}

void TlxSpinEditViewInfo::DrawButtonFrameHotFlat(TlxCanvas& canvas, const TlxEditButtonViewInfo& button,
                                                 TColor& content_color, TColor& text_color, TRect& content,
                                                 TRect& bounds) {
  constexpr TColor kByState[] = {clBtnFace, clBtnFace, clBtnText, clBtnShadow};
  const uint8_t state = std::min<uint8_t>(button.State, 3);
  content_color = button.Transparent ? button.BackgroundColor : kByState[state];
  const bool active = state == kLxButtonStatePressed || state == kLxButtonStateHot;
  text_color = !active                                             ? clBtnText
               : button.Transparent && state == kLxButtonStateHot ? clBtnShadow
                                                                   : clBtnHighlight;
  const int32_t kind = lxSpinHotFlatEdgeKind(button.ButtonIndex, ButtonCount(), ButtonsPosition);
  const uint32_t shadow = lxSpinHotFlatShadowEdges(kind);
  constexpr uint32_t kAll = kLxEdgeLeft | kLxEdgeTop | kLxEdgeRight | kLxEdgeBottom;
  // Each side moves in once, in its own colour.
  TRect shadow_rect = bounds;
  lxDrawEdgeLines(canvas, shadow_rect, shadow, clBtnShadow);
  TRect rest = bounds;
  lxDrawEdgeLines(canvas, rest, kAll & ~shadow, content_color);
  bounds = bounds.Inflate(-1, -1);
  content = bounds;
}

void TlxSpinEditViewInfo::DrawButtonFrameUltraFlat(TlxCanvas& canvas, const TlxEditButtonViewInfo& button,
                                                   TColor& content_color, TColor& text_color, TRect& content,
                                                   TRect& bounds, bool office11) {
  const bool active = button.State == kLxButtonStatePressed || button.State == kLxButtonStateHot;
  const bool outer_border = Inplace ? (PaintOptions & 4) != 0 : EditBorderStyle != ebsNone;
  if (!active || !outer_border) {
    TlxCustomTextEditViewInfo::DrawButtonFrameUltraFlat(canvas, button, content_color, text_color, content, bounds,
                                                        office11);
    content = bounds;
    return;
  }
  // Inside a border the highlight lines follow the button's shape.
  content_color = button.Transparent ? button.BackgroundColor
                  : button.State == kLxButtonStatePressed ? clHighlight
                                                          : clInfoBk;
  text_color = clBtnText;
  const int32_t shape = lxSpinUltraFlatShape(button.ButtonIndex, ButtonCount(), ButtonsPosition);
  const uint32_t edges = lxSpinUltraFlatHighlightEdges(shape, button.Bounds.Left == BorderRect.Left);
  content = bounds.Inflate(-1, -1);
  lxDrawEdgeLines(canvas, bounds, edges, clHighlight);
}

void TlxSpinEditViewInfo::DrawButtonContent(TlxCanvas& canvas, int32_t index, bool pressed, TColor /*content_color*/,
                                            TColor text_color, const TRect& rect) {
  const TlxEditButtonViewInfo& button = Button(index);
  const TlxArrowDirection direction = lxSpinArrowDirection(index, ButtonsPosition);
  const bool twin = index == kLxSpinFastDownButton || index == kLxSpinFastUpButton;
  if (button.State == kLxButtonStateDisabled) {
    // Embossed: the highlight one pixel right and down, the shadow in place.
    lxDrawArrowGlyph(canvas, ArrowSize, rect.Offset(1, 1), clBtnHighlight, false, twin, direction);
    lxDrawArrowGlyph(canvas, ArrowSize, rect, clBtnShadow, false, twin, direction);
    return;
  }
  lxDrawArrowGlyph(canvas, ArrowSize, rect, text_color, pressed, twin, direction);
}

void lxDrawSpinEditViewInfo(TlxCanvas& canvas, TlxSpinEditViewInfo& view_info) {
  view_info.RenderTextFrame(canvas);
  if (view_info.ButtonCount() == 0 || view_info.Button(kLxSpinDownButton).NativePart == 0 ||
      view_info.ButtonsPosition == sbpHorzLeftRight || view_info.HasCustomButtonDrawing())
    return;
  if (view_info.DelimiterFrom == TPoint() && view_info.DelimiterTo == TPoint())
    return;
  canvas.PushDC();
  canvas.IntersectClip(view_info.BorderRect);
  const TRect line(view_info.DelimiterFrom.X, view_info.DelimiterFrom.Y, view_info.DelimiterTo.X + 1,
                   view_info.DelimiterTo.Y + 1);
  lxFillRectWithColor(canvas, line, view_info.BackgroundColor);
  canvas.PopDC();
}
