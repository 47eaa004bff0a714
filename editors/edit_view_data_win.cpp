#include "editors/edit_view_data_win.h"

#include <algorithm>
#include <limits>

#include "editors/edit_button_layout.h"
#include "editors/edit_paint_rules.h"
#include "editors/edit_paint_utils_win.h"
#include "ui/foundation/system/desktop_composition_win.h"
#include "ui/foundation/themes/theme_manager_win.h"
#include "ui/foundation/themes/visual_styles_win.h"

namespace {

constexpr int32_t kShadowSize = 3;
const TShiftState kMouseShift = TShiftState{ssLeft, ssRight, ssMiddle, ssDouble};

TRect Deflate(const TRect& rect, const TRect& extent) {
  return TRect(rect.Left + extent.Left, rect.Top + extent.Top, rect.Right - extent.Right,
               rect.Bottom - extent.Bottom);
}

TRect EdgesExtent(int32_t width, TlxBorders edges) {
  return TRect(edges.Contains(bLeft) ? width : 0, edges.Contains(bTop) ? width : 0,
               edges.Contains(bRight) ? width : 0, edges.Contains(bBottom) ? width : 0);
}

bool IsLeftOnly(TShiftState shift) { return shift == TShiftState{ssLeft} || shift == TShiftState{ssLeft, ssDouble}; }

bool HoldsMouseButton(TShiftState shift) { return !(shift * TShiftState{ssLeft, ssRight, ssMiddle}).Empty(); }

}  // namespace

TlxCustomEditViewData::TlxCustomEditViewData(TlxCustomEditProperties* properties, TlxCustomEditStyle* style,
                                             bool inplace)
    : properties_(properties), style_(style), inplace_(inplace) {
  InitFromProperties();
}

bool TlxCustomEditViewData::IsNativeStyle(const TlxLookAndFeel* look_and_feel) {
  return look_and_feel != nullptr && look_and_feel->NativeStyle() && lxThemeAvailableFor(totEdit);
}

void TlxCustomEditViewData::InitFromProperties() {
  // Decoding and measuring a cell value need no style, so a view data made
  // only for them may come without one.
  NativeStyle = style_ != nullptr && IsNativeStyle(style_->LookAndFeel());
  VisibleButtonCount = properties_->Buttons()->CountVisible();
  TlxEditAlignment* alignment = properties_->GetAlignment();
  HorzAlignment = alignment->Horz();
  VertAlignment = alignment->Vert();
  PrepareTextParams(TextParams);
}

TRect TlxCustomEditViewData::GetTextMargins() const { return inplace_ ? TRect(1, 1, 1, 1) : TRect(1, 1, 1, 3); }

void TlxCustomEditViewData::PrepareTextParams(TlxEditTextParams& params) const {
  params.Margins = GetTextMargins();
  params.HorizontalCorrection = 3 - params.Margins.Left - params.Margins.Right;
  params.VerticalCorrection = NativeStyle && inplace_ && properties_->Buttons()->Count() > 0 ? 1 : 0;
  params.TextRect = TRect();
}

uint8_t TlxCustomEditViewData::ComputeEditState(const TPoint& point, TShiftState shift) const {
  if (!Enabled)
    return kLxContainerStateDisabled;
  if (Designing)
    return kLxContainerStateNormal;
  uint8_t state = Focused ? kLxContainerStateActive : kLxContainerStateNormal;
  const TRect tracking(LastBounds.Left - InplaceFrameExtent.Left, LastBounds.Top - InplaceFrameExtent.Top,
                       LastBounds.Right + InplaceFrameExtent.Right, LastBounds.Bottom + InplaceFrameExtent.Bottom);
  if (tracking.Contains(point) && !HoldsMouseButton(shift))
    state |= kLxContainerStateHot;
  return state;
}

int32_t TlxCustomEditViewData::GetEditThemeState(const TlxCustomEditViewInfo& view_info) const {
  const uint8_t state = view_info.ContainerState;
  if ((state & kLxContainerStateDisabled) != 0)
    return 4;
  if (properties_->GetReadOnly())
    return 6;
  if ((state & kLxContainerStateActive) != 0)
    return lxIsDesktopCompositionOn() ? 3 : 5;
  if ((state & kLxContainerStateHot) != 0)
    return 2;
  return 1;
}

void TlxCustomEditViewData::ComputeButtonThemeState(TlxEditButtonViewInfo& button) const {
  button.NativePart = 0;
  if (!NativeStyle)
    return;
  const TlxThemedObjectType type = button.SingleDropDown ? totComboBox : totButton;
  const HTHEME theme = lxOpenThemeHandle(type);
  if (theme == nullptr)
    return;
  button.NativePart = 1;
  if (button.SingleDropDown && lxIsDesktopCompositionOn() && !inplace_)
    button.NativePart = button.LeftAlignment ? 7 : 6;
  // Push buttons and drop-down buttons number their states alike.
  constexpr int32_t kByState[] = {4, 1, 3, 2};
  button.NativeState = kByState[std::min<uint8_t>(button.State, 3)];
  button.ThemedBackgroundPartlyTransparent =
      lxUxIsThemeBackgroundPartiallyTransparent(theme, button.NativePart, button.NativeState);
}

bool TlxCustomEditViewData::HasThickBorder() const { return style_->GetBorderStyle() == ebsThick; }

bool TlxCustomEditViewData::HasShadow() const { return style_->Shadow() && !NativeStyle; }

TlxEditBorderStyle TlxCustomEditViewData::GetEffectiveBorderStyle() const {
  if (inplace_)
    return ebsNone;
  const TlxEditBorderStyle style = style_->GetBorderStyle();
  return style == ebsUltraFlat || style == ebsOffice11 ? ebsSingle : style;
}

TRect TlxCustomEditViewData::GetBorderExtent() const {
  if (inplace_)
    return InplaceFrameExtent;
  TRect extent;
  if (style_->TransparentBorder())
    extent = TRect(2, 2, 2, 2);
  else if (!style_->CanHaveBorder() || (NativeStyle && style_->GetBorderStyle() == ebsNone))
    extent = TRect();
  else if (NativeStyle)
    extent = TRect(2, 2, 2, 2);
  else
    extent = EdgesExtent(lxGetEditBorderWidth(GetEffectiveBorderStyle(), false), style_->Edges());
  if (HasShadow()) {
    extent.Right += kShadowSize;
    extent.Bottom += kShadowSize;
  }
  return extent;
}

TRect TlxCustomEditViewData::GetClientExtent() const {
  if (inplace_)
    return InplaceFrameExtent;
  return GetBorderExtent();
}

TRect TlxCustomEditViewData::GetContentExtent(const TlxCustomEditViewInfo& view_info) const {
  TRect extent = GetBorderExtent();
  if (properties_->ButtonsViewStyle() != 0 && view_info.ButtonCount() > 0) {
    const TRect client = GetClientExtent();
    extent.Left = client.Left;
    extent.Right = client.Right;
  }
  const TRect& bounds = view_info.Bounds;
  for (const auto& button : view_info.Buttons) {
    if (button->LeftAlignment)
      extent.Left = std::max(extent.Left, button->Bounds.Right - bounds.Left);
    else
      extent.Right = std::max(extent.Right, bounds.Right - button->Bounds.Left);
  }
  return extent;
}

TColor TlxCustomEditViewData::GetBorderColor() const {
  const bool hot = Focused || ((EditState & kLxContainerStateHot) != 0 && style_->HotTrack());
  switch (style_->GetBorderStyle()) {
    case ebsUltraFlat:
    case ebsOffice11:
      return hot || (Designing && Enabled) ? lxGetHighlightBorderColor(style_->GetBorderStyle() == ebsOffice11)
                                           : clBtnShadow;
    default:
      return style_->BorderColor();
  }
}

TlxEditButtonStyle TlxCustomEditViewData::GetDefaultButtonStyle() const {
  const bool bordered_or_hot = style_->GetBorderStyle() != ebsNone || style_->HotTrack();
  if (!inplace_ && bordered_or_hot) {
    constexpr TlxEditButtonStyle kByBorder[] = {btsSimple, btsHotFlat, bts3D, btsFlat, bts3D, btsUltraFlat, btsOffice11};
    const TlxEditBorderStyle border = style_->GetBorderStyle();
    return border <= ebsOffice11 ? kByBorder[border] : bts3D;
  }
  constexpr TlxEditButtonStyle kByLookAndFeel[] = {btsFlat, bts3D, btsUltraFlat, btsOffice11};
  const TlxLookAndFeelKind kind = style_->LookAndFeel()->Kind();
  return kind <= lfOffice11 ? kByLookAndFeel[kind] : bts3D;
}

TlxEditButtonStyle TlxCustomEditViewData::GetEffectiveButtonStyle() const {
  const TlxEditButtonStyle style = style_->GetButtonStyle();
  return style == btsDefault ? GetDefaultButtonStyle() : style;
}

uint32_t TlxCustomEditViewData::ComputePaintFlags() const {
  uint32_t flags = PaintFlags;
  if (!TextParams.TextRect.IsEmpty())
    flags |= 4;
  if ((TextParams.Flags & 1) != 0)
    flags |= 16;
  return flags;
}

void TlxCustomEditViewData::Calculate(TlxCanvas& canvas, const TRect& bounds, const TPoint& point, int32_t button,
                                      TShiftState shift, TlxCustomEditViewInfo& view_info, bool is_mouse_event) {
  shift = shift * kMouseShift;
  LastBounds = bounds;

  view_info.ContainerState = ComputeEditState(point, shift);
  SelectedForDisplay = (view_info.ContainerState & (kLxContainerStateActive | kLxContainerStateHot)) != 0;
  if (Designing || inplace_ || !style_->HotTrack())
    view_info.HotTrackMode = 0;
  else
    view_info.HotTrackMode = SelectedForDisplay ? 2 : 1;
  view_info.EditBorderStyle = GetEffectiveBorderStyle();

  view_info.BorderStyle = static_cast<TlxContainerBorderStyle>(view_info.EditBorderStyle);
  EditState = view_info.ContainerState;
  view_info.Properties = properties_;

  const uint8_t buttons_view_style = properties_->ButtonsViewStyle();
  StretchButtons = inplace_ ? bounds.Right != std::numeric_limits<int32_t>::max() && buttons_view_style != 0
                            : buttons_view_style == 1;

  view_info.Bounds = bounds;
  view_info.Enabled = Enabled;
  view_info.Focused = Focused;
  view_info.Designing = Designing;
  view_info.Inplace = inplace_;
  view_info.Selected = Selected;
  view_info.PaintOptions = ComputePaintFlags();
  view_info.Edges = style_->Edges();
  view_info.Font = style_->GetTextFont();
  view_info.Shadow = !inplace_ && HasShadow();
  view_info.NativeStyle = NativeStyle;

  if (NativeStyle) {
    view_info.ThemedObjectType = totEdit;
    view_info.ThemedPart = lxIsDesktopCompositionOn() ? 6 : 1;
    view_info.ThemedState = GetEditThemeState(view_info);
  }
  view_info.BorderExtent = GetBorderExtent();
  view_info.BorderWidth = lxGetEditBorderWidth(view_info.EditBorderStyle, false);
  view_info.BorderRect = Deflate(bounds, view_info.BorderExtent);
  view_info.ShadowRect = view_info.BorderRect;
  view_info.HasInplaceFrameExtent = InplaceFrameExtent != TRect();
  if (!inplace_)
    view_info.BorderColor = GetBorderColor();
  view_info.TextColor = TextColor != clDefault ? TextColor : style_->GetTextColor();
  view_info.AssignBackgroundColor(style_->GetColor());

  CalculateButtonsViewInfo(canvas, bounds, point, button, shift, view_info, is_mouse_event);
  view_info.ClientRect = Deflate(bounds, GetContentExtent(view_info));
  view_info.InnerEditRect = view_info.ClientRect;
  const TlxEditPopupBorderStyle popup = style_->GetPopupBorderStyle();
  if (popup != epbsDefault)
    view_info.PopupBorderStyle = popup;
}

void TlxCustomEditViewData::InitButtonViewInfo(const TlxCustomEditViewInfo& view_info, int32_t button_index,
                                               TlxEditButtonViewInfo& button) {
  const TlxEditButton& source = *properties_->Buttons()->GetButton(button_index);
  button.ButtonIndex = button_index;
  button.SingleDropDown = VisibleButtonCount == 1 && source.Kind() == bkDown;
  button.Kind = source.Kind();
  if (source.Kind() == bkText) {
    button.Caption = source.Caption();
    button.DisplayCaption = source.DisplayCaption();
    button.TextColor = source.TextColor();
  }
  button.ContentAlignment = source.ContentAlignment();
  button.Default = source.Default();
  button.Gradient = style_->GetGradientButtons();
  button.Inplace = inplace_;
  button.LeftAlignment = source.LeftAlignment();
  button.LeftEnd = false;
  button.RightEnd = false;
  button.NativeStyle = NativeStyle;
  button.Stretchable = source.Stretchable();
  button.Glyph = source.GlyphIfCreated();
  button.Width = source.Width();
  if (button.Width == 0 && OnGetDefaultButtonWidth)
    OnGetDefaultButtonWidth(*this, button_index, button.Width);
  const TlxEditButtonTransparency transparency = style_->GetButtonTransparency();
  const bool active = (view_info.ContainerState & (kLxContainerStateActive | kLxContainerStateHot)) != 0;
  button.Transparent = transparency == ebtAlways || (transparency == ebtInactive && !active);
  button.BackgroundColor = view_info.BackgroundColor;
}

void TlxCustomEditViewData::CalculateButtonsViewInfo(TlxCanvas& canvas, const TRect& bounds, const TPoint& point,
                                                     int32_t button, TShiftState shift,
                                                     TlxCustomEditViewInfo& view_info, bool is_mouse_event) {
  const TlxEditButtonTransparency transparency = style_->GetButtonTransparency();
  const bool focused = Focused;
  const bool hot = (view_info.ContainerState & kLxContainerStateHot) != 0;
  std::vector<uint8_t> old_states;
  for (const auto& old : view_info.Buttons)
    old_states.push_back(old->State);
  if (VisibleButtonCount == 0 || (!focused && transparency == ebtHideInactive) ||
      (!focused && !hot && transparency == ebtHideUnselected)) {
    view_info.SetButtonCount(0);
    return;
  }
  view_info.SetButtonCount(VisibleButtonCount);
  old_states.resize(static_cast<size_t>(VisibleButtonCount), kLxButtonStateNormal);
  view_info.ButtonReallyPressed = false;
  const int32_t previously_pressed = is_mouse_event ? view_info.PressedButton : -1;
  view_info.PressedButton = -1;
  view_info.HotButton = -1;

  // Layout: the visible buttons from the last to the first.
  const TRect work = Deflate(bounds, GetClientExtent());
  const TlxEditButtons& buttons = *properties_->Buttons();
  std::vector<TlxButtonLayoutItem> items;
  int32_t slot = 0;
  bool font_prepared = false;
  for (int32_t i = 0; i < buttons.Count(); ++i) {
    const TlxEditButton& source = *buttons.GetButton(i);
    if (!source.Visible())
      continue;
    if (slot >= view_info.ButtonCount())
      break;
    TlxEditButtonViewInfo& info = view_info.Button(slot++);
    if (source.Kind() == bkText && !font_prepared && view_info.Font != nullptr) {
      canvas.AssignFont(*view_info.Font);
      font_prepared = true;
    }
    info.Style = GetEffectiveButtonStyle();
    InitButtonViewInfo(view_info, i, info);
    items.push_back({lxCalcEditButtonWidth(canvas, info), info.LeftAlignment, info.Stretchable,
                     IsButtonWidthFixed(i)});
  }
  view_info.SetButtonCount(slot);
  CalculateButtonBounds(canvas, view_info, work, items);

  ComputeButtonStates(point, button, shift, view_info, previously_pressed, old_states);

  // Group ends.
  const bool both_sides = LeftSideLeftmostButton >= 0 && RightSideLeftmostButton >= 0;
  const bool mark_inner = !(StretchButtons && both_sides);
  if (LeftSideLeftmostButton >= 0)
    view_info.Button(LeftSideLeftmostButton).LeftEnd = true;
  if (RightSideRightmostButton >= 0)
    view_info.Button(RightSideRightmostButton).RightEnd = true;
  if (mark_inner && LeftSideRightmostButton >= 0)
    view_info.Button(LeftSideRightmostButton).RightEnd = true;
  if (mark_inner && RightSideLeftmostButton >= 0)
    view_info.Button(RightSideLeftmostButton).LeftEnd = true;
  if (StretchButtons)
    for (auto& info : view_info.Buttons)
      info->LeftAlignment = false;
}

void TlxCustomEditViewData::CalculateButtonBounds(TlxCanvas& /*canvas*/, TlxCustomEditViewInfo& view_info,
                                                  const TRect& work, const std::vector<TlxButtonLayoutItem>& items) {
  const TlxButtonLayoutResult layout = lxLayoutEditButtons(work, items, StretchButtons);
  for (int32_t i = 0; i < view_info.ButtonCount(); ++i) {
    view_info.Button(i).Bounds = layout.Bounds[static_cast<size_t>(i)];
    view_info.Button(i).VisibleBounds = layout.VisibleBounds[static_cast<size_t>(i)];
  }
  LeftSideLeftmostButton = layout.LeftGroupFirst;
  LeftSideRightmostButton = layout.LeftGroupLast;
  RightSideLeftmostButton = layout.RightGroupFirst;
  RightSideRightmostButton = layout.RightGroupLast;
}

void TlxCustomEditViewData::ComputeButtonStates(const TPoint& point, int32_t button, TShiftState shift,
                                                TlxCustomEditViewInfo& view_info, int32_t previously_pressed,
                                                const std::vector<uint8_t>& old_states) {
  const bool left_press = button == mbLeft;
  const bool left_only = IsLeftOnly(shift);
  const bool left_held = shift.Contains(ssLeft);
  const int32_t captured_button = GetCapturedButtonIndex();
  for (int32_t i = 0; i < view_info.ButtonCount(); ++i) {
    TlxEditButtonViewInfo& info = view_info.Button(i);
    const bool was_pressed = old_states[static_cast<size_t>(i)] == kLxButtonStatePressed;
    const bool is_down = IsButtonDown(view_info, i);
    const bool button_enabled = properties_->Buttons()->GetButton(info.ButtonIndex)->Enabled();
    uint8_t state = kLxButtonStateNormal;
    if (!Enabled || !button_enabled) {
      state = kLxButtonStateDisabled;
    } else if (is_down || (!Designing && info.VisibleBounds.Contains(point))) {
      const bool captured = button == kLxNoMouseButton && left_held &&
                            old_states[static_cast<size_t>(i)] == kLxButtonStateNormal && i == captured_button;
      if (is_down || (left_press && left_only) || (was_pressed && left_held) || captured)
        view_info.ButtonReallyPressed = true;
      if (is_down) {
        state = kLxButtonStatePressed;
      } else if (HoldsMouseButton(shift) || captured) {
        const bool presses = (captured && CanPressButton(view_info, i)) ||
                             (left_only && ((left_press && CanPressButton(view_info, i)) || i == previously_pressed)) ||
                             (was_pressed && left_held);
        state = presses ? kLxButtonStatePressed : kLxButtonStateNormal;
      } else {
        state = kLxButtonStateHot;
      }
    }
    if (state == kLxButtonStatePressed)
      view_info.PressedButton = i;
    else if (state == kLxButtonStateHot)
      view_info.HotButton = i;
    if (view_info.OnGetButtonState)
      view_info.OnGetButtonState(info, state);
    info.State = state;
    ComputeButtonThemeState(info);
  }
}

int32_t TlxCustomEditViewData::MeasureButtonContentHeight(TlxCanvas& canvas,
                                                          const TlxCustomEditViewInfo& view_info) const {
  int32_t height = 0;
  bool font_prepared = false;
  for (int32_t i = 0; i < view_info.ButtonCount(); ++i) {
    const TlxEditButtonViewInfo& button = view_info.Button(i);
    if (button.Kind == bkGlyph && lxIsBitmapUsable(button.Glyph))
      height = std::max(height, button.Glyph->Height());
    // A stand-alone editor's text buttons fit its own text line anyway.
    if (button.Kind != bkText || !inplace_)
      continue;
    if (!font_prepared) {
      if (TFont* font = style_->GetTextFont())
        canvas.AssignFont(*font);
      font_prepared = true;
    }
    height = std::max(height, canvas.MeasureTextHeight(button.DisplayCaption));
  }
  return height;
}

void TlxCustomEditViewData::MeasureFrameFromViewInfo(TlxCanvas& canvas, const TlxCustomEditViewInfo& view_info,
                                                     TSize& size, TSize& min_content_size) const {
  const TRect& bounds = view_info.Bounds;
  const TRect& client = view_info.ClientRect;
  size = TSize{(client.Left - bounds.Left) + (bounds.Right - client.Right),
               (client.Top - bounds.Top) + (bounds.Bottom - client.Bottom)};
  const TRect client_extent = GetClientExtent();
  int32_t needed = 0;
  if (view_info.ButtonCount() > 0)
    needed = MeasureButtonContentHeight(canvas, view_info) + client_extent.Top + client_extent.Bottom +
             lxGetEditButtonContentTopOffset(GetEffectiveButtonStyle());
  min_content_size = TSize{0, std::max(0, needed - size.cy)};
}

TSize TlxCustomEditViewData::MeasureContentSize(TlxCanvas& canvas, const Variant& edit_value,
                                                const TlxEditSizeProperties& limits) const {
  if (properties_->ButtonsViewStyle() == 0)
    return MeasureValueContentSize(canvas, edit_value, limits);
  if (TFont* font = style_->GetTextFont())
    canvas.AssignFont(*font);
  const int32_t insets = TextParams.Margins.Top + TextParams.Margins.Bottom + TextParams.VerticalCorrection;
  return TSize{0, insets + canvas.MeasureTextHeight("Zg")};
}

TSize TlxCustomEditViewData::MeasureEditSize(TlxCanvas& canvas, const Variant& edit_value,
                                             const TlxEditSizeProperties& limits) {
  // The kind's own view info: a kind's Calculate may fill fields only its
  // class has.
  const TlxEditViewInfoClass info_class = properties_->GetViewInfoClass();
  const std::unique_ptr<TlxCustomEditViewInfo> view_info =
      info_class.Create != nullptr ? info_class.Create() : std::make_unique<TlxCustomEditViewInfo>();
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  Calculate(canvas, TRect(0, 0, kMax, kMax), TPoint(-1, -1), kLxNoMouseButton, {}, *view_info, false);
  TSize frame;
  TSize min_content;
  MeasureFrameFromViewInfo(canvas, *view_info, frame, min_content);
  TlxEditSizeProperties content_limits = limits;
  bool width_below_frame = false;
  if (limits.Width >= 0) {
    content_limits.Width = limits.Width - frame.cx;
    width_below_frame = content_limits.Width < 0;
  }
  TSize content = MeasureContentSize(canvas, edit_value, content_limits);
  lxEnlargeSize(content, min_content);
  TSize result{frame.cx + content.cx, frame.cy + content.cy};
  if (width_below_frame)
    result.cx = limits.Width;
  return result;
}

void TlxCustomEditViewData::PrepareDisplayValue(const Variant& edit_value, std::string& text) {
  const Variant copy = edit_value;
  GetDrawText(copy, text);
  if (OnGetDisplayText)
    OnGetDisplayText(Data, *this, text);
}
