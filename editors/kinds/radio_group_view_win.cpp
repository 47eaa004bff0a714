#include "editors/kinds/radio_group_view_win.h"

#include "editors/edit_style_win.h"
#include "platform/rtl/scope.h"
#include "ui/foundation/look_and_feel/look_and_feel_win.h"
#include "ui/foundation/painters/painter_glyphs_win.h"
#include "ui/foundation/themes/theme_manager_win.h"
#include "ui/foundation/themes/visual_styles_win.h"

namespace {

// The button theme's radio-button part.
constexpr int32_t kThemeRadioButtonPart = 2;
// The paint flag that asks for multi-line captions.
constexpr uint32_t kMultiLinePaintFlag = 2;

TlxButtonState PainterState(uint8_t state) {
  switch (state) {
    case kLxButtonStateDisabled:
      return lxbsDisabled;
    case kLxButtonStatePressed:
      return lxbsPressed;
    case kLxButtonStateHot:
      return lxbsHot;
    default:
      return lxbsNormal;
  }
}

TlxLookAndFeelKind KindOfButtonStyle(TlxEditButtonStyle style) {
  switch (style) {
    case btsFlat:
      return lfFlat;
    case btsUltraFlat:
      return lfUltraFlat;
    case btsOffice11:
      return lfOffice11;
    default:
      return lfStandard;
  }
}

TSize RadioGlyphSize(const TlxLookAndFeel* look_and_feel) {
  const TlxPainterClass painter =
      look_and_feel != nullptr ? look_and_feel->PainterFor(totButton) : lxLookAndFeelPainterOfKind(lfStandard);
  return painter->GetRadioButtonSize();
}

}  // namespace

int32_t lxRadioGroupThemeState(uint8_t button_state, bool selected) {
  int32_t state = 1;
  switch (button_state) {
    case kLxButtonStateDisabled:
      state = 4;
      break;
    case kLxButtonStatePressed:
      state = 3;
      break;
    case kLxButtonStateHot:
      state = 2;
      break;
    default:
      state = 1;
      break;
  }
  return selected ? state + 4 : state;
}

// --- TlxCustomRadioGroupProperties (Windows classes) ----------------------------------------------

TlxEditViewDataClass TlxCustomRadioGroupProperties::GetViewDataClass() const {
  return {&TlxCustomRadioGroupViewData::kClass,
          [](TlxCustomEditProperties* properties, TlxCustomEditStyle* style,
             bool inplace) -> std::unique_ptr<TlxCustomEditViewData> {
            return std::make_unique<TlxCustomRadioGroupViewData>(properties, style, inplace);
          }};
}

TlxEditViewInfoClass TlxCustomRadioGroupProperties::GetViewInfoClass() const {
  return {&TlxCustomRadioGroupViewInfo::kClass,
          []() -> std::unique_ptr<TlxCustomEditViewInfo> { return std::make_unique<TlxCustomRadioGroupViewInfo>(); }};
}

// --- TlxRadioGroupButtonViewInfo -----------------------------------------------------------------

TRect TlxRadioGroupButtonViewInfo::GetGlyphRect(const TSize& glyph_size, bool glyph_at_left,
                                               bool painting_copy) const {
  const TRect rect = TlxGroupBoxButtonViewInfo::GetGlyphRect(glyph_size, glyph_at_left, painting_copy);
  return painting_copy && !NativeStyle ? rect.Offset(1, 0) : rect;
}

// --- TlxCustomRadioGroupViewInfo -----------------------------------------------------------------

TlxCustomRadioGroupViewInfo::TlxCustomRadioGroupViewInfo() { lxRadioButtonGlyphs(); }

bool TlxCustomRadioGroupViewInfo::IsButtonGlyphTransparent(const TlxGroupBoxButtonViewInfo& button) const {
  if (HasSpecialBackground())
    return true;
  return button.NativeStyle &&
         lxUxIsThemeBackgroundPartiallyTransparent(lxOpenThemeHandle(totButton), kThemeRadioButtonPart,
                                                   button.NativeState);
}

void TlxCustomRadioGroupViewInfo::DrawButtonGlyph(TlxCanvas& canvas, const TlxGroupBoxButtonViewInfo& button,
                                                  const TRect& glyph_rect) {
  canvas.PushClipRegion();
  TScopeExit pop_clip([&canvas] { canvas.PopClipRegion(); });
  canvas.IntersectClip(button.Bounds);
  if (button.NativeStyle) {
    const RECT rect = glyph_rect;
    lxUxDrawThemeBackground(lxOpenThemeHandle(totButton), canvas.Handle(), kThemeRadioButtonPart, button.NativeState,
                            rect, nullptr);
    return;
  }
  const TlxPainterClass painter = lxLookAndFeelPainterOfKind(KindOfButtonStyle(button.Style));
  const TColor background = HasSpecialBackground() ? clDefault : BackgroundColor;
  painter->PaintRadioButton(canvas, glyph_rect.Left, glyph_rect.Top, PainterState(button.State),
                            button.ButtonIndex == ItemIndex, false, background, Designing);
}

void TlxCustomRadioGroupViewInfo::DrawButtonCaption(TlxCanvas& canvas, const TlxGroupBoxButtonViewInfo& button,
                                                    const TRect& glyph_rect) {
  if (Font != nullptr)
    canvas.AssignFont(*Font);
  canvas.Font().SetColor(TextColor);
  TRect text = button.Bounds;
  if (GlyphAtLeft)
    text.Left = glyph_rect.Right;
  else
    text.Right = glyph_rect.Left;
  const TRect margins = button.NativeStyle ? TRect(3, -1, 0, -1) : TRect(5, 0, 1, 0);
  text = TRect(text.Left + margins.Left, text.Top + margins.Top, text.Right - margins.Right,
               text.Bottom - margins.Bottom);
  if (PaintingCopy)
    text = text.Offset(0, -1);
  canvas.Brush().SetStyle(bsClear);
  canvas.DrawTextInRect(button.Caption, text, ButtonTextFlags, Enabled);
  canvas.Brush().SetStyle(bsSolid);
  if (Inplace || !Focused || button.Caption.empty())
    return;
  TRect extent = text;
  canvas.CalcTextRect(button.Caption, extent, ButtonTextFlags);
  extent = extent.Inflate(1, 1);
  extent.Bottom += 1;
  canvas.SetBrushColor(BackgroundColor);
  canvas.DrawFocusFrame(extent);
}

// --- TlxCustomRadioGroupViewData -----------------------------------------------------------------

void TlxCustomRadioGroupViewData::Calculate(TlxCanvas& canvas, const TRect& bounds, const TPoint& point,
                                            int32_t button, TShiftState shift, TlxCustomEditViewInfo& view_info,
                                            bool is_mouse_event) {
  if (auto* radio = dynamic_cast<TlxCustomRadioGroupViewInfo*>(&view_info))
    radio->GlyphAtLeft = true;
  TlxButtonGroupViewData::Calculate(canvas, bounds, point, button, shift, view_info, is_mouse_event);
  auto* radio = dynamic_cast<TlxCustomRadioGroupViewInfo*>(&view_info);
  if (radio == nullptr)
    return;
  radio->GlyphSize = RadioGlyphSize(GetEditStyle()->LookAndFeel());
  radio->BackgroundColor = GetEditStyle()->GetColor();
}

void TlxCustomRadioGroupViewData::ApplyEditValueToViewInfo(TlxCanvas& /*canvas*/, const Variant& edit_value,
                                                           TlxCustomEditViewInfo& view_info) {
  auto* radio = dynamic_cast<TlxCustomRadioGroupViewInfo*>(&view_info);
  if (radio == nullptr)
    return;
  radio->ItemIndex = PreviewMode ? 0 : RadioProperties().GetItemIndexOfValue(edit_value);
  if ((PaintFlags & kMultiLinePaintFlag) != 0)
    radio->PaintOptions |= kMultiLinePaintFlag;
}

void TlxCustomRadioGroupViewData::GetButtonMetrics(TlxCanvas* canvas, TlxButtonGroupMetrics& metrics) const {
  const bool native = IsButtonNativeStyle(GetEditStyle()->LookAndFeel());
  const bool inplace = IsInplace();
  metrics.ColumnOffset = inplace ? 1 : 6;
  metrics.ColumnCorrection = inplace ? -2 : -6;
  metrics.ColumnSpacing = 0;
  if (canvas == nullptr)
    return;
  metrics.GlyphLeftOffset = native ? 1 : 3;
  metrics.WidthCorrection = inplace ? -5 : -6;
  metrics.GlyphTextGap = native ? 5 : 7;
  metrics.FrameWidth = inplace ? 1 : 6;
  const TSize glyph = RadioGlyphSize(GetEditStyle()->LookAndFeel());
  metrics.GlyphWidth = glyph.cx;
  metrics.GlyphHeight = glyph.cy;
}

void TlxCustomRadioGroupViewData::CalculateButtonNativeState(TlxButtonGroupViewInfo& view_info,
                                                             TlxGroupBoxButtonViewInfo& button) const {
  if (!button.NativeStyle)
    return;
  const auto* radio = dynamic_cast<const TlxCustomRadioGroupViewInfo*>(&view_info);
  const bool selected = radio != nullptr && radio->ItemIndex == button.ButtonIndex;
  button.NativePart = kThemeRadioButtonPart;
  button.NativeState = lxRadioGroupThemeState(button.State, selected);
  button.ThemedBackgroundPartlyTransparent =
      lxUxIsThemeBackgroundPartiallyTransparent(lxOpenThemeHandle(totButton), button.NativePart, button.NativeState);
}
