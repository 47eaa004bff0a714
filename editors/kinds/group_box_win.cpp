#include "editors/kinds/group_box_win.h"

#include <algorithm>

#include "editors/edit_paint_rules.h"
#include "editors/edit_paint_utils_win.h"
#include "editors/edit_style_win.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/buttons.h"
#include "platform/toolkit/gdi_holders.h"
#include "platform/toolkit/menus.h"
#include "ui/foundation/themes/theme_manager_win.h"
#include "ui/foundation/themes/visual_styles_win.h"

namespace {

// The push-button theme's group-box part.
constexpr int32_t kThemeGroupBoxPart = 4;
constexpr int32_t kShadowWidth = 3;
// The theme's text colour property.
constexpr int kThemeTextColorProperty = 3803;

// A skin draws the look: a named skin outside the native style.
bool IsSkinActive(const TlxLookAndFeel* look_and_feel) {
  return look_and_feel != nullptr && !look_and_feel->NativeStyle() && !look_and_feel->SkinName().empty();
}

bool IsTrueTypeFont(TFont& font) {
  TWindowDC screen;
  TSelectedObject selected(screen.Handle(), font.Handle());
  TEXTMETRICW metrics{};
  GetTextMetricsW(screen.Handle(), &metrics);
  return (metrics.tmPitchAndFamily & TMPF_TRUETYPE) != 0;
}

TSize TextExtent(TFont& font, const std::string& text) {
  TWindowDC screen;
  TSelectedObject selected(screen.Handle(), font.Handle());
  const std::u16string wide = Utf8ToUtf16(text);
  SIZE size{};
  GetTextExtentPoint32W(screen.Handle(), reinterpret_cast<LPCWSTR>(wide.c_str()), static_cast<int>(wide.size()),
                        &size);
  return TSize(size.cx, size.cy);
}

TlxCanvasTextFlags PanelAlignmentFlags(TlxCaptionAlignment alignment) {
  TlxCanvasTextFlags flags = 0;
  switch (alignment) {
    case alTopCenter:
    case alBottomCenter:
    case alCenterCenter:
      flags |= lxtfCenterX;
      break;
    case alTopRight:
    case alBottomRight:
    case alRightTop:
    case alRightCenter:
    case alRightBottom:
      flags |= lxtfRight;
      break;
    default:
      flags |= lxtfLeft;
      break;
  }
  switch (alignment) {
    case alLeftCenter:
    case alRightCenter:
    case alCenterCenter:
      flags |= lxtfCenterY;
      break;
    case alBottomLeft:
    case alBottomCenter:
    case alBottomRight:
    case alLeftBottom:
    case alRightBottom:
      flags |= lxtfBottom;
      break;
    default:
      flags |= lxtfTop;
      break;
  }
  return flags;
}

}  // namespace

// --- TlxCustomGroupBoxProperties -----------------------------------------------------------------

const TClass* TlxCustomGroupBoxProperties::GetEditControlClass() const { return &TlxCustomGroupBox::kClass; }

TlxEditViewDataClass TlxCustomGroupBoxProperties::GetViewDataClass() const {
  return {&TlxGroupBoxViewData::kClass,
          [](TlxCustomEditProperties* properties, TlxCustomEditStyle* style,
             bool inplace) -> std::unique_ptr<TlxCustomEditViewData> {
            return std::make_unique<TlxGroupBoxViewData>(properties, style, inplace);
          }};
}

TlxEditViewInfoClass TlxCustomGroupBoxProperties::GetViewInfoClass() const {
  return {&TlxGroupBoxViewInfo::kClass,
          []() -> std::unique_ptr<TlxCustomEditViewInfo> { return std::make_unique<TlxGroupBoxViewInfo>(); }};
}

// --- TlxPanelStyle -------------------------------------------------------------------------------

void TlxPanelStyle::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxPanelStyle>();
  p.Boolean("Active", &TlxPanelStyle::Active, &TlxPanelStyle::SetActive, false);
  p.Integer("CaptionIndent", &TlxPanelStyle::CaptionIndent, &TlxPanelStyle::SetCaptionIndent,
            kLxMinPanelCaptionIndent);
  p.Enumeration("OfficeBackgroundKind", &TlxPanelStyle::OfficeBackgroundKind, &TlxPanelStyle::SetOfficeBackgroundKind,
                {"pobkGradient", "pobkOffice11Color", "pobkStyleColor"},
                std::optional<TlxPanelOffice11BackgroundKind>(pobkOffice11Color));
  p.Boolean("WordWrap", &TlxPanelStyle::WordWrap, &TlxPanelStyle::SetWordWrap, false);
}

TPersistent* TlxPanelStyle::GetOwner() const { return owner_; }

void TlxPanelStyle::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxPanelStyle*>(source);
  if (other == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  SetActive(other->Active());
  SetCaptionIndent(other->CaptionIndent());
  SetOfficeBackgroundKind(other->OfficeBackgroundKind());
  SetWordWrap(other->WordWrap());
}

void TlxPanelStyle::SetActive(bool value) {
  if (value == active_)
    return;
  active_ = value;
  owner_->Rebuild();
}

void TlxPanelStyle::SetCaptionIndent(int32_t value) {
  value = std::max(value, kLxMinPanelCaptionIndent);
  if (value == caption_indent_)
    return;
  caption_indent_ = value;
  if (active_)
    owner_->Rebuild();
}

void TlxPanelStyle::SetOfficeBackgroundKind(TlxPanelOffice11BackgroundKind value) {
  if (value == office_background_kind_)
    return;
  office_background_kind_ = value;
  const TlxLookAndFeel* look_and_feel = owner_->GetStyle()->LookAndFeel();
  if (active_ && look_and_feel != nullptr && look_and_feel->Kind() == lfOffice11)
    owner_->Rebuild();
}

void TlxPanelStyle::SetWordWrap(bool value) {
  if (value == word_wrap_)
    return;
  word_wrap_ = value;
  if (active_)
    owner_->Rebuild();
}

// --- TlxGroupBoxViewInfo -------------------------------------------------------------------------

void TlxGroupBoxViewInfo::MoveBy(int32_t dx, int32_t dy) {
  TlxCustomTextEditViewInfo::MoveBy(dx, dy);
  CaptionRect = CaptionRect.Offset(dx, dy);
  FrameRect = FrameRect.Offset(dx, dy);
}

void TlxGroupBoxViewInfo::RenderFrame(TlxCanvas& canvas) {
  if (Inplace) {
    canvas.FillRectColor(Bounds, BackgroundColor);
    return;
  }
  if (!Transparent)
    canvas.FillRectColor(Bounds, BackgroundColor);
  canvas.PushClipRegion();
  TScopeExit pop_clip([&canvas] { canvas.PopClipRegion(); });
  DrawCaption(canvas);
  if (!PanelMode && !CaptionRect.IsEmpty())
    canvas.ExcludeFromClip(CaptionRect);
  DrawFrame(canvas);
}

void TlxGroupBoxViewInfo::DrawCaption(TlxCanvas& canvas) {
  if (Text.empty() || CaptionRect.IsEmpty() || CaptionFont == nullptr)
    return;
  canvas.PushClipRegion();
  TScopeExit pop_clip([&canvas] { canvas.PopClipRegion(); });
  canvas.IntersectClip(CaptionRect);
  canvas.AssignFont(*CaptionFont);
  canvas.Font().SetColor(CaptionColor);
  canvas.Brush().SetStyle(bsClear);
  TScopeExit solid([&canvas] { canvas.Brush().SetStyle(bsSolid); });
  if (!PanelMode && lxIsSideCaption(Alignment)) {
    DrawSideCaption(canvas);
    return;
  }
  TlxCanvasTextFlags flags = lxtfShowPrefix;
  if (PanelMode) {
    flags |= PanelAlignmentFlags(Alignment);
    flags |= PanelWordWrap ? lxtfWordBreak : lxtfSingleLine;
  } else {
    flags |= lxtfSingleLine | lxtfLeft | lxtfTop;
  }
  canvas.DrawTextInRect(Text, TextRect, flags, Enabled);
}

void TlxGroupBoxViewInfo::DrawSideCaption(TlxCanvas& canvas) {
  // The font is turned: the text starts at the bottom reading upwards on
  // the left, at the top reading downwards on the right.
  const bool left = lxCaptionSideOf(Alignment) == TlxCaptionSide::kLeft;
  const int32_t x = left ? TextRect.Left : TextRect.Right;
  const int32_t y = left ? TextRect.Bottom - 1 : TextRect.Top + 1;
  const std::u16string wide = Utf8ToUtf16(Text);
  const RECT clip = TextRect;
  SetTextColor(canvas.Handle(), ColorToColorRef(CaptionColor));
  SetBkMode(canvas.Handle(), TRANSPARENT);
  TSelectedObject selected(canvas.Handle(), CaptionFont->Handle());
  ExtTextOutW(canvas.Handle(), x, y, ETO_CLIPPED, &clip, reinterpret_cast<LPCWSTR>(wide.c_str()),
              static_cast<UINT>(wide.size()), nullptr);
}

void TlxGroupBoxViewInfo::DrawFrame(TlxCanvas& canvas) {
  TRect rect = FrameRect;
  if (ThemedFrame) {
    const RECT frame = rect;
    lxUxDrawThemeBackground(lxOpenThemeHandle(totButton), canvas.Handle(), kThemeGroupBoxPart, Enabled ? 1 : 2,
                            frame, nullptr);
    return;
  }
  switch (FrameStyle) {
    case ebsSingle:
      canvas.FrameRectSides(rect, FrameColor, 1, 0x0F);
      break;
    case ebsThick:
      canvas.FrameRectSides(rect, FrameColor, 2, 0x0F);
      break;
    case ebsFlat:
      canvas.FrameRectSides(rect, clBtnShadow, 1, 0x0F);
      canvas.FrameRectSides(rect.Inflate(-1, -1), clBtnHighlight, 1, 0x0F);
      break;
    case ebs3D:
      if (Ctl3D) {
        const TRect shadow(rect.Left, rect.Top, rect.Right - 1, rect.Bottom - 1);
        canvas.FrameRectSides(shadow.Offset(1, 1), clBtnHighlight, 1, 0x0F);
        canvas.FrameRectSides(shadow, clBtnShadow, 1, 0x0F);
      } else {
        canvas.FrameRectSides(rect, clWindowFrame, 1, 0x0F);
        canvas.FrameRectSides(rect.Inflate(-1, -1), BackgroundColor, 1, 0x0F);
      }
      break;
    case ebsUltraFlat:
    case ebsOffice11:
      canvas.FrameRectSides(rect, FrameColor, 1, 0x0F);
      break;
    default:
      break;
  }
}

// --- TlxGroupBoxViewData -------------------------------------------------------------------------

void TlxGroupBoxViewData::GetSkinEdgesExtent(TRect& extent) const {
  const TlxBorders edges = GetEditStyle()->Edges();
  extent = TRect(edges.Contains(bLeft) ? 1 : 0, edges.Contains(bTop) ? 1 : 0, edges.Contains(bRight) ? 1 : 0,
                 edges.Contains(bBottom) ? 1 : 0);
}

bool TlxGroupBoxViewData::CaptionMovesFrame() const {
  return !IsInplace() && !PanelActive && Alignment != alCenterCenter;
}

TRect TlxGroupBoxViewData::GetBorderExtent() const {
  TRect extent = TlxCustomEditViewData::GetBorderExtent();
  if (!CaptionMovesFrame())
    return extent;
  const TRect caption = lxGroupBoxCaptionBorderExtent(Alignment, CaptionTextHeight);
  switch (lxCaptionSideOf(Alignment)) {
    case TlxCaptionSide::kTop:
      extent.Top = caption.Top;
      break;
    case TlxCaptionSide::kBottom:
      extent.Bottom = caption.Bottom;
      break;
    case TlxCaptionSide::kLeft:
      extent.Left = caption.Left;
      break;
    case TlxCaptionSide::kRight:
      extent.Right = caption.Right;
      break;
    case TlxCaptionSide::kNone:
      break;
  }
  return extent;
}

TRect TlxGroupBoxViewData::GetContentExtent(const TlxCustomEditViewInfo& /*view_info*/) const {
  TRect extent = GetBorderExtent();
  if (!CaptionMovesFrame())
    return extent;
  const int32_t band = CaptionTextHeight + extent.Top + 3;
  switch (lxCaptionSideOf(Alignment)) {
    case TlxCaptionSide::kTop:
      extent.Top = band;
      break;
    case TlxCaptionSide::kBottom:
      extent.Bottom = band;
      break;
    case TlxCaptionSide::kLeft:
      extent.Left = band;
      break;
    case TlxCaptionSide::kRight:
      extent.Right = band;
      break;
    case TlxCaptionSide::kNone:
      break;
  }
  return extent;
}

TColor TlxGroupBoxViewData::GetBorderColor() const {
  const TlxEditBorderStyle style = GetEditStyle()->GetBorderStyle();
  if (style != ebsUltraFlat && style != ebsOffice11)
    return GetEditStyle()->BorderColor();
  if (!Enabled)
    return clBtnShadow;
  return clHighlight;
}

TlxEditBorderStyle TlxGroupBoxViewData::GetEffectiveBorderStyle() const { return GetEditStyle()->GetBorderStyle(); }

void TlxGroupBoxViewData::Calculate(TlxCanvas& canvas, const TRect& bounds, const TPoint& point, int32_t button,
                                    TShiftState shift, TlxCustomEditViewInfo& view_info, bool is_mouse_event) {
  TlxCustomEditViewData::Calculate(canvas, bounds, point, button, shift, view_info, is_mouse_event);
  auto* group_info = dynamic_cast<TlxGroupBoxViewInfo*>(&view_info);
  if (group_info == nullptr)
    return;
  TlxGroupBoxViewInfo& info = *group_info;
  info.Alignment = Alignment;
  info.Text = CaptionText;
  info.CaptionFont = CaptionFont;
  info.CaptionColor = CaptionFont != nullptr ? CaptionFont->Color() : clBtnText;
  if (ThemedFrame) {
    COLORREF themed = 0;
    if (SUCCEEDED(lxUxGetThemeColor(lxOpenThemeHandle(totButton), kThemeGroupBoxPart, Enabled ? 1 : 2, kThemeTextColorProperty,
                                    themed)))
      info.CaptionColor = static_cast<TColor>(themed);
  }
  info.PanelMode = PanelActive;
  info.PanelWordWrap = PanelWordWrap;
  info.Ctl3D = Ctl3D;
  info.Transparent = Transparent;
  info.Inplace = IsInplace();
  info.ThemedFrame = ThemedFrame && !PanelActive;
  info.FrameStyle = GetEffectiveBorderStyle();
  info.FrameColor = GetBorderColor();
  info.Enabled = Enabled;
  info.CaptionHalfHeight = CaptionTextHeight / 2;
  // The frame: the border rectangle widened by the border's width.
  const int32_t width = lxGetEditBorderWidth(info.FrameStyle, false);
  info.FrameRect = PanelActive ? bounds : info.BorderRect.Inflate(width, width);
  PlaceCaption(canvas, info);
}

void TlxGroupBoxViewData::PlaceCaption(TlxCanvas& canvas, TlxGroupBoxViewInfo& info) const {
  info.CaptionRect = TRect();
  info.TextRect = TRect();
  if (CaptionText.empty() || CaptionFont == nullptr)
    return;
  const TRect& bounds = info.Bounds;
  if (PanelActive) {
    const TRect content = lxPanelContentRect(Alignment, bounds, lxGetEditBorderWidth(GetEffectiveBorderStyle(), false),
                                             PanelCaptionIndent);
    canvas.AssignFont(*CaptionFont);
    TRect measured = content;
    canvas.CalcTextRect(CaptionText, measured,
                        lxtfShowPrefix | (PanelWordWrap ? lxtfWordBreak : lxtfSingleLine) | lxtfLeft | lxtfTop);
    const TRect placed = lxPanelCaptionRect(Alignment, bounds, lxGetEditBorderWidth(GetEffectiveBorderStyle(), false),
                                            PanelCaptionIndent, TSize(measured.Width(), measured.Height()));
    info.TextRect = placed;
    info.CaptionRect = placed;
    return;
  }
  // The caption's extent: along its reading direction and across it.
  const TSize text = TextExtent(*CaptionFont, StripHotkey(CaptionText));
  const TSize caption = TSize(text.cx, text.cy);
  const TRect rect = lxGroupBoxCaptionRect(Alignment, caption, TSize(bounds.Width(), bounds.Height()),
                                           HasShadow() ? kShadowWidth : 0)
                         .Offset(bounds.Left, bounds.Top);
  info.CaptionRect = rect;
  info.TextRect = rect;
}

// --- TlxCustomGroupBox ---------------------------------------------------------------------------

TlxCustomGroupBox::TlxCustomGroupBox(TComponent* owner, const TClass& properties_class)
    : TlxCustomEdit(owner, properties_class) {
  ControlStyle().Include(csAcceptsControls);
  ControlStyle().Include(csCaptureMouse);
  ControlStyle().Include(csClickEvents);
  caption_font_ = std::make_unique<TFont>();
  panel_style_ = CreatePanelStyle();
  RefreshCaptionFont();
  SetBounds(Left(), Top(), 185, 105);
  SetTabStop(false);
}

TlxCustomGroupBox::~TlxCustomGroupBox() = default;

bool TlxCustomGroupBox::RunCaptionPaintHook(TlxCanvas& canvas, const TRect& bounds) {
  bool done = false;
  if (OnCustomDrawCaption)
    OnCustomDrawCaption(this, canvas, done, bounds);
  return done;
}

bool TlxCustomGroupBox::RunBackgroundPaintHook(TlxCanvas& canvas, const TRect& bounds) {
  bool done = false;
  if (OnCustomDrawContentBackground)
    OnCustomDrawContentBackground(this, canvas, done, bounds);
  return done;
}

bool TlxCustomGroupBox::HasNonClientCaption() {
  const TlxLookAndFeel* look_and_feel = GetStyle()->LookAndFeel();
  return !panel_style_->Active() && AllowsNonClientCaption() && IsSkinActive(look_and_feel) &&
         !Caption().empty();
}

void TlxCustomGroupBox::SetAlignment(TlxCaptionAlignment value) {
  if (value == alignment_)
    return;
  alignment_ = value;
  Rebuild();
}

void TlxCustomGroupBox::Rebuild() {
  RefreshCaptionFont();
  RefreshCaptionText();
  if (HandleAllocated())
    RecalculateAtCursor();
  Invalidate();
  Realign();
}

void TlxCustomGroupBox::RefreshCaptionFont() {
  if (caption_font_ == nullptr || IsInplace())
    return;
  if (TFont* font = GetStyle()->GetTextFont())
    caption_font_->Assign(font);
  const bool side = panel_style_ == nullptr ? lxIsSideCaption(alignment_)
                                            : !panel_style_->Active() && lxIsSideCaption(alignment_);
  if (!side) {
    caption_font_->SetOrientation(0);
    return;
  }
  if (!IsTrueTypeFont(*caption_font_))
    caption_font_->SetName("Arial");
  caption_font_->SetOrientation(lxCaptionSideOf(alignment_) == TlxCaptionSide::kLeft ? 900 : 2700);
}

void TlxCustomGroupBox::RefreshCaptionText() {
  if (panel_style_ == nullptr)
    return;
  const bool side = lxIsSideCaption(alignment_) && !panel_style_->Active();
  caption_text_ = side ? StripHotkey(Caption()) : Caption();
}

int32_t TlxCustomGroupBox::CaptionTextHeight() const {
  return caption_font_ != nullptr ? TextExtent(*caption_font_, "Qq").cy : 0;
}

void TlxCustomGroupBox::PrepareViewData(TlxCustomEditViewData& view_data) {
  TlxCustomEdit::PrepareViewData(view_data);
  auto* group = dynamic_cast<TlxGroupBoxViewData*>(&view_data);
  if (group == nullptr)
    return;
  group->Alignment = alignment_;
  group->CaptionText = caption_text_;
  group->CaptionFont = caption_font_.get();
  group->CaptionTextHeight = CaptionTextHeight();
  group->PanelActive = panel_style_ != nullptr && panel_style_->Active();
  group->PanelCaptionIndent = panel_style_ != nullptr ? panel_style_->CaptionIndent() : kLxMinPanelCaptionIndent;
  group->PanelWordWrap = panel_style_ != nullptr && panel_style_->WordWrap();
  group->Ctl3D = true;
  group->Transparent = IsTransparentNow();
  const TlxLookAndFeel* look_and_feel = GetStyle()->LookAndFeel();
  group->ThemedFrame = look_and_feel != nullptr &&
                       (look_and_feel->NativeStyle() || look_and_feel->Kind() == lfOffice11) &&
                       lxThemeAvailableFor(totButton) && !IsSkinActive(look_and_feel);
}

bool TlxCustomGroupBox::IsBorderSelfDrawn() {
  return GetStyle()->TransparentBorder() && !panel_style_->Active() && TlxCustomEdit::IsBorderSelfDrawn();
}

TRect TlxCustomGroupBox::GetFrameRegionBounds() {
  TRect bounds = TlxCustomEdit::GetFrameRegionBounds();
  if (panel_style_ == nullptr || panel_style_->Active())
    return bounds;
  switch (lxCaptionSideOf(alignment_)) {
    case TlxCaptionSide::kTop:
      bounds.Top = 0;
      break;
    case TlxCaptionSide::kBottom:
      bounds.Bottom = Height();
      break;
    case TlxCaptionSide::kLeft:
      bounds.Left = 0;
      break;
    case TlxCaptionSide::kRight:
      bounds.Right = Width();
      break;
    case TlxCaptionSide::kNone:
      break;
  }
  return bounds;
}

bool TlxCustomGroupBox::UsesParentBackground() const {
  const TlxLookAndFeel* look_and_feel = GetStyle()->LookAndFeel();
  return look_and_feel != nullptr && look_and_feel->NativeStyle() && ControlStyle().Contains(csParentBackground) && !IsInplace() &&
         !Transparent();
}

TlxContainerStyleValues TlxCustomGroupBox::GetIgnoredStyleValues() const {
  TlxContainerStyleValues values = TlxCustomEdit::GetIgnoredStyleValues();
  values.Include(csvHotTrack);
  return values;
}

TlxContainerStyle* TlxCustomGroupBox::SelectStyleForState(uint8_t /*state*/) {
  return Enabled() ? GetStyle() : GetStyleDisabled();
}

void TlxCustomGroupBox::HandleStyleChange(TObject* style) {
  RefreshCaptionFont();
  TlxCustomEdit::HandleStyleChange(style);
}

void TlxCustomGroupBox::AdjustClientRect(TRect& rect) {
  if (IsBeingDestroyed() || panel_style_ == nullptr)
    return;
  std::unique_ptr<TlxCustomEditViewData> view_data = CreateViewData();
  PrepareViewData(*view_data);
  const TRect extent = view_data->GetContentExtent(GetViewInfo());
  rect = TRect(rect.Left + extent.Left, rect.Top + extent.Top, rect.Right - extent.Right, rect.Bottom - extent.Bottom);
}

void TlxCustomGroupBox::Paint() {
  bool done = false;
  if (OnCustomDraw)
    OnCustomDraw(this, done);
  if (!done)
    TlxCustomEdit::Paint();
}

bool TlxCustomGroupBox::FocusFirstChild() {
  TStateScope<bool> focusing(dialog_char_focus_, true);
  for (int32_t index = 0; index < ControlCount(); ++index) {
    auto* child = dynamic_cast<TWinControl*>(Controls(index));
    if (child != nullptr && child->CanFocus()) {
      child->SetFocus();
      return true;
    }
  }
  return false;
}

void TlxCustomGroupBox::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CM_TEXTCHANGED:
      TlxCustomEdit::WndProc(message);
      RefreshCaptionText();
      if (HandleAllocated())
        RecalculateAtCursor();
      Invalidate();
      return;
    case CM_FONTCHANGED:
      TlxCustomEdit::WndProc(message);
      Realign();
      return;
    case CM_DIALOGCHAR:
      if (IsAccel(static_cast<char16_t>(message.WParam), Caption()) && CanFocus() && FocusFirstChild()) {
        message.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TlxCustomEdit::WndProc(message);
}
